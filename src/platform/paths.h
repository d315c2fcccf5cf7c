// Folders of the program and of the user.
#pragma once

#include <string>

namespace trimora {

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
