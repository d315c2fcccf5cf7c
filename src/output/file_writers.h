// The lossless output file writers of the decoding road: TIFF in the program's fixed layout,
// Windows bitmap and PNG. Each writes a temporary file and renames it over `path`, so a
// failed write leaves whatever stood there before. The pixels may come whole or row batch by
// row batch straight from the decoder; the file is the same either way.
#pragma once

#include <memory>
#include <string>

#include "imaging/pixel_rows.h"

namespace trimora {

// Takes a picture's rows top to bottom, in batches of any height, and writes them.
class RowWriter {
 public:
  virtual ~RowWriter() = default;
  // The next rows below those given before; throws trimora::Error when they cannot be written
  // or would run past the picture's height.
  virtual void AddRows(const PixelRows& rows) = 0;
  // After the last row: completes the file and gives it its name; throws trimora::Error when
  // rows are missing or the file cannot be completed. A writer destroyed without Finish leaves
  // no file behind.
  virtual void Finish() = 0;
};

// The writers of a width x height picture into `path`; they throw trimora::Error at once for a
// size the format cannot hold and when the temporary file cannot be created.
std::unique_ptr<RowWriter> StartTiff(const std::string& path, int width, int height);
std::unique_ptr<RowWriter> StartBmp(const std::string& path, int width, int height,
                                    int bitsPerPixel);
std::unique_ptr<RowWriter> StartPng(const std::string& path, int width, int height);

// Little-endian TIFF, uncompressed RGB in one strip, the fixed fifteen-entry directory behind
// the strip.
void WriteTiff(const std::string& path, const PixelRows& pixels);

// Windows bitmap: file header, 40-byte information header, rows bottom-up padded to 4 bytes
// (each written at its place as it comes); `bitsPerPixel` is 32 or 24 (24 after the automatic
// correction).
void WriteBmp(const std::string& path, const PixelRows& pixels, int bitsPerPixel);

// PNG: 8-bit RGB, no alpha, no palette, not interlaced, no ancillary chunks. Each row takes
// the filter among "Sub", "Up" and "Paeth" whose bytes have the smallest sum of absolute
// values (as signed numbers), and zlib compresses at level 2 with its default matching: files
// about as small as the usual tools' at a fraction of their time.
void WritePng(const std::string& path, const PixelRows& pixels);

}  // namespace trimora
