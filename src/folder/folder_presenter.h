// The main window's source-folder behaviour: choosing and opening a folder, restoring its
// cutting data, the thumbnail strip and its thread, showing and navigating pictures, marking
// them for saving, the status texts, deleting and renaming originals, and what closing writes.
// Plain C++ against FolderView, FolderHost and FrameController; the model is one typed
// cutting-data record per strip entry.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "folder/cutting_record.h"
#include "folder/file_list_thread.h"
#include "folder/folder_view.h"
#include "folder/hand_over.h"
#include "imaging/enlarge.h"
#include "imaging/picture.h"
#include "platform/file_lock.h"
#include "platform/settings_schema.h"

namespace trimora {

class FormatTables;
class FrameController;

// The folder presenter's settings, read at start and written at close.
struct FolderSettings {
  std::string sourceFolder;           // SourceDir, else the documents folder
  std::int32_t formatId = 1;          // FormatID
  bool markOnShow = true;             // MarkPictureForSavingOnClick
  bool thumbnails = true;             // Thumbs
  EnlargeOptions enlarge;             // Enlarge\Left, Enlarge\Right, Enlarge\Color
};

// Reads the settings above from the settings store.
FolderSettings LoadFolderSettings();
// Writes FormatID, SourceDir and Thumbs (the folder's part of SaveSettings).
void SaveFolderSettings(const FolderSettings& settings);

// The corrections re-applied to the picture on show, as its record asked for them.
struct ShownCorrections {
  bool redEyeAvailable = false;  // the red-eye filter may be started on the picture
  bool redEye = false;           // red-eye rectangles are applied
  bool autoCorrection = false;   // the automatic correction is applied ("Korrigieren" down)
  bool enlarged = false;         // side stripes are added ("Erweitern" down)
  StripeOffset stripeOffset;     // where the unenlarged picture lies inside the enlarged one
};

// Status panel 1 for a displayed picture of width x height pixels: "Bild: (WxH)".
std::string PictureStatusText(int width, int height);
// Status panel 2 of an enlarged picture, which is saved whole: "Auswahl: (1,1) (WxH)".
std::string WholePictureSelectionText(int width, int height);

// Whether a live picture lies before and after the current one.
struct NavigationState {
  bool back = false;
  bool forward = false;
};

// The presenter of the source folder and the shown picture.
class FolderPresenter : public FileListSink {
 public:
  // Works for `view` inside the window `host` with the format tables and the frame of the main
  // window; asks `settings` whether the deletion question is still wanted. `wake` is called from
  // the file-list thread when a hand-over waits (it must make the main thread call RunHandOvers
  // soon).
  FolderPresenter(FolderView& view, FolderHost& host, FormatTables& formats,
                  SettingsAccess& settings, std::function<void()> wake);
  ~FolderPresenter() override;

  // Uses `frame` for the crop-frame steps; it must be given before a folder is opened and
  // outlive the presenter.
  void SetFrameController(FrameController* frame) { frame_ = frame; }
  // The frame in use.
  FrameController& Frame() { return *frame_; }

  // The size of the picture panel: the first picture of a folder gets a preview for it.
  void SetDisplayHint(int width, int height) {
    hintWidth_ = width;
    hintHeight_ = height;
  }
  // Whether the screen has more than 96 pixels per inch (smaller strip fonts).
  void SetHighDpi(bool highDpi) { highDpi_ = highDpi; }
  // Takes the settings that LoadSettings read.
  void ApplySettings(const FolderSettings& settings);
  // Whether a picture is marked for saving when it is shown (MarkPictureForSavingOnClick).
  void SetMarkOnShow(bool markOnShow) { markOnShow_ = markOnShow; }
  // The side-stripe options (after the settings dialog was saved).
  void SetEnlargement(const EnlargeOptions& options) { enlarge_ = options; }
  // The settings as they are now, for SaveFolderSettings: the default format, the folder, the
  // thumbnails switch and the values it was given.
  FolderSettings CurrentSettings() const;

  // Runs the hand-overs the file-list thread is waiting for (main thread); returns how many ran.
  int RunHandOvers() { return queue_.RunPending(); }

