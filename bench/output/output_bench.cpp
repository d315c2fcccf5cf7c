// The decoding road of the crop-and-save run on a 6000 x 4000 JPEG made for the run: a
// 5000 x 3500 cut written as JPEG at quality 90, timed as the whole `trimora crop` process beside
// djpeg + cjpeg, ImageMagick's convert and vips, all as whole processes in the same run; then
// the peak memory of the road (maximum resident set size under /usr/bin/time -v).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "folder/cutting_record.h"
#include "output/write_cropped.h"
#include "photo_jpeg.h"
#include "processes.h"
#include "tables/table.h"
#include "tables/table_file.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 6000, kHeight = 4000;
constexpr int kLeft = 496, kTop = 256, kCutWidth = 5000, kCutHeight = 3500;

fs::path g_folder;
std::string g_source;  // the folder with picture.jpg and CroppingData.kv2
std::string g_jpeg;
std::string g_dest;
std::string g_png;    // the same cut as PNG
std::string g_heavy;  // a folder whose record also has a red-eye rectangle and the correction
std::string g_trimora = std::string(TRIMORA_PROGRAM_DIR) + "/trimora";

void WriteCuttingData(const std::string& folder, const std::string& redEye, bool correction,
                      const char* type = "JPG");

// A photo-like picture compressed by cjpeg at quality 90, and its cutting data.
void MakeSource() {
  g_folder = fs::temp_directory_path() / ("trimora-output-bench-" + std::to_string(getpid()));
  g_source = (g_folder / "source").string();
  g_dest = (g_folder / "dest").string();
  g_heavy = (g_folder / "heavy").string();
  fs::create_directories(g_source);
  fs::create_directories(g_dest);
  g_jpeg = g_source + "/picture.jpg";
  trimora::bench::MakePhotoLikeJpeg(g_jpeg, kWidth, kHeight, 7);

  WriteCuttingData(g_source, "", false);
  // The heaviest decoding road: a red-eye rectangle needs the whole picture, the correction a
  // copy of the cut.
  fs::create_directories(g_heavy);
  fs::copy_file(g_jpeg, g_heavy + "/picture.jpg");
  WriteCuttingData(g_heavy, "1000,1000,1040,1030|", true);
  g_png = (g_folder / "png").string();
  fs::create_directories(g_png);
  fs::copy_file(g_jpeg, g_png + "/picture.jpg");
  WriteCuttingData(g_png, "", false, "PNG");
  ::setenv("XDG_CONFIG_HOME", g_folder.c_str(), 1);
}

// A cutting-data file with one marked record for the decoding road.
void WriteCuttingData(const std::string& folder, const std::string& redEye, bool correction,
                      const char* type) {
  trimora::Table table(trimora::CuttingDataColumns());
  table.Append();
  table.WriteInteger("X", kLeft);
  table.WriteInteger("Y", kTop);
  table.WriteInteger("Width", kCutWidth);
  table.WriteInteger("Height", kCutHeight);
  table.WriteInteger("FormatID", 1);
  table.WriteInteger("jpegCompressionBlockSize", 1);  // the decoding road
  table.WriteText("TempPath", "");
  table.WriteText("Filename", folder + "/picture.jpg");
  table.WriteText("FileType", type);
  table.WriteBoolean("SaveIt", true);
  table.WriteBoolean("Deleted", false);
  table.WriteInteger("PictureWidth", kWidth);
  table.WriteInteger("PictureHeight", kHeight);
  if (!redEye.empty()) table.WriteText("RedEyeCoords", redEye);
  table.WriteBoolean("AutoCorrection", correction);
  trimora::SaveTableToFile(table, folder + "/CroppingData.kv2");
}

// Processor time (user + system) of the programs started by RunProcess.
double g_childSeconds = 0;

// Runs a program quietly and waits for it, counting its processor time; false when it failed.
bool RunProcess(const std::vector<std::string>& args) {
  return trimora::bench::RunQuietly(args, &g_childSeconds);
}

void Require(benchmark::State& state, bool ok) {
  if (!ok) state.SkipWithError("the program failed");
}

const std::string kCrop = std::to_string(kCutWidth) + "x" + std::to_string(kCutHeight) + "+" +
                          std::to_string(kLeft) + "+" + std::to_string(kTop);

void BM_TrimoraCrop(benchmark::State& state) {
  g_childSeconds = 0;
  for (auto _ : state)
    Require(state, RunProcess({g_trimora, "crop", g_source, g_dest, "--overwrite", "yes"}));
  state.counters["cpu_s"] =
      benchmark::Counter(g_childSeconds / static_cast<double>(state.iterations()));
}

