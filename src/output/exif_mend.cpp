#include "output/exif_mend.h"

#include <span>

#include "metadata/exif_edit.h"
#include "output/jpeg_segments.h"
#include "platform/error.h"

namespace trimora {

namespace {

// Replaces the file's first Exif segment by the edited one; returns the file unchanged when
// it has no Exif segment, no frame header, or Exif data that cannot be read.
std::vector<std::uint8_t> EditExif(std::vector<std::uint8_t> jpeg, metadata::ExifEdit edit) {
  const std::optional<SegmentSpan> exif = FindExifSegment(jpeg);
  const std::optional<FrameSize> frame = ReadFrameSize(jpeg);
  if (!exif || !frame) return jpeg;
  edit.pictureSize = metadata::ExifEdit::Size{static_cast<std::uint32_t>(frame->width),
                                              static_cast<std::uint32_t>(frame->height)};
  std::vector<std::uint8_t> section;
  try {
    // The section's bytes are the two length bytes and the payload, without FF E1.
    section = metadata::EditExifSection(
        std::span<const std::uint8_t>(jpeg).subspan(exif->offset + 2, exif->size - 2), edit);
  } catch (const Error&) {
    return jpeg;
  }
  std::vector<std::uint8_t> out;
  out.reserve(jpeg.size() - exif->size + 2 + section.size());
  out.insert(out.end(), jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(exif->offset) + 2);
  out.insert(out.end(), section.begin(), section.end());
  out.insert(out.end(), jpeg.begin() + static_cast<std::ptrdiff_t>(exif->offset + exif->size), jpeg.end());
  return out;
}

}  // namespace

std::vector<std::uint8_t> MendCroppedExif(std::vector<std::uint8_t> jpeg) {
  metadata::ExifEdit edit;
  edit.removeThumbnail = true;
  return EditExif(std::move(jpeg), edit);
}

std::vector<std::uint8_t> MendRotatedExif(std::vector<std::uint8_t> jpeg) {
  metadata::ExifEdit edit;
  edit.swapPictureSize = true;
  edit.removeThumbnail = true;
  edit.resetOrientation = true;
  return EditExif(std::move(jpeg), edit);
}

}  // namespace trimora
