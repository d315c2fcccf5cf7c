#include "ui/band_grip.h"

#include <QMouseEvent>
#include <QPainter>

namespace trimora::ui {

TBandGrip::TBandGrip(QWidget* parent) : QWidget(parent) {
  setCursor(Qt::SizeAllCursor);
  setFixedWidth(sizeHint().width());
}

void TBandGrip::SetHandlers(std::function<void(QPoint)> moved, std::function<void()> released) {
  moved_ = std::move(moved);
  released_ = std::move(released);
}

QSize TBandGrip::sizeHint() const { return {7, 40}; }

void TBandGrip::paintEvent(QPaintEvent*) {
  // Two columns of raised dots.
  QPainter painter(this);
  const QColor light = palette().color(QPalette::Light);
  const QColor dark = palette().color(QPalette::Dark);
  for (int y = 4; y + 2 < height() - 3; y += 4) {
    for (int x : {1, 4}) {
      painter.fillRect(x + 1, y + 1, 2, 2, light);
      painter.fillRect(x, y, 2, 2, dark);
    }
  }
}

void TBandGrip::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  held_ = true;
  last_ = event->globalPosition().toPoint();
}

void TBandGrip::mouseMoveEvent(QMouseEvent* event) {
  if (!held_) return;
  const QPoint now = event->globalPosition().toPoint();
  const QPoint by = now - last_;
  last_ = now;
  if (moved_ && !by.isNull()) moved_(by);
}

void TBandGrip::mouseReleaseEvent(QMouseEvent* event) {
  if (!held_ || event->button() != Qt::LeftButton) return;
  held_ = false;
  if (released_) released_();
}

}  // namespace trimora::ui
