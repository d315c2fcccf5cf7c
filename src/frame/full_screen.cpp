#include "frame/full_screen.h"

namespace trimora {

FullScreenAction FullScreenActionForKey(Key key) {
  switch (key) {
    case Key::Return:
    case Key::Escape:
    case Key::Space:
    case Key::F11:
      return FullScreenAction::Close;
    case Key::PageUp:
      return FullScreenAction::Previous;
    case Key::PageDown:
      return FullScreenAction::Next;
    case Key::F:
      return FullScreenAction::ToggleCropped;
    case Key::F6:
      return FullScreenAction::RotatePlus90;
    case Key::F7:
      return FullScreenAction::RotateMinus90;
    default:
      return FullScreenAction::None;
  }
}

FullScreenContent FullScreenContentFor(bool croppedDown, bool enlarged, bool partMarked) {
  if (!croppedDown || enlarged || !partMarked) return FullScreenContent::WholePicture;
  return FullScreenContent::MarkedPart;
}

ScreenRect FullScreenPlacement(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight) {
  if (pictureWidth <= 0 || pictureHeight <= 0) return {areaWidth / 2, areaHeight / 2, 0, 0};
  int w = pictureWidth;
  int h = pictureHeight;
  if (w > areaWidth || h > areaHeight) {
    const double aspect = static_cast<double>(w) / h;
    if (w > h) {
      w = areaWidth;
      h = static_cast<int>(areaWidth / aspect);
      if (h > areaHeight) {
        h = areaHeight;
        w = static_cast<int>(areaHeight * aspect);
      }
    } else {
      h = areaHeight;
      w = static_cast<int>(areaHeight * aspect);
      if (w > areaWidth) {
        w = areaWidth;
        h = static_cast<int>(areaWidth / aspect);
      }
    }
  }
  return {(areaWidth - w) / 2, (areaHeight - h) / 2, w, h};
}

void FullScreenPresenter::Show() {
  // The steps after closing run however the preview ends.
  struct Closing {
    FullScreenPresenter& p;
    ~Closing() {
      p.open_ = false;
      p.view_.ClearFullScreen();
      p.host_.FullScreenClosed();
      p.host_.SetMainFrameActive(true);
    }
  };
  host_.SetMainFrameActive(false);
  Closing closing{*this};
  open_ = true;
  Refresh(true);
  view_.RunFullScreen();
}

void FullScreenPresenter::Refresh(bool force) {
  if (!open_ && !force) return;
  view_.ShowFullScreenContent(
      FullScreenContentFor(CroppedDown(), host_.PictureEnlarged(), host_.PartMarked()));
}

bool FullScreenPresenter::KeyPressed(const KeyPress& press) {
  const FullScreenAction action = FullScreenActionForKey(press.key);
  if (action == FullScreenAction::None) return false;
  Run(action);
  return true;
}

void FullScreenPresenter::Run(FullScreenAction action) {
  switch (action) {
    case FullScreenAction::Close:
      view_.CloseFullScreen();
      break;
    case FullScreenAction::Previous:
      host_.RunFromFullScreen(CommandId::PreviousPicture);
      break;
    case FullScreenAction::Next:
      host_.RunFromFullScreen(CommandId::NextPicture);
      break;
    case FullScreenAction::ToggleCropped:
      ToggleCropped();
      break;
    case FullScreenAction::RotatePlus90:
      host_.RunFromFullScreen(CommandId::RotatePlus90);
      break;
    case FullScreenAction::RotateMinus90:
      host_.RunFromFullScreen(CommandId::RotateMinus90);
      break;
    case FullScreenAction::None:
      break;
  }
}

void FullScreenPresenter::ToggleCropped() {
  croppedTag_ = -croppedTag_;
  const bool down = croppedTag_ == 1;
  view_.SetShowCroppedButton(down, down ? kUncroppedHint : kShowCroppedHint);
  Refresh(false);
}

}  // namespace trimora
