// JPEG decoding with libjpeg-turbo straight into the picture buffer, and a cheap look at a
// file's size and block grid.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "imaging/picture.h"

namespace trimora {

// How large the decoded picture is.
enum class JpegScale {
  Full,    // full size, accurate integer DCT and smooth chroma upsampling (as djpeg)
  Eighth,  // one eighth of each side by DCT scaling, fastest mode (thumbnails)
};

// What the file's frame header says, read without decoding the picture.
struct JpegLayout {
  int width = 0;        // pixels
  int height = 0;       // pixels
  int components = 0;   // 1 grey, 3 YCbCr/RGB, 4 CMYK/YCCK
  int blockWidth = 8;   // width of the block grid (iMCU) in pixels: 8 x largest horizontal sampling factor
  int blockHeight = 8;  // height of the block grid (iMCU) in pixels
};

// Decodes the JPEG file at `path`. Every pixel's fourth byte is FF. Throws trimora::Error for
// a file that cannot be opened, is empty, truncated, or not a JPEG picture.
Picture DecodeJpegFile(const std::string& path, JpegScale scale = JpegScale::Full);

// Decodes `size` bytes of a JPEG picture held in memory; `name` names it in error texts.
Picture DecodeJpegMemory(const std::uint8_t* data, std::size_t size, const std::string& name,
                         JpegScale scale = JpegScale::Full);

// Reads size and block grid from the headers of the JPEG file at `path` (no decoding).
// Throws trimora::Error like DecodeJpegFile.
JpegLayout ReadJpegLayout(const std::string& path);

// The same for a JPEG picture held in memory.
JpegLayout ReadJpegLayoutMemory(const std::uint8_t* data, std::size_t size,
                                const std::string& name);

}  // namespace trimora
