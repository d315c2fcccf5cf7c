#include "app/picture_panel.h"

#include <QPainter>

namespace trimora::app {

PicturePanel::PicturePanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("imagePanel"));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage FitImage(const QImage& source, const QSize& box) {
  if (source.isNull() || box.isEmpty()) return {};
  const QSize target = source.size().scaled(box, Qt::KeepAspectRatio);
  if (target.width() >= source.width()) return source.copy();
  QImage step = source;
  if (target.width() * 4 < source.width()) {
    step = source.scaled(target * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  }
  return step.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void PicturePanel::SetPicture(const Picture& picture) {
  source_ = picture.empty() ? QImage()
                            : QImage(picture.data(), picture.width(), picture.height(),
                                     static_cast<qsizetype>(picture.stride()), QImage::Format_RGB32);
  backgroundOnly_ = false;
  Rebuild();
}

void PicturePanel::SetPicture(const Picture& picture, const Picture& preview) {
  source_ = QImage(picture.data(), picture.width(), picture.height(),
                   static_cast<qsizetype>(picture.stride()), QImage::Format_RGB32);
  backgroundOnly_ = false;
  const QImage small(preview.data(), preview.width(), preview.height(),
                     static_cast<qsizetype>(preview.stride()), QImage::Format_RGB32);
  const QSize target = source_.size().scaled(size() - QSize(8, 8), Qt::KeepAspectRatio);
  display_ = target.width() >= source_.width()
                 ? source_.copy()
                 : small.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  update();
}

void PicturePanel::Clear() {
  source_ = QImage();
  display_ = QImage();
  update();
}

void PicturePanel::SetBackgroundOnly(bool background) {
  if (backgroundOnly_ == background) return;
  backgroundOnly_ = background;
  update();
}

void PicturePanel::Rebuild() {
  display_ = FitImage(source_, size() - QSize(8, 8));
  update();
}

void PicturePanel::resizeEvent(QResizeEvent*) {
  if (!source_.isNull()) Rebuild();
}

void PicturePanel::paintEvent(QPaintEvent*) {
  QPainter g(this);
  g.fillRect(rect(), QColor(0xF3, 0xF6, 0xFD));
  g.setPen(QColor(127, 157, 185));
  g.drawRect(rect().adjusted(0, 0, -1, -1));
  if (backgroundOnly_ || display_.isNull()) return;
  const QPoint at((width() - display_.width()) / 2, (height() - display_.height()) / 2);
  g.drawImage(at, display_);
}

}  // namespace trimora::app
