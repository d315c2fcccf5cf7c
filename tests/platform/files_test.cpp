// Files and folders of the platform layer, on real files in a temporary folder.
#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "../error_testing.h"
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
  EXPECT_TRUE(ListFiles(dir / "missing").empty());
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

TEST(Files, TheReaderGivesBytesAndBlocksAcrossItsBuffer) {
  TempFolder dir;
  std::string content;
  for (int i = 0; i < 70000; ++i) content += static_cast<char>(i * 7);
  WriteFile(dir / "data", content);
  FileReader reader(dir / "data");
  ASSERT_TRUE(reader.IsOpen());
  EXPECT_EQ(reader.Size(), content.size());
  EXPECT_FALSE(reader.IsFolder());
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
  EXPECT_TRUE(FileReader(dir.path()).IsFolder());
}

}  // namespace
}  // namespace trimora
