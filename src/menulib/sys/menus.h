// Menus of the window system: menu bars and popups with their entries.
//
// The host's toolkit mirrors its menus here and keeps them current; the libraries read the
// entries, attach their own data to them and switch them to owner-draw. Changes of an entry's
// state or identifier that do not come from the host are reported to the menu's observer, so
// that the toolkit can show them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "sys/handles.h"

namespace ornasys {

// Entry types.
inline constexpr std::uint32_t kItemOwnerDraw = 0x0100;
inline constexpr std::uint32_t kItemSeparator = 0x0800;

// Entry states.
inline constexpr std::uint32_t kItemGrayed = 0x0001;
inline constexpr std::uint32_t kItemDisabled = 0x0002;
inline constexpr std::uint32_t kItemChecked = 0x0008;
inline constexpr std::uint32_t kItemDefault = 0x1000;

// One entry of a menu.
struct MenuItem {
  std::uint32_t id = 0;     // command identifier; entries that open a submenu carry its handle
  std::uint32_t type = 0;   // kItemSeparator, kItemOwnerDraw
  std::uint32_t state = 0;  // kItemGrayed, kItemDisabled, kItemChecked, kItemDefault
  Handle submenu = 0;       // the popup this entry opens, or 0
  uintptr_t data = 0;       // the owner-draw data of the entry
  std::string text;         // Windows-1252; a tab separates the accelerator text
};

// The host's side of a menu.
class ORNASYS_EXPORT MenuObserver {
 public:
  virtual ~MenuObserver();
  // The entry at `position` got a new state (kItemGrayed, kItemDisabled ...).
  virtual void StateChanged(Handle menu, int position, std::uint32_t state) = 0;
  // The entry at `position` got a new identifier.
  virtual void IdChanged(Handle menu, int position, std::uint32_t id) = 0;
};

// A menu bar (shown in a window; never prepared as a popup).
ORNASYS_EXPORT Handle CreateMenuBar(MenuObserver* observer = nullptr);
// A popup menu.
ORNASYS_EXPORT Handle CreatePopupMenu(MenuObserver* observer = nullptr);
// Destroys a menu (not the popups its entries open); false when it is none.
ORNASYS_EXPORT bool DestroyMenu(Handle menu);
// True for a live menu.
ORNASYS_EXPORT bool IsMenu(Handle menu);
// True for a live popup menu.
ORNASYS_EXPORT bool IsPopupMenu(Handle menu);

// Number of entries; -1 when it is no menu.
ORNASYS_EXPORT int GetMenuItemCount(Handle menu);
// The entry at `position`; nothing when there is none.
ORNASYS_EXPORT std::optional<MenuItem> GetMenuItem(Handle menu, int position);

// Host side: inserts `item` before `position` (at the end when out of range).
ORNASYS_EXPORT bool InsertMenuItem(Handle menu, int position, MenuItem item);
// Host side: removes the entry.
ORNASYS_EXPORT bool RemoveMenuItem(Handle menu, int position);
// Host side: replaces the entry's identifier, type bits other than owner-draw, state, submenu
// and text with the host's, keeping the owner-draw flag and the data while the text stays the
// same; a new text makes the entry a plain one again (no owner-draw, no data), as setting a
// string does on Windows, so that the next preparation takes the new text.
ORNASYS_EXPORT bool UpdateMenuItem(Handle menu, int position, const MenuItem& item);

// Sets the state; the observer hears of it when it differs.
ORNASYS_EXPORT bool SetMenuItemState(Handle menu, int position, std::uint32_t state);
// Sets the identifier; the observer hears of it when it differs.
ORNASYS_EXPORT bool SetMenuItemId(Handle menu, int position, std::uint32_t id);
// Sets the owner-draw data.
ORNASYS_EXPORT bool SetMenuItemData(Handle menu, int position, uintptr_t data);
// Switches owner-draw on or off.
ORNASYS_EXPORT bool SetMenuItemOwnerDraw(Handle menu, int position, bool ownerDraw);

}  // namespace ornasys
