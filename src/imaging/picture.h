// The picture buffer: 32 bits per pixel, bytes blue, green, red, alpha in memory order,
// rows top to bottom without padding. This is the layout of QImage::Format_RGB32 on
// little-endian machines and of libjpeg-turbo's JCS_EXT_BGRX output, so decoders write
// straight into it and views wrap it without copying.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace trimora {

// A rectangle in picture pixels: left and top are the first pixel inside, right and bottom
// the first pixel outside.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const PixelRect&) const = default;
};

// The picture buffer.
class Picture {
 public:
  Picture() = default;
  // Allocates width x height pixels; the content is left uninitialised.
  Picture(int width, int height)
      : width_(width),
        height_(height),
        pixels_(new std::uint8_t[static_cast<std::size_t>(width) * height * 4]) {}

  Picture(Picture&&) noexcept = default;
  Picture& operator=(Picture&&) noexcept = default;
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  // A deep copy.
  Picture clone() const {
    Picture p(width_, height_);
    if (byteCount() != 0) std::copy(pixels_.get(), pixels_.get() + byteCount(), p.pixels_.get());
    return p;
  }

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return width_ <= 0 || height_ <= 0; }
  std::size_t stride() const { return static_cast<std::size_t>(width_) * 4; }
  std::size_t byteCount() const { return stride() * static_cast<std::size_t>(height_); }

  std::uint8_t* data() { return pixels_.get(); }
  const std::uint8_t* data() const { return pixels_.get(); }
  std::uint8_t* row(int y) { return pixels_.get() + stride() * y; }
  const std::uint8_t* row(int y) const { return pixels_.get() + stride() * y; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::unique_ptr<std::uint8_t[]> pixels_;
};

}  // namespace trimora
