// trimora: the headless companion of Trimora 2 for scripting photo work.
#include "cli/command.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace trimora::cli {
namespace {

std::vector<Command>& registry() {
  static std::vector<Command> commands;
  return commands;
}

void printUsage(std::FILE* to) {
  std::fprintf(to, "Aufruf: trimora BEFEHL [ARGUMENTE]\n\nBefehle:\n");
  auto commands = registry();
  std::sort(commands.begin(), commands.end(),
            [](const Command& a, const Command& b) { return a.name < b.name; });
  for (const auto& c : commands) {
    std::fprintf(to, "  trimora %.*s\n", static_cast<int>(c.synopsis.size()), c.synopsis.data());
  }
}

}  // namespace

void registerCommand(const Command& command) { registry().push_back(command); }

}  // namespace trimora::cli

int main(int argc, char** argv) {
  using namespace trimora::cli;
  if (argc < 2) {
    printUsage(stderr);
    return 2;
  }
  const std::string_view name = argv[1];
  if (name == "--help" || name == "-h" || name == "help") {
    printUsage(stdout);
    return 0;
  }
  for (const auto& c : registry()) {
    if (c.name == name) {
      return c.run(std::vector<std::string>(argv + 2, argv + argc));
    }
  }
  std::fprintf(stderr, "trimora: unbekannter Befehl \"%s\"\n\n", argv[1]);
  printUsage(stderr);
  return 2;
}
