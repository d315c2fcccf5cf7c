// The crop-and-save run over real files: output names, the overwrite question, file dates on
// both roads, the lossless decision, enlargement, and an error that ends the run.
#include "output/crop_and_save.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "../error_testing.h"
#include "imaging/jpeg_codec.h"
#include "metadata/jpeg_markers.h"
#include "output_test_support.h"
#include "platform/error.h"
#include "platform/file_date.h"
#include "platform/paths.h"
#include "platform/settings.h"

namespace trimora {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::ReadFile;
using test::TempFolder;

// A view that answers from a queue and records what the run shows.
class FakeView : public SaveRunView {
 public:
  explicit FakeView(SaveRunState& state) : state_(state) {}

  std::string ChooseFolder(const std::string& title, const std::string& okCaption, int glyphIndex,
                           const std::string& startFolder) override {
    chooser = {title, okCaption, std::to_string(glyphIndex), startFolder};
    return chosenFolder;
  }
  int ShowMessageBox(const std::string& title, const std::string& text, int buttons, int width,
                     int height) override {
    boxes.push_back(title + "|" + text + "|" + std::to_string(buttons) + "|" + std::to_string(width) + "x" +
                    std::to_string(height));
    if (answers.empty()) return ui::kResultOk;
    const int a = answers.front();
    answers.erase(answers.begin());
    return a;
  }
  void SetStatusText(int panel, const std::string& text) override {
    status.push_back(std::to_string(panel) + ":" + text);
    savingSeen.push_back(state_.SavingInProgress);
  }
  void SetBusy(bool busy) override { busyCalls.push_back(busy); }

  std::string chosenFolder;
  std::vector<std::string> chooser;
  std::vector<int> answers;
  std::vector<std::string> boxes;
  std::vector<std::string> status;
  std::vector<bool> savingSeen;
  std::vector<bool> busyCalls;

 private:
  SaveRunState& state_;
};

CuttingRecord Record(const std::string& path, const std::string& type, int block, int x, int y,
                     int w, int h, int pw, int ph) {
  CuttingRecord r;
  r.saveIt = true;
  r.deleted = false;
  r.blockSize = block;
  r.x = x;
  r.y = y;
  r.width = w;
  r.height = h;
  r.formatId = 1;
  r.filename = path;
  r.fileType = type;
  r.pictureWidth = pw;
  r.pictureHeight = ph;
  return r;
}

class CropAndSaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    dest = WithTrailingSeparator(out.path());
  }
  void Run(const std::vector<CuttingRecord>& records) {
    RunSavePass(records, dest, context, state, view);
  }
  std::size_t FilesIn(const TempFolder& f) const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(f.path()), fs::directory_iterator()));
  }

  TempFolder config, src, out;
  std::string dest;
  SaveRunState state;
  FakeView view{state};
  SaveRunContext context{EnlargeOptions{}, [](int) { return 1.5; }, [] { return 7; }};
};

TEST(OutputNames, TypeReplacesJpgOrIsAppended) {
  struct Case {
    const char *filename, *type, *expected;
  };
  for (const Case c : {Case{"/s/IMG_0001.jpg", "TIF", "/d/IMG_0001.TIF"}, Case{"/s/Bild.jpg", "JPG", "/d/Bild.JPG"},
                       Case{"/s/Bild.JPG", "BMP", "/d/Bild.BMP"}, Case{"/s/Bild.Jpg", "PNG", "/d/Bild.PNG"},
                       Case{"/s/scan.jpeg", "JPG", "/d/scan.jpeg.JPG"}, Case{"Bild.jpg", "TIF", "/d/Bild.TIF"},
                       Case{"/s/a.b/jpg", "JPG", "/d/jpg.JPG"}}) {
    EXPECT_EQ(OutputName("/d/", c.filename, c.type), c.expected) << c.filename;
  }
}

