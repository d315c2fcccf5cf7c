// Starting other programs: detached, hidden with waiting, and opening addresses.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace trimora {

// Splits a parameter text into arguments the way Windows splits a command line
// (blanks separate, double quotes group, backslashes before a quote escape it).
std::vector<std::string> SplitCommandLine(std::string_view parameters);

// Starts `program` without a window, with the arguments of `parameters` (split as above),
// and waits for its end. Returns its exit code, or -1 when it could not be started or crashed.
// No shell is involved. The program reads from /dev/null, its output is discarded, its error
// output goes where this program's goes; a name without "/" is looked up in the PATH.
int RunHiddenAndWait(const std::string& program, std::string_view parameters);

// The same, with the program's standard output going into `output` (appended to what it holds),
// so that a program that writes its result there writes it straight into the file.
int RunHiddenAndWait(const std::string& program, std::string_view parameters,
                     ReplacingFile& output);

// Starts `program` detached (in a session of its own, input from /dev/null, nothing to wait
// for) with `arguments` as they are; false when it could not be started.
bool StartDetached(const std::string& program, const std::vector<std::string>& arguments);

// Opens an address (a web page, a "mailto:" link, a file) with the desktop's handler.
bool OpenAddress(const std::string& address);

}  // namespace trimora
