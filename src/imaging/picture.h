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

// Memory for picture buffers (imaging/picture_memory.cpp). A large block given back is kept
// for the next picture of about its size, so that showing picture after picture writes into
// memory that is there already instead of faulting in and clearing fresh pages.
struct PictureMemory {
  std::uint8_t* data = nullptr;
  std::size_t capacity = 0;  // bytes, at least those asked for
};
// A block of at least `bytes` bytes, content undefined; throws std::bad_alloc.
PictureMemory AcquirePictureMemory(std::size_t bytes);
// Gives a block back (kept for the next picture, or freed).
void ReleasePictureMemory(std::uint8_t* data, std::size_t capacity) noexcept;

// Gives a picture's block back when the picture goes.
struct PictureMemoryRelease {
  std::size_t capacity = 0;
  void operator()(std::uint8_t* data) const noexcept { ReleasePictureMemory(data, capacity); }
};

// The picture buffer.
class Picture {
 public:
  Picture() = default;
  // Allocates width x height pixels; the content is left uninitialised.
  Picture(int width, int height) : width_(width), height_(height) {
    const PictureMemory memory = AcquirePictureMemory(static_cast<std::size_t>(width) * height * 4);
    pixels_ = Pixels(memory.data, PictureMemoryRelease{memory.capacity});
  }

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
  using Pixels = std::unique_ptr<std::uint8_t[], PictureMemoryRelease>;

  int width_ = 0;
  int height_ = 0;
  Pixels pixels_;
};

}  // namespace trimora
