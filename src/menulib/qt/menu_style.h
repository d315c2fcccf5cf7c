// The style hooks of a subclassed Qt host: its popups' owner-drawn entries are measured and
// painted through the window procedure; everything else is the application style's.
#pragma once

#include <QProxyStyle>
#include <cstdint>
#include <map>

class QAction;
class QMenu;
class QStyleOptionMenuItem;

namespace ornasys::qt {

class HostWindow;

class MenuStyle : public QProxyStyle {
  Q_OBJECT

 public:
  // A proxy of the application's style for the menus of `host`.
  explicit MenuStyle(HostWindow* host);

  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override;
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override;

 private:
  // The action whose entry Qt measures with `option`: Qt measures the entries in their order,
  // so the search for the entry's text starts behind the one measured last.
  QAction* MeasuredAction(QMenu* menu, const QStyleOptionMenuItem& option) const;
  // The width Qt adds to every entry for the widest shortcut of the menu.
  int ShortcutColumn(QMenu* menu) const;
  // Draws the arrow of an entry that opens a submenu over the library's painting.
  void DrawSubmenuArrow(const QStyleOption& entry, std::uint32_t state, QPainter* painter) const;
  // The client area of a popup: inside its frame.
  QRect ClientArea(const QMenu* menu) const;

  HostWindow* host_;
  mutable std::map<const QMenu*, std::size_t> measured_;
};

}  // namespace ornasys::qt
