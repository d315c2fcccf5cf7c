// The crop-and-save run: every marked cutting-data record is cut into the destination folder, by
// jpegtran when it takes the lossless road (output/lossless.h), else by decoding.
//
// The run is plain code behind SaveRunView, the few things that need a person: the folder
// chooser, the message box (the overwrite question among others) and the status texts. The
// main window implements the view with its dialogs, the command-line tool with the terminal.
#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "folder/cutting_record.h"
#include "formats/format_tables.h"
#include "output/write_cropped.h"
#include "platform/settings_schema.h"
#include "ui/message_codes.h"

namespace trimora {

// What the run needs from a person.
class SaveRunView {
 public:
  virtual ~SaveRunView() = default;
  // The folder chooser; returns the chosen folder, or empty text when the user cancelled.
  virtual std::string ChooseFolder(const std::string& title, const std::string& okCaption,
                                   int glyphIndex, const std::string& startFolder) = 0;
  // The message box (buttons: ui::MessageButtons); returns the answer (ui::DialogResult).
  virtual int ShowMessageBox(const std::string& title, const std::string& text, int buttons,
                             int width, int height) = 0;
  // Sets the text of a status panel (3 is the right-most).
  virtual void SetStatusText(int panel, const std::string& text) = 0;
  // Lets the window repaint what is pending, without handling input.
  virtual void RepaintPending() {}
  // Shows or hides the hourglass cursor.
  virtual void SetBusy(bool /*busy*/) {}
};

// The run state the main window holds and others read.
struct SaveRunState {
  // True from the start of the writing pass until the run ends (read by the thumbnail thread).
  std::atomic<bool> SavingInProgress{false};
  // The user answered "Ja, &alle" in this writing pass.
  bool OverwriteAll = false;
  // Names this writing pass must not write over, folded to lower case: the pictures ("*.jpg")
  // of the destination folder when it is a source folder (file name → the names as they stand),
  // and the outputs chosen so far (whole paths), also those still being written.
  std::map<std::string, std::vector<std::string>> originals;
  std::set<std::string> written;
};

// What the run takes from the program besides the records.
struct SaveRunContext {
  EnlargeOptions stripes;                           // the enlargement options (LoadEnlargeOptions)
  std::function<double(int formatId)> formatRatio;  // FormatRatio of the format tables
  // Pictures in the strip when the run ends, for the closing status text (the strip may grow
  // while the run writes).
  std::function<int()> pictureCount = [] { return 0; };
  // The default format: a marked picture that was never shown is cut with the selection its
  // first showing would give with it (PlaceFirstSelection). Without one such a record ends the
  // run for its missing selection.
  std::optional<FormatRecord> defaultFormat;
  // Pictures cut at the same time. With more than one, every output name is chosen (and any
  // question asked) before its picture is started, the pictures are written under temporary
  // names and take their names in picture order, so that files, names and progress are those
  // of the run one at a time.
  int jobs = 1;
};

// The output name of a record: folder (ending with a separator) + file-name part of Filename;
// a last ".JPG" (any case) gets FileType for its last three letters, other names get "." +
// FileType appended.
std::string OutputName(const std::string& destFolder, const std::string& filename,
                       const std::string& fileType);

// Asks before an existing file is replaced. An output name that another original picture
// of the destination folder bears (any case) or that an earlier output of this pass took gets
// the first free name base + "_" + n + ending without a question, base being the path without its
// last four characters and the ending ".jpg" for JPG, else "." + FileType. Otherwise returns
// `path` when nothing is there, after "Ja, &alle" earlier in the pass, or after "&Ja"/"Ja, &alle";
// after "&Nein" (and when the box is closed without an answer) the first free name. When `path`
// is `source` itself, the question names it as the original.
std::string ConfirmOverwrite(const std::string& path, const std::string& source,
                             const std::string& fileType, SaveRunState& state, SaveRunView& view);

// The writing pass over the records into `destFolder` (steps after the folder was chosen):
// counts the marked records, writes them one after the other with "Speichere n/m" in status
// panel 3, and ends with the picture count there. A marked picture never shown gets the
// selection of its first showing (SaveRunContext::defaultFormat); one too small for the format
// is skipped and named in a note after the pass. An error ends the run at that picture and
// propagates after the closing steps; files written before it stay. With SaveRunContext::jobs
// above one the pictures are cut in parallel with the same files, names, progress texts and
// errors; after an error no further picture is started and the pictures behind it leave no
// file.
void RunSavePass(const std::vector<CuttingRecord>& records, const std::string& destFolder,
                 const SaveRunContext& context, SaveRunState& state, SaveRunView& view);

// The user's documents folder, where the chooser starts on first use.
std::string DefaultDestFolder();

// The command "Zuschneiden und speichern": chooses the destination folder (starting at the
// setting DestDir or the documents folder), checks it, stores it in DestDir and runs the pass.
void CropAndSave(const std::vector<CuttingRecord>& records, const SaveRunContext& context,
                 SaveRunState& state, SaveRunView& view, SettingsAccess& settings);

}  // namespace trimora
