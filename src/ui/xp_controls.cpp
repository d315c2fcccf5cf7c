#include "ui/xp_controls.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionButton>

#include "ui/kit_style.h"

namespace trimora::ui {

TXPGradientPanel::TXPGradientPanel(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TXPGradientPanel::SetGradientEnabled(bool enabled, const QColor& color) {
  gradient_ = enabled;
  plain_ = color.isValid() ? color : palette().color(QPalette::Window);
  update();
}

void TXPGradientPanel::SetLoweredBevel(bool lowered) {
  lowered_ = lowered;
  update();
}

void TXPGradientPanel::paintEvent(QPaintEvent*) {
  QPainter g(this);
  if (!gradient_) {
    g.fillRect(rect(), plain_);
    if (lowered_) {
      const QRect r = rect().adjusted(0, 0, -1, -1);
      g.setPen(palette().color(QPalette::Dark));
      g.drawLine(r.topLeft(), r.topRight());
      g.drawLine(r.topLeft(), r.bottomLeft());
      g.setPen(palette().color(QPalette::Light));
      g.drawLine(r.bottomLeft(), r.bottomRight());
      g.drawLine(r.topRight(), r.bottomRight());
    }
    return;
  }
  // 100 bands of equal width, from white to the end colour.
  constexpr int kSteps = 100;
  const QColor end = colors::GradientEnd();
  const int w = width();
  for (int i = 0; i < kSteps; ++i) {
    const int x0 = w * i / kSteps;
    const int x1 = w * (i + 1) / kSteps;
    if (x1 <= x0) continue;
    const double t = static_cast<double>(i) / (kSteps - 1);
    const QColor c(255 + static_cast<int>((end.red() - 255) * t),
                   255 + static_cast<int>((end.green() - 255) * t),
                   255 + static_cast<int>((end.blue() - 255) * t));
    g.fillRect(QRect(x0, 0, x1 - x0, height()), c);
  }
}

TXPPanel::TXPPanel(QWidget* parent, const QColor& color, bool framed)
    : QWidget(parent), color_(color), framed_(framed) {}

void TXPPanel::SetColor(const QColor& color) {
  color_ = color;
  update();
}

void TXPPanel::paintEvent(QPaintEvent*) {
  QPainter g(this);
  g.fillRect(rect(), color_);
  if (framed_) {
    g.setPen(QColor(127, 157, 185));
    g.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

TXPButton::TXPButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
  setAttribute(Qt::WA_Hover);
  setFocusPolicy(Qt::StrongFocus);
}

void TXPButton::SetPicture(const QPixmap& picture) {
  picture_ = picture;
  update();
}

void TXPButton::enterEvent(QEnterEvent* event) {
  hovered_ = true;
  update();
  QPushButton::enterEvent(event);
}

void TXPButton::leaveEvent(QEvent* event) {
  hovered_ = false;
  update();
  QPushButton::leaveEvent(event);
}

void TXPButton::paintEvent(QPaintEvent*) {
  QPainter g(this);
  g.setRenderHint(QPainter::Antialiasing);
  const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  const bool down = isDown() || isChecked();
  QLinearGradient fill(0, 0, 0, height());
  if (!isEnabled()) {
    fill.setColorAt(0, QColor(246, 246, 246));
    fill.setColorAt(1, QColor(226, 230, 238));
  } else if (down) {
    fill.setColorAt(0, QColor(196, 212, 246));
    fill.setColorAt(1, QColor(226, 236, 252));
  } else {
    fill.setColorAt(0, QColor(255, 255, 255));
    fill.setColorAt(0.55, QColor(236, 242, 253));
    fill.setColorAt(1, QColor(206, 220, 248));
  }
  g.setBrush(fill);
  g.setPen(QPen(isEnabled() ? QColor(40, 80, 170) : QColor(170, 178, 196), 1));
  g.drawRoundedRect(box, 3.5, 3.5);
  // The default button and the hovered one carry an inner ring.
  if (isEnabled() && (hovered_ || isDefault() || hasFocus())) {
    g.setBrush(Qt::NoBrush);
    g.setPen(QPen(hovered_ ? QColor(250, 184, 60) : QColor(120, 160, 240), 2));
    g.drawRoundedRect(box.adjusted(1.5, 1.5, -1.5, -1.5), 2.5, 2.5);
  }
  g.setRenderHint(QPainter::Antialiasing, false);
  const QFontMetrics fm(font());
  QString caption = text();
  const int textWidth = fm.horizontalAdvance(QString(caption).remove(QLatin1Char('&')));
  const int gap = textWidth > 0 ? 5 : 0;
  const int pictureWidth =
      picture_.isNull() ? 0 : picture_.width() / picture_.devicePixelRatio() + gap;
  const int contentWidth = pictureWidth + textWidth;
  int x = (width() - contentWidth) / 2 + (down ? 1 : 0);
  const int shift = down ? 1 : 0;
  if (!picture_.isNull()) {
    const int ph = picture_.height() / picture_.devicePixelRatio();
    g.drawPixmap(x, (height() - ph) / 2 + shift, picture_);
    x += pictureWidth;
  }
  const QRect textRect(x, shift, width() - x, height());
  g.setPen(isEnabled() ? QColor(0, 0, 0) : QColor(160, 160, 160));
  style()->drawItemText(&g, textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                        palette(), isEnabled(), caption);
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect().adjusted(4, 4, -4, -4);
    g.setPen(QPen(QColor(90, 110, 160), 1, Qt::DotLine));
    g.setBrush(Qt::NoBrush);
    g.drawRect(focus.rect.adjusted(0, 0, -1, -1));
  }
}

TXPCheckBox::TXPCheckBox(QWidget* parent) : QCheckBox(parent) { setFocusPolicy(Qt::StrongFocus); }

bool TXPCheckBox::hitButton(const QPoint& pos) const { return rect().contains(pos); }

void TXPCheckBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    toggle();
    event->accept();
    return;
  }
  QCheckBox::keyPressEvent(event);
}

