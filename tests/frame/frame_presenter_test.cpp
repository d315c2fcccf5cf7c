#include "frame/frame_presenter.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fake_frame_view.h"
#include "platform/settings.h"

namespace trimora {
namespace {

using testing::AddFixedFormat;
using testing::AddScalableFormat;
using testing::CuttingRecords;
using testing::FakeFrameView;

// A settings store in a temporary home, format tables, a cutting-data table and a presenter.
class FramePresenterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    home_ = std::filesystem::temp_directory_path() /
            ("trimora-frame-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(home_);
    SetSettingsHomeForTesting(home_.string());
    f10x15 = AddScalableFormat(formats, "10 x 15", 1800, 1200, 900, 600);
    square = AddScalableFormat(formats, "Quadrat", 1000, 1000, 500, 500);
    fixedOff = AddFixedFormat(formats, "1024 x 700", 1024, 700);
    fixedBig = AddFixedFormat(formats, "1800 x 1200", 1800, 1200);
    fixedOn = AddFixedFormat(formats, "640 x 480", 640, 480);
  }
  void TearDown() override {
    SetSettingsHomeForTesting("");
    std::filesystem::remove_all(home_);
  }

  // Shows a P x Q picture as entry 0 in a view of V x U pixels with block size `b`.
  void Show(int P, int Q, int V, int U, int b) {
    records = CuttingRecords(3, P, Q);
    view.typeButtons = {{"JPG", false}, {"JPG", false}, {"JPG", false}};
    p.SetCurrentPicture(0, P, Q);
    p.grid.BlockSize = b;
    p.grid.ViewWidth = V;
    p.grid.ViewHeight = U;
    p.ComputeBlockGrid();
  }
  // Makes `id` the current format without fitting anything.
  void UseFormat(std::int32_t id) {
    formats.LookupFormat(id, formats.CurrentFormat);
    p.CurrentRatio = formats.FormatRatio(id);
  }
  // The selection as a rectangle in blocks.
  ScreenRect Sel() const { return {p.grid.SelX, p.grid.SelY, p.grid.SelW, p.grid.SelH}; }

