// Files and folders on POSIX systems.
#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/fs.h>
#endif

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/error.h"
#include "platform/paths.h"

namespace trimora {

namespace {

bool Stat(const std::string& path, struct stat& info) {
  return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

// Opens a new temporary file beside `path` exclusively; its name goes to `chosen`.
int OpenTemporaryBeside(const std::string& path, std::string& chosen) {
  static std::atomic<unsigned> serial{0};
  const std::size_t slash = path.find_last_of(kPathSeparator);
  const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    chosen = folder + "." + name + "." + std::to_string(::getpid()) + "-" +
             std::to_string(serial++) + ".tmp";
    const int fd = ::open(chosen.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) break;
  }
  throw Error(ErrorCode::kFileCannotCreate, {path});
}

}  // namespace

bool PathExists(const std::string& path) {
  struct stat info {};
  return !path.empty() && ::lstat(path.c_str(), &info) == 0;
}

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return Stat(path, info) && S_ISREG(info.st_mode);
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return Stat(path, info) && S_ISDIR(info.st_mode);
}

std::int64_t FileSize(const std::string& path) {
  struct stat info {};
  if (!Stat(path, info) || !S_ISREG(info.st_mode)) return -1;
  return static_cast<std::int64_t>(info.st_size);
}

FolderCreation CreateFolder(const std::string& path) {
  if (path.empty()) return FolderCreation::kFailed;
  if (::mkdir(path.c_str(), 0777) == 0) return FolderCreation::kCreated;
  return errno == EEXIST ? FolderCreation::kAlreadyExists : FolderCreation::kFailed;
}

bool MakeFolders(const std::string& path) {
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    if (!part.empty() && ::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  return IsFolder(path);
}

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool MoveWithoutReplacing(const std::string& from, const std::string& to) {
#if defined(SYS_renameat2) && defined(RENAME_NOREPLACE)
  if (::syscall(SYS_renameat2, AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
    return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
#endif
  // Where the file system cannot refuse atomically, an existing target is refused by a look.
  if (PathExists(to)) return false;
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool ReplaceByRename(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

void TakeOverPermissions(const std::string& from, const std::string& to) {
  struct stat info {};
  if (Stat(from, info) && S_ISREG(info.st_mode)) (void)::chmod(to.c_str(), info.st_mode & 07777);
}

std::vector<std::string> ListFiles(std::string_view folder) {
  std::vector<std::string> names;
  const std::string base = WithTrailingSeparator(folder);
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(base.c_str()), ::closedir);
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir.get())) {
    std::string name = entry->d_name;
    bool regular = entry->d_type == DT_REG;
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK)
      regular = IsRegularFile(base + name);
    if (regular) names.push_back(std::move(name));
  }
  return names;
}

std::FILE* OpenStream(const std::string& path) { return std::fopen(path.c_str(), "rbe"); }

std::string ReadWholeFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat info {};
  if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    if (fd >= 0) ::close(fd);
    throw Error(ErrorCode::kFileCannotOpen, {path});
  }
  std::string bytes;
  bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
  std::size_t size = 0;
  for (;;) {
    if (size == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t n = ::read(fd, bytes.data() + size, bytes.size() - size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ::close(fd);
      if (n < 0) throw Error(ErrorCode::kStreamReadFailed);
      break;
    }
    size += static_cast<std::size_t>(n);
  }
  bytes.resize(size);
  return bytes;
}

void ReplaceFileContents(const std::string& path, std::string_view bytes) {
  ReplacingFile file(path);
  file.Write(bytes.data(), bytes.size());
  file.Commit(true);
}

std::string CreateTemporaryBeside(const std::string& path) {
  std::string chosen;
  ::close(OpenTemporaryBeside(path, chosen));
  return chosen;
}

void CheckReplaceable(const std::string& path) {
  if (IsFolder(path)) throw Error(ErrorCode::kFileCannotCreate, {path});
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode) &&
      (existing.st_mode & 0222) == 0) {
    throw Error(ErrorCode::kFileWriteProtected, {path});
  }
}

ReplacingFile::ReplacingFile(std::string path) : path_(std::move(path)) {
  CheckReplaceable(path_);
  const int fd = OpenTemporaryBeside(path_, temporary_);
  TakeOverPermissions(path_, temporary_);
  file_ = ::fdopen(fd, "wb");
  if (file_ == nullptr) {
    ::close(fd);
    ::unlink(temporary_.c_str());
    throw Error(ErrorCode::kFileCannotCreate, {path_});
  }
  std::setvbuf(file_, nullptr, _IOFBF, 1 << 20);
}

ReplacingFile::~ReplacingFile() {
  if (file_ != nullptr) std::fclose(file_);
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

void ReplacingFile::Write(const void* data, std::size_t size) {
  if (size != 0 && std::fwrite(data, 1, size, file_) != size) {
    throw Error(ErrorCode::kFileCannotWrite, {path_});
  }
}

void ReplacingFile::Commit(bool durable) {
  bool ok = std::fflush(file_) == 0 && !std::ferror(file_);
  if (ok && durable) ok = ::fsync(::fileno(file_)) == 0;
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  if (!ok) throw Error(ErrorCode::kFileCannotWrite, {path_});
  if (!ReplaceByRename(temporary_, path_)) throw Error(ErrorCode::kFileCannotCreate, {path_});
  temporary_.clear();
}

FileReader::FileReader(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
  struct stat info {};
  if (fd_ >= 0 && ::fstat(fd_, &info) == 0) {
    size_ = static_cast<std::uint64_t>(info.st_size);
    modified_ = static_cast<std::int64_t>(info.st_mtime);
    folder_ = S_ISDIR(info.st_mode);
  }
}

FileReader::~FileReader() {
  if (fd_ >= 0) ::close(fd_);
}

int FileReader::Get() {
  if (at_ == filled_ && !Refill()) return -1;
  return buffer_[at_++];
}

bool FileReader::Read(std::uint8_t* to, std::size_t n) {
  constexpr std::size_t kBufferSize = 16384;
  while (n > 0) {
    if (at_ == filled_) {
      if (n >= kBufferSize) {
        // A large block goes straight into its target.
        while (n > 0) {
          const long got = ReadSome(to, n);
          if (got <= 0) return false;
          to += got;
          n -= static_cast<std::size_t>(got);
        }
        return true;
      }
      if (!Refill()) return false;
    }
    const std::size_t part = std::min(n, filled_ - at_);
    std::memcpy(to, buffer_.data() + at_, part);
    at_ += part;
    to += part;
    n -= part;
  }
  return true;
}

bool FileReader::Refill() {
  constexpr std::size_t kBufferSize = 16384;
  if (buffer_.empty()) buffer_.resize(kBufferSize);
  at_ = filled_ = 0;
  const long got = ReadSome(buffer_.data(), buffer_.size());
  if (got <= 0) return false;
  filled_ = static_cast<std::size_t>(got);
  return true;
}

long FileReader::ReadSome(std::uint8_t* to, std::size_t n) {
  if (fd_ < 0) return 0;
  ssize_t got;
  do {
    got = ::read(fd_, to, n);
  } while (got < 0 && errno == EINTR);
  if (got < 0) throw Error(ErrorCode::kStreamReadFailed);
  return static_cast<long>(got);
}

}  // namespace trimora
