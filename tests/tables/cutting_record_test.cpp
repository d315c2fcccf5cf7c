// The typed cutting-data record and its table form in the cutting-data file.
#include "folder/cutting_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tables/table_file.h"
#include "temp_dir.h"

namespace trimora {
namespace {

using test::TempDir;

// A record that the picture of `path` gets when it was shown and cut.
CuttingRecord ShownRecord(const std::string& path) {
  CuttingRecord r;
  r.x = 3;
  r.y = -1;
  r.width = 70000;
  r.height = 200;
  r.formatId = -2;
  r.blockSize = 16;
  r.tempPath = "";
  r.filename = path;
  r.fileType = "JPG";
  r.saveIt = true;
  r.deleted = false;
  r.redEyeCoords = "1,2,30,40|";
  r.autoCorrection = false;
  r.pictureWidth = 1600;
  r.pictureHeight = 1200;
  r.enlarge = true;
  return r;
}

TEST(CuttingRecord, RecordsSurviveTheFileFieldForFieldNullsIncluded) {
  TempDir dir;
  CuttingRecord listed;  // listed, never shown: X to FormatID and the corrections null
  listed.blockSize = 16;
  listed.tempPath = "";
  listed.filename = "/photos/b.jpg";
  listed.fileType = "JPG";
  listed.saveIt = false;
  listed.deleted = false;
  const std::vector<CuttingRecord> records = {ShownRecord("/photos/a.jpg"), listed,
                                              CuttingRecord{}};
  SaveCuttingData(records, dir.File("c.kv2"));
  EXPECT_EQ(LoadCuttingData(dir.File("c.kv2")), records);
}

TEST(CuttingRecord, TheTableFormHasTheSixteenColumnsAndTheFileBytesOfAListedPicture) {
  CuttingRecord listed;
  listed.blockSize = 16;
  listed.tempPath = "";
  listed.filename = "/p/a.jpg";
  listed.fileType = "JPG";
  listed.saveIt = false;
  listed.deleted = false;
  const Table table = CuttingTableOf(std::vector<CuttingRecord>{listed});
  EXPECT_EQ(table.Columns(), CuttingDataColumns());
  const std::string bytes = WriteTableBytes(table);
  // After the 652 bytes of the head: count 1, begin of list, the record, end of list.
  const std::string record =
      std::string("\x09\x09\x09\x09\x09", 5) + std::string("\x08\x02\x10", 3) +
      std::string("\x08\x06\x00", 3) + std::string("\x08\x06\x08", 3) + "/p/a.jpg" +
      std::string("\x08\x06\x03", 3) + "JPG" + std::string("\x08\x08\x08\x08", 4) +
      std::string("\x09\x09\x09\x09\x09", 5);
  EXPECT_EQ(bytes.substr(652), std::string("\x02\x01\x01", 3) + record + std::string("\x00", 1));
}

TEST(CuttingRecord, AnOlderTableWithFewerColumnsReadsItsFieldsAndNullForTheRest) {
  // An older file: no "Enlarge", and "X" stored as text (a value of the wrong type).
  Table old({{"Filename", FieldType::String, 250},
             {"X", FieldType::String, 10},
             {"Width", FieldType::Integer, 0},
             {"SaveIt", FieldType::Boolean, 0}});
  old.Append();
  old.WriteText("Filename", "/p/a.jpg");
  old.WriteText("X", "12");
  old.WriteInteger("Width", 40);
  old.WriteBoolean("SaveIt", true);
  const std::vector<CuttingRecord> records = CuttingRecordsOf(old);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].filename, "/p/a.jpg");
  EXPECT_EQ(records[0].width, 40);
  EXPECT_EQ(records[0].saveIt, true);
  EXPECT_FALSE(records[0].x.has_value());
  EXPECT_FALSE(records[0].enlarge.has_value());
  EXPECT_FALSE(records[0].Shown());
}

TEST(CuttingRecord, ALongPathIsCutToTheColumnLengthOnlyInTheFile) {
  const std::string path = "/" + std::string(259, 'p');
  CuttingRecord r;
  r.filename = path;
  const Table table = CuttingTableOf(std::vector<CuttingRecord>{r});
  EXPECT_EQ(table.At(0, table.FindColumn("Filename")), FieldValue(path.substr(0, 250)));
  EXPECT_EQ(r.filename, path);
}

TEST(CuttingRecord, MarkedAndCorrectedFollowTheirFields) {
  struct Case {
    std::optional<bool> saveIt, deleted;
    bool marked;
  };
  for (const Case& c : std::vector<Case>{{true, std::nullopt, true},
                                         {true, false, true},
                                         {true, true, false},
                                         {false, false, false},
                                         {std::nullopt, false, false}}) {
    CuttingRecord r;
    r.saveIt = c.saveIt;
    r.deleted = c.deleted;
    EXPECT_EQ(r.Marked(), c.marked);
  }
  CuttingRecord r;
  EXPECT_FALSE(r.Corrected());
  r.redEyeCoords = "";
  EXPECT_FALSE(r.Corrected()) << "an empty red-eye list holds no filter";
  r.autoCorrection = false;
  r.enlarge = false;
  EXPECT_FALSE(r.Corrected());
  for (int which = 0; which < 3; ++which) {
    CuttingRecord c;
    if (which == 0) c.redEyeCoords = "1,1,9,9|";
    if (which == 1) c.autoCorrection = true;
    if (which == 2) c.enlarge = true;
    EXPECT_TRUE(c.Corrected()) << which;
  }
}

}  // namespace
}  // namespace trimora
