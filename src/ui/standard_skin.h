// The Standard skin of a window designed for the Fashion skin: the skinned frame goes and the
// window gets a system border and caption around its content panel; skinned buttons and check
// boxes get plain twins.
#pragma once

class QAbstractButton;
class QWidget;

namespace trimora::ui {

class TtfXPForm;

// Turns the window of `frame` into its Standard-skin form: the frame is hidden (the system
// caption becomes two blanks and the frame title), the window gets a system border, the
// content panel fills the whole window. Then every component of the window whose name does not
// begin with "XPFORM" (in any case), as they were before the conversion: a gradient panel
// becomes a plain panel in the window's colour with a sunken bevel; a skinned check box and a
// skinned button are hidden and get a plain twin in their place (the button's twin is named
// "Bit" + its name) with their caption, state, enabled state, hint, tab order and picture,
// whose click clicks the skinned control. The content panel has no bevel. The window keeps its
// geometry: here a window's geometry is its content without the system border, so the content
// gains the frame's margins instead of the window shrinking. A shown window is shown again.
void ConvertToStandardSkin(TtfXPForm& frame, QWidget& contentPanel);

// The plain twin of a converted skinned button or check box, or null.
QAbstractButton* PlainTwin(const QAbstractButton& skinned);

// Copies what a window's code changed on a skinned control after the conversion to its plain
// twin: caption, picture, check state, enabled state, hint and place. Check state, enabled
// state and hint reach the twin by themselves, and a skinned control shown again is hidden with
// its twin shown instead; caption, picture and place (a hidden control learns of no move) need
// this call. Code that hides a control after the conversion hides its twin. Nothing without a
// twin.
void CopyToPlainTwin(QAbstractButton& skinned);

}  // namespace trimora::ui