TEST(OutputNames, FolderWithOrWithoutSeparatorGivesTheSamePaths) {
  EXPECT_EQ(WithTrailingSeparator("/d"), "/d/");
  EXPECT_EQ(WithTrailingSeparator("/d/"), "/d/");
  EXPECT_EQ(OutputName(WithTrailingSeparator("/d"), "/s/a.jpg", "JPG"),
            OutputName(WithTrailingSeparator("/d/"), "/s/a.jpg", "JPG"));
}

TEST_F(CropAndSaveTest, NoAnswerWritesBesideTheExistingFile) {
  const std::string path = out.Path("Bild.JPG");
  EXPECT_EQ(ConfirmOverwrite(path, "", "JPG", state, view), path);  // nothing there: no question
  EXPECT_TRUE(view.boxes.empty());
  test::WriteFile(path, {1});
  view.answers = {ui::kResultNo};
  EXPECT_EQ(ConfirmOverwrite(path, "", "JPG", state, view), out.Path("Bild_1.jpg"));
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_EQ(view.boxes[0], "Frage|Soll die Datei\r\nBild.JPG\r\n überschrieben werden?|515|315x170");
  test::WriteFile(out.Path("Bild_1.jpg"), {1});
  view.answers = {ui::kResultNo};
  EXPECT_EQ(ConfirmOverwrite(path, "", "JPG", state, view), out.Path("Bild_2.jpg"));
  test::WriteFile(out.Path("Bild.TIF"), {1});
  view.answers = {ui::kResultNo};
  EXPECT_EQ(ConfirmOverwrite(out.Path("Bild.TIF"), "", "TIF", state, view), out.Path("Bild_1.TIF"));
  // A box closed without an answer keeps the file too.
  view.answers = {ui::kResultCancel};
  EXPECT_EQ(ConfirmOverwrite(path, "", "JPG", state, view), out.Path("Bild_2.jpg"));
  view.answers = {ui::kResultYes};
  EXPECT_EQ(ConfirmOverwrite(path, "", "JPG", state, view), path);
  EXPECT_FALSE(state.OverwriteAll);
}

TEST_F(CropAndSaveTest, YesToAllHoldsForOneRunOnly) {
  const std::string a = test::CopySample(src, "plain-landscape.jpg", "a.jpg");
  const std::string b = test::CopySample(src, "plain-portrait.jpg", "b.jpg");
  const std::vector<CuttingRecord> records = {Record(a, "PNG", 1, 0, 0, 32, 32, 600, 450),
                                              Record(b, "PNG", 1, 0, 0, 32, 32, 450, 600)};
  test::WriteFile(out.Path("a.PNG"), {1});
  test::WriteFile(out.Path("b.PNG"), {1});
  view.answers = {ui::kResultYesToAll};
  Run(records);
  EXPECT_EQ(view.boxes.size(), 1u);  // b.PNG was replaced without a question
  EXPECT_EQ(FilesIn(out), 2u);
  EXPECT_GT(ReadFile(out.Path("b.PNG")).size(), 1u);
  view.answers = {ui::kResultYes, ui::kResultYes};
  Run(records);
  EXPECT_EQ(view.boxes.size(), 3u);  // the next run asks again
}

