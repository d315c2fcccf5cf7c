#include "app/frame_wiring.h"

#include <QAction>
#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QToolButton>

#include "app/kv_main_form.h"
#include "frame/image_panel.h"
#include "frame/picture_view.h"
#include "frame/rect_box.h"
#include "imaging/enlarge.h"
#include "output/jpegtran.h"
#include "platform/error.h"
#include "platform/error_text.h"
#include "platform/settings.h"

namespace trimora::app {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The menu captions of the frame and dimming commands.
struct CaptionCommand {
  const char* caption;
  SelectionCommand command;
};
constexpr CaptionCommand kCaptions[] = {
    {"Nach links", SelectionCommand::StepLeft},
    {"Nach rechts", SelectionCommand::StepRight},
    {"Nach oben", SelectionCommand::StepUp},
    {"Nach unten", SelectionCommand::StepDown},
    {"Nach ganz links", SelectionCommand::EdgeLeft},
    {"Nach ganz rechts", SelectionCommand::EdgeRight},
    {"Nach ganz oben", SelectionCommand::EdgeTop},
    {"Nach ganz unten", SelectionCommand::EdgeBottom},
    {"Zentrieren", SelectionCommand::Centre},
    {"Verkleinern", SelectionCommand::Shrink},
    {"Vergrößern", SelectionCommand::Grow},
    {"Minimieren", SelectionCommand::Minimise},
    {"Maximieren", SelectionCommand::Maximise},
    {"Um 90° drehen", SelectionCommand::Turn},
    {"Nicht ausgewählten Bereich ausblenden", SelectionCommand::HideOutside},
    {"Nicht ausgewählten Bereich einblenden", SelectionCommand::ShowOutside},
    {"Auswahl freistellen", SelectionCommand::CropOutside},
    {"Gesamtbild einheitlich darstellen", SelectionCommand::ShowWhole},
};

QString CaptionOf(const QAction* action) { return action->text().section(QLatin1Char('\t'), 0, 0); }

// The crop-and-save run's person: the window's dialogs and status bar.
class WindowSaveView : public SaveRunView {
 public:
  explicit WindowSaveView(TKvMainForm& form) : form_(form) {}
  std::string ChooseFolder(const std::string& title, const std::string& okCaption, int glyphIndex,
                           const std::string& startFolder) override {
    return form_.ChooseFolder(title, okCaption, glyphIndex, startFolder);
  }
  int ShowMessageBox(const std::string& title, const std::string& text, int buttons, int width,
                     int height) override {
    return form_.ShowMessageBox(title, text, buttons, "", width, height);
  }
  void SetStatusText(int panel, const std::string& text) override { form_.Presenter().SetStatusText(panel, text); }
  void RepaintPending() override { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }
  void SetBusy(bool busy) override { form_.SetBusy(busy); }

 private:
  TKvMainForm& form_;
};

}  // namespace

MainFrameWiring::MainFrameWiring(TKvMainForm& form, TImagePanel* panel)
    : QtFrameView(panel, panel->Image(), panel->Frame(), panel->RedEyeFrame(),
                  &form.presenter_->DisplayedPicture()),
      form_(form),
      panel_(panel),
      presenter_(*this, form.formats_, form.presenter_->Records()),
      controller_(presenter_, *this) {
  presenter_.fileTypes = FileTypeDefaults::FromSettings(ReadIntSetting("FileFormat1", 0),
                                                        ReadIntSetting("FileFormat2", 1));
  presenter_.InitBlockSize();
  presenter_.LoadMasterAlpha();
  panel_->Image()->SetMasterAlpha(presenter_.MasterAlpha);
  panel_->SetPresenter(&presenter_);
  form.presenter_->SetFrameController(&controller_);
}

void MainFrameWiring::CropAndSaveClick() {
  FolderPresenter& folder = *form_.presenter_;
  if (!folder.CommandEnabled(Command::CropAndSave)) return;
  WindowSaveView view(form_);
  SaveRunContext context;
  context.stripes = LoadEnlargeOptions();
  FormatTables& formats = form_.formats_;
  context.formatRatio = [&formats](int id) { return static_cast<double>(formats.FormatRatio(id)); };
  context.pictureCount = folder.ThumbnailCount();
  try {
    CropAndSave(folder.Records(), context, saveState_, view);
  } catch (const std::exception& e) {
    form_.ShowError(ErrorText(e));
  }
  RefreshMagnifier();
}

void MainFrameWiring::RotateOriginal(const std::string& angle) {
  FolderPresenter& folder = *form_.presenter_;
  const int current = folder.CurrentPosition();
  // Both angles ask the one tool button, as the menu items do.
  if (!folder.CommandEnabled(Command::RotatePlus90) || current < 0) return;
  form_.SetBusy(true);
  const std::string path =
      folder.Records().at(static_cast<std::size_t>(current)).filename.value_or("");
  bool turned = false;
  try {
    RotateOriginalFile(path, angle);
    turned = true;
  } catch (const Error& e) {
    // The file stays as it was; the user learns why nothing turned.
    form_.SetBusy(false);
    form_.ShowError(ErrorText(e));
    form_.SetBusy(true);
  }
  folder.ShowPicture(current, false);
  if (turned) folder.RebuildThumbnail(current);
  form_.SetBusy(false);
  form_.PostFullScreenRefresh();
}

