// The Standard skin of a window designed for the Fashion skin: the skinned frame goes and the
// window gets a system border and caption around its content panel.
#pragma once

class QWidget;

namespace trimora::ui {

class TtfXPForm;

// Turns the window of `frame` into its Standard-skin form: the frame is hidden (the system
// caption becomes two blanks and the frame title), the window gets a system border, the
// content panel fills the whole window and gradient panels become plain panels in the window's
// colour. The window keeps its geometry: here a window's geometry is its content without the
// system border, so the content gains the frame's margins instead of the window shrinking.
// Call it before the window is first shown. Skinned buttons and check boxes keep their look.
void ConvertToStandardSkin(TtfXPForm& frame, QWidget& contentPanel);

}  // namespace trimora::ui
