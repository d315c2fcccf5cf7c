// The input box TXPInputBox: a prompt, one edit field, "Ok" and "Abbrechen".
#pragma once

#include <QString>

#include "ui/xp_dialog.h"

class QLabel;
class QLineEdit;

namespace trimora::ui {

class TXPButton;
class TXPPanel;

// The skinned input box; created once and reused. Keeps its designed size of 307 x 175.
class TXPInputBox : public TXPDialog {
  Q_OBJECT
 public:
  // The box, owned by `parent` (may be null).
  explicit TXPInputBox(QWidget* parent);
  // The prompt above the edit field.
  void SetPrompt(const QString& prompt);
  QString Prompt() const;
  // The text of the edit field.
  void SetEditText(const QString& text);
  QString EditText() const;
  // The parts of the box.
  QLabel* TextLabel() const { return textLabel_; }
  TXPPanel* EditPanel() const { return editPanel_; }
  QLineEdit* Edit() const { return edit_; }
  TXPButton* OkButton() const { return okButton_; }
  TXPButton* CancelButton() const { return cancelButton_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLabel* textLabel_;
  TXPPanel* editPanel_;
  QLineEdit* edit_;
  TXPButton* okButton_;
  TXPButton* cancelButton_;
};

}  // namespace trimora::ui