TEST_F(CropAndSaveTest, CountsOnlyMarkedRecordsAndReportsProgress) {
  const std::string a = test::CopySample(src, "plain-landscape.jpg", "a.jpg");
  const std::string b = test::CopySample(src, "plain-portrait.jpg", "b.jpg");
  const std::string c = test::CopySample(src, "canon-ixus.jpg", "c.jpg");
  std::vector<CuttingRecord> records = {
      Record(a, "TIF", 1, 10, 20, 30, 40, 600, 450), Record(b, "BMP", 1, 0, 0, 45, 60, 450, 600),
      Record(c, "JPG", 16, 1, 1, 4, 4, 640, 480), Record(c, "JPG", 1, 0, 0, 8, 8, 640, 480)};
  records[1].deleted = true;
  records[3].saveIt = false;
  Run(records);
  EXPECT_EQ(view.status, (std::vector<std::string>{"3:Speichere 1/2", "3:Speichere 2/2", "3:7 Bilder im Verz."}));
  // The closing text comes before the flag is cleared.
  EXPECT_EQ(view.savingSeen, (std::vector<bool>{true, true, true}));
  EXPECT_FALSE(state.SavingInProgress);
  EXPECT_EQ(view.busyCalls, (std::vector<bool>{true, false}));
  EXPECT_EQ(FilesIn(out), 2u);
  EXPECT_TRUE(fs::exists(out.Path("a.TIF")));
  EXPECT_TRUE(fs::exists(out.Path("c.JPG")));
  // A TIFF of the cut's size.
  const Bytes tif = ReadFile(out.Path("a.TIF"));
  EXPECT_EQ(tif.size(), 40u + 30 * 40 * 3 + 2 + 180 + 4);
}

TEST_F(CropAndSaveTest, NothingMarkedWritesNothing) {
  const std::string a = test::CopySample(src, "plain-landscape.jpg", "a.jpg");
  CuttingRecord r = Record(a, "TIF", 1, 0, 0, 10, 10, 600, 450);
  r.saveIt = false;
  Run({r});
  EXPECT_EQ(view.status, (std::vector<std::string>{"3:7 Bilder im Verz."}));
  EXPECT_EQ(FilesIn(out), 0u);
}

TEST_F(CropAndSaveTest, OutputsKeepTheSourcesDateOnBothRoads) {
  const std::string a = test::CopySample(src, "canon-ixus.jpg", "a.jpg");
  const std::string b = test::CopySample(src, "plain-landscape.jpg", "b.jpg");
  const std::int32_t date = 0x3A5A6C2B;
  SetFileDate(a, date);
  SetFileDate(b, date + 1);
  view.answers = {ui::kResultNo};
  test::WriteFile(out.Path("b.PNG"), {1});
  Run({Record(a, "JPG", 16, 1, 1, 10, 10, 640, 480), Record(b, "PNG", 1, 5, 5, 50, 50, 600, 450)});
  EXPECT_EQ(GetFileDate(out.Path("a.JPG")), date);
  EXPECT_EQ(GetFileDate(out.Path("b_1.PNG")), date + 1);  // the name the question chose
}

TEST_F(CropAndSaveTest, YesInTheSourceFolderReplacesTheSourceByItsCutOnBothRoads) {
  for (const int block : {16, 1}) {
    SCOPED_TRACE(block);
    const std::string a = test::CopySample(src, "canon-ixus.jpg", "Bild.JPG");
    const std::int32_t date = 0x3A5A6C2B;
    SetFileDate(a, date);
    view.answers = {ui::kResultYes};
    view.boxes.clear();
    const int unit = 16 / block;
    RunSavePass({Record(a, "JPG", block, unit, unit, 10 * unit, 8 * unit, 640, 480)},
                WithTrailingSeparator(src.path()), context, state, view);
    ASSERT_EQ(view.boxes.size(), 1u);  // the question named the source itself, as the original
    EXPECT_EQ(view.boxes[0],
              "Frage|Soll das Original\r\nBild.JPG\r\n überschrieben werden?|515|315x170");
    const auto frame = ReadFrameSize(ReadFile(a));
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->width, 160);
    EXPECT_EQ(frame->height, 128);
    EXPECT_EQ(GetFileDate(a), date);
    EXPECT_EQ(FilesIn(src), 1u);
  }
}

