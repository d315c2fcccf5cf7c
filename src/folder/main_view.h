// What the main window's presenters ask of the window: the narrow view interface behind which
// the Qt window stands. Presenters call it on the main thread only.
#pragma once
#include <cstdint>
#include <string>

#include "imaging/picture.h"

namespace trimora {

// The picture commands whose enabling the presenters decide. One value may stand for several
// controls (a menu item, its tool button and its context-menu twin).
enum class Command {
  CropAndSave,       // "Zuschneiden und &speichern ...", " Speichern "
  CropAndBurn,       // "Zuschneiden und &brennen ..." (hidden)
  ResetFolder,       // "Verzeichnis zurücksetzen"
  MarkForSaving,     // "Bild zum Speichern vormerken"
  UnmarkForSaving,   // "Bild nicht zum Speichern vormerken"
  RotatePlus90,      // "Original um 90° drehen + speichern", "90° drehen"
  RotateMinus90,     // "Original um -90° drehen + speichern", "-90° drehen"
  FullScreen,        // "Vollbild" (menu and button)
  FormatButton,      // the format button of the format tool bar
  ExifInfo,          // "EXIF/IPTC-Informationen" (menu and context menu)
  MoveSelection,     // the nine "Auswahl bewegen" items and the five context-menu moves
  SizeStep,          // "Verkleinern", "Vergrößern"
  SizeExtreme,       // "Minimieren", "Maximieren"
  RotateSelection,   // "Um 90° drehen"
  RedEyeFilter,      // the red-eye button and "Rote Augen filtern"
  RedEyeRemove,      // "Rote Augen-Filter entfernen"
  CorrectionButton,  // "Korrigieren"
  AutoCorrect,       // "Automatische Bildkorrektur"
  AutoCorrectUndo,   // "Automatische Bildkorrektur rückgangig machen"
  EnlargeButton,     // "Erweitern"
  Enlarge,           // "Bild um seitliche Ränder erweitern"
  EnlargeRemove,     // "Erweiterung entfernen"
  OutsideOpacity,    // the four opacity items (menus and context menu)
  FormatForCurrent,  // "Ausgabeformat für aktuelles Bild"
  FirstPicture,      // "&Erstes Bild", "Erstes Bild"
  PreviousPicture,   // "&Voriges Bild", "Zurück"
  NextPicture,       // "&Nächstes Bild", "Weiter"
  LastPicture,       // "&Letztes Bild", "Letztes Bild"
  Count
};

// Number of commands.
inline constexpr int kCommandCount = static_cast<int>(Command::Count);

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
  int deleteTop = 0;    // top of the delete button's holder (left 19)
  int renameTop = 0;    // top of the rename button's holder (left 19)
  int typeLeft = 0;     // file-type button holder, 31 x 13
  int typeTop = 0;
};

// The places of an entry's controls for a thumbnail of `thumbnailHeight` pixels (thumbnails
// on) or without a thumbnail; `highDpi` is true above 96 pixels per inch.
StripEntryGeometry EntryGeometryFor(bool thumbnailsOn, int thumbnailHeight, bool highDpi);

// One strip entry as the window shows it.
struct StripEntry {
  int position = 0;          // p: names "ThumbPanel" + p, "ThumbButton" + p, ...
  int top = 0;               // running top in the strip
  std::string caption;       // the file name without folder
  bool saveIt = false;       // the save check box
  std::string fileType;      // caption of the file-type button
  bool lossyJpeg = false;    // the file-type caption is drawn red
  StripEntryGeometry geometry;
  Picture thumbnail;         // empty when thumbnails are off
};

// The main window as the presenters see it.
class MainView {
 public:
  virtual ~MainView() = default;

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
  // Enables or disables one command with all its controls.
  virtual void SetCommandEnabled(Command command, bool enabled) = 0;
  // Presses or releases a toggling tool button ("Korrigieren", "Erweitern").
  virtual void SetCommandDown(Command command, bool down) = 0;

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
  // Clears the displayed picture and hides the picture and the crop frame.
  virtual void ClearPicture() = 0;
  // Lets the picture panel show its background instead of the picture, or stops doing so.
  virtual void ShowPanelBackground(bool show) = 0;
  // Tells the full-screen preview that the picture changed.
  virtual void PostFullScreenRefresh() = 0;
};

}  // namespace trimora
