#include "imaging/enlarge.h"

#include <cmath>
#include <cstring>
#include <new>

#include "imaging/picture_memory.h"
#include "imaging/rounding.h"
#include "platform/error.h"

namespace trimora {

namespace {

struct NamedColor {
  const char* name;
  StripeColor color;
};

constexpr NamedColor kStripeColors[kStripeColorCount] = {
    {"weiß", {0xFF, 0xFF, 0xFF}}, {"schwarz", {0x00, 0x00, 0x00}}, {"grau", {0x7F, 0x7F, 0x7F}},
    {"rot", {0xFF, 0x00, 0x00}},  {"grün", {0x00, 0x7F, 0x00}},    {"blau", {0x00, 0x00, 0xFF}},
};

// The largest enlarged picture: 2^28 pixels (1 GiB of buffer).
constexpr double kMaxPixels = 268435456.0;

int Rounded(double value) {
  if (!(value <= kMaxPixels)) throw Error(ErrorCode::kEnlargedTooLarge);
  return RoundHalfEven(value);
}

}  // namespace

StripeColor StripeColorAt(int index) {
  if (index < 0 || index >= kStripeColorCount) index = 0;
  return kStripeColors[index].color;
}

const char* StripeColorName(int index) {
  if (index < 0 || index >= kStripeColorCount) return "";
  return kStripeColors[index].name;
}

EnlargeOptions EnlargeOptionsFrom(int colorIndex, bool left, bool right) {
  EnlargeOptions options;
  options.color = StripeColorAt(colorIndex);
  options.left = left;
  options.right = right;
  return options;
}

EnlargedSize EnlargedSizeFor(int width, int height, double ratio) {
  if (!(ratio > 0) || !std::isfinite(ratio)) throw Error(ErrorCode::kEnlargeRatioInvalid);
  if (width <= 0 || height <= 0) return {width, height};
  if (ratio < 1) ratio = 1 / ratio;
  const double w = width;
  const double h = height;
  EnlargedSize size{width, height};
  if (height <= width) {
    if (ratio >= w / h)
      size.width = Rounded(h * ratio);
    else
      size.height = Rounded(w / ratio);
  } else {
    if (ratio >= h / w)
      size.height = Rounded(w * ratio);
    else
      size.width = Rounded(h / ratio);
  }
  if (static_cast<double>(size.width) * size.height > kMaxPixels)
    throw Error(ErrorCode::kEnlargedTooLarge);
  return size;
}

StripeOffset EnlargePicture(Picture& picture, StripeColor color, bool left, bool right,
                            double ratio) {
  if ((!left && !right) || picture.empty()) return {};
  const EnlargedSize size = EnlargedSizeFor(picture.width(), picture.height(), ratio);
  const int dW = size.width - picture.width();
  const int dH = size.height - picture.height();
  StripeOffset offset;
  if (left && right)
    offset = {dW / 2, dH / 2};
  else if (left)
    offset = {dW, dH};

  Picture enlarged;
  if (AllocatePicture(&enlarged, size.width, size.height) == nullptr) throw std::bad_alloc();
  const std::uint8_t fill[4] = {color.blue, color.green, color.red, 0xFF};
  std::uint8_t* row = enlarged.row(0);
  for (int x = 0; x < size.width; ++x) std::memcpy(row + 4 * x, fill, 4);
  for (int y = 1; y < size.height; ++y) {
    if (y >= offset.y && y < offset.y + picture.height()) {
      // Rows crossed by the picture need the stripe only beside it.
      std::uint8_t* target = enlarged.row(y);
      std::memcpy(target, row, 4 * static_cast<std::size_t>(offset.x));
      const std::size_t afterX = static_cast<std::size_t>(offset.x) + picture.width();
      std::memcpy(target + 4 * afterX, row + 4 * afterX, 4 * (size.width - afterX));
    } else {
      std::memcpy(enlarged.row(y), row, enlarged.stride());
    }
  }
  for (int y = 0; y < picture.height(); ++y)
    std::memcpy(enlarged.row(offset.y + y) + 4 * static_cast<std::size_t>(offset.x), picture.row(y),
                picture.stride());
  picture = std::move(enlarged);
  return offset;
}

}  // namespace trimora
