#include "frame/magnifier.h"

#include <algorithm>

namespace trimora {

namespace {

// The centre on one axis: the pointer, moved so that centre - half .. centre + half lies on
// the screen's extent `origin` .. `origin + extent`.
int CentreOnScreen(int pointer, int half, int origin, int extent) {
  const int relative = pointer - origin;
  if (relative < half) return origin + half;
  if (relative > extent - half) return origin + extent - half;
  return pointer;
}

}  // namespace

ScreenRect CaptureRect(int pointerX, int pointerY, int controlWidth, int controlHeight,
                       int zoomLevel, const ScreenRect& screen) {
  const int hx = (controlWidth / 2) * zoomLevel / 100;
  const int hy = zoomLevel * (controlHeight / 2) / 100;
  const int cx = CentreOnScreen(pointerX, hx, screen.left, screen.width);
  const int cy = CentreOnScreen(pointerY, hy, screen.top, screen.height);
  return {cx - hx, cy - hy, 2 * hx, 2 * hy};
}

int ZoomedIn(int level) { return std::max(kMinZoomLevel, level - 10); }

int ZoomedOut(int level) { return std::min(kMaxZoomLevel, level + 10); }

int ValidZoomLevel(int stored) { return std::clamp(stored, kMinZoomLevel, kMaxZoomLevel); }

MagnifierPanel PanelFor(bool paused) {
  if (!paused) return {};
  const int height = kZoomButtonPanelHeight + 12;
  return {height, height - 8, true};
}

MagnifierSwitch PointerDecision(PointerTarget target, bool appActive, bool thumbnailsOn,
                                bool paused, bool magnifierOn) {
  if (paused) return MagnifierSwitch::Keep;
  const bool wanted =
      appActive && (target == PointerTarget::Picture || target == PointerTarget::MainWindow ||
                    (thumbnailsOn && target == PointerTarget::StripEntry));
  if (wanted && !magnifierOn) return MagnifierSwitch::SwitchOn;
  if (!wanted && magnifierOn) return MagnifierSwitch::SwitchOff;
  return MagnifierSwitch::Keep;
}

void MagnifierPresenter::Start(int zoomLevel, bool zoomActive) {
  on_ = false;
  paused_ = false;
  view_.SetMagnifierActive(false);
  view_.SetMagnifierShown(false);
  view_.LayOutMagnifierPanel(PanelFor(false));
  SetZoomLevel(ValidZoomLevel(zoomLevel));
  if (!zoomActive) TogglePause();
}

void MagnifierPresenter::TogglePause() {
  paused_ = !paused_;
  on_ = !paused_;
  view_.SetMagnifierActive(on_);
  view_.LayOutMagnifierPanel(PanelFor(paused_));
  view_.SetMagnifierShown(on_);
  if (on_) view_.RefreshMagnifier();
}

void MagnifierPresenter::ZoomIn() {
  SetZoomLevel(ZoomedIn(zoomLevel_));
  if (paused_) TogglePause();
}

void MagnifierPresenter::ZoomOut() {
  SetZoomLevel(ZoomedOut(zoomLevel_));
  if (paused_) TogglePause();
}

void MagnifierPresenter::SetZoomLevel(int level) {
  zoomLevel_ = level;
  view_.SetMagnifierZoomLevel(level);
}

void MagnifierPresenter::PointerMoved(PointerTarget target, bool appActive, bool thumbnailsOn) {
  switch (PointerDecision(target, appActive, thumbnailsOn, paused_, on_)) {
    case MagnifierSwitch::SwitchOn:
      SwitchOn();
      break;
    case MagnifierSwitch::SwitchOff:
      SwitchOff();
      break;
    case MagnifierSwitch::Keep:
      break;
  }
}

void MagnifierPresenter::SwitchOn() {
  on_ = true;
  view_.SetMagnifierShown(true);
  view_.SetMagnifierActive(true);
  view_.RefreshMagnifier();
}

void MagnifierPresenter::SwitchOff() {
  on_ = false;
  view_.SetMagnifierActive(false);
  view_.SetMagnifierShown(false);
}

void MagnifierPresenter::Refresh() {
  if (on_) view_.RefreshMagnifier();
}

}  // namespace trimora
