// The lossless operations through the real jpegtran: parameter texts, Debian's argument form,
// crops that equal jpegtran's own, the mended Exif data, rotations and failures.
#include "output/jpegtran.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "imaging/jpeg_codec.h"
#include "metadata/jpeg_markers.h"
#include "output/exif_mend.h"
#include "output/turn_original.h"
#include "output_test_support.h"
#include "platform/error.h"
#include "platform/file_date.h"

namespace trimora {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::ReadFile;
using test::TempFolder;

TEST(JpegTranParameters, CropTextIsBuiltExactly) {
  EXPECT_EQ(JpegTranCropParameters(48, 16, 320, 208, "C:\\Bilder\\a b.jpg", "D:\\Ziel\\a b.JPG"),
            "-copy all -crop 320x208+48+16 \"C:\\Bilder\\a b.jpg\" \"D:\\Ziel\\a b.JPG\"");
  EXPECT_EQ(JpegTranCropParameters(0, 0, 1000, 7, "/s/x.jpg", "/d/x.JPG"),
            "-copy all -crop 1000x7+0+0 \"/s/x.jpg\" \"/d/x.JPG\"");
}

TEST(JpegTranParameters, TurnTextAsksForAPerfectTurnAndNamesTheFileTwice) {
  EXPECT_EQ(JpegTranTurnParameters(Turn::Rotate90, "/s/IMG 1.jpg"),
            "-copy all -perfect -rotate 90 \"/s/IMG 1.jpg\" \"/s/IMG 1.jpg\"");
  EXPECT_EQ(JpegTranTurnParameters(Turn::Rotate270, "a.jpg"),
            "-copy all -perfect -rotate 270 \"a.jpg\" \"a.jpg\"");
  EXPECT_EQ(JpegTranTurnParameters(Turn::Transverse, "a.jpg"),
            "-copy all -perfect -transverse \"a.jpg\" \"a.jpg\"");
}

TEST(JpegTranParameters, TextIsSplitAsWindowsDoesAndMappedOntoOutfile) {
  const JpegTranCall call =
      ParseJpegTranParameters(JpegTranCropParameters(48, 16, 320, 208, "/s/a b.jpg", "/d/a b.JPG"));
  EXPECT_EQ(call.switches, (std::vector<std::string>{"-copy", "all", "-crop", "320x208+48+16"}));
  EXPECT_EQ(call.input, "/s/a b.jpg");
  EXPECT_EQ(call.output, "/d/a b.JPG");
  EXPECT_EQ(DebianJpegTranParameters(call, "/d/.a b.JPG.1.tmp"),
            "\"-copy\" \"all\" \"-crop\" \"320x208+48+16\" -outfile \"/d/.a b.JPG.1.tmp\" \"/s/a "
            "b.jpg\"");
  EXPECT_THROW(ParseJpegTranParameters("-copy"), Error);
}

class JpegTranTest : public ::testing::Test {
 protected:
  TempFolder dir;
};

// The markers of a file's head in order, with APP1 Exif left out.
std::vector<Bytes> SegmentsWithoutExif(const Bytes& jpeg) {
  std::vector<Bytes> out;
  const auto exif = FindExifSegment(jpeg);
  for (const SegmentSpan& s : ListHeaderSegments(jpeg)) {
    if (exif && s.offset == exif->offset) continue;
    out.emplace_back(jpeg.begin() + static_cast<std::ptrdiff_t>(s.offset),
                     jpeg.begin() + static_cast<std::ptrdiff_t>(s.offset + s.size));
  }
  return out;
}

TEST_F(JpegTranTest, LosslessCropEqualsJpegtransOwnCropAndKeepsEveryMarker) {
  const std::string source = test::CopySample(dir, "canon-ixus.jpg", "IMG 0001.jpg");
  const std::string output = dir.Path("out put.JPG");
  EXPECT_EQ(JpegTranCrop(48, 16, 320, 208, source, output, {}), output);
  const std::string reference = dir.Path("reference.jpg");
  ASSERT_EQ(test::Run("jpegtran -copy all -crop 320x208+48+16 -outfile '" + reference + "' '" +
                      source + "'"),
            0);
  const Bytes ours = ReadFile(output);
  const Bytes theirs = ReadFile(reference);
  // Same picture data, same markers; only the Exif segment is mended.
  EXPECT_EQ(test::DjpegPixels(output), test::DjpegPixels(reference));
  EXPECT_EQ(SegmentsWithoutExif(ours), SegmentsWithoutExif(theirs));
  ASSERT_TRUE(FindExifSegment(ours));
  const auto scan = ListHeaderSegments(ours).back();
  const auto theirScan = ListHeaderSegments(theirs).back();
  EXPECT_EQ(Bytes(ours.begin() + static_cast<std::ptrdiff_t>(scan.offset), ours.end()),
            Bytes(theirs.begin() + static_cast<std::ptrdiff_t>(theirScan.offset), theirs.end()));
  // The source is untouched and no temporary file stays.
  EXPECT_EQ(ReadFile(source), ReadFile(test::SamplePhoto("canon-ixus.jpg")));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 3);
}

