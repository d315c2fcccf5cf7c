// Strip queries: strips are asked for in the order 0, 1, 2, ... while they exist.
#include "ornamo/strips.h"

namespace ornamo {

std::optional<CtlBitmapInfo> FindStrip(std::uint32_t number, std::int32_t height) {
  for (std::int32_t n = 0;; ++n) {
    CtlBitmapInfo strip{};
    strip.size = sizeof strip;
    if (CtlGetBitmap(&strip, n) == 0) return std::nullopt;
    if (height >= 0 && static_cast<std::uint32_t>(height) >= strip.minEntryHeight &&
        static_cast<std::uint32_t>(height) <= strip.maxEntryHeight &&
        number >= strip.firstPicture && number <= strip.lastPicture) {
      return strip;
    }
  }
}

std::int32_t PictureTop(const CtlBitmapInfo& strip, std::uint32_t number) {
  const auto index = static_cast<std::int64_t>(number) - strip.firstPicture;
  const std::int64_t pitch =
      static_cast<std::int64_t>(strip.pictureHeight) + (strip.separated != 0 ? 1 : 0);
  return static_cast<std::int32_t>(index * pitch);
}

}  // namespace ornamo
