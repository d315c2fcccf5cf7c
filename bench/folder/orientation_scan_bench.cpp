// What the orientation scan adds to opening a folder: on 200 copies of a real camera picture
// (1600 x 1200 with Exif data and a maker note), the processor time of reading every file's
// Orientation beside the processor time of the strip's work on the same files (a thumbnail of
// each: one-eighth decode and scaling), which is what opening a folder spends. Each run gives the
// ratio scan / strip; the median of the runs and their spread are printed with the load.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "folder/folder_listing.h"
#include "imaging/thumbnail.h"
#include "output/turn_original.h"

namespace fs = std::filesystem;

namespace {

double ProcessorSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  const fs::path folder = fs::temp_directory_path() / "trimora-orientation-bench";
  fs::remove_all(folder);
  fs::create_directories(folder);
  for (int i = 0; i < 200; ++i) {
    fs::copy_file(std::string(TRIMORA_TESTDATA_DIR) + "/photos/casio-ex-m2.jpg",
                  folder / ("IMG_" + std::to_string(1000 + i) + ".jpg"));
  }
  const std::vector<std::string> listing = trimora::ListJpegFiles(folder.string());
  std::vector<double> ratios;
  double scanTotal = 0, stripTotal = 0;
  for (int run = 0; run < runs; ++run) {
    double start = ProcessorSeconds();
    int turned = 0;
    for (const std::string& path : listing) turned += trimora::ReadOrientation(path) != 1;
    const double scan = ProcessorSeconds() - start;
    start = ProcessorSeconds();
    std::size_t pixels = 0;
    for (const std::string& path : listing) pixels += trimora::MakeThumbnail(path).byteCount();
    const double strip = ProcessorSeconds() - start;
    ratios.push_back(scan / strip);
    scanTotal += scan;
    stripTotal += strip;
    if (turned != 0 || pixels == 0) std::fprintf(stderr, "unexpected files\n");
  }
  std::sort(ratios.begin(), ratios.end());
  double load = 0;
  if (std::ifstream in("/proc/loadavg"); in) in >> load;
  std::printf(
      "orientation scan of 200 pictures: %.1f ms, strip: %.1f ms (processor time, mean of %d "
      "runs)\n",
      1000 * scanTotal / runs, 1000 * stripTotal / runs, runs);
  std::printf("scan / strip: median %.2f %% (runs from %.2f %% to %.2f %%), load average %.2f\n",
              100 * ratios[ratios.size() / 2], 100 * ratios.front(), 100 * ratios.back(), load);
  fs::remove_all(folder);
  return 0;
}
