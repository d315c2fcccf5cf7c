#include "guide/help/help_topics.h"

#include <charconv>

namespace trimora::help {

namespace {

constexpr HelpTopic kTopics[] = {
    {0, "Inhalt.html"},
    {6, "Einstellungen.html"},
    {12, "Formatdefinitionen.html"},
    {25, "Fragen.html"},
    {40, "Datei.html"},
    {50, "Auswahl-bewegen.html"},
    {60, "Auswahlgroesse.html"},
    {70, "Formatverwaltung.html"},
    {80, "Hilfemenue.html"},
};

}  // namespace

std::span<const HelpTopic> HelpTopics() { return kTopics; }

const char* PageForContext(int context) {
  for (const HelpTopic& topic : kTopics) {
    if (topic.context == context) return topic.page;
  }
  return kTopics[0].page;
}

int ParseHelpContext(std::string_view argument) {
  if (argument.size() > 1 && argument[0] == '+' && argument[1] != '-') argument.remove_prefix(1);
  int context = 0;
  const auto [end, error] =
      std::from_chars(argument.data(), argument.data() + argument.size(), context);
  if (argument.empty() || error != std::errc() || end != argument.data() + argument.size())
    return 0;
  return context;
}

}  // namespace trimora::help
