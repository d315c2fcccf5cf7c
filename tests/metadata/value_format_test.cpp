#include "metadata/value_format.h"

#include <gtest/gtest.h>

#include "metadata/exif_tables.h"

namespace trimora::metadata {
namespace {

std::vector<std::uint8_t> B(std::initializer_list<int> bytes) {
  std::vector<std::uint8_t> v;
  for (int b : bytes) v.push_back(static_cast<std::uint8_t>(b));
  return v;
}

struct NumberCase {
  const char* what;
  std::vector<std::uint8_t> raw;
  unsigned type;
  ByteOrder order;
  const char* code;
  const char* format;
  const char* expected;
};

TEST(NumberFormatting, FormatsValuesWithDecodeListsAndPatterns) {
  const auto I = ByteOrder::Intel, M = ByteOrder::Motorola;
  const NumberCase cases[] = {
      {"short, Intel", B({0x34, 0x12}), kShort, I, "", "", "4660"},
      {"short, Motorola", B({0x12, 0x34}), kShort, M, "", "", "4660"},
      {"decode list", B({6, 0}), kShort, I,
       "1:Normal,3:Rotated 180°,6:CounterClockwise 90°,8:Clockwise 90°", "",
       "CounterClockwise 90°"},
      {"value missing from the list", B({2, 0}), kShort, I, "1:Normal,3:Rotated 180°", "", ""},
      {"blanks after the commas match only the first pair", B({2, 0}), kShort, I,
       "1:Monochrome, 2:RGB, 6:YCbCr", "", ""},
      {"a longer value does not match its tail", B({6, 0}), kShort, I, "16:Sixteen,6:Six", "",
       "Six"},
      {"rational with %s", B({1, 0, 0, 0, 125, 0, 0, 0}), kRational, I, "", "%s sec", "1/125 sec"},
      {"rational numeric pattern", B({0, 0, 0, 28, 0, 0, 0, 10}), kRational, M, "", "F%0.1f",
       "F2.8"},
      {"signed rational", B({0xFF, 0xFF, 0xFF, 0xFF, 3, 0, 0, 0}), kSRational, I, "", "", "-1/3"},
      {"float", B({0, 0, 0x80, 0x3F}), kFloat, I, "", "", "-9999.99"},
      {"SSHORT is never negative", B({0xFF, 0xFF}), kSShort, I, "", "", "65535"},
      {"SLONG is signed", B({0xFF, 0xFF, 0xFF, 0xFF}), kSLong, I, "", "", "-1"},
      {"at most eight values", B({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), kByte, I, "", "",
       "1, 2, 3, 4, 5, 6, 7, 8"},
      {"type 0", B({1, 2}), 0, I, "", "", "0"},
      {"type above 12", B({1, 2}), 13, I, "", "", "0"},
      {"too short for one value", B({1}), kLong, I, "", "", ""},
      {"width pattern", B({28, 0}), kShort, I, "", "%5.2f mm", "28.00 mm"},
      {"denominator 0 gives 0", B({5, 0, 0, 0, 0, 0, 0, 0}), kRational, I, "", "F%0.1f", "F0.0"},
  };
  for (const NumberCase& c : cases) {
    EXPECT_EQ(FormatNumbers(c.raw, c.type, c.order, c.code, c.format), c.expected) << c.what;
  }
}

TEST(Labels, AreMadeFromNames) {
  EXPECT_EQ(LabelFromName("ExposureTime"), "Exposure Time");
  EXPECT_EQ(LabelFromName("ISOSpeedRatings"), "ISOSpeed Ratings");
  EXPECT_EQ(LabelFromName("FNumber"), "FNumber");
  EXPECT_EQ(LabelFromName("GPSLatitude"), "GPSLatitude");
  const TagRow* row = FindSortedRow(MainTagTable(), 0xA405);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(LabelOf(*row), "Focal Length in 35mm Film");
  EXPECT_EQ(LabelOf(*FindSortedRow(MainTagTable(), 0x829A)), "Exposure Time");
}

TEST(Tables, HaveTheirSizesAndTheUnknownRowLast) {
  EXPECT_EQ(MainTagTable().size(), 250u);
  EXPECT_EQ(UnknownRow().tag, 0);
  EXPECT_EQ(UnknownRow().name, "Unknown");
  EXPECT_EQ(GpsTagTable().size(), 31u);
  EXPECT_EQ(FindSortedRow(GpsTagTable(), 0x1E)->name, "GPSDifferential");
}

struct FormatterCase {
  Formatter formatter;
  const char* data;
  const char* expected;
};

TEST(Formatters, TurnPlainTextIntoDisplayText) {
  const FormatterCase cases[] = {
      {Formatter::ShutterSpeed, "7/1", "0.0078 sec (1/128)"},
      {Formatter::ShutterSpeed, "0/1", "1.0000 sec"},
      {Formatter::ShutterSpeed, "1 1/2", "0.3536 sec (1/3)"},
      {Formatter::Flash, "25", "On, auto mode"},
      {Formatter::Flash, "16", "Off, surpressed"},
      {Formatter::Flash, "127",
       "On, strobe return, auto mode, no flash function, red-eye reduction"},
      {Formatter::Flash, "3", "On, UNKNOWN"},
      {Formatter::GpsAngle, "51/1, 3050/100, 0/1", "51 Degrees 30 Minutes 30 Seconds"},
      {Formatter::GpsAngle, "43/1, 28/1, 3/1", "43 Degrees 28 Minutes 3 Seconds"},
      {Formatter::GpsTime, "14/1, 27/1, 7/1", "14:27:7"},
      {Formatter::Text16, "84, 0, 105, 0, 116, 0, 108, 0", "Titl"},
      {Formatter::ComponentLetters, "\"\x01\x02\x03\"", "YCbCr"},
  };
  for (const FormatterCase& c : cases) {
    EXPECT_EQ(FormatExifValue(c.formatter, c.data), c.expected) << c.data;
  }
}

TEST(Formatters, RejectTextsOfTheWrongForm) {
  EXPECT_THROW(FormatExifValue(Formatter::ShutterSpeed, "7/0"), ParseError);
  EXPECT_THROW(FormatExifValue(Formatter::ShutterSpeed, "100000/1"), ParseError);
  EXPECT_THROW(FormatExifValue(Formatter::Flash, "1, 2"), ParseError);
  EXPECT_THROW(FormatExifValue(Formatter::GpsAngle, "51/1, 30/1"), ParseError);
}

TEST(ByteReader, RefusesReadsOutsideItsBytes) {
  const auto bytes = B({1, 2, 3, 4});
  const ByteReader r(bytes, ByteOrder::Motorola);
  EXPECT_EQ(r.u32(0), 0x01020304u);
  EXPECT_THROW(r.u16(3), ParseError);
  EXPECT_THROW(r.u32(0xFFFFFFFFFFFFFFFEull), ParseError);
  EXPECT_THROW(r.bytes(2, 0xFFFFFFFFFFFFFFFFull), ParseError);
  EXPECT_EQ(r.clipped(2, 100).size(), 2u);
  EXPECT_TRUE(r.clipped(9, 1).empty());
  EXPECT_THROW(CheckedMul(0xFFFFFFFFull * 8, 0xFFFFFFFFFull), ParseError);
}

}  // namespace
}  // namespace trimora::metadata
