// The single-instance rule of Trimora2.
#pragma once
#include <string>
#include <vector>

namespace trimora::app {

// The window class name of the main window.
inline constexpr const char* kMainWindowClass = "TKvMainForm";

// True when this start must end at once: another instance owns the main window's class and
// the first argument is not "-restart" (compared exactly). `arguments` excludes the program.
bool AnotherInstanceRuns(const std::vector<std::string>& arguments);

}  // namespace trimora::app
