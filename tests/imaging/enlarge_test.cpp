#include "imaging/enlarge.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "imaging_test_support.h"
#include "platform/error.h"

namespace trimora {
namespace {

using testing::FilledPicture;
using testing::PixelAt;
using testing::Rgb;

struct SizeCase {
  int width, height;
  double ratio;
  EnlargedSize expected;
};

TEST(EnlargedSize, GrowsOneSideToTheFormatsRatio) {
  const SizeCase cases[] = {
      {1600, 1200, 1.5, {1800, 1200}},        // the long side grows
      {1600, 1000, 1.5, {1600, 1067}},        // the short side grows: 1066.67
      {1200, 1600, 1.5, {1200, 1800}},        // portrait
      {1000, 1600, 1.5, {1067, 1600}},        // portrait, the short side grows
      {1600, 1200, 1.0 / 1.5, {1800, 1200}},  // 15 x 10 and 10 x 15 are the same
      {1000, 1000, 1.5, {1500, 1000}},        // square counts as landscape
      {1500, 1000, 1.5, {1500, 1000}},        // already fitting
      {5, 2, 1.5, {5, 3}},                    // 3.33
      {3, 2, 1.25, {3, 2}},                   // 3 / 1.25 = 2.4: stays 2
      {7, 2, 2.5, {7, 3}},                    // 7 / 2.5 = 2.8
      {5, 3, 1.5, {5, 3}},                    // 5 / 1.5 = 3.33: stays 3
      {2, 2, 1.25, {2, 2}},                   // 2.5 rounds to the even 2
      {6, 2, 1.2, {6, 5}},                    // 6 / 1.2 = 5
  };
  for (const SizeCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height) + " at " +
                 std::to_string(c.ratio));
    EXPECT_EQ(EnlargedSizeFor(c.width, c.height, c.ratio), c.expected);
  }
}

TEST(EnlargedSize, RefusesRatiosThatAreNoPositiveNumberAndSizesTooLarge) {
  for (double ratio : {0.0, -1.5, std::numeric_limits<double>::infinity(),
                       std::numeric_limits<double>::quiet_NaN()})
    EXPECT_THROW(EnlargedSizeFor(100, 80, ratio), Error) << ratio;
  EXPECT_THROW(EnlargedSizeFor(60000, 60000, 1e6), Error);
}

TEST(EnlargePicture, BothFlagsSplitTheStripes) {
  Picture picture = FilledPicture(16, 12, {10, 20, 30});
  StripeOffset offset = EnlargePicture(picture, StripeColorAt(3), true, true, 1.5);
  EXPECT_EQ(offset, (StripeOffset{1, 0}));  // 18 x 12: one column each side
  ASSERT_EQ(picture.width(), 18);
  ASSERT_EQ(picture.height(), 12);
  for (int y = 0; y < 12; ++y) {
    EXPECT_EQ(PixelAt(picture, 0, y), (Rgb{255, 0, 0}));
    EXPECT_EQ(PixelAt(picture, 1, y), (Rgb{10, 20, 30}));
    EXPECT_EQ(PixelAt(picture, 16, y), (Rgb{10, 20, 30}));
    EXPECT_EQ(PixelAt(picture, 17, y), (Rgb{255, 0, 0}));
  }
  EXPECT_EQ(testing::AlphaAt(picture, 0, 0), 0xFF);
}

TEST(EnlargePicture, AnOddDifferenceGivesTheExtraPixelToTheBottomStripe) {
  // 1600 x 1000 at 1.5: 1600 x 1067, top stripe 33, bottom stripe 34.
  Picture picture = FilledPicture(1600, 1000, {1, 2, 3});
  StripeOffset offset = EnlargePicture(picture, StripeColorAt(1), true, true, 1.5);
  EXPECT_EQ(offset, (StripeOffset{0, 33}));
  EXPECT_EQ(picture.height(), 1067);
  EXPECT_EQ(PixelAt(picture, 800, 32), (Rgb{0, 0, 0}));
  EXPECT_EQ(PixelAt(picture, 800, 33), (Rgb{1, 2, 3}));
  EXPECT_EQ(PixelAt(picture, 800, 1032), (Rgb{1, 2, 3}));
  EXPECT_EQ(PixelAt(picture, 800, 1033), (Rgb{0, 0, 0}));
}

