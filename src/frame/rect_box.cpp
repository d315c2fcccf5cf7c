#include "frame/rect_box.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace trimora {

namespace {

QRect ToQRect(const ScreenRect& r) { return QRect(r.left, r.top, r.width, r.height); }
ScreenRect FromQRect(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

}  // namespace

ThlvRectBox::ThlvRectBox(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);  // hit testing while the button is up
  setAttribute(Qt::WA_NoSystemBackground);
  setAutoFillBackground(false);
}

void ThlvRectBox::Changed() { update(); }

void ThlvRectBox::SetAutoSize(bool on) {
  if (on != autoSize_) {
    autoSize_ = on;
    Changed();
  }
}
void ThlvRectBox::SetFrameType(TFrameType t) {
  if (t != frameType_) {
    frameType_ = t;
    Changed();
  }
}
void ThlvRectBox::SetHidePassiveFrame(bool on) {
  if (on != hidePassiveFrame_) {
    hidePassiveFrame_ = on;
    Changed();
  }
}
void ThlvRectBox::SetCaption(const QString& c) {
  if (c != caption_) {
    caption_ = c;
    Changed();
  }
}
void ThlvRectBox::SetBoxSize(int size) {
  const int stored = StoredBoxSize(boxSize_, size);
  if (stored != boxSize_) {
    boxSize_ = stored;
    Changed();
  }
}
void ThlvRectBox::SetBoxColor(const QColor& c) {
  if (c != boxColor_) {
    boxColor_ = c;
    Changed();
  }
}
void ThlvRectBox::SetDrawFrame(bool on) {
  if (on != drawFrame_) {
    drawFrame_ = on;
    Changed();
  }
}
void ThlvRectBox::SetDrawBoxes(bool on) {
  if (on != drawBoxes_) {
    drawBoxes_ = on;
    Changed();
  }
}
void ThlvRectBox::SetShowPos(bool on) {
  if (on != showPos_) {
    showPos_ = on;
    Changed();
  }
}
void ThlvRectBox::SetShowSize(bool on) {
  if (on != showSize_) {
    showSize_ = on;
    Changed();
  }
}
void ThlvRectBox::SetInfoTextColor(const QColor& c) {
  if (c != infoTextColor_) {
    infoTextColor_ = c;
    Changed();
  }
}

void ThlvRectBox::SetFocus(bool focus) {
  if (focus == focus_) return;
  focus_ = focus;
  // A paint request: the new colour reaches the screen with the next paint of the window,
  // together with whatever else changed, instead of flushing the whole window at once.
  if (focus) currentFrameColor_ = activeFrameColor_;
  update();
}

ThlvRectBox* ThlvRectBox::MakeCropFrame(QWidget* image) {
  auto* f = new ThlvRectBox(image);
  f->setObjectName(QStringLiteral("frame"));
  f->setGeometry(0, 0, 320, 227);
  f->SetSurrounding(image);
  const QColor red(255, 0, 0);
  f->SetBoxColor(red);
  f->SetActiveFrameColor(red);
  f->SetPassiveFrameColor(red);
  f->setCursor(Qt::PointingHandCursor);
  f->show();
  return f;
}

ThlvRectBox* ThlvRectBox::MakeRedEyeFrame(QWidget* image) {
  auto* f = new ThlvRectBox(image);
  f->setObjectName(QStringLiteral("RedEyeFrame"));
  f->setGeometry(0, 0, 33, 33);
  f->SetSurrounding(image);
  f->SetFrameType(TFrameType::ftInner);
  const QColor orange(255, 128, 0);
  f->SetBoxColor(orange);
  f->SetActiveFrameColor(orange);
  f->SetPassiveFrameColor(orange);
  f->hide();
  return f;
}

void ThlvRectBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (autoSize_) {
    const QFontMetrics fm(font());
    const QSize text(fm.horizontalAdvance(caption_), fm.height());
    if (text != size()) resize(text);
  }
  const int W = width(), H = height(), B = boxSize_;
  const LineRect line = FrameLineRect(W, H, B, frameType_);
  const QRect lineRect(QPoint(line.left, line.top), QPoint(line.right, line.bottom));
  emit painting(this, &painter, lineRect);
  if (drawFrame_ && (focus_ || !hidePassiveFrame_)) {
    QPen pen(currentFrameColor_, 1, Qt::DashLine);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QPoint pts[5] = {{line.left, line.top},
                           {line.right, line.top},
                           {line.right, line.bottom},
                           {line.left, line.bottom},
                           {line.left, line.top}};
    painter.drawPolyline(pts, 5);
  }
  if (drawBoxes_ && focus_) {
    for (const ScreenRect& r : HandleRects(W, H, B)) painter.fillRect(ToQRect(r), boxColor_);
  }
  const int d = frameType_ == TFrameType::ftOuter   ? 0
                : frameType_ == TFrameType::ftInner ? B
                                                    : B / 2;
  painter.setClipRect(QRect(QPoint(d + 1, d + 1), QPoint(W - d - 2, H - d - 2)));
  if ((showPos_ || showSize_) && focus_) {
    QFont info(QStringLiteral("MS Sans Serif"));
    info.setPixelSize(10);
    painter.setFont(info);
    painter.setPen(infoTextColor_);
    const QFontMetrics fm(info);
    if (showPos_) {
      painter.drawText(B + 2, B + fm.ascent(), QStringLiteral("L:%1 T:%2").arg(x()).arg(y()));
    }
    if (showSize_) {
      painter.drawText(B + 2, B + 3 + fm.height() + fm.ascent(),
                       QStringLiteral("W:%1 H:%2").arg(W).arg(H));
    }
  }
  if (!caption_.isEmpty()) {
    painter.setFont(font());
    const QFontMetrics fm(font());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText((W - fm.horizontalAdvance(caption_)) / 2, (H - fm.height()) / 2 + fm.ascent(),
                     caption_);
  }
}

DragLimits ThlvRectBox::Limits() const {
  DragLimits l;
  QWidget* s = surrounding_;
  if (!s) return l;
  l.limited = true;
  if (s == parentWidget()) {
    l.lmax = s->width();
    l.bmax = s->height();
  } else {
    l.lmin = s->x();
    l.tmin = s->y();
    l.lmax = l.lmin + s->width();
    l.bmax = l.tmin + s->height();
  }
  return l;
}

void ThlvRectBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  const QPoint p = event->position().toPoint();
  // The zone is the one under the pointer; a press without a move before it finds it here.
  zone_ = HitTestRectBox(p.x(), p.y(), width(), height(), boxSize_, drawBoxes_).zone;
  drag_.emplace(zone_, p.x(), p.y());
  if (autoForeGround_) raise();
  if (QWidget* owner = parentWidget()) {
    for (ThlvRectBox* other : owner->findChildren<ThlvRectBox*>(Qt::FindDirectChildrenOnly)) {
      if (other != this && other->focus_) {
        other->focus_ = false;
        other->update();
      }
    }
  }
  focus_ = true;
  currentFrameColor_ = activeFrameColor_;
  // Qt keeps sending moves and the release to the pressed widget (the pointer is grabbed).
  update();
}

void ThlvRectBox::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (!(event->buttons() & Qt::LeftButton) || !drag_) {
    const RectHit hit = HitTestRectBox(p.x(), p.y(), width(), height(), boxSize_, drawBoxes_);
    zone_ = hit.zone;
    switch (hit.cursor) {
      case RectCursor::Unchanged:
        break;
      case RectCursor::Hand:
        setCursor(Qt::PointingHandCursor);
        break;
      case RectCursor::SizeNWSE:
        setCursor(Qt::SizeFDiagCursor);
        break;
      case RectCursor::SizeNESW:
        setCursor(Qt::SizeBDiagCursor);
        break;
      case RectCursor::SizeHorizontal:
        setCursor(Qt::SizeHorCursor);
        break;
      case RectCursor::SizeVertical:
        setCursor(Qt::SizeVerCursor);
        break;
    }
    return;
  }
  const ScreenRect current = FromQRect(geometry());
  const RectBoxDrag::Step step = drag_->Move(current, p.x(), p.y(), Limits(), boxSize_);
  if (!step.changed) return;
  if (step.applied) setGeometry(ToQRect(step.bounds));
  update();
  emit rectMoved(this);
}

void ThlvRectBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  drag_.reset();
  zone_ = DragZone::None;
  update();
  const QPoint p = event->position().toPoint();
  emit mouseUp(this, event->button(), event->modifiers(), p.x(), p.y());
}

}  // namespace trimora
