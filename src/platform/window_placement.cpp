// Saving a window's place in the settings store.
#include "platform/window_placement.h"

#include <QWidget>

#include "platform/settings.h"
#include "platform/settings_schema.h"

namespace trimora {

QRect NormalGeometry(const QWidget& window) {
  const QRect normal = window.normalGeometry();
  return normal.isValid() ? normal : window.geometry();
}

void SaveWindowPlacement(const QWidget& window, const WindowPlaceSettings& place) {
  const QRect normal = NormalGeometry(window);
  const SettingsBatch batch;
  Write(place.left, normal.left());
  Write(place.top, normal.top());
  Write(place.width, normal.width());
  Write(place.height, normal.height());
}

}  // namespace trimora
