// The table file format byte for byte, the reader's failures, and the safe replacement of files.
#include "tables/table_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>

#include "../error_testing.h"
#include "folder/cutting_record.h"
#include "platform/error.h"
#include "temp_dir.h"

namespace trimora {
namespace {

using namespace std::string_literals;
using test::TempDir;

using test::CodeOf;
using test::ThrownBy;

Table CuttingTable() { return Table(CuttingDataColumns()); }

// The file bytes of a table with one integer column "N" and one record holding `value`.
std::string OneInteger(FieldValue value) {
  Table t({{"N", FieldType::Integer, 0}});
  t.Append();
  t.WriteField("N", std::move(value));
  return WriteTableBytes(t);
}

// The bytes of the record list of a one-column file: count, 0x01, the fields, 0x00.
std::string RecordPart(const std::string& file, std::size_t headSize) {
  return file.substr(headSize);
}

const std::string kHeadStart =
    "TPF0\x06\x0D"
    "TRxMemoryData"
    "\x0E\x01\x04"
    "Name\x06\x01"
    "X\x08"
    "DataType\x07\x09"
    "ftInteger\x00"
    "\x01\x04"
    "Name\x06\x01"
    "Y"s;

const std::string kTempPathDefinition =
    "\x01\x04"
    "Name\x06\x08"
    "TempPath\x08"
    "DataType\x07\x08"
    "ftString\x04"
    "Size\x03\xFA\x00\x00"s;

TEST(TableFile, EmptyCuttingDataTableIsTheHeadThenCountZeroAndAnEmptyList) {
  const std::string bytes = WriteTableBytes(CuttingTable());
  ASSERT_EQ(bytes.size(), 652u + 4u);
  EXPECT_EQ(bytes.substr(0, kHeadStart.size()), kHeadStart);
  EXPECT_NE(bytes.substr(0, 652).find(kTempPathDefinition), std::string::npos);
  EXPECT_EQ(bytes.substr(650, 2), "\x00\x00"s);  // the last item's end and the collection's end
  EXPECT_EQ(bytes.substr(652), "\x02\x00\x01\x00"s);
}

TEST(TableFile, NeverShownRecordHasTheDocumentedBytes) {
  Table t = CuttingTable();
  t.Append();
  t.WriteInteger("jpegCompressionBlockSize", 16);
  t.WriteText("TempPath", "");
  t.WriteText("Filename", "/f/a.jpg");
  t.WriteText("FileType", "JPG");
  t.WriteBoolean("SaveIt", false);
  t.WriteBoolean("Deleted", false);
  const std::string expected =
      "\x02\x01\x01"          // count 1, begin of list
      "\x09\x09\x09\x09\x09"  // X .. FormatID null
      "\x08\x02\x10"          // block size 16
      "\x08\x06\x00"          // TempPath empty
      "\x08\x06\x08/f/a.jpg"  // Filename
      "\x08\x06\x03JPG"       // FileType
      "\x08\x08\x08\x08"      // SaveIt, Deleted false
      "\x09\x09\x09\x09\x09"  // RedEyeCoords .. Enlarge null
      "\x00"s;
  EXPECT_EQ(WriteTableBytes(t).substr(652), expected);
}

struct IntegerCase {
  FieldValue value;
  std::string field;
};

TEST(TableFile, IntegersTakeTheShortestTag) {
  const std::size_t head = WriteTableBytes(Table({{"N", FieldType::Integer, 0}})).size() - 4;
  const IntegerCase cases[] = {
      {std::int32_t{200}, "\x08\x03\xC8\x00"s},
      {std::int32_t{-1}, "\x08\x02\xFF"s},
      {std::int32_t{70000}, "\x08\x04\x70\x11\x01\x00"s},
      {std::int32_t{1}, "\x08\x02\x01"s},
      {std::int32_t{127}, "\x08\x02\x7F"s},
      {std::int32_t{-128}, "\x08\x02\x80"s},
      {std::int32_t{128}, "\x08\x03\x80\x00"s},
      {std::int32_t{-32769}, "\x08\x04\xFF\x7F\xFF\xFF"s},
      {std::monostate{}, "\x09"s},
  };
  for (const auto& c : cases) {
    const std::string bytes = OneInteger(c.value);
    EXPECT_EQ(RecordPart(bytes, head), "\x02\x01\x01"s + c.field + "\x00"s);
    EXPECT_EQ(ReadTableBytes(bytes).ReadField("N"), c.value);
  }
}

TEST(TableFile, TextsUpTo255BytesUseTheShortTagLongerOnesTheLongTag) {
  Table t = CuttingTable();
  t.Append();
  t.WriteText("RedEyeCoords", std::string(255, 'a'));
  std::string bytes = WriteTableBytes(t);
  EXPECT_NE(bytes.find("\x08\x06\xFF"s + std::string(255, 'a') + "\x09"), std::string::npos);

  t.WriteText("RedEyeCoords", std::string(300, 'b'));
  bytes = WriteTableBytes(t);
  EXPECT_NE(bytes.find("\x08\x0C\x2C\x01\x00\x00"s + std::string(300, 'b') + "\x09"),
            std::string::npos);
  EXPECT_EQ(ReadTableBytes(bytes).ReadText("RedEyeCoords"), std::string(300, 'b'));
}

TEST(TableFile, ALongPathIsStoredCutTo250Characters) {
  Table t = CuttingTable();
  t.Append();
  const std::string path = "/" + std::string(259, 'p');
  t.WriteText("Filename", path);
  const Table loaded = ReadTableBytes(WriteTableBytes(t));
  EXPECT_EQ(loaded.ReadText("Filename"), path.substr(0, 250));
}

TEST(TableFile, RoundTripKeepsColumnsFieldsAndNulls) {
  Table t({{"I", FieldType::Integer, 0},
           {"S", FieldType::String, 30},
           {"B", FieldType::Boolean, 0},
           {"Small", FieldType::Smallint, 0},
           {"W", FieldType::Word, 0},
           {"A", FieldType::AutoInc, 0}});
  for (int i = 0; i < 3; ++i) {
    t.Append();
    t.WriteInteger("I", i * 100000 - 7);
    if (i != 1) t.WriteText("S", "H\xF6he " + std::to_string(i));
    t.WriteBoolean("B", i == 2);
    t.WriteInteger("Small", -i);
    t.WriteInteger("W", 65535 - i);
  }
  t.LocateRecord(1);
  const std::string bytes = WriteTableBytes(t);
  EXPECT_EQ(t.CurrentPosition(), 1);

  const Table loaded = ReadTableBytes(bytes);
  EXPECT_EQ(loaded.Columns(), t.Columns());
  ASSERT_EQ(loaded.RecordCount(), 3);
  EXPECT_EQ(loaded.CurrentPosition(), 0);
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 6; ++c) EXPECT_EQ(loaded.At(r, c), t.At(r, c)) << r << "," << c;
  }
  EXPECT_EQ(WriteTableBytes(loaded), bytes);
}

