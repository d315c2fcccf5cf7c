#include "frame/block_grid.h"

#include <gtest/gtest.h>

namespace trimora {
namespace {

TEST(RoundEven, TiesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundEven(2.5L), 2);
  EXPECT_EQ(RoundEven(3.5L), 4);
  EXPECT_EQ(RoundEven(-2.5L), -2);
  EXPECT_EQ(RoundEven(7.5L), 8);
  EXPECT_EQ(RoundEven(99.5L), 100);
  EXPECT_EQ(RoundEven(0.8L), 1);
  EXPECT_EQ(RoundEven(2.4999L), 2);
}

struct GridCase {
  int P, Q, V, U, blockSize;
  int cols, rows, edgeCol, edgeRow;
  long double scale;
};

class ComputeBlockGridTest : public ::testing::TestWithParam<GridCase> {};

TEST_P(ComputeBlockGridTest, DerivesColumnsRowsAndScale) {
  const GridCase& c = GetParam();
  GridState g;
  g.BlockSize = c.blockSize;
  ComputeBlockGrid(g, c.P, c.Q, c.V, c.U);
  EXPECT_EQ(g.GridCols, c.cols);
  EXPECT_EQ(g.GridRows, c.rows);
  EXPECT_EQ(g.EdgeColPixels, c.edgeCol);
  EXPECT_EQ(g.EdgeRowPixels, c.edgeRow);
  EXPECT_NEAR(static_cast<double>(g.BlockScale), static_cast<double>(c.scale), 1e-9);
  EXPECT_EQ(g.BlockScaleRounded, RoundEven(c.scale));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ComputeBlockGridTest,
    ::testing::Values(
        // 1000 = 62 x 16 + 8 shown 400 wide; 750 = 46 x 16 + 14 shown 300 high.
        GridCase{1000, 750, 400, 300, 16, 63, 47, 3, 6, 397.0L / 62},
        // The 8-pixel remainder maps to one screen pixel and gives a 63rd column ...
        GridCase{1000, 750, 100, 75, 16, 63, 47, 1, 1, 99.0L / 62},
        // ... but to none at 60 pixels, so the grid keeps 62 columns.
        GridCase{1000, 750, 60, 45, 16, 62, 47, 0, 1, 60.0L / 62},
        // Whole blocks only.
        GridCase{1600, 1200, 400, 300, 16, 100, 75, 0, 0, 4.0L},
        GridCase{4000, 3000, 500, 375, 1, 4000, 3000, 0, 0, 0.125L},
        // Narrower than a block: no full column to divide by, still a usable scale.
        GridCase{10, 10, 10, 10, 16, 1, 1, 10, 10, 10.0L}));

TEST(FitSelectionToFormat, KeepsOrientationAndPosition) {
  FormatRecord f{1, "10 x 15", 1800, 1200, 900, 600};
  struct Case {
    int w, h, rows, cols, ew, eh;
  };
  for (const Case& c : {Case{30, 30, 100, 100, 30, 20}, Case{20, 30, 100, 100, 20, 30},
                        Case{30, 10, 12, 100, 18, 12}, Case{10, 60, 100, 30, 30, 45}}) {
    GridState g;
    g.GridRows = c.rows;
    g.GridCols = c.cols;
    g.SelX = 7;
    g.SelY = 9;
    g.SelW = c.w;
    g.SelH = c.h;
    FitSelectionToFormat(g, f, 1.5L);
    EXPECT_EQ(g.SelW, c.ew) << c.w << "x" << c.h;
    EXPECT_EQ(g.SelH, c.eh) << c.w << "x" << c.h;
    EXPECT_EQ(g.SelX, 7);
    EXPECT_EQ(g.SelY, 9);
  }
}

TEST(FitSelectionToFormat, GivesAFixedFormatItsSizeInBlocks) {
  GridState g;
  g.BlockSize = 16;
  g.SelW = 3;
  g.SelH = 4;
  FitSelectionToFormat(g, FormatRecord{-1, "fix", 1024, 700, 0, 0}, 1.46L);
  EXPECT_EQ(g.SelW, 64);
  EXPECT_EQ(g.SelH, 43);
}

TEST(ScreenMapping, TheLastColumnEndsAtTheViewEdge) {
  GridState g;
  g.BlockSize = 16;
  ComputeBlockGrid(g, 1000, 750, 400, 300);
  g.SelX = 13;
  g.SelW = 50;  // 13 + 50 = 63 = GridCols
  g.SelY = 0;
  g.SelH = 10;
  EXPECT_EQ(g.ScreenLeft(), RoundEven(13 * 397.0L / 62));
  EXPECT_EQ(g.ScreenLeft() + g.ScreenWidth(), 400);
  EXPECT_EQ(g.ScreenHeight(), RoundEven(10 * 397.0L / 62));
  g.SelW = 49;
  EXPECT_EQ(g.ScreenWidth(), RoundEven(49 * 397.0L / 62));
}

struct ColorCase {
  int blockSize, w, h;
  std::uint32_t color;
};

TEST(SelectionColor, LimeYellowOrRedWhateverTheOrientation) {
  const FormatRecord f{1, "10 x 15", 1800, 1200, 900, 600};
  for (const ColorCase& c :
       {ColorCase{1, 1200, 1800, kFrameLime}, ColorCase{1, 1800, 1200, kFrameLime},
        ColorCase{1, 1799, 1200, kFrameYellow}, ColorCase{1, 900, 600, kFrameYellow},
        ColorCase{1, 600, 900, kFrameYellow}, ColorCase{1, 899, 600, kFrameRed},
        ColorCase{16, 113, 75, kFrameLime}, ColorCase{16, 57, 38, kFrameYellow},
        ColorCase{16, 56, 38, kFrameRed}}) {
    GridState g;
    g.BlockSize = c.blockSize;
    g.SelW = c.w;
    g.SelH = c.h;
    EXPECT_EQ(SelectionColor(g, f), c.color) << c.w << "x" << c.h << " @" << c.blockSize;
  }
}

TEST(SelectionInPixels, ClipsAtTheRightAndBottom) {
  GridState g;
  g.BlockSize = 16;
  g.SelX = 3;
  g.SelW = 40;
  g.SelY = 1;
  g.SelH = 30;
  EXPECT_EQ(SelectionInPixels(g, 700, 500), (ScreenRect{48, 16, 640, 480}));
  g.SelX = 4;
  g.SelY = 2;
  EXPECT_EQ(SelectionInPixels(g, 700, 500), (ScreenRect{64, 32, 636, 468}));
}

}  // namespace
}  // namespace trimora
