#include "ui/dialog_kit.h"

#include <QCoreApplication>

#include "ui/dialog_rules.h"
#include "ui/input_box.h"
#include "ui/kit_style.h"
#include "ui/message_box.h"
#include "ui/select_folder_dialog.h"
#include "ui/xp_form.h"

namespace trimora::ui {

namespace {

// Shows the owner's frame inactive for as long as it lives, also when the dialog throws.
class InactiveWhileOpen {
 public:
  explicit InactiveWhileOpen(TtfXPForm* frame) : frame_(frame) {
    if (frame_) frame_->MarkInactive();
  }
  ~InactiveWhileOpen() {
    if (frame_) frame_->MarkActive();
  }
  InactiveWhileOpen(const InactiveWhileOpen&) = delete;
  InactiveWhileOpen& operator=(const InactiveWhileOpen&) = delete;

 private:
  TtfXPForm* frame_;
};

}  // namespace

DialogKit::DialogKit(QWidget* mainWindow, TtfXPForm* mainFrame)
    : mainWindow_(mainWindow), mainFrame_(mainFrame) {
  folderDialog_ = new TXPSelectFolderDialog(mainWindow);
  messageBox_ = new TXPMessageBox(mainWindow);
  inputBox_ = new TXPInputBox(mainWindow);
  folderDialog_->SetFolderExistsHandler([this] {
    ShowMessageBox(QStringLiteral("Fehler"), ToQString(kFolderExistsMessage), kButtonsOk, QString(),
                   315, 120, folderDialog_->Frame());
  });
}

DialogKit::~DialogKit() {
  delete inputBox_.data();
  delete messageBox_.data();
  delete folderDialog_.data();
}

void DialogKit::AfterDialog(TtfXPForm* ownerFrame) {
  if (ownerFrame && ownerFrame == mainFrame_) {
    QCoreApplication::processEvents();
    if (afterDialog_) afterDialog_();
  }
}

int DialogKit::ShowMessageBox(const QString& title, const QString& text, std::uint16_t buttons,
                              const QString& dontShowAgainKey, int width, int height,
                              TtfXPForm* ownerFrame) {
  TXPMessageBox& box = *messageBox_;
  box.SetTitle(title);
  box.SetText(text);
  box.SetButtons(buttons);
  box.resize(width, height);
  box.SetDontShowAgainKey(dontShowAgainKey);
  InactiveWhileOpen inactive(ownerFrame);
  box.CentreOver(mainWindow_);
  const int result = box.exec();
  AfterDialog(ownerFrame);
  return result;
}

QString DialogKit::ShowInputBox(const QString& title, const QString& prompt,
                                const QString& defaultText, TtfXPForm* ownerFrame) {
  TXPInputBox& box = *inputBox_;
  box.SetTitle(title);
  box.SetPrompt(prompt);
  box.SetEditText(defaultText);
  QString result = defaultText;
  {
    InactiveWhileOpen inactive(ownerFrame);
    box.CentreOver(mainWindow_);
    if (box.exec() == kResultOk) result = ToQString(TrimInput(ToUtf8(box.EditText())));
  }
  if (mainWindow_) mainWindow_->repaint();
  if (afterDialog_) afterDialog_();
  return result;
}

QString DialogKit::ChooseFolder(const QString& title, const QString& okCaption, int glyphIndex,
                                const QString& startFolder, TtfXPForm* ownerFrame) {
  QString folder;
  TXPSelectFolderDialog& dialog = *folderDialog_;
  dialog.SetTitle(title);
  dialog.SetOkCaption(okCaption);
  dialog.SetGlyphIndex(glyphIndex);
  dialog.SetSelectedFolder(startFolder);
  InactiveWhileOpen inactive(ownerFrame);
  if (ownerFrame) ownerFrame->repaint();
  QCoreApplication::processEvents();
  dialog.CentreOver(mainWindow_);
  if (dialog.exec() == kResultOk) folder = dialog.SelectedFolder();
  return folder;
}

}  // namespace trimora::ui
