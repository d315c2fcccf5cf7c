// The maker-note dispatcher: recognises the camera family by the Make text, finds the
// vendor's directory inside the maker note and decodes it with the family's table.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "metadata/tag_entry.h"

namespace trimora::metadata {

class ExifDecoder;

// How the value offsets of a maker directory are counted.
enum class MakerOffsets {
  Tiff,        // TIFF offsets, like the Exif directories
  FromByte10,  // from byte 10 of the maker note
  FromByte0,   // from the maker note's first byte
};

// One row of the dispatch table: which Make selects which layout and table.
struct MakerLayout {
  std::string_view makePrefix;  // first five characters of Make in capitals
  enum class Condition { Always, ExifVersionAbove0210, NoteBeginsWithNikon } condition;
  TagTable (*table)();
  std::uint32_t directoryAt;  // byte of the maker note that holds the entry count
  MakerOffsets offsets;
  bool intelAlways;                    // the note is Intel-ordered whatever the Exif block says
  std::uint64_t sectionFallbackShift;  // a value past the note's end is read at offset + this
};

// Decodes maker notes into an Exif decoder's maker list.
class MakerNoteDecoder {
 public:
  // The layout for a Make text, Exif version and maker note, or nullptr for unknown makes.
  static const MakerLayout* LayoutFor(std::string_view make, std::string_view exifVersion,
                                      std::span<const std::uint8_t> note);

  // Decodes the maker note (its bytes and their index in the Exif section) into the decoder's
  // maker list; true when the Make text selected a family. An error inside the note ends the
  // maker values where it occurred.
  static bool DecodeMakerNote(ExifDecoder& exif, std::span<const std::uint8_t> note,
                              std::uint64_t noteIndex);
};

}  // namespace trimora::metadata
