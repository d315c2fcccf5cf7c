// The main window TKvMainForm: the skinned frame with four status panels, the band bar with
// the menu tool bar and the five tool bars, the magnifier panel, the folder panel with the
// thumbnail strip, the picture panel and the keyboard-help panel; with it the full-screen
// preview and the EXIF/IPTC window. A thin view: menus, tool bars, the context menu and the
// keyboard-help panel are generated from the command table, every event goes to the main
// presenter by command id, and the window shows what it is told.
#pragma once
#include <QImage>
#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/main_presenter.h"
#include "app/main_view.h"

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QScrollArea;
class QToolBar;
class QToolButton;

namespace trimora {
class QtFrameView;
namespace formats {
class TFormatDialog;
}
class TFullScreenDialog;
class TImagePanel;
class ThlvZoom;
namespace metadata {
class TEXIFDialog;
}  // namespace metadata
namespace ui {
class DialogKit;
class TtfXPForm;
class TBandGrip;
class TFlatMenuStyle;
class TXPGradientPanel;
class TXPPanel;
}  // namespace ui
}  // namespace trimora

namespace trimora::app {

class TInfoDialog;
class TOptionsDialog;

// The private message the window posts to itself after the first showing.
inline constexpr int kStartMessage = 1027;

// The main window.
class TKvMainForm : public QWidget, public MainView {
  Q_OBJECT

 public:
  // Builds the window and its presenter, which runs the set-up (settings, the format tables of
  // `formatFolder`, the default format). `outside` starts the help program and the guide viewer
  // (the platform's when null; tests give their own). The format tables are read from the
  // program folder and the user's copies when `formatFolder` is empty, else from that folder
  // alone.
  explicit TKvMainForm(QWidget* parent = nullptr, OutsidePrograms* outside = nullptr,
                       const std::string& formatFolder = {});
  ~TKvMainForm() override;

  // The presenter of the window.
  MainPresenter& Presenter() { return *presenter_; }
  // The skinned frame.
  ui::TtfXPForm* Frame() const { return frame_; }
  // The dialogs the window offers.
  ui::DialogKit& Dialogs() { return *dialogs_; }
  // The settings dialog and the format definitions dialog.
  TOptionsDialog* OptionsDialogWindow() const { return optionsDialog_; }
  formats::TFormatDialog* FormatDialogWindow() const { return formatDialog_; }
  // True until the start message has been handled.
  bool StartingUp() const { return presenter_->StartingUp(); }
  // A folder or picture handed over by a later start of the program: the window comes to the
  // front and opens it (MainPresenter::OpenPath) as soon as no dialog, menu or longer task of
  // the program is under way. Of several handed over meanwhile, the last one is opened.
  void OpenHandedOverPath(const std::string& path);
  // Called whenever a picture reached the screen (benchmarks and tests).
  void SetPictureShownHook(std::function<void()> hook) { pictureShown_ = std::move(hook); }
  // The text of status panel `index` as the frame shows it.
  QString StatusPanelText(int index) const;
  // The tool bars by band number 1..5, the band bar and the grip a band is dragged by.
  QToolBar* Band(int number) const { return bands_[static_cast<std::size_t>(number - 1)]; }
  QWidget* CoolBar() const { return coolBar_; }
  QWidget* BandGrip(int number) const;
  // Every control of a command: its menu items, tool button and context-menu item.
  const std::vector<QAction*>& Actions(CommandId id) const { return actions_[Index(id)]; }
  // The keyboard-help panel.
  QWidget* ShortcutPanel() const { return shortcutPanel_; }
  // The picture panel with the picture view and the crop frame.
  TImagePanel* ImagePanel() const { return imagePanel_; }
  // The magnifier, its panel and the folder panel below it.
  ThlvZoom* Magnifier() const { return zoom_; }
  ui::TXPPanel* ZoomPanel() const { return zoomPanel_; }
  QWidget* DirPanel() const { return dirPanel_; }
  // The full-screen preview and the EXIF/IPTC window.
  TFullScreenDialog* FullScreenDialog() const { return fullScreen_; }
  metadata::TEXIFDialog* ExifDialog() const { return exif_; }
  // A menu of the window (the drop-down menus, submenus, the context menu, the format chooser).
  QMenu* Menu(MenuId id) const { return menus_.at(id); }
  // The about box.
  TInfoDialog* InfoDialog() const { return infoDialog_; }
  // True while the menus are painted flat (the Fashion skin).
  bool MenuPainting() const { return menuPainting_; }
  // The check box "Thumbnails anzeigen".
  QCheckBox* ThumbsCheckBox() const { return thumbsCheck_; }

