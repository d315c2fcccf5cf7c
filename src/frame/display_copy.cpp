#include "frame/display_copy.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "imaging/row_bands.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#include <xmmintrin.h>
#endif

namespace trimora {

namespace {

// The first source index of target index i when n sources map onto m targets.
int BinStart(int i, int n, int m) { return static_cast<int>(static_cast<long long>(i) * n / m); }

// The end of the bin of target index i (n sources onto m targets): at least one source index,
// so that an enlarged picture repeats its pixels.
int BinEnd(int i, int n, int m) { return std::max(BinStart(i, n, m) + 1, BinStart(i + 1, n, m)); }

void FillBackground(std::uint8_t* px, int count, std::uint32_t bg) {
  const std::uint8_t b = bg & 0xFF, g = (bg >> 8) & 0xFF, r = (bg >> 16) & 0xFF;
  for (int i = 0; i < count; ++i, px += 4) {
    px[0] = b;
    px[1] = g;
    px[2] = r;
    px[3] = 255;
  }
}

// Rounded division of a bin's sum by its pixel count n, (s + n / 2) / n, done as a
// multiplication and a shift where that is exact: with s + n / 2 < 256 n and
// m = 2^k / n + 1 for 2^k >= 2^30 n, the error stays below 1 / n while n < 2^22.
class BinDivisor {
 public:
  explicit BinDivisor(std::uint32_t n) : n_(n), half_(n / 2) {
    if (n < (1u << 22)) {
      int log = 0;
      while ((2u << log) <= n) ++log;
      shift_ = 31 + log;
      m_ = (std::uint64_t{1} << shift_) / n + 1;
    }
  }
  std::uint8_t operator()(std::uint32_t s) const {
    const std::uint64_t x = std::uint64_t{s} + half_;
    return static_cast<std::uint8_t>(m_ != 0 ? (x * m_) >> shift_ : x / n_);
  }
  // The multiplier (below 2^32; 0 where the division is done as such), shift and half of n.
  std::uint32_t Multiplier() const { return static_cast<std::uint32_t>(m_); }
  int Shift() const { return shift_; }
  std::uint32_t Half() const { return half_; }

 private:
  std::uint32_t n_, half_;
  std::uint64_t m_ = 0;
  int shift_ = 0;
};

// The rows of one target row's bin, and the source columns of the target columns in hand.
struct Bins {
  std::vector<const std::uint8_t*> rows;  // from the first source column in hand
  std::vector<int> xs;                    // bin start of each target column, from that column
  std::vector<int> ws;                    // bin width of each target column
  int narrowest = 0;
};

// Column sums of bytes over the rows of a bin, in 32 bits (any number of rows).
void SumRows(const Bins& bins, int bytes, std::uint32_t* sums) {
  std::fill(sums, sums + bytes, 0u);
  for (const std::uint8_t* row : bins.rows) {
    for (int i = 0; i < bytes; ++i) sums[i] += row[i];
  }
}

// The averages of the target pixels from 32-bit column sums.
void AverageColumns(const Bins& bins, const std::uint32_t* sums,
                    const std::vector<BinDivisor>& divisors, std::uint8_t* out) {
  for (std::size_t i = 0; i < bins.xs.size(); ++i, out += 4) {
    const std::uint32_t* s = sums + static_cast<std::size_t>(bins.xs[i]) * 4;
    std::uint32_t b = 0, g = 0, r = 0;
    for (int k = 0; k < bins.ws[i]; ++k, s += 4) {
      b += s[0];
      g += s[1];
      r += s[2];
    }
    const BinDivisor& d = divisors[static_cast<std::size_t>(bins.ws[i] - bins.narrowest)];
    out[0] = d(b);
    out[1] = d(g);
    out[2] = d(r);
    out[3] = 255;
  }
}

#if defined(__SSE2__) || defined(_M_X64)
// Bins of at most 257 rows: column sums in 16 bits, taken over up to eight rows at a time, 16
// bytes of each row per step, so that the sums are written once for the whole bin of six rows
// that a 24-megapixel picture has in a 1000-pixel view.
void SumRows(const Bins& bins, int bytes, std::uint16_t* sums) {
  const __m128i zero = _mm_setzero_si128();
  const std::size_t count = bins.rows.size();
  for (std::size_t first = 0; first < count; first += 8) {
    const std::size_t end = std::min(count, first + 8);
    int i = 0;
    for (; i + 16 <= bytes; i += 16) {
      __m128i lo = zero, hi = zero;
      if (first > 0) {
        lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sums + i));
        hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sums + i + 8));
      }
      for (std::size_t r = first; r < end; ++r) {
        // Eight streams of rows outrun the processor's own prefetching: asked for 512 bytes
        // ahead, the rows come from memory at twice the speed.
        _mm_prefetch(reinterpret_cast<const char*>(bins.rows[r] + i + 512), _MM_HINT_T0);
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bins.rows[r] + i));
        lo = _mm_add_epi16(lo, _mm_unpacklo_epi8(v, zero));
        hi = _mm_add_epi16(hi, _mm_unpackhi_epi8(v, zero));
      }
      _mm_storeu_si128(reinterpret_cast<__m128i*>(sums + i), lo);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(sums + i + 8), hi);
    }
    for (; i < bytes; ++i) {
      std::uint16_t s = first > 0 ? sums[i] : 0;
      for (std::size_t r = first; r < end; ++r) s = static_cast<std::uint16_t>(s + bins.rows[r][i]);
      sums[i] = s;
    }
  }
}

