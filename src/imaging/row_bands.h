// Work on a picture split into bands of rows, one thread per band: for the steps whose rows
// are independent of each other.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <thread>
#include <vector>

namespace trimora {

// Runs `work(firstRow, endRow, part)` over `parts` bands of the rows 0 to height - 1, each on
// its own thread but the first, which the calling thread takes after running `meanwhile()`
// while the others work. Neither may throw; a band whose thread cannot be started runs on the
// calling thread.
template <typename Work, typename Meanwhile>
void ForRowBands(int height, int parts, Work work, Meanwhile meanwhile) {
  auto bandStart = [height, parts](int part) {
    return static_cast<int>(static_cast<std::int64_t>(height) * part / parts);
  };
  std::vector<std::thread> threads;
  for (int part = 1; part < parts; ++part) {
    try {
      threads.emplace_back(work, bandStart(part), bandStart(part + 1), part);
    } catch (const std::exception&) {  // no thread, or no room to keep it: the vector is unchanged
      work(bandStart(part), bandStart(part + 1), part);
    }
  }
  meanwhile();
  work(0, bandStart(1), 0);
  for (std::thread& t : threads) t.join();
}

template <typename Work>
void ForRowBands(int height, int parts, Work work) {
  ForRowBands(height, parts, work, [] {});
}

// Threads for work on `pixels` pixels in `rows` rows: one per core, none extra for small
// pictures, at most one per row.
inline int BandCount(std::size_t pixels, int rows) {
  constexpr std::size_t kPixelsPerThread = 1u << 20;
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const std::size_t wanted = std::min<std::size_t>({cores, 8, pixels / kPixelsPerThread + 1});
  return static_cast<int>(std::min<std::size_t>(wanted, std::max(rows, 1)));
}

}  // namespace trimora
