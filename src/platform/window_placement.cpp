// Saving a window's place in the settings store.
#include "platform/window_placement.h"

#include <QWidget>
#include <string>

#include "platform/settings.h"

namespace trimora {

void SaveWindowPlacement(const QWidget& window, std::string_view prefix) {
  QRect normal = window.normalGeometry();
  if (!normal.isValid()) normal = window.geometry();
  const std::string name(prefix);
  WriteIntSetting(name + "Left", normal.left());
  WriteIntSetting(name + "Top", normal.top());
  WriteIntSetting(name + "Width", normal.width());
  WriteIntSetting(name + "Height", normal.height());
}

}  // namespace trimora
