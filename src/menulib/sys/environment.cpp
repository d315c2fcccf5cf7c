// The environment's values, with Windows' classic defaults.
#include "sys/environment.h"

#include <array>
#include <cstdio>
#include <set>

namespace ornasys {
namespace {

struct Environment {
  std::array<Colour, static_cast<std::size_t>(SystemColour::kCount)> colours{
      Rgb(0xD4, 0xD0, 0xC8),  // menu
      Rgb(0x00, 0x00, 0x00),  // menu text
      Rgb(0xFF, 0xFF, 0xFF),  // highlight text
      Rgb(0x0A, 0x24, 0x6A),  // active caption
      Rgb(0x80, 0x80, 0x80),  // 3-D shadow
      Rgb(0xFF, 0xFF, 0xFF),  // 3-D highlight
      Rgb(0xD4, 0xD0, 0xC8),  // 3-D light
  };
  Size checkMark{13, 13};
  std::optional<Font> menuFont;
  Font defaultGuiFont{"Sans", 11, 400, false};
  TextEngine* engine = nullptr;
  std::set<int> keysDown;
  std::function<void()> beep;
};

Environment& TheEnvironment() {
  static Environment* environment = new Environment;
  return *environment;
}

BlockTextEngine& BuiltInEngine() {
  static BlockTextEngine engine;
  return engine;
}

}  // namespace

Colour GetSystemColour(SystemColour which) {
  const auto index = static_cast<std::size_t>(which);
  return index < TheEnvironment().colours.size() ? TheEnvironment().colours[index] : 0;
}

void SetSystemColour(SystemColour which, Colour colour) {
  const auto index = static_cast<std::size_t>(which);
  if (index < TheEnvironment().colours.size()) TheEnvironment().colours[index] = colour & 0xFFFFFF;
}

Size GetMenuCheckMarkSize() { return TheEnvironment().checkMark; }

void SetMenuCheckMarkSize(Size size) {
  TheEnvironment().checkMark = {size.width < 1 ? 1 : size.width, size.height < 1 ? 1 : size.height};
}

std::optional<Font> GetMenuFont() { return TheEnvironment().menuFont; }

void SetMenuFont(std::optional<Font> font) { TheEnvironment().menuFont = std::move(font); }

Font GetDefaultGuiFont() { return TheEnvironment().defaultGuiFont; }

void SetDefaultGuiFont(const Font& font) { TheEnvironment().defaultGuiFont = font; }

TextEngine& GetTextEngine() {
  TextEngine* engine = TheEnvironment().engine;
  return engine != nullptr ? *engine : BuiltInEngine();
}

void SetTextEngine(TextEngine* engine) { TheEnvironment().engine = engine; }

bool IsKeyDown(int key) { return TheEnvironment().keysDown.count(key) != 0; }

void SetKeyDown(int key, bool down) {
  if (down) {
    TheEnvironment().keysDown.insert(key);
  } else {
    TheEnvironment().keysDown.erase(key);
  }
}

SystemVersion GetSystemVersion() { return {0x0A00, 0x20}; }

void Beep() {
  const auto& beep = TheEnvironment().beep;
  if (beep) {
    beep();
  } else {
    std::fputc('\a', stderr);
    std::fflush(stderr);
  }
}

void SetBeepHandler(std::function<void()> beep) { TheEnvironment().beep = std::move(beep); }

void ResetEnvironment() {
  Environment& environment = TheEnvironment();
  environment = Environment{};
}

}  // namespace ornasys
