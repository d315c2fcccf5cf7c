// The magnifier's rules as tables, and its presenter over a recording view.
#include "frame/magnifier.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trimora {
namespace {

const ScreenRect kScreen{0, 0, 1600, 1200};

struct CaptureCase {
  const char* what;
  int x, y, level;
  ScreenRect screen;
  ScreenRect expected;
};

TEST(CaptureRect, StaysOnTheScreenAndShowsThePointerOffCentreNearItsEdges) {
  const CaptureCase cases[] = {
      {"middle, level 50: 98 x 98 around the pointer", 800, 600, 50, kScreen, {751, 551, 98, 98}},
      {"level 5: 8 x 8", 800, 600, 5, kScreen, {796, 596, 8, 8}},
      {"level 100: 196 x 196", 800, 600, 100, kScreen, {702, 502, 196, 196}},
      {"left edge", 10, 600, 50, kScreen, {0, 551, 98, 98}},
      {"exactly half a side from the left edge", 49, 600, 50, kScreen, {0, 551, 98, 98}},
      {"right edge", 1595, 600, 50, kScreen, {1502, 551, 98, 98}},
      {"top left corner", 0, 0, 50, kScreen, {0, 0, 98, 98}},
      {"bottom right corner", 1599, 1199, 50, kScreen, {1502, 1102, 98, 98}},
      {"bottom edge at level 100", 300, 1190, 100, kScreen, {202, 1004, 196, 196}},
      {"a second screen right of the first",
       1610,
       20,
       50,
       {1600, 0, 1280, 1024},
       {1600, 0, 98, 98}},
  };
  for (const CaptureCase& c : cases) {
    EXPECT_EQ(CaptureRect(c.x, c.y, kMagnifierSize, kMagnifierSize, c.level, c.screen), c.expected)
        << c.what;
  }
}

TEST(ZoomSteps, RunInTensDownToFiveAndBackUpToOneHundred) {
  std::vector<int> in{50};
  while (in.back() != ZoomedIn(in.back())) in.push_back(ZoomedIn(in.back()));
  EXPECT_EQ(in, (std::vector<int>{50, 40, 30, 20, 10, 5}));
  std::vector<int> out{5};
  while (out.back() != ZoomedOut(out.back())) out.push_back(ZoomedOut(out.back()));
  EXPECT_EQ(out, (std::vector<int>{5, 15, 25, 35, 45, 55, 65, 75, 85, 95, 100}));
}

TEST(ZoomSteps, AStoredLevelOutsideTheRangeIsBroughtIntoIt) {
  EXPECT_EQ(ValidZoomLevel(0), 5);
  EXPECT_EQ(ValidZoomLevel(-20), 5);
  EXPECT_EQ(ValidZoomLevel(37), 37);
  EXPECT_EQ(ValidZoomLevel(1000), 100);
}

TEST(MagnifierPanel, PausingFreesExactly164PixelsForTheFolderPanel) {
  EXPECT_EQ(PanelFor(false), (MagnifierPanel{205, 197, false}));
  EXPECT_EQ(PanelFor(true), (MagnifierPanel{41, 33, true}));
  EXPECT_EQ(PanelFor(false).panelHeight - PanelFor(true).panelHeight, 164);
}

TEST(PointerRule, SwitchesTheMagnifierOnlyOverPictureWindowAndStripWhileActive) {
  using T = PointerTarget;
  using S = MagnifierSwitch;
  struct Case {
    T target;
    bool appActive, thumbnails, paused, on;
    S expected;
  };
  const Case cases[] = {
      {T::Picture, true, true, false, false, S::SwitchOn},
      {T::Picture, true, false, false, false, S::SwitchOn},
      {T::MainWindow, true, false, false, false, S::SwitchOn},
      {T::StripEntry, true, true, false, false, S::SwitchOn},
      {T::StripEntry, true, false, false, false, S::Keep},
      {T::StripEntry, true, false, false, true, S::SwitchOff},
      {T::Picture, true, true, false, true, S::Keep},
      {T::OtherControl, true, true, false, true, S::SwitchOff},
      {T::OtherControl, true, true, false, false, S::Keep},
      {T::Nothing, true, true, false, true, S::SwitchOff},
      {T::Picture, false, true, false, false, S::Keep},
      {T::Picture, false, true, false, true, S::SwitchOff},
      {T::Picture, true, true, true, false, S::Keep},
      {T::OtherControl, true, true, true, true, S::Keep},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PointerDecision(c.target, c.appActive, c.thumbnails, c.paused, c.on), c.expected)
        << static_cast<int>(c.target) << " active " << c.appActive << " thumbs " << c.thumbnails
        << " paused " << c.paused << " on " << c.on;
  }
}