  std::filesystem::path home_;
  FormatTables formats;
  std::vector<CuttingRecord> records = CuttingRecords(3, 100, 100);
  FakeFrameView view;
  FramePresenter p{view, formats, records, StoredSettings()};
  std::int32_t f10x15 = 0, square = 0, fixedOff = 0, fixedBig = 0, fixedOn = 0;
};

TEST_F(FramePresenterTest, StepLeftMovesOneScreenPixelOnAFineGrid) {
  Show(4000, 3000, 500, 375, 1);
  UseFormat(f10x15);
  p.grid.SelX = 800;
  p.grid.SelY = 100;
  p.grid.SelW = 1200;
  p.grid.SelH = 800;
  p.PlaceFrame();
  p.Run(SelectionCommand::StepLeft);
  EXPECT_EQ(p.grid.SelX, 795);  // 796 x 0.125 = 99.5 still rounds to 100
  EXPECT_EQ(view.frame.left, 99);
  p.Run(SelectionCommand::StepLeft);
  EXPECT_EQ(p.grid.SelX, 788);
  p.grid.SelX = 3;
  p.Run(SelectionCommand::StepLeft);
  EXPECT_EQ(p.grid.SelX, 0);
  p.Run(SelectionCommand::StepLeft);  // cannot step further
  EXPECT_EQ(p.grid.SelX, 0);
}

TEST_F(FramePresenterTest, StepsAreOneBlockOnACoarseGrid) {
  Show(1600, 1200, 400, 300, 16);
  UseFormat(f10x15);
  p.grid.SelX = 10;
  p.grid.SelY = 10;
  p.grid.SelW = 30;
  p.grid.SelH = 20;
  p.PlaceFrame();
  p.Run(SelectionCommand::StepRight);
  p.Run(SelectionCommand::StepDown);
  EXPECT_EQ(Sel(), (ScreenRect{11, 11, 30, 20}));
  EXPECT_EQ(view.frame, (ScreenRect{44, 44, 120, 80}));
  EXPECT_EQ(records[0].x, 11);
  EXPECT_EQ(records[0].y, 11);
  EXPECT_EQ(records[0].blockSize, 16);
  EXPECT_EQ(records[0].formatId, f10x15);
}

TEST_F(FramePresenterTest, ToTheRightEdgeIncludesThePartialLastColumn) {
  Show(1000, 750, 400, 300, 16);
  UseFormat(f10x15);
  p.grid.SelW = 30;
  p.grid.SelH = 20;
  p.PlaceFrame();
  p.Run(SelectionCommand::EdgeRight);
  EXPECT_EQ(p.grid.SelX, 63 - 30);
  EXPECT_EQ(view.frame.right(), 400);
  p.Run(SelectionCommand::EdgeBottom);
  EXPECT_EQ(p.grid.SelY, 47 - 20);
  EXPECT_EQ(view.frame.bottom(), 300);
  p.Run(SelectionCommand::EdgeLeft);
  p.Run(SelectionCommand::EdgeTop);
  EXPECT_EQ(view.frame.left, 0);
  EXPECT_EQ(view.frame.top, 0);
  p.Run(SelectionCommand::Centre);
  EXPECT_EQ(Sel(), (ScreenRect{16, 13, 30, 20}));
}

TEST_F(FramePresenterTest, ReleasingASmallFrameGivesTheMinimalSelection) {
  Show(1600, 1200, 400, 300, 16);  // BlockScale 4
  UseFormat(f10x15);
  view.frame = {40, 40, 24, 16};  // 6 x 4 blocks: shorter side below 80 pixels
  p.frameMouseUp();
  EXPECT_EQ(p.grid.SelW, 8);  // rounded 7.5
  EXPECT_EQ(p.grid.SelH, 5);
  EXPECT_EQ(view.frame, (ScreenRect{40, 40, 32, 20}));
}

TEST_F(FramePresenterTest, ReleasingAtTheRightEdgeTakesThePartialColumn) {
  Show(1000, 750, 400, 300, 16);  // 63 columns, the last one 3 pixels wide
  UseFormat(f10x15);
  const int w = RoundEven(30 * p.grid.BlockScale) - 3;  // frame ends exactly on the edge
  view.frame = {400 - w, 10, w, 128};
  p.frameMouseUp();
  EXPECT_EQ(p.grid.SelX + p.grid.SelW, p.grid.GridCols);
  EXPECT_EQ(view.frame.right(), 400);
}

TEST_F(FramePresenterTest, DraggingShowsTheFittedSelectionButKeepsTheFrame) {
  Show(1600, 1200, 400, 300, 16);
  UseFormat(f10x15);
  view.frame = {20, 24, 101, 37};
  p.frameRectMoved();
  EXPECT_EQ(view.frame, (ScreenRect{20, 24, 101, 37}));
  EXPECT_EQ(Sel(), (ScreenRect{5, 6, 25, 17}));
  EXPECT_EQ(view.status[2], "Auswahl: (81,97) (400x272)");
}

TEST_F(FramePresenterTest, TurnsAndClampsToThePicture) {
  Show(800, 1120, 400, 560, 16);  // 50 x 70 blocks
  UseFormat(f10x15);
  p.grid.SelW = 60;
  p.grid.SelH = 40;
  p.Run(SelectionCommand::Turn);
  EXPECT_EQ(Sel(), (ScreenRect{0, 0, 40, 60}));
  Show(960, 720, 480, 360, 16);  // 60 x 45 blocks
  p.grid.SelX = p.grid.SelY = 0;
  p.grid.SelW = 60;
  p.grid.SelH = 40;
  p.Run(SelectionCommand::Turn);
  EXPECT_EQ(Sel(), (ScreenRect{0, 0, 30, 45}));
}

TEST_F(FramePresenterTest, ShrinkStopsAtTheMinimumAndGrowStopsAtThePicture) {
  Show(1600, 1200, 400, 300, 16);
  UseFormat(f10x15);
  p.grid.SelW = 8;  // rounded (5 x 1.5)
  p.grid.SelH = 5;
  p.PlaceFrame();
  p.Run(SelectionCommand::Shrink);
  EXPECT_EQ(Sel(), (ScreenRect{0, 0, 8, 5}));
  p.Run(SelectionCommand::Grow);
  EXPECT_EQ(Sel(), (ScreenRect{0, 0, 9, 6}));
  p.Run(SelectionCommand::Maximise);
  EXPECT_EQ(Sel(), (ScreenRect{0, 0, 100, 67}));
  p.Run(SelectionCommand::Grow);
  EXPECT_EQ(p.grid.SelW, 100);
  p.Run(SelectionCommand::Minimise);
  EXPECT_EQ(Sel(), (ScreenRect{0, 0, 8, 5}));
}

TEST_F(FramePresenterTest, GrowingAtTheRightEdgeMovesTheSelectionLeft) {
  Show(1600, 1200, 400, 300, 16);
  UseFormat(f10x15);
  p.grid.SelX = 70;
  p.grid.SelY = 10;
  p.grid.SelW = 30;
  p.grid.SelH = 20;
  p.PlaceFrame();
  p.Run(SelectionCommand::Grow);
  EXPECT_EQ(p.grid.SelX + p.grid.SelW, 100);
  EXPECT_EQ(p.grid.SelW, 31);
}

TEST_F(FramePresenterTest, StatusShowsPixelsClippedToThePicture) {
  Show(700, 500, 350, 250, 16);
  UseFormat(f10x15);
  p.grid.SelX = 3;
  p.grid.SelY = 0;
  p.grid.SelW = 40;
  p.grid.SelH = 27;
  p.CommitSelection(false);
  EXPECT_EQ(view.status[2], "Auswahl: (49,1) (640x432)");
  p.grid.SelX = 4;
  p.CommitSelection(false);
  EXPECT_EQ(view.status[2], "Auswahl: (65,1) (636x432)");
  view.corrections[Correction::Enlargement] = true;
  p.grid.SelX = 2;
  p.CommitSelection(false);
  EXPECT_EQ(view.status[2], "Auswahl: (65,1) (636x432)");  // kept while stripes are on
  EXPECT_EQ(records[0].x, 2);
}

TEST_F(FramePresenterTest, CommitRedrawsOnlyWhenTheFrameMovedUnlessForced) {
  Show(1600, 1200, 400, 300, 16);
  UseFormat(f10x15);
  p.grid.SelW = 30;
  p.grid.SelH = 20;
  p.PlaceFrame();
  const int redraws = view.redraws;
  p.CommitSelection(false);
  EXPECT_EQ(view.redraws, redraws);
  p.CommitSelection(true);
  EXPECT_EQ(view.redraws, redraws + 1);
  view.frame = {-5, 290, 120, 80};  // cut back to the view
  p.CommitSelection(false);
  EXPECT_EQ(view.frame, (ScreenRect{0, 290, 120, 10}));
  EXPECT_EQ(view.redraws, redraws + 2);
}

TEST_F(FramePresenterTest, PlaceFrameColoursAndRepaintsTheFrame) {
  Show(4000, 3000, 500, 375, 1);
  UseFormat(f10x15);
  p.grid.SelW = 1800;
  p.grid.SelH = 1200;
  view.focusToggles = 0;
  p.PlaceFrame();
  EXPECT_EQ(view.frameColor, kFrameLime);
  EXPECT_EQ(view.focusToggles, 2);
  p.grid.SelW = 1000;
  p.grid.SelH = 667;
  p.PlaceFrame();
  EXPECT_EQ(view.frameColor, kFrameYellow);
  p.grid.SelW = 800;
  p.grid.SelH = 533;
  view.frameVisible = false;
  p.PlaceFrame();
  EXPECT_EQ(view.frameColor, kFrameRed);
  EXPECT_EQ(view.focusToggles, 4);  // a hidden frame is not refocused
}

TEST_F(FramePresenterTest, ApplyingAScalableFormatFitsAndAlignsToBlocks) {
  Show(4000, 3000, 500, 375, 1);
  p.grid.SelW = 800;
  p.grid.SelH = 592;
  p.ApplyFormat(f10x15, true);  // lossless JPEG preferred: back onto the 16-grid
  EXPECT_EQ(p.grid.BlockSize, 16);
  EXPECT_EQ(Sel(), (ScreenRect{0, 0, 50, 33}));
  EXPECT_TRUE(view.frameVisible);
  EXPECT_TRUE(view.drawBoxes);
  EXPECT_TRUE(view.enabled[FrameCommand::Maximise]);
  EXPECT_TRUE(view.enabled[FrameCommand::LosslessJpeg]);
  EXPECT_TRUE(view.overlayVisible);
  EXPECT_EQ(view.chooserCaption, "   10 x 15   ");
  EXPECT_TRUE(view.messages.empty());
  EXPECT_EQ(records[0].width, 50);
  EXPECT_EQ(records[0].blockSize, 16);
}

TEST_F(FramePresenterTest, WithoutAlignmentTheSelectionStaysOnPixels) {
  Show(4000, 3000, 500, 375, 1);
  p.grid.SelW = 800;
  p.grid.SelH = 592;
  p.ApplyFormat(f10x15, false);
  EXPECT_EQ(p.grid.BlockSize, 1);
  EXPECT_EQ(Sel(), (ScreenRect{0, 0, 800, 533}));
}

TEST_F(FramePresenterTest, AFixedFormatLargerThanThePictureIsRefused) {
  for (auto [P, Q] : {std::pair{1600, 1200}, std::pair{1200, 1800}}) {
    Show(P, Q, 400, 300, 16);
    view.messages.clear();
    view.frameVisible = true;
    view.status[2] = "Auswahl: ...";
    p.ApplyFormat(fixedBig, true);
    EXPECT_FALSE(view.frameVisible);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].title, "Fehler");
    EXPECT_EQ(view.messages[0].text,
              "Das gewählte Ausgabeformat ist größer als die aktuellen Bildmaße und kann deshalb "
              "nicht angewendet werden.");
    EXPECT_EQ(view.messages[0].key, "");
    EXPECT_EQ(view.messages[0].width, 315);
    EXPECT_EQ(view.messages[0].height, 180);
    EXPECT_EQ(view.frame.width, 0);
    EXPECT_EQ(view.status[2], "");
    EXPECT_FALSE(view.drawBoxes);
    EXPECT_FALSE(view.enabled[FrameCommand::Grow]);
    EXPECT_FALSE(view.overlayVisible);
  }
  EXPECT_EQ(view.markedFalseDisabled, 2);
}

