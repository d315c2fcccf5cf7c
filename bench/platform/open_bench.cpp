// Opening the pictures of a folder of 200 for reading, as the strip thread does before it
// decodes each: the program's open, which refuses anything but a regular file without waiting
// (open without blocking, fstat, blocking again), beside a plain fopen of the same files. Each
// file's first 64 KiB are read, the part a thumbnail decode reads first.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/files.h"

namespace {

struct Folder {
  Folder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "trimora-open-XXXXXX").string();
    path = mkdtemp(pattern.data());
    for (int i = 0; i < 200; ++i) {
      const std::string name = path + "/p" + std::to_string(i) + ".jpg";
      std::filesystem::copy_file(TRIMORA_TESTDATA_DIR "/photos/canon-ixus.jpg", name);
      files.push_back(name);
    }
  }
  ~Folder() { std::filesystem::remove_all(path); }
  std::string path;
  std::vector<std::string> files;
};

Folder& TheFolder() {
  static Folder folder;
  return folder;
}

template <typename Open>
void ReadAll(benchmark::State& state, Open open) {
  std::vector<char> buffer(65536);
  for (auto _ : state) {
    for (const std::string& file : TheFolder().files) {
      std::FILE* stream = open(file);
      benchmark::DoNotOptimize(std::fread(buffer.data(), 1, buffer.size(), stream));
      std::fclose(stream);
    }
  }
}

void OpenRegularFiles(benchmark::State& state) { ReadAll(state, trimora::OpenStream); }
BENCHMARK(OpenRegularFiles)->Unit(benchmark::kMillisecond);

void PlainFopen(benchmark::State& state) {
  ReadAll(state, [](const std::string& file) { return std::fopen(file.c_str(), "rbe"); });
}
BENCHMARK(PlainFopen)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
