// Finding a picture in Ornacore's shared strips.
#pragma once

#include <cstdint>
#include <optional>

#include "ornacore.h"

namespace ornamo {

// The first strip whose entry-height range holds `height` and whose numbers hold `number`.
std::optional<CtlBitmapInfo> FindStrip(std::uint32_t number, std::int32_t height);

// The top edge of picture `number` in `strip`.
std::int32_t PictureTop(const CtlBitmapInfo& strip, std::uint32_t number);

}  // namespace ornamo
