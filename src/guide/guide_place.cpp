#include "guide/guide_place.h"

#include "platform/settings_schema.h"

namespace trimora::guide {

WindowPlace ReadWindowPlace(const WindowPlaceSettings& settings, int screenWidth,
                            int screenHeight) {
  WindowPlace place;
  place.height = Read(settings.height);
  place.width = Read(settings.width);
  // Integer division truncates toward zero, as "div" does.
  place.top = Read(settings.top, (screenHeight - place.height) / 2);
  place.left = Read(settings.left, (screenWidth - place.width) / 2);
  return place;
}

WindowPlace ReadGuidePlace(int screenWidth, int screenHeight) {
  return ReadWindowPlace(setting::kHelpWindowPlace, screenWidth, screenHeight);
}

WindowPlace KeepOnScreens(const WindowPlace& place, const std::vector<WindowPlace>& screens) {
  if (screens.empty()) return place;
  for (const WindowPlace& screen : screens) {
    // In 64 bits: stored numbers may be anything.
    const auto end = [](long long start, long long size) { return start + size; };
    const bool apart = place.left >= end(screen.left, screen.width) ||
                       end(place.left, place.width) <= screen.left ||
                       place.top >= end(screen.top, screen.height) ||
                       end(place.top, place.height) <= screen.top;
    if (!apart) return FitIntoArea(place, screen, kGuideMinimumWidth, kGuideMinimumHeight);
  }
  const WindowPlace& first = screens.front();
  const WindowPlace fitted = FitIntoArea(place, first, kGuideMinimumWidth, kGuideMinimumHeight);
  return {first.left + (first.width - fitted.width) / 2,
          first.top + (first.height - fitted.height) / 2, fitted.width, fitted.height};
}

bool StandardSkinChosen() { return Read(setting::kStandardSkin); }

}  // namespace trimora::guide
