// The main window's presenter without a display (the fixture: main_presenter_fixture.h).
#include "app/main_presenter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

#include "main_presenter_fixture.h"
#include "platform/settings.h"

namespace trimora {
namespace {

namespace fs = std::filesystem;
using C = CommandId;
using testing::FakeFrameView;
using testing::FakeMainView;
using testing::FakePrograms;
using testing::TempFolder;

class MainPresenterTest : public testing::MainPresenterFixture {};

TEST_F(MainPresenterTest, TheWindowStartsWithOnlyTheCommandsThatWorkWithoutAPicture) {
  {
    auto p = Start();
    EXPECT_EQ(view_.EnabledSet(), SetOf({C::ChooseSourceFolder, C::Quit, C::ToolBarFiles,
                                         C::ToolBarTouchUp, C::ToolBarRotate, C::ToolBarFormat,
                                         C::ToolBarNavigation, C::HomePage, C::About}))
        << "the help items stay off while the help program and the guide viewer are missing";
    EXPECT_EQ(view_.CheckedSet(), SetOf({C::FashionSkin, C::ToolBarFiles, C::ToolBarTouchUp,
                                         C::ToolBarRotate, C::ToolBarFormat}));
    EXPECT_EQ(view_.bandOrder, ui::kDesignedBandOrder);
    EXPECT_EQ(view_.bandsVisible, (std::array<bool, 5>{true, true, true, true, false}));
    EXPECT_EQ(view_.place, (WindowRect{400, 300, 800, 600})) << "centred on the first run";
    EXPECT_TRUE(view_.shortcutVisible);
    EXPECT_EQ(view_.captions[C::FormatButton], "   10 x 15   ");
    ASSERT_EQ(view_.defaultFormatMenu.size(), 3u);
    EXPECT_EQ(view_.defaultFormatMenu[0], (FormatMenuEntry{"10 x 15", 1, true, false}));
    EXPECT_TRUE(view_.defaultFormatMenu[1].separator);
    EXPECT_EQ(view_.defaultFormatMenu[2], (FormatMenuEntry{"1024 x 700", -1, false, false}));
    EXPECT_TRUE(programs_.started.empty()) << "a missing guide viewer is not started";
  }
  programs_.present = {kHelpProgram, kGuideProgram};
  fs::remove_all(config_.path() + "/Halvorn");
  auto p = Start();
  EXPECT_TRUE(view_.Enabled(C::HelpContents));
  EXPECT_TRUE(view_.Enabled(C::Faq));
  EXPECT_TRUE(view_.Enabled(C::QuickGuide));
  EXPECT_EQ(programs_.started, std::vector<std::string>{"Brevio"}) << "the first run";
}

TEST_F(MainPresenterTest, TheWindowOpensWhereItWasLeftWithinTheOldScreenLimits) {
  struct Case {
    int left, top;
    bool maximized;
    WindowRect expected;
  };
  for (const Case& c :
       {Case{100, 50, false, {100, 50, 900, 640}}, Case{1500, 40, false, {1, 1, 900, 640}},
        Case{30, 900, true, {1, 1, 900, 640}}}) {
    WriteIntSetting("Height", 640);
    WriteIntSetting("Width", 900);
    WriteIntSetting("Left", c.left);
    WriteIntSetting("Top", c.top);
    WriteBoolSetting("Maximized", c.maximized);
    auto p = Start();
    EXPECT_EQ(view_.place, c.expected) << c.left << "," << c.top;
    EXPECT_EQ(view_.maximized, c.maximized);
    EXPECT_FALSE(p->FirstRun());
  }
}

TEST_F(MainPresenterTest, AnyStoredGeometryOpensWithinTheDesktopAndIsSavedSoBack) {
  struct Case {
    int left, top, width, height;
    WindowRect expected, exif;
  };
  constexpr int kHuge = 0x7fffffff;
  for (const Case& c : {Case{0, 0, kHuge, kHuge, {0, 0, 1600, 1200}, {0, 0, 1600, 1200}},
                        Case{-kHuge, -kHuge, 100, 20, {0, 0, 800, 600}, {0, 0, 210, 80}},
                        Case{900, 700, 1000, 900, {600, 300, 1000, 900}, {600, 300, 1000, 900}},
                        Case{-300, 10, 900, 640, {0, 10, 900, 640}, {0, 10, 900, 640}}}) {
    SCOPED_TRACE(std::to_string(c.left) + "," + std::to_string(c.width));
    for (const char* prefix : {"", "EXIF\\"}) {
      WriteIntSetting(std::string(prefix) + "Left", c.left);
      WriteIntSetting(std::string(prefix) + "Top", c.top);
      WriteIntSetting(std::string(prefix) + "Width", c.width);
      WriteIntSetting(std::string(prefix) + "Height", c.height);
    }
    WriteBoolSetting("Maximized", false);
    auto p = Start();
    EXPECT_EQ(view_.place, c.expected);
    p->Close();
    EXPECT_LE(ReadIntSetting("Width", 0), 1600);
    EXPECT_LE(ReadIntSetting("Height", 0), 1200);
    EXPECT_EQ(ReadIntSetting("EXIF\\Left", 0), c.exif.left);
    EXPECT_EQ(ReadIntSetting("EXIF\\Top", 0), c.exif.top);
    EXPECT_EQ(ReadIntSetting("EXIF\\Width", 0), c.exif.width);
    EXPECT_EQ(ReadIntSetting("EXIF\\Height", 0), c.exif.height);
  }
}

TEST_F(MainPresenterTest, ToolBarItemsShowAndHideTheirBandsAndTheSettingsKeepThem) {
  WriteStringSetting("ToolBar\\Order", "31245");
  WriteBoolSetting("ToolBar\\Rotate", false);
  auto p = Start();
  EXPECT_EQ(view_.bandOrder, (ui::BandOrder{3, 1, 2, 4, 5}));
  EXPECT_EQ(view_.bandsVisible, (std::array<bool, 5>{true, true, false, true, false}));
  EXPECT_FALSE(view_.Checked(C::ToolBarRotate));
  p->Run(C::ToolBarNavigation);
  p->Run(C::ToolBarFiles);
  EXPECT_EQ(view_.bandsVisible, (std::array<bool, 5>{false, true, false, true, true}));
  EXPECT_TRUE(view_.Checked(C::ToolBarNavigation));
  EXPECT_FALSE(view_.Checked(C::ToolBarFiles));
  p->Close();
  EXPECT_EQ(ReadStringSetting("ToolBar\\Order", ""), "31245");
  EXPECT_FALSE(ReadBoolSetting("ToolBar\\Files", true));
  EXPECT_FALSE(ReadBoolSetting("ToolBar\\Rotate", true));
  EXPECT_TRUE(ReadBoolSetting("ToolBar\\Navigation", false));
  EXPECT_EQ(ReadIntSetting("MasterAlpha", 0), 105);
}

TEST_F(MainPresenterTest, OpeningAFolderEnablesThePictureCommandsAndEachKeyRunsItsCommandOnce) {
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg"}) AddPicture(name);
  auto p = Start();
  OpenAndWait(*p, pictures_.path());
  FolderPresenter& folder = p->Folder();
  ASSERT_EQ(folder.CurrentPosition(), 0);
  for (C id : {C::CropAndSave, C::ResetFolder, C::MarkForSaving, C::UnmarkForSaving,
               C::RotatePlus90, C::StepLeft, C::Centre, C::Shrink, C::Maximise, C::TurnSelection,
               C::HideOutside, C::CropOutside, C::NextPicture, C::LastPicture}) {
    EXPECT_TRUE(view_.Enabled(id)) << Row(id).name;
  }
  for (C id : {C::RedEyeFilter, C::CorrectionButton, C::AutoCorrect, C::EnlargeButton,
               C::Enlarge, C::FormatButton, C::FormatForCurrent}) {
    EXPECT_TRUE(view_.Enabled(id)) << Row(id).name;
  }
  for (C id : {C::FirstPicture, C::PreviousPicture, C::RedEyeRemove, C::AutoCorrectUndo,
               C::EnlargeRemove, C::ApplyRedEye, C::FullScreen, C::ExifInfo, C::Settings}) {
    EXPECT_FALSE(view_.Enabled(id)) << Row(id).name << ": no behaviour yet, or nothing before";
  }
  EXPECT_FALSE(view_.shortcutVisible);

  EXPECT_TRUE(p->KeyPressed(K(Key::PageDown)));
  EXPECT_EQ(folder.CurrentPosition(), 1);
  EXPECT_TRUE(view_.Enabled(C::PreviousPicture));
  EXPECT_TRUE(p->KeyPressed(K(Key::PageDown, true)));
  EXPECT_EQ(folder.CurrentPosition(), 3);
  EXPECT_FALSE(view_.Enabled(C::NextPicture));
  EXPECT_TRUE(p->KeyPressed(K(Key::PageUp)));
  EXPECT_EQ(folder.CurrentPosition(), 2);
  EXPECT_TRUE(p->KeyPressed(K(Key::Delete)));
  EXPECT_FALSE(view_.checkedEntries[2]);
  EXPECT_TRUE(p->KeyPressed(K(Key::Insert)));
  EXPECT_TRUE(view_.checkedEntries[2]);
  const int x = p->Frame().grid.SelX;
  p->Run(C::Minimise);
  p->Run(C::EdgeLeft);
  EXPECT_TRUE(p->KeyPressed(K(Key::Right)));
  EXPECT_EQ(p->Frame().grid.SelX, 1) << "one step, not two: " << x;
  // A key whose command has no behaviour yet is taken and does nothing.
  const std::size_t messages = view_.messages.size();
  EXPECT_TRUE(p->KeyPressed(K(Key::F11)));
  EXPECT_EQ(view_.messages.size(), messages);
  // A key outside the map is left to the control under it.
  EXPECT_FALSE(p->KeyPressed(K(Key::D)));
  EXPECT_FALSE(p->KeyPressed(K(Key::Other, true)));
}

TEST_F(MainPresenterTest, ADisabledCommandDoesNothingFromAnySource) {
  AddPicture("a.jpg");
  auto p = Start();
  // Before a folder is opened.
  for (C id : {C::CropAndSave, C::NextPicture, C::ResetFolder, C::RotatePlus90, C::StepLeft}) {
    p->Run(id);
  }
  EXPECT_TRUE(p->KeyPressed(K(Key::S, true)));
  EXPECT_TRUE(p->KeyPressed(K(Key::F6)));
  EXPECT_TRUE(view_.chooserCalls.empty());
  EXPECT_TRUE(view_.log.empty());
  EXPECT_TRUE(view_.errors.empty());
  // Keys and the wheel wait until the start has finished.
  auto starting = std::make_unique<MainPresenter>(view_, frame_, programs_, formats_.path() + "/",
                                                  kDesktop, nullptr);
  EXPECT_FALSE(starting->KeyPressed(K(Key::O, true)));
  EXPECT_TRUE(view_.chooserCalls.empty());
}

TEST_F(MainPresenterTest, AltF4ClosesTheWindowAndF4AloneDoesNot) {
  AddPicture("a.jpg");
  auto p = Start();
  OpenAndWait(*p, pictures_.path());
  EXPECT_TRUE(p->KeyPressed(K(Key::F4)));
  EXPECT_EQ(view_.closeRequests, 0);
  EXPECT_TRUE(p->Folder().Corrections().autoCorrection) << "F4 alone is the correction";
  EXPECT_TRUE(p->KeyPressed(K(Key::F4, false, true)));
  EXPECT_EQ(view_.closeRequests, 1);
  EXPECT_TRUE(p->Folder().Corrections().autoCorrection) << "Alt+F4 does not undo it";
  p->Run(C::Quit);
  EXPECT_EQ(view_.closeRequests, 2);
}

TEST_F(MainPresenterTest, UnderAFixedFormatTheSizeKeysAreSwallowedAndAltStillDims) {
  AddPicture("a.jpg", "casio-ex-m2.jpg");
  auto p = Start();
  p->DefaultFormatChosen(fixedFormat_);
  EXPECT_TRUE(view_.defaultFormatMenu[2].checked);
  OpenAndWait(*p, pictures_.path());
  ASSERT_EQ(p->Formats().CurrentFormat.FormatID, fixedFormat_);
  const GridState before = p->Frame().grid;
  EXPECT_TRUE(p->KeyPressed(K(Key::A)));
  EXPECT_TRUE(p->KeyPressed(K(Key::Q, true)));
  EXPECT_EQ(p->Frame().grid.SelW, before.SelW);
  EXPECT_FALSE(view_.Enabled(C::Shrink));
  EXPECT_FALSE(view_.Enabled(C::Maximise));
  EXPECT_TRUE(p->KeyPressed(K(Key::A, false, true)));
  EXPECT_EQ(p->Frame().MasterAlpha, 90);
}

TEST_F(MainPresenterTest, TheDimmingStepsStopAtTheirEndsAndTheMenusFollow) {
  AddPicture("a.jpg");
  auto p = Start();
  OpenAndWait(*p, pictures_.path());
  for (int i = 0; i < 7; ++i) p->Run(C::HideOutside);
  EXPECT_EQ(p->Frame().MasterAlpha, 0);
  EXPECT_FALSE(view_.Enabled(C::HideOutside));
  EXPECT_TRUE(view_.Enabled(C::ShowOutside));
  p->Run(C::ShowWhole);
  EXPECT_EQ(p->Frame().MasterAlpha, 255);
  EXPECT_TRUE(view_.Enabled(C::HideOutside));
  EXPECT_FALSE(view_.Enabled(C::ShowOutside));
}

TEST_F(MainPresenterTest, CtrlDelResetsTheFolderWithoutAQuestionAndDelOnlyUnmarks) {
  AddPicture("a.jpg");
  AddPicture("b.jpg");
  auto p = Start();
  OpenAndWait(*p, pictures_.path());
  p->KeyPressed(K(Key::Delete));
  EXPECT_FALSE(view_.checkedEntries[0]);
  EXPECT_EQ(std::count(view_.log.begin(), view_.log.end(), "clear"), 1);
  p->Folder().WriteTableIfAny();
  ASSERT_TRUE(fs::exists(pictures_ / "CroppingData.kv2"));
  p->KeyPressed(K(Key::Delete, true));
  p->Folder().WaitForStrip();
  EXPECT_TRUE(view_.messages.empty()) << "no question";
  EXPECT_FALSE(fs::exists(pictures_ / "CroppingData.kv2"));
  EXPECT_EQ(std::count(view_.log.begin(), view_.log.end(), "clear"), 2) << "opened anew";
  EXPECT_TRUE(view_.checkedEntries[0]) << "shown anew and marked on showing";
}

TEST_F(MainPresenterTest, HelpGoesToTheHelpProgramOrItsOpenWindowAndClosingAsksThemToClose) {
  programs_.present = {kHelpProgram, kGuideProgram};
  WriteIntSetting("Height", 600);  // not the first run
  auto p = Start();
  p->KeyPressed(K(Key::F1));
  p->Run(C::Faq);
  p->Run(C::QuickGuide);
  EXPECT_EQ(programs_.started, (std::vector<std::string>{"Help 0", "Help 25", "Brevio"}));
  programs_.open = {kHelpWindowClass, kGuideWindowClass};
  p->Run(C::HelpContents);
  EXPECT_EQ(programs_.posted, std::vector<std::string>{"THelpDialog 1029 0"});
  p->Run(C::HomePage);
  p->MailSupport();
  EXPECT_EQ(programs_.opened,
            (std::vector<std::string>{"https://www.trimora.de", "mailto:support@trimora.de"}));
  p->Run(C::About);
  ASSERT_EQ(view_.aboutBoxes.size(), 1u);
  programs_.posted.clear();
  p->Close();
  p->Close();
  EXPECT_EQ(programs_.posted, (std::vector<std::string>{"THelpDialog 16 0", "TBrevioDialog 16 0"}))
      << "once";
}

TEST_F(MainPresenterTest, TheTypeMenuOffersTheFiveTypesAndWritesTheChosenOne) {
  AddPicture("a.jpg");
  auto p = Start();
  OpenAndWait(*p, pictures_.path());
  view_.typeAnswers = {2, -1};
  p->TypeButtonClicked(0);
  ASSERT_EQ(view_.typeMenus.size(), 1u);
  std::vector<std::string> captions;
  for (const TypeMenuItem& item : view_.typeMenus[0].items) captions.push_back(item.caption);
  EXPECT_EQ(captions, (std::vector<std::string>{"JPG (verlustfrei)", "JPG (verlustbehaftet)",
                                                "TIF (verlustfrei)", "BMP (verlustfrei)",
                                                "PNG (verlustfrei)"}));
  EXPECT_EQ(view_.fileTypes[0], "TIF");
  EXPECT_EQ(p->Frame().grid.BlockSize, 1);
  p->TypeButtonClicked(0);
  EXPECT_EQ(view_.fileTypes[0], "TIF") << "closed without a choice";
}

TEST_F(MainPresenterTest, TheTypeButtonOfTheShownPictureTurnsRedWhenItsFormatMakesItLossy) {
  AddPicture("a.jpg", "casio-ex-m2.jpg");
  auto p = Start();
  OpenAndWait(*p, pictures_.path());
  EXPECT_EQ(view_.fileTypes[0], "JPG") << "lossless JPEG on the block grid";
  p->Frame().ApplyFormat(fixedFormat_, false);  // 700 pixels high: off the block grid
  EXPECT_EQ(p->Frame().grid.BlockSize, 1);
  EXPECT_EQ(view_.fileTypes[0], "JPG red");
}

TEST_F(MainPresenterTest, TheStripDoesNotOverwriteTheSavingProgress) {
  for (int i = 0; i < 8; ++i) AddPicture("p" + std::to_string(i) + ".jpg");
  TempFolder dest;
  auto p = Start();
  // Nothing wakes the main thread: the test runs the strip's hand-overs itself, so the strip
  // is still growing when the run starts.
  p->Folder().OpenFolder(pictures_.path());
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (p->Folder().ThumbnailCount() < 1 && std::chrono::steady_clock::now() < deadline) {
    if (p->RunHandOvers() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_EQ(p->Folder().CurrentPosition(), 0);
  ASSERT_FALSE(p->Folder().StripComplete());
  int handOversWhileSaving = 0;
  view_.onRepaint = [&] {
    if (!p->SavingInProgress()) return;
    // The window repaints during the run, and the strip's waiting steps run then.
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < until) {
      const int ran = p->RunHandOvers();
      handOversWhileSaving += ran;
      if (ran > 0) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  };
  view_.chosenFolder = dest.path();
  const std::size_t before = view_.statusTrail.size();
  p->Run(C::CropAndSave);
  const std::vector<std::string> during(view_.statusTrail.begin() + static_cast<long>(before),
                                        view_.statusTrail.end());
  const std::string shown = p->Folder().EntryCaption(0);
  EXPECT_TRUE(fs::exists(dest / (shown.substr(0, shown.size() - 3) + "JPG"))) << shown;
  ASSERT_GT(handOversWhileSaving, 0) << "the strip grew during the run";
  ASSERT_FALSE(during.empty());
  EXPECT_EQ(during.front(), "3:Speichere 1/1");
  for (std::size_t i = 1; i + 1 < during.size(); ++i) {
    EXPECT_NE(during[i].rfind("3:", 0), 0u) << "panel 3 changed during the run: " << during[i];
  }
  EXPECT_FALSE(p->SavingInProgress());
  p->Folder().WaitForStrip();
  EXPECT_EQ(view_.status[3], "8 Bilder im Verz.");
}

// What the window shows and what the presenters hold, in one text: a command that works
// changes it.
std::string Observe(const FakeMainView& view, const FakePrograms& programs, MainPresenter& p) {
  std::ostringstream out;
  for (const std::string& s : view.status) out << s << "|";
  out << view.currentEntry << "|";
  for (const auto& [position, checked] : view.checkedEntries) out << position << checked;
  for (const auto& [position, type] : view.fileTypes) out << position << type;
  out << "|" << view.hidden.size() << "|" << view.log.size() << "|" << view.chooserCalls.size()
      << "|" << view.messages.size() << "|" << view.errors.size() << "|" << view.aboutBoxes.size()
      << "|" << view.closeRequests << "|";
  for (bool visible : view.bandsVisible) out << visible;
  out << "|" << programs.started.size() << programs.opened.size() << programs.posted.size();
  const GridState& g = p.Frame().grid;
  const Picture& shown = p.Folder().DisplayedPicture();
  out << "|" << g.SelX << "," << g.SelY << "," << g.SelW << "," << g.SelH << "," << g.BlockSize
      << "|" << p.Frame().MasterAlpha << "|" << shown.width() << "x" << shown.height();
  std::uint64_t sum = 0;
  for (std::size_t i = 0; i < shown.byteCount(); ++i) sum = sum * 31 + shown.data()[i];
  const ShownCorrections& c = p.Folder().Corrections();
  out << "|" << sum << "|" << c.redEye << c.autoCorrection << c.enlarged
      << p.Corrections().Marking() << "|" << view.popups.size();
  return out.str();
}

TEST_F(MainPresenterTest, EveryEnabledCommandDoesWhatItSays) {
  programs_.present = {kHelpProgram, kGuideProgram};
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) AddPicture(name, "casio-ex-m2.jpg");
  WriteIntSetting("Height", 600);
  auto p = Start();
  OpenAndWait(*p, pictures_.path());
  std::vector<std::string> silent;
  for (std::size_t i = 0; i < kCommandCount; ++i) {
    const C id = static_cast<C>(i);
    // A state in which the command has something to do: the middle picture, unmarked, a
    // middle-sized selection in the middle, the outside dimmed half-way.
    p->Folder().ShowPicture(1, false);
    p->Folder().MarkForSaving(id != C::MarkForSaving, -1, false);
    p->Frame().Run(SelectionCommand::Minimise);
    for (int step = 0; step < 5; ++step) p->Frame().Run(SelectionCommand::Grow);
    p->Frame().Run(id == C::Centre ? SelectionCommand::EdgeLeft : SelectionCommand::Centre);
    p->Frame().MasterAlpha = 105;
    if (!view_.Enabled(id)) continue;
    const std::string before = Observe(view_, programs_, *p);
    p->Run(id);
    p->Folder().WaitForStrip();
    if (Observe(view_, programs_, *p) == before) silent.push_back(Row(id).name);
  }
  EXPECT_TRUE(silent.empty()) << "enabled but without effect: " << ::testing::PrintToString(silent);
}

}  // namespace
}  // namespace trimora
