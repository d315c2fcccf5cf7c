// The viewing windows beside their peers, timed in the same iteration so that each run gives a
// ratio (the median and the 10th and 90th percentile of those ratios are reported):
//  - one magnifier repaint (screen capture of 98 x 98 pixels and the stretched painting of the
//    197 x 197 control) beside a bare capture of the same rectangle drawn stretched into a
//    picture of the control's size;
//  - the processor time of a resting pointer over the active magnifier beside the same program
//    with the magnifier off, and beside a magnifier that compares the pointer every 10 ms;
//  - opening the full-screen preview of a 24-megapixel picture in the real main window (shown,
//    painted, closed) beside one scaled draw of the picture to the preview's size (the program's
//    own averaging scaler, and the toolkit's smooth scaling; a plain smooth painter draw is
//    reported beside them), the two in alternating order after the window system has settled;
//  - ShowExifFor (the information text into the window's text field) beside the metadata reader
//    alone on the same file.
//
//   viewing_bench [benchmark options]      (needs an X display: screen capture)
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "app/kv_main_form.h"
#include "frame/display_copy.h"
#include "frame/full_screen_dialog.h"
#include "frame/magnifier.h"
#include "frame/zoom_view.h"
#include "metadata/exif_dialog.h"
#include "metadata/exif_window.h"
#include "metadata/info_text.h"
#include "metadata/jpeg_metadata.h"
#include "photo_jpeg.h"
#include "platform/settings.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from) {
  return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1))];
}

void Report(benchmark::State& state, const std::vector<double>& ours,
            const std::vector<double>& peer) {
  std::vector<double> ratios;
  for (std::size_t i = 0; i < ours.size(); ++i) ratios.push_back(ours[i] / peer[i]);
  state.counters["ours_ms"] = Percentile(ours, 0.5);
  state.counters["peer_ms"] = Percentile(peer, 0.5);
  state.counters["ratio"] = Percentile(ratios, 0.5);
  state.counters["ratio_p10"] = Percentile(ratios, 0.1);
  state.counters["ratio_p90"] = Percentile(ratios, 0.9);
  double load[1] = {0};
  if (getloadavg(load, 1) == 1) state.counters["load"] = load[0];
}