TEST(TableFile, MemoFieldsAreWrittenWithoutTheNullMarker) {
  Table t({{"M", FieldType::Memo, 0}});
  t.Append();
  t.Append();
  t.WriteText("M", "x");
  const std::string bytes = WriteTableBytes(t);
  EXPECT_EQ(bytes.substr(bytes.size() - 10),
            "\x02\x02\x01\x08\x06\x00\x08\x06\x01x\x00"s.substr(1));
}

// A file of one column "N" (integer) and one record with value 5, built piece by piece.
struct Pieces {
  std::string signature = "TPF0";
  std::string className = "\x06\x0DTRxMemoryData"s;
  std::string columns =
      "\x0E\x01\x04Name\x06\x01N\x08"
      "DataType\x07\x09"
      "ftInteger\x00\x00"s;
  std::string records = "\x02\x01\x01\x08\x02\x05\x00"s;
  std::string Join() const { return signature + className + columns + records; }
};

TEST(TableFile, ReaderAcceptsItemIndexesOtherColumnPropertiesAndAnyCase) {
  Pieces p;
  p.columns =
      "\x0E\x02\x00\x01\x04name\x06\x01N\x08"
      "DATATYPE\x07\x09"
      "FTINTEGER"
      "\x09Precision\x02\x00\x0A"
      "Attributes\x0B\x0A"
      "faRequired\x00"
      "\x08Required\x09\x00\x00"s;
  const Table t = ReadTableBytes(p.Join());
  ASSERT_EQ(t.Columns().size(), 1u);
  EXPECT_EQ(t.ReadInteger("N"), 5);
}

TEST(TableFile, AnOlderFileWithoutEnlargeLoadsWithExactlyItsColumns) {
  auto columns = CuttingDataColumns();
  columns.pop_back();
  Table old(columns);
  old.Append();
  old.WriteText("Filename", "/f/b.jpg");
  const Table loaded = ReadTableBytes(WriteTableBytes(old));
  EXPECT_EQ(loaded.Columns(), columns);
  EXPECT_EQ(loaded.FindColumn("Enlarge"), -1);
  EXPECT_EQ(loaded.ReadText("Filename"), "/f/b.jpg");
}

struct BadFile {
  const char* what;
  Pieces pieces;
  ErrorCode code;
  std::vector<std::string> args;
};

