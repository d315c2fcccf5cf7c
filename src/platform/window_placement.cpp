// Saving a window's place in the settings store.
#include "platform/window_placement.h"

#include <QWidget>
#include <string>

#include "platform/settings.h"

namespace trimora {

QRect NormalGeometry(const QWidget& window) {
  const QRect normal = window.normalGeometry();
  return normal.isValid() ? normal : window.geometry();
}

void SaveWindowPlacement(const QWidget& window, std::string_view prefix) {
  const QRect normal = NormalGeometry(window);
  const std::string name(prefix);
  WriteIntSetting(name + "Left", normal.left());
  WriteIntSetting(name + "Top", normal.top());
  WriteIntSetting(name + "Width", normal.width());
  WriteIntSetting(name + "Height", normal.height());
}

}  // namespace trimora
