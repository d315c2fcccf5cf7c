// The settings store on real files under a temporary configuration home.
#include "platform/settings.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <thread>
#include <vector>

#include "platform/version.h"
#include "platform/version_record.h"
#include "temp_folder.h"

namespace trimora {
namespace {

using testing::ReadWholeFile;
using testing::TempFolder;
using testing::WriteFile;

// A program file that carries the version record `parts` amid other bytes.
void WriteProgramFile(const std::string& path, VersionParts parts) {
  const auto record = EncodeVersionRecord(parts);
  WriteFile(path, std::string(1000, '\x7f') + std::string(record.begin(), record.end()) +
                      std::string(500, '\0'));
}

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    if (old != nullptr) oldConfigHome_ = old;
    setenv("XDG_CONFIG_HOME", home_.path().c_str(), 1);
    UseVersion({2, 0, 5, 2});
  }
  void TearDown() override {
    SetMainProgramFileForTesting("");
    SetSettingsHomeForTesting("");
    if (oldConfigHome_) {
      setenv("XDG_CONFIG_HOME", oldConfigHome_->c_str(), 1);
    } else {
      unsetenv("XDG_CONFIG_HOME");
    }
  }

  // Makes the store's key follow a main program of that version.
  void UseVersion(VersionParts parts) {
    const std::string path =
        programs_ / ("Trimora2-" + std::to_string(parts[0]) + "." + std::to_string(parts[1]) + "." +
                     std::to_string(parts[2]) + "." + std::to_string(parts[3]));
    WriteProgramFile(path, parts);
    SetMainProgramFileForTesting(path);
  }

  std::string StoreFile(const std::string& version) const {
    return home_.path() + "/Halvorn/Trimora/" + version + ".ini";
  }

  TempFolder home_;
  TempFolder programs_;
  std::optional<std::string> oldConfigHome_;
};

TEST_F(SettingsTest, KeyIsNamedByMajorAndMinorOfTheProgramVersion) {
  EXPECT_EQ(SettingsKey(), "\\Software\\Halvorn\\Trimora\\2.0");
  EXPECT_EQ(SettingsFilePath(), StoreFile("2.0"));
}

TEST_F(SettingsTest, MissingValuesGiveTheDefaults) {
  EXPECT_EQ(ReadStringSetting("SourceDir", "/home/x"), "/home/x");
  EXPECT_EQ(ReadIntSetting("Height", -9999), -9999);
  EXPECT_TRUE(ReadBoolSetting("ShowHints", true));
  EXPECT_FALSE(ReadBoolSetting("Maximized", false));
}

