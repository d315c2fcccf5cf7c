#include "app/main_presenter.h"


#include "output/jpegtran.h"
#include "platform/error.h"
#include "platform/error_text.h"
#include "platform/instance.h"
#include "platform/settings.h"
#include "platform/settings_schema.h"
#include "platform/version.h"

namespace trimora {

namespace {

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
  void CommandsChanged() override { main_.RefreshCommands(); }
  bool SavingInProgress() const override { return main_.SavingInProgress(); }

 private:
  MainPresenter& main_;
};

MainPresenter::MainPresenter(MainView& view, FrameWidgets& frameWidgets, OutsidePrograms& outside,
                             const std::string& formatFolder, const WindowRect& desktop,
                             std::function<void()> wake)
    : view_(view),
      outside_(outside),
      frameSide_(std::make_unique<FrameSide>(*this, frameWidgets)),
      saveSide_(std::make_unique<SaveSide>(*this)),
      correctionSide_(std::make_unique<CorrectionSide>(*this)),
      folder_(view, *this, formats_, StoredSettings(), std::move(wake)),
      frame_(*frameSide_, formats_, folder_.Records(), StoredSettings()),
      controller_(frame_, *frameSide_),
      corrections_(*correctionSide_, folder_, frame_, formats_, StoredSettings()),
      chooser_(view, formats_, folder_, frame_, corrections_) {
  // Settings: the window's place, the folder's and the frame's values.
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
  formats_.LoadFormatTables(formatFolder);
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
  SetChecked(CommandId::ZoomPause, !settings_.zoomActive);
  view_.SetMagnifierPaused(!settings_.zoomActive);
  if (!settings_.zoomActive) {
    view_.SetCommandCaption(CommandId::ZoomPause, kZoomResumeCaption);
    view_.SetCommandHint(CommandId::ZoomPause, kZoomResumeCaption);
  }
  for (const ToolBarRow& bar : ToolBarTable()) {
    if (bar.band > 0)
      SetChecked(bar.toggle, settings_.bandsShown[static_cast<std::size_t>(bar.band - 1)]);
  }
  view_.ShowBands(settings_.bandOrder, settings_.bandsShown);
  view_.SetHintsShown(settings_.showHints);
  view_.SetShortcutPanelVisible(true);
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
  s.zoomLevel = settings_.zoomLevel;
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
    case CommandId::Quit:
      view_.CloseWindow();
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
      if (const std::optional<ToolBarId> bar = ToolBarOfToggle(id)) ToggleToolBar(*bar);
      break;
  }
  RefreshCommands();
}

bool MainPresenter::KeyPressed(const KeyPress& press) {
  if (startingUp_) return false;
  const KeyState state{formats_.CurrentFormat.FormatID <= 0, corrections_.Marking()};
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

void MainPresenter::ToggleToolBar(ToolBarId bar) {
  for (const ToolBarRow& row : ToolBarTable()) {
    if (row.id != bar || row.band <= 0) continue;
    bool& shown = settings_.bandsShown[static_cast<std::size_t>(row.band - 1)];
    shown = !shown;
    SetChecked(row.toggle, shown);
  }
  view_.ShowBands(settings_.bandOrder, settings_.bandsShown);
}

void MainPresenter::CropAndSave() {
  SaveRunContext context;
  context.stripes = folder_.Enlargement();
  context.formatRatio = [this](int id) { return static_cast<double>(formats_.FormatRatio(id)); };
  context.pictureCount = [this] { return folder_.ThumbnailCount(); };
  try {
    trimora::CropAndSave(folder_.Records(), context, saveState_, *saveSide_, StoredSettings());
  } catch (const std::exception& e) {
    view_.ShowError(ErrorText(e));
  }
}

void MainPresenter::RotateOriginal(const std::string& angle) {
  const int current = folder_.CurrentPosition();
  if (current < 0) return;
  view_.SetBusy(true);
  const std::string path =
      folder_.Records().at(static_cast<std::size_t>(current)).filename.value_or("");
  bool turned = false;
  try {
    RotateOriginalFile(path, angle);
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
  for (const char* name : {kHelpWindowClass, kGuideWindowClass}) {
    if (outside_.ClassOpen(name)) outside_.Post(name, kCloseMessage, 0);
  }
  {
    // The settings file is written once, with every value of the close.
    const SettingsBatch batch;
    corrections_.Close();
    SaveFolderSettings(folder_.CurrentSettings());
    SaveMainWindowSettings(settings_);
    Write(setting::kMasterAlpha, frame_.MasterAlpha);
  }
  view_.ClearPicture();
  frame_.ClearCurrentPicture();
  folder_.Close();
  view_.SetBusy(false);
}

}  // namespace trimora
