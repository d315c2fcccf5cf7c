// Files and folders on POSIX systems.
#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/fs.h>
#endif

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/error.h"
#include "platform/paths.h"

namespace trimora {

namespace {

bool Stat(const std::string& path, struct stat& info) {
  return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

// Temporary names: ".trimora-<process>-<n>.tmp". They do not grow with the target's name, and
// the process number tells whether the file's maker still runs.
constexpr std::string_view kTemporaryPrefix = ".trimora-";
constexpr std::string_view kTemporarySuffix = ".tmp";

// Opens a new temporary file in `folder` exclusively; its name goes to `chosen`.
int OpenNamedTemporary(const std::string& folder, const std::string& target, std::string& chosen) {
  static std::atomic<unsigned> serial{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    chosen = folder + std::string(kTemporaryPrefix) + std::to_string(::getpid()) + "-" +
             std::to_string(serial++) + std::string(kTemporarySuffix);
    const int fd = ::open(chosen.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) break;
  }
  throw Error(ErrorCode::kFileCannotCreate, {target});
}

// Opens a temporary file without a name in `folder`, or -1 where the file system cannot.
int OpenNamelessTemporary(const std::string& folder) {
#if defined(O_TMPFILE)
  static const bool canLink = ::access("/proc/self/fd", X_OK) == 0;
  if (!canLink) return -1;
  return ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
#else
  (void)folder;
  return -1;
#endif
}

// Gives the nameless open file `fd` the name `path`; false (errno set) when that fails, among
// others when something is there already.
bool LinkNameless(int fd, const std::string& path) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

// The process number in a temporary name of this program, or 0 when `name` is none.
long TemporaryMaker(std::string_view name) {
  if (!name.starts_with(kTemporaryPrefix) || !name.ends_with(kTemporarySuffix)) return 0;
  name.remove_prefix(kTemporaryPrefix.size());
  name.remove_suffix(kTemporarySuffix.size());
  const std::size_t dash = name.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash > 9 || dash + 1 == name.size()) return 0;
  long pid = 0;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (i == dash) continue;
    if (name[i] < '0' || name[i] > '9') return 0;
    if (i < dash) pid = pid * 10 + (name[i] - '0');
  }
  return pid;
}

// Opens `path` for reading when it is a regular file (links followed), without blocking on a
// pipe or device; -1 otherwise. `info` receives the file's data.
int OpenRegular(const std::string& path, struct stat& info) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    errno = EINVAL;
    return -1;
  }
  (void)::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
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

bool SameFile(const std::string& a, const std::string& b) {
  struct stat first {
  }, second{};
  return Stat(a, first) && Stat(b, second) && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

std::vector<std::string> ListFiles(std::string_view folder) {
  std::vector<std::string> names;
  const std::string base = WithTrailingSeparator(folder);
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(base.c_str()), ::closedir);
  if (!dir) throw Error(ErrorCode::kFolderCannotRead, {std::string(folder)});
  while (const dirent* entry = ::readdir(dir.get())) {
    std::string name = entry->d_name;
    bool regular = entry->d_type == DT_REG;
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK)
      regular = IsRegularFile(base + name);
    if (regular) names.push_back(std::move(name));
  }
  return names;
}

std::FILE* OpenStream(const std::string& path) {
  struct stat info {};
  const int fd = OpenRegular(path, info);
  if (fd < 0) return nullptr;
  std::FILE* stream = ::fdopen(fd, "rb");
  if (stream == nullptr) ::close(fd);
  return stream;
}

std::string ReadWholeFile(const std::string& path) {
  struct stat info {};
  const int fd = OpenRegular(path, info);
  if (fd < 0) throw Error(ErrorCode::kFileCannotOpen, {path});
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

void RefuseWriteProtected(const std::string& path) {
  struct stat info {};
  if (Stat(path, info) && S_ISREG(info.st_mode) && (info.st_mode & 0222) == 0) {
    throw Error(ErrorCode::kFileWriteProtected, {path});
  }
}

void ReplaceFileContents(const std::string& path, std::string_view bytes) {
  ReplacingFile file(path);
  file.Write(bytes.data(), bytes.size());
  file.Commit();
}

std::string CreateTemporaryBeside(const std::string& path) {
  std::string chosen;
  ::close(OpenNamedTemporary(FolderPart(path), path, chosen));
  return chosen;
}

void RemoveStaleTemporaries(const std::string& folder) {
  const std::string base = WithTrailingSeparator(folder);
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(base.c_str()), ::closedir);
  if (!dir) return;
  const long self = static_cast<long>(::getpid());
  while (const dirent* entry = ::readdir(dir.get())) {
    const long maker = TemporaryMaker(entry->d_name);
    if (maker == 0 || maker == self) continue;
    // A maker that still runs (or that this user may not look at) keeps its file.
    if (::kill(static_cast<pid_t>(maker), 0) == 0 || errno != ESRCH) continue;
    const std::string path = base + entry->d_name;
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) (void)::unlink(path.c_str());
  }
}

