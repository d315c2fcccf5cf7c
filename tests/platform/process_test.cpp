// Splitting parameter texts, and starting real programs.
#include "platform/process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "temp_folder.h"

namespace trimora {
namespace {

using testing::ReadWholeFile;
using testing::TempFolder;
using testing::WriteFile;
using Args = std::vector<std::string>;

TEST(SplitCommandLineTest, FollowsTheWindowsRules) {
  struct Case {
    const char* text;
    Args expected;
  };
  const Case cases[] = {
      {"", {}},
      {"   \t ", {}},
      {"a b\tc", {"a", "b", "c"}},
      {"  a   b  ", {"a", "b"}},
      {"\"a b\" c", {"a b", "c"}},
      {"\"\"", {""}},
      {"\"\" \"\"", {"", ""}},
      {"a\"b c\"d e", {"ab cd", "e"}},
      {"\"unclosed quote", {"unclosed quote"}},
      {"\\\"a", {"\"a"}},                   // \"a       -> "a
      {"\\\\\"a b\"", {"\\a b"}},           // \\"a b"   -> \a b
      {"\\\\\\\"a", {"\\\"a"}},             // \\\"a     -> \"a
      {"a\\\\b c\\d", {"a\\\\b", "c\\d"}},  // backslashes not before a quote stay
      {"a\\\\\\\\\"b\"", {"a\\\\b"}},       // a\\\\"b"  -> a\\b
      {"\"a\"\"b\"", {"a\"b"}},             // two quotes inside quotes are one
      {"\"a\"\"\"", {"a\""}},
      {"\"C:\\Bilder\\\" x", {"C:\\Bilder\" x"}},  // the classic trap: \" escapes the quote
      {"-copy all -rotate 90 \"/home/a b/IMG 1.jpg\" \"/home/a b/IMG 1.jpg\"",
       {"-copy", "all", "-rotate", "90", "/home/a b/IMG 1.jpg", "/home/a b/IMG 1.jpg"}},
      {"-crop 320x240+16+32 \"Größe ä.jpg\"", {"-crop", "320x240+16+32", "Größe ä.jpg"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SplitCommandLine(c.text), c.expected) << c.text;
  }
}

// A shell script in a temporary folder.
std::string WriteScript(const TempFolder& folder, const std::string& name,
                        const std::string& body) {
  const std::string path = folder / name;
  WriteFile(path, "#!/bin/sh\n" + body);
  chmod(path.c_str(), 0755);
  return path;
}

TEST(RunHiddenAndWaitTest, PassesTheSplitArgumentsAndReturnsTheExitCode) {
  TempFolder folder;
  const std::string out = folder / "args";
  const std::string script =
      WriteScript(folder, "show args",
                  "for a in \"$@\"; do printf '[%s]' \"$a\"; done > '" + out + "'\nexit 7\n");
  EXPECT_EQ(RunHiddenAndWait(script, "one \"two words\" \"\" 'single' a\\\"b $HOME *"), 7);
  EXPECT_EQ(ReadWholeFile(out), "[one][two words][]['single'][a\"b][$HOME][*]");
}

TEST(RunHiddenAndWaitTest, ReportsExitCodesCrashesAndMissingPrograms) {
  EXPECT_EQ(RunHiddenAndWait("/bin/sh", "-c \"exit 0\""), 0);
  EXPECT_EQ(RunHiddenAndWait("sh", "-c \"exit 255\""), 255);  // found through the PATH
  EXPECT_EQ(RunHiddenAndWait("/bin/sh", "-c \"kill -SEGV $$\""), -1);
  EXPECT_EQ(RunHiddenAndWait("/no/such/program", ""), -1);
  EXPECT_EQ(RunHiddenAndWait("no-such-program-anywhere", ""), -1);
  TempFolder folder;
  WriteFile(folder / "not-executable", "#!/bin/sh\nexit 0\n");
  EXPECT_EQ(RunHiddenAndWait(folder / "not-executable", ""), -1);
}

TEST(RunHiddenAndWaitTest, TheChildReadsNothingAndInheritsNoOpenFiles) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);  // deliberately without close-on-exec
  const std::string check = "-c \"test /dev/stdin -ef /dev/null && test ! -e /proc/self/fd/" +
                            std::to_string(fds[1]) + "\"";
  EXPECT_EQ(RunHiddenAndWait("/bin/sh", check), 0);
  close(fds[0]);
  close(fds[1]);
}

// Waits up to five seconds for a file to appear with content.
std::string WaitForFile(const std::string& path) {
  for (int i = 0; i < 500; ++i) {
    const std::string content = ReadWholeFile(path);
    if (!content.empty() && content.back() == '\n') return content;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return {};
}

TEST(StartDetachedTest, StartsTheProgramOutsideThisProcessWithTheArgumentsAsTheyAre) {
  TempFolder folder;
  const std::string out = folder / "report";
  const std::string script =
      WriteScript(folder, "report.sh",
                  "for a in \"$@\"; do printf '[%s]' \"$a\"; done > '" + out +
                      ".part'\n"
                      "if test /dev/stdin -ef /dev/null; then echo ' null' >> '" +
                      out +
                      ".part'; fi\n"
                      "echo $PPID >> '" +
                      out +
                      ".part'\n"
                      "mv '" +
                      out + ".part' '" + out + "'\n");
  ASSERT_TRUE(StartDetached(script, {"a b", "", "\"q\"", "$HOME"}));
  const std::string report = WaitForFile(out);
  ASSERT_FALSE(report.empty());
  EXPECT_EQ(report.substr(0, report.find('\n')), "[a b][][\"q\"][$HOME] null");
  EXPECT_NE(std::stol(report.substr(report.find('\n') + 1)), static_cast<long>(getpid()));
}

TEST(StartDetachedTest, FailsForMissingPrograms) {
  EXPECT_FALSE(StartDetached("/no/such/program", {}));
  EXPECT_FALSE(StartDetached("no-such-program-anywhere", {"x"}));
}

TEST(OpenAddressTest, HandsTheAddressToXdgOpen) {
  TempFolder folder;
  const std::string out = folder / "opened";
  WriteScript(folder, "xdg-open",
              "printf '%s\\n' \"$1\" > '" + out + ".part'\nmv '" + out + ".part' '" + out + "'\n");
  const std::string oldPath = std::getenv("PATH");
  setenv("PATH", (folder.path() + ":" + oldPath).c_str(), 1);
  const bool started = OpenAddress("mailto:info@example.org?subject=Trimora 2");
  setenv("PATH", oldPath.c_str(), 1);
  ASSERT_TRUE(started);
  EXPECT_EQ(WaitForFile(out), "mailto:info@example.org?subject=Trimora 2\n");
}

}  // namespace
}  // namespace trimora
