#include "app/key_map.h"

namespace trimora {

namespace {

// Whether a modifier must be up, down, or does not matter.
enum class Held : unsigned char { Any, Up, Down };

struct KeyMapRow {
  Key key;
  Held ctrl;
  Held alt;
  CommandId command;
};

using C = CommandId;
constexpr Held Any = Held::Any, Up = Held::Up, Down = Held::Down;

// clang-format off
constexpr KeyMapRow kKeyMap[] = {
  {Key::Return, Any, Any, C::ApplyRedEye},
  {Key::Escape, Any, Any, C::CancelRedEye},
  {Key::Space, Any, Any, C::Centre},
  {Key::PageUp, Up, Any, C::PreviousPicture},     {Key::PageUp, Down, Any, C::FirstPicture},
  {Key::PageDown, Up, Any, C::NextPicture},       {Key::PageDown, Down, Any, C::LastPicture},
  {Key::Left, Up, Any, C::StepLeft},              {Key::Left, Down, Any, C::EdgeLeft},
  {Key::Up, Up, Any, C::StepUp},                  {Key::Up, Down, Any, C::EdgeTop},
  {Key::Right, Up, Any, C::StepRight},            {Key::Right, Down, Any, C::EdgeRight},
  {Key::Down, Up, Any, C::StepDown},              {Key::Down, Down, Any, C::EdgeBottom},
  {Key::Insert, Any, Any, C::MarkForSaving},
  {Key::Delete, Up, Any, C::UnmarkForSaving},     {Key::Delete, Down, Any, C::ResetFolder},
  {Key::A, Up, Up, C::Shrink},                    {Key::A, Up, Down, C::HideOutside},
  {Key::A, Down, Up, C::Minimise},                {Key::A, Down, Down, C::CropOutside},
  {Key::KeypadMinus, Up, Up, C::Shrink},          {Key::KeypadMinus, Up, Down, C::HideOutside},
  {Key::KeypadMinus, Down, Up, C::Minimise},      {Key::KeypadMinus, Down, Down, C::CropOutside},
  {Key::Minus, Up, Up, C::Shrink},                {Key::Minus, Up, Down, C::HideOutside},
  {Key::Minus, Down, Up, C::Minimise},            {Key::Minus, Down, Down, C::CropOutside},
  {Key::Q, Up, Up, C::Grow},                      {Key::Q, Up, Down, C::ShowOutside},
  {Key::Q, Down, Up, C::Maximise},                {Key::Q, Down, Down, C::ShowWhole},
  {Key::KeypadPlus, Up, Up, C::Grow},             {Key::KeypadPlus, Up, Down, C::ShowOutside},
  {Key::KeypadPlus, Down, Up, C::Maximise},       {Key::KeypadPlus, Down, Down, C::ShowWhole},
  {Key::Plus, Up, Up, C::Grow},                   {Key::Plus, Up, Down, C::ShowOutside},
  {Key::Plus, Down, Up, C::Maximise},             {Key::Plus, Down, Down, C::ShowWhole},
  {Key::D, Down, Any, C::TurnSelection},
  {Key::E, Down, Any, C::Settings},
  {Key::F, Down, Any, C::FormatDefinitions},
  {Key::I, Down, Any, C::ExifInfo},
  {Key::O, Down, Any, C::ChooseSourceFolder},
  {Key::S, Down, Any, C::CropAndSave},
  {Key::Z, Down, Any, C::ZoomPause},
  {Key::F1, Any, Any, C::HelpContents},
  {Key::F2, Any, Any, C::FormatForCurrent},
  {Key::F3, Up, Any, C::RedEyeFilter},            {Key::F3, Down, Any, C::RedEyeRemove},
  {Key::F4, Up, Up, C::CorrectionButton},         {Key::F4, Up, Down, C::Quit},
  {Key::F4, Down, Any, C::AutoCorrectUndo},
  {Key::F5, Up, Any, C::EnlargeButton},           {Key::F5, Down, Any, C::EnlargeRemove},
  {Key::F6, Any, Any, C::RotatePlus90},
  {Key::F7, Any, Any, C::RotateMinus90},
  {Key::F11, Any, Any, C::FullScreen},
};
// clang-format on

bool Matches(Held held, bool down) { return held == Held::Any || (held == Held::Down) == down; }

bool Swallowable(Key key) {
  return key == Key::A || key == Key::Q || key == Key::Minus || key == Key::Plus ||
         key == Key::KeypadMinus || key == Key::KeypadPlus;
}

}  // namespace

bool KeySwallowed(const KeyPress& press, const KeyState& state) {
  return Swallowable(press.key) && state.nonScalableFormat && !state.redEyeFrameVisible &&
         !press.alt;
}

CommandId CommandForWheel(int delta) { return delta <= 0 ? CommandId::Grow : CommandId::Shrink; }

std::optional<CommandId> CommandForKey(const KeyPress& press, const KeyState& state) {
  if (press.key == Key::Other || KeySwallowed(press, state)) return std::nullopt;
  for (const KeyMapRow& row : kKeyMap) {
    if (row.key == press.key && Matches(row.ctrl, press.ctrl) && Matches(row.alt, press.alt))
      return row.command;
  }
  for (const CommandRow& row : CommandTable()) {
    if (state.standardSkin && row.id == CommandId::Shrink) continue;
    if (row.shortcut && *row.shortcut == press) return row.id;
  }
  return std::nullopt;
}

}  // namespace trimora
