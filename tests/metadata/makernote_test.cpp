#include <gtest/gtest.h>

#include <algorithm>

#include "metadata/makernote_canon.h"
#include "test_util.h"

namespace trimora::metadata {
namespace {

using namespace testing;

class MakerNotes : public ::testing::TestWithParam<ByteOrder> {
 protected:
  ByteOrder order() const { return GetParam(); }

  // Reads a block with the given Make, Exif version and maker note.
  void Read(const std::string& make, const std::string& version, const std::string& note) {
    const std::vector<Directory> dirs = {{{Ascii(0x010F, make), Pointer(0x8769, 1)}},
                                         {{Undefined(0x9000, version), Undefined(0x927C, note)}}};
    tiff_ = BuildTiff(order(), dirs);
    reader_.ReadMetadataFromBytes(Jpeg({App1(ExifSection(tiff_))}), "t.jpg");
    ASSERT_NE(reader_.Exif(), nullptr);
  }

  // The TIFF offset of a note built with Read (for TIFF-relative value offsets).
  std::int64_t NoteOffset(const std::string& note) const {
    const auto it = std::search(tiff_.begin(), tiff_.end(), note.begin(), note.end());
    return it - tiff_.begin();
  }

  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (const auto& e : reader_.Exif()->MakerValues()) {
      lines.push_back(std::string(e.Label) + " = " + e.Data);
    }
    return lines;
  }

