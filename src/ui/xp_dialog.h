// The common shape of the kit's dialogs: a borderless modal window with the skinned frame
// (a single close button, not sizeable, 32-pixel title, 4-pixel bottom bar) around a gradient
// content panel named "ContentPanel".
#pragma once

#include <QDialog>

namespace trimora::ui {

class TtfXPForm;
class TXPGradientPanel;

// A skinned dialog; closing it through the frame or the system answers kResultCancel.
class TXPDialog : public QDialog {
  Q_OBJECT
 public:
  // An empty dialog owned by `parent` (may be null).
  explicit TXPDialog(QWidget* parent);
  // The dialog's frame (component "XPForm").
  TtfXPForm* Frame() const { return frame_; }
  // The content panel (component "ContentPanel").
  TXPGradientPanel* Content() const { return content_; }
  // Sets the caption: the window caption is two blanks and the title, the frame title the
  // title while the frame is shown.
  void SetTitle(const QString& title);
  // Moves the dialog to the middle of `window`, or of its screen when there is none.
  void CentreOver(const QWidget* window);

 public slots:
  // The frame's close button, the system close command and the cancel key end here.
  void reject() override;

 private:
  TtfXPForm* frame_;
  TXPGradientPanel* content_;
};

}  // namespace trimora::ui
