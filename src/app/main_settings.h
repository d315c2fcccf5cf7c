// The settings the main window reads when it is built and writes when it closes (besides those
// of the folder and the frame presenter), as values.
#pragma once

#include <array>
#include <optional>

#include "app/main_view.h"
#include "app/options_presenter.h"
#include "ui/band_layout.h"

namespace trimora {

// The main window's own settings.
struct MainWindowSettings {
  std::optional<int> height;  // Height; nothing when it was never saved (the first run)
  int width = 800;            // Width
  std::optional<int> left;    // Left; nothing: the window keeps its place
  std::optional<int> top;     // Top
  bool maximized = false;     // Maximized
  int zoomLevel = 50;         // ZoomLevel
  bool zoomActive = true;     // ZoomActive (the magnifier is not paused)
  ui::BandOrder bandOrder = ui::kDesignedBandOrder;  // ToolBar\Order
  std::array<bool, 5> bandsShown = {};  // band n shown: the visibility setting of its tool bar
  WindowRect exifPlace;                 // EXIF\Left, Top, Width, Height, fitted into the desktop
  bool exifVisible = false;             // EXIF\Visible
  bool showHints = true;                // ShowHints
};

// Reads the settings; `desktop` gives the EXIF window's centred default place.
MainWindowSettings LoadMainWindowSettings(const WindowRect& desktop);
// Writes them back (ShowHints is the settings dialog's and is not written here). The skin is
// always Fashion for now: StandardSkin is written false.
void SaveMainWindowSettings(const MainWindowSettings& settings);

// The smallest sizes of the main window and of the EXIF/IPTC window.
inline constexpr int kMainMinimumWidth = 800;
inline constexpr int kMainMinimumHeight = 600;
inline constexpr int kExifMinimumWidth = 210;
inline constexpr int kExifMinimumHeight = 80;

// Where the window opens.
struct StartPlacement {
  WindowRect rect;
  bool maximized = false;
  bool firstRun = false;  // no height was ever saved
};

// The place of the window at start: 800 x 600 centred on `desktop` on the first run; else the
// saved size at the saved position (a position beyond 1024 x 768 gives 1, 1), fitted into
// `desktop` and no smaller than the smallest size, maximised when it was.
StartPlacement PlaceAtStart(const MainWindowSettings& settings, const WindowRect& desktop);

// The values of the settings dialog from the settings store, with the dialog's defaults
// (FileFormat2: entry 0).
OptionsValues ReadOptionsValues();
// Writes them; a list with nothing chosen leaves its setting as it was.
void WriteOptionsValues(const OptionsValues& values);

}  // namespace trimora
