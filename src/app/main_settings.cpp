#include "app/main_settings.h"

#include <string>

#include "platform/settings_schema.h"

namespace trimora {

namespace {

std::optional<int> Saved(const IntSetting& setting) {
  const int value = Read(setting);
  if (value == setting::kNeverSaved) return std::nullopt;
  return value;
}

}  // namespace

MainWindowSettings LoadMainWindowSettings(const WindowRect& desktop) {
  MainWindowSettings s;
  const WindowPlaceSettings& main = setting::kMainWindowPlace;
  s.height = Saved(main.height);
  if (s.height) {
    s.width = Read(main.width);
    s.left = Saved(main.left);
    s.top = Saved(main.top);
    s.maximized = Read(setting::kMaximized);
  }
  s.zoomLevel = Read(setting::kZoomLevel);
  s.zoomActive = Read(setting::kZoomActive);
  s.bandOrder = ui::ParseBandOrder(Read(setting::kToolBarOrder));
  for (const ToolBarRow& bar : ToolBarTable()) {
    if (bar.band > 0) s.bandsShown[static_cast<std::size_t>(bar.band - 1)] = Read(*bar.setting);
  }
  const WindowPlaceSettings& exif = setting::kExifWindowPlace;
  const int exifWidth = Read(exif.width);
  const int exifHeight = Read(exif.height);
  s.exifPlace =
      FitIntoArea({Read(exif.left, (desktop.width - exifWidth) / 2),
                   Read(exif.top, (desktop.height - exifHeight) / 2), exifWidth, exifHeight},
                  desktop, kExifMinimumWidth, kExifMinimumHeight);
  s.exifVisible = Read(setting::kExifVisible);
  s.showHints = Read(setting::kShowHints);
  return s;
}

void SaveMainWindowSettings(const MainWindowSettings& s) {
  const WindowPlaceSettings& main = setting::kMainWindowPlace;
  Write(main.left, s.left.value_or(0));
  Write(main.top, s.top.value_or(0));
  Write(main.width, s.width);
  Write(main.height, s.height.value_or(600));
  const WindowPlaceSettings& exif = setting::kExifWindowPlace;
  Write(exif.left, s.exifPlace.left);
  Write(exif.top, s.exifPlace.top);
  Write(exif.width, s.exifPlace.width);
  Write(exif.height, s.exifPlace.height);
  Write(setting::kExifVisible, s.exifVisible);
  Write(setting::kMaximized, s.maximized);
  Write(setting::kZoomLevel, s.zoomLevel);
  Write(setting::kZoomActive, s.zoomActive);
  for (const ToolBarRow& bar : ToolBarTable()) {
    if (bar.band > 0) Write(*bar.setting, s.bandsShown[static_cast<std::size_t>(bar.band - 1)]);
  }
  Write(setting::kToolBarOrder, ui::BandOrderText(s.bandOrder));
  Write(setting::kStandardSkin, false);
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
  // Stored numbers may be anything: the window stays on the screen and usable.
  place.rect = FitIntoArea(place.rect, desktop, kMainMinimumWidth, kMainMinimumHeight);
  place.maximized = s.maximized;
  return place;
}

OptionsValues ReadOptionsValues() {
  OptionsValues v;
  v.fileFormat1 = Read(setting::kFileFormat1);
  v.fileFormat2 = Read(setting::kFileFormat2, 0);
  v.enlargeLeft = Read(setting::kEnlargeLeft);
  v.enlargeRight = Read(setting::kEnlargeRight);
  v.enlargeColor = Read(setting::kEnlargeColor);
  v.showLossySavingInfo = Read(setting::kShowLossySavingInfo);
  v.showLossySavingInfo2 = Read(setting::kShowLossySavingInfo2);
  v.askOnDelete = Read(setting::kAskOnDelete);
  v.markPictureForSavingOnClick = Read(setting::kMarkPictureForSavingOnClick);
  v.showHints = Read(setting::kShowHints);
  return v;
}

void WriteOptionsValues(const OptionsValues& v) {
  if (ChosenEntry(OptionsList::kFileFormat1, v.fileFormat1) >= 0)
    Write(setting::kFileFormat1, v.fileFormat1);
  if (ChosenEntry(OptionsList::kFileFormat2, v.fileFormat2) >= 0)
    Write(setting::kFileFormat2, v.fileFormat2);
  Write(setting::kShowLossySavingInfo, v.showLossySavingInfo);
  Write(setting::kShowLossySavingInfo2, v.showLossySavingInfo2);
  Write(setting::kAskOnDelete, v.askOnDelete);
  Write(setting::kMarkPictureForSavingOnClick, v.markPictureForSavingOnClick);
  Write(setting::kShowHints, v.showHints);
  Write(setting::kEnlargeLeft, v.enlargeLeft);
  Write(setting::kEnlargeRight, v.enlargeRight);
  if (ChosenEntry(OptionsList::kEnlargeColor, v.enlargeColor) >= 0)
    Write(setting::kEnlargeColor, v.enlargeColor);
}

}  // namespace trimora
