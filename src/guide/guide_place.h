// What the quick-start guide viewer and the help window read before they show themselves: their
// window class names, the viewer's window place under "Help\" and the skin choice. Plain C++.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/screen_area.h"
#include "platform/settings_schema.h"

namespace trimora::guide {

// The window class of the quick-start guide viewer Brevio.
inline constexpr const char* kGuideWindowClass = "TBrevioDialog";
// The window class of the help window.
inline constexpr const char* kHelpWindowClass = "THelpDialog";

// Posted by a second start of a program to the running instance: come to the front.
inline constexpr std::uint32_t kBringToFrontMessage = 0x8001;

// The viewer's smallest size (its first size is the default of its place settings).
inline constexpr int kGuideMinimumWidth = 270;
inline constexpr int kGuideMinimumHeight = 150;

// A window's place: left and top edge, width and height in pixels.
using WindowPlace = ScreenRect;

// The place stored in `settings`: width and height default to theirs, left and top to the place
// that centres the window on a screen of screenWidth x screenHeight, (screen size - window size)
// div 2.
WindowPlace ReadWindowPlace(const WindowPlaceSettings& settings, int screenWidth, int screenHeight);

// The viewer's stored place ("Help\" prefix, 445 x 310 centred by default).
WindowPlace ReadGuidePlace(int screenWidth, int screenHeight);

// `place` on the first of `screens` that it touches, or, when it lies wholly outside every one
// (a screen that has gone since the place was stored), the same size centred on the first
// screen; then fitted into that screen's area, no smaller than the viewer's smallest size.
WindowPlace KeepOnScreens(const WindowPlace& place, const std::vector<WindowPlace>& screens);

// True when the Standard skin is chosen (setting "StandardSkin").
bool StandardSkinChosen();

}  // namespace trimora::guide
