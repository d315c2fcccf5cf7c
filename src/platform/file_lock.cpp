// An exclusive lock between processes with flock.
#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace trimora {

FileLock::FileLock(const std::string& path) {
  struct stat info {};
  const bool folder = stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
  fd_ = folder ? open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)
               : open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd_ >= 0) {
    while (flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
    }
  }
}

FileLock::~FileLock() {
  if (fd_ >= 0) close(fd_);
}

}  // namespace trimora
