// Format tables: loading and sorting, the FormatID lookup, the default format, the ratio, and
// the format files installed in the program folder.
#include "formats/format_tables.h"

#include <gtest/gtest.h>

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
  formats.LoadFormatTables(folder.path);
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
  formats.LoadFormatTables(dir.File(""));
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
  formats.SaveFormatTables(dir.File(""));
  FormatTables loaded;
  loaded.LoadFormatTables(dir.File(""));
  loaded.LoadDefaultFormat(1);
  EXPECT_EQ(loaded.DefaultFormat.Name, "Größe");  // shown as UTF-8
}

TEST(InstalledFormats, TenByFifteenIsFormatOneAndEveryFormatIsSound) {
  FormatTables formats;
  formats.LoadFormatTables(std::string(TRIMORA_PROGRAM_DIR) + "/");
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
