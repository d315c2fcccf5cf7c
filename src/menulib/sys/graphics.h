// Pictures of 32-bit pixels and the few drawing operations that menus need.
//
// Pixels are 0xAARRGGBB words, that is bytes blue, green, red, alpha in memory, rows top to
// bottom: the layout of the program's picture buffer. Bitmaps and surfaces are opaque (alpha
// 0xFF); icons carry a real alpha channel. Every operation clips to both pictures, so that no
// rectangle, however wrong, writes or reads outside them.
#pragma once

#include <cstdint>
#include <vector>

#include "ornasys.h"

namespace ornasys {

// A colour 0x00RRGGBB.
using Colour = std::uint32_t;

// The colour of red, green and blue (0 to 255 each).
constexpr Colour Rgb(int red, int green, int blue) {
  return static_cast<Colour>((red & 0xFF) << 16 | (green & 0xFF) << 8 | (blue & 0xFF));
}
constexpr int RedOf(Colour colour) { return static_cast<int>(colour >> 16 & 0xFF); }
constexpr int GreenOf(Colour colour) { return static_cast<int>(colour >> 8 & 0xFF); }
constexpr int BlueOf(Colour colour) { return static_cast<int>(colour & 0xFF); }

// a × b / c rounded to the nearest integer, halves away from zero; -1 when c is 0.
ORNASYS_EXPORT int MulDiv(int a, int b, int c);

// Luminance 0 to 256 of a colour: 256 × (10·G + 5·R + 3·B) / 4590, rounded.
ORNASYS_EXPORT int Luminance(Colour colour);

// A rectangle; right and bottom lie outside.
struct ORNASYS_EXPORT Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  // The part that lies in both.
  Rect Intersected(const Rect& other) const;
  // Moved by (dx, dy).
  Rect Translated(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// A rectangle of the given size at (x, y).
constexpr Rect RectAt(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

// A picture of width × height pixels.
class ORNASYS_EXPORT Picture {
 public:
  // An empty picture.
  Picture() = default;
  // A picture filled with the opaque colour `fill`; negative sizes count as 0.
  Picture(int width, int height, Colour fill = 0);

  int Width() const { return width_; }
  int Height() const { return height_; }
  Rect Bounds() const { return {0, 0, width_, height_}; }
  bool IsEmpty() const { return width_ == 0 || height_ == 0; }

  // The colour (without alpha) at (x, y); 0 outside.
  Colour At(int x, int y) const;
  // The whole pixel 0xAARRGGBB at (x, y); 0 outside.
  std::uint32_t PixelAt(int x, int y) const;
  // Sets (x, y) to the opaque colour; nothing outside.
  void Set(int x, int y, Colour colour);
  // Sets the whole pixel 0xAARRGGBB; nothing outside.
  void SetPixel(int x, int y, std::uint32_t pixel);

  // The pixels, row after row without gaps.
  std::uint32_t* Data() { return pixels_.data(); }
  const std::uint32_t* Data() const { return pixels_.data(); }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

// Fills the part of `rect` inside the picture with an opaque colour.
ORNASYS_EXPORT void FillRect(Picture& picture, const Rect& rect, Colour colour);

// Fills `rect` with `pattern` repeated from the picture's origin.
ORNASYS_EXPORT void FillPattern(Picture& picture, const Rect& rect, const Picture& pattern);

// A horizontal line from x0 to x1 (outside) at y.
ORNASYS_EXPORT void DrawHorizontalLine(Picture& picture, int x0, int x1, int y, Colour colour);

// A one-pixel frame just inside `rect`: left and top in `topLeft`, right and bottom in
// `bottomRight` (a raised frame has the light colour top left, a sunken one the dark colour).
ORNASYS_EXPORT void DrawFrame(Picture& picture, const Rect& rect, Colour topLeft,
                              Colour bottomRight);

// Copies `source`'s `from` to (x, y) of `target`.
ORNASYS_EXPORT void Blit(Picture& target, int x, int y, const Picture& source, const Rect& from);

// Copies `source`'s `from` to (x, y) of `target`, leaving out the pixels of colour `key`.
ORNASYS_EXPORT void BlitTransparent(Picture& target, int x, int y, const Picture& source,
                                    const Rect& from, Colour key);

// Stretches `source`'s `from` over `to` of `target`, each target pixel taking the nearest
// source pixel (lines are repeated or dropped, colours never mixed).
ORNASYS_EXPORT void StretchBlit(Picture& target, const Rect& to, const Picture& source,
                                const Rect& from);

// Draws `icon` (with alpha) stretched over `to`, blended onto what is there.
ORNASYS_EXPORT void DrawAlpha(Picture& target, const Rect& to, const Picture& icon);

}  // namespace ornasys
