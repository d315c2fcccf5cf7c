// "trimora crop SOURCE DEST": the run over a real folder with a cutting-data file written by
// the table library, progress and errors on stderr, and the overwrite modes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <tuple>

#include "../outside_readers.h"
#include "folder/cutting_record.h"
#include "formats/format_tables.h"
#include "imaging/enlarge.h"
#include "output_test_support.h"
#include "platform/settings.h"
#include "tables/table.h"
#include "tables/table_file.h"

namespace trimora {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

class CropCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1); }

  // Appends a record as the folder listing and the crop frame leave it.
  void Add(const std::string& name, const std::string& type, int block, int x, int y, int w, int h,
           int pw, int ph, bool marked = true) {
    table.Append();
    table.WriteInteger("X", x);
    table.WriteInteger("Y", y);
    table.WriteInteger("Width", w);
    table.WriteInteger("Height", h);
    table.WriteInteger("FormatID", 1);
    table.WriteInteger("jpegCompressionBlockSize", block);
    table.WriteText("TempPath", "");
    // The folder the file was made in; the tool reads the pictures from SOURCE.
    table.WriteText("Filename", "/somewhere/else/" + name);
    table.WriteText("FileType", type);
    table.WriteBoolean("SaveIt", marked);
    table.WriteBoolean("Deleted", false);
    table.WriteInteger("PictureWidth", pw);
    table.WriteInteger("PictureHeight", ph);
  }
  void Save() { SaveTableToFile(table, src.Path("CroppingData.kv2")); }

  // Runs the tool (given 60 seconds); stderr goes to `err`, the exit code is returned.
  int Crop(const std::string& options, std::string& err, const std::string& typed = "") {
    return CropInto(out.path(), options, err, typed);
  }
  int CropInto(const std::string& dest, const std::string& options, std::string& err,
               const std::string& typed = "") {
    const std::string errFile = config.Path("stderr.txt");
    const std::string inFile = config.Path("stdin.txt");
    test::WriteFile(inFile, test::Bytes(typed.begin(), typed.end()));
    const std::string input = "<'" + inFile + "'";
    const int code = test::Run("timeout 60 '" + program + "' crop '" + src.path() + "' '" + dest +
                               "' " + options + " " + input + " 2>'" + errFile + "'");
    const test::Bytes bytes = test::ReadFile(errFile);
    err.assign(bytes.begin(), bytes.end());
    return code;
  }
  std::size_t FilesIn(const TempFolder& f) const {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(f.path()), fs::directory_iterator()));
  }

  TempFolder config, src, out;
  Table table{CuttingDataColumns()};
  std::string program = std::string(TRIMORA_PROGRAM_DIR) + "/trimora";
};

TEST_F(CropCommandTest, WritesTheMarkedPicturesWithProgress) {
  test::CopySample(src, "canon-ixus.jpg", "IMG_0001.jpg");
  test::CopySample(src, "plain-landscape.jpg", "scan.jpeg");
  test::CopySample(src, "plain-portrait.jpg", "skip.jpg");
  Add("IMG_0001.jpg", "JPG", 16, 1, 1, 10, 8, 640, 480);
  Add("scan.jpeg", "JPG", 1, 10, 10, 100, 50, 600, 450);
  Add("skip.jpg", "TIF", 1, 0, 0, 10, 10, 450, 600, false);
  Save();
  std::string err;
  ASSERT_EQ(Crop("", err), 0) << err;
  EXPECT_EQ(err, "Speichere 1/2\nSpeichere 2/2\n");
  EXPECT_TRUE(fs::exists(out.Path("IMG_0001.JPG")));
  EXPECT_TRUE(fs::exists(out.Path("scan.jpeg.JPG")));
  EXPECT_EQ(FilesIn(out), 2u);

  // Again: "no" writes beside, "all" replaces, "ask" without an answer stops with an error.
  ASSERT_EQ(Crop("--overwrite no", err), 0) << err;
  EXPECT_TRUE(fs::exists(out.Path("IMG_0001_1.jpg")));
  EXPECT_TRUE(fs::exists(out.Path("scan.jpeg_1.jpg")));
  ASSERT_EQ(Crop("--overwrite=all", err), 0) << err;
  EXPECT_EQ(FilesIn(out), 4u);
  EXPECT_NE(Crop("--overwrite ask", err), 0);
  EXPECT_NE(err.find("Keine Antwort"), std::string::npos) << err;
  EXPECT_EQ(FilesIn(out), 4u);
  // Answers typed on the terminal: "n" for the first, "a" (yes to all) for the rest.
  ASSERT_EQ(Crop("", err, "n\na\n"), 0) << err;
  EXPECT_TRUE(fs::exists(out.Path("IMG_0001_2.jpg")));
  EXPECT_EQ(FilesIn(out), 5u);
  EXPECT_NE(
      err.find("Soll die Datei IMG_0001.JPG  überschrieben werden? [j]a, ja [a]lle, [n]ein: "),
      std::string::npos)
      << err;
}

