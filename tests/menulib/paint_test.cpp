// Painting entries off screen: pixel tests on the surface a popup shows.
#include <gtest/gtest.h>

#include <cstring>

#include "menu_fixture.h"
#include "ornacore.h"
#include "ornamo/library.h"

namespace ornamo {
namespace {

using namespace ornamo::testing;
using ornasys::Picture;
using ornasys::Rect;

constexpr int kWidth = 240;
constexpr int kHeight = 18;  // an entry of the test font: 14 + 1 + 3
constexpr int kTextLeft = 16 + 4;

class PaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseTestEnvironment();
    window_ = ornasys::CreateWindow();
    Library::Options options;
    options.clock = [this] { return clock_.now; };
    library_ = std::make_unique<Library>(options);
    library_->Attach(window_);
    surface_ = ornasys::CreateSurface(kWidth, 120, kMenu);
  }
  void TearDown() override {
    library_.reset();
    ornasys::DestroyWindow(window_);
    ornasys::DeleteObject(surface_);
    for (const Handle menu : menus_) ornasys::DestroyMenu(menu);
    for (const Handle object : objects_) ornasys::DeleteObject(object);
  }

  // A popup with the entries, prepared.
  Handle Prepared(std::initializer_list<MenuItem> items) {
    const Handle menu = Popup(items);
    menus_.push_back(menu);
    library_->PreparePopup(window_, menu);
    return menu;
  }

  // Adds a record and fails the test when it is refused.
  void Add(OrmMenuItem item) { ASSERT_EQ(library_->AddItem(window_, &item), 1); }

  // A bitmap that the test deletes at its end.
  Handle Bitmap(Picture picture) {
    const Handle bitmap = ornasys::CreateBitmap(std::move(picture));
    objects_.push_back(bitmap);
    return bitmap;
  }

  // Paints the entry at `position` into the rows `top` ... of the surface; returns the result.
  bool PaintAt(Handle menu, int position, int top, std::uint32_t state, int height = kHeight) {
    const OrsDrawItem draw =
        DrawItemFor(menu, position, surface_, {0, top, kWidth, top + height}, state);
    return library_->Paint(draw);
  }

  // The surface's pixels.
  const Picture& Pixels() { return ornasys::GetSurface(surface_)->picture; }

  // The rows of one entry.
  static Rect Rows(int top, int height = kHeight) { return {0, top, kWidth, top + height}; }

  ManualClock clock_;
  Handle window_ = 0;
  Handle surface_ = 0;
  std::unique_ptr<Library> library_;
  std::vector<Handle> menus_;
  std::vector<Handle> objects_;
};

TEST(LuminanceTest, WeighsGreenRedAndBlue) {
  const std::pair<Colour, int> cases[] = {{Rgb(0, 0, 0), 0},    {Rgb(255, 255, 255), 256},
                                          {Rgb(255, 0, 0), 71}, {Rgb(0, 255, 0), 142},
                                          {Rgb(0, 0, 255), 43}, {Rgb(0xD4, 0xD0, 0xC8), 209}};
  for (const auto& [colour, luminance] : cases) {
    EXPECT_EQ(ornasys::Luminance(colour), luminance) << std::hex << colour;
  }
}

TEST_F(PaintTest, ASeparatorIsASunkenLineAcrossTheMiddle) {
  const Handle menu = Prepared({Command(1, "Neu"), Separator()});
  ASSERT_TRUE(PaintAt(menu, 1, 30, 0, 10));
  const Picture& pixels = Pixels();
  for (int x = 0; x < kWidth; ++x) {
    const bool line = x >= 2 && x < kWidth - 2;
    EXPECT_EQ(pixels.At(x, 30 + 4), line ? kShadow : kMenu) << x;
    EXPECT_EQ(pixels.At(x, 30 + 5), line ? kHighlight : kMenu) << x;
  }
  EXPECT_EQ(CountColour(pixels, kMenu, Rows(30, 10)), kWidth * 10 - 2 * (kWidth - 4));
}

