// The crop frame in the real main window: open a folder, move and size the frame with the
// mouse, keys and the wheel, dim the outside, change a picture's output type, mark pictures.
// Screenshots go to TRIMORA_SCREENSHOT_DIR when it is set.
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>
#include <QtTest>

#include "app/kv_main_form.h"
#include "frame/image_panel.h"
#include "frame/picture_view.h"
#include "frame/rect_box.h"
#include "imaging/jpeg_codec.h"
#include "ui/message_box.h"
#include "ui/select_folder_dialog.h"
#include "ui/xp_controls.h"

using trimora::SelectionCommand;
using trimora::ThlvRectBox;
using trimora::app::TKvMainForm;

namespace {

void Screenshot(QWidget* widget, const QString& name) {
  const QString folder = qEnvironmentVariable("TRIMORA_SCREENSHOT_DIR");
  if (folder.isEmpty()) return;
  QDir().mkpath(folder);
  QCoreApplication::processEvents();
  widget->grab().save(folder + QStringLiteral("/frame-window-") + name + QStringLiteral(".png"));
}

// Answers the modal dialogs of the crop-and-save run while `active`: the folder chooser with
// `folder`, the message box with `answer`; notes the status panel 3 text seen at each question.
struct DialogAnswerer {
  QString folder;
  int answer = 6;
  TKvMainForm* window = nullptr;
  QStringList questions;
  QStringList progressAtQuestion;
  bool active = true;

  void Arm() {
    QTimer::singleShot(20, [this] {
      if (!active) return;
      for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible()) continue;
        if (auto* chooser = qobject_cast<trimora::ui::TXPSelectFolderDialog*>(top)) {
          chooser->Edit()->setText(folder);
          QTest::mouseClick(chooser->OkButton(), Qt::LeftButton);
        } else if (auto* box = qobject_cast<trimora::ui::TXPMessageBox*>(top)) {
          questions << box->Text();
          progressAtQuestion << window->StatusPanelText(3);
          if (QPushButton* button = box->ButtonFor(answer))
            QTest::mouseClick(button, Qt::LeftButton);
          else
            box->done(answer);
        }
      }
      Arm();
    });
  }
};

