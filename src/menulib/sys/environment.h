// What the host's toolkit tells the window system: system colours, the menu check-mark size,
// the menu font, the text engine, which keys are held down, and the beep.
//
// A toolkit adapter sets these when it starts and again when the desktop's settings change;
// until then Windows' classic values stand in, with the built-in block text engine.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "sys/graphics.h"
#include "sys/text.h"

namespace ornasys {

// The system colours that menus use.
enum class SystemColour {
  kMenu,           // menu background
  kMenuText,       // menu text
  kHighlightText,  // text of the selected entry
  kActiveCaption,  // background of the selected entry
  kShadow3D,       // dark side of 3-D frames
  kHighlight3D,    // light side of 3-D frames
  kLight3D,        // the light line beside 3-D frames
  kCount
};

// The current colour.
ORNASYS_EXPORT Colour GetSystemColour(SystemColour which);
// Sets a colour.
ORNASYS_EXPORT void SetSystemColour(SystemColour which, Colour colour);

// The size of the menu check mark.
ORNASYS_EXPORT Size GetMenuCheckMarkSize();
// Sets it; sizes below 1 count as 1.
ORNASYS_EXPORT void SetMenuCheckMarkSize(Size size);

// The menu font of the desktop; nothing when it cannot be read.
ORNASYS_EXPORT std::optional<Font> GetMenuFont();
// Sets or clears the menu font.
ORNASYS_EXPORT void SetMenuFont(std::optional<Font> font);

// The toolkit's default font for controls, used when the menu font cannot be read.
ORNASYS_EXPORT Font GetDefaultGuiFont();
// Sets it.
ORNASYS_EXPORT void SetDefaultGuiFont(const Font& font);

// The text engine; never null.
ORNASYS_EXPORT TextEngine& GetTextEngine();
// Installs `engine` (not owned; it must outlive its use), or the built-in one for null.
ORNASYS_EXPORT void SetTextEngine(TextEngine* engine);

// Virtual key codes of the navigation keys.
inline constexpr int kKeyPageUp = 0x21;
inline constexpr int kKeyPageDown = 0x22;
inline constexpr int kKeyEnd = 0x23;
inline constexpr int kKeyHome = 0x24;
inline constexpr int kKeyLeft = 0x25;
inline constexpr int kKeyUp = 0x26;
inline constexpr int kKeyRight = 0x27;
inline constexpr int kKeyDown = 0x28;

// True while the key is held down, as the toolkit reported it.
ORNASYS_EXPORT bool IsKeyDown(int key);
// The toolkit reports a key going down or up.
ORNASYS_EXPORT void SetKeyDown(int key, bool down);

// The operating system as the libraries classify it.
struct SystemVersion {
  // Major version in the high byte, minor in the low byte.
  std::uint16_t word = 0;
  // 8 Win32s; 16, 17, 18 Windows 95, 98, Me; 0x20 NT workstation, 0x40 NT server.
  std::uint32_t classification = 0;
};

// This platform counts as an NT workstation of the current family (version 10.0).
ORNASYS_EXPORT SystemVersion GetSystemVersion();

// The 8-bit code page of texts: Windows-1252, which has no lead bytes.
inline constexpr int kAnsiCodePage = 1252;

// Sounds the system beep.
ORNASYS_EXPORT void Beep();
// Installs the toolkit's beep; an empty function restores the default (a bell on the terminal).
ORNASYS_EXPORT void SetBeepHandler(std::function<void()> beep);

// Puts every value above back to its default (for a toolkit that goes away, and for tests).
ORNASYS_EXPORT void ResetEnvironment();

}  // namespace ornasys