  std::vector<std::uint8_t> tiff_;
  JpegMetadata reader_;
};

INSTANTIATE_TEST_SUITE_P(BothByteOrders, MakerNotes,
                         ::testing::Values(ByteOrder::Intel, ByteOrder::Motorola),
                         [](const auto& info) {
                           return info.param == ByteOrder::Intel ? "Intel" : "Motorola";
                         });

const std::string kNikon3Header("Nikon\0\x02\x10\0\0MM\0\x2A\0\0\0\x08", 18);

TEST_P(MakerNotes, NikonWithExifVersion0220UsesType2FromByte18WithOffsetsFromByte10) {
  const std::string note =
      MakerNote(order(), kNikon3Header, 18,
                {Short(0x0002, {0, 200}), Short(0x000A, {1}), Short(0x0099, {1}),
                 Rational(0x0084, {180, 10, 700, 10, 35, 10, 45, 10})},
                10);
  Read("NIKON CORPORATION", "0220", note);
  EXPECT_TRUE(reader_.Exif()->MakerFamilyKnown());
  const std::vector<std::string> expected = {"ISO Speed = 0, 200",
                                             "Lens information = 18.0-70.0(mm)  F3.5-F4.5"};
  EXPECT_EQ(Lines(), expected);
}

TEST_P(MakerNotes, NikonWithExifVersion0210AndNikonNoteUsesType1FromByte8) {
  const std::string note =
      MakerNote(order(), std::string("Nikon\0\x01\0", 8), 8,
                {Short(0x0003, {12}), Short(0x0009, {1}), Short(0x0004, {1})}, 0);
  Read("NIKON", "0210", note);
  const std::vector<std::string> expected = {"Quality = 2 Mpixel Fine", "ColorMode = Color"};
  EXPECT_EQ(Lines(), expected);
}

TEST_P(MakerNotes, FujiNotesAreIntelOrderedWhateverTheBlockSays) {
  const std::string note =
      MakerNote(ByteOrder::Intel, std::string("FUJIFILM\x0c\0\0\0", 12), 12,
                {Short(0x1001, {3}), Rational(0x1011, {5, 100}), Short(0x1032, {1})}, 0);
  Read("FUJIFILM", "0220", note);
  const std::vector<std::string> expected = {"Sharpness = Normal", "FlashStrength = 5/100"};
  EXPECT_EQ(Lines(), expected);
}

TEST_P(MakerNotes, TheFirstRowOfATableIsListedLikeAnyOther) {
  Read("CASIO COMPUTER CO.,LTD.", "0220",
       MakerNote(order(), "", 0, {Short(0x0001, {1}), Short(0x0008, {1})}, 0));
  EXPECT_EQ(Lines(), std::vector<std::string>{"RecordingMode = Single Shutter"});
  Read("OLYMPUS OPTICAL CO.,LTD", "0210",
       MakerNote(order(), std::string("OLYMP\0\x01\0", 8), 8, {Short(0x0200, {1, 2})}, 0));
  EXPECT_EQ(Lines(), std::vector<std::string>{"SpecialMode = 1, 2"});
}

TEST_P(MakerNotes, CanonCameraSettingsComeBeforeTheirEntry) {
  const std::vector<Entry> entries = {Short(0x0001, {0, 2, 0, 1, 0, 0, 0, 1})};
  Read("Canon", "0220", MakerNote(order(), "", 0, entries, 0));
  const std::string placeholder = MakerNote(order(), "", 0, entries, 0);
  Read("Canon", "0220", MakerNote(order(), "", 0, entries, 0, NoteOffset(placeholder)));
  const std::vector<std::string> expected = {"Macro mode = Normal",
                                             "Self Timer = 2",
                                             "Compression Rate = Fine",
                                             "Flash Mode = Not fired",
                                             "Drive Mode = Single",
                                             "Focus Mode = AI Servo",
                                             "ExposureInfo1 = 0, 2, 0, 1, 0, 0, 0, 1"};
  EXPECT_EQ(Lines(), expected);
}

TEST_P(MakerNotes, ALongCanonArrayShowsEightNumbersAndOnlyTheItemsUpToField8) {
  std::vector<std::uint32_t> values;
  for (std::uint32_t i = 1; i <= 46; ++i) values.push_back(i);
  const std::vector<Entry> entries = {Short(0x0001, values)};
  const std::string placeholder = MakerNote(order(), "", 0, entries, 0);
  Read("Canon", "0220", placeholder);
  Read("Canon", "0220", MakerNote(order(), "", 0, entries, 0, NoteOffset(placeholder)));
  const std::vector<std::string> expected = {"Macro mode = Normal", "Self Timer = 2",
                                             "Flash Mode = Auto+red-eye",
                                             "ExposureInfo1 = 1, 2, 3, 4, 5, 6, 7, 8"};
  EXPECT_EQ(Lines(), expected);
}

TEST_P(MakerNotes, AnErrorEndsTheMakerValuesWhereItOccurred) {
  std::string note = MakerNote(order(), "", 0, {Short(0x0002, {3}), Short(0x0003, {2})}, 0);
  note.resize(2 + 24);                            // the entries, without the rest
  note[order() == ByteOrder::Intel ? 0 : 1] = 5;  // but the count says five
  Read("CASIO", "0220", note);
  const std::vector<std::string> expected = {"Quality = Fine", "FocusingMode = Macro"};
  EXPECT_EQ(Lines(), expected);
  const std::string text = TextOf(Jpeg({App1(ExifSection(tiff_))}));
  EXPECT_NE(text.find("\r\n\r\n -- Maker Specific Data ---- \r\nQuality = Fine\r\n"
                      "FocusingMode = Macro\r\n\r\n"),
            std::string::npos)
      << text;
}

TEST_P(MakerNotes, AnUnknownMakeAddsNoMakerValuesAndNoHeading) {
  Read("PENTAX Corporation", "0221", MakerNote(order(), "", 0, {Short(0x0001, {1})}, 0));
  EXPECT_FALSE(reader_.Exif()->MakerFamilyKnown());
  EXPECT_TRUE(reader_.Exif()->MakerValues().empty());
  const std::string text = TextOf(Jpeg({App1(ExifSection(tiff_))}));
  EXPECT_EQ(text.find("Maker Specific"), std::string::npos);
}

TEST(MakerNotesLimits, ManyMakerNotesPointingAtOneNoteTakeBoundedWork) {
  std::vector<Entry> noteEntries(1000, Short(0x0001, {1}));
  const std::string note = MakerNote(ByteOrder::Intel, "", 0, noteEntries, 0);
  const std::uint32_t n = 3001;
  const std::uint32_t dataStart = 8 + 2 + 12 * n + 4;
  std::vector<Entry> entries = {Ascii(0x010F, "CASIO"), Undefined(0x927C, note)};
  Entry again = Undefined(0x927C, note);
  again.offsetOverride = dataStart + 6;
  again.bytes.clear();
  again.countOverride = static_cast<std::uint32_t>(note.size());
  again.type = 7;
  entries.resize(n, again);
  const auto tiff = BuildTiff(ByteOrder::Intel, {{entries}});
  ASSERT_LT(tiff.size(), 65000u);
  JpegMetadata reader;
  reader.ReadMetadataFromBytes(Jpeg({App1(ExifSection(tiff))}), "t.jpg");
  ASSERT_NE(reader.Exif(), nullptr);
  EXPECT_EQ(reader.Exif()->MakerValues().front().Data, "Single Shutter");
  EXPECT_LE(reader.Exif()->MakerValues().size(), 100000u);
}

TEST(CanonItems, CustomFunctionsGiveTheirSettingsText) {
  std::vector<TagEntry> items;
  CanonItems(Formatter::CanonCustomFunctions, "257, 768, 5000, 0, 1", items);
  // Fields 1..4 (up to the number of commas): 0101 = function 1 setting 1, 0300 = function 3
  // setting 0, 5000 is too large, 0 is function 0.
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].Name, "Noise Reduction");
  EXPECT_EQ(items[0].Data, " On");
  EXPECT_EQ(items[1].Name, "Mirror Lockup");
  EXPECT_EQ(items[1].Data, "Disable");
}

}  // namespace
}  // namespace trimora::metadata