TEST_F(CropAndSaveTest, AnotherOriginalOrAnEarlierCutIsNeverReplacedNorAskedFor) {
  // In the source folder, x.jpg's cut x.JPG would be the picture x.JPG; with a separate
  // destination, a.jpg and a.JPG would both be cut to a.PNG.
  for (const int block : {16, 1}) {
    SCOPED_TRACE(block);
    TempFolder folder;
    const std::string x = test::CopySample(folder, "canon-ixus.jpg", "x.jpg");
    const std::string twin = test::CopySample(folder, "plain-landscape.jpg", "x.JPG");
    const Bytes before = ReadFile(twin);
    const int unit = 16 / block;
    CuttingRecord other = Record(twin, "JPG", 1, 0, 0, 8, 8, 600, 450);
    other.saveIt = false;
    view.boxes.clear();
    view.answers = {ui::kResultYesToAll, ui::kResultYesToAll};
    RunSavePass({Record(x, "JPG", block, unit, unit, 4 * unit, 4 * unit, 640, 480), other},
                WithTrailingSeparator(folder.path()), context, state, view);
    EXPECT_TRUE(ReadFile(twin) == before);
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_EQ(ReadFrameSize(ReadFile(folder.Path("x_1.jpg")))->width, 64);
  }
  const std::string a = test::CopySample(src, "plain-landscape.jpg", "a.jpg");
  const std::string twin = test::CopySample(src, "plain-portrait.jpg", "a.JPG");
  Run({Record(a, "PNG", 1, 0, 0, 30, 20, 600, 450),
       Record(twin, "PNG", 1, 0, 0, 20, 30, 450, 600)});
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_EQ(FilesIn(out), 2u);
  EXPECT_TRUE(fs::exists(out.Path("a.PNG")));
  EXPECT_TRUE(fs::exists(out.Path("a_1.PNG")));
}

TEST_F(CropAndSaveTest, AnyNameTheFileSystemAllowsIsCutOnBothRoads) {
  // A double quote and a backslash before it, a name at the file system's limit of 255 bytes.
  for (const std::string& name : {std::string("Ein \"Zitat\" \\\" .jpg"),
                                  std::string(245, 'n') + ".jpg", std::string(251, 'l') + ".jpg"}) {
    for (const int block : {16, 1}) {
      SCOPED_TRACE(name.substr(0, 20) + " " + std::to_string(block));
      TempFolder source, dest;
      const std::string picture = test::CopySample(source, "canon-ixus.jpg", name);
      const int unit = 16 / block;
      RunSavePass({Record(picture, "JPG", block, unit, unit, 4 * unit, 2 * unit, 640, 480)},
                  WithTrailingSeparator(dest.path()), context, state, view);
      const auto frame =
          ReadFrameSize(ReadFile(OutputName(WithTrailingSeparator(dest.path()), picture, "JPG")));
      ASSERT_TRUE(frame);
      EXPECT_EQ(frame->width, 64);
      EXPECT_EQ(FilesIn(dest), 1u);
    }
  }
}

TEST_F(CropAndSaveTest, AReplacedOutputKeepsItsRightsOnEveryRoad) {
  const std::string a = test::CopySample(src, "canon-ixus.jpg", "a.jpg");
  struct Case {
    int block;
    const char* type;
    const char* output;
  };
  for (const Case c : {Case{16, "JPG", "a.JPG"}, Case{1, "JPG", "a.JPG"}, Case{1, "TIF", "a.TIF"},
                       Case{1, "PNG", "a.PNG"}, Case{1, "BMP", "a.BMP"}}) {
    SCOPED_TRACE(std::to_string(c.block) + c.type);
    const std::string path = out.Path(c.output);
    test::WriteFile(path, {1});
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
    view.answers = {ui::kResultYes};
    const int unit = 16 / c.block;
    Run({Record(a, c.type, c.block, unit, unit, 2 * unit, 2 * unit, 640, 480)});
    EXPECT_GT(ReadFile(path).size(), 1u);
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read);
  }
}

