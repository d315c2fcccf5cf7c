// The full-screen preview's rules as tables, and its presenter over a recording view and host.
#include "frame/full_screen.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace trimora {
namespace {

using A = FullScreenAction;

TEST(FullScreenKeys, CloseOnEnterEscSpaceF11PageWithTheImageKeysAndTurnWithF6F7) {
  const std::pair<Key, A> cases[] = {
      {Key::Return, A::Close},    {Key::Escape, A::Close},    {Key::Space, A::Close},
      {Key::F11, A::Close},       {Key::PageUp, A::Previous}, {Key::PageDown, A::Next},
      {Key::F, A::ToggleCropped}, {Key::F6, A::RotatePlus90}, {Key::F7, A::RotateMinus90},
      {Key::A, A::None},          {Key::Left, A::None},       {Key::F5, A::None},
  };
  for (const auto& [key, action] : cases) {
    EXPECT_EQ(FullScreenActionForKey(key), action) << static_cast<int>(key);
  }
}

TEST(FullScreenContent, TheMarkedPartOnlyWhenAskedForMarkedAndNotEnlarged) {
  using C = FullScreenContent;
  struct Case {
    bool down, enlarged, marked;
    C expected;
  };
  const Case cases[] = {
      {false, false, true, C::WholePicture}, {true, false, true, C::MarkedPart},
      {true, true, true, C::WholePicture},   {true, false, false, C::WholePicture},
      {false, true, false, C::WholePicture},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FullScreenContentFor(c.down, c.enlarged, c.marked), c.expected)
        << c.down << c.enlarged << c.marked;
  }
}

