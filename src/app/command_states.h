// Which commands of the main window are enabled: a pure function of the window's state, so
// that menus, tool buttons, the context menu and keys always agree.
#pragma once

#include "app/commands.h"

namespace trimora {

// The facts the enabling rules look at.
struct CommandState {
  bool active = false;              // a: a picture is shown
  bool enlarged = false;            // E: "Erweitern" is pressed (side stripes applied)
  bool redEyeFrameVisible = false;  // R: the red-eye marker is shown
  bool scalable = true;             // S: the current output format's id is 0 or above
  bool corrected = false;           // "Korrigieren" is pressed (automatic correction applied)
  bool redEyeAvailable = false;     // the red-eye button was enabled for the shown picture
  bool redEyeFiltered = false;      // red-eye rectangles are applied to the shown picture
  bool canGoBack = false;           // a live picture before the current one
  bool canGoForward = false;        // a live picture after the current one
  int masterAlpha = 105;            // opacity outside the selection, 0..255
  int zoomLevel = 50;               // magnifier zoom level, 5..100
};

// The enabled commands for `state` by the rules of the window, before the commands that have
// no behaviour yet are taken out. Commands outside the rules (choosing a folder, the settings,
// the help items ...) are always in the set.
CommandSet EnabledCommands(const CommandState& state);

}  // namespace trimora
