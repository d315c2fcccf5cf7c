// Builds small Exif blocks and JPEG files for tests, in either byte order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "metadata/byte_reader.h"

namespace trimora::metadata::testing {

// One directory entry: numbers (fractions as numerator, denominator pairs) or bytes.
struct Entry {
  std::uint16_t tag = 0;
  std::uint16_t type = 0;
  std::vector<std::uint32_t> numbers;  // SHORT, LONG, RATIONAL ... values
  std::string bytes;                   // BYTE, ASCII, UNDEFINED contents (stored as given)
  int subDirectory = -1;               // when >= 0: a LONG holding that directory's offset
  std::uint32_t countOverride = 0;     // when non-zero: the count written instead
  std::int64_t offsetOverride = -1;    // when >= 0: the value offset written instead
};

Entry Short(std::uint16_t tag, std::vector<std::uint32_t> values);
Entry Long(std::uint16_t tag, std::vector<std::uint32_t> values);
Entry Rational(std::uint16_t tag, std::vector<std::uint32_t> pairs);
Entry Ascii(std::uint16_t tag, const std::string& text);  // NUL added
Entry Undefined(std::uint16_t tag, const std::string& bytes);
Entry Bytes(std::uint16_t tag, const std::string& bytes);
Entry Pointer(std::uint16_t tag, int directory);

// A directory and the directory its next pointer names (-1: none).
struct Directory {
  std::vector<Entry> entries;
  int next = -1;
};

// The TIFF data: header, then the directories one after the other, each followed by its
// out-of-line values. Directory 0 is the first directory.
std::vector<std::uint8_t> BuildTiff(ByteOrder order, const std::vector<Directory>& dirs);

// The TIFF offset at which directory i lands.
std::uint32_t DirectoryOffset(ByteOrder order, const std::vector<Directory>& dirs, int i);

// An Exif section: 16-bit length, "Exif\0\0", the TIFF data.
std::vector<std::uint8_t> ExifSection(const std::vector<std::uint8_t>& tiff);

// A JPEG file: FF D8, the given segments (marker, payload without length), a scan, FF D9.
std::vector<std::uint8_t> Jpeg(const std::vector<std::pair<std::uint8_t, std::string>>& segments);

// The Exif section's payload (without the length bytes) as a segment for Jpeg().
std::pair<std::uint8_t, std::string> App1(const std::vector<std::uint8_t>& section);

// A maker directory: count and entries at byte dirAt of a note that starts with prefix;
// out-of-line values follow, their offsets counted from byte offsetBase of the note plus
// extra (so TIFF-relative notes pass the note's TIFF offset as extra).
std::string MakerNote(ByteOrder order, const std::string& prefix, std::size_t dirAt,
                      const std::vector<Entry>& entries, std::int64_t offsetBase,
                      std::int64_t extra = 0);

// Writes bytes to a file.
void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace trimora::metadata::testing
