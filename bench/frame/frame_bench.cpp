// One drag step of the crop frame on a 6000 x 4000 picture shown 1000 pixels wide (ReadFrame,
// CommitSelection, the overlay redraw and the repaint of the picture view); the display copy
// of the picture beside one read pass over it; and the picture work of showing a picture
// (decode, display copy, dimmed copy) beside the full decode alone. Every ratio is the median
// of per-run ratios with its 10th and 90th percentile, printed beside the load average.
//
//   frame_bench [benchmark options]
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "folder/cutting_record.h"
#include "formats/format_tables.h"
#include "frame/display_copy.h"
#include "frame/picture_view.h"
#include "frame/qt_frame_view.h"
#include "frame/rect_box.h"
#include "imaging/jpeg_codec.h"
#include "photo_jpeg.h"
#include "platform/settings.h"
#include "run_stats.h"

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

std::filesystem::path g_folder;
std::string g_jpeg;

// A photo-like 24 MP JPEG made with cjpeg at quality 90.
void MakeTestJpeg() {
  g_folder =
      std::filesystem::temp_directory_path() / ("trimora-frame-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(g_folder);
  g_jpeg = (g_folder / "picture.jpg").string();
  trimora::bench::MakePhotoLikeJpeg(g_jpeg, kWidth, kHeight);
}

// The window part of the view, silent.
class BenchView : public trimora::ForwardingFrameView {
 public:
  BenchView(QWidget* panel, trimora::TPictureView* image, trimora::ThlvRectBox* frame,
            trimora::ThlvRectBox* redEye, const trimora::Picture* picture)
      : ForwardingFrameView(widgets), widgets(panel, image, frame, redEye, picture) {}
  trimora::QtFrameView widgets;
  bool PicturesListed() const override { return true; }
  void SetCommandEnabled(trimora::FrameCommand, bool) override {}
  int ShowMessageBox(const std::string&, const std::string&, int, const std::string&, int,
                     int) override {
    return 1;
  }
  void SetStatusText(int, const std::string&) override {}
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double Percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  return v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5)];
}

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point from) {
  return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

// One read pass over the picture: the least any scaling of it costs.
std::uint64_t ReadPass(const trimora::Picture& p) {
  const auto* words = reinterpret_cast<const std::uint64_t*>(p.data());
  const std::size_t n = p.byteCount() / 8;
  std::uint64_t a = 0, b = 0, c = 0, d = 0;
  for (std::size_t i = 0; i + 4 <= n; i += 4) {
    a += words[i];
    b ^= words[i + 1];
    c += words[i + 2];
    d ^= words[i + 3];
  }
  return a + b + c + d;
}

// The median of the per-run ratios of `ours` to `peer` with its spread (10th to 90th
// percentile) as counters named after `name`.
void ReportRatio(benchmark::State& state, const std::string& name, const std::vector<double>& ours,
                 const std::vector<double>& peer) {
  const std::vector<double> ratios = trimora::bench::Ratios(ours, peer);
  state.counters[name + "_ratio"] = Median(ratios);
  state.counters[name + "_p10"] = Percentile(ratios, 0.1);
  state.counters[name + "_p90"] = Percentile(ratios, 0.9);
}

void ReportLoad(benchmark::State& state) {
  double load[1] = {0};
  if (getloadavg(load, 1) == 1) state.counters["load"] = load[0];
}

// The display copy of a 24 MP picture for a 1000 x 667 view (into the memory of the one before,
// as the picture view makes it), beside one read pass over the picture; wall time, and processor
// time of the process (all threads), per run. The copy into fresh memory is timed beside it.
void BM_DisplayCopy24MP(benchmark::State& state) {
  const trimora::Picture p = trimora::DecodeJpegFile(g_jpeg);
  std::vector<double> wall, cpu, readWall, freshWall;
  trimora::Picture display;
  for (auto _ : state) {
    auto start = Clock::now();
    {
      trimora::Picture fresh = trimora::ScaleToView(p, 1000, 667);
      benchmark::DoNotOptimize(fresh.data());
    }
    freshWall.push_back(MsSince(start));
    start = Clock::now();
    const double cpuStart = trimora::bench::CpuMillis();
    trimora::ScaleInto(p, 1000, 667, display);
    benchmark::DoNotOptimize(display.data());
    cpu.push_back(trimora::bench::CpuMillis() - cpuStart);
    wall.push_back(MsSince(start));
    start = Clock::now();
    benchmark::DoNotOptimize(ReadPass(p));
    readWall.push_back(MsSince(start));
  }
  state.counters["copy_ms"] = Median(wall);
  state.counters["copy_p10_ms"] = Percentile(wall, 0.1);
  state.counters["copy_p90_ms"] = Percentile(wall, 0.9);
  state.counters["copy_cpu_ms"] = Median(cpu);
  state.counters["read_pass_ms"] = Median(readWall);
  state.counters["fresh_copy_ms"] = Median(freshWall);
  ReportRatio(state, "copy_per_read_pass", wall, readWall);
  ReportLoad(state);
}
BENCHMARK(BM_DisplayCopy24MP)->Unit(benchmark::kMillisecond)->Iterations(30);

// What showing a picture does with its pixels (decode, display copy at 1000 x 667, dimmed copy,
// the two copies in the memory of the picture before, as the picture view keeps them) beside the
// full decode alone, in alternating order, per run; wall and processor time.
void BM_ShowPicturePixels(benchmark::State& state) {
  std::vector<double> shown, decoded, shownCpu, decodedCpu;
  // The picture view's display copy and dimmed copy, kept from picture to picture.
  trimora::Picture display, dimmed;
  int run = 0;
  // Times `work` into the wall and processor time lists.
  auto timed = [](std::vector<double>& wall, std::vector<double>& cpu, auto work) {
    const auto start = Clock::now();
    const double cpuStart = trimora::bench::CpuMillis();
    work();
    cpu.push_back(trimora::bench::CpuMillis() - cpuStart);
    wall.push_back(MsSince(start));
  };
  auto showOne = [&] {
    timed(shown, shownCpu, [&] {
      trimora::Picture p = trimora::DecodeJpegFile(g_jpeg);
      trimora::ScaleInto(p, 1000, 667, display);
      trimora::DimInto(display, 105, trimora::kPictureBackground, dimmed);
      benchmark::DoNotOptimize(dimmed.data());
    });
  };
  auto decodeOne = [&] {
    timed(decoded, decodedCpu, [] {
      trimora::Picture p = trimora::DecodeJpegFile(g_jpeg);
      benchmark::DoNotOptimize(p.data());
    });
  };
  for (auto _ : state) {
    if (run++ % 2 == 0) {
      showOne();
      decodeOne();
    } else {
      decodeOne();
      showOne();
    }
  }
  state.counters["show_ms"] = Median(shown);
  state.counters["decode_ms"] = Median(decoded);
  ReportRatio(state, "show_per_decode", shown, decoded);
  ReportRatio(state, "show_per_decode_cpu", shownCpu, decodedCpu);
  ReportLoad(state);
}
BENCHMARK(BM_ShowPicturePixels)->Unit(benchmark::kMillisecond)->Iterations(21);

// One pointer move of a drag: the frame moves one pixel, the presenter reads it back, commits,
// the overlay is cut anew and the view repaints at once.
void BM_DragStep(benchmark::State& state) {
  using namespace trimora;
  Picture picture = DecodeJpegFile(g_jpeg);
  FormatTables formats;
  formats.scalableFormatTable.Append();
  formats.scalableFormatTable.WriteText(kFormatName, "10 x 15");
  formats.scalableFormatTable.WriteInteger(kOptWidth, 1800);
  formats.scalableFormatTable.WriteInteger(kOptHeight, 1200);
  formats.scalableFormatTable.WriteInteger(kMinWidth, 900);
  formats.scalableFormatTable.WriteInteger(kMinHeight, 600);
  std::vector<CuttingRecord> records(1);
  records[0].pictureWidth = picture.width();
  records[0].pictureHeight = picture.height();
  QWidget panel;
  panel.resize(1000, 667);
  auto* image = new TPictureView(&panel);
  ThlvRectBox* frame = ThlvRectBox::MakeCropFrame(image);
  ThlvRectBox* redEye = ThlvRectBox::MakeRedEyeFrame(image);
  BenchView view(&panel, image, frame, redEye, &picture);
  FramePresenter presenter(view, formats, records, StoredSettings());
  panel.show();
  presenter.SetCurrentPicture(0, picture.width(), picture.height());
  presenter.ResetSelection();
  presenter.FitPictureIntoPanel(false);
  view.RebuildDisplayCopy();
  presenter.ApplyFormat(1, false);
  presenter.grid.SelW = 3000;
  presenter.grid.SelH = 2000;
  presenter.grid.SelX = 1000;
  presenter.grid.SelY = 1000;
  presenter.PlaceFrame();
  QApplication::processEvents();
  std::vector<double> steps;
  int direction = 1;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    QRect g = frame->geometry();
    if (g.right() >= image->width() - 2 || g.left() <= 1) direction = -direction;
    g.translate(direction, 0);
    frame->setGeometry(g);
    presenter.frameRectMoved();
    image->repaint();
    frame->repaint();
    steps.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
  }
  state.counters["median_ms"] = Median(steps);
  state.counters["view_width"] = image->width();
}
BENCHMARK(BM_DragStep)->Iterations(500);

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const std::filesystem::path home = std::filesystem::temp_directory_path() /
                                     ("trimora-frame-bench-home-" + std::to_string(getpid()));
  trimora::SetSettingsHomeForTesting(home.string());
  QApplication app(argc, argv);
  MakeTestJpeg();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(g_folder);
  std::filesystem::remove_all(home);
  return 0;
}
