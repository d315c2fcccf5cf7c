// trimora exif FILE...: the information window's text for each picture.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "metadata/info_text.h"
#include "platform/error.h"
#include "platform/error_text.h"
#include "platform/files.h"

namespace trimora::cli {
namespace {

int RunExif(const std::vector<std::string>& args) {
  if (args.empty()) return UsageError("exif");
  // Every file gets its text (a missing one the reader's empty error text); missing and
  // unreadable files are also named on standard error and make the exit code 1.
  int result = 0;
  for (const std::string& path : args) {
    const std::string text = metadata::BuildInfoText(path);
    std::fwrite(text.data(), 1, text.size(), stdout);
    if (!IsRegularFile(path)) {
      // A pipe, device or folder under the name is there but no picture file.
      const std::string problem = PathExists(path) ? ErrorText(ErrorCode::kFileCannotOpen, {path})
                                                   : "Datei nicht gefunden: " + path;
      std::fflush(stdout);
      std::fprintf(stderr, "trimora exif: %s\n", problem.c_str());
      result = kExitFailure;
    }
  }
  return std::fflush(stdout) == 0 ? result : kExitFailure;
}

constexpr std::string_view kHelp =
    "Schreibt für jedes Bild den Text des EXIF/IPTC-Informationsfensters von Trimora 2 auf die\n"
    "Standardausgabe: Kameradaten, Aufnahmewerte, die Herstellerangaben und die IPTC-Texte.\n"
    "Eine Datei, die es nicht gibt oder die nicht gelesen werden kann, wird auf der\n"
    "Standardfehlerausgabe genannt; die übrigen werden trotzdem gezeigt.\n\n"
    "Rückgabewert: 0 bei Erfolg, 1 wenn eine Datei fehlt oder nicht gelesen werden kann,\n"
    "2 bei einem falschen Aufruf.\n";

const Registration kRegistration({"exif", "exif DATEI...",
                                  "die EXIF- und IPTC-Daten von Bildern zeigen", kHelp, RunExif});

}  // namespace
}  // namespace trimora::cli