void BM_TrimoraCropWithRedEyeAndCorrection(benchmark::State& state) {
  g_childSeconds = 0;
  for (auto _ : state)
    Require(state, RunProcess({g_trimora, "crop", g_heavy, g_dest, "--overwrite", "yes"}));
  state.counters["cpu_s"] =
      benchmark::Counter(g_childSeconds / static_cast<double>(state.iterations()));
}

void BM_DjpegThenCjpeg(benchmark::State& state) {
  g_childSeconds = 0;
  const std::string ppm = (g_folder / "cut.ppm").string();
  const std::string out = (g_folder / "cut.jpg").string();
  for (auto _ : state) {
    Require(state, RunProcess({"djpeg", "-crop", kCrop, "-outfile", ppm, g_jpeg}));
    Require(state, RunProcess({"cjpeg", "-quality", "90", "-outfile", out, ppm}));
  }
  state.counters["cpu_s"] =
      benchmark::Counter(g_childSeconds / static_cast<double>(state.iterations()));
}

void BM_ImageMagickConvert(benchmark::State& state) {
  g_childSeconds = 0;
  const std::string out = (g_folder / "convert.jpg").string();
  for (auto _ : state) {
    Require(state, RunProcess({"/usr/bin/convert", g_jpeg, "-crop", kCrop, "-quality", "90",
                               "-sampling-factor", "4:2:0", out}));
  }
  state.counters["cpu_s"] =
      benchmark::Counter(g_childSeconds / static_cast<double>(state.iterations()));
}

void BM_VipsCrop(benchmark::State& state) {
  g_childSeconds = 0;
  const std::string out = (g_folder / "vips.jpg").string() + "[Q=90,subsample-mode=on]";
  for (auto _ : state) {
    Require(state,
            RunProcess({"vips", "crop", g_jpeg, out, std::to_string(kLeft), std::to_string(kTop),
                        std::to_string(kCutWidth), std::to_string(kCutHeight)}));
  }
  state.counters["cpu_s"] =
      benchmark::Counter(g_childSeconds / static_cast<double>(state.iterations()));
}

// The same road inside this process, without process start and table reading.
void BM_WriteCroppedPictureInProcess(benchmark::State& state) {
  trimora::CropRequest request;
  request.left = kLeft;
  request.top = kTop;
  request.width = kCutWidth;
  request.height = kCutHeight;
  request.source = g_jpeg;
  request.output = (g_folder / "inprocess.JPG").string();
  request.type = "JPG";
  for (auto _ : state) trimora::WriteCroppedPicture(request, trimora::EnlargeOptions{}, {});
}

// Collects the mean wall time of each benchmark for the ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.run_type == Run::RT_Iteration && r.iterations > 0) {
        seconds[r.run_name.function_name] =
            r.real_accumulated_time / static_cast<double>(r.iterations);
        if (const auto c = r.counters.find("cpu_s"); c != r.counters.end())
          cpu[r.run_name.function_name] = c->second;
      }
    }
  }
  std::map<std::string, double> seconds;
  std::map<std::string, double> cpu;
};

// The maximum resident set size of a command in bytes, read from /usr/bin/time -v.
long long PeakMemory(const std::string& command) {
  const std::string report = (g_folder / "time.txt").string();
  if (std::system(("/usr/bin/time -v " + command + " >/dev/null 2>'" + report + "'").c_str()) != 0)
    return -1;
  std::ifstream in(report);
  std::string line;
  const std::string key = "Maximum resident set size (kbytes): ";
  while (std::getline(in, line)) {
    const auto at = line.find(key);
    if (at != std::string::npos) return std::stoll(line.substr(at + key.size())) * 1024;
  }
  return -1;
}

