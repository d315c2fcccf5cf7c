#include "app/main_presenter.h"

#include <array>
#include <utility>

#include "imaging/enlarge.h"
#include "output/jpegtran.h"
#include "output/turn_original.h"
#include "platform/error.h"
#include "platform/error_text.h"
#include "platform/files.h"
#include "platform/instance.h"
#include "platform/paths.h"
#include "platform/settings.h"
#include "platform/settings_schema.h"
#include "platform/version.h"
#include "tables/table_file.h"

namespace trimora {

namespace {

// The designed minimum widths of bands 1 to 5.
std::array<int, 5> DesignedBandWidths() {
  std::array<int, 5> widths{};
  for (const ToolBarRow& row : ToolBarTable()) {
    if (row.band > 0) widths[static_cast<std::size_t>(row.band - 1)] = row.minimumWidth;
  }
  return widths;
}

// The help context of "&Inhalt" and of "Häufig gestellte Fragen".
constexpr int kContentsContext = 0;
constexpr int kFaqContext = 25;

}  // namespace

// The crop frame's view: the frame's widgets for what they draw, the main window for the rest.
class MainPresenter::FrameSide : public ForwardingFrameView {
 public:
  FrameSide(MainPresenter& main, FrameWidgets& widgets)
      : ForwardingFrameView(widgets), main_(main) {}

  bool MarkerVisible() const override { return main_.corrections_.Marking(); }
  void EndRedEyeMarking() override { main_.corrections_.CancelRedEyeMarking(); }
  bool Reshowing() const override { return main_.corrections_.Reshowing(); }
  void FormatApplied(std::int32_t formatId) override { main_.chooser_.FormatApplied(formatId); }
  // The picture view has its selection overlay (made by the first selection redraw), and the
  // crop frame is shown.
  bool overlayMade = false;
  bool frameShown = false;

  bool FullScreenVisible() const override { return main_.fullScreen_.IsOpen(); }
  void SetFrameVisible(bool visible) override {
    frameShown = visible;
    widgets_.SetFrameVisible(visible);
  }
  // Whatever changes the picture on screen refreshes the magnifier.
  void SelectionRedraw(const ScreenRect& frame) override {
    overlayMade = true;
    widgets_.SelectionRedraw(frame);
    main_.RefreshZoom();
  }
  void MarkerChanged() override {
    widgets_.MarkerChanged();
    main_.RefreshZoom();
  }
  void RebuildDisplayCopy() override {
    widgets_.RebuildDisplayCopy();
    main_.RefreshZoom();
  }
  void OutsideAlphaChanged(int masterAlpha, bool force) override {
    widgets_.OutsideAlphaChanged(masterAlpha, force);
    main_.RefreshZoom();
  }
  bool PicturesListed() const override { return main_.folder_.ThumbnailCount() > 0; }
  bool CorrectionApplied(Correction which) const override {
    const ShownCorrections& shown = main_.folder_.Corrections();
    switch (which) {
      case Correction::RedEye:
        return shown.redEye;
      case Correction::AutoCorrection:
        return shown.autoCorrection;
      case Correction::Enlargement:
        return shown.enlarged;
    }
    return false;
  }
  // The enabling of the size and dimming commands follows from the state.
  void SetCommandEnabled(FrameCommand, bool) override { main_.RefreshCommands(); }
  int ShowMessageBox(const std::string& title, const std::string& text, int buttons,
                     const std::string& dontShowAgainKey, int width, int height) override {
    // A picture being shown stands behind the box, not the one before it.
    main_.folder_.FlushShownPicture();
    return main_.view_.ShowMessageBox(title, text, buttons, dontShowAgainKey, width, height);
  }
  void SetStatusText(int panel, const std::string& text) override {
    main_.folder_.SetStatusText(panel, text);
  }
  void MarkCurrentForSaving(bool value, bool disableBox) override {
    main_.folder_.MarkForSaving(value, -1, disableBox);
  }
  void EnableCurrentMarkBox() override {
    main_.folder_.EnableMarkBox(main_.folder_.CurrentPosition());
  }
  void MarkEntryForSaving(int entry) override { main_.folder_.MarkForSaving(true, entry, false); }
  void UpdateCommandStates(bool active) override { main_.UpdateCommandStates(active); }
  void SetChooserCaption(const std::string& caption) override {
    main_.view_.SetCommandCaption(CommandId::FormatButton, caption);
  }
  void RepaintWindow() override {
    main_.folder_.FlushShownPicture();
    main_.view_.RepaintPending();
  }
  void SetBusyCursor(bool busy) override { main_.view_.SetBusy(busy); }

