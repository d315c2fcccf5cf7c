// Drawing objects and resource modules.
#include "sys/objects.h"

#include <utility>

namespace ornasys {
namespace {

struct BitmapObject : Object {
  static constexpr Kind kKind = Kind::kBitmap;
  explicit BitmapObject(Picture p) : picture(std::move(p)) {}
  Picture picture;
};

struct IconObject : Object {
  static constexpr Kind kKind = Kind::kIcon;
  explicit IconObject(Picture p) : picture(std::move(p)) {}
  Picture picture;
};

struct BrushObject : Object {
  static constexpr Kind kKind = Kind::kBrush;
  Brush brush;
};

struct SurfaceObject : Object {
  static constexpr Kind kKind = Kind::kSurface;
  Surface surface;
};

struct ModuleObject : Object {
  static constexpr Kind kKind = Kind::kModule;
  std::string name;
  ResourceLoader loader;
};

}  // namespace

Handle CreateBitmap(Picture picture) {
  if (picture.IsEmpty()) return 0;
  return IssueHandle(Kind::kBitmap, std::make_unique<BitmapObject>(std::move(picture)));
}

Picture* GetBitmap(Handle bitmap) {
  auto* object = Find<BitmapObject>(bitmap);
  return object != nullptr ? &object->picture : nullptr;
}

Handle CreateIcon(Picture picture) {
  if (picture.IsEmpty()) return 0;
  return IssueHandle(Kind::kIcon, std::make_unique<IconObject>(std::move(picture)));
}

const Picture* GetIcon(Handle icon) {
  auto* object = Find<IconObject>(icon);
  return object != nullptr ? &object->picture : nullptr;
}

Handle CreateSolidBrush(Colour colour) {
  auto object = std::make_unique<BrushObject>();
  object->brush.colour = colour & 0xFFFFFF;
  return IssueHandle(Kind::kBrush, std::move(object));
}

Handle CreatePatternBrush(const Picture& pattern, Colour foreground, Colour background) {
  if (pattern.IsEmpty()) return 0;
  auto object = std::make_unique<BrushObject>();
  object->brush.colour = background & 0xFFFFFF;
  object->brush.pattern = Picture(pattern.Width(), pattern.Height());
  for (int y = 0; y < pattern.Height(); ++y) {
    for (int x = 0; x < pattern.Width(); ++x) {
      object->brush.pattern.Set(x, y, Luminance(pattern.At(x, y)) < 128 ? foreground : background);
    }
  }
  return IssueHandle(Kind::kBrush, std::move(object));
}

const Brush* GetBrush(Handle brush) {
  auto* object = Find<BrushObject>(brush);
  return object != nullptr ? &object->brush : nullptr;
}

void FillWithBrush(Picture& picture, const Rect& rect, const Brush& brush) {
  if (brush.pattern.IsEmpty()) {
    FillRect(picture, rect, brush.colour);
  } else {
    FillPattern(picture, rect, brush.pattern);
  }
}

Handle CreateSurface(int width, int height, Colour fill) {
  auto object = std::make_unique<SurfaceObject>();
  object->surface.picture = Picture(width, height, fill);
  object->surface.client = object->surface.picture.Bounds();
  object->surface.clip = object->surface.client;
  return IssueHandle(Kind::kSurface, std::move(object));
}

Surface* GetSurface(Handle surface) {
  auto* object = Find<SurfaceObject>(surface);
  return object != nullptr ? &object->surface : nullptr;
}

bool DeleteObject(Handle object) {
  for (const Kind kind : {Kind::kBitmap, Kind::kIcon, Kind::kBrush, Kind::kSurface}) {
    if (ReleaseHandle(object, kind)) return true;
  }
  return false;
}

Handle RegisterModule(std::string name, ResourceLoader loader) {
  auto object = std::make_unique<ModuleObject>();
  object->name = std::move(name);
  object->loader = std::move(loader);
  return IssueHandle(Kind::kModule, std::move(object));
}

bool UnregisterModule(Handle module) { return ReleaseHandle(module, Kind::kModule); }

std::string GetModuleName(Handle module) {
  auto* object = Find<ModuleObject>(module);
  return object != nullptr ? object->name : std::string();
}

Handle LoadBitmapResource(Handle module, std::string_view name) {
  auto* object = Find<ModuleObject>(module);
  if (object == nullptr || !object->loader) return 0;
  std::optional<Picture> picture = object->loader(name);
  if (!picture || picture->IsEmpty()) return 0;
  return CreateBitmap(std::move(*picture));
}

}  // namespace ornasys

namespace {

struct ProcedureObject : ornasys::Object {
  static constexpr ornasys::Kind kKind = ornasys::Kind::kProcedure;
  OrsProcedure procedure = nullptr;
};

}  // namespace

extern "C" {

OrsHandle OrsRegisterProcedure(OrsProcedure procedure) {
  if (procedure == nullptr) return 0;
  auto object = std::make_unique<ProcedureObject>();
  object->procedure = procedure;
  return ornasys::IssueHandle(ornasys::Kind::kProcedure, std::move(object));
}

OrsProcedure OrsProcedureAddress(OrsHandle procedure) {
  auto* object = ornasys::Find<ProcedureObject>(procedure);
  return object != nullptr ? object->procedure : nullptr;
}

int32_t OrsReleaseProcedure(OrsHandle procedure) {
  return ornasys::ReleaseHandle(procedure, ornasys::Kind::kProcedure) ? 1 : 0;
}

}  // extern "C"
