// Measuring and painting owner-drawn entries of Qt popups through the window procedure.
#include "qt/menu_style.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

#include "qt/host_window.h"
#include "qt/images.h"
#include "sys/environment.h"
#include "sys/objects.h"
#include "sys/windows.h"

namespace ornasys::qt {
namespace {

// The entry of `action` when the library draws it.
std::optional<HostWindow::Entry> OwnerDrawn(HostWindow* host, QMenu* menu, QAction* action) {
  if (!host->IsSubclassed()) return std::nullopt;
  auto entry = host->EntryOf(menu, action);
  if (!entry || (entry->item.type & kItemOwnerDraw) == 0) return std::nullopt;
  return entry;
}

QColor ColourOf(SystemColour which) { return QColor(QRgb(GetSystemColour(which))); }

std::uint32_t DrawState(const HostWindow::Entry& entry, bool selected) {
  std::uint32_t state = selected ? ORS_ODS_SELECTED : 0;
  if ((entry.item.state & kItemGrayed) != 0) state |= ORS_ODS_GRAYED;
  if ((entry.item.state & kItemDisabled) != 0) state |= ORS_ODS_DISABLED;
  if ((entry.item.state & kItemChecked) != 0) state |= ORS_ODS_CHECKED;
  if ((entry.item.state & kItemDefault) != 0) state |= ORS_ODS_DEFAULT;
  return state;
}

}  // namespace

void MenuStyle::DrawSubmenuArrow(const QStyleOption& entry, std::uint32_t state,
                                 QPainter* painter) const {
  // As the system does for owner-drawn entries: a solid triangle, 4 × 7 pixels, in the room
  // the library leaves at the right of the accelerators.
  const int room = std::max(GetMenuCheckMarkSize().width, 16) + 6;
  const int x = entry.rect.right() + 1 - room + (room - 6) / 2 - 2;
  const int y = entry.rect.top() + entry.rect.height() / 2;
  const bool selected = (state & ORS_ODS_SELECTED) != 0;
  const bool grayed = (state & ORS_ODS_GRAYED) != 0;
  const QColor colour = ColourOf(grayed     ? SystemColour::kShadow3D
                                 : selected ? SystemColour::kHighlightText
                                            : SystemColour::kMenuText);
  painter->save();
  for (int column = 0; column < 4; ++column) {
    painter->fillRect(QRect(x + column, y - 3 + column, 1, 7 - 2 * column), colour);
  }
  painter->restore();
}

MenuStyle::MenuStyle(HostWindow* host)
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name())), host_(host) {}

QRect MenuStyle::ClientArea(const QMenu* menu) const {
  const int frame = pixelMetric(PM_MenuPanelWidth, nullptr, menu);
  return menu->rect().adjusted(frame, frame, -frame, -frame);
}

QAction* MenuStyle::MeasuredAction(QMenu* menu, const QStyleOptionMenuItem& option) const {
  const std::vector<QAction*>* actions = host_->ActionsOf(menu);
  if (actions == nullptr || actions->empty()) return nullptr;
  const bool separator = option.menuItemType == QStyleOptionMenuItem::Separator;
  const bool belowMenuBar = host_->IsBelowMenuBar(menu);
  std::size_t& next = measured_[menu];
  for (std::size_t step = 0; step < actions->size(); ++step) {
    const std::size_t index = (next + step) % actions->size();
    QAction* action = (*actions)[index];
    if (action->isSeparator() != separator) continue;
    if (separator || HostWindow::ShownText(action, belowMenuBar) == option.text) {
      next = index + 1;
      return action;
    }
  }
  return nullptr;
}

int MenuStyle::ShortcutColumn(QMenu* menu) const {
  const QFontMetrics metrics = menu->fontMetrics();
  const bool belowMenuBar = host_->IsBelowMenuBar(menu);
  int widest = 0;
  for (const QAction* action : menu->actions()) {
    if (!action->isVisible() || action->isSeparator()) continue;
    const QString text = HostWindow::ShownText(action, belowMenuBar);
    const qsizetype tab = text.indexOf('\t');
    if (tab >= 0) widest = std::max(widest, metrics.horizontalAdvance(text.mid(tab + 1)));
  }
  return widest;
}

QSize MenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                  const QWidget* widget) const {
  auto* menu = const_cast<QMenu*>(qobject_cast<const QMenu*>(widget));
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (type == CT_MenuItem && menu != nullptr && item != nullptr) {
    if (const auto entry = OwnerDrawn(host_, menu, MeasuredAction(menu, *item))) {
      OrsMeasureItem measure{ORS_ODT_MENU, 0, entry->item.id, 0, 0, entry->item.data};
      SendMessage(host_->Window(), ORS_WM_MEASUREITEM, 0, reinterpret_cast<intptr_t>(&measure));
      if (measure.itemWidth != 0 || measure.itemHeight != 0) {
        const int width = static_cast<int>(measure.itemWidth) - ShortcutColumn(menu);
        return QSize(std::max(width, 1), static_cast<int>(measure.itemHeight));
      }
    }
  }
  return QProxyStyle::sizeFromContents(type, option, size, widget);
}

void MenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const {
  auto* menu = const_cast<QMenu*>(qobject_cast<const QMenu*>(widget));
  if (menu != nullptr && element == CE_MenuItem) {
    QAction* action = menu->actionAt(option->rect.center());
    if (const auto entry = OwnerDrawn(host_, menu, action)) {
      const QRect client = ClientArea(menu);
      const Handle surface = host_->SurfaceFor(menu, client.width(), client.height());
      const QRect place = option->rect.translated(-client.topLeft());
      OrsDrawItem draw{};
      draw.ctlType = ORS_ODT_MENU;
      draw.itemId = entry->item.id;
      draw.itemAction = 1;
      draw.itemState = DrawState(*entry, (option->state & State_Selected) != 0);
      draw.item = entry->menu;
      draw.dc = surface;
      draw.rcItem = {place.left(), place.top(), place.right() + 1, place.bottom() + 1};
      draw.itemData = entry->item.data;
      SendMessage(host_->Window(), ORS_WM_DRAWITEM, 0, reinterpret_cast<intptr_t>(&draw));
      if (const Surface* pixels = GetSurface(surface)) {
        painter->drawImage(option->rect, ImageOf(pixels->picture), place);
      }
      if (entry->item.submenu != 0) DrawSubmenuArrow(*option, draw.itemState, painter);
      return;
    }
  }
  QProxyStyle::drawControl(element, option, painter, widget);
  if (menu != nullptr && element == CE_MenuEmptyArea && host_->IsSubclassed()) {
    // Around the entries the popup shows what the library painted there: its side band.
    const QRect client = ClientArea(menu);
    if (const Surface* pixels =
            GetSurface(host_->SurfaceFor(menu, client.width(), client.height()))) {
      painter->drawImage(client.topLeft(), ImageOf(pixels->picture));
    }
  }
}

int MenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                           const QWidget* widget) const {
  // The library's entries and side band begin right at the popup's frame.
  if (metric == PM_MenuHMargin && qobject_cast<const QMenu*>(widget) != nullptr) return 0;
  return QProxyStyle::pixelMetric(metric, option, widget);
}

int MenuStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                         QStyleHintReturn* returnData) const {
  // Disabled entries can be reached with the keyboard, which shows where the cursor is.
  if (hint == SH_Menu_AllowActiveAndDisabled) return 1;
  return QProxyStyle::styleHint(hint, option, widget, returnData);
}

}  // namespace ornasys::qt
