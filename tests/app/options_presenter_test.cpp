// The settings dialog without a display: the real settings store under a temporary
// configuration home; the dialog is a recording fake that runs the user's steps.
#include "app/options_presenter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "../platform/temp_folder.h"
#include "app/main_settings.h"
#include "fake_options_view.h"
#include "platform/settings.h"

namespace trimora {
namespace {

using L = OptionsList;
using C = OptionsCheck;
using testing::FakeOptionsView;

constexpr C kAllChecks[] = {C::kEnlargeLeft,      C::kEnlargeRight, C::kLossySavingInfo,
                            C::kLossySavingInfo2, C::kAskOnDelete,  C::kMarkPicture,
                            C::kShowHints};

class OptionsTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("XDG_CONFIG_HOME", config_.path().c_str(), 1); }

  // Runs the dialog with `steps` as the user's actions; true when it closed with OK.
  bool Open(std::function<void(OptionsPresenter&)> steps) {
    view_.script = std::move(steps);
    OptionsPresenter presenter(view_, [this](int context) { help_.push_back(context); });
    // As the main window does: from the stored values, written when saved.
    const bool saved = presenter.Run(ReadOptionsValues());
    values_ = presenter.Values();
    if (saved) WriteOptionsValues(values_);
    return saved;
  }

  testing::TempFolder config_;
  FakeOptionsView view_;
  OptionsValues values_;
  std::vector<int> help_;
};

TEST_F(OptionsTest, MissingSettingsShowTheFirstEntriesAndEveryBoxTicked) {
  EXPECT_FALSE(Open([](OptionsPresenter& p) { p.HelpKey(); }));
  EXPECT_EQ(view_.Index(L::kFileFormat1), 0);
  EXPECT_EQ(view_.Index(L::kFileFormat2), 0) << "JPEG (verlustbehaftet ...), not TIFF";
  EXPECT_TRUE(view_.Enabled(L::kFileFormat2));
  EXPECT_EQ(view_.Index(L::kEnlargeColor), 0);
  EXPECT_EQ(OptionsListEntries(L::kEnlargeColor)[0], "weiß");
  for (C check : kAllChecks) EXPECT_TRUE(view_.Checked(check)) << static_cast<int>(check);
  EXPECT_EQ(help_, std::vector<int>{6});
}

TEST_F(OptionsTest, TheStoredSettingsFillTheDialogAndOutOfRangeListsShowNothing) {
  WriteIntSetting("FileFormat1", 3);
  WriteIntSetting("FileFormat2", 9);
  WriteIntSetting("Enlarge\\Color", 4);
  WriteBoolSetting("Enlarge\\Right", false);
  WriteIntSetting("AskOnDelete", 2);  // not exactly 1: false
  Open(nullptr);
  EXPECT_EQ(view_.Index(L::kFileFormat1), 3);
  EXPECT_EQ(view_.Index(L::kFileFormat2), 2) << "follows BMP of the first list";
  EXPECT_FALSE(view_.Enabled(L::kFileFormat2));
  EXPECT_EQ(view_.Index(L::kEnlargeColor), 4);
  EXPECT_FALSE(view_.Checked(C::kEnlargeRight));
  EXPECT_FALSE(view_.Checked(C::kAskOnDelete));
  EXPECT_TRUE(view_.Checked(C::kEnlargeLeft));

  WriteIntSetting("FileFormat1", 7);
  WriteIntSetting("FileFormat2", 9);
  Open(nullptr);
  EXPECT_EQ(view_.Index(L::kFileFormat1), -1);
  EXPECT_EQ(view_.Index(L::kFileFormat2), -1);
  EXPECT_FALSE(view_.Enabled(L::kFileFormat2));
}

TEST_F(OptionsTest, TheSecondListServesOnlyLosslessJpegAndOtherwiseFollowsTheFirst) {
  struct Step {
    int chosen;  // entry chosen in the first list
    int second;  // the second list afterwards
    bool enabled;
  };
  const Step steps[] = {{2, 1, false}, {0, 1, true}, {4, 3, false},
                        {1, 0, false}, {0, 0, true}, {3, 2, false}};
  Open([&](OptionsPresenter& p) {
    p.ListChosen(L::kFileFormat2, 2);
    EXPECT_EQ(p.Values().fileFormat2, 2);
    for (const Step& s : steps) {
      p.ListChosen(L::kFileFormat1, s.chosen);
      EXPECT_EQ(view_.Index(L::kFileFormat2), s.second) << s.chosen;
      EXPECT_EQ(view_.Enabled(L::kFileFormat2), s.enabled) << s.chosen;
      EXPECT_EQ(p.Values().fileFormat2, s.second);
    }
    p.ListChosen(L::kEnlargeColor, 5);  // the colour list runs the same check: nothing moves
    EXPECT_EQ(view_.Index(L::kFileFormat2), 2);
  });
}

TEST_F(OptionsTest, ReturnAndSpaceToggleAFocusedBoxWhenReleasedOtherKeysDoNot) {
  Open([&](OptionsPresenter& p) {
    for (C check : kAllChecks) {
      p.CheckboxKeyUp(check, kSpaceKeyCode);
      EXPECT_FALSE(view_.Checked(check));
      p.CheckboxKeyUp(check, kReturnKeyCode);
      EXPECT_TRUE(view_.Checked(check));
      p.CheckboxKeyUp(check, 65);
      p.CheckboxKeyUp(check, 27);
      EXPECT_TRUE(view_.Checked(check));
    }
    p.CheckboxKeyUp(C::kShowHints, kSpaceKeyCode);
    EXPECT_FALSE(p.Values().showHints);
  });
}