  int StripEntryCount() const override { return main_.folder_.ThumbnailCount(); }
  void SetTypeButton(int entry, const std::string& caption, bool red) override {
    main_.view_.SetEntryFileType(entry, caption, red);
  }

 private:
  MainPresenter& main_;
};

// The crop-and-save run's person: the window's dialogs and status panels.
class MainPresenter::SaveSide : public SaveRunView {
 public:
  explicit SaveSide(MainPresenter& main) : main_(main) {}
  std::string ChooseFolder(const std::string& title, const std::string& okCaption, int glyphIndex,
                           const std::string& startFolder) override {
    return main_.view_.ChooseFolder(title, okCaption, glyphIndex, startFolder);
  }
  int ShowMessageBox(const std::string& title, const std::string& text, int buttons, int width,
                     int height) override {
    return main_.view_.ShowMessageBox(title, text, buttons, "", width, height);
  }
  void SetStatusText(int panel, const std::string& text) override {
    main_.folder_.SetStatusText(panel, text);
  }
  void RepaintPending() override { main_.view_.RepaintPending(); }
  void SetBusy(bool busy) override { main_.view_.SetBusy(busy); }

 private:
  MainPresenter& main_;
};

// The full-screen preview's host: the picture on show, the window's frame and commands.
class MainPresenter::FullScreenSide : public FullScreenHost {
 public:
  explicit FullScreenSide(MainPresenter& main) : main_(main) {}
  bool PictureEnlarged() const override { return main_.folder_.Corrections().enlarged; }
  bool PartMarked() const override {
    return main_.frameSide_->overlayMade && main_.frameSide_->frameShown;
  }
  void SetMainFrameActive(bool active) override { main_.view_.SetFrameActive(active); }
  void RunFromFullScreen(CommandId command) override { main_.Run(command); }
  void FullScreenClosed() override {
    main_.view_.RepaintPending();
    main_.RefreshZoom();
  }

 private:
  MainPresenter& main_;
};

// The corrections' person: the window's dialogs, cursor and command states.
class MainPresenter::CorrectionSide : public CorrectionView {
 public:
  explicit CorrectionSide(MainPresenter& main) : main_(main) {}
  int ShowMessageBox(const std::string& title, const std::string& text, int buttons,
                     const std::string& dontShowAgainKey, int width, int height) override {
    return main_.view_.ShowMessageBox(title, text, buttons, dontShowAgainKey, width, height);
  }
  void ShowError(const std::string& text) override { main_.view_.ShowError(text); }
  void SetBusy(bool busy) override { main_.view_.SetBusy(busy); }
  // Every correction step ends here, after the picture on screen changed: the commands follow
  // and the magnifier shows the new picture under a resting pointer.
  void CommandsChanged() override {
    main_.RefreshCommands();
    main_.RefreshZoom();
  }
  bool SavingInProgress() const override { return main_.SavingInProgress(); }

