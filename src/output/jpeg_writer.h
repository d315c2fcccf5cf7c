// The JPEG writer of the decoding road: the cut encoded at quality 90 and wrapped in the
// source's metadata segments.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/pixel_rows.h"

namespace trimora {

// The bytes of the output file: FF D8; the source's Exif segment (its thumbnail removed and
// its picture size set to the cut's) or else its first header segment or else a JFIF 1.02
// header of 300 dpi; the source's IPTC and comment segments; then the encoded picture without
// its own start marker and without those of its next segments that are, in this order, APP0,
// APP1, APP13 and COM. When the source's metadata cannot be read, the encoded picture as it is.
std::vector<std::uint8_t> WrapWithSourceMetadata(const std::vector<std::uint8_t>& encoded,
                                                 const std::string& source, int width, int height);

// Writes encoded JPEG bytes of a width x height cut with the source's metadata to `path`
// (temporary file and rename).
void WriteEncodedJpeg(const std::string& path, const std::vector<std::uint8_t>& encoded,
                      const std::string& source, int width, int height);

// Encodes the pixels and writes them with the source's metadata to `path` (temporary file and
// rename).
void WriteJpeg(const std::string& path, const PixelRows& pixels, const std::string& source);

}  // namespace trimora
