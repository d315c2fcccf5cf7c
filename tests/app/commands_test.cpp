// The command table, the keyboard map and the command-state rules of the main window, checked
// as tables against the designed menus, tool bars, keys and enabling rules.
#include "app/commands.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/command_states.h"
#include "app/key_map.h"

namespace trimora {
namespace {

using C = CommandId;

// The entries of a menu as they read: "caption\tshortcut", "-" for a separator, "> caption" for
// a submenu.
std::vector<std::string> MenuLines(MenuId menu) {
  std::vector<std::string> lines;
  for (const MenuEntry& entry : MenuEntries()) {
    if (entry.menu != menu) continue;
    switch (entry.kind) {
      case MenuEntry::Kind::Separator:
        lines.push_back("-");
        break;
      case MenuEntry::Kind::Submenu:
        for (const MenuRow& row : MenuTable()) {
          if (row.id == entry.submenu) lines.push_back(std::string("> ") + row.caption);
        }
        break;
      case MenuEntry::Kind::Command:
        lines.push_back(MenuText(Row(entry.command)));
        break;
    }
  }
  return lines;
}

TEST(CommandTable, TheMenusShowTheDesignedCaptionsShortcutsAndSeparators) {
  const std::map<MenuId, std::vector<std::string>> designed = {
      {MenuId::File,
       {"&Quellverzeichnis wählen ...\tStrg+O",
        "Zuschneiden und &speichern ...\tStrg+S",
        "Zuschneiden und &brennen ...\tStrg+B",
        "-",
        "Verzeichnis zurücksetzen\tStrg+Entf",
        "-",
        "Bild zum Speichern vormerken\tEinfg",
        "Bild nicht zum Speichern vormerken\tEntf",
        "-",
        "Original um 90° drehen + speichern\tF6",
        "Original um -90° drehen + speichern\tF7",
        "-",
        "&Erstes Bild\tStrg+Bild auf",
        "&Voriges Bild\tBild auf",
        "&Nächstes Bild\tBild ab",
        "&Letztes Bild\tStrg+Bild ab",
        "-",
        "Einstellungen ...\tStrg+E",
        "-",
        "&Beenden\tAlt+F4"}},
      {MenuId::View,
       {"Standard", "Fashion", "-", "EXIF/IPTC-Informationen\tStrg+I", "-",
        "Nicht ausgewählten Bereich ausblenden\tAlt+Num /",
        "Nicht ausgewählten Bereich einblenden\tAlt++", "Auswahl freistellen\tStrg+Alt+Num /",
        "Gesamtbild einheitlich darstellen\tStrg+Alt++", "-", "Vollbild\tF11",
        "Zoom deaktivieren\tStrg+Z", "-", "> Schaltflächenleisten"}},
      {MenuId::ToolBars,
       {"Öffnen/Speichern", "Bildkorrektur", "Drehen", "Ausgabeformat", "Bildwechsel"}},
      {MenuId::Move,
       {"Nach links\tLinks", "Nach rechts\tRechts", "Nach oben\tOben", "Nach unten\tUnten",
        "Nach ganz links\tStrg+Links", "Nach ganz rechts\tStrg+Rechts", "Nach ganz oben\tStrg+Oben",
        "Nach ganz unten\tStrg+Unten", "Zentrieren\tLeer"}},
      {MenuId::Size,
       {"Verkleinern\tNum /", "Vergrößern\t+", "Minimieren\tStrg+Num /", "Maximieren\tStrg++", "-",
        "Um 90° drehen\tStrg+D"}},
      {MenuId::Corrections,
       {"Rote Augen filtern\tF3", "Rote Augen-Filter entfernen\tStrg+F3", "-",
        "Automatische Bildkorrektur\tF4", "Automatische Bildkorrektur rückgangig machen\tStrg+F4",
        "-", "Bild um seitliche Ränder erweitern\tF5", "Erweiterung entfernen\tStrg+F5"}},
      {MenuId::Formats,
       {"Format&definitionen ...\tStrg+F", "-", "> &Standardausgabeformat",
        "Ausgabeformat für aktuelles Bild\tF2"}},
      {MenuId::Help,
       {"&Inhalt\tF1", "Kurzanleitung", "Häufig gestellte Fragen", "-", "Homepage", "Info ..."}},
      {MenuId::Picture,
       {"EXIF/IPTC-Informationen\tStrg+I", "Auswahl freistellen\tStrg+Alt+Num /",
        "Gesamtbild einheitlich darstellen\tStrg+Alt++", "-", "Nach links\tLinks",
        "Nach rechts\tRechts", "Nach oben\tOben", "Nach unten\tUnten", "Zentrieren\tLeer", "-",
        "Verkleinern\tNum /", "Vergrößern\t+", "Minimieren\tStrg+Num /", "Maximieren\tStrg++",
        "Um 90° drehen\tStrg+D"}},
  };
  for (const auto& [menu, lines] : designed) {
    EXPECT_EQ(MenuLines(menu), lines) << static_cast<int>(menu);
  }
  std::vector<std::string> buttons;
  for (const MenuRow& row : MenuTable()) {
    if (!row.parent && row.id != MenuId::Picture && row.id != MenuId::FormatChooser)
      buttons.push_back(row.caption);
  }
  EXPECT_EQ(buttons,
            (std::vector<std::string>{"&Datei", "A&nsicht", "Auswahl &bewegen", "Auswahl&größe",
                                      "Bild&korrekturen", "&Formatverwaltung", "&Hilfe"}));
  EXPECT_EQ(MenuLines(MenuId::DefaultFormat), std::vector<std::string>{})
      << "filled with the formats";
  EXPECT_EQ(MenuLines(MenuId::FormatChooser), std::vector<std::string>{})
      << "filled with the formats";
}

TEST(CommandTable, TheToolBarsShowTheDesignedCaptionsAndHints) {
  std::map<ToolBarId, std::vector<std::string>> shown;
  for (const ToolEntry& entry : ToolEntries()) {
    const CommandRow& row = Row(entry.command);
    shown[entry.bar].push_back(std::string(row.buttonCaption) + "|" + row.hint);
  }
  EXPECT_EQ(shown[ToolBarId::File],
            (std::vector<std::string>{" Quellverz. |Quellverzeichnis wählen",
                                      " Speichern |Zuschneiden und speichern"}));
  EXPECT_EQ(shown[ToolBarId::Correction],
            (std::vector<std::string>{
                "Rot filtern|Rote Augen filtern",
                "Korrigieren|Automatische Bildkorrektur\r\n(Tonwertkorrektur + Medianfilter)",
                "Erweitern|Erweitert das Bild um Seitenränder, um das gewünschte Ausgabeformat zu "
                "erzielen"}));
  EXPECT_EQ(shown[ToolBarId::Rotate],
            (std::vector<std::string>{"90° drehen|Original um 90° drehen + speichern",
                                      "-90° drehen|Original um -90° drehen + speichern",
                                      "Vollbild|Auf Vollbildansicht umschalten"}));
  EXPECT_EQ(shown[ToolBarId::Format],
            (std::vector<std::string>{"  10 x 15  |Ausgabeformat wählen"}))
      << "the designed caption before the first format is applied";
  EXPECT_EQ(shown[ToolBarId::Navigation],
            (std::vector<std::string>{
                "Erstes Bild|Zum ersten Bild springen", "Zurück|Zum vorigen Bild springen",
                "Weiter|Zum nächsten Bild springen", "Letztes Bild|Zum letzten Bild springen"}));
  EXPECT_EQ(
      shown[ToolBarId::Magnifier],
      (std::vector<std::string>{"|Zoom vergrößern", "|Zoom verkleinern", "|Zoom deaktivieren"}));
  std::vector<std::string> bands;
  for (const ToolBarRow& bar : ToolBarTable()) {
    if (bar.band == 0) continue;
    bands.push_back(std::to_string(bar.band) + " " + bar.name + " " +
                    std::to_string(bar.minimumWidth) + " " + std::string(bar.setting->name) + " " +
                    (bar.setting->fallback ? "shown" : "hidden") + " " + Row(bar.toggle).caption);
  }
  EXPECT_EQ(bands, (std::vector<std::string>{
                       "1 FileToolBar 144 ToolBar\\Files shown Öffnen/Speichern",
                       "2 CorrectionToolBar 210 ToolBar\\TouchUp shown Bildkorrektur",
                       "3 RotateToolBar 228 ToolBar\\Rotate shown Drehen",
                       "4 FormatToolBar 70 ToolBar\\Format shown Ausgabeformat",
                       "5 NavToolBar 284 ToolBar\\Navigation hidden Bildwechsel"}));
}

TEST(CommandTable, TheKeyboardHelpPanelListsTheKeysInThreeGroups) {
  std::vector<std::string> lines;
  for (const ShortcutRow& row : ShortcutPanelRows()) {
    lines.push_back(std::string(row.action) + (*row.action ? " = " : "") + row.keys);
  }
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "Auswahl nach links verschieben = Cursor links",
                       "Auswahl nach rechts verschieben = Cursor rechts",
                       "Auswahl nach oben verschieben = Cursor auf",
                       "Auswahl nach unten verschieben = Cursor ab",
                       "Auswahl ganz nach links verschieben = Strg + Cursor links",
                       "Auswahl ganz nach rechts verschieben = Strg + Cursor rechts",
                       "Auswahl ganz nach oben verschieben = Strg + Cursor auf",
                       "Auswahl ganz nach unten verschieben = Strg + Cursor ab",
                       "Auswahl zentrieren = Leerzeichen",
                       "",
                       "Auswahl vergrößern = + oder Q oder Scrollrad ab",
                       "Auswahl verkleinern = - oder A oder Scrollrad auf",
                       "Auswahl maximieren = Strg + + oder Strg + Q",
                       "Auswahl minimieren = Strg + - oder Strg + A",
                       "Auswahl um 90° drehen = Strg + D",
                       "",
                       "Voriges Bild = Bild auf",
                       "Nächstes Bild = Bild ab",
                       "Erstes Bild = Strg + Bild auf",
                       "Letztes Bild = Strg + Bild ab",
                   }));
  EXPECT_STREQ(kShortcutHeading, "Wichtige Tastaturbelegungen:");
}

