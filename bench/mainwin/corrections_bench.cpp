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
#include <QApplication>
#include <QEventLoop>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/kv_main_form.h"
#include "frame/image_panel.h"
#include "frame/picture_view.h"
#include "frame/rect_box.h"
#include "imaging/correction.h"
#include "imaging/red_eye.h"
#include "photo_jpeg.h"
#include "platform/settings.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double Millis(Clock::time_point from) {
  return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

// Median, smallest and largest value.
struct Spread {
  double median, low, high;
};
Spread SpreadOf(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return {values[values.size() / 2], values.front(), values.back()};
}

std::string LoadAverage() {
  std::ifstream in("/proc/loadavg");
  std::string one, five, fifteen;
  in >> one >> five >> fifteen;
  return one + " " + five + " " + fifteen;
}

void Settle() { QCoreApplication::processEvents(QEventLoop::AllEvents, 50); }

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  const fs::path home = fs::temp_directory_path() / ("trimora-corrections-bench-" + std::to_string(::getpid()));
  fs::create_directories(home / "pictures");
  setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
  trimora::WriteBoolSetting("ShowRedEyeMessage", false);
  trimora::WriteBoolSetting("ShowLossySavingInfo2", false);
  trimora::WriteIntSetting("Height", 600);  // not the first run: no guide
  const std::string file = (home / "pictures" / "picture.jpg").string();
  trimora::bench::MakePhotoLikeJpeg(file, 6000, 4000);
  std::printf("picture: 6000 x 4000 (%.1f MB)\n", static_cast<double>(fs::file_size(file)) / 1e6);

  trimora::app::TKvMainForm window;
  window.resize(1280, 900);
  window.show();
  while (window.StartingUp()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  trimora::MainPresenter& p = window.Presenter();
  p.Folder().OpenFolder((home / "pictures").string());
  while (!p.Folder().StripComplete() || p.Folder().ThreadRunning() || p.Folder().CurrentPosition() < 0)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  Settle();

  std::vector<double> correction, correctionPeer, undo, undoPeer, stripes, stripesPeer, redEye,
      redEyeFilter;
  for (int run = 0; run < runs; ++run) {
    // The correction and its peer.
    {
      trimora::Picture copy = p.Folder().DisplayedPicture().clone();
      auto t = Clock::now();
      trimora::MedianStep(copy);
      trimora::LevelsStep(copy, trimora::kLevelsClipFraction);
      correctionPeer.push_back(Millis(t));
    }
    Settle();
    auto t = Clock::now();
    p.Run(trimora::CommandId::CorrectionButton);
    correction.push_back(Millis(t));
    Settle();
    // Taking it back, and ShowPicture of the same file.
    t = Clock::now();
    p.Run(trimora::CommandId::AutoCorrectUndo);
    undo.push_back(Millis(t));
    Settle();
    t = Clock::now();
    p.Folder().ShowPicture(p.Folder().CurrentPosition(), false);
    undoPeer.push_back(Millis(t));
    Settle();
    // The stripes, and one copy of the picture.
    {
      t = Clock::now();
      trimora::Picture copy = p.Folder().DisplayedPicture().clone();
      stripesPeer.push_back(Millis(t));
    }
    Settle();
    t = Clock::now();
    p.Run(trimora::CommandId::EnlargeButton);
    stripes.push_back(Millis(t));
    Settle();
    p.Run(trimora::CommandId::EnlargeRemove);
    Settle();
    // A red eye of 40 x 40 picture pixels: the marker's inside (its handles are 5 pixels).
    p.Run(trimora::CommandId::RedEyeFilter);
    const double scale = 6000.0 / window.ImagePanel()->Image()->width();
    const int inside = static_cast<int>(40 / scale + 0.5);
    window.ImagePanel()->RedEyeFrame()->setGeometry(200, 150, inside + 10, inside + 10);
    Settle();
    t = Clock::now();
    p.Run(trimora::CommandId::ApplyRedEye);
    redEye.push_back(Millis(t));
    Settle();
    {
      trimora::Picture copy = p.Folder().DisplayedPicture().clone();
      t = Clock::now();
      trimora::RedEyeFilter(copy, {1400, 1050, 1440, 1090});
      redEyeFilter.push_back(Millis(t));
    }
    p.Run(trimora::CommandId::RedEyeRemove);
    Settle();
  }

  auto report = [](const char* what, const std::vector<double>& subject, const std::vector<double>& peer,
                   const char* peerName) {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < subject.size(); ++i) ratios.push_back(subject[i] / peer[i]);
    const Spread r = SpreadOf(ratios), s = SpreadOf(subject), q = SpreadOf(peer);
    std::printf("%-12s %7.1f ms  %-28s %7.1f ms  ratio %.2f (%.2f .. %.2f)\n", what, s.median,
                peerName, q.median, r.median, r.low, r.high);
  };
  std::printf("runs: %d, load average before: %s\n", runs, LoadAverage().c_str());
  report("correction", correction, correctionPeer, "MedianStep + LevelsStep");
  report("take back", undo, undoPeer, "ShowPicture of the file");
  report("stripes", stripes, stripesPeer, "one copy of the picture");
  const Spread e = SpreadOf(redEye), f = SpreadOf(redEyeFilter);
  std::printf("red eyes     %7.1f ms (%.1f .. %.1f) with the redraw; the filter alone %.3f ms\n",
              e.median, e.low, e.high, f.median);
  std::printf("load average after: %s\n", LoadAverage().c_str());
  window.close();
  fs::remove_all(home);
  return 0;
}
