// Advice to the operating system about large buffers (pictures).
#pragma once

#include <cstddef>
#include <cstdint>

namespace trimora {

// Asks for large memory pages under a freshly allocated buffer that is about to be written
// whole. Writing a 24-megapixel picture otherwise takes some 24,000 page faults, which cost more
// than decoding it on virtual machines. Does nothing where the system offers no such advice.
void AdviseLargePages(std::uint8_t* buffer, std::size_t size) noexcept;

}  // namespace trimora