TEST_F(JpegTranTest, CroppedExifGivesTheCutSizeAndNoThumbnail) {
  if (!test::RequireReader("exiftool")) return;
  const std::string source = test::CopySample(dir, "canon-ixus.jpg", "a.jpg");
  const std::string output = dir.Path("a.JPG");
  JpegTranCrop(48, 16, 320, 208, source, output, {});
  EXPECT_EQ(test::Capture("exiftool -s3 -n -ExifImageWidth -ExifImageHeight '" + output + "'"),
            "320\n208\n");
  EXPECT_EQ(test::Capture("exiftool -s3 -ThumbnailLength '" + output + "'"), "");
  EXPECT_EQ(test::Capture("exiftool -s3 -Make '" + output + "'"), "Canon\n");
  const std::string warnings = test::Capture("exiftool -validate -warning -a '" + output + "'");
  EXPECT_EQ(warnings.find("Warning"), std::string::npos) << warnings;
}

TEST_F(JpegTranTest, ConfirmedNameIsTheOneWritten) {
  const std::string source = test::CopySample(dir, "canon-ixus.jpg", "a.jpg");
  const std::string other = dir.Path("a_1.jpg");
  EXPECT_EQ(JpegTranCrop(0, 0, 64, 64, source, dir.Path("a.JPG"),
                         [&](const std::string&) { return other; }),
            other);
  EXPECT_TRUE(fs::exists(other));
  EXPECT_FALSE(fs::exists(dir.Path("a.JPG")));
}

