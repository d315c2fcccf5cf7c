// Subcommands of the trimora command-line tool.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace trimora::cli {

// Runs one subcommand with its arguments (without the subcommand's own name);
// returns the process exit code.
using CommandFunction = int (*)(const std::vector<std::string>& args);

struct Command {
  std::string_view name;     // as typed after "trimora"
  std::string_view synopsis; // one usage line for the help text
  CommandFunction run;
};

// Registers a subcommand; used through a static Registration object in each command file.
void registerCommand(const Command& command);

struct Registration {
  explicit Registration(const Command& command) { registerCommand(command); }
};

}  // namespace trimora::cli
