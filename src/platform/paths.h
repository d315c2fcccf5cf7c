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

// `path` made absolute against the current working folder when it is relative; "." and ".."
// parts and links stay as they are. Unchanged when the working folder cannot be read.
std::string AbsolutePath(const std::string& path);

// The folder of the running program file, ending with a path separator.
std::string ProgramFolder();

// True when `folder` (ending with a separator) is the program folder of an installed system,
// "lib/trimora/" below the installation prefix, where the programs, the format files, "Hilfe/"
// and the libraries lie and the launchers on the PATH lead. A build folder never is one.
bool IsInstalledProgramFolder(std::string_view folder);

// Where the user's own copies of the files that the program writes into its program folder
// (the format files) live, ending with a separator: $XDG_DATA_HOME/Halvorn/Trimora/ when the
// program runs from an installed program folder, which is not the user's to write; the
// program folder itself when it runs from a build folder. The folder may not exist yet.
std::string UserCopyFolder();

// The user's documents folder, without a trailing separator.
std::string DocumentsFolder();

// The user's desktop folder, without a trailing separator.
std::string DesktopFolder();

// The path of a program file that lies beside this one ("jpegtran", "Brevio"); programs carry
// no ".exe" here. Falls back to the bare name (found through the PATH) when it is not there.
std::string ProgramBeside(const std::string& name);

}  // namespace trimora
