// Format tables: loading and sorting, the FormatID lookup, the default format, the ratio, and
// the format files installed in the program folder.
#include "formats/format_tables.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/error.h"
#include "tables/table_file.h"
#include "temp_dir.h"

namespace trimora {
namespace {

using test::TempDir;

struct Row {
  const char* name;
  int w, h, minW = 0, minH = 0;
};

// A table of `columns` (name, then the integer columns in order) holding `rows`.
Table Formats(std::vector<ColumnDef> columns, std::initializer_list<Row> rows) {
  Table t(std::move(columns));
  for (const Row& r : rows) {
    t.Append();
    const int values[] = {r.w, r.h, r.minW, r.minH};
    t.WriteText(kFormatName, r.name);
    for (std::size_t c = 1; c < t.Columns().size(); ++c) {
      t.WriteInteger(t.Columns()[c].name, values[c - 1]);
    }
  }
  return t;
}

Table Scalable(std::initializer_list<Row> rows) { return Formats(ScalableFormatColumns(), rows); }

Table NonScalable(std::initializer_list<Row> rows) {
  return Formats(NonScalableFormatColumns(), rows);
}

// A program folder holding the two format files.
struct ProgramFolder {
  TempDir dir;
  std::string path = dir.File("");
  ProgramFolder(const Table& scalable, const Table& nonScalable) {
    SaveTableToFile(scalable, path + std::string(kScalableFormatsFile));
    SaveTableToFile(nonScalable, path + std::string(kNonScalableFormatsFile));
  }
};

TEST(FormatTables, LoadingSortsByWidthSoThatFormatIdsFollowTheWidths) {
  ProgramFolder folder(
      Scalable(
          {{"c", 1800, 1200, 900, 600}, {"a", 1200, 1800, 600, 900}, {"b", 1500, 1000, 750, 500}}),
      NonScalable({{"y", 1024, 768}, {"x", 800, 600}}));
  FormatTables formats;
  formats.LoadFormatTables({folder.path, folder.path});
  EXPECT_EQ(formats.scalableFormatTable.CurrentPosition(), 0);
  EXPECT_EQ(formats.nonScalableFormatTable.CurrentPosition(), 0);
  const std::pair<int, int> expected[] = {{1, 1200}, {2, 1500}, {3, 1800}, {-1, 800}, {-2, 1024}};
  for (const auto& [id, width] : expected) {
    FormatRecord r;
    ASSERT_TRUE(formats.LookupFormat(id, r));
    EXPECT_EQ(r.FormatID, id);
    EXPECT_EQ(r.PixelWidth, width) << id;
  }
}

TEST(FormatTables, DefaultFormatFromANonScalableRowKeepsTheMinimalSizes) {
  FormatTables formats;
  formats.scalableFormatTable = Scalable({{"10 x 15", 1181, 1772, 591, 886}});
  formats.nonScalableFormatTable =
      NonScalable({{"800 x 600", 800, 600}, {"1366 x 768", 1366, 768}});
  formats.LoadDefaultFormat(1);
  EXPECT_EQ(formats.DefaultFormat, (FormatRecord{1, "10 x 15", 1181, 1772, 591, 886}));
  formats.LoadDefaultFormat(-2);
  EXPECT_EQ(formats.DefaultFormat, (FormatRecord{-2, "1366 x 768", 1366, 768, 591, 886}));
}

TEST(FormatTables, RatioIsLongSideOverShortSideWhicheverWayTheFormatStands) {
  FormatTables formats;
  formats.scalableFormatTable = Scalable({{"a", 1200, 1800, 0, 0}, {"b", 1800, 1200, 0, 0}});
  formats.nonScalableFormatTable = NonScalable({{"c", 1920, 1080}});
  EXPECT_EQ(formats.FormatRatio(1), 1.5L);
  EXPECT_EQ(formats.FormatRatio(2), 1.5L);
  EXPECT_EQ(formats.FormatRatio(-1), 1920.0L / 1080.0L);
}

TEST(FormatTables, LookupDoesNotMoveTheCurrentRows) {
  FormatTables formats;
  formats.scalableFormatTable = Scalable({{"a", 1, 1, 1, 1}, {"b", 2, 2, 2, 2}, {"c", 3, 3, 3, 3}});
  formats.nonScalableFormatTable = NonScalable({{"x", 4, 4}, {"y", 5, 5}});
  formats.scalableFormatTable.LocateRecord(1);
  formats.nonScalableFormatTable.LocateRecord(0);
  formats.LoadDefaultFormat(3);
  formats.FormatRatio(-2);
  EXPECT_EQ(formats.scalableFormatTable.CurrentPosition(), 1);
  EXPECT_EQ(formats.nonScalableFormatTable.CurrentPosition(), 0);
}

TEST(FormatTables, OutOfRangeIdsNameTheEdgeRowsAndEmptyTablesNameNothing) {
  FormatTables formats;
  formats.nonScalableFormatTable = NonScalable({{"x", 4, 3}, {"y", 5, 4}});
  FormatRecord r;
  ASSERT_TRUE(formats.LookupFormat(-9, r));
  EXPECT_EQ(r.Name, "y");
  ASSERT_TRUE(formats.LookupFormat(0, r));
  EXPECT_EQ(r.Name, "x");

  EXPECT_FALSE(formats.LookupFormat(1, r));
  formats.LoadDefaultFormat(1);
  EXPECT_EQ(formats.DefaultFormat, (FormatRecord{1, "", 0, 0, 0, 0}));
  EXPECT_THROW(formats.FormatRatio(1), Error);
}

TEST(FormatTables, MissingOrBrokenFilesLeaveTheTablesAsTheyWere) {
  TempDir dir;
  test::WriteFile(dir.File(std::string(kNonScalableFormatsFile)), "TPF0 broken");
  FormatTables formats;
  formats.scalableFormatTable = Scalable({{"keep", 10, 20, 5, 10}});
  formats.nonScalableFormatTable = NonScalable({{"keep too", 30, 40}});
  formats.LoadFormatTables({dir.File(""), dir.File("")});
  EXPECT_EQ(formats.scalableFormatTable.RecordCount(), 1);
  EXPECT_EQ(formats.nonScalableFormatTable.ReadText(kFormatName), "keep too");
}

TEST(FormatTables, SavedTablesLoadBackInTheirOrder) {
  TempDir dir;
  FormatTables formats;
  formats.scalableFormatTable =
      Scalable({{"Gr\xF6\xDF"
                 "e",
                 2, 3, 1, 1}});
  formats.nonScalableFormatTable = NonScalable({{"x", 4, 3}});
  EXPECT_TRUE(formats.SaveFormatTables({dir.File(""), dir.File("")}).empty());
  FormatTables loaded;
  loaded.LoadFormatTables({dir.File(""), dir.File("")});
  loaded.LoadDefaultFormat(1);
  EXPECT_EQ(loaded.DefaultFormat.Name, "Größe");  // shown as UTF-8
}

// An installed program folder with its format files, and a user's copy folder beside it that
// does not exist yet.
struct InstalledAndUserFolders {
  ProgramFolder installed{Scalable({{"10 x 15", 1200, 1800, 600, 900}}),
                          NonScalable({{"800 x 600", 800, 600}})};
  TempDir home;
  FormatFileFolders folders{installed.path, home.File("share/Halvorn/Trimora/")};
  std::string InstalledBytes() const {
    return test::ReadFile(installed.path + std::string(kScalableFormatsFile)) +
           test::ReadFile(installed.path + std::string(kNonScalableFormatsFile));
  }
};

std::string FirstName(const Table& table) {
  return table.RecordCount() == 0 ? std::string() : std::get<std::string>(table.At(0, 0));
}

TEST(UserFormatFiles, AUserCopyIsReadInsteadOfTheInstalledFileEachFileOnItsOwn) {
  InstalledAndUserFolders place;
  std::filesystem::create_directories(place.folders.user);
  SaveTableToFile(Scalable({{"eigenes", 2000, 1000, 1000, 500}}),
                  place.folders.user + std::string(kScalableFormatsFile));
  FormatTables formats;
  formats.LoadFormatTables(place.folders);
  EXPECT_EQ(FirstName(formats.scalableFormatTable), "eigenes");
  EXPECT_EQ(FirstName(formats.nonScalableFormatTable), "800 x 600");
}

TEST(UserFormatFiles, AnUnreadableUserCopyFallsBackToTheInstalledFile) {
  InstalledAndUserFolders place;
  std::filesystem::create_directories(place.folders.user);
  test::WriteFile(place.folders.user + std::string(kScalableFormatsFile), "TPF0 broken");
  std::filesystem::create_directories(place.folders.user + std::string(kNonScalableFormatsFile));
  FormatTables formats;
  formats.LoadFormatTables(place.folders);
  EXPECT_EQ(FirstName(formats.scalableFormatTable), "10 x 15");
  EXPECT_EQ(FirstName(formats.nonScalableFormatTable), "800 x 600");
}

TEST(UserFormatFiles, SavingCreatesTheUserFolderWritesThereAndLeavesTheInstalledFilesAlone) {
  InstalledAndUserFolders place;
  const std::string before = place.InstalledBytes();
  FormatTables formats;
  formats.LoadFormatTables(place.folders);
  formats.scalableFormatTable.Append();
  formats.scalableFormatTable.WriteText(kFormatName, "neu");
  EXPECT_TRUE(formats.SaveFormatTables(place.folders).empty());
  EXPECT_EQ(place.InstalledBytes(), before);

  FormatTables again;
  again.LoadFormatTables(place.folders);
  EXPECT_EQ(again.scalableFormatTable.RecordCount(), 2);
  EXPECT_EQ(again.nonScalableFormatTable.RecordCount(), 1);
  EXPECT_EQ(std::filesystem::status(place.home.File("share/Halvorn")).permissions() &
                std::filesystem::perms::all,
            std::filesystem::perms::owner_all);
}

TEST(UserFormatFiles, AFileThatCannotBeWrittenIsNamedAndTheOtherIsStillWritten) {
  InstalledAndUserFolders place;
  const std::string before = place.InstalledBytes();
  // A folder where the scalable file should go: no file can replace it.
  std::filesystem::create_directories(place.folders.user + std::string(kScalableFormatsFile));
  FormatTables formats;
  formats.LoadFormatTables(place.folders);
  EXPECT_EQ(formats.SaveFormatTables(place.folders),
            std::vector<std::string>{place.folders.user + std::string(kScalableFormatsFile)});
  EXPECT_TRUE(
      std::filesystem::is_regular_file(place.folders.user + std::string(kNonScalableFormatsFile)));

  // A user folder that cannot be made: both files are named, nothing else is written.
  test::WriteFile(place.home.File("file"), "x");
  const FormatFileFolders blocked{place.installed.path, place.home.File("file/Trimora/")};
  EXPECT_EQ(formats.SaveFormatTables(blocked),
            (std::vector<std::string>{blocked.user + std::string(kScalableFormatsFile),
                                      blocked.user + std::string(kNonScalableFormatsFile)}));
  EXPECT_EQ(place.InstalledBytes(), before);
}

TEST(InstalledFormats, TenByFifteenIsFormatOneAndEveryFormatIsSound) {
  FormatTables formats;
  formats.LoadFormatTables({TRIMORA_PROGRAM_DIR "/", TRIMORA_PROGRAM_DIR "/"});
  const Table& scalable = formats.scalableFormatTable;
  const Table& nonScalable = formats.nonScalableFormatTable;
  ASSERT_GE(scalable.RecordCount(), 5);
  ASSERT_GE(nonScalable.RecordCount(), 3);
  formats.LoadDefaultFormat(1);
  EXPECT_EQ(formats.DefaultFormat.Name, "10 x 15");
  EXPECT_NEAR(static_cast<double>(formats.FormatRatio(1)), 1.5, 0.001);

  for (int id = 1; id <= scalable.RecordCount(); ++id) {
    FormatRecord r;
    ASSERT_TRUE(formats.LookupFormat(id, r));
    EXPECT_GT(r.MinWidth, 0) << r.Name;
    EXPECT_LT(r.MinWidth, r.PixelWidth) << r.Name;
    EXPECT_LT(r.MinHeight, r.PixelHeight) << r.Name;
  }
  bool offGrid = false;
  for (int id = -1; id >= -nonScalable.RecordCount(); --id) {
    FormatRecord r;
    ASSERT_TRUE(formats.LookupFormat(id, r));
    EXPECT_GT(r.PixelWidth, 0);
    EXPECT_GT(r.PixelHeight, 0);
    offGrid = offGrid || r.PixelWidth % 16 != 0 || r.PixelHeight % 16 != 0;
  }
  EXPECT_TRUE(offGrid);
}

}  // namespace
}  // namespace trimora
