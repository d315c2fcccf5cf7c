// Reading the version record back from a program file.
#include "platform/version.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <ctime>
#include <mutex>

#include "platform/paths.h"
#include "platform/version_record.h"

namespace trimora {
namespace {

constexpr const char* kNoVersion = "0.0.0.0";

std::string JoinParts(const VersionParts& parts) {
  return std::to_string(parts[0]) + "." + std::to_string(parts[1]) + "." +
         std::to_string(parts[2]) + "." + std::to_string(parts[3]);
}

// Scans the whole file; an unreadable or empty file has no record.
std::string ScanFileVersion(int fd, off_t size) {
  if (size <= 0) return kNoVersion;
  void* mapped = mmap(nullptr, static_cast<std::size_t>(size), PROT_READ, MAP_PRIVATE, fd, 0);
  if (mapped == MAP_FAILED) return kNoVersion;
  const auto found = FindVersionRecord(
      {static_cast<const unsigned char*>(mapped), static_cast<std::size_t>(size)});
  munmap(mapped, static_cast<std::size_t>(size));
  return found ? JoinParts(*found) : kNoVersion;
}

// The program file whose version ProgramVersion reports, when a test has chosen one.
std::mutex gMutex;
std::string gMainProgramOverride;

// The last scanned file and what identified it, so that settings calls (which all need the
// version for the key) do not read a program file of many megabytes each time. File times
// have a coarse grain, so a file changed within the last seconds is scanned again each time.
struct ScannedFile {
  std::string path;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = -1;
  timespec modified{};
  bool settled = false;  // changed long enough before the scan for its time to tell changes
  std::string version;
};
ScannedFile gLastScan;

}  // namespace

std::optional<VersionParts> FindVersionRecord(std::span<const unsigned char> bytes) {
  std::array<unsigned char, kVersionMarkerSize> marker{};
  for (std::size_t i = 0; i < kVersionMarkerSize; ++i) marker[i] = kHiddenVersionMarker[i] ^ 0x5A;
  std::size_t from = 0;
  while (bytes.size() >= kVersionRecordSize && from <= bytes.size() - kVersionRecordSize) {
    const void* hit =
        memmem(bytes.data() + from, bytes.size() - from, marker.data(), marker.size());
    if (hit == nullptr) break;
    const std::size_t at =
        static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - bytes.data());
    if (at + kVersionRecordSize > bytes.size()) break;
    const unsigned char* p = bytes.data() + at + kVersionMarkerSize;
    VersionParts parts{};
    bool valid = true;
    for (std::size_t i = 0; i < 4 && valid; ++i) {
      const auto value = static_cast<std::uint16_t>(p[2 * i] | (p[2 * i + 1] << 8));
      const auto inverted = static_cast<std::uint16_t>(p[8 + 2 * i] | (p[8 + 2 * i + 1] << 8));
      valid = static_cast<std::uint16_t>(~value) == inverted;
      parts[i] = value;
    }
    if (valid) return parts;
    from = at + 1;
  }
  return std::nullopt;
}

std::string FileVersion(const std::string& programPath) {
  struct stat info {};
  {
    std::lock_guard lock(gMutex);
    if (gLastScan.settled && gLastScan.path == programPath &&
        stat(programPath.c_str(), &info) == 0 && gLastScan.device == info.st_dev &&
        gLastScan.inode == info.st_ino && gLastScan.size == info.st_size &&
        gLastScan.modified.tv_sec == info.st_mtim.tv_sec &&
        gLastScan.modified.tv_nsec == info.st_mtim.tv_nsec) {
      return gLastScan.version;
    }
  }
  const int fd = open(programPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return kNoVersion;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return kNoVersion;
  }
  std::string version = ScanFileVersion(fd, info.st_size);
  close(fd);
  const bool settled = time(nullptr) - info.st_mtim.tv_sec > 2;
  std::lock_guard lock(gMutex);
  gLastScan = {programPath, info.st_dev, info.st_ino, info.st_size, info.st_mtim, settled, version};
  return version;
}

std::string MainProgramFile() {
  {
    std::lock_guard lock(gMutex);
    if (!gMainProgramOverride.empty()) return gMainProgramOverride;
  }
  return ProgramFolder() + "Trimora2";
}

void SetMainProgramFileForTesting(std::string path) {
  std::lock_guard lock(gMutex);
  gMainProgramOverride = std::move(path);
}

std::string ProgramVersion() { return FileVersion(MainProgramFile()); }

}  // namespace trimora
