#include "ui/flat_menu_style.h"

#include <QApplication>
#include <QLinearGradient>
#include <QMenu>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

namespace trimora::ui {

namespace {

constexpr int kIconColumn = 24;
constexpr int kTextGap = 8;
constexpr int kRightMargin = 20;
constexpr int kSeparatorHeight = 5;
// The blue of the icon column, the highlight and checked entries.
const QColor kMenuBlue(170, 189, 240);
// The inactive caption colour of the system the look was designed on.
const QColor kInactiveCaption(122, 150, 223);
// Icons of disabled entries: grey levels a tenth as strong.
constexpr int kDisabledGreyLevel = 10;

QColor ButtonFace(const QStyleOption& option) { return option.palette.color(QPalette::Button); }

QPixmap DisabledPicture(const QPixmap& picture) {
  QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int grey = 255 - (255 - qGray(row[x])) * kDisabledGreyLevel / 100 - 60;
      row[x] = qRgba(grey, grey, grey, qAlpha(row[x]));
    }
  }
  return QPixmap::fromImage(image);
}

}  // namespace

TFlatMenuStyle::TFlatMenuStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

QFont TFlatMenuStyle::MenuFont() {
  QFont font(QStringLiteral("Tahoma"));
  font.setFamilies(
      {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
  font.setPixelSize(13);
  return font;
}

void TFlatMenuStyle::Apply(QMenu& menu, bool on) {
  if (on) {
    menu.setStyle(this);
    menu.setFont(MenuFont());
  } else {
    menu.setStyle(nullptr);
    menu.setFont(QFont());
    menu.setAttribute(Qt::WA_SetFont, false);
  }
}

int TFlatMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                const QWidget* widget) const {
  switch (metric) {
    case PM_MenuPanelWidth:
      return 1;
    case PM_MenuHMargin:
    case PM_MenuVMargin:
      return 1;
    case PM_SmallIconSize:
      return 16;
    default:
      return QProxyStyle::pixelMetric(metric, option, widget);
  }
}

QSize TFlatMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                       const QSize& size, const QWidget* widget) const {
  if (type != CT_MenuItem) return QProxyStyle::sizeFromContents(type, option, size, widget);
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (item == nullptr) return QProxyStyle::sizeFromContents(type, option, size, widget);
  if (item->menuItemType == QStyleOptionMenuItem::Separator)
    return {size.width(), kSeparatorHeight};
  const QFontMetrics metrics(item->font);
  QString text = item->text;
  int width = kIconColumn + kTextGap + kRightMargin;
  const qsizetype tab = text.indexOf(QLatin1Char('\t'));
  if (tab >= 0) {
    width += metrics.horizontalAdvance(text.mid(tab + 1)) + 3 * kTextGap;
    text = text.left(tab);
  }
  width += metrics.horizontalAdvance(QString(text).remove(QLatin1Char('&')));
  return {width, std::max(22, metrics.height() + 8)};
}

void TFlatMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
  if (element == PE_FrameMenu || element == PE_PanelMenu) {
    painter->fillRect(option->rect, ButtonFace(*option));
    if (element == PE_FrameMenu) {
      painter->setPen(ButtonFace(*option).darker(150));
      painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    }
    return;
  }
  QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void TFlatMenuStyle::drawControl(ControlElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
  if (element == CE_MenuEmptyArea) {
    painter->fillRect(option->rect, ButtonFace(*option));
    return;
  }
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (element != CE_MenuItem || item == nullptr) {
    QProxyStyle::drawControl(element, option, painter, widget);
    return;
  }
  painter->save();
  const QRect r = item->rect;
  const QRect column(r.left(), r.top(), kIconColumn, r.height());
  painter->fillRect(r, ButtonFace(*item));
  QLinearGradient gradient(column.topLeft(), column.topRight());
  gradient.setColorAt(0, Qt::white);
  gradient.setColorAt(1, kMenuBlue);
  painter->fillRect(column, gradient);
  if (item->menuItemType == QStyleOptionMenuItem::Separator) {
    // A separator line in a shade of the button face, right of the icon column.
    painter->setPen(ButtonFace(*item).darker(115));
    const int y = r.top() + r.height() / 2;
    painter->drawLine(r.left() + kIconColumn + kTextGap, y, r.right(), y);
    painter->restore();
    return;
  }
  const bool enabled = item->state & State_Enabled;
  const bool highlighted = enabled && (item->state & State_Selected);
  if (highlighted) {
    painter->fillRect(r, kMenuBlue);
    painter->setPen(kMenuBlue);
    painter->drawRect(r.adjusted(0, 0, -1, -1));
  }
  const bool checked = item->checkType != QStyleOptionMenuItem::NotCheckable && item->checked;
  const QRect cell = column.adjusted(2, 2, -2, -2);
  if (checked) {
    painter->fillRect(cell, kMenuBlue);
    painter->setPen(kMenuBlue.darker(140));
    painter->drawRect(cell.adjusted(0, 0, -1, -1));
  }
  if (!item->icon.isNull()) {
    QPixmap picture = item->icon.pixmap(16, 16);
    if (!enabled) picture = DisabledPicture(picture);
    if (!highlighted && enabled) painter->setOpacity(0.7);
    painter->drawPixmap(cell.left() + (cell.width() - 16) / 2,
                        cell.top() + (cell.height() - 16) / 2, picture);
    painter->setOpacity(1.0);
  } else if (checked) {
    QStyleOptionMenuItem mark = *item;
    mark.rect = cell.adjusted(3, 3, -3, -3);
    mark.state = State_On | (enabled ? State_Enabled : State_None);
    painter->setPen(item->palette.color(QPalette::Text));
    if (item->checkType == QStyleOptionMenuItem::Exclusive) {
      painter->setRenderHint(QPainter::Antialiasing);
      painter->setBrush(enabled ? item->palette.color(QPalette::Text) : kInactiveCaption);
      painter->setPen(Qt::NoPen);
      painter->drawEllipse(cell.center() + QPointF(0.5, 0.5), 3, 3);
    } else {
      QProxyStyle::drawPrimitive(PE_IndicatorMenuCheckMark, &mark, painter, widget);
    }
  }
  // The caption, and the shortcut key at the right.
  painter->setFont(item->font);
  painter->setPen(enabled ? item->palette.color(QPalette::Text) : kInactiveCaption);
  QString text = item->text;
  const QRect textRect = r.adjusted(kIconColumn + kTextGap, 0, -kRightMargin, 0);
  int flags = Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextSingleLine;
  if (!styleHint(SH_UnderlineShortcut, item, widget)) flags |= Qt::TextHideMnemonic;
  const qsizetype tab = text.indexOf(QLatin1Char('\t'));
  if (tab >= 0) {
    painter->drawText(textRect, flags | Qt::AlignRight, text.mid(tab + 1));
    text = text.left(tab);
  }
  painter->drawText(textRect, flags | Qt::AlignLeft, text);
  if (item->menuItemType == QStyleOptionMenuItem::SubMenu) {
    QStyleOption arrow = *item;
    arrow.rect = QRect(r.right() - 14, r.top() + (r.height() - 8) / 2, 8, 8);
    arrow.palette.setColor(QPalette::ButtonText, painter->pen().color());
    QProxyStyle::drawPrimitive(PE_IndicatorArrowRight, &arrow, painter, widget);
  }
  painter->restore();
}

}  // namespace trimora::ui
