// The crop frame's presenter: the block-grid selection of the picture being shown, its frame
// on screen and colour, the frame commands (steps, edges, centring, sizes, turning) also for
// the red-eye marker, applying an output format, fitting the picture into its panel, the
// dimming of the area outside the selection, and the lossless decision with the type buttons
// of the strip. Plain C++ against the narrow FrameView interface; the main window implements
// the view and owns one presenter.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/commands.h"
#include "folder/cutting_record.h"
#include "formats/format_tables.h"
#include "frame/block_grid.h"
#include "output/lossless.h"
#include "platform/settings_schema.h"

namespace trimora {

// Commands whose enabled state the presenter sets.
enum class FrameCommand {
  Shrink,        // "Verkleinern"
  Grow,          // "Vergrößern"
  Minimise,      // "Minimieren"
  Maximise,      // "Maximieren"
  HideOutside,   // "Nicht ausgewählten Bereich ausblenden"
  ShowOutside,   // "Nicht ausgewählten Bereich einblenden"
  LosslessJpeg,  // the file-type menu entry "JPG (verlustfrei)"
};

// The three corrections whose presence keeps a picture off the lossless road.
enum class Correction { RedEye, AutoCorrection, Enlargement };

// The widgets of the crop frame: the frame control, the red-eye marker, the picture panel and
// the picture view.
class FrameWidgets {
 public:
  virtual ~FrameWidgets() = default;

  // The crop frame `frame`: its bounds on the picture view, visibility, colours, handles.
  virtual ScreenRect FrameRect() const = 0;
  virtual void SetFrameRect(const ScreenRect& rect) = 0;
  virtual bool FrameVisible() const = 0;
  virtual void SetFrameVisible(bool visible) = 0;
  // Sets ActiveFrameColor, PassiveFrameColor and BoxColor (0xRRGGBB).
  virtual void SetFrameColor(std::uint32_t rgb) = 0;
  virtual void SetFrameFocus(bool focus) = 0;
  virtual void SetFrameDrawBoxes(bool drawBoxes) = 0;

  // The red-eye marker `RedEyeFrame`.
  virtual bool MarkerVisible() const = 0;
  virtual ScreenRect MarkerRect() const = 0;
  virtual void SetMarkerRect(const ScreenRect& rect) = 0;
  virtual int MarkerBoxSize() const { return 5; }
  // Shows the marker at its last place with the focus (the crop frame loses its focus), or
  // hides it.
  virtual void SetMarkerVisible(bool visible) { (void)visible; }
  // Repaints the marker and refreshes the magnifier after a marker command.
  virtual void MarkerChanged() {}
  // Ends red-eye marking (before a format is applied).
  virtual void EndRedEyeMarking() {}

  // The picture panel `imagePanel` and the picture view `image` inside it.
  virtual int PanelWidth() const = 0;
  virtual int PanelHeight() const = 0;
  // Places the picture view in the panel.
  virtual void SetViewGeometry(const ScreenRect& rect) = 0;
  // The frame rectangle changed (or a redraw is forced): redraw the selection overlay,
  // repaint view and frame, refresh the magnifier.
  virtual void SelectionRedraw(const ScreenRect& frame) = 0;
  // Rebuilds the display copy of the picture at the view's size (and then the overlay).
  virtual void RebuildDisplayCopy() {}
  // The selection overlay follows the frame's visibility.
  virtual void SetOverlayVisible(bool visible) { (void)visible; }
  // The outside opacity changed: repaint the view (forced or not), refresh the magnifier.
  virtual void OutsideAlphaChanged(int masterAlpha, bool force) {
    (void)masterAlpha;
    (void)force;
  }
};

// What the presenter needs from the main window: the frame's widgets and the window's part.
class FrameView : public FrameWidgets {
 public:
  // Main-window state the presenter asks for.
  virtual bool PicturesListed() const = 0;
  virtual bool Reshowing() const { return false; }
  virtual bool FullScreenVisible() const { return false; }
  // True while the correction is applied to the picture on screen (its undo item enabled).
  virtual bool CorrectionApplied(Correction which) const {
    (void)which;
    return false;
  }

