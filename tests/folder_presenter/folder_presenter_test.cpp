// The folder presenter against a fake main view with the real frame presenter behind it: real
// temporary folders with real JPEGs, the real settings store under a temporary configuration
// home, the real file-list thread.
#include "folder/folder_presenter.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>

#include "../outside_readers.h"
#include "../platform/temp_folder.h"
#include "fake_view.h"
#include "folder/file_list_thread.h"
#include "formats/format_tables.h"
#include "frame/frame_controller_adapter.h"
#include "imaging/jpeg_codec.h"
#include "linked_frame_view.h"
#include "output/crop_and_save.h"
#include "output/turn_original.h"
#include "platform/file_date.h"
#include "platform/file_lock.h"
#include "platform/settings.h"

namespace trimora {
namespace {

namespace fs = std::filesystem;
using testing::FakeHost;
using testing::FakeView;
using testing::TempFolder;

const std::string kPhotos = std::string(TRIMORA_TESTDATA_DIR) + "/photos/";

class FolderPresenterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_CONFIG_HOME", config_.path().c_str(), 1);
    formats_.scalableFormatTable.Append();
    formats_.scalableFormatTable.WriteText(kFormatName, "10 x 15");
    formats_.scalableFormatTable.WriteInteger(kOptWidth, 1181);
    formats_.scalableFormatTable.WriteInteger(kOptHeight, 1772);
    formats_.scalableFormatTable.WriteInteger(kMinWidth, 591);
    formats_.scalableFormatTable.WriteInteger(kMinHeight, 886);
    formats_.LoadDefaultFormat(1);
    presenter_.ApplySettings(LoadFolderSettings());
    frameView_.Link(presenter_, view_, host_);
    frameView_.frameVisible = false;  // hidden when the main window is made
    frame_.fileTypes =
        FileTypeDefaults::FromSettings(Read(setting::kFileFormat1), Read(setting::kFileFormat2));
    frame_.InitBlockSize();
    presenter_.SetFrameController(&controller_);
  }
  // The thread's hand-overs reach the frame: it must end before the frame goes.
  void TearDown() override { presenter_.StopThread(); }

  // Copies a sample photo into the picture folder under `name`.
  void AddPicture(const std::string& name, const std::string& sample = "plain-landscape.jpg") {
    fs::copy_file(kPhotos + sample, pictures_ / name);
    // Copied from the read-only sample folder; a picture from a camera can be written.
    fs::permissions(pictures_ / name, fs::perms::owner_write, fs::perm_options::add);
  }
  void AddPictures(int count) {
    for (int i = 0; i < count; ++i) AddPicture("p" + std::to_string(i) + ".jpg");
  }
  void OpenAndWait(const std::string& path) {
    presenter_.OpenFolder(path);
    presenter_.WaitForStrip();
  }
  std::string CuttingFile() const { return pictures_ / "CroppingData.kv2"; }
  int Position(const std::string& name) const {
    for (int p = 0; p < presenter_.ThumbnailCount(); ++p)
      if (presenter_.EntryCaption(p) == name) return p;
    return -1;
  }
  // The record of strip entry `position`.
  CuttingRecord& RecordOf(int position) {
    return presenter_.Records().at(static_cast<std::size_t>(position));
  }
  // A record's selection as (X, Y, Width, Height) in its blocks.
  std::array<std::int32_t, 4> SelectionOf(int position) {
    const CuttingRecord& r = RecordOf(position);
    return {r.x.value_or(-1), r.y.value_or(-1), r.width.value_or(-1), r.height.value_or(-1)};
  }

  TempFolder config_;
  TempFolder pictures_;
  FormatTables formats_;
  FakeView view_;
  FakeHost host_;
  FolderPresenter presenter_{view_, host_, formats_, StoredSettings(), {}};
  testing::LinkedFrameView frameView_;
  FramePresenter frame_{frameView_, formats_, presenter_.Records(), StoredSettings()};
  PresenterFrameController controller_{frame_, frameView_};
};

TEST_F(FolderPresenterTest, ListsJpgFilesSortedByNameWithoutRegardToCaseAndNothingElse) {
  // Made in an order that no sorting gives, so that the file system's own order shows.
  for (const char* name :
       {"b.jpg", "IMG_10.jpg", "a.JPG", "c.jpeg", "B.jpg", "A.jpg", "img_2.jpg", "_x.jpg"}) {
    AddPicture(name);
  }
  fs::create_directory(pictures_ / "d.jpg");
  OpenAndWait(pictures_.path());
  std::vector<std::string> expected;
  // Case is ignored ("a.JPG" beside "A.jpg"); only names equal without it go by their bytes.
  for (const char* name :
       {"A.jpg", "a.JPG", "B.jpg", "b.jpg", "IMG_10.jpg", "img_2.jpg", "_x.jpg"}) {
    expected.push_back(pictures_ / name);
  }
  EXPECT_EQ(presenter_.Listing(), expected);
  ASSERT_EQ(presenter_.ThumbnailCount(), 7);
  for (int p = 0; p < 7; ++p) EXPECT_EQ(pictures_ / presenter_.EntryCaption(p), expected[p]);
  EXPECT_EQ(view_.status[0], pictures_.path());
  EXPECT_EQ(view_.status[3], "7 Bilder im Verz.");
}

TEST_F(FolderPresenterTest, TheSameFolderWithAndWithoutTrailingSeparatorGivesTheSameEntries) {
  AddPicture("A.JPG");
  OpenAndWait(pictures_.path());
  const auto without = presenter_.Listing();
  EXPECT_EQ(presenter_.SourceFolder(), pictures_.path() + "/");
  OpenAndWait(pictures_.path() + "/");
  EXPECT_EQ(presenter_.Listing(), without);
  EXPECT_EQ(without, std::vector<std::string>{pictures_ / "A.JPG"});
  EXPECT_EQ(view_.status[0], pictures_.path());
}

