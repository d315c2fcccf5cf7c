#include "frame/rect_box_geometry.h"

#include <gtest/gtest.h>

namespace trimora {
namespace {

TEST(StoredBoxSize, KeepsOddSizesBetweenTwoAndFifty) {
  struct Case {
    int stored, value, expected;
  };
  for (const Case& c : {Case{5, 1, 5}, Case{5, 51, 5}, Case{5, 8, 9}, Case{5, 2, 3}, Case{5, 4, 5},
                        Case{5, 50, 51}, Case{5, 5, 5}, Case{9, 7, 7}}) {
    EXPECT_EQ(StoredBoxSize(c.stored, c.value), c.expected) << c.value;
  }
}

TEST(HandleRects, SitAtTheBorder) {
  const auto r = HandleRects(320, 227, 5);
  EXPECT_EQ(r[0], (ScreenRect{0, 0, 5, 5}));
  EXPECT_EQ(r[1], (ScreenRect{158, 0, 5, 5}));
  EXPECT_EQ(r[2], (ScreenRect{315, 0, 5, 5}));
  EXPECT_EQ(r[3], (ScreenRect{315, 111, 5, 5}));
  EXPECT_EQ(r[4], (ScreenRect{315, 222, 5, 5}));
  EXPECT_EQ(r[5], (ScreenRect{158, 222, 5, 5}));
  EXPECT_EQ(r[6], (ScreenRect{0, 222, 5, 5}));
  EXPECT_EQ(r[7], (ScreenRect{0, 111, 5, 5}));
}

TEST(FrameLineRect, InsetByFrameType) {
  EXPECT_EQ(FrameLineRect(33, 33, 5, TFrameType::ftOuter), (LineRect{0, 0, 32, 32}));
  EXPECT_EQ(FrameLineRect(33, 33, 5, TFrameType::ftInner), (LineRect{5, 5, 27, 27}));
  EXPECT_EQ(FrameLineRect(33, 33, 5, TFrameType::ftMiddle), (LineRect{2, 2, 30, 30}));
}

struct HitCase {
  int x, y;
  DragZone zone;
  RectCursor cursor;
};

class HitTest : public ::testing::TestWithParam<HitCase> {};

// A 100 x 60 control with handles of 5: mx0 = 47, my0 = 27.
TEST_P(HitTest, FindsZoneAndCursor) {
  const HitCase& c = GetParam();
  EXPECT_EQ(HitTestRectBox(c.x, c.y, 100, 60, 5, true), (RectHit{c.zone, c.cursor}))
      << c.x << "," << c.y;
}

INSTANTIATE_TEST_SUITE_P(
    Table, HitTest,
    ::testing::Values(
        HitCase{0, 0, DragZone::None, RectCursor::Unchanged},  // border pixel: nothing
        HitCase{0, 30, DragZone::None, RectCursor::Unchanged},
        HitCase{30, 0, DragZone::None, RectCursor::Unchanged},
        HitCase{1, 1, DragZone::TopLeft, RectCursor::SizeNWSE},
        HitCase{6, 6, DragZone::TopLeft, RectCursor::SizeNWSE},
        HitCase{7, 6, DragZone::Move, RectCursor::Hand},
        HitCase{3, 30, DragZone::Left, RectCursor::SizeHorizontal},
        HitCase{3, 26, DragZone::Left, RectCursor::SizeHorizontal},
        HitCase{3, 24, DragZone::None, RectCursor::Hand},  // strip between the handles
        HitCase{3, 56, DragZone::BottomLeft, RectCursor::SizeNESW},
        HitCase{3, 60, DragZone::None, RectCursor::Hand},
        HitCase{94, 3, DragZone::TopRight, RectCursor::SizeNESW},
        HitCase{99, 30, DragZone::Right, RectCursor::SizeHorizontal},
        HitCase{99, 59, DragZone::BottomRight, RectCursor::SizeNWSE},
        HitCase{96, 15, DragZone::None, RectCursor::Hand},
        HitCase{100, 30, DragZone::Move, RectCursor::Hand},  // beyond the right column test
        HitCase{50, 3, DragZone::Top, RectCursor::SizeVertical},
        HitCase{50, 57, DragZone::Bottom, RectCursor::SizeVertical},
        HitCase{50, 30, DragZone::Move, RectCursor::Hand},
        HitCase{50, 7, DragZone::None, RectCursor::Hand},
        HitCase{20, 30, DragZone::Move, RectCursor::Hand},
        HitCase{101, 61, DragZone::Move, RectCursor::Hand},
        HitCase{102, 30, DragZone::None, RectCursor::Unchanged}));

TEST(HitTestWithoutHandles, MovesEverywhereButTheBorderPixels) {
  EXPECT_EQ(HitTestRectBox(1, 1, 100, 60, 5, false), (RectHit{DragZone::Move, RectCursor::Hand}));
  EXPECT_EQ(HitTestRectBox(99, 59, 100, 60, 5, false), (RectHit{DragZone::Move, RectCursor::Hand}));
  EXPECT_EQ(HitTestRectBox(0, 10, 100, 60, 5, false),
            (RectHit{DragZone::None, RectCursor::Unchanged}));
}

const DragLimits kView{true, 0, 0, 400, 300};

TEST(RectBoxDrag, SizesDownOnlyToThreeBoxes) {
  RectBoxDrag drag(DragZone::BottomRight, 18, 18);
  ScreenRect r{10, 10, 20, 20};
  auto s = drag.Move(r, 15, 15, kView, 5);
  EXPECT_TRUE(s.applied);
  EXPECT_EQ(s.bounds, (ScreenRect{10, 10, 15, 15}));
  s = drag.Move(s.bounds, 14, 15, kView, 5);
  EXPECT_TRUE(s.changed);  // OnRectMoved still fires
  EXPECT_FALSE(s.applied);
  EXPECT_EQ(s.bounds, (ScreenRect{10, 10, 15, 15}));
}

TEST(RectBoxDrag, AFrameBelowTheMinimumCannotMove) {
  RectBoxDrag drag(DragZone::Move, 5, 5);
  const auto s = drag.Move(ScreenRect{10, 10, 14, 40}, 8, 5, kView, 5);
  EXPECT_TRUE(s.changed);
  EXPECT_FALSE(s.applied);
}

TEST(RectBoxDrag, FollowsAtOnceAfterHittingTheEdge) {
  RectBoxDrag drag(DragZone::Move, 50, 20);
  ScreenRect r{280, 10, 100, 50};
  auto s = drag.Move(r, 90, 20, kView, 5);  // would go to 320: clamped to 300
  EXPECT_EQ(s.bounds.left, 300);
  EXPECT_EQ(drag.anchorX(), 70);  // the pointer (screen 370) in the clamped bounds
  // The same pointer position seen from the new bounds changes nothing ...
  s = drag.Move(s.bounds, 70, 20, kView, 5);
  EXPECT_FALSE(s.changed);
  // ... the pointer keeps going right ...
  s = drag.Move(s.bounds, 100, 20, kView, 5);
  EXPECT_EQ(s.bounds.left, 300);
  EXPECT_FALSE(s.changed);
  EXPECT_EQ(drag.anchorX(), 100);
  // ... and the first move back to the left moves the frame.
  s = drag.Move(s.bounds, 99, 20, kView, 5);
  EXPECT_EQ(s.bounds.left, 299);
}

TEST(RectBoxDrag, DraggedEdgesJumpToThePointerWithinLimits) {
  const ScreenRect r{100, 100, 100, 80};
  struct Case {
    DragZone zone;
    int x, y;
    ScreenRect expected;
  };
  for (const Case& c : {
           Case{DragZone::TopLeft, 10, -20, {110, 80, 90, 100}},
           Case{DragZone::TopLeft, -150, -150, {0, 0, 200, 180}},
           Case{DragZone::Top, 50, 30, {100, 130, 100, 50}},
           Case{DragZone::TopRight, 120, 10, {100, 110, 120, 70}},
           Case{DragZone::TopRight, 500, 10, {100, 110, 300, 70}},
           Case{DragZone::Left, -120, 0, {0, 100, 200, 80}},
           Case{DragZone::Right, 40, 0, {100, 100, 40, 80}},
           Case{DragZone::BottomLeft, 20, 500, {120, 100, 80, 200}},
           Case{DragZone::Bottom, 0, 60, {100, 100, 100, 60}},
           Case{DragZone::BottomRight, 600, 600, {100, 100, 300, 200}},
       }) {
    RectBoxDrag drag(c.zone, 0, 0);
    EXPECT_EQ(drag.Move(r, c.x, c.y, kView, 5).bounds, c.expected) << static_cast<int>(c.zone);
  }
}

TEST(RectBoxDrag, WithoutLimitsAndWithoutZoneNothingIsClamped) {
  RectBoxDrag drag(DragZone::Move, 0, 0);
  EXPECT_EQ(drag.Move(ScreenRect{0, 0, 50, 50}, -30, -40, DragLimits{}, 5).bounds,
            (ScreenRect{-30, -40, 50, 50}));
  RectBoxDrag none(DragZone::None, 0, 0);
  EXPECT_FALSE(none.Move(ScreenRect{0, 0, 50, 50}, 30, 30, kView, 5).changed);
}

}  // namespace
}  // namespace trimora
