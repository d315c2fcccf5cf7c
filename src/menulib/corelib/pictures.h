// The pictures of the shared strips, drawn as rows of palette letters.
#pragma once

#include <array>
#include <span>

#include "sys/graphics.h"

namespace ornacore {

inline constexpr int kPictureWidth = 16;
inline constexpr int kPictureHeight = 15;

// One picture: its number and its rows; '.' is the transparent colour.
struct PictureArt {
  int number = 0;
  std::array<const char*, kPictureHeight> rows{};
};

// The transparent colour of every strip (magenta).
inline constexpr ornasys::Colour kTransparent = ornasys::Rgb(0xFF, 0x00, 0xFF);

// The command pictures, numbers 1 to 20 (new, open, save, print, find, cut, copy, paste, undo,
// redo, delete, properties, help, zoom in, zoom out, turn left, turn right, picture, exit,
// information).
std::span<const PictureArt> CommandPictures();

// The mark pictures, numbers 190 to 199 (box, check mark 191, bullet, four triangles, plus,
// minus, cross).
std::span<const PictureArt> MarkPictures();

// The colour of a palette letter; the transparent colour for letters it does not know.
ornasys::Colour PaletteColour(char letter);

}  // namespace ornacore
