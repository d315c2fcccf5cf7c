// The settings store on Linux.
//
// The key "\Software\Halvorn\Trimora\<major.minor>" is the file
// $XDG_CONFIG_HOME/Halvorn/Trimora/<major.minor>.ini (~/.config when XDG_CONFIG_HOME is not
// set), for this release "2.0.ini". The key itself and each sub-key are sections of that file,
// named by their full key path (see settings_file.h for the text form).
//
// Every call reads the file anew. A change is written to a temporary file in the same folder
// and renamed over the old file, so a crash leaves either the old or the new file, never a
// half-written one. There is no fsync: closing the program writes some thirty values, and
// waiting for the disk thirty times would make closing slow; the file systems in use (ext4's
// auto_da_alloc, btrfs) write a file renamed over another before the rename itself. Changes take an
// exclusive lock on the folder, so that two programs writing at once (Trimora2 and Brevio) do not
// lose each other's values.
#include "platform/settings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <mutex>

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

// The whole file; empty when it does not exist or cannot be read.
std::string ReadFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  std::string content;
  char buffer[8192];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    content.append(buffer, static_cast<std::size_t>(got));
  }
  close(fd);
  return content;
}

bool WriteAll(int fd, const std::string& content) {
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t wrote = write(fd, content.data() + done, content.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    done += static_cast<std::size_t>(wrote);
  }
  return true;
}

// Replaces `file` by a file with `content`: temporary file, flush, rename. A settings file
// that is a symbolic link (kept with the user's other configuration files, say) stays one:
// the file it points to is replaced.
void ReplaceFile(const std::string& file, const std::string& content) {
  std::string path = file;
  if (char* target = realpath(file.c_str(), nullptr)) {
    path = target;
    std::free(target);
  }
  std::string temporary = path + ".XXXXXX";
  const int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return;
  struct stat old {};
  if (stat(path.c_str(), &old) == 0) fchmod(fd, old.st_mode & 07777);
  const bool written = WriteAll(fd, content);
  if (close(fd) != 0 || !written || rename(temporary.c_str(), path.c_str()) != 0) {
    unlink(temporary.c_str());
  }
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

// Changes the file under the lock; `change` returns false when nothing needs writing.
template <typename Change>
void Update(const Location& location, Change change) {
  const std::string folder = StoreFolder();
  if (!MakeFolders(folder)) return;
  FileLock lock(folder);
  std::string content = ReadFile(location.file);
  if (content.empty())
    content = "; Settings of Trimora 2 and Brevio. Each section is a settings key.\n";
  SettingsDocument document = SettingsDocument::Parse(content);
  if (change(document)) ReplaceFile(location.file, document.Serialize());
}

// The stored value of `name`, creating the key (and the file) when it is missing.
std::optional<SettingsValue> Read(std::string_view name) {
  const Location location = Locate(name);
  const SettingsLookup found =
      SettingsDocument::Lookup(ReadFile(location.file), location.keyPath, location.valueName);
  if (!found.hasKey) {
    Update(location, [&](SettingsDocument& fresh) {
      if (fresh.HasKey(location.keyPath)) return false;
      fresh.AddKey(location.keyPath);
      return true;
    });
    return std::nullopt;
  }
  return found.value;
}

void Write(std::string_view name, const SettingsValue& value) {
  const Location location = Locate(name);
  Update(location, [&](SettingsDocument& document) {
    document.Set(location.keyPath, location.valueName, value);
    return true;
  });
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
