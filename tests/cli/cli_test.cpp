// trimora as a user calls it: the overview, the help of each command, the version, the exit
// codes of wrong calls, and the manual page that describes the same commands.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <set>
#include <string>

#include "temp_dir.h"

namespace trimora {
namespace {

using test::ReadFile;
using test::TempDir;

struct Result {
  int exitCode;
  std::string out;
  std::string err;
};

// Runs "trimora ARGS" (ARGS as the shell reads them) with stdout and stderr caught.
Result Trimora(const std::string& args) {
  TempDir dir;
  const std::string out = dir.File("stdout.txt");
  const std::string err = dir.File("stderr.txt");
  const std::string command =
      std::string("'") + TRIMORA_CLI + "' " + args + " >'" + out + "' 2>'" + err + "' </dev/null";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(out), ReadFile(err)};
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The command names of the overview's list "Befehle:".
std::set<std::string> ListedCommands(const std::string& overview) {
  std::set<std::string> names;
  const std::size_t list = overview.find("Befehle:\n");
  const std::size_t end = overview.find("\n\n", list);
  const std::regex line(R"(\n  ([a-z]+)  )");
  const std::string part = overview.substr(list + 8, end - list - 8);
  for (std::sregex_iterator m(part.begin(), part.end(), line), last; m != last; ++m) {
    names.insert((*m)[1]);
  }
  return names;
}

TEST(CommandLine, HelpAndVersionGoToStandardOutputWithSuccess) {
  const Result overview = Trimora("--help");
  EXPECT_EQ(overview.exitCode, 0);
  EXPECT_EQ(overview.err, "");
  EXPECT_EQ(overview.out.rfind("Aufruf: trimora BEFEHL [ARGUMENTE]\n", 0), 0u) << overview.out;
  EXPECT_EQ(ListedCommands(overview.out),
            (std::set<std::string>{"crop", "exif", "orient", "table"}));
  EXPECT_TRUE(
      Contains(overview.out, "0 bei Erfolg, 1 bei einem Fehler, 2 bei einem falschen Aufruf"));
  for (const char* same : {"-h", "help"}) {
    EXPECT_EQ(Trimora(same).out, overview.out) << same;
  }

  const Result version = Trimora("--version");
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, "trimora " TRIMORA_VERSION "\n");
  EXPECT_EQ(version.err, "");
}

TEST(CommandLine, EachCommandHasItsHelpBothWays) {
  const std::pair<const char*, const char*> cases[] = {
      {"crop", "Aufruf: trimora crop QUELLE ZIEL [--overwrite ask|yes|all|no] [--jobs N]\n\n"},
      {"exif", "Aufruf: trimora exif DATEI...\n\n"},
      {"orient", "Aufruf: trimora orient [--lossless-only] VERZEICHNIS|DATEI ...\n\n"},
      {"table", "Aufruf: trimora table [--json] DATEI | --from-json EINGABE.json AUSGABE\n\n"},
  };
  for (const auto& [name, usage] : cases) {
    const Result help = Trimora(std::string("help ") + name);
    EXPECT_EQ(help.exitCode, 0) << name;
    EXPECT_EQ(help.out.rfind(usage, 0), 0u) << help.out;
    EXPECT_TRUE(Contains(help.out, "Rückgabewert: 0 bei Erfolg")) << name;
    EXPECT_EQ(Trimora(std::string(name) + " --help").out, help.out) << name;
    EXPECT_EQ(Trimora(std::string(name) + " -h").out, help.out) << name;
  }
  EXPECT_TRUE(Contains(Trimora("help crop").out, "--overwrite no"));
}

TEST(CommandLine, WrongCallsEndWithTwoAndSayWhatIsRight) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "Aufruf: trimora BEFEHL [ARGUMENTE]\n"},
      {"nix", "trimora: unbekannter Befehl \"nix\"\n"},
      {"--nix", "trimora: unbekannter Befehl \"--nix\"\n"},
      {"help nix", "trimora: unbekannter Befehl \"nix\"\n"},
      {"help crop exif", "Aufruf: trimora help [BEFEHL]\n"},
      {"--version x", "Aufruf: trimora --version\n"},
      {"crop",
       "Aufruf: trimora crop QUELLE ZIEL [--overwrite ask|yes|all|no] [--jobs N]\n"
       "Mehr dazu: trimora help crop\n"},
      {"crop a b c", "Aufruf: trimora crop "},
      {"crop a b --overwrite maybe", "Aufruf: trimora crop "},
      {"exif", "Aufruf: trimora exif DATEI...\nMehr dazu: trimora help exif\n"},
      {"orient",
       "Aufruf: trimora orient [--lossless-only] VERZEICHNIS|DATEI ...\n"
       "Mehr dazu: trimora help orient\n"},
      {"orient --nix", "Aufruf: trimora orient "},
      {"table", "Aufruf: trimora table "},
  };
  for (const auto& [args, message] : cases) {
    const Result r = Trimora(args);
    EXPECT_EQ(r.exitCode, 2) << args;
    EXPECT_EQ(r.err.rfind(message, 0), 0u) << args << ": " << r.err;
    EXPECT_EQ(r.out, "") << args;
  }
}

TEST(CommandLine, AFailureEndsWithOneAndAGermanMessage) {
  const Result r = Trimora("crop /gibt/es/nicht /auch/nicht");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "trimora crop: Das angegebene Verzeichnis existiert nicht. (/gibt/es/nicht)\n");
}

TEST(CommandLine, TheManualPageDescribesTheCommandsOfTheOverview) {
  const std::string page = ReadFile(TRIMORA_SOURCE_DIR "/doc/man/trimora.1");
  ASSERT_FALSE(page.empty());
  const std::size_t from = page.find(".SH BEFEHLE\n");
  const std::size_t to = page.find(".SH OPTIONEN\n");
  ASSERT_NE(from, std::string::npos);
  ASSERT_NE(to, std::string::npos);
  const std::string section = page.substr(from, to - from);
  std::set<std::string> described;
  const std::regex item(R"(\n\.BI "([a-z]+) )");
  for (std::sregex_iterator m(section.begin(), section.end(), item), last; m != last; ++m) {
    if ((*m)[1] != "help") described.insert((*m)[1]);
  }
  EXPECT_EQ(described, ListedCommands(Trimora("--help").out));
  for (const char* words : {"\\-\\-overwrite ask", ".SH RÜCKGABEWERT", "\\-\\-version"}) {
    EXPECT_TRUE(Contains(page, words)) << words;
  }
}

}  // namespace
}  // namespace trimora
