// Side-stripe enlargement: coloured stripes on one or both sides give the whole picture the
// output format's side ratio.
#pragma once

#include <cstdint>

#include "imaging/picture.h"

namespace trimora {

// A stripe colour.
struct StripeColor {
  std::uint8_t red = 0xFF;
  std::uint8_t green = 0xFF;
  std::uint8_t blue = 0xFF;
  bool operator==(const StripeColor&) const = default;
};

// The number of stripe colours the settings offer (indices 0 to 5).
inline constexpr int kStripeColorCount = 6;

// The colour of index 0 "weiß", 1 "schwarz", 2 "grau", 3 "rot", 4 "grün", 5 "blau"; an index
// outside 0..5 gives white, the default.
StripeColor StripeColorAt(int index);

// The name of colour `index` as the settings dialog shows it (UTF-8); "" outside 0..5.
const char* StripeColorName(int index);

// Where the enlargement puts its stripes and in which colour.
struct EnlargeOptions {
  StripeColor color;  // white by default
  bool left = true;   // a stripe on the left (landscape) or at the top (portrait)
  bool right = true;  // a stripe on the right or at the bottom
  bool operator==(const EnlargeOptions&) const = default;
};

// Reads Enlarge\Color (default 0), Enlarge\Left and Enlarge\Right (default true) from the
// settings store.
EnlargeOptions LoadEnlargeOptions();

// The options for the stored values (the colour by index as StripeColorAt).
EnlargeOptions EnlargeOptionsFrom(int colorIndex, bool left, bool right);

// The place of the unenlarged picture inside the enlarged one.
struct StripeOffset {
  int x = 0;
  int y = 0;
  bool operator==(const StripeOffset&) const = default;
};

// The size of an enlarged picture.
struct EnlargedSize {
  int width = 0;
  int height = 0;
  bool operator==(const EnlargedSize&) const = default;
};

// The size that gives a width x height picture the side ratio `ratio` (long to short side; a
// ratio below 1 is inverted) by growing one side, rounded half to even. Throws trimora::Error
// for a ratio that is not a positive number or a size beyond what a picture can hold.
EnlargedSize EnlargedSizeFor(int width, int height, double ratio);

// Enlarges `picture` to EnlargedSizeFor with stripes of `color`: both flags split the added
// pixels (the odd one to the right or bottom), only `left` puts the picture at the right or
// bottom, only `right` at the left or top. Neither flag, or an empty picture, changes nothing.
// Returns where the original picture now lies.
StripeOffset EnlargePicture(Picture& picture, StripeColor color, bool left, bool right,
                            double ratio);

}  // namespace trimora