TEST_F(FolderPresenterTest, AFolderWithoutPicturesDisablesThePictureCommands) {
  OpenAndWait(pictures_.path());
  EXPECT_EQ(presenter_.ThumbnailCount(), 0);
  EXPECT_GT(host_.updates, 0);
  EXPECT_FALSE(host_.active);
  EXPECT_FALSE(presenter_.Navigation().forward);
  EXPECT_EQ(view_.status[0], pictures_.path());
  presenter_.Close();
  EXPECT_FALSE(fs::exists(CuttingFile()));
}

TEST_F(FolderPresenterTest, FirstShowingAppliesTheDefaultFormatAndShowingAgainRestoresIt) {
  AddPicture("a.jpg");
  OpenAndWait(pictures_.path());
  ASSERT_EQ(presenter_.CurrentPosition(), 0);
  EXPECT_EQ(view_.shownWidth, 600);
  EXPECT_EQ(view_.status[1], "Bild: (600x450)");
  // 600 x 450 fills the 540 x 405 panel: 38 x 29 blocks of 16, the last ones partial. The
  // default 800 x 592 pixels (50 x 37 blocks) get the format's ratio 1772 / 1181 and reach past
  // the picture: the first showing takes the format as large as the picture allows, 38 blocks
  // wide and 38 / 1.5004 = 25 high, centred on the 29 rows: 2 rows above it.
  EXPECT_EQ(frameView_.viewGeometry, (ScreenRect{0, 0, 540, 405}));
  EXPECT_EQ(RecordOf(0).formatId, 1);
  EXPECT_EQ(RecordOf(0).blockSize, 16);
  EXPECT_EQ(SelectionOf(0), (std::array<std::int32_t, 4>{0, 2, 38, 25}));
  EXPECT_EQ(frameView_.frame, (ScreenRect{0, 29, 540, 360}));
  EXPECT_EQ(RecordOf(0).pictureWidth, 600);
  EXPECT_EQ(view_.status[2], "Auswahl: (1,33) (600x400)");
  EXPECT_EQ(RecordOf(0).saveIt, true) << "MarkOnShow is on by default";
  EXPECT_TRUE(host_.active);

  // Written on leaving the folder, restored exactly on reopening it.
  frame_.Run(SelectionCommand::StepDown);
  EXPECT_EQ(SelectionOf(0), (std::array<std::int32_t, 4>{0, 3, 38, 25}));
  presenter_.ChooseSourceFolder();
  OpenAndWait(pictures_.path());
  EXPECT_EQ(SelectionOf(0), (std::array<std::int32_t, 4>{0, 3, 38, 25}));
  EXPECT_EQ(RecordOf(0).formatId, 1);
  EXPECT_EQ(RecordOf(0).blockSize, 16);
}

TEST_F(FolderPresenterTest, LandscapeAndPortraitPicturesKeepTheirOwnSelections) {
  AddPicture("a.jpg");
  AddPicture("b.jpg", "plain-portrait.jpg");
  OpenAndWait(pictures_.path());
  const int a = Position("a.jpg"), b = Position("b.jpg");
  presenter_.ShowPicture(a, false);
  EXPECT_EQ(SelectionOf(a), (std::array<std::int32_t, 4>{0, 2, 38, 25}));
  // The portrait picture, 450 x 600 in the panel at 304 x 405: the landscape selection turns
  // to portrait, spans the 29 block columns' height of 38 rows and is centred: 2 columns left.
  presenter_.ShowPicture(b, false);
  EXPECT_EQ(frameView_.viewGeometry, (ScreenRect{118, 0, 304, 405}));
  EXPECT_EQ(SelectionOf(b), (std::array<std::int32_t, 4>{2, 0, 25, 38}));
  frame_.Run(SelectionCommand::Minimise);
  EXPECT_EQ(SelectionOf(b), (std::array<std::int32_t, 4>{2, 0, 5, 8}));
  // Showing the other one and coming back restores the stored selection.
  presenter_.ShowPicture(a, false);
  EXPECT_EQ(SelectionOf(a), (std::array<std::int32_t, 4>{0, 2, 38, 25}));
  presenter_.ShowPicture(b, false);
  EXPECT_EQ(SelectionOf(b), (std::array<std::int32_t, 4>{2, 0, 5, 8}));
  EXPECT_EQ(frame_.grid.SelW, 5);
}

TEST_F(FolderPresenterTest, RestoresOnlyRecordsThatWereShownAndOnlyUnderTheSamePath) {
  AddPicture("a.jpg");
  AddPicture("b.jpg", "plain-portrait.jpg");
  OpenAndWait(pictures_.path());
  const int shown = presenter_.CurrentPosition();
  const int other = 1 - shown;
  RecordOf(shown).redEyeCoords = "";
  RecordOf(shown).fileType = "PNG";
  RecordOf(other).fileType = "BMP";  // never shown
  const std::string shownName = presenter_.EntryCaption(shown);
  presenter_.ChooseSourceFolder();  // cancelled: writes the table all the same
  ASSERT_TRUE(fs::exists(CuttingFile()));

  OpenAndWait(pictures_.path());
  const int again = Position(shownName);
  EXPECT_EQ(RecordOf(again).fileType, "PNG");
  EXPECT_EQ(RecordOf(1 - again).fileType, "JPG");
  EXPECT_EQ(RecordOf(1 - again).formatId.has_value(), false) << "the record of the unshown picture";

  // Reached through another path text (a link to the folder), nothing is restored.
  const std::string link = config_ / "link";
  fs::create_directory_symlink(pictures_.path(), link);
  presenter_.OpenFolder(link);
  presenter_.WaitForStrip();
  for (int p = 0; p < 2; ++p) {
    EXPECT_EQ(RecordOf(p).fileType, "JPG");
  }
}

TEST_F(FolderPresenterTest, ChoosingAFolderWritesTheTableFirstAlsoWhenCancelled) {
  AddPicture("a.jpg");
  OpenAndWait(pictures_.path());
  ASSERT_FALSE(fs::exists(CuttingFile()));
  view_.chosenFolder.clear();
  presenter_.ChooseSourceFolder();
  EXPECT_TRUE(fs::exists(CuttingFile()));
  ASSERT_EQ(view_.chooserCalls.size(), 1u);
  EXPECT_EQ(view_.chooserCalls[0],
            "Quellverzeichnis auswählen|&Öffnen|0|" + pictures_.path() + "/");
  EXPECT_EQ(LoadCuttingData(CuttingFile()).size(), 1u);

  // A path that is no folder: the message, nothing changes.
  view_.chosenFolder = pictures_ / "nowhere";
  presenter_.ChooseSourceFolder();
  ASSERT_EQ(view_.messages.size(), 1u);
  EXPECT_EQ(view_.messages[0].text, "Das angegebene Verzeichnis existiert nicht.");
  EXPECT_EQ(view_.messages[0].width, 315);
  EXPECT_EQ(presenter_.SourceFolder(), pictures_.path() + "/");
}

