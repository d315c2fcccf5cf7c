#include "imaging/correction_presenter.h"

#include <cstring>

#include "folder/folder_presenter.h"
#include "formats/format_tables.h"
#include "frame/display_copy.h"
#include "frame/frame_presenter.h"
#include "imaging/correction.h"
#include "imaging/red_eye.h"
#include "platform/error.h"
#include "platform/error_text.h"
#include "platform/paths.h"
#include "platform/settings_schema.h"
#include "ui/message_codes.h"

namespace trimora {

namespace {

const char* const kEnlargedText =
    "Sie müssen den Filter gegen rote Augen anwenden bevor Sie das Bild erweitern.";
const char* const kMarkingText =
    "Markieren Sie den roten Bereich und drücken Sie RETURN, um die roten Farbanteile "
    "herauszufiltern, oder ESC, um den Vorgang abzubrechen.";
const char* const kMarkingStatus = "RETURN = Filtern, ESC = Abbrechen";

// The automatic correction of the `width` x `height` pixels at `at` inside `picture`, as if
// they were a picture of their own.
void CorrectPart(Picture& picture, StripeOffset at, int width, int height) {
  Picture part(width, height);
  const std::size_t bytes = part.stride();
  for (int y = 0; y < height; ++y)
    std::memcpy(part.row(y), picture.row(at.y + y) + static_cast<std::size_t>(at.x) * 4, bytes);
  AutoCorrectPicture(part);
  for (int y = 0; y < height; ++y)
    std::memcpy(picture.row(at.y + y) + static_cast<std::size_t>(at.x) * 4, part.row(y), bytes);
}

}  // namespace

CorrectionPresenter::CorrectionPresenter(CorrectionView& view, FolderPresenter& folder,
                                         FramePresenter& frame, FormatTables& formats,
                                         SettingsAccess& settings)
    : view_(view), folder_(folder), frame_(frame), formats_(formats), settings_(settings) {}

std::string CorrectionPresenter::SourceFolderText() const {
  return WithoutTrailingSeparator(folder_.SourceFolder());
}

void CorrectionPresenter::ShowAnew() {
  {
    struct Flag {
      bool& flag;
      explicit Flag(bool& f) : flag(f) { flag = true; }
      ~Flag() { flag = false; }
    } reshowing(reshowing_);
    folder_.ShowPicture(folder_.CurrentPosition(), true);
  }
  frame_.LosslessCheck();
  view_.CommandsChanged();
}

// Red eyes.

void CorrectionPresenter::StartRedEyeMarking() {
  if (folder_.CurrentRecord() == nullptr) return;
  if (folder_.Corrections().enlarged) {
    view_.ShowMessageBox("Information", kEnlargedText, ui::kButtonsOk, "", 290, 150);
    return;
  }
  if (!marking_) {
    frameShownBeforeMarking_ = frame_.FrameShown();
    frame_.HideFrame();
    rememberedAlpha_ = frame_.MasterAlpha;
    marking_ = true;
    frame_.Run(SelectionCommand::ShowWhole);
  }
  frame_.SetMarkerShown(true);
  if (settings_.Get(setting::kShowRedEyeMessage)) {
    view_.ShowMessageBox("Information", kMarkingText, ui::kButtonsOk,
                         std::string(setting::kShowRedEyeMessage.name), 370, 180);
  }
  folder_.SetStatusText(0, kMarkingStatus);
  view_.CommandsChanged();
}

void CorrectionPresenter::EndMarking() {
  marking_ = false;
  const bool enlarged = folder_.Corrections().enlarged;
  if (!view_.SavingInProgress() && !enlarged) frame_.SetMasterAlpha(rememberedAlpha_);
  frame_.SetMarkerShown(false);
  if (frameShownBeforeMarking_ && !enlarged) frame_.ShowFrame();
  folder_.SetStatusText(0, SourceFolderText());
  view_.CommandsChanged();
}

void CorrectionPresenter::ApplyRedEye() {
  if (!marking_) return;
  CuttingRecord* record = folder_.CurrentRecord();
  Picture& picture = folder_.DisplayedPicture();
  if (record == nullptr || picture.empty() || frame_.grid.ViewWidth <= 0) {
    CancelRedEyeMarking();
    return;
  }
  // Screen pixels of the marker inside its handles, in pixels of the picture on screen.
  const double scale = static_cast<double>(picture.width()) / frame_.grid.ViewWidth;
  const ScreenRect marker = frame_.MarkerRect();
  const PixelRect rect = RedEyeRectFromMarker(
      {marker.left, marker.top, marker.width, marker.height}, frame_.MarkerBoxSize(), scale);
  const std::string entry = RedEyeEntry(rect);
  const std::string list = record->redEyeCoords.value_or("");
  if (!RedEyeEntryFits(list, entry)) {
    // The record's field would cut the list: nothing is filtered, nothing recorded.
    view_.ShowMessageBox("Information", kRedEyeListFullText, ui::kButtonsOk, "", 320, 170);
    CancelRedEyeMarking();
    return;
  }
  RedEyeFilter(picture, rect);
  folder_.RedrawShownPart(rect);
  record->redEyeCoords = AppendRedEyeEntry(list, entry);
  folder_.Corrections().redEye = true;
  EndMarking();
  frame_.LosslessLost();
  view_.CommandsChanged();
}

void CorrectionPresenter::CancelRedEyeMarking() {
  if (marking_) EndMarking();
}

void CorrectionPresenter::RemoveLastRedEye() {
  CuttingRecord* record = folder_.CurrentRecord();
  if (record == nullptr) return;
  record->redEyeCoords = RemoveLastRedEyeEntry(record->redEyeCoords.value_or(""));
  ShowAnew();
}

// The automatic correction.

void CorrectionPresenter::CorrectionButtonClick() {
  if (folder_.CurrentRecord() == nullptr) return;
  if (!folder_.Corrections().autoCorrection) {
    ApplyCorrection();
    frame_.LosslessLost();
    view_.CommandsChanged();
  } else {
    UndoCorrection();
  }
}

void CorrectionPresenter::ApplyCorrection() {
  view_.SetBusy(true);
  Picture& picture = folder_.DisplayedPicture();
  ShownCorrections& shown = folder_.Corrections();
  CuttingRecord* record = folder_.CurrentRecord();
  const int width = record->pictureWidth.value_or(picture.width());
  const int height = record->pictureHeight.value_or(picture.height());
  const StripeOffset at = shown.stripeOffset;
  Picture displayCopy;
  if (shown.enlarged && at.x >= 0 && at.y >= 0 && at.x + width <= picture.width() &&
      at.y + height <= picture.height()) {
    // The stripes stay out of the correction, as when the picture is shown anew.
    CorrectPart(picture, at, width, height);
  } else {
    // The display copy is made in the correction's last pass, while the rows are in the cache.
    const AutoCorrection correction(picture);
    displayCopy = ScaleToView(picture, frame_.grid.ViewWidth, frame_.grid.ViewHeight,
                              [&](int first, int end) { correction.StretchRows(first, end); });
  }
  shown.autoCorrection = true;
  record->autoCorrection = true;
  folder_.RedrawShown(std::move(displayCopy));
  view_.SetBusy(false);
}

void CorrectionPresenter::UndoCorrection() {
  CuttingRecord* record = folder_.CurrentRecord();
  if (record == nullptr) return;
  record->autoCorrection = false;
  ShowAnew();
}

// The side stripes.

void CorrectionPresenter::EnlargeButtonClick() {
  if (folder_.CurrentRecord() == nullptr) return;
  // The marker would mark the enlarged picture in its own pixels.
  CancelRedEyeMarking();
  if (!folder_.Corrections().enlarged) {
    if (ApplyEnlargement()) frame_.LosslessLost();
    view_.CommandsChanged();
  } else {
    RemoveEnlargement();
  }
}

bool CorrectionPresenter::ApplyEnlargement() {
  view_.SetBusy(true);
  std::string error;
  try {
    folder_.EnlargeShown(formats_.CurrentFormat.FormatID);
    folder_.CurrentRecord()->enlarge = true;
  } catch (const Error& e) {
    error = ErrorText(e);
  }
  view_.CommandsChanged();
  view_.SetBusy(false);
  if (!error.empty()) view_.ShowError(error);
  return error.empty();
}

void CorrectionPresenter::RemoveEnlargement() {
  CuttingRecord* record = folder_.CurrentRecord();
  if (record == nullptr) return;
  record->enlarge = false;
  ShowAnew();
}

void CorrectionPresenter::Close() { CancelRedEyeMarking(); }

}  // namespace trimora
