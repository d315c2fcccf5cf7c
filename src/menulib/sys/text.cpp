// The built-in block engine.
#include "sys/text.h"

#include <algorithm>

namespace ornasys {
namespace {

int CellWidth(const Font& font) {
  const int size = std::max(font.pixelSize, 1);
  return (size * 3 + 4) / 5 + (font.weight >= 600 ? 1 : 0);
}

int LineHeight(const Font& font) { return std::max(font.pixelSize, 1) + 4; }

}  // namespace

TextEngine::~TextEngine() = default;

std::vector<ShownCharacter> ShownCharacters(std::string_view text, unsigned flags) {
  std::vector<ShownCharacter> shown;
  shown.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && (flags & kTextNoPrefix) == 0) {
      if (i + 1 >= text.size()) break;
      ++i;
      shown.push_back({text[i], text[i] != '&'});
    } else {
      shown.push_back({text[i], false});
    }
  }
  return shown;
}

Size BlockTextEngine::Measure(const Font& font, std::string_view text, unsigned flags) {
  const auto shown = ShownCharacters(text, flags);
  return {static_cast<int>(shown.size()) * CellWidth(font), LineHeight(font)};
}

void BlockTextEngine::Draw(Picture& picture, const Rect& rect, const Font& font,
                           std::string_view text, Colour colour, unsigned flags) {
  const auto shown = ShownCharacters(text, flags);
  const int cell = CellWidth(font);
  const int height = LineHeight(font);
  const int width = static_cast<int>(shown.size()) * cell;
  int x = (flags & kTextRight) != 0 ? rect.right - width : rect.left;
  const Rect clip = Rect{rect.left, 0, rect.right, picture.Height()}.Intersected(picture.Bounds());
  for (const ShownCharacter& c : shown) {
    const auto byte = static_cast<unsigned char>(c.character);
    if (byte > ' ') {
      FillRect(picture,
               Rect{x + 1, rect.top + 2, x + cell - 1, rect.top + height - 4}.Intersected(clip),
               colour);
    }
    if (c.underlined) {
      FillRect(picture,
               Rect{x, rect.top + height - 2, x + cell, rect.top + height - 1}.Intersected(clip),
               colour);
    }
    x += cell;
  }
}

}  // namespace ornasys
