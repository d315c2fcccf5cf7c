// The commands of the main window as data: one row per command (its id, menu caption, key,
// tool-button caption, hint, picture and help context), and the places where the commands
// appear (the drop-down menus of the menu tool bar, the tool bars, the picture's context menu,
// the keyboard-help panel). Menus, tool bars and panels are generated from these tables; every
// control carries its command id. Plain C++: no toolkit.
#pragma once

#include <bitset>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>

#include "platform/settings_schema.h"

namespace trimora {

// Every command of the main window. A tool button that does what a menu item does shares its
// command ("Speichern" and "Zuschneiden und speichern").
enum class CommandId : std::uint8_t {
  // "&Datei"
  ChooseSourceFolder,
  CropAndSave,
  CropAndBurn,
  ResetFolder,
  MarkForSaving,
  UnmarkForSaving,
  RotatePlus90,
  RotateMinus90,
  FirstPicture,
  PreviousPicture,
  NextPicture,
  LastPicture,
  Settings,
  Quit,
  // "A&nsicht"
  StandardSkin,
  FashionSkin,
  ExifInfo,
  HideOutside,
  ShowOutside,
  CropOutside,
  ShowWhole,
  FullScreen,
  ZoomPause,
  ToolBarFiles,
  ToolBarTouchUp,
  ToolBarRotate,
  ToolBarFormat,
  ToolBarNavigation,
  // "Auswahl &bewegen"
  StepLeft,
  StepRight,
  StepUp,
  StepDown,
  EdgeLeft,
  EdgeRight,
  EdgeTop,
  EdgeBottom,
  Centre,
  // "Auswahl&größe"
  Shrink,
  Grow,
  Minimise,
  Maximise,
  TurnSelection,
  // "Bild&korrekturen"
  RedEyeFilter,
  RedEyeRemove,
  AutoCorrect,
  AutoCorrectUndo,
  Enlarge,
  EnlargeRemove,
  // "&Formatverwaltung"
  FormatDefinitions,
  FormatForCurrent,
  // "&Hilfe"
  HelpContents,
  QuickGuide,
  Faq,
  HomePage,
  About,
  // Tool buttons with a behaviour of their own
  CorrectionButton,
  EnlargeButton,
  FormatButton,
  ZoomIn,
  ZoomOut,
  // Keys only
  ApplyRedEye,
  CancelRedEye,
  Count
};

// Number of commands.
inline constexpr std::size_t kCommandCount = static_cast<std::size_t>(CommandId::Count);

// A set of commands (the enabled ones, the built ones ...).
using CommandSet = std::bitset<kCommandCount>;

// The index of a command in a CommandSet.
constexpr std::size_t Index(CommandId id) { return static_cast<std::size_t>(id); }

// A set holding `ids`.
CommandSet SetOf(std::initializer_list<CommandId> ids);

// The keys the program knows by name. Letters not listed here and other keys are Other.
enum class Key : std::uint8_t {
  Other,
  Return,
  Escape,
  Space,
  PageUp,
  PageDown,
  Left,
  Up,
  Right,
  Down,
  Insert,
  Delete,
  A,
  B,
  D,
  E,
  F,
  I,
  O,
  Q,
  S,
  Z,
  Minus,         // "-" of the main keyboard
  Plus,          // "+" of the main keyboard
  KeypadMinus,   // numeric keypad "-"
  KeypadPlus,    // numeric keypad "+"
  KeypadDivide,  // numeric keypad "/"
  F1,
  F2,
  F3,
  F4,
  F5,
  F6,
  F7,
  F11,
};

// A key together with the modifier keys held. Shift is ignored by the program.
struct KeyPress {
  Key key = Key::Other;
  bool ctrl = false;
  bool alt = false;

