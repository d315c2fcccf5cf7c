#include "app/commands.h"

#include <array>
#include <stdexcept>

namespace trimora {

namespace {

using C = CommandId;
using P = CommandPicture;
using K = CommandKind;
using S = CommandStart;

constexpr KeyPress Plain(Key key) { return {key, false, false}; }
constexpr KeyPress Ctrl(Key key) { return {key, true, false}; }
constexpr KeyPress Alt(Key key) { return {key, false, true}; }
constexpr KeyPress CtrlAlt(Key key) { return {key, true, true}; }
constexpr std::optional<KeyPress> kNoKey;

// Help contexts of F1 on a highlighted item of a drop-down menu.
constexpr int kFileHelp = 40;
constexpr int kMoveHelp = 50;
constexpr int kSizeHelp = 60;
constexpr int kFormatsHelp = 70;
constexpr int kHelpHelp = 80;

// clang-format off
constexpr CommandRow kCommands[] = {
  // id, name, caption, shortcut, button name, button caption, hint, picture, kind, start, help, built
  {C::ChooseSourceFolder, "Quellverzeichniswhlen1", "&Quellverzeichnis wählen ...", Ctrl(Key::O),
   "OpenButton", " Quellverz. ", "Quellverzeichnis wählen", P::OpenFolder, K::Plain, S::Enabled, kFileHelp, true},
  {C::CropAndSave, "Zuschneidenundspeichern1", "Zuschneiden und &speichern ...", Ctrl(Key::S),
   "SaveButton", " Speichern ", "Zuschneiden und speichern", P::Save, K::Plain, S::Governed, kFileHelp, true},
  {C::CropAndBurn, "Zuschneidenundbrennen1", "Zuschneiden und &brennen ...", Ctrl(Key::B),
   "", "", "", P::None, K::Plain, S::Hidden, kFileHelp, false},
  {C::ResetFolder, "Verzeichniszurcksetzen1", "Verzeichnis zurücksetzen", Ctrl(Key::Delete),
   "", "", "", P::None, K::Plain, S::Governed, kFileHelp, true},
  {C::MarkForSaving, "BildzumSpeichernvormerken1", "Bild zum Speichern vormerken", Plain(Key::Insert),
   "", "", "", P::None, K::Plain, S::Governed, kFileHelp, true},
  {C::UnmarkForSaving, "BildnichtzumSpeichernvormerken1", "Bild nicht zum Speichern vormerken", Plain(Key::Delete),
   "", "", "", P::None, K::Plain, S::Governed, kFileHelp, true},
  {C::RotatePlus90, "Originalum90drehenspeichern1", "Original um 90° drehen + speichern", Plain(Key::F6),
   "RotateRightButton", "90° drehen", "Original um 90° drehen + speichern", P::RotateRight, K::Plain, S::Governed, kFileHelp, true},
  {C::RotateMinus90, "Originalum90drehenspeichern2", "Original um -90° drehen + speichern", Plain(Key::F7),
   "RotateLeftButton", "-90° drehen", "Original um -90° drehen + speichern", P::RotateLeft, K::Plain, S::Governed, kFileHelp, true},
  {C::FirstPicture, "ErstesBild1", "&Erstes Bild", Ctrl(Key::PageUp),
   "FirstButton", "Erstes Bild", "Zum ersten Bild springen", P::First, K::Plain, S::Governed, kFileHelp, true},
  {C::PreviousPicture, "VorigesBild1", "&Voriges Bild", Plain(Key::PageUp),
   "PrevButton", "Zurück", "Zum vorigen Bild springen", P::Previous, K::Plain, S::Governed, kFileHelp, true},
  {C::NextPicture, "NchstesBild1", "&Nächstes Bild", Plain(Key::PageDown),
   "NextButton", "Weiter", "Zum nächsten Bild springen", P::Next, K::Plain, S::Governed, kFileHelp, true},
  {C::LastPicture, "LetztesBild1", "&Letztes Bild", Ctrl(Key::PageDown),
   "LastButton", "Letztes Bild", "Zum letzten Bild springen", P::Last, K::Plain, S::Governed, kFileHelp, true},
  {C::Settings, "Einstellungen1", "Einstellungen ...", Ctrl(Key::E),
   "", "", "", P::None, K::Plain, S::Enabled, kFileHelp, true},
  {C::Quit, "Beenden1", "&Beenden", Alt(Key::F4),
   "", "", "", P::None, K::Plain, S::Enabled, kFileHelp, true},

  {C::StandardSkin, "StandardSkin", "Standard", kNoKey,
   "", "", "", P::None, K::Radio, S::Enabled, -1, true},
  {C::FashionSkin, "FashionSkin", "Fashion", kNoKey,
   "", "", "", P::None, K::Radio, S::Enabled, -1, true},
  {C::ExifInfo, "EXIFIPTCInformationen1", "EXIF/IPTC-Informationen", Ctrl(Key::I),
   "", "", "", P::None, K::Plain, S::Governed, -1, true},
  {C::HideOutside, "NichtausgewhltenBereichausblenden1", "Nicht ausgewählten Bereich ausblenden", Alt(Key::KeypadDivide),
   "", "", "", P::None, K::Plain, S::Governed, -1, true},
  {C::ShowOutside, "NichtausgewhltenBereicheinblenden1", "Nicht ausgewählten Bereich einblenden", Alt(Key::Plus),
   "", "", "", P::None, K::Plain, S::Governed, -1, true},
  {C::CropOutside, "Auswahlfreistellen1", "Auswahl freistellen", CtrlAlt(Key::KeypadDivide),
   "", "", "", P::None, K::Plain, S::Governed, -1, true},
  {C::ShowWhole, "Gesamtbildeinheitlichdarstellen1", "Gesamtbild einheitlich darstellen", CtrlAlt(Key::Plus),
   "", "", "", P::None, K::Plain, S::Governed, -1, true},
  {C::FullScreen, "Vollbild1", "Vollbild", Plain(Key::F11),
   "FullScreenButton", "Vollbild", "Auf Vollbildansicht umschalten", P::FullScreen, K::Plain, S::Governed, -1, true},
  {C::ZoomPause, "Zoomdeaktivieren1", "Zoom deaktivieren", Ctrl(Key::Z),
   "ZoomPauseButton", "", "Zoom deaktivieren", P::ZoomPause, K::Toggle, S::Enabled, -1, true},
  {C::ToolBarFiles, "Datei2", "Öffnen/Speichern", kNoKey,
   "", "", "", P::None, K::Check, S::Enabled, -1, true},
  {C::ToolBarTouchUp, "Bildkorrektur1", "Bildkorrektur", kNoKey,
   "", "", "", P::None, K::Check, S::Enabled, -1, true},
  {C::ToolBarRotate, "Drehen1", "Drehen", kNoKey,
   "", "", "", P::None, K::Check, S::Enabled, -1, true},
  {C::ToolBarFormat, "Ausgabeformat1", "Ausgabeformat", kNoKey,
   "", "", "", P::None, K::Check, S::Enabled, -1, true},
  {C::ToolBarNavigation, "Bildwechsel1", "Bildwechsel", kNoKey,
   "", "", "", P::None, K::Check, S::Enabled, -1, true},

  {C::StepLeft, "Nachlinks1", "Nach links", Plain(Key::Left),
   "", "", "", P::None, K::Plain, S::Governed, kMoveHelp, true},
  {C::StepRight, "Nachrechts1", "Nach rechts", Plain(Key::Right),
   "", "", "", P::None, K::Plain, S::Governed, kMoveHelp, true},
  {C::StepUp, "Nachoben1", "Nach oben", Plain(Key::Up),
   "", "", "", P::None, K::Plain, S::Governed, kMoveHelp, true},
  {C::StepDown, "Nachunten1", "Nach unten", Plain(Key::Down),
   "", "", "", P::None, K::Plain, S::Governed, kMoveHelp, true},
  {C::EdgeLeft, "Nachganzlinks1", "Nach ganz links", Ctrl(Key::Left),
   "", "", "", P::None, K::Plain, S::Governed, kMoveHelp, true},
  {C::EdgeRight, "Nachganzrechts1", "Nach ganz rechts", Ctrl(Key::Right),
   "", "", "", P::None, K::Plain, S::Governed, kMoveHelp, true},
  {C::EdgeTop, "Nachganzoben1", "Nach ganz oben", Ctrl(Key::Up),
   "", "", "", P::None, K::Plain, S::Governed, kMoveHelp, true},
  {C::EdgeBottom, "Nachganzunten1", "Nach ganz unten", Ctrl(Key::Down),
   "", "", "", P::None, K::Plain, S::Governed, kMoveHelp, true},
  {C::Centre, "Zentrieren1", "Zentrieren", Plain(Key::Space),
   "", "", "", P::None, K::Plain, S::Governed, kMoveHelp, true},

  {C::Shrink, "Verkleinern1", "Verkleinern", Plain(Key::KeypadDivide),
   "", "", "", P::None, K::Plain, S::Governed, kSizeHelp, true},
  {C::Grow, "Vergrern1", "Vergrößern", Plain(Key::Plus),
   "", "", "", P::None, K::Plain, S::Governed, kSizeHelp, true},
  {C::Minimise, "Minimieren1", "Minimieren", Ctrl(Key::KeypadDivide),
   "", "", "", P::None, K::Plain, S::Governed, kSizeHelp, true},
  {C::Maximise, "Maximieren1", "Maximieren", Ctrl(Key::Plus),
   "", "", "", P::None, K::Plain, S::Governed, kSizeHelp, true},
  {C::TurnSelection, "Um90drehen1", "Um 90° drehen", Ctrl(Key::D),
   "", "", "", P::None, K::Plain, S::Governed, kSizeHelp, true},

  {C::RedEyeFilter, "RoteAugenfiltern1", "Rote Augen filtern", Plain(Key::F3),
   "RedEyeButton", "Rot filtern", "Rote Augen filtern", P::RedEye, K::Plain, S::Governed, -1, true},
  {C::RedEyeRemove, "RoteAugenFilterentfernen1", "Rote Augen-Filter entfernen", Ctrl(Key::F3),
   "", "", "", P::None, K::Plain, S::Governed, -1, true},
  {C::AutoCorrect, "AutomatischeBildkorrektur1", "Automatische Bildkorrektur", Plain(Key::F4),
   "", "", "", P::None, K::Plain, S::Governed, -1, true},
  {C::AutoCorrectUndo, "AutomatischeBildkorrekturrckgangigmachen1", "Automatische Bildkorrektur rückgangig machen", Ctrl(Key::F4),
   "", "", "", P::None, K::Plain, S::Governed, -1, true},
  {C::Enlarge, "BildumseitlicheRndererweitern1", "Bild um seitliche Ränder erweitern", Plain(Key::F5),
   "", "", "", P::None, K::Plain, S::Governed, -1, true},
  {C::EnlargeRemove, "Erweiterungentfernen1", "Erweiterung entfernen", Ctrl(Key::F5),
   "", "", "", P::None, K::Plain, S::Governed, -1, true},

  {C::FormatDefinitions, "Formatdefinitionen1", "Format&definitionen ...", Ctrl(Key::F),
   "", "", "", P::None, K::Plain, S::Enabled, kFormatsHelp, true},
  {C::FormatForCurrent, "AusgabeformatfraktuellesBild1", "Ausgabeformat für aktuelles Bild", Plain(Key::F2),
   "", "", "", P::None, K::Plain, S::Governed, kFormatsHelp, true},

  {C::HelpContents, "Inhalt1", "&Inhalt", Plain(Key::F1),
   "", "", "", P::None, K::Plain, S::Enabled, kHelpHelp, true},
  {C::QuickGuide, "Kurzanleitung1", "Kurzanleitung", kNoKey,
   "", "", "", P::None, K::Plain, S::Enabled, kHelpHelp, true},
  {C::Faq, "HufiggestellteFragen1", "Häufig gestellte Fragen", kNoKey,
   "", "", "", P::None, K::Plain, S::Enabled, kHelpHelp, true},
  {C::HomePage, "Homepage1", "Homepage", kNoKey,
   "", "", "", P::None, K::Plain, S::Enabled, kHelpHelp, true},
  {C::About, "Info1", "Info ...", kNoKey,
   "", "", "", P::None, K::Plain, S::Enabled, kHelpHelp, true},

  {C::CorrectionButton, "", "", kNoKey,
   "CorrectionButton", "Korrigieren", "Automatische Bildkorrektur\r\n(Tonwertkorrektur + Medianfilter)",
   P::Correct, K::Toggle, S::Governed, -1, true},
  {C::EnlargeButton, "", "", kNoKey,
   "EnlargeButton", "Erweitern", "Erweitert das Bild um Seitenränder, um das gewünschte Ausgabeformat zu erzielen",
   P::Enlarge, K::Toggle, S::Governed, -1, true},
  {C::FormatButton, "", "", kNoKey,
   "FormatButton", "  10 x 15  ", "Ausgabeformat wählen", P::Format, K::Plain, S::Governed, -1, true},
  {C::ZoomIn, "", "", kNoKey,
   "ZoomInButton", "", "Zoom vergrößern", P::ZoomIn, K::Plain, S::Enabled, -1, true},
  {C::ZoomOut, "", "", kNoKey,
   "ZoomOutButton", "", "Zoom verkleinern", P::ZoomOut, K::Plain, S::Enabled, -1, true},

  {C::ApplyRedEye, "", "", kNoKey, "", "", "", P::None, K::Plain, S::Governed, -1, true},
  {C::CancelRedEye, "", "", kNoKey, "", "", "", P::None, K::Plain, S::Governed, -1, true},
};

constexpr MenuRow kMenus[] = {
  {MenuId::File, "&Datei", "Datei1", std::nullopt, kFileHelp},
  {MenuId::View, "A&nsicht", "Ansicht1", std::nullopt, -1},
  {MenuId::Move, "Auswahl &bewegen", "Auswahlbewegen1", std::nullopt, kMoveHelp},
  {MenuId::Size, "Auswahl&größe", "Auswahlgre1", std::nullopt, kSizeHelp},
  {MenuId::Corrections, "Bild&korrekturen", "Bildkorrekturen1", std::nullopt, -1},
  {MenuId::Formats, "&Formatverwaltung", "Formatverwaltung1", std::nullopt, kFormatsHelp},
  {MenuId::Help, "&Hilfe", "Hilfe1", std::nullopt, kHelpHelp},
  {MenuId::ToolBars, "Schaltflächenleisten", "Schaltflchenleisten1", MenuId::View, -1},
  {MenuId::DefaultFormat, "&Standardausgabeformat", "Standardausgabeformat1", MenuId::Formats, kFormatsHelp},
  {MenuId::Picture, "", "PictureMenu", std::nullopt, -1},
  {MenuId::FormatChooser, "", "FormatPopup", std::nullopt, kFormatsHelp},
};

constexpr MenuEntry Item(MenuId menu, CommandId command) {
  return {menu, MenuEntry::Kind::Command, command, menu};
}
constexpr MenuEntry Separator(MenuId menu) {
  return {menu, MenuEntry::Kind::Separator, CommandId::Count, menu};
}
constexpr MenuEntry Submenu(MenuId menu, MenuId submenu) {
  return {menu, MenuEntry::Kind::Submenu, CommandId::Count, submenu};
}

constexpr MenuEntry kMenuEntries[] = {
  Item(MenuId::File, C::ChooseSourceFolder), Item(MenuId::File, C::CropAndSave),
  Item(MenuId::File, C::CropAndBurn), Separator(MenuId::File),
  Item(MenuId::File, C::ResetFolder), Separator(MenuId::File),
  Item(MenuId::File, C::MarkForSaving), Item(MenuId::File, C::UnmarkForSaving), Separator(MenuId::File),
  Item(MenuId::File, C::RotatePlus90), Item(MenuId::File, C::RotateMinus90), Separator(MenuId::File),
  Item(MenuId::File, C::FirstPicture), Item(MenuId::File, C::PreviousPicture),
  Item(MenuId::File, C::NextPicture), Item(MenuId::File, C::LastPicture), Separator(MenuId::File),
  Item(MenuId::File, C::Settings), Separator(MenuId::File),
  Item(MenuId::File, C::Quit),

  Item(MenuId::View, C::StandardSkin), Item(MenuId::View, C::FashionSkin), Separator(MenuId::View),
  Item(MenuId::View, C::ExifInfo), Separator(MenuId::View),
  Item(MenuId::View, C::HideOutside), Item(MenuId::View, C::ShowOutside),
  Item(MenuId::View, C::CropOutside), Item(MenuId::View, C::ShowWhole), Separator(MenuId::View),
  Item(MenuId::View, C::FullScreen), Item(MenuId::View, C::ZoomPause), Separator(MenuId::View),
  Submenu(MenuId::View, MenuId::ToolBars),

  Item(MenuId::ToolBars, C::ToolBarFiles), Item(MenuId::ToolBars, C::ToolBarTouchUp),
  Item(MenuId::ToolBars, C::ToolBarRotate), Item(MenuId::ToolBars, C::ToolBarFormat),
  Item(MenuId::ToolBars, C::ToolBarNavigation),

  Item(MenuId::Move, C::StepLeft), Item(MenuId::Move, C::StepRight), Item(MenuId::Move, C::StepUp),
  Item(MenuId::Move, C::StepDown), Item(MenuId::Move, C::EdgeLeft), Item(MenuId::Move, C::EdgeRight),
  Item(MenuId::Move, C::EdgeTop), Item(MenuId::Move, C::EdgeBottom), Item(MenuId::Move, C::Centre),

  Item(MenuId::Size, C::Shrink), Item(MenuId::Size, C::Grow), Item(MenuId::Size, C::Minimise),
  Item(MenuId::Size, C::Maximise), Separator(MenuId::Size), Item(MenuId::Size, C::TurnSelection),

  Item(MenuId::Corrections, C::RedEyeFilter), Item(MenuId::Corrections, C::RedEyeRemove),
  Separator(MenuId::Corrections),
  Item(MenuId::Corrections, C::AutoCorrect), Item(MenuId::Corrections, C::AutoCorrectUndo),
  Separator(MenuId::Corrections),
  Item(MenuId::Corrections, C::Enlarge), Item(MenuId::Corrections, C::EnlargeRemove),

  Item(MenuId::Formats, C::FormatDefinitions), Separator(MenuId::Formats),
  Submenu(MenuId::Formats, MenuId::DefaultFormat),
  Item(MenuId::Formats, C::FormatForCurrent),

  Item(MenuId::Help, C::HelpContents), Item(MenuId::Help, C::QuickGuide), Item(MenuId::Help, C::Faq),
  Separator(MenuId::Help), Item(MenuId::Help, C::HomePage), Item(MenuId::Help, C::About),

  Item(MenuId::Picture, C::ExifInfo), Item(MenuId::Picture, C::CropOutside),
  Item(MenuId::Picture, C::ShowWhole), Separator(MenuId::Picture),
  Item(MenuId::Picture, C::StepLeft), Item(MenuId::Picture, C::StepRight),
  Item(MenuId::Picture, C::StepUp), Item(MenuId::Picture, C::StepDown),
  Item(MenuId::Picture, C::Centre), Separator(MenuId::Picture),
  Item(MenuId::Picture, C::Shrink), Item(MenuId::Picture, C::Grow), Item(MenuId::Picture, C::Minimise),
  Item(MenuId::Picture, C::Maximise), Item(MenuId::Picture, C::TurnSelection),
};

constexpr ToolBarRow kToolBars[] = {
  {ToolBarId::File, "FileToolBar", 1, 144, C::ToolBarFiles, &setting::kToolBarFiles},
  {ToolBarId::Correction, "CorrectionToolBar", 2, 210, C::ToolBarTouchUp, &setting::kToolBarTouchUp},
  {ToolBarId::Rotate, "RotateToolBar", 3, 228, C::ToolBarRotate, &setting::kToolBarRotate},
  {ToolBarId::Format, "FormatToolBar", 4, 70, C::ToolBarFormat, &setting::kToolBarFormat},
  {ToolBarId::Navigation, "NavToolBar", 5, 284, C::ToolBarNavigation, &setting::kToolBarNavigation},
  {ToolBarId::Magnifier, "ZoomToolBar", 0, 0, C::Count, nullptr},
};

constexpr ToolEntry kToolEntries[] = {
  {ToolBarId::File, C::ChooseSourceFolder}, {ToolBarId::File, C::CropAndSave},
  {ToolBarId::Correction, C::RedEyeFilter}, {ToolBarId::Correction, C::CorrectionButton},
  {ToolBarId::Correction, C::EnlargeButton},
  {ToolBarId::Rotate, C::RotatePlus90}, {ToolBarId::Rotate, C::RotateMinus90},
  {ToolBarId::Rotate, C::FullScreen},
  {ToolBarId::Format, C::FormatButton},
  {ToolBarId::Navigation, C::FirstPicture}, {ToolBarId::Navigation, C::PreviousPicture},
  {ToolBarId::Navigation, C::NextPicture}, {ToolBarId::Navigation, C::LastPicture},
  {ToolBarId::Magnifier, C::ZoomIn}, {ToolBarId::Magnifier, C::ZoomOut},
  {ToolBarId::Magnifier, C::ZoomPause},
};

constexpr ShortcutRow kShortcutRows[] = {
  {"Auswahl nach links verschieben", "Cursor links"},
  {"Auswahl nach rechts verschieben", "Cursor rechts"},
  {"Auswahl nach oben verschieben", "Cursor auf"},
  {"Auswahl nach unten verschieben", "Cursor ab"},
  {"Auswahl ganz nach links verschieben", "Strg + Cursor links"},
  {"Auswahl ganz nach rechts verschieben", "Strg + Cursor rechts"},
  {"Auswahl ganz nach oben verschieben", "Strg + Cursor auf"},
  {"Auswahl ganz nach unten verschieben", "Strg + Cursor ab"},
  {"Auswahl zentrieren", "Leerzeichen"},
  {"", ""},
  {"Auswahl vergrößern", "+ oder Q oder Scrollrad ab"},
  {"Auswahl verkleinern", "- oder A oder Scrollrad auf"},
  {"Auswahl maximieren", "Strg + + oder Strg + Q"},
  {"Auswahl minimieren", "Strg + - oder Strg + A"},
  {"Auswahl um 90° drehen", "Strg + D"},
  {"", ""},
  {"Voriges Bild", "Bild auf"},
  {"Nächstes Bild", "Bild ab"},
  {"Erstes Bild", "Strg + Bild auf"},
  {"Letztes Bild", "Strg + Bild ab"},
};
// clang-format on

// The rows are in the order of CommandId, so that a command's row is found by its number.
constexpr bool RowsInOrder() {
  for (std::size_t i = 0; i < std::size(kCommands); ++i) {
    if (Index(kCommands[i].id) != i) return false;
  }
  return std::size(kCommands) == kCommandCount;
}
static_assert(RowsInOrder(), "one command row per CommandId, in its order");

// The names of the keys in menus, in the order of Key.
constexpr const char* kKeyNames[] = {
    "",      "Eingabe", "Esc",  "Leer", "Bild auf", "Bild ab", "Links", "Oben",  "Rechts",
    "Unten", "Einfg",   "Entf", "A",    "B",        "D",       "E",     "F",     "I",
    "O",     "Q",       "S",    "Z",    "-",        "+",       "Num -", "Num +", "Num /",
    "F1",    "F2",      "F3",   "F4",   "F5",       "F6",      "F7",    "F11",
};
static_assert(std::size(kKeyNames) == static_cast<std::size_t>(Key::F11) + 1,
              "one name per key, in the order of Key");

}  // namespace

CommandSet SetOf(std::initializer_list<CommandId> ids) {
  CommandSet set;
  for (CommandId id : ids) set.set(Index(id));
  return set;
}

std::span<const CommandRow> CommandTable() { return kCommands; }

const CommandRow& Row(CommandId id) {
  if (Index(id) >= kCommandCount) throw std::out_of_range("no such command");
  return kCommands[Index(id)];
}

CommandSet BuiltCommands() {
  CommandSet set;
  for (const CommandRow& row : kCommands) set.set(Index(row.id), row.built);
  return set;
}

std::string KeyText(const KeyPress& key) {
  std::string text;
  if (key.ctrl) text += "Strg+";
  if (key.alt) text += "Alt+";
  return text + kKeyNames[static_cast<std::size_t>(key.key)];
}

std::string MenuText(const CommandRow& row) {
  if (!row.shortcut) return row.caption;
  return std::string(row.caption) + "\t" + KeyText(*row.shortcut);
}

std::span<const MenuRow> MenuTable() { return kMenus; }

std::span<const MenuEntry> MenuEntries() { return kMenuEntries; }

std::span<const ToolBarRow> ToolBarTable() { return kToolBars; }

std::span<const ToolEntry> ToolEntries() { return kToolEntries; }

std::optional<ToolBarId> ToolBarOfToggle(CommandId id) {
  for (const ToolBarRow& bar : kToolBars) {
    if (bar.toggle == id && bar.band > 0) return bar.id;
  }
  return std::nullopt;
}

std::span<const ShortcutRow> ShortcutPanelRows() { return kShortcutRows; }

}  // namespace trimora
