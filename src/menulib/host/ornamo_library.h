// libOrnamo.so loaded at run time, with its thirteen functions looked up, as a host uses it.
#pragma once

#include <optional>
#include <string>

#include "ornamo.h"
#include "platform/shared_library.h"

namespace ornamo {

// The library's functions; valid while the object lives.
struct OrnamoLibrary {
  OrmGetVersionFn GetVersion = nullptr;
  OrmAttachMenuFn AttachMenu = nullptr;
  OrmDetachMenuFn DetachMenu = nullptr;
  OrmAddMenuItemFn AddMenuItem = nullptr;
  OrmAddMenuItemCtlFn AddMenuItemCtl = nullptr;
  OrmGetMenuItemFn GetMenuItem = nullptr;
  OrmGetMenuItemCtlFn GetMenuItemCtl = nullptr;
  OrmSetMenuItemTextAFn SetMenuItemTextA = nullptr;
  OrmSetMenuItemTextWFn SetMenuItemTextW = nullptr;
  OrmAddMenuGraphicsFn AddMenuGraphics = nullptr;
  OrmReleaseMenuGraphicsFn ReleaseMenuGraphics = nullptr;
  OrmForceMenuLoadedFn ForceMenuLoaded = nullptr;
  OrmForceUniqueIDsFn ForceUniqueIDs = nullptr;
  trimora::SharedLibrary library;

  // The file name under which hosts load the library.
  static constexpr char kFileName[] = "libOrnamo.so.8";

  // Loads the library file `path`; nothing (and the reason in `*error`) when it cannot be
  // loaded or lacks one of its functions.
  static std::optional<OrnamoLibrary> Load(const std::string& path, std::string* error);

  // Unloads the library; the functions are gone afterwards.
  void Unload();
};

}  // namespace ornamo
