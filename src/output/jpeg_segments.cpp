#include "output/jpeg_segments.h"

#include <cstring>

namespace trimora {

std::vector<SegmentSpan> ListHeaderSegments(std::span<const std::uint8_t> jpeg) {
  std::vector<SegmentSpan> segments;
  if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) return segments;
  std::size_t at = 2;
  while (at + 4 <= jpeg.size()) {
    if (jpeg[at] != 0xFF) return {};
    const std::uint8_t marker = jpeg[at + 1];
    if (marker == 0xFF) {  // fill byte before a marker
      ++at;
      continue;
    }
    const std::size_t length = static_cast<std::size_t>(jpeg[at + 2]) << 8 | jpeg[at + 3];
    if (length < 2 || at + 2 + length > jpeg.size()) return {};
    segments.push_back({marker, at, 2 + length});
    if (marker == 0xDA) break;  // start of scan: entropy-coded data follows
    at += 2 + length;
  }
  return segments;
}

std::optional<SegmentSpan> FindExifSegment(std::span<const std::uint8_t> jpeg) {
  static constexpr std::uint8_t kExif[6] = {'E', 'x', 'i', 'f', 0, 0};
  for (const SegmentSpan& s : ListHeaderSegments(jpeg)) {
    if (s.marker == 0xE1 && s.size >= 4 + sizeof kExif &&
        std::memcmp(jpeg.data() + s.offset + 4, kExif, sizeof kExif) == 0) {
      return s;
    }
  }
  return std::nullopt;
}

std::optional<FrameSize> ReadFrameSize(std::span<const std::uint8_t> jpeg) {
  for (const SegmentSpan& s : ListHeaderSegments(jpeg)) {
    const bool frame = s.marker >= 0xC0 && s.marker <= 0xCF && s.marker != 0xC4 &&
                       s.marker != 0xC8 && s.marker != 0xCC;
    if (frame && s.size >= 2 + 2 + 5) {
      const std::uint8_t* p = jpeg.data() + s.offset + 4;  // precision, height, width
      return FrameSize{p[3] << 8 | p[4], p[1] << 8 | p[2]};
    }
  }
  return std::nullopt;
}

}  // namespace trimora
