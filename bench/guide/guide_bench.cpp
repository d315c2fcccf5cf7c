// Times Brevio from its start until the guide is painted, side by side with a bare Qt program
// that shows the same HTML file with the same component (guide_peer), in alternating order in
// the same run. Each program is a whole process; it writes "painted" when the page is on
// screen (TRIMORA_PAINTED_MARK), is then ended, and its peak memory (maximum resident set) and
// processor time are taken from the kernel. Run under a display (xvfb-run).
//
//   guide_bench [RUNS]
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "processes.h"

namespace fs = std::filesystem;

namespace {

using trimora::bench::CompareStarts;
using trimora::bench::Median;
using trimora::bench::Spread;
using trimora::bench::SpreadOf;

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
  const std::string programs = TRIMORA_PROGRAM_DIR;
  const std::string guide = programs + "/Hilfe/Kurzanleitung.html";
  const std::string peer = (fs::path(argv[0]).parent_path() / "guide_peer").string();
  if (std::getenv("DISPLAY") == nullptr) {
    std::fprintf(stderr, "guide_bench needs a display (run it under xvfb-run).\n");
    return 1;
  }
  // Private settings and sockets, so that no running viewer takes the start over.
  const fs::path home = fs::temp_directory_path() / ("trimora-guide-bench-" + std::to_string(getpid()));
  fs::create_directories(home / "config");
  fs::create_directories(home / "runtime");
  fs::permissions(home / "runtime", fs::perms::owner_all, fs::perm_options::replace);
  setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (home / "runtime").c_str(), 1);
  setenv("TRIMORA_PAINTED_MARK", "1", 1);

  const auto pairs = CompareStarts({programs + "/Brevio"}, "Brevio", {peer, guide}, "peer", runs);
  if (pairs.empty()) {
    fs::remove_all(home);
    return 1;
  }
  std::vector<double> brevio, peers, ratios, cpuRatios, brevioCpu, peerCpu, brevioPeak, peerPeak;
  for (const auto& [a, b] : pairs) {
    brevio.push_back(a.seconds);
    peers.push_back(b.seconds);
    ratios.push_back(a.seconds / b.seconds);
    cpuRatios.push_back(a.cpuSeconds / b.cpuSeconds);
    brevioCpu.push_back(a.cpuSeconds);
    peerCpu.push_back(b.cpuSeconds);
    brevioPeak.push_back(static_cast<double>(a.peakKilobytes));
    peerPeak.push_back(static_cast<double>(b.peakKilobytes));
  }
  const Spread spread = SpreadOf(ratios);
  double load[3] = {0, 0, 0};
  getloadavg(load, 3);
  std::printf("\n%d runs, load average %.2f %.2f %.2f\n", runs, load[0], load[1], load[2]);
  std::printf("start to guide painted: Brevio median %.1f ms (limit 400 ms), peer median %.1f ms\n",
              Median(brevio) * 1e3, Median(peers) * 1e3);
  std::printf(
      "per-run ratio Brevio/peer: median %.2f (limit 1.50), quartiles %.2f-%.2f, range %.2f-%.2f\n",
      spread.median, spread.q1, spread.q3, spread.low, spread.high);
  std::printf("processor time: Brevio median %.1f ms, peer median %.1f ms, median per-run ratio %.2f\n",
              Median(brevioCpu) * 1e3, Median(peerCpu) * 1e3, Median(cpuRatios));
  std::printf("peak memory: Brevio median %.1f MB, peer median %.1f MB, ratio %.2f\n", Median(brevioPeak) / 1024,
              Median(peerPeak) / 1024, Median(brevioPeak) / Median(peerPeak));
  fs::remove_all(home);
  return 0;
}
