// Every libjpeg session of the program, in one module: decoding a file straight into the picture
// buffer (whole, or at one eighth for thumbnails), a cheap look at a file's size and block grid,
// decoding only the rectangle that is cut, and baseline encoding at quality 90. Every codec
// error becomes a trimora::Error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "imaging/picture.h"
#include "imaging/pixel_rows.h"

namespace trimora {

// How large the decoded picture is.
enum class JpegScale {
  Full,    // full size, accurate integer DCT and smooth chroma upsampling (as djpeg)
  Eighth,  // one eighth of each side by DCT scaling, fastest mode (thumbnails)
};

// What the file's frame header says, read without decoding the picture.
struct JpegLayout {
  int width = 0;       // pixels
  int height = 0;      // pixels
  int components = 0;  // 1 grey, 3 YCbCr/RGB, 4 CMYK/YCCK
  int blockWidth =
      8;  // width of the block grid (iMCU) in pixels: 8 x largest horizontal sampling factor
  int blockHeight = 8;  // height of the block grid (iMCU) in pixels
  int lumaH = 1;        // horizontal sampling factor of the first component
  int lumaV = 1;        // vertical sampling factor of the first component
  // The quality (1..100) whose standard quantisation tables come nearest to the file's own;
  // 0 when the file carries none.
  int quality = 0;
};

// How EncodeJpeg writes a picture.
struct JpegEncoding {
  int quality = 90;   // 1..100, scaling the standard quantisation tables
  bool grey = false;  // one grey component instead of colour
  int lumaH = 2;      // sampling factors of the brightness against the colour (2, 2: 4:2:0)
  int lumaV = 2;
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

// Decodes the rectangle (left, top, width, height) of the JPEG file at `path` into a picture
// of exactly that size, decoding only the rows and the columns of blocks it needs. Throws
// Error for a file that cannot be opened or decoded, that ends early inside the rectangle,
// or when the rectangle leaves the picture.
Picture DecodeJpegRect(const std::string& path, int left, int top, int width, int height);

// Encodes the pixels as a baseline colour JPEG with quality 90 and libjpeg's other defaults
// (JFIF header, 4:2:0 sampling, Huffman tables of the standard); returns the file's bytes.
std::vector<std::uint8_t> EncodeJpeg(const PixelRows& pixels);
// The same with the quality, colour and sampling of `encoding` (baseline, standard tables).
std::vector<std::uint8_t> EncodeJpeg(const PixelRows& pixels, const JpegEncoding& encoding);

// Takes decoded rows batch by batch, top to bottom; the rows are valid during the call only.
using JpegRowSink = std::function<void(const PixelRows& rows)>;

// Decodes the rectangle like DecodeJpegRect and hands its rows to `take` batch by batch as they
// are decoded, without holding the cut as a picture (a CMYK picture is decoded whole first and
// handed over in one batch). Throws like DecodeJpegRect, before any row is handed over where
// the headers already show the fault; what `take` throws ends the decoding and is passed on.
void DecodeJpegRectRows(const std::string& path, int left, int top, int width, int height,
                        const JpegRowSink& take);

// Decodes the rectangle like DecodeJpegRect and encodes it like EncodeJpeg in one pass, batch
// of rows by batch of rows, without holding the cut as a picture; returns the JPEG's bytes.
std::vector<std::uint8_t> RecodeJpegRect(const std::string& path, int left, int top, int width,
                                         int height);

}  // namespace trimora
