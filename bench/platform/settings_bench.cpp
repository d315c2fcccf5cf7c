// The settings store against QSettings in INI form, both on a file with the forty values a
// real session leaves; a fresh QSettings per call, so that it too sees changes of other
// programs (the store keeps the parsed file and looks at the file's identity on every call).
// Also the version record scan of Trimora2.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QSettings>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/settings.h"
#include "platform/version.h"
#include "platform/version_record.h"

namespace {

// A temporary configuration home with a filled settings file for both stores.
struct Home {
  Home() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "trimora-bench-XXXXXX").string();
    path = mkdtemp(pattern.data());
    trimora::SetSettingsHomeForTesting(path);
    trimora::SetMainProgramFileForTesting(TRIMORA_PROGRAM_DIR "/Trimora2");
    QSettings peer(QString::fromStdString(path + "/peer.ini"), QSettings::IniFormat);
    for (int i = 0; i < 40; ++i) {
      const std::string name = (i % 4 == 0 ? "ToolBar\\Value" : "Value") + std::to_string(i);
      trimora::WriteIntSetting(name, i);
      peer.setValue(
          QString::fromStdString(i % 4 == 0 ? "ToolBar/Value" : "Value") + QString::number(i), i);
    }
  }
  ~Home() { std::filesystem::remove_all(path); }
  std::string path;
};

Home& TheHome() {
  static Home home;
  return home;
}

void StoreRead(benchmark::State& state) {
  TheHome();
  for (auto _ : state) benchmark::DoNotOptimize(trimora::ReadIntSetting("Value17", 0));
}
BENCHMARK(StoreRead);

void QSettingsRead(benchmark::State& state) {
  const QString file = QString::fromStdString(TheHome().path + "/peer.ini");
  for (auto _ : state) {
    QSettings peer(file, QSettings::IniFormat);
    benchmark::DoNotOptimize(peer.value("Value17").toInt());
  }
}
BENCHMARK(QSettingsRead);

void StoreWrite(benchmark::State& state) {
  TheHome();
  int i = 0;
  for (auto _ : state) trimora::WriteIntSetting("Value17", ++i);
}
BENCHMARK(StoreWrite);

void QSettingsWrite(benchmark::State& state) {
  const QString file = QString::fromStdString(TheHome().path + "/peer.ini");
  int i = 0;
  for (auto _ : state) {
    QSettings peer(file, QSettings::IniFormat);
    peer.setValue("Value17", ++i);
    peer.sync();
  }
}
BENCHMARK(QSettingsWrite);

// The scan itself, on the program file's bytes in memory, and a plain read of the file beside it.
void VersionRecordScan(benchmark::State& state) {
  std::ifstream in(TRIMORA_PROGRAM_DIR "/Trimora2", std::ios::binary);
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
  for (auto _ : state) benchmark::DoNotOptimize(trimora::FindVersionRecord(bytes));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(VersionRecordScan);

void PlainReadOfTheProgramFile(benchmark::State& state) {
  for (auto _ : state) {
    std::ifstream in(TRIMORA_PROGRAM_DIR "/Trimora2", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    benchmark::DoNotOptimize(bytes.size());
  }
}
BENCHMARK(PlainReadOfTheProgramFile);

}  // namespace

BENCHMARK_MAIN();
