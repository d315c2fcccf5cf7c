// Saving window places from real widgets in every window state.
#include "platform/window_placement.h"

#include <QApplication>
#include <QWidget>
#include <QtTest>

#include "platform/settings.h"
#include "temp_folder.h"

namespace trimora {

class WindowPlacementTest : public QObject {
  Q_OBJECT

 private:
  testing::TempFolder home_;

  // Puts `window` at `place` in `state` without showing it: Qt keeps the normal geometry when
  // the state changes, and nothing waits for a window system that may be slow when tests run
  // side by side.
  static void Place(QWidget& window, QRect place, Qt::WindowStates state) {
    window.setGeometry(place);
    window.setWindowState(state);
  }

  static void ExpectPlace(const std::string& prefix, QRect expected) {
    QCOMPARE(ReadIntSetting(prefix + "Left", -1), expected.left());
    QCOMPARE(ReadIntSetting(prefix + "Top", -1), expected.top());
    QCOMPARE(ReadIntSetting(prefix + "Width", -1), expected.width());
    QCOMPARE(ReadIntSetting(prefix + "Height", -1), expected.height());
  }

 private slots:
  void initTestCase() { SetSettingsHomeForTesting(home_.path()); }
  void cleanupTestCase() { SetSettingsHomeForTesting(""); }

  void savesTheGeometryOfANormalWindow() {
    QWidget window;
    Place(window, QRect(100, 120, 640, 480), Qt::WindowNoState);
    SaveWindowPlacement(window, setting::kMainWindowPlace);
    ExpectPlace("", QRect(100, 120, 640, 480));
  }

  void savesTheRestoredGeometryOfAMaximizedWindow() {
    QWidget window;
    Place(window, QRect(50, 60, 445, 325), Qt::WindowMaximized);
    QVERIFY(window.isMaximized());
    // Shown, it grows to the screen; waited for by its state, with room for a busy machine.
    window.show();
    QTRY_VERIFY_WITH_TIMEOUT(window.geometry().width() > 445, 60000);
    SaveWindowPlacement(window, setting::kExifWindowPlace);
    ExpectPlace("EXIF\\", QRect(50, 60, 445, 325));
  }

  void savesTheRestoredGeometryOfAMinimizedWindow() {
    QWidget window;
    Place(window, QRect(70, 80, 300, 310), Qt::WindowMinimized);
    QVERIFY(window.isMinimized());
    SaveWindowPlacement(window, setting::kHelpWindowPlace);
    ExpectPlace("Help\\", QRect(70, 80, 300, 310));
  }
};

}  // namespace trimora

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  trimora::WindowPlacementTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "window_placement_test.moc"
