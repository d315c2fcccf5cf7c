// The skinned frame on real windows: moving and resizing, buttons, icon, looks, shape, panels.
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QRegion>
#include <QtTest>

#include <memory>

#include "kit_test_support.h"
#include "ui/kit_style.h"
#include "ui/xp_controls.h"
#include "ui/xp_form.h"

using namespace trimora::ui;
using trimora::testing::Drag;
using trimora::testing::SendMouse;

namespace {

// A framed window of 500 x 300 at 200, 150.
struct FramedWindow {
  std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
  TtfXPForm* frame = new TtfXPForm(window.get());

  FramedWindow() {
    window->setGeometry(200, 150, 500, 300);
    frame->SetTitleCaption(QStringLiteral("Trimora 2"));
  }
  void Show() {
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
  }
  QRect Geometry() const { return window->geometry(); }
};

}  // namespace

class FrameTest : public QObject {
  Q_OBJECT

 private slots:
  void theTopLeftCornerResizesLeftAndTopTogether() {
    FramedWindow w;
    w.Show();
    TXPTitle* title = w.frame->TitleBar();
    const QPoint global = title->mapToGlobal(QPoint(2, 2));
    SendMouse(title, QEvent::MouseButtonPress, QPoint(2, 2), global, Qt::LeftButton,
              Qt::LeftButton);
    QCOMPARE(title->Drag().edgeCode, 3);
    QCOMPARE(title->cursor().shape(), Qt::SizeFDiagCursor);
    SendMouse(title, QEvent::MouseMove, QPoint(-8, -18), global + QPoint(-10, -20), Qt::NoButton,
              Qt::LeftButton);
    SendMouse(title, QEvent::MouseButtonRelease, QPoint(-8, -18), global + QPoint(-10, -20),
              Qt::LeftButton, Qt::NoButton);
    QCOMPARE(w.Geometry(), QRect(190, 130, 510, 320));
    QCOMPARE(title->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(title->Drag().edgeCode, 0);
  }

  void barEdgesGiveTheirCodesAndCursors_data() {
    QTest::addColumn<bool>("bottom");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("cursor");
    QTest::newRow("title top edge") << false << QPoint(250, 1) << 2 << int(Qt::SizeVerCursor);
    QTest::newRow("title right") << false << QPoint(498, 15) << 4 << int(Qt::SizeHorCursor);
    QTest::newRow("title top right") << false << QPoint(498, 1) << 6 << int(Qt::SizeBDiagCursor);
    QTest::newRow("title middle") << false << QPoint(250, 15) << 0 << int(Qt::ArrowCursor);
    QTest::newRow("bottom edge") << true << QPoint(250, 15) << 8 << int(Qt::SizeVerCursor);
    QTest::newRow("bottom right") << true << QPoint(498, 18) << 12 << int(Qt::SizeFDiagCursor);
    QTest::newRow("bottom left") << true << QPoint(1, 18) << 9 << int(Qt::SizeBDiagCursor);
  }
  void barEdgesGiveTheirCodesAndCursors() {
    QFETCH(bool, bottom);
    QFETCH(QPoint, at);
    QFETCH(int, code);
    QFETCH(int, cursor);
    FramedWindow w;
    w.Show();
    TXPTitle* bar = bottom ? w.frame->BottomBar() : w.frame->TitleBar();
    // Hovering shows the cursor, pressing takes the edge code.
    SendMouse(bar, QEvent::MouseMove, at, bar->mapToGlobal(at), Qt::NoButton, Qt::NoButton);
    QCOMPARE(int(bar->cursor().shape()), cursor);
    SendMouse(bar, QEvent::MouseButtonPress, at, bar->mapToGlobal(at), Qt::LeftButton,
              Qt::LeftButton);
    QCOMPARE(bar->Drag().edgeCode, code);
    QCOMPARE(int(bar->cursor().shape()), cursor);
    SendMouse(bar, QEvent::MouseButtonRelease, at, bar->mapToGlobal(at), Qt::LeftButton,
              Qt::NoButton);
  }

  void resizingFromEachEdgeMovesOnlyThatEdge() {
    FramedWindow w;
    w.Show();
    Drag(w.frame->BottomBar(), QPoint(498, 18), QPoint(30, 40));
    QCOMPARE(w.Geometry(), QRect(200, 150, 530, 340));
    Drag(w.frame->LeftEdge(), QPoint(1, 50), QPoint(-8, 33));
    QCOMPARE(w.Geometry(), QRect(192, 150, 538, 340));
    QCOMPARE(w.frame->LeftEdge()->cursor().shape(), Qt::SizeHorCursor);
    Drag(w.frame->RightEdge(), QPoint(1, 50), QPoint(-38, 0));
    QCOMPARE(w.Geometry(), QRect(192, 150, 500, 340));
    // The frame follows the window's size.
    QCOMPARE(w.frame->geometry(), QRect(0, 0, 500, 340));
    QCOMPARE(w.frame->RightEdge()->geometry(), QRect(497, 32, 3, 340 - 32 - 20));
  }

  void draggingTheTitleMovesTheWindow() {
    FramedWindow w;
    w.Show();
    Drag(w.frame->TitleBar(), QPoint(250, 15), QPoint(15, 5));
    QCOMPARE(w.Geometry(), QRect(215, 155, 500, 300));
  }

  void aWindowThatIsNotSizeableMovesEvenFromItsEdges() {
    FramedWindow w;
    w.frame->SetSizeable(false);
    w.Show();
    Drag(w.frame->TitleBar(), QPoint(2, 2), QPoint(-10, -20));
    QCOMPARE(w.Geometry(), QRect(190, 130, 500, 300));
    Drag(w.frame->LeftEdge(), QPoint(1, 50), QPoint(-8, 0));
    QCOMPARE(w.Geometry(), QRect(190, 130, 500, 300));
    QVERIFY(!w.frame->MaximizeButton()->isEnabled());
    QVERIFY(!w.frame->TitleBar()->MaximizeEnabled());
  }

  void draggingTheBottomBarAwayFromItsEdgesDoesNothing() {
    FramedWindow w;
    w.Show();
    Drag(w.frame->BottomBar(), QPoint(250, 3), QPoint(40, 40));
    QCOMPARE(w.Geometry(), QRect(200, 150, 500, 300));
  }

  void aMaximisedWindowNeitherMovesNorResizes() {
    FramedWindow w;
    w.Show();
    w.window->showMaximized();
    QTRY_VERIFY(w.window->isMaximized());
    const QRect before = w.Geometry();
    Drag(w.frame->TitleBar(), QPoint(250, 15), QPoint(15, 5));
    QCOMPARE(w.Geometry(), before);
    Drag(w.frame->TitleBar(), QPoint(2, 2), QPoint(-10, -10));
    QCOMPARE(w.Geometry(), before);
    QCOMPARE(w.frame->TitleBar()->Drag().edgeCode, 0);
    Drag(w.frame->LeftEdge(), QPoint(1, 50), QPoint(-8, 0));
    QCOMPARE(w.Geometry(), before);
    QCOMPARE(w.frame->MaximizeButton()->PictureName().left(7), QStringLiteral("RESTORE"));
  }

  void doubleClickingTheTitleMaximisesAndRestores() {
    FramedWindow w;
    w.Show();
    TXPTitle* title = w.frame->TitleBar();
    const QPoint at(250, 15);
    SendMouse(title, QEvent::MouseButtonDblClick, at, title->mapToGlobal(at), Qt::LeftButton,
              Qt::LeftButton);
    QTRY_VERIFY(w.window->isMaximized());
    SendMouse(title, QEvent::MouseButtonDblClick, at, title->mapToGlobal(at), Qt::LeftButton,
              Qt::LeftButton);
    QTRY_VERIFY(!w.window->isMaximized());
    // The bottom bar does not react, nor a title whose maximise button is disabled.
    QWidget* bottom = w.frame->BottomBar();
    SendMouse(bottom, QEvent::MouseButtonDblClick, at, bottom->mapToGlobal(at), Qt::LeftButton,
              Qt::LeftButton);
    w.frame->SetEnabledButtons(bbMinimize | bbClose);
    SendMouse(title, QEvent::MouseButtonDblClick, at, title->mapToGlobal(at), Qt::LeftButton,
              Qt::LeftButton);
    QTest::qWait(50);
    QVERIFY(!w.window->isMaximized());
  }

  void theWindowMessagesMaximiseAndRestore() {
    FramedWindow w;
    w.Show();
    QCoreApplication::postEvent(w.frame, new QEvent(QEvent::Type(27967)));
    QTRY_VERIFY(w.window->isMaximized());
    QCoreApplication::postEvent(w.frame, new QEvent(QEvent::Type(27968)));
    QTRY_VERIFY(!w.window->isMaximized());
  }

  void visibleButtonsChooseTheButtonLayout() {
    FramedWindow w;
    w.Show();
    QWidget* panel = w.frame->ButtonPanel();
    w.frame->SetVisibleButtons(bbMinimize | bbClose);
    QCOMPARE(panel->geometry(), QRect(416, 7, 72, 22));
    QVERIFY(w.frame->MinimizeButton()->isVisible());
    QVERIFY(w.frame->MaximizeButton()->isVisible());
    QCOMPARE(w.frame->CloseButton()->geometry(), QRect(50, 0, 22, 22));
    QCOMPARE(w.frame->MaximizeButton()->geometry(), QRect(25, 0, 22, 22));
    w.frame->SetVisibleButtons(bbClose);
    QCOMPARE(panel->geometry(), QRect(466, 7, 24, 22));
    QVERIFY(!w.frame->MinimizeButton()->isVisible());
    QVERIFY(!w.frame->MaximizeButton()->isVisible());
    QCOMPARE(w.frame->CloseButton()->geometry(), QRect(0, 0, 22, 22));
    // The panel stays at the right edge when the window grows.
    w.window->resize(600, 300);
    QCOMPARE(panel->geometry(), QRect(566, 7, 24, 22));
    w.frame->SetVisibleButtons(bbMinimize | bbMaximize);
    QVERIFY(!panel->isVisible());
    // The controls carry the names other windows look for.
    QCOMPARE(panel->objectName(), QStringLiteral("XPFormButtonPanel"));
    QCOMPARE(w.frame->CloseButton()->objectName(), QStringLiteral("XPFormCloseButton"));
    QCOMPARE(w.frame->IconImage()->objectName(), QStringLiteral("XPFormIconImage"));
  }

  void theCloseButtonClosesTheWindow() {
    FramedWindow w;
    w.Show();
    QTest::mouseClick(w.frame->CloseButton(), Qt::LeftButton);
    QVERIFY(!w.window->isVisible());
  }

  void theWindowIconMovesTheCaption() {
    FramedWindow w;
    w.Show();
    w.frame->SetTitleXOffset(43);
    w.frame->SetEnabledIcon(QPixmap());
    QCOMPARE(w.frame->TitleXOffset(), 10);
    QVERIFY(!w.frame->IconPanel()->isVisible());
    w.frame->SetEnabledIcon(SkinPixmap(QStringLiteral("ICON_BMP")));
    QCOMPARE(w.frame->TitleXOffset(), 40);
    QVERIFY(w.frame->IconPanel()->isVisible());
    QCOMPARE(w.frame->IconPanel()->geometry(), QRect(13, 5, 24, 25));
    w.frame->SetTitleXOffset(43);
    w.frame->SetEnabledIcon(SkinPixmap(QStringLiteral("ICON_BMP")));
    QCOMPARE(w.frame->TitleXOffset(), 43);
  }

  void theInactiveLookUsesTheDisabledPictures() {
    FramedWindow w;
    const QPixmap enabled = SkinPixmap(QStringLiteral("ICON_BMP"));
    const QPixmap disabled = SkinPixmap(QStringLiteral("ICON_DIS_BMP"));
    w.frame->SetEnabledIcon(enabled);
    w.frame->SetDisabledIcon(disabled);
    w.Show();
    QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
    QVERIFY(w.frame->LookActive());
    QCOMPARE(w.frame->TitleBar()->PieceNames()[0], QStringLiteral("TOP_LEFT_BMP"));
    QCOMPARE(w.frame->BottomBar()->PieceNames()[1], QStringLiteral("BOTTOM_MID_BMP"));
    QCOMPARE(w.frame->CloseButton()->PictureName(), QStringLiteral("CLOSE_BMP"));
    QCOMPARE(w.frame->IconImage()->pixmap().cacheKey(), enabled.cacheKey());
    QCOMPARE(w.frame->TitleBar()->TextColor(), QColor(Qt::white));

    w.frame->MarkInactive();
    QVERIFY(!w.frame->Active());
    QVERIFY(!w.frame->LookActive());
    QCOMPARE(w.frame->TitleBar()->PieceNames()[0], QStringLiteral("TOP_LEFT_DIS_BMP"));
    QCOMPARE(w.frame->TitleBar()->PieceNames()[2], QStringLiteral("TOP_RIGHT_DIS_BMP"));
    QCOMPARE(w.frame->BottomBar()->PieceNames()[1], QStringLiteral("BOTTOM_MID_DIS_BMP"));
    QCOMPARE(w.frame->CloseButton()->PictureName(), QStringLiteral("CLOSE_DIS_BMP"));
    QCOMPARE(w.frame->MinimizeButton()->PictureName(), QStringLiteral("MINIMIZE_DIS_BMP"));
    QCOMPARE(w.frame->MaximizeButton()->PictureName(), QStringLiteral("MAXIMIZE_DIS_BMP"));
    QCOMPARE(w.frame->IconImage()->pixmap().cacheKey(), disabled.cacheKey());
    QCOMPARE(w.frame->TitleBar()->TextColor(), QColor(216, 228, 248));

    w.frame->MarkActive();
    QCOMPARE(w.frame->CloseButton()->PictureName(), QStringLiteral("CLOSE_BMP"));
    // A disabled button shows its disabled picture also in the active look.
    w.frame->SetEnabledButtons(bbMinimize | bbClose);
    QCOMPARE(w.frame->MaximizeButton()->PictureName(), QStringLiteral("MAXIMIZE_DIS_BMP"));
    QCOMPARE(w.frame->MinimizeButton()->PictureName(), QStringLiteral("MINIMIZE_BMP"));
  }

  void aChangeOfLookRepaintsTheFrameButNotTheContent() {
    // Counts the paints of the widgets it watches.
    struct PaintCounter : QObject {
      int paints = 0;
      bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
      }
    };
    FramedWindow w;
    auto* content = new QWidget(w.window.get());
    content->setAutoFillBackground(true);
    auto* picture = new QLabel(QStringLiteral("Bild"), content);
    picture->setGeometry(10, 10, 200, 100);
    w.frame->SetContentPanel(content);
    w.Show();
    QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
    PaintCounter contentPaints, titlePaints, edgePaints;
    content->installEventFilter(&contentPaints);
    picture->installEventFilter(&contentPaints);
    w.frame->TitleBar()->installEventFilter(&titlePaints);
    for (QWidget* edge : w.frame->findChildren<TXPSidePanel*>())
      edge->installEventFilter(&edgePaints);
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    contentPaints.paints = 0;

    // A modal dialog of the window comes and goes; the application loses and regains focus.
    // Each change is waited for until the title bar has been painted: the content would have
    // been painted in the same pass.
    titlePaints.paints = 0;
    w.frame->MarkInactive();
    QTRY_VERIFY(titlePaints.paints > 0);
    QVERIFY(edgePaints.paints > 0);
    titlePaints.paints = 0;
    w.frame->MarkActive();
    QTRY_VERIFY(titlePaints.paints > 0);
    titlePaints.paints = 0;
    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(w.window.get(), &deactivate);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(w.window.get(), &activate);
    w.frame->TitleBar()->update();
    QTRY_VERIFY(titlePaints.paints > 0);
    QCOMPARE(contentPaints.paints, 0);
    QCOMPARE(w.frame->TitleBar()->PieceNames()[0], QStringLiteral("TOP_LEFT_BMP"));
  }

