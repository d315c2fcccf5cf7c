#include "ui/band_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace trimora::ui {
namespace {

constexpr std::array<int, 5> kDesigned = {144, 210, 228, 70, 284};

// The bands as the program starts them: 1 to 4 shown, navigation hidden.
BandBar Designed(bool xpOrLater = false) {
  BandBar bar(kDesigned, xpOrLater);
  for (int band = 1; band <= 4; ++band) bar.SetVisible(band, true);
  return bar;
}

std::vector<int> Bands(const std::vector<BandPlace>& places) {
  std::vector<int> bands;
  for (const BandPlace& place : places) bands.push_back(place.band);
  return bands;
}

TEST(BandOrderText, OnlyAPermutationOfOneToFiveIsTaken) {
  struct OrderCase {
    const char* text;
    BandOrder order;
  };
  for (const OrderCase& c :
       {OrderCase{"12345", {1, 2, 3, 4, 5}}, OrderCase{"31245", {3, 1, 2, 4, 5}},
        OrderCase{"54321", {5, 4, 3, 2, 1}}, OrderCase{"11345", {1, 2, 3, 4, 5}},
        OrderCase{"1234", {1, 2, 3, 4, 5}}, OrderCase{"123456", {1, 2, 3, 4, 5}},
        OrderCase{"", {1, 2, 3, 4, 5}}, OrderCase{"1234x", {1, 2, 3, 4, 5}},
        OrderCase{"01234", {1, 2, 3, 4, 5}}, OrderCase{"6 1 2", {1, 2, 3, 4, 5}}}) {
    EXPECT_EQ(ParseBandOrder(c.text), c.order) << c.text;
  }
  EXPECT_EQ(BandOrderText({3, 1, 2, 4, 5}), "31245");
}

TEST(BandBar, HidingTheLastBandMovesThePictureUpAndTheFirstShownMovesItBack) {
  BandBar bar = Designed();
  int top = 0;  // how far the panels below the band bar moved
  for (int band : {1, 2, 3}) top += bar.Toggle(band, 1000).shift;
  EXPECT_EQ(top, 0) << "a row of tool bars is still shown";
  const BandToggle last = bar.Toggle(4, 1000);
  EXPECT_EQ(last.shift, -54);
  EXPECT_FALSE(last.minimumWindowWidth) << "no band asks for a width";
  EXPECT_FALSE(bar.RowShown());
  EXPECT_TRUE(bar.Layout(1000).empty());
  EXPECT_EQ(bar.Toggle(5, 1000).shift, 54) << "the first band brings the row back";
  EXPECT_EQ(bar.Toggle(2, 1000).shift, 0) << "a second one does not move it";
  EXPECT_EQ(bar.Toggle(std::nullopt, 1000).shift, 0);
}

TEST(BandBar, TheWindowIsAtLeastAsWideAsTheShownBands) {
  struct WidthCase {
    bool xp;
    int windowWidth;
    int minimum;
    std::optional<int> widened;
  };
  const int all = 144 + 210 + 228 + 70 + 284;
  for (const WidthCase& c : {WidthCase{false, 1200, all + 5 * 13 + 8, std::nullopt},
                             WidthCase{false, 900, all + 5 * 13 + 8, all + 5 * 13 + 8},
                             WidthCase{true, 900, all + 5 * 20 + 8, all + 5 * 20 + 8}}) {
    BandBar bar = Designed(c.xp);
    const BandToggle shown = bar.Toggle(5, c.windowWidth);
    EXPECT_EQ(shown.minimumWindowWidth, c.minimum) << c.xp << " " << c.windowWidth;
    EXPECT_EQ(shown.widenWindowTo, c.widened) << c.xp << " " << c.windowWidth;
    EXPECT_EQ(shown.shift, 0);
  }
  // Few bands: the window keeps its smallest width of 800.
  BandBar bar = Designed();
  EXPECT_EQ(bar.Toggle(1, 800).minimumWindowWidth, 800);
}

TEST(BandBar, TheLastShownBandFillsTheRow) {
  BandBar bar = Designed();
  bar.SetOrder({3, 1, 2, 4, 5});
  const std::vector<BandPlace> places = bar.Layout(1000);
  ASSERT_EQ(Bands(places), (std::vector<int>{3, 1, 2, 4}));
  EXPECT_EQ(places[0], (BandPlace{3, 0, 241}));
  EXPECT_EQ(places[1], (BandPlace{1, 241, 157}));
  EXPECT_EQ(places[2], (BandPlace{2, 398, 223}));
  const int sum = 241 + 157 + 223 + 83;
  EXPECT_EQ(places[3], (BandPlace{4, 621, 83 + 1000 - sum - 10}));
  // A row narrower than the bands never shrinks one below its width.
  EXPECT_EQ(bar.Layout(300).back().width, 83);
}

TEST(BandBar, TheFormatBandFollowsItsToolBarOnlyWhenLaidOutWithoutAToggle) {
  BandBar bar = Designed();
  bar.Toggle(std::nullopt, 1000, 150);
  EXPECT_EQ(bar.MinimumWidth(4), 150);
  EXPECT_EQ(bar.Layout(2000)[3].width - (2000 - bar.ShownWidth() - 10), 163);
  bar.Toggle(5, 1000, 90);
  EXPECT_EQ(bar.MinimumWidth(4), 150) << "a toggle of another band leaves it";
}

TEST(BandBar, ADroppedBandTakesThePlaceItReachedOnTheOneRow) {
  struct DropCase {
    int band;
    int left;  // where its left edge was let go
    BandOrder order;
  };
  // Designed row at 1000: 1 at 0 (157), 2 at 157 (223), 3 at 380 (241), 4 at 621.
  for (const DropCase& c : {DropCase{3, 0, {3, 1, 2, 4, 5}}, DropCase{1, 900, {2, 3, 4, 1, 5}},
                            DropCase{1, 300, {2, 1, 3, 4, 5}}, DropCase{4, 10, {4, 1, 2, 3, 5}},
                            DropCase{2, 160, {1, 2, 3, 4, 5}}}) {
    BandBar bar = Designed();
    bar.Drop(c.band, c.left, 1000);
    EXPECT_EQ(bar.Order(), c.order) << c.band << " at " << c.left;
    // All shown bands are on the one row again, side by side.
    int left = 0;
    for (const BandPlace& place : bar.Layout(1000)) {
      EXPECT_EQ(place.left, left);
      left += place.width;
    }
  }
  // A hidden band keeps its place in the order.
  BandBar bar = Designed();
  bar.SetOrder({5, 1, 2, 3, 4});
  bar.Drop(4, 0, 1000);
  EXPECT_EQ(bar.Order(), (BandOrder{5, 4, 1, 2, 3}));
}

}  // namespace
}  // namespace trimora::ui