TEST_F(CropAndSaveTest, ARunRemovesTheTemporaryFilesOfAKilledOne) {
  const std::string a = test::CopySample(src, "canon-ixus.jpg", "a.jpg");
  test::WriteFile(out.Path(".trimora-999999999-4.tmp"), {1, 2, 3});
  Run({Record(a, "JPG", 16, 1, 1, 2, 2, 640, 480)});
  EXPECT_FALSE(fs::exists(out.Path(".trimora-999999999-4.tmp")));
  EXPECT_EQ(FilesIn(out), 1u);
}

TEST_F(CropAndSaveTest, LosslessCutEndingPastThePictureIsClipped) {
  const std::string a = test::MakeJpeg(src, "wide.jpg", 1000, 200);
  // 16-pixel blocks from 992 to 1008: 8 pixels beyond the 1000-pixel-wide picture.
  Run({Record(a, "JPG", 16, 2, 0, 61, 12, 1000, 200)});
  const auto frame = ReadFrameSize(ReadFile(out.Path("wide.JPG")));
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->width, 1000 - 32);
  EXPECT_EQ(frame->height, 192);
}

TEST_F(CropAndSaveTest, CoarseBlockGridIsCutExactlyByDecoding) {
  // 4:1:1 sampling: 32 x 8 blocks, so a cut at x = 16 is off the picture's own grid.
  const std::string a = test::MakeJpeg(src, "coarse.jpg", 256, 64, "4x1");
  ASSERT_EQ(ReadJpegLayout(a).blockWidth, 32);
  Run({Record(a, "JPG", 16, 1, 1, 4, 2, 256, 64)});
  const std::string written = out.Path("coarse.JPG");
  const auto frame = ReadFrameSize(ReadFile(written));
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->width, 64);
  EXPECT_EQ(frame->height, 32);
  // The cut starts where the user put it, at (16, 16), not on the picture's grid at (0, 16).
  const Picture source = DecodeJpegFile(a);
  const Picture cut = DecodeJpegFile(written);
  const auto difference = [&](int left) {
    long long sum = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 64; ++x)
        for (int c = 0; c < 3; ++c) sum += std::abs(cut.row(y)[x * 4 + c] - source.row(16 + y)[(left + x) * 4 + c]);
    return sum;
  };
  EXPECT_LT(difference(16) * 4, difference(0));
}

TEST_F(CropAndSaveTest, LosslessRecordOfAnotherTypeIsWrittenInThatType) {
  const std::string a = test::CopySample(src, "canon-ixus.jpg", "a.jpg");
  Run({Record(a, "TIF", 16, 1, 1, 2, 2, 640, 480)});
  const Bytes tif = ReadFile(out.Path("a.TIF"));
  ASSERT_GE(tif.size(), 4u);
  EXPECT_EQ(Bytes(tif.begin(), tif.begin() + 4), (Bytes{'I', 'I', 42, 0}));
  EXPECT_EQ(tif.size(), 40u + 32 * 32 * 3 + 186);
}

TEST_F(CropAndSaveTest, ACorrectedRecordOnTheBlockGridIsCutByDecodingWithItsCorrections) {
  // Tables written before the lossless decision was mended may hold such records: their
  // corrections must not be dropped by a lossless cut.
  const std::string a = test::CopySample(src, "canon-ixus.jpg", "a.jpg");
  struct Case {
    const char* what;
    std::optional<std::string> redEye;
    std::optional<bool> correction, stripes;
  };
  for (const Case& c : {Case{"red eyes", "20,20,40,40|", std::nullopt, std::nullopt},
                        Case{"correction", std::nullopt, true, std::nullopt},
                        Case{"stripes", std::nullopt, std::nullopt, true}}) {
    CuttingRecord onGrid = Record(a, "JPG", 16, 1, 1, 4, 4, 640, 480);
    CuttingRecord onPixels = Record(a, "JPG", 1, 16, 16, 64, 64, 640, 480);
    for (CuttingRecord* r : {&onGrid, &onPixels}) {
      r->redEyeCoords = c.redEye;
      r->autoCorrection = c.correction;
      r->enlarge = c.stripes;
    }
    TempFolder first, second;
    RunSavePass({onGrid}, WithTrailingSeparator(first.path()), context, state, view);
    RunSavePass({onPixels}, WithTrailingSeparator(second.path()), context, state, view);
    const Bytes written = ReadFile(first.Path("a.JPG"));
    ASSERT_FALSE(written.empty()) << c.what;
    EXPECT_TRUE(written == ReadFile(second.Path("a.JPG"))) << c.what;
    const Picture cut = DecodeJpegFile(first.Path("a.JPG"));
    EXPECT_EQ(cut.width(), c.stripes ? 720 : 64) << c.what;
  }
}

