// Program and user folders.
#include "platform/paths.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files.h"
#include "platform/user_folders.h"
#include "temp_folder.h"

namespace trimora {
namespace {

using testing::TempFolder;
using testing::WriteFile;

TEST(ProgramFolderTest, IsTheFolderOfTheRunningProgramWithATrailingSlash) {
  const std::string folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  const auto expected = std::filesystem::canonical(
      std::filesystem::path(TRIMORA_PROGRAM_DIR).parent_path() / "tests");
  EXPECT_EQ(std::filesystem::canonical(folder), expected);
}

TEST(ProgramFolderTest, ProgramBesideGivesThePathOnlyWhenTheFileIsThere) {
  EXPECT_EQ(ProgramBeside("platform_tests"), ProgramFolder() + "platform_tests");
  EXPECT_EQ(ProgramBeside("jpegtran-not-here"), "jpegtran-not-here");
}

// A fake home with its own configuration folder.
class UserFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
      const char* value = std::getenv(name);
      saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    setenv("HOME", home_.path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home_ / "config").c_str(), 1);
    std::filesystem::create_directories(home_ / "config");
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
  }
  void Folders(std::initializer_list<const char*> names) {
    for (const char* name : names) std::filesystem::create_directories(home_ / name);
  }
  void UserDirs(const std::string& content) { WriteFile(home_ / "config/user-dirs.dirs", content); }

  TempFolder home_;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(UserFolderTest, TakesTheConfiguredFoldersWithHomeReplaced) {
  Folders({"Dokumente", "Schreibtisch", "Documents", "Desktop"});
  UserDirs(
      "# written by xdg-user-dirs-update\n"
      "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
      "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente/\"\n");
  EXPECT_EQ(DocumentsFolder(), home_ / "Dokumente");
  EXPECT_EQ(DesktopFolder(), home_ / "Schreibtisch");
}

TEST_F(UserFolderTest, ReadsAbsolutePathsEscapesAndTheLastOfTwoEntries) {
  Folders({"Meine \"Bilder\"", "Neu"});
  UserDirs(
      "XDG_DOCUMENTS_DIR=\"$HOME/Alt\"\n"
      "#XDG_DOCUMENTS_DIR=\"$HOME/Kommentar\"\n"
      "XDG_DOCUMENTS_DIR=\"" +
      home_.path() +
      "/Meine \\\"Bilder\\\"\"\n"
      "XDG_DESKTOP_DIR=\"$HOME/Alt\"\n"
      "  XDG_DESKTOP_DIR=\"$HOME/Neu\"\n");
  EXPECT_EQ(DocumentsFolder(), home_ / "Meine \"Bilder\"");
  EXPECT_EQ(DesktopFolder(), home_ / "Neu");
}

TEST_F(UserFolderTest, FallsBackToTheUsualNamesThenToHome) {
  UserDirs("XDG_DOCUMENTS_DIR=\"$HOME/Gone\"\nXDG_DESKTOP_DIR=\"relative/path\"\n");
  EXPECT_EQ(DocumentsFolder(), home_.path());
  EXPECT_EQ(DesktopFolder(), home_.path());

  Folders({"Dokumente", "Schreibtisch"});
  EXPECT_EQ(DocumentsFolder(), home_ / "Dokumente");
  EXPECT_EQ(DesktopFolder(), home_ / "Schreibtisch");

  Folders({"Documents", "Desktop"});
  EXPECT_EQ(DocumentsFolder(), home_ / "Documents");
  EXPECT_EQ(DesktopFolder(), home_ / "Desktop");
}

TEST_F(UserFolderTest, WithoutXdgConfigHomeReadsDotConfig) {
  unsetenv("XDG_CONFIG_HOME");
  Folders({".config", "Bilder"});
  WriteFile(home_ / ".config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Bilder\"\n");
  EXPECT_EQ(DocumentsFolder(), home_ / "Bilder");
}

TEST_F(UserFolderTest, DataHomeIsXdgDataHomeWhenAbsoluteElseDotLocalShare) {
  setenv("XDG_DATA_HOME", (home_ / "daten/").c_str(), 1);
  EXPECT_EQ(DataHome(), home_ / "daten");
  setenv("XDG_DATA_HOME", "relativ", 1);
  EXPECT_EQ(DataHome(), home_ / ".local/share");
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(DataHome(), home_ / ".local/share");
}

TEST(InstalledProgramFolderTest, OnlyLibTrimoraBelowAPrefixIsAnInstalledProgramFolder) {
  const std::pair<const char*, bool> cases[] = {
      {"/usr/lib/trimora/", true},
      {"/tmp/prefix/lib/trimora/", true},
      {"/home/anna/.local/lib/trimora/", true},
      {"/usr/lib/trimora", false},  // without its separator
      {"/usr/lib/trimora2/", false},
      {"/usr/mylib/trimora/", false},
      {"/work/trimora/build/bin/", false},
      {"/lib/trimora/x/", false},
  };
  for (const auto& [folder, installed] : cases) {
    EXPECT_EQ(IsInstalledProgramFolder(folder), installed) << folder;
  }
}

TEST_F(UserFolderTest, FromABuildFolderTheUserCopyFolderIsTheProgramFolder) {
  setenv("XDG_DATA_HOME", (home_ / "daten").c_str(), 1);
  EXPECT_EQ(UserCopyFolder(), ProgramFolder());
}

TEST_F(UserFolderTest, MakeFoldersCreatesEveryMissingFolderForTheUserAlone) {
  EXPECT_TRUE(MakeFolders(home_ / "a/b/c/"));
  EXPECT_TRUE(std::filesystem::is_directory(home_ / "a/b/c"));
  EXPECT_EQ(std::filesystem::status(home_ / "a").permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_all);
  EXPECT_TRUE(MakeFolders(home_ / "a/b"));  // already there
  WriteFile(home_ / "file", "x");
  EXPECT_FALSE(MakeFolders(home_ / "file"));
  EXPECT_FALSE(MakeFolders(home_ / "file/below"));
}

}  // namespace
}  // namespace trimora
