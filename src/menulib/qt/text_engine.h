// The text engine of Qt hosts: measuring and drawing with Qt's fonts.
#pragma once

#include <QFont>
#include <map>
#include <string>

#include "sys/text.h"

namespace ornasys::qt {

// The Qt font of a font description.
QFont ToQFont(const Font& font);

// The font description of a Qt font.
Font FromQFont(const QFont& font);

// Windows-1252 text as a Qt string.
QString FromAnsi(std::string_view text);

// A Qt string as Windows-1252 text ("?" for what the code page lacks).
std::string ToAnsi(const QString& text);

// Texts measured with QFontMetrics and drawn with QPainter; "&" mnemonics as Qt shows them.
class QtTextEngine : public TextEngine {
 public:
  Size Measure(const Font& font, std::string_view text, unsigned flags) override;
  void Draw(Picture& picture, const Rect& rect, const Font& font, std::string_view text,
            Colour colour, unsigned flags) override;

 private:
  const QFont& Cached(const Font& font);

  struct Key {
    std::string family;
    int pixelSize;
    int weight;
    bool italic;
    auto operator<=>(const Key&) const = default;
  };
  std::map<Key, QFont> fonts_;
};

}  // namespace ornasys::qt
