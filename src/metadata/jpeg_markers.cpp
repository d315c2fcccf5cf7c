#include "metadata/jpeg_markers.h"

#include <algorithm>
#include <cstring>

namespace trimora {

namespace {

// Markers without a length field: start and end of image, restart markers, TEM.
bool Standalone(std::uint8_t marker) {
  return marker == 0xD8 || marker == 0xD9 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01;
}

}  // namespace

bool JpegByteSource::Skip(std::size_t n) {
  for (; n > 0; --n) {
    if (Get() < 0) return false;
  }
  return true;
}

bool SpanByteSource::Read(std::uint8_t* to, std::size_t n) {
  if (n > bytes_.size() - at_) {
    at_ = bytes_.size();
    return false;
  }
  std::copy_n(bytes_.data() + at_, n, to);
  at_ += n;
  return true;
}

bool SpanByteSource::Skip(std::size_t n) {
  if (n > bytes_.size() - at_) {
    at_ = bytes_.size();
    return false;
  }
  at_ += n;
  return true;
}

MarkerRead NextMarker(JpegByteSource& source, MarkerHeader& header) {
  header = MarkerHeader{};
  int c = source.Get();
  while (c == 0xFF) {
    header.prefixed = true;
    c = source.Get();
  }
  if (c < 0) return MarkerRead::kEnd;
  header.marker = static_cast<std::uint8_t>(c);
  const std::size_t markerAt = source.Position() - 1;
  header.offset = markerAt > 0 ? markerAt - 1 : 0;
  if (Standalone(header.marker)) return MarkerRead::kStandalone;
  std::uint8_t length[2];
  if (!source.Read(length, 2)) return MarkerRead::kTruncated;
  header.length = static_cast<std::uint16_t>(length[0] << 8 | length[1]);
  return header.length < 2 ? MarkerRead::kBadLength : MarkerRead::kSegment;
}

std::vector<SegmentSpan> ListHeaderSegments(std::span<const std::uint8_t> jpeg) {
  std::vector<SegmentSpan> segments;
  if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) return segments;
  SpanByteSource source(jpeg.subspan(2));
  for (;;) {
    MarkerHeader header;
    const MarkerRead read = NextMarker(source, header);
    // Data that ends, or an end marker, before any scan: the segments found so far.
    if (read == MarkerRead::kEnd || read == MarkerRead::kTruncated ||
        read == MarkerRead::kStandalone) {
      break;
    }
    if (read == MarkerRead::kBadLength || !header.prefixed) return {};
    const std::size_t offset = 2 + header.offset;
    if (header.length - 2u > jpeg.size() - source.Position() - 2) return {};
    segments.push_back({header.marker, offset, 2u + header.length});
    if (header.marker == 0xDA) break;  // start of scan: entropy-coded data follows
    source.Skip(header.length - 2u);
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
