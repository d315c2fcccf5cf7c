#include "processes.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

extern char** environ;

namespace trimora::bench {

bool RunQuietly(const std::vector<std::string>& args, double* childSeconds, long* peakKilobytes) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int started = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (started != 0) return false;
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  if (childSeconds != nullptr) {
    *childSeconds += static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  }
  if (peakKilobytes != nullptr) *peakKilobytes = usage.ru_maxrss;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

Sample MeasureUntilPainted(const std::vector<std::string>& args) {
  Sample sample;
  int out[2];
  if (pipe(out) != 0) return sample;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const auto start = std::chrono::steady_clock::now();
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (spawned != 0) {
    close(out[0]);
    return sample;
  }
  std::string seen;
  pollfd watch{out[0], POLLIN, 0};
  while (seen.find("painted\n") == std::string::npos && poll(&watch, 1, 20000) > 0) {
    char buffer[64];
    const ssize_t got = read(out[0], buffer, sizeof buffer);
    if (got <= 0) break;
    seen.append(buffer, static_cast<std::size_t>(got));
  }
  sample.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  sample.ok = seen.find("painted\n") != std::string::npos;
  kill(pid, SIGKILL);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  close(out[0]);
  sample.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                      static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  sample.peakKilobytes = usage.ru_maxrss;
  return sample;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

Spread SpreadOf(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return {Median(values), values[values.size() / 4], values[(values.size() * 3) / 4],
          values.front(), values.back()};
}

std::vector<std::pair<Sample, Sample>> CompareStarts(const std::vector<std::string>& a,
                                                     const char* nameA,
                                                     const std::vector<std::string>& b,
                                                     const char* nameB, int runs) {
  MeasureUntilPainted(a);
  MeasureUntilPainted(b);
  std::vector<std::pair<Sample, Sample>> pairs;
  for (int run = 0; run < runs; ++run) {
    Sample first, second;
    if (run % 2 == 0) {
      first = MeasureUntilPainted(a);
      second = MeasureUntilPainted(b);
    } else {
      second = MeasureUntilPainted(b);
      first = MeasureUntilPainted(a);
    }
    if (!first.ok || !second.ok) {
      std::fprintf(stderr, "run %d: a program did not report its painted window\n", run + 1);
      return {};
    }
    pairs.emplace_back(first, second);
    double load[1] = {0};
    getloadavg(load, 1);
    std::printf(
        "load %.2f; run %2d: %s %6.1f ms (cpu %5.1f ms, peak %6ld KB)   %s %6.1f ms (cpu "
        "%5.1f ms, peak %6ld KB)   ratio %.3f\n",
        load[0], run + 1, nameA, first.seconds * 1e3, first.cpuSeconds * 1e3, first.peakKilobytes,
        nameB, second.seconds * 1e3, second.cpuSeconds * 1e3, second.peakKilobytes,
        first.seconds / second.seconds);
    std::fflush(stdout);
  }
  return pairs;
}

StartFigures FiguresOf(const std::vector<std::pair<Sample, Sample>>& pairs) {
  StartFigures f;
  for (const auto& [a, b] : pairs) {
    f.secondsA.push_back(a.seconds);
    f.secondsB.push_back(b.seconds);
    f.cpuA.push_back(a.cpuSeconds);
    f.cpuB.push_back(b.cpuSeconds);
    f.peakKilobytesA.push_back(static_cast<double>(a.peakKilobytes));
    f.peakKilobytesB.push_back(static_cast<double>(b.peakKilobytes));
    f.ratios.push_back(a.seconds / b.seconds);
    f.cpuRatios.push_back(a.cpuSeconds / b.cpuSeconds);
  }
  return f;
}

void PrintRunsAndLoad(int runs) {
  double load[3] = {0, 0, 0};
  getloadavg(load, 3);
  std::printf("\n%d runs, load average %.2f %.2f %.2f\n", runs, load[0], load[1], load[2]);
}

PrivateHome::PrivateHome(const std::string& name)
    : path_(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(getpid()))) {
  namespace fs = std::filesystem;
  for (const char* folder : {"config", "data", "runtime"}) fs::create_directories(path_ / folder);
  fs::permissions(path_ / "runtime", fs::perms::owner_all, fs::perm_options::replace);
  setenv("XDG_CONFIG_HOME", (path_ / "config").c_str(), 1);
  setenv("XDG_DATA_HOME", (path_ / "data").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (path_ / "runtime").c_str(), 1);
  setenv("TRIMORA_PAINTED_MARK", "1", 1);
}

PrivateHome::~PrivateHome() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace trimora::bench
