#include "ui/input_box.h"

#include <QLabel>
#include <QLineEdit>

#include "ui/dialog_rules.h"
#include "ui/xp_controls.h"

namespace trimora::ui {

TXPInputBox::TXPInputBox(QWidget* parent) : TXPDialog(parent) {
  setObjectName(QStringLiteral("TXPInputBox"));
  QWidget* content = Content();
  textLabel_ = new QLabel(content);
  textLabel_->setObjectName(QStringLiteral("TextLabel"));
  textLabel_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  textLabel_->setWordWrap(true);
  textLabel_->setGeometry(11, 16, 278, 25);

  editPanel_ = new TXPPanel(content, Qt::white, true);
  editPanel_->setObjectName(QStringLiteral("EditPanel"));
  editPanel_->setGeometry(11, 49, 278, 33);
  edit_ = new QLineEdit(editPanel_);
  edit_->setObjectName(QStringLiteral("Edit"));
  edit_->setFrame(false);
  edit_->setGeometry(7, 8, 264, 17);
  edit_->setStyleSheet(
      QStringLiteral("QLineEdit { background: white; border: none; padding: 0; }"));

  okButton_ = new TXPButton(QStringLiteral("Ok"), content);
  okButton_->setObjectName(QStringLiteral("OkButton"));
  okButton_->setGeometry(67, 98, 80, 27);
  okButton_->setDefault(true);
  connect(okButton_, &QPushButton::clicked, this, [this] { done(kResultOk); });
  cancelButton_ = new TXPButton(QStringLiteral("Abbrechen"), content);
  cancelButton_->setObjectName(QStringLiteral("CancelButton"));
  cancelButton_->setGeometry(155, 98, 80, 27);
  connect(cancelButton_, &QPushButton::clicked, this, [this] { done(kResultCancel); });

  resize(307, 175);
}

void TXPInputBox::SetPrompt(const QString& prompt) { textLabel_->setText(prompt); }

QString TXPInputBox::Prompt() const { return textLabel_->text(); }

void TXPInputBox::SetEditText(const QString& text) { edit_->setText(text); }

QString TXPInputBox::EditText() const { return edit_->text(); }

void TXPInputBox::showEvent(QShowEvent* event) {
  TXPDialog::showEvent(event);
  edit_->setFocus();
  edit_->selectAll();
}

}  // namespace trimora::ui
