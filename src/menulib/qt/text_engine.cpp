// Texts with Qt.
#include "qt/text_engine.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

#include "qt/images.h"
#include "tables/ansi_text.h"

namespace ornasys::qt {
namespace {

int TextFlags(unsigned flags) {
  return Qt::TextSingleLine | Qt::AlignTop |
         ((flags & kTextRight) != 0 ? Qt::AlignRight : Qt::AlignLeft) |
         ((flags & kTextNoPrefix) != 0 ? 0 : Qt::TextShowMnemonic);
}

}  // namespace

QFont ToQFont(const Font& font) {
  QFont qfont(QString::fromStdString(font.family));
  qfont.setPixelSize(font.pixelSize > 0 ? font.pixelSize : 12);
  qfont.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 100, 900)));
  qfont.setItalic(font.italic);
  return qfont;
}

Font FromQFont(const QFont& font) {
  Font described;
  described.family = font.family().toStdString();
  described.pixelSize = QFontInfo(font).pixelSize();
  described.weight = font.weight();
  described.italic = font.italic();
  return described;
}

QString FromAnsi(std::string_view text) {
  return QString::fromStdString(trimora::AnsiToUtf8(text));
}

std::string ToAnsi(const QString& text) { return trimora::Utf8ToAnsi(text.toStdString()); }

const QFont& QtTextEngine::Cached(const Font& font) {
  const Key key{font.family, font.pixelSize, font.weight, font.italic};
  auto found = fonts_.find(key);
  if (found == fonts_.end()) found = fonts_.emplace(key, ToQFont(font)).first;
  return found->second;
}

Size QtTextEngine::Measure(const Font& font, std::string_view text, unsigned flags) {
  // The advance of the characters as shown: the same width QPainter gives a single line, at a
  // fraction of the cost of laying the text out with its mnemonic.
  std::string shown;
  shown.reserve(text.size());
  for (const ShownCharacter& c : ShownCharacters(text, flags)) shown += c.character;
  const QFontMetrics metrics(Cached(font));
  return {metrics.horizontalAdvance(FromAnsi(shown)), metrics.height()};
}

void QtTextEngine::Draw(Picture& picture, const Rect& rect, const Font& font, std::string_view text,
                        Colour colour, unsigned flags) {
  // Accents over capitals may reach above the font's ascent: only the columns are clipped.
  const Rect area = Rect{rect.left, 0, rect.right, picture.Height()}.Intersected(picture.Bounds());
  if (area.IsEmpty() || rect.IsEmpty() || text.empty()) return;
  QImage image = ImageOf(picture);
  QPainter painter(&image);
  painter.setClipRect(area.left, area.top, area.Width(), area.Height());
  painter.setFont(Cached(font));
  painter.setPen(QColor::fromRgb(colour));
  painter.drawText(QRect(rect.left, rect.top, rect.Width(), rect.Height()), TextFlags(flags),
                   FromAnsi(text));
}

}  // namespace ornasys::qt
