// The main window as its presenter sees it: the strip, picture, status panels and dialogs of
// the folder presenter, the magnifier, the full-screen preview, the EXIF/IPTC window, and the
// window's own controls (the commands in menus, tool bars and the context menu, the band bar,
// the window's place). Written to, never read back: the presenter keeps every fact it needs
// itself.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/options_presenter.h"
#include "folder/folder_view.h"
#include "frame/full_screen.h"
#include "frame/magnifier.h"
#include "metadata/exif_window.h"
#include "formats/format_dialog_presenter.h"
#include "formats/format_menus.h"
#include "platform/screen_area.h"
#include "ui/band_layout.h"

namespace trimora {

// A window's place on the screen: position and size of its content.
using WindowRect = ScreenRect;

// Where the format chooser opens: just below the format button's lower left corner, or at the
// pointer (a right click on "Thumbnails anzeigen").
enum class FormatPopupPlace : std::uint8_t { BelowFormatButton, AtPointer };

// One entry of a strip entry's file-type menu.
struct TypeMenuItem {
  std::string caption;
  bool enabled = true;
  bool operator==(const TypeMenuItem&) const = default;
};

// The main window.
class MainView : public FolderView,
                 public MagnifierView,
                 public FullScreenView,
                 public metadata::ExifWindowView {
 public:
  // Enables or disables every control of a command (menu items, tool button, context item).
  virtual void SetCommandEnabled(CommandId id, bool enabled) = 0;
  // Sets the check mark of a command's check or radio items and the down state of its toggle
  // button.
  virtual void SetCommandChecked(CommandId id, bool checked) = 0;
  // A new caption for a command's menu items (the shortcut stays beside it) and, where it has a
  // caption, its tool button ("Zoom aktivieren"; the format button's format name).
  virtual void SetCommandCaption(CommandId id, const std::string& caption) = 0;
  // A new hint for a command's tool button.
  virtual void SetCommandHint(CommandId id, const std::string& hint) = 0;

  // The tool bar bands in `order`; band n is shown when `visible[n - 1]`.
  virtual void ShowBands(const ui::BandOrder& order, const std::array<bool, 5>& visible) = 0;
  // The entries of a format menu; choosing one calls the presenter's FormatChosen or
  // DefaultFormatChosen with its tag.
  virtual void SetFormatMenu(FormatMenu menu, const std::vector<FormatMenuEntry>& entries) = 0;
  // The check mark of a format menu goes to the entry tagged `formatId` (none when no entry
  // has that tag).
  virtual void CheckFormatMenu(FormatMenu menu, std::int32_t formatId) = 0;
  // Opens the format chooser (`FormatPopup`) at `place`.
  virtual void ShowFormatPopup(FormatPopupPlace place) = 0;
  // The window's frame shown active, or inactive while a window of its own is open above it.
  virtual void SetFrameActive(bool active) = 0;
  // Places the EXIF/IPTC window (its normal geometry).
  virtual void PlaceExifWindow(const WindowRect& rect) = 0;

  // Places the window (its normal geometry) and maximises it when asked.
  virtual void PlaceWindow(const WindowRect& rect, bool maximized) = 0;
  // Hints on or off in every window of the program.
  virtual void SetHintsShown(bool shown) = 0;
  // Shows the file-type menu under the type button of strip entry `position`; returns the
  // chosen item, or -1 when the menu was closed without a choice.
  virtual int ShowTypeMenu(int position, const std::vector<TypeMenuItem>& items) = 0;
  // The settings dialog and the format definitions dialog, made with the window and reused;
  // each shows the window's frame inactive while it is open.
  virtual OptionsView& OptionsDialog() = 0;
  virtual FormatDialogView& FormatDialog() = 0;
  // Shows the about box modally: "Info über Trimora 2", the product and "Build " + `version`.
  virtual void ShowAboutBox(const std::string& version) = 0;
  // Lets the window repaint what is pending without handling input (during a long run).
  virtual void RepaintPending() = 0;
  // Closes the window; its closing runs MainPresenter::Close.
  virtual void CloseWindow() = 0;
};

}  // namespace trimora
