#include "ui/frame_geometry.h"

#include <algorithm>
#include <cmath>

namespace trimora::ui {

int BarEdgeCode(BarKind kind, int x, int y, int width, int height, bool sizing) {
  if (!sizing) return kEdgeNone;
  int code = kEdgeNone;
  if (kind == BarKind::Title && y < 4) code += kEdgeTop;
  if (x < 4) code += kEdgeLeft;
  if (x > width - 4) code += kEdgeRight;
  if (kind == BarKind::Bottom && y > height - 8) code += kEdgeBottom;
  return code;
}

ResizeCursor CursorForEdgeCode(int edgeCode) {
  switch (edgeCode) {
    case kEdgeLeft:
    case kEdgeRight:
      return ResizeCursor::Horizontal;
    case kEdgeTop:
    case kEdgeBottom:
      return ResizeCursor::Vertical;
    case kEdgeLeft | kEdgeTop:
    case kEdgeRight | kEdgeBottom:
      return ResizeCursor::DiagonalMain;
    case kEdgeTop | kEdgeRight:
    case kEdgeLeft | kEdgeBottom:
      return ResizeCursor::DiagonalAnti;
    default:
      return ResizeCursor::Default;
  }
}

Bounds DragBounds(Bounds start, int edgeCode, int dx, int dy, int minWidth, int minHeight) {
  Bounds b = start;
  if (edgeCode == kEdgeNone) {
    b.left += dx;
    b.top += dy;
    return b;
  }
  // A window that is already smaller than the minimum is never forced to grow.
  const int floorWidth = std::min(minWidth, start.width);
  const int floorHeight = std::min(minHeight, start.height);
  if (edgeCode & kEdgeLeft) {
    b.width = std::max(floorWidth, start.width - dx);
    b.left = start.left + (start.width - b.width);
  } else if (edgeCode & kEdgeRight) {
    b.width = std::max(floorWidth, start.width + dx);
  }
  if (edgeCode & kEdgeTop) {
    b.height = std::max(floorHeight, start.height - dy);
    b.top = start.top + (start.height - b.height);
  } else if (edgeCode & kEdgeBottom) {
    b.height = std::max(floorHeight, start.height + dy);
  }
  return b;
}

int ButtonPanelTop(int titleHeight) { return std::max(2, titleHeight - 25); }

ButtonPanelLayout LayoutTitleButtons(unsigned visibleButtons, bool frameShown, int frameWidth,
                                     int titleHeight) {
  ButtonPanelLayout layout;
  layout.top = ButtonPanelTop(titleHeight);
  layout.height = kTitleButtonSize;
  if (!(visibleButtons & bbClose) || !frameShown) return layout;
  layout.visible = true;
  if (visibleButtons & (bbMinimize | bbMaximize)) {
    layout.left = frameWidth - 84;
    layout.width = 72;
    layout.minimizeShown = true;
    layout.maximizeShown = true;
    layout.closeX = 50;
  } else {
    layout.left = frameWidth - 34;
    layout.width = 24;
    layout.closeX = 0;
  }
  if (layout.top == 2) layout.left += 2;
  return layout;
}

int CaptionOffsetForIcon(int iconWidth, int titleXOffset) {
  if (iconWidth <= 0) return std::min(titleXOffset, 10);
  return std::max(titleXOffset, 40);
}

BarPieceRects ComposeBarPieces(int barWidth, int barHeight, int leftWidth, int rightWidth) {
  BarPieceRects r;
  r.left = {0, 0, leftWidth, barHeight};
  r.right = {barWidth - rightWidth - 2, 0, rightWidth + 2, barHeight};
  r.middle = {leftWidth - 2, 0, std::max(0, barWidth - rightWidth - leftWidth), barHeight};
  return r;
}

int FixedPanelWidthSum(const std::vector<StatusPanel>& panels) {
  int sum = 0;
  for (const StatusPanel& p : panels) {
    if (p.width >= 0) sum += p.width;
  }
  return sum;
}

int FillingPanelWidth(int barWidth, int captionX, int fixedWidthSum) {
  return barWidth - 2 * captionX - fixedWidthSum - 5;
}

namespace {

bool IsPathSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

std::string ShortenPathToFit(const std::string& text, int width, const TextWidthFunction& measure) {
  if (measure(text) <= width) return text;
  const auto last = std::find_if(text.rbegin(), text.rend(), IsPathSeparator);
  if (last == text.rend()) return text;
  const std::size_t cut = static_cast<std::size_t>(text.rend() - last) - 1;
  const std::string head = text.substr(0, cut);
  const std::string tail = "..." + text.substr(cut);
  // Where each character of the head starts; removing k characters keeps the head up to
  // starts[n - k].
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < head.size(); ++i) {
    if ((static_cast<unsigned char>(head[i]) & 0xC0) != 0x80) starts.push_back(i);
  }
  const std::size_t n = starts.size();
  auto candidate = [&](std::size_t removed) {
    return head.substr(0, removed == n ? 0 : starts[n - removed]) + tail;
  };
  // Characters are removed one at a time until the text fits; a text only gets narrower as
  // characters go, so the first count that fits is found by halving instead of by counting.
  std::size_t lo = 0;
  std::size_t hi = n;
  while (lo < hi) {
    const std::size_t mid = lo + (hi - lo) / 2;
    if (measure(candidate(mid)) <= width)
      hi = mid;
    else
      lo = mid + 1;
  }
  return candidate(lo);
}

std::vector<PanelPlacement> LayoutStatusPanels(const std::vector<StatusPanel>& panels, int barWidth,
                                               int captionX, const TextWidthFunction& measure) {
  const int filling = FillingPanelWidth(barWidth, captionX, FixedPanelWidthSum(panels));
  std::vector<PanelPlacement> out;
  out.reserve(panels.size());
  int x = captionX;
  for (const StatusPanel& panel : panels) {
    const bool fills = panel.width < 0;
    PanelPlacement place;
    place.x = x;
    place.width = fills ? filling : panel.width;
    place.text = fills ? ShortenPathToFit(panel.text, place.width, measure) : panel.text;
    place.textX = x;
    if (panel.alignment != PanelAlignment::Left) {
      const int room = std::max(0, place.width - measure(place.text));
      place.textX += panel.alignment == PanelAlignment::Right ? room : room / 2;
    }
    x += place.width + (fills ? 5 : 0);
    out.push_back(std::move(place));
  }
  return out;
}

int BottomTextTop(int barHeight, int fontPointSize) {
  return (barHeight - 2 * fontPointSize) / 2 - 1;
}

namespace {

// How many pixels of row `r` (counted from the nearer end) a 20 x 20 corner ellipse cuts off.
int CornerInset(int r) {
  constexpr double radius = 10.0;
  if (r >= radius) return 0;
  const double dy = radius - (r + 0.5);
  const double halfWidth = std::sqrt(std::max(0.0, radius * radius - dy * dy));
  return std::max(0, static_cast<int>(std::ceil(radius - 0.5 - halfWidth)));
}

}  // namespace

std::vector<Rect> WindowShapeRects(int width, int height, bool roundBottomCorners) {
  std::vector<Rect> rects;
  if (width <= 0 || height <= 0) return rects;
  for (int y = 0; y < height; ++y) {
    int inset = CornerInset(y);
    if (roundBottomCorners) inset = std::max(inset, CornerInset(height - 1 - y));
    inset = std::min(inset, width / 2);
    const int runWidth = width - 2 * inset;
    if (runWidth <= 0) continue;
    if (!rects.empty() && rects.back().x == inset && rects.back().y + rects.back().height == y) {
      ++rects.back().height;
    } else {
      rects.push_back({inset, y, runWidth, 1});
    }
  }
  return rects;
}

}  // namespace trimora::ui