// The averages of the target pixels from 16-bit column sums. The bins of a row are `narrowest`
// or one more columns wide: the narrow part is summed in a loop of fixed length and the last
// column added under a mask, the four channels of a column widened to 32 bits in one register,
// and divided there by multiplication.
void AverageColumns(const Bins& bins, const std::uint16_t* sums,
                    const std::vector<BinDivisor>& divisors, std::uint8_t* out) {
  const __m128i zero = _mm_setzero_si128();
  const int narrow = bins.narrowest;
  auto column = [&](const std::uint16_t* s) {
    return _mm_unpacklo_epi16(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(s)), zero);
  };
  bool exact = true;
  for (const BinDivisor& d : divisors) exact = exact && d.Multiplier() != 0;
  for (std::size_t i = 0; i < bins.xs.size(); ++i, out += 4) {
    const std::uint16_t* s = sums + static_cast<std::size_t>(bins.xs[i]) * 4;
    __m128i acc = column(s);
    for (int k = 1; k < narrow; ++k) acc = _mm_add_epi32(acc, column(s + k * 4));
    const int wide = bins.ws[i] - narrow;  // 0 or 1
    acc = _mm_add_epi32(acc, _mm_and_si128(column(s + narrow * 4), _mm_set1_epi32(-wide)));
    const BinDivisor& d = divisors[static_cast<std::size_t>(wide)];
    if (exact) {
      const __m128i m = _mm_set1_epi32(static_cast<int>(d.Multiplier()));
      const __m128i shift = _mm_cvtsi32_si128(d.Shift());
      const __m128i x = _mm_add_epi32(acc, _mm_set1_epi32(static_cast<int>(d.Half())));
      const __m128i even = _mm_srl_epi64(_mm_mul_epu32(x, m), shift);
      const __m128i odd = _mm_srl_epi64(_mm_mul_epu32(_mm_srli_epi64(x, 32), m), shift);
      const __m128i q = _mm_or_si128(even, _mm_slli_epi64(odd, 32));
      const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(q, q), zero);
      const std::uint32_t pixel =
          static_cast<std::uint32_t>(_mm_cvtsi128_si32(bytes)) | 0xFF000000u;
      std::memcpy(out, &pixel, 4);
    } else {
      alignas(16) std::uint32_t total[4];
      _mm_store_si128(reinterpret_cast<__m128i*>(total), acc);
      out[0] = d(total[0]);
      out[1] = d(total[1]);
      out[2] = d(total[2]);
      out[3] = 255;
    }
  }
}
#endif

// Averages the source bins of target columns x0 to x1 - 1 in rows y0 to y1 - 1 of `out`
// (ScaleToView of `src` at out's size), handing the source rows of each target row to
// `finishRows` first when there is one. Sum holds 255 times the rows of a bin.
template <typename Sum>
void ScaleBinsWith(const Picture& src, Picture& out, int x0, int x1, int y0, int y1,
                   const std::function<void(int, int)>* finishRows) {
  const int W = out.width(), H = out.height();
  const int P = src.width(), Q = src.height();
  Bins bins;
  const int first = BinStart(x0, P, W);
  bins.narrowest = P;
  for (int x = x0; x < x1; ++x) {
    bins.xs.push_back(BinStart(x, P, W) - first);
    bins.ws.push_back(BinEnd(x, P, W) - BinStart(x, P, W));
    bins.narrowest = std::min(bins.narrowest, bins.ws.back());
  }
  const int bytes = (BinEnd(x1 - 1, P, W) - first) * 4;
  // One column more, always zero: the masked column beside the last bin.
  std::vector<Sum> sums(static_cast<std::size_t>(bytes) + 4);
  std::vector<BinDivisor> divisors;
  int divisorRows = -1;
  for (int y = y0; y < y1; ++y) {
    const int ya = BinStart(y, Q, H), yb = BinEnd(y, Q, H);
    if (finishRows != nullptr) (*finishRows)(ya, yb);
    bins.rows.clear();
    for (int sy = ya; sy < yb; ++sy)
      bins.rows.push_back(src.row(sy) + static_cast<std::size_t>(first) * 4);
    SumRows(bins, bytes, sums.data());
    if (yb - ya != divisorRows) {
      // The bins of a row are `narrowest` or one more columns wide: a divisor for each.
      divisorRows = yb - ya;
      divisors.clear();
      for (int w = bins.narrowest; w <= bins.narrowest + 1; ++w)
        divisors.emplace_back(static_cast<std::uint32_t>(w * divisorRows));
    }
    AverageColumns(bins, sums.data(), divisors, out.row(y) + static_cast<std::size_t>(x0) * 4);
  }
}

