#include "folder/folder_listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

#include "platform/paths.h"

namespace trimora {

bool HasJpgExtension(std::string_view name) {
  if (name.size() < 4) return false;
  std::string_view ext = name.substr(name.size() - 4);
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  return ext[0] == '.' && lower(ext[1]) == 'j' && lower(ext[2]) == 'p' && lower(ext[3]) == 'g';
}

std::vector<std::string> ListJpegFiles(std::string_view folder) {
  std::vector<std::string> result;
  const std::string base = WithTrailingSeparator(folder);
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(base.c_str()), closedir);
  if (!dir) return result;
  while (dirent* entry = readdir(dir.get())) {
    std::string_view name = entry->d_name;
    if (!HasJpgExtension(name)) continue;
    std::string path = base + std::string(name);
    bool regular = entry->d_type == DT_REG;
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
      struct stat info {};
      regular = stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    }
    if (regular) result.push_back(std::move(path));
  }
  return result;
}

}  // namespace trimora
