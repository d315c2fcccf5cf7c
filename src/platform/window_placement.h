// Saving a window's place in the settings store.
#pragma once

#include "platform/settings_schema.h"

class QRect;
class QWidget;

namespace trimora {

// The window's normal (restored) geometry, also while it is maximized or minimized: the
// position and size of its content without the system frame, as QWidget::setGeometry takes it.
QRect NormalGeometry(const QWidget& window);

// Writes the window's place settings (left, top, width, height) from its normal (restored)
// geometry, also while it is maximized or minimized. The values are those QWidget::setGeometry
// takes back: the position and size of the window's content without the system frame.
void SaveWindowPlacement(const QWidget& window, const WindowPlaceSettings& place);

}  // namespace trimora
