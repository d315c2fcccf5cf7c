// Windows, their procedures and properties.
#include "sys/windows.h"

#include <map>
#include <string>

namespace ornasys {
namespace {

struct WindowObject : Object {
  static constexpr Kind kKind = Kind::kWindow;
  WindowProcedure base = nullptr;
  WindowProcedure procedure = nullptr;
  WindowObserver* observer = nullptr;
  std::map<std::string, uintptr_t, std::less<>> properties;
  Handle menu = 0;
};

}  // namespace

WindowObserver::~WindowObserver() = default;

intptr_t DefaultWindowProcedure(Handle, std::uint32_t, uintptr_t, intptr_t) { return 0; }

Handle CreateWindow(WindowProcedure base, WindowObserver* observer) {
  auto object = std::make_unique<WindowObject>();
  object->base = base != nullptr ? base : DefaultWindowProcedure;
  object->procedure = object->base;
  object->observer = observer;
  return IssueHandle(Kind::kWindow, std::move(object));
}

bool DestroyWindow(Handle window) { return ReleaseHandle(window, Kind::kWindow); }

bool IsWindow(Handle window) { return Find<WindowObject>(window) != nullptr; }

WindowProcedure GetWindowProcedure(Handle window) {
  auto* object = Find<WindowObject>(window);
  return object != nullptr ? object->procedure : nullptr;
}

WindowProcedure SetWindowProcedure(Handle window, WindowProcedure procedure) {
  auto* object = Find<WindowObject>(window);
  if (object == nullptr || procedure == nullptr) return nullptr;
  const WindowProcedure previous = object->procedure;
  object->procedure = procedure;
  const bool was = previous != object->base;
  const bool is = procedure != object->base;
  if (object->observer != nullptr && was != is) object->observer->ProcedureChanged(window, is);
  return previous;
}

intptr_t CallWindowProcedure(WindowProcedure procedure, Handle window, std::uint32_t message,
                             uintptr_t wParam, intptr_t lParam) {
  return procedure != nullptr ? procedure(window, message, wParam, lParam) : 0;
}

intptr_t SendMessage(Handle window, std::uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return CallWindowProcedure(GetWindowProcedure(window), window, message, wParam, lParam);
}

bool SetProperty(Handle window, std::string_view name, uintptr_t value) {
  auto* object = Find<WindowObject>(window);
  if (object == nullptr) return false;
  object->properties.insert_or_assign(std::string(name), value);
  return true;
}

uintptr_t GetProperty(Handle window, std::string_view name) {
  auto* object = Find<WindowObject>(window);
  if (object == nullptr) return 0;
  const auto found = object->properties.find(name);
  return found != object->properties.end() ? found->second : 0;
}

uintptr_t RemoveProperty(Handle window, std::string_view name) {
  auto* object = Find<WindowObject>(window);
  if (object == nullptr) return 0;
  const auto found = object->properties.find(name);
  if (found == object->properties.end()) return 0;
  const uintptr_t value = found->second;
  object->properties.erase(found);
  return value;
}

Handle GetMenu(Handle window) {
  auto* object = Find<WindowObject>(window);
  return object != nullptr ? object->menu : 0;
}

bool SetMenu(Handle window, Handle menu) {
  auto* object = Find<WindowObject>(window);
  if (object == nullptr) return false;
  object->menu = menu;
  return true;
}

}  // namespace ornasys
