#include "imaging/turn.h"

#include <cstring>

namespace trimora {

Turn TurnForOrientation(int orientation) {
  if (orientation < 1 || orientation > 8) return Turn::None;
  return static_cast<Turn>(orientation - 1);
}

bool TurnSwapsSides(Turn turn) {
  return turn == Turn::Transpose || turn == Turn::Rotate90 || turn == Turn::Transverse ||
         turn == Turn::Rotate270;
}

std::string_view JpegTranSwitch(Turn turn) {
  switch (turn) {
    case Turn::None:
      return "";
    case Turn::FlipHorizontal:
      return "-flip horizontal";
    case Turn::Rotate180:
      return "-rotate 180";
    case Turn::FlipVertical:
      return "-flip vertical";
    case Turn::Transpose:
      return "-transpose";
    case Turn::Rotate90:
      return "-rotate 90";
    case Turn::Transverse:
      return "-transverse";
    case Turn::Rotate270:
      return "-rotate 270";
  }
  return "";
}

bool TurnIsPerfect(Turn turn, int width, int height, int blockWidth, int blockHeight) {
  // An edge that lands inside the picture after the turn must lie on the grid: the right
  // edge for a left-right mirror, the bottom edge for a top-bottom one.
  const bool rightOnGrid = blockWidth > 0 && width % blockWidth == 0;
  const bool bottomOnGrid = blockHeight > 0 && height % blockHeight == 0;
  switch (turn) {
    case Turn::None:
    case Turn::Transpose:
      return true;
    case Turn::FlipHorizontal:
    case Turn::Rotate270:
      return rightOnGrid;
    case Turn::FlipVertical:
    case Turn::Rotate90:
      return bottomOnGrid;
    case Turn::Rotate180:
    case Turn::Transverse:
      return rightOnGrid && bottomOnGrid;
  }
  return false;
}

Picture TurnPicture(const Picture& source, Turn turn) {
  const int w = source.width();
  const int h = source.height();
  const bool swap = TurnSwapsSides(turn);
  Picture out(swap ? h : w, swap ? w : h);
  for (int y = 0; y < out.height(); ++y) {
    std::uint8_t* to = out.row(y);
    for (int x = 0; x < out.width(); ++x, to += 4) {
      // The source pixel that lands at (x, y).
      int sx = x, sy = y;
      switch (turn) {
        case Turn::None:
          break;
        case Turn::FlipHorizontal:
          sx = w - 1 - x;
          break;
        case Turn::Rotate180:
          sx = w - 1 - x;
          sy = h - 1 - y;
          break;
        case Turn::FlipVertical:
          sy = h - 1 - y;
          break;
        case Turn::Transpose:
          sx = y;
          sy = x;
          break;
        case Turn::Rotate90:
          sx = y;
          sy = h - 1 - x;
          break;
        case Turn::Transverse:
          sx = w - 1 - y;
          sy = h - 1 - x;
          break;
        case Turn::Rotate270:
          sx = w - 1 - y;
          sy = x;
          break;
      }
      std::memcpy(to, source.row(sy) + 4 * static_cast<std::size_t>(sx), 4);
    }
  }
  return out;
}

}  // namespace trimora
