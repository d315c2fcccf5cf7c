#include "ui/flat_menu_style.h"

#include <QApplication>
#include <QLinearGradient>
#include <QMenu>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionComboBox>
#include <QStyleOptionMenuItem>
#include <QStyleOptionProgressBar>
#include <QStyleOptionSpinBox>
#include <algorithm>

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

// The controls.

namespace {

// The thin border of a control at rest, and of one under the pointer, focused or pressed.
QColor RestBorder(const QStyleOption& option) { return ButtonFace(option).darker(135); }
const QColor kHotBorder = kMenuBlue.darker(150);

bool Hot(const QStyleOption& option) {
  return (option.state & QStyle::State_Enabled) &&
         (option.state & (QStyle::State_MouseOver | QStyle::State_HasFocus));
}

void FlatBox(QPainter* painter, const QRect& rect, const QBrush& fill, const QColor& border) {
  painter->save();
  painter->fillRect(rect, fill);
  painter->setPen(border);
  painter->setBrush(Qt::NoBrush);
  painter->drawRect(rect.adjusted(0, 0, -1, -1));
  painter->restore();
}

// The field of an edit, combo box or up-down control: the base colour (button face when
// disabled) in a thin border that turns blue while the control is hot.
void FlatField(QPainter* painter, const QStyleOption& option, const QRect& rect) {
  const bool enabled = option.state & QStyle::State_Enabled;
  FlatBox(painter, rect,
          enabled ? option.palette.brush(QPalette::Base) : option.palette.brush(QPalette::Button),
          Hot(option) ? kHotBorder : RestBorder(option));
}

// A button-like part: blue while pressed or hot, else the button face (`flatAtRest`: nothing).
void FlatButtonPart(QPainter* painter, const QStyleOption& option, const QRect& rect,
                    bool flatAtRest) {
  const bool enabled = option.state & QStyle::State_Enabled;
  const bool pressed = enabled && (option.state & (QStyle::State_Sunken | QStyle::State_On));
  const bool hot = enabled && (option.state & QStyle::State_MouseOver);
  if (pressed) {
    FlatBox(painter, rect, kMenuBlue.darker(112), kHotBorder);
  } else if (hot) {
    FlatBox(painter, rect, kMenuBlue, kHotBorder);
  } else if (!flatAtRest) {
    FlatBox(painter, rect, ButtonFace(option),
            (option.state & QStyle::State_HasFocus) ? kHotBorder : RestBorder(option));
  }
}

void Arrow(const QStyle& style, QStyle::PrimitiveElement arrow, const QStyleOption& option,
           const QRect& rect, QPainter* painter, const QWidget* widget) {
  QStyleOption o = option;
  o.rect = rect;
  o.state &= ~(QStyle::State_Sunken | QStyle::State_MouseOver);
  style.drawPrimitive(arrow, &o, painter, widget);
}

}  // namespace

TFlatControlStyle::TFlatControlStyle(QStyle* base)
    : QProxyStyle(base != nullptr ? base : QStyleFactory::create(QStringLiteral("Fusion"))) {}

void TFlatControlStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                      QPainter* painter, const QWidget* widget) const {
  const bool enabled = option->state & State_Enabled;
  switch (element) {
    case PE_PanelButtonCommand:
      FlatButtonPart(painter, *option, option->rect, false);
      return;
    case PE_PanelButtonTool:
      FlatButtonPart(painter, *option, option->rect, option->state & State_AutoRaise);
      return;
    case PE_FrameButtonTool:
    case PE_FrameDefaultButton:
    case PE_FrameFocusRect:
    case PE_PanelToolBar:
      return;
    case PE_PanelLineEdit:
      FlatField(painter, *option, option->rect);
      return;
    case PE_FrameLineEdit:
    case PE_Frame:
    case PE_FrameGroupBox:
      painter->save();
      painter->setPen(element != PE_FrameGroupBox && Hot(*option) ? kHotBorder
                                                                  : RestBorder(*option));
      painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
      painter->restore();
      return;
    case PE_IndicatorCheckBox:
    case PE_IndicatorRadioButton: {
      painter->save();
      painter->setRenderHint(QPainter::Antialiasing, element == PE_IndicatorRadioButton);
      const QRect box = option->rect.adjusted(0, 0, -1, -1);
      painter->setPen(Hot(*option) ? kHotBorder : RestBorder(*option));
      painter->setBrush(!enabled                         ? ButtonFace(*option)
                        : (option->state & State_Sunken) ? kMenuBlue
                                                         : option->palette.color(QPalette::Base));
      const QColor ink = enabled ? option->palette.color(QPalette::Text) : kInactiveCaption;
      if (element == PE_IndicatorRadioButton) {
        painter->drawEllipse(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
        if (option->state & State_On) {
          painter->setPen(Qt::NoPen);
          painter->setBrush(ink);
          painter->drawEllipse(QRectF(box).center() + QPointF(0.5, 0.5), box.width() / 5.0,
                               box.height() / 5.0);
        }
      } else {
        painter->drawRect(box);
        if (option->state & State_NoChange) {
          painter->fillRect(box.adjusted(3, 3, -2, -2), kInactiveCaption);
        } else if (option->state & State_On) {
          QPen pen(ink, 2);
          painter->setPen(pen);
          painter->setRenderHint(QPainter::Antialiasing);
          const QRectF r = QRectF(box).adjusted(3, 3, -3, -3);
          const QPointF points[] = {{r.left(), r.center().y()},
                                    {r.left() + r.width() * 0.4, r.bottom()},
                                    {r.right(), r.top()}};
          painter->drawPolyline(points, 3);
        }
      }
      painter->restore();
      return;
    }
    default:
      QProxyStyle::drawPrimitive(element, option, painter, widget);
  }
}

void TFlatControlStyle::drawControl(ControlElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const {
  switch (element) {
    case CE_ToolBar:
      return;
    case CE_HeaderSection: {
      painter->save();
      painter->fillRect(option->rect, ButtonFace(*option));
      painter->setPen(RestBorder(*option));
      painter->drawLine(option->rect.topRight(), option->rect.bottomRight());
      painter->drawLine(option->rect.bottomLeft(), option->rect.bottomRight());
      painter->restore();
      return;
    }
    case CE_ProgressBarGroove:
      FlatField(painter, *option, option->rect);
      return;
    case CE_ProgressBarContents: {
      const auto* bar = qstyleoption_cast<const QStyleOptionProgressBar*>(option);
      if (bar == nullptr || bar->maximum <= bar->minimum) break;
      const QRect inner = option->rect.adjusted(1, 1, -1, -1);
      const double part = std::clamp(
          static_cast<double>(bar->progress - bar->minimum) / (bar->maximum - bar->minimum), 0.0,
          1.0);
      const QRect done(inner.left(), inner.top(), static_cast<int>(inner.width() * part),
                       inner.height());
      QLinearGradient fill(done.topLeft(), done.bottomLeft());
      fill.setColorAt(0, Qt::white);
      fill.setColorAt(1, kMenuBlue.darker(110));
      painter->fillRect(done, fill);
      return;
    }
    default:
      break;
  }
  QProxyStyle::drawControl(element, option, painter, widget);
}

void TFlatControlStyle::drawComplexControl(ComplexControl control,
                                           const QStyleOptionComplex* option, QPainter* painter,
                                           const QWidget* widget) const {
  if (control == CC_ComboBox) {
    if (const auto* box = qstyleoption_cast<const QStyleOptionComboBox*>(option)) {
      FlatField(painter, *option, option->rect);
      const QRect arrow = subControlRect(CC_ComboBox, box, SC_ComboBoxArrow, widget)
                              .intersected(option->rect.adjusted(1, 1, -1, -1));
      QStyleOption part = *option;
      part.state &= ~State_HasFocus;
      if (box->activeSubControls & SC_ComboBoxArrow || (option->state & State_On))
        part.state |= State_Sunken;
      FlatButtonPart(painter, part, arrow, false);
      Arrow(*this, PE_IndicatorArrowDown, *option, arrow, painter, widget);
      return;
    }
  }
  if (control == CC_SpinBox) {
    if (const auto* spin = qstyleoption_cast<const QStyleOptionSpinBox*>(option)) {
      if (spin->frame) FlatField(painter, *option, option->rect);
      for (const auto& [sub, arrow] : {std::pair{SC_SpinBoxUp, PE_IndicatorArrowUp},
                                       std::pair{SC_SpinBoxDown, PE_IndicatorArrowDown}}) {
        if (!(spin->subControls & sub)) continue;
        const QRect r = subControlRect(CC_SpinBox, spin, sub, widget);
        QStyleOption part = *option;
        part.state &= ~(State_HasFocus | State_Sunken | State_MouseOver);
        if (spin->activeSubControls & sub)
          part.state |= option->state & (State_Sunken | State_MouseOver);
        FlatButtonPart(painter, part, r, false);
        Arrow(*this, arrow, *option, r, painter, widget);
      }
      return;
    }
  }
  QProxyStyle::drawComplexControl(control, option, painter, widget);
}

namespace {
// The name of the style the controls had before they were painted flat.
QString& PlainStyleName() {
  static QString name;
  return name;
}
}  // namespace

bool FlatControlPainting() {
  return dynamic_cast<TFlatControlStyle*>(QApplication::style()) != nullptr;
}

void SetFlatControlPainting(bool on) {
  if (FlatControlPainting() == on) return;
  if (on) {
    PlainStyleName() = QApplication::style()->name();
    QApplication::setStyle(new TFlatControlStyle(QStyleFactory::create(PlainStyleName())));
  } else {
    QStyle* plain = QStyleFactory::create(PlainStyleName());
    QApplication::setStyle(plain != nullptr ? plain
                                            : QStyleFactory::create(QStringLiteral("Fusion")));
  }
}

}  // namespace trimora::ui
