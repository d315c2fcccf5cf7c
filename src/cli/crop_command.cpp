// trimora crop SOURCE DEST [--overwrite ask|yes|all|no] [--jobs N]: the crop-and-save run for
// the marked pictures of SOURCE's cutting-data file, written into DEST, N pictures at a time.
//
// The pictures are read from SOURCE whatever folder the cutting-data file names, so a folder
// that was moved or copied still works; only file names inside DEST are written. "ask" puts
// the overwrite question on the terminal with the message box's answers; when standard input
// ends without an answer the run stops with an error (nothing is replaced unasked).
#include <algorithm>
#include <cstdio>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <thread>

#include "cli/command.h"
#include "folder/cutting_record.h"
#include "folder/folder_listing.h"
#include "formats/format_tables.h"
#include "imaging/enlarge.h"
#include "output/crop_and_save.h"
#include "platform/error.h"
#include "platform/error_text.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/settings_schema.h"

namespace trimora::cli {
namespace {

enum class OverwriteMode { Ask, Yes, All, No };

// The terminal as the run's view: progress on stderr, the overwrite question on stderr/stdin.
class TerminalView : public SaveRunView {
 public:
  explicit TerminalView(OverwriteMode mode) : mode_(mode) {}

  std::string ChooseFolder(const std::string&, const std::string&, int,
                           const std::string&) override {
    return {};
  }

  int ShowMessageBox(const std::string& title, const std::string& text, int buttons, int,
                     int) override {
    if (buttons != ui::kButtonsYesToAllNo) {
      std::fprintf(stderr, "%s: %s\n", title.c_str(), Plain(text).c_str());
      return ui::kResultOk;
    }
    switch (mode_) {
      case OverwriteMode::Yes:
        return ui::kResultYes;
      case OverwriteMode::All:
        return ui::kResultYesToAll;
      case OverwriteMode::No:
        return ui::kResultNo;
      case OverwriteMode::Ask:
        break;
    }
    for (;;) {
      std::fprintf(stderr, "%s [j]a, ja [a]lle, [n]ein: ", Plain(text).c_str());
      std::fflush(stderr);
      std::string answer;
      if (!std::getline(std::cin, answer)) {
        std::fprintf(stderr, "\n");
        throw Error(ErrorCode::kOverwriteNoAnswer);
      }
      for (char& c : answer) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (answer == "j" || answer == "ja") return ui::kResultYes;
      if (answer == "a" || answer == "alle" || answer == "ja, alle") return ui::kResultYesToAll;
      if (answer == "n" || answer == "nein") return ui::kResultNo;
    }
  }

  void SetStatusText(int panel, const std::string& text) override {
    if (panel == 3 && text.rfind("Speichere ", 0) == 0) std::fprintf(stderr, "%s\n", text.c_str());
  }

