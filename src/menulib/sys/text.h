// Fonts and the text engine: measuring and drawing single lines of 8-bit (Windows-1252) text.
//
// The host's toolkit installs its engine (see environment.h); until then the built-in block
// engine stands in, which draws every character as a filled block in a fixed cell. Texts use
// the menu conventions: "&" underlines the next character and "&&" is a literal ampersand,
// unless kTextNoPrefix is given.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sys/graphics.h"

namespace ornasys {

// A font as the toolkit describes it.
struct Font {
  std::string family;
  int pixelSize = 12;
  int weight = 400;  // 400 normal, 700 bold
  bool italic = false;
  friend bool operator==(const Font&, const Font&) = default;
};

// A width and a height.
struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// Text flags.
inline constexpr unsigned kTextLeft = 0x0000;
inline constexpr unsigned kTextRight = 0x0002;
inline constexpr unsigned kTextNoPrefix = 0x0800;

// Measures and draws single lines of text.
class ORNASYS_EXPORT TextEngine {
 public:
  virtual ~TextEngine();

  // The size of `text` on one line; an empty text has width 0 and the line's height.
  virtual Size Measure(const Font& font, std::string_view text, unsigned flags) = 0;

  // Draws `text` in `colour` on one line, at the top of `rect` and left- or right-aligned in
  // it, over what is there (transparent background), clipped to the columns of `rect` (parts
  // of glyphs above or below it, such as accents over capitals, stay visible).
  virtual void Draw(Picture& picture, const Rect& rect, const Font& font, std::string_view text,
                    Colour colour, unsigned flags) = 0;
};

// The built-in engine: a fixed cell per character (width pixelSize × 3/5 rounded up, plus one
// when bold; height pixelSize + 4), each visible character a filled block, the mnemonic
// character underlined.
class ORNASYS_EXPORT BlockTextEngine : public TextEngine {
 public:
  Size Measure(const Font& font, std::string_view text, unsigned flags) override;
  void Draw(Picture& picture, const Rect& rect, const Font& font, std::string_view text,
            Colour colour, unsigned flags) override;
};

// One character of a text as shown: the character and whether it is the underlined mnemonic.
struct ShownCharacter {
  char character = 0;
  bool underlined = false;
};

// The characters of `text` as shown under `flags` ("&x" becomes an underlined x, "&&" one "&",
// a lone "&" at the end disappears).
ORNASYS_EXPORT std::vector<ShownCharacter> ShownCharacters(std::string_view text, unsigned flags);

}  // namespace ornasys