TEST_F(SettingsTest, ReadingCreatesTheKeyAndItsSubKey) {
  ASSERT_FALSE(std::filesystem::exists(StoreFile("2.0")));
  ReadIntSetting("ZoomLevel", 50);
  const std::string afterMain = ReadWholeFile(StoreFile("2.0"));
  EXPECT_NE(afterMain.find("[\\Software\\Halvorn\\Trimora\\2.0]\n"), std::string::npos)
      << afterMain;

  ReadBoolSetting("ToolBar\\Files", true);
  const std::string afterSub = ReadWholeFile(StoreFile("2.0"));
  EXPECT_NE(afterSub.find("[\\Software\\Halvorn\\Trimora\\2.0\\ToolBar]\n"), std::string::npos)
      << afterSub;

  // A read of an existing key leaves the file alone.
  struct stat before {};
  ASSERT_EQ(stat(StoreFile("2.0").c_str(), &before), 0);
  ReadBoolSetting("ToolBar\\Rotate", true);
  struct stat after {};
  ASSERT_EQ(stat(StoreFile("2.0").c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST_F(SettingsTest, StringsOfAnyCharactersRoundTrip) {
  const std::vector<std::string> texts = {"plain",          "/home/anna/Bilder/Urlaub 2024",
                                          "a=b=c",          "[Section]",
                                          "line 1\nline 2", "carriage\r\nreturn",
                                          "Größe € ß ✓",    "\"quoted\"",
                                          "C:\\Bilder\\",   "tab\there",
                                          "  spaces  ",     "; not a comment",
                                          "dword:00000001", std::string("bell\x07nul-less\x1f\x7f"),
                                          "\\x41",          "\xff\xfe raw bytes"};
  for (std::size_t i = 0; i < texts.size(); ++i) {
    WriteStringSetting("Text" + std::to_string(i), texts[i]);
  }
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(ReadStringSetting("Text" + std::to_string(i), "default"), texts[i]) << i;
  }
}

TEST_F(SettingsTest, AnEmptyStringGivesTheDefault) {
  WriteStringSetting("SourceDir", "");
  EXPECT_EQ(ReadStringSetting("SourceDir", "/home/x/Dokumente"), "/home/x/Dokumente");
}

TEST_F(SettingsTest, IntegersRoundTripOverTheWhole32BitRange) {
  for (const int number : {0, 1, -1, 800, -9999, INT_MAX, INT_MIN}) {
    WriteIntSetting("Number", number);
    EXPECT_EQ(ReadIntSetting("Number", 12345), number);
  }
}

TEST_F(SettingsTest, ABooleanIsTrueOnlyForExactlyOne) {
  struct Case {
    int stored;
    bool expected;
  };
  for (const Case c :
       {Case{1, true}, Case{0, false}, Case{2, false}, Case{-1, false}, Case{256 + 1, false}}) {
    WriteIntSetting("Flag", c.stored);
    EXPECT_EQ(ReadBoolSetting("Flag", true), c.expected) << c.stored;
    EXPECT_EQ(ReadBoolSetting("Flag", false), c.expected) << c.stored;
  }
  WriteBoolSetting("Flag", true);
  EXPECT_EQ(ReadIntSetting("Flag", 7), 1);
  WriteBoolSetting("Flag", false);
  EXPECT_EQ(ReadIntSetting("Flag", 7), 0);
}

TEST_F(SettingsTest, AStringWhereANumberIsReadCountsOnlyWhenItIsAWholeNumber) {
  struct Case {
    const char* stored;
    int expected;
  };
  for (const Case c :
       {Case{"42", 42}, Case{"-9999", -9999}, Case{"+7", 7}, Case{"abc", 5}, Case{"", 5},
        Case{" 42", 5}, Case{"42 ", 5}, Case{"42x", 5}, Case{"1.5", 5}, Case{"99999999999", 5},
        Case{"0x10", 5}, Case{"+-3", 5}, Case{"+", 5}, Case{"-", 5}}) {
    WriteStringSetting("Number", c.stored);
    EXPECT_EQ(ReadIntSetting("Number", 5), c.expected) << '"' << c.stored << '"';
  }
  WriteStringSetting("Flag", "1");
  EXPECT_TRUE(ReadBoolSetting("Flag", false));
  // A flag that is not a number gives the default, like any such number.
  WriteStringSetting("Flag", "true");
  EXPECT_TRUE(ReadBoolSetting("Flag", true));
  EXPECT_FALSE(ReadBoolSetting("Flag", false));
}

TEST_F(SettingsTest, ANumberWhereAStringIsReadGivesItsDecimalText) {
  WriteIntSetting("FormatID", -3);
  EXPECT_EQ(ReadStringSetting("FormatID", "default"), "-3");
}

TEST_F(SettingsTest, SubKeysSplitAtTheFirstBackslash) {
  WriteStringSetting("Order", "main");
  WriteStringSetting("ToolBar\\Order", "54321");
  WriteIntSetting("EXIF\\Width", 445);
  WriteIntSetting("Deep\\Name\\With\\Backslashes", 9);

  EXPECT_EQ(ReadStringSetting("Order", ""), "main");
  EXPECT_EQ(ReadStringSetting("ToolBar\\Order", ""), "54321");
  EXPECT_EQ(ReadIntSetting("Width", 800), 800);
  EXPECT_EQ(ReadIntSetting("EXIF\\Width", 0), 445);
  EXPECT_EQ(ReadIntSetting("Deep\\Name\\With\\Backslashes", 0), 9);
  // Key and value names compare without regard to case, as in the registry.
  EXPECT_EQ(ReadStringSetting("toolbar\\ORDER", ""), "54321");

  const std::string file = ReadWholeFile(StoreFile("2.0"));
  EXPECT_NE(file.find("[\\Software\\Halvorn\\Trimora\\2.0\\Deep]\n"
                      "\"Name\\\\With\\\\Backslashes\"=dword:00000009\n"),
            std::string::npos)
      << file;
  EXPECT_NE(file.find("[\\Software\\Halvorn\\Trimora\\2.0\\EXIF]\n\"Width\"=dword:000001bd\n"),
            std::string::npos)
      << file;
}

TEST_F(SettingsTest, ANewMajorOrMinorVersionStartsAFreshKeyWhileReleaseAndBuildKeepIt) {
  WriteIntSetting("ZoomLevel", 80);
  WriteStringSetting("ToolBar\\Order", "54321");

  UseVersion({2, 0, 7, 11});
  EXPECT_EQ(SettingsKey(), "\\Software\\Halvorn\\Trimora\\2.0");
  EXPECT_EQ(ReadIntSetting("ZoomLevel", 50), 80);

  UseVersion({2, 1, 0, 0});
  EXPECT_EQ(SettingsKey(), "\\Software\\Halvorn\\Trimora\\2.1");
  EXPECT_EQ(ReadIntSetting("ZoomLevel", 50), 50);
  EXPECT_EQ(ReadStringSetting("ToolBar\\Order", "12345"), "12345");
  WriteIntSetting("ZoomLevel", 60);

  UseVersion({3, 0, 5, 2});
  EXPECT_EQ(ReadIntSetting("ZoomLevel", 50), 50);

  UseVersion({2, 0, 5, 2});
  EXPECT_EQ(ReadIntSetting("ZoomLevel", 50), 80);
  EXPECT_TRUE(std::filesystem::exists(StoreFile("2.1")));
  EXPECT_TRUE(std::filesystem::exists(StoreFile("3.0")));
}

TEST_F(SettingsTest, AMainProgramWithoutARecordUsesTheKeyZeroZero) {
  WriteFile(programs_ / "Trimora2", "no record here");
  SetMainProgramFileForTesting(programs_ / "Trimora2");
  EXPECT_EQ(SettingsKey(), "\\Software\\Halvorn\\Trimora\\0.0");
  WriteIntSetting("ZoomLevel", 70);
  EXPECT_TRUE(std::filesystem::exists(StoreFile("0.0")));
}

TEST_F(SettingsTest, AChangeByAnotherProgramIsSeenAtTheNextCall) {
  WriteIntSetting("ZoomLevel", 80);
  EXPECT_EQ(ReadIntSetting("ZoomLevel", 50), 80);
  // Changed in place at once (same size, same file), then replaced by another file.
  std::string file = ReadWholeFile(StoreFile("2.0"));
  const auto at = file.find("dword:00000050");
  ASSERT_NE(at, std::string::npos) << file;
  file.replace(at, 14, "dword:00000033");
  WriteFile(StoreFile("2.0"), file);
  EXPECT_EQ(ReadIntSetting("ZoomLevel", 50), 0x33);
  // Changed in place again with its time put back: only the bytes tell.
  struct stat info {};
  ASSERT_EQ(::stat(StoreFile("2.0").c_str(), &info), 0);
  file.replace(at, 14, "dword:00000035");
  WriteFile(StoreFile("2.0"), file);
  const timespec times[2] = {info.st_atim, info.st_mtim};
  ASSERT_EQ(::utimensat(AT_FDCWD, StoreFile("2.0").c_str(), times, 0), 0);
  EXPECT_EQ(ReadIntSetting("ZoomLevel", 50), 0x35);
  file.replace(at, 14, "dword:00000034");
  WriteFile(StoreFile("2.0") + ".new", file);
  std::filesystem::rename(StoreFile("2.0") + ".new", StoreFile("2.0"));
  EXPECT_EQ(ReadIntSetting("ZoomLevel", 50), 0x34);
}

TEST_F(SettingsTest, ABatchWritesOnceAndKeepsWhatOthersWroteMeanwhile) {
  WriteIntSetting("ZoomLevel", 80);
  const auto inode = [&] {
    struct stat info {};
    return ::stat(StoreFile("2.0").c_str(), &info) == 0 ? info.st_ino : 0;
  };
  const auto before = inode();
  {
    const SettingsBatch batch;
    WriteIntSetting("ZoomLevel", 81);
    {
      const SettingsBatch inner;
      WriteStringSetting("ToolBar\\Order", "54321");
    }
    EXPECT_EQ(ReadIntSetting("ZoomLevel", 50), 81);  // seen before it is written
    EXPECT_EQ(inode(), before);                      // not written yet
    // Another program writes a value meanwhile.
    std::string file = ReadWholeFile(StoreFile("2.0"));
    WriteFile(StoreFile("2.0"),
              file + "[\\Software\\Halvorn\\Trimora\\2.0\\Other]\n\"Mark\"=\"da\"\n");
  }
  EXPECT_EQ(ReadIntSetting("ZoomLevel", 50), 81);
  EXPECT_EQ(ReadStringSetting("ToolBar\\Order", ""), "54321");
  EXPECT_EQ(ReadStringSetting("Other\\Mark", ""), "da");
  // A batch that changes nothing writes nothing.
  const auto after = inode();
  {
    const SettingsBatch batch;
    WriteIntSetting("ZoomLevel", 81);
  }
  EXPECT_EQ(inode(), after);
}

// A file of many lines after the program's own key, as other programs of the user may leave.
std::string FileWithBallast(int lines) {
  std::string text =
      "[\\Software\\Halvorn\\Trimora\\2.0]\n\"ZoomLevel\"=dword:00000032\n\"SourceDir\"=\"/a\"\n\n"
      "[\\Software\\Halvorn\\Trimora\\2.0\\Ballast]\n";
  for (int i = 0; i < lines; ++i) {
    text += "\"Value" + std::to_string(i) + "\"=\"abcdefghijklmnopqrstuvwxyz\"\n";
  }
  return text;
}

struct StoredState {
  ino_t inode = 0;
  timespec modified{};
  std::string bytes;
};

StoredState StateOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return {};
  return {info.st_ino, info.st_mtim, ReadWholeFile(path)};
}

// Makes the store read the file anew: the same bytes under a new file.
void ReplaceBySameBytes(const std::string& path) {
  const std::string bytes = ReadWholeFile(path);
  WriteFile(path + ".copy", bytes);
  std::filesystem::rename(path + ".copy", path);
}

TEST_F(SettingsTest, ABatchThatChangesNothingLeavesTheFileUntouched) {
  std::filesystem::create_directories(home_.path() + "/Halvorn/Trimora");
  WriteFile(StoreFile("2.0"), FileWithBallast(1000));
  const StoredState before = StateOf(StoreFile("2.0"));
  {
    const SettingsBatch batch;
    WriteIntSetting("ZoomLevel", 50);  // as stored
    WriteStringSetting("SourceDir", "/b");
    WriteStringSetting("SourceDir", "/a");  // and back
    WriteStringSetting("Ballast\\Value7", "abcdefghijklmnopqrstuvwxyz");
  }
  const StoredState after = StateOf(StoreFile("2.0"));
  EXPECT_EQ(after.inode, before.inode);
  EXPECT_EQ(after.modified.tv_sec, before.modified.tv_sec);
  EXPECT_EQ(after.modified.tv_nsec, before.modified.tv_nsec);
  EXPECT_TRUE(after.bytes == before.bytes);
  EXPECT_EQ(ReadStringSetting("SourceDir", ""), "/a");
}

TEST_F(SettingsTest, AChangeInALargeFileIsWrittenAndReadBack) {
  std::filesystem::create_directories(home_.path() + "/Halvorn/Trimora");
  const std::string original = FileWithBallast(20000);
  WriteFile(StoreFile("2.0"), original);
  std::string expected = original;
  {
    const SettingsBatch batch;
    WriteIntSetting("ZoomLevel", 70);
    WriteStringSetting("SourceDir", "/home/anna/Bilder");
    WriteIntSetting("EXIF\\Width", 445);
    WriteStringSetting("Ballast\\Value19999", "changed at the end");
  }
  expected.replace(expected.find("dword:00000032"), 14, "dword:00000046");
  expected.replace(expected.find("\"/a\""), 4, "\"/home/anna/Bilder\"");
  const std::string last = "\"Value19999\"=\"abcdefghijklmnopqrstuvwxyz\"\n";
  expected.replace(expected.rfind(last), last.size(), "\"Value19999\"=\"changed at the end\"\n");
  expected += "\n[\\Software\\Halvorn\\Trimora\\2.0\\EXIF]\n\"Width\"=dword:000001bd\n";
  EXPECT_TRUE(ReadWholeFile(StoreFile("2.0")) == expected);

  // Changed again from what was written, then read back from the file alone.
  WriteIntSetting("ZoomLevel", 71);
  WriteStringSetting("SourceDir", "/x");
  expected.replace(expected.find("dword:00000046"), 14, "dword:00000047");
  expected.replace(expected.find("\"/home/anna/Bilder\""), 19, "\"/x\"");
  EXPECT_TRUE(ReadWholeFile(StoreFile("2.0")) == expected);
  ReplaceBySameBytes(StoreFile("2.0"));
  EXPECT_EQ(ReadIntSetting("ZoomLevel", 0), 71);
  EXPECT_EQ(ReadStringSetting("SourceDir", ""), "/x");
  EXPECT_EQ(ReadIntSetting("EXIF\\Width", 0), 445);
  EXPECT_EQ(ReadStringSetting("Ballast\\Value19999", ""), "changed at the end");
  EXPECT_EQ(ReadStringSetting("Ballast\\Value10000", ""), "abcdefghijklmnopqrstuvwxyz");
}

TEST_F(SettingsTest, AFileOfManyNewValuesIsWrittenWhole) {
  {
    const SettingsBatch batch;
    for (int i = 0; i < 3000; ++i) WriteIntSetting("Many\\Value" + std::to_string(i), i);
  }
  ReplaceBySameBytes(StoreFile("2.0"));
  for (int i = 0; i < 3000; i += 7) {
    EXPECT_EQ(ReadIntSetting("Many\\Value" + std::to_string(i), -1), i) << i;
  }
  EXPECT_EQ(ReadIntSetting("Many\\Value2999", -1), 2999);
}

// A writer killed in the middle of writing leaves the whole old file or the whole new one, and
// the next write leaves no temporary file behind.
TEST_F(SettingsTest, AWriterKilledWhileWritingNeverLeavesAHalfFile) {
  std::filesystem::create_directories(home_.path() + "/Halvorn/Trimora");
  const std::string original = FileWithBallast(200000);  // some 9 MB
  WriteFile(StoreFile("2.0"), original);
  const std::string folder = home_.path() + "/Halvorn/Trimora";
  const auto temporaries = [&] {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      count += entry.path().filename() != "2.0.ini";
    }
    return count;
  };
  bool killedWhileWriting = false;
  for (int attempt = 0; attempt < 5 && !killedWhileWriting; ++attempt) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int round = 1;; ++round) WriteIntSetting("ZoomLevel", round);
    }
    // Killed as soon as a temporary file shows that a write is under way.
    for (int polls = 0; polls < 2000000 && !killedWhileWriting; ++polls) {
      killedWhileWriting = temporaries() > 0;
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
  }
  EXPECT_TRUE(killedWhileWriting);
  const std::string left = ReadWholeFile(StoreFile("2.0"));
  ASSERT_EQ(left.size(), original.size());
  const std::size_t at = original.find("dword:00000032");
  EXPECT_TRUE(left.compare(0, at, original, 0, at) == 0);
  EXPECT_TRUE(left.compare(at + 14, std::string::npos, original, at + 14) == 0);
  ReplaceBySameBytes(StoreFile("2.0"));
  EXPECT_GE(ReadIntSetting("ZoomLevel", -1), 1);
  WriteIntSetting("ZoomLevel", 1234);
  EXPECT_EQ(temporaries(), 0);
}

