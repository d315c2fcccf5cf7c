#include "ui/frame_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace trimora::ui {
namespace {

struct EdgeCase {
  BarKind kind;
  int x, y;
  bool sizing;
  int code;
  ResizeCursor cursor;
};

TEST(FrameGeometry, PressesNearTheBarEdgesGiveTheirEdgeCodesAndCursors) {
  // Title bar 400 x 32, bottom bar 400 x 20.
  const EdgeCase cases[] = {
      {BarKind::Title, 200, 10, true, 0, ResizeCursor::Default},
      {BarKind::Title, 2, 2, true, 3, ResizeCursor::DiagonalMain},
      {BarKind::Title, 398, 1, true, 6, ResizeCursor::DiagonalAnti},
      {BarKind::Title, 200, 3, true, 2, ResizeCursor::Vertical},
      {BarKind::Title, 200, 4, true, 0, ResizeCursor::Default},
      {BarKind::Title, 3, 20, true, 1, ResizeCursor::Horizontal},
      {BarKind::Title, 4, 20, true, 0, ResizeCursor::Default},
      {BarKind::Title, 397, 20, true, 4, ResizeCursor::Horizontal},
      {BarKind::Title, 396, 20, true, 0, ResizeCursor::Default},
      {BarKind::Title, 200, 31, true, 0, ResizeCursor::Default},  // no bottom edge on top
      {BarKind::Title, 2, 2, false, 0, ResizeCursor::Default},
      {BarKind::Bottom, 200, 13, true, 8, ResizeCursor::Vertical},
      {BarKind::Bottom, 200, 12, true, 0, ResizeCursor::Default},
      {BarKind::Bottom, 200, 1, true, 0, ResizeCursor::Default},  // no top edge below
      {BarKind::Bottom, 399, 19, true, 12, ResizeCursor::DiagonalMain},
      {BarKind::Bottom, 0, 19, true, 9, ResizeCursor::DiagonalAnti},
      {BarKind::Bottom, 0, 19, false, 0, ResizeCursor::Default},
  };
  for (const EdgeCase& c : cases) {
    const int height = c.kind == BarKind::Title ? 32 : 20;
    const int code = BarEdgeCode(c.kind, c.x, c.y, 400, height, c.sizing);
    EXPECT_EQ(code, c.code) << "at " << c.x << "," << c.y;
    EXPECT_EQ(CursorForEdgeCode(code), c.cursor) << "at " << c.x << "," << c.y;
  }
}

TEST(FrameGeometry, DraggingMovesOrResizesTheCodedEdges) {
  const Bounds start{100, 50, 400, 300};
  EXPECT_EQ(DragBounds(start, 0, 7, -3, 120, 60), (Bounds{107, 47, 400, 300}));
  EXPECT_EQ(DragBounds(start, kEdgeLeft, 10, 99, 120, 60), (Bounds{110, 50, 390, 300}));
  EXPECT_EQ(DragBounds(start, kEdgeRight, 10, 99, 120, 60), (Bounds{100, 50, 410, 300}));
  EXPECT_EQ(DragBounds(start, kEdgeLeft | kEdgeTop, -5, -6, 120, 60), (Bounds{95, 44, 405, 306}));
  EXPECT_EQ(DragBounds(start, kEdgeRight | kEdgeBottom, 5, 6, 120, 60),
            (Bounds{100, 50, 405, 306}));
}

TEST(FrameGeometry, AnEdgeStopsAtTheMinimumSizeInsteadOfShiftingTheWindow) {
  const Bounds start{100, 50, 400, 300};
  EXPECT_EQ(DragBounds(start, kEdgeLeft, 500, 0, 120, 60), (Bounds{380, 50, 120, 300}));
  EXPECT_EQ(DragBounds(start, kEdgeTop, 0, 500, 120, 60), (Bounds{100, 290, 400, 60}));
  EXPECT_EQ(DragBounds(start, kEdgeRight, -500, 0, 120, 60), (Bounds{100, 50, 120, 300}));
}

TEST(FrameGeometry, VisibleButtonsChooseTheButtonPanelLayout) {
  // Dialog title bar: 32 high, so the panel sits at top 7.
  const ButtonPanelLayout all = LayoutTitleButtons(kAllBorderButtons, true, 500, 32);
  EXPECT_EQ(all, (ButtonPanelLayout{true, 416, 7, 72, 22, true, true, 50}));
  const ButtonPanelLayout minClose = LayoutTitleButtons(bbMinimize | bbClose, true, 500, 32);
  EXPECT_EQ(minClose, all);
  const ButtonPanelLayout closeOnly = LayoutTitleButtons(bbClose, true, 500, 32);
  EXPECT_EQ(closeOnly, (ButtonPanelLayout{true, 466, 7, 24, 22, false, false, 0}));
  EXPECT_FALSE(LayoutTitleButtons(bbMinimize | bbMaximize, true, 500, 32).visible);
  EXPECT_FALSE(LayoutTitleButtons(kAllBorderButtons, false, 500, 32).visible);
  // A low title bar puts the panel at top 2 and 2 pixels further right.
  const ButtonPanelLayout low = LayoutTitleButtons(kAllBorderButtons, true, 500, 25);
  EXPECT_EQ(low.top, 2);
  EXPECT_EQ(low.left, 418);
  EXPECT_EQ(LayoutTitleButtons(bbClose, true, 500, 20).left, 468);
}

TEST(FrameGeometry, TheWindowIconMovesTheCaption) {
  EXPECT_EQ(CaptionOffsetForIcon(0, 43), 10);   // icon removed
  EXPECT_EQ(CaptionOffsetForIcon(0, 8), 8);     // already left of 10
  EXPECT_EQ(CaptionOffsetForIcon(24, 10), 40);  // icon set
  EXPECT_EQ(CaptionOffsetForIcon(24, 43), 43);  // already right of 40
}

TEST(FrameGeometry, BarPiecesOverlapAsComposed) {
  const BarPieceRects r = ComposeBarPieces(300, 32, 5, 5);
  EXPECT_EQ(r.left, (Rect{0, 0, 5, 32}));
  EXPECT_EQ(r.middle, (Rect{3, 0, 290, 32}));
  EXPECT_EQ(r.right, (Rect{293, 0, 7, 32}));
}

// One pixel per byte makes the widths easy to follow.
int ByteWidth(std::string_view text) { return static_cast<int>(text.size()); }

TEST(FrameGeometry, ALongPathLosesItsMiddleBeforeTheFileName) {
  const std::string path = "/home/anna/Bilder/Urlaub 2024/Norwegen/IMG_0042.JPG";
  const std::string shortened = ShortenPathToFit(path, 30, ByteWidth);
  EXPECT_EQ(shortened, "/home/anna/Bil.../IMG_0042.JPG");
  EXPECT_EQ(shortened.size(), 30u);
  EXPECT_EQ(ShortenPathToFit(path, 200, ByteWidth), path);
  // Backslash paths are shortened the same way.
  EXPECT_EQ(ShortenPathToFit("C:\\Fotos\\Sommer\\bild.jpg", 16, ByteWidth), "C:\\F...\\bild.jpg");
}

TEST(FrameGeometry, ATextWithoutSeparatorIsLeftForClipping) {
  const std::string text = "Keine Bilder im gewählten Verzeichnis gefunden";
  EXPECT_EQ(ShortenPathToFit(text, 10, ByteWidth), text);
}

TEST(FrameGeometry, AFileNameTooWideEvenAloneKeepsOnlyDotsAndName) {
  EXPECT_EQ(ShortenPathToFit("/a/very_long_file_name.jpg", 5, ByteWidth),
            ".../very_long_file_name.jpg");
}

// True when `s` is well-formed UTF-8 (enough for the two-byte letters used here).
bool WellFormed(const std::string& s) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) continue;
    if ((c & 0xE0) != 0xC0 || i + 1 >= s.size()) return false;
    if ((static_cast<unsigned char>(s[++i]) & 0xC0) != 0x80) return false;
  }
  return true;
}