TEST(CommandTable, EveryCommandHasOneRowAndEveryVisibleCommandAPlace) {
  for (std::size_t i = 0; i < kCommandCount; ++i) {
    const CommandRow& row = Row(static_cast<CommandId>(i));
    EXPECT_EQ(Index(row.id), i);
    bool inMenu = false, onBar = false;
    for (const MenuEntry& e : MenuEntries())
      inMenu |= e.kind == MenuEntry::Kind::Command && e.command == row.id;
    for (const ToolEntry& e : ToolEntries()) onBar |= e.command == row.id;
    // A command in a menu has a caption there; one on a tool bar has a hint there.
    EXPECT_EQ(inMenu, *row.caption != '\0') << row.name;
    EXPECT_EQ(onBar, *row.hint != '\0') << row.buttonName;
    if (!inMenu && !onBar) {
      EXPECT_TRUE(row.id == C::ApplyRedEye || row.id == C::CancelRedEye) << i << " has no place";
    }
  }
}

struct KeyCase {
  KeyPress press;
  bool nonScalable;
  bool redEye;
  std::optional<CommandId> command;
};

KeyPress K(Key key, bool ctrl = false, bool alt = false) { return {key, ctrl, alt}; }

TEST(KeyMap, EachKeyRunsTheDesignedCommand) {
  const std::optional<CommandId> none;
  const std::vector<KeyCase> cases = {
      {K(Key::Return), false, false, C::ApplyRedEye},
      {K(Key::Return, true), false, false, C::ApplyRedEye},
      {K(Key::Escape), false, false, C::CancelRedEye},
      {K(Key::Space), false, false, C::Centre},
      {K(Key::Space, true), false, false, C::Centre},
      {K(Key::PageUp), false, false, C::PreviousPicture},
      {K(Key::PageUp, true), false, false, C::FirstPicture},
      {K(Key::PageDown), false, false, C::NextPicture},
      {K(Key::PageDown, true), false, false, C::LastPicture},
      {K(Key::Left), false, false, C::StepLeft},
      {K(Key::Left, true), false, false, C::EdgeLeft},
      {K(Key::Up), false, false, C::StepUp},
      {K(Key::Up, true), false, false, C::EdgeTop},
      {K(Key::Right), false, false, C::StepRight},
      {K(Key::Right, true), false, false, C::EdgeRight},
      {K(Key::Down), false, false, C::StepDown},
      {K(Key::Down, true), false, false, C::EdgeBottom},
      {K(Key::Insert), false, false, C::MarkForSaving},
      {K(Key::Insert, true), false, false, C::MarkForSaving},
      {K(Key::Delete), false, false, C::UnmarkForSaving},
      {K(Key::Delete, true), false, false, C::ResetFolder},
      {K(Key::A), false, false, C::Shrink},
      {K(Key::A, false, true), false, false, C::HideOutside},
      {K(Key::A, true), false, false, C::Minimise},
      {K(Key::A, true, true), false, false, C::CropOutside},
      {K(Key::KeypadMinus), false, false, C::Shrink},
      {K(Key::Minus, true), false, false, C::Minimise},
      {K(Key::Minus, true, true), false, false, C::CropOutside},
      {K(Key::Q), false, false, C::Grow},
      {K(Key::Q, false, true), false, false, C::ShowOutside},
      {K(Key::Q, true), false, false, C::Maximise},
      {K(Key::Q, true, true), false, false, C::ShowWhole},
      {K(Key::Plus), false, false, C::Grow},
      {K(Key::KeypadPlus, true), false, false, C::Maximise},
      {K(Key::KeypadPlus, true, true), false, false, C::ShowWhole},
      {K(Key::D), false, false, none},
      {K(Key::D, true), false, false, C::TurnSelection},
      {K(Key::E), false, false, none},
      {K(Key::E, true), false, false, C::Settings},
      {K(Key::F), false, false, none},
      {K(Key::F, true), false, false, C::FormatDefinitions},
      {K(Key::I, true), false, false, C::ExifInfo},
      {K(Key::O), false, false, none},
      {K(Key::O, true), false, false, C::ChooseSourceFolder},
      {K(Key::S, true), false, false, C::CropAndSave},
      {K(Key::Z, true), false, false, C::ZoomPause},
      {K(Key::F1), false, false, C::HelpContents},
      {K(Key::F1, true), false, false, C::HelpContents},
      {K(Key::F2), false, false, C::FormatForCurrent},
      {K(Key::F3), false, false, C::RedEyeFilter},
      {K(Key::F3, true), false, false, C::RedEyeRemove},
      {K(Key::F4), false, false, C::CorrectionButton},
      {K(Key::F4, true), false, false, C::AutoCorrectUndo},
      {K(Key::F4, false, true), false, false, C::Quit},
      {K(Key::F5), false, false, C::EnlargeButton},
      {K(Key::F5, true), false, false, C::EnlargeRemove},
      {K(Key::F6), false, false, C::RotatePlus90},
      {K(Key::F6, true), false, false, C::RotatePlus90},
      {K(Key::F7), false, false, C::RotateMinus90},
      {K(Key::F11), false, false, C::FullScreen},
      // Keys that only the menus show.
      {K(Key::KeypadDivide), false, false, C::Shrink},
      {K(Key::KeypadDivide, true), false, false, C::Minimise},
      {K(Key::KeypadDivide, false, true), false, false, C::HideOutside},
      {K(Key::KeypadDivide, true, true), false, false, C::CropOutside},
      {K(Key::B, true), false, false, C::CropAndBurn},
      {K(Key::B), false, false, none},
      {K(Key::Other), false, false, none},
      // A non-scalable format swallows the size keys unless Alt is held or the marker shows.
      {K(Key::A), true, false, none},
      {K(Key::Q), true, false, none},
      {K(Key::Plus), true, false, none},
      {K(Key::Minus), true, false, none},
      {K(Key::KeypadPlus, true), true, false, none},
      {K(Key::KeypadMinus), true, false, none},
      {K(Key::A, false, true), true, false, C::HideOutside},
      {K(Key::Q, true, true), true, false, C::ShowWhole},
      {K(Key::A), true, true, C::Shrink},
      {K(Key::Q), true, true, C::Grow},
      {K(Key::Left), true, false, C::StepLeft},
      {K(Key::KeypadDivide), true, false, C::Shrink},
  };
  for (const KeyCase& c : cases) {
    const KeyState state{c.nonScalable, c.redEye};
    EXPECT_EQ(CommandForKey(c.press, state), c.command)
        << KeyText(c.press) << (c.nonScalable ? " non-scalable" : "")
        << (c.redEye ? " marker" : "");
    const bool swallowed = !c.command && c.nonScalable && c.press.key != Key::Other;
    EXPECT_EQ(KeySwallowed(c.press, state), swallowed) << KeyText(c.press);
  }
}

