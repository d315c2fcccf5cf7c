// Turning a window of the Fashion skin into its Standard-skin form.
#include "ui/standard_skin.h"

#include <QtTest>

#include "ui/xp_controls.h"
#include "ui/xp_form.h"

namespace trimora::ui {

class StandardSkinTest : public QObject {
  Q_OBJECT

 private slots:
  void theWindowGetsASystemFrameAroundItsWholeContent() {
    QWidget window;
    auto* frame = new TtfXPForm(&window);
    frame->SetTitleCaption(QStringLiteral("Formatdefinitionen"));
    frame->SetBottomTitleHeight(4);
    auto* content = new TXPGradientPanel(&window);
    content->setObjectName(QStringLiteral("ContentPanel"));
    auto* inner = new TXPGradientPanel(content);
    frame->SetContentPanel(content);
    window.setGeometry(40, 50, 400, 300);

    ConvertToStandardSkin(*frame, *content);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(frame->FrameHidden());
    QVERIFY(!frame->isVisible());
    QVERIFY(!frame->CloseButton()->isVisible());
    QVERIFY(!(window.windowFlags() & Qt::FramelessWindowHint));
    QCOMPARE(window.windowTitle(), QStringLiteral("  Formatdefinitionen"));
    QVERIFY(window.mask().isEmpty());
    QCOMPARE(window.geometry(), QRect(40, 50, 400, 300));
    QCOMPARE(content->geometry(), QRect(0, 0, 400, 300));
    QVERIFY(!content->GradientEnabled());
    QVERIFY(!inner->GradientEnabled());
    window.resize(500, 350);
    QCOMPARE(content->geometry(), QRect(0, 0, 500, 350));
  }
};

}  // namespace trimora::ui

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  trimora::ui::StandardSkinTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "standard_skin_test.moc"