TEST_F(PaintTest, ACheckedEntryWithoutPictureShowsPicture191OnAHalftoneCell) {
  const Handle menu = Prepared({Command(1, "Raster", ornasys::kItemChecked)});
  ASSERT_TRUE(PaintAt(menu, 0, 0, ORS_ODS_CHECKED));
  const Picture& pixels = Pixels();

  // The cell: 18 wide, rows 0 to 16 with the picture in rows 1 to 15, framed sunken.
  for (int x = 0; x < 18; ++x) {
    EXPECT_EQ(pixels.At(x, 0), x < 17 ? kShadow : kHighlight) << x;
    EXPECT_EQ(pixels.At(x, 16), kHighlight) << x;
  }
  for (int y = 0; y < 17; ++y) {
    EXPECT_EQ(pixels.At(0, y), y < 16 ? kShadow : kHighlight) << y;
    EXPECT_EQ(pixels.At(17, y), kHighlight) << y;
  }

  // Inside, picture 191 of the mark strip where it is not transparent, else the halftone of
  // white and the background colour.
  CtlBitmapInfo strip{};
  strip.size = sizeof strip;
  ASSERT_EQ(CtlGetBitmap(&strip, 1), 1);
  ASSERT_EQ(strip.firstPicture, 190u);
  const Picture* marks = ornasys::GetBitmap(strip.bitmap);
  ASSERT_NE(marks, nullptr);
  const Colour transparent = marks->At(0, 0);
  int black = 0;
  for (int y = 0; y < 15; ++y) {
    for (int x = 0; x < 16; ++x) {
      const Colour mark = marks->At(x, 15 + y);
      const Colour shown = pixels.At(1 + x, 1 + y);
      if (mark != transparent) {
        EXPECT_EQ(shown, mark) << x << "," << y;
        black += mark == Rgb(0, 0, 0) ? 1 : 0;
      } else {
        EXPECT_EQ(shown, (1 + x + 1 + y) % 2 == 0 ? Rgb(255, 255, 255) : CtlTools_rgbBkgnd())
            << x << "," << y;
      }
    }
  }
  EXPECT_GT(black, 20);
  OrmMenuItem back = Record(0);
  ASSERT_EQ(library_->GetItem(window_, 1, &back), 1);
  EXPECT_EQ(back.pictureWidth, 16);
  EXPECT_EQ(back.pictureHeight, 15);
  EXPECT_EQ(back.sharedPicture, 0u);
}

TEST_F(PaintTest, AGrayedEntryShowsTheSelectionOnlyWhileANavigationKeyIsDown) {
  const Handle menu = Prepared({Command(1, "Aus", ornasys::kItemGrayed), Command(2, "An")});
  const Rect textBackground{kWidth - 30, 0, kWidth, kHeight};
  const auto background = [&] {
    return CountColour(Pixels(), kActiveCaption, textBackground) ==
                   textBackground.Width() * textBackground.Height()
               ? kActiveCaption
               : kMenu;
  };

  ASSERT_TRUE(PaintAt(menu, 0, 0, ORS_ODS_SELECTED | ORS_ODS_GRAYED));
  EXPECT_EQ(background(), kMenu) << "under the mouse";
  EXPECT_GT(CountColour(Pixels(), kHighlight, Rows(0)), 0) << "engraved text";

  for (const int key :
       {ornasys::kKeyUp, ornasys::kKeyDown, ornasys::kKeyLeft, ornasys::kKeyRight,
        ornasys::kKeyHome, ornasys::kKeyEnd, ornasys::kKeyPageUp, ornasys::kKeyPageDown}) {
    ornasys::SetKeyDown(key, true);
    ASSERT_TRUE(PaintAt(menu, 0, 0, ORS_ODS_SELECTED | ORS_ODS_GRAYED));
    EXPECT_EQ(background(), kActiveCaption) << "key " << key;
    EXPECT_GT(CountColour(Pixels(), kShadow, Rows(0)), 0);
    EXPECT_EQ(CountColour(Pixels(), kHighlight, Rows(0)), 0) << "key " << key;
    ornasys::SetKeyDown(key, false);
  }
  ornasys::SetKeyDown('A', true);
  ASSERT_TRUE(PaintAt(menu, 0, 0, ORS_ODS_SELECTED | ORS_ODS_GRAYED));
  EXPECT_EQ(background(), kMenu) << "a letter key";
  ornasys::SetKeyDown('A', false);

  ASSERT_TRUE(PaintAt(menu, 1, 0, ORS_ODS_SELECTED));
  EXPECT_EQ(background(), kActiveCaption) << "an enabled entry under the mouse";
  EXPECT_GT(CountColour(Pixels(), kHighlightText, Rows(0)), 0);
  EXPECT_EQ(CountColour(Pixels(), kMenuText, Rows(0)), 0);
}

