// The table model: nulls, cut texts, the current record and the walk, typed access, sorting.
#include "tables/table.h"

#include <gtest/gtest.h>

#include "../error_testing.h"
#include "folder/cutting_record.h"
#include "platform/error.h"

namespace trimora {
namespace {

Table Sample() {
  return Table(
      {{"N", FieldType::Integer, 0}, {"T", FieldType::String, 5}, {"B", FieldType::Boolean, 0}});
}

TEST(Table, AppendAddsANullRecordAndMakesItCurrent) {
  Table t = Sample();
  EXPECT_TRUE(t.IsEmpty());
  EXPECT_EQ(t.CurrentPosition(), -1);
  EXPECT_TRUE(IsNull(t.ReadField("N")));  // no record: null, not an error
  t.Append();
  t.WriteInteger("N", 1);
  t.Append();
  EXPECT_EQ(t.RecordCount(), 2);
  EXPECT_EQ(t.CurrentPosition(), 1);
  for (const char* name : {"N", "T", "B"}) EXPECT_TRUE(IsNull(t.ReadField(name))) << name;
  EXPECT_EQ(t.ReadInteger("N"), std::nullopt);
}

TEST(Table, TextsAreCutToTheColumnLengthAndEmptyIsNotNull) {
  Table t = Sample();
  t.Append();
  t.WriteText("T", "");
  EXPECT_EQ(t.ReadText("T"), "");
  t.WriteText("T", "abcdefgh");
  EXPECT_EQ(t.ReadText("T"), "abcde");
  t.WriteNull("T");
  EXPECT_EQ(t.ReadText("T"), std::nullopt);
}

TEST(Table, FirstNextEndWalkAllRecordsInOrder) {
  Table t = Sample();
  t.First();
  EXPECT_TRUE(t.End());
  for (int i = 0; i < 3; ++i) {
    t.Append();
    t.WriteInteger("N", i * 10);
  }
  std::vector<int> seen;
  for (t.First(); !t.End(); t.Next()) seen.push_back(*t.ReadInteger("N"));
  EXPECT_EQ(seen, (std::vector<int>{0, 10, 20}));
  EXPECT_EQ(t.CurrentPosition(), 2);  // the last record stays current past the end
  t.LocateRecord(1);
  EXPECT_FALSE(t.End());
  EXPECT_EQ(t.ReadInteger("N"), 10);
  EXPECT_THROW(t.LocateRecord(3), Error);
  EXPECT_THROW(t.LocateRecord(-1), Error);
}

TEST(Table, EmptyRemovesRecordsButKeepsColumns) {
  Table t = Sample();
  t.Append();
  t.Empty();
  EXPECT_EQ(t.RecordCount(), 0);
  EXPECT_EQ(t.CurrentPosition(), -1);
  EXPECT_EQ(t.ColumnNames(), (std::vector<std::string>{"N", "T", "B"}));
  EXPECT_THROW(t.WriteInteger("N", 1), Error);
}

TEST(Table, DeleteRemovesTheCurrentRecordAndMovesToTheNextOrThePrevious) {
  Table t = Sample();
  t.Delete();  // nothing to delete
  for (int i = 0; i < 4; ++i) {
    t.Append();
    t.WriteInteger("N", i);
    t.WriteText("T", std::to_string(i));
  }
  auto values = [&] {
    std::vector<int> seen;
    for (int r = 0; r < t.RecordCount(); ++r) seen.push_back(std::get<std::int32_t>(t.At(r, 0)));
    return seen;
  };
  t.LocateRecord(1);
  t.Delete();
  EXPECT_EQ(values(), (std::vector<int>{0, 2, 3}));
  EXPECT_EQ(t.CurrentPosition(), 1);
  EXPECT_EQ(t.ReadText("T"), "2") << "the following record's fields, not a shifted mixture";
  t.LocateRecord(2);
  t.Delete();
  EXPECT_EQ(values(), (std::vector<int>{0, 2}));
  EXPECT_EQ(t.CurrentPosition(), 1) << "after the last one the one before it is current";
  t.Delete();
  t.Delete();
  EXPECT_TRUE(t.IsEmpty());
  EXPECT_EQ(t.CurrentPosition(), -1);
  EXPECT_TRUE(t.End());
}

TEST(Table, WrongNamesAndTypesAreRefusedWithTheirError) {
  Table t({{"N", FieldType::Integer, 0},
           {"S", FieldType::Smallint, 0},
           {"W", FieldType::Word, 0},
           {"T", FieldType::String, 5}});
  t.Append();
  const auto unknown = test::ThrownBy([&] { t.ReadField("Nope"); });
  ASSERT_TRUE(unknown);
  EXPECT_EQ(unknown->code(), ErrorCode::kFieldUnknown);
  EXPECT_EQ(unknown->args, std::vector<std::string>{"Nope"});
  EXPECT_EQ(test::CodeOf([&] { t.WriteText("N", "1"); }), ErrorCode::kFieldTakesNoText);
  EXPECT_EQ(test::CodeOf([&] { t.WriteBoolean("T", true); }), ErrorCode::kFieldTakesNoBoolean);
  EXPECT_EQ(test::CodeOf([&] { t.WriteInteger("T", 1); }), ErrorCode::kFieldTakesNoNumber);
  EXPECT_EQ(test::CodeOf([&] { t.ReadBoolean("N"); }), ErrorCode::kFieldNotBoolean);
  EXPECT_EQ(test::CodeOf([&] { t.ReadInteger("T"); }), ErrorCode::kFieldNotNumber);
  EXPECT_EQ(test::CodeOf([&] { t.ReadText("N"); }), ErrorCode::kFieldNotText);
  EXPECT_EQ(test::CodeOf([&] { t.WriteInteger("S", 32768); }), ErrorCode::kFieldValueOutOfRange);
  EXPECT_NO_THROW(t.WriteInteger("S", -32768));
  EXPECT_EQ(test::CodeOf([&] { t.WriteInteger("W", -1); }), ErrorCode::kFieldValueOutOfRange);
  EXPECT_NO_THROW(t.WriteInteger("W", 65535));
  EXPECT_EQ(test::CodeOf([&] { t.LocateRecord(1); }), ErrorCode::kRecordMissing);
  Table empty({{"N", FieldType::Integer, 0}});
  EXPECT_EQ(test::CodeOf([&] { empty.WriteInteger("N", 1); }), ErrorCode::kTableWithoutRecord);
}

TEST(Table, CopyingARecordFieldByFieldByName) {
  Table from(CuttingDataColumns());
  from.Append();
  from.WriteInteger("FormatID", -2);
  from.WriteText("Filename", "/f/a.jpg");
  from.WriteBoolean("SaveIt", true);
  Table to(CuttingDataColumns());
  to.Append();
  for (const auto& name : to.ColumnNames()) to.WriteField(name, from.ReadField(name));
  for (int c = 0; c < 16; ++c) EXPECT_EQ(to.At(0, c), from.At(0, c));
}

TEST(Table, SortByPutsNullsFirstKeepsEqualRowsInOrderAndMakesTheFirstCurrent) {
  Table t = Sample();
  const std::vector<std::pair<std::optional<int>, std::string>> rows = {
      {1800, "a"}, {1200, "b"}, {std::nullopt, "c"}, {1500, "d"}, {1200, "e"}};
  for (const auto& [n, s] : rows) {
    t.Append();
    if (n) t.WriteInteger("N", *n);
    t.WriteText("T", s);
  }
  t.SortBy("N");
  EXPECT_EQ(t.CurrentPosition(), 0);
  std::string order;
  for (t.First(); !t.End(); t.Next()) order += *t.ReadText("T");
  EXPECT_EQ(order, "cbeda");
}

}  // namespace
}  // namespace trimora
