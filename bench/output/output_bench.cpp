// The output roads of the crop-and-save run, each timed as the whole `trimora crop` process
// beside a peer doing the same work in the same run, alternating, with the median of the
// per-run ratios of wall and processor time and their spread:
// - on a 6000 x 4000 JPEG made for the run, a 5000 x 3500 cut written as JPEG at quality 90
//   (4:2:0, as the peers are told to write) beside djpeg + cjpeg, ImageMagick's convert and vips;
// - the same cut as PNG beside convert, with both file sizes, and the real sample photograph;
// - the lossless road (4992 x 3504 on the block grid) beside plain `jpegtran -copy all -crop`,
//   the source carrying a camera's Exif segment with its thumbnail, which the road mends;
// - the peak memory (maximum resident set size) of the JPEG, TIFF, BMP and PNG roads.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "folder/cutting_record.h"
#include "metadata/jpeg_markers.h"
#include "output/write_cropped.h"
#include "photo_jpeg.h"
#include "processes.h"
#include "tables/table.h"
#include "tables/table_file.h"

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 6000, kHeight = 4000;
constexpr int kLeft = 496, kTop = 256, kCutWidth = 5000, kCutHeight = 3500;

fs::path g_folder;
std::string g_source;  // the folder with picture.jpg and CroppingData.kv2
std::string g_jpeg;
std::string g_dest;
std::string g_heavy;     // a folder whose record also has a red-eye rectangle and the correction
std::string g_lossless;  // the cut on the block grid, by jpegtran
std::string g_realPng;   // the real sample photograph whole as PNG
std::string g_road[3];   // the cut as TIF, BMP and PNG
constexpr const char* kRoadTypes[3] = {"TIF", "BMP", "PNG"};
std::string g_trimora = std::string(TRIMORA_PROGRAM_DIR) + "/trimora";
const std::string kRealPhoto = std::string(TRIMORA_TESTDATA_DIR) + "/photos/casio-ex-m2.jpg";
constexpr int kRealWidth = 1600, kRealHeight = 1200;

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Cut {
  int x, y, width, height, block;
};
constexpr Cut kDecodingCut{kLeft, kTop, kCutWidth, kCutHeight, 1};
// 4992 x 3504 at (496, 256), in blocks of 16 pixels.
constexpr Cut kLosslessCut{kLeft / 16, kTop / 16, 312, 219, 16};

void WriteCuttingData(const std::string& folder, const std::string& picture, int pictureWidth,
                      int pictureHeight, const Cut& cut, const std::string& redEye, bool correction,
                      const char* type);

// A folder holding a copy of `picture` and cutting data for it.
std::string MakeFolder(const char* name, const std::string& picture, int pictureWidth,
                       int pictureHeight, const Cut& cut, const std::string& redEye,
                       bool correction, const char* type) {
  const std::string folder = (g_folder / name).string();
  fs::create_directories(folder);
  fs::copy_file(picture, folder + "/picture.jpg");
  WriteCuttingData(folder, folder + "/picture.jpg", pictureWidth, pictureHeight, cut, redEye,
                   correction, type);
  return folder;
}

// Puts the Exif segment of a camera's picture (with its thumbnail) behind the start marker
// of `path`, as a camera's file has it: the lossless road then mends it.
void AddCameraExif(const std::string& path) {
  const std::string camera =
      ReadBytes(std::string(TRIMORA_TESTDATA_DIR) + "/photos/canon-ixus.jpg");
  const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(camera.data()),
                                            camera.size());
  const std::optional<trimora::SegmentSpan> exif = trimora::FindExifSegment(bytes);
  if (!exif) {
    std::fprintf(stderr, "the sample photograph has no Exif segment\n");
    std::exit(1);
  }
  std::string picture = ReadBytes(path);
  picture.insert(2, camera, exif->offset, exif->size);
  std::ofstream(path, std::ios::binary | std::ios::trunc) << picture;
}

