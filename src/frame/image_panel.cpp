#include "frame/image_panel.h"

#include <QKeyEvent>

#include "frame/picture_view.h"
#include "frame/rect_box.h"

namespace trimora {

TImagePanel::TImagePanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("imagePanel"));
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(235, 239, 252));
  setPalette(pal);
  setAutoFillBackground(true);
  resize(540, 405);
  image_ = new TPictureView(this);
  frame_ = ThlvRectBox::MakeCropFrame(image_);
  frame_->hide();
  redEye_ = ThlvRectBox::MakeRedEyeFrame(image_);
  connect(frame_, &ThlvRectBox::rectMoved, this, [this] {
    if (presenter_) presenter_->frameRectMoved();
  });
  connect(frame_, &ThlvRectBox::mouseUp, this, [this] {
    if (presenter_) presenter_->frameMouseUp();
  });
}

void TImagePanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (presenter_ && presenter_->CurrentEntry() >= 0) presenter_->imagePanelResize();
}

std::optional<SelectionCommand> SelectionCommandForKey(const QKeyEvent& event, bool nonScalableFormat,
                                                       bool markerVisible) {
  const Qt::KeyboardModifiers m = event.modifiers();
  const bool ctrl = m & Qt::ControlModifier;
  const bool alt = m & Qt::AltModifier;
  const bool keypad = m & Qt::KeypadModifier;
  std::optional<FrameKey> key;
  switch (event.key()) {
    case Qt::Key_Left: key = FrameKey::Left; break;
    case Qt::Key_Right: key = FrameKey::Right; break;
    case Qt::Key_Up: key = FrameKey::Up; break;
    case Qt::Key_Down: key = FrameKey::Down; break;
    case Qt::Key_Space: key = FrameKey::Space; break;
    case Qt::Key_A: key = FrameKey::A; break;
    case Qt::Key_Q: key = FrameKey::Q; break;
    case Qt::Key_D: key = FrameKey::D; break;
    case Qt::Key_Slash: if (keypad) key = FrameKey::KeypadDivide; break;
    case Qt::Key_Minus: key = keypad ? FrameKey::KeypadMinus : FrameKey::Minus; break;
    case Qt::Key_Plus: key = keypad ? FrameKey::KeypadPlus : FrameKey::Plus; break;
    case Qt::Key_Equal: key = FrameKey::Plus; break;  // the plus key of a US layout
    default: break;
  }
  if (!key) return std::nullopt;
  return CommandForKey(*key, ctrl, alt, nonScalableFormat, markerVisible);
}

}  // namespace trimora