TEST_F(FramePresenterTest, APictureBelowEightyPixelsIsRefusedOnBothGrids) {
  for (int b : {1, 16}) {
    Show(1000, 79, 540, 43, b);
    view.messages.clear();
    p.ApplyFormat(f10x15, false);
    EXPECT_FALSE(view.frameVisible);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text,
              "Das gewählte Bild ist für die Bearbeitung mit Trimora zu klein.");
    EXPECT_EQ(view.messages[0].width, 315);
  }
  Show(1000, 80, 540, 43, 1);
  view.messages.clear();
  p.ApplyFormat(f10x15, false);
  EXPECT_TRUE(view.frameVisible);
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(FramePresenterTest, MessagesStayQuietWhileReshowingOrInFullScreen) {
  Show(1600, 1200, 400, 300, 16);
  view.reshowing = true;
  p.ApplyFormat(fixedBig, true);
  view.reshowing = false;
  view.fullScreen = true;
  p.ApplyFormat(fixedOff, true);
  EXPECT_TRUE(view.messages.empty());
  EXPECT_FALSE(view.enabled[FrameCommand::LosslessJpeg]);
}

TEST_F(FramePresenterTest, AFixedFormatOffTheGridGoesToPixelsWithANote) {
  Show(1600, 1200, 400, 300, 16);
  p.grid.SelX = 2;
  p.grid.SelY = 3;
  p.ApplyFormat(fixedOff, true);
  EXPECT_EQ(p.grid.BlockSize, 1);
  EXPECT_EQ(Sel(), (ScreenRect{32, 48, 1024, 700}));
  EXPECT_FALSE(view.drawBoxes);
  EXPECT_FALSE(view.enabled[FrameCommand::LosslessJpeg]);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].title, "Information");
  EXPECT_EQ(view.messages[0].text,
            "Bilder im Format 1024 x 700 können nicht verlustfrei als JPEG gespeichert werden.");
  EXPECT_EQ(view.messages[0].key, "ShowLossySavingInfo");
  EXPECT_EQ(view.messages[0].width, 270);
  EXPECT_EQ(view.messages[0].height, 170);
  WriteBoolSetting("ShowLossySavingInfo", false);
  view.messages.clear();
  p.ApplyFormat(fixedOff, true);
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(FramePresenterTest, NonScalableFormatsOnlyMove) {
  Show(1600, 1200, 400, 300, 16);
  p.ApplyFormat(fixedOn, true);
  EXPECT_EQ(p.grid.BlockSize, 16);
  EXPECT_EQ(Sel(), (ScreenRect{0, 0, 40, 30}));
  EXPECT_FALSE(view.drawBoxes);
  for (SelectionCommand c :
       {SelectionCommand::Maximise, SelectionCommand::Turn, SelectionCommand::Grow,
        SelectionCommand::Shrink, SelectionCommand::Minimise}) {
    p.Run(c);
    EXPECT_EQ(Sel(), (ScreenRect{0, 0, 40, 30})) << static_cast<int>(c);
  }
  p.Run(SelectionCommand::StepRight);
  p.Run(SelectionCommand::EdgeBottom);
  EXPECT_EQ(Sel(), (ScreenRect{1, 45, 40, 30}));
  p.Run(SelectionCommand::Centre);
  EXPECT_EQ(Sel(), (ScreenRect{30, 22, 40, 30}));
}

