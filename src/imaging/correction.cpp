#include "imaging/correction.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define TRIMORA_HAVE_SSE2 1
#endif

#include "imaging/rounding.h"
#include "imaging/row_bands.h"

namespace trimora {

namespace {

// Per-channel counts of blue, green and red values.
struct Histogram {
  std::array<std::uint64_t, 256> blue{}, green{}, red{};

  void add(const Histogram& other) {
    for (int i = 0; i < 256; ++i) {
      blue[i] += other.blue[i];
      green[i] += other.green[i];
      red[i] += other.red[i];
    }
  }
};

// The counting of one band of rows: two sets of 32-bit counters per channel for even and odd
// pixels, so that runs of equal values do not wait on one counter. A band holds fewer than
// 2^32 pixels of each parity.
struct alignas(64) BandCounter {
  std::uint32_t counts[6][256]{};

  void countRow(const std::uint8_t* row, int width) {
    int x = 0;
    for (; x + 2 <= width; x += 2, row += 8) {
      ++counts[0][row[0]];
      ++counts[1][row[1]];
      ++counts[2][row[2]];
      ++counts[3][row[4]];
      ++counts[4][row[5]];
      ++counts[5][row[6]];
    }
    if (x < width) {
      ++counts[0][row[0]];
      ++counts[1][row[1]];
      ++counts[2][row[2]];
    }
  }

  Histogram histogram() const {
    Histogram h;
    for (int i = 0; i < 256; ++i) {
      h.blue[i] = std::uint64_t{counts[0][i]} + counts[3][i];
      h.green[i] = std::uint64_t{counts[1][i]} + counts[4][i];
      h.red[i] = std::uint64_t{counts[2][i]} + counts[5][i];
    }
    return h;
  }
};

// The histogram of all bands.
Histogram Total(const std::vector<BandCounter>& bands) {
  Histogram total;
  for (const BandCounter& band : bands) total.add(band.histogram());
  return total;
}

// Threads for a picture: one per core, and none extra for small pictures.
int BandCount(const Picture& picture) {
  return trimora::BandCount(static_cast<std::size_t>(picture.width()) * picture.height(),
                            picture.height());
}

// The median of three bytes, lane by lane: max(min(a, b), min(max(a, b), c)).
inline std::uint8_t Median3(std::uint8_t a, std::uint8_t b, std::uint8_t c) {
  return std::max(std::min(a, b), std::min(std::max(a, b), c));
}

// Medians of one row from the unchanged copy `in` into `out` (both `bytes` long, 4 per pixel).
void MedianRow(const std::uint8_t* in, std::uint8_t* out, std::size_t bytes) {
  std::size_t i = 4;
  const std::size_t end = bytes - 4;
#ifdef TRIMORA_HAVE_SSE2
  for (; i + 16 <= end; i += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i - 4));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + 4));
    const __m128i m = _mm_max_epu8(_mm_min_epu8(a, b), _mm_min_epu8(_mm_max_epu8(a, b), c));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), m);
  }
#endif
  for (; i < end; ++i) out[i] = Median3(in[i - 4], in[i], in[i + 4]);
}

// Filters rows `first` to `end` - 1, keeping each row's old values in `copy` (one row long).
void MedianRows(Picture& picture, int first, int end, std::uint8_t* copy, BandCounter* counter) {
  const std::size_t bytes = picture.stride();
  for (int y = first; y < end; ++y) {
    std::uint8_t* row = picture.row(y);
    if (picture.width() >= 3) {
      std::memcpy(copy, row, bytes);
      MedianRow(copy, row, bytes);
    }
    for (int x = 0; x < picture.width(); ++x) row[4 * x + 3] = 0xFF;
    if (counter != nullptr) counter->countRow(row, picture.width());
  }
}

// Builds a histogram of the whole picture, band by band.
Histogram CountPicture(const Picture& picture, int parts) {
  std::vector<BandCounter> bands(static_cast<std::size_t>(parts));
  ForRowBands(picture.height(), parts, [&](int first, int end, int part) {
    for (int y = first; y < end; ++y) bands[part].countRow(picture.row(y), picture.width());
  });
  return Total(bands);
}

