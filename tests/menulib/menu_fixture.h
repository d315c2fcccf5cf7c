// A window system with known colours, check-mark size and font for the menu library's tests,
// and small helpers to build menus and paint their entries.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "ornamo.h"
#include "sys/environment.h"
#include "sys/graphics.h"
#include "sys/menus.h"
#include "sys/objects.h"
#include "sys/windows.h"

namespace ornamo::testing {

using ornasys::Colour;
using ornasys::Handle;
using ornasys::MenuItem;
using ornasys::Rgb;

inline constexpr Colour kMenu = Rgb(0xD4, 0xD0, 0xC8);
inline constexpr Colour kMenuText = Rgb(0x00, 0x00, 0x00);
inline constexpr Colour kHighlightText = Rgb(0xFF, 0xFF, 0xF0);
inline constexpr Colour kActiveCaption = Rgb(0x0A, 0x24, 0x6A);
inline constexpr Colour kShadow = Rgb(0x80, 0x80, 0x80);
inline constexpr Colour kHighlight = Rgb(0xFF, 0xFF, 0xFF);
inline constexpr Colour kMagenta = Rgb(0xFF, 0x00, 0xFF);

// The block engine's cell for the test font (pixel size 10): 6 wide (7 bold), 14 high.
inline constexpr int kCell = 6;
inline constexpr int kLineHeight = 14;

// Sets the environment the tests expect: the colours above, a 13 × 13 check mark, the block
// text engine with a 10-pixel menu font, no key held down.
inline void UseTestEnvironment() {
  using ornasys::SystemColour;
  ornasys::ResetEnvironment();
  ornasys::SetSystemColour(SystemColour::kMenu, kMenu);
  ornasys::SetSystemColour(SystemColour::kMenuText, kMenuText);
  ornasys::SetSystemColour(SystemColour::kHighlightText, kHighlightText);
  ornasys::SetSystemColour(SystemColour::kActiveCaption, kActiveCaption);
  ornasys::SetSystemColour(SystemColour::kShadow3D, kShadow);
  ornasys::SetSystemColour(SystemColour::kHighlight3D, kHighlight);
  ornasys::SetMenuCheckMarkSize({13, 13});
  ornasys::SetMenuFont(ornasys::Font{"Test", 10, 400, false});
  ornasys::SetBeepHandler([] {});
}

// An entry with a command.
inline MenuItem Command(std::uint32_t id, std::string text, std::uint32_t state = 0) {
  MenuItem item;
  item.id = id;
  item.state = state;
  item.text = std::move(text);
  return item;
}

// A separator.
inline MenuItem Separator() {
  MenuItem item;
  item.type = ornasys::kItemSeparator;
  return item;
}

// An entry that opens `submenu`; it carries the submenu's handle as identifier.
inline MenuItem Opens(Handle submenu, std::string text, std::uint32_t state = 0) {
  MenuItem item;
  item.id = submenu;
  item.submenu = submenu;
  item.state = state;
  item.text = std::move(text);
  return item;
}

// A popup with the entries.
inline Handle Popup(std::initializer_list<MenuItem> items) {
  const Handle menu = ornasys::CreatePopupMenu();
  for (const MenuItem& item : items) ornasys::InsertMenuItem(menu, -1, item);
  return menu;
}

// A record for `command` with nothing set.
inline OrmMenuItem Record(std::uint32_t command) {
  OrmMenuItem item{};
  item.size = ORM_ITEM_SIZE;
  item.command = command;
  return item;
}

// The draw-item record for the entry at `position` of `menu`, painted into `surface` at `rect`.
inline OrsDrawItem DrawItemFor(Handle menu, int position, Handle surface, OrsRect rect,
                               std::uint32_t state) {
  const auto item = ornasys::GetMenuItem(menu, position);
  OrsDrawItem draw{};
  draw.ctlType = ORS_ODT_MENU;
  draw.itemId = item ? item->id : 0;
  draw.itemState = state;
  draw.item = menu;
  draw.dc = surface;
  draw.rcItem = rect;
  draw.itemData = item ? item->data : 0;
  return draw;
}

// The measure-item record for the entry at `position` of `menu`.
inline OrsMeasureItem MeasureItemFor(Handle menu, int position) {
  const auto item = ornasys::GetMenuItem(menu, position);
  OrsMeasureItem measure{};
  measure.ctlType = ORS_ODT_MENU;
  measure.itemId = item ? item->id : 0;
  measure.itemData = item ? item->data : 0;
  return measure;
}

// Number of pixels of `colour` in `area` of `picture`.
inline int CountColour(const ornasys::Picture& picture, Colour colour, ornasys::Rect area) {
  area = area.Intersected(picture.Bounds());
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) count += picture.At(x, y) == colour ? 1 : 0;
  }
  return count;
}

// The leftmost x in `area` with a pixel of `colour`, or -1.
inline int LeftmostOf(const ornasys::Picture& picture, Colour colour, ornasys::Rect area) {
  area = area.Intersected(picture.Bounds());
  for (int x = area.left; x < area.right; ++x) {
    for (int y = area.top; y < area.bottom; ++y) {
      if (picture.At(x, y) == colour) return x;
    }
  }
  return -1;
}

// A clock the test moves by hand.
struct ManualClock {
  std::chrono::steady_clock::time_point now{std::chrono::seconds(1000)};
  void Advance(std::chrono::milliseconds step) { now += step; }
};

}  // namespace ornamo::testing
