// Folders of the program and of the user on Linux.
//
// The documents and desktop folders follow the XDG user directories: the entries
// XDG_DOCUMENTS_DIR and XDG_DESKTOP_DIR of $XDG_CONFIG_HOME/user-dirs.dirs (with "$HOME"
// replaced), as long as the folder exists; otherwise ~/Documents or ~/Dokumente
// (~/Desktop or ~/Schreibtisch) when one exists; otherwise the home folder itself.
#include "platform/paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "platform/files.h"
#include "platform/user_folders.h"

namespace trimora {

namespace {

#ifdef _WIN32
constexpr std::string_view kSeparators = "\\/";
constexpr std::string_view kNameEnds = "\\/:";
#else
constexpr std::string_view kSeparators = "/";
constexpr std::string_view kNameEnds = "/";
#endif

// The installed program folder below the installation prefix, as the install rules name it.
constexpr std::string_view kInstalledProgramFolder = TRIMORA_INSTALLED_PROGRAM_FOLDER;

bool IsSeparator(char c) { return kSeparators.find(c) != std::string_view::npos; }

}  // namespace

std::string WithTrailingSeparator(std::string_view folder) {
  std::string result(folder);
  if (result.empty() || !IsSeparator(result.back())) result += kPathSeparator;
  return result;
}

std::string WithoutTrailingSeparator(std::string_view path) {
  std::string result(path);
  while (result.size() > 1 && IsSeparator(result.back())) result.pop_back();
  return result;
}

std::string FileNamePart(std::string_view path) {
  const std::size_t at = path.find_last_of(kNameEnds);
  return std::string(at == std::string_view::npos ? path : path.substr(at + 1));
}

std::string FolderPart(std::string_view path) {
  const std::size_t at = path.find_last_of(kNameEnds);
  return std::string(at == std::string_view::npos ? std::string_view() : path.substr(0, at + 1));
}

std::string AbsolutePath(const std::string& path) {
  if (path.empty() || path.front() == '/') return path;
  std::vector<char> buffer(4096);
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return path;
    buffer.resize(buffer.size() * 2);
  }
  return WithTrailingSeparator(buffer.data()) + path;
}

namespace {

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// The value of `entry` in a user-dirs.dirs text: a line `NAME="$HOME/Folder"` or
// `NAME="/absolute/path"`. Backslash escapes inside the quotes are undone.
std::string UserDirsEntry(const std::string& content, const std::string& entry,
                          const std::string& home) {
  std::size_t start = 0;
  std::string result;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    std::string line = content.substr(start, end - start);
    start = end + 1;
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    line.erase(0, first);
    if (line.compare(0, entry.size() + 1, entry + "=") != 0) continue;
    std::string value = line.substr(entry.size() + 1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t' || value.back() == '\r'))
      value.pop_back();
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') continue;
    value = value.substr(1, value.size() - 2);
    std::string path;
    std::size_t i = 0;
    if (value.compare(0, 5, "$HOME") == 0 && (value.size() == 5 || value[5] == '/')) {
      path = home;
      i = 5;
    } else if (value.empty() || value[0] != '/') {
      continue;
    }
    for (; i < value.size(); ++i) {
      if (value[i] == '\\' && i + 1 < value.size()) ++i;
      path += value[i];
    }
    result = path;  // the last entry of that name holds
  }
  return result;
}

std::string UserFolder(const char* entry, std::initializer_list<const char*> fallbacks) {
  const std::string home = HomeFolder();
  std::ifstream in(ConfigHome() + "/user-dirs.dirs", std::ios::binary);
  if (in) {
    const std::string content((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    const std::string configured = WithoutTrailingSlash(UserDirsEntry(content, entry, home));
    if (IsFolder(configured)) return configured;
  }
  for (const char* name : fallbacks) {
    const std::string candidate = home + "/" + name;
    if (IsFolder(candidate)) return candidate;
  }
  return home;
}

}  // namespace

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return WithoutTrailingSlash(home);
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
      found->pw_dir != nullptr && found->pw_dir[0] == '/') {
    return WithoutTrailingSlash(found->pw_dir);
  }
  return "/";
}

std::string ConfigHome() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  // Relative values are to be ignored.
  if (config != nullptr && config[0] == '/') return WithoutTrailingSlash(config);
  const std::string home = HomeFolder();
  return (home == "/" ? "" : home) + "/.config";
}

std::string DataHome() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data != nullptr && data[0] == '/') return WithoutTrailingSlash(data);
  const std::string home = HomeFolder();
  return (home == "/" ? "" : home) + "/.local/share";
}

std::string ProgramFolder() {
  std::vector<char> buffer(4096);
  for (;;) {
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return "./";
    if (static_cast<std::size_t>(length) < buffer.size()) {
      std::string path(buffer.data(), static_cast<std::size_t>(length));
      const std::size_t slash = path.rfind('/');
      return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
    }
    buffer.resize(buffer.size() * 2);
  }
}

bool IsInstalledProgramFolder(std::string_view folder) {
  const std::string ending = "/" + std::string(kInstalledProgramFolder) + "/";
  return folder.size() >= ending.size() && folder.substr(folder.size() - ending.size()) == ending;
}

std::string UserCopyFolder() {
  const std::string program = ProgramFolder();
  if (!IsInstalledProgramFolder(program)) return program;
  return DataHome() + "/" + std::string(kUserSubfolder) + "/";
}

std::string DocumentsFolder() {
  return UserFolder("XDG_DOCUMENTS_DIR", {"Documents", "Dokumente"});
}

std::string DesktopFolder() { return UserFolder("XDG_DESKTOP_DIR", {"Desktop", "Schreibtisch"}); }

std::string ProgramBeside(const std::string& name) {
  const std::string path = ProgramFolder() + name;
  struct stat info {};
  if (stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0) {
    return path;
  }
  return name;
}

}  // namespace trimora
