// The lossless decision, in one place: which output type a picture gets, when its selection is
// held on the 16-pixel JPEG block grid (block size 16, cut by jpegtran) and when it must take the
// decoding road (block size 1), the type menu of the strip entries, and the colour of their
// type buttons. Every presenter and the crop-and-save run ask these rules; none keeps its own.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "folder/cutting_record.h"
#include "formats/format_tables.h"

namespace trimora {

// Block sizes of a selection: the JPEG block grid (lossless JPEG) and single pixels.
inline constexpr int kJpegBlockSize = 16;
inline constexpr int kPixelBlockSize = 1;

// An output type word ("JPG", "TIF", "BMP", "PNG") and whether JPEG output is lossy.
struct FileTypeChoice {
  std::string type;
  bool lossy = false;
  bool operator==(const FileTypeChoice&) const = default;
};

// The two default type pairs the main window keeps from the settings FileFormat1 and
// FileFormat2: pair 1 is the preferred output, pair 2 serves pictures that cannot stay
// lossless JPEG.
struct FileTypeDefaults {
  FileTypeChoice first{"JPG", false};
  FileTypeChoice second{"TIF", false};

  // The pairs from the values of FileFormat1 (0 and 1 "JPG", 1 lossy, 2 "TIF", 3 "BMP",
  // 4 "PNG") and FileFormat2 (0 "JPG" lossy, 1 "TIF", 2 "BMP", 3 "PNG"); a value out of range
  // keeps the type text of the default pair, while the lossy flags follow the values.
  static FileTypeDefaults FromSettings(int fileFormat1, int fileFormat2);
  // These pairs after new values of FileFormat1 and FileFormat2 (the settings dialog): the
  // same rules, where a value out of range keeps this pair's type text.
  FileTypeDefaults WithSettings(int fileFormat1, int fileFormat2) const;
  // Pair 1 is lossless JPEG.
  bool PrefersLosslessJpeg() const { return first.type == "JPG" && !first.lossy; }
  bool operator==(const FileTypeDefaults&) const = default;
};

// The corrections applied to a picture; any of them keeps it off the lossless road.
struct AppliedCorrections {
  bool redEye = false;          // a red-eye filter
  bool autoCorrection = false;  // the automatic correction
  bool enlargement = false;     // side stripes
  bool Any() const { return redEye || autoCorrection || enlargement; }
};

// The corrections a stored record holds.
AppliedCorrections CorrectionsOf(const CuttingRecord& record);

// The format can be cut on the block grid: scalable (FormatID >= 0), or both pixel sides are
// multiples of 16.
bool FormatOnBlockGrid(const FormatRecord& format);

// The output type of pictures not shown yet: pair 1 when the default format stays on the block
// grid and neither a red-eye filter nor the automatic correction is applied to the picture on
// screen (`onScreen`), else pair 2.
FileTypeChoice DefaultFileType(const FileTypeDefaults& defaults, const FormatRecord& defaultFormat,
                               const AppliedCorrections& onScreen);

// The block size that goes with an output type: 16 for lossless JPEG, else 1.
int BlockSizeFor(const FileTypeChoice& choice);

// Whether "JPG (verlustfrei)" may be chosen for the picture on screen: its format stays on the
// block grid and no correction is applied.
bool LosslessEntryEnabled(const FormatRecord& currentFormat, const AppliedCorrections& applied);

// Whether the picture on screen goes back onto the block grid (block size 1 to 16) after its
// format was applied or a correction was taken back: the lossless entry is enabled, pair 1 is
// lossless JPEG, the picture's own type is JPEG (null or empty counts as JPEG: a picture never
// typed otherwise) and the caller allows it (`mayAlignToBlocks`).
bool ReturnsToBlockGrid(bool losslessEntryEnabled, int blockSize, const FileTypeDefaults& defaults,
                        const std::optional<std::string>& fileType, bool mayAlignToBlocks);

// The type button of a strip entry is drawn red exactly for lossy JPEG: type "JPG" with block
// size 1.
bool TypeButtonRed(const std::optional<std::string>& fileType,
                   std::optional<std::int32_t> blockSize);
bool TypeButtonRed(const CuttingRecord& record);

// A selection in blocks.
struct BlockSelection {
  std::int32_t x = 0, y = 0, width = 0, height = 0;
  bool operator==(const BlockSelection&) const = default;
};

// The selection moved from blocks of `from` to blocks of `to` pixels: times 16 onto the pixel
// grid, divided by 16 (toward zero) onto the block grid; unchanged when both are equal.
BlockSelection MoveToGrid(BlockSelection selection, int from, int to);

// One entry of the type menu of a strip entry.
struct TypeMenuEntry {
  std::string_view name;     // the menu item's name
  std::string_view caption;  // its caption
  int tag = 1;               // the block size it asks for
  std::string_view type;     // the type word: the caption's first three letters
};

// The type menu's five entries in order: "JPG (verlustfrei)" (tag 16), "JPG (verlustbehaftet)",
// "TIF (verlustfrei)", "BMP (verlustfrei)", "PNG (verlustfrei)" (tag 1).
const std::array<TypeMenuEntry, 5>& TypeMenu();

// Whether "JPG (verlustfrei)" may be chosen for a picture that is not on screen: its record
// holds no correction and its stored format (when it names one; `storedFormat` null for a
// picture never shown) stays on the block grid.
bool LosslessAllowedForRecord(const CuttingRecord& record, const FormatRecord* storedFormat);

// A type chosen in the menu of a picture that is not on screen: its record takes the type word
// and the block size the entry asks for (16 only where LosslessAllowedForRecord), and a stored
// selection moves to the new grid.
void ChooseTypeForRecord(CuttingRecord& record, const TypeMenuEntry& entry,
                         const FormatRecord* storedFormat);

// The crop-and-save run cuts the record with jpegtran: block size 16, type "JPG" and no
// correction. A record that holds a correction (a table written by an older release may hold
// such records with block size 16) is cut by decoding, with its corrections.
bool TakesLosslessRoad(const CuttingRecord& record);

}  // namespace trimora
