// The skinned controls of the Fashion look: the gradient content panel, plain framed panels,
// flat push buttons, the check box and the picture buttons of the title bar.
#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QColor>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>

namespace trimora::ui {

// A panel filled with a horizontal gradient from white to RGB(170,189,240) in 100 steps.
class TXPGradientPanel : public QWidget {
  Q_OBJECT
 public:
  // A gradient panel inside `parent`.
  explicit TXPGradientPanel(QWidget* parent);
  // Switches the gradient off (a plain panel in `color`), as the Standard skin wants it.
  void SetGradientEnabled(bool enabled, const QColor& color = QColor());
  // Whether the gradient is drawn.
  bool GradientEnabled() const { return gradient_; }
  // A sunken one-pixel bevel around a plain panel (the Standard skin's panels), or none.
  void SetLoweredBevel(bool lowered);
  bool LoweredBevel() const { return lowered_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool gradient_ = true;
  bool lowered_ = false;
  QColor plain_;
};

// A plain panel in one colour, optionally framed by a thin line.
class TXPPanel : public QWidget {
  Q_OBJECT
 public:
  // A panel inside `parent` in `color`; `framed` draws a one-pixel border.
  TXPPanel(QWidget* parent, const QColor& color, bool framed);
  // Changes the fill colour and repaints.
  void SetColor(const QColor& color);
  // The fill colour.
  QColor Color() const { return color_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor color_;
  bool framed_;
};

// The flat, rounded push button of the Fashion look; it may carry a picture left of its caption.
class TXPButton : public QPushButton {
  Q_OBJECT
 public:
  // A button inside `parent` with `caption` ("&" marks the mnemonic).
  TXPButton(const QString& caption, QWidget* parent);
  // The picture left of the caption (null for none).
  void SetPicture(const QPixmap& picture);
  // The picture left of the caption.
  QPixmap Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QPixmap picture_;
  bool hovered_ = false;
};

// The skinned check box; Enter and Space toggle it while it has the focus.
class TXPCheckBox : public QCheckBox {
  Q_OBJECT
 public:
  // A check box inside `parent` without a caption of its own.
  explicit TXPCheckBox(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool hitButton(const QPoint& pos) const override;
};

// A title-bar button that shows one 21 x 21 picture.
class TXPTitleButton : public QAbstractButton {
  Q_OBJECT
 public:
  // A button inside `parent`.
  explicit TXPTitleButton(QWidget* parent);
  // The picture shown; repaints.
  void SetPicture(const QPixmap& picture, const QString& pictureName);
  // The resource name of the picture shown ("CLOSE_BMP", "CLOSE_DIS_BMP", ...).
  QString PictureName() const { return pictureName_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QPixmap picture_;
  QString pictureName_;
  bool hovered_ = false;
};

}  // namespace trimora::ui