TEST_F(CropAndSaveTest, EnlargedRecordWritesTheWholeEnlargedPicture) {
  const std::string a = test::CopySample(src, "plain-landscape.jpg", "a.jpg");
  CuttingRecord r = Record(a, "TIF", 1, 10, 10, 20, 20, 600, 450);
  r.enlarge = true;
  Run({r});
  // 600 x 450 at ratio 1.5: 675 x 450, stripes of 37 and 38 pixels in white.
  const Bytes tif = ReadFile(out.Path("a.TIF"));
  EXPECT_EQ(tif.size(), 40u + 675 * 450 * 3 + 186);
  EXPECT_EQ(Bytes(tif.begin() + 40, tif.begin() + 43), (Bytes{255, 255, 255}));
}

TEST_F(CropAndSaveTest, JpegOutputCarriesTheSourcesExifWithTheCutSize) {
  const std::string a = test::CopySample(src, "canon-ixus.jpg", "a.jpg");
  CuttingRecord r = Record(a, "JPG", 1, 3, 5, 101, 77, 640, 480);
  r.autoCorrection = true;
  Run({r});
  const std::string written = out.Path("a.JPG");
  const Bytes jpeg = ReadFile(written);
  const auto exif = FindExifSegment(jpeg);
  ASSERT_TRUE(exif);
  EXPECT_EQ(exif->offset, 2u);  // directly after FF D8
  const auto frame = ReadFrameSize(jpeg);
  EXPECT_EQ(frame->width, 101);
  EXPECT_EQ(frame->height, 77);
  if (test::RequireReader("exiftool")) {
    EXPECT_EQ(test::Capture("exiftool -s3 -n -ExifImageWidth -ExifImageHeight '" + written + "'"), "101\n77\n");
    EXPECT_EQ(test::Capture("exiftool -s3 -ThumbnailLength '" + written + "'"), "");
    const std::string warnings = test::Capture("exiftool -validate -warning -a '" + written + "'");
    EXPECT_EQ(warnings.find("Warning"), std::string::npos) << warnings;
  }
  if (test::RequireReader("identify")) {
    EXPECT_EQ(test::Capture("identify -format '%wx%h %Q' '" + written + "'"), "101x77 90");
  }
}

// The markers of a file's head in order.
std::vector<int> Markers(const Bytes& jpeg) {
  std::vector<int> markers;
  for (const SegmentSpan& s : ListHeaderSegments(jpeg)) markers.push_back(s.marker);
  return markers;
}

TEST_F(CropAndSaveTest, SourceWithoutMetadataGivesThePlainEncoderOutput) {
  const std::string a = test::MakeJpeg(src, "a.jpg", 200, 100);
  Run({Record(a, "JPG", 1, 0, 0, 64, 48, 200, 100)});
  const Bytes jpeg = ReadFile(out.Path("a.JPG"));
  EXPECT_EQ(Markers(jpeg), (std::vector<int>{0xE0, 0xDB, 0xDB, 0xC0, 0xC4, 0xC4, 0xC4, 0xC4, 0xDA}));
  EXPECT_EQ(std::string(jpeg.begin() + 6, jpeg.begin() + 10), "JFIF");
}

