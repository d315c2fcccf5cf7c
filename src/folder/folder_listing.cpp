#include "folder/folder_listing.h"

#include <algorithm>

#include "platform/files.h"
#include "platform/paths.h"

namespace trimora {

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool ListedBefore(std::string_view a, std::string_view b) {
  const auto lessFolded = [](char x, char y) {
    return static_cast<unsigned char>(Upper(x)) < static_cast<unsigned char>(Upper(y));
  };
  if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), lessFolded)) return true;
  if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), lessFolded))
    return false;
  return a < b;
}

bool HasJpgExtension(std::string_view name) {
  if (name.size() < 4) return false;
  std::string_view ext = name.substr(name.size() - 4);
  return ext[0] == '.' && Lower(ext[1]) == 'j' && Lower(ext[2]) == 'p' && Lower(ext[3]) == 'g';
}

std::vector<std::string> ListJpegFiles(std::string_view folder) {
  std::vector<std::string> result;
  const std::string base = WithTrailingSeparator(folder);
  std::vector<std::string> names = ListFiles(folder);
  std::erase_if(names, [](const std::string& name) { return !HasJpgExtension(name); });
  std::sort(names.begin(), names.end(), ListedBefore);
  result.reserve(names.size());
  for (const std::string& name : names) result.push_back(base + name);
  return result;
}

}  // namespace trimora
