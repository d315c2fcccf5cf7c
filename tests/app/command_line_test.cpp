// The command line of Trimora2 as a table: "-restart", a folder or picture, help, version and
// the wrong calls.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/single_instance.h"

namespace trimora::app {
namespace {

using Action = StartRequest::Action;

std::string WorkingFolder() {
  char buffer[4096];
  return getcwd(buffer, sizeof buffer) != nullptr ? std::string(buffer) : std::string();
}

TEST(CommandLine, RestartAndOnePathAreRead) {
  const std::string here = WorkingFolder();
  struct Case {
    std::vector<std::string> arguments;
    StartRequest expected;
  };
  const Case cases[] = {
      {{}, {}},
      {{"-restart"}, {Action::Start, true, "", ""}},
      {{"/home/anna/Bilder"}, {Action::Start, false, "/home/anna/Bilder", ""}},
      {{"-restart", "/home/anna/Bild 1.jpg"}, {Action::Start, true, "/home/anna/Bild 1.jpg", ""}},
      {{"Urlaub/"}, {Action::Start, false, here + "/Urlaub/", ""}},
      {{"--", "-bunt"}, {Action::Start, false, here + "/-bunt", ""}},
      {{"--help"}, {Action::Help, false, "", ""}},
      {{"-h"}, {Action::Help, false, "", ""}},
      {{"--version"}, {Action::Version, false, "", ""}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadCommandLine(c.arguments), c.expected) << ::testing::PrintToString(c.arguments);
  }
}

TEST(CommandLine, WrongCallsSayWhatIsWrong) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"-x"}, "unbekannte Option \"-x\""},
      {{"/a", "/b"}, "nur ein Verzeichnis oder Bild, nicht 2"},
      {{"--help", "/a"}, "\"--help\" steht allein."},
      {{"-restart", "--version"}, "\"--version\" steht allein."},
      {{"/a", "-restart"}, "unbekannte Option \"-restart\""},
      {{""}, "Ein leerer Pfad ist kein Verzeichnis."},
  };
  for (const auto& [arguments, problem] : cases) {
    const StartRequest request = ReadCommandLine(arguments);
    EXPECT_EQ(request.action, Action::Usage) << ::testing::PrintToString(arguments);
    EXPECT_EQ(request.problem, problem);
  }
  EXPECT_NE(std::string(UsageText()).find("trimora2 -restart [VERZEICHNIS | BILD]"),
            std::string::npos);
}

}  // namespace
}  // namespace trimora::app