TEST(EnlargePicture, ExamplesOfTheThreeFlagSettings) {
  struct Case {
    int width, height;
    bool left, right;
    EnlargedSize size;
    StripeOffset offset;
  };
  const Case cases[] = {
      {1600, 1200, true, true, {1800, 1200}, {100, 0}},
      {1200, 1600, true, true, {1200, 1800}, {0, 100}},
      {1600, 1200, true, false, {1800, 1200}, {200, 0}},  // one stripe on the left
      {1600, 1200, false, true, {1800, 1200}, {0, 0}},    // one stripe on the right
      {1200, 1600, true, false, {1200, 1800}, {0, 200}},  // portrait: at the top
  };
  for (const Case& c : cases) {
    Picture picture = FilledPicture(c.width, c.height, {9, 9, 9});
    StripeOffset offset = EnlargePicture(picture, StripeColorAt(2), c.left, c.right, 1.5);
    EXPECT_EQ(offset, c.offset);
    EXPECT_EQ((EnlargedSize{picture.width(), picture.height()}), c.size);
    // The original's corners sit at the offset, the stripe around them.
    EXPECT_EQ(PixelAt(picture, c.offset.x, c.offset.y), (Rgb{9, 9, 9}));
    EXPECT_EQ(PixelAt(picture, c.offset.x + c.width - 1, c.offset.y + c.height - 1),
              (Rgb{9, 9, 9}));
    if (c.offset.x > 0) {
      EXPECT_EQ(PixelAt(picture, c.offset.x - 1, 0), (Rgb{0x7F, 0x7F, 0x7F}));
    }
    if (c.offset.y > 0) {
      EXPECT_EQ(PixelAt(picture, 0, c.offset.y - 1), (Rgb{0x7F, 0x7F, 0x7F}));
    }
    if (c.offset.x + c.width < c.size.width) {
      EXPECT_EQ(PixelAt(picture, c.size.width - 1, 0), (Rgb{0x7F, 0x7F, 0x7F}));
    }
  }
}

TEST(EnlargePicture, KeepsEveryPixelOfTheOriginal) {
  Picture picture(5, 4);
  for (std::size_t i = 0; i < picture.byteCount(); ++i)
    picture.data()[i] = static_cast<std::uint8_t>(i * 7);
  Picture original = picture.clone();
  StripeOffset offset = EnlargePicture(picture, StripeColorAt(0), true, true, 2.0);
  ASSERT_EQ(picture.width(), 8);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x)
      for (int c = 0; c < 4; ++c)
        ASSERT_EQ(picture.row(y + offset.y)[4 * (x + offset.x) + c], original.row(y)[4 * x + c]);
}

TEST(EnlargePicture, NeitherFlagChangesNothing) {
  Picture picture = FilledPicture(16, 12, {10, 20, 30});
  EXPECT_EQ(EnlargePicture(picture, StripeColorAt(0), false, false, 1.5), (StripeOffset{0, 0}));
  EXPECT_EQ(picture.width(), 16);
  EXPECT_EQ(picture.height(), 12);
}

TEST(StripeColors, TableOfNamesAndColours) {
  struct Row {
    const char* name;
    StripeColor color;
  };
  const Row rows[kStripeColorCount] = {
      {"weiß", {0xFF, 0xFF, 0xFF}}, {"schwarz", {0, 0, 0}}, {"grau", {0x7F, 0x7F, 0x7F}},
      {"rot", {0xFF, 0, 0}},        {"grün", {0, 0x7F, 0}}, {"blau", {0, 0, 0xFF}},
  };
  for (int i = 0; i < kStripeColorCount; ++i) {
    EXPECT_STREQ(StripeColorName(i), rows[i].name);
    EXPECT_EQ(StripeColorAt(i), rows[i].color);
  }
  // A stored index outside the table gives the default, white.
  EXPECT_EQ(StripeColorAt(6), StripeColorAt(0));
  EXPECT_EQ(StripeColorAt(-1), StripeColorAt(0));
  EXPECT_STREQ(StripeColorName(6), "");
}

TEST(StripeColors, FillOrderIsBlueGreenRedInMemory) {
  Picture tall = FilledPicture(2, 2, {0, 0, 0});
  EnlargePicture(tall, StripeColorAt(4), false, true, 2.0);  // 4 x 2, green on the right
  EXPECT_EQ(tall.row(0)[4 * 3 + 0], 0x00);
  EXPECT_EQ(tall.row(0)[4 * 3 + 1], 0x7F);
  EXPECT_EQ(tall.row(0)[4 * 3 + 2], 0x00);
  EXPECT_EQ(tall.row(0)[4 * 3 + 3], 0xFF);
}

TEST(EnlargeOptions, FromStoredValues) {
  EXPECT_EQ(EnlargeOptionsFrom(5, false, true), (EnlargeOptions{StripeColorAt(5), false, true}));
  EXPECT_EQ(EnlargeOptionsFrom(17, true, true), EnlargeOptions{});
}

}  // namespace
}  // namespace trimora
