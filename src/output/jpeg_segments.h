// The marker segments at the head of a JPEG file (everything before the first scan), found
// with bounds-checked reads, so that single segments can be taken out or replaced.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace trimora {

// One marker segment: FF, the marker byte, a big-endian length and the payload.
struct SegmentSpan {
  std::uint8_t marker = 0;  // E0 for APP0, E1 for APP1, ED for APP13, FE for COM, ...
  std::size_t offset = 0;   // position of its FF
  std::size_t size = 0;     // bytes from its FF to its end (2 + the length field's value)
};

// The segments between the start-of-image marker and the first start-of-scan marker (SOS
// included, as a segment whose size covers only its header). Empty when `jpeg` does not start
// with FF D8 or a length leaves the data.
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