void Settle(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// A window holding only the magnifier, with the pointer over the window.
struct MagnifierWindow {
  QWidget window;
  trimora::ThlvZoom* zoom;
  MagnifierWindow() : zoom(new trimora::ThlvZoom(&window)) {
    window.setGeometry(100, 100, 400, 300);
    zoom->setGeometry(4, 4, trimora::kMagnifierSize, trimora::kMagnifierSize);
    window.show();
    QCursor::setPos(300, 250);
    Settle(100);
  }
};

void BM_MagnifierRepaint(benchmark::State& state) {
  MagnifierWindow m;
  m.zoom->SetActive(true);
  QScreen* screen = QGuiApplication::primaryScreen();
  QImage target(trimora::kMagnifierSize, trimora::kMagnifierSize, QImage::Format_RGB32);
  std::vector<double> ours, peer;
  for (auto _ : state) {
    auto start = Clock::now();
    m.zoom->RefreshZoom();
    m.zoom->PaintNow();
    ours.push_back(Ms(start));
    start = Clock::now();
    const QRect r = m.zoom->CapturedRect();
    const QPixmap shot = screen->grabWindow(0, r.x(), r.y(), r.width(), r.height());
    {
      QPainter painter(&target);
      painter.drawImage(target.rect(), shot.toImage());
    }
    benchmark::DoNotOptimize(target.bits());
    peer.push_back(Ms(start));
  }
  Report(state, ours, peer);
  state.counters["captures"] = m.zoom->Captures();
}
BENCHMARK(BM_MagnifierRepaint)->Iterations(300);

// Processor time of the whole program per second of wall time while the event loop runs.
double CpuMsPerSecond(int wallMs) {
  const std::clock_t before = std::clock();
  Settle(wallMs);
  return 1000.0 * static_cast<double>(std::clock() - before) / CLOCKS_PER_SEC * 1000.0 / wallMs;
}

void BM_RestingPointer(benchmark::State& state) {
  MagnifierWindow m;
  // A magnifier that compares the pointer every 10 ms and never rests, for comparison.
  QTimer polling;
  polling.setInterval(trimora::kMagnifierDelay);
  QPoint last;
  QObject::connect(&polling, &QTimer::timeout, [&] {
    const QPoint now = QCursor::pos();
    if (now != last) last = now;
  });
  std::vector<double> ours, off, polled;
  for (auto _ : state) {
    m.zoom->SetActive(true);
    m.zoom->RefreshZoom();
    Settle(100);  // the one capture after switching on, then rest
    ours.push_back(CpuMsPerSecond(1000));
    m.zoom->SetActive(false);
    off.push_back(CpuMsPerSecond(1000));
    polling.start();
    polled.push_back(CpuMsPerSecond(1000));
    polling.stop();
  }
  state.counters["resting_cpu_ms_per_s"] = Percentile(ours, 0.5);
  state.counters["off_cpu_ms_per_s"] = Percentile(off, 0.5);
  state.counters["polling_cpu_ms_per_s"] = Percentile(polled, 0.5);
  state.counters["resting_max"] = Percentile(ours, 1.0);
}
BENCHMARK(BM_RestingPointer)->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_FullScreenOpen24MP(benchmark::State& state) {
  QTemporaryDir folder;
  trimora::bench::MakePhotoLikeJpeg(folder.filePath(QStringLiteral("big.jpg")).toStdString(), 6000,
                                    4000);
  trimora::app::TKvMainForm window(nullptr, nullptr, TRIMORA_PROGRAM_DIR "/");
  window.resize(1200, 900);
  window.show();
  while (window.StartingUp()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  window.Presenter().Folder().OpenFolder(folder.path().toStdString());
  window.Presenter().Folder().WaitForStrip();
  Settle(200);
  trimora::TFullScreenDialog* dialog = window.FullScreenDialog();
  // The preview closes as soon as it has painted the picture.
  QObject::connect(dialog, &trimora::TFullScreenDialog::painted, dialog, [dialog] {
    if (!dialog->Shown().isNull()) QTimer::singleShot(0, dialog, &QDialog::accept);
  });
  const trimora::Picture& picture = window.Presenter().Folder().DisplayedPicture();
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const trimora::ScreenRect fit = trimora::FullScreenPlacement(picture.width(), picture.height(),
                                                               screen.width(), screen.height());
  QImage painted(screen.size(), QImage::Format_RGB32);
  const QImage whole(picture.data(), picture.width(), picture.height(),
                     static_cast<qsizetype>(picture.stride()), QImage::Format_RGB32);
  std::vector<double> ours, peer, smooth, qtScaled, qtRatio;
  auto open = [&] {
    const auto start = Clock::now();
    window.Presenter().Run(trimora::CommandId::FullScreen);
    ours.push_back(Ms(start));
  };
  auto scale = [&] {
    const auto start = Clock::now();
    trimora::Picture scaled = trimora::ScaleToView(picture, fit.width, fit.height);
    benchmark::DoNotOptimize(scaled.data());
    peer.push_back(Ms(start));
  };
  int run = 0;
  for (auto _ : state) {
    // The window system finishes what the last closing left (the main window painted anew)
    // before either is timed; which goes first alternates.
    Settle(60);
    if (run++ % 2 == 0) {
      open();
      Settle(60);
      scale();
    } else {
      scale();
      open();
    }
    auto start = Clock::now();
    {
      QPainter painter(&painted);
      painter.setRenderHint(QPainter::SmoothPixmapTransform);
      painter.drawImage(QRect(fit.left, fit.top, fit.width, fit.height), whole);
    }
    smooth.push_back(Ms(start));
    // The toolkit's own area-averaging scaling of the picture to the same size.
    start = Clock::now();
    {
      const QImage scaled =
          whole.scaled(fit.width, fit.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
      benchmark::DoNotOptimize(scaled.constBits());
    }
    qtScaled.push_back(Ms(start));
    qtRatio.push_back(ours.back() / qtScaled.back());
  }
  Report(state, ours, peer);
  state.counters["smooth_draw_ms"] = Percentile(smooth, 0.5);
  state.counters["qt_scaled_ms"] = Percentile(qtScaled, 0.5);
  state.counters["qt_ratio"] = Percentile(qtRatio, 0.5);
  state.counters["qt_ratio_p10"] = Percentile(qtRatio, 0.1);
  state.counters["qt_ratio_p90"] = Percentile(qtRatio, 0.9);
  state.counters["picture_mp"] = picture.width() * picture.height() / 1e6;
  window.close();
}
BENCHMARK(BM_FullScreenOpen24MP)->Iterations(30)->Unit(benchmark::kMillisecond);

// The information window's text field, as the main window fills it.
class ExifWindowOnDialog : public trimora::metadata::ExifWindowView {
 public:
  trimora::metadata::TEXIFDialog dialog{nullptr};
  void SetExifText(const std::string& text) override {
    dialog.SetText(QString::fromStdString(text));
  }
  void SetExifWindowVisible(bool visible) override { dialog.setVisible(visible); }
  void SetExifWindowLook(bool active) override { dialog.SetLookActive(active); }
};

void ShowExifFor(benchmark::State& state, const std::string& name) {
  const std::string path = std::string(TRIMORA_TESTDATA_DIR) + "/photos/" + name;
  ExifWindowOnDialog view;
  trimora::metadata::ExifWindowPresenter presenter(view);
  presenter.Open(path);
  Settle(50);
  std::vector<double> ours, peer, text;
  for (auto _ : state) {
    auto start = Clock::now();
    presenter.ShowExifFor(path);
    ours.push_back(Ms(start));
    // The text alone, as `trimora exif` builds it.
    start = Clock::now();
    benchmark::DoNotOptimize(trimora::metadata::BuildInfoText(path));
    text.push_back(Ms(start));
    start = Clock::now();
    {
      trimora::metadata::JpegMetadata reader;
      benchmark::DoNotOptimize(reader.ReadMetadata(path));
    }
    peer.push_back(Ms(start));
  }
  Report(state, ours, peer);
  state.counters["text_ms"] = Percentile(text, 0.5);
}
BENCHMARK_CAPTURE(ShowExifFor, canon_ixus, "canon-ixus.jpg")->Iterations(300);
BENCHMARK_CAPTURE(ShowExifFor, nikon_p6000_gps, "nikon-p6000-gps.jpg")->Iterations(300);
BENCHMARK_CAPTURE(ShowExifFor, casio_ex_m2, "casio-ex-m2.jpg")->Iterations(300);

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const std::filesystem::path home =
      std::filesystem::temp_directory_path() /
      ("trimora-viewing-bench-" + std::to_string(QCoreApplication::applicationPid()));
  trimora::SetSettingsHomeForTesting(home.string());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(home);
  return 0;
}