// A photo-like picture compressed by cjpeg at quality 90, and the folders of the roads.
void MakeSource() {
  g_folder = fs::temp_directory_path() / ("trimora-output-bench-" + std::to_string(getpid()));
  g_dest = (g_folder / "dest").string();
  fs::create_directories(g_dest);
  const std::string made = (g_folder / "made.jpg").string();
  trimora::bench::MakePhotoLikeJpeg(made, kWidth, kHeight, 7);
  AddCameraExif(made);
  g_source = MakeFolder("source", made, kWidth, kHeight, kDecodingCut, "", false, "JPG");
  g_jpeg = g_source + "/picture.jpg";
  // The heaviest decoding road: a red-eye rectangle needs the whole picture, the correction a
  // copy of the cut.
  g_heavy =
      MakeFolder("heavy", made, kWidth, kHeight, kDecodingCut, "1000,1000,1040,1030|", true, "JPG");
  for (int i = 0; i < 3; ++i) {
    g_road[i] =
        MakeFolder(kRoadTypes[i], made, kWidth, kHeight, kDecodingCut, "", false, kRoadTypes[i]);
  }
  g_lossless = MakeFolder("lossless", made, kWidth, kHeight, kLosslessCut, "", false, "JPG");
  g_realPng = MakeFolder("real", kRealPhoto, kRealWidth, kRealHeight,
                         Cut{0, 0, kRealWidth, kRealHeight, 1}, "", false, "PNG");
  ::setenv("XDG_CONFIG_HOME", g_folder.c_str(), 1);
}

// A cutting-data file with one marked record.
void WriteCuttingData(const std::string& folder, const std::string& picture, int pictureWidth,
                      int pictureHeight, const Cut& cut, const std::string& redEye, bool correction,
                      const char* type) {
  trimora::Table table(trimora::CuttingDataColumns());
  table.Append();
  table.WriteInteger("X", cut.x);
  table.WriteInteger("Y", cut.y);
  table.WriteInteger("Width", cut.width);
  table.WriteInteger("Height", cut.height);
  table.WriteInteger("FormatID", 1);
  table.WriteInteger("jpegCompressionBlockSize", cut.block);
  table.WriteText("TempPath", "");
  table.WriteText("Filename", picture);
  table.WriteText("FileType", type);
  table.WriteBoolean("SaveIt", true);
  table.WriteBoolean("Deleted", false);
  table.WriteInteger("PictureWidth", pictureWidth);
  table.WriteInteger("PictureHeight", pictureHeight);
  if (!redEye.empty()) table.WriteText("RedEyeCoords", redEye);
  table.WriteBoolean("AutoCorrection", correction);
  trimora::SaveTableToFile(table, folder + "/CroppingData.kv2");
}

using Command = std::vector<std::string>;
using Commands = std::vector<Command>;

// Wall and processor time of commands run one after another, and the largest peak memory.
struct Timing {
  double wall = 0;
  double cpu = 0;
  long peakKilobytes = 0;
  bool ok = false;
};

Timing Run(const Commands& commands) {
  Timing t;
  const auto start = std::chrono::steady_clock::now();
  for (const Command& c : commands) {
    long peak = 0;
    if (!trimora::bench::RunQuietly(c, &t.cpu, &peak)) return t;
    t.peakKilobytes = std::max(t.peakKilobytes, peak);
  }
  t.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  t.ok = true;
  return t;
}

Command TrimoraCrop(const std::string& folder) {
  return {g_trimora, "crop", folder, g_dest, "--overwrite", "yes"};
}

void PrintLoad() {
  double load[3] = {0, 0, 0};
  getloadavg(load, 3);
  std::printf("  load average %.2f %.2f %.2f\n", load[0], load[1], load[2]);
}

