// The button rows of the message box and the answers of the dialogs, as numbers that callers
// pass and receive: the one place where they are spelled. Plain C++; presenters use it without
// the dialog kit.
#pragma once

#include <cstdint>

namespace trimora::ui {

// Answers of the dialogs.
enum DialogResult : int {
  kResultOk = 1,
  kResultCancel = 2,  // closed through the frame's close button or the system close command
  kResultYes = 6,
  kResultNo = 7,
  kResultYesToAll = 10,
};

// The button rows of the message box (`Buttons`).
enum MessageButtons : std::uint16_t {
  kButtonsYesNo = 3,
  kButtonsOk = 4,
  kButtonsYesToAllNo = 515,  // hex 203
};

}  // namespace trimora::ui
