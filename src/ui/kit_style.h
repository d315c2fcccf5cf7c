// Shared look of the window and dialog kit: the skin pictures, the fonts and the colours that
// the frame and the dialogs paint with, and the text conversions between the kit and its callers.
#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>

#include <string>
#include <string_view>

namespace trimora::ui {

// A picture of the skin by its resource name ("TOP_LEFT_BMP", "CLOSE_DIS_BMP", "GLYPH_OK").
QPixmap SkinPixmap(const QString& name);

// The dialog font: Tahoma (or the closest installed face) at a size in pixels.
QFont KitPixelFont(int pixelSize, bool bold = false);

// The frame fonts by point size: Tahoma for the title, MS Sans Serif for the bottom bar, each
// falling back to the closest installed face.
QFont TitlePointFont(int pointSize, bool bold);
QFont BottomBarPointFont(int pointSize, bool bold);

// The size of a font in points, also for a font that was given in pixels (at 96 dots per inch).
int FontPointSize(const QFont& font);

// Colours of the Fashion skin.
namespace colors {
inline QColor ActiveBar() { return QColor(0, 93, 239); }
inline QColor InactiveBar() { return QColor(150, 165, 217); }
inline QColor InactiveTitleText() { return QColor(216, 228, 248); }
inline QColor ButtonPanelActive() { return QColor(0, 89, 247); }
inline QColor ButtonPanelInactive() { return QColor(118, 157, 217); }
inline QColor IconPanelActive() { return QColor(0, 93, 239); }
inline QColor IconPanelInactive() { return QColor(118, 147, 217); }
inline QColor GradientEnd() { return QColor(170, 189, 240); }
inline QColor MainWindowFrame() { return QColor(170, 189, 240); }
}  // namespace colors

// UTF-8 text to a Qt string and back.
QString ToQString(std::string_view text);
std::string ToUtf8(const QString& text);

// A text the caller wrote with "\r\n" line breaks, as the widgets want it ("\n").
QString WithPlainLineBreaks(const QString& text);

}  // namespace trimora::ui
