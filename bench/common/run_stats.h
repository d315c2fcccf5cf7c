// What the benchmarks report beside their figures: the median of a series with its spread, the
// per-run ratios of a subject to its peer, the process's processor time and the load average.
#pragma once

#include <algorithm>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

namespace trimora::bench {

// Median, smallest and largest value of a series.
struct Spread {
  double median = 0;
  double low = 0;
  double high = 0;
};

inline Spread SpreadOf(std::vector<double> values) {
  if (values.empty()) return {};
  std::sort(values.begin(), values.end());
  return {values[values.size() / 2], values.front(), values.back()};
}

// subject[i] / peer[i] for every run.
inline std::vector<double> Ratios(const std::vector<double>& subject,
                                  const std::vector<double>& peer) {
  std::vector<double> ratios;
  for (std::size_t i = 0; i < subject.size() && i < peer.size(); ++i)
    ratios.push_back(subject[i] / peer[i]);
  return ratios;
}

// Processor time of the process (all its threads) in milliseconds: less disturbed by other
// programs than the wall clock on a shared machine.
inline double CpuMillis() { return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

// The load average over 1, 5 and 15 minutes, as "0.52 0.61 0.70".
inline std::string LoadAverage() {
  std::ifstream in("/proc/loadavg");
  std::string one, five, fifteen;
  in >> one >> five >> fifteen;
  return one + " " + five + " " + fifteen;
}

}  // namespace trimora::bench
