#include "frame/qt_frame_view.h"

#include <QColor>

#include "frame/picture_view.h"
#include "frame/rect_box.h"
#include "imaging/picture.h"

namespace trimora {

namespace {

ScreenRect FromQRect(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

}  // namespace

QtFrameView::QtFrameView(QWidget* panel, TPictureView* image, ThlvRectBox* frame,
                         ThlvRectBox* redEye, const Picture* picture)
    : panel_(panel), image_(image), frame_(frame), redEye_(redEye), picture_(picture) {}

ScreenRect QtFrameView::FrameRect() const { return FromQRect(frame_->geometry()); }

void QtFrameView::SetFrameRect(const ScreenRect& r) {
  frame_->setGeometry(r.left, r.top, r.width, r.height);
}

bool QtFrameView::FrameVisible() const { return frame_->isVisibleTo(image_); }

void QtFrameView::SetFrameVisible(bool visible) { frame_->setVisible(visible); }

void QtFrameView::SetFrameColor(std::uint32_t rgb) {
  const QColor c((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
  frame_->SetActiveFrameColor(c);
  frame_->SetPassiveFrameColor(c);
  frame_->SetBoxColor(c);
}

void QtFrameView::SetFrameFocus(bool focus) { frame_->SetFocus(focus); }

void QtFrameView::SetFrameDrawBoxes(bool drawBoxes) { frame_->SetDrawBoxes(drawBoxes); }

bool QtFrameView::MarkerVisible() const { return redEye_ && redEye_->isVisibleTo(image_); }

ScreenRect QtFrameView::MarkerRect() const {
  return redEye_ ? FromQRect(redEye_->geometry()) : ScreenRect{};
}

void QtFrameView::SetMarkerRect(const ScreenRect& r) {
  if (redEye_) redEye_->setGeometry(r.left, r.top, r.width, r.height);
}

void QtFrameView::SetMarkerVisible(bool visible) {
  if (!redEye_) return;
  redEye_->setVisible(visible);
  if (!visible) return;
  // A press on the marker would do the same: it comes to the front and takes the focus.
  redEye_->raise();
  frame_->SetFocus(false);
  redEye_->SetFocus(true);
}

int QtFrameView::MarkerBoxSize() const { return redEye_ ? redEye_->BoxSize() : 5; }

void QtFrameView::MarkerChanged() {
  if (redEye_) redEye_->update();
}

int QtFrameView::PanelWidth() const { return panel_->width(); }

int QtFrameView::PanelHeight() const { return panel_->height(); }

void QtFrameView::SetViewGeometry(const ScreenRect& r) {
  image_->setGeometry(r.left, r.top, r.width, r.height);
}

void QtFrameView::SelectionRedraw(const ScreenRect& frame) {
  image_->RedrawSelectionOverlay(frame);
  frame_->update();
}

void QtFrameView::RebuildDisplayCopy() {
  if (picture_) image_->RebuildDisplayCopy(*picture_);
}

void QtFrameView::SetOverlayVisible(bool visible) {
  if (image_->HasOverlay()) image_->SetOverlayVisible(visible);
}

void QtFrameView::OutsideAlphaChanged(int masterAlpha, bool force) {
  image_->SetMasterAlpha(masterAlpha);
  if (force) image_->repaint();
}

}  // namespace trimora
