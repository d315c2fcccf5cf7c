// The main window's behaviour, plain C++: it owns the window's state (the command states, the
// crop-and-save run's SavingInProgress, the band bar, the window's place and the settings it
// read), runs every command of menus, tool bars, the context menu and the keys by its id, and
// delegates to the folder, frame, magnifier, full-screen and EXIF window presenters. The window
// itself (MainView) is only written to.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/command_states.h"
#include "app/commands.h"
#include "app/format_chooser.h"
#include "app/key_map.h"
#include "app/main_settings.h"
#include "app/main_view.h"
#include "app/outside_programs.h"
#include "folder/folder_presenter.h"
#include "formats/format_tables.h"
#include "frame/frame_controller_adapter.h"
#include "frame/frame_presenter.h"
#include "frame/full_screen.h"
#include "frame/magnifier.h"
#include "imaging/correction_presenter.h"
#include "metadata/exif_window.h"
#include "output/crop_and_save.h"

namespace trimora {

// The support address of the keyboard-help panel's link.
inline constexpr const char* kSupportAddress = "support@trimora.de";
// The product's home page ("Homepage").
inline constexpr const char* kHomePage = "https://www.trimora.de";
// The window class of the outside help program and of the quick-start guide viewer.
inline constexpr const char* kHelpWindowClass = "THelpDialog";
inline constexpr const char* kGuideWindowClass = "TBrevioDialog";
// The program files of the help program and of the guide viewer.
inline constexpr const char* kHelpProgram = "Help";
inline constexpr const char* kGuideProgram = "Brevio";
// The program file of the main program itself (started again to change the skin).
inline constexpr const char* kMainProgram = "Trimora2";

// The presenter of the main window.
class MainPresenter : private FolderHost {
 public:
  // Sets the window up: reads the settings, the format tables from `formatFiles` and the
  // default format, places the window on `desktop`, and writes the start state of every command
  // into `view`. `frameWidgets` is the crop frame's part of the window (the picture panel,
  // the picture view, the frame and the red-eye marker); `wake` is called from the file-list
  // thread when a hand-over waits (it must make the main thread call RunHandOvers soon).
  MainPresenter(MainView& view, FrameWidgets& frameWidgets, OutsidePrograms& outside,
                const FormatFileFolders& formatFiles, const WindowRect& desktop,
                std::function<void()> wake);
  ~MainPresenter() override;

  MainPresenter(const MainPresenter&) = delete;
  MainPresenter& operator=(const MainPresenter&) = delete;

  // Events of the window.

  // Runs a command from a menu, a tool button or the context menu (or a key); a disabled
  // command does nothing.
  void Run(CommandId id);
  // A key press; true when it belongs to the keyboard map (it ran its command, or it was
  // swallowed), false when the control under it may have it.
  bool KeyPressed(const KeyPress& press);
  // A wheel turn of `delta` anywhere in the window: one size step of the selection. Keys and
  // the wheel do nothing until the start has finished.
  void Wheel(int delta);
  // The window has been shown and painted for the first time (the deferred start message).
  void FinishStart();
  // Opens a folder given from outside (the command line, or a later start handing it over):
  // the folder, or for a file the folder it lies in, showing that picture when its strip entry
  // is built. Before the start has finished, the path waits for it.
  void OpenPath(const std::string& path);
  // The window's normal place changed, or it was maximised or restored (kept for the settings).
  void WindowPlaced(const WindowRect& normal, bool maximized);
  // The picture panel has a new size.
  void PanelResized(int width, int height);
  // The window is `windowWidth` wide now and its band bar `barWidth`: the bands are laid out
  // again.
  void WindowResized(int windowWidth, int barWidth);
  // The tool bars of bands 1 to 5 need `widths` to show all their buttons: a band's minimum
  // width becomes the larger of this and its designed one (the format band's is its tool
  // bar's width, which follows its caption).
  void ToolBarsMeasured(const std::array<int, 5>& widths);
  // The format tool bar is `width` wide after its caption changed.
  void FormatToolBarResized(int width);
  // Band `band` was dragged by its grip and let go with its left edge at `left` in the row:
  // it takes the place it reached and the bands are put back on one row.
  void BandDropped(int band, int left);
  // A click on the picture of strip entry `position`.
  void EntryClicked(int position);
  // A click on the save check box of strip entry `position`, which now shows `checked`.
  void EntryCheckClicked(int position, bool checked);
  // The delete and rename buttons of strip entry `position`.
  void DeleteClicked(int position);
  void RenameClicked(int position);
  // The file-type button of strip entry `position`: the type menu, then the chosen type.
  void TypeButtonClicked(int position);
  // "Thumbnails anzeigen" was switched to `checked`.
  void ThumbnailsToggled(bool checked);
  // The application-wide hook saw the pointer move over `target`; `appActive` while the program
  // is the active application. Nothing happens until the start has finished.
  void PointerMoved(PointerTarget target, bool appActive);
  // RefreshZoom: the screen changed under the pointer (a frame move or resize, a dimming step,
  // a correction, the end of the full-screen preview); the magnifier shows it at once.
  void RefreshZoom() { magnifier_.Refresh(); }
  // A key or a button of the full-screen preview, and its posted refresh message (1028).
  void FullScreenKey(const KeyPress& press) { fullScreen_.KeyPressed(press); }
  void FullScreenButton(FullScreenAction action) { fullScreen_.Run(action); }
  void FullScreenRefreshPosted() { fullScreen_.Refresh(false); }
  // The EXIF/IPTC window: the cancel key or its close button, its activation, its new place.
  void ExifWindowClosed() { exif_.Hide(); }
  void ExifWindowActivated(bool active) { exif_.Activated(active); }
  void ExifWindowPlaced(const WindowRect& normal) { settings_.exifPlace = normal; }
  // The support address of the keyboard-help panel was clicked: a new e-mail to it.
  void MailSupport();
  // An entry of "&Standardausgabeformat" was chosen.
  void DefaultFormatChosen(std::int32_t formatId);
  // An entry of the format chooser was chosen: the picture on screen gets that format.
  void FormatChosen(std::int32_t formatId);
  // A right click on "Thumbnails anzeigen": the format chooser at the pointer.
  void ThumbnailsRightClicked();
  // Both format menus anew from the format tables (after the format definitions changed).
  void BuildFormatMenus() { chooser_.BuildFormatMenus(); }
  // F1 while the item for `item` (none: a format entry) of `menu` is highlighted: help on the
  // item's context, or on its menu's, or the contents.
  void MenuItemHelp(MenuId menu, std::optional<CommandId> item);
  // Runs the hand-overs the file-list thread is waiting for; returns how many ran.
  int RunHandOvers() { return folder_.RunHandOvers(); }
  // The window closes: guide and help windows are asked to close, the settings written, the
  // thread stopped, the cutting data written when the strip was complete. Runs once.
  void Close();

