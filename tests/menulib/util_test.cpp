// Ornautil: the private heap, the job context and debug output to a listening viewer;
// Ornacore: the shared picture strips and the background colour and brush.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "debug_viewer.h"
#include "ornacore.h"
#include "ornautil.h"
#include "sys/environment.h"
#include "sys/objects.h"

namespace ornamo {
namespace {

using testing::PrivateRuntime;
using testing::TestViewer;
using Messages = std::vector<std::string>;

TEST(HeapTest, BlocksAreZeroedCountedGuardedAndLimited) {
  UtlHeap* heap = UtlHeapCreate();
  ASSERT_NE(heap, nullptr);
  auto* block = static_cast<unsigned char*>(UtlHeapAlloc(heap, 238));
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block[0], 0);
  EXPECT_EQ(block[237], 0);
  void* second = UtlHeapAlloc(heap, 10);
  EXPECT_EQ(UtlHeapBlockCount(heap), 2u);
  EXPECT_EQ(UtlHeapValidate(heap), 1);

  // A write past the end of a block is found.
  block[238] = 0x55;
  EXPECT_EQ(UtlHeapValidate(heap), 0);
  block[238] = 'T';
  EXPECT_EQ(UtlHeapValidate(heap), 1);

  // Foreign and null blocks are not given back.
  int foreign = 0;
  UtlHeapFree(heap, &foreign);
  UtlHeapFree(heap, nullptr);
  UtlHeapFree(nullptr, second);
  EXPECT_EQ(UtlHeapBlockCount(heap), 2u);
  UtlHeapFree(heap, second);
  EXPECT_EQ(UtlHeapBlockCount(heap), 1u);

  UtlHeapSetLimit(heap, 300);
  EXPECT_EQ(UtlHeapAlloc(heap, 100), nullptr);
  EXPECT_NE(UtlHeapAlloc(heap, 62), nullptr);
  EXPECT_EQ(UtlHeapAlloc(heap, 1), nullptr);
  EXPECT_EQ(UtlHeapAlloc(heap, SIZE_MAX), nullptr);
  EXPECT_EQ(UtlHeapAlloc(nullptr, 1), nullptr);
  UtlHeapDestroy(heap);
  UtlHeapDestroy(nullptr);
}

class DebugOutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ornasys::SetBeepHandler([this] { ++beeps_; });
    job_ = UtlJobOpen("Test");
  }
  void TearDown() override {
    UtlJobClose(job_);
    ornasys::ResetEnvironment();
  }

  PrivateRuntime runtime_;
  UtlJob* job_ = nullptr;
  int beeps_ = 0;
};

TEST_F(DebugOutputTest, LinesAreSplitAtLineEndsAndAfter257Characters) {
  TestViewer viewer(ORNAUTIL_VIEWER_CLASS_32);
  ASSERT_TRUE(viewer.Listening());
  EXPECT_STREQ(UtlJobModule(job_), "Test");
  const std::string longLine = std::string(257, 'a') + std::string(257, 'b') + "cc";
  UtlDebugOutput(job_, ("eins\nzwei\r\ndrei\r\n\n" + longLine + "\n").c_str());
  EXPECT_EQ(viewer.Collect(6),
            Messages({"Test:eins", "Test:zwei", "Test:drei", "Test:" + std::string(257, 'a'),
                      "Test:" + std::string(257, 'b'), "Test:cc"}));
  viewer.Clear();
  UtlDebugPrintf(job_, "ORM: %d Eintr%sge\n", 3, "\xE4");
  EXPECT_EQ(viewer.Collect(1), Messages({"Test:ORM: 3 Eintr\xE4ge"}));
}

TEST_F(DebugOutputTest, ABellBeepsInsteadOfBeingSent) {
  TestViewer viewer(ORNAUTIL_VIEWER_CLASS_32);
  UtlDebugOutput(job_, "\aAchtung\a\n");
  EXPECT_EQ(viewer.Collect(1), Messages({"Test:Achtung"}));
  EXPECT_EQ(beeps_, 2);
  UtlDebugOutput(job_, "\a");
  EXPECT_EQ(beeps_, 3);
}

