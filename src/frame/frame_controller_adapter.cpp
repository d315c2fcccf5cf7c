#include "frame/frame_controller_adapter.h"

#include "folder/table.h"

namespace trimora {

PresenterFrameController::PresenterFrameController(FramePresenter& presenter, FrameView& view, Table& table)
    : presenter_(presenter), view_(view), table_(table) {}

bool PresenterFrameController::FrameVisible() const { return view_.FrameVisible(); }

void PresenterFrameController::HideFrame() {
  view_.SetFrameVisible(false);
  view_.SetOverlayVisible(false);  // the overlay follows the frame
}

void PresenterFrameController::ResetSelection() { presenter_.ResetSelection(); }

void PresenterFrameController::FitPictureIntoPanel(int pictureWidth, int pictureHeight, bool) {
  presenter_.SetCurrentPicture(table_.CurrentPosition(), pictureWidth, pictureHeight);
  presenter_.FitPictureIntoPanel(false);
}

void PresenterFrameController::MatchSelectionOrientation(int pictureWidth, int pictureHeight) {
  if (presenter_.PictureWidth() != pictureWidth || presenter_.PictureHeight() != pictureHeight) {
    presenter_.SetCurrentPicture(table_.CurrentPosition(), pictureWidth, pictureHeight);
  }
  presenter_.TurnSelectionToPicture();
}

void PresenterFrameController::RestoreSelection(int blockSize, int x, int y, int width, int height) {
  presenter_.RestoreSelection(blockSize, x, y, width, height);
}

void PresenterFrameController::ApplyFormat(std::int32_t formatId, bool mayAlignToBlocks) {
  presenter_.ApplyFormat(formatId, mayAlignToBlocks);
}

void PresenterFrameController::InvalidateLastFrame() { presenter_.LastFrameRect.left = -999; }

void PresenterFrameController::CommitSelection(bool forceRedraw) { presenter_.CommitSelection(forceRedraw); }

void PresenterFrameController::UseBlockGrid() { presenter_.UseBlockGrid(); }

void PresenterFrameController::UsePixelGrid() { presenter_.UsePixelGrid(); }

int PresenterFrameController::BlockSize() const { return presenter_.grid.BlockSize; }

std::int32_t PresenterFrameController::CurrentFormatId() const { return presenter_.CurrentFormat().FormatID; }

bool PresenterFrameController::RedEyeFrameVisible() const { return view_.MarkerVisible(); }

}  // namespace trimora