  void theBarsAreComposedFromTheirPieces() {
    FramedWindow w;
    w.Show();
    const QImage background = w.frame->TitleBar()->Background().toImage();
    QCOMPARE(background.size(), QSize(500, 32));
    const QImage left = SkinPixmap(QStringLiteral("TOP_LEFT_BMP")).toImage();
    const QImage right = SkinPixmap(QStringLiteral("TOP_RIGHT_BMP")).toImage();
    const QImage middle = SkinPixmap(QStringLiteral("TOP_MID_BMP")).toImage();
    QCOMPARE(left.size(), QSize(5, 27));
    QCOMPARE(middle.size(), QSize(52, 27));
    QCOMPARE(SkinPixmap(QStringLiteral("CLOSE_DIS_BMP")).size(), QSize(21, 21));
    // Row 0 of the pieces is row 0 of the bar; column 0 is the left piece's, the last column
    // the right piece's, the middle the middle piece's.
    QCOMPARE(background.pixel(0, 0), left.pixel(0, 0));
    QCOMPARE(background.pixel(499, 0), right.pixel(4, 0));
    QCOMPARE(background.pixel(250, 0), middle.pixel(26, 0));
    QCOMPARE(background.pixel(250, 31), middle.pixel(26, 26));
  }

  void theWindowShapeHasRoundedCorners() {
    FramedWindow w;
    w.Show();
    QRegion mask = w.window->mask();
    QVERIFY(!mask.contains(QPoint(0, 0)));
    QVERIFY(!mask.contains(QPoint(499, 299)));
    QVERIFY(mask.contains(QPoint(250, 150)));
    QVERIFY(mask.contains(QPoint(10, 0)));
    w.frame->SetBottomBarEnabled(false);
    mask = w.window->mask();
    QVERIFY(!mask.contains(QPoint(0, 0)));
    QVERIFY(mask.contains(QPoint(0, 299)));
    QVERIFY(mask.contains(QPoint(499, 299)));
    QVERIFY(!w.frame->BottomBar()->isVisible());
    QCOMPARE(w.frame->ClientRect(), QRect(3, 32, 494, 268));
  }