TEST_F(CropAndSaveTest, SourceHeaderAndCommentReplaceTheEncodersHeader) {
  const std::string plain = test::MakeJpeg(src, "plain.jpg", 200, 100);
  const std::string a = src.Path("a.jpg");
  ASSERT_EQ(test::Run("wrjpgcom -comment 'Urlaub 2009' '" + plain + "' > '" + a + "'"), 0);
  const Bytes source = ReadFile(a);
  Run({Record(a, "JPG", 1, 0, 0, 64, 48, 200, 100)});
  const Bytes jpeg = ReadFile(out.Path("a.JPG"));
  EXPECT_EQ(Markers(jpeg), (std::vector<int>{0xE0, 0xFE, 0xDB, 0xDB, 0xC0, 0xC4, 0xC4, 0xC4, 0xC4, 0xDA}));
  // The source's own APP0 and comment, byte for byte, straight after FF D8.
  Bytes expected = {0xFF, 0xD8};
  for (const SegmentSpan& s : ListHeaderSegments(source)) {
    if (s.marker == 0xE0 || s.marker == 0xFE) {
      expected.insert(expected.end(), source.begin() + static_cast<std::ptrdiff_t>(s.offset),
                      source.begin() + static_cast<std::ptrdiff_t>(s.offset + s.size));
    }
  }
  EXPECT_EQ(Bytes(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(expected.size())), expected);
}

TEST_F(CropAndSaveTest, ExifAndIptcOfTheSourceAreCarriedInOrder) {
  const std::string a = test::CopySample(src, "plain-landscape.jpg", "a.jpg");
  Run({Record(a, "JPG", 1, 0, 0, 64, 48, 600, 450)});
  const Bytes jpeg = ReadFile(out.Path("a.JPG"));
  const std::vector<int> markers = Markers(jpeg);
  ASSERT_GE(markers.size(), 3u);
  EXPECT_EQ(std::vector<int>(markers.begin(), markers.begin() + 3), (std::vector<int>{0xE1, 0xED, 0xDB}));
  if (test::RequireReader("exiftool")) {
    const std::string warnings = test::Capture("exiftool -validate -warning -a '" + out.Path("a.JPG") + "'");
    EXPECT_EQ(warnings.find("Warning"), std::string::npos) << warnings;
  }
}

TEST_F(CropAndSaveTest, BmpHas24BitsAfterTheCorrectionAnd32Without) {
  const std::string a = test::CopySample(src, "plain-landscape.jpg", "a.jpg");
  const std::string b = test::CopySample(src, "plain-portrait.jpg", "b.jpg");
  CuttingRecord corrected = Record(a, "BMP", 1, 0, 0, 10, 10, 600, 450);
  corrected.autoCorrection = true;
  Run({corrected, Record(b, "BMP", 1, 0, 0, 10, 10, 450, 600)});
  EXPECT_EQ(ReadFile(out.Path("a.BMP"))[28], 24);
  EXPECT_EQ(ReadFile(out.Path("b.BMP"))[28], 32);
}

TEST_F(CropAndSaveTest, AnErrorEndsTheRunAndKeepsWhatWasWritten) {
  const std::string a = test::CopySample(src, "plain-landscape.jpg", "a.jpg");
  const std::string bad = test::CopySample(src, "truncated.jpg", "bad.jpg");
  const std::string c = test::CopySample(src, "plain-portrait.jpg", "c.jpg");
  const auto thrown = test::ThrownBy([&] {
    Run({Record(a, "PNG", 1, 0, 0, 10, 10, 600, 450), Record(bad, "PNG", 1, 0, 400, 600, 50, 600, 450),
         Record(c, "PNG", 1, 0, 0, 10, 10, 450, 600)});
  });
  ASSERT_TRUE(thrown);
  EXPECT_EQ(thrown->code(), ErrorCode::kPictureUnreadable);
  EXPECT_EQ(thrown->args.front(), bad);
  EXPECT_EQ(FilesIn(out), 1u);
  EXPECT_TRUE(fs::exists(out.Path("a.PNG")));
  EXPECT_EQ(view.status.back(), "3:7 Bilder im Verz.");
  EXPECT_FALSE(state.SavingInProgress);
}

