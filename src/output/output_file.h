// Writing a file whole or not at all: the bytes go into a temporary file in the same
// folder, which replaces the target only when everything was written.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace trimora {

class OutputFile {
 public:
  // Creates the temporary file beside `path`; throws Error when the folder is not writable.
  explicit OutputFile(std::string path);
  // Removes the temporary file unless Commit() has run.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Appends bytes; throws Error when they cannot be written.
  void Write(const void* data, std::size_t size);
  // Closes the temporary file and renames it over the target; throws Error on failure.
  void Commit();

  // The target path.
  const std::string& path() const { return path_; }
  // The temporary file's path.
  const std::string& temporaryPath() const { return temporary_; }

 private:
  std::string path_;
  std::string temporary_;
  std::FILE* file_ = nullptr;
};

// A free temporary name beside `path` ("<folder>/.<name>.<n>.tmp"), created empty and
// exclusively; throws Error when none can be created.
std::string CreateTemporaryBeside(const std::string& path);

// The error for an output that cannot be created: "Datei <path> kann nicht erstellt werden".
[[noreturn]] void ThrowCannotCreate(const std::string& path);

}  // namespace trimora
