#include "imaging/jpeg_codec.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "../error_testing.h"
#include "imaging_test_support.h"
#include "platform/error.h"

namespace trimora {
namespace {

using testing::PixelAt;
using testing::RunCommand;
using testing::SamePixels;
using testing::SamplePhoto;
using testing::TempFolder;

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct SampleSize {
  const char* file;
  int width;
  int height;
  int blockWidth;
  int blockHeight;
};

// Sizes as djpeg and exiftool report them; grids from the sampling factors (4:4:4, 4:2:2, 4:2:0).
const SampleSize kSamples[] = {
    {"Canon_40D.jpg", 100, 68, 8, 8},        {"Fujifilm_FinePix_E500.jpg", 59, 100, 16, 16},
    {"canon-ixus.jpg", 640, 480, 16, 8},     {"casio-ex-m2.jpg", 1600, 1200, 16, 16},
    {"fujifilm-dx10.jpg", 1024, 768, 16, 8}, {"nikon-e950.jpg", 800, 600, 8, 8},
    {"plain-landscape.jpg", 600, 450, 8, 8}, {"plain-portrait.jpg", 450, 600, 8, 8},
    {"xmp-only-2.jpg", 61, 58, 8, 8},
};

TEST(JpegDecoder, DecodesEverySampleAtItsFullSize) {
  for (const SampleSize& s : kSamples) {
    SCOPED_TRACE(s.file);
    Picture picture = DecodeJpegFile(SamplePhoto(s.file));
    EXPECT_EQ(picture.width(), s.width);
    EXPECT_EQ(picture.height(), s.height);
  }
}

TEST(JpegDecoder, EighthScaleRoundsEachSideUp) {
  for (const SampleSize& s : kSamples) {
    SCOPED_TRACE(s.file);
    Picture picture = DecodeJpegFile(SamplePhoto(s.file), JpegScale::Eighth);
    EXPECT_EQ(picture.width(), (s.width + 7) / 8);
    EXPECT_EQ(picture.height(), (s.height + 7) / 8);
  }
}

TEST(JpegDecoder, LayoutGivesSizeAndBlockGridFromTheHeaders) {
  for (const SampleSize& s : kSamples) {
    SCOPED_TRACE(s.file);
    JpegLayout layout = ReadJpegLayout(SamplePhoto(s.file));
    EXPECT_EQ(layout.width, s.width);
    EXPECT_EQ(layout.height, s.height);
    EXPECT_EQ(layout.components, 3);
    EXPECT_EQ(layout.blockWidth, s.blockWidth);
    EXPECT_EQ(layout.blockHeight, s.blockHeight);
  }
}

TEST(JpegDecoder, LayoutSeesAGridWiderThanSixteenPixels) {
  TempFolder temp;
  std::string wide = temp.file("wide.jpg");
  std::string grey = temp.file("grey.jpg");
  ASSERT_TRUE(RunCommand("djpeg -ppm '" + SamplePhoto("plain-landscape.jpg") +
                         "' | cjpeg -sample 4x1,1x1,1x1 > '" + wide + "'"));
  ASSERT_TRUE(RunCommand("djpeg -ppm '" + SamplePhoto("plain-landscape.jpg") +
                         "' | cjpeg -grayscale -sample 2x2 > '" + grey + "'"));
  JpegLayout layout = ReadJpegLayout(wide);
  EXPECT_EQ(layout.blockWidth, 32);
  EXPECT_EQ(layout.blockHeight, 8);
  // jpegtran cuts a single component on its own 8 x 8 blocks.
  JpegLayout greyLayout = ReadJpegLayout(grey);
  EXPECT_EQ(greyLayout.components, 1);
  EXPECT_EQ(greyLayout.blockWidth, 8);
  EXPECT_EQ(greyLayout.blockHeight, 8);
}

// Our decoder must give djpeg's pixels, byte for byte, at both scales.
TEST(JpegDecoder, PixelsEqualDjpegOutput) {
  TempFolder temp;
  const char* files[] = {"casio-ex-m2.jpg", "canon-ixus.jpg", "nikon-e950.jpg",
                         "Fujifilm_FinePix_E500.jpg"};
  for (const char* file : files) {
    SCOPED_TRACE(file);
    std::string full = temp.file("full.ppm");
    std::string eighth = temp.file("eighth.ppm");
    ASSERT_TRUE(RunCommand("djpeg -ppm -outfile '" + full + "' '" + SamplePhoto(file) + "'"));
    ASSERT_TRUE(RunCommand("djpeg -ppm -scale 1/8 -dct fast -nosmooth -outfile '" + eighth + "' '" +
                           SamplePhoto(file) + "'"));
    EXPECT_TRUE(SamePixels(DecodeJpegFile(SamplePhoto(file)), testing::ReadPpm(full)));
    EXPECT_TRUE(
        SamePixels(DecodeJpegFile(SamplePhoto(file), JpegScale::Eighth), testing::ReadPpm(eighth)));
  }
}

TEST(JpegDecoder, GreyAndProgressivePicturesDecodeAsDjpegDoes) {
  TempFolder temp;
  std::string grey = temp.file("grey.jpg");
  std::string progressive = temp.file("progressive.jpg");
  ASSERT_TRUE(RunCommand("djpeg -ppm '" + SamplePhoto("canon-ixus.jpg") +
                         "' | cjpeg -grayscale > '" + grey + "'"));
  ASSERT_TRUE(RunCommand("jpegtran -progressive -outfile '" + progressive + "' '" +
                         SamplePhoto("canon-ixus.jpg") + "'"));
  ASSERT_TRUE(
      RunCommand("djpeg -rgb -ppm -outfile '" + temp.file("grey.ppm") + "' '" + grey + "'"));
  EXPECT_TRUE(SamePixels(DecodeJpegFile(grey), testing::ReadPpm(temp.file("grey.ppm"))));
  EXPECT_TRUE(
      SamePixels(DecodeJpegFile(progressive), DecodeJpegFile(SamplePhoto("canon-ixus.jpg"))));
}

TEST(JpegDecoder, CmykPicturesComeOutInColour) {
  TempFolder temp;
  std::string cmyk = temp.file("cmyk.jpg");
  ASSERT_TRUE(RunCommand("convert '" + SamplePhoto("plain-landscape.jpg") +
                         "' -colorspace CMYK -quality 95 '" + cmyk + "' 2>/dev/null"));
  ASSERT_EQ(ReadJpegLayout(cmyk).components, 4);
  Picture decoded = DecodeJpegFile(cmyk);
  Picture original = DecodeJpegFile(SamplePhoto("plain-landscape.jpg"));
  ASSERT_EQ(decoded.width(), original.width());
  ASSERT_EQ(decoded.height(), original.height());
  long long difference = 0;
  for (std::size_t i = 0; i < decoded.byteCount(); ++i)
    difference += std::abs(int(decoded.data()[i]) - int(original.data()[i]));
  EXPECT_LT(double(difference) / double(decoded.byteCount()), 6.0);
  EXPECT_EQ(testing::AlphaAt(decoded, 10, 10), 0xFF);
}

TEST(JpegDecoder, EveryPixelIsOpaque) {
  Picture picture = DecodeJpegFile(SamplePhoto("canon-ixus.jpg"));
  for (int y = 0; y < picture.height(); y += 37)
    for (int x = 0; x < picture.width(); x += 13) ASSERT_EQ(testing::AlphaAt(picture, x, y), 0xFF);
}

TEST(JpegDecoder, MemoryDecodingEqualsFileDecoding) {
  std::vector<std::uint8_t> bytes = ReadBytes(SamplePhoto("canon-ixus.jpg"));
  for (JpegScale scale : {JpegScale::Full, JpegScale::Eighth}) {
    EXPECT_TRUE(SamePixels(DecodeJpegMemory(bytes.data(), bytes.size(), "canon-ixus.jpg", scale),
                           DecodeJpegFile(SamplePhoto("canon-ixus.jpg"), scale)));
  }
  JpegLayout layout = ReadJpegLayoutMemory(bytes.data(), bytes.size(), "canon-ixus.jpg");
  EXPECT_EQ(layout.width, 640);
  EXPECT_EQ(layout.blockWidth, 16);
}

struct BrokenFile {
  const char* file;
  const char* libraryText;
};

const BrokenFile kBroken[] = {
    {"truncated.jpg", "Premature end of JPEG file"},
    {"empty.jpg", "Empty input file"},
    {"not-a-jpeg.jpg", "Not a JPEG file"},
};

// The error a broken file gives: the picture is unreadable, with its name and the library's
// own words.
void ExpectUnreadable(const std::optional<test::Thrown>& thrown, const std::string& name,
                      const char* libraryText) {
  ASSERT_TRUE(thrown);
  EXPECT_EQ(thrown->code(), ErrorCode::kPictureUnreadable);
  ASSERT_EQ(thrown->args.size(), 2u);
  EXPECT_EQ(thrown->args[0], name);
  EXPECT_NE(thrown->args[1].find(libraryText), std::string::npos) << thrown->args[1];
}

TEST(JpegDecoder, BrokenFilesFailWithTheirNameAndTheReason) {
  for (const BrokenFile& b : kBroken) {
    SCOPED_TRACE(b.file);
    std::string path = SamplePhoto(b.file);
    for (JpegScale scale : {JpegScale::Full, JpegScale::Eighth}) {
      ExpectUnreadable(test::ThrownBy([&] { DecodeJpegFile(path, scale); }), path, b.libraryText);
    }
    std::vector<std::uint8_t> bytes = ReadBytes(path);
    ExpectUnreadable(test::ThrownBy([&] { DecodeJpegMemory(bytes.data(), bytes.size(), b.file); }),
                     b.file, b.libraryText);
  }
  const std::string notJpeg = SamplePhoto("not-a-jpeg.jpg");
  ExpectUnreadable(test::ThrownBy([&] { ReadJpegLayout(notJpeg); }), notJpeg, "Not a JPEG");
}

TEST(JpegDecoder, AMissingFileCannotBeOpened) {
  std::string path = SamplePhoto("no-such-file.jpg");
  for (const auto& thrown : {test::ThrownBy([&] { DecodeJpegFile(path); }),
                             test::ThrownBy([&] { ReadJpegLayout(path); })}) {
    ASSERT_TRUE(thrown);
    EXPECT_EQ(thrown->code(), ErrorCode::kFileCannotOpen);
    EXPECT_EQ(thrown->args, std::vector<std::string>{path});
  }
}

TEST(JpegDecoder, AFileWhoseDataIsCompleteButLacksItsEndMarkerDecodes) {
  std::vector<std::uint8_t> bytes = ReadBytes(SamplePhoto("canon-ixus.jpg"));
  ASSERT_EQ(bytes[bytes.size() - 2], 0xFF);
  ASSERT_EQ(bytes[bytes.size() - 1], 0xD9);
  EXPECT_TRUE(SamePixels(DecodeJpegMemory(bytes.data(), bytes.size() - 2, "no-end.jpg"),
                         DecodeJpegFile(SamplePhoto("canon-ixus.jpg"))));
}

TEST(JpegDecoder, AProgressiveFileThatEndsBetweenScansFails) {
  TempFolder temp;
  std::string progressive = temp.file("progressive.jpg");
  ASSERT_TRUE(RunCommand("jpegtran -progressive -outfile '" + progressive + "' '" +
                         SamplePhoto("canon-ixus.jpg") + "'"));
  std::vector<std::uint8_t> bytes = ReadBytes(progressive);
  // Cut right before the last scan's start marker: every scan before it is whole.
  std::size_t lastScan = 0;
  for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
    if (bytes[i] == 0xFF && bytes[i + 1] == 0xDA) lastScan = i;
  ASSERT_GT(lastScan, 0u);
  ExpectUnreadable(test::ThrownBy([&] { DecodeJpegMemory(bytes.data(), lastScan, "cut.jpg"); }),
                   "cut.jpg", "Premature end of JPEG file");
  // Missing scans cannot be told from a missing end marker after the last scan, so a
  // progressive file without its end marker is refused as well.
  EXPECT_THROW(DecodeJpegMemory(bytes.data(), bytes.size() - 2, "no-end.jpg"), Error);
}

TEST(JpegDecoder, EveryCutOfAFileFailsCleanly) {
  TempFolder temp;
  std::string progressive = temp.file("progressive.jpg");
  ASSERT_TRUE(RunCommand("jpegtran -progressive -outfile '" + progressive + "' '" +
                         SamplePhoto("Canon_40D.jpg") + "'"));
  for (std::string file : {SamplePhoto("Canon_40D.jpg"), progressive}) {
    SCOPED_TRACE(file);
    std::vector<std::uint8_t> bytes = ReadBytes(file);
    // Up to the end of the compressed data: the last two bytes are the end marker.
    for (std::size_t length = 0; length + 2 < bytes.size(); length += 13) {
      SCOPED_TRACE(length);
      EXPECT_THROW(DecodeJpegMemory(bytes.data(), length, "cut.jpg"), Error);
    }
  }
}

}  // namespace
}  // namespace trimora
