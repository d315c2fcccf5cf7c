// Mending the Exif data that jpegtran copies unchanged with "-copy all": after a cut or a
// turn it would still describe the source picture.
#pragma once

#include <cstdint>
#include <vector>

namespace trimora {

// After a lossless cut: the thumbnail removed and the picture size entries set to the size in
// the file's frame header. Every other segment stays as jpegtran wrote it; a file without
// readable Exif data is returned unchanged.
std::vector<std::uint8_t> MendCroppedExif(std::vector<std::uint8_t> jpeg);

// After a lossless turn by 90 or 270 degrees: as after a cut (the frame header holds the
// turned size), and an Orientation entry set to 1 (normal).
std::vector<std::uint8_t> MendRotatedExif(std::vector<std::uint8_t> jpeg);

}  // namespace trimora
