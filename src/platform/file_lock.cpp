// An exclusive lock between processes with flock.
#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/instance.h"

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

FolderClaim::FolderClaim(const std::string& folder) {
  struct stat info {};
  const std::string place = PrivateFolder();
  if (place.empty() || stat(folder.c_str(), &info) != 0) return;
  const std::string path = place + "/folder-" + std::to_string(info.st_dev) + "-" +
                           std::to_string(info.st_ino) + ".lock";
  fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd_ < 0) return;
  int result;
  while ((result = flock(fd_, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
  }
  if (result != 0 && errno == EWOULDBLOCK) {
    held_ = false;
    close(fd_);
    fd_ = -1;
  }
}

FolderClaim::~FolderClaim() {
  if (fd_ >= 0) close(fd_);
}

}  // namespace trimora
