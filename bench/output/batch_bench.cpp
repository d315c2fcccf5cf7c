// The batch cut of a folder: 50 marked 12 MP pictures cut to JPEG by `trimora crop` on all cores
// and one picture at a time, beside `xargs -P2` running djpeg | cjpeg and vips crop on the same
// cuts, all as whole processes in the same rounds, in an order that turns each round. The JPEG
// peers write 4:2:0 at quality 90, as the decoding road does for these pictures. Prints every
// round's wall and processor times with the load average, then the medians of the per-round
// ratios with their spread.
//
// batch_bench [ROUNDS] (default 5); TRIMORA_BENCH_KEEP keeps the folder.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "folder/cutting_record.h"
#include "photo_jpeg.h"
#include "processes.h"
#include "tables/table.h"
#include "tables/table_file.h"

namespace {

namespace fs = std::filesystem;
using trimora::bench::SpreadOf;

// a[i] / b[i] for every round.
std::vector<double> Ratios(const std::vector<double>& a, const std::vector<double>& b) {
  std::vector<double> ratios;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) ratios.push_back(a[i] / b[i]);
  return ratios;
}

// The load average over 1, 5 and 15 minutes.
std::string LoadAverage() {
  char text[64] = {};
  if (std::FILE* f = std::fopen("/proc/loadavg", "r")) {
    if (std::fgets(text, sizeof text, f) == nullptr) text[0] = 0;
    std::fclose(f);
  }
  std::string load(text);
  for (int fields = 0, i = 0; i < static_cast<int>(load.size()); ++i) {
    if (load[i] == ' ' && ++fields == 3) return load.substr(0, i);
  }
  return load;
}

constexpr int kWidth = 4000, kHeight = 3000;  // 12 MP
constexpr int kLeft = 248, kTop = 152, kCutWidth = 3500, kCutHeight = 2600;
constexpr int kPictures = 50, kDistinct = 10;

std::string Quoted(const std::string& s) { return "'" + s + "'"; }

