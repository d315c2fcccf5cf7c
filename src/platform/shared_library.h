// Shared libraries loaded at run time, and what the loader knows about a loaded module.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace trimora {

// A shared library loaded with its symbols resolved at once; unloaded when the last owner goes.
class SharedLibrary {
 public:
  // Not loaded.
  SharedLibrary() = default;
  // Unloads the library.
  ~SharedLibrary();
  SharedLibrary(SharedLibrary&& other) noexcept;
  SharedLibrary& operator=(SharedLibrary&& other) noexcept;
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;

  // Loads the library at `path`; a name without "/" is searched the way the loader searches.
  // An empty name is refused. On failure the reason goes to `*error` when given.
  static std::optional<SharedLibrary> Open(const std::string& path, std::string* error = nullptr);

  // The address of the exported symbol `name`, or null.
  void* Symbol(const char* name) const;

  // The exported function `name` as a pointer of type F, or null.
  template <typename F>
  F Function(const char* name) const {
    return reinterpret_cast<F>(Symbol(name));
  }

  // Unloads the library now; nothing when it is not loaded.
  void Close();

  // True while loaded.
  bool IsOpen() const { return handle_ != nullptr; }

 private:
  void* handle_ = nullptr;
};

// One loaded segment of a module: its place in memory and its protection.
struct ModuleSegment {
  std::uintptr_t address = 0;
  std::size_t size = 0;
  bool readable = false;
  bool writable = false;
  bool executable = false;
};

// A loaded module as the loader placed it.
struct ModuleImage {
  std::string file;
  std::uintptr_t base = 0;
  std::vector<ModuleSegment> segments;
};

// The file of the loaded module (program or shared library) that holds `address`; empty when
// no module holds it.
std::string ModuleFileOf(const void* address);

// The module that holds `address`, with its loaded segments; nothing when no module holds it.
std::optional<ModuleImage> DescribeModule(const void* address);

}  // namespace trimora
