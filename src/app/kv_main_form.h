// The main window TKvMainForm: the skinned frame with four status panels, the band bar with
// the menu tool bar and the five tool bars, the magnifier panel, the folder panel with the
// thumbnail strip, the picture panel and the keyboard-help panel. A thin view: the folder
// presenter decides, this window shows.
#pragma once
#include <QImage>
#include <QWidget>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "folder/folder_presenter.h"
#include "folder/main_view.h"
#include "formats/format_tables.h"

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QScrollArea;
class QToolBar;
class QToolButton;

namespace trimora {
class ClassListener;
class TImagePanel;
namespace ui {
class DialogKit;
class TtfXPForm;
class TXPGradientPanel;
class TXPPanel;
}  // namespace ui
}  // namespace trimora

namespace trimora::app {

// The support address of the keyboard-help panel's link.
inline constexpr const char* kSupportAddress = "support@trimora.de";
// The product's home page ("Homepage").
inline constexpr const char* kHomePage = "https://www.trimora.de";
// The private message the window posts to itself after the first showing.
inline constexpr int kStartMessage = 1027;

class MainFrameWiring;

// The main window.
class TKvMainForm : public QWidget, public MainView {
  Q_OBJECT
  friend class MainFrameWiring;

 public:
  // Builds the window and runs its set-up (LoadSettings, format tables, default format).
  explicit TKvMainForm(QWidget* parent = nullptr);
  ~TKvMainForm() override;

  // The presenter of folder and picture.
  FolderPresenter& Presenter() { return *presenter_; }
  // The skinned frame.
  ui::TtfXPForm* Frame() const { return frame_; }
  // The dialogs the window offers.
  ui::DialogKit& Dialogs() { return *dialogs_; }
  // True until the start message has been handled.
  bool StartingUp() const { return startingUp_; }
  // True on the very first start (no saved window height) until the first showing.
  bool FirstRun() const { return firstRun_; }
  // The command run when the first run starts the quick-start guide (tests replace it).
  void SetGuideStarter(std::function<void()> starter) { guideStarter_ = std::move(starter); }
  // Called whenever a picture reached the screen (benchmarks and tests).
  void SetPictureShownHook(std::function<void()> hook) { pictureShown_ = std::move(hook); }
  // Hint texts on or off for every window of the program (setting ShowHints).
  void SetHintsShown(bool shown) { hintsShown_ = shown; }
  // The text of status panel `index` as the frame shows it.
  QString StatusPanelText(int index) const;
  // The tool bars by band number 1..5.
  QToolBar* Band(int number) const { return bands_[static_cast<std::size_t>(number - 1)]; }
  // The band numbers in their current order.
  const std::vector<int>& BandOrder() const { return bandOrder_; }
  // The menu item "&Quellverzeichnis wählen ..." and the other items by command.
  const std::vector<QAction*>& CommandActions(Command command) const {
    return commandActions_[static_cast<std::size_t>(command)];
  }
  // The keyboard-help panel.
  QWidget* ShortcutPanel() const { return shortcutPanel_; }
  // The picture panel with the picture view and the crop frame.
  TImagePanel* ImagePanel() const { return imagePanel_; }
  // The crop frame's presenter and view.
  MainFrameWiring& FrameWiring() { return *frameWiring_; }

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
  void SetCommandEnabled(Command command, bool enabled) override;
  void SetCommandDown(Command command, bool down) override;
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
  void ClearPicture() override;
  void ShowPanelBackground(bool show) override;
  void PostFullScreenRefresh() override {}

  // Handles a key as the keyboard map says; true when it was taken.
  bool HandleKey(int key, Qt::KeyboardModifiers modifiers);
  // The help hook: context help for `context` (command 1).
  void ShowHelpTopic(int command, int context);

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
  QAction* AddItem(QMenu* menu, const QString& caption, const QString& shortcut,
                   std::function<void()> action = {});
  void Govern(Command command, QAction* action);
  void LoadSettings();
  void SaveSettings();
  void ApplyBandOrder(const QString& order);
  void ToggleToolBar(int number);
  void LayoutBands();
  void StackEntries();
  void CentreShortcutPanel();
  void OpenTypeMenu(int position);
  void ShowInfo();
  void StartGuide();
  void FinishStart();

  ui::TtfXPForm* frame_ = nullptr;
  ui::TXPGradientPanel* content_ = nullptr;
  QWidget* coolBar_ = nullptr;
  QToolBar* menuToolBar_ = nullptr;
  QWidget* bandRow_ = nullptr;
  std::array<QToolBar*, 5> bands_{};
  std::array<QAction*, 5> bandItems_{};
  std::vector<int> bandOrder_{1, 2, 3, 4, 5};
  QToolButton* formatButton_ = nullptr;
  ui::TXPPanel* zoomPanel_ = nullptr;
  QLabel* zoomLabel_ = nullptr;
  QToolButton* zoomPause_ = nullptr;
  QAction* zoomItem_ = nullptr;
  QWidget* dirPanel_ = nullptr;
  QCheckBox* thumbsCheck_ = nullptr;
  QScrollArea* scrollBox_ = nullptr;
  QWidget* strip_ = nullptr;
  std::vector<EntryWidgets> entries_;
  TImagePanel* imagePanel_ = nullptr;
  QWidget* shortcutPanel_ = nullptr;
  std::array<QLabel*, 4> plainStatus_{};
  QWidget* statusBar_ = nullptr;

  FormatTables formats_;
  std::unique_ptr<FolderPresenter> presenter_;
  std::unique_ptr<ui::DialogKit> dialogs_;
  std::unique_ptr<MainFrameWiring> frameWiring_;
  std::array<std::vector<QAction*>, kCommandCount> commandActions_;

  bool startingUp_ = true;
  bool firstRun_ = false;
  bool closing_ = false;
  bool startPosted_ = false;
  int zoomLevel_ = 50;
  int masterAlpha_ = 105;
  std::array<int, 4> exifPlace_{};
  bool exifVisible_ = false;
  int busy_ = 0;
  bool hintsShown_ = true;
  std::function<void()> guideStarter_;
  std::function<void()> pictureShown_;
};

}  // namespace trimora::app
