// What the margin around a decoded rectangle costs the decoding road. A rectangle is decoded
// with the block columns beside it, so its edge pixels equal a whole decoding; a rectangle
// narrower by those columns on each side costs what the rectangle would cost without them. Per
// run, on a 4000 x 3000 photo-like JPEG (4:2:0): the processor time of decoding the cut beside
// that of the narrower one; the ratio minus one is the margin's share. Median of the runs with
// their spread and the load average.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "imaging/jpeg_codec.h"
#include "photo_jpeg.h"

namespace fs = std::filesystem;

namespace {

double ProcessorSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

double Timed(const std::string& path, int left, int top, int width, int height, int repeats) {
  const double start = ProcessorSeconds();
  for (int i = 0; i < repeats; ++i) {
    const trimora::Picture cut = trimora::DecodeJpegRect(path, left, top, width, height);
    if (cut.width() != width) std::abort();
  }
  return ProcessorSeconds() - start;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  const fs::path folder = fs::temp_directory_path() / "trimora-decode-margin-bench";
  fs::create_directories(folder);
  const std::string path = (folder / "photo.jpg").string();
  trimora::bench::MakePhotoLikeJpeg(path, 4000, 3000);
  const int margin = 2 * 16;  // a block column of 16 pixels on each side
  struct Cut {
    const char* name;
    int left, top, width, height;
  };
  const Cut cuts[] = {{"10 x 15 portrait out of the middle", 1000, 0, 2000, 3000},
                      {"narrow strip of 200 columns", 1901, 1000, 200, 1000}};
  double load = 0;
  for (const Cut& c : cuts) {
    std::vector<double> shares;
    Timed(path, c.left, c.top, c.width, c.height, 1);  // file and memory warmed up
    for (int run = 0; run < runs; ++run) {
      // Alternating which goes first, so that a slow moment hits both alike.
      double with, without;
      if (run % 2 == 0) {
        with = Timed(path, c.left, c.top, c.width, c.height, 3);
        without = Timed(path, c.left + margin / 2, c.top, c.width - margin, c.height, 3);
      } else {
        without = Timed(path, c.left + margin / 2, c.top, c.width - margin, c.height, 3);
        with = Timed(path, c.left, c.top, c.width, c.height, 3);
      }
      shares.push_back(with / without - 1);
    }
    std::sort(shares.begin(), shares.end());
    std::printf("%s (%d x %d): margin share median %+.2f %% (runs from %+.2f %% to %+.2f %%)\n",
                c.name, c.width, c.height, 100 * shares[shares.size() / 2], 100 * shares.front(),
                100 * shares.back());
  }
  if (std::ifstream in("/proc/loadavg"); in) in >> load;
  std::printf("load average %.2f\n", load);
  fs::remove_all(folder);
  return 0;
}
