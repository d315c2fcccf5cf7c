// Subcommands of the trimora command-line tool.
//
// Exit codes of every command: 0 success, 1 failure (bad input, a file that cannot be read or
// written), 2 a wrong call (unknown command, option or number of arguments).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace trimora::cli {

// The tool's exit codes.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Runs one subcommand with its arguments (without the subcommand's own name);
// returns the process exit code.
using CommandFunction = int (*)(const std::vector<std::string>& args);

struct Command {
  std::string_view name;      // as typed after "trimora"
  std::string_view synopsis;  // the usage line after "trimora "
  std::string_view summary;   // one line for the list of commands
  std::string_view help;      // what "trimora help NAME" shows below the usage line
  CommandFunction run;
};

// Registers a subcommand; used through a static Registration object in each command file.
void registerCommand(const Command& command);

struct Registration {
  explicit Registration(const Command& command) { registerCommand(command); }
};

// Prints the usage line of the command `name` and where to read more on standard error;
// returns kExitUsage. For a command's wrong calls.
int UsageError(std::string_view name);

}  // namespace trimora::cli
