// Photo-like test pictures for the benchmarks, compressed by the reference encoder.
#pragma once

#include <string>

namespace trimora::bench {

// Writes a photo-like picture of width x height (smooth gradients, soft shapes and sensor-like
// noise, varied by `seed`) as a JPEG made by cjpeg at quality 90 (4:2:0, as cameras do) to
// `jpegPath`. Ends the process with a message when cjpeg fails.
void MakePhotoLikeJpeg(const std::string& jpegPath, int width, int height, unsigned seed = 1);

}  // namespace trimora::bench
