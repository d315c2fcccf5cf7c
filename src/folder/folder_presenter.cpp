#include "folder/folder_presenter.h"

#include <algorithm>
#include <unordered_map>

#include "folder/folder_listing.h"
#include "folder/frame_controller.h"
#include "formats/format_tables.h"
#include "imaging/correction.h"
#include "imaging/jpeg_codec.h"
#include "imaging/red_eye.h"
#include "imaging/thumbnail.h"
#include "output/lossless.h"
#include "output/turn_original.h"
#include "platform/error.h"
#include "platform/error_text.h"
#include "platform/file_lock.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/settings_schema.h"
#include "ui/message_codes.h"

namespace trimora {

namespace {

std::string Decimal(int value) { return std::to_string(value); }

}  // namespace

std::string PictureStatusText(int width, int height) {
  return "Bild: (" + Decimal(width) + "x" + Decimal(height) + ")";
}

std::string WholePictureSelectionText(int width, int height) {
  return "Auswahl: (1,1) (" + Decimal(width) + "x" + Decimal(height) + ")";
}

FolderSettings LoadFolderSettings() {
  FolderSettings s;
  s.sourceFolder = Read(setting::kSourceDir);
  if (s.sourceFolder.empty()) s.sourceFolder = DocumentsFolder();
  s.formatId = Read(setting::kFormatId);
  s.markOnShow = Read(setting::kMarkPictureForSavingOnClick);
  s.thumbnails = Read(setting::kThumbs);
  s.enlarge = LoadEnlargeOptions();
  return s;
}

void SaveFolderSettings(const FolderSettings& s) {
  Write(setting::kFormatId, s.formatId);
  Write(setting::kSourceDir, s.sourceFolder);
  Write(setting::kThumbs, s.thumbnails);
}

FolderPresenter::FolderPresenter(FolderView& view, FolderHost& host, FormatTables& formats,
                                 SettingsAccess& settings, std::function<void()> wake)
    : view_(view), host_(host), formats_(formats), settings_(settings), queue_(std::move(wake)) {}

FolderPresenter::~FolderPresenter() { StopThread(); }

void FolderPresenter::ApplySettings(const FolderSettings& s) {
  sourceFolder_ = s.sourceFolder;
  defaultFormatId_ = s.formatId;
  markOnShow_ = s.markOnShow;
  thumbnails_ = s.thumbnails;
  enlarge_ = s.enlarge;
}

FolderSettings FolderPresenter::CurrentSettings() const {
  FolderSettings s;
  s.sourceFolder = sourceFolder_;
  s.formatId = formats_.DefaultFormat.FormatID;
  s.markOnShow = markOnShow_;
  s.thumbnails = thumbnails_;
  s.enlarge = enlarge_;
  return s;
}

std::string FolderPresenter::CuttingDataPath() const {
  return WithTrailingSeparator(sourceFolder_) + std::string(kCuttingDataFile);
}

void FolderPresenter::WriteTableIfAny() {
  // A folder that another window works on keeps that window's table.
  if (builtCount_ <= 0 || !claim_ || !claim_->Held()) return;
  try {
    if (keptApart_.empty()) {
      SaveCuttingData(records_, CuttingDataPath());
    } else {
      std::vector<CuttingRecord> all = records_;
      all.insert(all.end(), keptApart_.begin(), keptApart_.end());
      SaveCuttingData(all, CuttingDataPath());
    }
  } catch (...) {
    // The write-back is best effort: the folder's old file stays as it was.
  }
}

void FolderPresenter::ChooseSourceFolder() {
  WriteTableIfAny();
  const std::string chosen =
      view_.ChooseFolder("Quellverzeichnis auswählen", "&Öffnen", 0, sourceFolder_);
  if (chosen.empty()) return;
  OpenCheckedFolder(chosen);
}

void FolderPresenter::OpenGivenFolder(const std::string& path, const std::string& pictureName) {
  WriteTableIfAny();
  OpenCheckedFolder(path);
  if (sourceFolder_ == WithTrailingSeparator(path)) wantedPicture_ = pictureName;
}

void FolderPresenter::OpenCheckedFolder(const std::string& path) {
  if (!IsFolder(path)) {
    view_.ShowMessageBox("Fehler", "Das angegebene Verzeichnis existiert nicht.", ui::kButtonsOk,
                         "", 315, 120);
    return;
  }
  for (int i = 1; i <= 3; ++i) SetStatusText(i, "");
  OpenFolder(path);
}

void FolderPresenter::ClearFolderState() {
  view_.SetStripVisible(false);
  view_.ClearStrip();
  entries_.clear();
  builtCount_ = 0;
  deletedCount_ = 0;
}

void FolderPresenter::OpenFolder(const std::string& path) {
  // A folder that cannot be read is not opened: what was open stays.
  std::vector<std::string> listing;
  try {
    listing = ListJpegFiles(path);
  } catch (const Error& e) {
    view_.ShowError(ErrorText(e));
    return;
  }
  view_.SetBusy(true);
  struct Guard {
    FolderView& view;
    ~Guard() {
      view.SetStripVisible(true);
      view.SetBusy(false);
    }
  } guard{view_};

  view_.SetShortcutPanelVisible(false);
  SetStatusText(0, WithoutTrailingSeparator(path));
  StopThread();
  sourceFolder_ = WithTrailingSeparator(path);
  ClearFolderState();
  frame_->ApplyFormat(formats_.DefaultFormat.FormatID, true);
  if (current_ >= 0) current_ = -1;
  currentFile_.clear();
  wantedPicture_.clear();
  records_.clear();
  keptApart_.clear();

  // One window works on a folder at a time; a second one only looks.
  claim_.reset();
  claim_ = std::make_unique<FolderClaim>(path);
  if (claim_->Held()) {
    // Temporary files of a rotation that was killed go now.
    RemoveStaleTemporaries(path);
  } else {
    ShowFolderInUse();
  }

  listing_ = std::move(listing);
  auto openEmpty = [this] {
    listing_.clear();
    records_.clear();
    corrections_ = ShownCorrections();
    host_.UpdateCommandStates(false);
    view_.ClearPicture();
    displayed_ = Picture();
    frame_->HideFrame();
    view_.ShowPanelBackground(true);
  };
  if (listing_.empty()) {
    openEmpty();
    return;
  }
  std::vector<CuttingRecord> loaded;
  if (IsRegularFile(CuttingDataPath())) {
    try {
      loaded = LoadCuttingData(CuttingDataPath());
    } catch (const Error& e) {
      // The folder opens as an empty one; a later opening works normally.
      openEmpty();
      view_.ShowError(ErrorText(e));
      return;
    }
  }
  const std::vector<std::string> turned = OfferUpright();
  FillRecordsFromListing(loaded);
  for (CuttingRecord& record : records_) {
    if (std::find(turned.begin(), turned.end(), record.filename.value_or("")) != turned.end()) {
      record.ForgetGeometry();
    }
  }
  thread_ = std::make_unique<TFileListThread>(listing_, thumbnails_, highDpi_, queue_, *this);
  thread_->SetDisplayHint(hintWidth_, hintHeight_);
  thread_->Start();
}

std::vector<std::string> FolderPresenter::OfferUpright() {
  // The pictures of a folder another window works on stay as that window knows them.
  if (!claim_ || !claim_->Held()) return {};
  if (!settings_.Get(setting::kAskToTurnUpright) || uprightOffered_.count(sourceFolder_) != 0)
    return {};
  std::vector<std::pair<std::string, Turn>> sideways;
  for (const std::string& path : listing_) {
    const Turn turn = TurnForOrientation(ReadOrientation(path));
    if (turn != Turn::None) sideways.emplace_back(path, turn);
  }
  if (sideways.empty()) return {};
  uprightOffered_.insert(sourceFolder_);
  const int n = static_cast<int>(sideways.size());
  view_.SetBusy(false);
  const int answer = view_.ShowMessageBox(
      "Frage",
      (n == 1 ? std::string("1 Bild ist") : Decimal(n) + " Bilder sind") +
          " laut Kamera gedreht. Jetzt aufrichten?",
      ui::kButtonsYesNo, std::string(setting::kAskToTurnUpright.name), 330, 150);
  view_.SetBusy(true);
  if (answer != ui::kResultYes) return {};
  std::vector<std::string> turned;
  std::string failures;
  int done = 0;
  for (const auto& [path, turn] : sideways) {
    SetStatusText(3, "Richte auf " + Decimal(++done) + "/" + Decimal(n));
    try {
      TurnOriginal(path, turn);
      turned.push_back(path);
    } catch (const Error& e) {
      failures += "\r\n" + ErrorText(e);
    }
  }
  if (!failures.empty()) {
    view_.ShowMessageBox("Fehler", "Nicht jedes Bild konnte aufgerichtet werden:" + failures,
                         ui::kButtonsOk, "", 400, 170);
  }
  return turned;
}

void FolderPresenter::FillRecordsFromListing(const std::vector<CuttingRecord>& loaded) {
  // No picture is on screen while a folder opens: its corrections do not count.
  const FileTypeChoice choice =
      trimora::DefaultFileType(frame_->FileTypes(), formats_.DefaultFormat, {});
  // The first record per path that holds cutting data.
  std::unordered_map<std::string, const CuttingRecord*> stored;
  for (const CuttingRecord& record : loaded) {
    if (record.filename && record.Shown()) stored.emplace(*record.filename, &record);
  }
  records_.reserve(listing_.size());
  for (const std::string& entry : listing_) {
    const auto found = stored.find(entry);
    CuttingRecord& record =
        records_.emplace_back(found != stored.end() ? *found->second : CuttingRecord{});
    record.tempPath = std::string();
    record.deleted = false;
    if (found == stored.end()) {
      record.filename = entry;
      record.fileType = choice.type;
      record.saveIt = false;
      record.blockSize = BlockSizeFor(choice);
    }
  }
}

void FolderPresenter::ShowFolderInUse() {
  view_.ShowMessageBox(
      "Information", ErrorText(ErrorCode::kFolderInUse, {WithoutTrailingSeparator(sourceFolder_)}),
      ui::kButtonsOk, "", 420, 190);
}

void FolderPresenter::ResetFolder() {
  if (current_ < 0) return;
  if (claim_ && !claim_->Held()) {
    ShowFolderInUse();
    return;
  }
  RemoveFile(CuttingDataPath());
  OpenFolder(sourceFolder_);
}

void FolderPresenter::ThumbnailsToggled(bool checked) {
  thumbnails_ = checked;
  if (builtCount_ > 0) {
    // Work done since the file was last written would otherwise be replaced by the file.
    WriteTableIfAny();
    OpenFolder(sourceFolder_);
  }
}

bool FolderPresenter::StripComplete() const {
  return builtCount_ == static_cast<int>(listing_.size());
}

void FolderPresenter::StopThread() {
  if (!thread_) return;
  thread_->RequestStop();
  thread_->WaitUntilEnded();
  thread_.reset();
}

void FolderPresenter::WaitForStrip() {
  if (thread_) thread_->WaitUntilEnded();
}

void FolderPresenter::Close() {
  displayed_ = Picture();
  // Records of files the thread has not reached hold what was restored from the file; they are
  // written back as they are, so nothing set meanwhile is lost.
  StopThread();
  WriteTableIfAny();
}

// The file-list thread's hand-overs.

EntryRecordData FolderPresenter::PrepareEntry(int index, int skipped, int listingSize) {
  EntryRecordData data;
  const int position = index - skipped;
  if (position >= 0 && position < static_cast<int>(records_.size())) {
    const CuttingRecord& record = records_[static_cast<std::size_t>(position)];
    data.saveIt = record.saveIt.value_or(false);
    data.fileType = record.fileType.value_or("");
    data.lossyJpeg = TypeButtonRed(record);
  }
  if (!host_.SavingInProgress()) {
    SetStatusText(3, "Initialisiere " + Decimal(position + 1) + "/" + Decimal(listingSize - skipped));
  }
  return data;
}

void FolderPresenter::DropFile(int position) {
  if (position < 0 || position >= static_cast<int>(listing_.size())) return;
  listing_.erase(listing_.begin() + position);
  if (position < static_cast<int>(records_.size())) {
    // A record that holds cutting data is kept for the file, which may be readable again later.
    const auto at = records_.begin() + position;
    if (at->Shown()) keptApart_.push_back(std::move(*at));
    records_.erase(at);
  }
}

void FolderPresenter::InsertEntry(StripEntry entry, std::optional<Picture> firstPicture,
                                  Picture preview) {
  const int position = entry.position;
  const bool saveIt = entry.saveIt;
  entries_.resize(static_cast<std::size_t>(position) + 1);
  entries_[static_cast<std::size_t>(position)] = EntryState{entry.caption, saveIt, true, false};
  view_.InsertStripEntry(std::move(entry));
  builtCount_ = position + 1;
  if (position == 0 && !(thread_ && thread_->StopRequested())) {
    ShowPictureFrom(0, false, std::move(firstPicture), std::move(preview));
    MarkForSaving(saveIt || markOnShow_, -1, false);
    host_.UpdateCommandStates(true);
  }
  if (!wantedPicture_.empty() &&
      entries_[static_cast<std::size_t>(position)].caption == wantedPicture_) {
    wantedPicture_.clear();
    if (position != current_) GoTo(position, false);
    host_.UpdateNavigation();
  }
}

void FolderPresenter::FinishStrip(int, int skipped, int listingSize) {
  view_.FinishStrip();
  if (!host_.SavingInProgress())
    SetStatusText(3, Decimal(listingSize - skipped) + " Bilder im Verz.");
}

// Showing pictures.

void FolderPresenter::ShowPicture(int position, bool mayAlignToBlocks) {
  ShowPictureFrom(position, mayAlignToBlocks, std::nullopt);
}

void FolderPresenter::ShowPictureFrom(int position, bool mayAlignToBlocks,
                                      std::optional<Picture> decoded, Picture preview) {
  if (position < 0 || position >= static_cast<int>(entries_.size())) return;
  const std::string file = sourceFolder_ + entries_[static_cast<std::size_t>(position)].caption;
  if (!IsRegularFile(file)) {
    view_.ShowPanelBackground(true);
    view_.ShowMessageBox("Fehler", "Die Datei existiert nicht mehr.", ui::kButtonsOk, "", 315, 120);
    SetStatusText(1, "");
    SetStatusText(2, "");
    return;
  }
  view_.SetBusy(true);
  Picture picture;
  try {
    picture = (decoded && !decoded->empty()) ? std::move(*decoded) : DecodeJpegFile(file);
  } catch (const Error&) {
    view_.ShowPanelBackground(true);
    view_.ShowMessageBox("Fehler", "Die Datei konnte nicht gelesen werden.", ui::kButtonsOk, "",
                         315, 120);
    SetStatusText(1, "");
    SetStatusText(2, "");
    view_.ShowPanelBackground(false);
    view_.SetBusy(false);
    return;
  }

  // Another picture ends red-eye marking.
  if (frame_->RedEyeFrameVisible()) frame_->EndRedEyeMarking();
  if (current_ >= 0 && current_ < static_cast<int>(entries_.size())) view_.SetEntryCurrent(current_, false);
  current_ = position;
  view_.SetEntryCurrent(position, true);
  if (!frame_->FrameVisible()) frame_->ResetSelection();
  CuttingRecord& record = records_.at(static_cast<std::size_t>(position));
  corrections_ = ShownCorrections();
  corrections_.redEyeAvailable = true;

  const std::string redEye = record.redEyeCoords.value_or("");
  if (!redEye.empty()) {
    preview = Picture();  // the preview does not show the filtered eyes
    try {
      ReapplyRedEye(picture, redEye);
      corrections_.redEye = true;
    } catch (const Error&) {
      // The picture is shown without the rectangles that cannot be applied.
    }
  }
  if (record.autoCorrection.value_or(false)) {
    preview = Picture();
    AutoCorrectPicture(picture);
    corrections_.autoCorrection = true;
  }
  frame_->InvalidateLastFrame();
  // The view shows the old buffer until it is given the new one below: keep it alive.
  const Picture previous = std::move(displayed_);
  displayed_ = std::move(picture);
  const int width = displayed_.width();
  const int height = displayed_.height();
  record.pictureWidth = width;
  record.pictureHeight = height;
  frame_->RefreshDisplayAlpha();
  // From here on a message box of the format shows the new picture behind it.
  showPending_ = true;
  pendingPreview_ = std::move(preview);

  if (!record.Shown()) {
    corrections_.autoCorrection = false;
    // The grid that opening the folder chose for the picture, as the save run takes it.
    if (record.blockSize) frame_->RestoreSelection(*record.blockSize, 0, 0, 0, 0);
    frame_->FitPictureIntoPanel(position, width, height);
    frame_->MatchSelectionOrientation();
    frame_->ApplyFormat(formats_.DefaultFormat.FormatID, true);
    frame_->PlaceFirstShowingSelection();
  } else {
    frame_->HideFrame();
    frame_->RestoreSelection(record.blockSize.value_or(1), record.x.value_or(0),
                             record.y.value_or(0), record.width.value_or(0),
                             record.height.value_or(0));
    frame_->FitPictureIntoPanel(position, width, height);
    frame_->ApplyFormat(*record.formatId, mayAlignToBlocks);
  }
  if (record.enlarge.value_or(false)) {
    try {
      EnlargeShown(frame_->CurrentFormatId());
    } catch (const Error&) {
      // Shown without the stripes that cannot be added; the record keeps asking for them.
    }
  }
  frame_->KeepCorrectedPictureOffBlockGrid();
  FlushShownPicture();
  view_.SetBusy(false);

  if (markOnShow_) MarkForSaving(true, -1, false);
  host_.UpdateCommandStates(true);
  if (corrections_.enlarged) frame_->HideFrame();
  currentFile_ = file;
  host_.PictureShown(file);
}

void FolderPresenter::GiveShownToView(Picture displayCopy) {
  if (!displayCopy.empty()) {
    view_.ShowPictureWithDisplayCopy(displayed_, std::move(displayCopy));
  } else if (pendingPreview_.empty()) {
    view_.ShowPicture(displayed_);
  } else {
    view_.ShowPictureWithPreview(displayed_, pendingPreview_);
  }
  view_.ShowPanelBackground(false);
  SetStatusText(1, PictureStatusText(displayed_.width(), displayed_.height()));
}

void FolderPresenter::FlushShownPicture() {
  if (!showPending_) return;
  showPending_ = false;
  GiveShownToView();
  pendingPreview_ = Picture();
}

CuttingRecord* FolderPresenter::CurrentRecord() {
  if (current_ < 0 || current_ >= static_cast<int>(records_.size())) return nullptr;
  return &records_[static_cast<std::size_t>(current_)];
}

void FolderPresenter::RedrawShownPart(const PixelRect& part) {
  view_.RedrawPicturePart(displayed_, part);
}

void FolderPresenter::RedrawShown(Picture displayCopy) {
  pendingPreview_ = Picture();
  GiveShownToView(std::move(displayCopy));
}

void FolderPresenter::EnlargeShown(std::int32_t formatId) {
  const double ratio = static_cast<double>(formats_.FormatRatio(formatId));
  corrections_.stripeOffset =
      EnlargePicture(displayed_, enlarge_.color, enlarge_.left, enlarge_.right, ratio);
  corrections_.enlarged = true;
  pendingPreview_ = Picture();  // the preview has no stripes
  frame_->HideFrame();
  frame_->FitPictureIntoPanel(current_, displayed_.width(), displayed_.height());
  frame_->RefreshDisplayAlpha();
  SetStatusText(2, WholePictureSelectionText(displayed_.width(), displayed_.height()));
  // A picture being shown is given to the view at the end of the showing.
  if (!showPending_) RedrawShown();
}

// Navigation.

bool FolderPresenter::RecordDeleted(int position) const {
  return records_.at(static_cast<std::size_t>(position)).deleted.value_or(false);
}

int FolderPresenter::FindLive(int from, int step) const {
  for (int r = from; r >= 0 && r < static_cast<int>(records_.size()); r += step) {
    if (!RecordDeleted(r)) return r;
  }
  return -1;
}

void FolderPresenter::GoTo(int position, bool refreshFullScreen) {
  ShowPicture(position, false);
  view_.ScrollToEntry(position);
  if (refreshFullScreen) view_.PostFullScreenRefresh();
}

void FolderPresenter::FirstPicture() {
  if (builtCount_ <= 0) return;
  const int first = FindLive(0, 1);
  if (first < 0 || first >= builtCount_) return;
  GoTo(first, false);
  host_.UpdateNavigation();
}

void FolderPresenter::LastPicture() {
  if (builtCount_ <= 0 || !StripComplete()) return;
  const int last = FindLive(static_cast<int>(records_.size()) - 1, -1);
  if (last < 0 || last >= builtCount_) return;
  GoTo(last, false);
  host_.UpdateNavigation();
}

void FolderPresenter::PreviousPicture() {
  if (current_ < 0) return;
  int target = FindLive(current_ - 1, -1);
  if (target < 0) target = current_;
  GoTo(target, true);
}

void FolderPresenter::NextPicture() {
  if (current_ < 0) return;
  const int target = FindLive(current_ + 1, 1);
  if (target < 0 || target >= builtCount_) return;
  GoTo(target, true);
}

NavigationState FolderPresenter::Navigation() const {
  NavigationState state;
  if (builtCount_ > 0) {
    const int first = FindLive(0, 1);
    const int last = FindLive(static_cast<int>(records_.size()) - 1, -1);
    state.back = first >= 0 && first < current_;
    state.forward = last >= 0 && current_ < last;
  }
  return state;
}

bool FolderPresenter::LosslessTypeAllowed(int position) const {
  if (position < 0 || position >= static_cast<int>(records_.size())) return false;
  if (position == current_) return frame_->LosslessEntryEnabled();
  const CuttingRecord& record = records_[static_cast<std::size_t>(position)];
  FormatRecord stored;
  const bool named = record.formatId && formats_.LookupFormat(*record.formatId, stored);
  return LosslessAllowedForRecord(record, named ? &stored : nullptr);
}

// Marking.

void FolderPresenter::MarkForSaving(bool value, int position, bool disable) {
  if (position == -1) position = current_;
  if (position < 0 || position >= static_cast<int>(entries_.size())) return;
  EntryState& entry = entries_[static_cast<std::size_t>(position)];
  if (disable) {
    entry.checkEnabled = false;
    view_.SetEntryCheckEnabled(position, false);
  }
  entry.checked = entry.checkEnabled && value;
  view_.SetEntryChecked(position, entry.checked);
  if (position < static_cast<int>(records_.size()))
    records_[static_cast<std::size_t>(position)].saveIt = entry.checked;
}

void FolderPresenter::EntryCheckClicked(int position, bool checked) {
  if (position < 0 || position >= static_cast<int>(entries_.size())) return;
  entries_[static_cast<std::size_t>(position)].checked = checked;
  if (position < static_cast<int>(records_.size()))
    records_[static_cast<std::size_t>(position)].saveIt = checked;
}

void FolderPresenter::EnableMarkBox(int position) {
  if (position < 0 || position >= static_cast<int>(entries_.size())) return;
  EntryState& entry = entries_[static_cast<std::size_t>(position)];
  if (entry.hidden) return;
  entry.checkEnabled = true;
  view_.SetEntryCheckEnabled(position, true);
}

void FolderPresenter::SetStatusText(int index, const std::string& text) {
  if (index < 0 || index > 3) return;
  status_[static_cast<std::size_t>(index)] = text;
  view_.SetStatusPanel(index, text);
}

// Operations on originals.

void FolderPresenter::DeleteSourcePicture(int position) {
  if (position < 0 || position >= static_cast<int>(entries_.size())) return;
  if (entries_[static_cast<std::size_t>(position)].hidden) return;
  const std::string name = entries_[static_cast<std::size_t>(position)].caption;
  if (settings_.Get(setting::kAskOnDelete)) {
    const int answer = view_.ShowMessageBox(
        "Frage", "Soll das Bild \r\n" + name + "\r\n" + " wirklich gelöscht werden?",
        ui::kButtonsYesNo, std::string(setting::kAskOnDelete.name), 315, 170);
    if (answer != ui::kResultYes) return;
  }
  if (!RemoveFile(sourceFolder_ + name)) {
    view_.ShowMessageBox("Fehler", "Die Datei konnte nicht gelöscht werden.", ui::kButtonsOk, "",
                         315, 120);
    return;
  }
  ++deletedCount_;
  records_.at(static_cast<std::size_t>(position)).deleted = true;
  MarkForSaving(false, position, true);
  entries_[static_cast<std::size_t>(position)].hidden = true;
  const int live = builtCount_ - deletedCount_;
  if (live <= 0) {
    view_.ClearPicture();
    displayed_ = Picture();
    frame_->HideFrame();
    if (current_ >= 0) view_.SetEntryCurrent(current_, false);
    current_ = -1;
    currentFile_.clear();
  } else if (position == current_) {
    // The nearest picture after it, else the nearest one before it, among the built entries.
    int target = -1;
    for (int r = position + 1; r < builtCount_ && target < 0; ++r)
      if (!RecordDeleted(r)) target = r;
    for (int r = position - 1; r >= 0 && target < 0; --r)
      if (!RecordDeleted(r)) target = r;
    // A picture shown after a deletion is not marked.
    const bool markOnShow = markOnShow_;
    markOnShow_ = false;
    ShowPicture(target, false);
    markOnShow_ = markOnShow;
  }
  view_.HideEntry(position);
  if (live <= 0) {
    corrections_ = ShownCorrections();
    host_.UpdateCommandStates(false);
  } else {
    host_.UpdateNavigation();
  }
}

void FolderPresenter::RebuildThumbnail(int position) {
  if (!thumbnails_ || position < 0 || position >= ThumbnailCount()) return;
  if (position >= static_cast<int>(records_.size())) return;
  const std::optional<std::string>& path = records_[static_cast<std::size_t>(position)].filename;
  if (!path) return;
  try {
    Picture thumbnail = ScaleThumbnail(DecodeJpegFile(*path));
    const StripEntryGeometry geometry = EntryGeometryFor(true, thumbnail.height(), highDpi_);
    view_.SetEntryThumbnail(position, thumbnail, geometry);
  } catch (const Error&) {
    // The picture on show already told the user that its file cannot be read.
  }
}

void FolderPresenter::RenameSourcePicture(int position) {
  if (position < 0 || position >= static_cast<int>(entries_.size())) return;
  const std::string old = entries_[static_cast<std::size_t>(position)].caption;
  const std::string name = view_.ShowInputBox("Originalbild umbenennen", "Neuer Dateiname", old);
  if (name == old) return;
  // A new name stays in the folder: no separators, no "." or "..".
  const bool acceptable = !name.empty() && name.find('/') == std::string::npos &&
                          name.find('\0') == std::string::npos && name != "." && name != "..";
  if (!acceptable || !MoveWithoutReplacing(sourceFolder_ + old, sourceFolder_ + name)) {
    view_.ShowMessageBox("Fehler", "Die Datei konnte nicht umbenannt werden.", ui::kButtonsOk, "",
                         315, 120);
    return;
  }
  entries_[static_cast<std::size_t>(position)].caption = name;
  view_.SetEntryCaption(position, name);
  if (position < static_cast<int>(records_.size()))
    records_[static_cast<std::size_t>(position)].filename = sourceFolder_ + name;
  if (position < static_cast<int>(listing_.size())) listing_[static_cast<std::size_t>(position)] = sourceFolder_ + name;
  if (position == current_) currentFile_ = sourceFolder_ + name;
}

void FolderPresenter::ChooseFileType(int position, int item) {
  if (position < 0 || position >= static_cast<int>(entries_.size())) return;
  if (position >= static_cast<int>(records_.size()) || item < 0) return;
  if (item >= static_cast<int>(TypeMenu().size())) return;
  const TypeMenuEntry& entry = TypeMenu()[static_cast<std::size_t>(item)];
  if (entry.tag == kJpegBlockSize && !LosslessTypeAllowed(position)) return;
  CuttingRecord& record = records_[static_cast<std::size_t>(position)];
  if (position == current_) {
    if (!frame_->ChooseTypeOfShownPicture(entry)) return;
  } else {
    FormatRecord stored;
    const bool named = record.formatId && formats_.LookupFormat(*record.formatId, stored);
    ChooseTypeForRecord(record, entry, named ? &stored : nullptr);
  }
  view_.SetEntryFileType(position, record.fileType.value_or(""), TypeButtonRed(record));
  MarkForSaving(true, position, false);
}

}  // namespace trimora
