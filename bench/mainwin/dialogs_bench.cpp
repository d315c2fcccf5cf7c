// Times the settings dialog and the format definitions dialog of the real main window with a
// generated 24-megapixel JPEG (6000 x 4000) on screen:
//   opening:  from the command ("Einstellungen ...", "Format&definitionen ...") to the dialog's
//             first paint (limit 50 ms);
//   closing the format dialog: from its closing to the end of the steps after it (both format
//             files written, default and current format loaded, type buttons, ApplyFormat on
//             the picture on screen, the format menus rebuilt), against its peer measured in the
//             same run: ApplyFormat on that picture plus writing the two format tables
//             (limit 1.3).
// Run under a display (xvfb-run). Everything lies in a temporary folder removed at the end.
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/kv_main_form.h"
#include "app/options_dialog.h"
#include "formats/format_dialog.h"
#include "frame/image_panel.h"
#include "photo_jpeg.h"
#include "run_stats.h"
#include "tables/table_file.h"

namespace fs = std::filesystem;
using trimora::bench::CpuMillis;
using trimora::bench::LoadAverage;
using trimora::bench::Spread;
using trimora::bench::SpreadOf;

namespace {

using Clock = std::chrono::steady_clock;

double Millis(Clock::time_point from, Clock::time_point to = Clock::now()) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// Notes the time of the first paint of a window (of any widget in it) after it was armed.
class FirstPaint : public QObject {
 public:
  explicit FirstPaint(QWidget* window) : widget_(window) { qApp->installEventFilter(this); }
  void Arm() {
    armed_ = true;
    painted_ = false;
  }
  bool Painted() const { return painted_; }
  Clock::time_point At() const { return at_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (armed_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == widget_) {
      at_ = Clock::now();
      armed_ = false;
      painted_ = true;
    }
    return false;
  }

 private:
  QWidget* widget_;
  bool armed_ = false;
  bool painted_ = false;
  Clock::time_point at_;
};

// Counts, while armed, the paints of the widgets of one window, and of those inside one part.
class PaintLog : public QObject {
 public:
  PaintLog(QWidget* window, QWidget* part) : window_(window), part_(part) {
    qApp->installEventFilter(this);
  }
  void Arm(bool on) { armed_ = on; }
  int inPart = 0, elsewhere = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!armed_ || event->type() != QEvent::Paint || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != window_) return false;
    if (widget == part_ || part_->isAncestorOf(widget))
      ++inPart;
    else
      ++elsewhere;
    return false;
  }

 private:
  QWidget* window_;
  QWidget* part_;
  bool armed_ = false;
};

