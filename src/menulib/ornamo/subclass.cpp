// The subclassing chain.
#include "ornamo/subclass.h"

#include <cstdio>
#include <cstring>

namespace ornamo {
namespace {

// Longest chain walked; more is taken for a broken chain.
constexpr int kLongestChain = 256;

}  // namespace

SubclassRecord* Subclass(ornasys::Handle window, OrsWindowProc procedure, const char* name) {
  if (!ornasys::IsWindow(window) || procedure == nullptr) return nullptr;
  auto* record = new SubclassRecord;
  std::strncpy(record->name, name, sizeof record->name - 1);
  record->previousHead = ornasys::GetProperty(window, kSubclassListProperty);
  record->previous = ornasys::SetWindowProcedure(window, procedure);
  ornasys::SetProperty(window, kSubclassListProperty, reinterpret_cast<uintptr_t>(record));
  return record;
}

void UndoSubclass(ornasys::Handle window, SubclassRecord* record,
                  const std::function<void(const std::string&)>& warn) {
  if (record == nullptr) return;
  if (ornasys::IsWindow(window)) {
    const uintptr_t head = ornasys::GetProperty(window, kSubclassListProperty);
    bool inChain = head == reinterpret_cast<uintptr_t>(record);
    if (!inChain) {
      char text[160];
      std::snprintf(text, sizeof text,
                    "WARNING: clsSubclassed::UndoSubclass: reverting subclass not possible\n"
                    " (wrong order: pSC=%08lx, this=%08lx)\n",
                    static_cast<unsigned long>(head),
                    static_cast<unsigned long>(reinterpret_cast<uintptr_t>(record)));
      if (warn) warn(text);
      uintptr_t link = head;
      for (int depth = 0; link != 0 && depth < kLongestChain && !inChain; ++depth) {
        const auto* above = reinterpret_cast<const SubclassRecord*>(link);
        link = above->previousHead;
        inChain = link == reinterpret_cast<uintptr_t>(record);
      }
    }
    if (inChain) {
      // Restoring the procedure this record replaced unlinks everything above it as well.
      ornasys::SetWindowProcedure(window, record->previous);
      if (record->previousHead != 0) {
        ornasys::SetProperty(window, kSubclassListProperty, record->previousHead);
      } else {
        ornasys::RemoveProperty(window, kSubclassListProperty);
      }
    }
  }
  delete record;
}

}  // namespace ornamo
