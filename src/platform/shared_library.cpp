// Shared libraries and module images through the dynamic loader.
#include "platform/shared_library.h"

#include <dlfcn.h>
#include <link.h>

#include <utility>

namespace trimora {

SharedLibrary::~SharedLibrary() { Close(); }

SharedLibrary::SharedLibrary(SharedLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)) {}

SharedLibrary& SharedLibrary::operator=(SharedLibrary&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = std::exchange(other.handle_, nullptr);
  }
  return *this;
}

std::optional<SharedLibrary> SharedLibrary::Open(const std::string& path, std::string* error) {
  // The loader would take an empty name for the program itself.
  if (path.empty()) {
    if (error != nullptr) *error = "empty file name";
    return std::nullopt;
  }
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    if (error != nullptr) {
      const char* reason = dlerror();
      *error = reason != nullptr ? reason : "unknown error";
    }
    return std::nullopt;
  }
  SharedLibrary library;
  library.handle_ = handle;
  return library;
}

void* SharedLibrary::Symbol(const char* name) const {
  if (handle_ == nullptr || name == nullptr) return nullptr;
  return dlsym(handle_, name);
}

void SharedLibrary::Close() {
  if (handle_ != nullptr) dlclose(std::exchange(handle_, nullptr));
}

std::string ModuleFileOf(const void* address) {
  Dl_info info{};
  if (address == nullptr || dladdr(address, &info) == 0 || info.dli_fname == nullptr) return {};
  return info.dli_fname;
}

namespace {

// What dl_iterate_phdr looks for: the module whose loaded segments hold `target`.
struct Finder {
  std::uintptr_t target = 0;
  ModuleImage* image = nullptr;
};

int FindModule(dl_phdr_info* module, std::size_t, void* data) {
  auto* find = static_cast<Finder*>(data);
  bool holds = false;
  for (ElfW(Half) i = 0; i < module->dlpi_phnum && !holds; ++i) {
    const ElfW(Phdr)& header = module->dlpi_phdr[i];
    const std::uintptr_t start = module->dlpi_addr + header.p_vaddr;
    holds =
        header.p_type == PT_LOAD && find->target >= start && find->target - start < header.p_memsz;
  }
  if (!holds) return 0;
  find->image->base = module->dlpi_addr;
  for (ElfW(Half) i = 0; i < module->dlpi_phnum; ++i) {
    const ElfW(Phdr)& header = module->dlpi_phdr[i];
    if (header.p_type != PT_LOAD) continue;
    ModuleSegment segment;
    segment.address = module->dlpi_addr + header.p_vaddr;
    segment.size = header.p_memsz;
    segment.readable = (header.p_flags & PF_R) != 0;
    segment.writable = (header.p_flags & PF_W) != 0;
    segment.executable = (header.p_flags & PF_X) != 0;
    find->image->segments.push_back(segment);
  }
  return 1;
}

}  // namespace

std::optional<ModuleImage> DescribeModule(const void* address) {
  if (address == nullptr) return std::nullopt;
  ModuleImage image;
  image.file = ModuleFileOf(address);
  Finder finder{reinterpret_cast<std::uintptr_t>(address), &image};
  dl_iterate_phdr(FindModule, &finder);
  if (image.segments.empty()) return std::nullopt;
  return image;
}

}  // namespace trimora
