// The menu library's speed: preparing a popup of 30 entries, painting one entry off screen and
// copying it, and how often a stretched side band is painted while entries are painted.
// Peers: Qt laying out the same 30 entries in a QMenu, and Qt's style painting the same entry.
// BM_PairedRatios runs ours and the peer back to back in each of 21 runs and reports the
// median of the per-run ratios of processor time with their spread.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionMenuItem>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <memory>
#include <vector>

#include "ornamo/library.h"
#include "qt/host_window.h"
#include "qt/toolkit.h"
#include "sys/menus.h"
#include "sys/objects.h"
#include "sys/windows.h"

namespace {

using ornasys::Handle;

constexpr int kEntries = 30;
constexpr int kEntryWidth = 220;
constexpr int kEntryHeight = 21;

// The text of entry `n` of the popup: a label, every second one with an accelerator.
QString EntryText(int n) {
  const QString label = QStringLiteral("Eintrag &%1 mit einem Namen").arg(n + 1);
  return n % 2 == 0 ? label + QStringLiteral("\tStrg+Umschalt+%1").arg(n % 10) : label;
}

// Everything the benchmarks share: the toolkit, the library attached to a window with a popup
// of 30 entries, a surface, and the same popup as a Qt menu.
struct Fixture {
  Fixture() {
    ornamo::Library::Options options;
    options.clock = [this] { return lastClock = std::chrono::steady_clock::now(); };
    library = std::make_unique<ornamo::Library>(options);
    window = ornasys::CreateWindow();
    library->Attach(window);
    popup = ornasys::CreatePopupMenu();
    for (int n = 0; n < kEntries; ++n) {
      ornasys::MenuItem item;
      item.id = static_cast<std::uint32_t>(100 + n);
      item.text = ornasys::qt::ToAnsi(EntryText(n));
      ornasys::InsertMenuItem(popup, -1, item);
      if (n % 3 == 0) library->AddItemCtl(window, item.id, static_cast<std::uint32_t>(1 + n % 20));
    }
    library->PreparePopup(window, popup);
    surface = ornasys::CreateSurface(kEntryWidth, kEntries * kEntryHeight,
                                     ornasys::GetSystemColour(ornasys::SystemColour::kMenu));
    const auto entry = ornasys::GetMenuItem(popup, 3);
    draw.ctlType = ORS_ODT_MENU;
    draw.itemId = entry->id;
    draw.item = popup;
    draw.dc = surface;
    draw.rcItem = {0, 3 * kEntryHeight, kEntryWidth, 4 * kEntryHeight};
    draw.itemData = entry->data;

    QPixmap pixmap(16, 16);
    pixmap.fill(QColor(0x20, 0x60, 0xC0));
    icon = QIcon(pixmap);
    for (int n = 0; n < kEntries; ++n) {
      QAction* action = qtMenu.addAction(EntryText(n));
      if (n % 3 == 0) action->setIcon(icon);
    }
    qtOption.initFrom(&qtMenu);
    qtOption.text = EntryText(3);
    qtOption.icon = icon;
    qtOption.menuItemType = QStyleOptionMenuItem::Normal;
    qtOption.checkType = QStyleOptionMenuItem::NotCheckable;
    qtOption.maxIconWidth = 20;
    qtOption.rect = QRect(0, 0, kEntryWidth, kEntryHeight);
    qtEntry = QImage(kEntryWidth, kEntryHeight, QImage::Format_RGB32);
    qtSurface = QImage(kEntryWidth, kEntries * kEntryHeight, QImage::Format_RGB32);
  }

  // Ours: the popup prepared as when it opens.
  void Prepare() { library->PreparePopup(window, popup); }

  // The peer: Qt measuring and laying out the same entries.
  void QtLayout() {
    QEvent change(QEvent::StyleChange);
    QCoreApplication::sendEvent(&qtMenu, &change);
    benchmark::DoNotOptimize(qtMenu.sizeHint());
  }

  // The draw message of entry 3 as the popup has it now.
  void Refresh() { draw.itemData = ornasys::GetMenuItem(popup, 3)->data; }

  // Ours: one entry painted off screen and copied to the popup's surface.
  bool Paint() { return library->Paint(draw); }

  // The peer: Qt's style painting the entry off screen, copied to the popup's picture.
  void QtPaint() {
    {
      QPainter painter(&qtEntry);
      QApplication::style()->drawControl(QStyle::CE_MenuItem, &qtOption, &painter, &qtMenu);
    }
    QPainter painter(&qtSurface);
    painter.drawImage(0, 3 * kEntryHeight, qtEntry);
  }

