// ThlvZoom: the magnifier control `Zoom`. While active, a timer looks at the pointer every
// 10 ms; when it has moved (or RefreshZoom asked for it) the screen rectangle around it
// (CaptureRect) is captured and drawn stretched over the whole control, pixel by pixel. While
// the pointer rests the timer stops, so a resting pointer costs nothing; the next pointer move
// seen by the program, or RefreshZoom, starts it again. Inactive, the control shows its
// background.
#pragma once

#include <QImage>
#include <QRect>
#include <QTimer>
#include <QWidget>

namespace trimora {

// The magnifier control.
class ThlvZoom : public QWidget {
  Q_OBJECT
 public:
  // An inactive magnifier on `parent`.
  explicit ThlvZoom(QWidget* parent);

  // Active: repaints from the timer while the pointer moves. Deactivating drops the picture.
  void SetActive(bool active);
  // The captured area in percent of the control's size; the next painting captures anew.
  void SetZoomLevel(int level);
  // RefreshZoom: forgets the last pointer position, so that while active the next tick (at most
  // 10 ms away, after the window has painted what changed) captures and paints anew.
  void RefreshZoom();
  // One tick: captures and paints when the pointer moved since the last one or the last
  // position was forgotten; else lets the timer rest.
  void PaintNow();
  // The pointer moved somewhere in the program: while active, the timer runs again.
  void PointerMoved();

  bool Active() const { return active_; }
  int ZoomLevel() const { return zoomLevel_; }
  // True while the timer runs (the pointer moved since it last rested).
  bool Polling() const { return timer_.isActive(); }
  // The screen rectangle captured last and its picture (tests, benchmarks).
  QRect CapturedRect() const { return captured_; }
  const QImage& Captured() const { return shot_; }
  // How many captures the control has made.
  int Captures() const { return captures_; }
  // True when the last capture fell back to the program's own windows (a platform that refuses
  // screen capture).
  bool CapturedOwnWindows() const { return ownWindows_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Capture(const QPoint& pointer);

  QTimer timer_;
  QPoint last_;
  bool forget_ = true;
  bool active_ = false;
  int zoomLevel_ = 50;
  QImage shot_;
  QRect captured_;
  int captures_ = 0;
  bool ownWindows_ = false;
};

}  // namespace trimora
