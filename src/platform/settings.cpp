// The settings store on Linux.
//
// The key "\Software\Halvorn\Trimora\<major.minor>" is the file
// $XDG_CONFIG_HOME/Halvorn/Trimora/<major.minor>.ini (~/.config when XDG_CONFIG_HOME is not
// set), for this release "2.0.ini". The key itself and each sub-key are sections of that file,
// named by their full key path (see settings_file.h for the text form).
//
// The parsed file is kept and trusted as long as the file is the same one (device, inode, size
// and modification time); a file that another program has replaced or changed is read anew.
// Within the grain of the file's time after it was read or written, the bytes are read and
// compared with those known; once they are found unchanged past the grain, they are trusted.
// A change is written to a temporary file in the same folder and renamed over the old file, so
// a crash leaves either the old or the new file, never a half-written one (a temporary file
// that a killed writer left is removed at the next write); a batch of changes (closing the
// program writes some thirty values) is written once, and not at all when the file already
// holds what the batch wrote. The new file is written straight from the bytes read for the
// lines that stayed as they were and from the changed lines, without building it in memory
// first. There is no fsync: the file systems in use (ext4's auto_da_alloc, btrfs) write a
// file renamed over another before the rename itself. Changes take an exclusive lock on the
// folder and are made to the file as it is then, so that two programs writing at once (Trimora2
// and Brevio) do not lose each other's values.
#include "platform/settings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/error.h"
#include "platform/file_lock.h"
#include "platform/files.h"
#include "platform/settings_file.h"
#include "platform/user_folders.h"
#include "platform/version.h"

namespace trimora {
namespace {

std::mutex gHomeMutex;
std::string gHomeOverride;

// The store's root: the test override, else the configuration home.
std::string StoreHome() {
  {
    std::lock_guard lock(gHomeMutex);
    if (!gHomeOverride.empty()) return gHomeOverride;
  }
  return ConfigHome();
}

// "2.0" from "2.0.5.2".
std::string MajorMinor(const std::string& version) {
  const std::size_t first = version.find('.');
  const std::size_t second = first == std::string::npos ? first : version.find('.', first + 1);
  return second == std::string::npos ? version : version.substr(0, second);
}

std::string StoreFolder() { return StoreHome() + "/" + std::string(kUserSubfolder); }

// What tells one state of a file from another: a file renamed over it, or a change in place.
struct FileIdentity {
  bool exists = false;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{};
  bool operator==(const FileIdentity& o) const {
    return exists == o.exists && device == o.device && inode == o.inode && size == o.size &&
           modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec;
  }
};

// Seconds within which a change in place may leave a file's modification time as it was (file
// systems count time in ticks, some in whole seconds or two).
constexpr time_t kTimeGrain = 2;

timespec Now() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return now;
}

FileIdentity IdentityOf(const struct stat& info) {
  return {true, info.st_dev, info.st_ino, info.st_size, info.st_mtim};
}

FileIdentity IdentityOf(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return {};
  return IdentityOf(info);
}

// The whole file and the identity of what was read; empty when it does not exist or cannot be
// read (only a regular file is read, a pipe under its name would never end).
std::string ReadFile(const std::string& path, FileIdentity& identity) {
  identity = {};
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return {};
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return {};
  }
  identity = IdentityOf(info);
  std::string content;
  content.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    content.append(buffer, static_cast<std::size_t>(got));
  }
  close(fd);
  return content;
}

// Writes the pieces one after the other, many in one call.
bool WriteAll(int fd, const std::vector<std::string_view>& pieces) {
  std::vector<iovec> vectors;
  vectors.reserve(pieces.size());
  for (const std::string_view piece : pieces) {
    if (!piece.empty()) vectors.push_back({const_cast<char*>(piece.data()), piece.size()});
  }
  std::size_t next = 0;
  while (next < vectors.size()) {
    const int count = static_cast<int>(std::min<std::size_t>(vectors.size() - next, IOV_MAX));
    ssize_t wrote = writev(fd, vectors.data() + next, count);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    // Past the pieces written whole; a piece written in part goes on from where it stopped.
    while (next < vectors.size() && static_cast<std::size_t>(wrote) >= vectors[next].iov_len) {
      wrote -= static_cast<ssize_t>(vectors[next++].iov_len);
    }
    if (wrote > 0) {
      vectors[next].iov_base = static_cast<char*>(vectors[next].iov_base) + wrote;
      vectors[next].iov_len -= static_cast<std::size_t>(wrote);
    }
  }
  return true;
}

