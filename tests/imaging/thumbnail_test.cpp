#include "imaging/thumbnail.h"

#include <gtest/gtest.h>

#include "imaging/jpeg_codec.h"
#include "imaging_test_support.h"
#include "platform/error.h"

namespace trimora {
namespace {

using testing::FilledPicture;
using testing::PixelAt;
using testing::Rgb;

struct SizeCase {
  int width, height;
  ThumbnailSize expected;
};

TEST(Thumbnail, SizeKeepsTheSideRatioWithTheLongSideAt75) {
  const SizeCase cases[] = {
      {375, 250, {75, 50}},                        // a 3000 x 2000 photo at one eighth
      {250, 375, {50, 75}}, {200, 150, {75, 56}},  // 56.25
      {100, 100, {75, 75}},                        // square: the height is the long side
      {150, 3, {75, 2}},                           // 1.5 rounds to the even 2
      {150, 5, {75, 2}},                           // 2.5 rounds to the even 2
      {150, 7, {75, 4}},                           // 3.5 rounds to the even 4
      {76, 76, {75, 75}},   {75, 75, {75, 75}},    // fits: kept
      {60, 40, {60, 40}},                          // fits: kept
      {1, 200, {1, 75}},                           // never narrower than one pixel
  };
  for (const SizeCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    EXPECT_EQ(ThumbnailSizeFor(c.width, c.height), c.expected);
  }
}

TEST(Thumbnail, APictureWithin75x75IsCopiedWithoutSharpening) {
  // A hard edge that sharpening would overshoot.
  Picture source = FilledPicture(75, 75, {100, 100, 100});
  testing::PaintRect(source, 40, 0, 75, 75, {200, 200, 200});
  EXPECT_TRUE(testing::SamePixels(ScaleThumbnail(source), source));
  Picture small = FilledPicture(3, 70, {1, 2, 3});
  EXPECT_TRUE(testing::SamePixels(ScaleThumbnail(small), small));
}

TEST(Thumbnail, BoxFilterScalesEachSumBy65535DivN) {
  // 150 x 2 gives 75 x 1: blocks of 2 x 2 pixels, k = 65535 div 4 = 16383; too low to sharpen.
  Picture source = FilledPicture(150, 2, {100, 255, 0});
  Picture thumb = ScaleThumbnail(source);
  ASSERT_EQ(thumb.width(), 75);
  ASSERT_EQ(thumb.height(), 1);
  EXPECT_EQ(PixelAt(thumb, 0, 0), (Rgb{99, 254, 0}));  // 400 x 16383 >> 16 = 99
  EXPECT_EQ(PixelAt(thumb, 74, 0), (Rgb{99, 254, 0}));
  EXPECT_EQ(testing::AlphaAt(thumb, 3, 0), 0xFF);
}

TEST(Thumbnail, BlocksOfMoreThan65535PixelsTakeThePlainMean) {
  // 19200 x 256 gives 75 x 1 with blocks of 256 x 256 = 65536 pixels, where 65535 div n is 0.
  Picture thumb = ScaleThumbnail(FilledPicture(19200, 256, {100, 200, 7}));
  ASSERT_EQ(thumb.width(), 75);
  ASSERT_EQ(thumb.height(), 1);
  EXPECT_EQ(PixelAt(thumb, 30, 0), (Rgb{100, 200, 7}));
}

TEST(Thumbnail, BlocksFollowTruncatedColumnBounds) {
  // 100 wide into 75: sx = 4/3, so column 0 covers source 0 only, column 1 covers 1..1,
  // column 2 covers 2..3 (trunc 2.67 = 2, trunc 4 = 4).
  std::vector<Rgb> pixels;
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 100; ++x) pixels.push_back({x < 2 ? 80 : 160, 0, 0});
  Picture thumb = ScaleThumbnail(testing::MakePicture(100, 2, pixels));
  ASSERT_EQ(thumb.height(), 2);           // round(2 x 75 / 100) = round(1.5) = 2
  EXPECT_EQ(PixelAt(thumb, 0, 0).r, 79);  // n = 1: 80 x 65535 >> 16
  EXPECT_EQ(PixelAt(thumb, 1, 0).r, 79);
  EXPECT_EQ(PixelAt(thumb, 2, 0).r, 159);  // n = 2: 320 x 32767 >> 16
}

TEST(Thumbnail, SharpeningReadsSharpenedValuesAboveAndOriginalOnesBelow) {
  // 300 x 16 gives 75 x 4 with blocks of 4 x 4 (k = 4095): 128 gives 127, 160 gives 159.
  Picture source = FilledPicture(300, 16, {128, 128, 128});
  testing::PaintRect(source, 20, 4, 24, 8, {160, 160, 160});
  Picture thumb = ScaleThumbnail(source);
  ASSERT_EQ(thumb.width(), 75);
  ASSERT_EQ(thumb.height(), 4);
  EXPECT_EQ(PixelAt(thumb, 5, 0).r, 127);  // first row: not sharpened
  EXPECT_EQ(PixelAt(thumb, 5, 1).r, 175);  // (12 x 159 - 4 x 127) / 8
  EXPECT_EQ(PixelAt(thumb, 4, 1).r, 127);
  // Row 2 sees the sharpened 175 above: (12 x 127 - (127 + 175 + 127 + 127)) / 8 = 121
  // (with the unsharpened 159 it would be 123).
  EXPECT_EQ(PixelAt(thumb, 4, 2).r, 121);
  EXPECT_EQ(PixelAt(thumb, 6, 2).r, 121);
  EXPECT_EQ(PixelAt(thumb, 5, 2).r, 127);
  EXPECT_EQ(PixelAt(thumb, 0, 1).r, 127);  // border column: not sharpened
  EXPECT_EQ(PixelAt(thumb, 4, 3).r, 127);  // last row: not sharpened
}

TEST(Thumbnail, SharpeningClampsToTheByteRange) {
  // A dark dot in a bright field undershoots below 0, its bright neighbours overshoot.
  Picture source = FilledPicture(300, 16, {250, 250, 250});
  testing::PaintRect(source, 20, 4, 24, 8, {0, 0, 0});
  Picture thumb = ScaleThumbnail(source);
  EXPECT_EQ(PixelAt(thumb, 5, 1).r, 0);    // (0 - 4 x 249) / 8 < 0
  EXPECT_EQ(PixelAt(thumb, 4, 2).r, 255);  // (12 x 249 - 3 x 249) / 8 = 280
}

TEST(Thumbnail, AThreeThousandByTwoThousandPhotoGivesA75x50Thumbnail) {
  testing::TempFolder temp;
  std::string photo = temp.file("photo.jpg");
  ASSERT_TRUE(testing::RunCommand("convert -size 3000x2000 gradient:red-blue '" + photo + "'"));
  EXPECT_EQ(DecodeJpegFile(photo, JpegScale::Eighth).width(), 375);
  Picture thumb = MakeThumbnail(photo);
  EXPECT_EQ(thumb.width(), 75);
  EXPECT_EQ(thumb.height(), 50);
}

TEST(Thumbnail, PipelineIsEighthDecodingThenScaling) {
  std::string photo = testing::SamplePhoto("casio-ex-m2.jpg");
  Picture thumb = MakeThumbnail(photo);
  EXPECT_EQ(thumb.width(), 75);
  EXPECT_EQ(thumb.height(), 56);
  EXPECT_TRUE(testing::SamePixels(thumb, ScaleThumbnail(DecodeJpegFile(photo, JpegScale::Eighth))));
  // 600 x 450 decodes to 75 x 57, which fits and is copied as decoded.
  std::string small = testing::SamplePhoto("plain-landscape.jpg");
  EXPECT_TRUE(testing::SamePixels(MakeThumbnail(small), DecodeJpegFile(small, JpegScale::Eighth)));
}

TEST(Thumbnail, UnreadableFilesFail) {
  for (const char* file : {"truncated.jpg", "empty.jpg", "not-a-jpeg.jpg"})
    EXPECT_THROW(MakeThumbnail(testing::SamplePhoto(file)), Error) << file;
}

TEST(Thumbnail, AnEmptyPictureGivesAnEmptyThumbnail) {
  EXPECT_TRUE(ScaleThumbnail(Picture()).empty());
}

}  // namespace
}  // namespace trimora
