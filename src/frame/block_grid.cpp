#include "frame/block_grid.h"

#include <algorithm>
#include <cmath>

namespace trimora {

int RoundEven(long double value) {
  long double nearest = std::round(value);
  if (std::fabs(value - std::trunc(value)) == 0.5L) nearest = 2.0L * std::round(value / 2.0L);
  return static_cast<int>(nearest);
}

int GridState::ScreenLeft() const { return RoundEven(SelX * BlockScale); }

int GridState::ScreenTop() const { return RoundEven(SelY * BlockScale); }

int GridState::ScreenWidth() const {
  if (SelX + SelW == GridCols) return ViewWidth - ScreenLeft();
  return RoundEven(SelW * BlockScale);
}

int GridState::ScreenHeight() const {
  if (SelY + SelH == GridRows) return ViewHeight - ScreenTop();
  return RoundEven(SelH * BlockScale);
}

bool GridState::SelectionBeyondView() const {
  if (SelX + SelW > GridCols || SelY + SelH > GridRows) return true;
  return ScreenLeft() + ScreenWidth() > ViewWidth || ScreenTop() + ScreenHeight() > ViewHeight;
}

void ComputeBlockGrid(GridState& g, int P, int Q, int V, int U) {
  const int b = g.BlockSize > 0 ? g.BlockSize : 1;
  g.ViewWidth = V;
  g.ViewHeight = U;
  const int fullCols = P / b;
  int r = P % b;
  g.GridCols = fullCols;
  if (r > 0) {
    g.EdgeColPixels = RoundEven(static_cast<long double>(V) / (static_cast<long double>(P) / r));
    // Without a full column there is nothing to divide by; the partial column then spans
    // the whole view.
    g.BlockScale = fullCols > 0 ? static_cast<long double>(V - g.EdgeColPixels) / fullCols
                                : static_cast<long double>(std::max(V, 1));
    if (g.EdgeColPixels > 0) ++g.GridCols;
  } else {
    g.EdgeColPixels = 0;
    g.BlockScale = fullCols > 0 ? static_cast<long double>(V) / fullCols : 1.0L;
  }
  if (!(g.BlockScale > 0)) g.BlockScale = 1.0L;
  g.BlockScaleRounded = RoundEven(g.BlockScale);
  g.GridRows = Q / b;
  r = Q % b;
  if (r > 0) {
    g.EdgeRowPixels = RoundEven(static_cast<long double>(U) / (static_cast<long double>(Q) / r));
    if (g.EdgeRowPixels > 0) ++g.GridRows;
  } else {
    g.EdgeRowPixels = 0;
  }
}

void FitSelectionToFormat(GridState& g, const FormatRecord& format, long double ratio) {
  const int b = g.BlockSize > 0 ? g.BlockSize : 1;
  if (format.FormatID < 0) {
    g.SelW = format.PixelWidth / b;
    g.SelH = format.PixelHeight / b;
    return;
  }
  if (!(ratio >= 1)) ratio = 1;
  if (g.SelW >= g.SelH) {
    const int t = RoundEven(g.SelW / ratio);
    g.SelH = std::min(t, g.GridRows);
    if (g.SelH < t) g.SelW = RoundEven(g.SelH * ratio);
  } else {
    const int t = RoundEven(g.SelH / ratio);
    g.SelW = std::min(t, g.GridCols);
    if (g.SelW < t) g.SelH = RoundEven(g.SelW * ratio);
  }
}

FormatFit FitOfFormat(const GridState& g, int P, int Q, const FormatRecord& format) {
  if (format.FormatID < 0 && (format.PixelWidth > P || format.PixelHeight > Q))
    return FormatFit::SmallerThanFormat;
  const long double b = g.BlockSize > 0 ? g.BlockSize : 1;
  const int m = g.MinSelectionBlocks();
  if (m > P / b || m > Q / b) return FormatFit::TooSmall;
  return FormatFit::Fits;
}

bool PlaceFirstSelection(GridState& g, int P, int Q, const FormatRecord& format,
                         long double ratio) {
  if (FitOfFormat(g, P, Q, format) != FormatFit::Fits) return false;
  const int b = g.BlockSize > 0 ? g.BlockSize : 1;
  if (format.FormatID < 0) {
    g.SelW = format.PixelWidth / b;
    g.SelH = format.PixelHeight / b;
  } else {
    // The longer side of the picture's orientation spans the grid; the format's ratio gives the
    // other one, and where that one does not fit it spans the grid instead.
    if (Q > P) {
      g.SelW = 0;
      g.SelH = g.GridRows;
    } else {
      g.SelW = g.GridCols;
      g.SelH = 0;
    }
    FitSelectionToFormat(g, format, ratio);
  }
  g.SelX = std::max(0, (g.GridCols - g.SelW) / 2);
  g.SelY = std::max(0, (g.GridRows - g.SelH) / 2);
  return true;
}

std::uint32_t SelectionColor(const GridState& g, const FormatRecord& f) {
  const long long a = static_cast<long long>(g.SelW) * g.BlockSize;
  const long long b = static_cast<long long>(g.SelH) * g.BlockSize;
  const long long lo = std::min(a, b), hi = std::max(a, b);
  if (lo >= std::min(f.PixelWidth, f.PixelHeight) && hi >= std::max(f.PixelWidth, f.PixelHeight)) {
    return kFrameLime;
  }
  if (lo >= std::min(f.MinWidth, f.MinHeight) && hi >= std::max(f.MinWidth, f.MinHeight)) {
    return kFrameYellow;
  }
  return kFrameRed;
}

ScreenRect SelectionInPixels(const GridState& g, int P, int Q) {
  ScreenRect s;
  s.left = std::max(0, g.SelX * g.BlockSize);
  s.width = g.SelW * g.BlockSize;
  if (s.left + s.width > P) s.width = P - s.left;
  s.top = std::max(0, g.SelY * g.BlockSize);
  s.height = g.SelH * g.BlockSize;
  if (s.top + s.height > Q) s.height = Q - s.top;
  return s;
}

}  // namespace trimora