// ScaleBinsWith in sums of 16 bits where the rows of the bins allow it and the processor adds
// them in vector registers.
void ScaleBins(const Picture& src, Picture& out, int x0, int x1, int y0, int y1,
               const std::function<void(int, int)>* finishRows = nullptr) {
  if (x0 >= x1 || y0 >= y1) return;
#if defined(__SSE2__) || defined(_M_X64)
  // The tallest bin has Q / H rows rounded up.
  if (src.height() / out.height() + 1 <= 257) {
    ScaleBinsWith<std::uint16_t>(src, out, x0, x1, y0, y1, finishRows);
    return;
  }
#endif
  ScaleBinsWith<std::uint32_t>(src, out, x0, x1, y0, y1, finishRows);
}

// The first target index whose bin reaches beyond source index `from` - 1, and the end of the
// targets whose bins start before `to` (n sources onto m targets).
std::pair<int, int> TargetsMeeting(int from, int to, int n, int m) {
  int begin = 0;
  while (begin < m && BinEnd(begin, n, m) <= from) {
    ++begin;
  }
  int end = begin;
  while (end < m && BinStart(end, n, m) < to) ++end;
  return {begin, end};
}

// ScaleToView into `out`, with the rows finished by `finishRows` first when there is one, and
// `meanwhile` run on the calling thread while the other threads scale (or before, when there
// are none).
void Scale(
    const Picture& src, int W, int H, const std::function<void(int, int)>* finishRows, Picture& out,
    const std::function<void()>& meanwhile = [] {}) {
  if (src.empty()) {
    out = Picture();
    meanwhile();
    return;
  }
  const int Q = src.height();
  // Every source pixel is read once: bands of target rows share the reading among the cores.
  const int parts = BandCount(static_cast<std::size_t>(src.width()) * Q, std::max(H, 1));
  if (finishRows != nullptr && (W <= 0 || H <= 0 || Q < H)) {
    // Nothing to scale, or bins that share rows: the rows are finished first.
    ForRowBands(Q, parts, [&](int first, int end, int) { (*finishRows)(first, end); });
    finishRows = nullptr;
  }
  if (W <= 0 || H <= 0) {
    out = Picture();
    meanwhile();
    return;
  }
  if (out.width() != W || out.height() != H) out = Picture(W, H);
  // Reduced, the bins of the target rows split the source rows without overlap: each row is
  // finished just before its bin is summed.
  ForRowBands(
      H, parts, [&](int first, int end, int) { ScaleBins(src, out, 0, W, first, end, finishRows); },
      meanwhile);
}

}  // namespace

Picture ScaleToView(const Picture& src, int W, int H) {
  Picture out;
  Scale(src, W, H, nullptr, out);
  return out;
}

Picture ScaleToView(const Picture& src, int W, int H,
                    const std::function<void(int, int)>& finishRows) {
  Picture out;
  Scale(src, W, H, &finishRows, out);
  return out;
}

void ScaleInto(const Picture& src, int W, int H, Picture& target,
               const std::function<void()>& meanwhile) {
  Scale(src, W, H, nullptr, target, meanwhile);
}

void RescalePart(const Picture& src, const PixelRect& part, Picture& display) {
  if (src.empty() || display.empty()) return;
  const int left = std::max(0, part.left), top = std::max(0, part.top);
  const int right = std::min(src.width(), part.right);
  const int bottom = std::min(src.height(), part.bottom);
  if (left >= right || top >= bottom) return;
  const auto [x0, x1] = TargetsMeeting(left, right, src.width(), display.width());
  const auto [y0, y1] = TargetsMeeting(top, bottom, src.height(), display.height());
  if (x0 < x1 && y0 < y1) ScaleBins(src, display, x0, x1, y0, y1);
}