TEST(FrameGeometry, ShorteningNeverSplitsACharacter) {
  // "Ä", "Ö" and "Ü" take two bytes; a cut inside them would leave broken text.
  const std::string path = "/Bilder/Ärger/Öl/Übersicht.jpg";
  for (int width = 10; width < 34; ++width) {
    const std::string s = ShortenPathToFit(path, width, ByteWidth);
    EXPECT_TRUE(WellFormed(s)) << s;
    EXPECT_LE(static_cast<int>(s.size()), std::max(width, 18)) << s;
  }
}

// Letters of different widths, like a real font: "i" and "l" narrow, capitals wide.
int ProportionalWidth(std::string_view text) {
  int w = 0;
  for (char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) == 0x80) continue;
    w += c == 'i' || c == 'l' || c == '.' ? 3 : (c >= 'A' && c <= 'Z') ? 9 : 6;
  }
  return w;
}

// The shortening done the slow way: insert "...", then drop one character at a time.
std::string ShortenOneByOne(const std::string& text, int width) {
  if (ProportionalWidth(text) <= width) return text;
  const std::size_t sep = text.find_last_of("/\\");
  if (sep == std::string::npos) return text;
  std::string s = text.substr(0, sep) + "..." + text.substr(sep);
  std::size_t cut = sep;
  while (cut > 0 && ProportionalWidth(s) > width) {
    std::size_t q = cut - 1;
    while (q > 0 && (static_cast<unsigned char>(s[q]) & 0xC0) == 0x80) --q;
    s.erase(q, cut - q);
    cut = q;
  }
  return s;
}

