#include "imaging/thumbnail.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "imaging/jpeg_codec.h"
#include "imaging/rounding.h"

namespace trimora {

namespace {

// The first source index of each destination cell, plus the end: cell i covers
// [starts[i], starts[i + 1]). trunc(i * source / destination) computed exactly.
std::vector<int> CellStarts(int source, int destination) {
  std::vector<int> starts(static_cast<std::size_t>(destination) + 1);
  for (int i = 0; i <= destination; ++i)
    starts[i] = static_cast<int>(static_cast<std::int64_t>(i) * source / destination);
  return starts;
}

void BoxFilter(const Picture& source, Picture& target) {
  const int w = target.width();
  std::vector<int> columns = CellStarts(source.width(), w);
  std::vector<int> rows = CellStarts(source.height(), target.height());
  // Per destination column of the current destination row: sums of blue, green, red.
  std::vector<std::uint64_t> sums(static_cast<std::size_t>(w) * 3);
  for (int y = 0; y < target.height(); ++y) {
    std::fill(sums.begin(), sums.end(), 0);
    for (int sy = rows[y]; sy < rows[y + 1]; ++sy) {
      const std::uint8_t* in = source.row(sy);
      for (int x = 0; x < w; ++x) {
        std::uint32_t b = 0, g = 0, r = 0;
        for (int sx = columns[x]; sx < columns[x + 1]; ++sx) {
          b += in[4 * sx];
          g += in[4 * sx + 1];
          r += in[4 * sx + 2];
        }
        sums[3 * x] += b;
        sums[3 * x + 1] += g;
        sums[3 * x + 2] += r;
      }
    }
    std::uint8_t* out = target.row(y);
    const std::uint64_t blockHeight = static_cast<std::uint64_t>(rows[y + 1] - rows[y]);
    for (int x = 0; x < w; ++x) {
      const std::uint64_t n = blockHeight * static_cast<std::uint64_t>(columns[x + 1] - columns[x]);
      // (sum x (65535 div n)) >> 16 is the mean, a shade low. Beyond 65535 pixels per block k
      // would be 0 and the thumbnail black, so such blocks take the plain mean.
      const std::uint64_t k = 65535 / n;
      for (int c = 0; c < 3; ++c) {
        const std::uint64_t sum = sums[3 * x + c];
        out[4 * x + c] = static_cast<std::uint8_t>(k != 0 ? (sum * k) >> 16 : sum / n);
      }
      out[4 * x + 3] = 0xFF;
    }
  }
}

// In place, top to bottom: each inner pixel reads its diagonal neighbours, of which the upper
// two are already sharpened and the lower two are not.
void Sharpen(Picture& picture) {
  const int w = picture.width();
  const int h = picture.height();
  if (h < 3) return;
  for (int y = 1; y <= h - 2; ++y) {
    const std::uint8_t* above = picture.row(y - 1);
    std::uint8_t* row = picture.row(y);
    const std::uint8_t* below = picture.row(y + 1);
    for (int x = 1; x <= w - 2; ++x) {
      for (int c = 0; c < 3; ++c) {
        const int i = 4 * x + c;
        const int diagonals = above[i - 4] + above[i + 4] + below[i - 4] + below[i + 4];
        int value = (12 * row[i] - diagonals) / 8;
        row[i] = static_cast<std::uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
      }
    }
  }
}

}  // namespace

ThumbnailSize ThumbnailSizeFor(int width, int height) {
  if (width <= 0 || height <= 0) return {};
  if (width <= kThumbnailBox && height <= kThumbnailBox) return {width, height};
  auto scaled = [](int side, int longSide) {
    int value = RoundHalfEven(static_cast<double>(side) * kThumbnailBox / longSide);
    return value < 1 ? 1 : value;
  };
  if (height < width) return {kThumbnailBox, scaled(height, width)};
  return {scaled(width, height), kThumbnailBox};
}

Picture ScaleThumbnail(const Picture& source) {
  if (source.empty()) return {};
  if (source.width() <= kThumbnailBox && source.height() <= kThumbnailBox) return source.clone();
  ThumbnailSize size = ThumbnailSizeFor(source.width(), source.height());
  Picture target(size.width, size.height);
  BoxFilter(source, target);
  Sharpen(target);
  return target;
}

Picture MakeThumbnail(const std::string& path) {
  return ScaleThumbnail(DecodeJpegFile(path, JpegScale::Eighth));
}

}  // namespace trimora
