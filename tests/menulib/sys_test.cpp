// The window system under the menu library: handles, window procedures and properties,
// menus, drawing operations, text and drawing objects.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "sys/environment.h"
#include "sys/graphics.h"
#include "sys/menus.h"
#include "sys/objects.h"
#include "sys/text.h"
#include "sys/windows.h"

namespace ornasys {
namespace {

TEST(HandleTest, HandlesAreCheckedForKindAndLife) {
  const Handle bitmap = CreateBitmap(Picture(2, 2));
  const Handle menu = CreatePopupMenu();
  const Handle window = CreateWindow();
  for (const Handle handle : {bitmap, menu, window}) EXPECT_NE(handle, 0u);
  EXPECT_EQ(std::set<Handle>({bitmap, menu, window}).size(), 3u);

  EXPECT_EQ(GetIcon(bitmap), nullptr);
  EXPECT_FALSE(IsMenu(bitmap));
  EXPECT_FALSE(IsWindow(menu));
  EXPECT_EQ(GetBitmap(menu), nullptr);
  for (const Handle forged : {0u, 0xFFFFFFFFu, bitmap ^ 0x00010000u, bitmap + 0x7000u}) {
    EXPECT_EQ(GetBitmap(forged), nullptr) << std::hex << forged;
    EXPECT_FALSE(IsWindow(forged));
    EXPECT_EQ(GetMenuItemCount(forged), -1);
  }

  // A deleted object's handle stays dead when its slot is used again.
  ASSERT_TRUE(DeleteObject(bitmap));
  EXPECT_FALSE(DeleteObject(bitmap));
  const Handle next = CreateBitmap(Picture(3, 3));
  EXPECT_NE(next, bitmap);
  EXPECT_EQ(GetBitmap(bitmap), nullptr);
  ASSERT_NE(GetBitmap(next), nullptr);
  EXPECT_EQ(GetBitmap(next)->Width(), 3);
  EXPECT_FALSE(DeleteObject(menu));
  DeleteObject(next);
  DestroyMenu(menu);
  DestroyWindow(window);
}

TEST(HandleTest, LiveMenusDifferInTheirLowWord) {
  std::vector<Handle> menus;
  std::set<Handle> pseudo;
  for (int i = 0; i < 300; ++i) {
    menus.push_back(CreatePopupMenu());
    pseudo.insert(menus.back() << 16);
    if (i % 3 == 0) {
      DestroyMenu(menus.front());
      pseudo.erase(menus.front() << 16);
      menus.erase(menus.begin());
    }
  }
  EXPECT_EQ(pseudo.size(), menus.size());
  EXPECT_EQ(pseudo.count(0), 0u);
  for (const Handle menu : menus) DestroyMenu(menu);
}

struct Observer : WindowObserver {
  std::vector<bool> changes;
  void ProcedureChanged(Handle, bool subclassed) override { changes.push_back(subclassed); }
};

intptr_t Base(Handle, std::uint32_t message, uintptr_t, intptr_t) { return message + 1; }
intptr_t Front(Handle window, std::uint32_t message, uintptr_t w, intptr_t l) {
  return 1000 + CallWindowProcedure(Base, window, message, w, l);
}

TEST(WindowTest, ProceduresChainAndTheHostHearsOfSubclassing) {
  Observer observer;
  const Handle window = CreateWindow(Base, &observer);
  EXPECT_EQ(SendMessage(window, 5, 0, 0), 6);
  EXPECT_EQ(SetWindowProcedure(window, Front), &Base);
  EXPECT_EQ(SendMessage(window, 5, 0, 0), 1006);
  EXPECT_EQ(SetWindowProcedure(window, Front), &Front);
  EXPECT_EQ(SetWindowProcedure(window, nullptr), nullptr);
  EXPECT_EQ(SetWindowProcedure(window, Base), &Front);
  EXPECT_EQ(observer.changes, std::vector<bool>({true, false}));

  EXPECT_TRUE(SetProperty(window, "OrvSubclassList", 42));
  EXPECT_EQ(GetProperty(window, "OrvSubclassList"), 42u);
  EXPECT_EQ(RemoveProperty(window, "OrvSubclassList"), 42u);
  EXPECT_EQ(GetProperty(window, "OrvSubclassList"), 0u);
  EXPECT_TRUE(SetMenu(window, 77));
  EXPECT_EQ(GetMenu(window), 77u);

  ASSERT_TRUE(DestroyWindow(window));
  EXPECT_EQ(SendMessage(window, 5, 0, 0), 0);
  EXPECT_FALSE(SetProperty(window, "x", 1));
  EXPECT_EQ(GetWindowProcedure(window), nullptr);
  EXPECT_EQ(CallWindowProcedure(nullptr, window, 5, 0, 0), 0);
}

struct MenuChanges : MenuObserver {
  std::vector<std::string> seen;
  void StateChanged(Handle, int position, std::uint32_t state) override {
    seen.push_back("state " + std::to_string(position) + " " + std::to_string(state));
  }
  void IdChanged(Handle, int position, std::uint32_t id) override {
    seen.push_back("id " + std::to_string(position) + " " + std::to_string(id));
  }
};

TEST(MenuTest, TheHostsUpdatesKeepTheLibrarysDataAndTheHostHearsOfOtherChanges) {
  MenuChanges changes;
  const Handle menu = CreatePopupMenu(&changes);
  ASSERT_TRUE(InsertMenuItem(menu, -1, MenuItem{1, 0, 0, 0, 0, "Eins"}));
  ASSERT_TRUE(InsertMenuItem(menu, 0, MenuItem{2, 0, 0, 0, 0, "Zwei"}));
  ASSERT_TRUE(InsertMenuItem(menu, 99, MenuItem{3, kItemSeparator, 0, 0, 0, ""}));
  EXPECT_EQ(GetMenuItemCount(menu), 3);
  EXPECT_EQ(GetMenuItem(menu, 0)->id, 2u);

  ASSERT_TRUE(SetMenuItemData(menu, 1, 0xBEEF));
  ASSERT_TRUE(SetMenuItemOwnerDraw(menu, 1, true));
  ASSERT_TRUE(UpdateMenuItem(menu, 1, MenuItem{11, 0, kItemChecked, 0, 0, "Eins"}));
  auto item = GetMenuItem(menu, 1);
  EXPECT_EQ(item->id, 11u);
  EXPECT_EQ(item->state, kItemChecked);
  EXPECT_EQ(item->data, 0xBEEFu);
  EXPECT_EQ(item->type, kItemOwnerDraw);
  ASSERT_TRUE(UpdateMenuItem(menu, 1, MenuItem{11, 0, kItemChecked, 0, 0, "Neu"}));
  item = GetMenuItem(menu, 1);
  EXPECT_EQ(item->data, 0u);
  EXPECT_EQ(item->type, 0u);
  EXPECT_EQ(item->text, "Neu");
  EXPECT_TRUE(changes.seen.empty());

  ASSERT_TRUE(SetMenuItemState(menu, 1, kItemChecked));
  ASSERT_TRUE(SetMenuItemState(menu, 1, kItemGrayed));
  ASSERT_TRUE(SetMenuItemId(menu, 2, 3));
  ASSERT_TRUE(SetMenuItemId(menu, 2, 30));
  EXPECT_EQ(changes.seen, std::vector<std::string>({"state 1 1", "id 2 30"}));

  for (const int position : {-1, 3, 1000}) {
    EXPECT_FALSE(GetMenuItem(menu, position)) << position;
    EXPECT_FALSE(SetMenuItemState(menu, position, 0));
    EXPECT_FALSE(RemoveMenuItem(menu, position));
  }
  ASSERT_TRUE(RemoveMenuItem(menu, 0));
  EXPECT_EQ(GetMenuItem(menu, 0)->id, 11u);
  EXPECT_TRUE(IsPopupMenu(menu));
  const Handle bar = CreateMenuBar();
  EXPECT_TRUE(IsMenu(bar));
  EXPECT_FALSE(IsPopupMenu(bar));
  DestroyMenu(bar);
  DestroyMenu(menu);
}

TEST(GraphicsTest, MulDivRoundsHalvesAwayFromZero) {
  const std::tuple<int, int, int, int> cases[] = {{5, 3, 2, 8},   {5, 1, 2, 3}, {-5, 1, 2, -3},
                                                  {7, 1, -2, -4}, {1, 1, 3, 0}, {2, 1, 3, 1},
                                                  {1, 1, 0, -1}};
  for (const auto& [a, b, c, expected] : cases) {
    EXPECT_EQ(MulDiv(a, b, c), expected) << a << "*" << b << "/" << c;
  }
}

// A 4 × 3 picture whose pixel (x, y) has the colour x + 10 y.
Picture Numbered() {
  Picture picture(4, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) picture.Set(x, y, static_cast<Colour>(x + 10 * y));
  }
  return picture;
}

TEST(GraphicsTest, CopiesAreClippedToBothPictures) {
  struct Case {
    int x, y;
    Rect from;
    std::vector<std::tuple<int, int, Colour>> expected;  // target pixels
    int copied;
  };
  const Case cases[] = {
      {1, 1, {0, 0, 4, 3}, {{1, 1, 0}, {4, 3, 23}}, 12},
      {-2, -1, {0, 0, 4, 3}, {{0, 0, 12}, {1, 1, 23}}, 4},
      {4, 3, {0, 0, 4, 3}, {{4, 3, 0}, {5, 4, 11}}, 4},
      {0, 0, {2, 1, 10, 10}, {{0, 0, 12}, {1, 1, 23}}, 4},
      {0, 0, {-3, -3, -1, -1}, {}, 0},
      {9, 9, {0, 0, 4, 3}, {}, 0},
  };
  for (const Case& c : cases) {
    Picture target(6, 5, 0xFFFFFF);
    Blit(target, c.x, c.y, Numbered(), c.from);
    int copied = 0;
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 6; ++x) copied += target.At(x, y) != 0xFFFFFF ? 1 : 0;
    }
    EXPECT_EQ(copied, c.copied) << c.x << "," << c.y;
    for (const auto& [x, y, colour] : c.expected) {
      EXPECT_EQ(target.At(x, y), colour) << c.x << "," << c.y << " at " << x << "," << y;
    }
  }
}