TEST_F(FolderPresenterTest, TenFilesWithOneUnreadableGiveNineEntries) {
  for (int i = 0; i < 10; ++i) {
    AddPicture("p" + std::to_string(i) + ".jpg", i == 4 ? "not-a-jpeg.jpg" : "plain-landscape.jpg");
  }
  OpenAndWait(pictures_.path());
  EXPECT_EQ(presenter_.ThumbnailCount(), 9);
  EXPECT_EQ(presenter_.Listing().size(), 9u);
  EXPECT_EQ(presenter_.Records().size(), 9u);
  EXPECT_TRUE(presenter_.StripComplete());
  EXPECT_EQ(view_.status[3], "9 Bilder im Verz.");
  EXPECT_EQ(view_.statusTrail.front().substr(0, 2), "0:");
  EXPECT_NE(std::find(view_.statusTrail.begin(), view_.statusTrail.end(), "3:Initialisiere 1/10"),
            view_.statusTrail.end());
  EXPECT_NE(std::find(view_.statusTrail.begin(), view_.statusTrail.end(), "3:Initialisiere 9/9"),
            view_.statusTrail.end());
  // Entry n, record n and listing entry n are the same picture.
  for (int p = 0; p < 9; ++p) {
    EXPECT_EQ(view_.entries[static_cast<std::size_t>(p)].position, p);
    EXPECT_EQ(RecordOf(p).filename, presenter_.Listing()[static_cast<std::size_t>(p)]);
    EXPECT_EQ(presenter_.Listing()[static_cast<std::size_t>(p)],
              pictures_ / view_.entries[static_cast<std::size_t>(p)].caption);
    EXPECT_NE(view_.entries[static_cast<std::size_t>(p)].caption, "p4.jpg");
  }
}

TEST_F(FolderPresenterTest, TheStoredRecordOfAnUndecodableFileSurvivesTheNextWrite) {
  AddPicture("a.jpg");
  AddPicture("broken.jpg", "not-a-jpeg.jpg");
  CuttingRecord stored;
  stored.filename = pictures_ / "broken.jpg";
  stored.formatId = 1;
  stored.x = 5;
  SaveCuttingData(std::vector<CuttingRecord>{stored}, CuttingFile());
  OpenAndWait(pictures_.path());
  ASSERT_EQ(presenter_.Records().size(), 1u);
  presenter_.Close();
  const std::vector<CuttingRecord> written = LoadCuttingData(CuttingFile());
  ASSERT_EQ(written.size(), 2u);
  EXPECT_EQ(written[1].filename, pictures_ / "broken.jpg");
  EXPECT_EQ(written[1].x, 5);
}

TEST_F(FolderPresenterTest, EntriesCarryTheirGeometryTypeAndThumbnail) {
  AddPicture("a.jpg");
  OpenAndWait(pictures_.path());
  ASSERT_EQ(view_.entries.size(), 1u);
  // 600 x 450 at one eighth is 75 x 57 (rounded up), copied as it is: a 92 pixel panel.
  const StripEntry& entry = view_.entries[0];
  EXPECT_EQ(entry.thumbnail.width(), 75);
  EXPECT_EQ(entry.thumbnail.height(), 57);
  EXPECT_EQ(entry.geometry.panelHeight, 92);
  EXPECT_EQ(entry.geometry.buttonHeight, 82);
  EXPECT_EQ(entry.fileType, "JPG");
  EXPECT_FALSE(entry.lossyJpeg);

  presenter_.ThumbnailsToggled(false);
  presenter_.WaitForStrip();
  ASSERT_EQ(view_.entries.size(), 1u);
  EXPECT_TRUE(view_.entries[0].thumbnail.empty());
  EXPECT_EQ(view_.entries[0].geometry.panelHeight, 64);
  EXPECT_TRUE(fs::exists(CuttingFile())) << "the table is written before the folder reopens";
}

TEST_F(FolderPresenterTest, ATurnedOriginalGetsItsThumbnailAndEntryHeightAnew) {
  AddPicture("a.jpg");
  OpenAndWait(pictures_.path());
  // The file now holds the picture turned upright, as a lossless rotation leaves it.
  fs::copy_file(kPhotos + "plain-portrait.jpg", pictures_ / "a.jpg",
                fs::copy_options::overwrite_existing);
  presenter_.RebuildThumbnail(0);
  // 450 x 600 decoded whole and boxed into 75 x 75: 56 x 75; panel max(35, 75) + 35.
  ASSERT_EQ(view_.rebuiltThumbnails.count(0), 1u);
  EXPECT_EQ(view_.rebuiltThumbnails[0].width, 56);
  EXPECT_EQ(view_.rebuiltThumbnails[0].height, 75);
  EXPECT_EQ(view_.rebuiltThumbnails[0].panelHeight, 110);
  EXPECT_EQ(view_.rebuiltThumbnails[0].buttonHeight, 100);

  view_.rebuiltThumbnails.clear();
  presenter_.ThumbnailsToggled(false);
  presenter_.WaitForStrip();
  presenter_.RebuildThumbnail(0);
  EXPECT_TRUE(view_.rebuiltThumbnails.empty()) << "no thumbnails, nothing to rebuild";
}

