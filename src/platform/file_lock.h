// An exclusive lock between processes, held on a file or folder while the object lives.
#pragma once

#include <string>

namespace trimora {

// Takes an exclusive flock on `path` (waiting for it). A folder is locked as it is; any other
// path is opened as a lock file, created with mode 0600 when missing. When the path cannot be
// opened, nothing is locked and the work goes ahead unprotected.
class FileLock {
 public:
  explicit FileLock(const std::string& path);
  // Releases the lock.
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  int fd_;
};

}  // namespace trimora
