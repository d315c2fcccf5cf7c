#include <gtest/gtest.h>

#include "test_util.h"

namespace trimora::metadata {
namespace {

using namespace testing;

std::vector<std::uint8_t> SmallExif() {
  return ExifSection(BuildTiff(ByteOrder::Intel, {{{Ascii(0x010F, "X")}}}));
}

TEST(SectionScan, AnExifSegmentInFifthPlaceAfterFourOthersIsNotFound) {
  JpegMetadata reader;
  const auto file = Jpeg({{0xE2, "a"}, {0xE3, "b"}, {0xE4, "c"}, {0xE5, "d"}, App1(SmallExif())});
  EXPECT_FALSE(reader.ReadMetadataFromBytes(file, "t.jpg"));
  EXPECT_EQ(reader.ErrorText(), "Not an EXIF file");
  EXPECT_EQ(TextOf(file), "-- All EXIF-Data -------------- \r\nErrStr = Not an EXIF file\r\n");
}

TEST(SectionScan, OnlyTheFirstOfTwoApp1SegmentsIsDecodedAndKept) {
  JpegMetadata reader;
  const auto second = ExifSection(BuildTiff(ByteOrder::Intel, {{{Ascii(0x010F, "Second")}}}));
  EXPECT_TRUE(reader.ReadMetadataFromBytes(Jpeg({App1(SmallExif()), App1(second)}), "t.jpg"));
  EXPECT_EQ(reader.Exif()->Make(), "X");
  ASSERT_EQ(reader.Sections().size(), 1u);
  EXPECT_EQ(reader.Sections()[0].marker, 0xE1);
}

TEST(SectionScan, KeepsHeaderIptcAndTheLastComment) {
  JpegMetadata reader;
  EXPECT_TRUE(reader.ReadMetadataFromBytes(
      Jpeg({{0xE0, "JFIF"}, {0xFE, "first"}, {0xED, "iptc"}, {0xFE, "last"}}), "t.JPEG"));
  ASSERT_NE(reader.HeaderSection(), nullptr);
  EXPECT_EQ(reader.CommentText(), "last");
  ASSERT_NE(reader.IptcSection(), nullptr);
  EXPECT_EQ(reader.ExifSection(), nullptr);
  EXPECT_EQ(reader.ErrorText(), "<none>");
  const auto bytes = SegmentBytes(*reader.HeaderSection());
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), std::string("\xFF\xE0\x00\x06JFIF", 8));
}

TEST(InfoText, ACommentOnlyJpegShowsTwoLines) {
  EXPECT_EQ(TextOf(Jpeg({{0xFE, "hello"}})),
            "-- All EXIF-Data -------------- \r\nErrStr = <none>\r\n");
}

TEST(InfoText, ShowsCommentAndIptcAfterTheExifValues) {
  std::string iptc = "Photoshop 3.0";
  iptc += std::string("\0008BIM\x04\x04\0\0\0\0\0\x20", 13);
  iptc += std::string("\x1C\x02\x00\x00\x02\x00\x02", 7);  // 2:0 record version: no line
  iptc += std::string("\x1C\x02\x78\x00\x05Hello", 10);    // 2:120 caption
  iptc += std::string("\x1C\x02\xC8\x00\x00", 5);          // 2:200 not in the table
  iptc += std::string("\x1C\x09\x01\x00\x01Z", 6);         // record 9: no line
  const std::string text = TextOf(Jpeg({App1(SmallExif()), {0xFE, "Hi"}, {0xED, iptc}}));
  EXPECT_NE(text.find("\r\nNo Thumbnail\r\n\r\n Comment Segment Available\r\nHi\r\n"
                      "\r\n IPTC Segment Available!\r\n\r\nImage caption = Hello\r\n"
                      "Custom_200 = \r\n"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.substr(text.size() - 15), "Custom_200 = \r\n");
}

TEST(IptcLines, FollowTheDatasetsInOrder) {
  IptcDecoder decoder;
  std::string payload(10, '\0');
  payload += std::string("\x1C\x02\x19\x00\x03one\x1C\x02\x19\x00\x03two\x1C\x08\x0A\x00\x01x", 23);
  std::vector<std::uint8_t> section = {0, static_cast<std::uint8_t>(payload.size() + 2)};
  section.insert(section.end(), payload.begin(), payload.end());
  const std::vector<std::string> expected = {"Keywords = one", "Keywords = two", "Subfile = x"};
  EXPECT_EQ(decoder.IptcLines(section), expected);
}

TEST(ReadMetadata, AMissingFileGivesFalseAndNoErrorText) {
  JpegMetadata reader;
  EXPECT_FALSE(reader.ReadMetadata("/nonexistent/folder/x.jpg"));
  EXPECT_EQ(reader.ErrorText(), "");
  EXPECT_EQ(BuildInfoText("/nonexistent/folder/x.jpg"),
            "-- All EXIF-Data -------------- \r\nErrStr = \r\n");
}

TEST(ReadMetadata, AnotherExtensionIsNotAnExifFile) {
  TempFolder folder;
  WriteFile(folder.File("x.png"), Jpeg({App1(SmallExif())}));
  JpegMetadata reader;
  EXPECT_FALSE(reader.ReadMetadata(folder.File("x.png")));
  EXPECT_EQ(reader.ErrorText(), "Not an EXIF file");
  WriteFile(folder.File("x.JPE"), Jpeg({App1(SmallExif())}));
  EXPECT_TRUE(reader.ReadMetadata(folder.File("x.JPE")));
  EXPECT_EQ(reader.FileName(), "x.JPE");
}

TEST(ReadMetadata, SurvivesFilesCutAnywhere) {
  const auto tiff = BuildTiff(ByteOrder::Motorola,
                              {{{Ascii(0x010F, "Canon"), Pointer(0x8769, 1)}, 2},
                               {{Rational(0x829A, {1, 60}), Undefined(0x927C, std::string(40, 1))}},
                               {{Short(0x0103, {6})}}});
  const auto file = Jpeg({{0xE0, "JFIF"}, App1(ExifSection(tiff)), {0xFE, "c"}});
  for (std::size_t n = 0; n <= file.size(); ++n) {
    JpegMetadata reader;
    reader.ReadMetadataFromBytes(std::span(file.data(), n), "t.jpg");
    reader.LongSummary();
    if (reader.Exif() != nullptr) {
      try {
        reader.Exif()->ReadThumbnailDirectory();
      } catch (const Error&) {
      }
    }
  }
  SUCCEED();
}

}  // namespace
}  // namespace trimora::metadata