TEST_F(CropCommandTest, AnErrorEndsTheRunWithItsTextAndKeepsEarlierFiles) {
  test::CopySample(src, "plain-landscape.jpg", "a.jpg");
  test::CopySample(src, "truncated.jpg", "b.jpg");
  test::CopySample(src, "plain-portrait.jpg", "c.jpg");
  Add("a.jpg", "PNG", 1, 0, 0, 10, 10, 600, 450);
  Add("b.jpg", "PNG", 1, 0, 0, 600, 450, 600, 450);
  Add("c.jpg", "PNG", 1, 0, 0, 10, 10, 450, 600);
  Save();
  // One picture at a time, on all cores, and with more pictures in flight than the run has
  // behind the error: c.jpg may be begun but leaves no file, finished or not.
  for (const char* options : {"", "--jobs 1", "--jobs 3"}) {
    SCOPED_TRACE(options);
    for (const fs::directory_entry& e : fs::directory_iterator(out.path())) fs::remove(e.path());
    std::string err;
    EXPECT_EQ(Crop(options, err), 1);
    EXPECT_EQ(err.substr(0, err.find("trimora crop: ")), "Speichere 1/3\nSpeichere 2/3\n") << err;
    EXPECT_NE(err.find(src.Path("b.jpg")), std::string::npos) << err;
    EXPECT_EQ(err.find("Speichere 3/3"), std::string::npos) << err;
    EXPECT_TRUE(fs::exists(out.Path("a.PNG")));
    EXPECT_EQ(FilesIn(out), 1u);  // no temporary file either
  }
}