  // State.

  // Whether a command is enabled (every control of it shows this).
  bool Enabled(CommandId id) const { return enabled_.test(Index(id)); }
  // Whether a check item or toggle button of a command is checked.
  bool Checked(CommandId id) const { return checked_.test(Index(id)); }
  // The state the command rules see now.
  CommandState CurrentCommandState() const;
  // True while the Fashion skin is in force (FashionSkinActive).
  bool FashionSkinActive() const { return fashionSkinActive_; }
  // True until the deferred start message has been handled.
  bool StartingUp() const { return startingUp_; }
  // True on the very first start until the guide has been started.
  bool FirstRun() const { return firstRun_; }
  // True while a crop-and-save run writes.
  bool SavingInProgress() const override { return saveState_.SavingInProgress; }
  // The settings as read at start, with the window's places as they are now; Close brings the
  // magnifier's and the EXIF window's state in and writes them.
  const MainWindowSettings& Settings() const { return settings_; }

  // The parts.
  FolderPresenter& Folder() { return folder_; }
  FramePresenter& Frame() { return frame_; }
  FormatTables& Formats() { return formats_; }
  const MagnifierPresenter& Magnifier() const { return magnifier_; }
  const FullScreenPresenter& FullScreen() const { return fullScreen_; }
  const metadata::ExifWindowPresenter& Exif() const { return exif_; }
  CorrectionPresenter& Corrections() { return corrections_; }

 private:
  class FrameSide;
  class SaveSide;
  class FullScreenSide;
  class CorrectionSide;

  // FolderHost.
  void UpdateCommandStates(bool active) override;
  void UpdateNavigation() override;
  void PictureShown(const std::string& file) override;

  // Writes the command states that changed into the view.
  void RefreshCommands();
  void SetChecked(CommandId id, bool checked);
  // Shows or hides the band of `bar`; with none, only the format band's width is taken anew
  // (`formatWidth`) and the bands laid out again.
  void ToggleToolBar(std::optional<ToolBarId> bar, std::optional<int> formatWidth = std::nullopt);
  void LayoutBands();
  // Asks the windows of the outside programs owning `classes` to close.
  void CloseOutsideWindows(std::initializer_list<const char*> classes);
  // The skin items: the Standard skin at once; the Fashion skin by a restart when the user
  // agrees.
  void StandardSkinClick();
  void FashionSkinClick();
  void OpenSettings();
  void ApplySavedOptions(const OptionsValues& values);
  void EditFormats();
  // The steps after the format dialog; `tablesChanged`: the dialog changed a format table.
  void AfterFormatDialog(bool tablesChanged);
  void ShowMagnifierCommands();
  void CropAndSave();
  void RotateOriginal(const std::string& angle);
  // Asks before an original off its block grid is turned by encoding it anew (unless the
  // question was switched off); true to go on.
  bool ConfirmRecodedTurn();
  void ShowHelpTopic(int context);
  void StartGuide();

  MainView& view_;
  OutsidePrograms& outside_;
  FormatFileFolders formatFiles_;  // where the format files are read and written
  FormatTables formats_;
  std::unique_ptr<FrameSide> frameSide_;
  std::unique_ptr<SaveSide> saveSide_;
  std::unique_ptr<CorrectionSide> correctionSide_;
  std::unique_ptr<FullScreenSide> fullScreenSide_;
  FolderPresenter folder_;
  FramePresenter frame_;
  PresenterFrameController controller_;
  CorrectionPresenter corrections_;
  FormatChooser chooser_;
  SaveRunState saveState_;
  MainWindowSettings settings_;
  ui::BandBar bands_;
  WindowRect desktop_;
  int windowWidth_ = 0;
  int barWidth_ = 0;
  MagnifierPresenter magnifier_;
  FullScreenPresenter fullScreen_;
  metadata::ExifWindowPresenter exif_;

  bool fashionSkinActive_ = true;  // FashionSkinActive
  bool startingUp_ = true;
  std::string startPath_;  // given before the start had finished
  bool firstRun_ = false;
  bool closed_ = false;
  bool active_ = false;
  CommandSet available_;       // built commands whose programs are there
  CommandSet enabled_;         // as the view shows them
  CommandSet checked_;         // as the view shows them
  CommandSet checkedWritten_;  // written at least once
  bool commandsWritten_ = false;
};

}  // namespace trimora