  // "Quellverzeichnis wählen": writes the table, asks for a folder and opens it.
  void ChooseSourceFolder();
  // Opens a folder given from outside as "Quellverzeichnis wählen" opens the chosen one (the
  // table written first, a folder that does not exist refused with the same message); when
  // `pictureName` is not empty, that picture is shown as soon as its strip entry is built.
  void OpenGivenFolder(const std::string& path, const std::string& pictureName);
  // Rebuilds everything for `path` (with or without a trailing separator). A folder that
  // cannot be read is reported and not opened. A folder that another window works on (another
  // program instance included) is opened for looking only, with a note: its table is neither
  // written nor reset from here.
  void OpenFolder(const std::string& path);
  // "Verzeichnis zurücksetzen": the folder's cutting-data file is removed and the folder opened
  // anew (only while a picture is shown; in a folder opened for looking only, the note again).
  void ResetFolder();
  // The user switched "Thumbnails anzeigen" to `checked`.
  void ThumbnailsToggled(bool checked);
  // Writes the cutting-data table to the open folder's file when at least one entry was built
  // and this window works on the folder; failures are ignored.
  void WriteTableIfAny();
  // Closing the main window: stops and awaits the thread, then writes the table (also when the
  // strip was not complete).
  void Close();

  // Shows the picture of strip entry `position` (none: -1 does nothing).
  void ShowPicture(int position, bool mayAlignToBlocks);
  // Makes entry `position`'s thumbnail anew from its file (after the original was turned), from a
  // full-size decoding; nothing happens while thumbnails are off or the file cannot be read.
  void RebuildThumbnail(int position);
  // The four navigation commands.
  void FirstPicture();
  void PreviousPicture();
  void NextPicture();
  void LastPicture();
  // Whether a live picture lies before and after the current one (the navigation commands).
  NavigationState Navigation() const;
  // The corrections applied to the picture on show (the correction commands keep them).
  const ShownCorrections& Corrections() const { return corrections_; }
  ShownCorrections& Corrections() { return corrections_; }
  // The record of the picture on show, or null.
  CuttingRecord* CurrentRecord();
  // The picture on show has changed in `part` (picture pixels): the view redraws that part.
  void RedrawShownPart(const PixelRect& part);
  // The picture on show has changed as a whole: the view shows it anew. `displayCopy`, when
  // given, is ScaleToView of the picture at the view's size, made already.
  void RedrawShown(Picture displayCopy = Picture());
  // Adds the side stripes of the options to the picture on show for the ratio of `formatId`:
  // the view is fitted to the enlarged picture, the crop frame hidden, and status panel 2 tells
  // that the whole picture is saved. Throws trimora::Error when the format has no ratio or the
  // enlarged picture would be too large; the picture is then unchanged.
  void EnlargeShown(std::int32_t formatId);
  // While a picture is being shown: puts it and its size on screen now (before a message box
  // of the showing), instead of at the end.
  void FlushShownPicture();
  // Marks an entry (position -1: the current one) for saving or not; `disable` disables its
  // check box first.
  void MarkForSaving(bool value, int position, bool disable);
  // The user clicked the save check box of entry `position`, which now shows `checked`.
  void EntryCheckClicked(int position, bool checked);
  // Enables the save check box of entry `position` again (a format that fits the picture).
  void EnableMarkBox(int position);
  // Sets status panel `index`.
  void SetStatusText(int index, const std::string& text);

  // Deletes the source picture of entry `position` (after asking, unless AskOnDelete is off).
  void DeleteSourcePicture(int position);
  // Renames the source picture of entry `position`.
  void RenameSourcePicture(int position);
  // The type menu of entry `position`: item 0..4 of TypeMenu() ("JPG (verlustfrei)" ...). A
  // disabled item does nothing.
  void ChooseFileType(int position, int item);
  // Whether "JPG (verlustfrei)" is enabled in the type menu of entry `position`: for the
  // picture on screen as the frame decided, for another one when its record holds no
  // correction and its stored format stays on the block grid.
  bool LosslessTypeAllowed(int position) const;

