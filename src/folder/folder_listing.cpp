#include "folder/folder_listing.h"

#include "platform/files.h"
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
  for (std::string& name : ListFiles(folder)) {
    if (HasJpgExtension(name)) result.push_back(base + name);
  }
  return result;
}

}  // namespace trimora
