// How long the bottom bar takes to fit a long path into its filling panel, measured with real
// font metrics, beside QFontMetrics::elidedText (Qt's middle elision) as the peer.
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QString>

#include <benchmark/benchmark.h>

#include <string>

#include "ui/frame_geometry.h"

namespace {

const std::string kPath =
    "/home/anna/Bilder/Urlaub in Norwegen 2024/Lofoten und Vesterålen/Tag 3 - Reine und "
    "Hamnøy bei Sonnenaufgang/bearbeitet/IMG_0042.JPG";

QFont BarFont() {
  QFont font(QStringLiteral("DejaVu Sans Condensed"));
  font.setPixelSize(11);
  font.setBold(true);
  return font;
}

void BM_ShortenPathToFit(benchmark::State& state) {
  const QFontMetrics metrics(BarFont());
  const int width = static_cast<int>(state.range(0));
  const trimora::ui::TextWidthFunction measure = [&metrics](std::string_view text) {
    return metrics.horizontalAdvance(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  };
  for (auto _ : state)
    benchmark::DoNotOptimize(trimora::ui::ShortenPathToFit(kPath, width, measure));
}
BENCHMARK(BM_ShortenPathToFit)->Arg(120)->Arg(254)->Arg(600);

void BM_QtElideMiddle(benchmark::State& state) {
  const QFontMetrics metrics(BarFont());
  const int width = static_cast<int>(state.range(0));
  const QString path = QString::fromStdString(kPath);
  for (auto _ : state) benchmark::DoNotOptimize(metrics.elidedText(path, Qt::ElideMiddle, width));
}
BENCHMARK(BM_QtElideMiddle)->Arg(120)->Arg(254)->Arg(600);

void BM_LayoutMainWindowPanels(benchmark::State& state) {
  const QFontMetrics metrics(BarFont());
  const trimora::ui::TextWidthFunction measure = [&metrics](std::string_view text) {
    return metrics.horizontalAdvance(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  };
  const std::vector<trimora::ui::StatusPanel> panels = {
      {kPath, -1, trimora::ui::PanelAlignment::Left},
      {"Bild 42 von 118", 150, trimora::ui::PanelAlignment::Left},
      {"Auswahl: 3008 x 2000 (verlustfrei)", 230, trimora::ui::PanelAlignment::Left},
      {"Format 10 x 15", 145, trimora::ui::PanelAlignment::Right}};
  for (auto _ : state)
    benchmark::DoNotOptimize(trimora::ui::LayoutStatusPanels(panels, 800, 8, measure));
}
BENCHMARK(BM_LayoutMainWindowPanels);

}  // namespace

int main(int argc, char** argv) {
  // Font metrics need a GUI application; no display is needed.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