  // Main-window actions.
  virtual void SetCommandEnabled(FrameCommand command, bool enabled) = 0;
  // Shows a message box (buttons: ui::MessageButtons); returns its answer (ui::DialogResult).
  virtual int ShowMessageBox(const std::string& title, const std::string& text, int buttons,
                             const std::string& dontShowAgainKey, int width, int height) = 0;
  virtual void SetStatusText(int panel, const std::string& text) = 0;
  // MarkForSaving(value, current picture, disable); `enableBox` enables the mark box first.
  virtual void MarkCurrentForSaving(bool value, bool disableBox) {
    (void)value;
    (void)disableBox;
  }
  virtual void EnableCurrentMarkBox() {}
  // Marks the picture of strip entry `entry` for saving.
  virtual void MarkEntryForSaving(int entry) { (void)entry; }
  virtual void UpdateCommandStates(bool active) { (void)active; }
  // The chooser button's caption; the view lays the tool bars out anew when it changed.
  virtual void SetChooserCaption(const std::string& caption) { (void)caption; }
  // Check marks of the format menu and the tables' current rows after a format was applied.
  virtual void FormatApplied(std::int32_t formatId) { (void)formatId; }
  // Repaints the whole main window (before a note is shown).
  virtual void RepaintWindow() {}
  virtual void SetBusyCursor(bool busy) { (void)busy; }

  // The strip (entry n = record n): how many entries the folder presenter has built so far.
  virtual int StripEntryCount() const { return 0; }
  // Sets an entry's type button: its caption and whether it is drawn red (lossy JPEG).
  virtual void SetTypeButton(int entry, const std::string& caption, bool red) {
    (void)entry;
    (void)caption;
    (void)red;
  }
};

// A FrameView whose widget part is the FrameWidgets it is given; the window part is the
// subclass's.
class ForwardingFrameView : public FrameView {
 public:
  // Forwards to `widgets`, which must outlive the view (it may still be under construction).
  explicit ForwardingFrameView(FrameWidgets& widgets) : widgets_(widgets) {}

  ScreenRect FrameRect() const override { return widgets_.FrameRect(); }
  void SetFrameRect(const ScreenRect& rect) override { widgets_.SetFrameRect(rect); }
  bool FrameVisible() const override { return widgets_.FrameVisible(); }
  void SetFrameVisible(bool visible) override { widgets_.SetFrameVisible(visible); }
  void SetFrameColor(std::uint32_t rgb) override { widgets_.SetFrameColor(rgb); }
  void SetFrameFocus(bool focus) override { widgets_.SetFrameFocus(focus); }
  void SetFrameDrawBoxes(bool drawBoxes) override { widgets_.SetFrameDrawBoxes(drawBoxes); }
  bool MarkerVisible() const override { return widgets_.MarkerVisible(); }
  ScreenRect MarkerRect() const override { return widgets_.MarkerRect(); }
  void SetMarkerRect(const ScreenRect& rect) override { widgets_.SetMarkerRect(rect); }
  void SetMarkerVisible(bool visible) override { widgets_.SetMarkerVisible(visible); }
  int MarkerBoxSize() const override { return widgets_.MarkerBoxSize(); }
  void MarkerChanged() override { widgets_.MarkerChanged(); }
  void EndRedEyeMarking() override { widgets_.EndRedEyeMarking(); }
  int PanelWidth() const override { return widgets_.PanelWidth(); }
  int PanelHeight() const override { return widgets_.PanelHeight(); }
  void SetViewGeometry(const ScreenRect& rect) override { widgets_.SetViewGeometry(rect); }
  void SelectionRedraw(const ScreenRect& frame) override { widgets_.SelectionRedraw(frame); }
  void RebuildDisplayCopy() override { widgets_.RebuildDisplayCopy(); }
  void SetOverlayVisible(bool visible) override { widgets_.SetOverlayVisible(visible); }
  void OutsideAlphaChanged(int masterAlpha, bool force) override {
    widgets_.OutsideAlphaChanged(masterAlpha, force);
  }