TEST_F(FramePresenterTest, AnOversizedSelectionIsMaximisedWhenAFormatIsApplied) {
  Show(1600, 1200, 400, 300, 16);
  p.grid.SelX = 80;
  p.grid.SelY = 0;
  p.grid.SelW = 50;
  p.grid.SelH = 37;
  p.ApplyFormat(square, true);
  EXPECT_EQ(Sel(), (ScreenRect{25, 0, 75, 75}));  // maximised on the 75 rows
  p.grid.SelW = 150;
  p.ApplyFormat(f10x15, true);
  EXPECT_EQ(Sel(), (ScreenRect{0, 0, 100, 67}));
}

TEST_F(FramePresenterTest, NothingIsFittedWhileNoPictureIsListed) {
  view.listed = false;
  p.ApplyFormat(square, true);
  EXPECT_EQ(formats.CurrentFormat.FormatID, square);
  EXPECT_EQ(view.chooserCaption, "   Quadrat   ");
  EXPECT_EQ(view.commandStateUpdates, 0);
}

TEST_F(FramePresenterTest, ChooserCaptionPadsToTwelveCharacters) {
  EXPECT_EQ(FramePresenter::ChooserCaption("10 x 15"), "   10 x 15   ");
  EXPECT_EQ(FramePresenter::ChooserCaption("123456789012"), "123456789012");
  EXPECT_EQ(FramePresenter::ChooserCaption("Größe"), "    Größe    ");
  EXPECT_EQ(FramePresenter::ChooserCaption(""), "            ");
}

