// Times the installed Trimora2, started through its launcher bin/trimora2 as the desktop entry
// starts it, from its start until its main window is painted, side by side with the build
// folder's Trimora2 in alternating order in the same run. The installation is made first with
// `cmake --install` into a temporary prefix. Each program is a whole process; it writes
// "painted" once its window is painted (TRIMORA_PAINTED_MARK), is then ended, and its processor
// time and peak memory are taken from the kernel. Run under a display (xvfb-run).
//
//   install_bench [RUNS]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/settings.h"
#include "platform/version.h"
#include "processes.h"

namespace fs = std::filesystem;

namespace {

using trimora::bench::CompareStarts;
using trimora::bench::FiguresOf;
using trimora::bench::Median;
using trimora::bench::PrintRunsAndLoad;
using trimora::bench::PrivateHome;
using trimora::bench::RunQuietly;
using trimora::bench::SpreadOf;

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
  if (std::getenv("DISPLAY") == nullptr) {
    std::fprintf(stderr, "install_bench needs a display (run it under xvfb-run).\n");
    return 1;
  }
  const std::string built = std::string(TRIMORA_BUILD_DIR) + "/bin/Trimora2";
  // Private settings, data and sockets, and the prefix installed into.
  const PrivateHome home("trimora-install-bench");
  const fs::path prefix = home.Path() / "prefix";
  if (!RunQuietly({TRIMORA_CMAKE, "--install", TRIMORA_BUILD_DIR, "--prefix", prefix.string()})) {
    std::fprintf(stderr, "cmake --install into %s failed\n", prefix.c_str());
    return 1;
  }
  const std::string installed = (prefix / "bin/trimora2").string();

  // A saved window place, so that neither start counts as the first one (which would also
  // start the guide).
  trimora::SetMainProgramFileForTesting(built);
  trimora::WriteIntSetting("Left", 100);
  trimora::WriteIntSetting("Top", 100);
  trimora::WriteIntSetting("Width", 900);
  trimora::WriteIntSetting("Height", 700);

  const auto pairs = CompareStarts({installed}, "installed", {built}, "build folder", runs);
  if (pairs.empty()) return 1;
  const auto f = FiguresOf(pairs);
  const auto wall = SpreadOf(f.ratios);
  const auto cpu = SpreadOf(f.cpuRatios);
  PrintRunsAndLoad(runs);
  std::printf("start to painted window: installed median %.1f ms, build folder median %.1f ms\n",
              Median(f.secondsA) * 1e3, Median(f.secondsB) * 1e3);
  std::printf(
      "per-run ratio installed/build folder: median %.3f (limit 1.10), quartiles %.3f-%.3f, "
      "range %.3f-%.3f\n",
      wall.median, wall.q1, wall.q3, wall.low, wall.high);
  std::printf(
      "processor time: installed median %.1f ms, build folder median %.1f ms, per-run ratio "
      "median %.3f, quartiles %.3f-%.3f\n",
      Median(f.cpuA) * 1e3, Median(f.cpuB) * 1e3, cpu.median, cpu.q1, cpu.q3);
  return 0;
}
