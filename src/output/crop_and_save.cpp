#include "output/crop_and_save.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "folder/folder_listing.h"
#include "frame/block_grid.h"
#include "imaging/jpeg_codec.h"
#include "output/lossless.h"
#include "platform/error.h"
#include "platform/file_date.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/settings_schema.h"

namespace trimora {

namespace {

// A field that the run cannot do without; a null one ends the run.
template <typename T>
const T& Need(const std::optional<T>& field, const char* name, const CuttingRecord& record) {
  if (!field) {
    throw Error(ErrorCode::kRecordFieldMissing, {record.filename.value_or(""), name});
  }
  return *field;
}

// value x blocks, checked to stay an int.
int Blocks(int value, int blockSize, const CuttingRecord& record) {
  const long long pixels = static_cast<long long>(value) * blockSize;
  if (pixels < std::numeric_limits<int>::min() || pixels > std::numeric_limits<int>::max()) {
    throw Error(ErrorCode::kRecordCutInvalid, {record.filename.value_or("")});
  }
  return static_cast<int>(pixels);
}

// `text` with its ASCII letters in lower case, for comparing names without regard to case.
std::string Folded(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The pictures of the destination folder, when it is the folder of one of the records: their
// cuts must never replace them unless asked for their own picture.
std::map<std::string, std::vector<std::string>> OriginalsIn(
    const std::string& destFolder, const std::vector<CuttingRecord>& records) {
  std::map<std::string, std::vector<std::string>> originals;
  const bool sourceFolder =
      std::any_of(records.begin(), records.end(), [&](const CuttingRecord& r) {
        return r.filename && SameFile(FolderPart(*r.filename), destFolder);
      });
  if (!sourceFolder) return originals;
  try {
    for (const std::string& path : ListJpegFiles(destFolder)) {
      const std::string name = FileNamePart(path);
      originals[Folded(name)].push_back(name);
    }
  } catch (const Error&) {
    // An unreadable folder cannot be written either; the writers report it.
  }
  return originals;
}

// Runs the closing steps however the pass ends.
class PassEnd {
 public:
  PassEnd(SaveRunState& state, SaveRunView& view, const std::function<int()>& pictureCount)
      : state_(state), view_(view), pictureCount_(pictureCount) {
    view_.SetBusy(true);
  }
  ~PassEnd() {
    try {
      view_.SetBusy(false);
      view_.SetStatusText(3, std::to_string(pictureCount_()) + " Bilder im Verz.");
    } catch (...) {
      // The view's failure must not hide the run's own outcome.
    }
    state_.SavingInProgress = false;
  }
  PassEnd(const PassEnd&) = delete;
  PassEnd& operator=(const PassEnd&) = delete;

 private:
  SaveRunState& state_;
  SaveRunView& view_;
  const std::function<int()>& pictureCount_;
};

// Writes one marked record; returns the path written.
std::string SaveRecordFile(const CuttingRecord& record, const std::string& destFolder,
                           const SaveRunContext& context, SaveRunState& state, SaveRunView& view) {
  const int block = Need(record.blockSize, "jpegCompressionBlockSize", record);
  const std::string& source = Need(record.filename, "Filename", record);
  const std::string& type = Need(record.fileType, "FileType", record);
  const std::string output = OutputName(destFolder, source, type);
  const auto confirm = [&](const std::string& path) {
    return ConfirmOverwrite(path, source, type, state, view);
  };

  CropRequest request;
  request.source = source;
  request.output = output;
  request.type = type;
  request.redEyeList = record.redEyeCoords.value_or("");
  request.correction = record.autoCorrection.value_or(false);

  // A record with corrections is cut by decoding, with them, whatever its block size says.
  const bool lossless = TakesLosslessRoad(record);
  if (!lossless && record.enlarge.value_or(false)) {
    // An enlarged picture is written whole with its stripes; the selection is not used.
    const int formatId = Need(record.formatId, "FormatID", record);
    if (!context.formatRatio) throw Error(ErrorCode::kFormatTablesNotLoaded);
    request.ratio = context.formatRatio(formatId);
    if (!(request.ratio > 0)) throw Error(ErrorCode::kFormatUndefined, {std::to_string(formatId)});
    request.width = Need(record.pictureWidth, "PictureWidth", record);
    request.height = Need(record.pictureHeight, "PictureHeight", record);
    return WriteCroppedPicture(request, context.stripes, confirm);
  }

  request.left = Blocks(Need(record.x, "X", record), block, record);
  request.top = Blocks(Need(record.y, "Y", record), block, record);
  request.width = Blocks(Need(record.width, "Width", record), block, record);
  request.height = Blocks(Need(record.height, "Height", record), block, record);
  if (block != kJpegBlockSize) return WriteCroppedPicture(request, context.stripes, confirm);

  // The 16-pixel grid may reach past the picture's right and bottom edges.
  const JpegLayout layout = ReadJpegLayout(source);
  const int pictureWidth =
      std::min(Need(record.pictureWidth, "PictureWidth", record), layout.width);
  const int pictureHeight =
      std::min(Need(record.pictureHeight, "PictureHeight", record), layout.height);
  if (request.left + request.width > pictureWidth) request.width = pictureWidth - request.left;
  if (request.top + request.height > pictureHeight) request.height = pictureHeight - request.top;
  if (request.left < 0 || request.top < 0 || request.width <= 0 || request.height <= 0) {
    throw Error(ErrorCode::kRecordCutOutside, {source});
  }
  // jpegtran would move a cut whose corner is off the picture's own block grid; such pictures,
  // and those whose grid is coarser than 16 pixels, are cut exactly by decoding. Pictures
  // meant for another file type are never written as JPEG data, and corrected ones are cut
  // with their corrections.
  const bool onGrid = layout.blockWidth <= 16 && layout.blockHeight <= 16 &&
                      request.left % layout.blockWidth == 0 &&
                      request.top % layout.blockHeight == 0;
  if (!lossless || !onGrid) return WriteCroppedPicture(request, context.stripes, confirm);
  return JpegTranCrop(request.left, request.top, request.width, request.height, source, output,
                      confirm);
}

// A marked record of a picture never shown, with the selection and format its first showing
// would give it; nothing when the picture is too small for the format.
std::optional<CuttingRecord> WithFirstSelection(const CuttingRecord& record,
                                                const FormatRecord& format) {
  const std::string& source = Need(record.filename, "Filename", record);
  const JpegLayout layout = ReadJpegLayout(source);
  GridState grid;
  grid.BlockSize = record.blockSize.value_or(1) == kJpegBlockSize ? kJpegBlockSize : 1;
  // At full scale every partial block at the right and bottom edges counts.
  ComputeBlockGrid(grid, layout.width, layout.height, layout.width, layout.height);
  if (!PlaceFirstSelection(grid, layout.width, layout.height, format, format.Ratio()))
    return std::nullopt;
  CuttingRecord result = record;
  result.blockSize = grid.BlockSize;
  result.x = grid.SelX;
  result.y = grid.SelY;
  result.width = grid.SelW;
  result.height = grid.SelH;
  result.formatId = format.FormatID;
  result.pictureWidth = layout.width;
  result.pictureHeight = layout.height;
  return result;
}

// The note on the pictures that were too small for the default format.
void ReportSkipped(const std::vector<std::string>& skipped, const FormatRecord& format,
                   SaveRunView& view) {
  if (skipped.empty()) return;
  std::string text =
      "Diese Bilder sind für das Format " + format.Name + " zu klein und wurden nicht gespeichert:";
  for (const std::string& name : skipped) text += "\r\n" + name;
  const int lines = static_cast<int>(std::min<std::size_t>(skipped.size(), 20));
  view.ShowMessageBox("Information", text, ui::kButtonsOk, 360, 150 + 16 * lines);
}

}  // namespace

std::string OutputName(const std::string& destFolder, const std::string& filename,
                       const std::string& fileType) {
  std::string path = destFolder + FileNamePart(filename);
  const auto lower = [](char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  };
  std::string ending = path.size() >= 4 ? path.substr(path.size() - 4) : std::string();
  std::transform(ending.begin(), ending.end(), ending.begin(), lower);
  if (ending == ".jpg") return path.substr(0, path.size() - 3) + fileType;
  return path + "." + fileType;
}

std::string ConfirmOverwrite(const std::string& path, const std::string& source,
                             const std::string& fileType, SaveRunState& state, SaveRunView& view) {
  // The picture's own name, when the output goes into its folder.
  const std::string own =
      SameFile(FolderPart(source), FolderPart(path)) ? FileNamePart(source) : std::string();
  const auto taken = [&](const std::string& candidate) {
    if (state.written.count(Folded(candidate)) != 0) return true;
    const auto found = state.originals.find(Folded(FileNamePart(candidate)));
    if (found == state.originals.end()) return false;
    return std::any_of(found->second.begin(), found->second.end(),
                       [&](const std::string& name) { return name != own; });
  };
  const auto freeName = [&] {
    const std::string base = path.size() >= 4 ? path.substr(0, path.size() - 4) : path;
    const std::string ending = fileType == "JPG" ? ".jpg" : "." + fileType;
    for (int n = 1;; ++n) {
      std::string candidate = base + "_" + std::to_string(n) + ending;
      if (!PathExists(candidate) && !taken(candidate)) return candidate;
    }
  };
  // Another original, or a cut of this pass: never replaced, never asked for.
  if (taken(path)) return freeName();
  if (!PathExists(path) || state.OverwriteAll) return path;
  const std::string question =
      SameFile(path, source) ? "Soll das Original\r\n" : "Soll die Datei\r\n";
  const int answer = view.ShowMessageBox(
      "Frage", question + FileNamePart(path) + "\r\n" + " überschrieben werden?",
      ui::kButtonsYesToAllNo, 315, 170);
  if (answer == ui::kResultYesToAll) {
    state.OverwriteAll = true;
    return path;
  }
  if (answer == ui::kResultYes) return path;
  // "&Nein", and a box closed without an answer: keep the existing file, write beside it.
  return freeName();
}

void RunSavePass(const std::vector<CuttingRecord>& records, const std::string& destFolder,
                 const SaveRunContext& context, SaveRunState& state, SaveRunView& view) {
  PassEnd end(state, view, context.pictureCount);
  const auto marked = std::count_if(records.begin(), records.end(),
                                    [](const CuttingRecord& r) { return r.Marked(); });
  if (marked == 0) return;
  state.SavingInProgress = true;
  state.OverwriteAll = false;
  state.originals = OriginalsIn(destFolder, records);
  state.written.clear();
  // Temporary files of a run that was killed go now.
  RemoveStaleTemporaries(destFolder);
  int running = 0;
  std::vector<std::string> skipped;
  for (const CuttingRecord& stored : records) {
    view.RepaintPending();
    if (!stored.Marked()) continue;
    ++running;
    view.SetStatusText(3, "Speichere " + std::to_string(running) + "/" + std::to_string(marked));
    std::optional<CuttingRecord> firstShown;
    if (!stored.Shown() && context.defaultFormat) {
      firstShown = WithFirstSelection(stored, *context.defaultFormat);
      if (!firstShown) {
        skipped.push_back(FileNamePart(*stored.filename));
        continue;
      }
    }
    const CuttingRecord& record = firstShown ? *firstShown : stored;
    const std::int32_t date = GetFileDate(Need(record.filename, "Filename", record));
    const std::string written = SaveRecordFile(record, destFolder, context, state, view);
    state.written.insert(Folded(written));
    SetFileDate(written, date);
  }
  if (context.defaultFormat) ReportSkipped(skipped, *context.defaultFormat, view);
}

std::string DefaultDestFolder() { return DocumentsFolder(); }

void CropAndSave(const std::vector<CuttingRecord>& records, const SaveRunContext& context,
                 SaveRunState& state, SaveRunView& view, SettingsAccess& settings) {
  view.RepaintPending();
  std::string folder = settings.Get(setting::kDestDir);
  if (folder.empty()) folder = DefaultDestFolder();
  const std::string chosen = view.ChooseFolder("Zielverzeichnis wählen", "Speichern", 2, folder);
  if (chosen.empty()) return;
  if (!IsFolder(chosen)) {
    view.ShowMessageBox("Fehler", "Das angegebene Verzeichnis existiert nicht.", ui::kButtonsOk,
                        320, 150);
    return;
  }
  settings.Set(setting::kDestDir, chosen);
  RunSavePass(records, WithTrailingSeparator(chosen), context, state, view);
}

}  // namespace trimora