TEST_F(FramePresenterTest, FitsThePictureIntoThePanel) {
  struct Case {
    int P, Q;
    ScreenRect view;
  };
  for (const Case& c : {Case{4000, 3000, {0, 0, 540, 405}}, Case{3000, 4000, {118, 0, 304, 405}},
                        Case{300, 200, {120, 102, 300, 200}}, Case{1000, 1000, {67, 0, 405, 405}},
                        Case{6000, 1000, {0, 157, 540, 90}}}) {
    Show(c.P, c.Q, 1, 1, 1);
    p.FitPictureIntoPanel(false);
    EXPECT_EQ(view.viewGeometry, c.view) << c.P << "x" << c.Q;
    EXPECT_EQ(p.grid.ViewWidth, c.view.width);
    EXPECT_EQ(p.grid.GridCols, c.P);
  }
}

TEST_F(FramePresenterTest, PanelResizeForcesARedrawAndRebuildsTheCopy) {
  Show(4000, 3000, 500, 375, 16);
  UseFormat(f10x15);
  p.grid.SelW = 100;
  p.grid.SelH = 67;
  view.panelWidth = 800;
  view.panelHeight = 600;
  p.imagePanelResize();
  EXPECT_EQ(view.viewGeometry, (ScreenRect{0, 0, 800, 600}));
  EXPECT_EQ(view.frame, (ScreenRect{0, 0, 320, 214}));
  EXPECT_EQ(view.rebuilds, 1);
  EXPECT_EQ(p.LastFrameRect, view.frame);
}

TEST_F(FramePresenterTest, DimmingStepsByFifteen) {
  p.MasterAlpha = 105;
  for (int i = 0; i < 7; ++i) p.Run(SelectionCommand::HideOutside);
  EXPECT_EQ(p.MasterAlpha, 0);
  EXPECT_FALSE(view.enabled[FrameCommand::HideOutside]);
  EXPECT_TRUE(view.enabled[FrameCommand::ShowOutside]);
  p.Run(SelectionCommand::HideOutside);
  EXPECT_EQ(p.MasterAlpha, 0);
  p.Run(SelectionCommand::ShowOutside);
  p.Run(SelectionCommand::ShowOutside);
  EXPECT_EQ(p.MasterAlpha, 30);
  EXPECT_FALSE(view.lastAlphaForced);
  p.Run(SelectionCommand::ShowWhole);
  EXPECT_EQ(p.MasterAlpha, 255);
  EXPECT_TRUE(view.lastAlphaForced);
  EXPECT_FALSE(view.enabled[FrameCommand::ShowOutside]);
  p.Run(SelectionCommand::CropOutside);
  EXPECT_EQ(p.MasterAlpha, 0);
}

