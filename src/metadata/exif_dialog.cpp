#include "metadata/exif_dialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "metadata/exif_window.h"
#include "platform/window_placement.h"
#include "ui/kit_style.h"
#include "ui/text_memo.h"
#include "ui/xp_controls.h"
#include "ui/xp_form.h"

namespace trimora::metadata {

TEXIFDialog::TEXIFDialog(QWidget* owner) : QWidget(owner, Qt::Tool) {
  setObjectName(QStringLiteral("EXIFDialog"));
  setMinimumSize(210, 80);

  frame_ = new ui::TtfXPForm(this);
  frame_->setObjectName(QStringLiteral("XPForm"));
  frame_->SetTitleCaption(QString::fromUtf8(kExifWindowTitle));
  frame_->SetTitleHeight(25);
  frame_->SetTitleXOffset(13);
  frame_->SetTitleYOffset(4);
  frame_->SetBottomTitleHeight(20);
  frame_->SetBottomTitleCaption(QString());
  frame_->SetVisibleButtons(ui::bbClose);
  frame_->SetSizeable(true);

  content_ = new ui::TXPGradientPanel(this);
  content_->setObjectName(QStringLiteral("ContentPanel"));
  auto* contentLayout = new QVBoxLayout(content_);
  contentLayout->setContentsMargins(4, 4, 4, 4);
  auto* edit = new ui::TXPPanel(content_, Qt::white, true);
  edit->setObjectName(QStringLiteral("EditPanel"));
  contentLayout->addWidget(edit);
  auto* editLayout = new QVBoxLayout(edit);
  editLayout->setContentsMargins(2, 2, 1, 1);
  memo_ = new ui::TTextMemo(edit);
  memo_->setObjectName(QStringLiteral("Memo"));
  memo_->setFrameShape(QFrame::NoFrame);
  memo_->setFont(ui::KitPixelFont(13));
  memo_->installEventFilter(this);
  installEventFilter(this);
  editLayout->addWidget(memo_);
  frame_->SetContentPanel(content_);
  // Not yet the active window: the active look comes with activation.
  frame_->MarkInactive();
}

void TEXIFDialog::SetText(const QString& text) { memo_->SetText(text); }

void TEXIFDialog::SetLookActive(bool active) {
  if (active) {
    frame_->MarkActive();
  } else {
    frame_->MarkInactive();
  }
}

bool TEXIFDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    emit closeRequested();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void TEXIFDialog::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange) emit activated(isActiveWindow());
}

void TEXIFDialog::closeEvent(QCloseEvent* event) {
  // Closing only hides the window, and only its presenter does that.
  event->ignore();
  emit closeRequested();
}

void TEXIFDialog::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  const QRect normal = NormalGeometry(*this);
  emit placed(normal);
}

void TEXIFDialog::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  emit placed(NormalGeometry(*this));
}

}  // namespace trimora::metadata
