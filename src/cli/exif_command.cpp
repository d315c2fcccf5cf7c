// trimora exif FILE...: the information window's text for each picture.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "metadata/info_text.h"

namespace trimora::cli {
namespace {

int RunExif(const std::vector<std::string>& args) {
  if (args.empty()) {
    std::fprintf(stderr, "Aufruf: trimora exif DATEI...\n");
    return 2;
  }
  for (const std::string& path : args) {
    const std::string text = metadata::BuildInfoText(path);
    std::fwrite(text.data(), 1, text.size(), stdout);
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}

const Registration kRegistration({"exif", "exif DATEI...", RunExif});

}  // namespace
}  // namespace trimora::cli
