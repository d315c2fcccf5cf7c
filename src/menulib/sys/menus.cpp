// Menus and their entries.
#include "sys/menus.h"

#include <vector>

namespace ornasys {
namespace {

struct MenuObject : Object {
  static constexpr Kind kKind = Kind::kMenu;
  bool popup = true;
  MenuObserver* observer = nullptr;
  std::vector<MenuItem> items;
};

MenuItem* ItemAt(Handle menu, int position, MenuObject** owner = nullptr) {
  auto* object = Find<MenuObject>(menu);
  if (object == nullptr || position < 0 ||
      static_cast<std::size_t>(position) >= object->items.size()) {
    return nullptr;
  }
  if (owner != nullptr) *owner = object;
  return &object->items[static_cast<std::size_t>(position)];
}

Handle CreateMenuObject(bool popup, MenuObserver* observer) {
  auto object = std::make_unique<MenuObject>();
  object->popup = popup;
  object->observer = observer;
  return IssueHandle(Kind::kMenu, std::move(object));
}

}  // namespace

MenuObserver::~MenuObserver() = default;

Handle CreateMenuBar(MenuObserver* observer) { return CreateMenuObject(false, observer); }

Handle CreatePopupMenu(MenuObserver* observer) { return CreateMenuObject(true, observer); }

bool DestroyMenu(Handle menu) { return ReleaseHandle(menu, Kind::kMenu); }

bool IsMenu(Handle menu) { return Find<MenuObject>(menu) != nullptr; }

bool IsPopupMenu(Handle menu) {
  auto* object = Find<MenuObject>(menu);
  return object != nullptr && object->popup;
}

int GetMenuItemCount(Handle menu) {
  auto* object = Find<MenuObject>(menu);
  return object != nullptr ? static_cast<int>(object->items.size()) : -1;
}

std::optional<MenuItem> GetMenuItem(Handle menu, int position) {
  const MenuItem* item = ItemAt(menu, position);
  if (item == nullptr) return std::nullopt;
  return *item;
}

bool InsertMenuItem(Handle menu, int position, MenuItem item) {
  auto* object = Find<MenuObject>(menu);
  if (object == nullptr) return false;
  const bool inside = position >= 0 && static_cast<std::size_t>(position) < object->items.size();
  object->items.insert(inside ? object->items.begin() + position : object->items.end(),
                       std::move(item));
  return true;
}

bool RemoveMenuItem(Handle menu, int position) {
  MenuObject* object = nullptr;
  if (ItemAt(menu, position, &object) == nullptr) return false;
  object->items.erase(object->items.begin() + position);
  return true;
}

bool UpdateMenuItem(Handle menu, int position, const MenuItem& item) {
  MenuItem* entry = ItemAt(menu, position);
  if (entry == nullptr) return false;
  // As setting a string does on Windows, a new text makes an owner-drawn entry a plain one.
  const bool keepOwnerDraw = item.text == entry->text;
  if (!keepOwnerDraw) entry->data = 0;
  entry->id = item.id;
  entry->type = (item.type & ~kItemOwnerDraw) | (keepOwnerDraw ? entry->type & kItemOwnerDraw : 0);
  entry->state = item.state;
  entry->submenu = item.submenu;
  entry->text = item.text;
  return true;
}

namespace {

// Sets a field of the entry; the observer hears of it through `tell` when the value differs.
template <typename Tell>
bool Change(Handle menu, int position, std::uint32_t MenuItem::*field, std::uint32_t value,
            Tell tell) {
  MenuObject* object = nullptr;
  MenuItem* entry = ItemAt(menu, position, &object);
  if (entry == nullptr) return false;
  if (entry->*field == value) return true;
  entry->*field = value;
  if (object->observer != nullptr) tell(*object->observer);
  return true;
}

}  // namespace

bool SetMenuItemState(Handle menu, int position, std::uint32_t state) {
  return Change(menu, position, &MenuItem::state, state,
                [&](MenuObserver& observer) { observer.StateChanged(menu, position, state); });
}

bool SetMenuItemId(Handle menu, int position, std::uint32_t id) {
  return Change(menu, position, &MenuItem::id, id,
                [&](MenuObserver& observer) { observer.IdChanged(menu, position, id); });
}

bool SetMenuItemData(Handle menu, int position, uintptr_t data) {
  MenuItem* entry = ItemAt(menu, position);
  if (entry == nullptr) return false;
  entry->data = data;
  return true;
}

bool SetMenuItemOwnerDraw(Handle menu, int position, bool ownerDraw) {
  MenuItem* entry = ItemAt(menu, position);
  if (entry == nullptr) return false;
  entry->type = ownerDraw ? entry->type | kItemOwnerDraw : entry->type & ~kItemOwnerDraw;
  return true;
}

}  // namespace ornasys
