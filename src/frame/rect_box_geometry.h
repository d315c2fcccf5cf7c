// The geometry of the crop-frame control ThlvRectBox without any toolkit: handle squares,
// the frame line, hit testing with its cursors, and the drag maths with limits and the
// minimum size. The Qt view only forwards pointer events here and applies the results.
#pragma once

#include <array>
#include <optional>

#include "frame/block_grid.h"

namespace trimora {

// Where the frame line runs relative to the handles.
enum class TFrameType { ftOuter, ftInner, ftMiddle };

// The zone under the pointer: what a press there starts.
enum class DragZone {
  None = 0,
  Move = 1,
  TopLeft = 2,
  Top = 3,
  TopRight = 4,
  Left = 5,
  Right = 6,
  BottomLeft = 7,
  Bottom = 8,
  BottomRight = 9
};

// The pointer shapes the control shows.
enum class RectCursor { Unchanged, Hand, SizeNWSE, SizeNESW, SizeHorizontal, SizeVertical };

// The answer of a hit test.
struct RectHit {
  DragZone zone = DragZone::None;
  RectCursor cursor = RectCursor::Unchanged;
  bool operator==(const RectHit&) const = default;
};

// Bounds that moving and sizing keep to; `limited` false means no limits.
struct DragLimits {
  bool limited = false;
  int lmin = 0;  // smallest left
  int tmin = 0;  // smallest top
  int lmax = 0;  // largest right edge
  int bmax = 0;  // largest bottom edge
};

// The stored BoxSize after setting `value`: ignored when equal, below 2 or above 50;
// otherwise (value div 2) x 2 + 1.
int StoredBoxSize(int stored, int value);

// The eight handle squares of a W x H control with handle size B, in the order top-left,
// top-middle, top-right, right-middle, bottom-right, bottom-middle, bottom-left, left-middle.
std::array<ScreenRect, 8> HandleRects(int width, int height, int boxSize);

// The frame-line rectangle (d, d) - (W - 1 - d, H - 1 - d) as left, top, right, bottom
// (inclusive corners packed into left, top, width = right, height = bottom).
struct LineRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const LineRect&) const = default;
};
// The frame-line rectangle of a W x H control for the frame type.
LineRect FrameLineRect(int width, int height, int boxSize, TFrameType type);

// The zone and cursor at (x, y) in the control's coordinates while the button is up.
RectHit HitTestRectBox(int x, int y, int width, int height, int boxSize, bool drawBoxes);

// One drag in progress: the press position (re-taken when a move is clamped at a limit) and
// the zone decided before the press.
class RectBoxDrag {
 public:
  // A drag from the press at (anchorX, anchorY) in `zone`.
  RectBoxDrag(DragZone zone, int anchorX, int anchorY)
      : zone_(zone), anchorX_(anchorX), anchorY_(anchorY) {}

  // The result of one pointer move.
  struct Step {
    ScreenRect bounds;     // the bounds after the move (the old ones when nothing applies)
    bool changed = false;  // the computed bounds differ from the current ones
    bool applied = false;  // and were large enough to be taken
  };

  // Computes the move of the pointer to (x, y) in the control's coordinates for the current
  // bounds, limits and handle size. A change smaller than 3 x boxSize in width or height is
  // dropped as a whole (changed but not applied).
  Step Move(const ScreenRect& current, int x, int y, const DragLimits& limits, int boxSize);

  // The zone of this drag.
  DragZone zone() const { return zone_; }
  // The press position, as re-taken at limits.
  int anchorX() const { return anchorX_; }
  int anchorY() const { return anchorY_; }

 private:
  DragZone zone_;
  int anchorX_;
  int anchorY_;
};

}  // namespace trimora
