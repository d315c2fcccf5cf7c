#include "platform/memory.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace trimora {

void AdviseLargePages(std::uint8_t* buffer, std::size_t size) noexcept {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr std::uintptr_t kHugePage = 2u << 20;
  if (buffer == nullptr || size < 2 * kHugePage) return;
  // Only whole huge pages inside the buffer can be backed by one.
  const auto start = reinterpret_cast<std::uintptr_t>(buffer);
  const std::uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t end = (start + size) & ~(kHugePage - 1);
  if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#else
  (void)buffer;
  (void)size;
#endif
}

}  // namespace trimora