 protected:
  FrameWidgets& widgets_;
};

// The commands reached from keys, menus and the wheel.
enum class SelectionCommand {
  StepLeft,
  StepRight,
  StepUp,
  StepDown,
  EdgeLeft,
  EdgeRight,
  EdgeTop,
  EdgeBottom,
  Centre,
  Shrink,
  Grow,
  Minimise,
  Maximise,
  Turn,
  HideOutside,
  ShowOutside,
  CropOutside,
  ShowWhole
};

// The selection command of a window command ("Nach links" is StepLeft), or nothing for the
// commands that are not the frame's.
std::optional<SelectionCommand> SelectionCommandOf(CommandId id);

// The frame presenter. It owns the grid state and writes every change into the picture's
// cutting-data record at once.
class FramePresenter {
 public:
  // A presenter over the main window's view, format tables and cutting-data records (record n
  // belongs to strip entry n; the folder presenter owns them).
  // `settings` tells whether the notes about lossless saving are still wanted.
  FramePresenter(FrameView& view, FormatTables& formats, std::vector<CuttingRecord>& records,
                 SettingsAccess& settings);

  // Grid and selection state (public: the main window restores it from a record and the
  // tests set it up).
  GridState grid;
  // max / min of the current format's pixel sides.
  long double CurrentRatio = 1.5L;
  // The frame rectangle drawn last; left -999 forces the next CommitSelection to redraw.
  ScreenRect LastFrameRect{-999, 0, 0, 0};
  // Opacity of the picture outside the selection, 0..255.
  int MasterAlpha = 105;
  // The default output pairs.
  FileTypeDefaults fileTypes;

  // The picture on screen: record/strip entry `entry`, `width` x `height` pixels.
  void SetCurrentPicture(int entry, int width, int height);
  // No picture on screen.
  void ClearCurrentPicture();
  // The entry of the picture on screen, or -1.
  int CurrentEntry() const { return entry_; }
  int PictureWidth() const { return pictureWidth_; }
  int PictureHeight() const { return pictureHeight_; }

  // BlockSize when the main window is created: 16 when the preferred output is lossless JPEG.
  void InitBlockSize();
  // The selection of a picture shown while the frame is hidden: frame at the view's corner,
  // 800 x 592 pixels at 0, 0 in blocks of BlockSize.
  void ResetSelection();
  // After the format was applied to a picture shown for the first time: the selection as
  // PlaceFirstSelection makes it (the format as large as the picture allows, centred),
  // committed into the record. Nothing happens while the frame is hidden (a refused format).
  void PlaceFirstShowingSelection();
  // Takes block size and selection from a stored record.
  void RestoreSelection(int blockSize, int x, int y, int width, int height);
  // Before the first showing of a picture: the selection turned to the picture's orientation.
  void TurnSelectionToPicture();

  // Grid from picture and view size.
  void ComputeBlockGrid();
  // Gives the selection the current format's ratio.
  void FitSelectionToFormat();
  // Puts the frame where the selection is, colours it and commits.
  void PlaceFrame();
  // Writes the selection into the record, redraws when the frame moved (or `force`) and
  // refreshes the status text.
  void CommitSelection(bool force);
  // Converts the frame on screen into the selection size; returns the position (x, y).
  std::pair<int, int> ReadFrame(bool dragging);
  // The crop frame's OnRectMoved: during a drag.
  void frameRectMoved();
  // The crop frame's OnMouseUp: the end of a drag.
  void frameMouseUp();

  // Gives the picture the format `formatId`, decides the grid and reports what cannot be done.
  void ApplyFormat(std::int32_t formatId, bool mayAlignToBlocks);
  // The chooser caption of a format name: blanks added on both sides up to 12 characters.
  static std::string ChooserCaption(const std::string& name);

