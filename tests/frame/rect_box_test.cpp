// The frame control under the pointer: drags with the real widget.
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include "frame/rect_box.h"

using trimora::DragZone;
using trimora::TFrameType;
using trimora::ThlvRectBox;

class RectBoxTest : public QObject {
  Q_OBJECT

 private:
  QWidget* image_ = nullptr;
  ThlvRectBox* frame_ = nullptr;
  ThlvRectBox* redEye_ = nullptr;

  // Pointer actions with positions in the picture view's coordinates.
  void Press(ThlvRectBox* box, QPoint at) {
    QTest::mouseMove(box, box->mapFrom(image_, at));
    QTest::mousePress(box, Qt::LeftButton, {}, box->mapFrom(image_, at));
  }
  void Move(ThlvRectBox* box, QPoint at) { QTest::mouseMove(box, box->mapFrom(image_, at)); }
  void Release(ThlvRectBox* box, QPoint at) {
    QTest::mouseRelease(box, Qt::LeftButton, {}, box->mapFrom(image_, at));
  }

 private slots:
  void init() {
    image_ = new QWidget;
    image_->resize(400, 300);
    frame_ = ThlvRectBox::MakeCropFrame(image_);
    redEye_ = ThlvRectBox::MakeRedEyeFrame(image_);
    image_->show();
    QVERIFY(QTest::qWaitForWindowExposed(image_));
  }
  void cleanup() { delete image_; }

  void aNewControlHasItsInitialValues() {
    ThlvRectBox box(nullptr);
    QCOMPARE(box.BoxSize(), 5);
    QVERIFY(box.AutoForeGround());
    QVERIFY(!box.AutoSize());
    QCOMPARE(box.FrameType(), TFrameType::ftOuter);
    QCOMPARE(box.BoxColor(), QColor(0, 0, 0));
    QCOMPARE(box.PassiveFrameColor(), QColor(128, 128, 128));
    QVERIFY(box.DrawFrame());
    QVERIFY(box.DrawBoxes());
    QVERIFY(!box.Focus());
    QCOMPARE(box.CurrentFrameColor(), QColor(0, 0, 0));
    QCOMPARE(box.Zone(), DragZone::None);
  }

