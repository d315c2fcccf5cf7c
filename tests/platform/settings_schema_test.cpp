// Every setting declared once: its name, kind and default as the settings store keeps them, read
// from an empty store and written back through the typed accessors.
#include "platform/settings_schema.h"

#include <gtest/gtest.h>

#include <variant>
#include <vector>

#include "platform/settings.h"
#include "temp_folder.h"

namespace trimora {
namespace {

using testing::TempFolder;

class SettingsSchemaTest : public ::testing::Test {
 protected:
  void SetUp() override { SetSettingsHomeForTesting(home_.path()); }
  void TearDown() override { SetSettingsHomeForTesting(""); }
  TempFolder home_;
};

// One declared setting: its declaration and the name and default it must have.
struct Declared {
  std::variant<const StringSetting*, const IntSetting*, const BoolSetting*> setting;
  std::string_view name;
  std::variant<std::string_view, int, bool, std::monostate> fallback;  // monostate: the caller's
};

std::vector<Declared> AllSettings() {
  using namespace setting;
  return {
      {&kSourceDir, "SourceDir", std::string_view("")},
      {&kDestDir, "DestDir", std::string_view("")},
      {&kFormatId, "FormatID", 1},
      {&kMarkPictureForSavingOnClick, "MarkPictureForSavingOnClick", true},
      {&kFileFormat1, "FileFormat1", 0},
      {&kFileFormat2, "FileFormat2", 1},
      {&kShowLossySavingInfo, "ShowLossySavingInfo", true},
      {&kShowLossySavingInfo2, "ShowLossySavingInfo2", true},
      {&kAskOnDelete, "AskOnDelete", true},
      {&kShowRedEyeMessage, "ShowRedEyeMessage", true},
      {&kShowHints, "ShowHints", true},
      {&kEnlargeLeft, "Enlarge\\Left", true},
      {&kEnlargeRight, "Enlarge\\Right", true},
      {&kEnlargeColor, "Enlarge\\Color", 0},
      {&kMainWindowPlace.height, "Height", -9999},
      {&kMainWindowPlace.width, "Width", 800},
      {&kMainWindowPlace.left, "Left", -9999},
      {&kMainWindowPlace.top, "Top", -9999},
      {&kMaximized, "Maximized", false},
      {&kExifWindowPlace.height, "EXIF\\Height", 325},
      {&kExifWindowPlace.width, "EXIF\\Width", 445},
      {&kExifWindowPlace.left, "EXIF\\Left", std::monostate{}},
      {&kExifWindowPlace.top, "EXIF\\Top", std::monostate{}},
      {&kExifVisible, "EXIF\\Visible", false},
      {&kZoomLevel, "ZoomLevel", 50},
      {&kZoomActive, "ZoomActive", true},
      {&kMasterAlpha, "MasterAlpha", 105},
      {&kToolBarOrder, "ToolBar\\Order", std::string_view("12345")},
      {&kToolBarFiles, "ToolBar\\Files", true},
      {&kToolBarTouchUp, "ToolBar\\TouchUp", true},
      {&kToolBarRotate, "ToolBar\\Rotate", true},
      {&kToolBarFormat, "ToolBar\\Format", true},
      {&kToolBarNavigation, "ToolBar\\Navigation", false},
      {&kStandardSkin, "StandardSkin", false},
      {&kThumbs, "Thumbs", true},
      {&kHelpWindowPlace.height, "Help\\Height", 310},
      {&kHelpWindowPlace.width, "Help\\Width", 445},
      {&kHelpWindowPlace.left, "Help\\Left", std::monostate{}},
      {&kHelpWindowPlace.top, "Help\\Top", std::monostate{}},
  };
}

TEST_F(SettingsSchemaTest, EverySettingHasItsNameKindAndDefault) {
  for (const Declared& d : AllSettings()) {
    SCOPED_TRACE(std::string(d.name));
    if (const auto* s = std::get_if<const StringSetting*>(&d.setting)) {
      EXPECT_EQ((*s)->name, d.name);
      EXPECT_EQ(Read(**s), std::get<std::string_view>(d.fallback));
    } else if (const auto* i = std::get_if<const IntSetting*>(&d.setting)) {
      EXPECT_EQ((*i)->name, d.name);
      if (std::holds_alternative<int>(d.fallback)) {
        EXPECT_EQ(Read(**i), std::get<int>(d.fallback));
      } else {
        EXPECT_FALSE((*i)->fallback.has_value());
        EXPECT_EQ(Read(**i, 77), 77) << "the caller's default";
      }
    } else {
      const BoolSetting& b = *std::get<const BoolSetting*>(d.setting);
      EXPECT_EQ(b.name, d.name);
      EXPECT_EQ(Read(b), std::get<bool>(d.fallback));
    }
  }
}

TEST_F(SettingsSchemaTest, TypedValuesGoToTheStoreUnderTheirNames) {
  Write(setting::kDestDir, "/ziel");
  Write(setting::kExifWindowPlace.left, 12);
  Write(setting::kToolBarNavigation, true);
  EXPECT_EQ(ReadStringSetting("DestDir", "x"), "/ziel");
  EXPECT_EQ(ReadIntSetting("EXIF\\Left", 0), 12);
  EXPECT_EQ(ReadBoolSetting("ToolBar\\Navigation", false), true);
  EXPECT_EQ(Read(setting::kExifWindowPlace.left, 77), 12);
  // A switch stored as 2 reads as false; an empty text reads as the default.
  WriteIntSetting("Thumbs", 2);
  EXPECT_FALSE(Read(setting::kThumbs));
  WriteStringSetting("ToolBar\\Order", "");
  EXPECT_EQ(Read(setting::kToolBarOrder), "12345");
  // The access handed to presenters reads and writes the same store.
  SettingsAccess& access = StoredSettings();
  Write(setting::kAskOnDelete, false);
  EXPECT_FALSE(access.Get(setting::kAskOnDelete));
  access.Set(setting::kDestDir, "/anders");
  EXPECT_EQ(Read(setting::kDestDir), "/anders");
}

}  // namespace
}  // namespace trimora
