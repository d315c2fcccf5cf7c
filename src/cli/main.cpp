// trimora: the headless companion of Trimora 2 for scripting photo work.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "platform/version_record.h"

namespace trimora::cli {
namespace {

std::vector<Command>& registry() {
  static std::vector<Command> commands;
  return commands;
}

const Command* Find(std::string_view name) {
  for (const auto& c : registry()) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

void Print(std::FILE* to, std::string_view text) { std::fwrite(text.data(), 1, text.size(), to); }

// The whole tool's help: its calls, the commands, the options and the exit codes.
void PrintOverview(std::FILE* to) {
  Print(to,
        "Aufruf: trimora BEFEHL [ARGUMENTE]\n"
        "        trimora help [BEFEHL]\n"
        "        trimora --help | --version\n\n"
        "Das Kommandozeilenwerkzeug von Trimora 2: zeigt Tabellendateien und die EXIF- und\n"
        "IPTC-Daten von Bildern und schneidet die markierten Bilder eines Verzeichnisses zu.\n\n"
        "Befehle:\n");
  auto commands = registry();
  std::sort(commands.begin(), commands.end(),
            [](const Command& a, const Command& b) { return a.name < b.name; });
  std::size_t width = 0;
  for (const auto& c : commands) width = std::max(width, c.name.size());
  for (const auto& c : commands) {
    Print(to, "  " + std::string(c.name) + std::string(width - c.name.size() + 2, ' ') +
                  std::string(c.summary) + "\n");
  }
  Print(to,
        "\nOptionen:\n"
        "  -h, --help  diese Hilfe zeigen\n"
        "  --version   die Versionsnummer zeigen\n\n"
        "Rückgabewert: 0 bei Erfolg, 1 bei einem Fehler, 2 bei einem falschen Aufruf.\n"
        "\"trimora help BEFEHL\" zeigt die Hilfe zu einem Befehl, \"man trimora\" das Handbuch.\n");
}

void PrintCommandHelp(const Command& c) {
  Print(stdout, "Aufruf: trimora " + std::string(c.synopsis) + "\n\n" + std::string(c.help));
}

int UnknownCommand(std::string_view name) {
  std::fprintf(stderr, "trimora: unbekannter Befehl \"%.*s\"\n\n", static_cast<int>(name.size()),
               name.data());
  PrintOverview(stderr);
  return kExitUsage;
}

bool IsHelpOption(std::string_view argument) { return argument == "--help" || argument == "-h"; }

int Run(const std::vector<std::string>& args) {
  if (args.empty()) {
    PrintOverview(stderr);
    return kExitUsage;
  }
  const std::string& name = args[0];
  if (IsHelpOption(name) || (name == "help" && args.size() == 1)) {
    PrintOverview(stdout);
    return kExitSuccess;
  }
  if (name == "--version") {
    if (args.size() != 1) return UsageError("--version");
    Print(stdout, "trimora " + RecordedVersion() + "\n");
    return kExitSuccess;
  }
  if (name == "help") {
    if (args.size() != 2) {
      std::fprintf(stderr, "Aufruf: trimora help [BEFEHL]\n");
      return kExitUsage;
    }
    const Command* command = Find(args[1]);
    if (command == nullptr) return UnknownCommand(args[1]);
    PrintCommandHelp(*command);
    return kExitSuccess;
  }
  const Command* command = Find(name);
  if (command == nullptr) return UnknownCommand(name);
  if (args.size() == 2 && IsHelpOption(args[1])) {
    PrintCommandHelp(*command);
    return kExitSuccess;
  }
  return command->run(std::vector<std::string>(args.begin() + 1, args.end()));
}

}  // namespace

void registerCommand(const Command& command) { registry().push_back(command); }

int UsageError(std::string_view name) {
  if (const Command* command = Find(name)) {
    std::fprintf(stderr, "Aufruf: trimora %.*s\n", static_cast<int>(command->synopsis.size()),
                 command->synopsis.data());
    std::fprintf(stderr, "Mehr dazu: trimora help %.*s\n", static_cast<int>(name.size()),
                 name.data());
  } else {
    std::fprintf(stderr, "Aufruf: trimora %.*s\nMehr dazu: trimora --help\n",
                 static_cast<int>(name.size()), name.data());
  }
  return kExitUsage;
}

}  // namespace trimora::cli

int main(int argc, char** argv) {
  return trimora::cli::Run(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
}
