#include "frame/display_copy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace trimora {
namespace {

// A picture whose pixel (x, y) has blue x, green y, red x + y.
Picture Ramp(int w, int h) {
  Picture p(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      std::uint8_t* px = p.row(y) + x * 4;
      px[0] = static_cast<std::uint8_t>(x);
      px[1] = static_cast<std::uint8_t>(y);
      px[2] = static_cast<std::uint8_t>(x + y);
      px[3] = 255;
    }
  }
  return p;
}

const std::uint8_t* Px(const Picture& p, int x, int y) { return p.row(y) + x * 4; }

TEST(ScaleToView, AveragesTheSourcePixelsOfEachTargetPixel) {
  const Picture src = Ramp(8, 6);
  const Picture out = ScaleToView(src, 4, 3);
  ASSERT_EQ(out.width(), 4);
  ASSERT_EQ(out.height(), 3);
  // Target (1, 2) averages source x 2..3, y 4..5: blue 2.5 -> 3, green 4.5 -> 5 (halves up).
  EXPECT_EQ(Px(out, 1, 2)[0], 3);
  EXPECT_EQ(Px(out, 1, 2)[1], 5);
  EXPECT_EQ(Px(out, 1, 2)[2], 7);  // (6 + 7 + 7 + 8) / 4
  EXPECT_EQ(Px(out, 1, 2)[3], 255);
}

TEST(ScaleToView, KeepsThePictureAtItsOwnSizeAndHandlesUnevenBins) {
  const Picture src = Ramp(7, 5);
  const Picture same = ScaleToView(src, 7, 5);
  EXPECT_EQ(std::memcmp(same.data(), src.data(), src.byteCount()), 0);
  const Picture odd = ScaleToView(src, 3, 2);  // bins of 2, 2, 3 columns and 2, 3 rows
  EXPECT_EQ(Px(odd, 2, 1)[0], 5);              // x 4..6
  EXPECT_EQ(Px(odd, 2, 1)[1], 3);              // y 2..4
  EXPECT_TRUE(ScaleToView(Picture(), 3, 3).empty());
  EXPECT_TRUE(ScaleToView(src, 0, 3).empty());
}

// A picture of noise (a fixed sequence), or of the brightest colour.
Picture Noise(int w, int h) {
  Picture p(w, h);
  std::uint32_t seed = 12345;
  for (std::size_t i = 0; i < p.byteCount(); ++i) {
    seed = seed * 1664525u + 1013904223u;
    p.data()[i] = static_cast<std::uint8_t>(seed >> 24);
  }
  return p;
}

Picture White(int w, int h) {
  Picture p(w, h);
  std::memset(p.data(), 255, p.byteCount());
  return p;
}

// Checks every `step`-th pixel of ScaleToView(src, w, h) against the definition: the rounded
// mean of the source pixels in the pixel's own bin.
void ExpectBinMeans(const Picture& src, int w, int h, int step) {
  SCOPED_TRACE(std::to_string(src.width()) + "x" + std::to_string(src.height()) + " to " +
               std::to_string(w) + "x" + std::to_string(h));
  auto binStart = [](int i, int n, int m) {
    return static_cast<int>(static_cast<std::int64_t>(i) * n / m);
  };
  const int P = src.width(), Q = src.height();
  const Picture out = ScaleToView(src, w, h);
  ASSERT_EQ(out.width(), w);
  ASSERT_EQ(out.height(), h);
  for (int y = 0; y < h; y += step) {
    for (int x = 0; x < w; x += step) {
      const int xa = binStart(x, P, w), xb = std::max(xa + 1, binStart(x + 1, P, w));
      const int ya = binStart(y, Q, h), yb = std::max(ya + 1, binStart(y + 1, Q, h));
      for (int c = 0; c < 3; ++c) {
        std::uint64_t sum = 0;
        for (int sy = ya; sy < yb; ++sy)
          for (int sx = xa; sx < xb; ++sx) sum += Px(src, sx, sy)[c];
        const std::uint64_t n = static_cast<std::uint64_t>(xb - xa) * (yb - ya);
        ASSERT_EQ(Px(out, x, y)[c], (sum + n / 2) / n) << x << "," << y << " channel " << c;
      }
      ASSERT_EQ(Px(out, x, y)[3], 255);
    }
  }
}

TEST(ScaleToView, EachTargetPixelIsTheRoundedMeanOfItsBinOnLargePictures) {
  // Large enough for several bands of rows and for whole blocks of bytes per row; bins from one
  // pixel (the same size) to bins of 350 rows and of the whole picture.
  const Picture src = Noise(1000, 700);
  struct Size {
    int w, h;
  };
  for (const Size size : {Size{333, 250}, Size{1000, 700}, Size{17, 5}, Size{999, 3},
                          Size{166, 116}, Size{10, 2}, Size{1, 1}, Size{1500, 701}})
    ExpectBinMeans(src, size.w, size.h, 3);
  // Uneven bins of 23 and 24 source pixels in both directions, on a picture whose rows do not
  // fill whole vector registers.
  ExpectBinMeans(Noise(1173, 1173), 50, 50, 1);
}

TEST(ScaleToView, SumsTheBrightestPixelsOfTallAndHugeBinsWithoutOverflow) {
  // Bins of 256 and 257 rows, of 258 and 259 rows, and of four million pixels.
  for (const Picture& src : {White(20, 513), White(20, 517)}) {
    const Picture out = ScaleToView(src, 3, 2);
    for (int i = 0; i < 6; ++i) ASSERT_EQ(Px(out, i % 3, i / 3)[1], 255) << src.height();
  }
  ExpectBinMeans(Noise(2048, 2049), 1, 1, 1);
}