TEST(KeyMap, EveryShortcutAMenuShowsRunsItsItemOrTheButtonTheKeyboardMapGivesIt) {
  // F4 and F5 run the buttons that apply or take back, as the menu items' apply-only commands
  // would do nothing on a corrected picture.
  const std::map<CommandId, CommandId> givenToButtons = {{C::AutoCorrect, C::CorrectionButton},
                                                         {C::Enlarge, C::EnlargeButton}};
  for (const CommandRow& row : CommandTable()) {
    if (!row.shortcut) continue;
    const auto found = givenToButtons.find(row.id);
    const CommandId expected = found != givenToButtons.end() ? found->second : row.id;
    EXPECT_EQ(CommandForKey(*row.shortcut, {}), expected) << row.caption;
  }
}

TEST(KeyMap, AWheelTurnIsOneSizeStepWhateverItsSize) {
  EXPECT_EQ(CommandForWheel(-120), C::Grow);
  EXPECT_EQ(CommandForWheel(-240), C::Grow);
  EXPECT_EQ(CommandForWheel(0), C::Grow);
  EXPECT_EQ(CommandForWheel(120), C::Shrink);
  EXPECT_EQ(CommandForWheel(240), C::Shrink);
}

// The commands the rules govern, with the expected state in each case.
struct EnableCase {
  const char* name;
  CommandState state;
  CommandSet on;
  CommandSet off;
};

