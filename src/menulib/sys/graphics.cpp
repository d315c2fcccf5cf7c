// Drawing operations on pictures.
#include "sys/graphics.h"

#include <algorithm>
#include <cstdlib>

namespace ornasys {
namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

// Clips a copy of `from` (in `source`) to (x, y) in `target`: moves the corner and shrinks the
// size so that both rectangles lie in their pictures. False when nothing is left.
bool ClipCopy(const Picture& target, int& x, int& y, const Picture& source, Rect& from) {
  const Rect wanted = from;
  from = from.Intersected(source.Bounds());
  x += from.left - wanted.left;
  y += from.top - wanted.top;
  if (x < 0) {
    from.left -= x;
    x = 0;
  }
  if (y < 0) {
    from.top -= y;
    y = 0;
  }
  from.right = std::min(from.right, from.left + target.Width() - x);
  from.bottom = std::min(from.bottom, from.top + target.Height() - y);
  return !from.IsEmpty();
}

}  // namespace

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const long long product = static_cast<long long>(a) * b;
  long long quotient = product / c;
  const long long remainder = product % c;
  if (2 * std::llabs(remainder) >= std::llabs(static_cast<long long>(c))) {
    quotient += (product < 0) == (c < 0) ? 1 : -1;
  }
  return static_cast<int>(quotient);
}

int Luminance(Colour colour) {
  return MulDiv(256, 10 * GreenOf(colour) + 5 * RedOf(colour) + 3 * BlueOf(colour), 4590);
}

Rect Rect::Intersected(const Rect& other) const {
  Rect result{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
              std::min(bottom, other.bottom)};
  if (result.IsEmpty()) return {};
  return result;
}

Picture::Picture(int width, int height, Colour fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_),
              kOpaque | fill) {
  if (width_ == 0 || height_ == 0) width_ = height_ = 0;
}

Colour Picture::At(int x, int y) const { return PixelAt(x, y) & 0xFFFFFF; }

std::uint32_t Picture::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void Picture::Set(int x, int y, Colour colour) { SetPixel(x, y, kOpaque | colour); }

void Picture::SetPixel(int x, int y, std::uint32_t pixel) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<std::size_t>(y) * width_ + x] = pixel;
}

void FillRect(Picture& picture, const Rect& rect, Colour colour) {
  const Rect area = rect.Intersected(picture.Bounds());
  const std::uint32_t pixel = kOpaque | colour;
  for (int y = area.top; y < area.bottom; ++y) {
    std::uint32_t* row = picture.Data() + static_cast<std::size_t>(y) * picture.Width();
    std::fill(row + area.left, row + area.right, pixel);
  }
}

void FillPattern(Picture& picture, const Rect& rect, const Picture& pattern) {
  if (pattern.IsEmpty()) return;
  const Rect area = rect.Intersected(picture.Bounds());
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      picture.Set(x, y, pattern.At(x % pattern.Width(), y % pattern.Height()));
    }
  }
}

void DrawHorizontalLine(Picture& picture, int x0, int x1, int y, Colour colour) {
  FillRect(picture, {x0, y, x1, y + 1}, colour);
}

void DrawFrame(Picture& picture, const Rect& rect, Colour topLeft, Colour bottomRight) {
  if (rect.IsEmpty()) return;
  FillRect(picture, {rect.left, rect.top, rect.right, rect.top + 1}, topLeft);
  FillRect(picture, {rect.left, rect.top, rect.left + 1, rect.bottom}, topLeft);
  FillRect(picture, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, bottomRight);
  FillRect(picture, {rect.right - 1, rect.top, rect.right, rect.bottom}, bottomRight);
}

namespace {

// Hands each clipped row of a copy of `from` to (x, y) to `copy(in, out, width)`.
template <typename CopyRow>
void CopyRows(Picture& target, int x, int y, const Picture& source, const Rect& from,
              CopyRow copy) {
  Rect area = from;
  if (!ClipCopy(target, x, y, source, area)) return;
  for (int row = 0; row < area.Height(); ++row) {
    const std::uint32_t* in =
        source.Data() + static_cast<std::size_t>(area.top + row) * source.Width() + area.left;
    std::uint32_t* out = target.Data() + static_cast<std::size_t>(y + row) * target.Width() + x;
    copy(in, out, area.Width());
  }
}

}  // namespace

void Blit(Picture& target, int x, int y, const Picture& source, const Rect& from) {
  CopyRows(target, x, y, source, from, [](const std::uint32_t* in, std::uint32_t* out, int width) {
    std::copy(in, in + width, out);
  });
}

void BlitTransparent(Picture& target, int x, int y, const Picture& source, const Rect& from,
                     Colour key) {
  CopyRows(target, x, y, source, from,
           [key](const std::uint32_t* in, std::uint32_t* out, int width) {
             for (int column = 0; column < width; ++column) {
               if ((in[column] & 0xFFFFFF) != key) out[column] = kOpaque | in[column];
             }
           });
}

void StretchBlit(Picture& target, const Rect& to, const Picture& source, const Rect& from) {
  // Target pixels whose source pixel lies outside the source stay as they are.
  const Rect sourceArea = from.Intersected(source.Bounds());
  if (to.IsEmpty() || sourceArea.IsEmpty()) return;
  const Rect area = to.Intersected(target.Bounds());
  for (int y = area.top; y < area.bottom; ++y) {
    const int sy = from.top + static_cast<int>(static_cast<long long>(y - to.top) * from.Height() /
                                               to.Height());
    for (int x = area.left; x < area.right; ++x) {
      const int sx = from.left + static_cast<int>(static_cast<long long>(x - to.left) *
                                                  from.Width() / to.Width());
      if (sourceArea.Contains(sx, sy)) target.Set(x, y, source.At(sx, sy));
    }
  }
}

void DrawAlpha(Picture& target, const Rect& to, const Picture& icon) {
  if (to.IsEmpty() || icon.IsEmpty()) return;
  const Rect area = to.Intersected(target.Bounds());
  for (int y = area.top; y < area.bottom; ++y) {
    const int sy =
        static_cast<int>(static_cast<long long>(y - to.top) * icon.Height() / to.Height());
    for (int x = area.left; x < area.right; ++x) {
      const int sx =
          static_cast<int>(static_cast<long long>(x - to.left) * icon.Width() / to.Width());
      const std::uint32_t pixel = icon.PixelAt(sx, sy);
      const int alpha = static_cast<int>(pixel >> 24);
      const Colour under = target.At(x, y);
      const auto mix = [alpha](int over, int below) {
        return (over * alpha + below * (255 - alpha) + 127) / 255;
      };
      target.Set(x, y,
                 Rgb(mix(RedOf(pixel), RedOf(under)), mix(GreenOf(pixel), GreenOf(under)),
                     mix(BlueOf(pixel), BlueOf(under))));
    }
  }
}

}  // namespace ornasys
