// Edits of an Exif block for files that the program writes: a new picture size, the picture
// size exchanged after a quarter turn, the thumbnail removed, the orientation reset.
//
// The output code uses these on the Exif segment that it carries into a JPEG it encodes, and
// on the files that jpegtran wrote with "-copy all" (a turned picture: swap the size and reset
// the orientation; both: drop the thumbnail, which still shows the uncut picture).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace trimora::metadata {

// What to change in an Exif block.
struct ExifEdit {
  struct Size {
    std::uint32_t width = 0, height = 0;
  };
  std::optional<Size> pictureSize;  // write this size into the width and height entries
  bool swapPictureSize = false;     // exchange the stored width and height (before pictureSize)
  bool removeThumbnail = false;     // drop the thumbnail directory and its data
  bool resetOrientation = false;    // set an existing Orientation entry to 1 (normal)
};

// True when the section (the two length bytes followed by the payload, as in
// metadata::Section::bytes) holds an Exif header with a byte-order mark.
bool IsExifSection(std::span<const std::uint8_t> section);

// Applies the edit to an Exif section and returns the new section bytes, length field
// updated. Throws trimora::Error when the section holds no readable Exif data.
std::vector<std::uint8_t> EditExifSection(std::span<const std::uint8_t> section,
                                          const ExifEdit& edit);

// Applies the edit to the first Exif segment ("Exif\0\0") before the picture data of a JPEG
// file in memory and returns the new file; nothing when there is no such segment. Throws
// trimora::Error when the bytes are not a JPEG file or the Exif data cannot be read.
std::optional<std::vector<std::uint8_t>> EditJpegExif(std::span<const std::uint8_t> file,
                                                      const ExifEdit& edit);

}  // namespace trimora::metadata
