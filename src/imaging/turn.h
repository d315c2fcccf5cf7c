// Turning and mirroring a picture: the eight orientations a camera records in its Exif data,
// what each asks of the pixels, and when jpegtran can do it without touching partial blocks.
#pragma once

#include <string_view>

#include "imaging/picture.h"

namespace trimora {

// How to bring a picture upright; the values follow the Exif Orientation (value - 1).
enum class Turn {
  None = 0,        // 1: upright
  FlipHorizontal,  // 2: mirrored left to right
  Rotate180,       // 3: upside down
  FlipVertical,    // 4: mirrored top to bottom
  Transpose,       // 5: mirrored along the top-left to bottom-right diagonal
  Rotate90,        // 6: needs a quarter turn clockwise
  Transverse,      // 7: mirrored along the other diagonal
  Rotate270,       // 8: needs a quarter turn counter-clockwise
};

// The turn that makes a picture with Exif Orientation `orientation` upright; None for 1 and
// for values outside 1..8.
Turn TurnForOrientation(int orientation);

// Whether the turn exchanges width and height.
bool TurnSwapsSides(Turn turn);

// jpegtran's switch for the turn ("-rotate 90", "-flip horizontal", "-transpose" ...); empty
// for None.
std::string_view JpegTranSwitch(Turn turn);

// Whether jpegtran turns a picture of width x height pixels on a block grid (iMCU) of
// blockWidth x blockHeight pixels without a partial block at an edge that it would have to
// leave untransformed or drop.
bool TurnIsPerfect(Turn turn, int width, int height, int blockWidth, int blockHeight);

// The picture turned; a copy for None.
Picture TurnPicture(const Picture& picture, Turn turn);

}  // namespace trimora
