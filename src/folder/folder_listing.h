// Listing the pictures of a source folder.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace trimora {

// True when `name` ends in ".jpg" without regard to case.
bool HasJpgExtension(std::string_view name);
// The full paths of the regular files of `folder` whose names end in ".jpg" (any case), in the
// order the file system enumerates them; sub-folders are not entered. Each path is `folder`,
// a separator added when missing, and the file name. Throws trimora::Error (kFolderCannotRead)
// when the folder cannot be read.
std::vector<std::string> ListJpegFiles(std::string_view folder);
}  // namespace trimora