TEST_F(PaintTest, TheTopLeftColourOfABitmapIsTransparent) {
  Picture keyed(16, 16, kMagenta);
  ornasys::FillRect(keyed, {4, 4, 12, 12}, Rgb(200, 0, 0));
  OrmMenuItem item = Record(1);
  item.bitmap = Bitmap(keyed);
  Add(item);
  const Handle menu = Prepared({Command(1, "Rot")});
  for (const std::uint32_t state : {0u, unsigned{ORS_ODS_SELECTED}, unsigned{ORS_ODS_CHECKED}}) {
    ASSERT_TRUE(PaintAt(menu, 0, 0, state, 19));
    EXPECT_EQ(CountColour(Pixels(), kMagenta, Pixels().Bounds()), 0) << state;
    EXPECT_GT(CountColour(Pixels(), Rgb(200, 0, 0), Rows(0, 19)), 0) << state;
  }
}

TEST_F(PaintTest, LabelsAlignWhenPicturesAreNoWiderThanTheCheckMark) {
  for (const int checkWidth : {13, 16, 18}) {
    ornasys::SetMenuCheckMarkSize({checkWidth, 13});
    OrmMenuItem narrow = Record(2);
    narrow.bitmap = Bitmap(Picture(10, 10, Rgb(0, 0, 200)));
    Add(narrow);
    OrmMenuItem asWide = Record(3);
    asWide.bitmap = Bitmap(Picture(checkWidth, 12, Rgb(0, 0, 200)));
    Add(asWide);
    OrmMenuItem icon = Record(4);
    icon.icon = ornasys::CreateIcon(Picture(16, 16, Rgb(0, 0, 200)));
    objects_.push_back(icon.icon);
    Add(icon);
    const Handle menu = Prepared({Command(1, "Ohne Bild"), Command(2, "Schmal"),
                                  Command(3, "So breit"), Command(4, "Symbol")});
    int first = -1;
    for (int position = 0; position < 4; ++position) {
      ASSERT_TRUE(PaintAt(menu, position, 20 * position, 0));
      const int left = LeftmostOf(Pixels(), kMenuText, Rows(20 * position));
      if (first < 0) first = left;
      EXPECT_EQ(left, first) << "check mark " << checkWidth << ", entry " << position;
    }
    EXPECT_EQ(first, std::max(checkWidth, 16) + 4 + 1);
  }
}

TEST_F(PaintTest, OnlyATabMakesAnAcceleratorColumn) {
  const Handle menu = Prepared({Command(1, "Neu"), Command(2, "Neu\tStrg+N")});
  ASSERT_TRUE(PaintAt(menu, 0, 0, 0));
  ASSERT_TRUE(PaintAt(menu, 1, 20, 0));
  const int labelEnd = kTextLeft + 3 * kCell + 1;
  EXPECT_EQ(CountColour(Pixels(), kMenuText, {labelEnd, 0, kWidth, kHeight}), 0);
  const Rect column{labelEnd, 20, kWidth, 20 + kHeight};
  EXPECT_GT(CountColour(Pixels(), kMenuText, column), 0);
  // Right-aligned, ending the check-mark column and six pixels before the right edge.
  const int rightEdge = kWidth - (16 + 6);
  EXPECT_EQ(CountColour(Pixels(), kMenuText, {rightEdge, 20, kWidth, 20 + kHeight}), 0);
  EXPECT_EQ(LeftmostOf(Pixels(), kMenuText, column), rightEdge - 6 * kCell + 1);
}

