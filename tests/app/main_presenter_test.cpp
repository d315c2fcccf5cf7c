// The main window's presenter without a display (the fixture: main_presenter_fixture.h).
#include "app/main_presenter.h"

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

#include "folder/cutting_record.h"
#include "main_presenter_fixture.h"
#include "metadata/exif_window.h"
#include "metadata/info_text.h"
#include "platform/settings.h"
#include "tables/table_file.h"

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
    EXPECT_EQ(view_.EnabledSet(),
              SetOf({C::ChooseSourceFolder, C::Settings, C::Quit, C::FormatDefinitions,
                     C::StandardSkin, C::FashionSkin, C::ToolBarFiles, C::ToolBarTouchUp,
                     C::ToolBarRotate, C::ToolBarFormat, C::ToolBarNavigation, C::HomePage,
                     C::About, C::ZoomPause, C::ZoomIn, C::ZoomOut}))
        << "the help items stay off while the help program and the guide viewer are missing";
    EXPECT_EQ(view_.CheckedSet(), SetOf({C::FashionSkin, C::ToolBarFiles, C::ToolBarTouchUp,
                                         C::ToolBarRotate, C::ToolBarFormat}));
    EXPECT_EQ(view_.ShownBands(), (std::vector<int>{1, 2, 3, 4}));
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