void PrintSpread(const char* label, const std::vector<double>& values, const char* limit) {
  const auto s = trimora::bench::SpreadOf(values);
  std::printf("  %s %.3f (%.3f-%.3f)%s\n", label, s.median, s.low, s.high, limit);
}

// Runs `subject` and `peer` alternately (after one run of each that warms the caches) `runs`
// times and prints the medians of their times and of the per-run ratios with their spread.
void Compare(const std::string& title, const Commands& subject, const Commands& peer, int runs,
             const char* limit) {
  std::printf("\n%s, %d alternating runs:\n", title.c_str(), runs);
  if (!Run(subject).ok || !Run(peer).ok) {
    std::printf("  a program failed\n");
    return;
  }
  std::vector<double> wall[2], cpu[2];
  for (int run = 0; run < runs; ++run) {
    for (int k = 0; k < 2; ++k) {
      const int i = (k + run) % 2;
      const Timing t = Run(i == 0 ? subject : peer);
      if (!t.ok) {
        std::printf("  a program failed\n");
        return;
      }
      wall[i].push_back(t.wall);
      cpu[i].push_back(t.cpu);
    }
  }
  std::printf("  medians: subject %.3f s (cpu %.3f s), peer %.3f s (cpu %.3f s)\n",
              trimora::bench::Median(wall[0]), trimora::bench::Median(cpu[0]),
              trimora::bench::Median(wall[1]), trimora::bench::Median(cpu[1]));
  std::vector<double> wallRatios, cpuRatios;
  for (int run = 0; run < runs; ++run) {
    wallRatios.push_back(wall[0][run] / wall[1][run]);
    cpuRatios.push_back(cpu[0][run] / cpu[1][run]);
  }
  PrintSpread("subject / peer, wall:", wallRatios, limit);
  PrintSpread("subject / peer, cpu: ", cpuRatios, limit);
  PrintLoad();
}

void PrintSizes(const std::string& ours, const std::string& theirs) {
  std::printf(
      "  file size %.2f MB / %.2f MB = %.3f (limit 1.1)\n",
      static_cast<double>(fs::file_size(ours)) / 1e6,
      static_cast<double>(fs::file_size(theirs)) / 1e6,
      static_cast<double>(fs::file_size(ours)) / static_cast<double>(fs::file_size(theirs)));
}

const std::string kCrop = std::to_string(kCutWidth) + "x" + std::to_string(kCutHeight) + "+" +
                          std::to_string(kLeft) + "+" + std::to_string(kTop);

void CompareJpegRoad() {
  const std::string ppm = (g_folder / "cut.ppm").string();
  const std::string out = (g_folder / "peer.jpg").string();
  Compare("JPEG of the " + kCrop + " cut: trimora crop / (djpeg -crop | cjpeg -quality 90)",
          {TrimoraCrop(g_source)},
          {{"djpeg", "-crop", kCrop, "-outfile", ppm, g_jpeg},
           {"cjpeg", "-quality", "90", "-sample", "2x2", "-outfile", out, ppm}},
          5, " (limit 1.30)");
  Compare("JPEG of the cut: trimora crop / convert -crop -quality 90 -sampling-factor 4:2:0",
          {TrimoraCrop(g_source)},
          {{"/usr/bin/convert", g_jpeg, "-crop", kCrop, "-quality", "90", "-sampling-factor",
            "4:2:0", out}},
          3, " (must be below 1)");
  Compare("JPEG of the cut: trimora crop / vips crop (Q=90, 4:2:0)", {TrimoraCrop(g_source)},
          {{"vips", "crop", g_jpeg, out + "[Q=90,subsample-mode=on]", std::to_string(kLeft),
            std::to_string(kTop), std::to_string(kCutWidth), std::to_string(kCutHeight)}},
          3, " (for comparison)");
  Compare("JPEG of the cut with red-eye filter and correction: trimora crop / (djpeg | cjpeg)",
          {TrimoraCrop(g_heavy)},
          {{"djpeg", "-crop", kCrop, "-outfile", ppm, g_jpeg},
           {"cjpeg", "-quality", "90", "-sample", "2x2", "-outfile", out, ppm}},
          3, "");
}

