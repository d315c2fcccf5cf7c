// Feeds whole files to the metadata reader: section scan, Exif, GPS, maker notes, thumbnail
// directory, IPTC lines, summaries, and the Exif edits used for written files.
#include <cstddef>
#include <cstdint>
#include <span>

#include "metadata/exif_edit.h"
#include "metadata/jpeg_metadata.h"

using namespace trimora::metadata;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  JpegMetadata reader;
  reader.ReadMetadataFromBytes(std::span(data, size), "fuzz.jpg");
  std::size_t total = reader.ShortSummary().size() + reader.LongSummary().size();
  total += reader.CommentText().size();
  for (const auto& line : reader.IptcLines()) total += line.size();
  if (ExifDecoder* exif = reader.Exif()) {
    try {
      exif->ReadThumbnailDirectory();
    } catch (const trimora::Error&) {
    }
    for (const auto& e : exif->ThumbnailValues()) total += e.Data.size();
  }
  if (const Section* s = reader.ExifSection()) {
    ExifEdit edit;
    edit.removeThumbnail = true;
    edit.resetOrientation = true;
    edit.swapPictureSize = true;
    edit.pictureSize = ExifEdit::Size{123, 45};
    try {
      const auto edited = EditExifSection(s->bytes, edit);
      JpegMetadata again;
      std::vector<std::uint8_t> file = {0xFF, 0xD8};
      file.push_back(0xFF);
      file.push_back(0xE1);
      file.insert(file.end(), edited.begin(), edited.end());
      again.ReadMetadataFromBytes(file, "again.jpg");
      total += again.LongSummary().size();
    } catch (const trimora::Error&) {
    }
  }
  try {
    ExifEdit swap;
    swap.swapPictureSize = true;
    swap.removeThumbnail = true;
    if (const auto edited = EditJpegExif(std::span(data, size), swap)) total += edited->size();
  } catch (const trimora::Error&) {
  }
  try {
    reader.RemoveThumbnail();
    reader.SetPictureSize(7, 9);
  } catch (const trimora::Error&) {
  }
  return total == static_cast<std::size_t>(-1);
}
