// TFullScreenDialog: the full-screen preview window. Borderless, covering the screen, black,
// captioned "Vollbild", with the picture control `Image` filling it and the small panel
// `ZoomButtonPanel` (98 x 26, 3 pixels from the right and bottom edges) holding PrevButton,
// ExitButton, NextButton and ShowCroppedButton. It draws the copy it is given and passes its
// keys, buttons and the posted refresh message (1028) on; it decides nothing itself.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QImage>
#include <functional>

#include "frame/full_screen.h"
#include "imaging/picture.h"

class QToolButton;

namespace trimora {

// The full-screen preview.
class TFullScreenDialog : public QDialog {
  Q_OBJECT
 public:
  // The private message posted to the preview after a picture change: RefreshFullScreen.
  static constexpr int kRefreshMessage = 1028;

  // The preview of the window `owner`, not shown yet.
  explicit TFullScreenDialog(QWidget* owner);

  // The pictures of the four buttons.
  void SetButtonIcons(const QIcon& previous, const QIcon& exit, const QIcon& next,
                      const QIcon& cropped);
  // Shows a copy of `picture`, scaled down to fit the screen or 1:1, centred. Given before Run,
  // the copy is made by Run while the window is on its way to the screen, and `picture` must
  // stay as it is until then.
  void ShowPicture(const Picture& picture);
  // Empties the copy.
  void Clear();
  // ShowCroppedButton down or up, with its hint.
  void SetCroppedButton(bool down, const QString& hint);
  // Covers the screen of the owner and runs modally until closed.
  void Run();
  // Posts the refresh message to the preview.
  void PostRefresh();

  // The copy as drawn and where (tests and benchmarks).
  const QImage& Shown() const { return shown_; }
  QRect Placement() const { return placement_; }
  QToolButton* Button(FullScreenAction action) const;

 signals:
  // A key was pressed in the preview.
  void keyPressed(int key, Qt::KeyboardModifiers modifiers);
  // A button was clicked.
  void buttonClicked(trimora::FullScreenAction action);
  // The refresh message arrived.
  void refreshPosted();
  // The copy has been painted on the screen.
  void painted();

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QRect Area() const;
  // Makes copy_ from `picture` at the size of placement_, running `meanwhile` on this thread
  // while other cores scale.
  void MakeCopy(
      const Picture& picture, const std::function<void()>& meanwhile = [] {});
  // Draws copy_.
  void Present();

  QWidget* image_;
  QWidget* buttonPanel_;
  QToolButton* previous_;
  QToolButton* exit_;
  QToolButton* next_;
  QToolButton* cropped_;
  Picture copy_;  // kept between showings
  QImage shown_;  // over copy_, null while nothing is shown
  QRect placement_;
  const Picture* pending_ = nullptr;  // given before Run; copied there
};

}  // namespace trimora
