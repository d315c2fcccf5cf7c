#include "metadata/info_text.h"

#include "metadata/jpeg_metadata.h"

namespace trimora::metadata {
namespace {

void Line(std::string& text, std::string_view line) {
  text += line;
  text += "\r\n";
}

void ValueLine(std::string& text, const TagEntry& e) {
  text += e.Label;
  text += " = ";
  text += e.Data;
  text += "\r\n";
}

// Step 4 of the text: everything the decoder holds. Throws when something cannot be read.
void AppendExifData(std::string& text, JpegMetadata& reader) {
  ExifDecoder* exif = reader.Exif();
  if (exif == nullptr) throw Error(ErrorCode::kExifUnreadable);
  Line(text, exif->byteOrder() == ByteOrder::Motorola ? "Motorola Byte Order" : "Intel Byte Order");
  exif->Restart();
  while (const TagEntry* e = exif->Next(kExifTid)) ValueLine(text, *e);
  if (exif->MakerFamilyKnown()) {
    Line(text, "");
    Line(text, " -- Maker Specific Data ---- ");
    while (const TagEntry* e = exif->Next(kMakerTid)) ValueLine(text, *e);
  }
  Line(text, "");
  if (exif->HasThumbnail()) {
    exif->ReadThumbnailDirectory();
    Line(text, " -- Thumbnail Data ---- ");
    Line(text, "Thumbnail Start = " + std::to_string(exif->ThumbnailOffset()));
    Line(text, "Thumbnail Length = " + std::to_string(exif->ThumbnailLength()));
    exif->RestartThumbnail();
    while (const TagEntry* e = exif->NextThumbnail()) ValueLine(text, *e);
  } else {
    Line(text, "No Thumbnail");
  }
  if (reader.CommentSection() != nullptr) {
    Line(text, "");
    Line(text, " Comment Segment Available");
    Line(text, reader.CommentText());
  }
  if (reader.IptcSection() != nullptr) {
    const std::vector<std::string> lines = reader.IptcLines();
    if (!lines.empty()) {
      Line(text, "\r\n IPTC Segment Available!\r\n");
      for (const std::string& line : lines) Line(text, line);
    }
  }
}

}  // namespace

std::string BuildInfoText(const std::string& path) {
  std::string text;
  try {
    JpegMetadata reader;
    reader.ReadMetadata(path);
    const bool hasExif = reader.ExifSection() != nullptr;
    if (hasExif) {
      Line(text, " -- EXIF Summary -(short)--- ");
      Line(text, reader.ShortSummary());
      Line(text, "");
      Line(text, " -- EXIF Summary -(long)---- ");
      Line(text, reader.LongSummary());
      Line(text, "");
    }
    Line(text, "-- All EXIF-Data -------------- ");
    Line(text, "ErrStr = " + reader.ErrorText());
    if (hasExif) AppendExifData(text, reader);
  } catch (...) {
    Line(text, " !!!!!!!!!!!!!!!!!!!!!!");
    Line(text, " ! ERROR READING DATA !");
    Line(text, " !!!!!!!!!!!!!!!!!!!!!!");
  }
  return text;
}

}  // namespace trimora::metadata
