#include "frame/zoom_view.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

#include "frame/magnifier.h"

namespace trimora {

ThlvZoom::ThlvZoom(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Zoom"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  timer_.setInterval(kMagnifierDelay);
  connect(&timer_, &QTimer::timeout, this, &ThlvZoom::PaintNow);
}

void ThlvZoom::SetActive(bool active) {
  if (active == active_) return;
  active_ = active;
  forget_ = true;
  if (active) {
    timer_.start();
  } else {
    timer_.stop();
    shot_ = QImage();
    update();
  }
}

void ThlvZoom::SetZoomLevel(int level) {
  zoomLevel_ = level;
  forget_ = true;
  PointerMoved();
}

void ThlvZoom::RefreshZoom() {
  forget_ = true;
  PointerMoved();
}

void ThlvZoom::PointerMoved() {
  if (active_ && !timer_.isActive()) timer_.start();
}

void ThlvZoom::PaintNow() {
  if (!active_) return;
  const QPoint pointer = QCursor::pos();
  if (!forget_ && pointer == last_) {
    // Nothing changed: rest until the pointer moves or the screen is refreshed.
    timer_.stop();
    return;
  }
  forget_ = false;
  last_ = pointer;
  Capture(pointer);
  repaint();
}

void ThlvZoom::Capture(const QPoint& pointer) {
  QScreen* screen = QGuiApplication::screenAt(pointer);
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect g = screen->geometry();
  const ScreenRect r = CaptureRect(pointer.x(), pointer.y(), width(), height(), zoomLevel_,
                                   {g.x(), g.y(), g.width(), g.height()});
  captured_ = QRect(r.left, r.top, r.width, r.height);
  ++captures_;
  // Changes on screen are paint requests: have them painted first, so that the capture sees them.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
  QPixmap grabbed = screen->grabWindow(0, r.left - g.x(), r.top - g.y(), r.width, r.height);
  ownWindows_ = grabbed.isNull();
  if (!ownWindows_) {
    shot_ = grabbed.toImage();
    return;
  }
  // The platform refuses screen capture (Wayland): the program's own window under the pointer.
  shot_ = QImage(r.width, r.height, QImage::Format_RGB32);
  shot_.fill(Qt::white);
  if (QWidget* top = QApplication::topLevelAt(pointer)) {
    const QPoint origin = top->mapFromGlobal(captured_.topLeft());
    const QPixmap own = top->grab(QRect(origin, captured_.size()));
    QPainter painter(&shot_);
    painter.drawPixmap(QPoint(std::max(0, -origin.x()), std::max(0, -origin.y())), own);
  }
}

void ThlvZoom::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (shot_.isNull()) {
    painter.fillRect(rect(), Qt::white);
    return;
  }
  // Stretched pixel by pixel: every screen pixel becomes a block of the magnified picture.
  painter.drawImage(rect(), shot_);
}

void ThlvZoom::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  forget_ = true;
  PointerMoved();
}

}  // namespace trimora
