// Windows-1252 upper case and conversion from UTF-16.
#include "ornamo/ansi.h"

#include "tables/ansi_text.h"

namespace ornamo {

unsigned char AnsiUpper(unsigned char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;
  switch (c) {
    case 0x9A:
      return 0x8A;  // š
    case 0x9C:
      return 0x8C;  // œ
    case 0x9E:
      return 0x8E;  // ž
    case 0xFF:
      return 0x9F;  // ÿ
    default:
      return c;
  }
}

std::string Utf16ToAnsi(const std::uint16_t* text, std::size_t limit) {
  if (text == nullptr) return {};
  std::string utf8;
  for (std::size_t i = 0; i < limit && text[i] != 0; ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < limit && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = U'?';
    }
    trimora::AppendUtf8(utf8, c);
  }
  return trimora::Utf8ToAnsi(utf8);
}

}  // namespace ornamo
