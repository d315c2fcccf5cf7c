// Saving and loading the cutting data of a folder of 10,000 pictures, beside a plain copy of
// the same file for scale. The files lie in the system's temporary folder.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "folder/cutting_record.h"
#include "tables/table_file.h"

namespace trimora {
namespace {

constexpr int kRecords = 10000;

// Half of the pictures have been shown and carry a full record, the rest only the defaults.
Table FolderOfPictures() {
  Table t(CuttingDataColumns());
  for (int i = 0; i < kRecords; ++i) {
    t.Append();
    t.WriteInteger("jpegCompressionBlockSize", i % 3 == 0 ? 1 : 16);
    t.WriteText("TempPath", "");
    t.WriteText("Filename", "/home/anna/Bilder/2024-08 Urlaub an der Ostsee/IMG_" +
                                std::to_string(100000 + i) + ".JPG");
    t.WriteText("FileType", "JPG");
    t.WriteBoolean("SaveIt", i % 4 == 0);
    t.WriteBoolean("Deleted", false);
    if (i % 2 == 0) {
      t.WriteInteger("X", i % 50);
      t.WriteInteger("Y", i % 30);
      t.WriteInteger("Width", 250);
      t.WriteInteger("Height", 166);
      t.WriteInteger("FormatID", 1 + i % 6);
      t.WriteInteger("PictureWidth", 6000);
      t.WriteInteger("PictureHeight", 4000);
      t.WriteBoolean("AutoCorrection", i % 10 == 0);
      t.WriteBoolean("Enlarge", false);
      if (i % 20 == 0) t.WriteText("RedEyeCoords", "1200,800,1260,850|1500,810,1555,860|");
    }
  }
  return t;
}

struct Folder {
  std::filesystem::path path;
  Folder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "trimora-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    path = pattern;
  }
  ~Folder() { std::filesystem::remove_all(path); }
  std::string File(const char* name) const { return (path / name).string(); }
};

void SaveCuttingData(benchmark::State& state) {
  const Table table = FolderOfPictures();
  Folder folder;
  for (auto _ : state) SaveTableToFile(table, folder.File("CroppingData.kv2"));
  state.counters["bytes"] =
      static_cast<double>(std::filesystem::file_size(folder.File("CroppingData.kv2")));
}

void LoadCuttingData(benchmark::State& state) {
  Folder folder;
  SaveTableToFile(FolderOfPictures(), folder.File("CroppingData.kv2"));
  Table table;
  for (auto _ : state) {
    LoadTableFromFile(table, folder.File("CroppingData.kv2"));
    benchmark::DoNotOptimize(table.RecordCount());
  }
}

// The same folder as the folder presenter writes and reads it: typed records, made into the
// table form on the way to the file and back.
void SaveRecords(benchmark::State& state) {
  const std::vector<CuttingRecord> records = CuttingRecordsOf(FolderOfPictures());
  Folder folder;
  for (auto _ : state) trimora::SaveCuttingData(records, folder.File("CroppingData.kv2"));
}

void LoadRecords(benchmark::State& state) {
  Folder folder;
  SaveTableToFile(FolderOfPictures(), folder.File("CroppingData.kv2"));
  for (auto _ : state) {
    benchmark::DoNotOptimize(trimora::LoadCuttingData(folder.File("CroppingData.kv2")).size());
  }
}

// The peer: copying the same file, once plainly and once with the flush to disk that saving does.
void CopyFile(benchmark::State& state) {
  Folder folder;
  SaveTableToFile(FolderOfPictures(), folder.File("CroppingData.kv2"));
  const bool flush = state.range(0) != 0;
  for (auto _ : state) {
    std::filesystem::copy_file(folder.File("CroppingData.kv2"), folder.File("copy.kv2"),
                               std::filesystem::copy_options::overwrite_existing);
    if (flush) {
      FILE* f = std::fopen(folder.File("copy.kv2").c_str(), "rb");
      ::fsync(fileno(f));
      std::fclose(f);
    }
  }
}

// The in-memory halves of saving and loading, without the file system.
void WriteBytes(benchmark::State& state) {
  const Table table = FolderOfPictures();
  for (auto _ : state) benchmark::DoNotOptimize(WriteTableBytes(table));
}

void ReadBytes(benchmark::State& state) {
  const std::string bytes = WriteTableBytes(FolderOfPictures());
  for (auto _ : state) benchmark::DoNotOptimize(ReadTableBytes(bytes));
}

BENCHMARK(SaveCuttingData)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadCuttingData)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(CopyFile)->Arg(0)->Arg(1)->ArgName("flush")->Unit(benchmark::kMillisecond);
BENCHMARK(WriteBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadBytes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trimora

BENCHMARK_MAIN();
