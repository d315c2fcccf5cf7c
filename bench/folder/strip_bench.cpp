// The strip of a folder of generated 12 MP pictures: the file-list thread with its thumbnails
// made ahead on every core (hand-overs to this thread as the main thread, a sink that keeps the
// entries) beside the thumbnail function split over all cores and beside it on one thread (the
// single worker the strip had before), in the same rounds, in an order that turns each round.
// Prints every round with the load average, then the medians of the per-round ratios of wall
// time with their spread.
//
// strip_bench [PICTURES [ROUNDS]] (default 200 pictures, 5 rounds).
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "folder/file_list_thread.h"
#include "folder/hand_over.h"
#include "imaging/thumbnail.h"
#include "photo_jpeg.h"
#include "processes.h"

namespace {

namespace fs = std::filesystem;

// Keeps what the strip hands over, as the window would, without widgets.
class KeepingSink : public trimora::FileListSink {
 public:
  trimora::EntryRecordData PrepareEntry(int, int, int) override { return {}; }
  void DropFile(int) override {}
  void InsertEntry(trimora::StripEntry entry, std::optional<trimora::Picture>,
                   trimora::Picture) override {
    entries.push_back(std::move(entry));
  }
  void FinishStrip(int, int, int) override {}
  std::vector<trimora::StripEntry> entries;
};

double Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The thumbnails of `listing` on `threads` threads taking the next file in turn.
void ThumbnailsOnThreads(const std::vector<std::string>& listing, int threads) {
  std::atomic<std::size_t> next{0};
  std::vector<std::thread> pool;
  for (int t = 0; t < threads; ++t) {
    pool.emplace_back([&] {
      for (std::size_t i; (i = next++) < listing.size();) (void)trimora::MakeThumbnail(listing[i]);
    });
  }
  for (std::thread& t : pool) t.join();
}

std::vector<double> Ratios(const std::vector<double>& a, const std::vector<double>& b) {
  std::vector<double> r;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) r.push_back(a[i] / b[i]);
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  const int pictures = argc > 1 ? std::max(2, std::atoi(argv[1])) : 200;
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  const fs::path folder =
      fs::temp_directory_path() / ("trimora-strip-bench-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  std::printf("making %d pictures of 4000 x 3000 ...\n", pictures);
  std::fflush(stdout);
  std::vector<std::string> listing;
  for (int i = 0; i < pictures; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "p%04d.jpg", i);
    listing.push_back((folder / name).string());
    if (i < 10)
      trimora::bench::MakePhotoLikeJpeg(listing.back(), 4000, 3000, 200 + i);
    else
      fs::copy_file(listing[static_cast<std::size_t>(i % 10)], listing.back());
  }

  const char* names[] = {"strip (file-list thread)", "thumbnails on all cores",
                         "thumbnails on one thread"};
  const std::function<void()> work[] = {
      [&] {
        trimora::HandOverQueue queue;
        KeepingSink sink;
        trimora::TFileListThread thread(listing, true, false, queue, sink);
        thread.Start();
        thread.WaitUntilEnded();
        if (sink.entries.size() != listing.size()) std::printf("strip incomplete\n");
      },
      [&] { ThumbnailsOnThreads(listing, cores); },
      [&] { ThumbnailsOnThreads(listing, 1); },
  };
  std::vector<double> wall[3];
  work[0]();  // fills the page cache
  for (int round = 0; round < rounds; ++round) {
    double load[3] = {0, 0, 0};
    getloadavg(load, 3);
    std::printf("round %d, load average %.2f %.2f %.2f:", round + 1, load[0], load[1], load[2]);
    for (int k = 0; k < 3; ++k) {
      const int i = (k + round) % 3;
      wall[i].push_back(Seconds(work[i]));
    }
    for (int i = 0; i < 3; ++i) std::printf("  %s %.2f s", names[i], wall[i].back());
    std::printf("\n");
    std::fflush(stdout);
  }
  std::printf("\n%d pictures, %d cores\n", pictures, cores);
  const auto a = trimora::bench::SpreadOf(Ratios(wall[0], wall[1]));
  const auto b = trimora::bench::SpreadOf(Ratios(wall[2], wall[0]));
  std::printf("strip / thumbnails on all cores: %.2f (%.2f-%.2f) (limit 1.1)\n", a.median, a.low,
              a.high);
  std::printf("one thread / strip (speed-up):   %.2f (%.2f-%.2f) (at least 1.7)\n", b.median, b.low,
              b.high);
  trimora::bench::PrintRunsAndLoad(rounds);
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  return 0;
}
