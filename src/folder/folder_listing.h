// Listing the pictures of a source folder and the path texts the folder presenter uses.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace trimora {

// The path separator of this system ('/' here, '\\' on Windows).
inline constexpr char kPathSeparator = '/';

// `path` with a trailing separator added when it has none.
std::string WithTrailingSeparator(std::string_view path);
// `path` without its trailing separators (a lone "/" stays).
std::string WithoutTrailingSeparator(std::string_view path);
// True when `name` ends in ".jpg" without regard to case.
bool HasJpgExtension(std::string_view name);
// The full paths of the regular files of `folder` whose names end in ".jpg" (any case), in the
// order the file system enumerates them; sub-folders are not entered. Each path is `folder`,
// a separator added when missing, and the file name. An unreadable folder gives nothing.
std::vector<std::string> ListJpegFiles(std::string_view folder);
// The file name part of a path.
std::string FileNameOf(std::string_view path);

}  // namespace trimora
