// Files and folders: what the rest of the program asks of the file system, in one place. Paths
// are the platform's own path bytes (UTF-8 here).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace trimora {

// Something exists at `path` (a file, a folder, anything).
bool PathExists(const std::string& path);
// A regular file (links followed) is at `path`.
bool IsRegularFile(const std::string& path);
// A folder (links followed) is at `path`; false for an empty path.
bool IsFolder(const std::string& path);
// The size in bytes of the regular file at `path`, or -1 when there is none.
std::int64_t FileSize(const std::string& path);

// What creating a folder gave.
enum class FolderCreation { kCreated, kAlreadyExists, kFailed };

// Creates the folder `path` (its parent must exist); a file or folder of that name already
// there is kAlreadyExists.
FolderCreation CreateFolder(const std::string& path);

// Creates `path` and the folders above it that are missing, each only for the user (mode 0700),
// as the user's own folders of settings and data want them. True when `path` is a folder
// afterwards.
bool MakeFolders(const std::string& path);

// Removes the file at `path`; false when it could not be removed.
bool RemoveFile(const std::string& path);

// Moves `from` to `to` without ever replacing a file at `to`; false when `to` exists or the move
// fails.
bool MoveWithoutReplacing(const std::string& from, const std::string& to);

// Renames `from` over `to`, replacing a file there; false on failure.
bool ReplaceByRename(const std::string& from, const std::string& to);

// Gives `to` the access rights of `from`, when `from` exists; failures are ignored.
void TakeOverPermissions(const std::string& from, const std::string& to);

// Whether `a` and `b` name the same file or folder (the same object on the same device, however
// it is spelt); false when either is missing.
bool SameFile(const std::string& a, const std::string& b);

// The names of the regular files (links followed) in `folder`, in the order the file system
// lists them; sub-folders are not entered. Throws trimora::Error (kFolderCannotRead) when the
// folder cannot be read.
std::vector<std::string> ListFiles(std::string_view folder);

// Files are opened for reading only when they are regular files: a pipe, device or folder under
// a file's name is refused at once, without waiting for a writer.

// A stdio stream reading the regular file at `path` (for libraries that read from one), or null
// when it cannot be opened. The caller closes it.
std::FILE* OpenStream(const std::string& path);

// Reads the whole regular file at `path`. Throws trimora::Error (kFileCannotOpen when it cannot
// be opened or is no regular file, kStreamReadFailed when reading fails).
std::string ReadWholeFile(const std::string& path);

// Throws trimora::Error (kFileWriteProtected) when `path` is a regular file that nobody may
// write (no write permission at all). Files the user keeps as they are (format and table
// files, originals) are checked with it before they are replaced; the superuser is refused
// too, as a read-only file is on Windows.
void RefuseWriteProtected(const std::string& path);

// Writes `bytes` to `path` through a temporary file beside it that replaces the old file only
// when complete and on the disk (keeping the old file's access rights); on failure nothing is
// left behind and the old file is untouched; a write-protected file is replaced too (keeping
// its rights). Throws trimora::Error.
void ReplaceFileContents(const std::string& path, std::string_view bytes);

// A free temporary name beside `path` (".trimora-<process>-<n>.tmp" in its folder, short enough
// for any name the file system allows), created empty and exclusively; throws trimora::Error
// (kFileCannotCreate) when none can be created.
std::string CreateTemporaryBeside(const std::string& path);

// Removes the temporary files that processes of this program left in `folder` when they were
// killed (those of processes that still run stay); failures are ignored.
void RemoveStaleTemporaries(const std::string& folder);

// A file written whole or not at all: the bytes go into a temporary file beside the target,
// which replaces the target only when everything was written and is on the disk. The temporary
// file has no name where the file system allows it, so that it dies with the process; else it
// is one of CreateTemporaryBeside's. An existing target keeps its access rights.
class ReplacingFile {
 public:
  // Creates the temporary file beside `path`; throws trimora::Error (kFileCannotCreate) when
  // the folder is not writable or `path` is a folder. A write-protected `path` is replaced
  // (callers that must keep one check RefuseWriteProtected first).
  explicit ReplacingFile(std::string path);
  // Removes the temporary file unless Commit() has run.
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // Appends bytes; throws trimora::Error (kFileCannotWrite) when they cannot be written.
  void Write(const void* data, std::size_t size);
  // Writes bytes at `offset` of the temporary file (also inside what was written before, or
  // past its end, leaving a hole), without moving the place where Write appends; throws
  // trimora::Error (kFileCannotWrite) when they cannot be written.
  void WriteAt(std::uint64_t offset, const void* data, std::size_t size);
  // Reads up to `size` bytes at `offset` of what the temporary file holds so far; returns the
  // number read (fewer at its end). Throws trimora::Error (kFileCannotWrite).
  std::size_t ReadAt(std::uint64_t offset, void* to, std::size_t size);
  // The bytes the temporary file holds so far.
  std::uint64_t Size();
  // Appends what `other` holds from `offset` to its end, copied inside the kernel where it can
  // be; throws trimora::Error (kFileCannotWrite).
  void AppendFrom(ReplacingFile& other, std::uint64_t offset);
  // Puts the temporary file on the disk, closes it and gives it the target's name; throws
  // trimora::Error on failure.
  void Commit();

  // The open temporary file for the platform layer (a started program writes into it): what
  // was written is flushed first. -1 after Commit().
  int Descriptor();

  // The target path.
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::string temporary_;  // empty while the temporary file has no name
  std::FILE* file_ = nullptr;
};

// Sequential reading of a file through a buffer: byte by byte or in blocks.
class FileReader {
 public:
  // Opens the regular file `path` for reading; IsOpen() tells whether that worked.
  explicit FileReader(const std::string& path);
  ~FileReader();
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  // The open file's size in bytes and last-write time in seconds since 1970.
  std::uint64_t Size() const { return size_; }
  std::int64_t ModifiedTime() const { return modified_; }

  // The next byte, or -1 at the end. Throws trimora::Error (kStreamReadFailed) when reading
  // fails.
  int Get();
  // Fills `n` bytes; false when the file ends before. Throws like Get().
  bool Read(std::uint8_t* to, std::size_t n);

 private:
  bool Refill();
  long ReadSome(std::uint8_t* to, std::size_t n);

  int fd_ = -1;
  std::uint64_t size_ = 0;
  std::int64_t modified_ = 0;
  std::vector<std::uint8_t> buffer_;
  std::size_t at_ = 0, filled_ = 0;
};

}  // namespace trimora
