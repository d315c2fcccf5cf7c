// What the folder presenter asks of the main window: the strip, the picture on show, the status
// panels and the dialogs (FolderView, written to and never read back), and the window's own
// state (FolderHost). Presenters call both on the main thread only.
#pragma once
#include <cstdint>
#include <string>

#include "imaging/picture.h"

namespace trimora {

// Where the controls of one strip entry stand inside its panel (pixels).
struct StripEntryGeometry {
  int panelHeight = 64;
  int buttonLeft = 13;
  int buttonTop = 5;
  int buttonWidth = 153;
  int buttonHeight = 54;
  int buttonMargin = 5;
  int fontPoints = 7;
  int checkLeft = 0;
  int checkTop = 0;
  int deleteTop = 0;  // top of the delete button's holder (left 19)
  int renameTop = 0;  // top of the rename button's holder (left 19)
  int typeLeft = 0;   // file-type button holder, 31 x 13
  int typeTop = 0;
};

// The places of an entry's controls for a thumbnail of `thumbnailHeight` pixels (thumbnails
// on) or without a thumbnail; `highDpi` is true above 96 pixels per inch.
StripEntryGeometry EntryGeometryFor(bool thumbnailsOn, int thumbnailHeight, bool highDpi);

// One strip entry as the window shows it.
struct StripEntry {
  int position = 0;        // p: names "ThumbPanel" + p, "ThumbButton" + p, ...
  int top = 0;             // running top in the strip
  std::string caption;     // the file name without folder
  bool saveIt = false;     // the save check box
  std::string fileType;    // caption of the file-type button
  bool lossyJpeg = false;  // the file-type caption is drawn red
  StripEntryGeometry geometry;
  Picture thumbnail;  // empty when thumbnails are off
};

// The main window's strip, picture, status panels and dialogs as the folder presenter sees them.
class FolderView {
 public:
  virtual ~FolderView() = default;

  // Sets the text of status panel 0..3 in the skinned frame and the plain status bar.
  virtual void SetStatusPanel(int index, const std::string& text) = 0;
  // Shows a message box (buttons: ui::MessageButtons); returns the answer (ui::DialogResult).
  virtual int ShowMessageBox(const std::string& title, const std::string& text, int buttons,
                             const std::string& dontShowAgainKey, int width, int height) = 0;
  // Asks for one line: the trimmed text when confirmed, else `defaultText`.
  virtual std::string ShowInputBox(const std::string& title, const std::string& prompt,
                                   const std::string& defaultText) = 0;
  // Lets the user choose a folder; empty when cancelled.
  virtual std::string ChooseFolder(const std::string& title, const std::string& okCaption,
                                   int glyphIndex, const std::string& startFolder) = 0;
  // Shows an error that an operation did not handle itself (the program's title, the text).
  virtual void ShowError(const std::string& text) = 0;

  // The hourglass cursor on or off.
  virtual void SetBusy(bool busy) = 0;
  // Shows or hides the keyboard-help panel.
  virtual void SetShortcutPanelVisible(bool visible) = 0;

  // Shows or hides the thumbnail strip.
  virtual void SetStripVisible(bool visible) = 0;
  // Destroys all strip entries.
  virtual void ClearStrip() = 0;
  // Inserts a built entry at the strip's client width (the entry's picture is taken over).
  virtual void InsertStripEntry(StripEntry entry) = 0;
  // Marks an entry as the current one or gives it the normal look again.
  virtual void SetEntryCurrent(int position, bool current) = 0;
  // Sets an entry's save check box.
  virtual void SetEntryChecked(int position, bool checked) = 0;
  // Enables or disables an entry's save check box.
  virtual void SetEntryCheckEnabled(int position, bool enabled) = 0;
  // Sets the caption (file name) of an entry's picture button.
  virtual void SetEntryCaption(int position, const std::string& caption) = 0;
  // Sets an entry's file-type button: caption and red (lossy JPEG) or black.
  virtual void SetEntryFileType(int position, const std::string& type, bool red) = 0;
  // Gives an entry a new thumbnail and the geometry that goes with its height.
  virtual void SetEntryThumbnail(int position, const Picture& thumbnail,
                                 const StripEntryGeometry& geometry) = 0;
  // Hides an entry's panel.
  virtual void HideEntry(int position) = 0;
  // Scrolls the strip until the entry is visible.
  virtual void ScrollToEntry(int position) = 0;
  // The strip's final steps: fit the scroll range and stack the entries without gaps.
  virtual void FinishStrip() = 0;

  // Shows `picture` as the displayed picture (the view keeps its own copy or reference).
  virtual void ShowPicture(const Picture& picture) = 0;
  // The same with `preview`, a reduced copy of `picture` at least twice the display hint's size,
  // which the view may fit into the panel instead of the whole picture.
  virtual void ShowPictureWithPreview(const Picture& picture, const Picture& preview) {
    (void)preview;
    ShowPicture(picture);
  }
  // The same with `displayCopy`, ScaleToView of `picture` at the size of the view, which the
  // view takes as its display copy while it has that size.
  virtual void ShowPictureWithDisplayCopy(const Picture& picture, Picture displayCopy) {
    (void)displayCopy;
    ShowPicture(picture);
  }
  // `part` of the displayed picture changed (picture pixels, same size): redraw it there.
  virtual void RedrawPicturePart(const Picture& picture, const PixelRect& part) {
    (void)part;
    ShowPicture(picture);
  }
  // Clears the displayed picture and hides the picture and the crop frame.
  virtual void ClearPicture() = 0;
  // Lets the picture panel show its background instead of the picture, or stops doing so.
  virtual void ShowPanelBackground(bool show) = 0;
  // Tells the full-screen preview that the picture changed.
  virtual void PostFullScreenRefresh() = 0;
};

// The window that holds the folder presenter: it owns the command states and the state of the
// crop-and-save run.
class FolderHost {
 public:
  virtual ~FolderHost() = default;

  // The picture commands follow: `active` when a picture is shown, false when none is.
  virtual void UpdateCommandStates(bool active) = 0;
  // The four navigation commands follow the current picture.
  virtual void UpdateNavigation() = 0;
  // True while the crop-and-save run writes: the strip leaves the status bar alone.
  virtual bool SavingInProgress() const = 0;
  // The picture of `file` is on show now (the magnifier and the EXIF/IPTC window follow it).
  virtual void PictureShown(const std::string& file) { (void)file; }
};

}  // namespace trimora
