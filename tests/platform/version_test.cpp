// Version records: the built main program's, and records in made-up files.
#include "platform/version.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "platform/settings.h"
#include "platform/version_record.h"
#include "temp_folder.h"

namespace trimora {
namespace {

using testing::TempFolder;
using testing::WriteFile;

std::string Bytes(const std::array<unsigned char, kVersionRecordSize>& record) {
  return {record.begin(), record.end()};
}

TEST(VersionTest, TheBuiltMainProgramCarriesTheReleaseVersion) {
  EXPECT_EQ(FileVersion(TRIMORA_PROGRAM_DIR "/Trimora2"), "2.0.5.2");
  SetMainProgramFileForTesting(TRIMORA_PROGRAM_DIR "/Trimora2");
  EXPECT_EQ(ProgramVersion(), "2.0.5.2");
  EXPECT_EQ(SettingsKey(), "\\Software\\Halvorn\\Trimora\\2.0");
  SetMainProgramFileForTesting("");
}

TEST(VersionTest, TheMainProgramIsTrimora2BesideTheRunningProgram) {
  EXPECT_EQ(MainProgramFile(), ProgramFolder() + "Trimora2");
}

TEST(VersionTest, FilesWithoutAValidRecordGiveZeros) {
  TempFolder folder;
  const std::string record = Bytes(EncodeVersionRecord({2, 0, 5, 2}));
  struct Case {
    const char* what;
    std::string content;
  };
  const Case cases[] = {
      {"empty", ""},
      {"text", "no version in here"},
      {"marker only", "xx" + record.substr(0, kVersionMarkerSize) + std::string(100, '\0')},
      {"cut off", "xx" + record.substr(0, kVersionRecordSize - 1)},
      {"check bytes wrong",
       [&] {
         std::string broken = record;
         broken[kVersionRecordSize - 1] ^= 1;
         return broken;
       }()},
  };
  for (const auto& c : cases) {
    WriteFile(folder / "program", c.content);
    EXPECT_EQ(FileVersion(folder / "program"), "0.0.0.0") << c.what;
  }
  EXPECT_EQ(FileVersion(folder / "missing"), "0.0.0.0");
  EXPECT_EQ(FileVersion(folder.path()), "0.0.0.0");
}

TEST(VersionTest, FindsTheFirstValidRecordAnywhereInTheFile) {
  TempFolder folder;
  std::string broken = Bytes(EncodeVersionRecord({9, 9, 9, 9}));
  broken[kVersionMarkerSize] ^= 1;
  WriteFile(folder / "program", std::string(3'000'000, 'T') + broken +
                                    Bytes(EncodeVersionRecord({65535, 0, 12, 40000})) +
                                    Bytes(EncodeVersionRecord({1, 2, 3, 4})));
  EXPECT_EQ(FileVersion(folder / "program"), "65535.0.12.40000");

  WriteFile(folder / "at-end", "abc" + Bytes(EncodeVersionRecord({3, 1, 0, 0})));
  EXPECT_EQ(FileVersion(folder / "at-end"), "3.1.0.0");
}

TEST(VersionTest, ARewrittenFileIsReadAgain) {
  TempFolder folder;
  WriteFile(folder / "program", Bytes(EncodeVersionRecord({2, 0, 5, 2})));
  EXPECT_EQ(FileVersion(folder / "program"), "2.0.5.2");
  WriteFile(folder / "program", Bytes(EncodeVersionRecord({2, 1, 5, 2})));
  EXPECT_EQ(FileVersion(folder / "program"), "2.1.5.2");
}

}  // namespace
}  // namespace trimora
