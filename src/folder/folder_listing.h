// Listing the pictures of a source folder.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace trimora {

// True when `name` ends in ".jpg" without regard to case.
bool HasJpgExtension(std::string_view name);
// Whether file name `a` comes before `b` in a listing: by name with the letters a-z read as
// A-Z (so "_" follows the letters, as in a Windows folder), names that differ only in case by
// their exact bytes.
bool ListedBefore(std::string_view a, std::string_view b);
// The full paths of the regular files of `folder` whose names end in ".jpg" (any case), sorted
// by file name (ListedBefore); sub-folders are not entered. Each path is `folder`,
// a separator added when missing, and the file name. Throws trimora::Error (kFolderCannotRead)
// when the folder cannot be read.
std::vector<std::string> ListJpegFiles(std::string_view folder);
}  // namespace trimora
