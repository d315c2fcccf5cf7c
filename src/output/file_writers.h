// The lossless output file writers of the decoding road: TIFF in the program's fixed layout,
// Windows bitmap and PNG. Each writes a temporary file and renames it over `path`, so a
// failed write leaves whatever stood there before.
#pragma once

#include <string>

#include "imaging/pixel_rows.h"

namespace trimora {

// Little-endian TIFF, uncompressed RGB in one strip, the fixed fifteen-entry directory behind
// the strip.
void WriteTiff(const std::string& path, const PixelRows& pixels);

// Windows bitmap: file header, 40-byte information header, rows bottom-up padded to 4 bytes;
// `bitsPerPixel` is 32 or 24 (24 after the automatic correction).
void WriteBmp(const std::string& path, const PixelRows& pixels, int bitsPerPixel);

// PNG: 8-bit RGB, no alpha, no palette, not interlaced, no ancillary chunks; every row with
// the "Paeth" filter, compressed for speed (zlib's fastest level, run-length matching).
void WritePng(const std::string& path, const PixelRows& pixels);

}  // namespace trimora
