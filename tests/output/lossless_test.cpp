// The lossless decision as tables of cases: the type pairs of the settings, the default type,
// the lossless menu entry, the return to the block grid, the type button's colour, the type menu
// of pictures not on screen and the road the crop-and-save run takes.
#include "output/lossless.h"

#include <gtest/gtest.h>

#include <vector>

namespace trimora {
namespace {

FormatRecord Scalable() { return FormatRecord{1, "10 x 15", 1800, 1200, 900, 600}; }
FormatRecord FixedOnGrid() { return FormatRecord{-1, "1024 x 768", 1024, 768, 0, 0}; }
FormatRecord FixedOffGrid() { return FormatRecord{-2, "1000 x 1500", 1000, 1500, 0, 0}; }

AppliedCorrections Corrections(bool redEye, bool autoCorrection, bool enlargement) {
  AppliedCorrections c;
  c.redEye = redEye;
  c.autoCorrection = autoCorrection;
  c.enlargement = enlargement;
  return c;
}

TEST(Lossless, TheTypePairsFollowTheTwoSettings) {
  struct Case {
    int fileFormat1, fileFormat2;
    FileTypeChoice first, second;
  };
  const std::vector<Case> cases = {
      {0, 1, {"JPG", false}, {"TIF", false}},
      {1, 0, {"JPG", true}, {"JPG", true}},
      {2, 2, {"TIF", false}, {"BMP", false}},
      {3, 3, {"BMP", false}, {"PNG", false}},
      {4, 1, {"PNG", false}, {"TIF", false}},
      // Out of range: the type text stays, the lossy flags follow the value.
      {7, 9, {"JPG", false}, {"TIF", false}},  // still lossless JPEG first
      {-1, -1, {"JPG", false}, {"TIF", false}},
  };
  for (const Case& c : cases) {
    const FileTypeDefaults d = FileTypeDefaults::FromSettings(c.fileFormat1, c.fileFormat2);
    EXPECT_EQ(d.first, c.first) << c.fileFormat1;
    EXPECT_EQ(d.second, c.second) << c.fileFormat2;
    EXPECT_EQ(d.PrefersLosslessJpeg(), c.first == (FileTypeChoice{"JPG", false})) << c.fileFormat1;
  }
}

TEST(Lossless, TheDefaultTypeIsPairOneOnlyForGridFormatsAndAnUncorrectedPictureOnScreen) {
  const FileTypeDefaults d = FileTypeDefaults::FromSettings(0, 1);
  struct Case {
    FormatRecord format;
    AppliedCorrections onScreen;
    FileTypeChoice expected;
  };
  const FileTypeChoice lossless{"JPG", false}, tiff{"TIF", false};
  const std::vector<Case> cases = {
      {Scalable(), {}, lossless},
      {FixedOnGrid(), {}, lossless},
      {FixedOffGrid(), {}, tiff},
      {Scalable(), Corrections(true, false, false), tiff},
      {Scalable(), Corrections(false, true, false), tiff},
      // Side stripes on the picture on screen do not decide the type of the others.
      {Scalable(), Corrections(false, false, true), lossless},
  };
  for (const Case& c : cases) {
    const FileTypeChoice got = DefaultFileType(d, c.format, c.onScreen);
    EXPECT_EQ(got, c.expected) << c.format.Name << " " << c.onScreen.redEye
                               << c.onScreen.autoCorrection;
    EXPECT_EQ(BlockSizeFor(got), got == lossless ? 16 : 1);
  }
  EXPECT_EQ(BlockSizeFor({"JPG", true}), 1);
  EXPECT_EQ(BlockSizeFor({"PNG", false}), 1);
}

TEST(Lossless, TheLosslessEntryNeedsAGridFormatAndNoCorrection) {
  struct Case {
    FormatRecord format;
    AppliedCorrections applied;
    bool enabled;
  };
  const std::vector<Case> cases = {
      {Scalable(), {}, true},
      {FixedOnGrid(), {}, true},
      {FixedOffGrid(), {}, false},
      {Scalable(), Corrections(true, false, false), false},
      {Scalable(), Corrections(false, true, false), false},
      {Scalable(), Corrections(false, false, true), false},
      {FixedOnGrid(), Corrections(true, true, true), false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LosslessEntryEnabled(c.format, c.applied), c.enabled) << c.format.Name;
  }
}

TEST(Lossless, APictureReturnsToTheBlockGridOnlyWhenEverythingAllowsIt) {
  const FileTypeDefaults lossless = FileTypeDefaults::FromSettings(0, 1);
  const FileTypeDefaults lossy = FileTypeDefaults::FromSettings(1, 1);
  struct Case {
    bool enabled;
    int blockSize;
    FileTypeDefaults defaults;
    std::optional<std::string> fileType;
    bool mayAlign;
    bool returns;
  };
  const std::vector<Case> cases = {
      {true, 1, lossless, "JPG", true, true},   {true, 1, lossless, std::nullopt, true, true},
      {true, 1, lossless, "", true, true},      {false, 1, lossless, "JPG", true, false},
      {true, 16, lossless, "JPG", true, false}, {true, 1, lossy, "JPG", true, false},
      {true, 1, lossless, "TIF", true, false},  {true, 1, lossless, "PNG", true, false},
      {true, 1, lossless, "JPG", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReturnsToBlockGrid(c.enabled, c.blockSize, c.defaults, c.fileType, c.mayAlign),
              c.returns)
        << c.enabled << " " << c.blockSize << " " << c.fileType.value_or("-") << " " << c.mayAlign;
  }
}

TEST(Lossless, TheTypeButtonIsRedExactlyForLossyJpeg) {
  struct Case {
    std::optional<std::string> type;
    std::optional<std::int32_t> blockSize;
    bool red;
  };
  const std::vector<Case> cases = {
      {"JPG", 1, true},    {"JPG", 16, false},           {"TIF", 1, false},
      {"PNG", 16, false},  {"JPG", std::nullopt, false}, {std::nullopt, 1, false},
      {"JPG ▾", 1, false},
  };
  for (const Case& c : cases) {
    CuttingRecord r;
    r.fileType = c.type;
    r.blockSize = c.blockSize;
    EXPECT_EQ(TypeButtonRed(r), c.red) << c.type.value_or("-") << " " << c.blockSize.value_or(0);
  }
}

TEST(Lossless, TheGridSwitchMultipliesOrDividesTowardZero) {
  EXPECT_EQ(MoveToGrid({3, 2, 50, 37}, 16, 1), (BlockSelection{48, 32, 800, 592}));
  EXPECT_EQ(MoveToGrid({47, 31, 799, 591}, 1, 16), (BlockSelection{2, 1, 49, 36}));
  EXPECT_EQ(MoveToGrid({47, 31, 799, 591}, 1, 1), (BlockSelection{47, 31, 799, 591}));
  EXPECT_EQ(MoveToGrid({3, 2, 50, 37}, 16, 16), (BlockSelection{3, 2, 50, 37}));
}

TEST(Lossless, TheTypeMenuHasItsFiveEntriesWithTagsAndTypeWords) {
  const auto& menu = TypeMenu();
  ASSERT_EQ(menu.size(), 5u);
  const std::vector<std::pair<std::string, int>> expected = {{"JPG (verlustfrei)", 16},
                                                             {"JPG (verlustbehaftet)", 1},
                                                             {"TIF (verlustfrei)", 1},
                                                             {"BMP (verlustfrei)", 1},
                                                             {"PNG (verlustfrei)", 1}};
  for (std::size_t i = 0; i < menu.size(); ++i) {
    EXPECT_EQ(menu[i].caption, expected[i].first);
    EXPECT_EQ(menu[i].tag, expected[i].second);
    EXPECT_EQ(menu[i].type, menu[i].caption.substr(0, 3));
  }
  EXPECT_EQ(menu[0].name, "JPGverlustfrei1");
  EXPECT_EQ(menu[2].name, "TIFF1");
}

// A record of a picture that was shown on the pixel grid with a 10 x 15 selection.
CuttingRecord ShownOnPixels() {
  CuttingRecord r;
  r.x = 40;
  r.y = 33;
  r.width = 800;
  r.height = 533;
  r.formatId = 1;
  r.blockSize = 1;
  r.fileType = "TIF";
  return r;
}

TEST(Lossless, ATypeForAPictureNotOnScreenNeverGivesACorrectedPictureTheBlockGrid) {
  const FormatRecord scalable = Scalable(), offGrid = FixedOffGrid();
  struct Case {
    const char* what;
    int item;
    bool redEye, correction, stripes;
    const FormatRecord* stored;
    std::string type;
    int blockSize;
    BlockSelection selection;
  };
  const BlockSelection pixels{40, 33, 800, 533}, blocks{2, 2, 50, 33};
  const std::vector<Case> cases = {
      {"lossless, clean", 0, false, false, false, &scalable, "JPG", 16, blocks},
      {"lossless, red eyes", 0, true, false, false, &scalable, "JPG", 1, pixels},
      {"lossless, corrected", 0, false, true, false, &scalable, "JPG", 1, pixels},
      {"lossless, stripes", 0, false, false, true, &scalable, "JPG", 1, pixels},
      {"lossless, fixed format off the grid", 0, false, false, false, &offGrid, "JPG", 1, pixels},
      {"lossy", 1, false, false, false, &scalable, "JPG", 1, pixels},
      {"png", 4, false, false, false, &scalable, "PNG", 1, pixels},
  };
  for (const Case& c : cases) {
    CuttingRecord r = ShownOnPixels();
    if (c.redEye) r.redEyeCoords = "10,10,20,20|";
    if (c.correction) r.autoCorrection = true;
    if (c.stripes) r.enlarge = true;
    EXPECT_EQ(LosslessAllowedForRecord(r, c.stored), c.blockSize == 16 || c.item != 0) << c.what;
    ChooseTypeForRecord(r, TypeMenu()[static_cast<std::size_t>(c.item)], c.stored);
    EXPECT_EQ(r.fileType, c.type) << c.what;
    EXPECT_EQ(r.blockSize, c.blockSize) << c.what;
    EXPECT_EQ((BlockSelection{*r.x, *r.y, *r.width, *r.height}), c.selection) << c.what;
  }
  // Back from the block grid, the stored selection is multiplied.
  CuttingRecord r = ShownOnPixels();
  ChooseTypeForRecord(r, TypeMenu()[0], &scalable);
  ChooseTypeForRecord(r, TypeMenu()[2], &scalable);
  EXPECT_EQ((BlockSelection{*r.x, *r.y, *r.width, *r.height}), (BlockSelection{32, 32, 800, 528}));
  EXPECT_EQ(r.blockSize, 1);
  // A picture never shown has no selection to move; it keeps its nulls.
  CuttingRecord listed;
  listed.fileType = "TIF";
  listed.blockSize = 1;
  ChooseTypeForRecord(listed, TypeMenu()[0], nullptr);
  EXPECT_EQ(listed.blockSize, 16);
  EXPECT_FALSE(listed.x.has_value());
}

TEST(Lossless, TheSaveRunTakesTheJpegtranRoadOnlyForUncorrectedLosslessJpeg) {
  struct Case {
    std::optional<std::int32_t> blockSize;
    std::optional<std::string> type;
    std::optional<std::string> redEye;
    std::optional<bool> correction, stripes;
    bool lossless;
  };
  const std::vector<Case> cases = {
      {16, "JPG", std::nullopt, std::nullopt, std::nullopt, true},
      {16, "JPG", "", false, false, true},
      {1, "JPG", std::nullopt, std::nullopt, std::nullopt, false},
      {16, "TIF", std::nullopt, std::nullopt, std::nullopt, false},
      {std::nullopt, "JPG", std::nullopt, std::nullopt, std::nullopt, false},
      // Records of older tables: block size 16 with corrections.
      {16, "JPG", "5,5,20,20|", std::nullopt, std::nullopt, false},
      {16, "JPG", std::nullopt, true, std::nullopt, false},
      {16, "JPG", std::nullopt, std::nullopt, true, false},
  };
  for (const Case& c : cases) {
    CuttingRecord r;
    r.blockSize = c.blockSize;
    r.fileType = c.type;
    r.redEyeCoords = c.redEye;
    r.autoCorrection = c.correction;
    r.enlarge = c.stripes;
    EXPECT_EQ(TakesLosslessRoad(r), c.lossless)
        << c.blockSize.value_or(0) << " " << c.type.value_or("-") << " " << c.redEye.value_or("-")
        << c.correction.value_or(false) << c.stripes.value_or(false);
  }
}

}  // namespace
}  // namespace trimora
