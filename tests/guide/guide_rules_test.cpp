// The viewer's window place and skin choice from the real settings store, and the help
// contexts, without a display.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "../platform/temp_folder.h"
#include "guide/guide_place.h"
#include "guide/help/help_topics.h"
#include "platform/settings.h"
#include "platform/version.h"

namespace trimora::guide {
namespace {

class GuidePlaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetSettingsHomeForTesting(home_.path());
    SetMainProgramFileForTesting(TRIMORA_PROGRAM_DIR "/Trimora2");
  }
  void TearDown() override {
    SetMainProgramFileForTesting("");
    SetSettingsHomeForTesting("");
  }
  testing::TempFolder home_;
};

TEST_F(GuidePlaceTest, AnEmptyStoreCentresA445By310WindowOnTheScreen) {
  struct Case {
    int screenWidth, screenHeight;
    WindowPlace expected;
  };
  const std::vector<Case> cases = {
      {1600, 1200, {577, 445, 445, 310}},
      {1024, 768, {289, 229, 445, 310}},
      // A screen smaller than the window: the difference is halved toward zero.
      {300, 200, {-72, -55, 445, 310}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadGuidePlace(c.screenWidth, c.screenHeight), c.expected) << c.screenWidth;
  }
}

TEST_F(GuidePlaceTest, StoredValuesUnderHelpWinAndCentringUsesTheStoredSize) {
  WriteIntSetting("Help\\Width", 600);
  WriteIntSetting("Help\\Height", 500);
  EXPECT_EQ(ReadGuidePlace(1600, 1200), (WindowPlace{500, 350, 600, 500}));
  WriteIntSetting("Help\\Left", 20);
  WriteIntSetting("Help\\Top", -5);
  EXPECT_EQ(ReadGuidePlace(1600, 1200), (WindowPlace{20, -5, 600, 500}));
  // Values of the main window are not the viewer's.
  WriteIntSetting("Width", 999);
  EXPECT_EQ(ReadGuidePlace(1600, 1200).width, 600);
  // A value that is not a number gives the default.
  WriteStringSetting("Help\\Width", "breit");
  EXPECT_EQ(ReadGuidePlace(1600, 1200).width, 445);
}

TEST_F(GuidePlaceTest, OnlyAStoredOneChoosesTheStandardSkin) {
  EXPECT_FALSE(StandardSkinChosen());
  for (const auto& [stored, standard] :
       std::vector<std::pair<int, bool>>{{1, true}, {0, false}, {2, false}, {-1, false}}) {
    WriteIntSetting("StandardSkin", stored);
    EXPECT_EQ(StandardSkinChosen(), standard) << stored;
  }
}

TEST(KeepOnScreens, APlaceIsFittedIntoItsScreenAndOneOutsideEveryScreenIsCentredOnTheFirst) {
  const std::vector<WindowPlace> screens = {{0, 0, 1600, 1200}, {1600, 0, 1280, 1024}};
  struct Case {
    WindowPlace place, expected;
  };
  const std::vector<Case> cases = {
      {{100, 100, 445, 310}, {100, 100, 445, 310}},
      {{2000, 500, 445, 310}, {2000, 500, 445, 310}},  // on the second screen
      {{-400, -300, 445, 310}, {0, 0, 445, 310}},      // a corner still on the first
      {{1500, 100, 445, 310}, {1155, 100, 445, 310}},  // across both: into the first
      {{0, 0, 0x7fffffff, 0x7fffffff}, {0, 0, 1600, 1200}},
      {{1700, 50, 0x7fffffff, 0x7fffffff}, {1600, 0, 1280, 1024}},
      {{10, 10, 5, -5}, {10, 10, 270, 150}},  // the smallest size
      {{-2147483647, -2147483647, 445, 310}, {577, 445, 445, 310}},
      {{3000, 100, 445, 310}, {577, 445, 445, 310}},  // right of both screens
      {{100, 1300, 445, 310}, {577, 445, 445, 310}},  // below them
      {{-445, 0, 445, 310}, {577, 445, 445, 310}},    // just left of the first
  };
  for (const Case& c : cases)
    EXPECT_EQ(KeepOnScreens(c.place, screens), c.expected) << c.place.left;
  EXPECT_EQ(KeepOnScreens({3000, 100, 445, 310}, {}), (WindowPlace{3000, 100, 445, 310}));
}

TEST(HelpTopics, EveryContextOfTheProgramHasAPageOfItsOwnAndOthersGetTheContents) {
  // Which page answers which context is checked by its title in the window tests.
  const std::string contents = help::PageForContext(0);
  std::set<std::string> pages{contents};
  for (const int context : {6, 12, 25, 40, 50, 60, 70, 80})
    pages.insert(help::PageForContext(context));
  EXPECT_EQ(pages.size(), 9u);
  EXPECT_EQ(help::HelpTopics().size(), 9u);
  for (const int unknown : {1, -6, 33, 99999})
    EXPECT_EQ(help::PageForContext(unknown), contents) << unknown;
}

TEST(HelpTopics, TheArgumentIsOneDecimalNumber) {
  const std::vector<std::pair<std::string, int>> cases = {
      {"60", 60},  {"+12", 12}, {"-3", -3},         {"0", 0},
      {"", 0},     {"abc", 0},  {"6a", 0},          {" 6", 0},
      {"0x10", 0}, {"+-1", 0},  {"99999999999", 0}, {"2147483647", 2147483647},
  };
  for (const auto& [argument, context] : cases)
    EXPECT_EQ(help::ParseHelpContext(argument), context) << '"' << argument << '"';
}

}  // namespace
}  // namespace trimora::guide
