// Subclassing a window in the chain that the maker's libraries share.
//
// Every subclasser of a window keeps a record at the head of the chain in the window property
// "OrvSubclassList": its name, the procedure it replaced and the chain's previous head. Undoing
// is clean when the record is the head; otherwise later subclassers are unlinked first, with a
// warning on the debug channel.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "sys/windows.h"

namespace ornamo {

// The window property that holds the head of the chain.
inline constexpr char kSubclassListProperty[] = "OrvSubclassList";

// This library's record name.
inline constexpr char kSubclassName[] = "ORM8";

// A subclasser's record in the chain.
struct SubclassRecord {
  char name[8] = {};
  OrsWindowProc previous = nullptr;  // the procedure this subclasser replaced
  uintptr_t previousHead = 0;        // the chain's head before it
};

// Puts `procedure` in front of the window's procedure and the record at the head of the chain.
// Null when `window` is no window.
SubclassRecord* Subclass(ornasys::Handle window, OrsWindowProc procedure, const char* name);

// Undoes the subclassing that `record` stands for and frees the record. A window that no longer
// exists is simply forgotten. When the record is not the head of the chain, `warn` receives the
// warning and the records above it are unlinked first; when it is not in the chain at all, the
// window is left as it is.
void UndoSubclass(ornasys::Handle window, SubclassRecord* record,
                  const std::function<void(const std::string&)>& warn);

}  // namespace ornamo