// Runs `command` on `window`; once its dialog has painted, `close` is called from the event loop.
// Returns the milliseconds from the command to the first paint.
double OpenAndClose(trimora::app::TKvMainForm& window, trimora::CommandId command,
                    FirstPaint& paint, const std::function<void()>& close) {
  paint.Arm();
  QTimer poll;
  poll.setInterval(0);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (!paint.Painted()) return;
    poll.stop();
    close();
  });
  poll.start();
  const auto start = Clock::now();
  window.Presenter().Run(command);
  return Millis(start, paint.At());
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;

  const fs::path home =
      fs::temp_directory_path() / ("trimora-dialogs-bench-" + std::to_string(::getpid()));
  const fs::path pictures = home / "pictures";
  const fs::path formats = home / "formats";
  const fs::path peer = home / "peer";
  fs::create_directories(pictures);
  fs::create_directories(formats);
  fs::create_directories(peer);
  setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
  for (const char* name : {"skalierbare Formate.dat", "nicht skalierbare Formate.dat"})
    fs::copy_file(fs::path(TRIMORA_PROGRAM_DIR) / name, formats / name);
  trimora::bench::MakePhotoLikeJpeg((pictures / "IMG_0001.jpg").string(), 6000, 4000, 3);
  std::printf("picture: 6000 x 4000 (%.1f MB)\n",
              static_cast<double>(fs::file_size(pictures / "IMG_0001.jpg")) / 1e6);

  trimora::app::TKvMainForm window(nullptr, nullptr, formats.string() + "/");
  window.resize(1024, 768);
  window.show();
  while (window.StartingUp()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  window.Presenter().Folder().OpenFolder(pictures.string());
  window.Presenter().Folder().WaitForStrip();
  while (window.Presenter().Folder().CurrentPosition() < 0)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  QCoreApplication::processEvents();

  trimora::app::TOptionsDialog* options = window.OptionsDialogWindow();
  trimora::formats::TFormatDialog* formatDialog = window.FormatDialogWindow();
  FirstPaint optionsPaint(options);
  FirstPaint formatPaint(formatDialog);
  trimora::FormatTables& tables = window.Presenter().Formats();
  // What the main window repaints from the closing of the format dialog until the window has
  // settled: the picture area should not be repainted when the format did not change.
  PaintLog paints(&window, window.ImagePanel());

  std::vector<double> openOptions, openFormats, closing, peerTimes, cpuTimes, peerCpuTimes;
  for (int run = 0; run < runs; ++run) {
    openOptions.push_back(OpenAndClose(window, trimora::CommandId::Settings, optionsPaint,
                                       [options] { options->reject(); }));
    QCoreApplication::processEvents();

    Clock::time_point closeStart;
    double closeCpuStart = 0;
    openFormats.push_back(
        OpenAndClose(window, trimora::CommandId::FormatDefinitions, formatPaint, [&] {
          closeStart = Clock::now();
          closeCpuStart = CpuMillis();
          paints.inPart = paints.elsewhere = 0;
          paints.Arm(true);
          formatDialog->reject();
        }));
    closing.push_back(Millis(closeStart));
    cpuTimes.push_back(CpuMillis() - closeCpuStart);
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    paints.Arm(false);

    // The peer: ApplyFormat on the picture on screen and the two table writes.
    const auto peerStart = Clock::now();
    const double peerCpuStart = CpuMillis();
    window.Presenter().Frame().ApplyFormat(tables.CurrentFormat.FormatID, true);
    trimora::SaveTableToFile(tables.scalableFormatTable, (peer / "a.dat").string());
    trimora::SaveTableToFile(tables.nonScalableFormatTable, (peer / "b.dat").string());
    peerTimes.push_back(Millis(peerStart));
    peerCpuTimes.push_back(CpuMillis() - peerCpuStart);
    QCoreApplication::processEvents();
    std::printf(
        "load average %s; run %d: settings opened %.1f ms, format dialog opened %.1f ms, "
        "closed %.2f ms (peer %.2f ms, ratio %.2f; processor time %.2f / %.2f ms, "
        "ratio %.2f); paints after closing: picture area %d, other parts %d\n",
        LoadAverage().c_str(), run + 1, openOptions.back(), openFormats.back(), closing.back(),
        peerTimes.back(), closing.back() / peerTimes.back(), cpuTimes.back(), peerCpuTimes.back(),
        cpuTimes.back() / peerCpuTimes.back(), paints.inPart, paints.elsewhere);
    std::fflush(stdout);
  }
  const Spread optionsOpen = SpreadOf(openOptions), formatsOpen = SpreadOf(openFormats);
  const Spread ratio = SpreadOf(trimora::bench::Ratios(closing, peerTimes));
  const Spread cpuRatio = SpreadOf(trimora::bench::Ratios(cpuTimes, peerCpuTimes));
  std::printf("\nmedian of %d runs, load average after: %s\n", runs, LoadAverage().c_str());
  std::printf("settings dialog to first paint   %7.1f ms (min %.1f, max %.1f; limit 50 ms)\n",
              optionsOpen.median, optionsOpen.low, optionsOpen.high);
  std::printf("format dialog to first paint     %7.1f ms (min %.1f, max %.1f; limit 50 ms)\n",
              formatsOpen.median, formatsOpen.low, formatsOpen.high);
  std::printf(
      "closing the format dialog        %7.2f ms   peer %7.2f ms   median per-run ratio "
      "%.2f (min %.2f, max %.2f; limit 1.30)\n",
      SpreadOf(closing).median, SpreadOf(peerTimes).median, ratio.median, ratio.low, ratio.high);
  std::printf("  in processor time: median per-run ratio %.2f (min %.2f, max %.2f)\n",
              cpuRatio.median, cpuRatio.low, cpuRatio.high);
  window.close();
  fs::remove_all(home);
  return 0;
}
