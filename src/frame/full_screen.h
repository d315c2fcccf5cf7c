// The full-screen preview TFullScreenDialog: the whole picture or the marked part on a black
// screen, paging through the pictures and turning originals without leaving it. Plain C++: the
// rules (what it shows, where, which key does what) and the presenter over a write-only
// FullScreenView; the main window is its FullScreenHost.
#pragma once

#include <string>

#include "app/commands.h"
#include "frame/block_grid.h"

namespace trimora {

// The hints of ShowCroppedButton while up (the whole picture) and while down (the marked part).
inline constexpr const char* kShowCroppedHint = "Markierten Bereich freistellen [F]";
inline constexpr const char* kUncroppedHint = "Freistellung aufheben [F]";

// What a key or a button of the preview does.
enum class FullScreenAction {
  None,
  Close,
  Previous,
  Next,
  ToggleCropped,
  RotatePlus90,
  RotateMinus90
};

// The keys of the preview: Enter, Esc, Space and F11 close it, Page Up and Page Down page, F
// toggles the marked part, F6 and F7 turn the original by 90 and -90 degrees. Held modifiers
// do not matter.
FullScreenAction FullScreenActionForKey(Key key);

// What the preview shows: a copy of the whole picture at full resolution, or of the selection
// overlay (the marked part at the size shown in the main window).
enum class FullScreenContent { WholePicture, MarkedPart };

// The whole picture while ShowCroppedButton is up, while side stripes are added, and while no
// part is marked (no selection overlay yet, or the frame hidden); else the marked part.
FullScreenContent FullScreenContentFor(bool croppedDown, bool enlarged, bool partMarked);

// Where a picture of pictureWidth x pictureHeight goes in an area of areaWidth x areaHeight: a
// picture wider or higher than the area is scaled down to fit, keeping its proportions (the
// longer side fills the area, the other is truncated); a smaller one is shown 1:1; either way
// centred (offsets div 2).
ScreenRect FullScreenPlacement(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight);

// The preview as its presenter sees it. Written to, never read back.
class FullScreenView {
 public:
  virtual ~FullScreenView() = default;
  // Shows a copy of the whole picture or of the marked part, drawn opaque, placed by
  // FullScreenPlacement in the preview's area.
  virtual void ShowFullScreenContent(FullScreenContent content) = 0;
  // ShowCroppedButton down or up, with its hint.
  virtual void SetShowCroppedButton(bool down, const std::string& hint) = 0;
  // Shows the preview maximised and modal; returns when it has been closed.
  virtual void RunFullScreen() = 0;
  // Closes the preview (RunFullScreen returns).
  virtual void CloseFullScreen() = 0;
  // Empties the preview's copy of the picture.
  virtual void ClearFullScreen() = 0;
};

// What the preview needs from the main window.
class FullScreenHost {
 public:
  virtual ~FullScreenHost() = default;
  // Side stripes are added to the picture on show.
  virtual bool PictureEnlarged() const = 0;
  // A part is marked: the picture view has its selection overlay and the frame is shown.
  virtual bool PartMarked() const = 0;
  // The main window's frame shown active or inactive.
  virtual void SetMainFrameActive(bool active) = 0;
  // Runs a main-window command from the preview (paging, turning the original).
  virtual void RunFromFullScreen(CommandId command) = 0;
  // After the preview closed: pending window messages handled, the magnifier refreshed.
  virtual void FullScreenClosed() = 0;
};

// The preview's behaviour. ShowCroppedButton's state lasts for the program's life.
class FullScreenPresenter {
 public:
  FullScreenPresenter(FullScreenView& view, FullScreenHost& host) : view_(view), host_(host) {}

  // Opens the preview and returns when it has been closed (also when an error ends it): the
  // main frame inactive meanwhile, the copy emptied and the magnifier refreshed afterwards.
  void Show();
  // RefreshFullScreen: shows the content anew while the preview is open, or when forced.
  void Refresh(bool force);
  // A key pressed in the preview; true when it was one of its keys.
  bool KeyPressed(const KeyPress& press);
  // A button of the preview (Close, Previous, Next or ToggleCropped).
  void Run(FullScreenAction action);

  // True while the preview is open.
  bool IsOpen() const { return open_; }
  // ShowCroppedButton is down.
  bool CroppedDown() const { return croppedTag_ == 1; }

 private:
  void ToggleCropped();

  FullScreenView& view_;
  FullScreenHost& host_;
  bool open_ = false;
  int croppedTag_ = -1;  // the button's tag: -1 up, 1 down
};

}  // namespace trimora
