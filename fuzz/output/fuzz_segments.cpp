// Feeds arbitrary bytes to the marker walker and to the Exif mending of jpegtran's outputs.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "metadata/jpeg_markers.h"
#include "output/exif_mend.h"
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
