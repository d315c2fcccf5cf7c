// Turning originals: the pixel turns, when jpegtran can turn perfectly, the quality read from the
// quantisation tables, and the turn by encoding anew for pictures off their block grid, on real
// files made with cjpeg and marked with exiftool, compared with turns done here in the test.
#include "output/turn_original.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>

#include "../outside_readers.h"
#include "imaging/jpeg_codec.h"
#include "imaging/turn.h"
#include "metadata/jpeg_markers.h"
#include "output/jpegtran.h"
#include "output_test_support.h"
#include "platform/error.h"
#include "platform/file_date.h"

namespace trimora {
namespace {

using test::Bytes;
using test::TempFolder;

// A picture whose pixels are the letters of `rows` (one text per row), turned back into texts.
Picture Letters(const std::vector<std::string>& rows) {
  Picture p(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (int y = 0; y < p.height(); ++y) {
    for (int x = 0; x < p.width(); ++x) {
      std::uint8_t* px = p.row(y) + 4 * x;
      px[0] = px[1] = px[2] = static_cast<std::uint8_t>(rows[y][x]);
      px[3] = 0xFF;
    }
  }
  return p;
}
std::vector<std::string> TextOf(const Picture& p) {
  std::vector<std::string> rows;
  for (int y = 0; y < p.height(); ++y) {
    std::string row;
    for (int x = 0; x < p.width(); ++x) row += static_cast<char>(p.row(y)[4 * x]);
    rows.push_back(row);
  }
  return rows;
}

TEST(Turn, EachOrientationIsTurnedUpright) {
  // What a camera stored as "abc / def" looks like once it is upright.
  const struct {
    int orientation;
    std::vector<std::string> upright;
  } cases[] = {
      {1, {"abc", "def"}},     {2, {"cba", "fed"}},     {3, {"fed", "cba"}},
      {4, {"def", "abc"}},     {5, {"ad", "be", "cf"}}, {6, {"da", "eb", "fc"}},
      {7, {"fc", "eb", "da"}}, {8, {"cf", "be", "ad"}},
  };
  for (const auto& c : cases) {
    const Turn turn = TurnForOrientation(c.orientation);
    EXPECT_EQ(TextOf(TurnPicture(Letters({"abc", "def"}), turn)), c.upright) << c.orientation;
    EXPECT_EQ(TurnSwapsSides(turn), c.upright.size() == 3) << c.orientation;
  }
  EXPECT_EQ(TurnForOrientation(0), Turn::None);
  EXPECT_EQ(TurnForOrientation(9), Turn::None);
}

TEST(Turn, PerfectOnlyWhereTheMovedEdgesLieOnTheGrid) {
  const struct {
    Turn turn;
    int width, height;
    bool perfect;
  } cases[] = {
      {Turn::Rotate90, 333, 256, true},
      {Turn::Rotate90, 256, 250, false},  // the bottom edge
      {Turn::Rotate270, 320, 250, true},
      {Turn::Rotate270, 333, 256, false},  // the right edge
      {Turn::Rotate180, 320, 256, true},
      {Turn::Rotate180, 320, 250, false},
      {Turn::Transpose, 333, 250, true},
      {Turn::Transverse, 320, 250, false},
      {Turn::FlipHorizontal, 333, 256, false},
      {Turn::FlipVertical, 333, 256, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TurnIsPerfect(c.turn, c.width, c.height, 16, 16), c.perfect)
        << static_cast<int>(c.turn) << " " << c.width << "x" << c.height;
  }
  // A camera's 2592 x 1944 portrait on 4:2:0: 1944 is 121.5 blocks of 16.
  EXPECT_FALSE(TurnIsPerfect(Turn::Rotate90, 2592, 1944, 16, 16));
  EXPECT_TRUE(TurnIsPerfect(Turn::Rotate90, 2592, 1944, 16, 8));
}

class TurnOriginalTest : public ::testing::Test {
 protected:
  // The picture turned by `turn`, as the test itself turns it (clockwise by 90 for Rotate90).
  static Picture ReferenceTurn(const Picture& p, Turn turn) {
    const bool quarter = turn == Turn::Rotate90 || turn == Turn::Rotate270;
    Picture out(quarter ? p.height() : p.width(), quarter ? p.width() : p.height());
    for (int y = 0; y < p.height(); ++y) {
      for (int x = 0; x < p.width(); ++x) {
        int tx = x, ty = y;
        if (turn == Turn::Rotate90) {
          tx = p.height() - 1 - y;
          ty = x;
        }
        if (turn == Turn::Rotate270) {
          tx = y;
          ty = p.width() - 1 - x;
        }
        if (turn == Turn::Rotate180) {
          tx = p.width() - 1 - x;
          ty = p.height() - 1 - y;
        }
        std::copy_n(p.row(y) + 4 * x, 4, out.row(ty) + 4 * tx);
      }
    }
    return out;
  }
  // The mean difference of two pictures of the same size over the colour bytes.
  static double MeanDifference(const Picture& a, const Picture& b) {
    EXPECT_EQ(a.width(), b.width());
    EXPECT_EQ(a.height(), b.height());
    if (a.width() != b.width() || a.height() != b.height()) return 1e9;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x)
        for (int c = 0; c < 3; ++c) sum += std::abs(a.row(y)[4 * x + c] - b.row(y)[4 * x + c]);
    return sum / (3.0 * a.width() * a.height());
  }
  // The markers of the application and comment segments, in order.
  static std::vector<int> MetadataMarkers(const std::string& path) {
    std::vector<int> markers;
    for (const SegmentSpan& s : ListHeaderSegments(test::ReadFile(path))) {
      if ((s.marker >= 0xE0 && s.marker <= 0xEF) || s.marker == 0xFE) markers.push_back(s.marker);
    }
    return markers;
  }

  TempFolder dir;
};

TEST_F(TurnOriginalTest, TheBarredPictureKeepsAllTenBarColumns) {
  // 333 x 250 grey with a 10-pixel black bar at the bottom; 250 is 31 blocks of 8 and 2 rows.
  const std::string pgm = dir.Path("bar.pgm");
  {
    std::ofstream out(pgm, std::ios::binary);
    out << "P5\n333 250\n255\n";
    for (int y = 0; y < 250; ++y) out << std::string(333, y >= 240 ? '\0' : '\xC8');
  }
  const std::string path = dir.Path("bar.jpg");
  ASSERT_EQ(test::Run("cjpeg -grayscale -quality 85 -outfile '" + path + "' '" + pgm + "'"), 0);
  const Picture before = DecodeJpegFile(path);
  const Bytes original = test::ReadFile(path);
  const std::int32_t date = 0x3A5A6C2B;
  SetFileDate(path, date);

  // jpegtran asked for a perfect turn refuses, and the original stays whole.
  ASSERT_FALSE(TurnsLosslessly(path, Turn::Rotate90));
  EXPECT_THROW(JpegTranTurn(path, Turn::Rotate90), Error);
  EXPECT_EQ(test::ReadFile(path), original);

  TurnOriginal(path, Turn::Rotate90);
  const Picture after = DecodeJpegFile(path);
  ASSERT_EQ(after.width(), 250);
  ASSERT_EQ(after.height(), 333);
  EXPECT_LT(MeanDifference(after, ReferenceTurn(before, Turn::Rotate90)), 1.0);
  // The bar is now the ten left columns, dark over their whole height.
  for (int x = 0; x < 12; ++x) {
    int dark = 0;
    for (int y = 0; y < after.height(); ++y) dark += after.row(y)[4 * x] < 60;
    EXPECT_EQ(dark, x < 10 ? after.height() : 0) << "column " << x;
  }
  EXPECT_EQ(ReadJpegLayout(path).components, 1);
  EXPECT_EQ(ReadJpegLayout(path).quality, 85);
  EXPECT_EQ(GetFileDate(path), date);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            2);
}

TEST_F(TurnOriginalTest, ACameraPictureOffItsGridKeepsItsMetadataAndQuality) {
  // 59 x 100 on 4:2:0 with Exif, a maker note and a thumbnail: 100 is 6.25 blocks of 16.
  const std::string path = test::CopySample(dir, "Fujifilm_FinePix_E500.jpg", "fuji.jpg");
  const bool exiftool = test::RequireReader("exiftool");
  if (exiftool)
    ASSERT_EQ(test::Run("exiftool -q -overwrite_original -n -Orientation=6 '" + path + "'"), 0);
  const JpegLayout layout = ReadJpegLayout(path);
  const std::vector<int> markers = MetadataMarkers(path);
  const std::string make =
      exiftool ? test::Capture("exiftool -s3 -Make -Model -FujiFlashMode '" + path + "'") : "";
  const Picture before = DecodeJpegFile(path);
  const std::int32_t date = 0x3A5A6C2B;
  SetFileDate(path, date);

  ASSERT_FALSE(TurnsLosslessly(path, Turn::Rotate90));
  TurnByRecoding(path, Turn::Rotate90);
  const JpegLayout turned = ReadJpegLayout(path);
  EXPECT_EQ(turned.width, 100);
  EXPECT_EQ(turned.height, 59);
  EXPECT_EQ(turned.quality, layout.quality);
  EXPECT_EQ(turned.lumaH, layout.lumaV);
  EXPECT_EQ(turned.lumaV, layout.lumaH);
  EXPECT_EQ(MetadataMarkers(path), markers);
  // A small picture at its own, low quality: the new encoding adds its own error.
  EXPECT_LT(MeanDifference(DecodeJpegFile(path), ReferenceTurn(before, Turn::Rotate90)), 6.0);
  EXPECT_EQ(GetFileDate(path), date);
  EXPECT_EQ(ReadOrientation(path), 1);
  if (exiftool) {
    EXPECT_EQ(test::Capture("exiftool -s3 -n -Orientation '" + path + "'"), "1\n");
    EXPECT_EQ(test::Capture("exiftool -s3 -ThumbnailLength '" + path + "'"), "");
    EXPECT_EQ(test::Capture("exiftool -s3 -Make -Model -FujiFlashMode '" + path + "'"), make);
  }
}

TEST_F(TurnOriginalTest, AWriteProtectedOriginalIsRefusedOnEveryRoad) {
  // 640 x 480 turns by jpegtran, 333 x 250 only by encoding anew.
  for (const auto& [width, height] : {std::pair{640, 480}, std::pair{333, 250}}) {
    const std::string path = test::MakeJpeg(dir, "locked.jpg", width, height);
    const Bytes original = test::ReadFile(path);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read);
    for (const auto& turn : std::vector<std::function<void()>>{
             [&] { TurnOriginal(path, Turn::Rotate90); },
             [&] { JpegTranTurn(path, Turn::Rotate270); },
             [&] { TurnByRecoding(path, Turn::Rotate180); }}) {
      try {
        turn();
        ADD_FAILURE() << width << " x " << height << " was turned";
      } catch (const Error& e) {
        EXPECT_EQ(e.code(), ErrorCode::kFileWriteProtected);
      }
      EXPECT_EQ(test::ReadFile(path), original);
    }
    std::filesystem::remove(path);
  }
}

