// An X server of a test's own (Xvfb, with or without the openbox window manager), and the X
// tools that find, read and drive the windows of real programs on it the way a user sees them.
#pragma once

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QtTest>

namespace trimora::test {

// An X server of the test's own, with or without a window manager.
class XSession {
 public:
  static constexpr int kScreenWidth = 1600;
  static constexpr int kScreenHeight = 1200;

  // Screenshots are saved as TRIMORA_SCREENSHOT_DIR/<screenshotPrefix><name>.png.
  explicit XSession(QString screenshotPrefix) : screenshotPrefix_(std::move(screenshotPrefix)) {}

  // Starts Xvfb on a free display and, when asked, openbox; false when that fails.
  bool Start(bool windowManager) {
    server_.setProgram(QStringLiteral("Xvfb"));
    server_.setArguments(
        {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
         QStringLiteral("0"), QStringLiteral("%1x%2x24").arg(kScreenWidth).arg(kScreenHeight),
         QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset")});
    server_.start();
    if (!server_.waitForStarted(5000)) return false;
    QByteArray number;
    while (!number.contains('\n') && server_.waitForReadyRead(10000))
      number += server_.readAllStandardOutput();
    if (!number.contains('\n')) return false;
    display_ = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
    if (!windowManager) return true;
    manager_.setProcessEnvironment(Environment({}));
    manager_.start(QStringLiteral("openbox"), {});
    if (!manager_.waitForStarted(5000)) return false;
    // The manager is ready when it has announced itself on the root window.
    for (int i = 0; i < 100; ++i) {
      if (Tool(QStringLiteral("xprop"),
               {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
              .contains(QStringLiteral("window id")))
        return true;
      QTest::qWait(50);
    }
    return false;
  }
  ~XSession() {
    for (QProcess* process : {&manager_, &server_}) {
      if (process->state() == QProcess::NotRunning) continue;
      process->terminate();
      if (!process->waitForFinished(3000)) process->kill();
      process->waitForFinished(3000);
    }
  }

  // The environment of a program on this display with the given private folders.
  QProcessEnvironment Environment(const QStringList& folders) const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display_);
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    const char* names[] = {"XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "XDG_DATA_HOME"};
    for (int i = 0; i < folders.size() && i < 3; ++i)
      environment.insert(QString::fromLatin1(names[i]), folders[i]);
    return environment;
  }

  // Runs an X tool on this display and returns its output.
  QString Tool(const QString& program, const QStringList& arguments) const {
    QProcess tool;
    tool.setProcessEnvironment(Environment({}));
    tool.start(program, arguments);
    if (!tool.waitForFinished(10000)) return {};
    return QString::fromUtf8(tool.readAllStandardOutput());
  }

  // The visible windows whose title matches `pattern` (xdotool's search).
  QStringList Windows(const QString& pattern) const {
    return Tool(QStringLiteral("xdotool"),
                {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                 QStringLiteral("--name"), pattern})
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  }
  // The one visible window whose title matches `pattern`, waiting for it; empty when none came.
  QString WaitForWindow(const QString& pattern, int ms = 15000) const {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
      const QStringList found = Windows(pattern);
      if (!found.isEmpty()) return found.last();
      QTest::qWait(50);
    }
    return {};
  }
  // The window's content rectangle on the screen (without a frame of the window manager).
  QRect Geometry(const QString& window) const {
    const QString info = Tool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window});
    auto value = [&info](const char* label) {
      const QRegularExpression pattern(QString::fromLatin1(label) +
                                       QStringLiteral(":\\s*(-?\\d+)"));
      return pattern.match(info).captured(1).toInt();
    };
    return {value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"),
            value("Height")};
  }
  // A property of the window as xprop prints it after "=".
  QString Property(const QString& window, const QString& name) const {
    const QString line = Tool(QStringLiteral("xprop"),
                              {QStringLiteral("-id"), window, QStringLiteral("-notype"), name});
    const int equals = line.indexOf(QLatin1Char('='));
    return equals < 0 ? QString() : line.mid(equals + 1).trimmed();
  }
  // The title of the window that has the keyboard.
  QString ActiveTitle() const {
    return Tool(QStringLiteral("xdotool"),
                {QStringLiteral("getactivewindow"), QStringLiteral("getwindowname")})
        .trimmed();
  }
  // Saves the screen around `area` when TRIMORA_SCREENSHOT_DIR is set.
  void Screenshot(const QString& name, QRect area) const {
    const QString folder = qEnvironmentVariable("TRIMORA_SCREENSHOT_DIR");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    area = area.adjusted(-12, -30, 12, 12).intersected(QRect(0, 0, kScreenWidth, kScreenHeight));
    Tool(QStringLiteral("import"),
         {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("-crop"),
          QStringLiteral("%1x%2+%3+%4")
              .arg(area.width())
              .arg(area.height())
              .arg(area.x())
              .arg(area.y()),
          folder + QLatin1Char('/') + screenshotPrefix_ + name + QStringLiteral(".png")});
  }

 private:
  QString screenshotPrefix_;
  QProcess server_;
  QProcess manager_;
  QString display_;
};

}  // namespace trimora::test