  void statusPanelsShortenAPathAndClipOtherTexts() {
    FramedWindow w;
    w.frame->SetBottomBarStatusPanels({{"", -1, PanelAlignment::Left},
                                       {"", 150, PanelAlignment::Left},
                                       {"", 230, PanelAlignment::Left},
                                       {"", 145, PanelAlignment::Right}});
    w.window->resize(700, 300);
    w.Show();
    TXPTitle* bottom = w.frame->BottomBar();
    QCOMPARE(bottom->FixedWidthSum(), 525);
    const QString path = QStringLiteral(
        "/home/anna/Bilder/Urlaub in Norwegen 2024/Lofoten und Vesterålen/IMG_0042.JPG");
    w.frame->SetStatusPanelText(0, path);
    w.frame->SetStatusPanelText(3, QStringLiteral("10 x 15"));
    QCOMPARE(QString::fromStdString(w.frame->BottomBarStatusPanels()[0].text), path);
    auto places = bottom->PanelPlacements();
    const QFontMetrics metrics(bottom->TextFont());
    const QString shown = QString::fromStdString(places[0].text);
    QCOMPARE(places[0].width, 700 - 16 - 525 - 5);
    QVERIFY2(shown.endsWith(QStringLiteral(".../IMG_0042.JPG")), qPrintable(shown));
    QVERIFY(path.startsWith(shown.left(shown.indexOf(QStringLiteral("...")))));
    QVERIFY(metrics.horizontalAdvance(shown) <= places[0].width);
    QCOMPARE(places[3].textX,
             places[3].x + 145 - metrics.horizontalAdvance(QStringLiteral("10 x 15")));

    // A long text without separator stays whole and is clipped: nothing is drawn into the
    // 5-pixel gap after the filling panel.
    const QString plain = QString(QStringLiteral("Keine Bilder gefunden ")).repeated(6);
    w.frame->SetStatusPanelText(0, plain);
    places = bottom->PanelPlacements();
    QCOMPARE(QString::fromStdString(places[0].text), plain);
    const QImage drawn = bottom->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage background = bottom->Background().toImage().convertToFormat(QImage::Format_RGB32);
    const int gapStart = places[0].x + places[0].width - 1;
    for (int x = gapStart; x < places[1].x; ++x) {
      for (int y = 0; y < drawn.height(); ++y) QCOMPARE(drawn.pixel(x, y), background.pixel(x, y));
    }
    // ... while text is drawn inside the panel.
    bool inked = false;
    for (int x = places[0].x; x < gapStart && !inked; ++x) {
      for (int y = 0; y < drawn.height(); ++y) inked |= drawn.pixel(x, y) != background.pixel(x, y);
    }
    QVERIFY(inked);
    // A panel index out of range is ignored.
    w.frame->SetStatusPanelText(9, QStringLiteral("x"));
  }

