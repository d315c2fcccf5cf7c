// Splitting debug text into the messages for the debug viewer.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ornautil {

// The debug text as the viewer receives it: bell characters taken out (`*bells` counts them),
// split at line ends ("\n", "\r\n" or "\r") and after every ORNAUTIL_DEBUG_PIECE characters,
// each piece prefixed with `module` and ":". Empty lines are not sent.
std::vector<std::string> DebugMessages(std::string_view module, std::string_view text, int* bells);

}  // namespace ornautil