std::vector<BadFile> BadFiles() {
  std::vector<BadFile> cases;
  auto add = [&](const char* what, auto change, ErrorCode code,
                 std::vector<std::string> args = {}) {
    Pieces p;
    change(p);
    cases.push_back({what, p, code, std::move(args)});
  };
  add(
      "signature", [](Pieces& p) { p.signature = "TPF1"; }, ErrorCode::kStreamInvalidFormat);
  add(
      "class name", [](Pieces& p) { p.className = "\x06\x0CTRxMemoryDat"s; },
      ErrorCode::kTableClassMismatch);
  add(
      "class name tag", [](Pieces& p) { p.className = "\x07\x0DTRxMemoryData"s; },
      ErrorCode::kStreamInvalidValue);
  add("unknown property",
      [](Pieces& p) {
        p.columns =
            "\x0E\x01\x04Name\x06\x01N\x03"
            "Foo\x02\x01\x00\x00"s;
      },
      ErrorCode::kTablePropertyUnknown, {"Foo"});
  add(
      "name given as identifier",
      [](Pieces& p) { p.columns = "\x0E\x01\x04Name\x07\x01N\x00\x00"s; },
      ErrorCode::kStreamInvalidValue);
  // Types whose field values have no known encoding in the format (see the README).
  for (const char* name :
       {"ftFloat", "ftCurrency", "ftDate", "ftTime", "ftDateTime", "ftBytes", "ftBCD"}) {
    const std::string type = name;
    add(name,
        [type](Pieces& p) {
          p.columns =
              "\x0E\x01\x04Name\x06\x01N\x08"
              "DataType\x07"s +
              static_cast<char>(type.size()) + type + "\x00\x00"s;
        },
        ErrorCode::kTableTypeUnsupported, {"N", type});
  }
  add("missing type", [](Pieces& p) { p.columns = "\x0E\x01\x04Name\x06\x01N\x00\x00"s; },
      ErrorCode::kTableTypeUnsupported, {"N", "ftUnknown"});
  add(
      "fewer records than counted", [](Pieces& p) { p.records = "\x02\x02\x01\x08\x02\x05\x00"s; },
      ErrorCode::kTableRecordCount);
  add(
      "more records than counted",
      [](Pieces& p) { p.records = "\x02\x01\x01\x08\x02\x05\x08\x02\x06\x00"s; },
      ErrorCode::kTableRecordCount);
  add(
      "negative count", [](Pieces& p) { p.records = "\x02\xFF\x01\x00"s; },
      ErrorCode::kTableRecordCount);
  add(
      "text in an integer column", [](Pieces& p) { p.records = "\x02\x01\x01\x08\x06\x01x\x00"s; },
      ErrorCode::kStreamInvalidValue);
  add(
      "negative long text length", [](Pieces& p) { p.className = "\x0C\xFF\xFF\xFF\xFF"s; },
      ErrorCode::kStreamInvalidFormat);
  add(
      "long text beyond the end", [](Pieces& p) { p.className = "\x0C\xFF\xFF\xFF\x7F"s; },
      ErrorCode::kStreamReadFailed);
  return cases;
}

TEST(TableFile, MalformedFilesFailWithTheirError) {
  EXPECT_NO_THROW(ReadTableBytes(Pieces().Join()));
  for (const auto& c : BadFiles()) {
    const auto thrown = ThrownBy([&] { ReadTableBytes(c.pieces.Join()); });
    ASSERT_TRUE(thrown) << c.what;
    EXPECT_EQ(thrown->code(), c.code) << c.what;
    EXPECT_EQ(thrown->args, c.args) << c.what;
  }
}

TEST(TableFile, EveryTruncationOfAFileFails) {
  Table t = CuttingTable();
  t.Append();
  t.WriteText("Filename", "/f/a.jpg");
  t.WriteInteger("PictureWidth", 4000);
  t.WriteText("RedEyeCoords", std::string(300, '1'));
  const std::string bytes = WriteTableBytes(t);
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    EXPECT_NE(CodeOf([&] { ReadTableBytes(bytes.substr(0, n)); }), ErrorCode::kCount) << n;
  }
}

TEST(TableFile, IntegerOutsideASmallintColumnFailsTheLoad) {
  Pieces p;
  p.columns =
      "\x0E\x01\x04Name\x06\x01N\x08"
      "DataType\x07\x0A"
      "ftSmallint\x00\x00"s;
  p.records = "\x02\x01\x01\x08\x04\x70\x11\x01\x00\x00"s;
  const auto thrown = ThrownBy([&] { ReadTableBytes(p.Join()); });
  ASSERT_TRUE(thrown);
  EXPECT_EQ(thrown->code(), ErrorCode::kFieldValueOutOfRange);
  EXPECT_EQ(thrown->args, (std::vector<std::string>{"70000", "N"}));
}

