// trimora orient [--lossless-only] FOLDER|FILE...: brings the pictures upright whose Exif data
// says the camera was turned, as the window offers it when a folder is opened.
//
// A folder stands for its pictures (as the window lists them). Each turned picture gets
// Orientation 1; where its size is off the block grid it is encoded anew at its own quality,
// unless --lossless-only leaves it as it is. The stored frames of turned pictures in their
// folder's cutting-data file are forgotten, since they belonged to the old geometry.
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "cli/command.h"
#include "folder/cutting_record.h"
#include "folder/folder_listing.h"
#include "output/turn_original.h"
#include "platform/error.h"
#include "platform/error_text.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace trimora::cli {
namespace {

int Usage() { return UsageError("orient"); }

constexpr std::string_view kHelp =
    "Richtet die Bilder auf, die laut ihren EXIF-Daten mit gedrehter Kamera aufgenommen wurden,\n"
    "wie es Trimora 2 beim Öffnen eines Verzeichnisses anbietet. Ein Verzeichnis steht für seine\n"
    "Bilder. Jedes gedrehte Bild bekommt die Ausrichtung 1; liegt seine Größe nicht auf dem\n"
    "Blockraster, wird es in seiner eigenen Qualität neu kodiert, außer mit --lossless-only.\n"
    "Die gespeicherten Rahmen gedrehter Bilder in \"CroppingData.kv2\" werden vergessen.\n\n"
    "Rückgabewert: 0 bei Erfolg, 1 wenn ein Bild nicht gedreht werden konnte, 2 bei einem\n"
    "falschen Aufruf.\n";

// The folder part of a path, ending with a separator.
std::string FolderOf(const std::string& path) {
  return path.substr(0, path.size() - FileNamePart(path).size());
}

// Forgets the frames of the turned pictures in their folder's cutting-data file.
void ForgetFrames(const std::string& folder, const std::vector<std::string>& names) {
  const std::string file = WithTrailingSeparator(folder) + std::string(kCuttingDataFile);
  if (!IsRegularFile(file)) return;
  std::vector<CuttingRecord> records = LoadCuttingData(file);
  bool changed = false;
  for (CuttingRecord& record : records) {
    const std::string name = FileNamePart(record.filename.value_or(""));
    for (const std::string& turned : names) {
      if (name == turned && record.Shown()) {
        record.ForgetGeometry();
        changed = true;
      }
    }
  }
  if (changed) SaveCuttingData(records, file);
}

int RunOrient(const std::vector<std::string>& args) {
  bool losslessOnly = false;
  std::vector<std::string> files;
  bool failed = false;
  int named = 0;
  for (const std::string& arg : args) {
    if (arg == "--lossless-only") {
      losslessOnly = true;
      continue;
    }
    if (arg.rfind("--", 0) == 0) return Usage();
    ++named;
    if (IsFolder(arg)) {
      for (std::string& path : ListJpegFiles(arg)) files.push_back(std::move(path));
    } else if (IsRegularFile(arg)) {
      files.push_back(arg);
    } else {
      std::fprintf(stderr, "trimora orient: Die Datei %s existiert nicht.\n", arg.c_str());
      failed = true;
    }
  }
  if (named == 0) return Usage();

  std::map<std::string, std::vector<std::string>> turnedByFolder;
  for (const std::string& path : files) {
    const std::string name = FileNamePart(path);
    try {
      const Turn turn = TurnForOrientation(ReadOrientation(path));
      if (turn == Turn::None) continue;
      if (TurnsLosslessly(path, turn)) {
        TurnOriginal(path, turn);
        std::printf("%s: aufgerichtet\n", name.c_str());
      } else if (losslessOnly) {
        std::printf("%s: nicht verlustfrei aufzurichten, unverändert\n", name.c_str());
        continue;
      } else {
        TurnByRecoding(path, turn);
        std::printf("%s: aufgerichtet (neu kodiert)\n", name.c_str());
      }
      turnedByFolder[FolderOf(path)].push_back(name);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "trimora orient: %s\n", ErrorText(e).c_str());
      failed = true;
    }
  }
  for (const auto& [folder, names] : turnedByFolder) {
    try {
      ForgetFrames(folder.empty() ? "." : folder, names);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "trimora orient: %s\n", ErrorText(e).c_str());
      failed = true;
    }
  }
  return failed ? 1 : 0;
}

const Registration kRegistration({"orient", "orient [--lossless-only] VERZEICHNIS|DATEI ...",
                                  "Bilder laut ihren EXIF-Daten aufrichten", kHelp, RunOrient});

}  // namespace
}  // namespace trimora::cli
