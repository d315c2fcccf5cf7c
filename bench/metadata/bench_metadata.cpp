// Reading a camera JPEG's metadata and building the information text, beside libexiv2 opening
// the same file and reading its metadata.
#include <benchmark/benchmark.h>
#include <exiv2/exiv2.hpp>

#include <string>

#include "metadata/info_text.h"
#include "metadata/jpeg_metadata.h"

namespace {

const std::string kPhotos = std::string(TRIMORA_TESTDATA_DIR) + "/photos/";

void ReadMetadataAndText(benchmark::State& state, const std::string& name) {
  const std::string path = kPhotos + name;
  for (auto _ : state) {
    const std::string text = trimora::metadata::BuildInfoText(path);
    benchmark::DoNotOptimize(text.data());
  }
}

void ReadMetadataOnly(benchmark::State& state, const std::string& name) {
  const std::string path = kPhotos + name;
  for (auto _ : state) {
    trimora::metadata::JpegMetadata reader;
    benchmark::DoNotOptimize(reader.ReadMetadata(path));
  }
}

void Exiv2ReadMetadata(benchmark::State& state, const std::string& name) {
  const std::string path = kPhotos + name;
  for (auto _ : state) {
    auto image = Exiv2::ImageFactory::open(path);
    image->readMetadata();
    benchmark::DoNotOptimize(image->exifData().count());
  }
}

}  // namespace

// A typical camera picture with maker notes and a thumbnail, a larger one, and one with GPS.
BENCHMARK_CAPTURE(ReadMetadataAndText, canon_ixus, "canon-ixus.jpg");
BENCHMARK_CAPTURE(ReadMetadataOnly, canon_ixus, "canon-ixus.jpg");
BENCHMARK_CAPTURE(Exiv2ReadMetadata, canon_ixus, "canon-ixus.jpg");
BENCHMARK_CAPTURE(ReadMetadataAndText, nikon_p6000, "nikon-p6000-gps.jpg");
BENCHMARK_CAPTURE(Exiv2ReadMetadata, nikon_p6000, "nikon-p6000-gps.jpg");
BENCHMARK_CAPTURE(ReadMetadataAndText, casio_ex_m2, "casio-ex-m2.jpg");
BENCHMARK_CAPTURE(Exiv2ReadMetadata, casio_ex_m2, "casio-ex-m2.jpg");

int main(int argc, char** argv) {
  Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
