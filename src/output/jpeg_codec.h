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

// Decodes the rectangle like DecodeJpegRect and encodes it like EncodeJpeg in one pass, batch
// of rows by batch of rows, without holding the cut as a picture; returns the JPEG's bytes.
std::vector<std::uint8_t> RecodeJpegRect(const std::string& path, int left, int top, int width, int height);

}  // namespace trimora
