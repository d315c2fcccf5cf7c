// TEXIFDialog: the EXIF/IPTC information window. A non-modal tool window of the main window in
// the skinned frame (title 25 pixels high with the caption at 13, 4; a 20-pixel bottom bar
// without text; only the close button; sizeable, at least 210 x 80), holding the gradient
// panel "ContentPanel", inside it the white framed panel "EditPanel" and inside that the
// read-only text field "Memo" (Tahoma 13 pixels, a vertical scroll bar, no word wrap). It shows
// what it is told and passes its events on: the cancel key and the close button, activation,
// and every move or resize.
#pragma once

#include <QRect>
#include <QWidget>

namespace trimora::ui {
class TTextMemo;
class TtfXPForm;
class TXPGradientPanel;
}  // namespace trimora::ui

namespace trimora::metadata {

// The information window.
class TEXIFDialog : public QWidget {
  Q_OBJECT
 public:
  // The window of `owner` (it stays on top of it), hidden.
  explicit TEXIFDialog(QWidget* owner);

  // Replaces the text (lines ending in "\r\n" or "\n") and shows its first line.
  void SetText(const QString& text);
  // The frame active (and the main window's then inactive) or inactive.
  void SetLookActive(bool active);

  // The parts.
  ui::TtfXPForm* Frame() const { return frame_; }
  ui::TTextMemo* Memo() const { return memo_; }

 signals:
  // The cancel key or the close button.
  void closeRequested();
  // The window became the active window (true) or lost that (false).
  void activated(bool active);
  // The window's normal place changed (position and size as setGeometry takes them).
  void placed(const QRect& normal);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  ui::TtfXPForm* frame_;
  ui::TXPGradientPanel* content_;
  ui::TTextMemo* memo_;
};

}  // namespace trimora::metadata
