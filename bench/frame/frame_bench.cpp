// One drag step of the crop frame on a 6000 x 4000 picture shown 1000 pixels wide (ReadFrame,
// CommitSelection, the overlay redraw and the repaint of the picture view), and the picture
// work of showing a picture (decode, display copy, dimmed copy) beside the full decode alone.
//
//   frame_bench [benchmark options]
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <chrono>
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

void BM_FullDecode(benchmark::State& state) {
  for (auto _ : state) {
    trimora::Picture p = trimora::DecodeJpegFile(g_jpeg);
    benchmark::DoNotOptimize(p.data());
  }
}
BENCHMARK(BM_FullDecode)->Unit(benchmark::kMillisecond)->Iterations(5);

// What showing a picture does with its pixels: decode, display copy at 1000 x 667, dimmed copy.
void BM_DecodeAndDisplayCopy(benchmark::State& state) {
  for (auto _ : state) {
    trimora::Picture p = trimora::DecodeJpegFile(g_jpeg);
    trimora::Picture display = trimora::ScaleToView(p, 1000, 667);
    trimora::Picture dimmed = trimora::DimmedCopy(display, 105, trimora::kPictureBackground);
    benchmark::DoNotOptimize(dimmed.data());
  }
}
BENCHMARK(BM_DecodeAndDisplayCopy)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_DisplayCopyOnly(benchmark::State& state) {
  const trimora::Picture p = trimora::DecodeJpegFile(g_jpeg);
  for (auto _ : state) {
    trimora::Picture display = trimora::ScaleToView(p, 1000, 667);
    benchmark::DoNotOptimize(display.data());
  }
}
BENCHMARK(BM_DisplayCopyOnly)->Unit(benchmark::kMillisecond)->Iterations(10);

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
