#include "ui/standard_skin.h"

#include <QEvent>
#include <QWidget>

#include "ui/xp_controls.h"
#include "ui/xp_form.h"

namespace trimora::ui {

void ConvertToStandardSkin(TtfXPForm& frame, QWidget& contentPanel) {
  QWidget* window = frame.DecoratedWindow();
  const QRect place = window->geometry();
  frame.HideFrame();
  // Changing the window flags makes a new native window, which may move it.
  window->setWindowFlag(Qt::FramelessWindowHint, false);
  window->setGeometry(place);
  contentPanel.setGeometry(window->rect());
  // The content follows the window's size from now on, as the frame did before.
  struct Follower : QObject {
    QWidget* content;
    Follower(QWidget* window, QWidget* panel) : QObject(window), content(panel) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
      if (event->type() == QEvent::Resize)
        content->setGeometry(static_cast<QWidget*>(watched)->rect());
      return false;
    }
  };
  window->installEventFilter(new Follower(window, &contentPanel));
  const QColor plain = window->palette().color(QPalette::Window);
  for (TXPGradientPanel* panel : window->findChildren<TXPGradientPanel*>()) {
    if (!panel->objectName().startsWith(QStringLiteral("XPForm"), Qt::CaseInsensitive))
      panel->SetGradientEnabled(false, plain);
  }
}

}  // namespace trimora::ui
