// A window's place on the screen, and keeping it within the screen's available area.
#pragma once

namespace trimora {

// A rectangle in screen pixels (a window's place, a frame on the picture view): left and top
// edge, width and height.
struct ScreenRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  // The right edge (exclusive).
  int right() const { return left + width; }
  // The bottom edge (exclusive).
  int bottom() const { return top + height; }
  bool operator==(const ScreenRect&) const = default;
};

// `place` made to fit into `area`: its size at most the area's and at least minWidth x
// minHeight, then moved so that it lies within the area (the top left corner first, when the
// window is larger than the area). A place read from the settings may hold any numbers.
ScreenRect FitIntoArea(const ScreenRect& place, const ScreenRect& area, int minWidth,
                       int minHeight);

}  // namespace trimora