TEST_F(DebugOutputTest, TheFirstListeningViewerGetsTheText) {
  UtlDebugOutput(job_, "niemand hört zu\n");
  UtlDebugOutput(nullptr, "ohne Auftrag\n");
  UtlDebugOutput(job_, nullptr);

  TestViewer old(ORNAUTIL_VIEWER_CLASS_16);
  UtlDebugOutput(job_, "an den alten\n");
  EXPECT_EQ(old.Collect(1), Messages({"Test:an den alten"}));

  TestViewer forward(ORNAUTIL_VIEWER_CLASS_FORWARD);
  UtlDebugOutput(job_, "weitergeleitet\n");
  EXPECT_EQ(forward.Collect(1), Messages({"Test:weitergeleitet"}));

  TestViewer current(ORNAUTIL_VIEWER_CLASS_32);
  UtlDebugOutput(nullptr, "an den neuen\n");
  EXPECT_EQ(current.Collect(1), Messages({":an den neuen"}));
  EXPECT_EQ(forward.Collect(2, 200).size(), 1u);
  EXPECT_EQ(old.Collect(2, 200).size(), 1u);
}

TEST(StripTest, StripsAreDescribedInTheirOrder) {
  struct Expected {
    std::uint32_t first, last, width, height, minHeight, maxHeight, separated;
  };
  const Expected expected[] = {
      {1, 20, 16, 15, 1, 23, 1}, {190, 199, 16, 15, 1, 23, 0}, {1, 20, 32, 30, 24, 64, 1}};
  for (std::int32_t n = 0; n < 3; ++n) {
    CtlBitmapInfo info{};
    info.size = sizeof info;
    ASSERT_EQ(CtlGetBitmap(&info, n), 1) << n;
    const Expected& e = expected[n];
    EXPECT_EQ(info.firstPicture, e.first) << n;
    EXPECT_EQ(info.lastPicture, e.last) << n;
    EXPECT_EQ(info.pictureWidth, e.width) << n;
    EXPECT_EQ(info.pictureHeight, e.height) << n;
    EXPECT_EQ(info.minEntryHeight, e.minHeight) << n;
    EXPECT_EQ(info.maxEntryHeight, e.maxHeight) << n;
    EXPECT_EQ(info.separated, e.separated) << n;
    const ornasys::Picture* bitmap = ornasys::GetBitmap(info.bitmap);
    ASSERT_NE(bitmap, nullptr);
    const int count = static_cast<int>(e.last - e.first + 1);
    EXPECT_EQ(bitmap->Width(), static_cast<int>(e.width));
    EXPECT_EQ(bitmap->Height(),
              count * static_cast<int>(e.height + e.separated) - static_cast<int>(e.separated));
    EXPECT_EQ(bitmap->At(0, 0), ornasys::Rgb(255, 0, 255)) << "transparent top left";
  }
  CtlBitmapInfo info{};
  info.size = sizeof info;
  EXPECT_EQ(CtlGetBitmap(&info, 3), 0);
  EXPECT_EQ(CtlGetBitmap(&info, -1), 0);
  EXPECT_EQ(CtlGetBitmap(nullptr, 0), 0);
  info.size = 39;
  EXPECT_EQ(CtlGetBitmap(&info, 0), 0);
}

TEST(StripTest, Picture191IsTheCheckMark) {
  CtlBitmapInfo info{};
  info.size = sizeof info;
  ASSERT_EQ(CtlGetBitmap(&info, 1), 1);
  const ornasys::Picture* marks = ornasys::GetBitmap(info.bitmap);
  // The check mark's rows 3 to 10, '#' black, '.' transparent.
  const char* rows[] = {"...........#....", "..........##....", ".........###....",
                        "...#....###.....", "...##..###......", "...######.......",
                        "....####........", ".....##........."};
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 16; ++x) {
      EXPECT_EQ(marks->At(x, 15 + 3 + y),
                rows[y][x] == '#' ? ornasys::Rgb(0, 0, 0) : ornasys::Rgb(255, 0, 255))
          << x << "," << y;
    }
  }
}

TEST(StripTest, TheBackgroundsFollowTheMenuColour) {
  using ornasys::Rgb;
  using ornasys::SystemColour;
  for (const auto& [menu, shadow, cell] :
       {std::tuple{Rgb(255, 255, 255), Rgb(0x9F, 0x9F, 0x9F), Rgb(0xDF, 0xDF, 0xDF)},
        std::tuple{Rgb(0xD4, 0xD0, 0xC8), Rgb(0x80, 0x80, 0x80), Rgb(0xB8, 0xB5, 0xB0)}}) {
    ornasys::SetSystemColour(SystemColour::kMenu, menu);
    ornasys::SetSystemColour(SystemColour::kShadow3D, shadow);
    EXPECT_EQ(CtlTools_rgbBkgnd(), cell) << std::hex << menu;
    const ornasys::Brush* brush = ornasys::GetBrush(CtlTools_hBrBkgnd());
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(brush->colour, menu);
  }
  ornasys::ResetEnvironment();
}

}  // namespace
}  // namespace ornamo