TEST_F(FramePresenterTest, MasterAlphaIsKeptWithinRange) {
  EXPECT_EQ(p.MasterAlpha, 105);
  p.SetMasterAlpha(400);
  EXPECT_EQ(p.MasterAlpha, 255);
  p.SetMasterAlpha(-3);
  EXPECT_EQ(p.MasterAlpha, 0);
  p.SetMasterAlpha(100);
  for (int i = 0; i < 7; ++i) p.Run(SelectionCommand::HideOutside);
  EXPECT_EQ(p.MasterAlpha, 0);  // 100, 85, ..., 10, 0: off the step, still reaches 0
}

TEST_F(FramePresenterTest, TheRedEyeMarkerMovesInScreenPixels) {
  Show(1600, 1200, 400, 300, 16);
  UseFormat(f10x15);
  view.markerVisible = true;
  view.marker = {0, 0, 33, 33};
  const ScreenRect sel = Sel();
  p.Run(SelectionCommand::StepLeft);
  EXPECT_EQ(view.marker.left, 0);
  p.Run(SelectionCommand::StepRight);
  p.Run(SelectionCommand::StepDown);
  EXPECT_EQ(view.marker, (ScreenRect{1, 1, 33, 33}));
  p.Run(SelectionCommand::EdgeRight);
  p.Run(SelectionCommand::EdgeBottom);
  EXPECT_EQ(view.marker, (ScreenRect{367, 267, 33, 33}));
  p.Run(SelectionCommand::StepRight);
  EXPECT_EQ(view.marker.left, 367);
  p.Run(SelectionCommand::Grow);  // no room to the right or below
  EXPECT_EQ(view.marker.width, 33);
  p.Run(SelectionCommand::Centre);
  EXPECT_EQ(view.marker, (ScreenRect{183, 133, 33, 33}));
  for (int i = 0; i < 20; ++i) p.Run(SelectionCommand::Shrink);
  EXPECT_EQ(view.marker.width, 17);
  EXPECT_EQ(view.marker.height, 17);
  p.Run(SelectionCommand::Maximise);
  p.Run(SelectionCommand::Turn);
  EXPECT_EQ(view.marker.width, 17);
  EXPECT_EQ(Sel(), sel);
  EXPECT_GT(view.markerChanges, 0);
}

TEST_F(FramePresenterTest, ApplyingAFormatEndsRedEyeMarking) {
  Show(1600, 1200, 400, 300, 16);
  view.markerVisible = true;
  p.ApplyFormat(f10x15, true);
  EXPECT_EQ(view.endedRedEye, 1);
}

TEST_F(FramePresenterTest, TheFirstShowingTurnsTheSelectionToThePicture) {
  Show(1200, 1800, 300, 450, 16);
  p.grid.SelW = 50;
  p.grid.SelH = 37;
  p.TurnSelectionToPicture();
  EXPECT_EQ(p.grid.SelW, 37);
  EXPECT_EQ(p.grid.SelH, 50);
  Show(1000, 1000, 300, 300, 16);
  p.TurnSelectionToPicture();
  EXPECT_EQ(p.grid.SelW, 37);
  p.grid.BlockSize = 1;
  p.ResetSelection();
  EXPECT_EQ(Sel(), (ScreenRect{0, 0, 800, 592}));
}

// The lossless decision and the file-type menu.

