// The frame presenter behind the folder presenter's FrameController interface, so that
// showing a picture drives the real crop frame.
#pragma once

#include "folder/frame_controller.h"
#include "frame/frame_presenter.h"

namespace trimora {

// FrameController over a FramePresenter and its view.
class PresenterFrameController : public FrameController {
 public:
  // Drives `presenter`, whose view is `view`.
  PresenterFrameController(FramePresenter& presenter, FrameView& view);

  bool FrameVisible() const override;
  void HideFrame() override;
  void ResetSelection() override;
  void FitPictureIntoPanel(int entry, int pictureWidth, int pictureHeight) override;
  void MatchSelectionOrientation() override;
  void RestoreSelection(int blockSize, int x, int y, int width, int height) override;
  void ApplyFormat(std::int32_t formatId, bool mayAlignToBlocks) override;
  void PlaceFirstShowingSelection() override;
  void InvalidateLastFrame() override;
  void KeepCorrectedPictureOffBlockGrid() override;
  bool ChooseTypeOfShownPicture(const TypeMenuEntry& entry) override;
  bool LosslessEntryEnabled() const override;
  const FileTypeDefaults& FileTypes() const override;
  std::int32_t CurrentFormatId() const override;
  bool RedEyeFrameVisible() const override;
  void EndRedEyeMarking() override;
  void RefreshDisplayAlpha() override;

 private:
  FramePresenter& presenter_;
  FrameView& view_;
};

}  // namespace trimora
