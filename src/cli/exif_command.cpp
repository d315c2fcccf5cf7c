// trimora exif FILE...: the information window's text for each picture.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "metadata/info_text.h"
#include "platform/files.h"

namespace trimora::cli {
namespace {

int RunExif(const std::vector<std::string>& args) {
  if (args.empty()) return UsageError("exif");
  // Every file gets its text (a missing one the reader's empty error text); missing files
  // are also named on standard error and make the exit code 1.
  int result = 0;
  for (const std::string& path : args) {
    const std::string text = metadata::BuildInfoText(path);
    std::fwrite(text.data(), 1, text.size(), stdout);
    if (!IsRegularFile(path)) {
      std::fflush(stdout);
      std::fprintf(stderr, "trimora exif: Datei nicht gefunden: %s\n", path.c_str());
      result = kExitFailure;
    }
  }
  return std::fflush(stdout) == 0 ? result : kExitFailure;
}

constexpr std::string_view kHelp =
    "Schreibt für jedes Bild den Text des EXIF/IPTC-Informationsfensters von Trimora 2 auf die\n"
    "Standardausgabe: Kameradaten, Aufnahmewerte, die Herstellerangaben und die IPTC-Texte.\n"
    "Eine Datei, die es nicht gibt, wird auf der Standardfehlerausgabe genannt; die übrigen\n"
    "werden trotzdem gezeigt.\n\n"
    "Rückgabewert: 0 bei Erfolg, 1 wenn eine Datei fehlt, 2 bei einem falschen Aufruf.\n";

const Registration kRegistration({"exif", "exif DATEI...",
                                  "die EXIF- und IPTC-Daten von Bildern zeigen", kHelp, RunExif});

}  // namespace
}  // namespace trimora::cli