CommandState Shown() {
  CommandState s;
  s.active = true;
  s.redEyeAvailable = true;
  return s;
}

TEST(CommandStates, FollowThePictureTheStripesTheMarkerAndTheFormat) {
  const CommandSet moves = SetOf({C::StepLeft, C::StepRight, C::StepUp, C::StepDown, C::EdgeLeft,
                                  C::EdgeRight, C::EdgeTop, C::EdgeBottom, C::Centre});
  const CommandSet steps = SetOf({C::Shrink, C::Grow});
  const CommandSet extremes = SetOf({C::Minimise, C::Maximise});
  const CommandSet turn = SetOf({C::TurnSelection});
  const CommandSet dimming = SetOf({C::HideOutside, C::ShowOutside, C::CropOutside, C::ShowWhole});
  const CommandSet withPicture =
      SetOf({C::CropAndSave, C::CropAndBurn, C::ResetFolder, C::MarkForSaving, C::UnmarkForSaving,
             C::RotatePlus90, C::RotateMinus90, C::FullScreen, C::FormatButton, C::ExifInfo,
             C::CorrectionButton, C::HideOutside, C::ShowOutside, C::CropOutside, C::ShowWhole,
             C::FormatForCurrent});

  CommandState enlarged = Shown();
  enlarged.enlarged = true;
  CommandState enlargedMarking = enlarged;
  enlargedMarking.redEyeFrameVisible = true;
  enlargedMarking.masterAlpha = 120;
  CommandState marking = Shown();
  marking.redEyeFrameVisible = true;
  CommandState fixed = Shown();
  fixed.scalable = false;
  CommandState fixedMarking = fixed;
  fixedMarking.redEyeFrameVisible = true;
  CommandState corrected = Shown();
  corrected.corrected = true;
  corrected.redEyeFiltered = true;
  CommandState darkest = Shown();
  darkest.masterAlpha = 0;
  CommandState lightest = Shown();
  lightest.masterAlpha = 255;
  CommandState middle = Shown();
  middle.canGoBack = middle.canGoForward = true;
  CommandState noRedEye = Shown();
  noRedEye.redEyeAvailable = false;

  const std::vector<EnableCase> cases = {
      {"a picture", Shown(),
       withPicture | moves | steps | extremes | turn |
           SetOf({C::RedEyeFilter, C::AutoCorrect, C::EnlargeButton, C::Enlarge}),
       SetOf({C::RedEyeRemove, C::AutoCorrectUndo, C::EnlargeRemove, C::FirstPicture,
              C::PreviousPicture, C::NextPicture, C::LastPicture, C::ApplyRedEye,
              C::CancelRedEye})},
      {"stripes", enlarged, SetOf({C::EnlargeButton, C::EnlargeRemove, C::CropAndSave}),
       moves | steps | extremes | turn | dimming | SetOf({C::Enlarge})},
      {"stripes, marker", enlargedMarking,
       moves | steps | dimming | SetOf({C::ApplyRedEye, C::CancelRedEye}), extremes | turn},
      {"marker", marking, moves | steps | SetOf({C::ApplyRedEye, C::CancelRedEye}),
       extremes | turn},
      {"fixed format", fixed, moves | turn,
       steps | extremes | SetOf({C::EnlargeButton, C::Enlarge})},
      {"fixed format, marker", fixedMarking, moves | steps, extremes | turn},
      {"corrected", corrected, SetOf({C::AutoCorrectUndo, C::CorrectionButton, C::RedEyeRemove}),
       SetOf({C::AutoCorrect})},
      {"outside hidden", darkest, SetOf({C::ShowOutside, C::CropOutside, C::ShowWhole}),
       SetOf({C::HideOutside})},
      {"outside whole", lightest, SetOf({C::HideOutside, C::CropOutside, C::ShowWhole}),
       SetOf({C::ShowOutside})},
      {"between others",
       middle,
       SetOf({C::FirstPicture, C::PreviousPicture, C::NextPicture, C::LastPicture}),
       {}},
      {"red-eye button off", noRedEye, {}, SetOf({C::RedEyeFilter})},
  };
  for (const EnableCase& c : cases) {
    const CommandSet enabled = EnabledCommands(c.state);
    EXPECT_EQ(enabled & c.on, c.on) << c.name << ": not all enabled";
    EXPECT_EQ(enabled & c.off, CommandSet()) << c.name << ": not all disabled";
  }
}