TEST_F(CropAndSaveTest, BadSourcesAndOutputsFailWithClearErrors) {
  const std::string empty = test::CopySample(src, "empty.jpg", "empty.jpg");
  const std::string foreign = test::CopySample(src, "not-a-jpeg.jpg", "foreign.jpg");
  const std::string good = test::CopySample(src, "plain-landscape.jpg", "good.jpg");
  struct Case {
    CuttingRecord record;
    ErrorCode code;
  };
  for (const Case& c :
       {Case{Record(empty, "TIF", 1, 0, 0, 8, 8, 8, 8), ErrorCode::kPictureUnreadable},
        Case{Record(foreign, "JPG", 16, 0, 0, 1, 1, 16, 16), ErrorCode::kPictureUnreadable},
        Case{Record(good, "TIF", 1, 590, 0, 20, 8, 600, 450), ErrorCode::kCutOutsidePicture}}) {
    EXPECT_EQ(test::CodeOf([&] { Run({c.record}); }), c.code) << *c.record.filename;
  }
  // An output that cannot be created: a folder stands where the file would go.
  fs::create_directory(out.Path("good.PNG"));
  state.OverwriteAll = false;
  view.answers = {ui::kResultYes};
  const auto folder = test::ThrownBy([&] { Run({Record(good, "PNG", 1, 0, 0, 8, 8, 600, 450)}); });
  ASSERT_TRUE(folder);
  EXPECT_EQ(folder->code(), ErrorCode::kFileCannotCreate);
  EXPECT_EQ(folder->args, std::vector<std::string>{out.Path("good.PNG")});
  CuttingRecord missing = Record(good, "PNG", 1, 0, 0, 8, 8, 600, 450);
  missing.x.reset();
  const auto field = test::ThrownBy([&] { Run({missing}); });
  ASSERT_TRUE(field);
  EXPECT_EQ(field->code(), ErrorCode::kRecordFieldMissing);
  EXPECT_EQ(field->args, (std::vector<std::string>{good, "X"}));
  EXPECT_EQ(FilesIn(out), 1u);  // only the folder
}

TEST_F(CropAndSaveTest, CommandChoosesTheFolderAndStoresIt) {
  const std::string a = test::CopySample(src, "plain-landscape.jpg", "a.jpg");
  const std::vector<CuttingRecord> records = {Record(a, "PNG", 1, 0, 0, 8, 8, 600, 450)};
  // First use: the chooser starts at the documents folder; cancelling changes nothing.
  CropAndSave(records, context, state, view, StoredSettings());
  EXPECT_EQ(view.chooser, (std::vector<std::string>{"Zielverzeichnis wählen", "Speichern", "2", DocumentsFolder()}));
  EXPECT_EQ(ReadStringSetting("DestDir", ""), "");
  // A missing folder: the error box, nothing stored.
  view.chosenFolder = out.Path("missing");
  CropAndSave(records, context, state, view, StoredSettings());
  EXPECT_EQ(view.boxes, (std::vector<std::string>{"Fehler|Das angegebene Verzeichnis existiert nicht.|4|320x150"}));
  EXPECT_EQ(ReadStringSetting("DestDir", ""), "");
  // A folder without its separator is stored as returned and written into.
  view.chosenFolder = out.path();
  CropAndSave(records, context, state, view, StoredSettings());
  EXPECT_EQ(ReadStringSetting("DestDir", ""), out.path());
  EXPECT_TRUE(fs::exists(out.Path("a.PNG")));
  CropAndSave(records, context, state, view, StoredSettings());
  EXPECT_EQ(view.chooser.back(), out.path());
}

}  // namespace
}  // namespace trimora