  // MainView.
  void SetStatusPanel(int index, const std::string& text) override;
  int ShowMessageBox(const std::string& title, const std::string& text, int buttons,
                     const std::string& dontShowAgainKey, int width, int height) override;
  std::string ShowInputBox(const std::string& title, const std::string& prompt,
                           const std::string& defaultText) override;
  std::string ChooseFolder(const std::string& title, const std::string& okCaption, int glyphIndex,
                           const std::string& startFolder) override;
  void ShowError(const std::string& text) override;
  void SetBusy(bool busy) override;
  void SetShortcutPanelVisible(bool visible) override;
  void SetStripVisible(bool visible) override;
  void ClearStrip() override;
  void InsertStripEntry(StripEntry entry) override;
  void SetEntryCurrent(int position, bool current) override;
  void SetEntryChecked(int position, bool checked) override;
  void SetEntryCheckEnabled(int position, bool enabled) override;
  void SetEntryCaption(int position, const std::string& caption) override;
  void SetEntryFileType(int position, const std::string& type, bool red) override;
  void SetEntryThumbnail(int position, const Picture& thumbnail,
                         const StripEntryGeometry& geometry) override;
  void HideEntry(int position) override;
  void ScrollToEntry(int position) override;
  void FinishStrip() override;
  void ShowPicture(const Picture& picture) override;
  void ShowPictureWithPreview(const Picture& picture, const Picture& preview) override;
  void ShowPictureWithDisplayCopy(const Picture& picture, Picture displayCopy) override;
  void ClearPicture() override;
  void ShowPanelBackground(bool show) override;
  void PostFullScreenRefresh() override;
  void SetCommandEnabled(CommandId id, bool enabled) override;
  void SetCommandChecked(CommandId id, bool checked) override;
  void SetCommandCaption(CommandId id, const std::string& caption) override;
  void SetCommandHint(CommandId id, const std::string& hint) override;
  void PlaceBands(const std::vector<ui::BandPlace>& places) override;
  void ShiftBelowBandBar(int pixels) override;
  void SetWindowMinimumWidth(int width) override;
  void SetWindowWidth(int width, int left) override;
  void SetFormatMenu(FormatMenu menu, const std::vector<FormatMenuEntry>& entries) override;
  void CheckFormatMenu(FormatMenu menu, std::int32_t formatId) override;
  void ShowFormatPopup(FormatPopupPlace place) override;
  void RedrawPicturePart(const Picture& picture, const PixelRect& part) override;
  void SetFrameActive(bool active) override;
  void PlaceExifWindow(const WindowRect& rect) override;
  // MagnifierView.
  void SetMagnifierActive(bool active) override;
  void SetMagnifierShown(bool shown) override;
  void SetMagnifierZoomLevel(int level) override;
  void RefreshMagnifier() override;
  void LayOutMagnifierPanel(const MagnifierPanel& panel) override;
  // FullScreenView.
  void ShowFullScreenContent(FullScreenContent content) override;
  void SetShowCroppedButton(bool down, const std::string& hint) override;
  void RunFullScreen() override;
  void CloseFullScreen() override;
  void ClearFullScreen() override;
  // ExifWindowView.
  void SetExifText(const std::string& text) override;
  void SetExifWindowVisible(bool visible) override;
  void SetExifWindowLook(bool exifActive) override;
  void PlaceWindow(const WindowRect& rect, bool maximized) override;
  void SetHintsShown(bool shown) override { hintsShown_ = shown; }
  int ShowTypeMenu(int position, const std::vector<TypeMenuItem>& items) override;
  OptionsView& OptionsDialog() override;
  FormatDialogView& FormatDialog() override;
  void ShowAboutBox(const std::string& version) override;
  void RepaintPending() override;
  void CloseWindow() override;
  void RemoveShortcut(CommandId id) override;
  void ApplyStandardSkin() override;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct EntryWidgets {
    QWidget* panel = nullptr;
    QToolButton* button = nullptr;
    QCheckBox* check = nullptr;
    QToolButton* type = nullptr;
    int height = 0;
  };