TEST(CommandStates, BeforeAPictureOnlyTheCommandsOutsideTheRulesAreEnabled) {
  CommandState start;
  start.redEyeAvailable = true;  // stays off without a picture
  start.enlarged = true;
  start.corrected = true;
  EXPECT_EQ(EnabledCommands(start),
            SetOf({C::ChooseSourceFolder, C::Settings, C::Quit, C::StandardSkin, C::FashionSkin,
                   C::ZoomPause, C::ToolBarFiles, C::ToolBarTouchUp, C::ToolBarRotate,
                   C::ToolBarFormat, C::ToolBarNavigation, C::FormatDefinitions, C::HelpContents,
                   C::QuickGuide, C::Faq, C::HomePage, C::About, C::ZoomIn, C::ZoomOut}));
  CommandState zoomedIn;
  zoomedIn.zoomLevel = 5;
  EXPECT_FALSE(EnabledCommands(zoomedIn).test(Index(C::ZoomIn)));
  CommandState zoomedOut;
  zoomedOut.zoomLevel = 100;
  EXPECT_FALSE(EnabledCommands(zoomedOut).test(Index(C::ZoomOut)));
}

TEST(CommandStates, CommandsWithoutBehaviourAreNotBuilt) {
  // The commands whose windows come later stay disabled until they are built.
  const CommandSet later = SetOf({C::CropAndBurn});
  EXPECT_EQ(BuiltCommands(), ~later);
}

}  // namespace
}  // namespace trimora