TEST_F(TurnOriginalTest, TheQualityIsReadFromTheQuantisationTables) {
  for (const int quality : {30, 50, 75, 95}) {
    const std::string ppm = dir.Path("q.ppm");
    test::WritePpm(ppm, test::TestPattern(64, 48));
    const std::string path = dir.Path("q" + std::to_string(quality) + ".jpg");
    ASSERT_EQ(test::Run("cjpeg -quality " + std::to_string(quality) + " -outfile '" + path + "' '" +
                        ppm + "'"),
              0);
    EXPECT_EQ(ReadJpegLayout(path).quality, quality);
  }
}

TEST_F(TurnOriginalTest, TheOrientationIsReadFromTheExifData) {
  ASSERT_TRUE(test::RequireReader("exiftool"));
  const std::string path = test::CopySample(dir, "plain-landscape.jpg", "o.jpg");
  EXPECT_EQ(ReadOrientation(path), 1) << "no Exif data";
  for (const int orientation : {1, 3, 6, 8}) {
    ASSERT_EQ(test::Run("exiftool -q -overwrite_original -n -Orientation=" +
                        std::to_string(orientation) + " '" + path + "'"),
              0);
    EXPECT_EQ(ReadOrientation(path), orientation);
  }
  EXPECT_EQ(ReadOrientation(dir.Path("missing.jpg")), 1);
  EXPECT_EQ(ReadOrientation(test::SamplePhoto("not-a-jpeg.jpg")), 1);
}

}  // namespace
}  // namespace trimora
