// Times Brevio from its start until the guide is painted, side by side with a bare Qt program
// that shows the same HTML file with the same component (guide_peer), in alternating order in
// the same run. Each program is a whole process; it writes "painted" when the page is on
// screen (TRIMORA_PAINTED_MARK), is then ended, and its peak memory (maximum resident set) and
// processor time are taken from the kernel. Run under a display (xvfb-run).
//
//   guide_bench [RUNS]
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
using trimora::bench::FiguresOf;
using trimora::bench::Median;
using trimora::bench::PrintRunsAndLoad;
using trimora::bench::PrivateHome;
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
  const PrivateHome home("trimora-guide-bench");

  const auto pairs = CompareStarts({programs + "/Brevio"}, "Brevio", {peer, guide}, "peer", runs);
  if (pairs.empty()) return 1;
  const auto f = FiguresOf(pairs);
  const auto spread = SpreadOf(f.ratios);
  PrintRunsAndLoad(runs);
  std::printf("start to guide painted: Brevio median %.1f ms (limit 400 ms), peer median %.1f ms\n",
              Median(f.secondsA) * 1e3, Median(f.secondsB) * 1e3);
  std::printf(
      "per-run ratio Brevio/peer: median %.2f (limit 1.50), quartiles %.2f-%.2f, range %.2f-%.2f\n",
      spread.median, spread.q1, spread.q3, spread.low, spread.high);
  std::printf(
      "processor time: Brevio median %.1f ms, peer median %.1f ms, median per-run ratio %.2f\n",
      Median(f.cpuA) * 1e3, Median(f.cpuB) * 1e3, Median(f.cpuRatios));
  std::printf("peak memory: Brevio median %.1f MB, peer median %.1f MB, ratio %.2f\n",
              Median(f.peakKilobytesA) / 1024, Median(f.peakKilobytesB) / 1024,
              Median(f.peakKilobytesA) / Median(f.peakKilobytesB));
  return 0;
}