// Counts the files that take the name of the settings file (each write of it renames one there).
class SettingsWrites {
 public:
  explicit SettingsWrites(const fs::path& file)
      : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)), name_(file.filename().string()) {
    inotify_add_watch(fd_, file.parent_path().c_str(), IN_MOVED_TO | IN_CLOSE_WRITE);
  }
  ~SettingsWrites() { ::close(fd_); }
  // The writes of the file since the last call.
  int Count() {
    int count = 0;
    alignas(inotify_event) char buffer[8192];
    for (;;) {
      const ssize_t got = ::read(fd_, buffer, sizeof buffer);
      if (got <= 0) return count;
      for (ssize_t at = 0; at < got;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        if (event->len > 0 && event->name == name_) ++count;
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
  }

 private:
  int fd_;
  std::string name_;
};

TEST_F(MainPresenterTest, AStartWritesTheSettingsFileAtMostOnce) {
  // A settings file with the main key alone: the start creates the sub-keys it reads.
  const fs::path file = SettingsFilePath();
  fs::create_directories(file.parent_path());
  testing::WriteFile(file, "[" + SettingsKey() + "]\n\"Height\"=dword:00000280\n");
  SettingsWrites writes(file);
  {
    auto p = Start();
    EXPECT_EQ(writes.Count(), 1);
    const std::string stored = testing::ReadWholeFile(file);
    for (const char* key : {"ToolBar", "EXIF"}) {
      EXPECT_NE(stored.find("[" + SettingsKey() + "\\" + key + "]"), std::string::npos) << key;
    }
  }
  // With every key there, a start writes nothing.
  writes.Count();
  auto again = Start();
  EXPECT_EQ(writes.Count(), 0);
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

TEST_F(MainPresenterTest, TheToolBarRowMovesThePictureAreaAndWidensTheWindow) {
  auto p = Start();
  p->WindowResized(800, 800);
  const int top = view_.pictureTop;
  for (C item : {C::ToolBarFiles, C::ToolBarTouchUp, C::ToolBarRotate}) p->Run(item);
  EXPECT_EQ(view_.pictureTop, top);
  p->Run(C::ToolBarFormat);
  EXPECT_EQ(view_.pictureTop, top - 54) << "the last tool bar went";
  EXPECT_TRUE(view_.bandPlaces.empty());
  p->Run(C::ToolBarRotate);
  EXPECT_EQ(view_.pictureTop, top);
  p->Run(C::ToolBarFiles);
  EXPECT_EQ(view_.pictureTop, top) << "a second tool bar does not move it";
  // All five: the window grows to their width and is centred on the 1600 pixel desktop.
  for (C item : {C::ToolBarTouchUp, C::ToolBarFormat, C::ToolBarNavigation}) p->Run(item);
  const int all = 144 + 210 + 228 + 70 + 284 + 5 * 13 + 8;
  EXPECT_EQ(view_.minimumWidth, all);
  EXPECT_EQ(view_.place.width, all);
  EXPECT_EQ(view_.place.left, (1600 - all) / 2);
  // A band dragged to the front and let go: the row has it first, the order is kept.
  p->WindowResized(1200, 1200);
  p->BandDropped(5, 3);
  EXPECT_EQ(view_.ShownBands(), (std::vector<int>{5, 1, 2, 3, 4}));
  EXPECT_EQ(view_.bandPlaces.back().left + view_.bandPlaces.back().width, 1200 - 10);
  p->Close();
  EXPECT_EQ(ReadStringSetting("ToolBar\\Order", ""), "51234");
}

TEST_F(MainPresenterTest, TheFormatBandFollowsTheWidthOfItsToolBar) {
  auto p = Start();
  p->WindowResized(1000, 1000);
  p->FormatToolBarResized(160);
  ASSERT_EQ(view_.ShownBands(), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(view_.bandPlaces[3].left, 157 + 223 + 241);
  EXPECT_EQ(view_.bandPlaces[3].width, 1000 - 10 - (157 + 223 + 241));
  p->Run(C::ToolBarNavigation);
  EXPECT_EQ(view_.bandPlaces[3].width, 173) << "no longer the last band";
}

TEST_F(MainPresenterTest, StandardSkinConvertsAtOnceAndFashionNeedsARestart) {
  programs_.present.insert(kMainProgram);
  programs_.open = {kHelpWindowClass, kGuideWindowClass};
  auto p = Start();
  EXPECT_TRUE(p->FashionSkinActive());
  p->Run(C::FashionSkin);
  EXPECT_TRUE(view_.messages.empty()) << "Fashion is in force: nothing happens";
  p->Run(C::StandardSkin);
  EXPECT_FALSE(p->FashionSkinActive());
  EXPECT_EQ(view_.standardSkinConversions, 1);
  EXPECT_EQ(view_.shortcutsRemoved, (std::set<C>{C::Shrink}));
  EXPECT_EQ(view_.CheckedSet() & SetOf({C::StandardSkin, C::FashionSkin}),
            SetOf({C::StandardSkin}));
  EXPECT_TRUE(ReadBoolSetting("StandardSkin", false)) << "stored at once";
  EXPECT_EQ(programs_.posted, (std::vector<std::string>{"THelpDialog 16 0", "TBrevioDialog 16 0"}));
  p->Run(C::StandardSkin);
  EXPECT_EQ(view_.standardSkinConversions, 1) << "a second click does nothing";
  // The keypad's divide key no longer shrinks the selection.
  p->FinishStart();
  EXPECT_FALSE(p->KeyPressed({Key::KeypadDivide, false, false}));

  // "Fashion" answered with "Nein": nothing changes.
  programs_.posted.clear();
  view_.answers = {ui::kResultNo};
  p->Run(C::FashionSkin);
  ASSERT_EQ(view_.messages.size(), 1u);
  const auto& question = view_.messages[0];
  EXPECT_EQ(question.title, "Frage");
  EXPECT_EQ(question.text,
            "Zum Umschalten in den Fashion View-Modus ist ein Neustart des Programmes "
            "notwendig.\r\n\r\nSoll Trimora jetzt neu gestartet werden?");
  EXPECT_EQ(question.buttons, ui::kButtonsYesNo);
  EXPECT_EQ(question.key, "");
  EXPECT_EQ(question.width, 315);
  EXPECT_EQ(question.height, 170);
  EXPECT_TRUE(view_.Checked(C::StandardSkin));
  EXPECT_FALSE(view_.Checked(C::FashionSkin));
  EXPECT_FALSE(p->FashionSkinActive());
  EXPECT_TRUE(ReadBoolSetting("StandardSkin", false));
  EXPECT_TRUE(programs_.started.empty());
  EXPECT_EQ(view_.closeRequests, 0);

  // "Ja": stored, the help window asked to close, the program started again, this one closed.
  view_.answers = {ui::kResultYes};
  p->Run(C::FashionSkin);
  EXPECT_FALSE(ReadBoolSetting("StandardSkin", true));
  EXPECT_TRUE(view_.Checked(C::FashionSkin));
  EXPECT_EQ(programs_.posted, (std::vector<std::string>{"THelpDialog 16 0"}));
  EXPECT_EQ(programs_.started, (std::vector<std::string>{"Trimora2 -restart"}));
  EXPECT_EQ(view_.closeRequests, 1);
}

TEST_F(MainPresenterTest, AStoredStandardSkinIsAppliedAtStart) {
  WriteBoolSetting("StandardSkin", true);
  auto p = Start();
  EXPECT_FALSE(p->FashionSkinActive());
  EXPECT_EQ(view_.standardSkinConversions, 1);
  EXPECT_TRUE(view_.Checked(C::StandardSkin));
  EXPECT_FALSE(view_.Checked(C::FashionSkin));
  p->Close();
  EXPECT_TRUE(ReadBoolSetting("StandardSkin", false)) << "kept at close";
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
  EXPECT_EQ(p->Settings().bandOrder, (ui::BandOrder{3, 1, 2, 4, 5}));
  EXPECT_EQ(view_.ShownBands(), (std::vector<int>{1, 2, 4}));
  EXPECT_FALSE(view_.Checked(C::ToolBarRotate));
  p->Run(C::ToolBarNavigation);
  p->Run(C::ToolBarFiles);
  EXPECT_EQ(view_.ShownBands(), (std::vector<int>{2, 4, 5}));
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
  for (C id :
       {C::CropAndSave, C::ResetFolder, C::MarkForSaving, C::UnmarkForSaving, C::RotatePlus90,
        C::StepLeft, C::Centre, C::Shrink, C::Maximise, C::TurnSelection, C::HideOutside,
        C::CropOutside, C::NextPicture, C::LastPicture, C::FullScreen, C::ExifInfo}) {
    EXPECT_TRUE(view_.Enabled(id)) << Row(id).name;
  }
  for (C id : {C::RedEyeFilter, C::CorrectionButton, C::AutoCorrect, C::EnlargeButton, C::Enlarge,
               C::FormatButton, C::FormatForCurrent}) {
    EXPECT_TRUE(view_.Enabled(id)) << Row(id).name;
  }
  for (C id : {C::FirstPicture, C::PreviousPicture, C::RedEyeRemove, C::AutoCorrectUndo,
               C::EnlargeRemove, C::ApplyRedEye}) {
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
  EXPECT_TRUE(p->KeyPressed(K(Key::E, true)));
  EXPECT_EQ(view_.messages.size(), messages);
  // A key outside the map is left to the control under it.
  EXPECT_FALSE(p->KeyPressed(K(Key::D)));
  EXPECT_FALSE(p->KeyPressed(K(Key::Other, true)));
}

TEST_F(MainPresenterTest, AFolderOrPictureGivenFromOutsideOpensOnceTheStartHasFinished) {
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) AddPicture(name);
  auto p = std::make_unique<MainPresenter>(view_, frame_, programs_, Folders(), kDesktop, nullptr);
  p->OpenPath(pictures_.path() + "/c.jpg");
  EXPECT_EQ(p->Folder().CurrentPosition(), -1) << "the window is not shown yet";
  EXPECT_EQ(view_.status[0], "");
  p->FinishStart();
  p->Folder().WaitForStrip();
  EXPECT_EQ(view_.status[0], pictures_.path());
  EXPECT_EQ(p->Folder().CurrentPosition(), 2) << "the picture given is shown";
  EXPECT_TRUE(view_.Enabled(C::PreviousPicture));
  EXPECT_FALSE(view_.Enabled(C::NextPicture));

  // A folder opens at its first picture; the table of the folder left is written.
  TempFolder other;
  fs::copy_file(kPhotos + "plain-portrait.jpg", other.path() + "/hoch.jpg");
  p->OpenPath(other.path());
  p->Folder().WaitForStrip();
  EXPECT_EQ(view_.status[0], other.path());
  EXPECT_EQ(p->Folder().CurrentPosition(), 0);
  EXPECT_TRUE(fs::is_regular_file(pictures_.path() + "/CroppingData.kv2"));

  // What does not exist is refused as the folder chooser refuses it; the open folder stays.
  const std::size_t messages = view_.messages.size();
  p->OpenPath(other.path() + "/fehlt");
  ASSERT_EQ(view_.messages.size(), messages + 1);
  EXPECT_EQ(view_.messages.back().title, "Fehler");
  EXPECT_EQ(view_.messages.back().text, "Das angegebene Verzeichnis existiert nicht.");
  EXPECT_EQ(view_.status[0], other.path());
  EXPECT_EQ(p->Folder().CurrentPosition(), 0);
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
  auto starting =
      std::make_unique<MainPresenter>(view_, frame_, programs_, Folders(), kDesktop, nullptr);
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

TEST_F(MainPresenterTest, SavingCutsTickedPicturesNeverShownAndNamesThoseTooSmall) {
  AddPicture("a.jpg");
  AddPicture("b.jpg", "plain-portrait.jpg");
  AddPicture("c.jpg", "xmp-only-2.jpg");  // 61 x 58 pixels
  TempFolder dest;
  auto p = Start();
  OpenAndWait(*p, pictures_.path());
  p->Folder().EntryCheckClicked(1, true);
  p->Folder().EntryCheckClicked(2, true);
  view_.chosenFolder = dest.path();
  view_.messages.clear();
  p->Run(C::CropAndSave);
  EXPECT_TRUE(fs::exists(dest / "a.JPG"));
  EXPECT_TRUE(fs::exists(dest / "b.JPG")) << "never shown, cut with its first showing's frame";
  EXPECT_FALSE(fs::exists(dest / "c.JPG"));
  ASSERT_EQ(view_.messages.size(), 1u);
  EXPECT_EQ(view_.messages[0].title, "Information");
  EXPECT_NE(view_.messages[0].text.find("zu klein"), std::string::npos);
  EXPECT_NE(view_.messages[0].text.find("\r\nc.jpg"), std::string::npos);
  EXPECT_EQ(view_.status[3], "3 Bilder im Verz.");
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

// The settings dialog, saved or cancelled, and what saving changes in the main window.

TEST_F(MainPresenterTest, SavedSettingsGivePicturesNotShownYetTheNewTypeWhileShownOnesKeepTheirs) {
  struct Case {
    int fileFormat1;
    std::string shownType;  // the type button of a picture not shown yet
    int blockSize;
  };
  for (const Case& c :
       {Case{2, "TIF", 1}, Case{1, "JPG red", 1}, Case{4, "PNG", 1}, Case{0, "JPG", 16}}) {
    fs::remove_all(config_.path() + "/Halvorn");
    for (const auto& entry : fs::directory_iterator(pictures_.path())) fs::remove(entry.path());
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) AddPicture(name);
    WriteIntSetting("FileFormat1", c.fileFormat1 == 0 ? 3 : 0);
    view_ = FakeMainView();
    auto p = Start();
    OpenAndWait(*p, pictures_.path());
    const CuttingRecord shown = p->Folder().Records()[0];
    ASSERT_TRUE(shown.Shown());
    view_.optionsDialog.script = [&](OptionsPresenter& dialog) {
      dialog.ListChosen(OptionsList::kFileFormat1, c.fileFormat1);
      dialog.CheckClicked(OptionsCheck::kMarkPicture, false);
      dialog.CheckClicked(OptionsCheck::kShowHints, false);
      dialog.SpeichernButtonClick();
    };
    p->KeyPressed(K(Key::E, true));
    ASSERT_EQ(view_.optionsDialog.showings, 1);
    EXPECT_EQ(p->Folder().Records()[0], shown) << "the shown picture keeps type and selection";
    for (std::size_t i = 1; i < 3; ++i) {
      const CuttingRecord& record = p->Folder().Records()[i];
      EXPECT_EQ(view_.fileTypes[static_cast<int>(i)], c.shownType) << c.fileFormat1;
      EXPECT_EQ(record.fileType, c.shownType.substr(0, 3));
      EXPECT_EQ(record.blockSize, c.blockSize);
    }
    EXPECT_FALSE(view_.hintsShown);
    EXPECT_FALSE(p->Settings().showHints);
    // Pictures shown from now on are not marked for saving.
    p->Folder().ShowPicture(2, false);
    EXPECT_FALSE(view_.checkedEntries[2]);
    EXPECT_TRUE(view_.checkedEntries[0]) << "marked when it was shown";
  }
}

TEST_F(MainPresenterTest, SwitchedOffQuestionsAreSwitchedOnAgainFromTheSettings) {
  struct Case {
    bool upright, recoded;  // stored before
    bool tick, save;        // the user's steps
    bool offered;           // the box is enabled
    bool uprightAfter, recodedAfter;
  };
  for (const Case& c : {Case{true, true, true, true, false, true, true},
                        Case{false, true, true, true, true, true, true},
                        Case{true, false, true, true, true, true, true},
                        Case{false, false, false, true, true, false, false},
                        Case{false, false, true, false, true, false, false}}) {
    fs::remove_all(config_.path() + "/Halvorn");
    WriteBoolSetting("AskToTurnUpright", c.upright);
    WriteBoolSetting("AskBeforeRecodedTurn", c.recoded);
    view_ = FakeMainView();
    auto p = Start();
    view_.optionsDialog.script = [&](OptionsPresenter& dialog) {
      if (c.tick) dialog.CheckClicked(OptionsCheck::kShowQuestionsAgain, true);
      if (c.save) dialog.SpeichernButtonClick();
    };
    p->Run(C::Settings);
    ASSERT_EQ(view_.optionsDialog.showings, 1);
    EXPECT_EQ(view_.optionsDialog.CheckEnabled(OptionsCheck::kShowQuestionsAgain), c.offered);
    EXPECT_EQ(ReadBoolSetting("AskToTurnUpright", false), c.uprightAfter);
    EXPECT_EQ(ReadBoolSetting("AskBeforeRecodedTurn", false), c.recodedAfter);
  }
}

TEST_F(MainPresenterTest, CancelledSettingsWriteAndChangeNothing) {
  AddPicture("a.jpg");
  AddPicture("b.jpg");
  WriteIntSetting("FileFormat1", 0);
  auto p = Start();
  OpenAndWait(*p, pictures_.path());
  const std::vector<CuttingRecord> before = p->Folder().Records();
  const std::string stored = testing::ReadWholeFile(SettingsFilePath());
  view_.optionsDialog.script = [](OptionsPresenter& dialog) {
    dialog.ListChosen(OptionsList::kFileFormat1, 3);
    dialog.ListChosen(OptionsList::kEnlargeColor, 2);
    dialog.CheckClicked(OptionsCheck::kShowHints, false);
  };
  p->Run(C::Settings);
  EXPECT_EQ(view_.optionsDialog.showings, 1);
  EXPECT_EQ(testing::ReadWholeFile(SettingsFilePath()), stored);
  EXPECT_EQ(p->Folder().Records(), before);
  EXPECT_TRUE(view_.hintsShown);
  EXPECT_EQ(p->Folder().Enlargement(), EnlargeOptions());
}

TEST_F(MainPresenterTest, AnEnlargedPictureIsShownAnewOnlyWhenAStripeOptionChanged) {
  AddPicture("a.jpg");  // 600 x 450: stripes left and right for 10 x 15
  AddPicture("b.jpg");
  CuttingRecord enlarged;
  enlarged.filename = pictures_ / "a.jpg";
  enlarged.formatId = 1;
  enlarged.blockSize = 1;
  enlarged.x = 0;
  enlarged.y = 0;
  enlarged.width = 600;
  enlarged.height = 400;
  enlarged.fileType = "JPG";
  enlarged.saveIt = true;
  enlarged.enlarge = true;
  SaveCuttingData(std::vector<CuttingRecord>{enlarged}, pictures_ / "CroppingData.kv2");
  auto p = Start();
  OpenAndWait(*p, pictures_.path());
  // The folder lists its files in the file system's order.
  const int a = p->Folder().Records()[0].filename == pictures_ / "a.jpg" ? 0 : 1;
  p->Folder().ShowPicture(a, false);
  ASSERT_TRUE(p->Folder().Corrections().enlarged);
  auto stripeAt = [&](int x) {
    const Picture& shown = p->Folder().DisplayedPicture();
    EXPECT_EQ(shown.width(), 675);
    const std::uint8_t* pixel = shown.row(shown.height() / 2) + 4 * x;
    return std::array<int, 3>{pixel[2], pixel[1], pixel[0]};
  };
  EXPECT_EQ(stripeAt(0), (std::array<int, 3>{255, 255, 255}));

  struct Step {
    std::function<void(OptionsPresenter&)> script;
    bool reshown;
  };
  const Step steps[] = {
      {[](OptionsPresenter& d) { d.SpeichernButtonClick(); }, false},  // nothing changed
      {[](OptionsPresenter& d) { d.ListChosen(OptionsList::kEnlargeColor, 1); }, false},  // cancel
      {[](OptionsPresenter& d) {
         d.ListChosen(OptionsList::kEnlargeColor, 1);
         d.SpeichernButtonClick();
       },
       true},
      {[](OptionsPresenter& d) {
         d.CheckClicked(OptionsCheck::kEnlargeLeft, false);
         d.SpeichernButtonClick();
       },
       true},
  };
  for (const Step& step : steps) {
    const int shownBefore = view_.picturesShown;
    view_.optionsDialog.script = step.script;
    p->Run(C::Settings);
    EXPECT_EQ(view_.picturesShown - shownBefore, step.reshown ? 1 : 0);
    EXPECT_TRUE(view_.messages.empty()) << "showing anew shows no notes";
    if (&step == &steps[2]) {
      EXPECT_EQ(stripeAt(0), (std::array<int, 3>{0, 0, 0}));
    }
  }
  EXPECT_EQ(stripeAt(605), (std::array<int, 3>{0, 0, 0}))
      << "one 75-pixel black stripe on the right of the 675 pixels";
  EXPECT_EQ(p->Folder().Enlargement(), EnlargeOptionsFrom(1, false, true));

  // A picture without stripes is not shown anew.
  p->Folder().ShowPicture(1 - a, false);
  ASSERT_FALSE(p->Folder().Corrections().enlarged);
  const int shownBefore = view_.picturesShown;
  view_.optionsDialog.script = [](OptionsPresenter& d) {
    d.ListChosen(OptionsList::kEnlargeColor, 5);
    d.SpeichernButtonClick();
  };
  p->Run(C::Settings);
  EXPECT_EQ(view_.picturesShown, shownBefore);
}

// The format definitions dialog and the steps after it.

class FormatDialogAfterTest : public MainPresenterTest {
 protected:
  void SetUp() override {
    MainPresenterTest::SetUp();
    FormatTables tables;
    testing::AddScalableFormat(tables, "9 x 13", 1300, 900, 650, 450);
    testing::AddScalableFormat(tables, "10 x 15", 1800, 1200, 900, 600);
    testing::AddScalableFormat(tables, "13 x 18", 2100, 1500, 1050, 750);
    testing::AddFixedFormat(tables, "VGA", 640, 480);
    EXPECT_TRUE(tables.SaveFormatTables(Folders()).empty());
  }
  // A format menu as text: "-" for the separator, " *" behind the checked entry.
  static std::vector<std::string> Menu(const std::vector<FormatMenuEntry>& menu) {
    std::vector<std::string> entries;
    for (const FormatMenuEntry& e : menu) {
      entries.push_back(e.separator ? "-" : e.caption + (e.checked ? " *" : ""));
    }
    return entries;
  }
  std::vector<std::string> DefaultMenu() const { return Menu(view_.defaultFormatMenu); }
};

TEST_F(FormatDialogAfterTest, DeletingTheDefaultFormatAsTheLastOfThreeGivesFormatOne) {
  WriteIntSetting("FormatID", 3);
  auto p = Start();
  ASSERT_EQ(p->Formats().DefaultFormat.Name, "13 x 18");
  view_.formatDialog.script = [](FormatDialogPresenter& d) {
    d.CellChosen(FormatGrid::kScalable, 2, 0);
    d.ButtonClicked(FormatGrid::kScalable, GridButton::kDelete);
    EXPECT_TRUE(d.CloseRequested());
  };
  p->KeyPressed(K(Key::F, true));
  ASSERT_EQ(view_.formatDialog.showings, 1);
  EXPECT_EQ(p->Formats().DefaultFormat.FormatID, 1);
  EXPECT_EQ(p->Formats().DefaultFormat.Name, "9 x 13");
  EXPECT_EQ(p->Formats().CurrentFormat.FormatID, 1) << "the current format had the same place";
  EXPECT_EQ(view_.captions[C::FormatButton], "   9 x 13   ");
  EXPECT_EQ(DefaultMenu(), (std::vector<std::string>{"9 x 13 *", "10 x 15", "-", "VGA"}));
  Table written;
  LoadTableFromFile(written, formats_ / "skalierbare Formate.dat");
  EXPECT_EQ(written.RecordCount(), 2);
}

TEST_F(FormatDialogAfterTest, ClosingWithoutChangesWritesBothFilesButKeepsTheMenus) {
  AddPicture("a.jpg", "casio-ex-m2.jpg");
  auto p = Start();
  OpenAndWait(*p, pictures_.path());
  p->FormatChosen(3);
  const std::vector<std::string> chooser = Menu(view_.formatPopup);
  const int builds = view_.formatMenuBuilds;
  for (const char* name : {"skalierbare Formate.dat", "nicht skalierbare Formate.dat"})
    std::filesystem::remove(formats_ / name);
  view_.formatDialog.script = [](FormatDialogPresenter& d) { EXPECT_TRUE(d.CloseRequested()); };
  p->Run(C::FormatDefinitions);
  for (const char* name : {"skalierbare Formate.dat", "nicht skalierbare Formate.dat"})
    EXPECT_TRUE(std::filesystem::exists(formats_ / name)) << name << ": a closing always writes";
  EXPECT_EQ(view_.formatMenuBuilds, builds) << "the menus' entries are still right";
  EXPECT_EQ(Menu(view_.formatPopup), chooser);
  EXPECT_EQ(p->Formats().CurrentFormat.Name, "13 x 18");

  // A name edited and edited back leaves the tables as they were, too; a changed one does not.
  view_.formatDialog.script = [](FormatDialogPresenter& d) {
    EXPECT_TRUE(d.CellEdited(FormatGrid::kScalable, 2, 0, "13 x 19"));
    EXPECT_TRUE(d.CellEdited(FormatGrid::kScalable, 2, 0, "13 x 18"));
    EXPECT_TRUE(d.CloseRequested());
  };
  p->Run(C::FormatDefinitions);
  EXPECT_EQ(view_.formatMenuBuilds, builds);
  view_.formatDialog.script = [](FormatDialogPresenter& d) {
    EXPECT_TRUE(d.CellEdited(FormatGrid::kScalable, 2, 0, "13 x 19"));
    EXPECT_TRUE(d.CloseRequested());
  };
  p->Run(C::FormatDefinitions);
  EXPECT_EQ(Menu(view_.formatPopup),
            (std::vector<std::string>{"9 x 13", "10 x 15", "13 x 19 *", "-", "VGA"}));
}

TEST_F(FormatDialogAfterTest, DeletingARowInFrontOfTheDefaultKeepsItsFormatId) {
  WriteIntSetting("FormatID", 2);
  auto p = Start();
  view_.formatDialog.script = [](FormatDialogPresenter& d) {
    d.ButtonClicked(FormatGrid::kScalable, GridButton::kFirst);
    d.ButtonClicked(FormatGrid::kScalable, GridButton::kDelete);
    EXPECT_TRUE(d.CloseRequested());
  };
  p->Run(C::FormatDefinitions);
  EXPECT_EQ(p->Formats().DefaultFormat.FormatID, 2);
  EXPECT_EQ(p->Formats().DefaultFormat.Name, "13 x 18") << "the following format";
  EXPECT_EQ(DefaultMenu(), (std::vector<std::string>{"10 x 15", "13 x 18 *", "-", "VGA"}));
}

TEST_F(FormatDialogAfterTest, BothFormatMenusAreBuiltAnewFromTheEditedTables) {
  AddPicture("a.jpg", "casio-ex-m2.jpg");
  WriteIntSetting("FormatID", 2);
  auto p = Start();
  OpenAndWait(*p, pictures_.path());
  p->FormatChosen(3);
  ASSERT_EQ(p->Formats().CurrentFormat.Name, "13 x 18");
  view_.formatDialog.script = [](FormatDialogPresenter& d) {
    EXPECT_TRUE(d.CellEdited(FormatGrid::kScalable, 0, 0, "9 x 12"));
    d.ButtonClicked(FormatGrid::kNonScalable, GridButton::kAppend);
    EXPECT_TRUE(d.CellEdited(FormatGrid::kNonScalable, 1, 0, "XGA"));
    EXPECT_TRUE(d.CellEdited(FormatGrid::kNonScalable, 1, 1, "1024"));
    EXPECT_TRUE(d.CellEdited(FormatGrid::kNonScalable, 1, 2, "768"));
    EXPECT_TRUE(d.CloseRequested());
  };
  p->Run(C::FormatDefinitions);
  ASSERT_EQ(view_.formatDialog.showings, 1);
  EXPECT_EQ(Menu(view_.formatPopup),
            (std::vector<std::string>{"9 x 12", "10 x 15", "13 x 18 *", "-", "VGA", "XGA"}))
      << "the chooser, checked at the format of the picture on screen";
  EXPECT_EQ(DefaultMenu(),
            (std::vector<std::string>{"9 x 12", "10 x 15 *", "13 x 18", "-", "VGA", "XGA"}));
  // The new entries work.
  p->FormatChosen(-2);
  EXPECT_EQ(p->Formats().CurrentFormat.Name, "XGA");
  EXPECT_EQ(Menu(view_.formatPopup).back(), "XGA *");
  p->DefaultFormatChosen(1);
  EXPECT_EQ(p->Formats().DefaultFormat.Name, "9 x 12");
  EXPECT_EQ(DefaultMenu().front(), "9 x 12 *");
}

TEST_F(FormatDialogAfterTest, ThePictureOnScreenTakesItsEditedFormatAndNewPicturesTheirType) {
  AddPicture("a.jpg", "casio-ex-m2.jpg");
  AddPicture("b.jpg", "casio-ex-m2.jpg");
  WriteIntSetting("FormatID", -1);
  WriteIntSetting("FileFormat2", 3);
  auto p = Start();
  OpenAndWait(*p, pictures_.path());
  ASSERT_EQ(p->Formats().CurrentFormat.FormatID, -1);
  EXPECT_EQ(view_.fileTypes[1], "JPG") << "640 x 480 stays on the block grid";
  view_.formatDialog.script = [](FormatDialogPresenter& d) {
    // The fixed format leaves the block grid; the first scalable one becomes square.
    EXPECT_TRUE(d.CellEdited(FormatGrid::kNonScalable, 0, 2, "470"));
    EXPECT_TRUE(d.CellEdited(FormatGrid::kScalable, 0, 1, "900"));
    EXPECT_TRUE(d.CloseRequested());
  };
  p->Run(C::FormatDefinitions);
  EXPECT_EQ(p->Formats().CurrentFormat.PixelHeight, 470);
  EXPECT_EQ(p->Frame().grid.BlockSize, 1);
  EXPECT_EQ(p->Frame().grid.SelW, 640);
  EXPECT_EQ(p->Frame().grid.SelH, 470);
  EXPECT_EQ(view_.fileTypes[1], "PNG") << "the default format is off the block grid now";
  EXPECT_EQ(p->Folder().Records()[1].blockSize, 1);

  view_.formatDialog.script = [](FormatDialogPresenter& d) {
    d.ButtonClicked(FormatGrid::kNonScalable, GridButton::kDelete);  // the only row stays
    EXPECT_TRUE(d.CloseRequested());
  };
  p->DefaultFormatChosen(1);
  p->Frame().ApplyFormat(1, true);
  p->Run(C::FormatDefinitions);
  EXPECT_EQ(p->Frame().CurrentRatio, 1.0L);
  EXPECT_EQ(p->Frame().grid.SelW, p->Frame().grid.SelH);
  EXPECT_EQ(view_.fileTypes[1], "JPG");
}

TEST_F(MainPresenterTest, TheMagnifierStartsAsItWasLeftAndItsButtonsStepTheZoomLevel) {
  WriteIntSetting("ZoomLevel", 10);
  WriteBoolSetting("ZoomActive", false);
  auto p = Start();
  EXPECT_TRUE(view_.Checked(C::ZoomPause));
  EXPECT_EQ(view_.captions[C::ZoomPause], "Zoom aktivieren");
  EXPECT_EQ(view_.hints[C::ZoomPause], "Zoom aktivieren");
  EXPECT_EQ(view_.magnifierPanel, PanelFor(true));
  EXPECT_EQ(view_.zoomLevel, 10);

  // "Zoom vergrößern" at 10 reaches 5, switches the paused magnifier on, and disables itself.
  p->Run(C::ZoomIn);
  EXPECT_EQ(view_.zoomLevel, 5);
  EXPECT_FALSE(view_.Checked(C::ZoomPause));
  EXPECT_EQ(view_.captions[C::ZoomPause], "Zoom deaktivieren");
  EXPECT_EQ(view_.hints[C::ZoomPause], "Zoom deaktivieren");
  EXPECT_EQ(view_.magnifierPanel, PanelFor(false));
  EXPECT_TRUE(view_.magnifierShown);
  EXPECT_FALSE(view_.Enabled(C::ZoomIn));
  EXPECT_TRUE(view_.Enabled(C::ZoomOut));
  p->Run(C::ZoomIn);
  EXPECT_EQ(view_.zoomLevel, 5) << "disabled: nothing happens";
  for (int i = 0; i < 12; ++i) p->Run(C::ZoomOut);
  EXPECT_EQ(view_.zoomLevel, 100);
  EXPECT_FALSE(view_.Enabled(C::ZoomOut));
  EXPECT_TRUE(view_.Enabled(C::ZoomIn));

  // Ctrl+Z pauses; the settings keep level and pause for the next start.
  EXPECT_TRUE(p->KeyPressed(K(Key::Z, true)));
  EXPECT_TRUE(view_.Checked(C::ZoomPause));
  EXPECT_EQ(view_.captions[C::ZoomPause], "Zoom aktivieren");
  EXPECT_FALSE(view_.magnifierShown);
  p->Close();
  EXPECT_EQ(ReadIntSetting("ZoomLevel", 0), 100);
  EXPECT_FALSE(ReadBoolSetting("ZoomActive", true));
}

TEST_F(MainPresenterTest, ThePointerSwitchesTheMagnifierAndEveryChangeOfThePictureRefreshesIt) {
  AddPicture("a.jpg");
  AddPicture("b.jpg");
  auto starting =
      std::make_unique<MainPresenter>(view_, frame_, programs_, Folders(), kDesktop, nullptr);
  starting->PointerMoved(PointerTarget::Picture, true);
  EXPECT_FALSE(view_.magnifierShown) << "the hook does nothing while the program starts";
  starting.reset();

  auto p = Start();
  OpenAndWait(*p, pictures_.path());
  struct Step {
    PointerTarget target;
    bool appActive;
    bool shown;
  };
  for (const Step& step :
       {Step{PointerTarget::Picture, true, true}, Step{PointerTarget::OtherControl, true, false},
        Step{PointerTarget::StripEntry, true, true}, Step{PointerTarget::Picture, false, false},
        Step{PointerTarget::MainWindow, true, true}, Step{PointerTarget::Nothing, true, false}}) {
    p->PointerMoved(step.target, step.appActive);
    EXPECT_EQ(view_.magnifierShown, step.shown) << static_cast<int>(step.target);
    EXPECT_EQ(view_.magnifierActive, step.shown);
  }
  p->ThumbnailsToggled(false);
  p->PointerMoved(PointerTarget::StripEntry, true);
  EXPECT_FALSE(view_.magnifierShown) << "the strip counts only while thumbnails are shown";
  p->ThumbnailsToggled(true);
  p->Folder().WaitForStrip();

  // With the pointer resting over the picture, keyboard moves, size steps and dimming show.
  p->PointerMoved(PointerTarget::Picture, true);
  const std::pair<KeyPress, const char*> changes[] = {{K(Key::A), "shrink"},
                                                      {K(Key::Right), "step right"},
                                                      {K(Key::Left, true), "to the edge"},
                                                      {K(Key::A, false, true), "dim"},
                                                      {K(Key::PageDown), "show the next picture"}};
  for (const auto& [key, what] : changes) {
    const int before = view_.magnifierRefreshes;
    EXPECT_TRUE(p->KeyPressed(key));
    EXPECT_GT(view_.magnifierRefreshes, before) << what;
  }
  const int before = view_.magnifierRefreshes;
  p->Run(C::About);
  EXPECT_GT(view_.magnifierRefreshes, before) << "after the about box";
}

TEST_F(MainPresenterTest, CtrlIShowsTheCurrentPicturesDataAndTheWindowFollowsWhileOpen) {
  AddPicture("a.jpg", "canon-ixus.jpg");
  AddPicture("b.jpg", "casio-ex-m2.jpg");
  const auto dataOf = [](const std::string& path) {
    return metadata::DisplayText(metadata::BuildInfoText(path));
  };
  auto p = Start();
  EXPECT_EQ(view_.exifPlace, (WindowRect{577, 437, 445, 325})) << "centred on the first run";
  EXPECT_FALSE(view_.exifVisible);
  EXPECT_TRUE(p->KeyPressed(K(Key::I, true)));
  EXPECT_FALSE(view_.exifVisible) << "no picture: the command is off";

  OpenAndWait(*p, pictures_.path());
  p->KeyPressed(K(Key::PageDown));
  EXPECT_EQ(view_.exifTexts, 0) << "the hidden window does not follow";
  p->KeyPressed(K(Key::PageUp));
  EXPECT_TRUE(p->KeyPressed(K(Key::I, true)));
  EXPECT_TRUE(view_.exifVisible);
  const std::string first = p->Folder().CurrentFile();
  EXPECT_EQ(view_.exifText, dataOf(first));
  p->KeyPressed(K(Key::PageDown));
  const std::string second = p->Folder().CurrentFile();
  ASSERT_NE(second, first);
  EXPECT_EQ(view_.exifText, dataOf(second));

  p->ExifWindowActivated(true);
  EXPECT_FALSE(view_.frameActive);
  p->ExifWindowActivated(false);
  EXPECT_TRUE(view_.frameActive);

  p->ExifWindowClosed();
  EXPECT_FALSE(view_.exifVisible);
  const int texts = view_.exifTexts;
  p->KeyPressed(K(Key::PageUp));
  EXPECT_EQ(view_.exifTexts, texts);
  p->Run(C::ExifInfo);
  EXPECT_EQ(view_.exifText, dataOf(first)) << "the current picture's data, not the old one's";
}

TEST_F(MainPresenterTest, TheExifWindowOpensAgainAtItsLastPlaceEmptyUntilAPictureIsShown) {
  AddPicture("a.jpg", "canon-ixus.jpg");
  {
    auto p = Start();
    OpenAndWait(*p, pictures_.path());
    p->Run(C::ExifInfo);
    p->ExifWindowPlaced({30, 40, 500, 380});
    p->Close();
  }
  EXPECT_EQ(ReadIntSetting("EXIF\\Left", 0), 30);
  EXPECT_EQ(ReadIntSetting("EXIF\\Height", 0), 380);
  EXPECT_TRUE(ReadBoolSetting("EXIF\\Visible", false));
  view_.exifVisible = false;
  view_.exifTexts = 0;
  {
    auto p = Start();
    EXPECT_EQ(view_.exifPlace, (WindowRect{30, 40, 500, 380}));
    EXPECT_TRUE(view_.exifVisible);
    EXPECT_EQ(view_.exifTexts, 0);
    p->ExifWindowClosed();
    p->Close();
  }
  EXPECT_FALSE(ReadBoolSetting("EXIF\\Visible", true));
}

TEST_F(MainPresenterTest, TheFullScreenPreviewPagesTurnsAndShowsTheMarkedPart) {
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) AddPicture(name, "canon-ixus.jpg");
  auto p = Start();
  OpenAndWait(*p, pictures_.path());
  p->PointerMoved(PointerTarget::Picture, true);
  const std::size_t messages = view_.messages.size();
  view_.whileFullScreen = [&] {
    EXPECT_FALSE(view_.frameActive) << "the main frame is inactive while the preview is open";
    ASSERT_EQ(view_.fullScreenShows.size(), 1u);
    EXPECT_EQ(view_.fullScreenShows[0], FullScreenContent::WholePicture);
    // Paging: the preview follows through the posted message.
    p->FullScreenKey(K(Key::PageDown));
    EXPECT_EQ(p->Folder().CurrentPosition(), 1);
    ASSERT_EQ(view_.postedRefreshes, 1);
    p->FullScreenRefreshPosted();
    EXPECT_EQ(view_.fullScreenShows.size(), 2u);
    // F: the marked part, and the hint says how to go back.
    p->FullScreenKey(K(Key::F));
    EXPECT_TRUE(view_.croppedDown);
    EXPECT_EQ(view_.croppedHint, "Freistellung aufheben [F]");
    EXPECT_EQ(view_.fullScreenShows.back(), FullScreenContent::MarkedPart);
    // A format that does not fit the picture is applied without a box while the preview is open.
    p->Frame().ApplyFormat(fixedFormat_, false);
    EXPECT_EQ(view_.messages.size(), messages);
    p->Frame().ApplyFormat(1, false);
    // The button of the preview pages back.
    p->FullScreenButton(FullScreenAction::Previous);
    EXPECT_EQ(p->Folder().CurrentPosition(), 0);
    p->FullScreenKey(K(Key::Escape));
    EXPECT_TRUE(view_.closeAsked);
  };
  const int refreshes = view_.magnifierRefreshes;
  EXPECT_TRUE(p->KeyPressed(K(Key::F11)));
  EXPECT_EQ(view_.fullScreenRuns, 1);
  EXPECT_TRUE(view_.frameActive);
  EXPECT_EQ(view_.fullScreenClears, 1);
  EXPECT_GT(view_.magnifierRefreshes, refreshes) << "the magnifier is refreshed afterwards";
  EXPECT_TRUE(p->FullScreen().CroppedDown()) << "kept for the next opening";

  // F6 in the preview turns the original and shows it again.
  view_.postedRefreshes = 0;
  const int width = p->Folder().DisplayedPicture().width();
  view_.whileFullScreen = [&] { p->FullScreenKey(K(Key::F6)); };
  p->Run(C::FullScreen);
  EXPECT_EQ(p->Folder().DisplayedPicture().height(), width);
  EXPECT_EQ(view_.postedRefreshes, 1);
  EXPECT_TRUE(view_.errors.empty()) << (view_.errors.empty() ? "" : view_.errors[0]);
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
      << "|" << view.closeRequests << "|" << view.optionsDialog.showings << "|"
      << view.formatDialog.showings << "|" << view.magnifierPanel.panelHeight << "|"
      << view.zoomLevel << "|" << view.exifVisible << "|" << view.fullScreenRuns << "|"
      << view.standardSkinConversions << "|";
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