void TXPCheckBox::paintEvent(QPaintEvent*) {
  QPainter g(this);
  g.setRenderHint(QPainter::Antialiasing);
  const int side = qMin(13, qMin(width(), height()));
  const QRectF box((width() - side) / 2 + 0.5, (height() - side) / 2 + 0.5, side - 1, side - 1);
  QLinearGradient fill(box.topLeft(), box.bottomRight());
  fill.setColorAt(0, QColor(220, 228, 244));
  fill.setColorAt(1, QColor(255, 255, 255));
  g.setBrush(fill);
  g.setPen(QPen(hasFocus() ? QColor(250, 160, 40) : QColor(28, 81, 128), 1));
  g.drawRoundedRect(box, 1.5, 1.5);
  if (isChecked()) {
    g.setPen(QPen(QColor(33, 161, 33), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tick;
    tick.moveTo(box.left() + 3, box.center().y());
    tick.lineTo(box.left() + side * 0.42, box.bottom() - 3);
    tick.lineTo(box.right() - 2.5, box.top() + 3);
    g.setBrush(Qt::NoBrush);
    g.drawPath(tick);
  }
}

TXPTitleButton::TXPTitleButton(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_Hover);
}

void TXPTitleButton::SetPicture(const QPixmap& picture, const QString& pictureName) {
  picture_ = picture;
  pictureName_ = pictureName;
  update();
}

void TXPTitleButton::enterEvent(QEnterEvent* event) {
  hovered_ = true;
  update();
  QAbstractButton::enterEvent(event);
}

void TXPTitleButton::leaveEvent(QEvent* event) {
  hovered_ = false;
  update();
  QAbstractButton::leaveEvent(event);
}

void TXPTitleButton::paintEvent(QPaintEvent*) {
  QPainter g(this);
  const int shift = isDown() ? 1 : 0;
  g.drawPixmap(shift, shift, picture_);
  if (hovered_ && isEnabled()) {
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(255, 255, 255, isDown() ? 30 : 55));
    g.drawRoundedRect(QRectF(1 + shift, 1 + shift, 19, 19), 3, 3);
  }
}

}  // namespace trimora::ui
