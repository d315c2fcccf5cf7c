// The three dialogs of the program and the calls that show them. The main window owns one
// DialogKit, creates it at start-up and offers its calls to every other window; each call shows
// the calling window's frame inactive while its dialog is open.
#pragma once

#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>

// The accessors below hand out the dialogs, so their callers need the whole classes.
#include "ui/input_box.h"
#include "ui/message_box.h"
#include "ui/select_folder_dialog.h"

class QWidget;

namespace trimora::ui {

class TtfXPForm;

// The folder chooser, the message box and the input box, created once and reused.
class DialogKit {
 public:
  // Creates the dialogs (folder chooser, message box, input box) over `mainWindow` (may be null),
  // whose frame is `mainFrame` (may be null).
  DialogKit(QWidget* mainWindow, TtfXPForm* mainFrame);
  ~DialogKit();
  DialogKit(const DialogKit&) = delete;
  DialogKit& operator=(const DialogKit&) = delete;

  // Called after a dialog over the main window closed (the magnifier refreshes itself).
  void SetAfterDialogRefresh(std::function<void()> refresh) { afterDialog_ = std::move(refresh); }

  // Shows a message; `buttons` 4, 3 or 515; `dontShowAgainKey` names the boolean setting that
  // the box's check box clears (empty: no check box); width and height are the box's outer size.
  // Returns 1, 6, 7, 10, or 2 when the box was closed without an answer.
  int ShowMessageBox(const QString& title, const QString& text, std::uint16_t buttons,
                     const QString& dontShowAgainKey, int width, int height, TtfXPForm* ownerFrame);
  // Asks for one line of text: the trimmed text after "Ok", else exactly `defaultText`.
  QString ShowInputBox(const QString& title, const QString& prompt, const QString& defaultText,
                       TtfXPForm* ownerFrame);
  // Lets the user choose a folder: the path field's text after confirming, else empty.
  // `glyphIndex` picks the confirm button's picture (0 open, 1 ok, 2 save).
  QString ChooseFolder(const QString& title, const QString& okCaption, int glyphIndex,
                       const QString& startFolder, TtfXPForm* ownerFrame);

  // The dialogs themselves.
  TXPMessageBox* MessageBox() const { return messageBox_; }
  TXPInputBox* InputBox() const { return inputBox_; }
  TXPSelectFolderDialog* FolderDialog() const { return folderDialog_; }

 private:
  void AfterDialog(TtfXPForm* ownerFrame);

  QWidget* mainWindow_;
  TtfXPForm* mainFrame_;
  // Children of the main window: whichever of the kit and the window goes first takes them.
  QPointer<TXPSelectFolderDialog> folderDialog_;
  QPointer<TXPMessageBox> messageBox_;
  QPointer<TXPInputBox> inputBox_;
  std::function<void()> afterDialog_;
};

}  // namespace trimora::ui