 private:
  MainPresenter& main_;
};

MainPresenter::MainPresenter(MainView& view, FrameWidgets& frameWidgets, OutsidePrograms& outside,
                             const FormatFileFolders& formatFiles, const WindowRect& desktop,
                             std::function<void()> wake)
    : view_(view),
      outside_(outside),
      formatFiles_(formatFiles),
      frameSide_(std::make_unique<FrameSide>(*this, frameWidgets)),
      saveSide_(std::make_unique<SaveSide>(*this)),
      correctionSide_(std::make_unique<CorrectionSide>(*this)),
      fullScreenSide_(std::make_unique<FullScreenSide>(*this)),
      folder_(view, *this, formats_, StoredSettings(), std::move(wake)),
      frame_(*frameSide_, formats_, folder_.Records(), StoredSettings()),
      controller_(frame_, *frameSide_),
      corrections_(*correctionSide_, folder_, frame_, formats_, StoredSettings()),
      chooser_(view, formats_, folder_, frame_, corrections_),
      bands_(DesignedBandWidths()),
      desktop_(desktop),
      magnifier_(view),
      fullScreen_(view, *fullScreenSide_),
      exif_(view) {
  // Settings: the window's place, the folder's and the frame's values. Keys that reads create
  // are written once, at the end of the start.
  const SettingsBatch batch;
  settings_ = LoadMainWindowSettings(desktop);
  const StartPlacement place = PlaceAtStart(settings_, desktop);
  firstRun_ = place.firstRun;
  WindowPlaced(place.rect, place.maximized);
  view_.PlaceWindow(place.rect, place.maximized);
  const FolderSettings folderSettings = LoadFolderSettings();
  folder_.ApplySettings(folderSettings);
  folder_.SetFrameController(&controller_);
  frame_.fileTypes =
      FileTypeDefaults::FromSettings(Read(setting::kFileFormat1), Read(setting::kFileFormat2));
  frame_.InitBlockSize();
  frame_.SetMasterAlpha(Read(setting::kMasterAlpha));
  frameWidgets.OutsideAlphaChanged(frame_.MasterAlpha, false);

  // The format tables and the default format, applied while no picture is shown.
  formats_.LoadFormatTables(formatFiles);
  formats_.LoadDefaultFormat(folderSettings.formatId);
  frame_.ApplyFormat(formats_.DefaultFormat.FormatID, true);
  chooser_.BuildFormatMenus();

  // The commands: those whose program is missing stay disabled like those not built yet.
  available_ = BuiltCommands();
  if (!outside_.Present(kHelpProgram)) {
    available_.reset(Index(CommandId::HelpContents));
    available_.reset(Index(CommandId::Faq));
  }
  if (!outside_.Present(kGuideProgram)) available_.reset(Index(CommandId::QuickGuide));
  RefreshCommands();
  SetChecked(CommandId::FashionSkin, true);
  SetChecked(CommandId::StandardSkin, false);
  magnifier_.Start(settings_.zoomLevel, settings_.zoomActive);
  ShowMagnifierCommands();
  // The bands: the stored order, then every tool bar whose stored visibility differs from the
  // designed one (files, correction, rotate and format shown, navigation hidden) toggled.
  windowWidth_ = barWidth_ = place.rect.width;
  bands_.SetOrder(settings_.bandOrder);
  for (const ToolBarRow& bar : ToolBarTable()) {
    if (bar.band <= 0) continue;
    const bool designed = bar.band != 5;
    bands_.SetVisible(bar.band, designed);
    SetChecked(bar.toggle, designed);
  }
  for (const ToolBarRow& bar : ToolBarTable()) {
    if (bar.band > 0 &&
        settings_.bandsShown[static_cast<std::size_t>(bar.band - 1)] != bands_.Visible(bar.band))
      ToggleToolBar(bar.id);
  }
  LayoutBands();
  view_.SetHintsShown(settings_.showHints);
  view_.SetShortcutPanelVisible(true);
  view_.PlaceExifWindow(settings_.exifPlace);
  exif_.Start(settings_.exifVisible);
  if (Read(setting::kStandardSkin)) StandardSkinClick();
}

MainPresenter::~MainPresenter() { folder_.StopThread(); }

CommandState MainPresenter::CurrentCommandState() const {
  CommandState s;
  s.active = active_;
  const ShownCorrections& shown = folder_.Corrections();
  s.enlarged = shown.enlarged;
  s.corrected = shown.autoCorrection;
  s.redEyeAvailable = shown.redEyeAvailable;
  s.redEyeFiltered = shown.redEye;
  s.redEyeFrameVisible = corrections_.Marking();
  s.scalable = formats_.CurrentFormat.FormatID >= 0;
  const NavigationState navigation = folder_.Navigation();
  s.canGoBack = navigation.back;
  s.canGoForward = navigation.forward;
  s.masterAlpha = frame_.MasterAlpha;
  s.zoomLevel = magnifier_.ZoomLevel();
  return s;
}

void MainPresenter::RefreshCommands() {
  const CommandState state = CurrentCommandState();
  const CommandSet now = EnabledCommands(state) & available_;
  for (std::size_t i = 0; i < kCommandCount; ++i) {
    if (!commandsWritten_ || now[i] != enabled_[i]) {
      view_.SetCommandEnabled(static_cast<CommandId>(i), now[i]);
    }
  }
  enabled_ = now;
  commandsWritten_ = true;
  SetChecked(CommandId::CorrectionButton, state.corrected);
  SetChecked(CommandId::EnlargeButton, state.enlarged);
}

void MainPresenter::SetChecked(CommandId id, bool checked) {
  if (checkedWritten_.test(Index(id)) && checked_.test(Index(id)) == checked) return;
  checked_.set(Index(id), checked);
  checkedWritten_.set(Index(id));
  view_.SetCommandChecked(id, checked);
}

void MainPresenter::UpdateCommandStates(bool active) {
  active_ = active;
  if (!active) frame_.ClearCurrentPicture();
  RefreshCommands();
}

void MainPresenter::UpdateNavigation() { RefreshCommands(); }

void MainPresenter::PictureShown(const std::string& file) {
  RefreshZoom();
  exif_.PictureShown(file, frameSide_->Reshowing());
}

void MainPresenter::ShowMagnifierCommands() {
  const bool paused = magnifier_.Paused();
  SetChecked(CommandId::ZoomPause, paused);
  const char* caption = paused ? kZoomResumeCaption : Row(CommandId::ZoomPause).caption;
  view_.SetCommandCaption(CommandId::ZoomPause, caption);
  view_.SetCommandHint(CommandId::ZoomPause, caption);
}

void MainPresenter::PointerMoved(PointerTarget target, bool appActive) {
  if (startingUp_) return;
  magnifier_.PointerMoved(target, appActive, folder_.ThumbnailsOn());
}

void MainPresenter::Run(CommandId id) {
  if (!Enabled(id)) return;
  if (const std::optional<SelectionCommand> selection = SelectionCommandOf(id)) {
    frame_.Run(*selection);
    RefreshCommands();
    return;
  }
  switch (id) {
    case CommandId::ChooseSourceFolder:
      folder_.ChooseSourceFolder();
      break;
    case CommandId::CropAndSave:
      CropAndSave();
      break;
    case CommandId::ResetFolder:
      folder_.ResetFolder();
      break;
    case CommandId::MarkForSaving:
      folder_.MarkForSaving(true, -1, false);
      break;
    case CommandId::UnmarkForSaving:
      folder_.MarkForSaving(false, -1, false);
      break;
    case CommandId::RotatePlus90:
      RotateOriginal("90");
      break;
    case CommandId::RotateMinus90:
      RotateOriginal("270");
      break;
    case CommandId::FirstPicture:
      folder_.FirstPicture();
      break;
    case CommandId::PreviousPicture:
      folder_.PreviousPicture();
      break;
    case CommandId::NextPicture:
      folder_.NextPicture();
      break;
    case CommandId::LastPicture:
      folder_.LastPicture();
      break;
    case CommandId::Settings:
      OpenSettings();
      break;
    case CommandId::FormatDefinitions:
      EditFormats();
      break;
    case CommandId::Quit:
      view_.CloseWindow();
      return;
    case CommandId::StandardSkin:
      StandardSkinClick();
      break;
    case CommandId::FashionSkin:
      FashionSkinClick();
      return;
    case CommandId::HelpContents:
      ShowHelpTopic(kContentsContext);
      break;
    case CommandId::Faq:
      ShowHelpTopic(kFaqContext);
      break;
    case CommandId::QuickGuide:
      StartGuide();
      break;
    case CommandId::HomePage:
      outside_.OpenAddress(kHomePage);
      break;
    case CommandId::About:
      view_.ShowAboutBox(ProgramVersion());
      RefreshZoom();
      break;
    case CommandId::ExifInfo:
      exif_.Open(folder_.CurrentFile());
      break;
    case CommandId::FullScreen:
      fullScreen_.Show();
      break;
    case CommandId::ZoomPause:
      magnifier_.TogglePause();
      ShowMagnifierCommands();
      break;
    case CommandId::ZoomIn:
      magnifier_.ZoomIn();
      ShowMagnifierCommands();
      break;
    case CommandId::ZoomOut:
      magnifier_.ZoomOut();
      ShowMagnifierCommands();
      break;
    case CommandId::RedEyeFilter:
      corrections_.StartRedEyeMarking();
      break;
    case CommandId::ApplyRedEye:
      corrections_.ApplyRedEye();
      break;
    case CommandId::CancelRedEye:
      corrections_.CancelRedEyeMarking();
      break;
    case CommandId::RedEyeRemove:
      corrections_.RemoveLastRedEye();
      break;
    case CommandId::CorrectionButton:
    case CommandId::AutoCorrect:
      corrections_.CorrectionButtonClick();
      break;
    case CommandId::AutoCorrectUndo:
      corrections_.UndoCorrection();
      break;
    case CommandId::EnlargeButton:
    case CommandId::Enlarge:
      corrections_.EnlargeButtonClick();
      break;
    case CommandId::EnlargeRemove:
      corrections_.RemoveEnlargement();
      break;
    case CommandId::FormatButton:
    case CommandId::FormatForCurrent:
      chooser_.ChooseFormatButtonClick(FormatPopupPlace::BelowFormatButton);
      break;
    default:
      if (const std::optional<ToolBarId> bar = ToolBarOfToggle(id)) ToggleToolBar(bar);
      break;
  }
  RefreshCommands();
}

bool MainPresenter::KeyPressed(const KeyPress& press) {
  if (startingUp_) return false;
  const KeyState state{formats_.CurrentFormat.FormatID <= 0, corrections_.Marking(),
                       !fashionSkinActive_};
  if (const std::optional<CommandId> id = CommandForKey(press, state)) {
    Run(*id);
    return true;
  }
  return KeySwallowed(press, state);
}

void MainPresenter::Wheel(int delta) {
  if (!startingUp_) Run(CommandForWheel(delta));
}

void MainPresenter::FinishStart() {
  startingUp_ = false;
  if (firstRun_) {
    firstRun_ = false;
    StartGuide();
  }
  if (!startPath_.empty()) OpenPath(std::exchange(startPath_, {}));
}

void MainPresenter::OpenPath(const std::string& path) {
  if (startingUp_) {
    startPath_ = path;
    return;
  }
  if (IsRegularFile(path)) {
    const std::string name = FileNamePart(path);
    folder_.OpenGivenFolder(path.substr(0, path.size() - name.size()), name);
  } else {
    folder_.OpenGivenFolder(path, {});
  }
  RefreshCommands();
}

void MainPresenter::WindowPlaced(const WindowRect& normal, bool maximized) {
  settings_.left = normal.left;
  settings_.top = normal.top;
  settings_.width = normal.width;
  settings_.height = normal.height;
  settings_.maximized = maximized;
}

void MainPresenter::PanelResized(int width, int height) {
  folder_.SetDisplayHint(width - 8, height - 8);
}

void MainPresenter::EntryClicked(int position) {
  folder_.ShowPicture(position, false);
  RefreshCommands();
}

void MainPresenter::EntryCheckClicked(int position, bool checked) {
  folder_.EntryCheckClicked(position, checked);
}

void MainPresenter::DeleteClicked(int position) {
  folder_.DeleteSourcePicture(position);
  RefreshCommands();
}

void MainPresenter::RenameClicked(int position) { folder_.RenameSourcePicture(position); }

void MainPresenter::TypeButtonClicked(int position) {
  std::vector<TypeMenuItem> items;
  for (const TypeMenuEntry& entry : TypeMenu()) items.push_back({std::string(entry.caption), true});
  items[0].enabled = folder_.LosslessTypeAllowed(position);
  const int chosen = view_.ShowTypeMenu(position, items);
  if (chosen < 0 || chosen >= static_cast<int>(items.size())) return;
  if (!items[static_cast<std::size_t>(chosen)].enabled) return;
  folder_.ChooseFileType(position, chosen);
  RefreshCommands();
}

void MainPresenter::ThumbnailsToggled(bool checked) {
  folder_.ThumbnailsToggled(checked);
  RefreshCommands();
}

void MainPresenter::DefaultFormatChosen(std::int32_t formatId) {
  chooser_.DefaultFormatItemClick(formatId);
  RefreshCommands();
}

void MainPresenter::FormatChosen(std::int32_t formatId) {
  if (!Enabled(CommandId::FormatButton)) return;
  chooser_.FormatPopupItemClick(formatId);
  RefreshCommands();
}

void MainPresenter::ThumbnailsRightClicked() {
  if (Enabled(CommandId::FormatButton)) {
    chooser_.ChooseFormatButtonClick(FormatPopupPlace::AtPointer);
  }
}

void MainPresenter::MenuItemHelp(MenuId menu, std::optional<CommandId> item) {
  // Help is there exactly when "&Inhalt" is.
  if (!Enabled(CommandId::HelpContents)) return;
  int context = item ? Row(*item).helpContext : -1;
  if (context < 0) {
    for (const MenuRow& row : MenuTable()) {
      if (row.id == menu) context = row.helpContext;
    }
  }
  ShowHelpTopic(context < 0 ? kContentsContext : context);
}

void MainPresenter::OpenSettings() {
  const EnlargeOptions before = folder_.Enlargement();
  OptionsPresenter options(view_.OptionsDialog(), [this](int context) { ShowHelpTopic(context); });
  OptionsValues stored = ReadOptionsValues();
  stored.questionsSwitchedOff =
      !Read(setting::kAskToTurnUpright) || !Read(setting::kAskBeforeRecodedTurn);
  if (options.Run(stored)) ApplySavedOptions(options.Values());
  // An enlarged picture on screen gets its stripes anew when their options changed.
  const int current = folder_.CurrentPosition();
  if (folder_.ThumbnailCount() > 0 && current >= 0 && folder_.Corrections().enlarged &&
      folder_.Enlargement() != before) {
    corrections_.ShowAnew();
  }
  view_.RepaintPending();
}

void MainPresenter::ApplySavedOptions(const OptionsValues& values) {
  view_.SetBusy(true);
  WriteOptionsValues(values);
  if (values.showQuestionsAgain) {
    Write(setting::kAskToTurnUpright, true);
    Write(setting::kAskBeforeRecodedTurn, true);
  }
  frame_.fileTypes = frame_.fileTypes.WithSettings(values.fileFormat1, values.fileFormat2);
  folder_.SetMarkOnShow(values.markPictureForSavingOnClick);
  settings_.showHints = values.showHints;
  view_.SetHintsShown(values.showHints);
  folder_.SetEnlargement(LoadEnlargeOptions());
  // Pictures not shown yet take the new default type; shown ones keep theirs.
  frame_.GiveRecordsNotShownTheDefaultType();
  frame_.RefreshTypeButtons(false);
  view_.SetBusy(false);
}

void MainPresenter::EditFormats() {
  FormatDialogPresenter dialog(view_.FormatDialog(), formats_, formatFiles_,
                               [this](int context) { ShowHelpTopic(context); });
  // The tables as their files hold them, to tell whether the dialog changed them.
  const auto tableBytes = [this] {
    return WriteTableBytes(formats_.scalableFormatTable) +
           WriteTableBytes(formats_.nonScalableFormatTable);
  };
  const std::string before = tableBytes();
  try {
    dialog.Run();
  } catch (...) {
    AfterFormatDialog(true);
    throw;
  }
  AfterFormatDialog(tableBytes() != before);
}

void MainPresenter::AfterFormatDialog(bool tablesChanged) {
  const int scalable = formats_.scalableFormatTable.RecordCount();
  const int nonScalable = formats_.nonScalableFormatTable.RecordCount();
  // A FormatID that no longer names a row becomes 1; others name the row now at their place.
  auto inRange = [&](std::int32_t id) { return id <= scalable && id >= -nonScalable; };
  const std::int32_t defaultId = formats_.DefaultFormat.FormatID;
  formats_.LoadDefaultFormat(inRange(defaultId) ? defaultId : 1);
  // Unchanged tables leave the default format, the type buttons and the menus' entries as
  // they are; the chooser's check mark follows ApplyFormat.
  if (tablesChanged) frame_.RefreshTypeButtons(false);
  const std::int32_t currentId = formats_.CurrentFormat.FormatID;
  chooser_.ApplyFormatWithStripes(inRange(currentId) ? currentId : 1);
  if (tablesChanged) BuildFormatMenus();
}

void MainPresenter::ToggleToolBar(std::optional<ToolBarId> bar, std::optional<int> formatWidth) {
  std::optional<int> band;
  for (const ToolBarRow& row : ToolBarTable()) {
    if (bar && row.id == *bar && row.band > 0) {
      band = row.band;
      SetChecked(row.toggle, !bands_.Visible(row.band));
    }
  }
  if (bar && !band) return;
  const ui::BandToggle toggle = bands_.Toggle(band, windowWidth_, formatWidth);
  if (toggle.widenWindowTo) {
    windowWidth_ = *toggle.widenWindowTo;
    view_.SetWindowWidth(windowWidth_, desktop_.left + (desktop_.width - windowWidth_) / 2);
  }
  if (toggle.minimumWindowWidth) view_.SetWindowMinimumWidth(*toggle.minimumWindowWidth);
  if (toggle.shift != 0) view_.ShiftBelowBandBar(toggle.shift);
  settings_.bandsShown = bands_.VisibleBands();
  LayoutBands();
}

void MainPresenter::LayoutBands() { view_.PlaceBands(bands_.Layout(barWidth_)); }

void MainPresenter::WindowResized(int windowWidth, int barWidth) {
  windowWidth_ = windowWidth;
  barWidth_ = barWidth;
  LayoutBands();
}

void MainPresenter::ToolBarsMeasured(const std::array<int, 5>& widths) {
  std::array<int, 5> minimum = DesignedBandWidths();
  for (std::size_t i = 0; i < minimum.size(); ++i) minimum[i] = std::max(minimum[i], widths[i]);
  ui::BandBar measured(minimum);
  measured.SetOrder(bands_.Order());
  for (int band = 1; band <= 5; ++band) measured.SetVisible(band, bands_.Visible(band));
  bands_ = measured;
  // The format band follows its tool bar, as after a new caption.
  FormatToolBarResized(widths[3]);
}

void MainPresenter::FormatToolBarResized(int width) { ToggleToolBar(std::nullopt, width); }

void MainPresenter::BandDropped(int band, int left) {
  bands_.Drop(band, left, barWidth_);
  settings_.bandOrder = bands_.Order();
  LayoutBands();
}

void MainPresenter::CloseOutsideWindows(std::initializer_list<const char*> classes) {
  for (const char* name : classes) {
    if (outside_.ClassOpen(name)) outside_.Post(name, kCloseMessage, 0);
  }
}

void MainPresenter::StandardSkinClick() {
  if (!fashionSkinActive_) return;
  CloseOutsideWindows({kHelpWindowClass, kGuideWindowClass});
  SetChecked(CommandId::StandardSkin, true);
  SetChecked(CommandId::FashionSkin, false);
  fashionSkinActive_ = false;
  Write(setting::kStandardSkin, true);
  // "Verkleinern" gives the numeric keypad's divide key up.
  view_.RemoveShortcut(CommandId::Shrink);
  view_.ApplyStandardSkin();
  LayoutBands();
}

void MainPresenter::FashionSkinClick() {
  if (fashionSkinActive_) return;
  const int answer = view_.ShowMessageBox(
      "Frage",
      "Zum Umschalten in den Fashion View-Modus ist ein Neustart des Programmes notwendig.\r\n\r\n"
      "Soll Trimora jetzt neu gestartet werden?",
      ui::kButtonsYesNo, "", 315, 170);
  if (answer != ui::kResultYes) {
    // The radio items show the skin in force again, whatever the click made of them.
    view_.SetCommandChecked(CommandId::StandardSkin, true);
    view_.SetCommandChecked(CommandId::FashionSkin, false);
    return;
  }
  SetChecked(CommandId::FashionSkin, true);
  SetChecked(CommandId::StandardSkin, false);
  fashionSkinActive_ = true;
  Write(setting::kStandardSkin, false);
  CloseOutsideWindows({kHelpWindowClass});
  outside_.Start(kMainProgram, {"-restart"});
  view_.CloseWindow();
}

void MainPresenter::CropAndSave() {
  SaveRunContext context;
  context.stripes = folder_.Enlargement();
  context.formatRatio = [this](int id) { return static_cast<double>(formats_.FormatRatio(id)); };
  context.pictureCount = [this] { return folder_.ThumbnailCount(); };
  context.defaultFormat = formats_.DefaultFormat;
  try {
    trimora::CropAndSave(folder_.Records(), context, saveState_, *saveSide_, StoredSettings());
  } catch (const std::exception& e) {
    view_.ShowError(ErrorText(e));
  }
}

bool MainPresenter::ConfirmRecodedTurn() {
  if (!StoredSettings().Get(setting::kAskBeforeRecodedTurn)) return true;
  view_.SetBusy(false);
  const int answer = view_.ShowMessageBox(
      "Frage",
      "Dieses Bild lässt sich nicht verlustfrei drehen: seine Größe passt nicht zum "
      "JPEG-Blockraster.\r\nSoll es neu kodiert gedreht werden? Qualität und Metadaten des "
      "Originals bleiben erhalten.",
      ui::kButtonsYesNo, std::string(setting::kAskBeforeRecodedTurn.name), 420, 210);
  view_.SetBusy(true);
  return answer == ui::kResultYes;
}

void MainPresenter::RotateOriginal(const std::string& angle) {
  const int current = folder_.CurrentPosition();
  if (current < 0) return;
  view_.SetBusy(true);
  const std::string path =
      folder_.Records().at(static_cast<std::size_t>(current)).filename.value_or("");
  bool turned = false;
  try {
    const Turn turn = TurnForAngle(angle);
    if (!TurnsLosslessly(path, turn) && !ConfirmRecodedTurn()) {
      view_.SetBusy(false);
      return;
    }
    TurnOriginal(path, turn);
    turned = true;
  } catch (const Error& e) {
    // The file stays as it was; the user learns why nothing turned.
    view_.SetBusy(false);
    view_.ShowError(ErrorText(e));
    view_.SetBusy(true);
  }
  folder_.ShowPicture(current, false);
  if (turned) folder_.RebuildThumbnail(current);
  view_.SetBusy(false);
  view_.PostFullScreenRefresh();
}

void MainPresenter::ShowHelpTopic(int context) {
  if (outside_.ClassOpen(kHelpWindowClass)) {
    outside_.Post(kHelpWindowClass, kHelpContextMessage, context);
    return;
  }
  outside_.Start(kHelpProgram, {std::to_string(context)});
}

void MainPresenter::MailSupport() {
  outside_.OpenAddress(std::string("mailto:") + kSupportAddress);
}

void MainPresenter::StartGuide() { outside_.Start(kGuideProgram, {}); }

void MainPresenter::Close() {
  if (closed_) return;
  closed_ = true;
  view_.SetBusy(true);
  CloseOutsideWindows({kHelpWindowClass, kGuideWindowClass});
  {
    // The settings file is written once, with every value of the close.
    const SettingsBatch batch;
    corrections_.Close();
    SaveFolderSettings(folder_.CurrentSettings());
    settings_.zoomLevel = magnifier_.ZoomLevel();
    settings_.zoomActive = !magnifier_.Paused();
    settings_.exifVisible = exif_.Visible();
    settings_.standardSkin = !fashionSkinActive_;
    SaveMainWindowSettings(settings_);
    Write(setting::kMasterAlpha, frame_.MasterAlpha);
  }
  view_.ClearPicture();
  frame_.ClearCurrentPicture();
  folder_.Close();
  view_.SetBusy(false);
}

}  // namespace trimora
