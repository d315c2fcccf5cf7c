#include "ui/xp_dialog.h"

#include <QGuiApplication>
#include <QScreen>

#include "ui/dialog_rules.h"
#include "ui/kit_style.h"
#include "ui/xp_controls.h"
#include "ui/xp_form.h"

namespace trimora::ui {

TXPDialog::TXPDialog(QWidget* parent) : QDialog(parent) {
  setModal(true);
  setFont(KitPixelFont(13));
  frame_ = new TtfXPForm(this);
  frame_->SetTitleHeight(32);
  frame_->SetTitleXOffset(10);
  frame_->SetTitleYOffset(7);
  frame_->SetBottomTitleHeight(4);
  frame_->SetSizeable(false);
  frame_->SetVisibleButtons(bbClose);
  frame_->SetTitleFont(KitPixelFont(15, true));
  content_ = new TXPGradientPanel(this);
  content_->setObjectName(QStringLiteral("ContentPanel"));
  frame_->SetContentPanel(content_);
}

void TXPDialog::SetTitle(const QString& title) {
  setWindowTitle(ToQString(WindowCaption(ToUtf8(title))));
  if (!frame_->FrameHidden()) frame_->SetTitleCaption(title);
}

void TXPDialog::CentreOver(const QWidget* window) {
  QRect area;
  if (window && window->isVisible()) {
    area = window->frameGeometry();
  } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  }
  if (area.isNull()) return;
  move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

void TXPDialog::reject() { done(kResultCancel); }

}  // namespace trimora::ui