TEST_F(SettingsTest, TheConfigurationHomeIsReadOnEveryCall) {
  WriteIntSetting("ZoomLevel", 80);
  TempFolder other;
  setenv("XDG_CONFIG_HOME", other.path().c_str(), 1);
  EXPECT_EQ(ReadIntSetting("ZoomLevel", 50), 50);
  WriteIntSetting("ZoomLevel", 90);
  EXPECT_TRUE(std::filesystem::exists(other.path() + "/Halvorn/Trimora/2.0.ini"));

  SetSettingsHomeForTesting(home_.path());
  EXPECT_EQ(ReadIntSetting("ZoomLevel", 50), 80);
}

TEST_F(SettingsTest, WithoutXdgConfigHomeTheStoreLiesInDotConfig) {
  TempFolder fakeHome;
  const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  setenv("HOME", fakeHome.path().c_str(), 1);
  unsetenv("XDG_CONFIG_HOME");
  WriteIntSetting("ZoomLevel", 80);
  EXPECT_TRUE(std::filesystem::exists(fakeHome.path() + "/.config/Halvorn/Trimora/2.0.ini"));
  setenv("HOME", oldHome.c_str(), 1);
}

TEST_F(SettingsTest, RewritingKeepsLinesWrittenByHandAndLeavesNoTemporaryFiles) {
  std::filesystem::create_directories(home_.path() + "/Halvorn/Trimora");
  WriteFile(StoreFile("2.0"),
            "; my notes\n"
            "[\\Software\\Halvorn\\Trimora\\2.0]\n"
            "# a foreign line\n"
            "\"ZoomLevel\"=dword:00000010\n"
            "\"Odd\"=hex:01,02\n");
  EXPECT_EQ(ReadIntSetting("ZoomLevel", 50), 16);
  EXPECT_EQ(ReadIntSetting("Odd", 3), 3);
  WriteIntSetting("ZoomLevel", 20);
  WriteStringSetting("SourceDir", "/x");
  EXPECT_EQ(ReadWholeFile(StoreFile("2.0")),
            "; my notes\n"
            "[\\Software\\Halvorn\\Trimora\\2.0]\n"
            "# a foreign line\n"
            "\"ZoomLevel\"=dword:00000014\n"
            "\"Odd\"=hex:01,02\n"
            "\"SourceDir\"=\"/x\"\n");
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(home_.path() + "/Halvorn/Trimora")) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::vector<std::string>{"2.0.ini"});
}