TEST_F(FramePresenterTest, ChoosingTifMovesALosslessPictureToPixels) {
  Show(1600, 1200, 400, 300, 16);
  p.grid.SelX = 3;
  p.grid.SelY = 2;
  p.grid.SelW = 30;
  p.grid.SelH = 20;
  p.ApplyFormat(f10x15, true);
  ASSERT_TRUE(p.ChooseTypeOfShownPicture(TypeMenu()[2]));
  EXPECT_EQ(p.grid.BlockSize, 1);
  EXPECT_EQ(Sel(), (ScreenRect{48, 32, 480, 320}));
  EXPECT_EQ(records[0].fileType, "TIF");
  EXPECT_EQ(records[0].blockSize, 1);
  EXPECT_EQ(records[0].width, 480);
  // Lossy JPEG keeps the pixel grid, and the model makes the button red.
  ASSERT_TRUE(p.ChooseTypeOfShownPicture(TypeMenu()[1]));
  EXPECT_EQ(records[0].fileType, "JPG");
  EXPECT_EQ(view.typeButtons[0].caption, "JPG");
  EXPECT_TRUE(view.typeButtons[0].red);
  // Back to lossless: div 16.
  p.grid.SelX = 47;
  ASSERT_TRUE(p.ChooseTypeOfShownPicture(TypeMenu()[0]));
  EXPECT_EQ(p.grid.BlockSize, 16);
  EXPECT_EQ(Sel(), (ScreenRect{2, 2, 30, 20}));
  EXPECT_FALSE(view.typeButtons[0].red);
}

TEST_F(FramePresenterTest, ATifPictureDoesNotReturnToTheBlockGrid) {
  Show(1600, 1200, 400, 300, 16);
  p.ApplyFormat(f10x15, true);
  ASSERT_TRUE(p.ChooseTypeOfShownPicture(TypeMenu()[2]));
  p.ApplyFormat(f10x15, true);
  EXPECT_EQ(p.grid.BlockSize, 1);
  p.LosslessCheck();
  EXPECT_EQ(p.grid.BlockSize, 1);
}

TEST_F(FramePresenterTest, ACorrectedPictureCannotBeSwitchedToLosslessJpeg) {
  // The defect: red eyes and the correction applied, then "JPG (verlustfrei)" from the menu.
  Show(1600, 1200, 400, 300, 16);
  p.ApplyFormat(f10x15, true);
  for (Correction c : {Correction::RedEye, Correction::AutoCorrection, Correction::Enlargement}) {
    view.corrections.clear();
    p.LosslessCheck();
    ASSERT_EQ(p.grid.BlockSize, 16);
    view.corrections[c] = true;
    p.LosslessLost();
    ASSERT_EQ(p.grid.BlockSize, 1);
    EXPECT_FALSE(p.ChooseTypeOfShownPicture(TypeMenu()[0]));
    EXPECT_EQ(p.grid.BlockSize, 1);
    EXPECT_EQ(records[0].blockSize, 1);
    // Applying a format again keeps it off the grid too.
    p.ApplyFormat(f10x15, true);
    EXPECT_EQ(records[0].blockSize, 1);
    EXPECT_FALSE(view.enabled[FrameCommand::LosslessJpeg]);
  }
}

TEST_F(FramePresenterTest, TheTypeButtonColourComesFromTheRecordNotFromTheButton) {
  Show(1600, 1200, 400, 300, 16);
  // The real buttons carry an arrow after the type word; the presenter never reads them.
  view.typeButtons = {{"JPG \u25BE", false}, {"JPG \u25BE", false}, {"JPG \u25BE", false}};
  p.ApplyFormat(f10x15, true);
  view.corrections[Correction::AutoCorrection] = true;
  p.LosslessLost();
  EXPECT_EQ(view.typeButtons[0].caption, "JPG");
  EXPECT_TRUE(view.typeButtons[0].red);
  // A TIF picture on the pixel grid is not lossy JPEG: its button is not coloured.
  records[0].fileType = "TIF";
  view.typeButtons[0] = {"TIF", false};
  p.RefreshTypeButtons(true);
  EXPECT_EQ(view.typeButtons[0].caption, "TIF");
  EXPECT_FALSE(view.typeButtons[0].red);
}

TEST_F(FramePresenterTest, LosslessLostAndCheckRoundTrip) {
  Show(1600, 1200, 400, 300, 16);
  p.grid.SelX = 3;
  p.grid.SelW = 30;
  p.grid.SelH = 20;
  p.ApplyFormat(f10x15, true);
  ASSERT_EQ(p.grid.BlockSize, 16);
  view.corrections[Correction::AutoCorrection] = true;
  p.LosslessLost();
  EXPECT_EQ(p.grid.BlockSize, 1);
  EXPECT_EQ(Sel(), (ScreenRect{48, 0, 480, 320}));
  EXPECT_FALSE(view.enabled[FrameCommand::LosslessJpeg]);
  EXPECT_TRUE(view.typeButtons[0].red);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].text,
            "Nach der Anwendung von Bildkorrekturen/-erweiterungen kann ein Bild nicht mehr "
            "verlustfrei als JPEG gespeichert werden.");
  EXPECT_EQ(view.messages[0].key, "ShowLossySavingInfo2");
  EXPECT_EQ(view.messages[0].width, 320);
  EXPECT_EQ(view.messages[0].height, 170);
  EXPECT_EQ(records[0].blockSize, 1);
  p.LosslessLost();  // already lost: nothing more
  EXPECT_EQ(view.messages.size(), 1u);
  view.corrections[Correction::AutoCorrection] = false;
  p.LosslessCheck();
  EXPECT_EQ(p.grid.BlockSize, 16);
  EXPECT_EQ(Sel(), (ScreenRect{3, 0, 30, 20}));
  EXPECT_TRUE(view.enabled[FrameCommand::LosslessJpeg]);
  EXPECT_FALSE(view.typeButtons[0].red);
  EXPECT_EQ(records[0].blockSize, 16);
}

