#include "ui/message_box.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

#include "platform/settings.h"
#include "ui/dialog_rules.h"
#include "ui/kit_style.h"
#include "ui/standard_skin.h"
#include "ui/xp_controls.h"
#include "ui/xp_form.h"

namespace trimora::ui {

TXPMessageBox::TXPMessageBox(QWidget* parent) : TXPDialog(parent) {
  setObjectName(QStringLiteral("TXPMessageBox"));
  QWidget* content = Content();
  textLabel_ = new QLabel(content);
  textLabel_->setObjectName(QStringLiteral("TextLabel"));
  textLabel_->setAlignment(Qt::AlignCenter);
  textLabel_->setWordWrap(true);

  const auto& rows = MessageButtonRows();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    auto* panel = new QWidget(content);
    panel->setObjectName(ToQString(rows[i].panelName));
    panel->resize(rows[i].width, kButtonRowHeight);
    for (const RowButton& b : rows[i].buttons) {
      auto* button = new TXPButton(ToQString(b.caption), panel);
      button->setGeometry(b.x, 0, b.width, kButtonRowHeight);
      button->setProperty("result", b.result);
      button->setDefault(b.result == rows[i].defaultResult);
      const int result = b.result;
      connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
    }
    panel->hide();
    rows_[i] = panel;
  }

  checkPanel_ = new QWidget(content);
  checkPanel_->setObjectName(QStringLiteral("CheckBoxPanel"));
  checkPanel_->resize(17, 17);
  checkBox_ = new TXPCheckBox(checkPanel_);
  checkBox_->setObjectName(QStringLiteral("CheckBox"));
  checkBox_->setGeometry(0, 0, 17, 17);
  checkLabel_ = new QLabel(content);
  checkLabel_->setObjectName(QStringLiteral("CheckBoxLabel"));
  checkLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // A click on the label toggles the box, as with any labelled check box.
  checkLabel_->installEventFilter(this);
  resize(kMessageContentWidth + 6, kMessageContentHeight + 32 + 4);
}

void TXPMessageBox::SetText(const QString& text) { textLabel_->setText(WithPlainLineBreaks(text)); }

QString TXPMessageBox::Text() const { return textLabel_->text(); }

int TXPMessageBox::ShownRow() const {
  const ButtonRow& row = ButtonRowFor(buttons_);
  const auto& rows = MessageButtonRows();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (&rows[i] == &row) return static_cast<int>(i);
  }
  return 0;
}

QPushButton* TXPMessageBox::ButtonFor(int result) const {
  for (QPushButton* b : rows_[static_cast<std::size_t>(ShownRow())]->findChildren<QPushButton*>()) {
    if (b->property("result").toInt() == result) return b;
  }
  return nullptr;
}

void TXPMessageBox::showEvent(QShowEvent* event) {
  showing_ = true;
  // 1. No row yet.
  for (QWidget* row : rows_) row->hide();
  // 2. The check box only for a setting that is still on; an unreadable one counts as on.
  checkShown_ = false;
  if (!dontShowAgainKey_.isEmpty()) {
    try {
      checkShown_ = ReadBoolSetting(ToUtf8(dontShowAgainKey_), true);
    } catch (...) {
      checkShown_ = true;
    }
  }
  checkPanel_->setVisible(checkShown_);
  // 3. Cleared at every showing; the label goes with the panel.
  checkBox_->setChecked(false);
  checkLabel_->setVisible(checkShown_);
  // 4. The row for the buttons.
  rows_[static_cast<std::size_t>(ShownRow())]->show();
  // 5. Without check box, rows and text move down.
  shift_ = checkShown_ ? 0 : kNoCheckBoxShift;
  // 7. The label names the box's title.
  checkLabel_->setText(ToQString(DontShowAgainLabel(TitleFromCaption(ToUtf8(windowTitle())))));
  // 6. and 7. Centred row, label and check box in place.
  LayOut();
  TXPDialog::showEvent(event);
  // In the Standard skin the plain twins show what the skinned controls hold now.
  for (QAbstractButton* button : findChildren<QAbstractButton*>()) CopyToPlainTwin(*button);
  if (QPushButton* def = ButtonFor(ButtonRowFor(buttons_).defaultResult)) {
    QAbstractButton* twin = PlainTwin(*def);
    (twin != nullptr ? static_cast<QWidget*>(twin) : def)->setFocus();
  }
}

void TXPMessageBox::LayOut() {
  const QRect client = Frame()->ClientRect();
  const MessageBoxLayout layout = LayoutMessageBox(client.width(), client.height(), shift_,
                                                   textLabel_->fontMetrics().height() + 1);
  textLabel_->setGeometry(layout.text.x, layout.text.y, layout.text.width, layout.text.height);
  const auto& rows = MessageButtonRows();
  for (std::size_t i = 0; i < rows.size(); ++i)
    rows_[i]->move(CentredRowLeft(width(), rows[i].width), layout.rowTop);
  checkLabel_->adjustSize();
  const int labelLeft = layout.labelRight - checkLabel_->width();
  checkLabel_->move(labelLeft, layout.checkTop + (17 - checkLabel_->height()) / 2);
  checkPanel_->move(CheckBoxPanelLeft(labelLeft), layout.checkTop);
}

bool TXPMessageBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == checkLabel_ && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    checkBox_->toggle();
    return true;
  }
  return TXPDialog::eventFilter(watched, event);
}

void TXPMessageBox::resizeEvent(QResizeEvent* event) {
  TXPDialog::resizeEvent(event);
  LayOut();
}

void TXPMessageBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    done(ButtonRowFor(buttons_).cancelResult);
    return;
  }
  TXPDialog::keyPressEvent(event);
}

void TXPMessageBox::done(int result) {
  if (showing_) {
    showing_ = false;
    if (checkShown_ && checkBox_->isChecked()) {
      // A failed write is not reported; the answer stands.
      try {
        WriteBoolSetting(ToUtf8(dontShowAgainKey_), false);
      } catch (...) {
      }
    }
    if (shift_ != 0) {
      shift_ = 0;
      LayOut();
    }
  }
  TXPDialog::done(result);
}

}  // namespace trimora::ui
