#include "frame/display_copy.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "imaging/row_bands.h"

namespace trimora {

namespace {

// The first source index of target index i when n sources map onto m targets.
int BinStart(int i, int n, int m) { return static_cast<int>(static_cast<long long>(i) * n / m); }

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

// Averages the source bins of target columns x0 to x1 - 1 in rows y0 to y1 - 1 of `out`
// (ScaleToView of `src` at out's size), handing the source rows of each target row to
// `finishRows` first when there is one.
void ScaleBins(const Picture& src, Picture& out, int x0, int x1, int y0, int y1,
               const std::function<void(int, int)>* finishRows = nullptr) {
  const int W = out.width(), H = out.height();
  const int P = src.width(), Q = src.height();
  // Column bins, fixed for all rows.
  std::vector<int> xs(static_cast<std::size_t>(x1 - x0) + 1);
  for (int x = x0; x <= x1; ++x) xs[static_cast<std::size_t>(x - x0)] = BinStart(x, P, W);
  const int first = xs.front();
  // The last bin may reach one past its neighbour's start when the picture is enlarged.
  const int last = std::max(xs.back(), xs[xs.size() - 2] + 1);
  std::vector<std::uint32_t> sums(static_cast<std::size_t>(last - first) * 4);
  for (int y = y0; y < y1; ++y) {
    const int ya = BinStart(y, Q, H);
    const int yb = std::max(ya + 1, BinStart(y + 1, Q, H));
    if (finishRows != nullptr) (*finishRows)(ya, yb);
    std::fill(sums.begin(), sums.end(), 0u);
    for (int sy = ya; sy < yb; ++sy) {
      AddRow(sums.data(), src.row(sy) + static_cast<std::size_t>(first) * 4,
             static_cast<int>(sums.size()));
    }
    const int rows = yb - ya;
    std::uint8_t* o = out.row(y) + static_cast<std::size_t>(x0) * 4;
    for (int x = x0; x < x1; ++x) {
      const int xa = xs[static_cast<std::size_t>(x - x0)];
      const int xb = std::max(xa + 1, xs[static_cast<std::size_t>(x - x0) + 1]);
      std::uint32_t b = 0, g = 0, r = 0;
      for (int sx = xa; sx < xb; ++sx) {
        const std::uint32_t* s = sums.data() + static_cast<std::size_t>(sx - first) * 4;
        b += s[0];
        g += s[1];
        r += s[2];
      }
      const std::uint32_t n = static_cast<std::uint32_t>((xb - xa) * rows);
      o[0] = static_cast<std::uint8_t>((b + n / 2) / n);
      o[1] = static_cast<std::uint8_t>((g + n / 2) / n);
      o[2] = static_cast<std::uint8_t>((r + n / 2) / n);
      o[3] = 255;
      o += 4;
    }
  }
}

// The first target index whose bin reaches beyond source index `from` - 1, and the end of the
// targets whose bins start before `to` (n sources onto m targets).
std::pair<int, int> TargetsMeeting(int from, int to, int n, int m) {
  int begin = 0;
  while (begin < m && std::max(BinStart(begin, n, m) + 1, BinStart(begin + 1, n, m)) <= from) {
    ++begin;
  }
  int end = begin;
  while (end < m && BinStart(end, n, m) < to) ++end;
  return {begin, end};
}

// ScaleToView, with the rows finished by `finishRows` first when there is one.
Picture Scale(const Picture& src, int W, int H, const std::function<void(int, int)>* finishRows) {
  if (src.empty()) return Picture();
  const int Q = src.height();
  // Every source pixel is read once: bands of target rows share the reading among the cores.
  const int parts = BandCount(static_cast<std::size_t>(src.width()) * Q, std::max(H, 1));
  if (finishRows != nullptr && (W <= 0 || H <= 0 || Q < H)) {
    // Nothing to scale, or bins that share rows: the rows are finished first.
    ForRowBands(Q, parts, [&](int first, int end, int) { (*finishRows)(first, end); });
    finishRows = nullptr;
  }
  if (W <= 0 || H <= 0) return Picture();
  // Reduced, the bins of the target rows split the source rows without overlap: each row is
  // finished just before its bin is summed.
  Picture out(W, H);
  ForRowBands(H, parts,
              [&](int first, int end, int) { ScaleBins(src, out, 0, W, first, end, finishRows); });
  return out;
}

}  // namespace

Picture ScaleToView(const Picture& src, int W, int H) { return Scale(src, W, H, nullptr); }

Picture ScaleToView(const Picture& src, int W, int H,
                    const std::function<void(int, int)>& finishRows) {
  return Scale(src, W, H, &finishRows);
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