TEST_F(OptionsTest, WithoutAStripeSideSavingIsRefusedAndNothingChanges) {
  WriteIntSetting("FileFormat1", 2);
  const OptionsValues before = ReadOptionsValues();
  const bool saved = Open([&](OptionsPresenter& p) {
    p.ListChosen(L::kFileFormat1, 4);
    p.CheckClicked(C::kMarkPicture, false);
    p.CheckClicked(C::kEnlargeLeft, false);
    p.CheckClicked(C::kEnlargeRight, false);
    p.SpeichernButtonClick();
    EXPECT_TRUE(view_.open) << "the dialog stays open";
    // The user gives up: "&Abbrechen".
  });
  EXPECT_FALSE(saved);
  ASSERT_EQ(view_.messages.size(), 1u);
  EXPECT_EQ(view_.messages[0],
            (FakeOptionsView::Message{
                "Fehler",
                "Unter \"Erweitern von Bildern mit Seitenstreifen\" muss mindestens eine Option "
                "markiert sein.",
                4, 330, 160}));
  EXPECT_EQ(ReadOptionsValues(), before);
}

TEST_F(OptionsTest, SavingWritesEverySettingAndTheNextShowingStartsFromThem) {
  struct Change {
    C check;
    const char* setting;
  };
  const Change changes[] = {{C::kEnlargeLeft, "Enlarge\\Left"},
                            {C::kLossySavingInfo, "ShowLossySavingInfo"},
                            {C::kLossySavingInfo2, "ShowLossySavingInfo2"},
                            {C::kAskOnDelete, "AskOnDelete"},
                            {C::kMarkPicture, "MarkPictureForSavingOnClick"},
                            {C::kShowHints, "ShowHints"}};
  const bool saved = Open([&](OptionsPresenter& p) {
    p.ListChosen(L::kFileFormat2, 3);
    p.ListChosen(L::kEnlargeColor, 2);
    for (const Change& c : changes) p.CheckClicked(c.check, false);
    p.SpeichernButtonClick();
  });
  EXPECT_TRUE(saved);
  EXPECT_EQ(ReadIntSetting("FileFormat1", -1), 0);
  EXPECT_EQ(ReadIntSetting("FileFormat2", -1), 3);
  EXPECT_EQ(ReadIntSetting("Enlarge\\Color", -1), 2);
  EXPECT_TRUE(ReadBoolSetting("Enlarge\\Right", false));
  for (const Change& c : changes) EXPECT_FALSE(ReadBoolSetting(c.setting, true)) << c.setting;
  EXPECT_EQ(values_.fileFormat2, 3);

  // Cancelled changes are forgotten: the next showing starts from the stored settings.
  EXPECT_FALSE(Open([](OptionsPresenter& p) {
    p.ListChosen(OptionsList::kFileFormat1, 2);
    p.CheckClicked(C::kShowHints, true);
  }));
  EXPECT_EQ(ReadIntSetting("FileFormat1", -1), 0);
  Open(nullptr);
  EXPECT_EQ(view_.Index(L::kFileFormat1), 0);
  EXPECT_EQ(view_.Index(L::kFileFormat2), 3);
  EXPECT_FALSE(view_.Checked(C::kShowHints));
  EXPECT_TRUE(view_.Checked(C::kEnlargeRight));
}

TEST_F(OptionsTest, AListWithNothingChosenLeavesItsSettingAlone) {
  WriteIntSetting("FileFormat1", 7);
  WriteIntSetting("Enlarge\\Color", 12);
  EXPECT_TRUE(Open([](OptionsPresenter& p) { p.SpeichernButtonClick(); }));
  EXPECT_EQ(ReadIntSetting("FileFormat1", -1), 7);
  EXPECT_EQ(ReadIntSetting("Enlarge\\Color", -1), 12);
  EXPECT_EQ(ReadIntSetting("FileFormat2", -1), 0) << "the disabled second list showed entry 0";
}

TEST_F(OptionsTest, QuestionsCanBeSwitchedOnAgainOnlyWhileOneIsOff) {
  for (const bool switchedOff : {false, true}) {
    OptionsValues stored;
    stored.questionsSwitchedOff = switchedOff;
    view_.script = [](OptionsPresenter& p) {
      p.CheckboxKeyUp(C::kShowQuestionsAgain, kSpaceKeyCode);
      p.SpeichernButtonClick();
    };
    OptionsPresenter presenter(view_, nullptr);
    ASSERT_TRUE(presenter.Run(stored));
    EXPECT_EQ(view_.CheckEnabled(C::kShowQuestionsAgain), switchedOff);
    EXPECT_EQ(view_.Checked(C::kShowQuestionsAgain), switchedOff);
    EXPECT_EQ(presenter.Values().showQuestionsAgain, switchedOff);
    // A click that reaches a disabled box changes nothing either.
    view_.script = [](OptionsPresenter& p) { p.CheckClicked(C::kShowQuestionsAgain, true); };
    presenter.Run(stored);
    EXPECT_EQ(presenter.Values().showQuestionsAgain, switchedOff);
    // Every showing starts with the box cleared.
    view_.script = nullptr;
    presenter.Run(stored);
    EXPECT_FALSE(view_.Checked(C::kShowQuestionsAgain));
  }
}

}  // namespace
}  // namespace trimora
