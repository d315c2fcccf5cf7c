#include "frame/image_panel.h"

#include <utility>

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

KeyPress KeyPressOf(int key, Qt::KeyboardModifiers modifiers) {
  // The keys that mean the same on the main keyboard and the numeric keypad.
  static constexpr std::pair<int, Key> kKeys[] = {
      {Qt::Key_Return, Key::Return}, {Qt::Key_Enter, Key::Return},
      {Qt::Key_Escape, Key::Escape}, {Qt::Key_Space, Key::Space},
      {Qt::Key_PageUp, Key::PageUp}, {Qt::Key_PageDown, Key::PageDown},
      {Qt::Key_Left, Key::Left},     {Qt::Key_Up, Key::Up},
      {Qt::Key_Right, Key::Right},   {Qt::Key_Down, Key::Down},
      {Qt::Key_Insert, Key::Insert}, {Qt::Key_Delete, Key::Delete},
      {Qt::Key_A, Key::A},           {Qt::Key_B, Key::B},
      {Qt::Key_D, Key::D},           {Qt::Key_E, Key::E},
      {Qt::Key_F, Key::F},           {Qt::Key_I, Key::I},
      {Qt::Key_O, Key::O},           {Qt::Key_Q, Key::Q},
      {Qt::Key_S, Key::S},           {Qt::Key_Z, Key::Z},
      {Qt::Key_F1, Key::F1},         {Qt::Key_F2, Key::F2},
      {Qt::Key_F3, Key::F3},         {Qt::Key_F4, Key::F4},
      {Qt::Key_F5, Key::F5},         {Qt::Key_F6, Key::F6},
      {Qt::Key_F7, Key::F7},         {Qt::Key_F11, Key::F11},
  };
  const bool keypad = modifiers & Qt::KeypadModifier;
  KeyPress press;
  press.ctrl = modifiers & Qt::ControlModifier;
  press.alt = modifiers & Qt::AltModifier;
  switch (key) {
    case Qt::Key_Slash:
      press.key = keypad ? Key::KeypadDivide : Key::Other;
      return press;
    case Qt::Key_Minus:
      press.key = keypad ? Key::KeypadMinus : Key::Minus;
      return press;
    case Qt::Key_Plus:
      press.key = keypad ? Key::KeypadPlus : Key::Plus;
      return press;
    case Qt::Key_Equal:  // the "+" key of a US layout
      press.key = keypad ? Key::Other : Key::Plus;
      return press;
    default:
      break;
  }
  for (const auto& [qtKey, ours] : kKeys) {
    if (qtKey == key) press.key = ours;
  }
  return press;
}

}  // namespace trimora
