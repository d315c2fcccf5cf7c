// Loading libOrnamo.so.
#include "host/ornamo_library.h"

#include <type_traits>

namespace ornamo {

std::optional<OrnamoLibrary> OrnamoLibrary::Load(const std::string& path, std::string* error) {
  auto library = trimora::SharedLibrary::Open(path, error);
  if (!library) return std::nullopt;
  OrnamoLibrary ornamo;
  bool complete = true;
  const auto find = [&](auto& function, const char* name) {
    function = library->Function<std::remove_reference_t<decltype(function)>>(name);
    if (function == nullptr) {
      complete = false;
      if (error != nullptr) *error = std::string("missing function ") + name;
    }
  };
  find(ornamo.GetVersion, "OrmGetVersion");
  find(ornamo.AttachMenu, "OrmAttachMenu");
  find(ornamo.DetachMenu, "OrmDetachMenu");
  find(ornamo.AddMenuItem, "OrmAddMenuItem");
  find(ornamo.AddMenuItemCtl, "OrmAddMenuItemCtl");
  find(ornamo.GetMenuItem, "OrmGetMenuItem");
  find(ornamo.GetMenuItemCtl, "OrmGetMenuItemCtl");
  find(ornamo.SetMenuItemTextA, "OrmSetMenuItemTextA");
  find(ornamo.SetMenuItemTextW, "OrmSetMenuItemTextW");
  find(ornamo.AddMenuGraphics, "OrmAddMenuGraphics");
  find(ornamo.ReleaseMenuGraphics, "OrmReleaseMenuGraphics");
  find(ornamo.ForceMenuLoaded, "OrmForceMenuLoaded");
  find(ornamo.ForceUniqueIDs, "OrmForceUniqueIDs");
  if (!complete) return std::nullopt;
  ornamo.library = std::move(*library);
  return ornamo;
}

void OrnamoLibrary::Unload() { *this = OrnamoLibrary{}; }

}  // namespace ornamo
