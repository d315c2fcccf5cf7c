// The picture view with the crop frame driven by the frame presenter: the overlay matches the
// view pixel for pixel, and a mouse drag ends in the record.
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <cstring>

#include "fake_frame_view.h"
#include "frame/display_copy.h"
#include "frame/picture_view.h"
#include "frame/qt_frame_view.h"
#include "frame/rect_box.h"
#include "imaging/jpeg_codec.h"
#include "platform/settings.h"

using namespace trimora;

namespace {

// The window part of the view, recorded.
class TestFrameView : public ForwardingFrameView {
 public:
  TestFrameView(QWidget* panel, TPictureView* image, ThlvRectBox* frame, ThlvRectBox* redEye,
                const Picture* picture)
      : ForwardingFrameView(widgets), widgets(panel, image, frame, redEye, picture) {}
  QtFrameView widgets;
  bool PicturesListed() const override { return true; }
  void SetCommandEnabled(FrameCommand, bool) override {}
  int ShowMessageBox(const std::string& title, const std::string&, int, const std::string&, int,
                     int) override {
    titles.push_back(title);
    return 1;
  }
  void SetStatusText(int panel, const std::string& text) override {
    if (panel == 2) status = text;
  }
  std::vector<std::string> titles;
  std::string status;
};

}  // namespace

class PictureFrameViewTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir home_;
  QWidget* panel_ = nullptr;
  TPictureView* image_ = nullptr;
  ThlvRectBox* frame_ = nullptr;
  ThlvRectBox* redEye_ = nullptr;
  Picture picture_;
  FormatTables formats_;
  std::vector<CuttingRecord> records_ = testing::CuttingRecords(1, 1, 1);
  std::unique_ptr<TestFrameView> view_;
  std::unique_ptr<FramePresenter> presenter_;

  // The grabbed view as a picture buffer.
  Picture Shot() {
    const QImage shot = image_->grab().toImage().convertToFormat(QImage::Format_RGB32);
    Picture p(shot.width(), shot.height());
    for (int y = 0; y < shot.height(); ++y)
      std::memcpy(p.row(y), shot.constScanLine(y), p.stride());
    return p;
  }

 private slots:
  void init() {
    SetSettingsHomeForTesting(home_.path().toStdString());
    picture_ = DecodeJpegFile(TRIMORA_TESTDATA_DIR "/photos/plain-landscape.jpg");
    records_ = testing::CuttingRecords(1, picture_.width(), picture_.height());
    formats_ = FormatTables();
    testing::AddScalableFormat(formats_, "10 x 15", 1800, 1200, 900, 600);
    panel_ = new QWidget;
    panel_->resize(540, 405);
    image_ = new TPictureView(panel_);
    frame_ = ThlvRectBox::MakeCropFrame(image_);
    redEye_ = ThlvRectBox::MakeRedEyeFrame(image_);
    view_ = std::make_unique<TestFrameView>(panel_, image_, frame_, redEye_, &picture_);
    presenter_ = std::make_unique<FramePresenter>(*view_, formats_, records_, StoredSettings());
    QObject::connect(frame_, &ThlvRectBox::rectMoved, [this] { presenter_->frameRectMoved(); });
    QObject::connect(frame_, &ThlvRectBox::mouseUp, [this] { presenter_->frameMouseUp(); });
    panel_->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel_));
    presenter_->SetCurrentPicture(0, picture_.width(), picture_.height());
    presenter_->ResetSelection();
    presenter_->FitPictureIntoPanel(false);
    view_->RebuildDisplayCopy();
    presenter_->ApplyFormat(1, true);
  }
  void cleanup() {
    presenter_.reset();
    view_.reset();
    delete panel_;
    SetSettingsHomeForTesting("");
  }

  void theViewShowsTheComposedPicturePixelForPixel() {
    QCOMPARE(image_->width(), image_->DisplayCopy().width());
    QVERIFY(image_->HasOverlay());
    const ScreenRect frame = view_->FrameRect();
    const Picture expected = ComposeView(image_->DisplayCopy(), presenter_->MasterAlpha,
                                         kPictureBackground, frame, true);
    const Picture shown = Shot();
    QCOMPARE(shown.width(), expected.width());
    QCOMPARE(shown.height(), expected.height());
    // The frame control paints its line and handles over the view; compare the rest.
    const QRect line(frame.left, frame.top, frame.width, frame.height);
    const QRect inner = line.adjusted(6, 6, -6, -6);
    int compared = 0;
    for (int y = 0; y < shown.height(); ++y) {
      for (int x = 0; x < shown.width(); ++x) {
        if (line.contains(x, y) && !inner.contains(x, y)) continue;
        const std::uint8_t* a = shown.row(y) + x * 4;
        const std::uint8_t* b = expected.row(y) + x * 4;
        if (std::memcmp(a, b, 3) != 0) {
          QFAIL(qPrintable(QStringLiteral("pixel %1,%2 differs").arg(x).arg(y)));
        }
        ++compared;
      }
    }
    QVERIFY(compared > shown.width() * shown.height() / 2);
  }

  void aMouseDragMovesTheSelectionIntoTheRecord() {
    presenter_->Run(SelectionCommand::Minimise);
    QCOMPARE(presenter_->grid.SelH, 5);
    const QRect before = frame_->geometry();
    const QPoint grab = before.center();
    QTest::mouseMove(frame_, frame_->mapFrom(image_, grab));
    QTest::mousePress(frame_, Qt::LeftButton, {}, frame_->mapFrom(image_, grab));
    for (int i = 1; i <= 20; ++i) {
      QTest::mouseMove(frame_, frame_->mapFrom(image_, grab + QPoint(i, i)));
    }
    QTest::mouseRelease(frame_, Qt::LeftButton, {}, frame_->mapFrom(image_, grab + QPoint(20, 20)));
    QCOMPARE(records_[0].x.value_or(-1), presenter_->grid.SelX);
    QVERIFY(presenter_->grid.SelX > 0);
    QCOMPARE(frame_->geometry(),
             QRect(presenter_->grid.ScreenLeft(), presenter_->grid.ScreenTop(),
                   presenter_->grid.ScreenWidth(), presenter_->grid.ScreenHeight()));
    QVERIFY(QString::fromStdString(view_->status).startsWith(QStringLiteral("Auswahl: (")));
    // The overlay follows the frame.
    QCOMPARE(image_->OverlayRect(), view_->FrameRect());
  }

  void croppingHidesTheOutsideCompletely() {
    presenter_->Run(SelectionCommand::CropOutside);
    const Picture shown = Shot();
    const std::uint8_t* corner = shown.row(shown.height() - 1) + (shown.width() - 1) * 4;
    QCOMPARE(int(corner[0]), 0xFC);
    QCOMPARE(int(corner[1]), 0xEF);
    QCOMPARE(int(corner[2]), 0xEB);
  }
};

QTEST_MAIN(PictureFrameViewTest)
#include "picture_frame_view_test.moc"