struct Subject {
  const char* name;
  std::string command;  // a shell command line
  std::string dest;
};

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const fs::path folder =
      fs::temp_directory_path() / ("trimora-batch-bench-" + std::to_string(::getpid()));
  const std::string source = (folder / "source").string();
  fs::create_directories(source);
  ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);

  std::printf("making %d pictures of %d x %d ...\n", kPictures, kWidth, kHeight);
  std::fflush(stdout);
  std::vector<std::string> names;
  trimora::Table table(trimora::CuttingDataColumns());
  for (int i = 0; i < kPictures; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "p%02d.jpg", i);
    names.push_back(name);
    const std::string path = source + "/" + name;
    if (i < kDistinct) {
      trimora::bench::MakePhotoLikeJpeg(path, kWidth, kHeight, 100 + i);
    } else {
      fs::copy_file(source + "/" + names[i % kDistinct], path);
    }
    table.Append();
    table.WriteInteger("X", kLeft);
    table.WriteInteger("Y", kTop);
    table.WriteInteger("Width", kCutWidth);
    table.WriteInteger("Height", kCutHeight);
    table.WriteInteger("FormatID", 1);
    table.WriteInteger("jpegCompressionBlockSize", 1);  // the decoding road
    table.WriteText("TempPath", "");
    table.WriteText("Filename", path);
    table.WriteText("FileType", "JPG");
    table.WriteBoolean("SaveIt", true);
    table.WriteBoolean("Deleted", false);
    table.WriteInteger("PictureWidth", kWidth);
    table.WriteInteger("PictureHeight", kHeight);
  }
  trimora::SaveTableToFile(table, source + "/CroppingData.kv2");

  const std::string trimora = std::string(TRIMORA_PROGRAM_DIR) + "/trimora";
  const std::string list = "cd " + Quoted(source) + " && ls p*.jpg | xargs -P2 -I{} sh -c ";
  const std::string crop = std::to_string(kCutWidth) + "x" + std::to_string(kCutHeight) + "+" +
                           std::to_string(kLeft) + "+" + std::to_string(kTop);
  std::vector<Subject> subjects = {
      {"trimora crop (all cores)", "", (folder / "parallel").string()},
      {"trimora crop --jobs 1", "", (folder / "sequential").string()},
      {"xargs -P2 djpeg|cjpeg", "", (folder / "djpeg").string()},
      {"xargs -P2 vips crop", "", (folder / "vips").string()},
  };
  subjects[0].command = Quoted(trimora) + " crop " + Quoted(source) + " " +
                        Quoted(subjects[0].dest) + " --overwrite yes";
  subjects[1].command = Quoted(trimora) + " crop " + Quoted(source) + " " +
                        Quoted(subjects[1].dest) + " --overwrite yes --jobs 1";
  subjects[2].command =
      list + Quoted("djpeg -crop " + crop + " {} | cjpeg -quality 90 -sample 2x2 > " +
                    subjects[2].dest + "/{}");
  subjects[3].command =
      list + Quoted("vips crop {} '" + subjects[3].dest + "/{}[Q=90,subsample-mode=on]' " +
                    std::to_string(kLeft) + " " + std::to_string(kTop) + " " +
                    std::to_string(kCutWidth) + " " + std::to_string(kCutHeight));
  for (const Subject& s : subjects) fs::create_directories(s.dest);

  const std::size_t n = subjects.size();
  std::vector<std::vector<double>> wall(n), cpu(n);
  // One warm-up pass of each fills the page cache.
  for (const Subject& s : subjects) trimora::bench::RunQuietly({"sh", "-c", s.command});
  for (int round = 0; round < rounds; ++round) {
    std::printf("round %d, load average %s:", round + 1, LoadAverage().c_str());
    for (std::size_t k = 0; k < n; ++k) {
      const std::size_t i = (k + static_cast<std::size_t>(round)) % n;
      double childSeconds = 0;
      const auto start = std::chrono::steady_clock::now();
      const bool ok = trimora::bench::RunQuietly({"sh", "-c", subjects[i].command}, &childSeconds);
      const double seconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      if (!ok) {
        std::printf("\n%s failed\n", subjects[i].name);
        return 1;
      }
      wall[i].push_back(seconds);
      cpu[i].push_back(childSeconds);
    }
    for (std::size_t i = 0; i < n; ++i)
      std::printf("  %s %.2f s (cpu %.2f s)", subjects[i].name, wall[i].back(), cpu[i].back());
    std::printf("\n");
    std::fflush(stdout);
  }
  std::printf("\n%d rounds, %d pictures of %d x %d cut to %d x %d JPEG, load average now %s\n",
              rounds, kPictures, kWidth, kHeight, kCutWidth, kCutHeight, LoadAverage().c_str());
  for (std::size_t i = 0; i < n; ++i) {
    const auto w = SpreadOf(wall[i]);
    const auto c = SpreadOf(cpu[i]);
    std::printf("%-26s wall %.2f s (%.2f-%.2f), cpu %.2f s (%.2f-%.2f), %.2f cores\n",
                subjects[i].name, w.median, w.low, w.high, c.median, c.low, c.high,
                c.median / w.median);
  }
  std::printf("\nmedian of per-round ratios (low-high):\n");
  for (std::size_t i = 1; i < n; ++i) {
    const auto w = SpreadOf(Ratios(wall[0], wall[i]));
    const auto c = SpreadOf(Ratios(cpu[0], cpu[i]));
    std::printf("  %s / %s: wall %.2f (%.2f-%.2f), cpu %.2f (%.2f-%.2f)\n", subjects[0].name,
                subjects[i].name, w.median, w.low, w.high, c.median, c.low, c.high);
  }
  if (std::getenv("TRIMORA_BENCH_KEEP") != nullptr) {
    std::printf("files kept in %s\n", folder.c_str());
  } else {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
  return 0;
}