  void switchingToAnotherApplicationGreysEveryFrameButKeepsMarkedOnesInactive() {
    FramedWindow first;
    FramedWindow second;
    second.window->move(750, 150);
    first.Show();
    second.Show();
    second.frame->MarkInactive();
    first.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(first.window.get()));
    QVERIFY(first.frame->LookActive());

    // Another program takes the focus.
    QProcess other;
    other.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold-focus")});
    QVERIFY(other.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(QGuiApplication::applicationState(), Qt::ApplicationInactive, 10000);
    for (TtfXPForm* frame : {first.frame, second.frame}) {
      QVERIFY(!frame->LookActive());
      QCOMPARE(frame->TitleBar()->PieceNames()[1], QStringLiteral("TOP_MID_DIS_BMP"));
      QCOMPARE(frame->CloseButton()->PictureName(), QStringLiteral("CLOSE_DIS_BMP"));
    }
    QVERIFY(first.frame->Active());
    other.kill();
    other.waitForFinished();

    // Back again: the marked frame stays inactive. (A property change first brings this
    // program's X time past the other program's focus change, so the focus request counts.)
    for (int attempt = 0; attempt < 50; ++attempt) {
      if (QGuiApplication::applicationState() == Qt::ApplicationActive) break;
      first.window->setWindowTitle(QStringLiteral("  Trimora 2 (%1)").arg(attempt));
      QTest::qWait(50);
      first.window->activateWindow();
      QTest::qWait(100);
    }
    QCOMPARE(QGuiApplication::applicationState(), Qt::ApplicationActive);
    QCOMPARE(first.frame->CloseButton()->PictureName(), QStringLiteral("CLOSE_BMP"));
    QCOMPARE(second.frame->CloseButton()->PictureName(), QStringLiteral("CLOSE_DIS_BMP"));
  }

