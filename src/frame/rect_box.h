// ThlvRectBox: the frame control with eight handles that lies over the picture view, for the
// crop frame `frame` and the red-eye marker `RedEyeFrame`. It paints on its parent's surface
// (inside transparent), keeps its rectangle inside its Surrounding while the user moves or
// sizes it with the left button, and reports every change (rectMoved) and the release
// (mouseUp). Geometry and hit testing live in frame/rect_box_geometry.h.
#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>

#include <optional>

#include "frame/rect_box_geometry.h"

namespace trimora {

// The frame control.
class ThlvRectBox : public QWidget {
  Q_OBJECT
 public:
  // A control with the initial values of a new control, on `parent`.
  explicit ThlvRectBox(QWidget* parent);

  // The control whose rectangle limits moving and sizing (the parent or a sibling); none: no limit.
  void SetSurrounding(QWidget* surrounding) { surrounding_ = surrounding; }
  QWidget* Surrounding() const { return surrounding_; }
  // Bring to the front of the siblings on a press.
  void SetAutoForeGround(bool on) { autoForeGround_ = on; }
  bool AutoForeGround() const { return autoForeGround_; }
  // Size to the caption at each paint.
  void SetAutoSize(bool on);
  bool AutoSize() const { return autoSize_; }
  // Where the frame line runs relative to the handles.
  void SetFrameType(TFrameType type);
  TFrameType FrameType() const { return frameType_; }
  // No frame line while the control is not focused.
  void SetHidePassiveFrame(bool on);
  bool HidePassiveFrame() const { return hidePassiveFrame_; }
  // Text drawn centred.
  void SetCaption(const QString& caption);
  QString Caption() const { return caption_; }
  // Side of a handle; always odd, 3..51 (see StoredBoxSize).
  void SetBoxSize(int size);
  int BoxSize() const { return boxSize_; }
  // Fill colour of the handles.
  void SetBoxColor(const QColor& color);
  QColor BoxColor() const { return boxColor_; }
  // Frame-line colour taken when the control gets the focus.
  void SetActiveFrameColor(const QColor& color) { activeFrameColor_ = color; }
  QColor ActiveFrameColor() const { return activeFrameColor_; }
  // Stored only.
  void SetPassiveFrameColor(const QColor& color) { passiveFrameColor_ = color; }
  QColor PassiveFrameColor() const { return passiveFrameColor_; }
  // Draw the frame line.
  void SetDrawFrame(bool on);
  bool DrawFrame() const { return drawFrame_; }
  // Draw the handles and allow resizing through them.
  void SetDrawBoxes(bool on);
  bool DrawBoxes() const { return drawBoxes_; }
  // Show "L: T:" and "W: H:" while focused.
  void SetShowPos(bool on);
  bool ShowPos() const { return showPos_; }
  void SetShowSize(bool on);
  bool ShowSize() const { return showSize_; }
  // Colour of the position and size texts.
  void SetInfoTextColor(const QColor& color);
  QColor InfoTextColor() const { return infoTextColor_; }
  // The active frame of its owner.
  void SetFocus(bool focus);
  bool Focus() const { return focus_; }
  // The colour the frame line is drawn with.
  QColor CurrentFrameColor() const { return currentFrameColor_; }
  // The zone under the pointer (kept during a drag).
  DragZone Zone() const { return zone_; }
  // True while the left button is down after a press on the control.
  bool Dragging() const { return drag_.has_value(); }

  // The crop frame on `image`: 320 x 227, outer frame line, red, hand cursor, visible.
  static ThlvRectBox* MakeCropFrame(QWidget* image);
  // The red-eye marker on `image`: 33 x 33, inner frame line, orange, hidden.
  static ThlvRectBox* MakeRedEyeFrame(QWidget* image);

 signals:
  // After every pointer-driven change of the rectangle (also when the minimum dropped it).
  void rectMoved(ThlvRectBox* sender);
  // The left button was released after a press on the control (position signed).
  void mouseUp(ThlvRectBox* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x,
               int y);
  // During painting, with the frame-line rectangle, before the line is drawn.
  void painting(ThlvRectBox* sender, QPainter* painter, const QRect& lineRect);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  DragLimits Limits() const;
  void Changed();

  QPointer<QWidget> surrounding_;
  bool autoForeGround_ = true;
  bool autoSize_ = false;
  TFrameType frameType_ = TFrameType::ftOuter;
  bool hidePassiveFrame_ = false;
  QString caption_;
  int boxSize_ = 5;
  QColor boxColor_{0, 0, 0};
  QColor activeFrameColor_{0, 0, 0};
  QColor passiveFrameColor_{128, 128, 128};
  bool drawFrame_ = true;
  bool drawBoxes_ = true;
  bool showPos_ = false;
  bool showSize_ = false;
  QColor infoTextColor_{0, 0, 0};
  bool focus_ = false;
  QColor currentFrameColor_{0, 0, 0};
  DragZone zone_ = DragZone::None;
  std::optional<RectBoxDrag> drag_;
};

}  // namespace trimora
