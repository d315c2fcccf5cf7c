// Windows of the window system: a procedure that receives the window's messages, named
// properties, and the window's menu bar.
//
// A window starts with the procedure its host gives it (the base). Whoever subclasses the
// window replaces the procedure and hands on, through CallWindowProcedure, what it does not
// handle; the host is told whether its window is subclassed, so that it can route its
// toolkit's menu events into the procedure only while someone listens.
#pragma once

#include <cstdint>
#include <string_view>

#include "sys/handles.h"

namespace ornasys {

using WindowProcedure = OrsWindowProc;

// The host's side of a window.
class ORNASYS_EXPORT WindowObserver {
 public:
  virtual ~WindowObserver();
  // The window's procedure changed; `subclassed` is false when it is the base again.
  virtual void ProcedureChanged(Handle window, bool subclassed) = 0;
};

// The procedure of windows that handle nothing themselves: answers 0.
ORNASYS_EXPORT intptr_t DefaultWindowProcedure(Handle window, std::uint32_t message,
                                               uintptr_t wParam, intptr_t lParam);

// A window with the base procedure `base` (the default procedure when null) and an optional
// observer (not owned; it must outlive the window).
ORNASYS_EXPORT Handle CreateWindow(WindowProcedure base = nullptr,
                                   WindowObserver* observer = nullptr);
// Destroys the window and forgets its properties; false when it is none.
ORNASYS_EXPORT bool DestroyWindow(Handle window);
// True for a live window.
ORNASYS_EXPORT bool IsWindow(Handle window);

// The window's current procedure; null when it is none.
ORNASYS_EXPORT WindowProcedure GetWindowProcedure(Handle window);
// Replaces the procedure and returns the previous one; null (and nothing changed) when the
// window or the procedure is null.
ORNASYS_EXPORT WindowProcedure SetWindowProcedure(Handle window, WindowProcedure procedure);
// Calls `procedure` with the message; 0 when it is null.
ORNASYS_EXPORT intptr_t CallWindowProcedure(WindowProcedure procedure, Handle window,
                                            std::uint32_t message, uintptr_t wParam,
                                            intptr_t lParam);
// Calls the window's current procedure; 0 when it is no window.
ORNASYS_EXPORT intptr_t SendMessage(Handle window, std::uint32_t message, uintptr_t wParam,
                                    intptr_t lParam);

// Sets a named property; false when it is no window.
ORNASYS_EXPORT bool SetProperty(Handle window, std::string_view name, uintptr_t value);
// A property's value; 0 when unset or no window.
ORNASYS_EXPORT uintptr_t GetProperty(Handle window, std::string_view name);
// Removes a property and returns its value (0 when unset).
ORNASYS_EXPORT uintptr_t RemoveProperty(Handle window, std::string_view name);

// The window's menu bar, or 0.
ORNASYS_EXPORT Handle GetMenu(Handle window);
// Gives the window a menu bar (0 for none); false when it is no window.
ORNASYS_EXPORT bool SetMenu(Handle window, Handle menu);

}  // namespace ornasys
