// Shared set-up of the kit's view tests: a temporary home with desktop and documents folders and
// a temporary settings store, made before the application starts; and answering modal dialogs.
#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <cstdlib>
#include <functional>

namespace trimora::testing {

// A temporary home ($HOME, $XDG_CONFIG_HOME) with the folders "Desktop" and "Dokumente".
class KitEnvironment {
 public:
  KitEnvironment() {
    const QString home = dir_.path() + QStringLiteral("/home");
    const QString config = dir_.path() + QStringLiteral("/config");
    QDir().mkpath(home + QStringLiteral("/Desktop/Projekte"));
    QDir().mkpath(home + QStringLiteral("/Dokumente"));
    QDir().mkpath(home + QStringLiteral("/Bilder/2024/Urlaub"));
    QDir().mkpath(config);
    QFile dirs(config + QStringLiteral("/user-dirs.dirs"));
    if (dirs.open(QIODevice::WriteOnly)) {
      dirs.write("XDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    }
    setenv("HOME", home.toLocal8Bit().constData(), 1);
    setenv("XDG_CONFIG_HOME", config.toLocal8Bit().constData(), 1);
    home_ = home;
  }
  // The temporary home folder.
  const QString& Home() const { return home_; }

 private:
  QTemporaryDir dir_;
  QString home_;
};

// The environment of the running test program.
inline KitEnvironment*& Environment() {
  static KitEnvironment* environment = nullptr;
  return environment;
}

// Runs `act` as soon as `dialog` is shown (for dialogs shown modally by the code under test).
inline void WhenShown(QWidget* dialog, std::function<void()> act) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, dialog, act] {
    if (!dialog->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    act();
  });
  timer->start();
}

// Sends a mouse event to `widget` at `local`, with the screen position `global`.
inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint local, QPoint global,
                      Qt::MouseButton button, Qt::MouseButtons buttons) {
  QMouseEvent event(type, QPointF(local), QPointF(global), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &event);
}

// Presses the left button at `local`, moves the pointer by `delta` and releases it.
inline void Drag(QWidget* widget, QPoint local, QPoint delta) {
  const QPoint global = widget->mapToGlobal(local);
  SendMouse(widget, QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton);
  SendMouse(widget, QEvent::MouseMove, local + delta, global + delta, Qt::NoButton, Qt::LeftButton);
  SendMouse(widget, QEvent::MouseButtonRelease, local + delta, global + delta, Qt::LeftButton,
            Qt::NoButton);
}

}  // namespace trimora::testing

// A test program whose home and settings live in a temporary folder.
#define TRIMORA_KIT_TEST_MAIN(TestClass)            \
  int main(int argc, char** argv) {                 \
    trimora::testing::KitEnvironment environment;   \
    trimora::testing::Environment() = &environment; \
    QApplication app(argc, argv);                   \
    TestClass test;                                 \
    return QTest::qExec(&test, argc, argv);         \
  }
