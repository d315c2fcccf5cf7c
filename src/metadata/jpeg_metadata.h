// The metadata of one JPEG file: its sections (APP0 header, APP1 Exif, APP13 IPTC, COM
// comment), the Exif and IPTC decoders over them, and the summaries made from them.
//
// For writing JPEG files (the output code): read the source with ReadMetadata; when it returns
// true and ErrorText() is "<none>", call RemoveThumbnail() (ignore its failure) and
// SetPictureSize(w, h), then write FF D8, SegmentBytes() of ExifSection() (or HeaderSection(),
// or a JFIF header of your own), of IptcSection() and of CommentSection() when present, then
// the encoded picture. For editing an Exif block or a file that jpegtran wrote, see
// metadata/exif_edit.h.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "metadata/exif_decoder.h"
#include "metadata/iptc_decoder.h"
#include "metadata/jpeg_markers.h"

namespace trimora::metadata {

// One section of a JPEG file.
struct Section {
  std::uint8_t marker = 0;          // the byte after FF: E0, E1, ED, FE, ...
  std::uint16_t length = 0;         // the 16-bit length field (includes its own two bytes)
  std::vector<std::uint8_t> bytes;  // the two length bytes followed by the payload
};

// FF, the section's marker and its bytes: the section as it is written into a JPEG file.
std::vector<std::uint8_t> SegmentBytes(const Section& section);

// Error texts of ReadMetadata.
inline constexpr std::string_view kNoError = "<none>";
inline constexpr std::string_view kNotExif = "Not an EXIF file";
inline constexpr std::string_view kIllegalExif = "Illegal Exif construction";

// Reads the metadata sections of one JPEG file.
class JpegMetadata {
 public:
  JpegMetadata();
  ~JpegMetadata();
  JpegMetadata(const JpegMetadata&) = delete;
  JpegMetadata& operator=(const JpegMetadata&) = delete;

  // Reads the file; true when at least one Exif, IPTC or comment section was found. Never
  // throws for bad content: see ErrorText(). Everything is reset first.
  bool ReadMetadata(const std::string& path);
  // The same for a file already in memory (name without folder, size = bytes.size(), no date).
  bool ReadMetadataFromBytes(std::span<const std::uint8_t> file, std::string_view fileName);

  // "<none>", "Not an EXIF file", "Illegal Exif construction", or empty (file missing).
  const std::string& ErrorText() const { return errorText_; }
  // The file's name without its folder.
  const std::string& FileName() const { return fileName_; }
  // The file's size in bytes.
  std::uint64_t FileSize() const { return fileSize_; }
  // The file's last-write time in seconds since 1970 (0 when unknown).
  std::int64_t FileTime() const { return fileTime_; }

  // The sections read (at most 20).
  const std::vector<Section>& Sections() const { return sections_; }
  // The header (APP0), Exif (APP1), IPTC (APP13) and comment (COM) sections, or nullptr.
  const Section* HeaderSection() const { return Ref(header_); }
  const Section* ExifSection() const { return Ref(exif_); }
  const Section* IptcSection() const { return Ref(iptc_); }
  const Section* CommentSection() const { return Ref(comment_); }

  // The Exif decoder, when an Exif section was found and its first directory could be read.
  ExifDecoder* Exif() { return exifDecoder_.get(); }
  const ExifDecoder* Exif() const { return exifDecoder_.get(); }
  // The IPTC decoder, when an IPTC section was found.
  const IptcDecoder* Iptc() const { return iptcDecoder_.get(); }
  // Byte order of the Exif section (Intel when none was read).
  ByteOrder byteOrder() const { return exifDecoder_ ? exifDecoder_->byteOrder() : order_; }

  // The comment section's payload; empty without one.
  std::string CommentText() const;
  // The IPTC lines of the IPTC section; empty without one.
  std::vector<std::string> IptcLines() const;

  // Several lines joined by "\r\n": file, size, date, camera, size and exposure.
  std::string LongSummary() const;
  // One line: file, size, photo date, picture size, flash.
  std::string ShortSummary() const;

  // Writes the new picture size into the Exif section (see ExifDecoder::SetPictureSize);
  // does nothing when the section holds no picture size (or no Exif data at all).
  void SetPictureSize(std::uint32_t w, std::uint32_t h);
  // Removes the thumbnail from the Exif section. Throws trimora::Error without a decoded
  // Exif section.
  void RemoveThumbnail();

 private:
  const Section* Ref(int index) const { return index < 0 ? nullptr : &sections_[index]; }
  void Reset();
  bool ScanSections(JpegByteSource& source);
  ExifDecoder& DecodedExif();

  std::string errorText_, fileName_;
  std::uint64_t fileSize_ = 0;
  std::int64_t fileTime_ = 0;
  std::vector<Section> sections_;
  int header_ = -1, exif_ = -1, iptc_ = -1, comment_ = -1;
  ByteOrder order_ = ByteOrder::Intel;
  std::unique_ptr<ExifDecoder> exifDecoder_;
  std::unique_ptr<IptcDecoder> iptcDecoder_;
};

}  // namespace trimora::metadata
