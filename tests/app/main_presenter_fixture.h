// The main presenter without a display, as its tests start it: the real folder and frame
// presenters, the real file-list thread, real JPEGs in temporary folders, real format files and
// the real settings store under a temporary configuration home; the window and the programs
// beside it are recording fakes.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "../frame/fake_frame_view.h"
#include "../platform/temp_folder.h"
#include "app/main_presenter.h"
#include "fake_main_view.h"

namespace trimora::testing {

class MainPresenterFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_CONFIG_HOME", config_.path().c_str(), 1);
    FormatTables tables;
    AddFormats(tables);
    ASSERT_TRUE(tables.SaveFormatTables(Folders()).empty());
    frame_.frameVisible = false;  // hidden when the window is made
  }

  // The format tables of the test: "10 x 15" (1800 x 1200) and the fixed "1024 x 700".
  virtual void AddFormats(FormatTables& tables) {
    AddScalableFormat(tables, "10 x 15", 1800, 1200, 900, 600);
    fixedFormat_ = AddFixedFormat(tables, "1024 x 700", 1024, 700);
  }

  // The format files' folder, as a build folder has it: read and written in one place.
  FormatFileFolders Folders() const { return {formats_.path() + "/", formats_.path() + "/"}; }

  std::unique_ptr<MainPresenter> Start() {
    auto presenter =
        std::make_unique<MainPresenter>(view_, frame_, programs_, Folders(), kDesktop, nullptr);
    presenter->FinishStart();
    return presenter;
  }
  void AddPicture(const std::string& name, const std::string& sample = "plain-landscape.jpg") {
    std::filesystem::copy_file(kPhotos + sample, pictures_ / name);
    // Copied from the read-only sample folder; a picture from a camera can be written.
    std::filesystem::permissions(pictures_ / name, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
  }
  static void OpenAndWait(MainPresenter& p, const std::string& folder) {
    p.Folder().OpenFolder(folder);
    p.Folder().WaitForStrip();
  }
  static KeyPress K(Key key, bool ctrl = false, bool alt = false) { return {key, ctrl, alt}; }

  inline static const std::string kPhotos = std::string(TRIMORA_TESTDATA_DIR) + "/photos/";
  inline static const WindowRect kDesktop{0, 0, 1600, 1200};

  TempFolder config_;
  TempFolder formats_;
  TempFolder pictures_;
  std::int32_t fixedFormat_ = 0;
  FakeMainView view_;
  FakeFrameView frame_;
  FakePrograms programs_;
};

}  // namespace trimora::testing
