// The help contexts that Trimora 2 sends to its help window, and the page of each. Plain C++.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace trimora::help {

// A help context and the page that answers it, a file of the folder "Hilfe" beside the program.
struct HelpTopic {
  int context;
  const char* page;
};

// Every context the program sends: 0 contents, 6 settings dialog, 12 format definitions,
// 25 frequently asked questions, 40 to 80 the menus "Datei", "Auswahl bewegen", "Auswahlgröße",
// "Formatverwaltung" and "Hilfe".
std::span<const HelpTopic> HelpTopics();

// The page of `context`; the contents page for a context the program does not know.
const char* PageForContext(int context);

// The context named by a command-line argument: a decimal number (a sign is allowed);
// anything else, or a number out of range, gives 0 (the contents).
int ParseHelpContext(std::string_view argument);

}  // namespace trimora::help
