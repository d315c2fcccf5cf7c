#include "metadata/exif_edit.h"

#include <cstring>

#include "metadata/byte_reader.h"
#include "metadata/exif_decoder.h"
#include "metadata/jpeg_markers.h"
#include "platform/error.h"

namespace trimora::metadata {
bool IsExifSection(std::span<const std::uint8_t> section) {
  return section.size() >= 10 && std::memcmp(section.data() + 2, "Exif\0", 5) == 0 &&
         ((section[8] == 'I' && section[9] == 'I') || (section[8] == 'M' && section[9] == 'M'));
}

std::vector<std::uint8_t> EditExifSection(std::span<const std::uint8_t> section,
                                          const ExifEdit& edit) {
  if (!IsExifSection(section)) throw Error(ErrorCode::kExifMissing);
  std::vector<std::uint8_t> bytes(section.begin(), section.end());
  try {
    ExifDecoder decoder(bytes);
    if (edit.swapPictureSize) decoder.SwapPictureSize();
    if (edit.pictureSize) decoder.SetPictureSize(edit.pictureSize->width, edit.pictureSize->height);
    if (edit.resetOrientation) decoder.ResetOrientation();
    if (edit.removeThumbnail) decoder.RemoveThumbnail();
  } catch (const ParseError&) {
    throw Error(ErrorCode::kExifCorrupt);
  }
  if (bytes.size() > 0xFFFF) throw Error(ErrorCode::kExifTooLarge);
  WriteNumber(bytes, 0, 2, static_cast<std::uint32_t>(bytes.size()), ByteOrder::Motorola);
  return bytes;
}

std::optional<std::vector<std::uint8_t>> EditJpegExif(std::span<const std::uint8_t> file,
                                                      const ExifEdit& edit) {
  if (file.size() < 4 || file[0] != 0xFF || file[1] != 0xD8) throw Error(ErrorCode::kNotJpeg);
  const std::optional<SegmentSpan> exif = FindExifSegment(file);
  if (!exif) return std::nullopt;
  // The section: the two length bytes and the payload, without FF E1.
  const std::vector<std::uint8_t> edited =
      EditExifSection(file.subspan(exif->offset + 2, exif->size - 2), edit);
  std::vector<std::uint8_t> out;
  out.reserve(file.size() - exif->size + 2 + edited.size());
  out.insert(out.end(), file.begin(), file.begin() + static_cast<std::ptrdiff_t>(exif->offset + 2));
  out.insert(out.end(), edited.begin(), edited.end());
  out.insert(out.end(), file.begin() + static_cast<std::ptrdiff_t>(exif->offset + exif->size),
             file.end());
  return out;
}

}  // namespace trimora::metadata
