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

// The flat painting of the Fashion skin for the other controls, in the colours of the menus:
// push, tool and speed buttons, check boxes and radio buttons, edits, combo boxes, up-down
// controls, group boxes, list and tree views with their headers, progress bars and the band
// bar's tool bars. Controls sit flat in the button face with a thin shadow border; the control
// under the pointer, the focused and the pressed one take the blue of the menu highlight.
// Measures are those of the style underneath, so switching it leaves every layout as it is.
class TFlatControlStyle : public QProxyStyle {
 public:
  // A flat painting over `base` (taken over; null: the application's present style's kind).
  explicit TFlatControlStyle(QStyle* base = nullptr);

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget) const override;
};

// Switches the flat painting of the controls of every window of the program on or off (the
// application's style); switching it off gives the controls back to the style they had.
void SetFlatControlPainting(bool on);
// Whether the controls are painted flat now.
bool FlatControlPainting();

}  // namespace trimora::ui
