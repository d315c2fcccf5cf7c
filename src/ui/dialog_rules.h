// The rules of the message box, input box and folder chooser, free of any toolkit: the button
// rows and their answers, the message box layout with its 18-pixel shift, the check box label,
// trimming the input, the folder chooser's path field and the new-folder step.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/frame_geometry.h"
#include "ui/message_codes.h"

namespace trimora::ui {

// One button of a row: caption with its "&" mnemonic, answer, x inside the row, width.
struct RowButton {
  std::string_view caption;
  int result = 0;
  int x = 0;
  int width = 0;
};

// A button row of the message box.
struct ButtonRow {
  std::string_view panelName;  // "OkPanel", "YesNoPanel" or "YesToAllPanel"
  int width = 0;
  std::vector<RowButton> buttons;
  int cancelResult = 0;   // the answer of the cancel key
  int defaultResult = 0;  // the answer of the default button
};

// The three rows, in the order OK, Yes/No, Yes / Yes-to-all / No.
const std::vector<ButtonRow>& MessageButtonRows();

// The row for a `Buttons` value; an unknown value gets the OK row so the box can be answered.
const ButtonRow& ButtonRowFor(std::uint16_t buttons);

// Designed size of the message box's content panel, and how far the rows and the text move
// when the box has no check box.
inline constexpr int kMessageContentWidth = 301;
inline constexpr int kMessageContentHeight = 157;
inline constexpr int kNoCheckBoxShift = 18;
inline constexpr int kButtonRowHeight = 27;

// The message box elements inside its content panel.
struct MessageBoxLayout {
  Rect text;           // TextLabel
  int rowTop = 0;      // top of every button row
  int checkTop = 0;    // top of the check box panel and its label
  int labelRight = 0;  // right edge of the right-aligned check box label
};

// The layout of a content panel of the given size; `shift` is 0 with a check box and
// kNoCheckBoxShift while the box shows none. A text area lower than `lineHeight` (a short box
// such as 315 x 120) grows to one whole line around its middle, as far as the rows allow, so
// that one line of text is never cut.
MessageBoxLayout LayoutMessageBox(int contentWidth, int contentHeight, int shift,
                                  int lineHeight = 0);

// The left of a centred row: (box width - row width) div 2.
int CentredRowLeft(int boxWidth, int rowWidth);

// The left of the check box panel: 22 pixels left of the label's left edge.
int CheckBoxPanelLeft(int labelLeft);

// The check box label for a box title: "Diese <title> nicht mehr anzeigen".
std::string DontShowAgainLabel(std::string_view title);

// A window caption for a title: two blanks and the title.
std::string WindowCaption(std::string_view title);

// The title back from a window caption: the caption from its third character on.
std::string TitleFromCaption(std::string_view caption);

// The input box result: leading and trailing blanks and control characters removed.
std::string TrimInput(std::string_view text);

// The name under which the folder tree's top node stands for the user's desktop.
inline constexpr std::string_view kDesktopNodePath = "Desktop";

// True for the path of a virtual tree node (the computer node), which has no folder.
bool IsVirtualNodePath(std::string_view path);

// The path field text for a folder selected in the tree: empty for a virtual node, the real
// desktop folder for "Desktop", one trailing separator removed (but a bare "/" stays the root).
std::string PathFieldText(std::string_view nodePath, std::string_view desktopFolder);

// Outcome of the new-folder button.
enum class CreateFolderResult { Created, AlreadyExists, Failed };

// Creates the folder named by the path field (relative paths start at the current folder).
CreateFolderResult CreateFolder(std::string_view path);

// The message shown when the new folder already exists.
inline constexpr std::string_view kFolderExistsMessage =
    "Das angegebene Verzeichnis existiert bereits.";

// The folder names that lead from `anchor` down to `path` (empty when they are the same), or
// nothing when `path` does not lie at or below `anchor`.
std::optional<std::vector<std::string>> PathStepsBelow(std::string_view anchor,
                                                       std::string_view path);

}  // namespace trimora::ui
