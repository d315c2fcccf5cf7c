// Times the correction commands of the main window on a 24-megapixel picture (6000 x 4000, made
// for the run), each beside its peer in the same run on the same picture:
//   correction:  "Korrigieren" (the correction on screen, redraw included) against MedianStep
//                and LevelsStep alone on a copy of the same picture;
//   take back:   "Automatische Bildkorrektur rückgangig machen" (the picture shown anew from
//                its file) against ShowPicture of the same file;
//   stripes:     "Erweitern" (stripes added, view laid out and redrawn) against one copy of the
//                picture;
//   red eyes:    Return on a marker over 40 x 40 picture pixels, filter and redraw, in
//                milliseconds (the filter alone beside it).
// Prints the median of the per-run ratios with their spread, and the load average. Run under a
// display (xvfb-run):  corrections_bench [runs]
#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "app/kv_main_form.h"
#include "frame/display_copy.h"
#include "frame/image_panel.h"
#include "frame/picture_view.h"
#include "frame/rect_box.h"
#include "imaging/correction.h"
#include "imaging/red_eye.h"
#include "photo_jpeg.h"
#include "platform/settings.h"
#include "run_stats.h"

namespace fs = std::filesystem;
using trimora::bench::LoadAverage;
using trimora::bench::Spread;
using trimora::bench::SpreadOf;

namespace {

using Clock = std::chrono::steady_clock;

// Wall and processor time of the runs of one subject, in milliseconds.
struct Times {
  std::vector<double> wall, cpu;
};

// Measures from its start to Stop: wall time, and the processor time of all threads.
class Stopwatch {
 public:
  Stopwatch() : wall_(Clock::now()), cpu_(std::clock()) {}
  void Stop(Times& into) const {
    into.wall.push_back(std::chrono::duration<double, std::milli>(Clock::now() - wall_).count());
    into.cpu.push_back(1000.0 * static_cast<double>(std::clock() - cpu_) / CLOCKS_PER_SEC);
  }

 private:
  Clock::time_point wall_;
  std::clock_t cpu_;
};

void Settle() { QCoreApplication::processEvents(QEventLoop::AllEvents, 50); }

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  const fs::path home =
      fs::temp_directory_path() / ("trimora-corrections-bench-" + std::to_string(::getpid()));
  fs::create_directories(home / "pictures");
  setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
  fs::create_directories(home / "runtime");
  fs::permissions(home / "runtime", fs::perms::owner_all);
  setenv("XDG_RUNTIME_DIR", (home / "runtime").c_str(), 1);
  trimora::WriteBoolSetting("ShowRedEyeMessage", false);
  trimora::WriteBoolSetting("ShowLossySavingInfo2", false);
  trimora::WriteIntSetting("Height", 600);  // not the first run: no guide
  const std::string file = (home / "pictures" / "picture.jpg").string();
  trimora::bench::MakePhotoLikeJpeg(file, 6000, 4000);
  std::printf("picture: 6000 x 4000 (%.1f MB)\n", static_cast<double>(fs::file_size(file)) / 1e6);

