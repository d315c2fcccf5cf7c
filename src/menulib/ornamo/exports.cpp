// The exported functions of libOrnamo.so and the library's load and unload.
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "ornamo.h"
#include "ornamo/ansi.h"
#include "ornamo/library.h"
#include "platform/shared_library.h"

namespace {

// The library while it is loaded.
std::unique_ptr<ornamo::Library>& TheLibrary() {
  static std::unique_ptr<ornamo::Library> library;
  return library;
}

ornamo::Library* Loaded() { return TheLibrary().get(); }

// Reports what the loader made of the library's own image: where it lies, and any segment
// that is both writable and executable.
void InspectImage(const ornamo::Library& library) {
  const auto image = trimora::DescribeModule(reinterpret_cast<const void*>(&OrmGetVersion));
  if (!image) {
    library.Debug("ORM: WRN: own image not found\n");
    return;
  }
  char line[512];
  std::snprintf(line, sizeof line, "ORM: %d.%d %s at 0x%" PRIxPTR ", %zu segments\n",
                ORNAMO_VERSION_MAJOR, ORNAMO_VERSION_MINOR, image->file.c_str(), image->base,
                image->segments.size());
  library.Debug(line);
  for (const trimora::ModuleSegment& segment : image->segments) {
    if (segment.writable && segment.executable) {
      std::snprintf(line, sizeof line,
                    "ORM: WRN: segment at 0x%" PRIxPTR " (%zu bytes) is writable and executable\n",
                    segment.address, segment.size);
      library.Debug(line);
    }
  }
}

// The module's name from its file: "libOrnamo.so.8" is "Ornamo".
std::string ModuleName() {
  std::string name = trimora::ModuleFileOf(reinterpret_cast<const void*>(&OrmGetVersion));
  name = name.substr(name.find_last_of('/') + 1);
  if (name.rfind("lib", 0) == 0) name.erase(0, 3);
  name = name.substr(0, name.find(".so"));
  return name.empty() ? "Ornamo" : name;
}

// Loading opens heap and job under the module's name, records the system's classification and
// inspects the image; unloading frees every window object and closes heap and job.
struct LoadAndUnload {
  LoadAndUnload() {
    ornamo::Library::Options options;
    options.module = ModuleName();
    TheLibrary() = std::make_unique<ornamo::Library>(options);
    InspectImage(*TheLibrary());
  }
  ~LoadAndUnload() { TheLibrary().reset(); }
} loadAndUnload;

}  // namespace

extern "C" {

int32_t OrmGetVersion(int32_t kind) { return ornamo::Library::Version(kind); }

void OrmAttachMenu(OrsHandle window) {
  if (auto* library = Loaded()) library->Attach(window);
}

void OrmDetachMenu(OrsHandle window) {
  if (auto* library = Loaded()) library->Detach(window);
}

int32_t OrmAddMenuItem(OrsHandle window, OrmMenuItem* item) {
  auto* library = Loaded();
  return library != nullptr ? library->AddItem(window, item) : 0;
}

int32_t OrmAddMenuItemCtl(OrsHandle window, uint32_t command, uint32_t sharedPicture) {
  auto* library = Loaded();
  return library != nullptr ? library->AddItemCtl(window, command, sharedPicture) : 0;
}

int32_t OrmGetMenuItem(OrsHandle window, uint32_t command, OrmMenuItem* item) {
  auto* library = Loaded();
  return library != nullptr ? library->GetItem(window, command, item) : 0;
}

uint32_t OrmGetMenuItemCtl(OrsHandle window, uint32_t command) {
  auto* library = Loaded();
  return library != nullptr ? library->GetItemCtl(window, command) : 0;
}

int32_t OrmSetMenuItemTextA(OrsHandle window, uint32_t command, const char* text) {
  auto* library = Loaded();
  if (library == nullptr || text == nullptr) return 0;
  return library->SetItemText(window, command,
                              std::string_view(text, strnlen(text, sizeof(OrmMenuItem::text) - 1)));
}

int32_t OrmSetMenuItemTextW(OrsHandle window, uint32_t command, const uint16_t* text) {
  if (text == nullptr) return 0;
  // No more than twice the text field is read: enough for 128 characters of the code page.
  const std::string ansi = ornamo::Utf16ToAnsi(text, 2 * sizeof(OrmMenuItem::text));
  return OrmSetMenuItemTextA(window, command, ansi.c_str());
}

void OrmAddMenuGraphics(OrsHandle menu, OrsHandle bitmap, int32_t stretch) {
  if (auto* library = Loaded()) library->AddGraphics(menu, bitmap, stretch != 0);
}

int32_t OrmReleaseMenuGraphics(OrsHandle menu) {
  auto* library = Loaded();
  return library != nullptr ? library->ReleaseGraphics(menu) : 0;
}

void OrmForceMenuLoaded(OrsHandle window, OrsHandle menu) {
  if (auto* library = Loaded()) library->ForceLoaded(window, menu);
}

void OrmForceUniqueIDs(OrsHandle menu, uint32_t firstId) {
  ornamo::Library::ForceUniqueIds(menu, firstId);
}

}  // extern "C"
