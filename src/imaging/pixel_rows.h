// A read-only view of pixel rows in the picture buffer's layout (blue, green, red, a fourth
// byte), so that a cut can be handed to a writer without copying it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/picture.h"

namespace trimora {

struct PixelRows {
  const std::uint8_t* first = nullptr;  // the top-left pixel
  int width = 0;                        // pixels per row
  int height = 0;                       // number of rows
  std::size_t stride = 0;               // bytes from one row to the next

  // The row y (0 = top) of the view.
  const std::uint8_t* row(int y) const { return first + stride * static_cast<std::size_t>(y); }

  // The whole picture.
  static PixelRows Of(const Picture& picture) {
    return {picture.data(), picture.width(), picture.height(), picture.stride()};
  }

  // The rectangle at (left, top) of width x height pixels; the caller keeps it inside.
  PixelRows Sub(int left, int top, int w, int h) const {
    return {row(top) + static_cast<std::size_t>(left) * 4, w, h, stride};
  }
};

}  // namespace trimora
