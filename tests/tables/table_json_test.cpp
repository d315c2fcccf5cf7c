// Tables as JSON and the strict JSON reader behind it.
#include "tables/table_json.h"

#include <gtest/gtest.h>

#include "../error_testing.h"
#include "folder/cutting_record.h"
#include "platform/error.h"
#include "tables/json.h"
#include "tables/table_file.h"

namespace trimora {
namespace {

// The codes of the error that the JSON gives (outermost first) and its text.
std::pair<std::vector<ErrorCode>, std::string> ErrorOf(std::string_view json) {
  const auto thrown = test::ThrownBy([&] { TableFromJson(json); });
  if (!thrown) return {};
  return {thrown->codes, thrown->text};
}

TEST(TableJson, RoundTripKeepsEveryByte) {
  Table t(CuttingDataColumns());
  t.Append();
  t.WriteText("Filename", "/fotos/Größe \"1\"\\\n.jpg");  // a UTF-8 path
  t.WriteInteger("X", -2147483647 - 1);
  t.WriteBoolean("SaveIt", true);
  t.WriteText("RedEyeCoords", "");
  t.Append();
  t.WriteText("FileType", "\xF6\x81");  // Windows-1252 bytes, and an unassigned one
  const std::string json = TableToJson(t);
  EXPECT_NE(json.find("{\"name\": \"FileType\", \"type\": \"ftString\", \"size\": 20, "
                      "\"encoding\": \"windows-1252\"}"),
            std::string::npos);
  EXPECT_NE(json.find("\"ö\xC2\x81\""), std::string::npos);
  EXPECT_EQ(WriteTableBytes(TableFromJson(json)), WriteTableBytes(t));
}

TEST(TableJson, ReadsTheDocumentedShape) {
  const Table t = TableFromJson(R"({
    "columns": [{"name": "opt. Höhe", "type": "ftInteger"},
                {"name": "Name", "type": "ftString", "size": 3, "encoding": "windows-1252"},
                {"name": "B", "type": "ftBoolean"}],
    "records": [[1772, "Hö", null], [null, null, false]]})");
  EXPECT_EQ(t.ColumnNames(), (std::vector<std::string>{"opt. H\xF6he", "Name", "B"}));
  ASSERT_EQ(t.RecordCount(), 2);
  EXPECT_EQ(t.CurrentPosition(), 0);
  EXPECT_EQ(t.ReadInteger("opt. H\xF6he"), 1772);
  EXPECT_EQ(t.ReadText("Name"), "H\xF6");
  EXPECT_EQ(t.ReadBoolean("B"), std::nullopt);
}

TEST(TableJson, BadInputIsRefusedWithAPlaceAndAReason) {
  const std::string columns = R"("columns": [{"name": "N", "type": "ftInteger"},
                                            {"name": "T", "type": "ftString", "size": 2}])";
  struct Case {
    std::string json;
    std::vector<ErrorCode> codes;
    std::string message;
  };
  using E = ErrorCode;
  const Case cases[] = {
      {"[]", {E::kJsonTableNotObject}, "Die JSON-Tabelle muss ein Objekt sein."},
      {"{\"columns\": [], \"records\": [],}",
       {E::kJsonSyntax, E::kJsonNameExpected},
       "Ungültiges JSON in Zeile 1, Spalte 31: Name in Anführungszeichen erwartet."},
      {"{\"columns\": []}",
       {E::kJsonInTable, E::kJsonMemberMissing},
       "Tabelle: \"records\" fehlt."},
      {"{\"columns\": [], \"records\": [], \"x\": 1}",
       {E::kJsonInTable, E::kJsonMemberUnknown},
       "Tabelle: unbekannter Eintrag \"x\"."},
      {"{\"columns\": [{\"name\": \"F\", \"type\": \"ftFloat\"}], \"records\": []}",
       {E::kJsonInColumn, E::kJsonTypeUnknown},
       "Spalte 1: unbekannter Typ \"ftFloat\"."},
      {"{\"columns\": [{\"name\": \"日\", \"type\": \"ftInteger\"}], \"records\": []}",
       {E::kJsonInColumn, E::kJsonNameNotAnsi},
       "Spalte 1: der Name \"日\" lässt sich nicht in Windows-1252 schreiben."},
      {"{" + columns + ", \"records\": [[1]]}",
       {E::kJsonInRecord, E::kJsonValueCount},
       "Datensatz 1: 1 Werte statt 2."},
      {"{" + columns + ", \"records\": [[1.5, null]]}",
       {E::kJsonInField, E::kJsonIntegerExpected},
       "Datensatz 1, Spalte \"N\": eine ganze Zahl (32 Bit) erwartet."},
      {"{" + columns + ", \"records\": [[2147483648, null]]}",
       {E::kJsonInField, E::kJsonIntegerExpected},
       "Datensatz 1, Spalte \"N\": eine ganze Zahl (32 Bit) erwartet."},
      {"{" + columns + ", \"records\": [[1, \"abc\"]]}",
       {E::kJsonInField, E::kJsonTextTooLong},
       "Datensatz 1, Spalte \"T\": der Text ist länger als 2 Zeichen."},
      {"{" + columns + ", \"records\": [[1, 2]]}",
       {E::kJsonInField, E::kJsonTextExpected},
       "Datensatz 1, Spalte \"T\": ein Text erwartet."},
  };
  for (const auto& c : cases) {
    const auto [codes, text] = ErrorOf(c.json);
    EXPECT_EQ(codes, c.codes) << c.json;
    EXPECT_EQ(text, c.message) << c.json;
  }
}

TEST(Json, RefusesWhatStrictJsonForbids) {
  for (const char* bad : {"", "{", "[1,]", "{\"a\":1,\"a\":2}", "01", "1.", "-", "\"\\x\"",
                          "\"\x01\"", "\"\xC3\"", "nul", "[1] 2", "\"\\ud800\"", "{'a':1}"}) {
    EXPECT_THROW(ParseJson(bad), Error) << bad;
  }
}

TEST(Json, ReadsEscapesAndNumbers) {
  const JsonValue v =
      ParseJson(R"([" \"\\\/\b\f\n\r\t\u00f6\ud83d\ude00", -0, 12, 1e2, -2147483648])");
  ASSERT_EQ(v.items.size(), 5u);
  EXPECT_EQ(v.items[0].text, " \"\\/\b\f\n\r\tö\xF0\x9F\x98\x80");
  EXPECT_EQ(v.items[1].Integer(), 0);
  EXPECT_EQ(v.items[2].Integer(), 12);
  EXPECT_EQ(v.items[3].Integer(), std::nullopt);
  EXPECT_EQ(v.items[4].Integer(), -2147483648LL);
}

TEST(Json, DeepNestingIsRefusedNotRecursedInto) {
  EXPECT_NO_THROW(
      ParseJson(std::string(kJsonMaxDepth - 1, '[') + std::string(kJsonMaxDepth - 1, ']')));
  EXPECT_THROW(ParseJson(std::string(100000, '[')), Error);
}

}  // namespace
}  // namespace trimora
