// Times the skins and the band bar of the real main window:
//   converting every window to the Standard skin ("Standard" in "A&nsicht": the main window,
//             the format dialog, the three kit dialogs, the settings dialog, the about box and
//             the EXIF window), limit 150 ms; beside it its peer in the same run: building and
//             showing a fresh main window with all its dialogs;
//   LayoutBands: the band widths of five shown bands, limit 1 ms, beside a copy of the five
//             band places (the least any layout does);
//   a painted menu of 20 entries from popup() to its first paint, limit 16 ms, beside the same
//             menu in the toolkit's own look in the same run.
// Run under a display (xvfb-run). The settings lie in a temporary folder removed at the end.
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/kv_main_form.h"
#include "run_stats.h"
#include "ui/band_layout.h"
#include "ui/flat_menu_style.h"

namespace fs = std::filesystem;
using trimora::bench::CpuMillis;
using trimora::bench::LoadAverage;
using trimora::bench::Ratios;
using trimora::bench::Spread;
using trimora::bench::SpreadOf;

namespace {

using Clock = std::chrono::steady_clock;

double Millis(Clock::time_point from, Clock::time_point to = Clock::now()) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

void Print(const char* what, const std::vector<double>& values, const char* unit) {
  const Spread s = SpreadOf(values);
  std::printf("%-44s median %9.4f %s  (%.4f .. %.4f)\n", what, s.median, unit, s.low, s.high);
}

// Notes the first paint of a widget after it was armed.
class FirstPaint : public QObject {
 public:
  explicit FirstPaint(QWidget* widget) : widget_(widget) { widget->installEventFilter(this); }
  void Arm() { painted_ = false; }
  bool Painted() const { return painted_; }
  Clock::time_point At() const { return at_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!painted_ && watched == widget_ && event->type() == QEvent::Paint) {
      at_ = Clock::now();
      painted_ = true;
    }
    return false;
  }

 private:
  QWidget* widget_;
  bool painted_ = false;
  Clock::time_point at_;
};

void WaitUntil(const std::function<bool()>& done) {
  const Clock::time_point start = Clock::now();
  while (!done() && Millis(start) < 10000) {
    QApplication::processEvents(QEventLoop::AllEvents, 5);
  }
}

// Popup to first paint of a menu of 20 entries, in the flat look or the toolkit's.
double MenuFirstPaint(trimora::ui::TFlatMenuStyle* style) {
  QMenu menu;
  for (int i = 0; i < 20; ++i) {
    QAction* item = menu.addAction(QStringLiteral("Eintrag %1\tStrg+%2").arg(i).arg(i % 10));
    item->setCheckable(i % 4 == 0);
    item->setChecked(i % 8 == 0);
    item->setEnabled(i % 5 != 4);
    if (i % 6 == 5) menu.addSeparator();
  }
  if (style != nullptr) style->Apply(menu, true);
  FirstPaint paint(&menu);
  const Clock::time_point start = Clock::now();
  menu.popup(QPoint(100, 100));
  WaitUntil([&] { return paint.Painted(); });
  const double ms = Millis(start, paint.At());
  menu.hide();
  if (style != nullptr) style->Apply(menu, false);
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  char pattern[] = "/tmp/trimora-skins-bench-XXXXXX";
  const char* made = mkdtemp(pattern);
  if (made == nullptr) return 1;
  const fs::path home(made);
  fs::create_directories(home / "config");
  fs::create_directories(home / "runtime");
  fs::permissions(home / "runtime", fs::perms::owner_all);
  setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (home / "runtime").c_str(), 1);
  constexpr int kRuns = 9;
  std::printf("load average before: %s\n", LoadAverage().c_str());

  // Converting every window, beside building them.
  std::vector<double> convert, convertCpu, build;
  for (int run = 0; run < kRuns; ++run) {
    fs::remove_all(home / "config");
    fs::create_directories(home / "config");
    const Clock::time_point built = Clock::now();
    auto window =
        std::make_unique<trimora::app::TKvMainForm>(nullptr, nullptr, TRIMORA_PROGRAM_DIR "/");
    window->show();
    WaitUntil([&] { return !window->StartingUp(); });
    build.push_back(Millis(built));
    const double cpu = CpuMillis();
    const Clock::time_point start = Clock::now();
    window->Actions(trimora::CommandId::StandardSkin).front()->trigger();
    convert.push_back(Millis(start));
    convertCpu.push_back(CpuMillis() - cpu);
    window->close();
    window.reset();
    QApplication::processEvents();
  }
  Print("Standard skin, all windows (wall)", convert, "ms");
  Print("Standard skin, all windows (processor)", convertCpu, "ms");
  Print("peer: building and showing the windows", build, "ms");
  Print("ratio conversion / building", Ratios(convert, build), "");

  // LayoutBands.
  trimora::ui::BandBar bands({144, 210, 228, 70, 284});
  for (int band = 1; band <= 5; ++band) bands.SetVisible(band, true);
  bands.SetOrder({3, 1, 2, 4, 5});
  std::vector<double> layout, copy;
  constexpr int kCalls = 100000;
  for (int run = 0; run < kRuns; ++run) {
    std::size_t sink = 0;
    Clock::time_point start = Clock::now();
    for (int i = 0; i < kCalls; ++i) sink += bands.Layout(1200 + (i & 7)).back().width;
    layout.push_back(Millis(start) * 1000.0 / kCalls);
    std::vector<trimora::ui::BandPlace> places(5);
    start = Clock::now();
    for (int i = 0; i < kCalls; ++i) {
      std::vector<trimora::ui::BandPlace> again = places;
      again.back().width += i & 7;
      sink += static_cast<std::size_t>(again.back().width);
    }
    copy.push_back(Millis(start) * 1000.0 / kCalls);
    if (sink == 42) std::printf(" ");
  }
  Print("LayoutBands, five bands", layout, "us");
  Print("peer: copying five band places", copy, "us");
  Print("ratio LayoutBands / copy", Ratios(layout, copy), "");

  // A painted menu of 20 entries.
  trimora::ui::TFlatMenuStyle style;
  MenuFirstPaint(&style);
  MenuFirstPaint(nullptr);
  std::vector<double> flat, plain;
  for (int run = 0; run < kRuns; ++run) {
    if (run % 2 == 0) {
      flat.push_back(MenuFirstPaint(&style));
      plain.push_back(MenuFirstPaint(nullptr));
    } else {
      plain.push_back(MenuFirstPaint(nullptr));
      flat.push_back(MenuFirstPaint(&style));
    }
  }
  Print("flat menu of 20 entries to first paint", flat, "ms");
  Print("peer: the toolkit's own menu", plain, "ms");
  Print("ratio flat / toolkit", Ratios(flat, plain), "");
  std::printf("load average after: %s\n", LoadAverage().c_str());
  fs::remove_all(home);
  return 0;
}
