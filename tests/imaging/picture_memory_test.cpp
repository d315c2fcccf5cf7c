#include "imaging/picture_memory.h"

#include <gtest/gtest.h>

#include <cstring>

#include "imaging/picture.h"

namespace trimora {
namespace {

constexpr int kWidth = 3000, kHeight = 2000;  // 24 MB: a block that is kept

TEST(PictureMemory, TheNextPictureOfTheSameSizeTakesTheMemoryOfTheOneGivenBack) {
  SetPictureMemoryReuse(true);
  const std::uint8_t* first = nullptr;
  {
    Picture shown(kWidth, kHeight);
    std::memset(shown.data(), 7, shown.byteCount());
    first = shown.data();
  }
  Picture next(kWidth, kHeight);
  EXPECT_EQ(next.data(), first);
  // Slightly smaller still fits; the block goes to one picture only.
  Picture other(kWidth, kHeight);
  EXPECT_NE(other.data(), first);
  next = Picture();
  Picture smaller(kWidth, kHeight - 100);
  EXPECT_EQ(smaller.data(), first);
  EXPECT_EQ(smaller.byteCount(), std::size_t{kWidth} * (kHeight - 100) * 4);
}

TEST(PictureMemory, KeepsNoSmallBlocksAndWastesNoMoreThanAQuarterOfABlock) {
  SetPictureMemoryReuse(true);
  const std::uint8_t* big = nullptr;
  {
    Picture shown(kWidth, kHeight);
    big = shown.data();
  }
  // Half the size: a fresh block; the kept one stays for a picture that fits it.
  Picture half(kWidth, kHeight / 2);
  EXPECT_NE(half.data(), big);
  // Larger than the block: a fresh one.
  Picture larger(kWidth, kHeight + 1);
  EXPECT_NE(larger.data(), big);
  Picture fits(kWidth, kHeight);
  EXPECT_EQ(fits.data(), big);
  // A thumbnail's block is not kept: the big block given back stays.
  fits = Picture();
  { Picture thumbnail(750, 500); }
  Picture again(kWidth, kHeight);
  EXPECT_EQ(again.data(), big);
}

TEST(PictureMemory, WithoutReuseNoBlockIsHandedOnAndPicturesStayIntact) {
  SetPictureMemoryReuse(false);
  Picture held(kWidth, kHeight);
  std::memset(held.data(), 9, held.byteCount());
  { Picture given(kWidth, kHeight); }
  Picture next(kWidth, kHeight);
  EXPECT_NE(next.data(), held.data());
  std::memset(next.data(), 1, next.byteCount());
  EXPECT_EQ(held.data()[held.byteCount() - 1], 9);
  SetPictureMemoryReuse(true);
}

}  // namespace
}  // namespace trimora