  void BuildMenus();
  void BuildToolBars();
  void BuildLeftColumn();
  void BuildPicturePanel();
  void BuildShortcutPanel();
  void BuildViewingWindows();
  PointerTarget TargetOf(const QWidget* widget) const;
  QAction* AddMenuItem(QMenu* menu, const CommandRow& row);
  void Register(CommandId id, QAction* action);
  void AddGrip(int band);
  // The flat menu painting of the Fashion skin on or off for every menu of the window.
  void SetMenuPainting(bool on);
  void ReportBandBarWidth();
  void StackEntries();
  void CentreShortcutPanel();
  void TakeHandedOverPath();
  bool MenuHelpKey(QObject* watched, QEvent* event);

  ui::TtfXPForm* frame_ = nullptr;
  ui::TXPGradientPanel* content_ = nullptr;
  QWidget* coolBar_ = nullptr;
  QToolBar* menuToolBar_ = nullptr;
  QWidget* bandRow_ = nullptr;
  std::array<QToolBar*, 5> bands_{};
  std::array<ui::TBandGrip*, 5> grips_{};  // at the left end of each band
  std::map<MenuId, QMenu*> menus_;
  ui::TXPPanel* zoomPanel_ = nullptr;
  ThlvZoom* zoom_ = nullptr;
  QLabel* zoomLabel_ = nullptr;
  QWidget* dirPanel_ = nullptr;
  QCheckBox* thumbsCheck_ = nullptr;
  QScrollArea* scrollBox_ = nullptr;
  QWidget* strip_ = nullptr;
  std::vector<EntryWidgets> entries_;
  QColor entryColor_;         // strip entries
  QColor currentEntryColor_;  // the entry of the picture shown
  bool stripFinished_ = false;
  TImagePanel* imagePanel_ = nullptr;
  QWidget* shortcutPanel_ = nullptr;
  std::array<QLabel*, 4> plainStatus_{};
  QWidget* statusBar_ = nullptr;

  std::array<std::vector<QAction*>, kCommandCount> actions_;
  std::array<std::vector<QAction*>, kCommandCount> menuItems_;
  std::array<std::vector<QAction*>, kCommandCount> toolItems_;
  std::unique_ptr<OutsidePrograms> ownOutside_;
  std::unique_ptr<QtFrameView> frameWidgets_;
  std::unique_ptr<ui::DialogKit> dialogs_;
  formats::TFormatDialog* formatDialog_ = nullptr;
  TOptionsDialog* optionsDialog_ = nullptr;
  TFullScreenDialog* fullScreen_ = nullptr;
  metadata::TEXIFDialog* exif_ = nullptr;
  bool exifShownWithWindow_ = false;  // shown when the window itself is first shown
  TInfoDialog* infoDialog_ = nullptr;
  std::unique_ptr<MainPresenter> presenter_;
  std::unique_ptr<ui::TFlatMenuStyle> menuStyle_;
  bool menuPainting_ = false;

  bool pictureOnScreen_ = false;
  bool startPosted_ = false;
  int busy_ = 0;
  bool hintsShown_ = true;
  std::string handedOver_;  // waiting to be opened
  std::function<void()> pictureShown_;
};

}  // namespace trimora::app