  void theTwoInstancesOnThePictureView() {
    QCOMPARE(frame_->geometry(), QRect(0, 0, 320, 227));
    QCOMPARE(frame_->ActiveFrameColor(), QColor(255, 0, 0));
    QCOMPARE(frame_->Surrounding(), image_);
    QVERIFY(frame_->isVisible());
    QCOMPARE(frame_->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(redEye_->geometry(), QRect(0, 0, 33, 33));
    QCOMPARE(redEye_->FrameType(), TFrameType::ftInner);
    QCOMPARE(redEye_->BoxColor(), QColor(255, 128, 0));
    QVERIFY(!redEye_->isVisible());
  }

  void boxSizeStaysOdd() {
    frame_->SetBoxSize(1);
    QCOMPARE(frame_->BoxSize(), 5);
    frame_->SetBoxSize(51);
    QCOMPARE(frame_->BoxSize(), 5);
    frame_->SetBoxSize(8);
    QCOMPARE(frame_->BoxSize(), 9);
  }

  void sizingStopsAtThreeBoxes() {
    frame_->setGeometry(100, 100, 20, 20);
    QSignalSpy moved(frame_, &ThlvRectBox::rectMoved);
    Press(frame_, {118, 118});  // the bottom-right handle
    QCOMPARE(frame_->Zone(), DragZone::BottomRight);
    Move(frame_, {115, 115});
    QCOMPARE(frame_->geometry(), QRect(100, 100, 15, 15));
    Move(frame_, {114, 115});
    QCOMPARE(frame_->geometry(), QRect(100, 100, 15, 15));
    QCOMPARE(moved.count(), 2);  // also for the dropped change
    QSignalSpy up(frame_, &ThlvRectBox::mouseUp);
    Release(frame_, {114, 115});
    QCOMPARE(up.count(), 1);
    QCOMPARE(up.at(0).at(3).toInt(), 14);
    QVERIFY(!frame_->Dragging());
  }

  void movingFollowsAtOnceAfterTheEdge() {
    frame_->setGeometry(200, 100, 100, 60);
    Press(frame_, {250, 130});
    Move(frame_, {360, 130});
    QCOMPARE(frame_->x(), 300);
    Move(frame_, {380, 130});  // far beyond the edge
    QCOMPARE(frame_->x(), 300);
    Move(frame_, {379, 130});  // the first move back
    QCOMPARE(frame_->x(), 299);
    Move(frame_, {200, 400});
    QCOMPARE(frame_->geometry(), QRect(120, 240, 100, 60));
    Release(frame_, {200, 400});
  }

  void aPressOnTheBorderPixelStartsNoDrag() {
    frame_->setGeometry(50, 50, 100, 60);
    QSignalSpy moved(frame_, &ThlvRectBox::rectMoved);
    Press(frame_, {50, 80});
    Move(frame_, {90, 100});
    QCOMPARE(frame_->geometry(), QRect(50, 50, 100, 60));
    QCOMPARE(moved.count(), 0);
    Release(frame_, {90, 100});
  }

  void withoutHandlesTheCornerMovesTheFrame() {
    frame_->setGeometry(50, 50, 100, 60);
    frame_->SetDrawBoxes(false);
    Press(frame_, {148, 108});
    QCOMPARE(frame_->Zone(), DragZone::Move);
    Move(frame_, {158, 118});
    QCOMPARE(frame_->geometry(), QRect(60, 60, 100, 60));
    Release(frame_, {158, 118});
  }

  void aSmallFrameCannotBeMoved() {
    frame_->setGeometry(50, 50, 14, 60);
    Press(frame_, {57, 80});
    Move(frame_, {80, 80});
    QCOMPARE(frame_->geometry(), QRect(50, 50, 14, 60));
    Release(frame_, {80, 80});
  }

  void activeColourWaitsForTheFocus() {
    frame_->SetFocus(true);
    frame_->SetActiveFrameColor(QColor(0, 255, 0));
    QCOMPARE(frame_->CurrentFrameColor(), QColor(255, 0, 0));
    frame_->SetFocus(false);
    frame_->SetFocus(true);
    QCOMPARE(frame_->CurrentFrameColor(), QColor(0, 255, 0));
    frame_->SetActiveFrameColor(QColor(255, 255, 0));
    frame_->setGeometry(50, 50, 100, 60);
    Press(frame_, {100, 80});
    QCOMPARE(frame_->CurrentFrameColor(), QColor(255, 255, 0));
    Release(frame_, {100, 80});
  }

  void aPressTakesTheFocusFromTheOtherFrame() {
    frame_->setGeometry(0, 0, 200, 150);
    redEye_->setGeometry(250, 200, 33, 33);
    redEye_->show();
    frame_->SetFocus(true);
    Press(redEye_, {266, 216});
    Release(redEye_, {266, 216});
    QVERIFY(redEye_->Focus());
    QVERIFY(!frame_->Focus());
    Press(frame_, {100, 75});
    Release(frame_, {100, 75});
    QVERIFY(frame_->Focus());
    QVERIFY(!redEye_->Focus());
  }

  void paintsADashedLineAndHandlesAndStaysTransparent() {
    image_->setAutoFillBackground(true);
    QPalette pal = image_->palette();
    pal.setColor(QPalette::Window, QColor(10, 20, 30));
    image_->setPalette(pal);
    frame_->setGeometry(40, 30, 101, 61);
    frame_->SetFocus(true);
    const QImage shot = image_->grab().toImage();
    QCOMPARE(shot.pixelColor(40, 30), QColor(255, 0, 0));  // top-left handle
    QCOMPARE(shot.pixelColor(44, 34), QColor(255, 0, 0));
    QCOMPARE(shot.pixelColor(90, 30), QColor(255, 0, 0));   // top-middle handle (W div 2 - 2)
    QCOMPARE(shot.pixelColor(90, 60), QColor(10, 20, 30));  // inside: what lies below
    int red = 0, other = 0;                                 // the dashed top line
    for (int x = 50; x < 80; ++x) (shot.pixelColor(x, 30) == QColor(255, 0, 0) ? red : other)++;
    QVERIFY(red > 5);
    QVERIFY(other > 5);
    frame_->SetFocus(false);
    const QImage unfocused = image_->grab().toImage();
    QCOMPARE(unfocused.pixelColor(44, 34), QColor(10, 20, 30));  // no handles without focus
  }
};

QTEST_MAIN(RectBoxTest)
#include "rect_box_test.moc"