// A magnifier that remembers what it was told.
class RecordingMagnifier : public MagnifierView {
 public:
  void SetMagnifierActive(bool a) override { active = a; }
  void SetMagnifierShown(bool s) override { shown = s; }
  void SetMagnifierZoomLevel(int l) override { level = l; }
  void RefreshMagnifier() override { ++refreshes; }
  void LayOutMagnifierPanel(const MagnifierPanel& p) override { panel = p; }

  bool active = true, shown = true;
  int level = 0, refreshes = 0;
  MagnifierPanel panel{0, 0, true};
};

TEST(MagnifierPresenter, StartsHiddenAndInactiveAndPausesOnceWhenItWasPaused) {
  RecordingMagnifier view;
  MagnifierPresenter p(view);
  p.Start(70, true);
  EXPECT_FALSE(view.active);
  EXPECT_FALSE(view.shown);
  EXPECT_EQ(view.level, 70);
  EXPECT_EQ(view.panel, PanelFor(false));
  EXPECT_FALSE(p.Paused());
  EXPECT_FALSE(p.On());

  RecordingMagnifier paused;
  MagnifierPresenter q(paused);
  q.Start(0, false);
  EXPECT_TRUE(q.Paused());
  EXPECT_EQ(q.ZoomLevel(), 5);
  EXPECT_EQ(paused.panel, PanelFor(true));
  EXPECT_FALSE(paused.shown);
  EXPECT_FALSE(paused.active);
}

TEST(MagnifierPresenter, PauseAlternatesAndUnpausingShowsAndRefreshesIt) {
  RecordingMagnifier view;
  MagnifierPresenter p(view);
  p.Start(50, true);
  p.TogglePause();
  EXPECT_TRUE(p.Paused());
  EXPECT_EQ(view.panel, PanelFor(true));
  EXPECT_FALSE(view.shown);
  EXPECT_FALSE(view.active);
  p.TogglePause();
  EXPECT_FALSE(p.Paused());
  EXPECT_TRUE(p.On());
  EXPECT_EQ(view.panel, PanelFor(false));
  EXPECT_TRUE(view.shown);
  EXPECT_TRUE(view.active);
  EXPECT_EQ(view.refreshes, 1);
  // While paused the pointer changes nothing.
  p.TogglePause();
  p.PointerMoved(PointerTarget::Picture, true, true);
  EXPECT_FALSE(view.shown);
  EXPECT_FALSE(p.On());
}

TEST(MagnifierPresenter, ZoomingSwitchesAPausedMagnifierOn) {
  RecordingMagnifier view;
  MagnifierPresenter p(view);
  p.Start(10, false);
  p.ZoomIn();
  EXPECT_EQ(p.ZoomLevel(), 5);
  EXPECT_EQ(view.level, 5);
  EXPECT_FALSE(p.Paused());
  EXPECT_TRUE(view.shown);
  p.ZoomOut();
  EXPECT_EQ(view.level, 15);
  EXPECT_FALSE(p.Paused()) << "zooming does not pause it again";
}

TEST(MagnifierPresenter, ThePointerSwitchesItAndRefreshingWorksOnlyWhileItIsOn) {
  RecordingMagnifier view;
  MagnifierPresenter p(view);
  p.Start(50, true);
  p.Refresh();
  EXPECT_EQ(view.refreshes, 0) << "no capture while it is off";
  p.PointerMoved(PointerTarget::Picture, true, true);
  EXPECT_TRUE(view.shown);
  EXPECT_TRUE(view.active);
  EXPECT_EQ(view.refreshes, 1) << "switching on paints at once";
  p.PointerMoved(PointerTarget::Picture, true, true);
  p.Refresh();
  EXPECT_EQ(view.refreshes, 2);
  p.PointerMoved(PointerTarget::OtherControl, true, true);
  EXPECT_FALSE(view.shown);
  EXPECT_FALSE(view.active);
  EXPECT_FALSE(p.On());
  EXPECT_EQ(view.panel, PanelFor(false)) << "hiding it does not shrink the panel";
}

}  // namespace
}  // namespace trimora