  // The format tables beside the built programs.
  trimora::app::TKvMainForm window(nullptr, nullptr, TRIMORA_PROGRAM_DIR "/");
  window.resize(1280, 900);
  window.show();
  while (window.StartingUp()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  trimora::MainPresenter& p = window.Presenter();
  p.Folder().OpenFolder((home / "pictures").string());
  while (!p.Folder().StripComplete() || p.Folder().ThreadRunning() ||
         p.Folder().CurrentPosition() < 0)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  Settle();

  const std::string loadBefore = LoadAverage();
  Times displayCopy, correction, correctionPeer, undo, undoPeer, stripes, stripesPeer, redEye,
      redEyeFilter;
  for (int run = 0; run < runs; ++run) {
    // The correction and its peer.
    {
      trimora::Picture copy = p.Folder().DisplayedPicture().clone();
      const Stopwatch t;
      trimora::MedianStep(copy);
      trimora::LevelsStep(copy, trimora::kLevelsClipFraction);
      t.Stop(correctionPeer);
    }
    Settle();
    // The display copy alone, which the correction makes in its last pass to show its result.
    {
      const trimora::TPictureView* view = window.ImagePanel()->Image();
      const Stopwatch t;
      const trimora::Picture copy =
          trimora::ScaleToView(p.Folder().DisplayedPicture(), view->width(), view->height());
      t.Stop(displayCopy);
    }
    Settle();
    {
      const Stopwatch t;
      p.Run(trimora::CommandId::CorrectionButton);
      t.Stop(correction);
    }
    Settle();
    // Taking it back, and ShowPicture of the same file.
    {
      const Stopwatch t;
      p.Run(trimora::CommandId::AutoCorrectUndo);
      t.Stop(undo);
    }
    Settle();
    {
      const Stopwatch t;
      p.Folder().ShowPicture(p.Folder().CurrentPosition(), false);
      t.Stop(undoPeer);
    }
    Settle();
    // The stripes, and one copy of the picture.
    {
      const Stopwatch t;
      trimora::Picture copy = p.Folder().DisplayedPicture().clone();
      t.Stop(stripesPeer);
    }
    Settle();
    {
      const Stopwatch t;
      p.Run(trimora::CommandId::EnlargeButton);
      t.Stop(stripes);
    }
    Settle();
    p.Run(trimora::CommandId::EnlargeRemove);
    Settle();
    // A red eye of 40 x 40 picture pixels: the marker's inside (its handles are 5 pixels).
    p.Run(trimora::CommandId::RedEyeFilter);
    const double scale = 6000.0 / window.ImagePanel()->Image()->width();
    const int inside = static_cast<int>(40 / scale + 0.5);
    window.ImagePanel()->RedEyeFrame()->setGeometry(200, 150, inside + 10, inside + 10);
    Settle();
    {
      const Stopwatch t;
      p.Run(trimora::CommandId::ApplyRedEye);
      t.Stop(redEye);
    }
    Settle();
    {
      trimora::Picture copy = p.Folder().DisplayedPicture().clone();
      const Stopwatch t;
      trimora::RedEyeFilter(copy, {1400, 1050, 1440, 1090});
      t.Stop(redEyeFilter);
    }
    p.Run(trimora::CommandId::RedEyeRemove);
    Settle();
  }

  auto ratio = [](const std::vector<double>& subject, const std::vector<double>& peer) {
    return SpreadOf(trimora::bench::Ratios(subject, peer));
  };
  auto report = [&](const char* what, const Times& subject, const Times& peer,
                    const char* peerName) {
    const Spread r = ratio(subject.wall, peer.wall), c = ratio(subject.cpu, peer.cpu);
    std::printf(
        "%-12s %7.1f ms  %-28s %7.1f ms  wall ratio %.2f (%.2f .. %.2f)  processor %.2f (%.2f .. "
        "%.2f)\n",
        what, SpreadOf(subject.wall).median, peerName, SpreadOf(peer.wall).median, r.median, r.low,
        r.high, c.median, c.low, c.high);
  };
  std::printf("runs: %d, load average before: %s\n", runs, loadBefore.c_str());
  report("correction", correction, correctionPeer, "MedianStep + LevelsStep");
  report("display copy", displayCopy, correctionPeer, "MedianStep + LevelsStep");
  report("take back", undo, undoPeer, "ShowPicture of the file");
  report("stripes", stripes, stripesPeer, "one copy of the picture");
  const Spread e = SpreadOf(redEye.wall), f = SpreadOf(redEyeFilter.wall);
  std::printf("red eyes     %7.1f ms (%.1f .. %.1f) with the redraw; the filter alone %.3f ms\n",
              e.median, e.low, e.high, f.median);
  std::printf("load average after: %s\n", LoadAverage().c_str());
  window.close();
  fs::remove_all(home);
  return 0;
}