  void hidingTheFrameLeavesAPlainWindow() {
    FramedWindow w;
    w.frame->SetTitleCaption(QStringLiteral("Formate"));
    w.Show();
    w.frame->HideFrame();
    QVERIFY(w.frame->FrameHidden());
    QVERIFY(!w.frame->isVisible());
    QVERIFY(!w.frame->ButtonPanel()->isVisible());
    QVERIFY(!w.frame->IconPanel()->isVisible());
    QCOMPARE(w.window->windowTitle(), QStringLiteral("  Formate"));
    QVERIFY(w.window->mask().isEmpty());
    w.frame->SetTitleCaption(QStringLiteral("Formatdefinitionen"));
    QCOMPARE(w.window->windowTitle(), QStringLiteral("  Formatdefinitionen"));
  }
};

// With "--hold-focus" the program is the other application of the activation test: it shows a
// window, takes the focus and waits to be ended.
int main(int argc, char** argv) {
  if (argc == 2 && QByteArray(argv[1]) == "--hold-focus") {
    QApplication app(argc, argv);
    QWidget window;
    window.setGeometry(300, 600, 200, 100);
    window.show();
    window.activateWindow();
    return app.exec();
  }
  trimora::testing::KitEnvironment environment;
  trimora::testing::Environment() = &environment;
  QApplication app(argc, argv);
  FrameTest test;
  return QTest::qExec(&test, argc, argv);
}
#include "frame_test.moc"
