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
  if (args.empty()) {
    std::fprintf(stderr, "Aufruf: trimora exif DATEI...\n");
    return 2;
  }
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
      result = 1;
    }
  }
  return std::fflush(stdout) == 0 ? result : 1;
}

const Registration kRegistration({"exif", "exif DATEI...", RunExif});

}  // namespace
}  // namespace trimora::cli
