#include "guide/html_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "guide/guide_place.h"
#include "guide/html_view.h"
#include "ui/kit_style.h"
#include "ui/standard_skin.h"
#include "ui/xp_controls.h"
#include "ui/xp_form.h"

namespace trimora::guide {

namespace {

bool IsSizingShape(Qt::CursorShape shape) {
  return shape == Qt::SizeBDiagCursor || shape == Qt::SizeVerCursor ||
         shape == Qt::SizeFDiagCursor || shape == Qt::SizeHorCursor;
}

}  // namespace

THtmlWindow::THtmlWindow(const QString& objectName) {
  setObjectName(objectName);
  setMinimumSize(kGuideMinimumWidth, kGuideMinimumHeight);
  setFont(ui::KitPixelFont(13));

  frame_ = new ui::TtfXPForm(this);
  frame_->SetTitleHeight(32);
  frame_->SetTitleXOffset(11);
  frame_->SetTitleYOffset(7);
  frame_->SetTitleFont(ui::KitPixelFont(15, true));
  frame_->SetTitleFontColor(Qt::white);
  frame_->SetBottomTitleHeight(4);
  frame_->SetColor(palette().color(QPalette::Base));
  frame_->SetVisibleButtons(ui::bbClose);
  frame_->SetSizeable(true);

  content_ = new ui::TXPPanel(this, Qt::white, false);
  content_->setObjectName(QStringLiteral("ContentPanel"));
  auto* layout = new QVBoxLayout(content_);
  layout->setContentsMargins(0, 0, 0, 0);
  browser_ = new THtmlView(content_);
  layout->addWidget(browser_);
  frame_->SetContentPanel(content_);

  // The message hook: every message of the program passes here first.
  qApp->installEventFilter(this);
}

THtmlWindow::~THtmlWindow() { qApp->removeEventFilter(this); }

void THtmlWindow::SetTitle(const QString& title) {
  frame_->SetTitleCaption(title);
  if (standardSkin_) setWindowTitle(title);
}

void THtmlWindow::UseStandardSkin() {
  standardSkin_ = true;
  ui::ConvertToStandardSkin(*frame_, *content_);
  setWindowTitle(frame_->TitleCaption());
}

void THtmlWindow::BringToFront() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

bool THtmlWindow::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseMove: {
      const Qt::MouseButtons buttons = static_cast<QMouseEvent*>(event)->buttons();
      const QCursor* cursor = QApplication::overrideCursor();
      if (!(buttons & (Qt::LeftButton | Qt::RightButton)) && cursor != nullptr &&
          IsSizingShape(cursor->shape())) {
        QApplication::restoreOverrideCursor();
      }
      break;
    }
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      auto* widget = qobject_cast<QWidget*>(watched);
      if (key->key() == Qt::Key_Escape && widget != nullptr && widget->window() == this) {
        close();
        return true;
      }
      break;
    }
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace trimora::guide
