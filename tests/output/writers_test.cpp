// The file writers: the fixed TIFF layout byte for byte, BMP and PNG headers, and what
// independent readers say about the files.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "../error_testing.h"
#include "imaging/correction.h"
#include "imaging/jpeg_codec.h"
#include "output/file_writers.h"
#include "output/jpegtran.h"
#include "output/write_cropped.h"
#include "output_test_support.h"
#include "platform/error.h"

namespace trimora {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::ReadFile;
using test::TempFolder;

// A picture whose pixel (x, y) has blue x, green y, red 200; the top-left pixel is pure red.
Picture Gradient(int w, int h) {
  Picture p(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      std::uint8_t* px = p.row(y) + x * 4;
      px[0] = static_cast<std::uint8_t>(x);
      px[1] = static_cast<std::uint8_t>(y);
      px[2] = 200;
      px[3] = 0xFF;
    }
  }
  std::uint8_t* red = p.row(0);
  red[0] = 0;
  red[1] = 0;
  red[2] = 255;
  return p;
}

std::uint32_t Le32At(const Bytes& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t Le16At(const Bytes& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

TEST(TiffWriter, ThreeByTwoPictureIs244BytesWithItsDirectoryAt58) {
  TempFolder dir;
  const std::string path = dir.Path("a.TIF");
  const Picture p = Gradient(3, 2);
  WriteTiff(path, PixelRows::Of(p));
  const Bytes b = ReadFile(path);
  ASSERT_EQ(b.size(), 244u);
  EXPECT_EQ(Bytes(b.begin(), b.begin() + 8), (Bytes{'I', 'I', 42, 0, 0x3A, 0, 0, 0}));
  EXPECT_EQ(Le32At(b, 8), 877u);
  EXPECT_EQ(Le32At(b, 12), 10u);
  EXPECT_EQ(Le32At(b, 16), 877u);
  EXPECT_EQ(Le32At(b, 20), 10u);
  EXPECT_EQ(Bytes(b.begin() + 24, b.begin() + 30), (Bytes{8, 0, 8, 0, 8, 0}));
  EXPECT_EQ(std::string(b.begin() + 30, b.begin() + 40), "Dorvanelli");
  // The strip: the red top-left pixel first, then blue x, green y, red 200 as R, G, B.
  EXPECT_EQ(Bytes(b.begin() + 40, b.begin() + 46), (Bytes{0xFF, 0, 0, 200, 0, 1}));
  EXPECT_EQ(Bytes(b.begin() + 49, b.begin() + 52), (Bytes{200, 1, 0}));
  EXPECT_EQ(Le16At(b, 58), 15);
  struct Expected {
    std::uint16_t tag, type;
    std::uint32_t count, value;
  };
  const Expected entries[15] = {{254, 4, 1, 0}, {256, 3, 1, 3},  {257, 3, 1, 2},  {258, 3, 3, 24},
                                {259, 3, 1, 1}, {262, 3, 1, 2},  {273, 4, 1, 40}, {277, 3, 1, 3},
                                {278, 4, 1, 2}, {279, 4, 1, 18}, {282, 5, 1, 8},  {283, 5, 1, 16},
                                {284, 3, 1, 1}, {296, 3, 1, 2},  {305, 2, 10, 30}};
  for (int i = 0; i < 15; ++i) {
    const std::size_t at = 60 + 12 * i;
    SCOPED_TRACE(i);
    EXPECT_EQ(Le16At(b, at), entries[i].tag);
    EXPECT_EQ(Le16At(b, at + 2), entries[i].type);
    EXPECT_EQ(Le32At(b, at + 4), entries[i].count);
    EXPECT_EQ(Le32At(b, at + 8), entries[i].value);
  }
  EXPECT_EQ(Le32At(b, 240), 0u);
}

TEST(TiffWriter, OddPixelCountPutsTheDirectoryAtAnOddOffset) {
  TempFolder dir;
  const std::string path = dir.Path("b.TIF");
  const Picture p = Gradient(3, 3);
  WriteTiff(path, PixelRows::Of(p));
  const Bytes b = ReadFile(path);
  EXPECT_EQ(Le32At(b, 4), 67u);
  EXPECT_EQ(b.size(), 67u + 2 + 180 + 4);
  EXPECT_EQ(Le16At(b, 67), 15);
}

TEST(TiffWriter, WritesTheCutOfAView) {
  TempFolder dir;
  const std::string path = dir.Path("c.TIF");
  const Picture p = Gradient(10, 8);
  WriteTiff(path, PixelRows::Of(p).Sub(2, 3, 4, 2));
  const Bytes b = ReadFile(path);
  const std::size_t ifd = 40 + 4 * 2 * 3;
  EXPECT_EQ(Le32At(b, 4), ifd);
  EXPECT_EQ(Le16At(b, ifd + 2 + 12 + 8), 4);
  EXPECT_EQ(Le16At(b, ifd + 2 + 24 + 8), 2);
  EXPECT_EQ(Bytes(b.begin() + 40, b.begin() + 43), (Bytes{200, 3, 2}));
}

TEST(BmpWriter, WritesBottomUpRowsPaddedToFourBytes) {
  TempFolder dir;
  const Picture p = Gradient(3, 2);
  for (int bits : {24, 32}) {
    SCOPED_TRACE(bits);
    const std::string path = dir.Path("a" + std::to_string(bits) + ".BMP");
    WriteBmp(path, PixelRows::Of(p), bits);
    const Bytes b = ReadFile(path);
    const std::size_t rowBytes = bits == 24 ? 12 : 12;  // 9 padded to 12, or 3 x 4
    ASSERT_EQ(b.size(), 54 + 2 * rowBytes);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(Le32At(b, 2), b.size());
    EXPECT_EQ(Le32At(b, 10), 54u);
    EXPECT_EQ(Le32At(b, 14), 40u);
    EXPECT_EQ(Le32At(b, 18), 3u);
    EXPECT_EQ(Le32At(b, 22), 2u);
    EXPECT_EQ(Le16At(b, 28), bits);
    EXPECT_EQ(Le32At(b, 30), 0u);
    // The top row (with the red pixel) is the last row in the file.
    const std::size_t top = 54 + rowBytes;
    EXPECT_EQ(Bytes(b.begin() + top, b.begin() + top + 3), (Bytes{0, 0, 255}));
    const std::size_t second = top + (bits == 24 ? 3 : 4);
    EXPECT_EQ(Bytes(b.begin() + second, b.begin() + second + 3), (Bytes{1, 0, 200}));
  }
}

TEST(PngWriter, WritesSignatureHeaderAndNoAncillaryChunks) {
  TempFolder dir;
  const std::string path = dir.Path("a.PNG");
  const Picture p = Gradient(5, 4);
  WritePng(path, PixelRows::Of(p));
  const Bytes b = ReadFile(path);
  EXPECT_EQ(Bytes(b.begin(), b.begin() + 8), (Bytes{0x89, 'P', 'N', 'G', 13, 10, 26, 10}));
  // IHDR: length 13, 5 x 4, depth 8, colour type 2, deflate, filter 0, no interlace.
  EXPECT_EQ(Bytes(b.begin() + 8, b.begin() + 16), (Bytes{0, 0, 0, 13, 'I', 'H', 'D', 'R'}));
  EXPECT_EQ(Bytes(b.begin() + 16, b.begin() + 29), (Bytes{0, 0, 0, 5, 0, 0, 0, 4, 8, 2, 0, 0, 0}));
  std::vector<std::string> chunks;
  for (std::size_t at = 8; at + 8 <= b.size();) {
    const std::size_t length =
        static_cast<std::size_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
    chunks.emplace_back(b.begin() + at + 4, b.begin() + at + 8);
    at += 12 + length;
  }
  EXPECT_EQ(chunks, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
}

// Each writer's output read back by ImageMagick gives the same pixels: a small gradient, and a
// textured picture whose rows take every branch of the PNG row filter.
TEST(Writers, IndependentReaderSeesTheSamePixels) {
  if (!test::RequireReader("convert")) return;
  ASSERT_TRUE(test::RequireReader("pngcheck"));
  TempFolder dir;
  for (const Picture& p : {Gradient(7, 5), test::TestPattern(257, 131)}) {
    SCOPED_TRACE(std::to_string(p.width()) + " x " + std::to_string(p.height()));
    WriteTiff(dir.Path("p.tif"), PixelRows::Of(p));
    WriteBmp(dir.Path("p24.bmp"), PixelRows::Of(p), 24);
    WriteBmp(dir.Path("p32.bmp"), PixelRows::Of(p), 32);
    WritePng(dir.Path("p.png"), PixelRows::Of(p));
    Bytes expected;
    for (int y = 0; y < p.height(); ++y) {
      for (int x = 0; x < p.width(); ++x) {
        const std::uint8_t* px = p.row(y) + x * 4;
        expected.insert(expected.end(), {px[2], px[1], px[0]});
      }
    }
    for (const char* name : {"p.tif", "p24.bmp", "p32.bmp", "p.png"}) {
      SCOPED_TRACE(name);
      const std::string rgb = dir.Path(std::string(name) + ".rgb");
      ASSERT_EQ(test::Run("/usr/bin/convert '" + dir.Path(name) + "' -depth 8 'rgb:" + rgb + "'"),
                0);
      EXPECT_EQ(ReadFile(rgb), expected);
    }
    const std::string check = test::Capture("pngcheck '" + dir.Path("p.png") + "' 2>&1");
    EXPECT_NE(check.find("OK"), std::string::npos) << check;
  }
}

TEST(Writers, PassTheCheckersOfTheirFormats) {
  TempFolder dir;
  const Picture p = Gradient(33, 17);
  WriteTiff(dir.Path("p.tif"), PixelRows::Of(p));
  WritePng(dir.Path("p.png"), PixelRows::Of(p));
  if (test::RequireReader("tiffinfo")) {
    const std::string out = test::Capture("tiffinfo '" + dir.Path("p.tif") + "' 2>&1");
    EXPECT_NE(out.find("Image Width: 33 Image Length: 17"), std::string::npos) << out;
    // The one warning libtiff gives is about the fixed layout's Software text, which has
    // ten characters and no terminating zero; the layout keeps it.
    const std::string known =
        "TIFFFetchNormalTag: Warning, ASCII value for tag \"Software\" does not end in null byte.";
    std::string rest = out;
    if (const auto at = rest.find(known); at != std::string::npos) rest.erase(at, known.size());
    EXPECT_EQ(rest.find("Warning"), std::string::npos) << out;
    EXPECT_EQ(rest.find("rror"), std::string::npos) << out;
  }
  if (test::RequireReader("tiffdump")) {
    EXPECT_EQ(test::Run("tiffdump '" + dir.Path("p.tif") + "' >/dev/null 2>&1"), 0);
  }
  if (test::RequireReader("pngcheck")) {
    const std::string out = test::Capture("pngcheck -v '" + dir.Path("p.png") + "' 2>&1");
    EXPECT_NE(out.find("No errors detected"), std::string::npos) << out;
  }
}

TEST(Writers, FailedWriteLeavesTheOldFileAndNoTemporaryFile) {
  TempFolder dir;
  const std::string path = dir.Path("keep.TIF");
  { std::ofstream(path) << "old"; }
  const Picture p = Gradient(3, 2);
  // A view without pixels fails before anything is written.
  EXPECT_THROW(WriteTiff(path, PixelRows{p.data(), 0, 2, p.stride()}), Error);
  EXPECT_EQ(ReadFile(path), (Bytes{'o', 'l', 'd'}));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(Writers, OutputInAMissingFolderFailsWithTheFileName) {
  TempFolder dir;
  const std::string path = dir.Path("missing/x.PNG");
  const Picture p = Gradient(3, 2);
  const auto thrown = test::ThrownBy([&] { WritePng(path, PixelRows::Of(p)); });
  ASSERT_TRUE(thrown);
  EXPECT_EQ(thrown->code(), ErrorCode::kFileCannotCreate);
  EXPECT_EQ(thrown->args, std::vector<std::string>{path});
}

TEST(JpegEncoder, WritesBaselineJfifThatDecodesClose) {
  TempFolder dir;
  const Picture p = Gradient(40, 24);
  const Bytes jpeg = EncodeJpeg(PixelRows::Of(p));
  ASSERT_GT(jpeg.size(), 20u);
  EXPECT_EQ(Bytes(jpeg.begin(), jpeg.begin() + 4), (Bytes{0xFF, 0xD8, 0xFF, 0xE0}));
  EXPECT_EQ(std::string(jpeg.begin() + 6, jpeg.begin() + 10), "JFIF");
  // Baseline: a SOF0 marker and no SOF2.
  bool sof0 = false, sof2 = false;
  for (std::size_t i = 0; i + 1 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) sof0 = true;
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC2) sof2 = true;
  }
  EXPECT_TRUE(sof0);
  EXPECT_FALSE(sof2);
  const std::string path = dir.Path("e.jpg");
  test::WriteFile(path, jpeg);
  const Picture back = DecodeJpegRect(path, 0, 0, 40, 24);
  int worst = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 4; x < 40; ++x)
      for (int c = 0; c < 3; ++c)
        worst = std::max(worst, std::abs(back.row(y)[x * 4 + c] - p.row(y)[x * 4 + c]));
  EXPECT_LT(worst, 16);
  if (test::RequireReader("identify")) {
    EXPECT_EQ(test::Capture("identify -format '%Q %wx%h' '" + path + "'"), "90 40x24");
  }
}

TEST(JpegEncoder, NoiseThatOutgrowsTheFirstBufferStaysWhole) {
  Picture p(600, 600);
  std::uint32_t seed = 1;
  for (std::size_t i = 0; i < p.byteCount(); ++i) {
    seed = seed * 1103515245 + 12345;
    p.data()[i] = static_cast<std::uint8_t>(seed >> 24);
  }
  const Bytes jpeg = EncodeJpeg(PixelRows::Of(p));
  EXPECT_GT(jpeg.size(), 600u * 600 / 4 + 65536);  // more than the first buffer held
  EXPECT_EQ(Bytes(jpeg.end() - 2, jpeg.end()), (Bytes{0xFF, 0xD9}));
  const Picture back = DecodeJpegMemory(jpeg.data(), jpeg.size(), "noise");
  EXPECT_EQ(back.width(), 600);
}

TEST(JpegDecoder, DecodesARectangleLikeTheWholePicture) {
  // Pictures with full-size colour planes (4:4:4) and with halved ones (4:2:0, 4:2:2), whose
  // smooth upsampling needs the neighbours of the cut's edge columns; each also cut by jpegtran
  // to 333 x 250, so that its right and bottom block rows are partial.
  TempFolder dir;
  std::vector<std::string> sources;
  for (const char* name : {"plain-landscape.jpg", "casio-ex-m2.jpg", "canon-ixus.jpg"}) {
    const std::string source = std::string(TRIMORA_TESTDATA_DIR) + "/photos/" + name;
    const std::string odd = dir.Path(std::string("odd-") + name);
    ASSERT_TRUE(RunJpegTran(JpegTranCropParameters(0, 0, 333, 250, source, odd))) << name;
    sources.push_back(source);
    sources.push_back(odd);
  }
  // Colour planes halved in height only (4:4:0), at an odd size: the smoothing runs across rows.
  sources.push_back(test::MakeJpeg(dir, "tall-chroma.jpg", 333, 250, "1x2"));
  for (const std::string& source : sources) {
    const Picture whole = DecodeJpegFile(source);
    const int W = whole.width(), H = whole.height();
    struct Case {
      int left, top, w, h;
    };
    for (const Case c : {Case{0, 0, W, H}, Case{16, 32, 100, 50}, Case{37, 13, 201, 99},
                         Case{W - 1, H - 1, 1, 1}, Case{5, H - 50, W - 5, 50}, Case{0, 55, 333, 21},
                         Case{W / 3, 0, 101, 7}, Case{W - 100, H / 2, 100, H - H / 2},
                         Case{W / 2 + 1, 0, 1, H}, Case{0, H / 2 + 1, W, 1}}) {
      SCOPED_TRACE(source + " " + std::to_string(c.left) + "," + std::to_string(c.top) + " " +
                   std::to_string(c.w) + "x" + std::to_string(c.h));
      const Picture cut = DecodeJpegRect(source, c.left, c.top, c.w, c.h);
      ASSERT_EQ(cut.width(), c.w);
      ASSERT_EQ(cut.height(), c.h);
      for (int y = 0; y < c.h; ++y) {
        ASSERT_EQ(0, std::memcmp(cut.row(y), whole.row(c.top + y) + c.left * 4, c.w * 4))
            << "row " << y;
      }
      // The decoding road writes exactly these pixels.
      EXPECT_EQ(RecodeJpegRect(source, c.left, c.top, c.w, c.h), EncodeJpeg(PixelRows::Of(cut)));
    }
  }
}

TEST(JpegRecoder, GivesTheSameBytesAsDecodingThenEncoding) {
  const std::string source = test::SamplePhoto("canon-ixus.jpg");  // 2 x 1 sampling
  struct Case {
    int left, top, w, h;
  };
  for (const Case c : {Case{0, 0, 640, 480}, Case{48, 16, 320, 208}, Case{37, 13, 201, 99},
                       Case{639, 479, 1, 1}}) {
    SCOPED_TRACE(std::to_string(c.left) + "," + std::to_string(c.top));
    const Picture cut = DecodeJpegRect(source, c.left, c.top, c.w, c.h);
    EXPECT_EQ(RecodeJpegRect(source, c.left, c.top, c.w, c.h), EncodeJpeg(PixelRows::Of(cut)));
  }
  EXPECT_THROW(RecodeJpegRect(source, 600, 0, 41, 10), Error);
  EXPECT_THROW(RecodeJpegRect(test::SamplePhoto("truncated.jpg"), 0, 0, 600, 450), Error);
}

TEST(JpegDecoder, BadSourcesFailWithTheProgramsOwnError) {
  const std::string photos = std::string(TRIMORA_TESTDATA_DIR) + "/photos/";
  for (const char* name : {"empty.jpg", "not-a-jpeg.jpg", "truncated.jpg", "does-not-exist.jpg"}) {
    SCOPED_TRACE(name);
    const std::string path = photos + name;
    // The truncated file's rows end early in its lower part: cut the whole picture.
    const bool truncated = std::string(name) == "truncated.jpg";
    const JpegLayout l = truncated ? ReadJpegLayout(path) : JpegLayout{16, 16};
    const auto thrown = test::ThrownBy([&] { DecodeJpegRect(path, 0, 0, l.width, l.height); });
    ASSERT_TRUE(thrown);
    const bool missing = std::string(name) == "does-not-exist.jpg";
    EXPECT_EQ(thrown->code(), missing ? ErrorCode::kFileCannotOpen : ErrorCode::kPictureUnreadable);
    EXPECT_EQ(thrown->args.front(), path);
  }
  EXPECT_EQ(test::CodeOf([&] { DecodeJpegRect(photos + "plain-landscape.jpg", 500, 0, 101, 10); }),
            ErrorCode::kCutOutsidePicture);
}

// The writers of each type, started for a picture of a size, and their whole-picture forms.
struct WriterKind {
  const char* name;
  std::function<std::unique_ptr<RowWriter>(const std::string&, int, int)> start;
  std::function<void(const std::string&, const PixelRows&)> whole;
};

std::vector<WriterKind> WriterKinds() {
  return {
      {"TIF", StartTiff, WriteTiff},
      {"BMP24", [](const std::string& p, int w, int h) { return StartBmp(p, w, h, 24); },
       [](const std::string& p, const PixelRows& r) { WriteBmp(p, r, 24); }},
      {"BMP32", [](const std::string& p, int w, int h) { return StartBmp(p, w, h, 32); },
       [](const std::string& p, const PixelRows& r) { WriteBmp(p, r, 32); }},
      {"PNG", StartPng, WritePng},
  };
}

// Rows handed over in batches of any height give the same file as the whole picture: single
// rows, the decoder's batches, an odd batch and the rest (a bitmap places each batch at its
// offset from the end).
TEST(RowWriters, BatchesGiveTheSameFileAsTheWholePicture) {
  TempFolder dir;
  const Picture p = test::TestPattern(257, 131);
  const PixelRows all = PixelRows::Of(p);
  for (const WriterKind& kind : WriterKinds()) {
    SCOPED_TRACE(kind.name);
    kind.whole(dir.Path("whole"), all);
    const auto writer = kind.start(dir.Path("batches"), p.width(), p.height());
    int y = 0;
    for (const int height : {1, 1, 16, 7, 16, 0}) {
      writer->AddRows(all.Sub(0, y, p.width(), height));
      y += height;
    }
    writer->AddRows(all.Sub(0, y, p.width(), p.height() - y));
    writer->Finish();
    EXPECT_EQ(ReadFile(dir.Path("batches")), ReadFile(dir.Path("whole")));
  }
}

// Rows missing at the end, rows past the last one or rows of another width are refused, and
// nothing is left where the old file stood.
TEST(RowWriters, WrongRowsFailAndLeaveTheOldFile) {
  TempFolder dir;
  const Picture p = test::TestPattern(40, 30);
  const PixelRows all = PixelRows::Of(p);
  const std::string path = dir.Path("keep");
  for (const WriterKind& kind : WriterKinds()) {
    SCOPED_TRACE(kind.name);
    test::WriteFile(path, Bytes{'o', 'l', 'd'});
    {
      const auto writer = kind.start(path, 40, 30);
      writer->AddRows(all.Sub(0, 0, 40, 29));
      EXPECT_THROW(writer->Finish(), Error);
    }
    {
      const auto writer = kind.start(path, 40, 29);
      EXPECT_THROW(writer->AddRows(all), Error);
    }
    {
      const auto writer = kind.start(path, 39, 30);
      EXPECT_THROW(writer->AddRows(all), Error);
    }
    EXPECT_EQ(ReadFile(path), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
  }
}

// The decoding road streams a cut without corrections from the decoder into the TIFF, BMP and
// PNG writers: the files are those of the whole decoded cut, and ImageMagick reads back its
// pixels. With the automatic correction the cut is held and corrected first (bitmaps then
// carry 24 bits).
TEST(DecodingRoad, StreamedFilesEqualThoseOfTheWholeCut) {
  ASSERT_TRUE(test::RequireReader("convert"));
  TempFolder dir;
  const std::string source = test::SamplePhoto("casio-ex-m2.jpg");
  struct Case {
    int left, top, w, h;
  };
  for (const bool correction : {false, true}) {
    for (const Case c : {Case{0, 0, 1600, 1200}, Case{37, 13, 201, 99}, Case{1599, 0, 1, 1200}}) {
      Picture cut = DecodeJpegRect(source, c.left, c.top, c.w, c.h);
      if (correction) AutoCorrectPicture(cut);
      Bytes rgb;
      for (int y = 0; y < cut.height(); ++y) {
        for (int x = 0; x < cut.width(); ++x) {
          const std::uint8_t* px = cut.row(y) + x * 4;
          rgb.insert(rgb.end(), {px[2], px[1], px[0]});
        }
      }
      for (const char* type : {"TIF", "BMP", "PNG"}) {
        SCOPED_TRACE(std::string(type) + (correction ? " corrected " : " ") +
                     std::to_string(c.left) + "," + std::to_string(c.top) + " " +
                     std::to_string(c.w) + "x" + std::to_string(c.h));
        CropRequest request;
        request.left = c.left;
        request.top = c.top;
        request.width = c.w;
        request.height = c.h;
        request.source = source;
        request.output = dir.Path(std::string("road.") + type);
        request.type = type;
        request.correction = correction;
        ASSERT_EQ(WriteCroppedPicture(request, EnlargeOptions{}, {}), request.output);
        const std::string expected = dir.Path(std::string("whole.") + type);
        if (std::string(type) == "TIF") WriteTiff(expected, PixelRows::Of(cut));
        if (std::string(type) == "BMP")
          WriteBmp(expected, PixelRows::Of(cut), correction ? 24 : 32);
        if (std::string(type) == "PNG") WritePng(expected, PixelRows::Of(cut));
        EXPECT_EQ(ReadFile(request.output), ReadFile(expected));
        const std::string back = dir.Path("back.rgb");
        ASSERT_EQ(
            test::Run("/usr/bin/convert '" + request.output + "' -depth 8 'rgb:" + back + "'"), 0);
        EXPECT_EQ(ReadFile(back), rgb);
      }
    }
  }
}

// A source whose rows end early fails in the middle of the streamed road: no partial file, the
// old one stays, no temporary file is left, and the question for the name was asked before.
TEST(DecodingRoad, SourceEndingEarlyLeavesNoPartialFile) {
  TempFolder dir;
  const std::string source = test::SamplePhoto("truncated.jpg");
  const JpegLayout layout = ReadJpegLayout(source);
  for (const char* type : {"TIF", "BMP", "PNG"}) {
    SCOPED_TRACE(type);
    const std::string path = dir.Path(std::string("out.") + type);
    test::WriteFile(path, Bytes{'o', 'l', 'd'});
    CropRequest request;
    request.width = layout.width;
    request.height = layout.height;
    request.source = source;
    request.output = path;
    request.type = type;
    int asked = 0;
    const auto thrown = test::ThrownBy([&] {
      WriteCroppedPicture(request, EnlargeOptions{}, [&](const std::string& p) {
        ++asked;
        return p;
      });
    });
    ASSERT_TRUE(thrown);
    EXPECT_EQ(thrown->code(), ErrorCode::kPictureUnreadable);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(ReadFile(path), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
    fs::remove(path);
  }
  // A file that is no JPEG at all fails before any question.
  CropRequest request;
  request.width = request.height = 16;
  request.source = test::SamplePhoto("not-a-jpeg.jpg");
  request.output = dir.Path("never.PNG");
  request.type = "PNG";
  bool asked = false;
  EXPECT_THROW(WriteCroppedPicture(request, EnlargeOptions{},
                                   [&](const std::string& p) {
                                     asked = true;
                                     return p;
                                   }),
               Error);
  EXPECT_FALSE(asked);
  EXPECT_FALSE(fs::exists(request.output));
}

}  // namespace
}  // namespace trimora
