// Any bytes either decode to a picture of the size the headers give, or fail with our error.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "imaging/jpeg_codec.h"
#include "imaging/thumbnail.h"
#include "platform/error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    trimora::JpegLayout layout = trimora::ReadJpegLayoutMemory(data, size, "fuzz.jpg");
    // Keep each run small: the fuzzer would otherwise spend its time on huge blank pictures.
    if (static_cast<long long>(layout.width) * layout.height > 4'000'000) return 0;
    trimora::Picture eighth =
        trimora::DecodeJpegMemory(data, size, "fuzz.jpg", trimora::JpegScale::Eighth);
    if (eighth.width() != (layout.width + 7) / 8) std::abort();
    trimora::ScaleThumbnail(eighth);
    trimora::Picture full = trimora::DecodeJpegMemory(data, size, "fuzz.jpg");
    if (full.width() != layout.width || full.height() != layout.height) std::abort();
  } catch (const trimora::Error&) {
  }
  return 0;
}