TEST(FullScreenPlacement, ScalesDownToFitKeepingProportionsOrShowsOneToOneCentred) {
  struct Case {
    const char* what;
    int w, h, areaW, areaH;
    ScreenRect expected;
  };
  const Case cases[] = {
      {"24 MP landscape", 6000, 4000, 1600, 1200, {0, 67, 1600, 1066}},
      {"portrait", 3000, 4000, 1600, 1200, {350, 0, 900, 1200}},
      {"square takes the portrait branch", 2000, 2000, 1600, 1200, {200, 0, 1200, 1200}},
      {"only wider than the screen", 1700, 1100, 1600, 1200, {0, 82, 1600, 1035}},
      {"only higher than the screen", 1000, 1300, 1600, 1200, {338, 0, 923, 1200}},
      {"a panorama", 8000, 1000, 1600, 1200, {0, 500, 1600, 200}},
      {"landscape that stays too high at full width", 1700, 1450, 1600, 1200, {97, 0, 1406, 1200}},
      {"smaller: 1:1, centred", 300, 200, 1600, 1200, {650, 500, 300, 200}},
      {"as large as the screen", 1600, 1200, 1600, 1200, {0, 0, 1600, 1200}},
      {"odd remainder", 301, 201, 1600, 1200, {649, 499, 301, 201}},
      {"no picture", 0, 0, 1600, 1200, {800, 600, 0, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FullScreenPlacement(c.w, c.h, c.areaW, c.areaH), c.expected) << c.what;
  }
}

// A preview and a main window that record what they are told, in one trail.
class Recorder : public FullScreenView, public FullScreenHost {
 public:
  void ShowFullScreenContent(FullScreenContent c) override {
    trail.push_back(c == FullScreenContent::WholePicture ? "show whole" : "show marked");
  }
  void SetShowCroppedButton(bool down, const std::string& hint) override {
    trail.push_back(std::string(down ? "button down " : "button up ") + hint);
  }
  void RunFullScreen() override {
    trail.push_back("run");
    if (whileOpen) whileOpen();
  }
  void CloseFullScreen() override { trail.push_back("close"); }
  void ClearFullScreen() override { trail.push_back("clear"); }
  bool PictureEnlarged() const override { return enlarged; }
  bool PartMarked() const override { return marked; }
  void SetMainFrameActive(bool active) override {
    trail.push_back(active ? "frame active" : "frame inactive");
  }
  void RunFromFullScreen(CommandId command) override {
    trail.push_back("command " + std::to_string(static_cast<int>(command)));
  }
  void FullScreenClosed() override { trail.push_back("closed"); }

  std::vector<std::string> trail;
  std::function<void()> whileOpen;
  bool enlarged = false;
  bool marked = true;
};

TEST(FullScreenPresenter, OpensWithTheFrameInactiveAndCleansUpAfterwards) {
  Recorder r;
  FullScreenPresenter p(r, r);
  r.whileOpen = [&] { EXPECT_TRUE(p.IsOpen()); };
  p.Show();
  EXPECT_EQ(r.trail, (std::vector<std::string>{"frame inactive", "show whole", "run", "clear",
                                               "closed", "frame active"}));
  EXPECT_FALSE(p.IsOpen());
}

TEST(FullScreenPresenter, AnErrorInsideStillCleansUp) {
  Recorder r;
  FullScreenPresenter p(r, r);
  r.whileOpen = [] { throw std::runtime_error("Die Datei konnte nicht gelesen werden."); };
  EXPECT_THROW(p.Show(), std::runtime_error);
  EXPECT_FALSE(p.IsOpen());
  EXPECT_EQ(r.trail.back(), "frame active");
  EXPECT_EQ(r.trail[r.trail.size() - 3], "clear");
}

TEST(FullScreenPresenter, KeysAndButtonsReachTheMainWindowAndFAlternatesTheMarkedPart) {
  Recorder r;
  FullScreenPresenter p(r, r);
  r.whileOpen = [&] {
    r.trail.clear();
    EXPECT_TRUE(p.KeyPressed({Key::PageDown, false, false}));
    EXPECT_TRUE(p.KeyPressed({Key::PageUp, true, false}));
    EXPECT_TRUE(p.KeyPressed({Key::F6, false, false}));
    EXPECT_TRUE(p.KeyPressed({Key::F7, false, false}));
    EXPECT_TRUE(p.KeyPressed({Key::F, false, false}));
    p.Run(A::ToggleCropped);
    EXPECT_FALSE(p.KeyPressed({Key::A, false, false}));
    EXPECT_TRUE(p.KeyPressed({Key::Escape, false, false}));
  };
  p.Show();
  const auto command = [](CommandId id) {
    return "command " + std::to_string(static_cast<int>(id));
  };
  const std::vector<std::string> expected{command(CommandId::NextPicture),
                                          command(CommandId::PreviousPicture),
                                          command(CommandId::RotatePlus90),
                                          command(CommandId::RotateMinus90),
                                          std::string("button down ") + kUncroppedHint,
                                          "show marked",
                                          std::string("button up ") + kShowCroppedHint,
                                          "show whole",
                                          "close",
                                          "clear",
                                          "closed",
                                          "frame active"};
  EXPECT_EQ(r.trail, expected);
}

TEST(FullScreenPresenter, TheMarkedPartIsKeptForTheProgramsLifeAndRefreshesOnlyWhileOpen) {
  Recorder r;
  FullScreenPresenter p(r, r);
  r.whileOpen = [&] { p.Run(A::ToggleCropped); };
  p.Show();
  EXPECT_TRUE(p.CroppedDown());
  r.trail.clear();
  p.Refresh(false);
  EXPECT_TRUE(r.trail.empty()) << "a refresh message after closing does nothing";
  r.whileOpen = nullptr;
  p.Show();
  EXPECT_EQ(r.trail[1], "show marked") << "reopened with the button still down";
  r.enlarged = true;
  r.trail.clear();
  p.Refresh(true);
  EXPECT_EQ(r.trail, std::vector<std::string>{"show whole"}) << "stripes show the whole picture";
}

}  // namespace
}  // namespace trimora
