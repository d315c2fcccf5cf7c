#include "platform/screen_area.h"

#include <algorithm>

namespace trimora {

namespace {

// The start of a span of `size` moved into [areaStart, areaStart + areaSize), in 64-bit so that
// no stored number can overflow.
int FitSpan(long long start, long long size, long long areaStart, long long areaSize) {
  start = std::min(start, areaStart + areaSize - size);
  return static_cast<int>(std::max(start, areaStart));
}

}  // namespace

ScreenRect FitIntoArea(const ScreenRect& place, const ScreenRect& area, int minWidth,
                       int minHeight) {
  ScreenRect fitted;
  fitted.width = std::max(std::min(place.width, area.width), minWidth);
  fitted.height = std::max(std::min(place.height, area.height), minHeight);
  fitted.left = FitSpan(place.left, fitted.width, area.left, area.width);
  fitted.top = FitSpan(place.top, fitted.height, area.top, area.height);
  return fitted;
}

}  // namespace trimora