  bool operator==(const KeyPress&) const = default;
};

// How a control of a command behaves.
enum class CommandKind : std::uint8_t {
  Plain,   // runs its command
  Check,   // a check item ("Schaltflächenleisten")
  Radio,   // one of the skin items
  Toggle,  // a tool button that stays down ("Korrigieren", "Erweitern", the magnifier pause)
};

// The state of a command when the window has been built.
enum class CommandStart : std::uint8_t {
  Enabled,   // enabled from the start, not governed by the command-state rules
  Governed,  // disabled at start, then set by the command-state rules
  Hidden,    // never shown ("Zuschneiden und &brennen ...")
};

// The pictures of tool buttons, menu items and magnifier buttons.
enum class CommandPicture : std::uint8_t {
  None,
  OpenFolder,
  Save,
  RedEye,
  Correct,
  Enlarge,
  RotateRight,
  RotateLeft,
  FullScreen,
  Format,
  First,
  Previous,
  Next,
  Last,
  ZoomIn,
  ZoomOut,
  ZoomPause,
};

// One command.
struct CommandRow {
  CommandId id;
  const char* name;     // component name of its menu item ("Zuschneidenundspeichern1")
  const char* caption;  // menu caption with the "&" of its accelerator; empty: no menu item
  std::optional<KeyPress> shortcut;  // the key shown beside the menu caption
  const char* buttonName;            // component name of its tool button; empty: no button
  const char* buttonCaption;         // caption of its tool button (may be empty: picture only)
  const char* hint;                  // hint of its tool button
  CommandPicture picture;
  CommandKind kind;
  CommandStart start;
  int helpContext;  // the context of F1 on the highlighted menu item, -1 for none
  bool built;       // false while the command has no behaviour: it stays disabled
};

// All commands, in the order of CommandId.
std::span<const CommandRow> CommandTable();
// The row of one command.
const CommandRow& Row(CommandId id);
// The commands that have a behaviour (`built`).
CommandSet BuiltCommands();

// The text of a key as menus show it ("Strg+S", "Strg+Alt+Num /", "Bild ab", "Alt+F4").
std::string KeyText(const KeyPress& key);
// The caption of a menu item with its shortcut text after a tab ("Zuschneiden und
// &speichern ...\tStrg+S"), as the menus show it.
std::string MenuText(const CommandRow& row);
// The caption of the magnifier pause item while paused: "Zoom aktivieren".
inline constexpr const char* kZoomResumeCaption = "Zoom aktivieren";

// The drop-down menus of the menu tool bar, their submenus and the picture context menu.
enum class MenuId : std::uint8_t {
  File,           // "&Datei"
  View,           // "A&nsicht"
  ToolBars,       // "Schaltflächenleisten" in "A&nsicht"
  Move,           // "Auswahl &bewegen"
  Size,           // "Auswahl&größe"
  Corrections,    // "Bild&korrekturen"
  Formats,        // "&Formatverwaltung"
  DefaultFormat,  // "&Standardausgabeformat" in "&Formatverwaltung", filled with the formats
  Help,           // "&Hilfe"
  Picture,        // the picture context menu
  FormatChooser,  // `FormatPopup`, the format chooser, filled with the formats
};

// A menu: its caption (for the drop-down menus the caption of the menu button), its component
// name, the menu it hangs in (a submenu) and its help context.
struct MenuRow {
  MenuId id;
  const char* caption;
  const char* name;
  std::optional<MenuId> parent;
  int helpContext;
};

// One entry of a menu: a command, a separator or a submenu.
struct MenuEntry {
  MenuId menu;
  enum class Kind : std::uint8_t { Command, Separator, Submenu } kind;
  CommandId command;  // for Command
  MenuId submenu;     // for Submenu
};

// The menus: first the drop-down menus of the menu tool bar in their order, then the
// submenus, the picture context menu and the format chooser.
std::span<const MenuRow> MenuTable();
// The entries of every menu, each menu's entries in their order.
std::span<const MenuEntry> MenuEntries();

// The tool bars of the band bar (bands 1 to 5) and the magnifier's small tool bar.
enum class ToolBarId : std::uint8_t { File, Correction, Rotate, Format, Navigation, Magnifier };

// A tool bar: component name, band number (0 for the magnifier bar), designed minimum width,
// the check item that shows and hides it, and its visibility setting (with whether it is shown
// when nothing else is stored); the magnifier bar has none.
struct ToolBarRow {
  ToolBarId id;
  const char* name;
  int band;
  int minimumWidth;
  CommandId toggle;
  const BoolSetting* setting;
};

// One tool button.
struct ToolEntry {
  ToolBarId bar;
  CommandId command;
};

// The five band tool bars in band order, then the magnifier bar.
std::span<const ToolBarRow> ToolBarTable();
// The tool buttons of every tool bar in their order.
std::span<const ToolEntry> ToolEntries();
// The band tool bar a check item shows and hides, or nothing for another command.
std::optional<ToolBarId> ToolBarOfToggle(CommandId id);

// The keyboard-help panel: a heading, then rows of two texts; an empty row separates groups.
inline constexpr const char* kShortcutHeading = "Wichtige Tastaturbelegungen:";
struct ShortcutRow {
  const char* action;
  const char* keys;
};
std::span<const ShortcutRow> ShortcutPanelRows();

}  // namespace trimora