// Every entry of a folder, hidden ones too: name, bytes (of a file), access rights and date.
std::vector<std::tuple<std::string, test::Bytes, fs::perms, fs::file_time_type>> FolderContents(
    const TempFolder& folder) {
  std::vector<std::tuple<std::string, test::Bytes, fs::perms, fs::file_time_type>> files;
  for (const fs::directory_entry& e : fs::directory_iterator(folder.path())) {
    files.emplace_back(e.path().filename().string(),
                       e.is_regular_file() ? test::ReadFile(e.path().string()) : test::Bytes(),
                       e.status().permissions(), e.last_write_time());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST_F(CropCommandTest, ParallelRunWritesWhatTheRunOneAtATimeWrites) {
  // Each case is cut once with one picture at a time and once with three at a time into
  // destination folders prepared alike: exit code, progress and error text, and every file
  // with its name, bytes, rights and date must be the same.
  struct Case {
    const char* what;
    const char* options;
    int code;
    std::function<void()> records;
    std::function<void(const TempFolder&)> dest;
  };
  const auto mixed = [this] {
    test::CopySample(src, "canon-ixus.jpg", "a.jpg");
    test::CopySample(src, "plain-landscape.jpg", "b.jpg");
    test::CopySample(src, "plain-portrait.jpg", "c.jpg");
    test::CopySample(src, "nikon-e950.jpg", "d.jpg");
    test::CopySample(src, "fujifilm-dx10.jpg", "e.jpg");
    test::CopySample(src, "plain-landscape.jpg", "f.jpg");
    test::CopySample(src, "plain-portrait.jpg", "f.JPG");  // the same output name as f.jpg
    Add("a.jpg", "JPG", 16, 1, 1, 20, 15, 640, 480);       // lossless, by jpegtran
    Add("b.jpg", "JPG", 1, 10, 10, 300, 200, 600, 450);    // decoded and encoded again
    Add("c.jpg", "TIF", 1, 5, 7, 200, 300, 450, 600);
    Add("d.jpg", "BMP", 1, 0, 0, 400, 300, 800, 600);
    table.WriteBoolean("AutoCorrection", true);
    Add("e.jpg", "PNG", 1, 3, 3, 333, 222, 640, 480);
    table.WriteText("RedEyeCoords", "100,100,140,130");
    Add("f.jpg", "PNG", 1, 0, 0, 100, 100, 600, 450);
    Add("f.JPG", "PNG", 1, 0, 0, 120, 90, 450, 600);
  };
  const auto fourBmp = [this] {
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg"}) {
      test::CopySample(src, "plain-landscape.jpg", name);
      Add(name, "BMP", 1, 0, 0, 500, 400, 600, 450);
    }
  };
  const std::vector<Case> cases = {
      {"mixed roads and types, names taken in the folder and in the run", "--overwrite no", 0,
       mixed,
       [](const TempFolder& d) {
         test::WriteFile(d.Path("c.TIF"), {1, 2, 3});
       }},
      {"an output name twice in the run, the second beside the first", "--overwrite all", 0, mixed,
       [](const TempFolder&) {}},
      {"an unreadable picture in the middle", "--overwrite yes", 1,
       [this] {
         test::CopySample(src, "plain-landscape.jpg", "a.jpg");
         test::CopySample(src, "truncated.jpg", "b.jpg");
         for (const char* name : {"c.jpg", "d.jpg", "e.jpg"})
           test::CopySample(src, "plain-portrait.jpg", name);
         Add("a.jpg", "PNG", 1, 0, 0, 10, 10, 600, 450);
         Add("b.jpg", "PNG", 1, 0, 0, 600, 450, 600, 450);
         for (const char* name : {"c.jpg", "d.jpg", "e.jpg"})
           Add(name, "TIF", 1, 0, 0, 400, 500, 450, 600);
       },
       [](const TempFolder&) {}},
      {"a write-protected output in the middle, replaced with its rights", "--overwrite yes", 0,
       fourBmp,
       [](const TempFolder& d) {
         test::WriteFile(d.Path("b.BMP"), {1, 2, 3});
         fs::permissions(d.Path("b.BMP"), fs::perms::owner_read);
       }},
      {"a folder in the way of an output in the middle", "--overwrite yes", 1, fourBmp,
       [](const TempFolder& d) {
         fs::create_directory(d.Path("b.BMP"));
         fs::last_write_time(d.Path("b.BMP"), fs::file_time_type());
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const fs::directory_entry& e : fs::directory_iterator(src.path())) fs::remove(e.path());
    table = Table{CuttingDataColumns()};
    c.records();
    Save();
    const TempFolder one, three;
    c.dest(one);
    c.dest(three);
    std::string errOne, errThree;
    EXPECT_EQ(CropInto(one.path(), c.options + std::string(" --jobs 1"), errOne), c.code) << errOne;
    EXPECT_EQ(CropInto(three.path(), c.options + std::string(" --jobs=3"), errThree), c.code)
        << errThree;
    for (std::string* err : {&errOne, &errThree}) {
      const std::string& folder = err == &errOne ? one.path() : three.path();
      for (std::size_t at; (at = err->find(folder)) != std::string::npos;)
        err->replace(at, folder.size(), "ZIEL");
    }
    EXPECT_EQ(errOne, errThree);
    EXPECT_EQ(FolderContents(one), FolderContents(three));
    EXPECT_GE(FolderContents(one).size(), c.code == 0 ? 4u : 1u);
  }
  // The write-protected output was replaced by the cut and stays write-protected; behind the
  // folder in the way no picture left a file, nor a temporary one.
  const TempFolder guarded;
  for (const fs::directory_entry& e : fs::directory_iterator(src.path())) fs::remove(e.path());
  table = Table{CuttingDataColumns()};
  fourBmp();
  Save();
  for (const char* jobs : {"--jobs 1", "--jobs 3"}) {
    SCOPED_TRACE(jobs);
    for (const fs::directory_entry& e : fs::directory_iterator(guarded.path()))
      fs::remove_all(e.path());
    test::WriteFile(guarded.Path("b.BMP"), {1, 2, 3});
    fs::permissions(guarded.Path("b.BMP"), fs::perms::owner_read);
    std::string err;
    ASSERT_EQ(CropInto(guarded.path(), std::string("--overwrite yes ") + jobs, err), 0) << err;
    EXPECT_GT(test::ReadFile(guarded.Path("b.BMP")).size(), 500u * 400u * 3u);
    EXPECT_EQ(fs::status(guarded.Path("b.BMP")).permissions(), fs::perms::owner_read);
    EXPECT_EQ(FilesIn(guarded), 4u);
    for (const fs::directory_entry& e : fs::directory_iterator(guarded.path()))
      fs::remove_all(e.path());
    fs::create_directory(guarded.Path("b.BMP"));
    EXPECT_EQ(CropInto(guarded.path(), std::string("--overwrite yes ") + jobs, err), 1);
    EXPECT_NE(err.find(guarded.Path("b.BMP")), std::string::npos) << err;
    EXPECT_EQ(FilesIn(guarded), 2u) << err;  // a.BMP and the folder
  }
}

TEST_F(CropCommandTest, WritesInTheOrderOfTheListingWhateverOrderTheFileKept) {
  // An older file in the file system's order: the unreadable B.jpg is second by name, so the
  // run stops there after a.jpg, before c.jpg.
  test::CopySample(src, "plain-landscape.jpg", "a.jpg");
  test::CopySample(src, "truncated.jpg", "B.jpg");
  test::CopySample(src, "plain-portrait.jpg", "c.jpg");
  Add("c.jpg", "PNG", 1, 0, 0, 10, 10, 450, 600);
  Add("B.jpg", "PNG", 1, 0, 0, 600, 450, 600, 450);
  Add("a.jpg", "PNG", 1, 0, 0, 10, 10, 600, 450);
  Save();
  std::string err;
  EXPECT_EQ(Crop("", err), 1);
  EXPECT_NE(err.find("Speichere 2/3\ntrimora crop: "), std::string::npos) << err;
  EXPECT_NE(err.find(src.Path("B.jpg")), std::string::npos) << err;
  EXPECT_TRUE(fs::exists(out.Path("a.PNG")));
  EXPECT_EQ(FilesIn(out), 1u);
}

TEST_F(CropCommandTest, EnlargedRecordUsesTheInstalledFormatAndTheStripeSettings) {
  test::CopySample(src, "plain-landscape.jpg", "a.jpg");
  Add("a.jpg", "TIF", 1, 10, 10, 20, 20, 600, 450);
  table.WriteBoolean("Enlarge", true);
  Save();
  FormatTables formats;
  formats.LoadFormatTables({TRIMORA_PROGRAM_DIR "/", TRIMORA_PROGRAM_DIR "/"});
  const EnlargedSize size = EnlargedSizeFor(600, 450, static_cast<double>(formats.FormatRatio(1)));
  // The settings key follows the version of the Trimora2 program beside the running program.
  // A copy of the tool in a folder of its own (with the format files) has none beside it, like
  // this test, so both use the same key.
  const TempFolder programFolder;
  for (const char* name : {"trimora", "skalierbare Formate.dat", "nicht skalierbare Formate.dat"}) {
    fs::copy_file(std::string(TRIMORA_PROGRAM_DIR) + "/" + name, programFolder.Path(name));
  }
  program = programFolder.Path("trimora");
  // Stripes in black ("schwarz", colour 1), only on the left or top.
  WriteIntSetting("Enlarge\\Color", 1);
  WriteBoolSetting("Enlarge\\Right", false);
  std::string err;
  ASSERT_EQ(Crop("", err), 0) << err;
  const test::Bytes tif = test::ReadFile(out.Path("a.TIF"));
  ASSERT_EQ(tif.size(), 40u + static_cast<std::size_t>(size.width) * size.height * 3 + 186);
  EXPECT_EQ(test::Bytes(tif.begin() + 40, tif.begin() + 43), (test::Bytes{0, 0, 0}));
}

TEST_F(CropCommandTest, MissingFoldersAndFilesAreReportedClearly) {
  std::string err;
  EXPECT_EQ(Crop("", err), 1);
  EXPECT_NE(err.find("CroppingData.kv2 kann nicht geöffnet werden"), std::string::npos) << err;
  fs::remove_all(out.path());
  EXPECT_EQ(Crop("", err), 1);
  EXPECT_NE(err.find("Das angegebene Verzeichnis existiert nicht."), std::string::npos) << err;
  fs::create_directory(out.path());
  // Wrong options are wrong calls.
  for (const char* options :
       {"--overwrite sometimes", "--jobs 0", "--jobs", "--jobs=x", "--jobs 65", "--jobs -1"}) {
    EXPECT_EQ(Crop(options, err), 2) << options;
  }
}

TEST_F(CropCommandTest, PipesUnderAPicturesOrTheTablesNameAreUnreadableFiles) {
  // Without the check each call would wait for a writer forever (timeout ends it with 124).
  ASSERT_EQ(::mkfifo(src.Path("CroppingData.kv2").c_str(), 0600), 0);
  std::string err;
  EXPECT_EQ(Crop("", err), 1);
  EXPECT_NE(err.find("CroppingData.kv2 kann nicht geöffnet werden"), std::string::npos) << err;
  EXPECT_EQ(test::Run("timeout 60 '" + program + "' table '" + src.Path("CroppingData.kv2") +
                      "' >/dev/null 2>&1"),
            1);
  fs::remove(src.Path("CroppingData.kv2"));
  ASSERT_EQ(::mkfifo(src.Path("a.jpg").c_str(), 0600), 0);
  EXPECT_EQ(test::Run("timeout 60 '" + program + "' exif '" + src.Path("a.jpg") +
                      "' >/dev/null 2>'" + config.Path("exif.txt") + "'"),
            1);
  const test::Bytes exifErr = test::ReadFile(config.Path("exif.txt"));
  EXPECT_NE(std::string(exifErr.begin(), exifErr.end()).find("a.jpg kann nicht geöffnet werden"),
            std::string::npos);
  for (const int block : {16, 1}) {
    table = Table(CuttingDataColumns());
    Add("a.jpg", "JPG", block, 0, 0, 16 / block, 16 / block, 640, 480);
    Save();
    EXPECT_EQ(Crop("", err), 1) << block;
    EXPECT_NE(err.find("a.jpg kann nicht geöffnet werden"), std::string::npos) << err;
    EXPECT_EQ(FilesIn(out), 0u);
  }
}

TEST_F(CropCommandTest, ACaseTwinOriginalIsNeverReplacedEvenWithOverwriteAll) {
  // x.jpg's cut is named x.JPG, which here is another picture of the folder: on both roads.
  test::CopySample(src, "canon-ixus.jpg", "x.jpg");
  test::CopySample(src, "plain-landscape.jpg", "x.JPG");
  test::CopySample(src, "canon-ixus.jpg", "y.jpg");
  test::CopySample(src, "plain-portrait.jpg", "y.JPG");
  const test::Bytes twinX = test::ReadFile(src.Path("x.JPG"));
  const test::Bytes twinY = test::ReadFile(src.Path("y.JPG"));
  Add("x.jpg", "JPG", 16, 0, 0, 2, 2, 640, 480);
  Add("x.JPG", "JPG", 1, 0, 0, 16, 16, 600, 450, false);
  Add("y.jpg", "JPG", 1, 0, 0, 32, 32, 640, 480);
  Add("y.JPG", "JPG", 1, 0, 0, 16, 16, 450, 600, false);
  Save();
  std::string err;
  ASSERT_EQ(CropInto(src.path(), "--overwrite all", err), 0) << err;
  EXPECT_TRUE(test::ReadFile(src.Path("x.JPG")) == twinX);
  EXPECT_TRUE(test::ReadFile(src.Path("y.JPG")) == twinY);
  EXPECT_TRUE(fs::exists(src.Path("x_1.jpg")));
  EXPECT_TRUE(fs::exists(src.Path("y_1.jpg")));
  EXPECT_EQ(err.find("überschrieben"), std::string::npos) << err;  // no question
}

TEST_F(CropCommandTest, AKilledRunLeavesNoTemporaryFilesAfterTheNextRun) {
  test::MakeJpeg(src, "big.jpg", 2048, 1536);
  for (int i = 0; i < 12; ++i) {
    const std::string name = "p" + std::to_string(i) + ".jpg";
    fs::copy_file(src.Path("big.jpg"), src.Path(name));
    Add(name, "JPG", 16, 1, 1, 100, 80, 2048, 1536);
  }
  Save();
  const auto temporaries = [&] {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(out.path())) {
      if (entry.path().filename().string().rfind(".trimora-", 0) == 0) ++count;
    }
    return count;
  };
  // Killed while it works, at a few moments.
  for (const char* delay : {"0.2", "0.5", "0.9"}) {
    test::Run("'" + program + "' crop '" + src.path() + "' '" + out.path() +
              "' --overwrite all 2>/dev/null & " + "sleep " + delay +
              "; kill -9 $! 2>/dev/null; wait");
  }
  // A jpegtran whose caller was killed finishes its file on its own.
  test::Run("sleep 1");
  std::string err;
  ASSERT_EQ(Crop("--overwrite all", err), 0) << err;
  EXPECT_EQ(temporaries(), 0);
  EXPECT_EQ(FilesIn(out), 12u);
}

TEST_F(CropCommandTest, MarkedPicturesNeverShownGetTheFirstShowingsFrameAndTooSmallOnesAreSkipped) {
  test::CopySample(src, "plain-landscape.jpg", "a.jpg");
  test::CopySample(src, "xmp-only-2.jpg", "b.jpg");  // 61 x 58: too small for any frame
  for (const char* name : {"a.jpg", "b.jpg"}) {
    // As opening the folder leaves a record: no frame, no format, a type and a block size.
    table.Append();
    table.WriteText("Filename", std::string("/elsewhere/") + name);
    table.WriteText("FileType", "TIF");
    table.WriteInteger("jpegCompressionBlockSize", 1);
    table.WriteBoolean("SaveIt", true);
    table.WriteBoolean("Deleted", false);
  }
  Save();
  std::string err;
  ASSERT_EQ(Crop("", err), 0) << err;
  EXPECT_NE(
      err.find("Information: Diese Bilder sind für das Format 10 x 15 zu klein und wurden nicht "
               "gespeichert: b.jpg"),
      std::string::npos)
      << err;
  // 600 x 450 with the default 10 x 15: 600 x 400, centred, as the window's first showing.
  const test::Bytes tiff = test::ReadFile(out.Path("a.TIF"));
  EXPECT_EQ(tiff.size(), 40u + 600u * 400u * 3u + 186u);
  EXPECT_EQ(FilesIn(out), 1u);
}

TEST_F(CropCommandTest, OrientBringsTurnedPicturesUprightAndForgetsTheirFrames) {
  ASSERT_TRUE(test::RequireReader("exiftool"));
  test::CopySample(src, "plain-landscape.jpg", "o6.jpg");
  test::CopySample(src, "plain-landscape.jpg", "o1.jpg");
  ASSERT_EQ(
      test::Run("exiftool -q -overwrite_original -n -Orientation=6 '" + src.Path("o6.jpg") + "'"),
      0);
  Add("o1.jpg", "JPG", 16, 1, 1, 10, 8, 600, 450);
  Add("o6.jpg", "JPG", 16, 1, 1, 10, 8, 600, 450);
  Save();
  const std::string outFile = config.Path("stdout.txt");
  EXPECT_EQ(test::Run("'" + program + "' orient '" + src.path() + "' >'" + outFile + "'"), 0);
  const test::Bytes said = test::ReadFile(outFile);
  EXPECT_EQ(std::string(said.begin(), said.end()), "o6.jpg: aufgerichtet (neu kodiert)\n");
  EXPECT_EQ(test::Capture("exiftool -s3 -n -Orientation -ImageWidth -ImageHeight '" +
                          src.Path("o6.jpg") + "'"),
            "1\n450\n600\n");
  const std::vector<CuttingRecord> records = LoadCuttingData(src.Path("CroppingData.kv2"));
  ASSERT_EQ(records.size(), 2u);
  EXPECT_TRUE(records[0].Shown());
  EXPECT_FALSE(records[1].Shown());
  // Nothing is left to turn; a missing name is an error in words.
  EXPECT_EQ(test::Run("'" + program + "' orient '" + src.Path("o6.jpg") + "' >'" + outFile + "'"),
            0);
  EXPECT_TRUE(test::ReadFile(outFile).empty());
  EXPECT_EQ(test::Run("'" + program + "' orient '" + src.Path("nix.jpg") + "' 2>'" + outFile + "'"),
            1);
  const test::Bytes error = test::ReadFile(outFile);
  EXPECT_NE(std::string(error.begin(), error.end()).find("existiert nicht"), std::string::npos);
}

}  // namespace
}  // namespace trimora
