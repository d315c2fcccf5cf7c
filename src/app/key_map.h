// The keyboard map of the main window: which command a key press runs. The window sees every
// key press before its controls and asks this map; a press that gives a command runs it once.
#pragma once

#include <optional>

#include "app/commands.h"

namespace trimora {

// What the map depends on besides the key.
struct KeyState {
  bool nonScalableFormat = false;   // the current output format's id is 0 or below
  bool redEyeFrameVisible = false;  // the red-eye marker is shown
  bool standardSkin = false;        // the Standard skin: "Verkleinern" has no shortcut key
};

// The command of a key press, or nothing. The keyboard map comes first; a key it does not name
// runs the menu item that shows it as its shortcut ("Num /" for "Verkleinern", "Strg+B" ...).
// Under a non-scalable format the size keys (A, Q, the "+" and "-" keys of the main keyboard and
// the numeric keypad) are swallowed without a command unless the red-eye frame is shown or Alt
// is held. Alt+F4 closes the window.
std::optional<CommandId> CommandForKey(const KeyPress& press, const KeyState& state);

// True when the key press is a size key swallowed under a non-scalable format (see above): it
// runs nothing, and nothing else may take it either.
bool KeySwallowed(const KeyPress& press, const KeyState& state);

// The command of a wheel turn of `delta` (signed, 120 a notch): towards the user (delta 0 or
// below) "Vergrößern", away "Verkleinern", one step whatever the size of the turn.
CommandId CommandForWheel(int delta);

}  // namespace trimora