  ornasys::qt::Toolkit toolkit;
  std::chrono::steady_clock::time_point lastClock;  // the time the library read last
  std::unique_ptr<ornamo::Library> library;
  Handle window = 0;
  Handle popup = 0;
  Handle surface = 0;
  OrsDrawItem draw{};
  QIcon icon;
  QMenu qtMenu;
  QStyleOptionMenuItem qtOption;
  QImage qtEntry;
  QImage qtSurface;
};

Fixture* g_fixture = nullptr;

void BM_PreparePopup30(benchmark::State& state) {
  for (auto _ : state) g_fixture->Prepare();
}
BENCHMARK(BM_PreparePopup30)->Unit(benchmark::kMicrosecond);

// A popup opening for the first time: every entry gets its record.
void BM_PreparePopup30FirstTime(benchmark::State& state) {
  Fixture& f = *g_fixture;
  for (auto _ : state) {
    state.PauseTiming();
    f.library->Detach(f.window);
    f.library->Attach(f.window);
    state.ResumeTiming();
    f.Prepare();
  }
}
BENCHMARK(BM_PreparePopup30FirstTime)->Unit(benchmark::kMicrosecond);

void BM_QtMenuLayout30(benchmark::State& state) {
  for (auto _ : state) g_fixture->QtLayout();
}
BENCHMARK(BM_QtMenuLayout30)->Unit(benchmark::kMicrosecond);

void BM_PaintEntry(benchmark::State& state) {
  g_fixture->Refresh();
  if (!g_fixture->Paint()) state.SkipWithError("the entry is not the library's");
  for (auto _ : state) g_fixture->Paint();
}
BENCHMARK(BM_PaintEntry)->Unit(benchmark::kMicrosecond);

void BM_QtPaintEntry(benchmark::State& state) {
  for (auto _ : state) g_fixture->QtPaint();
}
BENCHMARK(BM_QtPaintEntry)->Unit(benchmark::kMicrosecond);

// The whole road of a Qt host: the style hook sends the draw message, the library paints into
// the popup's surface, the hook shows the entry.
void BM_PaintEntryThroughQtHost(benchmark::State& state) {
  QMainWindow window;
  QMenu* menu = window.menuBar()->addMenu(QStringLiteral("&Test"));
  for (int n = 0; n < kEntries; ++n) menu->addAction(EntryText(n));
  ornasys::qt::HostWindow host(&window);
  g_fixture->library->Attach(host.Window());
  ornasys::SendMessage(host.Window(), ORS_WM_INITMENUPOPUP, host.MenuOf(menu), 0);
  menu->resize(menu->sizeHint());
  QImage screen(menu->size(), QImage::Format_RGB32);
  QStyleOptionMenuItem option;
  option.initFrom(menu);
  option.rect = menu->actionGeometry(menu->actions().at(3));
  option.text = EntryText(3);
  for (auto _ : state) {
    QPainter painter(&screen);
    menu->style()->drawControl(QStyle::CE_MenuItem, &option, &painter, menu);
  }
  g_fixture->library->Detach(host.Window());
}
BENCHMARK(BM_PaintEntryThroughQtHost)->Unit(benchmark::kMicrosecond);

// Processor seconds of `count` calls of `work`.
template <typename Work>
double ProcessorSeconds(int count, Work work) {
  const std::clock_t start = std::clock();
  for (int i = 0; i < count; ++i) work();
  return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void BM_PairedRatios(benchmark::State& state) {
  Fixture& f = *g_fixture;
  f.Refresh();
  std::vector<double> prepare, prepareRatio, paint, paintRatio;
  for (auto _ : state) {
    for (int run = 0; run < 21; ++run) {
      const double ours = ProcessorSeconds(200, [&] { f.Prepare(); }) / 200;
      const double peer = ProcessorSeconds(200, [&] { f.QtLayout(); }) / 200;
      prepare.push_back(ours * 1e6);
      prepareRatio.push_back(ours / peer);
      const double oursPaint = ProcessorSeconds(2000, [&] { f.Paint(); }) / 2000;
      const double peerPaint = ProcessorSeconds(2000, [&] { f.QtPaint(); }) / 2000;
      paint.push_back(oursPaint * 1e6);
      paintRatio.push_back(oursPaint / peerPaint);
    }
  }
  state.counters["prepare_us"] = Median(prepare);
  state.counters["prepare_ratio"] = Median(prepareRatio);
  state.counters["prepare_ratio_min"] = *std::min_element(prepareRatio.begin(), prepareRatio.end());
  state.counters["prepare_ratio_max"] = *std::max_element(prepareRatio.begin(), prepareRatio.end());
  state.counters["paint_us"] = Median(paint);
  state.counters["paint_ratio"] = Median(paintRatio);
  state.counters["paint_ratio_min"] = *std::min_element(paintRatio.begin(), paintRatio.end());
  state.counters["paint_ratio_max"] = *std::max_element(paintRatio.begin(), paintRatio.end());
}
BENCHMARK(BM_PairedRatios)->Iterations(1)->Unit(benchmark::kMillisecond);

// Entries painted one after the other for a second in a popup with a stretched band: the band
// is painted again only when 100 ms have passed. A pixel of the band is blotted after every
// entry; when it comes back, the band was painted.
void BM_StretchedBandWhileEntriesRepaint(benchmark::State& state) {
  Fixture& f = *g_fixture;
  const Handle band = ornasys::CreateBitmap(ornasys::Picture(20, 40, ornasys::Rgb(200, 40, 20)));
  f.library->AddGraphics(f.popup, band, true);
  f.Refresh();
  ornasys::Picture& pixels = ornasys::GetSurface(f.surface)->picture;
  int paints = 0;
  std::vector<double> repaints;  // seconds since the start, on the library's clock
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(1)) {
      pixels.Set(5, 5, 0);
      f.Paint();
      ++paints;
      if (pixels.At(5, 5) != 0) {
        repaints.push_back(std::chrono::duration<double>(f.lastClock - start).count());
      }
    }
  }
  double shortest = 1.0;
  for (std::size_t i = 1; i < repaints.size(); ++i) {
    shortest = std::min(shortest, repaints[i] - repaints[i - 1]);
  }
  state.counters["entries_painted"] = paints;
  state.counters["band_paintings"] = static_cast<double>(repaints.size());
  state.counters["shortest_gap_ms"] = shortest * 1000;
  f.library->ReleaseGraphics(f.popup);
  ornasys::DeleteObject(band);
}
BENCHMARK(BM_StretchedBandWhileEntriesRepaint)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  Fixture fixture;
  g_fixture = &fixture;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