TEST(GraphicsTest, TransparentCopiesLeaveOutTheKeyColour) {
  Picture source = Numbered();
  Picture target(4, 3, 0xABCDEF);
  BlitTransparent(target, 0, 0, source, source.Bounds(), 11);
  EXPECT_EQ(target.At(1, 1), 0xABCDEFu);
  EXPECT_EQ(target.At(2, 1), 12u);
}

TEST(GraphicsTest, StretchingRepeatsAndDropsLines) {
  Picture target(8, 6);
  StretchBlit(target, {0, 0, 8, 6}, Numbered(), {0, 0, 4, 3});
  EXPECT_EQ(target.At(0, 0), 0u);
  EXPECT_EQ(target.At(1, 1), 0u);
  EXPECT_EQ(target.At(7, 5), 23u);
  EXPECT_EQ(target.At(2, 4), 21u);
  Picture small(2, 1);
  StretchBlit(small, {0, 0, 2, 1}, Numbered(), {0, 0, 4, 3});
  EXPECT_EQ(small.At(0, 0), 0u);
  EXPECT_EQ(small.At(1, 0), 2u);
  StretchBlit(small, {0, 0, 0, 1}, Numbered(), {0, 0, 4, 3});
  StretchBlit(small, {0, 0, 2, 1}, Numbered(), {5, 5, 9, 9});
}

