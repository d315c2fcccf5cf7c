// The crop frame on a real picture in a real window: formats, mouse drags, keys, the wheel,
// dimming and resizing, with screenshots into TRIMORA_SCREENSHOT_DIR when it is set.
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWidget>

#include "app/key_map.h"
#include "fake_frame_view.h"
#include "frame/image_panel.h"
#include "frame/picture_view.h"
#include "frame/qt_frame_view.h"
#include "frame/rect_box.h"
#include "imaging/jpeg_codec.h"
#include "platform/settings.h"

using namespace trimora;

namespace {

// The window around the panel: keys and the wheel go through the window's keyboard map to the
// frame presenter.
class Host : public QWidget, public ForwardingFrameView {
 public:
  Host(TImagePanel* panel, const Picture* picture)
      : ForwardingFrameView(widgets),
        widgets(panel, panel->Image(), panel->Frame(), panel->RedEyeFrame(), picture) {}
  QtFrameView widgets;
  FramePresenter* presenter = nullptr;
  std::string status;
  std::vector<std::string> messages;

  bool PicturesListed() const override { return true; }
  void SetCommandEnabled(FrameCommand, bool) override {}
  int ShowMessageBox(const std::string&, const std::string& text, int, const std::string&, int,
                     int) override {
    messages.push_back(text);
    return 1;
  }
  void SetStatusText(int panel, const std::string& text) override {
    if (panel == 2) status = text;
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const KeyState state{presenter->CurrentFormat().FormatID <= 0, MarkerVisible()};
    const auto id = CommandForKey(KeyPressOf(event->key(), event->modifiers()), state);
    if (!id) return;
    if (const auto command = SelectionCommandOf(*id)) presenter->Run(*command);
  }
  void wheelEvent(QWheelEvent* event) override {
    presenter->Run(*SelectionCommandOf(CommandForWheel(event->angleDelta().y())));
    event->accept();
  }
};

}  // namespace

class FrameScenarioTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir home_;
  Picture picture_;
  FormatTables formats_;
  std::vector<CuttingRecord> records_ = testing::CuttingRecords(1, 1, 1);
  std::int32_t f10x15_ = 0, fixed_ = 0;

  void Screenshot(QWidget* window, const char* name) {
    const QByteArray dir = qgetenv("TRIMORA_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    QApplication::processEvents();
    window->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/frame_%1.png").arg(name));
  }

 private slots:
  void initTestCase() {
    SetSettingsHomeForTesting(home_.path().toStdString());
    picture_ = DecodeJpegFile(TRIMORA_TESTDATA_DIR "/photos/casio-ex-m2.jpg");
    records_ = testing::CuttingRecords(1, picture_.width(), picture_.height());
    f10x15_ = testing::AddScalableFormat(formats_, "10 x 15", 1800, 1200, 900, 600);
    fixed_ = testing::AddFixedFormat(formats_, "1024 x 700", 1024, 700);
  }
  void cleanupTestCase() { SetSettingsHomeForTesting(""); }

  void theMainJobOfTheFrame() {
    auto* panel = new TImagePanel(nullptr);
    Host host(panel, &picture_);
    auto* layout = new QVBoxLayout(&host);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel);
    host.resize(720, 540);
    FramePresenter presenter(host, formats_, records_, StoredSettings());
    host.presenter = &presenter;
    panel->SetPresenter(&presenter);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    host.setFocus();

    // Showing the picture for the first time.
    presenter.SetCurrentPicture(0, picture_.width(), picture_.height());
    presenter.InitBlockSize();
    presenter.ResetSelection();
    presenter.FitPictureIntoPanel(false);
    host.RebuildDisplayCopy();
    presenter.ApplyFormat(f10x15_, true);
    QCOMPARE(presenter.grid.BlockSize, 16);
    QVERIFY(panel->Frame()->isVisible());
    QCOMPARE(panel->Image()->size(), QSize(720, 540));
    Screenshot(&host, "1_applied");

    // A drag of the frame's middle by 60 x 40 pixels, then of the bottom-right handle.
    ThlvRectBox* frame = panel->Frame();
    auto drag = [&](QPoint from, QPoint to) {
      QTest::mouseMove(frame, frame->mapFrom(panel->Image(), from));
      QTest::mousePress(frame, Qt::LeftButton, {}, frame->mapFrom(panel->Image(), from));
      for (int i = 1; i <= 10; ++i) {
        QTest::mouseMove(frame, frame->mapFrom(panel->Image(), from + (to - from) * i / 10));
      }
      QTest::mouseRelease(frame, Qt::LeftButton, {}, frame->mapFrom(panel->Image(), to));
    };
    const QRect first = frame->geometry();
    drag(first.center(), first.center() + QPoint(60, 40));
    QVERIFY(frame->x() > first.x());
    QCOMPARE(frame->geometry().size(), first.size());
    const QRect moved = frame->geometry();
    drag(moved.bottomRight() - QPoint(1, 1), moved.bottomRight() - QPoint(120, 60));
    QVERIFY(presenter.grid.SelW < 50);
    QCOMPARE(frame->geometry(),
             (QRect(presenter.grid.ScreenLeft(), presenter.grid.ScreenTop(),
                    presenter.grid.ScreenWidth(), presenter.grid.ScreenHeight())));
    QCOMPARE(panel->Image()->OverlayRect(), host.FrameRect());
    Screenshot(&host, "2_dragged");

    // Keys and the wheel.
    const int x = presenter.grid.SelX, w = presenter.grid.SelW;
    QTest::keyClick(&host, Qt::Key_Right);
    QTest::keyClick(&host, Qt::Key_Right);
    QCOMPARE(presenter.grid.SelX, x + 2);
    QTest::keyClick(&host, Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(presenter.grid.SelY + presenter.grid.SelH, presenter.grid.GridRows);
    QCOMPARE(frame->geometry().bottom(), panel->Image()->height() - 1);
    QWheelEvent towards(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton,
                        Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&host, &towards);
    QCOMPARE(presenter.grid.SelW, w + 1);
    QTest::keyClick(&host, Qt::Key_A);
    QCOMPARE(presenter.grid.SelW, w);
    QTest::keyClick(&host, Qt::Key_Space);
    Screenshot(&host, "3_keys");

    // Dimming: Alt+A three times, then everything outside hidden.
    for (int i = 0; i < 3; ++i) QTest::keyClick(&host, Qt::Key_A, Qt::AltModifier);
    QCOMPARE(presenter.MasterAlpha, 60);
    Screenshot(&host, "4_dimmed");
    QTest::keyClick(&host, Qt::Key_Minus, Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(presenter.MasterAlpha, 0);
    Screenshot(&host, "5_cropped");
    QTest::keyClick(&host, Qt::Key_Q, Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(presenter.MasterAlpha, 255);

    // A fixed format off the 16-grid: pixels, no handles, A and Q swallowed.
    QTest::keyClick(&host, Qt::Key_Q, Qt::AltModifier);  // already 255
    presenter.MasterAlpha = 105;
    panel->Image()->SetMasterAlpha(105);
    presenter.ApplyFormat(fixed_, true);
    QCOMPARE(presenter.grid.BlockSize, 1);
    QCOMPARE(presenter.grid.SelW, 1024);
    QVERIFY(!frame->DrawBoxes());
    QCOMPARE(host.messages.size(), std::size_t(1));
    QTest::keyClick(&host, Qt::Key_Q);
    QCOMPARE(presenter.grid.SelW, 1024);
    QTest::keyClick(&host, Qt::Key_Left, Qt::ControlModifier);
    QCOMPARE(presenter.grid.SelX, 0);
    Screenshot(&host, "6_fixed");

    // A smaller window: the picture and the frame follow.
    presenter.ApplyFormat(f10x15_, true);
    host.resize(500, 300);
    QTest::qWait(50);
    QCOMPARE(panel->Image()->height(), 300);
    QCOMPARE(panel->Image()->width(), 400);
    QCOMPARE(panel->Image()->x(), 50);
    QCOMPARE(frame->geometry(),
             (QRect(presenter.grid.ScreenLeft(), presenter.grid.ScreenTop(),
                    presenter.grid.ScreenWidth(), presenter.grid.ScreenHeight())));
    QCOMPARE(panel->Image()->DisplayCopy().width(), 400);
    Screenshot(&host, "7_resized");
  }
};

QTEST_MAIN(FrameScenarioTest)
#include "frame_scenario_test.moc"
