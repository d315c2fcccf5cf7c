// Files and folders of the platform layer, on real files in a temporary folder.
#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include "../error_testing.h"
#include "platform/file_lock.h"
#include "platform/paths.h"
#include "temp_folder.h"

namespace trimora {
namespace {

namespace fs = std::filesystem;
using testing::ReadWholeFile;
using testing::TempFolder;
using testing::WriteFile;

TEST(Files, MovingNeverReplacesAFile) {
  TempFolder dir;
  WriteFile(dir / "a.jpg", "a");
  WriteFile(dir / "b.jpg", "b");
  EXPECT_FALSE(MoveWithoutReplacing(dir / "a.jpg", dir / "b.jpg"));
  EXPECT_EQ(ReadWholeFile(dir / "b.jpg"), "b");
  EXPECT_TRUE(MoveWithoutReplacing(dir / "a.jpg", dir / "c.jpg"));
  EXPECT_FALSE(PathExists(dir / "a.jpg"));
  EXPECT_EQ(ReadWholeFile(dir / "c.jpg"), "a");
  EXPECT_FALSE(MoveWithoutReplacing(dir / "gone.jpg", dir / "d.jpg"));
}

TEST(Files, ListingGivesRegularFilesAndFollowsLinks) {
  TempFolder dir;
  WriteFile(dir / "a.jpg", "a");
  fs::create_directory(dir / "sub.jpg");
  fs::create_symlink(dir / "a.jpg", dir / "link.jpg");
  fs::create_symlink(dir / "sub.jpg", dir / "folderlink.jpg");
  fs::create_symlink(dir / "nothing", dir / "dangling.jpg");
  std::vector<std::string> names = ListFiles(dir.path());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.jpg", "link.jpg"}));
  EXPECT_EQ(test::CodeOf([&] { ListFiles(dir / "missing"); }), ErrorCode::kFolderCannotRead);
  EXPECT_TRUE(IsFolder(dir / "folderlink.jpg"));
  EXPECT_FALSE(IsRegularFile(dir / "dangling.jpg"));
  EXPECT_TRUE(PathExists(dir / "dangling.jpg"));
  EXPECT_EQ(FileSize(dir / "a.jpg"), 1);
  EXPECT_EQ(FileSize(dir / "sub.jpg"), -1);
}

TEST(Files, AReplacedFileKeepsItsRightsAndAFailedOneStaysAsItWas) {
  TempFolder dir;
  const std::string path = dir / "out.TIF";
  WriteFile(path, "old");
  ::chmod(path.c_str(), 0640);
  {
    ReplacingFile file(path);
    file.Write("new", 3);
    // Not committed: the old file stays, the temporary file goes.
  }
  EXPECT_EQ(ReadWholeFile(path), "old");
  ReplaceFileContents(path, "newer");
  EXPECT_EQ(ReadWholeFile(path), "newer");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(ListFiles(dir.path()), std::vector<std::string>{"out.TIF"});
  fs::create_directory(dir / "folder.TIF");
  EXPECT_EQ(test::CodeOf([&] { ReplacingFile f(dir / "folder.TIF"); }),
            ErrorCode::kFileCannotCreate);
  EXPECT_EQ(test::CodeOf([&] { ReplaceFileContents(dir / "no/such/x.TIF", "x"); }),
            ErrorCode::kFileCannotCreate);
  EXPECT_EQ(test::CodeOf([&] { trimora::ReadWholeFile(dir / "nothing"); }),
            ErrorCode::kFileCannotOpen);
  EXPECT_EQ(test::CodeOf([&] { trimora::ReadWholeFile(dir.path()); }), ErrorCode::kFileCannotOpen);
}

TEST(Files, AWriteProtectedFileIsRefusedOnAskingAndReplacedWithItsRightsOtherwise) {
  TempFolder dir;
  const std::string path = dir / "nicht skalierbare Formate.dat";
  WriteFile(path, "old");
  ::chmod(path.c_str(), 0444);
  EXPECT_EQ(test::CodeOf([&] { RefuseWriteProtected(path); }), ErrorCode::kFileWriteProtected);
  EXPECT_EQ(ReadWholeFile(path), "old");
  // A write-protected output is replaced and stays write-protected.
  ReplaceFileContents(path, "new");
  EXPECT_EQ(ReadWholeFile(path), "new");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0444u);
  EXPECT_EQ(ListFiles(dir.path()), std::vector<std::string>{"nicht skalierbare Formate.dat"});
  ::chmod(path.c_str(), 0200);  // writable by its owner only: not refused
  RefuseWriteProtected(path);
  RefuseWriteProtected(dir / "missing.dat");
  RefuseWriteProtected(dir.path());
}

TEST(Files, TheReaderGivesBytesAndBlocksAcrossItsBuffer) {
  TempFolder dir;
  std::string content;
  for (int i = 0; i < 70000; ++i) content += static_cast<char>(i * 7);
  WriteFile(dir / "data", content);
  FileReader reader(dir / "data");
  ASSERT_TRUE(reader.IsOpen());
  EXPECT_EQ(reader.Size(), content.size());
  std::string read;
  read += static_cast<char>(reader.Get());
  std::vector<std::uint8_t> block(20000);
  ASSERT_TRUE(reader.Read(block.data(), 100));  // from the buffer
  read.append(block.begin(), block.begin() + 100);
  ASSERT_TRUE(reader.Read(block.data(), block.size()));  // past the buffer's end
  read.append(block.begin(), block.end());
  for (int c; (c = reader.Get()) >= 0;) read += static_cast<char>(c);
  EXPECT_EQ(read, content);
  EXPECT_FALSE(reader.Read(block.data(), 1));
  EXPECT_FALSE(FileReader(dir / "missing").IsOpen());
  EXPECT_FALSE(FileReader(dir.path()).IsOpen());
}

// Ends the test program when a call hangs, so that a pipe can never stop the suite.
class Watchdog {
 public:
  explicit Watchdog(unsigned seconds) { ::alarm(seconds); }
  ~Watchdog() { ::alarm(0); }
};

TEST(Files, PipesDevicesAndFoldersUnderAFilesNameAreRefusedAtOnce) {
  TempFolder dir;
  ASSERT_EQ(::mkfifo((dir / "pipe.jpg").c_str(), 0600), 0);
  fs::create_directory(dir / "folder.jpg");
  const Watchdog watchdog(30);
  for (const std::string& path : {dir / "pipe.jpg", dir / "folder.jpg", std::string("/dev/zero")}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(OpenStream(path), nullptr);
    EXPECT_FALSE(FileReader(path).IsOpen());
    EXPECT_EQ(test::CodeOf([&] { trimora::ReadWholeFile(path); }), ErrorCode::kFileCannotOpen);
  }
}

TEST(Files, TemporaryFilesHaveNoNameWhileWrittenAndShortOnesOtherwise) {
  TempFolder dir;
  // Names up to the file system's limit of 255 bytes.
  for (const std::size_t length : {std::size_t{244}, std::size_t{249}, std::size_t{255}}) {
    const std::string path = dir / (std::string(length - 4, 'n') + ".JPG");
    {
      ReplacingFile file(path);
      file.Write("cut", 3);
      EXPECT_TRUE(ListFiles(dir.path()).empty()) << "a temporary file with a name";
      file.Commit();
    }
    EXPECT_EQ(ReadWholeFile(path), "cut");
    ReplaceFileContents(path, "again");
    EXPECT_EQ(ReadWholeFile(path), "again");
    EXPECT_EQ(ListFiles(dir.path()).size(), 1u);
    fs::remove(path);
    const std::string named = CreateTemporaryBeside(path);
    EXPECT_LE(FileNamePart(named).size(), 40u);
    EXPECT_EQ(FolderPart(named), dir.path() + "/");
    fs::remove(named);
  }
}

TEST(Files, StaleTemporariesOfKilledProcessesAreRemoved) {
  TempFolder dir;
  // Process 999999999 cannot exist (process numbers end at 2^22); the test's own and its
  // parent's run.
  const std::string own = CreateTemporaryBeside(dir / "a.JPG");
  const std::string parent = dir / (".trimora-" + std::to_string(::getppid()) + "-3.tmp");
  const std::string dead = dir / ".trimora-999999999-0.tmp";
  const std::vector<std::string> others = {dir / ".trimora-x-1.tmp",
                                           dir / "trimora-999999999-0.tmp",
                                           dir / ".trimora-999999999-.tmp", dir / "Bild.jpg"};
  for (const std::string& path : others) WriteFile(path, "keep");
  WriteFile(parent, "");
  WriteFile(dead, "");
  fs::create_directory(dir / ".trimora-999999998-0.tmp");  // not a file: stays
  RemoveStaleTemporaries(dir.path());
  EXPECT_FALSE(fs::exists(dead));
  EXPECT_TRUE(fs::exists(own));
  EXPECT_TRUE(fs::exists(parent));
  EXPECT_TRUE(fs::exists(dir / ".trimora-999999998-0.tmp"));
  for (const std::string& path : others) EXPECT_TRUE(fs::exists(path)) << path;
}

TEST(Files, SameFileKnowsAFileHoweverItIsSpelt) {
  TempFolder dir;
  WriteFile(dir / "a.jpg", "a");
  WriteFile(dir / "b.jpg", "b");
  fs::create_symlink(dir / "a.jpg", dir / "link.jpg");
  EXPECT_TRUE(SameFile(dir / "a.jpg", dir.path() + "/./a.jpg"));
  EXPECT_TRUE(SameFile(dir / "a.jpg", dir / "link.jpg"));
  EXPECT_TRUE(SameFile(dir.path(), dir.path() + "/"));
  EXPECT_FALSE(SameFile(dir / "a.jpg", dir / "b.jpg"));
  EXPECT_FALSE(SameFile(dir / "a.jpg", dir / "missing.jpg"));
}

TEST(Files, AFolderIsClaimedByOneHolderAndAKilledHolderBlocksNothing) {
  TempFolder runtime, folder;
  ::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const FolderClaim claim(folder.path());
    (void)!::write(ready[1], claim.Held() ? "1" : "0", 1);
    ::pause();
    ::_exit(0);
  }
  char held = 0;
  ASSERT_EQ(::read(ready[0], &held, 1), 1);
  EXPECT_EQ(held, '1');
  EXPECT_FALSE(FolderClaim(folder.path() + "/.").Held());
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  {
    const FolderClaim claim(folder.path());
    EXPECT_TRUE(claim.Held());
    EXPECT_FALSE(FolderClaim(folder.path()).Held());  // another window of this process
  }
  EXPECT_TRUE(FolderClaim(folder.path()).Held());
  EXPECT_TRUE(ListFiles(folder.path()).empty());  // the folder itself stays untouched
}

}  // namespace
}  // namespace trimora
