#include "output/jpeg_writer.h"

#include "imaging/jpeg_codec.h"
#include "metadata/jpeg_markers.h"
#include "metadata/jpeg_metadata.h"
#include "platform/error.h"
#include "platform/files.h"

namespace trimora {

namespace {

// JFIF 1.02, 300 x 300 dots per inch, no thumbnail.
constexpr std::uint8_t kJfifSegment[] = {0xFF, 0xE0, 0x00, 0x10, 'J',  'F',  'I',  'F',  0x00,
                                         0x01, 0x02, 0x01, 0x01, 0x2C, 0x01, 0x2C, 0x00, 0x00};

void Append(std::vector<std::uint8_t>& out, const metadata::Section& section) {
  const std::vector<std::uint8_t> bytes = metadata::SegmentBytes(section);
  out.insert(out.end(), bytes.begin(), bytes.end());
}

}  // namespace

std::vector<std::uint8_t> WrapWithSourceMetadata(const std::vector<std::uint8_t>& encoded,
                                                 const std::string& source, int width, int height) {
  metadata::JpegMetadata md;
  if (!md.ReadMetadata(source) || md.ErrorText() != metadata::kNoError) return encoded;
  try {
    md.RemoveThumbnail();
  } catch (const Error&) {
    // No decoded Exif data, or no thumbnail that could be cut off: carried as it is.
  }
  try {
    md.SetPictureSize(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height));
  } catch (const Error&) {
  }

  std::vector<std::uint8_t> out;
  out.reserve(encoded.size() + (1 << 16));
  out.push_back(0xFF);
  out.push_back(0xD8);
  if (const metadata::Section* exif = md.ExifSection()) {
    Append(out, *exif);
  } else if (const metadata::Section* header = md.HeaderSection()) {
    Append(out, *header);
  } else {
    out.insert(out.end(), std::begin(kJfifSegment), std::end(kJfifSegment));
  }
  if (const metadata::Section* iptc = md.IptcSection()) Append(out, *iptc);
  if (const metadata::Section* comment = md.CommentSection()) Append(out, *comment);

  // The encoder's own head: skip its APP0, APP1, APP13 and COM, each only when it is next.
  const std::vector<SegmentSpan> head = ListHeaderSegments(encoded);
  std::size_t next = 0;
  std::size_t from = 2;
  for (const std::uint8_t marker : {0xE0, 0xE1, 0xED, 0xFE}) {
    if (next < head.size() && head[next].marker == marker) {
      from = head[next].offset + head[next].size;
      ++next;
    }
  }
  out.insert(out.end(), encoded.begin() + static_cast<std::ptrdiff_t>(from), encoded.end());
  return out;
}

void WriteJpeg(const std::string& path, const PixelRows& pixels, const std::string& source) {
  WriteEncodedJpeg(path, EncodeJpeg(pixels), source, pixels.width, pixels.height);
}

void WriteEncodedJpeg(const std::string& path, const std::vector<std::uint8_t>& encoded,
                      const std::string& source, int width, int height) {
  const std::vector<std::uint8_t> bytes = WrapWithSourceMetadata(encoded, source, width, height);
  ReplacingFile file(path);
  file.Write(bytes.data(), bytes.size());
  file.Commit();
}

}  // namespace trimora
