#include "frame/picture_view.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include "frame/display_copy.h"

namespace trimora {

namespace {

// A QImage over the picture's pixels, without copying.
QImage Wrap(const Picture& p) {
  return QImage(p.data(), p.width(), p.height(), static_cast<qsizetype>(p.stride()),
                QImage::Format_RGB32);
}

const QColor kBackground(235, 239, 252);

}  // namespace

TPictureView::TPictureView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("image"));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPictureView::RebuildDisplayCopy(const Picture& picture, Picture scaled) {
  if (scaled.empty() || scaled.width() != width() || scaled.height() != height()) {
    ScaleInto(picture, width(), height(), display_);
  } else {
    display_ = std::move(scaled);
  }
  DimInto(display_, masterAlpha_, kPictureBackground, dimmed_);
  if (hasOverlay_) CutOverlay(display_, frame_, kPictureBackground, overlay_);
  update();
}

void TPictureView::RedrawDisplayPart(const Picture& picture, const PixelRect& part) {
  if (display_.width() != width() || display_.height() != height()) {
    RebuildDisplayCopy(picture);
    return;
  }
  RescalePart(picture, part, display_);
  DimInto(display_, masterAlpha_, kPictureBackground, dimmed_);
  if (hasOverlay_) CutOverlay(display_, frame_, kPictureBackground, overlay_);
  update();
}

QRect TPictureView::OverlayQRect() const {
  return QRect(overlayPlace_.left, overlayPlace_.top, overlayPlace_.width, overlayPlace_.height);
}

void TPictureView::RedrawSelectionOverlay(const ScreenRect& frame) {
  const QRect before = hasOverlay_ && overlayVisible_ ? OverlayQRect() : QRect();
  hasOverlay_ = true;
  frame_ = frame;
  CutOverlay(display_, frame, kPictureBackground, overlay_);
  overlayPlace_ = OverlayPlace(frame);
  // Only what the old and the new layer cover needs painting.
  update(before.united(OverlayQRect()));
}

void TPictureView::SetOverlayVisible(bool visible) {
  if (visible == overlayVisible_) return;
  overlayVisible_ = visible;
  update();
}

void TPictureView::SetMasterAlpha(int masterAlpha) {
  masterAlpha_ = std::clamp(masterAlpha, 0, 255);
  DimInto(display_, masterAlpha_, kPictureBackground, dimmed_);
  update();
}

void TPictureView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  painter.fillRect(area, kBackground);
  if (!dimmed_.empty()) {
    const QRect r = area.intersected(QRect(0, 0, dimmed_.width(), dimmed_.height()));
    if (!r.isEmpty()) painter.drawImage(r.topLeft(), Wrap(dimmed_), r);
  }
  if (hasOverlay_ && overlayVisible_ && !overlay_.empty()) {
    const QRect place = OverlayQRect();
    const QRect r = area.intersected(place);
    if (!r.isEmpty())
      painter.drawImage(r.topLeft(), Wrap(overlay_), r.translated(-place.topLeft()));
  }
}

}  // namespace trimora
