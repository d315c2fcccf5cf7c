// Saving window places from real widgets (offscreen, where maximizing is dependable).
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

  // Shows `window` at `place` and waits until it is on screen.
  static bool Show(QWidget& window, QRect place) {
    window.setGeometry(place);
    window.show();
    return QTest::qWaitForWindowExposed(&window);
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
    QVERIFY(Show(window, QRect(100, 120, 640, 480)));
    SaveWindowPlacement(window, setting::kMainWindowPlace);
    ExpectPlace("", window.geometry());
    ExpectPlace("", QRect(100, 120, 640, 480));
  }

  void savesTheRestoredGeometryOfAMaximizedWindow() {
    QWidget window;
    QVERIFY(Show(window, QRect(50, 60, 445, 325)));
    window.showMaximized();
    QTRY_VERIFY(window.geometry().width() > 445);
    SaveWindowPlacement(window, setting::kExifWindowPlace);
    ExpectPlace("EXIF\\", QRect(50, 60, 445, 325));
    // The main key is not touched by a prefixed window.
    QCOMPARE(ReadIntSetting("EXIF\\Width", -1), 445);
  }

  void savesTheRestoredGeometryOfAMinimizedWindow() {
    QWidget window;
    QVERIFY(Show(window, QRect(70, 80, 300, 310)));
    window.showMinimized();
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
