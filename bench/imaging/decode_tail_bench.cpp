// The tail of single decodes: a 6000 x 4000 photo-like JPEG (4:2:0) decoded again and again in
// one process, as the program shows picture after picture (the picture before is released once
// the next one is decoded), in three ways taken in turn: the program's (the memory of a picture
// given back is kept for the next one, fresh memory under large pages), fresh memory for every
// picture under large pages, and fresh memory in small pages. Prints for each the median, the
// 90th percentile and the longest decode as a multiple of the median, in wall and in processor
// time, the per-run ratios to the program's way with their spread, and the load average.
//
//   decode_tail_bench [runs]      (default 40)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "imaging/jpeg_codec.h"
#include "imaging/picture_memory.h"
#include "photo_jpeg.h"
#include "run_stats.h"

namespace fs = std::filesystem;

namespace {

double Percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  return v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5)];
}

struct Decodes {
  std::vector<double> wall, cpu;
  trimora::Picture previous;  // the picture shown before
};

// One decode, timed, while the picture before is still there; that one is released after it.
void DecodeOnce(const std::string& path, Decodes& into) {
  const auto start = std::chrono::steady_clock::now();
  const double cpuStart = trimora::bench::CpuMillis();
  trimora::Picture picture = trimora::DecodeJpegFile(path);
  into.cpu.push_back(trimora::bench::CpuMillis() - cpuStart);
  into.wall.push_back(
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  if (picture.width() != 6000) std::abort();
  into.previous = std::move(picture);
}

// The ways of getting picture memory: kept memory reused, large pages, and neither.
struct Way {
  const char* name;
  bool reuse, advise;
  Decodes decodes;
};

void PrintTail(const char* name, const std::vector<double>& v) {
  const double median = Percentile(v, 0.5);
  std::printf("  %-40s median %7.1f ms   p90 %7.1f ms   max %7.1f ms   max/median %.2f\n", name,
              median, Percentile(v, 0.9), Percentile(v, 1.0), Percentile(v, 1.0) / median);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(2, std::atoi(argv[1])) : 40;
  const fs::path folder =
      fs::temp_directory_path() /
      ("trimora-decode-tail-bench-" +
       std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  fs::create_directories(folder);
  const std::string path = (folder / "photo.jpg").string();
  trimora::bench::MakePhotoLikeJpeg(path, 6000, 4000);
  const std::string loadBefore = trimora::bench::LoadAverage();
  Way ways[] = {{"kept memory reused", true, true, {}},
                {"fresh memory, large pages", false, true, {}},
                {"fresh memory, small pages", false, false, {}}};
  for (Way& way : ways) {  // file in the page cache, libraries loaded, a picture before
    trimora::SetPictureMemoryReuse(way.reuse);
    trimora::SetLargePageAdvice(way.advise);
    DecodeOnce(path, way.decodes);
    way.decodes.wall.clear();
    way.decodes.cpu.clear();
  }
  for (int run = 0; run < runs; ++run) {
    for (int k = 0; k < 3; ++k) {  // each way first in turn
      Way& way = ways[(run + k) % 3];
      trimora::SetPictureMemoryReuse(way.reuse);
      trimora::SetLargePageAdvice(way.advise);
      // Only this way's picture before is kept: the others are released.
      for (Way& other : ways) {
        if (&other != &way) other.decodes.previous = trimora::Picture();
      }
      DecodeOnce(path, way.decodes);
    }
  }
  trimora::SetPictureMemoryReuse(true);
  trimora::SetLargePageAdvice(true);
  std::printf("%d decodes of a 6000 x 4000 JPEG each way, in turn; load average %s -> %s\n", runs,
              loadBefore.c_str(), trimora::bench::LoadAverage().c_str());
  for (const Way& way : ways) {
    PrintTail((std::string(way.name) + ", wall").c_str(), way.decodes.wall);
    PrintTail((std::string(way.name) + ", processor").c_str(), way.decodes.cpu);
  }
  for (int k = 1; k < 3; ++k) {
    const std::vector<double> ratios =
        trimora::bench::Ratios(ways[0].decodes.wall, ways[k].decodes.wall);
    std::printf("  %s / %s per run (wall): median %.2f (p10 %.2f, p90 %.2f)\n", ways[0].name,
                ways[k].name, Percentile(ratios, 0.5), Percentile(ratios, 0.1),
                Percentile(ratios, 0.9));
  }
  fs::remove_all(folder);
  return 0;
}
