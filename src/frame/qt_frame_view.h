// FrameWidgets over the real widgets: the picture panel, the picture view, the crop frame and
// the red-eye marker. The window part of the frame's view (messages, status texts, commands,
// the strip) is the main presenter's.
#pragma once

#include "frame/frame_presenter.h"

class QWidget;

namespace trimora {

class Picture;
class ThlvRectBox;
class TPictureView;

// FrameWidgets for the widgets of the picture panel.
class QtFrameView : public FrameWidgets {
 public:
  // Over `panel` (imagePanel) with `image`, `frame` and `redEye` on it; `picture` is the
  // displayed picture the display copy is made from.
  QtFrameView(QWidget* panel, TPictureView* image, ThlvRectBox* frame, ThlvRectBox* redEye,
              const Picture* picture);

  ScreenRect FrameRect() const override;
  void SetFrameRect(const ScreenRect& rect) override;
  bool FrameVisible() const override;
  void SetFrameVisible(bool visible) override;
  void SetFrameColor(std::uint32_t rgb) override;
  void SetFrameFocus(bool focus) override;
  void SetFrameDrawBoxes(bool drawBoxes) override;
  bool MarkerVisible() const override;
  ScreenRect MarkerRect() const override;
  void SetMarkerRect(const ScreenRect& rect) override;
  void SetMarkerVisible(bool visible) override;
  int MarkerBoxSize() const override;
  void MarkerChanged() override;
  int PanelWidth() const override;
  int PanelHeight() const override;
  void SetViewGeometry(const ScreenRect& rect) override;
  void SelectionRedraw(const ScreenRect& frame) override;
  void RebuildDisplayCopy() override;
  void SetOverlayVisible(bool visible) override;
  void OutsideAlphaChanged(int masterAlpha, bool force) override;

  // The displayed picture the display copy is made from from now on.
  void SetPicture(const Picture* picture) { picture_ = picture; }
  // The displayed picture, or null before the first one.
  const Picture* ShownPicture() const { return picture_; }

 protected:
  QWidget* panel_;
  TPictureView* image_;
  ThlvRectBox* frame_;
  ThlvRectBox* redEye_;
  const Picture* picture_;
};

}  // namespace trimora