void MainFrameWiring::ConnectMenuItems() {
  for (QAction* action : form_.CommandActions(Command::CropAndSave)) {
    QObject::connect(action, &QAction::triggered, &form_, [this] { CropAndSaveClick(); });
  }
  for (Command rotate : {Command::RotatePlus90, Command::RotateMinus90}) {
    const std::string angle = rotate == Command::RotatePlus90 ? "90" : "270";
    for (QAction* action : form_.CommandActions(rotate)) {
      QObject::connect(action, &QAction::triggered, &form_, [this, angle] { RotateOriginal(angle); });
    }
  }
  for (QAction* action : form_.findChildren<QAction*>()) {
    const QString caption = CaptionOf(action);
    for (const CaptionCommand& c : kCaptions) {
      if (caption != QString::fromUtf8(c.caption)) continue;
      const SelectionCommand command = c.command;
      QObject::connect(action, &QAction::triggered, &form_, [this, command] { presenter_.Run(command); });
    }
  }
}

bool MainFrameWiring::HandleKey(int key, Qt::KeyboardModifiers modifiers) {
  if (key == Qt::Key_S && (modifiers & Qt::ControlModifier)) {
    CropAndSaveClick();
    return true;
  }
  if (key == Qt::Key_F6 || key == Qt::Key_F7) {
    RotateOriginal(key == Qt::Key_F6 ? "90" : "270");
    return true;
  }
  const QKeyEvent event(QEvent::KeyPress, key, modifiers);
  const bool fixed = presenter_.CurrentFormat().FormatID <= 0;
  const std::optional<SelectionCommand> command = SelectionCommandForKey(event, fixed, MarkerVisible());
  if (!command) return false;
  presenter_.Run(*command);
  return true;
}

void MainFrameWiring::Wheel(int delta) { presenter_.Run(CommandForWheel(delta)); }

void MainFrameWiring::PictureShown(const Picture* preview) {
  TPictureView* image = panel_->Image();
  image->show();
  if (preview != nullptr && preview->width() >= image->width() && preview->height() >= image->height()) {
    image->RebuildDisplayCopy(*preview);
  } else {
    RebuildDisplayCopy();
  }
  panel_->Image()->repaint();
}

void MainFrameWiring::PictureCleared() {
  panel_->Image()->hide();
  panel_->Frame()->hide();
  presenter_.ClearCurrentPicture();
}

bool MainFrameWiring::PicturesListed() const { return form_.presenter_->ThumbnailCount() > 0; }

bool MainFrameWiring::CorrectionApplied(Correction which) const {
  switch (which) {
    case Correction::RedEye: return form_.presenter_->CommandEnabled(Command::RedEyeRemove);
    case Correction::AutoCorrection: return form_.presenter_->CommandEnabled(Command::AutoCorrectUndo);
    case Correction::Enlargement: return form_.presenter_->CommandEnabled(Command::EnlargeRemove);
  }
  return false;
}

void MainFrameWiring::SetCommandEnabled(FrameCommand command, bool enabled) {
  const char* caption = nullptr;
  if (command == FrameCommand::HideOutside) caption = "Nicht ausgewählten Bereich ausblenden";
  if (command == FrameCommand::ShowOutside) caption = "Nicht ausgewählten Bereich einblenden";
  if (caption == nullptr) return;  // the others follow UpdateCommandStates
  for (QAction* action : form_.CommandActions(Command::OutsideOpacity)) {
    if (CaptionOf(action) == QString::fromUtf8(caption)) action->setEnabled(enabled);
  }
}

int MainFrameWiring::ShowMessageBox(const std::string& title, const std::string& text, int buttons,
                                    const std::string& key, int width, int height) {
  return form_.ShowMessageBox(title, text, buttons, key, width, height);
}

void MainFrameWiring::SetStatusText(int panel, const std::string& text) {
  form_.presenter_->SetStatusText(panel, text);
}

void MainFrameWiring::MarkCurrentForSaving(bool value, bool disableBox) {
  form_.presenter_->MarkForSaving(value, -1, disableBox);
}

void MainFrameWiring::EnableCurrentMarkBox() {
  const int current = form_.presenter_->CurrentPosition();
  if (current >= 0) form_.SetEntryCheckEnabled(current, true);
}

void MainFrameWiring::MarkEntryForSaving(int entry) { form_.presenter_->MarkForSaving(true, entry, false); }

void MainFrameWiring::UpdateCommandStates(bool active) { form_.presenter_->UpdateCommandStates(active); }

void MainFrameWiring::SetChooserCaption(const std::string& caption) {
  if (form_.formatButton_ != nullptr && form_.formatButton_->text() != Q(caption)) {
    form_.formatButton_->setText(Q(caption));
  }
}

void MainFrameWiring::SetBusyCursor(bool busy) { form_.SetBusy(busy); }

int MainFrameWiring::StripEntryCount() const { return form_.presenter_->ThumbnailCount(); }

void MainFrameWiring::SetTypeButton(int entry, const std::string& caption, bool red) {
  form_.SetEntryFileType(entry, caption, red);
}

}  // namespace trimora::app
