#include "app/single_instance.h"

#include <span>

#include "platform/instance.h"
#include "platform/paths.h"

namespace trimora::app {

StartRequest ReadCommandLine(const std::vector<std::string>& arguments) {
  StartRequest request;
  std::size_t next = 0;
  if (next < arguments.size() && arguments[next] == "-restart") {
    request.restart = true;
    ++next;
  }
  auto usage = [&request](std::string problem) {
    request.action = StartRequest::Action::Usage;
    request.problem = std::move(problem);
    return request;
  };
  bool optionsEnded = false;
  std::vector<std::string> paths;
  for (; next < arguments.size(); ++next) {
    const std::string& argument = arguments[next];
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
    } else if (!optionsEnded &&
               (argument == "--help" || argument == "-h" || argument == "--version")) {
      if (arguments.size() != 1) return usage("\"" + argument + "\" steht allein.");
      request.action =
          argument == "--version" ? StartRequest::Action::Version : StartRequest::Action::Help;
    } else if (!optionsEnded && argument.size() > 1 && argument.front() == '-') {
      return usage("unbekannte Option \"" + argument + "\"");
    } else if (argument.empty()) {
      return usage("Ein leerer Pfad ist kein Verzeichnis.");
    } else {
      paths.push_back(argument);
    }
  }
  if (paths.size() > 1)
    return usage("nur ein Verzeichnis oder Bild, nicht " + std::to_string(paths.size()));
  if (!paths.empty()) request.path = AbsolutePath(paths.front());
  return request;
}

const char* UsageText() {
  return "Aufruf: trimora2 [VERZEICHNIS | BILD]\n"
         "        trimora2 -restart [VERZEICHNIS | BILD]\n"
         "        trimora2 --help | --version\n\n"
         "Trimora 2 schneidet Fotos auf Druckformate zu. Ein VERZEICHNIS wird beim Start als\n"
         "Quellverzeichnis geöffnet, bei einem BILD sein Verzeichnis, und das Bild wird gezeigt.\n"
         "Läuft Trimora 2 schon, öffnet das laufende Programm das Verzeichnis, und dieser Start\n"
         "endet; ohne Argument endet er still. -restart startet trotzdem ein weiteres Fenster.\n\n"
         "Rückgabewert: 0 bei Erfolg, 1 bei einem Fehler, 2 bei einem falschen Aufruf.\n"
         "Mehr in \"man trimora2\".\n";
}

bool AnotherInstanceRuns() { return FindWindowByClass(kMainWindowClass); }

bool HandOverPath(const std::string& path) {
  return SendDataToClass(
      kMainWindowClass,
      std::span(reinterpret_cast<const unsigned char*>(path.data()), path.size()));
}

}  // namespace trimora::app