TEST(GraphicsTest, AlphaIsBlendedOntoWhatIsThere) {
  Picture icon(1, 1);
  icon.SetPixel(0, 0, 0x80FF0000u);
  Picture target(2, 2, Rgb(0, 0, 255));
  DrawAlpha(target, {0, 0, 2, 2}, icon);
  EXPECT_EQ(target.At(1, 1), Rgb(128, 0, 127));
}

TEST(GraphicsTest, PatternsRepeatFromThePicturesOrigin) {
  Picture pattern(2, 2, 1);
  pattern.Set(1, 0, 2);
  Picture target(6, 4, 0);
  FillPattern(target, {1, 1, 5, 3}, pattern);
  EXPECT_EQ(target.At(0, 0), 0u);
  EXPECT_EQ(target.At(1, 1), 1u);
  EXPECT_EQ(target.At(3, 2), 2u);
  EXPECT_EQ(target.At(2, 2), 1u);
  EXPECT_EQ(target.At(5, 2), 0u);
}

TEST(TextTest, AmpersandsMarkTheMnemonic) {
  const auto shown = [](std::string_view text, unsigned flags) {
    std::string out;
    for (const ShownCharacter& c : ShownCharacters(text, flags)) {
      out += c.underlined ? '_' : c.character;
    }
    return out;
  };
  EXPECT_EQ(shown("&&x &y", 0), "&x _");
  EXPECT_EQ(shown("&Neu", 0), "_eu");
  EXPECT_EQ(shown("Ende&", 0), "Ende");
  EXPECT_EQ(shown("a&&&b", 0), "a&_");
  EXPECT_EQ(shown("&&x &y", kTextNoPrefix), "&&x &y");
}