TEST_F(PaintTest, AGrayedPictureIsEmbossed) {
  Picture picture(16, 15, kMagenta);
  ornasys::FillRect(picture, {3, 3, 13, 12}, Rgb(0, 0, 0));
  ornasys::FillRect(picture, {6, 6, 10, 9}, Rgb(255, 255, 0));
  OrmMenuItem item = Record(1);
  item.bitmap = Bitmap(picture);
  Add(item);
  const Handle menu = Prepared({Command(1, "Grau", ornasys::kItemGrayed)});
  ASSERT_TRUE(PaintAt(menu, 0, 0, ORS_ODS_GRAYED));
  const Rect column{0, 0, kTextLeft, kHeight};
  int shadow = 0;
  int highlight = 0;
  for (int y = column.top; y < column.bottom; ++y) {
    for (int x = column.left; x < column.right; ++x) {
      const Colour colour = Pixels().At(x, y);
      EXPECT_TRUE(colour == kMenu || colour == kShadow || colour == kHighlight)
          << x << "," << y << " " << std::hex << colour;
      shadow += colour == kShadow ? 1 : 0;
      highlight += colour == kHighlight ? 1 : 0;
    }
  }
  // The dark square becomes shadow; the light inner square and the step back to the menu
  // colour below and right of it become highlight.
  EXPECT_GT(shadow, 40);
  EXPECT_GT(highlight, 10);
  EXPECT_EQ(Pixels().At(1 + 4, 1 + 4), kShadow);
  EXPECT_EQ(Pixels().At(1 + 13, 1 + 12), kHighlight);
}

TEST_F(PaintTest, ASelectedPictureIsRaised) {
  OrmMenuItem item = Record(1);
  item.sharedPicture = 3;
  Add(item);
  const Handle menu = Prepared({Command(1, "Speichern")});
  ASSERT_TRUE(PaintAt(menu, 0, 0, 0));
  EXPECT_EQ(Pixels().At(5, 0), kMenu);
  ASSERT_TRUE(PaintAt(menu, 0, 0, ORS_ODS_SELECTED));
  // Around the 16 × 15 picture, from (0, 0) to (18, 17).
  for (const auto& [x, y, colour] : {std::tuple{5, 0, kHighlight},
                                     {0, 5, kHighlight},
                                     {5, 16, kShadow},
                                     {17, 5, kShadow},
                                     {17, 0, kShadow}}) {
    EXPECT_EQ(Pixels().At(x, y), colour) << x << "," << y;
  }
}

