// Feeds arbitrary bytes to the segment scanner and to the Exif mending of jpegtran's outputs.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "output/exif_mend.h"
#include "output/jpeg_segments.h"
#include "platform/error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> bytes(data, data + size);
  for (const trimora::SegmentSpan& s : trimora::ListHeaderSegments(bytes)) {
    if (s.offset + s.size > bytes.size()) __builtin_trap();
  }
  (void)trimora::FindExifSegment(bytes);
  (void)trimora::ReadFrameSize(bytes);
  try {
    (void)trimora::MendCroppedExif(bytes);
    (void)trimora::MendRotatedExif(bytes);
  } catch (const trimora::Error&) {
  }
  return 0;
}
