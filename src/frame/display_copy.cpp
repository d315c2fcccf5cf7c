#include "frame/display_copy.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace trimora {

namespace {

// The first source index of target index i when n sources map onto m targets.
int BinStart(int i, int n, int m) {
  return static_cast<int>(static_cast<long long>(i) * n / m);
}

void FillBackground(std::uint8_t* px, int count, std::uint32_t bg) {
  const std::uint8_t b = bg & 0xFF, g = (bg >> 8) & 0xFF, r = (bg >> 16) & 0xFF;
  for (int i = 0; i < count; ++i, px += 4) {
    px[0] = b;
    px[1] = g;
    px[2] = r;
    px[3] = 255;
  }
}

// Adds the bytes of one source row to the running column sums. In blocks of a fixed length so
// that the compiler turns the loop into vector instructions; the pointers never overlap.
void AddRow(std::uint32_t* __restrict sums, const std::uint8_t* __restrict row, int count) {
  constexpr int kBlock = 32;
  int i = 0;
  for (; i + kBlock <= count; i += kBlock) {
    for (int k = 0; k < kBlock; ++k) sums[i + k] += row[i + k];
  }
  for (; i < count; ++i) sums[i] += row[i];
}

// Rounded division of a sum of n bytes by n: (sum + n / 2) / n, as a multiplication by a
// reciprocal. For n < 65536 the sum stays below 256 n, and with the reciprocal rounded up to 40
// bits the product's error stays below one step, so the quotient is exact; larger n divide.
class RoundedMean {
 public:
  explicit RoundedMean(std::uint32_t n)
      : n_(n), reciprocal_(n < 65536 ? ((std::uint64_t{1} << 40) + n - 1) / n : 0) {}
  std::uint8_t operator()(std::uint32_t sum) const {
    const std::uint64_t x = sum + n_ / 2;
    return static_cast<std::uint8_t>(reciprocal_ != 0 ? (x * reciprocal_) >> 40 : x / n_);
  }

 private:
  std::uint32_t n_;
  std::uint64_t reciprocal_;
};

}  // namespace

Picture ScaleToView(const Picture& src, int W, int H) {
  if (src.empty() || W <= 0 || H <= 0) return Picture();
  Picture out(W, H);
  const int P = src.width(), Q = src.height();
  // Column bins, fixed for all rows.
  std::vector<int> x0(static_cast<std::size_t>(W) + 1);
  for (int x = 0; x <= W; ++x) x0[static_cast<std::size_t>(x)] = BinStart(x, P, W);
  std::vector<std::uint32_t> sums(static_cast<std::size_t>(P) * 4);
  // The means of each column bin, for the number of rows they were made for.
  std::vector<RoundedMean> means;
  int meansRows = 0;
  for (int y = 0; y < H; ++y) {
    const int ya = BinStart(y, Q, H);
    const int yb = std::max(ya + 1, BinStart(y + 1, Q, H));
    std::fill(sums.begin(), sums.end(), 0u);
    for (int sy = ya; sy < yb; ++sy) AddRow(sums.data(), src.row(sy), P * 4);
    const int rows = yb - ya;
    if (rows != meansRows) {
      means.clear();
      for (int x = 0; x < W; ++x) {
        const int xa = x0[static_cast<std::size_t>(x)];
        const int xb = std::max(xa + 1, x0[static_cast<std::size_t>(x) + 1]);
        means.emplace_back(static_cast<std::uint32_t>((xb - xa) * rows));
      }
      meansRows = rows;
    }
    std::uint8_t* o = out.row(y);
    for (int x = 0; x < W; ++x) {
      const int xa = x0[static_cast<std::size_t>(x)];
      const int xb = std::max(xa + 1, x0[static_cast<std::size_t>(x) + 1]);
      std::uint32_t b = 0, g = 0, r = 0;
      for (int sx = xa; sx < xb; ++sx) {
        const std::uint32_t* s = sums.data() + static_cast<std::size_t>(sx) * 4;
        b += s[0];
        g += s[1];
        r += s[2];
      }
      const RoundedMean& mean = means[static_cast<std::size_t>(x)];
      o[0] = mean(b);
      o[1] = mean(g);
      o[2] = mean(r);
      o[3] = 255;
      o += 4;
    }
  }
  return out;
}

void DimInto(const Picture& display, int masterAlpha, std::uint32_t bg, Picture& target) {
  const int M = std::clamp(masterAlpha, 0, 255);
  if (target.width() != display.width() || target.height() != display.height()) {
    target = Picture(display.width(), display.height());
  }
  if (display.empty()) return;
  std::uint8_t table[3][256];
  const int background[3] = {static_cast<int>(bg & 0xFF), static_cast<int>((bg >> 8) & 0xFF),
                             static_cast<int>((bg >> 16) & 0xFF)};
  for (int c = 0; c < 3; ++c) {
    for (int v = 0; v < 256; ++v) {
      table[c][v] = static_cast<std::uint8_t>((M * v + (255 - M) * background[c]) / 255);
    }
  }
  const std::size_t n = display.byteCount();
  const std::uint8_t* s = display.data();
  std::uint8_t* d = target.data();
  for (std::size_t i = 0; i < n; i += 4) {
    d[i] = table[0][s[i]];
    d[i + 1] = table[1][s[i + 1]];
    d[i + 2] = table[2][s[i + 2]];
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

Picture ComposeView(const Picture& display, int masterAlpha, std::uint32_t bg, const ScreenRect& frame,
                    bool overlayVisible) {
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
