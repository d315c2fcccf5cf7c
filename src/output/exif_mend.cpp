#include "output/exif_mend.h"

#include <span>

#include "metadata/exif_edit.h"
#include "metadata/jpeg_markers.h"
#include "platform/error.h"

namespace trimora {

namespace {

// Replaces the file's first Exif segment by the edited one, with the picture size of the frame
// header; returns the file unchanged when it has no Exif segment, no frame header, or Exif data
// that cannot be read.
std::vector<std::uint8_t> EditExif(std::vector<std::uint8_t> jpeg, metadata::ExifEdit edit) {
  const std::optional<FrameSize> frame = ReadFrameSize(jpeg);
  if (!frame) return jpeg;
  edit.pictureSize = metadata::ExifEdit::Size{static_cast<std::uint32_t>(frame->width),
                                              static_cast<std::uint32_t>(frame->height)};
  try {
    if (auto edited = metadata::EditJpegExif(jpeg, edit)) return std::move(*edited);
  } catch (const Error&) {
    // Unreadable Exif data stays as jpegtran copied it.
  }
  return jpeg;
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
