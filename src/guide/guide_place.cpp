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
    const bool apart =
        place.left >= screen.left + screen.width || place.left + place.width <= screen.left ||
        place.top >= screen.top + screen.height || place.top + place.height <= screen.top;
    if (!apart) return place;
  }
  const WindowPlace& first = screens.front();
  return {first.left + (first.width - place.width) / 2,
          first.top + (first.height - place.height) / 2, place.width, place.height};
}

bool StandardSkinChosen() { return Read(setting::kStandardSkin); }

}  // namespace trimora::guide