 private:
  // The message box's line breaks as the terminal's.
  static std::string Plain(std::string text) {
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.replace(at, 2, " ");
    return text;
  }
  OverwriteMode mode_;
};

// The two format files of the program (the user's copies first) with the default format of the
// settings, as the window loads them.
std::shared_ptr<FormatTables> ProgramFormatTables() {
  auto tables = std::make_shared<FormatTables>();
  tables->LoadFormatTables(FormatFileFoldersOfThisProgram());
  tables->LoadDefaultFormat(Read(setting::kFormatId));
  return tables;
}

int Usage() { return UsageError("crop"); }

// A number of pictures cut at the same time: 1 to 64.
bool ParseJobCount(const std::string& text, int& jobs) {
  if (text.empty() || text.size() > 2 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  const int value = std::stoi(text);
  if (value < 1 || value > 64) return false;
  jobs = value;
  return true;
}

constexpr std::string_view kHelp =
    "Schneidet die zum Speichern markierten Bilder des Verzeichnisses QUELLE so zu, wie es\n"
    "dessen Datei \"CroppingData.kv2\" festhält, und schreibt sie in das Verzeichnis ZIEL:\n"
    "verlustfrei mit jpegtran, solange der Rahmen auf dem 16-Pixel-Raster liegt, sonst\n"
    "dekodiert, mit den Bildkorrekturen, als JPEG, TIFF, BMP oder PNG. Die Bilder werden aus\n"
    "QUELLE gelesen, auch wenn das Verzeichnis verschoben wurde; geschrieben wird nur in ZIEL.\n"
    "Der Fortschritt (\"Speichere 1/3\") steht auf der Standardfehlerausgabe. Ein Fehler\n"
    "beendet den Lauf beim fehlerhaften Bild; die schon geschriebenen Bilder bleiben.\n"
    "Mehrere Bilder werden gleichzeitig zugeschnitten; Dateien, Namen und Fortschritt sind\n"
    "dieselben wie bei einem Bild nach dem anderen.\n\n"
    "Optionen:\n"
    "  --overwrite ask  vor dem Überschreiben einer Datei im Terminal fragen (Vorgabe);\n"
    "                   ohne Antwort endet der Lauf mit einem Fehler\n"
    "  --overwrite yes  jede Frage mit \"Ja\" beantworten: vorhandene Dateien überschreiben\n"
    "  --overwrite all  mit \"Ja, alle\" antworten: alle vorhandenen Dateien überschreiben\n"
    "  --overwrite no   mit \"Nein\" antworten: nichts überschreiben, sondern unter einem\n"
    "                   neuen Namen speichern (\"_1\", \"_2\" ... angehängt)\n"
    "  --jobs N         N Bilder gleichzeitig zuschneiden (Vorgabe: die Zahl der\n"
    "                   Prozessorkerne); mit --overwrite ask eines nach dem anderen\n\n"
    "Rückgabewert: 0 bei Erfolg, 1 bei einem Fehler, 2 bei einem falschen Aufruf.\n";

int RunCrop(const std::vector<std::string>& args) {
  std::vector<std::string> folders;
  OverwriteMode mode = OverwriteMode::Ask;
  int jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string value;
    if (args[i] == "--jobs" || args[i].rfind("--jobs=", 0) == 0) {
      if (args[i] == "--jobs" && i + 1 == args.size()) return Usage();
      const std::string count = args[i] == "--jobs" ? args[++i] : args[i].substr(7);
      if (!ParseJobCount(count, jobs)) return Usage();
      continue;
    }
    if (args[i] == "--overwrite" && i + 1 < args.size()) {
      value = args[++i];
    } else if (args[i].rfind("--overwrite=", 0) == 0) {
      value = args[i].substr(12);
    } else if (args[i].rfind("--", 0) == 0) {
      return Usage();
    } else {
      folders.push_back(args[i]);
      continue;
    }
    if (value == "ask")
      mode = OverwriteMode::Ask;
    else if (value == "yes")
      mode = OverwriteMode::Yes;
    else if (value == "all")
      mode = OverwriteMode::All;
    else if (value == "no")
      mode = OverwriteMode::No;
    else
      return Usage();
  }
  if (folders.size() != 2) return Usage();
  const std::string& sourceFolder = folders[0];
  const std::string& destFolder = folders[1];
  try {
    for (const std::string& folder : folders) {
      if (!IsFolder(folder)) throw Error(ErrorCode::kFolderMissing, {folder});
    }
    std::vector<CuttingRecord> records =
        LoadCuttingData(WithTrailingSeparator(sourceFolder) + std::string(kCuttingDataFile));
    for (CuttingRecord& r : records) {
      if (r.filename) r.filename = WithTrailingSeparator(sourceFolder) + FileNamePart(*r.filename);
    }
    // In the order the window lists the pictures, whatever order an older file kept.
    std::stable_sort(records.begin(), records.end(),
                     [](const CuttingRecord& a, const CuttingRecord& b) {
                       return ListedBefore(FileNamePart(a.filename.value_or("")),
                                           FileNamePart(b.filename.value_or("")));
                     });
    SaveRunContext context;
    context.stripes = LoadEnlargeOptions();
    const std::shared_ptr<FormatTables> tables = ProgramFormatTables();
    context.formatRatio = [tables](int formatId) {
      return static_cast<double>(tables->FormatRatio(formatId));
    };
    context.defaultFormat = tables->DefaultFormat;
    const int count = static_cast<int>(records.size());
    context.pictureCount = [count] { return count; };
    // The questions on the terminal come one picture after the other.
    context.jobs = mode == OverwriteMode::Ask ? 1 : jobs;
    SaveRunState state;
    TerminalView view(mode);
    RunSavePass(records, WithTrailingSeparator(destFolder), context, state, view);
    return kExitSuccess;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "trimora crop: %s\n", ErrorText(e).c_str());
    return kExitFailure;
  }
}

const Registration kRegistration({"crop",
                                  "crop QUELLE ZIEL [--overwrite ask|yes|all|no] [--jobs N]",
                                  "die markierten Bilder eines Verzeichnisses zuschneiden", kHelp,
                                  RunCrop});

}  // namespace
}  // namespace trimora::cli
