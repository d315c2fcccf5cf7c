// The registries and the exported operations.
#include "ornamo/library.h"

#include <algorithm>
#include <cstring>

#include "ornamo/record.h"
#include "sys/menus.h"
#include "sys/objects.h"
#include "sys/windows.h"

namespace ornamo {

Library* Library::current_ = nullptr;

namespace {

// The library's own bitmap resource: an 8 × 8 checkerboard for the cells of checked entries.
std::optional<ornasys::Picture> LoadOwnResource(std::string_view name) {
  if (name != "HalftonePattern") return std::nullopt;
  ornasys::Picture pattern(8, 8);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      pattern.Set(x, y, (x + y) % 2 == 0 ? ornasys::Rgb(0, 0, 0) : ornasys::Rgb(255, 255, 255));
    }
  }
  return pattern;
}

}  // namespace

Library::Library(Options options) : options_(std::move(options)) {
  heap_ = UtlHeapCreate();
  job_ = UtlJobOpen(options_.module.c_str());
  resources_ = ornasys::RegisterModule(options_.module, LoadOwnResource);
  current_ = this;
}

Library::~Library() {
  while (!windows_.empty()) {
    auto first = windows_.begin();
    const Handle handle = first->first;
    Window window = std::move(first->second);
    windows_.erase(first);
    FreeWindow(handle, window);
  }
  ornasys::UnregisterModule(resources_);
  UtlJobClose(job_);
  UtlHeapDestroy(heap_);
  if (current_ == this) current_ = nullptr;
}

std::int32_t Library::Version(std::int32_t kind) {
  switch (kind) {
    case 0:
      return ORNAMO_VERSION_MAJOR * 256 + ORNAMO_VERSION_MINOR;
    case 1:
      return ORNAMO_VERSION_MAJOR;
    case 2:
      return ORNAMO_VERSION_MINOR;
    default:
      return -1;
  }
}

void Library::Attach(Handle window) {
  if (window == 0) return;
  if (window == ORM_EMPTY_POPUPS) {
    disableEmptyPopups_ = false;
    return;
  }
  Window* object = FindWindow(window);
  if (object == nullptr) {
    if (!ornasys::IsWindow(window)) return;
    Window fresh;
    // Windows before 3.51 cannot be subclassed this way; their menus stay plain.
    if (options_.system.word > 0x0333) {
      fresh.subclass = Subclass(window, &Library::WindowProcedure, kSubclassName);
    }
    object = &windows_.emplace(window, std::move(fresh)).first->second;
  }
  object->tables.emplace_back();
}

void Library::Detach(Handle window) {
  if (window == 0) return;
  if (window == ORM_EMPTY_POPUPS) {
    disableEmptyPopups_ = true;
    return;
  }
  const auto found = windows_.find(window);
  if (found == windows_.end()) return;
  Window& object = found->second;
  if (!object.tables.empty()) {
    FreeTable(object.tables.back());
    object.tables.pop_back();
  }
  if (object.tables.empty()) {
    Window gone = std::move(object);
    windows_.erase(found);
    FreeWindow(window, gone);
  }
}

std::int32_t Library::AddItem(Handle window, OrmMenuItem* item) {
  if (item == nullptr || item->size != ORM_ITEM_SIZE || item->command == 0) return 0;
  EntryTable* table = TopTable(window);
  if (table == nullptr) return 0;
  item->sharedPicture %= 2000;
  const auto found = table->records.find(item->command);
  if (found != table->records.end()) {
    std::memcpy(found->second, item, sizeof *item);
    return 1;
  }
  return NewRecord(*table, *item) != nullptr ? 1 : 0;
}

std::int32_t Library::AddItemCtl(Handle window, std::uint32_t command, std::uint32_t picture) {
  OrmMenuItem item{};
  item.size = ORM_ITEM_SIZE;
  item.command = command;
  item.sharedPicture = picture;
  return AddItem(window, &item);
}

std::int32_t Library::GetItem(Handle window, std::uint32_t command, OrmMenuItem* item) const {
  if (item == nullptr || item->size != ORM_ITEM_SIZE) return 0;
  const EntryTable* table = TopTable(window);
  if (table == nullptr) return 0;
  const auto found = table->records.find(command);
  if (found == table->records.end()) return 0;
  std::memcpy(item, found->second, sizeof *item);
  return 1;
}

std::uint32_t Library::GetItemCtl(Handle window, std::uint32_t command) const {
  const EntryTable* table = TopTable(window);
  if (table == nullptr) return 0;
  const auto found = table->records.find(command);
  return found != table->records.end() ? found->second->sharedPicture : 0;
}

std::int32_t Library::SetItemText(Handle window, std::uint32_t command, std::string_view text) {
  EntryTable* table = TopTable(window);
  if (table == nullptr) return 0;
  const auto found = table->records.find(command);
  if (found == table->records.end()) return 0;
  SetTextOf(*found->second, text);
  return 1;
}

void Library::AddGraphics(Handle menu, Handle bitmap, bool stretch) {
  if (!ornasys::IsMenu(menu) || ornasys::GetBitmap(bitmap) == nullptr) return;
  bands_[menu] = Band{bitmap, stretch};
  bandPaintings_.erase(menu);
}

std::int32_t Library::ReleaseGraphics(Handle menu) {
  bandPaintings_.erase(menu);
  return bands_.erase(menu) != 0 ? 1 : 0;
}

