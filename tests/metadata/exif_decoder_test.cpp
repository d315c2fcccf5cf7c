#include <gtest/gtest.h>

#include "test_util.h"

namespace trimora::metadata {
namespace {

using namespace testing;

class ExifBlock : public ::testing::TestWithParam<ByteOrder> {
 protected:
  ByteOrder order() const { return GetParam(); }
  std::vector<std::uint8_t> Section(const std::vector<Directory>& dirs) const {
    return ExifSection(BuildTiff(order(), dirs));
  }
};

INSTANTIATE_TEST_SUITE_P(BothByteOrders, ExifBlock,
                         ::testing::Values(ByteOrder::Intel, ByteOrder::Motorola),
                         [](const auto& info) {
                           return info.param == ByteOrder::Intel ? "Intel" : "Motorola";
                         });

TEST_P(ExifBlock, DecodesMainValuesWithDecodeLists) {
  JpegMetadata reader;
  ReadSection(reader, Section({{{Ascii(0x010F, "Canon"), Short(0x0112, {6}), Short(0x0128, {2}),
                                 Short(0x0213, {2})}}}));
  ASSERT_NE(reader.Exif(), nullptr);
  const auto& values = reader.Exif()->ExifValues();
  EXPECT_EQ(DataOf(values, "Make"), "Canon");
  EXPECT_EQ(DataOf(values, "Orientation"), "CounterClockwise 90°");
  EXPECT_EQ(DataOf(values, "Resolution Unit"), "Inch");
  EXPECT_EQ(DataOf(values, "YCb Cr Positioning"), "Co-sited");
  EXPECT_EQ(reader.Exif()->byteOrder(), order());
  ReadSection(reader, Section({{{Short(0x0112, {2})}}}));
  EXPECT_EQ(DataOf(reader.Exif()->ExifValues(), "Orientation"), "");
}

TEST_P(ExifBlock, TextsLoseOnlyAClosingNul) {
  // Cameras that store Make and Model without a closing NUL lose no letter.
  const struct {
    std::string stored;
    std::string shown;
  } cases[] = {
      {std::string("EASTMAN KODAK COMPANY", 21), "EASTMAN KODAK COMPANY"},
      {std::string("EASTMAN KODAK COMPANY\0", 22), "EASTMAN KODAK COMPANY"},
      {std::string("Canon\0\0\0", 8), "Canon"},
      {std::string("X", 1), "X"},
      {std::string("\0", 1), ""},
  };
  for (const auto& c : cases) {
    JpegMetadata reader;
    Entry make = Bytes(0x010F, c.stored);
    make.type = 2;  // ASCII, stored exactly as given
    ReadSection(reader, Section({{{make}}}));
    ASSERT_NE(reader.Exif(), nullptr);
    EXPECT_EQ(DataOf(reader.Exif()->ExifValues(), "Make"), c.shown) << c.stored.size();
  }
}

TEST_P(ExifBlock, ListsSubDirectoryValuesBeforeThePointerAndSkipsUnknownTags) {
  JpegMetadata reader;
  ReadSection(
      reader,
      Section({{{Ascii(0x010F, "X"), Pointer(0x8769, 1), Short(0x4711, {1}), Pointer(0x8825, 2)}},
               {{Rational(0x829A, {1, 125}), Undefined(0x9000, "0220")}},
               {{Rational(0x0002, {51, 1, 3050, 100, 0, 1}), Short(0x001E, {1}),
                 Bytes(0x0000, std::string("\2\2\0\0", 4))}}}));
  const auto& v = reader.Exif()->ExifValues();
  std::vector<std::string> labels;
  for (const auto& e : v) labels.emplace_back(e.Label);
  const std::vector<std::string> expected = {"Make",          "Exposure Time", "Exif Version",
                                             "Exif Offset",   "GPSLatitude",   "GPSDifferential",
                                             "GPSVersion ID", "GPSInfo"};
  EXPECT_EQ(labels, expected);
  EXPECT_EQ(DataOf(v, "Exposure Time"), "1/125 sec");
  EXPECT_EQ(DataOf(v, "Exif Version"), "\"0220\"");
  EXPECT_EQ(DataOf(v, "GPSLatitude"), "51 Degrees 30 Minutes 30 Seconds");
  EXPECT_EQ(reader.Exif()->ExifVersion(), "0220");
}

TEST_P(ExifBlock, SetPictureSizeWritesTheStoredWidthAndHeight) {
  std::vector<std::uint8_t> section =
      Section({{{Pointer(0x8769, 1)}}, {{Short(0xA002, {1600}), Long(0xA003, {1200})}}});
  {
    JpegMetadata reader;
    reader.ReadMetadataFromBytes(Jpeg({App1(section)}), "t.jpg");
    EXPECT_EQ(reader.Exif()->PictureWidth(), 1600);
    reader.SetPictureSize(1200, 900);
    section = reader.ExifSection()->bytes;
  }
  JpegMetadata again;
  ReadSection(again, section);
  EXPECT_EQ(again.Exif()->PictureWidth(), 1200);
  EXPECT_EQ(again.Exif()->PictureHeight(), 900);
}

TEST_P(ExifBlock, ComputesThe35mmFocalLengthWhenItIsMissing) {
  JpegMetadata reader;
  ReadSection(
      reader,
      Section({{{Pointer(0x8769, 1)}},
               {{Rational(0x920A, {78, 10}), Short(0xA210, {2}), Rational(0xA20E, {8030, 1}),
                 Rational(0xA20F, {8030, 1}), Long(0xA002, {2048}), Long(0xA003, {1536})}}}));
  const auto& v = reader.Exif()->ExifValues();
  ASSERT_FALSE(v.empty());
  EXPECT_EQ(v.back().Label, "Focal Length in 35mm Film");
  EXPECT_EQ(v.back().Data, "41.68");
  EXPECT_NE(reader.LongSummary().find("\r\nFocal Length (35mm): 41.68\r\n"), std::string::npos);
}

TEST_P(ExifBlock, ShowsTheThumbnailDirectory) {
  std::vector<Directory> dirs = {{{Ascii(0x010F, "X")}, 1},
                                 {{Short(0x0103, {6}), Long(0x0201, {0}), Long(0x0202, {300})}}};
  auto tiff = BuildTiff(order(), dirs);
  tiff.resize(tiff.size() + 300, 0xAB);
  const std::string text = TextOf(Jpeg({App1(ExifSection(tiff))}));
  const std::uint32_t t = DirectoryOffset(order(), dirs, 1);
  const std::string expected =
      "\r\n -- Thumbnail Data ---- \r\nThumbnail Start = " + std::to_string(t) +
      "\r\nThumbnail Length = " + std::to_string(tiff.size() + 8 + 3 - t) +
      "\r\nCompression = Jpeg\r\n";
  EXPECT_NE(text.find(expected), std::string::npos) << text;
}

TEST_P(ExifBlock, WithoutMakerNoteAndThumbnailEndsWithNoThumbnail) {
  const std::string text = TextOf(Jpeg({App1(Section({{{Ascii(0x010F, "X")}}}))}));
  const std::string order_line =
      order() == ByteOrder::Intel ? "Intel Byte Order" : "Motorola Byte Order";
  const std::string tail =
      "ErrStr = <none>\r\n" + order_line + "\r\nMake = X\r\n\r\nNo Thumbnail\r\n";
  ASSERT_GE(text.size(), tail.size());
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

TEST_P(ExifBlock, SurvivesDirectoriesThatPointAtThemselvesAndEachOther) {
  JpegMetadata reader;
  ReadSection(reader, Section({{{Ascii(0x010F, "X"), Pointer(0x8769, 1)}},
                               {{Pointer(0x8769, 1), Pointer(0xA005, 0), Short(0xA002, {5})}}}));
  ASSERT_NE(reader.Exif(), nullptr);
  EXPECT_EQ(reader.ErrorText(), "<none>");
  int makes = 0;
  for (const auto& e : reader.Exif()->ExifValues()) makes += e.Label == "Make";
  EXPECT_EQ(makes, 1);
  EXPECT_EQ(reader.Exif()->PictureWidth(), 5);
}

TEST_P(ExifBlock, ClipsValuesOutsideTheSectionAndHugeCounts) {
  Entry far = Ascii(0x010E, "a description that is long");
  far.offsetOverride = 0xFFFFFFF0;
  Entry huge = Rational(0x829A, {1, 2});
  huge.countOverride = 0xFFFFFFFF;
  Entry subOutside = Long(0x8769, {0x7FFFFFF0});
  JpegMetadata reader;
  ReadSection(reader, Section({{{far, huge, subOutside, Ascii(0x0110, "M")}}}));
  ASSERT_NE(reader.Exif(), nullptr);
  EXPECT_EQ(reader.ErrorText(), "<none>");
  EXPECT_EQ(reader.Exif()->Model(), "M");
  EXPECT_EQ(DataOf(reader.Exif()->ExifValues(), "Image Description"), "");
}

TEST_P(ExifBlock, AFirstDirectoryOutsideTheSectionIsAnIllegalConstruction) {
  auto tiff = BuildTiff(order(), {{{Ascii(0x010F, "X")}}});
  tiff[order() == ByteOrder::Intel ? 7 : 4] = 0x70;  // first directory far away
  const std::string text = TextOf(Jpeg({App1(ExifSection(tiff))}));
  EXPECT_EQ(text,
            " -- EXIF Summary -(short)--- \r\nt.jpg Exif Error: Illegal Exif construction\r\n\r\n"
            " -- EXIF Summary -(long)---- \r\nFile Name: t.jpg\r\nExif Error: Illegal Exif "
            "construction\r\n\r\n-- All EXIF-Data -------------- \r\nErrStr = Illegal Exif "
            "construction\r\n !!!!!!!!!!!!!!!!!!!!!!\r\n ! ERROR READING DATA !\r\n "
            "!!!!!!!!!!!!!!!!!!!!!!\r\n");
}

TEST_P(ExifBlock, AnUnreadableThumbnailDirectoryEndsTheTextWithTheErrorLines) {
  std::vector<Directory> dirs = {{{Ascii(0x010F, "X")}, 1}, {{}}};
  auto tiff = BuildTiff(order(), dirs);
  const std::uint32_t t = DirectoryOffset(order(), dirs, 1);
  tiff.resize(t);
  // 22 entries pass the size test, but the last one's value offset lies past the end.
  std::vector<std::uint8_t> dir(2 + 12 * 22 - 4, 0);
  const bool intel = order() == ByteOrder::Intel;
  dir[intel ? 0 : 1] = 22;
  const std::size_t last = 2 + 12 * 21;
  dir[last + (intel ? 0 : 1)] = 0x10;  // tag 0110
  dir[last + (intel ? 1 : 0)] = 0x01;
  dir[last + (intel ? 2 : 3)] = 4;  // LONG
  dir[last + (intel ? 4 : 7)] = 2;  // two of them: 8 bytes, stored elsewhere
  tiff.insert(tiff.end(), dir.begin(), dir.end());
  const std::string text = TextOf(Jpeg({App1(ExifSection(tiff))}));
  const std::string tail =
      "Make = X\r\n\r\n !!!!!!!!!!!!!!!!!!!!!!\r\n ! ERROR READING DATA !\r\n "
      "!!!!!!!!!!!!!!!!!!!!!!\r\n";
  ASSERT_GE(text.size(), tail.size());
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail) << text;
}

}  // namespace
}  // namespace trimora::metadata
