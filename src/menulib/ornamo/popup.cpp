// Popup preparation, measuring entries and the mnemonic search.
#include <algorithm>

#include "ornamo/ansi.h"
#include "ornamo/library.h"
#include "ornamo/record.h"
#include "ornamo/strips.h"
#include "sys/environment.h"
#include "sys/menus.h"
#include "sys/objects.h"
#include "sys/text.h"

namespace ornamo {
namespace {

constexpr std::uint32_t kOffState = ornasys::kItemGrayed | ornasys::kItemDisabled;

// The menu font, bold for default entries.
ornasys::Font EntryFont(bool bold) {
  ornasys::Font font = ornasys::GetMenuFont().value_or(ornasys::GetDefaultGuiFont());
  if (bold) font.weight = 700;
  return font;
}

// The size of a resource picture: the record's width and height where set, else the bitmap's.
void ResourceSize(OrmMenuItem& record) {
  const ornasys::Handle bitmap =
      ornasys::LoadBitmapResource(record.resourceModule, ResourceNameFor(record));
  const ornasys::Picture* picture = ornasys::GetBitmap(bitmap);
  if (record.pictureWidth == 0) record.pictureWidth = picture != nullptr ? picture->Width() : 0;
  if (record.pictureHeight == 0) record.pictureHeight = picture != nullptr ? picture->Height() : 0;
  ornasys::DeleteObject(bitmap);
}

}  // namespace

void Library::PictureSize(OrmMenuItem& record) const {
  if (record.sharedPicture != 0) {
    // Tall pictures come from strips for tall entries: the record's picture height, once
    // known, chooses the strip; before that the check-mark height does.
    const std::int32_t height =
        record.pictureHeight != 0 ? record.pictureHeight : ornasys::GetMenuCheckMarkSize().height;
    const auto strip = FindStrip(record.sharedPicture, height);
    record.pictureWidth = strip ? static_cast<std::int32_t>(strip->pictureWidth) : 16;
    record.pictureHeight = strip ? static_cast<std::int32_t>(strip->pictureHeight) : 15;
  } else if (record.icon != 0) {
    record.pictureWidth = 16;
    record.pictureHeight = 16;
  } else if (record.bitmap != 0) {
    const ornasys::Picture* bitmap = ornasys::GetBitmap(record.bitmap);
    if (bitmap != nullptr && record.pictureWidth == 0) {
      record.pictureWidth = std::max(bitmap->Width() - record.pictureX, 0);
    }
    if (bitmap != nullptr && record.pictureHeight == 0) {
      record.pictureHeight = std::max(bitmap->Height() - record.pictureY, 0);
    }
  } else if (record.resourceModule != 0) {
    ResourceSize(record);
  } else {
    record.pictureWidth = 0;
    record.pictureHeight = 0;
  }
}

bool Library::AllLeavesDisabled(Handle menu, std::vector<Handle>& visited) const {
  if (std::find(visited.begin(), visited.end(), menu) != visited.end()) return true;
  visited.push_back(menu);
  const int count = ornasys::GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    const auto item = ornasys::GetMenuItem(menu, position);
    if (!item || (item->type & ornasys::kItemSeparator) != 0) continue;
    if (item->submenu != 0) {
      if (!AllLeavesDisabled(item->submenu, visited)) return false;
    } else if ((item->state & kOffState) == 0) {
      return false;
    }
  }
  return true;
}

void Library::PreparePopup(Handle window, Handle menu) {
  EntryTable* table = TopTable(window);
  const int count = ornasys::GetMenuItemCount(menu);
  if (table == nullptr || count < 0) return;
  const bool nineX = (options_.system.classification & 0x60) == 0;
  const ornasys::Size checkMark = ornasys::GetMenuCheckMarkSize();
  ornasys::TextEngine& engine = ornasys::GetTextEngine();
  std::vector<OrmMenuItem*> prepared;
  std::int32_t widestText = 0;
  std::int32_t widestAccelerator = 0;
  for (int position = 0; position < count; ++position) {
    std::optional<ornasys::MenuItem> item = ornasys::GetMenuItem(menu, position);
    if (!item) continue;
    if (disableEmptyPopups_ && item->submenu != 0) {
      std::vector<Handle> visited{menu};
      const bool off = AllLeavesDisabled(item->submenu, visited);
      ornasys::SetMenuItemState(menu, position,
                                off ? item->state | kOffState : item->state & ~kOffState);
      item = ornasys::GetMenuItem(menu, position);
      if (!item) continue;
    }
    OrmMenuItem* record = RecordOf(item->data);
    if (record == nullptr) {
      const bool separator = (item->type & ornasys::kItemSeparator) != 0;
      const std::uint32_t id = item->id == 0 || separator ? PseudoIdentifier(menu) : item->id;
      auto found = table->records.find(id);
      if (found == table->records.end() && nineX && IsSystemCommand(id)) {
        found = table->records.find(id | 0xFFFF0000u);
      }
      if (found != table->records.end()) {
        record = found->second;
      } else {
        OrmMenuItem fresh{};
        fresh.size = ORM_ITEM_SIZE;
        fresh.command = id;
        record = NewRecord(*table, fresh);
        // Without memory the entry stays a plain entry that the toolkit paints.
        if (record == nullptr) continue;
      }
      SetTextOf(*record, std::string_view(item->text).substr(0, 255));
      record->menu = menu;
      ornasys::SetMenuItemData(menu, position, reinterpret_cast<uintptr_t>(record));
      ornasys::SetMenuItemOwnerDraw(menu, position, true);
      NoteUser(record, menu);
    }
    PictureSize(*record);
    const ornasys::Font font = EntryFont((item->state & ornasys::kItemDefault) != 0);
    const SplitText text = SplitAtTab(TextOf(*record));
    std::int32_t height = std::max(checkMark.height, record->pictureHeight);
    const ornasys::Size label = engine.Measure(font, text.label, 0);
    record->textWidth = label.width + 1;
    height = std::max(height, label.height + 1);
    const ornasys::Size accelerator =
        engine.Measure(font, "mmm" + std::string(text.accelerator), 0);
    record->acceleratorWidth = accelerator.width + 1;
    record->entryHeight = std::max(height, accelerator.height + 1);
    widestText = std::max(widestText, record->textWidth);
    widestAccelerator = std::max(widestAccelerator, record->acceleratorWidth);
    prepared.push_back(record);
  }
  for (OrmMenuItem* record : prepared) {
    record->textWidth = widestText;
    record->acceleratorWidth = widestAccelerator;
  }
}