void Library::ForceUniqueIds(Handle menu, std::uint32_t first) {
  std::vector<Handle> visited;
  std::uint32_t next = first;
  const std::function<void(Handle)> walk = [&](Handle current) {
    if (!ornasys::IsMenu(current) ||
        std::find(visited.begin(), visited.end(), current) != visited.end()) {
      return;
    }
    visited.push_back(current);
    const int count = ornasys::GetMenuItemCount(current);
    for (int position = 0; position < count; ++position) {
      const auto item = ornasys::GetMenuItem(current, position);
      if (!item || item->submenu == 0) continue;
      ornasys::SetMenuItemId(current, position, next++);
      walk(item->submenu);
    }
  };
  walk(menu);
}

bool Library::IsAttached(Handle window) const { return FindWindow(window) != nullptr; }

void Library::Debug(std::string_view text) const {
  const std::string line(text);
  UtlDebugOutput(job_, line.c_str());
}

OrmMenuItem* Library::RecordOf(uintptr_t data) const {
  auto* record = reinterpret_cast<OrmMenuItem*>(data);
  return data != 0 && records_.count(record) != 0 ? record : nullptr;
}

Library::Window* Library::FindWindow(Handle window) {
  const auto found = windows_.find(window);
  return found != windows_.end() ? &found->second : nullptr;
}

const Library::Window* Library::FindWindow(Handle window) const {
  const auto found = windows_.find(window);
  return found != windows_.end() ? &found->second : nullptr;
}

Library::EntryTable* Library::TopTable(Handle window) {
  Window* object = FindWindow(window);
  return object != nullptr && !object->tables.empty() ? &object->tables.back() : nullptr;
}

const Library::EntryTable* Library::TopTable(Handle window) const {
  const Window* object = FindWindow(window);
  return object != nullptr && !object->tables.empty() ? &object->tables.back() : nullptr;
}

OrmMenuItem* Library::NewRecord(EntryTable& table, const OrmMenuItem& source) {
  auto* record = static_cast<OrmMenuItem*>(UtlHeapAlloc(heap_, sizeof(OrmMenuItem)));
  if (record == nullptr) return nullptr;
  std::memcpy(record, &source, sizeof source);
  table.records[source.command] = record;
  records_.emplace(record, std::vector<Handle>());
  return record;
}

void Library::NoteUser(OrmMenuItem* record, Handle menu) {
  auto& menus = records_[record];
  if (std::find(menus.begin(), menus.end(), menu) == menus.end()) menus.push_back(menu);
}

void Library::FreeTable(EntryTable& table) {
  for (auto& [command, record] : table.records) {
    // Entries that carry the record become plain entries again, painted by the toolkit, and
    // the next preparation gives them a record of the table below, if any.
    const auto users = records_.find(record);
    if (users != records_.end()) {
      for (const Handle menu : users->second) {
        const int count = ornasys::GetMenuItemCount(menu);
        for (int position = 0; position < count; ++position) {
          const auto item = ornasys::GetMenuItem(menu, position);
          if (item && item->data == reinterpret_cast<uintptr_t>(record)) {
            ornasys::SetMenuItemData(menu, position, 0);
            ornasys::SetMenuItemOwnerDraw(menu, position, false);
          }
        }
      }
      records_.erase(users);
    }
    UtlHeapFree(heap_, record);
  }
  table.records.clear();
}

void Library::FreeWindow(Handle handle, Window& window) {
  if (!window.tables.empty()) Debug("ORM: WRN: Menu list not empty\n");
  while (!window.tables.empty()) {
    FreeTable(window.tables.back());
    window.tables.pop_back();
  }
  UndoSubclass(handle, window.subclass, [this](const std::string& text) { Debug(text); });
  window.subclass = nullptr;
}

intptr_t Library::WindowProcedure(Handle window, std::uint32_t message, uintptr_t wParam,
                                  intptr_t lParam) {
  Library* library = current_;
  const Window* object = library != nullptr ? library->FindWindow(window) : nullptr;
  const OrsWindowProc previous = object != nullptr && object->subclass != nullptr
                                     ? object->subclass->previous
                                     : ornasys::DefaultWindowProcedure;
  if (object == nullptr) {
    return ornasys::CallWindowProcedure(previous, window, message, wParam, lParam);
  }
  switch (message) {
    case ORS_WM_DRAWITEM:
      if (wParam == 0 && lParam != 0 &&
          library->Paint(*reinterpret_cast<const OrsDrawItem*>(lParam))) {
        return 0;
      }
      break;
    case ORS_WM_MEASUREITEM:
      if (wParam == 0 && lParam != 0 &&
          library->Measure(*reinterpret_cast<OrsMeasureItem*>(lParam))) {
        return 0;
      }
      break;
    case ORS_WM_INITMENUPOPUP: {
      const intptr_t result =
          ornasys::CallWindowProcedure(previous, window, message, wParam, lParam);
      // The previous procedure may have detached the library meanwhile.
      if (((static_cast<uintptr_t>(lParam) >> 16) & 0xFFFF) == 0 && current_ == library &&
          library->IsAttached(window)) {
        library->PreparePopup(window, static_cast<Handle>(wParam));
      }
      return result;
    }
    case ORS_WM_MENUCHAR:
      if (((wParam >> 16) & 0xFFFF) == ORS_MF_POPUP) {
        const std::int32_t answer = library->MenuCharacter(
            static_cast<unsigned char>(wParam & 0xFF), static_cast<Handle>(lParam));
        if (answer != 0) return answer;
      }
      break;
    default:
      break;
  }
  return ornasys::CallWindowProcedure(previous, window, message, wParam, lParam);
}

}  // namespace ornamo
