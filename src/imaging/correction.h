// The automatic correction: a horizontal three-pixel median filter followed by a tonal-value
// stretch computed from the picture's own histogram.
#pragma once

#include <array>
#include <cstdint>

#include "imaging/picture.h"

namespace trimora {

// The share of colour bytes that the tonal-value stretch lets fall outside its range.
inline constexpr double kLevelsClipFraction = 0.02;

// Replaces every colour byte of every pixel but the first and last of its row by the median
// of itself and the same byte of its left and right neighbours (rows as they were before).
// Rows narrower than three pixels stay as they are. The fourth byte becomes FF.
void MedianStep(Picture& picture);

// The range of colour byte values that the stretch maps onto 0..255.
struct LevelsRange {
  int low = 255;
  int high = 0;
  bool operator==(const LevelsRange&) const = default;
};

// Counts blue, green and red bytes together and finds the values below and above which no more
// than round(count x clipFraction) bytes lie (rounded half to even).
LevelsRange FindLevels(const Picture& picture, double clipFraction);

// Stretches the colour bytes about the low end: v becomes low + (v - low) x 255 div range,
// clamped to 0..255, with range = high - low (1 when that is 0). The fourth byte becomes FF.
void LevelsStep(Picture& picture, double clipFraction);

// The pixel work of the automatic correction: MedianStep, then LevelsStep with 0.02.
void AutoCorrectPicture(Picture& picture);

// AutoCorrectPicture in two halves, for a caller that does its own last pass over the rows
// and stretches each row in it while the row is in the cache: the constructor filters and
// counts the whole picture; StretchRows then stretches rows first to end - 1. Once every row
// has been stretched exactly once, the picture equals AutoCorrectPicture's. Distinct rows may
// be stretched on several threads at once.
class AutoCorrection {
 public:
  explicit AutoCorrection(Picture& picture);
  void StretchRows(int first, int end) const;

 private:
  Picture& picture_;
  // The stretch of each channel's byte, already at its place in the pixel.
  std::array<std::uint32_t, 256> blue_{}, green_{}, red_{};
};

}  // namespace trimora