TEST_F(PaintTest, APlainBandSitsAtTheBottomUnderItsTopLeftColour) {
  Picture band(20, 50, Rgb(200, 20, 20));
  band.Set(0, 0, Rgb(10, 200, 30));
  library_->AddGraphics(Prepared({}), Bitmap(band), false);
  const Handle menu = Prepared({Command(1, "Neu")});
  library_->AddGraphics(menu, Bitmap(band), false);
  ASSERT_TRUE(PaintAt(menu, 0, 0, 0));
  const Picture& pixels = Pixels();
  EXPECT_EQ(CountColour(pixels, Rgb(10, 200, 30), {0, 0, 20, 70}), 20 * 70);
  EXPECT_EQ(pixels.At(0, 70), Rgb(10, 200, 30));
  EXPECT_EQ(CountColour(pixels, Rgb(200, 20, 20), {0, 70, 20, 120}), 20 * 50 - 1);
  // The entry moves right by the band and two pixels.
  EXPECT_EQ(LeftmostOf(pixels, kMenuText, Rows(0)), 22 + kTextLeft + 1);

  // A band taller than the popup loses its top.
  Picture tall(20, 150, Rgb(200, 20, 20));
  ornasys::FillRect(tall, {0, 30, 20, 31}, Rgb(0, 0, 255));
  library_->AddGraphics(menu, Bitmap(tall), false);
  ASSERT_TRUE(PaintAt(menu, 0, 0, 0));
  EXPECT_EQ(CountColour(Pixels(), Rgb(0, 0, 255), {0, 0, 20, 1}), 20);

  // A band whose bitmap the host deleted is no band any more.
  const Handle gone = ornasys::CreateBitmap(Picture(30, 40, Rgb(0, 0, 255)));
  library_->AddGraphics(menu, gone, false);
  ornasys::DeleteObject(gone);
  ornasys::FillRect(ornasys::GetSurface(surface_)->picture, Pixels().Bounds(), kMenu);
  ASSERT_TRUE(PaintAt(menu, 0, 0, 0));
  EXPECT_EQ(LeftmostOf(Pixels(), kMenuText, Rows(0)), kTextLeft + 1);
  OrsMeasureItem measure = MeasureItemFor(menu, 0);
  ASSERT_TRUE(library_->Measure(measure));
  EXPECT_EQ(measure.itemWidth, static_cast<std::uint32_t>(3 * kCell + 1 + 3 * kCell + 1 + 20));
}

TEST_F(PaintTest, AStretchedBandIsPaintedAtMostEvery100Milliseconds) {
  Picture band(10, 10, Rgb(200, 20, 20));
  band.Set(0, 0, Rgb(10, 200, 30));
  const Handle menu = Prepared({Command(1, "Eins"), Command(2, "Zwei")});
  library_->AddGraphics(menu, Bitmap(band), true);
  Picture& pixels = ornasys::GetSurface(surface_)->picture;

  ASSERT_TRUE(PaintAt(menu, 0, 0, 0));
  EXPECT_EQ(CountColour(pixels, Rgb(10, 200, 30), {0, 0, 10, 120}), 12) << "one pixel, 12 rows";
  EXPECT_EQ(CountColour(pixels, Rgb(200, 20, 20), {0, 0, 10, 120}), 10 * 120 - 12);
  EXPECT_EQ(CountColour(pixels, kMenu, {10, 0, 12, 120}), 2 * 120);

  const auto scribble = [&] { ornasys::FillRect(pixels, {0, 100, 10, 120}, Rgb(0, 0, 0)); };
  const auto repainted = [&] { return pixels.At(5, 110) == Rgb(200, 20, 20); };
  scribble();
  clock_.Advance(std::chrono::milliseconds(50));
  ASSERT_TRUE(PaintAt(menu, 1, 20, 0));
  EXPECT_FALSE(repainted()) << "50 ms later";
  clock_.Advance(std::chrono::milliseconds(49));
  ASSERT_TRUE(PaintAt(menu, 0, 0, 0));
  EXPECT_FALSE(repainted()) << "99 ms later";
  clock_.Advance(std::chrono::milliseconds(1));
  ASSERT_TRUE(PaintAt(menu, 1, 20, 0));
  EXPECT_TRUE(repainted()) << "100 ms later";

  // The popup showing again on a new surface gets its band at once.
  scribble();
  const Handle again = ornasys::CreateSurface(kWidth, 120, kMenu);
  objects_.push_back(again);
  clock_.Advance(std::chrono::milliseconds(10));
  ASSERT_TRUE(library_->Paint(DrawItemFor(menu, 0, again, {0, 0, kWidth, kHeight}, 0)));
  EXPECT_EQ(ornasys::GetSurface(again)->picture.At(5, 110), Rgb(200, 20, 20));
}

