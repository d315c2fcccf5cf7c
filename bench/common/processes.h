// Starting peer programs from the benchmarks, timed as whole processes.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace trimora::bench {

// Runs a program with standard output and error to /dev/null and waits for it; false when it
// could not start or did not exit with 0. Adds its processor time (user + system) to
// `*childSeconds` when given, and stores its maximum resident set size in `*peakKilobytes`
// when given.
bool RunQuietly(const std::vector<std::string>& args, double* childSeconds = nullptr,
                long* peakKilobytes = nullptr);

// One start of a program up to its painted window.
struct Sample {
  double seconds = 0;     // start to "painted"
  double cpuSeconds = 0;  // user + system time of the whole process
  long peakKilobytes = 0;
  bool ok = false;  // the program reported its painted window in time
};

// Starts `args` (standard error to /dev/null), waits for the line "painted" on its standard
// output (at most 20 s; the program writes it when TRIMORA_PAINTED_MARK is set), then ends it
// and takes its processor time and peak memory from the kernel.
Sample MeasureUntilPainted(const std::vector<std::string>& args);

// The median of `values` (not empty).
double Median(std::vector<double> values);

// Median, quartiles and range of a set of values.
struct Spread {
  double median, q1, q3, low, high;
};
Spread SpreadOf(std::vector<double> values);

// Starts program `a` and program `b` `runs` times each up to their painted windows, in
// alternating order (a first in even runs), after one start of each that warms the caches, and
// prints a line per run with the load average, naming them `nameA` and `nameB`. Returns the
// pairs of samples; empty when a start did not report its painted window.
std::vector<std::pair<Sample, Sample>> CompareStarts(const std::vector<std::string>& a,
                                                     const char* nameA,
                                                     const std::vector<std::string>& b,
                                                     const char* nameB, int runs);

// The per-run figures of compared starts (a, then b, as CompareStarts returned them).
struct StartFigures {
  std::vector<double> secondsA, secondsB, cpuA, cpuB, peakKilobytesA, peakKilobytesB;
  std::vector<double> ratios, cpuRatios;  // a / b in each run
};
StartFigures FiguresOf(const std::vector<std::pair<Sample, Sample>>& pairs);

// Prints "RUNS runs, load average ..." after an empty line.
void PrintRunsAndLoad(int runs);

// Settings, data and sockets of the programs a benchmark starts, private to one run of it: a
// fresh temporary folder named after `name` and the process, with XDG_CONFIG_HOME,
// XDG_DATA_HOME and XDG_RUNTIME_DIR pointing into it (so that no running instance takes a
// start over), and TRIMORA_PAINTED_MARK set. Removed with everything in it at the end.
class PrivateHome {
 public:
  explicit PrivateHome(const std::string& name);
  ~PrivateHome();
  PrivateHome(const PrivateHome&) = delete;
  PrivateHome& operator=(const PrivateHome&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace trimora::bench
