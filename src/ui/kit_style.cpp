#include "ui/kit_style.h"

#include <QStringList>
#include <QtGlobal>

#include <cmath>

namespace trimora::ui {

QPixmap SkinPixmap(const QString& name) {
  QPixmap pixmap(QStringLiteral(":/skin/") + name);
  if (pixmap.isNull()) qWarning("trimora: the skin picture %s is missing", qPrintable(name));
  return pixmap;
}

namespace {

// Tahoma where it is installed; DejaVu Sans Condensed has close to its widths on Linux.
QFont FontOf(const QStringList& families, bool bold) {
  QFont font;
  font.setFamilies(families);
  font.setBold(bold);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

const QStringList& TahomaFamilies() {
  static const QStringList families = {QStringLiteral("Tahoma"),
                                       QStringLiteral("DejaVu Sans Condensed"),
                                       QStringLiteral("DejaVu Sans")};
  return families;
}

// Points to pixels at the 96 dots per inch that the window sizes were designed for, so the
// frame looks the same whatever the display reports.
int PointsToPixels(int points) { return static_cast<int>(std::lround(points * 96.0 / 72.0)); }

}  // namespace

QFont KitPixelFont(int pixelSize, bool bold) {
  QFont font = FontOf(TahomaFamilies(), bold);
  font.setPixelSize(pixelSize);
  return font;
}

QFont TitlePointFont(int pointSize, bool bold) {
  QFont font = FontOf(TahomaFamilies(), bold);
  font.setPixelSize(PointsToPixels(pointSize));
  return font;
}

QFont BottomBarPointFont(int pointSize, bool bold) {
  QStringList families = TahomaFamilies();
  families.prepend(QStringLiteral("MS Sans Serif"));
  QFont font = FontOf(families, bold);
  font.setPixelSize(PointsToPixels(pointSize));
  return font;
}

int FontPointSize(const QFont& font) {
  if (font.pointSize() > 0) return font.pointSize();
  return static_cast<int>(std::lround(font.pixelSize() * 72.0 / 96.0));
}

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToUtf8(const QString& text) { return text.toStdString(); }

QString WithPlainLineBreaks(const QString& text) {
  QString plain = text;
  plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return plain;
}

}  // namespace trimora::ui
