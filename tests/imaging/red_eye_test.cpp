#include "imaging/red_eye.h"

#include <gtest/gtest.h>

#include "../error_testing.h"
#include "imaging_test_support.h"
#include "platform/error.h"

namespace trimora {
namespace {

using testing::FilledPicture;
using testing::PixelAt;
using testing::Rgb;

Rgb Filtered(Rgb in) {
  Picture picture = FilledPicture(1, 1, in);
  RedEyeFilter(picture, {0, 0, 1, 1});
  return PixelAt(picture, 0, 0);
}

struct PixelCase {
  Rgb in;
  Rgb out;
};

TEST(RedEyeFilter, LowersTheRedShareOfRedPixels) {
  const PixelCase cases[] = {
      {{255, 0, 0}, {0, 0, 0}},          // s = 1, q = 0, h = 0.5, m = 127.5, w = 0
      {{200, 100, 100}, {120, 90, 80}},  // m = 1.0, w = 0.600625
      {{220, 40, 30}, {0, 30, 15}},     {{220, 40, 29}, {0, 30, 14}},  // 14.5 rounds to the even 14
      {{120, 100, 90}, {120, 100, 90}},                                // m = 0.599: unchanged
      {{0, 0, 0}, {0, 0, 0}},           {{255, 255, 255}, {255, 255, 255}},
  };
  for (const PixelCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.in.r) + "," + std::to_string(c.in.g) + "," +
                 std::to_string(c.in.b));
    EXPECT_EQ(Filtered(c.in), c.out);
  }
  // G = 0: q = B = 200, h = 1.5, m = 100 / 200 x 1.5 = 0.75 > 0.7: t = 0.9625, w = 0.92640625.
  EXPECT_EQ(Filtered({100, 0, 200}), (Rgb{93, 0, 193}));
}

TEST(RedEyeFilter, TouchesOnlyTheRectangleAndKeepsTheFourthByte) {
  Picture picture = FilledPicture(6, 5, {255, 0, 0});
  picture.row(2)[4 * 3 + 3] = 0x42;
  RedEyeFilter(picture, {2, 1, 4, 3});  // columns 2 and 3, rows 1 and 2
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) {
      bool inside = x >= 2 && x < 4 && y >= 1 && y < 3;
      EXPECT_EQ(PixelAt(picture, x, y), (inside ? Rgb{0, 0, 0} : Rgb{255, 0, 0})) << x << "," << y;
    }
  EXPECT_EQ(picture.row(2)[4 * 3 + 3], 0x42);
}

