// The command line of Trimora2 and its single-instance rule.
#pragma once
#include <string>
#include <vector>

namespace trimora::app {

// The window class name of the main window.
inline constexpr const char* kMainWindowClass = "TKvMainForm";

// What a start of Trimora2 is asked to do.
struct StartRequest {
  enum class Action { Start, Help, Version, Usage };
  Action action = Action::Start;
  // "-restart" came first (compared exactly): start even while another instance runs.
  bool restart = false;
  // A folder, or a picture in one, to open at start; absolute; empty when none was given.
  std::string path;
  // For Action::Usage, what was wrong (German, for standard error).
  std::string problem;

  bool operator==(const StartRequest&) const = default;
};

// Reads the arguments (without the program): "-restart" first, then at most one folder or
// picture; "--help" or "-h" and "--version" alone; "--" ends the options, so that a path may
// start with "-". A relative path is made absolute against the working folder.
StartRequest ReadCommandLine(const std::vector<std::string>& arguments);

// The text of "Trimora2 --help".
const char* UsageText();

// True when another instance owns the main window's class.
bool AnotherInstanceRuns();

// Hands `path` to the running instance, which opens it and comes to the front; false when
// none takes it.
bool HandOverPath(const std::string& path);

}  // namespace trimora::app
