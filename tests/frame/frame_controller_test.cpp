// The frame presenter behind the folder presenter: a real folder of JPEGs is opened and shown,
// and the record of each picture holds the selection the frame presenter fitted.
#include "frame/frame_controller_adapter.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "../folder_presenter/fake_view.h"
#include "fake_frame_view.h"
#include "folder/folder_presenter.h"
#include "platform/settings.h"

namespace trimora {
namespace {

namespace fs = std::filesystem;

class FrameControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("trimora-frame-ctl-" + std::to_string(::getpid()));
    fs::create_directories(root_ / "config");
    fs::create_directories(root_ / "pictures");
    setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    SetSettingsHomeForTesting((root_ / "config").string());
    const std::string photos = std::string(TRIMORA_TESTDATA_DIR) + "/photos/";
    fs::copy_file(photos + "plain-landscape.jpg", root_ / "pictures" / "a.jpg");
    fs::copy_file(photos + "plain-portrait.jpg", root_ / "pictures" / "b.jpg");
    testing::AddScalableFormat(formats_, "10 x 15", 1800, 1200, 900, 600);
    formats_.LoadDefaultFormat(1);
    folder_.ApplySettings(LoadFolderSettings());
    folder_.SetFrameController(&controller_);
    frameView_.panelWidth = 540;
    frameView_.panelHeight = 405;
    frameView_.frameVisible = false;  // hidden when the main window is made
  }
  // The strip position of the picture file `name`.
  int Position(const std::string& name) {
    for (int p = 0; p < folder_.ThumbnailCount(); ++p)
      if (folder_.EntryCaption(p) == name) return p;
    return -1;
  }
  void TearDown() override {
    folder_.Close();
    SetSettingsHomeForTesting("");
    fs::remove_all(root_);
  }

  fs::path root_;
  FormatTables formats_;
  testing::FakeView mainView_;
  testing::FakeHost host_;
  FolderPresenter folder_{mainView_, host_, formats_, {}};
  testing::FakeFrameView frameView_;
  FramePresenter frame_{frameView_, formats_, folder_.CuttingDataTable()};
  PresenterFrameController controller_{frame_, frameView_, folder_.CuttingDataTable()};
};

TEST_F(FrameControllerTest, ShowingPicturesFitsTheFormatOnTheBlockGrid) {
  folder_.OpenFolder((root_ / "pictures").string());
  folder_.WaitForStrip();
  folder_.RunHandOvers();
  const int a = Position("a.jpg"), b = Position("b.jpg");
  ASSERT_GE(a, 0);
  ASSERT_GE(b, 0);
  folder_.ShowPicture(a, false);
  Table& table = folder_.CuttingDataTable();
  table.LocateRecord(a);
  // 600 x 450 in a 540 x 405 panel: 540 x 405, 38 x 29 blocks with partial last ones.
  EXPECT_EQ(frameView_.viewGeometry, (ScreenRect{0, 0, 540, 405}));
  EXPECT_EQ(table.ReadInteger("jpegCompressionBlockSize"), 16);
  EXPECT_EQ(table.ReadInteger("FormatID"), 1);
  const int w = table.ReadInteger("Width").value_or(0);
  const int h = table.ReadInteger("Height").value_or(0);
  EXPECT_GT(w, h);
  EXPECT_LE(w, frame_.grid.GridCols);
  EXPECT_EQ(frameView_.frame, frame_.grid.ScreenFrame());
  // The portrait picture gets a portrait selection.
  folder_.ShowPicture(b, false);
  table.LocateRecord(b);
  EXPECT_LT(table.ReadInteger("Width").value_or(0), table.ReadInteger("Height").value_or(0));
  // Showing the first one again restores its stored selection.
  frame_.Run(SelectionCommand::Minimise);
  table.LocateRecord(b);
  const int minimisedW = table.ReadInteger("Width").value_or(0);
  EXPECT_EQ(minimisedW, 5);
  folder_.ShowPicture(a, false);
  folder_.ShowPicture(b, false);
  table.LocateRecord(b);
  EXPECT_EQ(table.ReadInteger("Width").value_or(0), minimisedW);
  EXPECT_EQ(frame_.grid.SelW, minimisedW);
}

}  // namespace
}  // namespace trimora
