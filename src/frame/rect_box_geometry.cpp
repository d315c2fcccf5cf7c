#include "frame/rect_box_geometry.h"

#include <algorithm>

namespace trimora {

namespace {

// a < x < c: both bounds excluded.
bool Inside(int x, int a, int c) { return a < x && x < c; }

}  // namespace

int StoredBoxSize(int stored, int value) {
  if (value == stored || value < 2 || value > 50) return stored;
  return (value / 2) * 2 + 1;
}

std::array<ScreenRect, 8> HandleRects(int W, int H, int B) {
  const int b = B / 2;
  const int mx = W / 2 - b;
  const int my = H / 2 - b;
  return {{
      {0, 0, B, B},
      {mx, 0, B, B},
      {W - B, 0, B, B},
      {W - B, my, B, B},
      {W - B, H - B, B, B},
      {mx, H - B, B, B},
      {0, H - B, B, B},
      {0, my, B, B},
  }};
}

LineRect FrameLineRect(int W, int H, int B, TFrameType type) {
  const int d = type == TFrameType::ftOuter ? 0 : type == TFrameType::ftInner ? B : B / 2;
  return {d, d, W - 1 - d, H - 1 - d};
}

RectHit HitTestRectBox(int X, int Y, int W, int H, int B, bool drawBoxes) {
  const bool insideAll = Inside(X, 0, W + 2) && Inside(Y, 0, H + 2);
  if (!drawBoxes) {
    if (insideAll) return {DragZone::Move, RectCursor::Hand};
    return {DragZone::None, RectCursor::Unchanged};
  }
  const int mx0 = (W - B) / 2, mx1 = mx0 + B;
  const int my0 = (H - B) / 2, my1 = my0 + B;
  const bool topRow = Inside(Y, 0, B + 2);
  const bool middleRow = Inside(Y, my0 - 2, my1 + 2);
  const bool bottomRow = Inside(Y, H - B - 2, H);
  if (Inside(X, 0, B + 2)) {
    if (topRow) return {DragZone::TopLeft, RectCursor::SizeNWSE};
    if (middleRow) return {DragZone::Left, RectCursor::SizeHorizontal};
    if (bottomRow) return {DragZone::BottomLeft, RectCursor::SizeNESW};
    return {DragZone::None, RectCursor::Hand};
  }
  if (Inside(X, W - B - 2, W)) {
    if (topRow) return {DragZone::TopRight, RectCursor::SizeNESW};
    if (middleRow) return {DragZone::Right, RectCursor::SizeHorizontal};
    if (bottomRow) return {DragZone::BottomRight, RectCursor::SizeNWSE};
    return {DragZone::None, RectCursor::Hand};
  }
  if (Inside(X, mx0 - 2, mx1 + 2)) {
    if (topRow) return {DragZone::Top, RectCursor::SizeVertical};
    if (bottomRow) return {DragZone::Bottom, RectCursor::SizeVertical};
    if (Inside(Y, B + 2, H - B - 2)) return {DragZone::Move, RectCursor::Hand};
    return {DragZone::None, RectCursor::Hand};
  }
  if (insideAll) return {DragZone::Move, RectCursor::Hand};
  return {DragZone::None, RectCursor::Unchanged};
}

RectBoxDrag::Step RectBoxDrag::Move(const ScreenRect& cur, int X, int Y, const DragLimits& lim,
                                    int boxSize) {
  const int L = cur.left, T = cur.top, W = cur.width, H = cur.height;
  const int oldRight = L + W, oldBottom = T + H;
  ScreenRect n = cur;
  auto clampLeft = [&](int left) { return lim.limited ? std::max(left, lim.lmin) : left; };
  auto clampTop = [&](int top) { return lim.limited ? std::max(top, lim.tmin) : top; };
  auto clampWidth = [&](int left, int width) {
    return lim.limited && left + width > lim.lmax ? lim.lmax - left : width;
  };
  auto clampHeight = [&](int top, int height) {
    return lim.limited && top + height > lim.bmax ? lim.bmax - top : height;
  };
  switch (zone_) {
    case DragZone::None:
      break;
    case DragZone::Move:
      n.left = L + X - anchorX_;
      n.top = T + Y - anchorY_;
      if (lim.limited) {
        // At a limit the grab point is taken anew where the pointer is, in the coordinates
        // of the clamped bounds, so that the frame follows as soon as the pointer turns back.
        if (n.left + W > lim.lmax) {
          n.left = lim.lmax - W;
          anchorX_ = X - (n.left - L);
        }
        if (n.left < lim.lmin) {
          n.left = lim.lmin;
          anchorX_ = X - (n.left - L);
        }
        if (n.top + H > lim.bmax) {
          n.top = lim.bmax - H;
          anchorY_ = Y - (n.top - T);
        }
        if (n.top < lim.tmin) {
          n.top = lim.tmin;
          anchorY_ = Y - (n.top - T);
        }
      }
      break;
    case DragZone::TopLeft:
      n.left = clampLeft(L + X);
      n.top = clampTop(T + Y);
      n.width = oldRight - n.left;
      n.height = oldBottom - n.top;
      break;
    case DragZone::Top:
      n.top = clampTop(T + Y);
      n.height = oldBottom - n.top;
      break;
    case DragZone::TopRight:
      n.top = clampTop(T + Y);
      n.width = clampWidth(L, X);
      n.height = oldBottom - n.top;
      break;
    case DragZone::Left:
      n.left = clampLeft(L + X);
      n.width = oldRight - n.left;
      break;
    case DragZone::Right:
      n.width = clampWidth(L, X);
      break;
    case DragZone::BottomLeft:
      n.left = clampLeft(L + X);
      n.width = oldRight - n.left;
      n.height = clampHeight(T, Y);
      break;
    case DragZone::Bottom:
      n.height = clampHeight(T, Y);
      break;
    case DragZone::BottomRight:
      n.width = clampWidth(L, X);
      n.height = clampHeight(T, Y);
      break;
  }
  Step step;
  step.bounds = cur;
  if (n == cur) return step;
  step.changed = true;
  if (n.width >= 3 * boxSize && n.height >= 3 * boxSize) {
    step.applied = true;
    step.bounds = n;
  }
  return step;
}

}  // namespace trimora