TEST_F(FolderPresenterTest, OpeningAnotherFolderMidStripStopsTheThreadAfterTheCurrentFile) {
  AddPictures(12);
  TempFolder second;
  fs::copy_file(kPhotos + "plain-portrait.jpg", second / "x.jpg");
  presenter_.OpenFolder(pictures_.path());
  while (view_.Inserted() < 3) {
    presenter_.RunHandOvers();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  // One call may have run more than one hand-over: count what stood before the stop.
  const auto beforeStop = view_.Inserted();
  presenter_.OpenFolder(second.path());
  presenter_.WaitForStrip();
  // The entries of the first folder: at most the one it was working on came after the stop.
  const auto clear = std::find(view_.log.begin() + 1, view_.log.end(), "clear");
  ASSERT_NE(clear, view_.log.end());
  const auto firstInserts = std::count_if(
      view_.log.begin(), clear, [](const std::string& l) { return l.rfind("insert", 0) == 0; });
  EXPECT_GE(firstInserts, beforeStop);
  EXPECT_LE(firstInserts, beforeStop + 1);
  EXPECT_LT(firstInserts, 12);
  EXPECT_EQ(std::count(view_.log.begin(), clear, "finish"), 1)
      << "final steps ran for the first folder";
  EXPECT_EQ(view_.entries.size(), 1u);
  EXPECT_EQ(view_.entries[0].caption, "x.jpg");
  EXPECT_EQ(presenter_.CurrentFile(), second / "x.jpg");
}

TEST_F(FolderPresenterTest, NextAndPreviousSkipDeletedRecords) {
  WriteBoolSetting("AskOnDelete", false);
  AddPictures(4);
  OpenAndWait(pictures_.path());
  const int first = presenter_.CurrentPosition();
  ASSERT_EQ(first, 0);
  presenter_.DeleteSourcePicture(1);
  EXPECT_TRUE(view_.messages.empty()) << "AskOnDelete off: no question";
  EXPECT_EQ(RecordOf(1).deleted, true);
  presenter_.NextPicture();
  EXPECT_EQ(presenter_.CurrentPosition(), 2);
  presenter_.PreviousPicture();
  EXPECT_EQ(presenter_.CurrentPosition(), 0);
  EXPECT_FALSE(presenter_.Navigation().back);
  presenter_.PreviousPicture();
  EXPECT_EQ(presenter_.CurrentPosition(), 0) << "the first picture is shown again";
  presenter_.LastPicture();
  EXPECT_EQ(presenter_.CurrentPosition(), 3);
  EXPECT_FALSE(presenter_.Navigation().forward);
  const int shownBefore = view_.picturesShown;
  presenter_.NextPicture();
  EXPECT_EQ(presenter_.CurrentPosition(), 3);
  EXPECT_EQ(view_.picturesShown, shownBefore) << "nothing visible happens on the last picture";
  presenter_.FirstPicture();
  EXPECT_EQ(presenter_.CurrentPosition(), 0);
  EXPECT_TRUE(presenter_.Navigation().forward);
}

TEST_F(FolderPresenterTest, DeletingTheShownLastPictureShowsTheNearestEarlierOneUnmarked) {
  AddPictures(3);
  OpenAndWait(pictures_.path());
  presenter_.LastPicture();
  ASSERT_EQ(presenter_.CurrentPosition(), 2);
  ASSERT_EQ(RecordOf(1).saveIt, false);
  const std::string name = presenter_.EntryCaption(2);
  view_.answers = {6};
  presenter_.DeleteSourcePicture(2);
  ASSERT_EQ(view_.messages.size(), 1u);
  EXPECT_EQ(view_.messages[0].text, "Soll das Bild \r\n" + name + "\r\n wirklich gelöscht werden?");
  EXPECT_EQ(view_.messages[0].key, "AskOnDelete");
  EXPECT_EQ(view_.messages[0].buttons, 3);
  EXPECT_FALSE(fs::exists(pictures_ / name));
  EXPECT_EQ(presenter_.CurrentPosition(), 1);
  EXPECT_EQ(RecordOf(1).saveIt, false) << "shown after a deletion: not marked";
  EXPECT_EQ(view_.hidden, std::vector<int>{2});
  EXPECT_FALSE(presenter_.Navigation().forward);
  // A deleted entry cannot be marked.
  presenter_.MarkForSaving(true, 2, false);
  EXPECT_EQ(RecordOf(2).saveIt, false);
  // The deleted record stays in the table and in the next write.
  presenter_.Close();
  EXPECT_EQ(LoadCuttingData(CuttingFile()).size(), 3u);
}

TEST_F(FolderPresenterTest, DecliningTheQuestionOrDeletingTheOnlyPicture) {
  AddPicture("a.jpg");
  OpenAndWait(pictures_.path());
  view_.answers = {7};
  presenter_.DeleteSourcePicture(0);
  EXPECT_TRUE(fs::exists(pictures_ / "a.jpg"));
  EXPECT_TRUE(host_.active);
  view_.answers = {6};
  presenter_.DeleteSourcePicture(0);
  EXPECT_FALSE(fs::exists(pictures_ / "a.jpg"));
  EXPECT_EQ(presenter_.CurrentPosition(), -1);
  EXPECT_GT(view_.cleared, 0);
  EXPECT_FALSE(host_.active);
}

TEST_F(FolderPresenterTest, RenamingChangesTheCaseOnlyNameAndRefusesFolderParts) {
  AddPicture("a.jpg");
  AddPicture("b.jpg");
  OpenAndWait(pictures_.path());
  const int p = Position("a.jpg");
  view_.inputAnswer = "A.jpg";
  presenter_.RenameSourcePicture(p);
  EXPECT_TRUE(view_.messages.empty());
  EXPECT_TRUE(fs::exists(pictures_ / "A.jpg"));
  EXPECT_FALSE(fs::exists(pictures_ / "a.jpg"));
  EXPECT_EQ(presenter_.EntryCaption(p), "A.jpg");
  EXPECT_EQ(RecordOf(p).filename, pictures_ / "A.jpg");

  for (const std::string refused : {"../A.jpg", "sub/A.jpg", "b.jpg", ""}) {
    view_.messages.clear();
    view_.inputAnswer = refused;
    if (refused.empty()) view_.inputAnswer = " ";  // a blank name: the box gives it back trimmed
    fs::create_directory(pictures_ / "sub");
    presenter_.RenameSourcePicture(p);
    ASSERT_EQ(view_.messages.size(), 1u) << refused;
    EXPECT_EQ(view_.messages[0].text, "Die Datei konnte nicht umbenannt werden.");
    EXPECT_TRUE(fs::exists(pictures_ / "A.jpg")) << refused;
    EXPECT_FALSE(fs::exists(config_.path() + "/A.jpg"));
    EXPECT_FALSE(fs::exists(pictures_ / "sub/A.jpg"));
    EXPECT_EQ(presenter_.EntryCaption(p), "A.jpg");
  }
}

TEST_F(FolderPresenterTest, ARenamedPictureKeepsItsCropAfterReopening) {
  AddPicture("a.jpg");
  OpenAndWait(pictures_.path());
  RecordOf(0).y = 2;
  view_.inputAnswer = "c.jpg";
  presenter_.RenameSourcePicture(0);
  presenter_.ChooseSourceFolder();
  OpenAndWait(pictures_.path());
  EXPECT_EQ(RecordOf(0).filename, pictures_ / "c.jpg");
  EXPECT_EQ(RecordOf(0).y, 2);
}

TEST_F(FolderPresenterTest, ClosingMidStripKeepsWhatWasSetAndWhatTheThreadHadNotReached) {
  AddPictures(12);
  OpenAndWait(pictures_.path());
  // A frame of the last picture, stored in the file.
  RecordOf(11).formatId = 1;
  RecordOf(11).y = 3;
  presenter_.ChooseSourceFolder();
  presenter_.OpenFolder(pictures_.path());
  while (view_.Inserted() < 14) {
    presenter_.RunHandOvers();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_EQ(RecordOf(0).y, 2);
  RecordOf(0).y = 1;  // the frame moved while the strip is built
  presenter_.Close();
  ASSERT_LT(presenter_.ThumbnailCount(), 12) << "the strip must not be complete for this test";

  OpenAndWait(pictures_.path());
  EXPECT_EQ(RecordOf(0).y, 1);
  EXPECT_EQ(RecordOf(11).y, 3);
  EXPECT_EQ(presenter_.Records().size(), 12u);
}

// The run's view: records the notes, answers nothing else.
class NoteTaker : public SaveRunView {
 public:
  std::string ChooseFolder(const std::string&, const std::string&, int,
                           const std::string&) override {
    return {};
  }
  int ShowMessageBox(const std::string& title, const std::string& text, int, int, int) override {
    notes.push_back(title + ": " + text);
    return ui::kResultOk;
  }
  void SetStatusText(int, const std::string&) override {}
  std::vector<std::string> notes;
};

TEST_F(FolderPresenterTest, MarkedPicturesNeverShownAreCutWithTheFrameTheirFirstShowingGives) {
  frame_.fileTypes.first = {"TIF", false};  // the decoding road: pixels can be compared exactly
  AddPicture("a.jpg");
  AddPicture("b.jpg", "plain-portrait.jpg");
  AddPicture("c.jpg", "canon-ixus.jpg");
  AddPicture("d.jpg", "fujifilm-dx10.jpg");
  AddPicture("e.jpg", "xmp-only-2.jpg");  // 61 x 58 pixels: too small for any frame
  OpenAndWait(pictures_.path());
  ASSERT_EQ(presenter_.ThumbnailCount(), 5);
  for (int p = 1; p < 5; ++p) presenter_.EntryCheckClicked(p, true);
  const std::vector<CuttingRecord> ticked = presenter_.Records();
  ASSERT_FALSE(ticked[1].Shown());

  TempFolder dest;
  SaveRunContext context;
  context.formatRatio = [this](int id) { return static_cast<double>(formats_.FormatRatio(id)); };
  context.defaultFormat = formats_.DefaultFormat;
  SaveRunState state;
  NoteTaker run;
  RunSavePass(ticked, dest.path() + "/", context, state, run);
  ASSERT_EQ(run.notes.size(), 1u);
  EXPECT_EQ(run.notes[0],
            "Information: Diese Bilder sind für das Format 10 x 15 zu klein und wurden nicht "
            "gespeichert:\r\ne.jpg");
  EXPECT_FALSE(fs::exists(dest / "e.TIF"));

  // Each cut holds the picture under the frame that showing the picture now places.
  for (const char* name : {"b", "c", "d"}) {
    const int p = Position(std::string(name) + ".jpg");
    presenter_.ShowPicture(p, false);
    const CuttingRecord& shown = RecordOf(p);
    ASSERT_EQ(shown.blockSize, 1);
    const int x = *shown.x, y = *shown.y, w = *shown.width, h = *shown.height;
    // Centred on the picture, as large as the format allows.
    EXPECT_TRUE(x == 0 || y == 0) << name;
    EXPECT_LE(std::abs((*shown.pictureWidth - w) - 2 * x), 1) << name;
    EXPECT_LE(std::abs((*shown.pictureHeight - h) - 2 * y), 1) << name;
    const std::string tiff = testing::ReadWholeFile(dest / (std::string(name) + ".TIF"));
    ASSERT_EQ(tiff.size(), 40u + 3u * w * h + 186u) << name;
    const Picture source = DecodeJpegFile(pictures_ / (std::string(name) + ".jpg"));
    std::size_t differing = 0;
    for (int row = 0; row < h; ++row) {
      for (int col = 0; col < w; ++col) {
        const std::uint8_t* px = source.row(y + row) + 4 * (x + col);
        const std::size_t at = 40 + 3 * (static_cast<std::size_t>(row) * w + col);
        differing += static_cast<std::uint8_t>(tiff[at]) != px[2] ||
                     static_cast<std::uint8_t>(tiff[at + 1]) != px[1] ||
                     static_cast<std::uint8_t>(tiff[at + 2]) != px[0];
      }
    }
    EXPECT_EQ(differing, 0u) << name;
  }
}

// Pictures o1, o3, o6 and o8.jpg whose Exif Orientation is 1, 3, 6 and 8; false without exiftool.
bool AddTurnedPictures(const TempFolder& folder) {
  if (!test::RequireReader("exiftool")) return false;
  for (const int o : {1, 3, 6, 8}) {
    const std::string path = folder / ("o" + std::to_string(o) + ".jpg");
    fs::copy_file(kPhotos + "plain-landscape.jpg", path);
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
    const std::string command =
        "exiftool -q -overwrite_original -n -Orientation=" + std::to_string(o) + " '" + path + "'";
    if (std::system(command.c_str()) != 0) return false;
    SetFileDate(path, 0x3A5A6C2B);
  }
  return true;
}

// The picture as it looks upright, turned here for Exif Orientation 3, 6 or 8.
Picture Upright(const Picture& p, int orientation) {
  const bool quarter = orientation == 6 || orientation == 8;
  Picture out(quarter ? p.height() : p.width(), quarter ? p.width() : p.height());
  for (int y = 0; y < p.height(); ++y) {
    for (int x = 0; x < p.width(); ++x) {
      int tx = p.width() - 1 - x, ty = p.height() - 1 - y;    // 3: half a turn
      if (orientation == 6) tx = p.height() - 1 - y, ty = x;  // a quarter clockwise
      if (orientation == 8) tx = y, ty = p.width() - 1 - x;   // a quarter counter-clockwise
      std::copy_n(p.row(y) + 4 * x, 4, out.row(ty) + 4 * tx);
    }
  }
  return out;
}

double MeanDifference(const Picture& a, const Picture& b) {
  if (a.width() != b.width() || a.height() != b.height()) return 1e9;
  double sum = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < 4 * a.width(); ++x)
      if (x % 4 != 3) sum += std::abs(a.row(y)[x] - b.row(y)[x]);
  return sum / (3.0 * a.width() * a.height());
}

TEST_F(FolderPresenterTest, TurnedPicturesAreOfferedOnceAndNeinChangesNoByte) {
  ASSERT_TRUE(AddTurnedPictures(pictures_));
  std::vector<std::string> before;
  for (const int o : {1, 3, 6, 8})
    before.push_back(testing::ReadWholeFile(pictures_ / ("o" + std::to_string(o) + ".jpg")));
  view_.answers = {ui::kResultNo};
  OpenAndWait(pictures_.path());
  ASSERT_EQ(view_.messages.size(), 1u);
  EXPECT_EQ(view_.messages[0].title, "Frage");
  EXPECT_EQ(view_.messages[0].text, "3 Bilder sind laut Kamera gedreht. Jetzt aufrichten?");
  EXPECT_EQ(view_.messages[0].buttons, ui::kButtonsYesNo);
  EXPECT_EQ(view_.messages[0].key, "AskToTurnUpright");
  int i = 0;
  for (const int o : {1, 3, 6, 8}) {
    EXPECT_EQ(testing::ReadWholeFile(pictures_ / ("o" + std::to_string(o) + ".jpg")), before[i++])
        << o;
  }
  EXPECT_EQ(presenter_.ThumbnailCount(), 4);
  // Once per folder: opening it again asks no more.
  OpenAndWait(pictures_.path());
  EXPECT_EQ(view_.messages.size(), 1u);
}

TEST_F(FolderPresenterTest, JaTurnsThemUprightKeepsTheirDatesAndForgetsTheirFrames) {
  ASSERT_TRUE(AddTurnedPictures(pictures_));
  std::map<int, Picture> before;
  for (const int o : {3, 6, 8})
    before[o] = DecodeJpegFile(pictures_ / ("o" + std::to_string(o) + ".jpg"));
  // Frames stored for o1 and o6.
  std::vector<CuttingRecord> stored(2);
  for (int i = 0; i < 2; ++i) {
    CuttingRecord& r = stored[static_cast<std::size_t>(i)];
    r.filename = pictures_ / (i == 0 ? "o1.jpg" : "o6.jpg");
    r.x = 3, r.y = 2, r.width = 300, r.height = 200, r.formatId = 1, r.blockSize = 1;
    r.fileType = "TIF", r.saveIt = true, r.pictureWidth = 600, r.pictureHeight = 450;
    r.redEyeCoords = "10,10,20,20|";
  }
  SaveCuttingData(stored, CuttingFile());

  view_.answers = {ui::kResultYes};
  OpenAndWait(pictures_.path());
  ASSERT_FALSE(view_.messages.empty());
  EXPECT_EQ(view_.messages[0].text, "3 Bilder sind laut Kamera gedreht. Jetzt aufrichten?");
  for (const int o : {1, 3, 6, 8}) {
    const std::string path = pictures_ / ("o" + std::to_string(o) + ".jpg");
    EXPECT_EQ(ReadOrientation(path), 1) << o;
    EXPECT_EQ(GetFileDate(path), 0x3A5A6C2B) << o;
    if (o != 1) {
      EXPECT_LT(MeanDifference(DecodeJpegFile(path), Upright(before[o], o)), 3.0) << o;
    }
  }
  // The strip shows them upright, and o6 starts afresh while o1 keeps its frame.
  EXPECT_EQ(view_.status[3], "4 Bilder im Verz.");
  const CuttingRecord& o6 = RecordOf(Position("o6.jpg"));
  EXPECT_FALSE(o6.Shown());
  EXPECT_FALSE(o6.x.has_value());
  EXPECT_FALSE(o6.redEyeCoords.has_value());
  EXPECT_EQ(RecordOf(Position("o1.jpg")).redEyeCoords, "10,10,20,20|");
  presenter_.ShowPicture(Position("o6.jpg"), false);
  EXPECT_EQ(view_.status[1], "Bild: (450x600)");
}

TEST_F(FolderPresenterTest, ResettingTheFolderStartsEveryPictureFromTheDefaults) {
  AddPicture("a.jpg");
  OpenAndWait(pictures_.path());
  RecordOf(0).fileType = "PNG";
  presenter_.ChooseSourceFolder();
  presenter_.ResetFolder();
  presenter_.WaitForStrip();
  EXPECT_FALSE(fs::exists(CuttingFile()));
  EXPECT_EQ(RecordOf(0).fileType, "JPG");
  EXPECT_TRUE(view_.messages.empty()) << "no question";
}

TEST_F(FolderPresenterTest, AnUnreadableCuttingDataFileOpensAnEmptyFolderAndReportsIt) {
  AddPicture("a.jpg");
  testing::WriteFile(CuttingFile(), "TPF0 broken");
  OpenAndWait(pictures_.path());
  EXPECT_EQ(presenter_.ThumbnailCount(), 0);
  ASSERT_EQ(view_.errors.size(), 1u);
  EXPECT_FALSE(host_.active);
  fs::remove(CuttingFile());
  OpenAndWait(pictures_.path());
  EXPECT_EQ(presenter_.ThumbnailCount(), 1);
}

TEST_F(FolderPresenterTest, PipesUnderAPicturesOrTheTablesNameNeitherHangTheStripNorTheClose) {
  AddPictures(12);
  ASSERT_EQ(::mkfifo(CuttingFile().c_str(), 0600), 0);
  ::alarm(60);  // a hang ends the test program instead of the suite
  presenter_.OpenFolder(pictures_.path());
  // The last picture becomes a pipe while the strip is built.
  fs::remove(pictures_ / "p11.jpg");
  ASSERT_EQ(::mkfifo((pictures_ / "p11.jpg").c_str(), 0600), 0);
  presenter_.WaitForStrip();
  EXPECT_EQ(presenter_.ThumbnailCount(), 11);
  presenter_.Close();
  ::alarm(0);
  EXPECT_EQ(LoadCuttingData(CuttingFile()).size(), 11u);
}

TEST_F(FolderPresenterTest, AFolderThatAnotherWindowWorksOnOpensOnlyForLooking) {
  AddPicture("a.jpg");
  testing::TempFolder runtime;
  ::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
  {
    const FolderClaim otherWindow(pictures_.path() + "/");
    OpenAndWait(pictures_.path());
    ASSERT_EQ(view_.messages.size(), 1u);
    EXPECT_EQ(view_.messages[0].title, "Information");
    EXPECT_NE(view_.messages[0].text.find(
                  pictures_.path() + " wird bereits von einem anderen Trimora-Fenster bearbeitet"),
              std::string::npos);
    RecordOf(0).saveIt = true;
    presenter_.ResetFolder();  // the note again, nothing removed or reopened
    EXPECT_EQ(view_.messages.size(), 2u);
    EXPECT_TRUE(RecordOf(0).saveIt.value_or(false));
    presenter_.Close();
    EXPECT_FALSE(fs::exists(CuttingFile()));
  }
  // The other window is gone: this one works on the folder.
  OpenAndWait(pictures_.path());
  EXPECT_EQ(view_.messages.size(), 2u);
  presenter_.Close();
  EXPECT_TRUE(fs::exists(CuttingFile()));
}

TEST_F(FolderPresenterTest, AnUnreadableFolderIsReportedAndTheOpenFolderStays) {
  AddPicture("a.jpg");
  OpenAndWait(pictures_.path());
  testing::TempFolder locked;
  fs::copy_file(kPhotos + "plain-landscape.jpg", locked / "b.jpg");
  ::chmod(locked.path().c_str(), 0);
  // The superuser reads every folder: the attempt is made as an ordinary user.
  const uid_t user = ::geteuid();
  if (user == 0) {
    ASSERT_EQ(::seteuid(65534), 0);
  }
  presenter_.OpenFolder(locked.path());
  if (user == 0) {
    ASSERT_EQ(::seteuid(0), 0);
  }
  ASSERT_EQ(view_.errors.size(), 1u);
  EXPECT_EQ(view_.errors[0], "Das Verzeichnis " + locked.path() + " kann nicht gelesen werden.");
  EXPECT_EQ(presenter_.SourceFolder(), pictures_.path() + "/");
  EXPECT_EQ(presenter_.ThumbnailCount(), 1);
}

TEST_F(FolderPresenterTest, ShowingAPictureActivatesItsCommandsAndNamesItsCorrections) {
  AddPicture("a.jpg");
  OpenAndWait(pictures_.path());
  EXPECT_TRUE(host_.active);
  const ShownCorrections& shown = presenter_.Corrections();
  EXPECT_TRUE(shown.redEyeAvailable);
  EXPECT_FALSE(shown.redEye);
  EXPECT_FALSE(shown.autoCorrection);
  EXPECT_FALSE(shown.enlarged);
  EXPECT_FALSE(presenter_.Navigation().back);
  EXPECT_FALSE(presenter_.Navigation().forward);
}

TEST_F(FolderPresenterTest, TheFileTypeMenuMovesTheSelectionBetweenTheGrids) {
  AddPicture("a.jpg");
  AddPicture("b.jpg");
  OpenAndWait(pictures_.path());
  const int shown = presenter_.CurrentPosition();
  ASSERT_EQ(SelectionOf(shown), (std::array<std::int32_t, 4>{0, 2, 38, 25}));
  presenter_.ChooseFileType(shown, 2);  // "TIF (verlustfrei)": times 16, then fitted anew
  EXPECT_EQ(RecordOf(shown).blockSize, 1);
  EXPECT_EQ(RecordOf(shown).fileType, "TIF");
  EXPECT_EQ(view_.fileTypes[shown], "TIF");
  EXPECT_EQ(SelectionOf(shown), (std::array<std::int32_t, 4>{0, 32, 600, 400}));
  presenter_.ChooseFileType(shown, 1);  // "JPG (verlustbehaftet)"
  EXPECT_EQ(view_.fileTypes[shown], "JPG red");
  EXPECT_EQ(RecordOf(shown).blockSize, 1);
  presenter_.ChooseFileType(shown, 0);  // back to lossless JPEG: div 16, which now fits
  EXPECT_EQ(RecordOf(shown).blockSize, 16);
  EXPECT_EQ(SelectionOf(shown), (std::array<std::int32_t, 4>{0, 2, 37, 25}));
  EXPECT_EQ(view_.fileTypes[shown], "JPG");

  // On an entry that is not shown: its record alone, and it is marked.
  const int other = 1 - shown;
  presenter_.ChooseFileType(other, 4);
  EXPECT_EQ(RecordOf(other).fileType, "PNG");
  EXPECT_EQ(RecordOf(other).blockSize, 1);
  EXPECT_EQ(RecordOf(other).saveIt, true);
  EXPECT_EQ(view_.fileTypes[other], "PNG");
  EXPECT_EQ(SelectionOf(shown), (std::array<std::int32_t, 4>{0, 2, 37, 25}));
}

// Records as an older release may have written them: corrections on the block grid.
TEST_F(FolderPresenterTest, AStoredCorrectedPictureLeavesTheBlockGridWhenShown) {
  struct Case {
    const char* what;
    std::optional<std::string> redEye;
    std::optional<bool> correction, stripes;
  };
  for (const Case& c : {Case{"red eyes", "10,10,30,30|", std::nullopt, std::nullopt},
                        Case{"correction", std::nullopt, true, std::nullopt},
                        Case{"stripes", std::nullopt, std::nullopt, true}}) {
    TempFolder folder;
    fs::copy_file(kPhotos + "plain-landscape.jpg", folder / "a.jpg");
    CuttingRecord stored;
    stored.filename = folder / "a.jpg";
    stored.fileType = "JPG";
    stored.formatId = 1;
    stored.blockSize = 16;
    stored.x = 1;
    stored.y = 2;
    stored.width = 30;
    stored.height = 20;
    stored.redEyeCoords = c.redEye;
    stored.autoCorrection = c.correction;
    stored.enlarge = c.stripes;
    SaveCuttingData(std::vector<CuttingRecord>{stored}, folder / "CroppingData.kv2");
    view_.fileTypes.clear();
    OpenAndWait(folder.path());
    ASSERT_EQ(presenter_.CurrentPosition(), 0) << c.what;
    EXPECT_EQ(RecordOf(0).blockSize, 1) << c.what;
    EXPECT_EQ(RecordOf(0).fileType, "JPG") << c.what;
    EXPECT_EQ(view_.fileTypes[0], "JPG red") << c.what;
    EXPECT_FALSE(presenter_.LosslessTypeAllowed(0)) << c.what;
    // The disabled "JPG (verlustfrei)" does nothing.
    presenter_.ChooseFileType(0, 0);
    EXPECT_EQ(RecordOf(0).blockSize, 1) << c.what;
    if (!c.stripes) {
      EXPECT_EQ(SelectionOf(0), (std::array<std::int32_t, 4>{16, 32, 480, 320})) << c.what;
    }
  }
}

TEST_F(FolderPresenterTest, AnEntryNotOnScreenWithCorrectionsCannotBeMadeLossless) {
  AddPicture("a.jpg");
  AddPicture("b.jpg");
  CuttingRecord stored;
  stored.filename = pictures_ / "b.jpg";
  stored.fileType = "TIF";
  stored.formatId = 1;
  stored.blockSize = 1;
  stored.x = 32;
  stored.y = 16;
  stored.width = 480;
  stored.height = 320;
  stored.autoCorrection = true;
  SaveCuttingData(std::vector<CuttingRecord>{stored}, CuttingFile());
  OpenAndWait(pictures_.path());
  const int b = Position("b.jpg");
  presenter_.ShowPicture(Position("a.jpg"), false);
  ASSERT_NE(presenter_.CurrentPosition(), b);
  EXPECT_FALSE(presenter_.LosslessTypeAllowed(b));
  presenter_.ChooseFileType(b, 0);
  EXPECT_EQ(RecordOf(b).fileType, "TIF") << "a disabled entry does nothing";
  EXPECT_EQ(RecordOf(b).blockSize, 1);
  presenter_.ChooseFileType(b, 1);
  EXPECT_EQ(RecordOf(b).fileType, "JPG");
  EXPECT_EQ(view_.fileTypes[b], "JPG red");
  EXPECT_EQ(SelectionOf(b), (std::array<std::int32_t, 4>{32, 16, 480, 320}));
  // Without the correction the same entry may go onto the block grid.
  RecordOf(b).autoCorrection = false;
  EXPECT_TRUE(presenter_.LosslessTypeAllowed(b));
  presenter_.ChooseFileType(b, 0);
  EXPECT_EQ(RecordOf(b).blockSize, 16);
  EXPECT_EQ(SelectionOf(b), (std::array<std::int32_t, 4>{2, 1, 30, 20}));
  EXPECT_EQ(view_.fileTypes[b], "JPG");
}

TEST_F(FolderPresenterTest, SettingsAreReadWithTheirDefaultsAndWrittenBack) {
  FolderSettings s = LoadFolderSettings();
  EXPECT_EQ(s.formatId, 1);
  EXPECT_TRUE(s.markOnShow);
  EXPECT_TRUE(s.thumbnails);
  AddPicture("a.jpg");
  OpenAndWait(pictures_.path());
  SaveFolderSettings(presenter_.CurrentSettings());
  EXPECT_EQ(Read(setting::kSourceDir), pictures_.path() + "/");
  EXPECT_EQ(Read(setting::kFormatId), 1);
  EXPECT_EQ(Read(setting::kThumbs), true);
}

TEST_F(FolderPresenterTest, TheFirstPictureComesWithAPreviewForThePanel) {
  AddPicture("a.jpg");
  presenter_.SetDisplayHint(100, 100);
  OpenAndWait(pictures_.path());
  EXPECT_EQ(view_.shownWidth, 600);
  EXPECT_EQ(view_.previewWidth, 300) << "600 x 450 reduced by 2, still twice 100 x 100";
}

TEST(ReduceForDisplay, AveragesWholeSquaresAndKeepsTwiceTheHint) {
  Picture picture(8, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) {
      std::uint8_t* p = picture.row(y) + x * 4;
      p[0] = static_cast<std::uint8_t>(x * 10);
      p[1] = static_cast<std::uint8_t>(y * 20);
      p[2] = 7;
      p[3] = 0xFF;
    }
  const Picture reduced = ReduceForDisplay(picture, 2, 1);
  ASSERT_EQ(reduced.width(), 4);
  ASSERT_EQ(reduced.height(), 2);
  EXPECT_EQ(reduced.row(1)[4], 25);  // x 2 and 3: 20 and 30
  EXPECT_EQ(reduced.row(1)[5], 50);  // y 2 and 3: 40 and 60
  EXPECT_EQ(reduced.row(1)[6], 7);
  EXPECT_EQ(ReduceForDisplay(picture, 4, 4).width(), 8) << "no reduction fits: a copy";
}

}  // namespace
}  // namespace trimora
