// The handle table: every object of the window system is known by a 32-bit handle.
//
// A handle carries the object's kind in its top four bits, a generation in the next twelve and
// the slot in the low sixteen, so that a stale or forged handle is recognised and never reaches
// an object of another kind, and so that live menus differ in their low sixteen bits.
#pragma once

#include <cstdint>
#include <memory>

#include "ornasys.h"

namespace ornasys {

using Handle = OrsHandle;

// The kinds of objects; the value is the top four bits of the handle.
enum class Kind : std::uint8_t {
  kWindow = 1,
  kMenu = 2,
  kBitmap = 3,
  kIcon = 4,
  kBrush = 5,
  kSurface = 6,
  kModule = 7,
  kProcedure = 8,
};

// An object in the table.
class Object {
 public:
  virtual ~Object() = default;
};

// Most objects that can live at once.
inline constexpr int kHandleSlots = 0xFFFF;

// Puts `object` into the table; 0 when the table is full or the object is null.
Handle IssueHandle(Kind kind, std::unique_ptr<Object> object);

// The object behind `handle` when it is live and of `kind`; else null.
Object* FindObject(Handle handle, Kind kind);

// Removes and destroys the object; false when `handle` is not a live object of `kind`.
bool ReleaseHandle(Handle handle, Kind kind);

// The typed object behind `handle`, or null.
template <typename T>
T* Find(Handle handle) {
  return static_cast<T*>(FindObject(handle, T::kKind));
}

}  // namespace ornasys
