// The window shape that the guide viewer and the help window share: an HTML view in a white
// content panel inside the sizeable skinned frame with only a close button, closed by the
// cancel key.
#pragma once

#include <QString>
#include <QWidget>

namespace trimora::ui {
class TtfXPForm;
class TXPPanel;
}  // namespace trimora::ui

namespace trimora::guide {

class THtmlView;

// A top-level window with the skinned frame (title 32 pixels high, caption at 11, 7 in Tahoma
// 15 pixels bold white, 4-pixel bottom bar, frame in the window colour), the white panel
// "ContentPanel" and the HTML view "WebBrowser" filling it. The window sees every message of
// the program before its controls: the cancel key closes it, and a resize cursor left over
// from the frame's edges is reset when the pointer moves with no button held.
class THtmlWindow : public QWidget {
  Q_OBJECT
 public:
  // An empty window named `objectName`, not shown yet; at least 270 x 150 pixels.
  explicit THtmlWindow(const QString& objectName);
  ~THtmlWindow() override;

  // The frame title; the system caption is two blanks and the title in the Fashion skin, the
  // title itself in the Standard skin.
  void SetTitle(const QString& title);
  // Turns the window into its Standard-skin form (system border and caption); before showing.
  void UseStandardSkin();
  // True after UseStandardSkin.
  bool StandardSkin() const { return standardSkin_; }
  // Puts the window in front of the others and gives it the keyboard, restoring it when
  // minimised.
  void BringToFront();

  // The parts of the window.
  ui::TtfXPForm* Frame() const { return frame_; }
  ui::TXPPanel* ContentPanel() const { return content_; }
  THtmlView* Browser() const { return browser_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ui::TtfXPForm* frame_;
  ui::TXPPanel* content_;
  THtmlView* browser_;
  bool standardSkin_ = false;
};

}  // namespace trimora::guide
