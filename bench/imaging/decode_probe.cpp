// imaging_decode_probe FILE [thumbnail]: decodes FILE at full size (or makes its strip
// thumbnail) and exits; 1 with the error text on stderr when that fails.
#include <cstdio>
#include <cstring>

#include "imaging/jpeg_codec.h"
#include "imaging/thumbnail.h"
#include "platform/error.h"
#include "platform/error_text.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: imaging_decode_probe FILE [thumbnail]\n");
    return 2;
  }
  try {
    const bool thumbnail = argc >= 3 && std::strcmp(argv[2], "thumbnail") == 0;
    trimora::Picture picture =
        thumbnail ? trimora::MakeThumbnail(argv[1]) : trimora::DecodeJpegFile(argv[1]);
    return picture.empty() ? 1 : 0;
  } catch (const trimora::Error& e) {
    std::fprintf(stderr, "%s\n", trimora::ErrorText(e).c_str());
    return 1;
  }
}