TEST_F(JpegTranTest, FailedCropLeavesNoFileAndRaisesAnError) {
  const std::string source = test::CopySample(dir, "not-a-jpeg.jpg", "bad.jpg");
  const std::string output = dir.Path("bad.JPG");
  EXPECT_THROW(JpegTranCrop(0, 0, 16, 16, source, output, {}), Error);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST_F(JpegTranTest, RotationTurnsTheFileInPlaceKeepsItsDateAndMendsTheExif) {
  const std::string path = test::CopySample(dir, "canon-ixus.jpg", "turn me.jpg");
  const bool exiftool = test::RequireReader("exiftool");
  if (exiftool) {
    ASSERT_EQ(test::Run("exiftool -q -overwrite_original -n -Orientation=6 '" + path + "'"), 0);
  }
  const std::int32_t date = 0x3A5A6C2B;  // 2009-02-26 13:33:22
  SetFileDate(path, date);
  const std::string reference = dir.Path("reference.jpg");
  ASSERT_EQ(test::Run("jpegtran -copy all -rotate 90 -outfile '" + reference + "' '" + path + "'"),
            0);
  JpegTranTurn(path, TurnForAngle("90"));
  EXPECT_EQ(GetFileDate(path), date);
  EXPECT_EQ(test::DjpegPixels(path), test::DjpegPixels(reference));
  const auto frame = ReadFrameSize(ReadFile(path));
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->width, 480);
  EXPECT_EQ(frame->height, 640);
  if (exiftool) {
    EXPECT_EQ(test::Capture("exiftool -s3 -n -Orientation -ExifImageWidth -ExifImageHeight '" +
                            path + "'"),
              "1\n480\n640\n");
    EXPECT_EQ(test::Capture("exiftool -s3 -ThumbnailLength '" + path + "'"), "");
  }
  JpegTranTurn(path, TurnForAngle("270"));
  EXPECT_EQ(ReadFrameSize(ReadFile(path))->width, 640);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

TEST_F(JpegTranTest, FailedRotationLeavesTheOriginalAsItWas) {
  const std::string path = test::CopySample(dir, "not-a-jpeg.jpg", "x.jpg");
  const Bytes before = ReadFile(path);
  EXPECT_THROW(JpegTranTurn(path, Turn::Rotate90), Error);
  EXPECT_THROW(TurnOriginal(path, Turn::Rotate90), Error);
  EXPECT_EQ(ReadFile(path), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
  EXPECT_THROW(TurnForAngle("180"), Error);
}

// A copy of `source` with two comment segments of 60000 bytes behind its Exif segment, so that
// its head is longer than the first look at a file's head.
std::string WithLongHead(const TempFolder& dir, const std::string& source) {
  Bytes bytes = ReadFile(source);
  const auto exif = FindExifSegment(bytes);
  Bytes comment = {0xFF, 0xFE, 60002 >> 8, 60002 & 0xFF};
  comment.resize(4 + 60000, 'x');
  auto at = bytes.begin() + static_cast<std::ptrdiff_t>(exif->offset + exif->size);
  at = bytes.insert(at, comment.begin(), comment.end());
  bytes.insert(at, comment.begin(), comment.end());
  const std::string path = dir.Path("long head.jpg");
  test::WriteFile(path, bytes);
  return path;
}

// The mended output is byte for byte jpegtran's own output with its Exif data mended as a
// whole: a thumbnail taken out (a shorter head, the rest copied behind it), only the size
// entries set (a head of the same length, patched in place), and a head longer than the first
// look. An output that is replaced keeps its access rights.
TEST_F(JpegTranTest, MendedOutputIsJpegtransOutputWithItsExifMended) {
  const std::vector<std::string> sources = {
      test::CopySample(dir, "canon-ixus.jpg", "thumb.jpg"),
      test::CopySample(dir, "Fujifilm_FinePix_E500.jpg", "no thumb.jpg"),
      WithLongHead(dir, test::SamplePhoto("nikon-e950.jpg"))};
  for (const std::string& source : sources) {
    SCOPED_TRACE(source);
    const JpegLayout layout = ReadJpegLayout(source);
    const int w = layout.width - 16, h = layout.height - 16;
    const std::string reference = dir.Path("reference.jpg");
    const std::string crop = std::to_string(w) + "x" + std::to_string(h) + "+16+16";
    ASSERT_EQ(test::Run("jpegtran -copy all -crop " + crop + " -outfile '" + reference + "' '" +
                        source + "'"),
              0);
    const Bytes plain = ReadFile(reference);
    const Bytes expected = MendCroppedExif(plain);
    ASSERT_NE(expected, plain);
    const std::string output = dir.Path("out.JPG");
    test::WriteFile(output, Bytes{'o', 'l', 'd'});
    fs::permissions(output, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    JpegTranCrop(16, 16, w, h, source, output, {});
    EXPECT_EQ(ReadFile(output), expected);
    EXPECT_EQ(fs::status(output).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::remove(output);
    fs::remove(reference);
  }
  // A turn: the same, with the turned Exif data.
  const std::string turned = dir.Path("turned.jpg");
  ASSERT_EQ(test::Run("jpegtran -copy all -perfect -rotate 90 -outfile '" + turned + "' '" +
                      sources[0] + "'"),
            0);
  JpegTranTurn(sources[0], Turn::Rotate90);
  EXPECT_EQ(ReadFile(sources[0]), MendRotatedExif(ReadFile(turned)));
}

}  // namespace
}  // namespace trimora
