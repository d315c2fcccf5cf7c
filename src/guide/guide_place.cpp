#include "guide/guide_place.h"

#include "platform/settings.h"

namespace trimora::guide {

WindowPlace ReadWindowPlace(const std::string& prefix, int defaultWidth, int defaultHeight,
                            int screenWidth, int screenHeight) {
  WindowPlace place;
  place.height = ReadIntSetting(prefix + "Height", defaultHeight);
  place.width = ReadIntSetting(prefix + "Width", defaultWidth);
  // Integer division truncates toward zero, as "div" does.
  place.top = ReadIntSetting(prefix + "Top", (screenHeight - place.height) / 2);
  place.left = ReadIntSetting(prefix + "Left", (screenWidth - place.width) / 2);
  return place;
}

WindowPlace ReadGuidePlace(int screenWidth, int screenHeight) {
  return ReadWindowPlace("Help\\", kGuideDefaultWidth, kGuideDefaultHeight, screenWidth,
                         screenHeight);
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

bool StandardSkinChosen() { return ReadBoolSetting("StandardSkin", false); }

}  // namespace trimora::guide
