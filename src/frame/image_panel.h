// The picture panel `imagePanel` with the picture view `image`, the crop frame `frame` and
// the red-eye marker `RedEyeFrame` on it, wired to a frame presenter: drags go to
// frameRectMoved / frameMouseUp, size changes to imagePanelResize. Also the translation of the
// toolkit's keys for the main window's keyboard map.
#pragma once

#include <QWidget>

#include "app/commands.h"
#include "frame/frame_presenter.h"

namespace trimora {

class ThlvRectBox;
class TPictureView;

// The picture panel (background RGB 235, 239, 252).
class TImagePanel : public QWidget {
  Q_OBJECT
 public:
  // An empty panel with its picture view and both frames (the crop frame hidden at first).
  explicit TImagePanel(QWidget* parent);

  // Sends the crop frame's events and the panel's size changes to `presenter` (may be null).
  void SetPresenter(FramePresenter* presenter) { presenter_ = presenter; }

  TPictureView* Image() const { return image_; }
  ThlvRectBox* Frame() const { return frame_; }
  ThlvRectBox* RedEyeFrame() const { return redEye_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  TPictureView* image_;
  ThlvRectBox* frame_;
  ThlvRectBox* redEye_;
  FramePresenter* presenter_ = nullptr;
};

// A key press of the toolkit as the keyboard map of the main window knows it (Shift dropped,
// the keypad flag folded into the key).
KeyPress KeyPressOf(int key, Qt::KeyboardModifiers modifiers);

}  // namespace trimora
