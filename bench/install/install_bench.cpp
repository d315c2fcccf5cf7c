// Times the installed Trimora2, started through its launcher bin/trimora2 as the desktop entry
// starts it, from its start until its main window is painted, side by side with the build
// folder's Trimora2 in alternating order in the same run. The installation is made first with
// `cmake --install` into a temporary prefix. Each program is a whole process; it writes
// "painted" once its window is painted (TRIMORA_PAINTED_MARK), is then ended, and its processor
// time and peak memory are taken from the kernel. Run under a display (xvfb-run).
//
//   install_bench [RUNS]
#include <unistd.h>

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
using trimora::bench::Median;
using trimora::bench::RunQuietly;
using trimora::bench::Spread;
using trimora::bench::SpreadOf;

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
  if (std::getenv("DISPLAY") == nullptr) {
    std::fprintf(stderr, "install_bench needs a display (run it under xvfb-run).\n");
    return 1;
  }
  const std::string built = std::string(TRIMORA_BUILD_DIR) + "/bin/Trimora2";
  const fs::path home =
      fs::temp_directory_path() / ("trimora-install-bench-" + std::to_string(getpid()));
  const fs::path prefix = home / "prefix";
  if (!RunQuietly({TRIMORA_CMAKE, "--install", TRIMORA_BUILD_DIR, "--prefix", prefix.string()})) {
    std::fprintf(stderr, "cmake --install into %s failed\n", prefix.c_str());
    fs::remove_all(home);
    return 1;
  }
  const std::string installed = (prefix / "bin/trimora2").string();

  // Private settings, data and sockets; a saved window place, so that neither start counts as
  // the first one (which would also start the guide).
  for (const char* folder : {"config", "data", "runtime"}) fs::create_directories(home / folder);
  fs::permissions(home / "runtime", fs::perms::owner_all, fs::perm_options::replace);
  setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
  setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (home / "runtime").c_str(), 1);
  setenv("TRIMORA_PAINTED_MARK", "1", 1);
  trimora::SetMainProgramFileForTesting(built);
  trimora::WriteIntSetting("Left", 100);
  trimora::WriteIntSetting("Top", 100);
  trimora::WriteIntSetting("Width", 900);
  trimora::WriteIntSetting("Height", 700);

  const auto pairs = CompareStarts({installed}, "installed", {built}, "build folder", runs);
  if (pairs.empty()) {
    fs::remove_all(home);
    return 1;
  }
  std::vector<double> ratios, cpuRatios, builtTimes, installedTimes, builtCpu, installedCpu;
  for (const auto& [a, b] : pairs) {
    installedTimes.push_back(a.seconds);
    builtTimes.push_back(b.seconds);
    ratios.push_back(a.seconds / b.seconds);
    cpuRatios.push_back(a.cpuSeconds / b.cpuSeconds);
    installedCpu.push_back(a.cpuSeconds);
    builtCpu.push_back(b.cpuSeconds);
  }
  const Spread wall = SpreadOf(ratios);
  const Spread cpu = SpreadOf(cpuRatios);
  double load[3] = {0, 0, 0};
  getloadavg(load, 3);
  std::printf("\n%d runs, load average %.2f %.2f %.2f\n", runs, load[0], load[1], load[2]);
  std::printf("start to painted window: installed median %.1f ms, build folder median %.1f ms\n",
              Median(installedTimes) * 1e3, Median(builtTimes) * 1e3);
  std::printf(
      "per-run ratio installed/build folder: median %.3f (limit 1.10), quartiles %.3f-%.3f, "
      "range %.3f-%.3f\n",
      wall.median, wall.q1, wall.q3, wall.low, wall.high);
  std::printf(
      "processor time: installed median %.1f ms, build folder median %.1f ms, per-run ratio "
      "median %.3f, quartiles %.3f-%.3f\n",
      Median(installedCpu) * 1e3, Median(builtCpu) * 1e3, cpu.median, cpu.q1, cpu.q3);
  fs::remove_all(home);
  return 0;
}
