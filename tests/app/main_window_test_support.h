// What the scenarios on the real main window share: a private settings and runtime folder, the
// screenshots, waiting for the strip, and the state of a command as the window shows it.
#pragma once

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QScreen>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include "app/kv_main_form.h"

namespace trimora::testing {

// The folder of the screenshots (TRIMORA_SCREENSHOT_DIR), or empty when none are wanted.
inline QString ShotFolder() { return qEnvironmentVariable("TRIMORA_SCREENSHOT_DIR"); }

// Saves `widget` as "<prefix>-<name>.png" in the screenshot folder, when there is one.
inline void Screenshot(QWidget* widget, const QString& prefix, const QString& name) {
  if (ShotFolder().isEmpty()) return;
  QDir().mkpath(ShotFolder());
  QCoreApplication::processEvents();
  widget->grab().save(ShotFolder() + QLatin1Char('/') + prefix + QLatin1Char('-') + name +
                      QStringLiteral(".png"));
}

// Saves what the screen shows of `window` with the border the window manager gave it, when
// screenshots are wanted.
inline void ScreenCapture(QWidget* window, const QString& prefix, const QString& name) {
  if (ShotFolder().isEmpty()) return;
  QDir().mkpath(ShotFolder());
  // Let the window and the window manager finish drawing.
  QTest::qWait(300);
  const QRect place = window->frameGeometry();
  window->screen()
      ->grabWindow(0, place.x(), place.y(), place.width(), place.height())
      .save(ShotFolder() + QLatin1Char('/') + prefix + QLatin1Char('-') + name +
            QStringLiteral(".png"));
}

// The settings and the sockets of a test in folders of its own.
class PrivateHome {
 public:
  // Points the settings store and the runtime folder at the temporary folders.
  void Use() const {
    qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
    qputenv("XDG_RUNTIME_DIR", runtime_.path().toUtf8());
  }
  // Every scenario starts from an empty settings key.
  void ClearSettings() const {
    QDir(config_.path()).removeRecursively();
    QDir().mkpath(config_.path());
  }

 private:
  QTemporaryDir config_;
  QTemporaryDir runtime_;
};

// Waits until the strip of the opened folder is complete and its thread has ended.
inline void WaitForStrip(app::TKvMainForm& window) {
  QTRY_VERIFY_WITH_TIMEOUT(
      window.Presenter().Folder().StripComplete() && !window.Presenter().Folder().ThreadRunning(),
      20000);
  QCoreApplication::processEvents();
}

// Whether the window shows `command` enabled.
inline bool Enabled(app::TKvMainForm& window, CommandId command) {
  return window.Actions(command).front()->isEnabled();
}

}  // namespace trimora::testing