LevelsRange LevelsFromHistogram(const Histogram& h, double clipFraction) {
  std::array<std::uint64_t, 256> counts{};
  std::uint64_t total = 0;
  for (int i = 0; i < 256; ++i) {
    counts[i] = h.blue[i] + h.green[i] + h.red[i];
    total += counts[i];
  }
  const double clip = static_cast<double>(total) * clipFraction;
  const std::uint64_t c = clip <= 0 ? 0 : static_cast<std::uint64_t>(RoundHalfEven64(clip));
  LevelsRange range;
  std::uint64_t sum = 0;
  for (int i = 0; i < 256; ++i) {
    sum += counts[i];
    if (sum > c) {
      range.low = i;
      break;
    }
  }
  sum = 0;
  for (int i = 255; i >= 0; --i) {
    sum += counts[i];
    if (sum > c) {
      range.high = i;
      break;
    }
  }
  return range;
}

// The stretch as three tables that give each channel's byte already in place in the pixel.
struct LevelsTables {
  std::array<std::uint32_t, 256> blue, green, red;
};

LevelsTables MakeTables(const LevelsRange& levels) {
  int range = levels.high - levels.low;
  if (range == 0) range = 1;
  // The shift that puts a byte at memory position k of a 32-bit word.
  constexpr bool little = std::endian::native == std::endian::little;
  auto at = [](std::uint32_t byte, int k) { return byte << (little ? 8 * k : 24 - 8 * k); };
  LevelsTables t;
  for (int v = 0; v < 256; ++v) {
    const auto mapped =
        static_cast<std::uint32_t>(std::clamp(levels.low + (v - levels.low) * 255 / range, 0, 255));
    t.blue[v] = at(mapped, 0);
    t.green[v] = at(mapped, 1);
    t.red[v] = at(mapped, 2) | at(0xFF, 3);
  }
  return t;
}

void MapRows(Picture& picture, const std::array<std::uint32_t, 256>& blue,
             const std::array<std::uint32_t, 256>& green, const std::array<std::uint32_t, 256>& red,
             int first, int end) {
  for (int y = first; y < end; ++y) {
    std::uint8_t* p = picture.row(y);
    for (int x = 0; x < picture.width(); ++x, p += 4) {
      const std::uint32_t pixel = blue[p[0]] | green[p[1]] | red[p[2]];
      std::memcpy(p, &pixel, 4);  // the tables hold each byte at its place in memory order
    }
  }
}

void StretchPicture(Picture& picture, const LevelsRange& levels, int parts) {
  const LevelsTables t = MakeTables(levels);
  ForRowBands(picture.height(), parts, [&](int first, int end, int) {
    MapRows(picture, t.blue, t.green, t.red, first, end);
  });
}

// The first pass of the automatic correction: filters and counts each row while it is in the
// cache. Returns the range of the stretch.
LevelsRange FilterAndCount(Picture& picture, int parts) {
  std::vector<BandCounter> bands(static_cast<std::size_t>(parts));
  std::vector<std::uint8_t> copies(picture.stride() * static_cast<std::size_t>(parts));
  ForRowBands(picture.height(), parts, [&](int first, int end, int part) {
    MedianRows(picture, first, end, copies.data() + picture.stride() * part, &bands[part]);
  });
  return LevelsFromHistogram(Total(bands), kLevelsClipFraction);
}

}  // namespace

void MedianStep(Picture& picture) {
  if (picture.empty()) return;
  const int parts = BandCount(picture);
  std::vector<std::uint8_t> copies(picture.stride() * static_cast<std::size_t>(parts));
  ForRowBands(picture.height(), parts, [&](int first, int end, int part) {
    MedianRows(picture, first, end, copies.data() + picture.stride() * part, nullptr);
  });
}

LevelsRange FindLevels(const Picture& picture, double clipFraction) {
  if (picture.empty()) return {};
  return LevelsFromHistogram(CountPicture(picture, BandCount(picture)), clipFraction);
}

void LevelsStep(Picture& picture, double clipFraction) {
  if (picture.empty()) return;
  const int parts = BandCount(picture);
  StretchPicture(picture, LevelsFromHistogram(CountPicture(picture, parts), clipFraction), parts);
}

void AutoCorrectPicture(Picture& picture) {
  if (picture.empty()) return;
  // One pass filters and counts each row while it is in the cache; a second one stretches.
  const int parts = BandCount(picture);
  StretchPicture(picture, FilterAndCount(picture, parts), parts);
}

AutoCorrection::AutoCorrection(Picture& picture) : picture_(picture) {
  if (picture.empty()) return;
  const LevelsTables t = MakeTables(FilterAndCount(picture, BandCount(picture)));
  blue_ = t.blue;
  green_ = t.green;
  red_ = t.red;
}

void AutoCorrection::StretchRows(int first, int end) const {
  MapRows(picture_, blue_, green_, red_, std::max(first, 0), std::min(end, picture_.height()));
}

}  // namespace trimora