TEST(FrameGeometry, ShorteningStopsAtTheFirstCharacterThatMakesItFit) {
  const std::string paths[] = {
      "/home/anna/Bilder/Urlaub in Norwegen/Lofoten/IMG_0042.JPG",
      "/Bilder/Ärger mit Öl/Übersicht/Wäsche.jpg",
      "C:\\Dokumente und Einstellungen\\Anna\\Eigene Bilder\\Foto.jpg",
  };
  for (const std::string& path : paths) {
    for (int width = 0; width < 400; width += 3)
      EXPECT_EQ(ShortenPathToFit(path, width, ProportionalWidth), ShortenOneByOne(path, width))
          << path << " in " << width;
  }
}

TEST(FrameGeometry, StatusPanelsShareTheBar) {
  // The main window's four panels on an 800-pixel bar, caption x 8.
  std::vector<StatusPanel> panels = {
      {"/home/anna/Bilder/Urlaub/IMG_0001.JPG", -1, PanelAlignment::Left},
      {"Bild 1 von 20", 150, PanelAlignment::Left},
      {"Auswahl: 1600 x 1200", 230, PanelAlignment::Left},
      {"10 x 15", 145, PanelAlignment::Right},
  };
  EXPECT_EQ(FixedPanelWidthSum(panels), 525);
  const auto places = LayoutStatusPanels(panels, 800, 8, ByteWidth);
  ASSERT_EQ(places.size(), 4u);
  EXPECT_EQ(places[0].x, 8);
  EXPECT_EQ(places[0].width, 800 - 16 - 525 - 5);
  EXPECT_EQ(places[1].x, 8 + 254 + 5);
  EXPECT_EQ(places[2].x, places[1].x + 150);
  EXPECT_EQ(places[3].x, places[2].x + 230);
  EXPECT_EQ(places[3].textX, places[3].x + 145 - 7);
  EXPECT_EQ(places[0].text, panels[0].text);

  // A narrow bar shortens the filling panel's path; fixed panels keep their text.
  panels[1].text = "/x/y/z/ein/sehr/langer/pfad/der/nicht/passt";
  const auto narrow = LayoutStatusPanels(panels, 560, 8, ByteWidth);
  EXPECT_EQ(narrow[0].width, 14);
  EXPECT_EQ(narrow[0].text, ".../IMG_0001.JPG");
  EXPECT_EQ(narrow[1].text, panels[1].text);
  // A right-aligned text wider than its panel starts at the panel's left.
  panels[3].width = 3;
  EXPECT_EQ(LayoutStatusPanels(panels, 560, 8, ByteWidth)[3].textX,
            LayoutStatusPanels(panels, 560, 8, ByteWidth)[3].x);
}

TEST(FrameGeometry, BottomTextTopTruncatesTowardZero) {
  EXPECT_EQ(BottomTextTop(20, 8), 1);
  EXPECT_EQ(BottomTextTop(21, 8), 1);
  EXPECT_EQ(BottomTextTop(4, 8), -7);  // (4 - 16) div 2 - 1
  EXPECT_EQ(BottomTextTop(5, 8), -6);  // -11 div 2 = -5
}

bool Inside(const std::vector<Rect>& rects, int x, int y) {
  for (const Rect& r : rects) {
    if (x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height) return true;
  }
  return false;
}

TEST(FrameGeometry, TheWindowShapeRoundsTheCorners) {
  const auto shape = WindowShapeRects(200, 100, true);
  EXPECT_FALSE(Inside(shape, 0, 0));
  EXPECT_FALSE(Inside(shape, 199, 0));
  EXPECT_FALSE(Inside(shape, 0, 99));
  EXPECT_FALSE(Inside(shape, 199, 99));
  EXPECT_FALSE(Inside(shape, 2, 2));
  EXPECT_TRUE(Inside(shape, 3, 3));
  EXPECT_TRUE(Inside(shape, 10, 0));
  EXPECT_TRUE(Inside(shape, 0, 10));
  EXPECT_TRUE(Inside(shape, 100, 50));
  // Left-right and top-bottom symmetric.
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 12; ++x) {
      EXPECT_EQ(Inside(shape, x, y), Inside(shape, 199 - x, y)) << x << "," << y;
      EXPECT_EQ(Inside(shape, x, y), Inside(shape, x, 99 - y)) << x << "," << y;
    }
  }
  // Rows of the same width are merged: a handful of rectangles, not one per row.
  EXPECT_LT(shape.size(), 20u);
}

TEST(FrameGeometry, WithoutBottomBarTheBottomCornersAreSquare) {
  const auto shape = WindowShapeRects(200, 100, false);
  EXPECT_FALSE(Inside(shape, 0, 0));
  EXPECT_TRUE(Inside(shape, 0, 99));
  EXPECT_TRUE(Inside(shape, 199, 99));
  EXPECT_TRUE(Inside(shape, 0, 10));
}

}  // namespace
}  // namespace trimora::ui
