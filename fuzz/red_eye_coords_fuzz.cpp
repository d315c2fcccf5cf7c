// Any text either parses into rectangles that the filter applies safely, or fails with our
// error; writing the parsed list back gives the same rectangles.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "imaging/red_eye.h"
#include "platform/error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    auto rects = trimora::ParseRedEyeCoords(text);
    std::string list;
    for (const trimora::PixelRect& r : rects)
      list = trimora::AppendRedEyeEntry(list, trimora::RedEyeEntry(r));
    if (trimora::ParseRedEyeCoords(list) != rects) std::abort();
    trimora::Picture picture(7, 5);
    for (std::size_t i = 0; i < picture.byteCount(); ++i)
      picture.data()[i] = static_cast<std::uint8_t>(i);
    trimora::ReapplyRedEye(picture, text);
    trimora::RemoveLastRedEyeEntry(text);
  } catch (const trimora::Error&) {
  }
  return 0;
}