QByteArray Bytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class FrameWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir config_;
  QTemporaryDir runtime_;
  QTemporaryDir pictures_;

 private slots:
  void initTestCase() {
    qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
    qputenv("XDG_RUNTIME_DIR", runtime_.path().toUtf8());
    const QString photos = QStringLiteral(TRIMORA_TESTDATA_DIR "/photos/");
    QFile::copy(photos + QStringLiteral("casio-ex-m2.jpg"),
                pictures_.filePath(QStringLiteral("a.jpg")));
    QFile::copy(photos + QStringLiteral("plain-portrait.jpg"),
                pictures_.filePath(QStringLiteral("b.jpg")));
  }

  void theMainJobOfTheFrameInTheWindow() {
    TKvMainForm window;
    window.resize(1000, 720);
    window.show();
    QTRY_VERIFY(!window.StartingUp());
    window.Presenter().Folder().OpenFolder(pictures_.path().toStdString());
    QTRY_VERIFY_WITH_TIMEOUT(
        window.Presenter().Folder().StripComplete() && !window.Presenter().Folder().ThreadRunning(),
        20000);
    QCoreApplication::processEvents();
    trimora::FolderPresenter& folder = window.Presenter().Folder();
    int a = -1;
    for (int p = 0; p < folder.ThumbnailCount(); ++p) {
      if (folder.EntryCaption(p) == "a.jpg") a = p;
    }
    QVERIFY(a >= 0);
    folder.ShowPicture(a, false);
    QCoreApplication::processEvents();

    trimora::FramePresenter& frame = window.Presenter().Frame();
    trimora::TImagePanel* panel = window.ImagePanel();
    ThlvRectBox* box = panel->Frame();
    QVERIFY(box->isVisible());
    QCOMPARE(frame.grid.BlockSize, 16);  // lossless JPEG is the preferred output
    QCOMPARE(panel->Image()->DisplayCopy().width(), panel->Image()->width());
    Screenshot(&window, QStringLiteral("1-shown"));

    // Minimise, then drag the frame by its middle with the mouse.
    frame.Run(SelectionCommand::Minimise);
    const QRect start = box->geometry();
    const QPoint grab = start.center();
    QTest::mouseMove(box, box->mapFrom(panel->Image(), grab));
    QTest::mousePress(box, Qt::LeftButton, {}, box->mapFrom(panel->Image(), grab));
    for (int i = 1; i <= 10; ++i)
      QTest::mouseMove(box, box->mapFrom(panel->Image(), grab + QPoint(8 * i, 5 * i)));
    QTest::mouseRelease(box, Qt::LeftButton, {},
                        box->mapFrom(panel->Image(), grab + QPoint(80, 50)));
    QVERIFY(box->x() > start.x());
    QVERIFY(box->y() > start.y());
    const std::vector<trimora::CuttingRecord>& records = folder.Records();
    QCOMPARE(records[a].x.value_or(-1), frame.grid.SelX);
    QCOMPARE(records[a].y.value_or(-1), frame.grid.SelY);

    // Keys through the window's keyboard map and the wheel.
    const int x = frame.grid.SelX, w = frame.grid.SelW;
    QTest::keyClick(&window, Qt::Key_Right);
    QCOMPARE(frame.grid.SelX, x + 1);
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(panel->Image(), &wheel);
    QCOMPARE(frame.grid.SelW, w + 1);
    for (int i = 0; i < 10; ++i) QTest::keyClick(&window, Qt::Key_Q);
    QCOMPARE(frame.grid.SelW, w + 11);
    QTest::keyClick(&window, Qt::Key_Space);
    QCOMPARE(frame.grid.SelX, (frame.grid.GridCols - frame.grid.SelW) / 2);
    for (int i = 0; i < 3; ++i) QTest::keyClick(&window, Qt::Key_A, Qt::AltModifier);
    QCOMPARE(frame.MasterAlpha, 60);
    const QString status = window.StatusPanelText(2);
    QVERIFY2(status.startsWith(QStringLiteral("Auswahl: (")), qPrintable(status));
    QCOMPARE(panel->Image()->OverlayRect(),
             trimora::ScreenRect({box->x(), box->y(), box->width(), box->height()}));
    Screenshot(&window, QStringLiteral("2-moved-dimmed"));

    // The output type TIF moves the picture onto pixels; JPG (verlustfrei) back onto blocks.
    const int blocksX = frame.grid.SelX;
    folder.ChooseFileType(a, 2);
    QCOMPARE(frame.grid.BlockSize, 1);
    QCOMPARE(frame.grid.SelX, blocksX * 16);
    QCOMPARE(QString::fromStdString(records[a].fileType.value_or("")), QStringLiteral("TIF"));
    QCOMPARE(records[a].saveIt.value_or(false), true);
    Screenshot(&window, QStringLiteral("3-tif"));
    // Lossy JPEG: the type button is drawn red, from the record, whatever its caption shows.
    auto* typeButton =
        window.findChild<QToolButton*>(QStringLiteral("TypeButton") + QString::number(a));
    QVERIFY(typeButton != nullptr);
    folder.ChooseFileType(a, 1);
    QCOMPARE(typeButton->text(), QStringLiteral("JPG \u25BE"));
    QCOMPARE(typeButton->property("lossy").toBool(), true);
    folder.ShowPicture(1 - a, false);
    folder.ShowPicture(a, false);
    QCOMPARE(typeButton->text(), QStringLiteral("JPG \u25BE"));
    QCOMPARE(typeButton->property("lossy").toBool(), true);
    folder.ChooseFileType(a, 0);
    QCOMPARE(frame.grid.BlockSize, 16);
    QCOMPARE(frame.grid.SelX, blocksX);
    QCOMPARE(typeButton->text(), QStringLiteral("JPG \u25BE"));
    QCOMPARE(typeButton->property("lossy").toBool(), false);

    // The next picture (portrait) gets a portrait selection; the first keeps its own.
    int b = 1 - a;
    folder.ShowPicture(b, false);
    QVERIFY2(frame.grid.SelW <= frame.grid.SelH,
             qPrintable(QStringLiteral("%1x%2 grid %3x%4 pic %5x%6 fmt %7")
                            .arg(frame.grid.SelW)
                            .arg(frame.grid.SelH)
                            .arg(frame.grid.GridCols)
                            .arg(frame.grid.GridRows)
                            .arg(frame.PictureWidth())
                            .arg(frame.PictureHeight())
                            .arg(frame.CurrentFormat().FormatID)));
    folder.MarkForSaving(true, b, false);
    folder.ShowPicture(a, false);
    QCOMPARE(frame.grid.SelX, blocksX);
    QCOMPARE(frame.grid.SelW, w + 11);
    Screenshot(&window, QStringLiteral("4-back"));

    // Ctrl+S into a destination: the chooser, then "Speichere n/m"; a second run asks before
    // replacing each file.
    QTemporaryDir dest;
    DialogAnswerer answers;
    answers.folder = dest.path();
    answers.window = &window;
    answers.Arm();
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(QDir(dest.path()).entryList(QDir::Files, QDir::Name),
             QStringList({QStringLiteral("a.JPG"), QStringLiteral("b.JPG")}));
    QCOMPARE(window.StatusPanelText(3), QStringLiteral("2 Bilder im Verz."));
    const trimora::Picture cut =
        trimora::DecodeJpegFile(dest.filePath(QStringLiteral("a.JPG")).toStdString());
    QCOMPARE(cut.width(), std::min(1600, frame.grid.SelW * 16));
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    answers.active = false;
    QCOMPARE(answers.questions.size(), 2);
    QVERIFY2(answers.progressAtQuestion.front().startsWith(QStringLiteral("Speichere 1/2")),
             qPrintable(answers.progressAtQuestion.front()));
    Screenshot(&window, QStringLiteral("5-saved"));

    // The same folder and cutting data through "trimora crop" give the same files.
    folder.WriteTableIfAny();
    QTemporaryDir dest2;
    QProcess crop;
    crop.start(QStringLiteral(TRIMORA_PROGRAM_DIR "/trimora"),
               {QStringLiteral("crop"), pictures_.path(), dest2.path(),
                QStringLiteral("--overwrite"), QStringLiteral("yes")});
    QVERIFY(crop.waitForFinished(60000));
    QCOMPARE(crop.exitCode(), 0);
    for (const QString& name : {QStringLiteral("a.JPG"), QStringLiteral("b.JPG")}) {
      const QByteArray mine = Bytes(dest.filePath(name));
      QVERIFY(!mine.isEmpty());
      QVERIFY2(mine == Bytes(dest2.filePath(name)), qPrintable(name));
    }

    // F6 turns the original losslessly and shows it again.
    QTest::keyClick(&window, Qt::Key_F6);
    QCOMPARE(folder.DisplayedPicture().width(), 1200);
    QCOMPARE(folder.DisplayedPicture().height(), 1600);
    QCOMPARE(
        trimora::ReadJpegLayout(pictures_.filePath(QStringLiteral("a.jpg")).toStdString()).width,
        1200);
    Screenshot(&window, QStringLiteral("6-rotated"));
    // Its strip entry shows the turned picture: 1200 x 1600 boxed into 56 x 75, panel 75 + 35.
    auto* entryButton =
        window.findChild<QToolButton*>(QStringLiteral("ThumbButton") + QString::number(a));
    auto* entryPanel =
        window.findChild<QWidget*>(QStringLiteral("ThumbPanel") + QString::number(a));
    QVERIFY(entryButton != nullptr && entryPanel != nullptr);
    QCOMPARE(entryButton->iconSize(), QSize(56, 75));
    QCOMPARE(entryPanel->height(), 110);
    QCOMPARE(entryButton->height(), 100);
    QTest::keyClick(&window, Qt::Key_F7);
    QCOMPARE(folder.DisplayedPicture().width(), 1600);
    QCOMPARE(entryButton->iconSize(), QSize(75, 56));
    QCOMPARE(entryPanel->height(), 91);
    window.close();
  }
};

QTEST_MAIN(FrameWindowTest)
#include "frame_window_test.moc"
