// Times the main window on a folder of 200 generated 12-megapixel JPEGs (4000 x 3000), side by
// side with its peers measured in the same run on the same files:
//   first picture: OpenFolder until the picture is on screen, against a full decode of that
//                  picture plus one thumbnail;
//   whole strip:   OpenFolder until the strip is complete, against the thumbnail pipeline alone
//                  (one-eighth decode and scaling of every file in one thread);
//   stall:         the longest gap between the ticks of a 5 ms timer on the main thread while
//                  the strip grows.
// Run under a display (xvfb-run). The pictures are made in a temporary folder with cjpeg from
// synthetic PPM files and removed at the end; 8 distinct pictures are linked under 200 names.
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "app/kv_main_form.h"
#include "folder/folder_listing.h"
#include "imaging/jpeg_codec.h"
#include "imaging/thumbnail.h"
#include "photo_jpeg.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) {
  return std::chrono::duration<double>(Clock::now() - from).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int files = 200;
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;

  const fs::path home =
      fs::temp_directory_path() / ("trimora-mainwin-bench-" + std::to_string(::getpid()));
  const fs::path pictures = home / "pictures";
  fs::create_directories(pictures);
  setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
  std::vector<std::string> distinct;
  for (unsigned k = 0; k < 8; ++k) {
    const std::string jpg = (home / ("source" + std::to_string(k) + ".jpg")).string();
    trimora::bench::MakePhotoLikeJpeg(jpg, 4000, 3000, k + 1);
    distinct.push_back(jpg);
  }
  for (int i = 0; i < files; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "IMG_%04d.jpg", i);
    fs::create_hard_link(distinct[static_cast<std::size_t>(i) % distinct.size()], pictures / name);
  }
  std::printf("folder: %d files of 4000 x 3000 (%.1f MB each)\n", files,
              static_cast<double>(fs::file_size(distinct[0])) / 1e6);

  trimora::app::TKvMainForm window;
  window.resize(1024, 768);
  window.show();
  while (window.StartingUp()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);

  std::vector<double> firstPicture, strip, firstPeer, stripPeer, stalls, stallsAfterFirst;
  for (int run = 0; run < runs; ++run) {
    // Peers, on the same files.
    const std::string firstFile = trimora::ListJpegFiles(pictures.string()).front();
    auto t0 = Clock::now();
    {
      trimora::Picture full = trimora::DecodeJpegFile(firstFile);
      trimora::Picture thumb = trimora::MakeThumbnail(firstFile);
    }
    firstPeer.push_back(Seconds(t0));
    t0 = Clock::now();
    for (const std::string& file : trimora::ListJpegFiles(pictures.string()))
      trimora::MakeThumbnail(file);
    stripPeer.push_back(Seconds(t0));

    // The window.
    bool shown = false;
    double shownAt = 0;
    Clock::time_point start;
    window.SetPictureShownHook([&] {
      if (!shown) {
        shown = true;
        shownAt = Seconds(start);
      }
    });
    double longest = 0, longestAfterFirst = 0;
    bool tickedAfterShown = false;
    Clock::time_point lastTick;
    double whole = 0;
    QEventLoop loop;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
      const auto now = Clock::now();
      const double gap = std::chrono::duration<double>(now - lastTick).count();
      longest = std::max(longest, gap);
      if (tickedAfterShown) longestAfterFirst = std::max(longestAfterFirst, gap);
      tickedAfterShown = shown;
      lastTick = now;
      if (window.Presenter().Folder().StripComplete() &&
          window.Presenter().Folder().ThumbnailCount() == files) {
        whole = Seconds(start);
        loop.quit();
      }
    });
    start = Clock::now();
    window.Presenter().Folder().OpenFolder(pictures.string());
    const double opened = Seconds(start);
    lastTick = Clock::now();
    ticker.start();
    loop.exec();
    ticker.stop();
    window.Presenter().Folder().WaitForStrip();
    firstPicture.push_back(shownAt);
    strip.push_back(whole);
    stalls.push_back(longest);
    stallsAfterFirst.push_back(longestAfterFirst);
    double load[1] = {0};
    getloadavg(load, 1);
    std::printf(
        "load average %.1f; run %d: first picture %.3f s (peer %.3f s), strip %.3f s (peer %.3f "
        "s), "
        "longest stall %.1f ms (%.1f ms after the first picture); OpenFolder itself %.1f ms\n",
        load[0], run + 1, shownAt, firstPeer.back(), whole, stripPeer.back(), longest * 1000,
        longestAfterFirst * 1000, opened * 1000);
    std::fflush(stdout);
  }
  const double first = Median(firstPicture), firstP = Median(firstPeer);
  const double whole = Median(strip), wholeP = Median(stripPeer);
  std::vector<double> firstRatios, stripRatios;
  for (int r = 0; r < runs; ++r) {
    firstRatios.push_back(firstPicture[static_cast<std::size_t>(r)] /
                          firstPeer[static_cast<std::size_t>(r)]);
    stripRatios.push_back(strip[static_cast<std::size_t>(r)] /
                          stripPeer[static_cast<std::size_t>(r)]);
  }
  std::printf(
      "\nmedian of %d runs (median of the per-run ratios: first picture %.2f, strip %.2f)\n", runs,
      Median(firstRatios), Median(stripRatios));
  std::printf(
      "first picture on screen  %8.3f s   peer decode+thumbnail %8.3f s   ratio %.2f (limit "
      "1.30)\n",
      first, firstP, first / firstP);
  std::printf(
      "whole strip              %8.3f s   peer thumbnail loop   %8.3f s   ratio %.2f (limit "
      "1.15)\n",
      whole, wholeP, whole / wholeP);
  std::printf("longest main-thread stall %7.1f ms  (after first picture %.1f ms; limit 50 ms)\n",
              Median(stalls) * 1000, Median(stallsAfterFirst) * 1000);
  window.close();
  fs::remove_all(home);
  return 0;
}
