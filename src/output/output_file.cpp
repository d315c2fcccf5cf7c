#include "output/output_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#include "platform/error.h"

namespace trimora {

namespace fs = std::filesystem;

[[noreturn]] void ThrowCannotCreate(const std::string& path) {
  throw Error("Datei " + path + " kann nicht erstellt werden");
}

namespace {

[[noreturn]] void ThrowCannotWrite(const std::string& path) {
  throw Error("Datei " + path + " kann nicht geschrieben werden");
}

std::FILE* OpenExclusive(const std::string& path, std::string& chosen) {
  const fs::path target(path);
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::random_device seed;
  std::minstd_rand random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate =
        folder / ("." + target.filename().string() + "." + std::to_string(random() % 1000000) + ".tmp");
    // "x": fail when the file exists, so two writers never share a temporary file.
    if (std::FILE* f = std::fopen(candidate.string().c_str(), "wbx")) {
      chosen = candidate.string();
      return f;
    }
    if (errno != EEXIST) break;
  }
  ThrowCannotCreate(path);
}

}  // namespace

std::string CreateTemporaryBeside(const std::string& path) {
  std::string chosen;
  std::fclose(OpenExclusive(path, chosen));
  return chosen;
}

OutputFile::OutputFile(std::string path) : path_(std::move(path)) {
  if (fs::is_directory(path_)) ThrowCannotCreate(path_);
  file_ = OpenExclusive(path_, temporary_);
  std::setvbuf(file_, nullptr, _IOFBF, 1 << 20);
}

OutputFile::~OutputFile() {
  if (file_ != nullptr) std::fclose(file_);
  if (!temporary_.empty()) std::remove(temporary_.c_str());
}

void OutputFile::Write(const void* data, std::size_t size) {
  if (size != 0 && std::fwrite(data, 1, size, file_) != size) ThrowCannotWrite(path_);
}

void OutputFile::Commit() {
  const bool flushed = std::fflush(file_) == 0 && !std::ferror(file_);
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!flushed || !closed) ThrowCannotWrite(path_);
  std::error_code failure;
  fs::rename(temporary_, path_, failure);
  if (failure) ThrowCannotCreate(path_);
  temporary_.clear();
}

}  // namespace trimora
