#include "imaging/picture_memory.h"

#include <new>

#include "platform/memory.h"

namespace trimora {

std::uint8_t* AllocatePicture(Picture* picture, int width, int height) noexcept {
  try {
    *picture = Picture(width, height);
    AdviseLargePages(picture->data(), picture->byteCount());
    return picture->data();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace trimora
