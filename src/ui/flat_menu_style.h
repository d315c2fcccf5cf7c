// The flat menu painting of the Fashion skin: menus in the button face with a 24-pixel icon
// column in a blue gradient, the highlighted entry in that blue with a border of the same
// colour, checked entries on the blue, disabled texts in the inactive caption colour and
// pictures of entries that are not highlighted dimmed by 30 %.
#pragma once

#include <QFont>
#include <QProxyStyle>

class QMenu;

namespace trimora::ui {

class TFlatMenuStyle : public QProxyStyle {
 public:
  TFlatMenuStyle();

  // The font of painted menus: Tahoma, 13 pixels (a like face where Tahoma is missing).
  static QFont MenuFont();
  // Paints `menu` with this style (`on`), or gives it back to the toolkit's look.
  void Apply(QMenu& menu, bool on);

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override;
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override;
};

}  // namespace trimora::ui
