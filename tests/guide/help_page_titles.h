// What the help window shows for each help context: the title of its page. Shared by the tests
// of the window in process and of the real program.
#pragma once

#include <QString>
#include <utility>
#include <vector>

namespace trimora::testing {

// Every context the main program sends, and one it does not know (the contents).
inline const std::vector<std::pair<int, QString>>& HelpPageTitles() {
  static const std::vector<std::pair<int, QString>> titles = {
      {0, QStringLiteral("Inhalt")},
      {6, QStringLiteral("Einstellungen")},
      {12, QStringLiteral("Formatdefinitionen")},
      {25, QStringLiteral("Häufig gestellte Fragen")},
      {40, QStringLiteral("Menü Datei")},
      {50, QStringLiteral("Menü Auswahl bewegen")},
      {60, QStringLiteral("Menü Auswahlgröße")},
      {70, QStringLiteral("Menü Formatverwaltung")},
      {80, QStringLiteral("Menü Hilfe")},
      {33, QStringLiteral("Inhalt")},
  };
  return titles;
}

}  // namespace trimora::testing
