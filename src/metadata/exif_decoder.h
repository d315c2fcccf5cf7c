// The Exif decoder: directories, sub-directories, GPS, maker note and thumbnail directory of
// one Exif section, turned into lists of display values.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "metadata/byte_reader.h"
#include "metadata/tag_entry.h"

namespace trimora::metadata {

// Where a number of the picture size lies in the section's bytes (0-based), and its width.
struct SizeField {
  std::uint64_t index = 0;
  int width = 0;  // 2 for a SHORT, 4 for a LONG, 0 when the stored type cannot be written
};

// Decodes an Exif section: its bytes are the two length bytes followed by the payload, so
// "Exif" starts at index 2 and the TIFF header at index 8 (a TIFF offset X lies at X + 8).
// The decoder works on the caller's buffer, which must outlive it; SetPictureSize and
// RemoveThumbnail change that buffer.
class ExifDecoder {
 public:
  // Decodes the section at once. A bad header leaves everything empty (decoded() is false);
  // a first directory that cannot be read throws a ParseError.
  explicit ExifDecoder(std::vector<std::uint8_t>& section);
  ExifDecoder(const ExifDecoder&) = delete;
  ExifDecoder& operator=(const ExifDecoder&) = delete;

  // True when the section had an "Exif" header and a byte-order mark.
  bool decoded() const { return decoded_; }
  // Byte order of the section (Intel until a Motorola mark was read).
  ByteOrder byteOrder() const { return order_; }

  // Summary fields.
  const std::string& ExifVersion() const { return exifVersion_; }
  const std::string& Make() const { return make_; }
  const std::string& Model() const { return model_; }
  const std::string& PhotoDate() const { return photoDate_; }
  // The first Orientation entry of the main directories (1..8 as stored), 0 when none.
  int Orientation() const { return orientation_; }
  std::int64_t PictureWidth() const { return width_; }
  std::int64_t PictureHeight() const { return height_; }
  std::int64_t FlashValue() const { return flash_; }
  const std::string& Comment() const { return comment_; }

  // TIFF offset of the second image directory (the thumbnail directory), 0 when none.
  std::uint32_t ThumbnailOffset() const { return thumbOffset_; }
  // Length of the thumbnail part: section length + 3 - thumbnail offset (may be negative).
  std::int64_t ThumbnailLength() const { return thumbLength_; }
  // True when there is a thumbnail directory worth showing (offset > 21, length > 256).
  bool HasThumbnail() const { return thumbOffset_ > 21 && thumbLength_ > 256; }
  // Thumbnail compression read from the thumbnail directory (0 until it is read).
  std::int64_t ThumbnailCompression() const { return thumbCompression_; }

  // Decodes the thumbnail directory into the thumbnail list. Throws a ParseError when its
  // entries cannot be read.
  void ReadThumbnailDirectory();

  // The Exif and GPS values (kExifTid) in reading order.
  const std::vector<TagEntry>& ExifValues() const { return exifValues_; }
  // The maker-note values (kMakerTid) in reading order.
  const std::vector<TagEntry>& MakerValues() const { return makerValues_; }
  // The values of the thumbnail directory.
  const std::vector<TagEntry>& ThumbnailValues() const { return thumbValues_; }
  // True when a maker note's Make text selected a known camera family.
  bool MakerFamilyKnown() const { return makerKnown_; }

  // Puts both value cursors back to the start.
  void Restart() { exifCursor_ = makerCursor_ = 0; }
  // The next value of the given list (kExifTid or kMakerTid), or nullptr when none is left.
  const TagEntry* Next(int tid);
  // Puts the thumbnail cursor back to the start.
  void RestartThumbnail() { thumbCursor_ = 0; }
  // The next value of the thumbnail list, or nullptr.
  const TagEntry* NextThumbnail();

  // The first Exif value with this name (compared without regard to case), or nullptr.
  const TagEntry* FindValue(std::string_view name) const;

  // Writes a new picture size into the width and height entries when both stored values are
  // above 0 and differ from w and h; in the section's byte order and stored width.
  void SetPictureSize(std::uint32_t w, std::uint32_t h);
  // Exchanges the stored width and height entries (after a quarter turn).
  void SwapPictureSize();
  // Sets every Orientation entry of the main directories to 1 (normal); false when none.
  bool ResetOrientation();
  // Removes the thumbnail directory and its data from the section and fixes the length field.
  // Throws trimora::Error when the section was not decoded.
  void RemoveThumbnail();

  // The section's byte reader (used by the maker-note decoder).
  ByteReader reader() const { return ByteReader(*section_, order_); }
  // Appends a maker-note value (used by the maker-note decoder).
  void AddMakerValue(TagEntry entry);
  // Records that a maker note's Make text selected a family.
  void SetMakerFamilyKnown() { makerKnown_ = true; }
  // Records that the bytes [begin, end) of the section hold data that must be kept when the
  // thumbnail is removed.
  void NoteSectionUse(std::uint64_t begin, std::uint64_t end);
  // Counts one directory entry against the work allowed per section; false when it is used
  // up, so that crafted blocks cannot make decoding take long.
  bool SpendEntry();
  // Copies a value's bytes into its Raw; once the bytes allowed per section are used up,
  // only the first 64 bytes of a value are kept.
  void KeepRaw(std::string& to, std::span<const std::uint8_t> raw);

 private:
  enum class Kind { Main, Gps, Thumbnail };
  void DecodeDirectory(std::uint64_t index, Kind kind, int depth);
  void DecodeEntry(const ByteReader& r, std::uint64_t entry, Kind kind, int depth);
  void ComputeFocalLength35();

  std::vector<std::uint8_t>* section_;
  ByteOrder order_ = ByteOrder::Intel;
  bool decoded_ = false;
  std::int64_t limit_ = 0;  // base + limit of the directory size test (section length + 3)

  std::string exifVersion_, make_, model_, photoDate_, comment_;
  bool originalDate_ = false;
  std::int64_t width_ = 0, height_ = 0, flash_ = 0, thumbCompression_ = 0;
  int orientation_ = 0;
  std::vector<SizeField> widthFields_, heightFields_, orientationFields_;

  bool thumbRecorded_ = false;
  std::uint32_t thumbOffset_ = 0;
  std::int64_t thumbLength_ = 0;
  std::uint64_t thumbPointerIndex_ = 0;  // where the first directory's pointer to it lies
  std::uint64_t usedEnd_ = 0;            // end of the data that the main directories use
  std::vector<std::uint64_t> visited_;   // directories decoded so far (loop protection)
  std::size_t entryBudget_ = 100000;     // entries that may still be decoded
  std::size_t rawBudget_ = 4 << 20;      // value bytes that may still be copied

  std::vector<TagEntry> exifValues_, makerValues_, thumbValues_;
  bool makerKnown_ = false;
  std::size_t exifCursor_ = 0, makerCursor_ = 0, thumbCursor_ = 0;
};

}  // namespace trimora::metadata