TEST(TextTest, TheBlockEngineDrawsWithinItsRectangle) {
  BlockTextEngine engine;
  const Font font{"Test", 10, 400, false};
  EXPECT_EQ(engine.Measure(font, "&Neu", 0), (Size{18, 14}));
  EXPECT_EQ(engine.Measure(font, "", 0), (Size{0, 14}));
  Font bold = font;
  bold.weight = 700;
  EXPECT_EQ(engine.Measure(bold, "Neu", 0).width, 21);

  Picture picture(40, 20, 0xFFFFFF);
  engine.Draw(picture, {2, 0, 14, 20}, font, "Neu", 0, kTextLeft);
  int drawn = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 40; ++x) {
      if (picture.At(x, y) == 0) {
        ++drawn;
        EXPECT_TRUE(x >= 2 && x < 14) << x;
      }
    }
  }
  EXPECT_GT(drawn, 0);
  Picture right(40, 20, 0xFFFFFF);
  engine.Draw(right, {0, 0, 40, 20}, font, "Neu", 0, kTextRight);
  EXPECT_EQ(right.At(39, 5), 0xFFFFFFu);
  EXPECT_EQ(right.At(38, 5), 0u);
  EXPECT_EQ(right.At(22, 5), 0xFFFFFFu);
}

TEST(ObjectTest, PatternBrushesAndResources) {
  Picture pattern(2, 2, Rgb(255, 255, 255));
  pattern.Set(0, 0, Rgb(0, 0, 0));
  const Handle brush = CreatePatternBrush(pattern, Rgb(1, 2, 3), Rgb(4, 5, 6));
  const Brush* fill = GetBrush(brush);
  ASSERT_NE(fill, nullptr);
  EXPECT_EQ(fill->pattern.At(0, 0), Rgb(1, 2, 3));
  EXPECT_EQ(fill->pattern.At(1, 0), Rgb(4, 5, 6));
  DeleteObject(brush);

  const Handle module = RegisterModule("Bilder", [](std::string_view name) {
    return name == "EINS" ? std::optional(Picture(3, 2)) : std::nullopt;
  });
  EXPECT_EQ(GetModuleName(module), "Bilder");
  const Handle first = LoadBitmapResource(module, "EINS");
  const Handle second = LoadBitmapResource(module, "EINS");
  ASSERT_NE(first, 0u);
  EXPECT_NE(first, second);
  EXPECT_EQ(GetBitmap(first)->Width(), 3);
  EXPECT_EQ(LoadBitmapResource(module, "ZWEI"), 0u);
  EXPECT_EQ(LoadBitmapResource(first, "EINS"), 0u);
  EXPECT_EQ(CreateBitmap(Picture()), 0u);
  DeleteObject(first);
  DeleteObject(second);
  EXPECT_TRUE(UnregisterModule(module));
  EXPECT_EQ(LoadBitmapResource(module, "EINS"), 0u);

  EXPECT_NE(OrsRegisterProcedure(reinterpret_cast<OrsProcedure>(&Base)), 0u);
  EXPECT_EQ(OrsRegisterProcedure(nullptr), 0u);
  EXPECT_EQ(OrsProcedureAddress(module), nullptr);
  EXPECT_EQ(OrsReleaseProcedure(module), 0);
}

}  // namespace
}  // namespace ornasys
