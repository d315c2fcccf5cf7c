#include "frame/frame_controller_adapter.h"

namespace trimora {

PresenterFrameController::PresenterFrameController(FramePresenter& presenter, FrameView& view)
    : presenter_(presenter), view_(view) {}

bool PresenterFrameController::FrameVisible() const { return view_.FrameVisible(); }

void PresenterFrameController::HideFrame() { presenter_.HideFrame(); }

void PresenterFrameController::ResetSelection() { presenter_.ResetSelection(); }

void PresenterFrameController::FitPictureIntoPanel(int entry, int pictureWidth, int pictureHeight) {
  presenter_.SetCurrentPicture(entry, pictureWidth, pictureHeight);
  presenter_.FitPictureIntoPanel(false);
}

void PresenterFrameController::MatchSelectionOrientation() { presenter_.TurnSelectionToPicture(); }
void PresenterFrameController::PlaceFirstShowingSelection() {
  presenter_.PlaceFirstShowingSelection();
}

void PresenterFrameController::RestoreSelection(int blockSize, int x, int y, int width,
                                                int height) {
  presenter_.RestoreSelection(blockSize, x, y, width, height);
}

void PresenterFrameController::ApplyFormat(std::int32_t formatId, bool mayAlignToBlocks) {
  presenter_.ApplyFormat(formatId, mayAlignToBlocks);
}

void PresenterFrameController::InvalidateLastFrame() { presenter_.LastFrameRect.left = -999; }

void PresenterFrameController::KeepCorrectedPictureOffBlockGrid() {
  presenter_.KeepCorrectedPictureOffBlockGrid();
}

bool PresenterFrameController::ChooseTypeOfShownPicture(const TypeMenuEntry& entry) {
  return presenter_.ChooseTypeOfShownPicture(entry);
}

bool PresenterFrameController::LosslessEntryEnabled() const {
  return presenter_.LosslessEntryEnabled();
}

const FileTypeDefaults& PresenterFrameController::FileTypes() const { return presenter_.fileTypes; }

std::int32_t PresenterFrameController::CurrentFormatId() const {
  return presenter_.CurrentFormat().FormatID;
}

bool PresenterFrameController::RedEyeFrameVisible() const { return view_.MarkerVisible(); }

void PresenterFrameController::EndRedEyeMarking() { view_.EndRedEyeMarking(); }

void PresenterFrameController::RefreshDisplayAlpha() { presenter_.RefreshDisplayAlpha(); }

}  // namespace trimora