TEST_F(FramePresenterTest, LosslessCheckKeepsPixelsWhenLossyIsPreferred) {
  Show(1600, 1200, 400, 300, 1);
  p.fileTypes = FileTypeDefaults::FromSettings(1, 0);
  p.ApplyFormat(f10x15, true);
  p.LosslessCheck();
  EXPECT_EQ(p.grid.BlockSize, 1);
  EXPECT_TRUE(view.enabled[FrameCommand::LosslessJpeg]);
}

TEST_F(FramePresenterTest, DefaultFileTypeFallsBackForFormatsOffTheGrid) {
  formats.LoadDefaultFormat(f10x15);
  EXPECT_EQ(p.DefaultFileType(), (FileTypeChoice{"JPG", false}));
  const std::int32_t off = AddFixedFormat(formats, "1000 x 1500", 1000, 1500);
  formats.LoadDefaultFormat(off);
  EXPECT_EQ(p.DefaultFileType(), (FileTypeChoice{"TIF", false}));
  formats.LoadDefaultFormat(fixedOn);
  EXPECT_EQ(p.DefaultFileType(), (FileTypeChoice{"JPG", false}));
  view.corrections[Correction::RedEye] = true;
  EXPECT_EQ(p.DefaultFileType(), (FileTypeChoice{"TIF", false}));
  p.fileTypes = FileTypeDefaults::FromSettings(0, 0);
  EXPECT_EQ(p.DefaultFileType(), (FileTypeChoice{"JPG", true}));
}

TEST_F(FramePresenterTest, RefreshTypeButtonsRetypesOnlyBuiltPicturesNeverShown) {
  Show(1600, 1200, 400, 300, 16);
  p.ApplyFormat(f10x15, true);  // record 0 now has a FormatID
  const std::int32_t off = AddFixedFormat(formats, "1000 x 1500", 1000, 1500);
  formats.LoadDefaultFormat(off);
  view.typeButtons.pop_back();  // entry 2 is not built yet
  p.RefreshTypeButtons(false);
  EXPECT_EQ(view.typeButtons[0].caption, "JPG");
  EXPECT_EQ(view.typeButtons[1].caption, "TIF");
  EXPECT_EQ(records[1].fileType, "TIF");
  EXPECT_EQ(records[1].blockSize, 1);
  EXPECT_EQ(records[2].fileType, "JPG");
  EXPECT_FALSE(records[2].blockSize.has_value());
  formats.LoadDefaultFormat(f10x15);
  p.RefreshTypeButtons(false);
  EXPECT_EQ(view.typeButtons[1].caption, "JPG");
  EXPECT_FALSE(view.typeButtons[1].red);
  EXPECT_EQ(records[1].blockSize, 16);
}

TEST_F(FramePresenterTest, SavedSettingsRetypeEveryRecordNeverShownAlsoWithoutItsStripEntry) {
  Show(1600, 1200, 400, 300, 16);
  p.ApplyFormat(f10x15, true);  // record 0 now has a FormatID
  const CuttingRecord shown = records[0];
  p.fileTypes = p.fileTypes.WithSettings(3, 2);  // BMP
  view.typeButtons.pop_back();                   // entry 2 is not built yet
  p.GiveRecordsNotShownTheDefaultType();
  EXPECT_EQ(records[0], shown);
  for (std::size_t i = 1; i < 3; ++i) {
    EXPECT_EQ(records[i].fileType, "BMP") << i;
    EXPECT_EQ(records[i].blockSize, 1) << i;
  }
}

}  // namespace
}  // namespace trimora
