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

// The claim of one program window on a folder: while one is held, a second claim on the same
// folder (by another process or another window) is refused at once. A claim is a lock on a file
// in the user's private folder named after the folder's identity, so the folder itself stays
// untouched and a killed holder leaves nothing that blocks.
class FolderClaim {
 public:
  explicit FolderClaim(const std::string& folder);
  ~FolderClaim();
  FolderClaim(const FolderClaim&) = delete;
  FolderClaim& operator=(const FolderClaim&) = delete;

  // False when someone else holds the folder. Where no claim can be made (no private folder,
  // the folder cannot be looked at), the claim counts as held and the work goes ahead.
  bool Held() const { return held_; }

 private:
  int fd_ = -1;
  bool held_ = true;
};

}  // namespace trimora