TEST(TableFileOnDisk, SaveAndLoadRoundTrip) {
  TempDir dir;
  Table t = CuttingTable();
  t.Append();
  t.WriteText("Filename", "/f/a.jpg");
  t.Append();
  SaveTableToFile(t, dir.File("CroppingData.kv2"));
  EXPECT_EQ(t.CurrentPosition(), 1);
  EXPECT_EQ(test::ReadFile(dir.File("CroppingData.kv2")), WriteTableBytes(t));

  Table loaded({{"other", FieldType::Boolean, 0}});
  loaded.Append();
  LoadTableFromFile(loaded, dir.File("CroppingData.kv2"));
  EXPECT_EQ(loaded.Columns(), CuttingDataColumns());
  EXPECT_EQ(loaded.RecordCount(), 2);
  EXPECT_EQ(loaded.CurrentPosition(), 0);
  EXPECT_EQ(loaded.ReadText("Filename"), "/f/a.jpg");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"CroppingData.kv2"});
}

TEST(TableFileOnDisk, FileErrorsNameThePath) {
  TempDir dir;
  Table t = CuttingTable();
  const std::string missing = dir.File("nothing.kv2");
  struct Case {
    std::function<void()> run;
    ErrorCode code;
    std::string path;
  };
  const std::string noFolder = dir.File("no/such/folder/CroppingData.kv2");
  const std::vector<Case> cases = {
      {[&] { LoadTableFromFile(t, missing); }, ErrorCode::kFileCannotOpen, missing},
      {[&] { LoadTableFromFile(t, dir.File("")); }, ErrorCode::kFileCannotOpen, dir.File("")},
      {[&] { SaveTableToFile(t, noFolder); }, ErrorCode::kFileCannotCreate, noFolder},
  };
  for (const Case& c : cases) {
    const auto thrown = ThrownBy(c.run);
    ASSERT_TRUE(thrown) << c.path;
    EXPECT_EQ(thrown->code(), c.code) << c.path;
    EXPECT_EQ(thrown->args, std::vector<std::string>{c.path});
  }
}

TEST(TableFileOnDisk, AFailedLoadLeavesTheTableWithoutColumns) {
  TempDir dir;
  test::WriteFile(dir.File("bad.kv2"), "TPF0\x06\x02XY"s);
  Table t = CuttingTable();
  t.Append();
  EXPECT_EQ(CodeOf([&] { LoadTableFromFile(t, dir.File("bad.kv2")); }),
            ErrorCode::kTableClassMismatch);
  EXPECT_TRUE(t.Columns().empty());
  EXPECT_EQ(t.RecordCount(), 0);
}

TEST(TableFileOnDisk, ReplacingKeepsTheOldFilesPermissions) {
  TempDir dir;
  const std::string path = dir.File("CroppingData.kv2");
  test::WriteFile(path, "old");
  ::chmod(path.c_str(), 0640);
  SaveTableToFile(CuttingTable(), path);
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(TableFileOnDisk, AWriteProtectedTableIsNotReplaced) {
  TempDir dir;
  const std::string path = dir.File("CroppingData.kv2");
  test::WriteFile(path, "old");
  ::chmod(path.c_str(), 0444);
  EXPECT_EQ(CodeOf([&] { SaveTableToFile(CuttingTable(), path); }),
            ErrorCode::kFileWriteProtected);
  EXPECT_EQ(test::ReadFile(path), "old");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"CroppingData.kv2"});
}

TEST(TableFileOnDisk, ReplacingAFolderFailsAndLeavesNoTemporaryFile) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("CroppingData.kv2"));
  const std::string path = dir.File("CroppingData.kv2");
  EXPECT_EQ(CodeOf([&] { SaveTableToFile(CuttingTable(), path); }), ErrorCode::kFileCannotCreate);
  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"CroppingData.kv2"});
}

// A full disk in the middle of writing: the file size limit makes write() fail with EFBIG.
TEST(TableFileOnDisk, AWriteFailureKeepsTheOldFileWhole) {
  TempDir dir;
  const std::string path = dir.File("CroppingData.kv2");
  Table small = CuttingTable();
  small.Append();
  small.WriteText("Filename", "/f/kept.jpg");
  SaveTableToFile(small, path);
  const std::string before = test::ReadFile(path);

  Table big = CuttingTable();
  for (int i = 0; i < 200; ++i) {
    big.Append();
    big.WriteText("Filename", "/f/" + std::string(200, 'x'));
  }
  struct sigaction ignore {
  }, previous{};
  ignore.sa_handler = SIG_IGN;
  ::sigaction(SIGXFSZ, &ignore, &previous);
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  rlimit limited = saved;
  limited.rlim_cur = 4096;
  ::setrlimit(RLIMIT_FSIZE, &limited);
  const ErrorCode code = CodeOf([&] { SaveTableToFile(big, path); });
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::sigaction(SIGXFSZ, &previous, nullptr);

  EXPECT_EQ(code, ErrorCode::kFileCannotWrite);
  EXPECT_EQ(test::ReadFile(path), before);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"CroppingData.kv2"});
}

}  // namespace
}  // namespace trimora
