// The one walker over the marker segments at the head of a JPEG file (everything before the
// first scan): FF, a marker byte and, for all but the standalone markers, a big-endian length
// and the payload. It reads from any byte source (a file, memory) and checks every length
// against the data, so that segments can be listed, found, taken out or replaced.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace trimora {

// Where the walker reads from: a file or memory, byte by byte or in blocks.
class JpegByteSource {
 public:
  virtual ~JpegByteSource() = default;
  // The next byte, or -1 at the end.
  virtual int Get() = 0;
  // Fills `n` bytes; false when the data ends before.
  virtual bool Read(std::uint8_t* to, std::size_t n) = 0;
  // Skips `n` bytes; false when the data ends before.
  virtual bool Skip(std::size_t n);
  // Bytes read so far.
  virtual std::size_t Position() const = 0;
};

// Bytes held in memory as a source.
class SpanByteSource : public JpegByteSource {
 public:
  explicit SpanByteSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  int Get() override { return at_ < bytes_.size() ? bytes_[at_++] : -1; }
  bool Read(std::uint8_t* to, std::size_t n) override;
  bool Skip(std::size_t n) override;
  std::size_t Position() const override { return at_; }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

// One marker read by NextMarker.
struct MarkerHeader {
  std::uint8_t marker = 0;   // E0 for APP0, E1 for APP1, ED for APP13, FE for COM, DA, D9 ...
  std::size_t offset = 0;    // position of the FF just before the marker byte
  bool prefixed = false;     // an FF stood before the marker byte (a well-formed file)
  std::uint16_t length = 0;  // the length field (2 + payload bytes); 0 for standalone markers
};

// What NextMarker found.
enum class MarkerRead {
  kSegment,     // a marker with its length field; the payload follows in the source
  kStandalone,  // a marker without length (D8, D9, D0..D7, 01)
  kEnd,         // the data ended before a marker
  kTruncated,   // the data ended inside the length field
  kBadLength,   // a length field below 2
};

// Reads the next marker: fill bytes FF are skipped, the byte after them is the marker, and a
// marker that carries a length has it read. The payload is left to the caller (read or skip).
MarkerRead NextMarker(JpegByteSource& source, MarkerHeader& header);

// One marker segment of bytes in memory.
struct SegmentSpan {
  std::uint8_t marker = 0;  // E0 for APP0, E1 for APP1, ED for APP13, FE for COM, ...
  std::size_t offset = 0;   // position of its FF
  std::size_t size = 0;     // bytes from its FF to its end (2 + the length field's value)
};

// The segments between the start-of-image marker and the first start-of-scan marker (SOS
// included, as a segment whose size covers only its header). Empty when `jpeg` does not start
// with FF D8, or a segment is not introduced by FF or leaves the data.
std::vector<SegmentSpan> ListHeaderSegments(std::span<const std::uint8_t> jpeg);

// The first APP1 segment whose payload starts with "Exif\0\0".
std::optional<SegmentSpan> FindExifSegment(std::span<const std::uint8_t> jpeg);

// The pixel size in the frame header (SOF) of a JPEG file; nullopt when there is none.
struct FrameSize {
  int width = 0;
  int height = 0;
};
std::optional<FrameSize> ReadFrameSize(std::span<const std::uint8_t> jpeg);

}  // namespace trimora