  // The selection commands; each checks its own condition.
  void Run(SelectionCommand command);
  // True when the frame can step in that direction.
  bool CanStepFrame(SelectionCommand direction) const;

  // The crop frame hidden (the selection overlay follows it), or shown again with the focus
  // and redrawn.
  void HideFrame();
  void ShowFrame();
  // Whether the crop frame is shown.
  bool FrameShown() const { return view_.FrameVisible(); }
  // The red-eye marker shown at its last place with the focus, or hidden; the magnifier follows.
  void SetMarkerShown(bool shown);
  // The marker's rectangle on the picture view and the size of its handles.
  ScreenRect MarkerRect() const { return view_.MarkerRect(); }
  int MarkerBoxSize() const { return view_.MarkerBoxSize(); }
  // The opacity the view draws outside the selection: 255 while side stripes are on (there is
  // no selection; the whole enlarged picture is what is saved), else MasterAlpha.
  int DisplayAlpha() const;
  // Writes DisplayAlpha into the view when it differs from what the view has.
  void RefreshDisplayAlpha();

  // Places the picture view in the panel, computes the grid, and places the frame too.
  void FitPictureIntoPanel(bool placeFrameToo);
  // The panel changed its size.
  void imagePanelResize();

  // Sets MasterAlpha (the setting's value at start), kept within 0..255; the dimming commands
  // and the view follow.
  void SetMasterAlpha(int alpha);
  // Enables the two step dimming commands for the current MasterAlpha.
  void RefreshDimmingCommands();

  // The lossless decision for the picture on screen (the rules: output/lossless.h).
  FileTypeChoice DefaultFileType() const;
  // Sets the type buttons from the records: `onlyCurrent` colours the button of the picture on
  // screen; otherwise every built entry not shown yet takes the default type and its block size.
  void RefreshTypeButtons(bool onlyCurrent);
  // Every record not shown yet takes the default type and its block size, also those whose
  // strip entry the file-list thread has not built yet (after the settings were saved). A record
  // that holds a selection keeps its type, as the selection is stored in blocks of its block size.
  void GiveRecordsNotShownTheDefaultType();
  void LosslessLost();
  void LosslessCheck();
  // The picture on screen holds a correction: "JPG (verlustfrei)" goes off, and a selection on
  // the block grid moves to the pixel grid without a note (records written by older releases
  // may hold corrected pictures with block size 16).
  void KeepCorrectedPictureOffBlockGrid();
  // A type menu entry chosen for the picture on screen: the grid its tag asks for, the type
  // word into the record, the format fitted anew. False (nothing done) for "JPG (verlustfrei)"
  // while it is disabled.
  bool ChooseTypeOfShownPicture(const TypeMenuEntry& entry);
  // The selection onto the pixel grid (BlockSize 1, the four values x 16) and onto the
  // 16-pixel grid (BlockSize 16, the four values div 16); the grid is computed anew.
  void UsePixelGrid();
  void UseBlockGrid();
  // Whether "JPG (verlustfrei)" is enabled.
  bool LosslessEntryEnabled() const { return losslessEnabled_; }

  // The format applied to the picture.
  const FormatRecord& CurrentFormat() const { return formats_.CurrentFormat; }

 private:
  void Step(SelectionCommand direction);
  void ToEdge(SelectionCommand edge);
  void Centre();
  void Resize(int step);
  void Minimise();
  void Maximise();
  void Turn();
  void Dim(SelectionCommand command);
  void MarkerCommand(SelectionCommand command);
  void SetLosslessEnabled(bool enabled);
  AppliedCorrections AppliedOnScreen() const;
  CuttingRecord* CurrentRecord();
  bool FrameBeyondView() const;

  FrameView& view_;
  FormatTables& formats_;
  std::vector<CuttingRecord>& records_;
  SettingsAccess& settings_;
  int entry_ = -1;
  int pictureWidth_ = 0;
  int pictureHeight_ = 0;
  bool losslessEnabled_ = true;
  int shownAlpha_ = -1;  // the opacity last written into the view, -1 before the first
};

}  // namespace trimora
