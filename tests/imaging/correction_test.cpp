#include "imaging/correction.h"

#include <random>

#include <gtest/gtest.h>

#include "imaging_test_support.h"

namespace trimora {
namespace {

using testing::FilledPicture;
using testing::MakePicture;
using testing::PixelAt;
using testing::Rgb;

TEST(MedianStep, TakesTheMedianOfEachByteWithItsNeighboursBeforeTheRowChanged) {
  Picture picture = MakePicture(4, 1, {{0, 0, 10}, {0, 0, 200}, {0, 0, 30}, {0, 0, 40}});
  MedianStep(picture);
  EXPECT_EQ(PixelAt(picture, 0, 0).b, 10);
  EXPECT_EQ(PixelAt(picture, 1, 0).b, 30);
  EXPECT_EQ(PixelAt(picture, 2, 0).b, 40);
  EXPECT_EQ(PixelAt(picture, 3, 0).b, 40);
}

TEST(MedianStep, WorksOnEachChannelAndEachRowOnItsOwn) {
  Picture picture = MakePicture(3, 2,
                                {{1, 90, 5},
                                 {50, 10, 6},
                                 {3, 20, 200},  //
                                 {9, 9, 9},
                                 {0, 0, 0},
                                 {9, 9, 9}});
  MedianStep(picture);
  EXPECT_EQ(PixelAt(picture, 1, 0), (Rgb{3, 20, 6}));
  EXPECT_EQ(PixelAt(picture, 1, 1), (Rgb{9, 9, 9}));
  EXPECT_EQ(PixelAt(picture, 0, 0), (Rgb{1, 90, 5}));
  EXPECT_EQ(PixelAt(picture, 2, 1), (Rgb{9, 9, 9}));
}

TEST(MedianStep, LeavesRowsNarrowerThanThreePixels) {
  Picture picture = MakePicture(2, 2, {{1, 2, 3}, {200, 100, 50}, {7, 8, 9}, {0, 0, 0}});
  Picture before = picture.clone();
  MedianStep(picture);
  EXPECT_TRUE(testing::SamePixels(picture, before));
}

// The fast row filter against the plain definition, on rows long enough for the vector path
// and its tail, and on a picture large enough to be split between threads.
TEST(MedianStep, EqualsThePlainDefinitionOnRandomPictures) {
  std::mt19937 random(7);
  for (auto [w, h] : {std::pair{3, 1}, {5, 3}, {17, 2}, {67, 9}, {1500, 1400}}) {
    SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
    Picture picture(w, h);
    for (std::size_t i = 0; i < picture.byteCount(); ++i)
      picture.data()[i] = static_cast<std::uint8_t>(random() & 0xFF);
    Picture expected = picture.clone();
    for (int y = 0; y < h; ++y) {
      const std::uint8_t* in = picture.row(y);
      std::uint8_t* out = expected.row(y);
      for (int x = 1; x < w - 1; ++x)
        for (int c = 0; c < 3; ++c) {
          int a = in[4 * (x - 1) + c], b = in[4 * x + c], d = in[4 * (x + 1) + c];
          out[4 * x + c] =
              static_cast<std::uint8_t>(std::max(std::min(a, b), std::min(std::max(a, b), d)));
        }
      for (int x = 0; x < w; ++x) out[4 * x + 3] = 0xFF;
    }
    MedianStep(picture);
    ASSERT_TRUE(testing::SamePixels(picture, expected));
  }
}

TEST(LevelsStep, StretchesASinglePixelAboutItsLowValue) {
  Picture picture = MakePicture(1, 1, {{150, 100, 50}});
  EXPECT_EQ(FindLevels(picture, 0.02), (LevelsRange{50, 150}));  // N = 3, c = 0
  LevelsStep(picture, 0.02);
  EXPECT_EQ(PixelAt(picture, 0, 0), (Rgb{255, 177, 50}));
}

TEST(LevelsStep, AFlatPictureKeepsItsValueWithARangeOfOne) {
  Picture picture = FilledPicture(4, 4, {80, 80, 80});
  EXPECT_EQ(FindLevels(picture, 0.02), (LevelsRange{80, 80}));
  LevelsStep(picture, 0.02);
  EXPECT_EQ(PixelAt(picture, 2, 2), (Rgb{80, 80, 80}));
  // Other values of a flat histogram go to the ends: mixed into a large flat picture.
  Picture mixed = FilledPicture(100, 100, {80, 80, 80});
  mixed.row(0)[0] = 81;  // blue of one pixel
  mixed.row(0)[1] = 79;  // green of the same pixel
  LevelsStep(mixed, 0.02);
  EXPECT_EQ(PixelAt(mixed, 0, 0), (Rgb{80, 0, 255}));
  EXPECT_EQ(PixelAt(mixed, 5, 5), (Rgb{80, 80, 80}));
}

TEST(LevelsStep, ClipCountIsTwoPercentOfAllColourBytes) {
  // 1000 x 1000 pixels: N = 3,000,000 and c = 60,000. Blue is 0 in exactly 60,000 pixels:
  // the counts up to 0 do not exceed c, so low is the next value present.
  Picture picture = FilledPicture(1000, 1000, {200, 200, 100});
  for (int i = 0; i < 60000; ++i) picture.data()[4 * i] = 0;
  EXPECT_EQ(FindLevels(picture, 0.02).low, 100);
  picture.data()[4 * 60000] = 0;  // one more: now more than c
  EXPECT_EQ(FindLevels(picture, 0.02).low, 0);
}

TEST(LevelsStep, ManyZeroBytesGiveAPlainStretchToHigh) {
  // More than 2% of the bytes are 0: low = 0 and v becomes v x 255 div high.
  std::vector<Rgb> pixels;
  for (int i = 0; i < 50; ++i) pixels.push_back({0, 0, 0});
  for (int i = 0; i < 50; ++i) pixels.push_back({100, 60, 3});
  Picture picture = MakePicture(10, 10, pixels);
  EXPECT_EQ(FindLevels(picture, 0.02), (LevelsRange{0, 100}));
  LevelsStep(picture, 0.02);
  EXPECT_EQ(PixelAt(picture, 5, 9), (Rgb{255, 153, 7}));
  EXPECT_EQ(PixelAt(picture, 0, 0), (Rgb{0, 0, 0}));
}

TEST(LevelsStep, ValuesOutsideTheRangeClampAndBelowLowTruncateTowardZero) {
  // N = 12, f = 0.1: c = round(1.2) = 1. Counts: 10 once, 100 ten times, 200 once, so
  // low = high = 100 and the range is 1.
  Picture picture =
      MakePicture(4, 1, {{10, 100, 100}, {100, 100, 100}, {100, 100, 200}, {100, 100, 100}});
  EXPECT_EQ(FindLevels(picture, 0.1), (LevelsRange{100, 100}));
  LevelsStep(picture, 0.1);
  EXPECT_EQ(PixelAt(picture, 0, 0), (Rgb{0, 100, 100}));    // 100 - 90 x 255 clamps to 0
  EXPECT_EQ(PixelAt(picture, 2, 0), (Rgb{100, 100, 255}));  // 100 + 100 x 255 clamps to 255

  // N = 300, c = 6: fifteen 8s give low 8, fifteen 208s give high 208, range 200.
  std::vector<Rgb> pixels(100, Rgb{100, 100, 100});
  for (int i = 0; i < 5; ++i) pixels[i] = {8, 8, 8};
  for (int i = 5; i < 10; ++i) pixels[i] = {208, 208, 208};
  pixels[10] = {7, 100, 100};
  Picture stretched = MakePicture(100, 1, pixels);
  EXPECT_EQ(FindLevels(stretched, 0.02), (LevelsRange{8, 208}));
  LevelsStep(stretched, 0.02);
  EXPECT_EQ(PixelAt(stretched, 10, 0).r, 7);    // 8 + (-255 div 200) = 8 - 1, not 8 - 2
  EXPECT_EQ(PixelAt(stretched, 50, 0).r, 125);  // 8 + 92 x 255 div 200
  EXPECT_EQ(PixelAt(stretched, 5, 0).r, 255);   // high maps to low + 255, clamped
}

TEST(LevelsStep, ClipCountRoundsHalfToEven) {
  // 3 pixels, N = 9, f = 0.5: c = round(4.5) = 4 (not 5). Five zero bytes exceed it.
  Picture picture = MakePicture(3, 1, {{0, 0, 0}, {0, 0, 50}, {50, 50, 50}});
  EXPECT_EQ(FindLevels(picture, 0.5).low, 0);
}

TEST(LevelsStep, NoValueAboveTheClipCountGivesTheFallbackEnds) {
  // c = round(3 x 1.0) = 3 and no sum exceeds 3: low 255, high 0, range -255.
  Picture picture = MakePicture(1, 1, {{10, 20, 30}});
  EXPECT_EQ(FindLevels(picture, 1.0), (LevelsRange{255, 0}));
  LevelsStep(picture, 1.0);
  // 255 + (v - 255) x 255 div -255 = 255 + (255 - v) = 510 - v, clamped.
  EXPECT_EQ(PixelAt(picture, 0, 0), (Rgb{255, 255, 255}));
}

TEST(AutoCorrectPicture, IsTheMedianFollowedByTheStretch) {
  std::mt19937 random(3);
  Picture picture(301, 203);
  for (std::size_t i = 0; i < picture.byteCount(); ++i)
    picture.data()[i] = static_cast<std::uint8_t>(40 + random() % 120);
  Picture expected = picture.clone();
  MedianStep(expected);
  LevelsStep(expected, kLevelsClipFraction);
  AutoCorrectPicture(picture);
  EXPECT_TRUE(testing::SamePixels(picture, expected));
  EXPECT_EQ(testing::AlphaAt(picture, 0, 0), 0xFF);
}

TEST(AutoCorrection, StretchingEveryRowOnceInPiecesEqualsTheWholeCorrection) {
  std::mt19937 random(5);
  Picture picture(257, 131);
  for (std::size_t i = 0; i < picture.byteCount(); ++i)
    picture.data()[i] = static_cast<std::uint8_t>(30 + random() % 150);
  Picture expected = picture.clone();
  AutoCorrectPicture(expected);
  const AutoCorrection correction(picture);
  // Uneven pieces, out of order.
  correction.StretchRows(100, 131);
  correction.StretchRows(0, 1);
  correction.StretchRows(1, 100);
  EXPECT_TRUE(testing::SamePixels(picture, expected));
  EXPECT_EQ(testing::AlphaAt(picture, 256, 130), 0xFF);
}

}  // namespace
}  // namespace trimora