TEST_F(PaintTest, TheDefaultEntryIsBold) {
  const Handle menu = Prepared({Command(1, "Neu", ornasys::kItemDefault), Command(2, "Neu")});
  OrmMenuItem back = Record(0);
  ASSERT_EQ(library_->GetItem(window_, 1, &back), 1);
  EXPECT_EQ(back.textWidth, 3 * (kCell + 1) + 1);
  ASSERT_TRUE(PaintAt(menu, 0, 0, ORS_ODS_DEFAULT));
  ASSERT_TRUE(PaintAt(menu, 1, 20, 0));
  EXPECT_GT(CountColour(Pixels(), kMenuText, Rows(0)), CountColour(Pixels(), kMenuText, Rows(20)));
}

TEST_F(PaintTest, AnIconIsDrawnOnTheBackgroundBrush) {
  Picture picture(16, 16);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) picture.SetPixel(x, y, x < 8 ? 0x00FFFFFFu : 0xFF0000FFu);
  }
  OrmMenuItem item = Record(1);
  item.icon = ornasys::CreateIcon(picture);
  objects_.push_back(item.icon);
  Add(item);
  const Handle menu = Prepared({Command(1, "Symbol")});
  ASSERT_TRUE(PaintAt(menu, 0, 0, 0));
  EXPECT_EQ(Pixels().At(1 + 12, 1 + 5), Rgb(0, 0, 255));
  EXPECT_EQ(Pixels().At(1 + 2, 1 + 5), kMenu);
}

std::int32_t PaintNothing(OrmMenuItem*, const OrsDrawItem*) { return 0; }
std::int32_t PaintBlack(OrmMenuItem*, const OrsDrawItem* draw) {
  auto* surface = ornasys::GetSurface(draw->dc);
  ornasys::FillRect(surface->picture, {0, 0, 1, 1}, Rgb(0, 0, 0));
  return 1;
}

TEST_F(PaintTest, APaintCallbackPaintsInstead) {
  for (const auto& [callback, result] :
       {std::pair{&PaintNothing, false}, std::pair{&PaintBlack, true}}) {
    OrmMenuItem item = Record(1);
    item.paintCallback = OrsRegisterProcedure(reinterpret_cast<OrsProcedure>(callback));
    Add(item);
    const Handle menu = Prepared({Command(1, "Selbst")});
    EXPECT_EQ(PaintAt(menu, 0, 0, 0), result);
    EXPECT_EQ(CountColour(Pixels(), kMenuText, Rows(0)), result ? 1 : 0);
    OrsReleaseProcedure(item.paintCallback);
  }
}

TEST_F(PaintTest, EntriesThatAreNotTheLibrarysAreLeftAlone) {
  const Handle menu = Prepared({Command(1, "Neu"), Command(0xF120, "Wiederherstellen")});
  OrsDrawItem draw = DrawItemFor(menu, 0, surface_, {0, 0, kWidth, kHeight}, 0);
  draw.ctlType = 4;
  EXPECT_FALSE(library_->Paint(draw));
  EXPECT_FALSE(library_->Paint(DrawItemFor(menu, 1, surface_, {0, 0, kWidth, kHeight}, 0)));
  draw = DrawItemFor(menu, 0, surface_, {0, 0, kWidth, kHeight}, 0);
  draw.itemData = 0x1234;
  EXPECT_FALSE(library_->Paint(draw));
  draw = DrawItemFor(menu, 0, 0, {0, 0, kWidth, kHeight}, 0);
  EXPECT_FALSE(library_->Paint(draw));
  EXPECT_EQ(CountColour(Pixels(), kMenu, Pixels().Bounds()), kWidth * 120);

  // Rectangles outside or across the surface are clipped.
  for (const OrsRect rect : {OrsRect{-50, -10, 300, 8}, OrsRect{0, 110, kWidth, 140},
                             OrsRect{500, 500, 600, 520}, OrsRect{10, 10, 5, 5}}) {
    EXPECT_TRUE(library_->Paint(DrawItemFor(menu, 0, surface_, rect, ORS_ODS_SELECTED)));
  }
}

}  // namespace
}  // namespace ornamo
