// The magnifier at the top left of the main window: the screen around the pointer, enlarged.
// Its rules are plain C++ here: the captured screen rectangle, the zoom steps, the heights of
// its panel while paused and running, and the pointer rule that switches it on and off. The
// presenter keeps its state (zoom level, paused, on) and writes into a MagnifierView; capturing
// the screen and painting are the view's.
#pragma once

#include "frame/block_grid.h"

namespace trimora {

// The magnifier control `Zoom` (square), its panel `ZoomPanel`, and the small panel of its
// three buttons.
inline constexpr int kMagnifierSize = 197;
inline constexpr int kZoomPanelSize = 205;
inline constexpr int kZoomButtonPanelWidth = 76;
inline constexpr int kZoomButtonPanelHeight = 29;
// The repaint interval while the magnifier runs, in milliseconds.
inline constexpr int kMagnifierDelay = 10;
// The zoom levels: the captured area in percent of the control's size.
inline constexpr int kMinZoomLevel = 5;
inline constexpr int kMaxZoomLevel = 100;
inline constexpr int kDefaultZoomLevel = 50;

// The screen rectangle the magnifier copies, stretched, onto a control of controlWidth x
// controlHeight: half sides hx = (width div 2) x level / 100 and hy likewise, centred on the
// pointer and moved so that it lies on `screen` (a pointer within hx of the left edge gives the
// centre x = hx; within hx of the right edge, screen width - hx; the same vertically).
ScreenRect CaptureRect(int pointerX, int pointerY, int controlWidth, int controlHeight,
                       int zoomLevel, const ScreenRect& screen);

// The level after "Zoom vergrößern" (10 lower, at least 5) and "Zoom verkleinern" (10 higher,
// at most 100).
int ZoomedIn(int level);
int ZoomedOut(int level);
// A stored level brought into 5..100.
int ValidZoomLevel(int stored);

// The magnifier panel while running or paused: its height, the magnifier's height and whether
// the label "Zoom deaktiviert" shows. Pausing shrinks the panel to the button panel's height
// + 12 (41 pixels) and the magnifier to that - 8, so the folder panel below takes the 164
// pixels freed; running gives them back.
struct MagnifierPanel {
  int panelHeight = kZoomPanelSize;
  int magnifierHeight = kMagnifierSize;
  bool labelShown = false;
  bool operator==(const MagnifierPanel&) const = default;
};
MagnifierPanel PanelFor(bool paused);

// What lies under the pointer: the picture view (with the frames on it), the main window's own
// surface, an entry of the thumbnail strip, another control, or nothing of this program.
enum class PointerTarget { Nothing, Picture, MainWindow, StripEntry, OtherControl };

// What a pointer move does to the magnifier.
enum class MagnifierSwitch { Keep, SwitchOn, SwitchOff };

// The pointer rule: while not paused the magnifier is wanted when the program is the active
// application and the pointer is over the picture, the main window itself or (with thumbnails
// shown) a strip entry; it is switched on when wanted and off, off when not wanted and on.
MagnifierSwitch PointerDecision(PointerTarget target, bool appActive, bool thumbnailsOn,
                                bool paused, bool magnifierOn);

// The magnifier as its presenter sees it. Written to, never read back.
class MagnifierView {
 public:
  virtual ~MagnifierView() = default;
  // Active: the control repaints from its timer while the pointer moves; inactive, it shows
  // its background.
  virtual void SetMagnifierActive(bool active) = 0;
  // Shows or hides the control.
  virtual void SetMagnifierShown(bool shown) = 0;
  // The captured area in percent of the control's size; the next painting captures anew.
  virtual void SetMagnifierZoomLevel(int level) = 0;
  // Forgets the last pointer position and paints now (RefreshZoom).
  virtual void RefreshMagnifier() = 0;
  // The panel's and the magnifier's heights and what they show.
  virtual void LayOutMagnifierPanel(const MagnifierPanel& panel) = 0;
};

// The magnifier's behaviour.
class MagnifierPresenter {
 public:
  explicit MagnifierPresenter(MagnifierView& view) : view_(view) {}

  // Start-up: created inactive and hidden at `zoomLevel` (brought into 5..100); paused once
  // when `zoomActive` is false.
  void Start(int zoomLevel, bool zoomActive);
  // The pause button, its menu item and Ctrl+Z: each call alternates.
  void TogglePause();
  // "Zoom vergrößern" and "Zoom verkleinern"; a paused magnifier is switched on.
  void ZoomIn();
  void ZoomOut();
  // A pointer move seen by the application-wide hook.
  void PointerMoved(PointerTarget target, bool appActive, bool thumbnailsOn);
  // RefreshZoom: the screen changed under a resting pointer; nothing while it is off.
  void Refresh();

  int ZoomLevel() const { return zoomLevel_; }
  bool Paused() const { return paused_; }
  // MagnifierOn: active and shown.
  bool On() const { return on_; }

 private:
  void SetZoomLevel(int level);
  void SwitchOn();
  void SwitchOff();

  MagnifierView& view_;
  int zoomLevel_ = kDefaultZoomLevel;
  bool paused_ = false;
  bool on_ = false;
};

}  // namespace trimora
