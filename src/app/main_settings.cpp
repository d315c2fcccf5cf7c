#include "app/main_settings.h"

#include <string>

#include "platform/settings.h"

namespace trimora {

namespace {

// The value that stands for "never saved" in Height, Left and Top.
constexpr int kNotSaved = -9999;

std::optional<int> Saved(const char* name) {
  const int value = ReadIntSetting(name, kNotSaved);
  if (value == kNotSaved) return std::nullopt;
  return value;
}

}  // namespace

MainWindowSettings LoadMainWindowSettings(const WindowRect& desktop) {
  MainWindowSettings s;
  s.height = Saved("Height");
  if (s.height) {
    s.width = ReadIntSetting("Width", 800);
    s.left = Saved("Left");
    s.top = Saved("Top");
    s.maximized = ReadBoolSetting("Maximized", false);
  }
  s.zoomLevel = ReadIntSetting("ZoomLevel", 50);
  s.zoomActive = ReadBoolSetting("ZoomActive", true);
  s.bandOrder = ui::ParseBandOrder(ReadStringSetting("ToolBar\\Order", "12345"));
  for (const ToolBarRow& bar : ToolBarTable()) {
    if (bar.band > 0) {
      s.bandsShown[static_cast<std::size_t>(bar.band - 1)] =
          ReadBoolSetting(bar.setting, bar.shownByDefault);
    }
  }
  const int exifWidth = ReadIntSetting("EXIF\\Width", 445);
  const int exifHeight = ReadIntSetting("EXIF\\Height", 325);
  s.exifPlace = {ReadIntSetting("EXIF\\Left", (desktop.width - exifWidth) / 2),
                 ReadIntSetting("EXIF\\Top", (desktop.height - exifHeight) / 2), exifWidth,
                 exifHeight};
  s.exifVisible = ReadBoolSetting("EXIF\\Visible", false);
  s.showHints = ReadBoolSetting("ShowHints", true);
  return s;
}

void SaveMainWindowSettings(const MainWindowSettings& s) {
  WriteIntSetting("Left", s.left.value_or(0));
  WriteIntSetting("Top", s.top.value_or(0));
  WriteIntSetting("Width", s.width);
  WriteIntSetting("Height", s.height.value_or(600));
  WriteIntSetting("EXIF\\Left", s.exifPlace.left);
  WriteIntSetting("EXIF\\Top", s.exifPlace.top);
  WriteIntSetting("EXIF\\Width", s.exifPlace.width);
  WriteIntSetting("EXIF\\Height", s.exifPlace.height);
  WriteBoolSetting("EXIF\\Visible", s.exifVisible);
  WriteBoolSetting("Maximized", s.maximized);
  WriteIntSetting("ZoomLevel", s.zoomLevel);
  WriteBoolSetting("ZoomActive", s.zoomActive);
  for (const ToolBarRow& bar : ToolBarTable()) {
    if (bar.band > 0) {
      WriteBoolSetting(bar.setting, s.bandsShown[static_cast<std::size_t>(bar.band - 1)]);
    }
  }
  WriteStringSetting("ToolBar\\Order", ui::BandOrderText(s.bandOrder));
  WriteBoolSetting("StandardSkin", false);
}

StartPlacement PlaceAtStart(const MainWindowSettings& s, const WindowRect& desktop) {
  StartPlacement place;
  if (!s.height) {
    place.rect = {desktop.left + (desktop.width - 800) / 2,
                  desktop.top + (desktop.height - 600) / 2, 800, 600};
    place.firstRun = true;
    return place;
  }
  place.rect = {s.left.value_or(0), s.top.value_or(0), s.width, *s.height};
  if (place.rect.left > 1024 || place.rect.top > 768) {
    place.rect.left = 1;
    place.rect.top = 1;
  }
  place.maximized = s.maximized;
  return place;
}

}  // namespace trimora
