// Every setting of both programs, declared once: its name in the settings store, its kind and
// its default. The rest of the program reads and writes settings only through these
// declarations; presenters and workers get the values (or a SettingsAccess for the few that a
// message box may change while they run), never the store.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace trimora {

// A text setting. A missing or empty value reads as the default.
struct StringSetting {
  std::string_view name;
  std::string_view fallback;
};

// A number setting. A missing value, or one that is no number, reads as the default; settings
// whose default depends on the screen have none and are read with the caller's.
struct IntSetting {
  std::string_view name;
  std::optional<int> fallback;
};

// A switch, stored as a number: true only when it is exactly 1.
struct BoolSetting {
  std::string_view name;
  bool fallback;
};

// A window's place: four numbers with a common prefix.
struct WindowPlaceSettings {
  IntSetting left, top, width, height;
};

namespace setting {

// Folders.
inline constexpr StringSetting kSourceDir{"SourceDir", ""};  // then the documents folder
inline constexpr StringSetting kDestDir{"DestDir", ""};      // then the documents folder

// Output formats and types.
inline constexpr IntSetting kFormatId{"FormatID", 1};
inline constexpr IntSetting kFileFormat1{"FileFormat1", 0};
// The main window takes 1 (TIFF) when it is missing; the settings dialog pre-selects entry 0.
inline constexpr IntSetting kFileFormat2{"FileFormat2", 1};

// Behaviour and notes; the four notes are also the keys of their message boxes' "nicht mehr
// anzeigen" check box.
inline constexpr BoolSetting kMarkPictureForSavingOnClick{"MarkPictureForSavingOnClick", true};
inline constexpr BoolSetting kShowLossySavingInfo{"ShowLossySavingInfo", true};
inline constexpr BoolSetting kShowLossySavingInfo2{"ShowLossySavingInfo2", true};
inline constexpr BoolSetting kAskOnDelete{"AskOnDelete", true};
inline constexpr BoolSetting kShowRedEyeMessage{"ShowRedEyeMessage", true};
// The question whether the pictures of a folder that the camera marked as turned are to be
// brought upright; switched off, such pictures are left as they are.
inline constexpr BoolSetting kAskToTurnUpright{"AskToTurnUpright", true};
// The question before an original whose size is off its block grid is turned by encoding it
// anew; switched off, it is turned without asking.
inline constexpr BoolSetting kAskBeforeRecodedTurn{"AskBeforeRecodedTurn", true};
inline constexpr BoolSetting kShowHints{"ShowHints", true};

// Side stripes.
inline constexpr BoolSetting kEnlargeLeft{"Enlarge\\Left", true};
inline constexpr BoolSetting kEnlargeRight{"Enlarge\\Right", true};
inline constexpr IntSetting kEnlargeColor{"Enlarge\\Color", 0};

// The main window; -9999 in Height, Left and Top means "never saved".
inline constexpr int kNeverSaved = -9999;
inline constexpr WindowPlaceSettings kMainWindowPlace{
    {"Left", kNeverSaved}, {"Top", kNeverSaved}, {"Width", 800}, {"Height", kNeverSaved}};
inline constexpr BoolSetting kMaximized{"Maximized", false};

// The EXIF/IPTC window; its default place is centred on the screen.
inline constexpr WindowPlaceSettings kExifWindowPlace{{"EXIF\\Left", std::nullopt},
                                                      {"EXIF\\Top", std::nullopt},
                                                      {"EXIF\\Width", 445},
                                                      {"EXIF\\Height", 325}};
inline constexpr BoolSetting kExifVisible{"EXIF\\Visible", false};

// The magnifier and the dimming outside the selection.
inline constexpr IntSetting kZoomLevel{"ZoomLevel", 50};
inline constexpr BoolSetting kZoomActive{"ZoomActive", true};
inline constexpr IntSetting kMasterAlpha{"MasterAlpha", 105};

// The tool bars.
inline constexpr StringSetting kToolBarOrder{"ToolBar\\Order", "12345"};
inline constexpr BoolSetting kToolBarFiles{"ToolBar\\Files", true};
inline constexpr BoolSetting kToolBarTouchUp{"ToolBar\\TouchUp", true};
inline constexpr BoolSetting kToolBarRotate{"ToolBar\\Rotate", true};
inline constexpr BoolSetting kToolBarFormat{"ToolBar\\Format", true};
inline constexpr BoolSetting kToolBarNavigation{"ToolBar\\Navigation", false};

// Skin and strip.
inline constexpr BoolSetting kStandardSkin{"StandardSkin", false};
inline constexpr BoolSetting kThumbs{"Thumbs", true};

// The quick-start guide's window; its default place is centred on the screen.
inline constexpr WindowPlaceSettings kHelpWindowPlace{{"Help\\Left", std::nullopt},
                                                      {"Help\\Top", std::nullopt},
                                                      {"Help\\Width", 445},
                                                      {"Help\\Height", 310}};

}  // namespace setting

// Typed access to the settings store: each call opens the store anew, as its reads and writes
// do. A setting without a default of its own is read with the caller's (`fallback`).
std::string Read(const StringSetting& setting);
int Read(const IntSetting& setting);
int Read(const IntSetting& setting, int fallback);
bool Read(const BoolSetting& setting);
void Write(const StringSetting& setting, std::string_view value);
void Write(const IntSetting& setting, int value);
void Write(const BoolSetting& setting, bool value);

// What a presenter or the crop-and-save run asks of the settings while it runs: the notes that a
// message box may switch off meanwhile, and the last destination folder.
class SettingsAccess {
 public:
  virtual ~SettingsAccess() = default;
  virtual bool Get(const BoolSetting& setting) const = 0;
  virtual std::string Get(const StringSetting& setting) const = 0;
  virtual void Set(const StringSetting& setting, std::string_view value) = 0;
};

// The settings store as a SettingsAccess.
SettingsAccess& StoredSettings();

}  // namespace trimora