void DimInto(const Picture& display, int masterAlpha, std::uint32_t bg, Picture& target) {
  const int M = std::clamp(masterAlpha, 0, 255);
  if (target.width() != display.width() || target.height() != display.height()) {
    target = Picture(display.width(), display.height());
  }
  if (display.empty()) return;
  // Per channel (M v + (255 - M) b) / 255, truncated; the alpha byte becomes 255.
  const int background[4] = {static_cast<int>(bg & 0xFF), static_cast<int>((bg >> 8) & 0xFF),
                             static_cast<int>((bg >> 16) & 0xFF), 255};
  const std::size_t n = display.byteCount();
  const std::uint8_t* s = display.data();
  std::uint8_t* d = target.data();
  std::size_t i = 0;
#if defined(__SSE2__) || defined(_M_X64)
  // Eight channels in 16 bits at a time: M v + (255 - M) b stays below 2^16, and for such x,
  // x / 255 = (x + 1 + (x >> 8)) >> 8. The alpha channel is made 255 by weight 0 and 255 x 255.
  const __m128i zero = _mm_setzero_si128();
  const __m128i weight =
      _mm_setr_epi16(static_cast<short>(M), static_cast<short>(M), static_cast<short>(M), 0,
                     static_cast<short>(M), static_cast<short>(M), static_cast<short>(M), 0);
  short base[8];
  for (int k = 0; k < 8; ++k)
    base[k] = static_cast<short>(k % 4 == 3 ? 255 * 255 : (255 - M) * background[k % 4]);
  const __m128i offset = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base));
  const __m128i one = _mm_set1_epi16(1);
  auto blend = [&](__m128i v) {
    const __m128i x = _mm_add_epi16(_mm_mullo_epi16(v, weight), offset);
    return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(x, one), _mm_srli_epi16(x, 8)), 8);
  };
  for (; i + 16 <= n; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    const __m128i lo = blend(_mm_unpacklo_epi8(v, zero));
    const __m128i hi = blend(_mm_unpackhi_epi8(v, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), _mm_packus_epi16(lo, hi));
  }
#endif
  for (; i < n; i += 4) {
    for (int c = 0; c < 3; ++c)
      d[i + c] = static_cast<std::uint8_t>((M * s[i + c] + (255 - M) * background[c]) / 255);
    d[i + 3] = 255;
  }
}

Picture DimmedCopy(const Picture& display, int masterAlpha, std::uint32_t bg) {
  Picture out;
  DimInto(display, masterAlpha, bg, out);
  return out;
}

ScreenRect OverlayPlace(const ScreenRect& frame) {
  return {std::max(0, frame.left), std::max(0, frame.top), frame.width, frame.height};
}

void CutOverlay(const Picture& display, const ScreenRect& frame, std::uint32_t bg, Picture& layer) {
  const ScreenRect at = OverlayPlace(frame);
  const int w = std::max(0, at.width), h = std::max(0, at.height);
  if (layer.width() != w || layer.height() != h) layer = Picture(w, h);
  if (layer.empty()) return;
  const int right = std::min(display.width(), at.left + w);
  const int bottom = std::min(display.height(), at.top + h);
  const int cw = std::max(0, right - at.left);
  for (int y = 0; y < h; ++y) {
    std::uint8_t* dst = layer.row(y);
    const int sy = at.top + y;
    int copied = 0;
    if (sy < bottom && cw > 0) {
      std::memcpy(dst, display.row(sy) + static_cast<std::size_t>(at.left) * 4,
                  static_cast<std::size_t>(cw) * 4);
      copied = cw;
    }
    if (copied < w) FillBackground(dst + static_cast<std::size_t>(copied) * 4, w - copied, bg);
  }
}

Picture ComposeView(const Picture& display, int masterAlpha, std::uint32_t bg,
                    const ScreenRect& frame, bool overlayVisible) {
  Picture out = DimmedCopy(display, masterAlpha, bg);
  if (!overlayVisible || out.empty()) return out;
  Picture layer;
  CutOverlay(display, frame, bg, layer);
  const ScreenRect at = OverlayPlace(frame);
  for (int y = 0; y < layer.height(); ++y) {
    const int ty = at.top + y;
    if (ty >= out.height()) break;
    const int w = std::min(layer.width(), out.width() - at.left);
    if (w <= 0) break;
    std::memcpy(out.row(ty) + static_cast<std::size_t>(at.left) * 4, layer.row(y),
                static_cast<std::size_t>(w) * 4);
  }
  return out;
}

}  // namespace trimora