  // State read by the view and the tests.
  const std::string& SourceFolder() const { return sourceFolder_; }
  const std::vector<std::string>& Listing() const { return listing_; }
  int ThumbnailCount() const { return builtCount_; }
  // The strip is complete: the thread has delivered every file.
  bool StripComplete() const;
  // The position of the current entry, -1 for none.
  int CurrentPosition() const { return current_; }
  const std::string& CurrentFile() const { return currentFile_; }
  // The cutting-data records, record n for strip entry n (the model of the presenters and of
  // the crop-and-save run).
  const std::vector<CuttingRecord>& Records() const { return records_; }
  std::vector<CuttingRecord>& Records() { return records_; }
  bool ThumbnailsOn() const { return thumbnails_; }
  // The side-stripe options (Enlarge\Left, Enlarge\Right, Enlarge\Color).
  const EnlargeOptions& Enlargement() const { return enlarge_; }
  // The status panels' texts.
  const std::array<std::string, 4>& StatusTexts() const { return status_; }
  // The displayed picture.
  const Picture& DisplayedPicture() const { return displayed_; }
  Picture& DisplayedPicture() { return displayed_; }
  // Whether entry `position`'s save check box is checked / enabled / the entry hidden.
  bool EntryChecked(int position) const { return entries_.at(static_cast<std::size_t>(position)).checked; }
  bool EntryCheckEnabled(int position) const { return entries_.at(static_cast<std::size_t>(position)).checkEnabled; }
  // The file name on entry `position`.
  const std::string& EntryCaption(int position) const {
    return entries_.at(static_cast<std::size_t>(position)).caption;
  }
  // Whether the file-list thread is running.
  bool ThreadRunning() const { return thread_ && !thread_->Ended(); }
  // Stops the file-list thread and waits for its end while running its hand-overs.
  void StopThread();
  // Waits until the strip is complete (tests and benchmarks).
  void WaitForStrip();

 private:
  struct EntryState {
    std::string caption;
    bool checked = false;
    bool checkEnabled = true;
    bool hidden = false;
  };

  EntryRecordData PrepareEntry(int index, int skipped, int listingSize) override;
  void DropFile(int position) override;
  void InsertEntry(StripEntry entry, std::optional<Picture> firstPicture, Picture preview) override;
  void FinishStrip(int builtCount, int skipped, int listingSize) override;

  void ShowPictureFrom(int position, bool mayAlignToBlocks, std::optional<Picture> decoded,
                       Picture preview = Picture());
  void ClearFolderState();
  // The note that another window works on the open folder.
  void ShowFolderInUse();
  void OpenCheckedFolder(const std::string& path);
  void FillRecordsFromListing(const std::vector<CuttingRecord>& loaded);
  // Once per folder this window works on: offers to bring the pictures upright whose Exif data
  // says the camera was turned, and turns them on "Ja"; returns the paths turned.
  std::vector<std::string> OfferUpright();
  std::string CuttingDataPath() const;
  bool RecordDeleted(int position) const;
  int FindLive(int from, int step) const;
  void GoTo(int position, bool refreshFullScreen);
  void GiveShownToView(Picture displayCopy = Picture());

  FolderView& view_;
  FolderHost& host_;
  FormatTables& formats_;
  SettingsAccess& settings_;
  HandOverQueue queue_;
  FrameController* frame_ = nullptr;

  std::string sourceFolder_;
  std::int32_t defaultFormatId_ = 1;
  bool markOnShow_ = true;
  bool thumbnails_ = true;
  bool highDpi_ = false;
  int hintWidth_ = 0;
  int hintHeight_ = 0;
  EnlargeOptions enlarge_;

  std::vector<std::string> listing_;
  std::vector<EntryState> entries_;
  int builtCount_ = 0;
  int deletedCount_ = 0;
  bool stripComplete_ = false;
  int current_ = -1;
  std::string wantedPicture_;  // the file name to show when its entry is built
  std::string currentFile_;
  std::vector<CuttingRecord> records_;
  std::vector<CuttingRecord> keptApart_;  // records of undecodable files, written back at the end
  std::set<std::string> uprightOffered_;  // folders whose pictures were offered to be turned
  Picture displayed_;
  std::unique_ptr<TFileListThread> thread_;
  std::unique_ptr<FolderClaim> claim_;  // this window's claim on the open folder

  ShownCorrections corrections_;
  bool showPending_ = false;  // a picture being shown is not yet given to the view
  Picture pendingPreview_;    // its reduced copy from the file-list thread, if any
  std::array<std::string, 4> status_;
};

}  // namespace trimora
