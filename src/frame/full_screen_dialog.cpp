#include "frame/full_screen_dialog.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QToolButton>
#include <cstring>

#include "frame/display_copy.h"

namespace trimora {

namespace {

constexpr int kPanelWidth = 98;
constexpr int kPanelHeight = 26;
constexpr int kPanelMargin = 3;

// The picture control `Image`: black, the copy at its place.
class TFullScreenImage : public QWidget {
 public:
  TFullScreenImage(TFullScreenDialog* dialog) : QWidget(dialog), dialog_(dialog) {
    setObjectName(QStringLiteral("Image"));
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    if (dialog_->Shown().isNull()) {
      painter.fillRect(rect(), Qt::black);
    } else {
      // Black around the copy, each pixel written once.
      const QRect at(dialog_->Placement().topLeft(), dialog_->Shown().size());
      for (const QRect& r : QRegion(rect()).subtracted(at)) painter.fillRect(r, Qt::black);
      painter.drawImage(at.topLeft(), dialog_->Shown());
    }
    emit dialog_->painted();
  }

 private:
  TFullScreenDialog* dialog_;
};

}  // namespace

TFullScreenDialog::TFullScreenDialog(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("FullScreenDialog"));
  setWindowTitle(QStringLiteral("Vollbild"));
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  setModal(true);
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
  setAutoFillBackground(true);

  image_ = new TFullScreenImage(this);
  buttonPanel_ = new QWidget(this);
  buttonPanel_->setObjectName(QStringLiteral("ZoomButtonPanel"));
  buttonPanel_->setAutoFillBackground(true);
  QPalette panel = buttonPanel_->palette();
  panel.setColor(QPalette::Window, QColor(0xF3, 0xF6, 0xFD));
  buttonPanel_->setPalette(panel);
  buttonPanel_->resize(kPanelWidth, kPanelHeight);
  auto button = [this](const char* name, const char* hint, int index, FullScreenAction action) {
    auto* b = new QToolButton(buttonPanel_);
    b->setObjectName(QString::fromUtf8(name));
    b->setToolTip(QString::fromUtf8(hint));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setIconSize(QSize(16, 16));
    b->setGeometry(1 + index * 24, 1, 24, 24);
    connect(b, &QToolButton::clicked, this, [this, action] { emit buttonClicked(action); });
    return b;
  };
  previous_ =
      button("PrevButton", "Voriges Bild anzeigen [Bild auf]", 0, FullScreenAction::Previous);
  exit_ = button("ExitButton", "Vollbildansicht schließen [Esc]", 1, FullScreenAction::Close);
  next_ = button("NextButton", "Nächstes Bild anzeigen [Bild ab]", 2, FullScreenAction::Next);
  cropped_ = button("ShowCroppedButton", kShowCroppedHint, 3, FullScreenAction::ToggleCropped);
  cropped_->setCheckable(true);
  setGeometry(Area());
}

void TFullScreenDialog::SetButtonIcons(const QIcon& previous, const QIcon& exit, const QIcon& next,
                                       const QIcon& cropped) {
  previous_->setIcon(previous);
  exit_->setIcon(exit);
  next_->setIcon(next);
  cropped_->setIcon(cropped);
}

QRect TFullScreenDialog::Area() const {
  const QScreen* screen = parentWidget() != nullptr ? parentWidget()->screen() : nullptr;
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  return screen->geometry();
}

void TFullScreenDialog::ShowPicture(const Picture& picture) {
  const QRect area = Area();
  const ScreenRect place =
      FullScreenPlacement(picture.width(), picture.height(), area.width(), area.height());
  placement_ = QRect(place.left, place.top, place.width, place.height);
  shown_ = QImage();
  pending_ = nullptr;
  if (picture.empty() || place.width <= 0 || place.height <= 0) {
    image_->update();
    return;
  }
  if (!isVisible()) {
    // Copied by Run while the window system maps the window.
    pending_ = &picture;
    return;
  }
  MakeCopy(picture);
  Present();
}

void TFullScreenDialog::MakeCopy(const Picture& picture, const std::function<void()>& meanwhile) {
  // The copy, drawn opaque: scaled by averaging when it has to shrink, else as it is. Its
  // memory is kept from the last showing when the size is the same, so that no fresh pages are
  // faulted in and cleared.
  const int w = placement_.width(), h = placement_.height();
  if (w == picture.width() && h == picture.height()) {
    meanwhile();
    if (copy_.width() != w || copy_.height() != h) copy_ = Picture(w, h);
    std::memcpy(copy_.data(), picture.data(), picture.byteCount());
  } else {
    ScaleInto(picture, w, h, copy_, meanwhile);
  }
}

void TFullScreenDialog::Present() {
  shown_ = QImage(copy_.data(), copy_.width(), copy_.height(),
                  static_cast<qsizetype>(copy_.stride()), QImage::Format_RGB32);
  image_->update();
}

void TFullScreenDialog::Clear() {
  // The copy's memory stays for the next showing; nothing is drawn.
  shown_ = QImage();
  pending_ = nullptr;
  image_->update();
}

void TFullScreenDialog::SetCroppedButton(bool down, const QString& hint) {
  cropped_->setChecked(down);
  cropped_->setToolTip(hint);
}

QToolButton* TFullScreenDialog::Button(FullScreenAction action) const {
  switch (action) {
    case FullScreenAction::Previous:
      return previous_;
    case FullScreenAction::Close:
      return exit_;
    case FullScreenAction::Next:
      return next_;
    case FullScreenAction::ToggleCropped:
      return cropped_;
    default:
      return nullptr;
  }
}

void TFullScreenDialog::Run() {
  setGeometry(Area());
  setWindowState(Qt::WindowFullScreen);
  const Picture* picture = pending_;
  pending_ = nullptr;
  if (picture == nullptr) {
    show();
  } else {
    // The other cores scale while this thread asks the window system to map the window, which
    // dispatches no events, so nothing changes the picture meanwhile; then it scales its own
    // share, and the first painting shows the copy.
    MakeCopy(*picture, [this] { show(); });
    Present();
  }
  exec();
}

void TFullScreenDialog::PostRefresh() {
  QCoreApplication::postEvent(this, new QEvent(static_cast<QEvent::Type>(kRefreshMessage)));
}

bool TFullScreenDialog::event(QEvent* event) {
  if (event->type() == static_cast<QEvent::Type>(kRefreshMessage)) {
    emit refreshPosted();
    return true;
  }
  return QDialog::event(event);
}

void TFullScreenDialog::keyPressEvent(QKeyEvent* event) {
  // Every key goes to the presenter; the dialog's own Enter and Esc handling is not used.
  emit keyPressed(event->key(), event->modifiers());
}

void TFullScreenDialog::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  image_->setGeometry(rect());
  buttonPanel_->move(width() - kPanelMargin - kPanelWidth, height() - kPanelMargin - kPanelHeight);
  buttonPanel_->raise();
}

}  // namespace trimora
