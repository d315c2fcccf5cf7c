// Picture buffers for pictures that are about to be written whole (decoded, enlarged).
#pragma once

#include <cstdint>

#include "imaging/picture.h"

namespace trimora {

// Gives `picture` a buffer of width x height pixels (content uninitialised), asking the system
// for large pages under it; returns its first byte, or null when memory is short. It throws
// nothing, so that a libjpeg session may call it.
std::uint8_t* AllocatePicture(Picture* picture, int width, int height) noexcept;

// Whether large blocks given back are kept for the next picture (on by default; off frees the
// block kept); for measuring decodes with and without.
void SetPictureMemoryReuse(bool reuse) noexcept;

// Whether AllocatePicture asks for large pages; for measuring decodes with and without.
void SetLargePageAdvice(bool advise) noexcept;
bool LargePageAdvice() noexcept;

}  // namespace trimora
