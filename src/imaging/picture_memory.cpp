#include "imaging/picture_memory.h"

#include <atomic>
#include <mutex>
#include <new>
#include <utility>

#include "platform/memory.h"

namespace trimora {

namespace {

std::atomic<bool> g_advise{true};

// Blocks of pictures from 16 MiB (a 4-megapixel picture) up to 256 MiB are kept; one at a time.
constexpr std::size_t kSmallestKept = std::size_t{16} << 20;
constexpr std::size_t kLargestKept = std::size_t{256} << 20;

struct Reserve {
  std::mutex mutex;
  PictureMemory kept;
  bool reuse = true;
};

Reserve& TheReserve() {
  static Reserve* reserve = new Reserve();  // never destroyed: pictures may outlive statics
  return *reserve;
}

}  // namespace

PictureMemory AcquirePictureMemory(std::size_t bytes) {
  if (bytes >= kSmallestKept) {
    Reserve& reserve = TheReserve();
    const std::lock_guard<std::mutex> lock(reserve.mutex);
    // Taken when it fits without wasting more than a quarter of itself.
    const PictureMemory kept = reserve.kept;
    if (kept.data != nullptr && kept.capacity >= bytes &&
        kept.capacity - bytes <= kept.capacity / 4) {
      reserve.kept = PictureMemory();
      return kept;
    }
  }
  return PictureMemory{new std::uint8_t[bytes], bytes};
}

void ReleasePictureMemory(std::uint8_t* data, std::size_t capacity) noexcept {
  if (data == nullptr) return;
  if (capacity >= kSmallestKept && capacity <= kLargestKept) {
    Reserve& reserve = TheReserve();
    std::unique_lock<std::mutex> lock(reserve.mutex);
    if (reserve.reuse) {
      // The newest block stays: the next picture is most likely of its size.
      PictureMemory given{data, capacity};
      std::swap(given, reserve.kept);
      lock.unlock();
      delete[] given.data;
      return;
    }
  }
  delete[] data;
}

void SetPictureMemoryReuse(bool reuse) noexcept {
  Reserve& reserve = TheReserve();
  std::uint8_t* freed = nullptr;
  {
    const std::lock_guard<std::mutex> lock(reserve.mutex);
    reserve.reuse = reuse;
    if (!reuse) {
      freed = reserve.kept.data;
      reserve.kept = PictureMemory();
    }
  }
  delete[] freed;
}

void SetLargePageAdvice(bool advise) noexcept { g_advise = advise; }
bool LargePageAdvice() noexcept { return g_advise; }

std::uint8_t* AllocatePicture(Picture* picture, int width, int height) noexcept {
  try {
    *picture = Picture(width, height);
    if (g_advise) AdviseLargePages(picture->data(), picture->byteCount());
    return picture->data();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace trimora