void ComparePng() {
  const std::string theirs = (g_folder / "convert.png").string();
  Compare("PNG of the " + kCrop + " cut: trimora crop / convert -crop", {TrimoraCrop(g_road[2])},
          {{"/usr/bin/convert", g_jpeg, "-crop", kCrop, theirs}}, 5, " (limit 0.6)");
  PrintSizes(g_dest + "/picture.PNG", theirs);
  const std::string real = (g_folder / "convert-real.png").string();
  Compare("PNG of the sample photograph (1600 x 1200): trimora crop / convert",
          {TrimoraCrop(g_realPng)}, {{"/usr/bin/convert", kRealPhoto, real}}, 5, " (limit 0.6)");
  PrintSizes(g_dest + "/picture.PNG", real);
}

void CompareLossless() {
  const std::string out = (g_folder / "jpegtran.jpg").string();
  Compare("Lossless cut 4992x3504+496+256: trimora crop / jpegtran -copy all -crop",
          {TrimoraCrop(g_lossless)},
          {{"jpegtran", "-copy", "all", "-crop", "4992x3504+496+256", "-outfile", out, g_jpeg}}, 11,
          " (limit 1.03)");
}

// The peak memory of the roads without corrections, each the median of three runs.
void ComparePeakMemory() {
  const auto peak = [](const std::string& folder) {
    std::vector<double> kilobytes;
    for (int run = 0; run < 3; ++run)
      kilobytes.push_back(static_cast<double>(Run({TrimoraCrop(folder)}).peakKilobytes));
    return trimora::bench::Median(kilobytes);
  };
  const double decoded = static_cast<double>(kWidth) * kHeight * 4 / 1024;
  const double jpeg = peak(g_source);
  std::printf("\nPeak memory of trimora crop (maximum resident set size, median of 3):\n");
  std::printf("  JPG road %.1f MB (%.2f x the decoded picture)\n", jpeg / 1024, jpeg / decoded);
  for (int i = 0; i < 3; ++i) {
    const double kb = peak(g_road[i]);
    std::printf("  %s road %.1f MB = %.2f x the JPG road (limit 1.5)\n", kRoadTypes[i], kb / 1024,
                kb / jpeg);
  }
  const double heavy = peak(g_heavy);
  std::printf("  red-eye filter and correction: %.1f MB = %.2f x the decoded picture\n",
              heavy / 1024, heavy / decoded);
  long djpeg = 0;
  trimora::bench::RunQuietly({"djpeg", "-outfile", "/dev/null", g_jpeg}, nullptr, &djpeg);
  std::printf("  djpeg of the whole picture, for comparison: %.1f MB\n",
              static_cast<double>(djpeg) / 1024);
  PrintLoad();
}

// The JPEG road inside this process, without process start and table reading.
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

}  // namespace

BENCHMARK(BM_WriteCroppedPictureInProcess)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  MakeSource();
  // Parts may be chosen by name: lossless, png, jpeg, memory (all when none is named).
  const auto wanted = [&](const char* part) {
    if (argc < 2) return true;
    for (int i = 1; i < argc; ++i)
      if (std::string(argv[i]) == part) return true;
    return false;
  };
  if (argc < 2) benchmark::RunSpecifiedBenchmarks();
  if (wanted("lossless")) CompareLossless();
  if (wanted("png")) ComparePng();
  if (wanted("jpeg")) CompareJpegRoad();
  if (wanted("memory")) ComparePeakMemory();
  std::error_code ignored;
  if (std::getenv("TRIMORA_BENCH_KEEP") != nullptr) {
    std::printf("files kept in %s\n", g_folder.c_str());
  } else {
    fs::remove_all(g_folder, ignored);
  }
  return 0;
}
