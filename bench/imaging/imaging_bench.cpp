// Decoding, thumbnails and the automatic correction on a 6000 x 4000 JPEG made for the run,
// side by side with djpeg run as a whole process on the same file. Prints the ratios and the
// peak memory of a decoding process at the end.
//
//   imaging_bench [benchmark options]
// The whole-process figures start imaging_decode_probe, which lies beside this program.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "imaging/correction.h"
#include "imaging/jpeg_codec.h"
#include "imaging/thumbnail.h"
#include "photo_jpeg.h"
#include "processes.h"

extern char** environ;

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

std::filesystem::path g_folder;
std::string g_jpeg;
std::string g_probe;

// A photo-like 6000 x 4000 JPEG made with cjpeg at quality 90 (4:2:0, as cameras do).
void MakeTestJpeg() {
  g_folder = std::filesystem::temp_directory_path() /
             ("trimora-imaging-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(g_folder);
  g_jpeg = (g_folder / "picture.jpg").string();
  trimora::bench::MakePhotoLikeJpeg(g_jpeg, kWidth, kHeight);
}

// Runs a program quietly and waits for it; a failing peer ends the benchmark.
void RunProcess(const std::vector<std::string>& args) {
  if (!trimora::bench::RunQuietly(args)) {
    std::fprintf(stderr, "%s failed\n", args.front().c_str());
    std::exit(1);
  }
}

// The peak resident memory of a process in MiB, measured by /usr/bin/time, which starts it from
// a small process of its own (a child started from here would count this process's pages).
double PeakMiB(std::vector<std::string> args) {
  const std::string report = (g_folder / "peak.txt").string();
  args.insert(args.begin(), {"/usr/bin/time", "-f", "%M", "-o", report});
  if (access("/usr/bin/time", X_OK) != 0) return -1;
  RunProcess(args);
  std::ifstream in(report);
  double kib = -1024;
  in >> kib;
  return kib / 1024.0;
}

void BM_Thumbnail_Trimora(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(trimora::MakeThumbnail(g_jpeg));
}

void BM_Thumbnail_Djpeg(benchmark::State& state) {
  for (auto _ : state) RunProcess({"djpeg", "-scale", "1/8", "-dct", "fast", g_jpeg});
}

void BM_Thumbnail_TrimoraProcess(benchmark::State& state) {
  for (auto _ : state) RunProcess({g_probe, g_jpeg, "thumbnail"});
}

void BM_Decode_Trimora(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(trimora::DecodeJpegFile(g_jpeg));
}

void BM_Decode_Djpeg(benchmark::State& state) {
  for (auto _ : state) RunProcess({"djpeg", g_jpeg});
}

void BM_Decode_TrimoraProcess(benchmark::State& state) {
  for (auto _ : state) RunProcess({g_probe, g_jpeg});
}

void BM_MedianPlusLevels_Trimora(benchmark::State& state) {
  trimora::Picture picture = trimora::DecodeJpegFile(g_jpeg);
  for (auto _ : state) {
    trimora::AutoCorrectPicture(picture);
    benchmark::ClobberMemory();
  }
}

// Keeps the median real time of every benchmark for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median" &&
          !run.error_occurred)
        seconds[run.run_name.function_name] = run.GetAdjustedRealTime() / 1e3;  // reported in ms
    }
  }
  std::map<std::string, double> seconds;
};

void Ratio(const RatioReporter& r, const char* ours, const char* peer, double limit) {
  auto a = r.seconds.find(ours);
  auto b = r.seconds.find(peer);
  if (a == r.seconds.end() || b == r.seconds.end()) return;
  std::printf("  %-32s %8.1f ms   %-22s %8.1f ms   ratio %.2f (limit %.2f)\n", ours,
              a->second * 1e3, peer, b->second * 1e3, a->second / b->second, limit);
}

}  // namespace

int main(int argc, char** argv) {
  g_probe = (std::filesystem::canonical("/proc/self/exe").parent_path() / "imaging_decode_probe")
                .string();
  MakeTestJpeg();
  std::printf("Test picture: %s, %d x %d, %ju bytes\n", g_jpeg.c_str(), kWidth, kHeight,
              static_cast<std::uintmax_t>(std::filesystem::file_size(g_jpeg)));

  // The machine may be shared: medians of five repetitions, each side by side in one run.
  // The CPU column counts the time of every thread of this process.
  auto add = [](const char* name, void (*function)(benchmark::State&)) {
    benchmark::RegisterBenchmark(name, function)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->MeasureProcessCPUTime()
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
  };
  add("Thumbnail/Trimora", BM_Thumbnail_Trimora);
  add("Thumbnail/TrimoraProcess", BM_Thumbnail_TrimoraProcess);
  add("Thumbnail/djpeg -scale 1/8 -dct fast", BM_Thumbnail_Djpeg);
  add("Decode/Trimora", BM_Decode_Trimora);
  add("Decode/TrimoraProcess", BM_Decode_TrimoraProcess);
  add("Decode/djpeg", BM_Decode_Djpeg);
  add("MedianPlusLevels/Trimora 24 MP", BM_MedianPlusLevels_Trimora);

  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  std::printf("\nRatios (median time of ours / median time of the peer):\n");
  Ratio(reporter, "Thumbnail/Trimora", "Thumbnail/djpeg -scale 1/8 -dct fast", 1.15);
  Ratio(reporter, "Thumbnail/TrimoraProcess", "Thumbnail/djpeg -scale 1/8 -dct fast", 1.15);
  Ratio(reporter, "Decode/Trimora", "Decode/djpeg", 1.3);
  Ratio(reporter, "Decode/TrimoraProcess", "Decode/djpeg", 1.3);
  auto median = reporter.seconds.find("MedianPlusLevels/Trimora 24 MP");
  if (median != reporter.seconds.end())
    std::printf("  %-32s %8.1f ms   limit 250 ms\n", median->first.c_str(), median->second * 1e3);

  const double pictureMiB = double(kWidth) * kHeight * 4 / (1024.0 * 1024.0);
  std::printf("\nPeak resident memory of one decoding process (picture buffer %.1f MiB):\n",
              pictureMiB);
  std::printf("  Trimora full decode  %8.1f MiB\n", PeakMiB({g_probe, g_jpeg}));
  std::printf("  Trimora thumbnail    %8.1f MiB\n", PeakMiB({g_probe, g_jpeg, "thumbnail"}));
  std::printf("  djpeg (streams rows) %8.1f MiB\n", PeakMiB({"djpeg", g_jpeg}));
  std::filesystem::remove_all(g_folder);
  return 0;
}