TEST(RedEyeFilter, IgnoresThePartOutsideThePictureAndEmptyRectangles) {
  Picture picture = FilledPicture(4, 4, {255, 0, 0});
  RedEyeFilter(picture, {3, 3, 100, 100});
  RedEyeFilter(picture, {-50, -50, 1, 1});
  RedEyeFilter(picture, {3, 0, 1, 2});  // right before left
  RedEyeFilter(picture, {10, 10, 20, 20});
  EXPECT_EQ(PixelAt(picture, 3, 3), (Rgb{0, 0, 0}));
  EXPECT_EQ(PixelAt(picture, 0, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(PixelAt(picture, 1, 1), (Rgb{255, 0, 0}));
  EXPECT_EQ(PixelAt(picture, 2, 1), (Rgb{255, 0, 0}));
}

TEST(RedEyeCoords, ParsesEveryEntryInOrder) {
  EXPECT_EQ(ParseRedEyeCoords("412,230,440,251|1210,244,1236,262|"),
            (std::vector<PixelRect>{{412, 230, 440, 251}, {1210, 244, 1236, 262}}));
  EXPECT_EQ(ParseRedEyeCoords("1,2,3,4"), (std::vector<PixelRect>{{1, 2, 3, 4}}));
  EXPECT_EQ(ParseRedEyeCoords("-1,0,3,4|"), (std::vector<PixelRect>{{-1, 0, 3, 4}}));
  EXPECT_TRUE(ParseRedEyeCoords("").empty());
}

TEST(RedEyeCoords, MalformedEntriesFailWithOurOwnError) {
  const char* lists[] = {"1,2,3|",     "1,2,3,4,5|", "1,2,x,4|",  "1, 2,3,4|",          "1,2,3,4||",
                         "|",          ",,,|",       "1,2,3,4|5", "99999999999,0,1,1|", "1,2,3,4;|",
                         "0x10,1,2,3|"};
  for (const char* list : lists) {
    SCOPED_TRACE(list);
    EXPECT_THROW(ParseRedEyeCoords(list), Error);
  }
  const auto thrown = test::ThrownBy([] { ParseRedEyeCoords("1,2,x,4|"); });
  ASSERT_TRUE(thrown);
  EXPECT_EQ(thrown->code(), ErrorCode::kRedEyeListInvalid);
  EXPECT_EQ(thrown->args, std::vector<std::string>{"1,2,x,4|"});
}

TEST(RedEyeCoords, ReapplyFiltersEachRectangleAndChangesNothingOnAMalformedList) {
  Picture picture = FilledPicture(5, 1, {200, 100, 100});
  ReapplyRedEye(picture, "0,0,1,1|3,0,4,1|");
  EXPECT_EQ(PixelAt(picture, 0, 0), (Rgb{120, 90, 80}));
  EXPECT_EQ(PixelAt(picture, 1, 0), (Rgb{200, 100, 100}));
  EXPECT_EQ(PixelAt(picture, 3, 0), (Rgb{120, 90, 80}));

  Picture untouched = FilledPicture(5, 1, {200, 100, 100});
  EXPECT_THROW(ReapplyRedEye(untouched, "0,0,5,1|bad|"), Error);
  EXPECT_EQ(PixelAt(untouched, 0, 0), (Rgb{200, 100, 100}));
}

TEST(RedEyeCoords, FilteringTheSameRectangleTwiceWorksOnTheFilteredPixels) {
  Picture once = FilledPicture(1, 1, {200, 100, 100});
  ReapplyRedEye(once, "0,0,1,1|0,0,1,1|");
  EXPECT_EQ(PixelAt(once, 0, 0), Filtered({120, 90, 80}));
}

TEST(RedEyeCoords, AppendingAndTakingBackEntries) {
  std::string list = AppendRedEyeEntry("", RedEyeEntry({412, 230, 440, 251}));
  EXPECT_EQ(list, "412,230,440,251|");
  list = AppendRedEyeEntry(list, RedEyeEntry({1210, 244, 1236, 262}));
  EXPECT_EQ(list, "412,230,440,251|1210,244,1236,262|");
  list = RemoveLastRedEyeEntry(list);
  EXPECT_EQ(list, "412,230,440,251|");
  list = RemoveLastRedEyeEntry(list);
  EXPECT_EQ(list, "");
  EXPECT_EQ(RemoveLastRedEyeEntry(""), "");
}

TEST(RedEyeCoords, AnEntryFitsOnlyWithinTheFieldLength) {
  std::string list(kRedEyeCoordsLimit - 8, '0');
  EXPECT_TRUE(RedEyeEntryFits(list, "1,2,3,4"));    // 992 + 7 + 1 = 1000
  EXPECT_FALSE(RedEyeEntryFits(list, "1,2,3,45"));  // 1001
}

TEST(RedEyeMarker, MarkerInsideItsHandlesScaledToThePicture) {
  // 33 x 33 at (100, 50), handles of 5, the picture shown at half size.
  PixelRect rect = RedEyeRectFromMarker({100, 50, 33, 33}, 5, 2.0);
  EXPECT_EQ(rect, (PixelRect{210, 110, 256, 156}));
  EXPECT_EQ(RedEyeEntry(rect), "210,110,256,156");
  // Halves round to the even neighbour: 105 x 1.5 = 157.5, 55 x 1.5 = 82.5.
  EXPECT_EQ(RedEyeRectFromMarker({100, 50, 33, 33}, 5, 1.5), (PixelRect{158, 82, 192, 117}));
}

}  // namespace
}  // namespace trimora
