// Starting peer programs from the benchmarks, timed as whole processes.
#pragma once

#include <string>
#include <vector>

namespace trimora::bench {

// Runs a program with standard output and error to /dev/null and waits for it; false when it
// could not start or did not exit with 0. Adds its processor time (user + system) to
// `*childSeconds` when given.
bool RunQuietly(const std::vector<std::string>& args, double* childSeconds = nullptr);

}  // namespace trimora::bench