ReplacingFile::ReplacingFile(std::string path) : path_(std::move(path)) {
  if (IsFolder(path_)) throw Error(ErrorCode::kFileCannotCreate, {path_});
  const std::string folder = FolderPart(path_);
  int fd = OpenNamelessTemporary(folder);
  if (fd < 0) fd = OpenNamedTemporary(folder, path_, temporary_);
  // An existing target's access rights, also when they forbid writing (the file is open).
  struct stat info {};
  if (Stat(path_, info) && S_ISREG(info.st_mode)) (void)::fchmod(fd, info.st_mode & 07777);
  file_ = ::fdopen(fd, "wb");
  if (file_ == nullptr) {
    ::close(fd);
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
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

int ReplacingFile::Descriptor() {
  if (file_ == nullptr) return -1;
  if (std::fflush(file_) != 0) throw Error(ErrorCode::kFileCannotWrite, {path_});
  return ::fileno(file_);
}

void ReplacingFile::WriteAt(std::uint64_t offset, const void* data, std::size_t size) {
  const int fd = Descriptor();
  const auto* from = static_cast<const std::uint8_t*>(data);
  while (size != 0) {
    const ssize_t wrote = ::pwrite(fd, from, size, static_cast<off_t>(offset));
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) throw Error(ErrorCode::kFileCannotWrite, {path_});
    from += wrote;
    offset += static_cast<std::uint64_t>(wrote);
    size -= static_cast<std::size_t>(wrote);
  }
}

std::size_t ReplacingFile::ReadAt(std::uint64_t offset, void* to, std::size_t size) {
  const int fd = Descriptor();
  auto* into = static_cast<std::uint8_t*>(to);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got = ::pread(fd, into + done, size - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw Error(ErrorCode::kFileCannotWrite, {path_});
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return done;
}

std::uint64_t ReplacingFile::Size() {
  struct stat info {};
  if (::fstat(Descriptor(), &info) != 0) throw Error(ErrorCode::kFileCannotWrite, {path_});
  return static_cast<std::uint64_t>(info.st_size);
}

void ReplacingFile::AppendFrom(ReplacingFile& other, std::uint64_t offset) {
  const int from = other.Descriptor();
  const int to = Descriptor();
  const std::uint64_t end = other.Size();
  auto at = static_cast<off_t>(offset);
  bool inKernel = true;
  std::vector<std::uint8_t> buffer;
  while (static_cast<std::uint64_t>(at) < end) {
    const std::size_t want = static_cast<std::size_t>(
        std::min<std::uint64_t>(end - static_cast<std::uint64_t>(at), 1 << 30));
    ssize_t copied = -1;
#ifdef __linux__
    if (inKernel) {
      copied = ::copy_file_range(from, &at, to, nullptr, want, 0);
      if (copied < 0 && errno == EINTR) continue;
      if (copied < 0 &&
          (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
        inKernel = false;
      } else if (copied <= 0) {
        throw Error(ErrorCode::kFileCannotWrite, {path_});
      }
    }
#else
    inKernel = false;
#endif
    if (!inKernel) {
      buffer.resize(std::min<std::size_t>(want, 1 << 20));
      const std::size_t got =
          other.ReadAt(static_cast<std::uint64_t>(at), buffer.data(), buffer.size());
      if (got == 0) throw Error(ErrorCode::kFileCannotWrite, {path_});
      Write(buffer.data(), got);
      if (std::fflush(file_) != 0) throw Error(ErrorCode::kFileCannotWrite, {path_});
      at += static_cast<off_t>(got);
    }
  }
}

void ReplacingFile::Commit() {
  const int fd = ::fileno(file_);
  if (std::fflush(file_) != 0 || std::ferror(file_) || ::fsync(fd) != 0) {
    throw Error(ErrorCode::kFileCannotWrite, {path_});
  }
  if (temporary_.empty()) {
    // The nameless file gets the target's name, or a temporary one that then replaces it.
    if (!LinkNameless(fd, path_)) {
      if (errno != EEXIST) throw Error(ErrorCode::kFileCannotCreate, {path_});
      std::string name;
      for (int attempt = 0; attempt < 100 && temporary_.empty(); ++attempt) {
        ::close(OpenNamedTemporary(FolderPart(path_), path_, name));
        ::unlink(name.c_str());
        if (LinkNameless(fd, name)) {
          temporary_ = name;
        } else if (errno != EEXIST) {
          break;
        }
      }
      if (temporary_.empty()) throw Error(ErrorCode::kFileCannotCreate, {path_});
    }
  }
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!closed) throw Error(ErrorCode::kFileCannotWrite, {path_});
  if (!temporary_.empty()) {
    if (!ReplaceByRename(temporary_, path_)) throw Error(ErrorCode::kFileCannotCreate, {path_});
    temporary_.clear();
  }
}

FileReader::FileReader(const std::string& path) {
  struct stat info {};
  fd_ = OpenRegular(path, info);
  if (fd_ >= 0) {
    size_ = static_cast<std::uint64_t>(info.st_size);
    modified_ = static_cast<std::int64_t>(info.st_mtime);
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