TEST(ScaleToView, FinishesEachRowOnceBeforeItIsRead) {
  // The rows are finished by adding 1 to their colour bytes: a row read before it was finished,
  // or finished twice, changes the scaled copy.
  struct Case {
    int w, h, tw, th;
  };
  for (const Case c : {Case{1000, 700, 333, 250}, Case{1000, 700, 1000, 700}, Case{7, 5, 3, 2},
                       Case{3, 2, 7, 5}, Case{1000, 700, 999, 3}, Case{7, 5, 0, 3}}) {
    SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h) + " to " + std::to_string(c.tw) +
                 "x" + std::to_string(c.th));
    Picture src = Ramp(c.w, c.h);
    std::vector<std::atomic<int>> handed(static_cast<std::size_t>(c.h));
    const Picture out = ScaleToView(src, c.tw, c.th, [&](int first, int end) {
      for (int y = first; y < end; ++y) {
        ++handed[static_cast<std::size_t>(y)];
        std::uint8_t* px = src.row(y);
        for (int x = 0; x < c.w * 4; ++x) px[x] = static_cast<std::uint8_t>(px[x] + 1);
      }
    });
    for (const std::atomic<int>& n : handed) ASSERT_EQ(n.load(), 1);
    const Picture expected = ScaleToView(src, c.tw, c.th);
    ASSERT_EQ(out.width(), expected.width());
    ASSERT_EQ(out.height(), expected.height());
    if (expected.byteCount() > 0) {
      EXPECT_EQ(std::memcmp(out.data(), expected.data(), expected.byteCount()), 0);
    }
  }
}

TEST(DimmedCopy, BlendsWithTheBackground) {
  Picture p(1, 1);
  p.data()[0] = 0;    // blue
  p.data()[1] = 100;  // green
  p.data()[2] = 255;  // red
  for (int M : {0, 105, 255}) {
    const Picture d = DimmedCopy(p, M, kPictureBackground);
    EXPECT_EQ(d.data()[0], (M * 0 + (255 - M) * 0xFC) / 255) << M;
    EXPECT_EQ(d.data()[1], (M * 100 + (255 - M) * 0xEF) / 255) << M;
    EXPECT_EQ(d.data()[2], (M * 255 + (255 - M) * 0xEB) / 255) << M;
  }
  EXPECT_EQ(DimmedCopy(p, 999, kPictureBackground).data()[1], 100);  // clamped to 255
}

TEST(DimmedCopy, EveryPixelOfALargerPictureFollowsTheBlend) {
  // 37 pixels a row: whole blocks of four pixels and a pixel left over in every row.
  const Picture p = Noise(37, 5);
  const int background[3] = {0xFC, 0xEF, 0xEB};
  for (int M : {0, 1, 105, 254, 255}) {
    const Picture d = DimmedCopy(p, M, kPictureBackground);
    for (std::size_t i = 0; i < p.byteCount(); i += 4) {
      for (int c = 0; c < 3; ++c) {
        ASSERT_EQ(d.data()[i + c], (M * p.data()[i + c] + (255 - M) * background[c]) / 255)
            << "M " << M << " byte " << i + c;
      }
      ASSERT_EQ(d.data()[i + 3], 255);
    }
  }
}

TEST(ComposeView, TheSelectionKeepsFullBrightness) {
  const Picture display = Ramp(40, 30);
  const ScreenRect frame{5, 6, 20, 10};
  const Picture shown = ComposeView(display, 0, kPictureBackground, frame, true);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      const bool inside = x >= 5 && x < 25 && y >= 6 && y < 16;
      if (inside) {
        ASSERT_EQ(std::memcmp(Px(shown, x, y), Px(display, x, y), 4), 0) << x << "," << y;
      } else {
        ASSERT_EQ(Px(shown, x, y)[0], 0xFC) << x << "," << y;
        ASSERT_EQ(Px(shown, x, y)[2], 0xEB);
      }
    }
  }
  const Picture hidden = ComposeView(display, 0, kPictureBackground, frame, false);
  EXPECT_EQ(Px(hidden, 10, 10)[0], 0xFC);
}

TEST(CutOverlay, FillsWhatLiesOutsideTheDisplayCopyWithTheBackground) {
  const Picture display = Ramp(40, 30);
  Picture layer;
  CutOverlay(display, ScreenRect{-3, 25, 10, 10}, kPictureBackground, layer);
  ASSERT_EQ(layer.width(), 10);
  ASSERT_EQ(layer.height(), 10);
  EXPECT_EQ(OverlayPlace(ScreenRect{-3, 25, 10, 10}), (ScreenRect{0, 25, 10, 10}));
  EXPECT_EQ(std::memcmp(Px(layer, 9, 4), Px(display, 9, 29), 4), 0);
  EXPECT_EQ(Px(layer, 0, 5)[0], 0xFC);  // below the copy
  CutOverlay(display, ScreenRect{35, 0, 10, 3}, kPictureBackground, layer);
  EXPECT_EQ(std::memcmp(Px(layer, 4, 2), Px(display, 39, 2), 4), 0);
  EXPECT_EQ(Px(layer, 5, 0)[1], 0xEF);  // right of the copy
}

}  // namespace
}  // namespace trimora
