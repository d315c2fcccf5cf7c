// The libjpeg sessions of the output road: baseline encoding at quality 90 and decoding of
// just the rectangle that is cut. Every codec error becomes a trimora::Error.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/picture.h"
#include "output/pixel_rows.h"

namespace trimora {

// Encodes the pixels as a baseline colour JPEG with quality 90 and libjpeg's other defaults
// (JFIF header, 4:2:0 sampling, Huffman tables of the standard); returns the file's bytes.
std::vector<std::uint8_t> EncodeJpeg(const PixelRows& pixels);

// Decodes the rectangle (left, top, width, height) of the JPEG file at `path` into a picture
// of exactly that size, decoding only the rows and the columns of blocks it needs. Throws
// Error for a file that cannot be opened or decoded, that ends early inside the rectangle,
// or when the rectangle leaves the picture.
Picture DecodeJpegRect(const std::string& path, int left, int top, int width, int height);

// The pixel size and the block grid (iMCU: 8 x the largest sampling factors) of a JPEG file.
struct JpegGeometry {
  int width = 0;
  int height = 0;
  int blockWidth = 8;
  int blockHeight = 8;
};

// Reads a JPEG file's header; throws Error when it is not a readable JPEG.
JpegGeometry ReadJpegGeometry(const std::string& path);

}  // namespace trimora