// The cut written as PNG by `trimora crop` and by ImageMagick's convert, alternating, `runs`
// times; prints the medians of the per-run ratios of wall and processor time with their spread,
// the load average and the file sizes.
void ComparePng(int runs) {
  const std::string ours = g_dest + "/picture.PNG";
  const std::string theirs = (g_folder / "convert.png").string();
  std::vector<double> wall[2], cpu[2];
  for (int run = 0; run < runs; ++run) {
    for (int k = 0; k < 2; ++k) {
      const int i = (k + run) % 2;
      g_childSeconds = 0;
      const auto start = std::chrono::steady_clock::now();
      const bool ok = i == 0 ? RunProcess({g_trimora, "crop", g_png, g_dest, "--overwrite", "yes"})
                             : RunProcess({"/usr/bin/convert", g_jpeg, "-crop", kCrop, theirs});
      if (!ok) {
        std::printf("PNG comparison: a program failed\n");
        return;
      }
      wall[i].push_back(
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
      cpu[i].push_back(g_childSeconds);
    }
  }
  const auto ratios = [](const std::vector<double>& a, const std::vector<double>& b) {
    std::vector<double> r;
    for (std::size_t i = 0; i < a.size(); ++i) r.push_back(a[i] / b[i]);
    return trimora::bench::SpreadOf(r);
  };
  const auto w = ratios(wall[0], wall[1]);
  const auto c = ratios(cpu[0], cpu[1]);
  std::printf("\nPNG of the %s cut, %d alternating runs:\n", kCrop.c_str(), runs);
  std::printf("  trimora crop %.2f s (cpu %.2f s), convert -crop %.2f s (cpu %.2f s), medians\n",
              trimora::bench::Median(wall[0]), trimora::bench::Median(cpu[0]),
              trimora::bench::Median(wall[1]), trimora::bench::Median(cpu[1]));
  std::printf("  trimora / convert: wall %.2f (%.2f-%.2f), cpu %.2f (%.2f-%.2f) (limit 0.6)\n",
              w.median, w.low, w.high, c.median, c.low, c.high);
  std::printf(
      "  file size %.1f MB / %.1f MB = %.3f (limit 1.1)\n",
      static_cast<double>(fs::file_size(ours)) / 1e6,
      static_cast<double>(fs::file_size(theirs)) / 1e6,
      static_cast<double>(fs::file_size(ours)) / static_cast<double>(fs::file_size(theirs)));
  trimora::bench::PrintRunsAndLoad(runs);
}

}  // namespace

BENCHMARK(BM_TrimoraCrop)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_TrimoraCropWithRedEyeAndCorrection)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);
BENCHMARK(BM_DjpegThenCjpeg)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_ImageMagickConvert)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_VipsCrop)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_WriteCroppedPictureInProcess)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  MakeSource();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto ratio = [](const std::map<std::string, double>& t, const char* a, const char* b) {
    return t.count(a) && t.count(b) && t.at(b) > 0 ? t.at(a) / t.at(b) : -1.0;
  };
  // Wall time counts what a user waits; processor time is steadier on a busy machine.
  for (const auto& [label, t] :
       {std::pair{"wall time", &reporter.seconds}, std::pair{"processor time", &reporter.cpu}}) {
    std::printf("\n%s:\n", label);
    std::printf("  trimora crop / (djpeg + cjpeg -quality 90): %.2f (limit 1.30)\n",
                ratio(*t, "BM_TrimoraCrop", "BM_DjpegThenCjpeg"));
    std::printf("  trimora crop / convert -crop -quality 90:   %.2f (must be below 1)\n",
                ratio(*t, "BM_TrimoraCrop", "BM_ImageMagickConvert"));
    std::printf("  trimora crop / vips crop:                   %.2f (for comparison)\n",
                ratio(*t, "BM_TrimoraCrop", "BM_VipsCrop"));
  }
  ComparePng(5);
  const double decoded = static_cast<double>(kWidth) * kHeight * 4;
  const long long ours =
      PeakMemory("'" + g_trimora + "' crop '" + g_source + "' '" + g_dest + "' --overwrite yes");
  const long long djpeg = PeakMemory("djpeg -outfile /dev/null '" + g_jpeg + "'");
  std::printf(
      "peak memory of trimora crop: %.1f MB = %.2f x the decoded picture (%.0f MB; limit 3.5)\n",
      static_cast<double>(ours) / 1e6, static_cast<double>(ours) / decoded, decoded / 1e6);
  const long long heavy =
      PeakMemory("'" + g_trimora + "' crop '" + g_heavy + "' '" + g_dest + "' --overwrite yes");
  std::printf(
      "peak memory with red-eye filter and correction: %.1f MB = %.2f x the decoded picture\n",
      static_cast<double>(heavy) / 1e6, static_cast<double>(heavy) / decoded);
  std::printf("peak memory of djpeg (whole picture, for comparison): %.1f MB\n",
              static_cast<double>(djpeg) / 1e6);
  std::error_code ignored;
  if (std::getenv("TRIMORA_BENCH_KEEP") != nullptr) {
    std::printf("files kept in %s\n", g_folder.c_str());
  } else {
    fs::remove_all(g_folder, ignored);
  }
  return 0;
}
