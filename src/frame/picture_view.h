// TPictureView: the picture view `image`. It shows the display copy of the picture dimmed by
// MasterAlpha on the panel's background, and over it the selection overlay, an undimmed cut
// of the same display copy placed exactly over the crop frame. Both are drawn 1:1, so the
// screen equals ComposeView (frame/display_copy.h) pixel for pixel.
#pragma once

#include <QWidget>

#include "frame/block_grid.h"
#include "imaging/picture.h"

namespace trimora {

// The picture view.
class TPictureView : public QWidget {
  Q_OBJECT
 public:
  // An empty view on `parent`, in the background colour.
  explicit TPictureView(QWidget* parent);

  // Draws `picture` into the display copy at the view's size, then redraws the overlay.
  // `scaled`, when it has the view's size, is ScaleToView of `picture` made already and is
  // taken as the display copy.
  void RebuildDisplayCopy(const Picture& picture, Picture scaled = Picture());
  // `part` of `picture` changed (picture pixels): the display copy is redrawn there.
  void RedrawDisplayPart(const Picture& picture, const PixelRect& part);
  // Cuts the overlay under `frame` from the display copy and repaints what changed.
  void RedrawSelectionOverlay(const ScreenRect& frame);
  // Shows or hides the overlay layer (it follows the crop frame).
  void SetOverlayVisible(bool visible);
  // The opacity outside the selection; repaints.
  void SetMasterAlpha(int masterAlpha);
  int MasterAlpha() const { return masterAlpha_; }
  // Whether the overlay layer exists (it is made by the first overlay redraw).
  bool HasOverlay() const { return hasOverlay_; }
  bool OverlayVisible() const { return overlayVisible_; }
  // The display copy and the overlay, for the full-screen preview, the magnifier and tests.
  const Picture& DisplayCopy() const { return display_; }
  const Picture& Overlay() const { return overlay_; }
  ScreenRect OverlayRect() const { return overlayPlace_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect OverlayQRect() const;

  Picture display_;
  Picture dimmed_;
  Picture overlay_;
  ScreenRect frame_;
  ScreenRect overlayPlace_;
  bool hasOverlay_ = false;
  bool overlayVisible_ = true;
  int masterAlpha_ = 105;
};

}  // namespace trimora
