// Saving a window's place in the settings store.
#pragma once

#include <string_view>

class QRect;
class QWidget;

namespace trimora {

// The window's normal (restored) geometry, also while it is maximized or minimized: the
// position and size of its content without the system frame, as QWidget::setGeometry takes it.
QRect NormalGeometry(const QWidget& window);

// Writes prefix + "Left", "Top", "Width", "Height" from the window's normal (restored)
// geometry, also while it is maximized or minimized. The values are those QWidget::setGeometry
// takes back: the position and size of the window's content without the system frame.
void SaveWindowPlacement(const QWidget& window, std::string_view prefix);

}  // namespace trimora