void Library::PrepareAll(Handle window, Handle menu, std::vector<Handle>& visited) {
  if (!ornasys::IsMenu(menu) || std::find(visited.begin(), visited.end(), menu) != visited.end()) {
    return;
  }
  visited.push_back(menu);
  if (ornasys::IsPopupMenu(menu)) PreparePopup(window, menu);
  const int count = ornasys::GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    const auto item = ornasys::GetMenuItem(menu, position);
    if (item && item->submenu != 0) PrepareAll(window, item->submenu, visited);
  }
}

void Library::ForceLoaded(Handle window, Handle menu) {
  if (!IsAttached(window)) return;
  std::vector<Handle> visited;
  PrepareAll(window, menu, visited);
}

OrmMenuItem* Library::EntryRecord(std::uint32_t ctlType, std::uint32_t itemId,
                                  uintptr_t data) const {
  if (ctlType != ORS_ODT_MENU || IsSystemCommand(itemId)) return nullptr;
  return RecordOf(data);
}

bool Library::Measure(OrsMeasureItem& measure) {
  OrmMenuItem* record = EntryRecord(measure.ctlType, measure.itemId, measure.itemData);
  if (record == nullptr) return false;
  if (const auto callback =
          reinterpret_cast<OrmMeasureProc>(OrsProcedureAddress(record->measureCallback))) {
    return callback(record, &measure) != 0;
  }
  if (measure.itemId == 0) {
    measure.itemWidth = 16;
    measure.itemHeight = 10;
    return true;
  }
  const ornasys::Size checkMark = ornasys::GetMenuCheckMarkSize();
  const std::int32_t column = std::max(checkMark.width, 16);
  bool checked = false;
  const int count = ornasys::GetMenuItemCount(record->menu);
  for (int position = 0; position < count; ++position) {
    const auto item = ornasys::GetMenuItem(record->menu, position);
    if (item && item->data == measure.itemData) {
      checked = (item->state & ornasys::kItemChecked) != 0;
      break;
    }
  }
  std::int32_t width = record->textWidth +
                       (options_.system.classification == 17 ? column : record->acceleratorWidth);
  // A checked entry shows the 15 pixels high check mark; a taller entry keeps its height.
  std::int32_t height = checked ? std::max(record->entryHeight, 15) : record->entryHeight;
  const auto band = bands_.find(record->menu);
  if (band != bands_.end()) {
    if (const ornasys::Picture* bitmap = ornasys::GetBitmap(band->second.bitmap)) {
      width += bitmap->Width() + 2;
    }
  }
  width += column + 4;
  height += 3;
  measure.itemWidth = static_cast<std::uint32_t>(std::max(width, 0));
  measure.itemHeight = static_cast<std::uint32_t>(std::max(height, 0));
  return true;
}

std::int32_t Library::MenuCharacter(unsigned char character, Handle menu) {
  const unsigned char wanted = AnsiUpper(character);
  const int count = ornasys::GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    const auto item = ornasys::GetMenuItem(menu, position);
    if (!item || item->id == 0 || (item->state & kOffState) != 0) continue;
    OrmMenuItem* record = RecordOf(item->data);
    if (record == nullptr) continue;
    if (const auto callback =
            reinterpret_cast<OrmMnemonicProc>(OrsProcedureAddress(record->mnemonicCallback))) {
      const std::int32_t answer = callback(record, wanted, menu, position);
      if (answer != 0) return answer;
    }
    const std::string_view text = TextOf(*record);
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
      if (text[i] != '&') continue;
      if (text[i + 1] == '&') {
        ++i;
        continue;
      }
      if (AnsiUpper(static_cast<unsigned char>(text[i + 1])) == wanted) {
        return static_cast<std::int32_t>(position | ORS_MNC_EXECUTE << 16);
      }
      break;
    }
  }
  return 0;
}

}  // namespace ornamo
