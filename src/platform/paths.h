// Folders of the program and of the user, and the path texts built from them.
#pragma once

#include <string>
#include <string_view>

namespace trimora {

// The path separator of this system ('/' here, '\\' on Windows).
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// `folder` with a path separator appended when it does not end with one (an empty folder
// becomes the separator alone).
std::string WithTrailingSeparator(std::string_view folder);

// `path` without its trailing separators; a lone root separator stays.
std::string WithoutTrailingSeparator(std::string_view path);

// The file-name part of a path: the text after its last separator (on Windows also after a
// drive's colon); the whole path when it has none.
std::string FileNamePart(std::string_view path);

// The folder part of a path: everything up to and including its last separator (the text that
// FileNamePart leaves); empty when the path has none.
std::string FolderPart(std::string_view path);

// The folder of the running program file, ending with a path separator.
std::string ProgramFolder();

// The user's documents folder, without a trailing separator.
std::string DocumentsFolder();

// The user's desktop folder, without a trailing separator.
std::string DesktopFolder();

// The path of a program file that lies beside this one ("jpegtran", "Brevio"); programs carry
// no ".exe" here. Falls back to the bare name (found through the PATH) when it is not there.
std::string ProgramBeside(const std::string& name);

}  // namespace trimora
