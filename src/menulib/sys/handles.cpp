// The handle table: slots with generations.
#include "sys/handles.h"

#include <vector>

namespace ornasys {
namespace {

constexpr int kKindShift = 28;
constexpr int kGenerationShift = 16;
constexpr std::uint32_t kGenerationMask = 0xFFF;
constexpr std::uint32_t kSlotMask = 0xFFFF;

struct Slot {
  Kind kind = Kind::kWindow;
  std::uint32_t generation = 1;
  std::unique_ptr<Object> object;
};

// Slot 0 is never used, so that no handle has a zero low word.
struct Table {
  std::vector<Slot> slots = std::vector<Slot>(1);
  std::vector<std::uint32_t> free;
};

Table& TheTable() {
  static Table* table = new Table;  // outlives every static object that still holds handles
  return *table;
}

Slot* SlotOf(Handle handle, Kind kind) {
  Table& table = TheTable();
  const std::uint32_t index = handle & kSlotMask;
  if (index == 0 || index >= table.slots.size()) return nullptr;
  Slot& slot = table.slots[index];
  if (slot.object == nullptr || slot.kind != kind ||
      slot.generation != ((handle >> kGenerationShift) & kGenerationMask) ||
      static_cast<std::uint32_t>(kind) != handle >> kKindShift) {
    return nullptr;
  }
  return &slot;
}

}  // namespace

Handle IssueHandle(Kind kind, std::unique_ptr<Object> object) {
  if (object == nullptr) return 0;
  Table& table = TheTable();
  std::uint32_t index = 0;
  if (!table.free.empty()) {
    index = table.free.back();
    table.free.pop_back();
  } else if (table.slots.size() <= kHandleSlots) {
    index = static_cast<std::uint32_t>(table.slots.size());
    table.slots.emplace_back();
  } else {
    return 0;
  }
  Slot& slot = table.slots[index];
  slot.kind = kind;
  slot.object = std::move(object);
  return static_cast<std::uint32_t>(kind) << kKindShift | slot.generation << kGenerationShift |
         index;
}

Object* FindObject(Handle handle, Kind kind) {
  Slot* slot = SlotOf(handle, kind);
  return slot != nullptr ? slot->object.get() : nullptr;
}

bool ReleaseHandle(Handle handle, Kind kind) {
  Slot* slot = SlotOf(handle, kind);
  if (slot == nullptr) return false;
  // The object may release further handles while it is destroyed; take it out first.
  std::unique_ptr<Object> object = std::move(slot->object);
  slot->generation = slot->generation % kGenerationMask + 1;
  TheTable().free.push_back(handle & kSlotMask);
  object.reset();
  return true;
}

}  // namespace ornasys