// The temporary file beside the settings file "2.0.ini": "2.0.ini.AbC123.tmp".
constexpr std::string_view kTemporarySuffix = ".tmp";

// True for the name of a temporary file that ReplaceFile makes beside `base`.
bool IsTemporaryOf(std::string_view name, std::string_view base) {
  constexpr std::size_t kRandom = 6;
  if (name.size() != base.size() + 1 + kRandom + kTemporarySuffix.size() ||
      !name.starts_with(base) || name[base.size()] != '.' || !name.ends_with(kTemporarySuffix))
    return false;
  for (const char c : name.substr(base.size() + 1, kRandom)) {
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

// Replaces `file` by a file with the bytes of `pieces`: temporary file, flush, rename. A
// settings file that is a symbolic link (kept with the user's other configuration files, say)
// stays one: the file it points to is replaced. Runs under the store's lock, so a temporary
// file beside it is one that a killed writer left; those are removed first.
bool ReplaceFile(const std::string& file, const std::vector<std::string_view>& pieces) {
  std::string path = file;
  if (char* target = realpath(file.c_str(), nullptr)) {
    path = target;
    std::free(target);
  }
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
  const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  try {
    for (const std::string& name : ListFiles(folder)) {
      if (IsTemporaryOf(name, base)) RemoveFile(folder + "/" + name);
    }
  } catch (const Error&) {
    // An unreadable folder: the write below tells.
  }
  std::string temporary = path + ".XXXXXX" + std::string(kTemporarySuffix);
  const int fd = mkostemps(temporary.data(), static_cast<int>(kTemporarySuffix.size()), O_CLOEXEC);
  if (fd < 0) return false;
  struct stat old {};
  if (stat(path.c_str(), &old) == 0) fchmod(fd, old.st_mode & 07777);
  const bool written = WriteAll(fd, pieces);
  if (close(fd) != 0 || !written || rename(temporary.c_str(), path.c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  return true;
}

// Where a setting name lies: the key path (SettingsKey or one of its sub-keys) and the value.
struct Location {
  std::string file;
  std::string keyPath;
  std::string valueName;
};

std::string KeyOf(const std::string& majorMinor) {
  return "\\Software\\Halvorn\\Trimora\\" + majorMinor;
}

Location Locate(std::string_view name) {
  const std::string version = MajorMinor(ProgramVersion());
  Location location{StoreFolder() + "/" + version + ".ini", KeyOf(version), std::string(name)};
  const std::size_t split = name.find('\\');
  if (split != std::string_view::npos) {
    if (split > 0) location.keyPath += "\\" + std::string(name.substr(0, split));
    location.valueName = std::string(name.substr(split + 1));
  }
  return location;
}

bool SameValue(const std::optional<SettingsValue>& a, const SettingsValue& b) {
  return a && a->kind == b.kind &&
         (b.kind == SettingsValue::Kind::kNumber ? a->number == b.number : a->text == b.text);
}

// A change of the file: a key made (no value) or a value set.
struct Change {
  std::string keyPath;
  std::string valueName;
  std::optional<SettingsValue> value;
};

// The parsed file as it was last read or written, with the changes of the open batch.
struct Cache {
  std::recursive_mutex mutex;
  std::string file;
  FileIdentity identity;
  timespec cachedAt{};  // when the file's bytes were last known to be `stored`
  bool valid = false;
  std::string parsed;  // the text `document` was parsed from
  SettingsDocument document;
  // The file's bytes as read or last written: ranges of `parsed` and of `written`.
  std::vector<std::string_view> stored;
  std::string written;          // the bytes of the last write that are not in `parsed`
  int batches = 0;              // open SettingsBatch objects
  std::vector<Change> pending;  // changes of the batch not yet in the file
};

Cache& TheCache() {
  // Never destroyed: a large parsed file would otherwise be taken apart line by line at exit.
  static Cache* cache = new Cache;
  return *cache;
}

void Apply(SettingsDocument& document, const Change& change) {
  if (change.value) {
    document.Set(change.keyPath, change.valueName, *change.value);
  } else {
    document.AddKey(change.keyPath);
  }
}

// True when the cache may stand for the file: the same file, and one whose modification time
// lay so far before the cache was made that a later change cannot have kept it.
bool Trusted(const Cache& cache, const std::string& file) {
  return cache.valid && cache.file == file && IdentityOf(file) == cache.identity &&
         cache.identity.modified.tv_sec + kTimeGrain < cache.cachedAt.tv_sec;
}

std::size_t TotalSize(const std::vector<std::string_view>& pieces) {
  std::size_t size = 0;
  for (const std::string_view piece : pieces) size += piece.size();
  return size;
}

// Compares the bytes of a row of pieces with other bytes, block by block.
class PieceReader {
 public:
  explicit PieceReader(const std::vector<std::string_view>& pieces) : pieces_(pieces) {}
  // True when the next bytes of the pieces are `bytes`; moves past them.
  bool Matches(std::string_view bytes) {
    while (!bytes.empty()) {
      if (piece_ == pieces_.size()) return false;
      const std::string_view rest = pieces_[piece_].substr(at_);
      const std::size_t n = std::min(rest.size(), bytes.size());
      if (rest.data() != bytes.data() && rest.compare(0, n, bytes.substr(0, n)) != 0) return false;
      bytes.remove_prefix(n);
      at_ += n;
      if (at_ == pieces_[piece_].size()) {
        ++piece_;
        at_ = 0;
      }
    }
    return true;
  }

 private:
  const std::vector<std::string_view>& pieces_;
  std::size_t piece_ = 0;
  std::size_t at_ = 0;
};

// True when two rows of pieces hold the same bytes.
bool SameBytes(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b) {
  if (TotalSize(a) != TotalSize(b)) return false;
  PieceReader reader(a);
  for (const std::string_view piece : b) {
    if (!reader.Matches(piece)) return false;
  }
  return true;
}

// True when the regular file `path` holds exactly the bytes of `pieces`: read in blocks and
// compared, which costs far less than reading it whole and parsing it again.
bool HoldsContent(const std::string& path, const std::vector<std::string_view>& pieces) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  const std::size_t size = TotalSize(pieces);
  bool same = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
              static_cast<std::size_t>(info.st_size) == size;
  PieceReader reader(pieces);
  std::vector<char> buffer(65536);
  std::size_t at = 0;
  while (same) {
    const ssize_t got = read(fd, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      same = got == 0 && at == size;
      break;
    }
    const std::size_t n = static_cast<std::size_t>(got);
    same = at + n <= size && reader.Matches(std::string_view(buffer.data(), n));
    at += n;
  }
  close(fd);
  return same;
}

// Makes the cache hold `file` as it is now (plus the batch's changes): read anew unless the
// cache can be trusted. A file just read or written may have changed in place within its
// time's grain; when its bytes are still the ones parsed, the parse stands.
void Refresh(Cache& cache, const std::string& file) {
  if (Trusted(cache, file)) return;
  if (cache.valid && cache.file == file && cache.identity.exists) {
    // Once the bytes are found unchanged at a time past the file's grain, they are trusted.
    const timespec checkedAt = Now();
    if (IdentityOf(file) == cache.identity && HoldsContent(file, cache.stored)) {
      cache.cachedAt = checkedAt;
      return;
    }
  }
  FileIdentity identity;
  cache.parsed = ReadFile(file, identity);
  cache.stored.clear();
  cache.written.clear();
  if (!cache.parsed.empty()) cache.stored.push_back(cache.parsed);
  if (cache.parsed.empty())
    cache.parsed = "; Settings of Trimora 2 and Brevio. Each section is a settings key.\n";
  cache.document = SettingsDocument::Parse(cache.parsed);
  cache.file = file;
  cache.identity = identity;
  cache.cachedAt = Now();
  cache.valid = true;
  for (const Change& change : cache.pending) Apply(cache.document, change);
}

// Writes the cached document under the lock, after taking in what others wrote meanwhile.
void Flush(Cache& cache, const std::string& file) {
  const std::string folder = StoreFolder();
  if (!MakeFolders(folder)) {
    cache.pending.clear();
    cache.valid = false;
    return;
  }
  FileLock lock(folder);
  Refresh(cache, file);
  cache.pending.clear();
  // Lines kept as they were read are written from the bytes read, without copying them first;
  // a file that already holds these bytes (changes that came back to the stored values) is
  // left untouched.
  std::vector<std::string_view> pieces = cache.document.Pieces(cache.parsed);
  if (cache.identity.exists && SameBytes(pieces, cache.stored)) return;
  if (!ReplaceFile(file, pieces)) {
    cache.valid = false;
    return;
  }
  cache.identity = IdentityOf(file);
  cache.cachedAt = Now();
  // What the file holds now: the ranges of the parsed text, and a copy of the rest (the lines
  // set since the file was read, which the document may change again).
  const char* const parsedBegin = cache.parsed.data();
  const char* const parsedEnd = parsedBegin + cache.parsed.size();
  const auto inParsed = [&](std::string_view piece) {
    return std::less_equal<const char*>()(parsedBegin, piece.data()) &&
           std::less_equal<const char*>()(piece.data() + piece.size(), parsedEnd);
  };
  std::string written;
  for (const std::string_view piece : pieces) {
    if (!inParsed(piece)) written += piece;
  }
  cache.written = std::move(written);
  cache.stored.clear();
  std::size_t at = 0;
  for (const std::string_view piece : pieces) {
    if (inParsed(piece)) {
      cache.stored.push_back(piece);
    } else {
      const std::string_view copy = std::string_view(cache.written).substr(at, piece.size());
      at += piece.size();
      // Consecutive copied pieces lie side by side in `written`: one range.
      if (!cache.stored.empty() &&
          cache.stored.back().data() + cache.stored.back().size() == copy.data()) {
        cache.stored.back() =
            std::string_view(cache.stored.back().data(), cache.stored.back().size() + copy.size());
      } else {
        cache.stored.push_back(copy);
      }
    }
  }
}

// Makes `change` (unless the file holds it already): at once, or at the end of the open batch.
void Make(const Location& location, Change change) {
  Cache& cache = TheCache();
  std::lock_guard guard(cache.mutex);
  // Within a batch, what others wrote meanwhile is taken in when the batch is written.
  if (cache.batches == 0 || !cache.valid || cache.file != location.file)
    Refresh(cache, location.file);
  const bool holds =
      change.value
          ? SameValue(cache.document.Find(location.keyPath, location.valueName), *change.value)
          : cache.document.HasKey(location.keyPath);
  if (holds) return;
  Apply(cache.document, change);
  cache.pending.push_back(std::move(change));
  if (cache.batches == 0) Flush(cache, location.file);
}

// The stored value of `name`, creating the key (and the file) when it is missing.
std::optional<SettingsValue> Read(std::string_view name) {
  const Location location = Locate(name);
  Cache& cache = TheCache();
  std::lock_guard guard(cache.mutex);
  if (cache.batches == 0 || !cache.valid || cache.file != location.file)
    Refresh(cache, location.file);
  if (!cache.document.HasKey(location.keyPath)) {
    Make(location, {location.keyPath, {}, std::nullopt});
    return std::nullopt;
  }
  return cache.document.Find(location.keyPath, location.valueName);
}

void Write(std::string_view name, const SettingsValue& value) {
  const Location location = Locate(name);
  Make(location, {location.keyPath, location.valueName, value});
}

// A whole decimal number in the 32-bit range ("42", "-7"); nothing else.
std::optional<int> ParseNumber(std::string_view text) {
  if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return number;
}

}  // namespace

SettingsBatch::SettingsBatch() {
  Cache& cache = TheCache();
  std::lock_guard guard(cache.mutex);
  // The batch starts from the file as it is now; what others write meanwhile is taken in when
  // the batch is written.
  if (cache.batches++ == 0) Refresh(cache, Locate("").file);
}

SettingsBatch::~SettingsBatch() {
  Cache& cache = TheCache();
  std::lock_guard guard(cache.mutex);
  if (--cache.batches == 0 && !cache.pending.empty()) Flush(cache, cache.file);
}

std::string SettingsKey() { return KeyOf(MajorMinor(ProgramVersion())); }

std::string SettingsFilePath() { return Locate("").file; }

void SetSettingsHomeForTesting(std::string folder) {
  std::lock_guard lock(gHomeMutex);
  gHomeOverride = std::move(folder);
}

std::string ReadStringSetting(std::string_view name, std::string_view defaultText) {
  const auto value = Read(name);
  if (!value) return std::string(defaultText);
  if (value->kind == SettingsValue::Kind::kNumber) return std::to_string(value->number);
  return value->text.empty() ? std::string(defaultText) : value->text;
}

void WriteStringSetting(std::string_view name, std::string_view text) {
  Write(name, {SettingsValue::Kind::kString, std::string(text), 0});
}

int ReadIntSetting(std::string_view name, int defaultNumber) {
  const auto value = Read(name);
  if (!value) return defaultNumber;
  if (value->kind == SettingsValue::Kind::kNumber) return value->number;
  return ParseNumber(value->text).value_or(defaultNumber);
}

void WriteIntSetting(std::string_view name, int number) {
  Write(name, {SettingsValue::Kind::kNumber, {}, number});
}

bool ReadBoolSetting(std::string_view name, bool defaultFlag) {
  return ReadIntSetting(name, defaultFlag ? 1 : 0) == 1;
}

void WriteBoolSetting(std::string_view name, bool flag) { WriteIntSetting(name, flag ? 1 : 0); }

}  // namespace trimora