TEST_F(SettingsTest, ASettingsFileThatIsALinkStaysALink) {
  TempFolder dotfiles;
  WriteFile(dotfiles / "trimora.ini", "");
  std::filesystem::create_directories(home_.path() + "/Halvorn/Trimora");
  std::filesystem::create_symlink(dotfiles / "trimora.ini", StoreFile("2.0"));
  WriteIntSetting("ZoomLevel", 80);
  EXPECT_TRUE(std::filesystem::is_symlink(StoreFile("2.0")));
  EXPECT_NE(ReadWholeFile(dotfiles / "trimora.ini").find("\"ZoomLevel\"=dword:00000050"),
            std::string::npos);
  EXPECT_EQ(ReadIntSetting("ZoomLevel", 50), 80);
}

TEST_F(SettingsTest, AStoreThatCannotBeMadeGivesDefaultsAndSwallowsWrites) {
  // A file where the store's folder should be: no one, not even root, can create the key.
  WriteFile(home_ / "Halvorn", "not a folder");
  WriteIntSetting("ZoomLevel", 80);
  WriteStringSetting("ToolBar\\Order", "54321");
  EXPECT_EQ(ReadIntSetting("ZoomLevel", 50), 50);
  EXPECT_EQ(ReadStringSetting("ToolBar\\Order", "12345"), "12345");
  EXPECT_EQ(ReadWholeFile(home_ / "Halvorn"), "not a folder");
}

TEST_F(SettingsTest, WritersAtTheSameTimeLoseNoValues) {
  std::vector<std::thread> writers;
  for (int t = 0; t < 4; ++t) {
    writers.emplace_back([t] {
      for (int i = 0; i < 25; ++i) {
        WriteIntSetting("Sub" + std::to_string(t) + "\\Value" + std::to_string(i), t * 100 + i);
      }
    });
  }
  for (auto& writer : writers) writer.join();
  for (int t = 0; t < 4; ++t) {
    for (int i = 0; i < 25; ++i) {
      EXPECT_EQ(ReadIntSetting("Sub" + std::to_string(t) + "\\Value" + std::to_string(i), -1),
                t * 100 + i);
    }
  }
}

}  // namespace
}  // namespace trimora
