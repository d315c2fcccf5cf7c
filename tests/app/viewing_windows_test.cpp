// The magnifier, the full-screen preview and the EXIF/IPTC window in the real main window on a
// real X display: the pointer moved by the X server, real screen capture, the real settings
// store under a temporary configuration home, real pictures in temporary folders. Screenshots
// go to TRIMORA_SCREENSHOT_DIR when it is set.
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <cstring>
#include <functional>

#include "app/kv_main_form.h"
#include "fake_main_view.h"
#include "frame/display_copy.h"
#include "frame/full_screen_dialog.h"
#include "frame/image_panel.h"
#include "frame/picture_view.h"
#include "frame/rect_box.h"
#include "frame/zoom_view.h"
#include "metadata/exif_dialog.h"
#include "metadata/exif_window.h"
#include "metadata/info_text.h"
#include "platform/settings.h"
#include "ui/text_memo.h"
#include "ui/xp_controls.h"
#include "ui/xp_form.h"

using trimora::CommandId;
using trimora::ThlvZoom;
using trimora::app::TKvMainForm;

namespace {

const QString kPhotos = QStringLiteral(TRIMORA_TESTDATA_DIR "/photos/");

QString Folder() { return qEnvironmentVariable("TRIMORA_SCREENSHOT_DIR"); }

void Screenshot(QWidget* widget, const QString& name) {
  if (Folder().isEmpty()) return;
  QDir().mkpath(Folder());
  QCoreApplication::processEvents();
  widget->grab().save(Folder() + QStringLiteral("/viewing-") + name + QStringLiteral(".png"));
}

// What the screen shows where `widget` lies (the magnifier paints what it captured there).
void ScreenShot(QWidget* widget, const QString& name) {
  if (Folder().isEmpty()) return;
  QDir().mkpath(Folder());
  QCoreApplication::processEvents();
  const QRect r(widget->mapToGlobal(QPoint(0, 0)), widget->size());
  QGuiApplication::primaryScreen()
      ->grabWindow(0, r.x(), r.y(), r.width(), r.height())
      .save(Folder() + QStringLiteral("/viewing-") + name + QStringLiteral(".png"));
}

// Moves the X pointer; the program sees the move as a person's.
void PointTo(QWidget* widget, QPoint at) {
  QCursor::setPos(widget->mapToGlobal(at));
  QTest::qWait(60);
}

bool Near(QRgb a, const QColor& b) {
  return std::abs(qRed(a) - b.red()) < 24 && std::abs(qGreen(a) - b.green()) < 24 &&
         std::abs(qBlue(a) - b.blue()) < 24;
}

}  // namespace

class ViewingWindowsTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir config_;
  QTemporaryDir runtime_;
  trimora::testing::FakePrograms programs_;

  std::unique_ptr<TKvMainForm> Start() {
    auto window = std::make_unique<TKvMainForm>(nullptr, &programs_, TRIMORA_PROGRAM_DIR "/");
    window->show();
    window->activateWindow();
    [&] {
      QTRY_VERIFY(!window->StartingUp());
      QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }();
    return window;
  }
  void Open(TKvMainForm& window, QTemporaryDir& dir, const QStringList& samples) {
    for (int i = 0; i < samples.size(); ++i)
      QFile::copy(kPhotos + samples[i], dir.filePath(QStringLiteral("p%1.jpg").arg(i)));
    window.resize(1000, 700);
    window.Presenter().Folder().OpenFolder(dir.path().toStdString());
    QTRY_VERIFY_WITH_TIMEOUT(
        window.Presenter().Folder().StripComplete() && !window.Presenter().Folder().ThreadRunning(),
        20000);
    QCoreApplication::processEvents();
  }

  // What the preview shows after it opened over the first of two pictures smaller than the
  // screen (`first` is its size); it is left open.
  void InPreview(TKvMainForm& window, const QRect& screen, QSize first) {
    trimora::TFullScreenDialog* preview = window.FullScreenDialog();
    QVERIFY(preview->isVisible());
    QCOMPARE(preview->windowTitle(), QStringLiteral("Vollbild"));
    QCOMPARE(preview->geometry(), screen);
    QVERIFY(!window.Frame()->Active());
    // Smaller than the screen: 1:1, centred.
    QCOMPARE(preview->Placement(),
             QRect((screen.width() - first.width()) / 2, (screen.height() - first.height()) / 2,
                   first.width(), first.height()));
    const QStringList hints = {
        preview->Button(trimora::FullScreenAction::Previous)->toolTip(),
        preview->Button(trimora::FullScreenAction::Close)->toolTip(),
        preview->Button(trimora::FullScreenAction::Next)->toolTip(),
        preview->Button(trimora::FullScreenAction::ToggleCropped)->toolTip()};
    QCOMPARE(hints, (QStringList{QStringLiteral("Voriges Bild anzeigen [Bild auf]"),
                                 QStringLiteral("Vollbildansicht schließen [Esc]"),
                                 QStringLiteral("Nächstes Bild anzeigen [Bild ab]"),
                                 QStringLiteral("Markierten Bereich freistellen [F]")}));
    QWidget* panel = preview->findChild<QWidget*>(QStringLiteral("ZoomButtonPanel"));
    QCOMPARE(panel->geometry(), QRect(screen.width() - 3 - 98, screen.height() - 3 - 26, 98, 26));
    Screenshot(preview, QStringLiteral("full-screen"));

    // Page Down: the preview follows at once.
    QTest::keyClick(preview, Qt::Key_PageDown);
    QTRY_COMPARE(preview->Placement().size(), first.transposed());
    QCOMPARE(window.Presenter().Folder().CurrentPosition(), 1);
    // F: the marked part, at the size shown in the main window.
    const trimora::Picture& overlay = window.ImagePanel()->Image()->Overlay();
    QTest::keyClick(preview, Qt::Key_F);
    QTRY_COMPARE(preview->Placement().size(), QSize(overlay.width(), overlay.height()));
    QVERIFY(preview->Button(trimora::FullScreenAction::ToggleCropped)->isChecked());
    QCOMPARE(preview->Button(trimora::FullScreenAction::ToggleCropped)->toolTip(),
             QStringLiteral("Freistellung aufheben [F]"));
    Screenshot(preview, QStringLiteral("full-screen-marked"));
    // Back to the whole picture with the button.
    preview->Button(trimora::FullScreenAction::ToggleCropped)->click();
    QTRY_COMPARE(preview->Placement().size(), first.transposed());
    QVERIFY(!preview->Button(trimora::FullScreenAction::ToggleCropped)->isChecked());
  }

 private slots:
  void initTestCase() {
    qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
    qputenv("XDG_RUNTIME_DIR", runtime_.path().toUtf8());
  }

  void init() {
    QDir(config_.path()).removeRecursively();
    QDir().mkpath(config_.path());
    trimora::WriteIntSetting("Height", 600);  // not the first run
  }

  void theMagnifierFollowsThePointerAndShowsTheFrameEdgeEnlarged() {
    auto window = Start();
    QTemporaryDir pictures;
    Open(*window, pictures,
         {QStringLiteral("plain-landscape.jpg"), QStringLiteral("canon-ixus.jpg")});
    ThlvZoom* zoom = window->Magnifier();
    QVERIFY(!zoom->isVisible());
    QCOMPARE(zoom->geometry(), QRect(4, 4, 197, 197));
    QCOMPARE(window->ZoomPanel()->size(), QSize(205, 205));

    // Over the left edge of the crop frame.
    trimora::ThlvRectBox* frame = window->ImagePanel()->Frame();
    QVERIFY(frame->isVisible());
    const QPoint edge(frame->x(), frame->y() + frame->height() / 2);
    QWidget* image = window->ImagePanel()->Image();
    PointTo(image, edge);
    QTRY_VERIFY(zoom->isVisible());
    QVERIFY(zoom->Active());
    QTRY_VERIFY(zoom->Captures() > 0);
    const QPoint global = image->mapToGlobal(edge);
    QTRY_COMPARE(zoom->CapturedRect(), QRect(global - QPoint(49, 49), QSize(98, 98)));
    // The frame's line runs down the middle of the magnified picture.
    const QColor line = frame->CurrentFrameColor();
    const QImage shot = zoom->Captured();
    int onLine = 0;
    for (int y = 0; y < shot.height(); ++y) onLine += Near(shot.pixel(49, y), line) ? 1 : 0;
    QVERIFY2(onLine > shot.height() / 3, qPrintable(QString::number(onLine)));  // dashed
    ScreenShot(window.get(), QStringLiteral("magnifier"));
    ScreenShot(window->ZoomPanel(), QStringLiteral("magnifier-panel"));

    // At rest nothing is captured; a keyboard move of the frame shows at once.
    QTRY_VERIFY(!zoom->Polling());
    const int resting = zoom->Captures();
    QTest::qWait(200);
    QCOMPARE(zoom->Captures(), resting);
    // One size step smaller, then one step to the right: the left edge moves.
    QTest::keyClick(window.get(), Qt::Key_Slash, Qt::KeypadModifier);
    QTRY_VERIFY(zoom->Captures() > resting);
    QTest::keyClick(window.get(), Qt::Key_Right);
    QTRY_VERIFY(zoom->Captures() > resting + 1);
    QTRY_VERIFY(!zoom->Polling());
    int onLineAfter = 0;
    for (int y = 0; y < zoom->Captured().height(); ++y)
      onLineAfter += Near(zoom->Captured().pixel(49, y), line) ? 1 : 0;
    QVERIFY2(onLineAfter < onLine / 3, "the frame's edge moved away from under the pointer");

    // Over a tool bar it goes off, over the strip and the picture it comes back.
    QToolBar* band = window->Band(1);
    PointTo(band, QPoint(band->width() / 2, band->height() / 2));
    QTRY_VERIFY(!zoom->isVisible());
    QVERIFY(!zoom->Active());
    auto* entry = window->findChild<QToolButton*>(QStringLiteral("ThumbButton1"));
    PointTo(entry, QPoint(entry->width() / 2, entry->height() / 2));
    QTRY_VERIFY(zoom->isVisible());
    PointTo(window->findChild<QWidget*>(QStringLiteral("ZoomButtonPanel")), QPoint(3, 3));
    QTRY_VERIFY(!zoom->isVisible());
    PointTo(image, QPoint(20, 20));
    QTRY_VERIFY(zoom->isVisible());

    // Near the top-left corner of the screen the captured area stays on the screen.
    window->move(0, 0);
    QTest::qWait(100);
    PointTo(image, QPoint(2, 2));
    QTRY_VERIFY(zoom->CapturedRect().contains(image->mapToGlobal(QPoint(2, 2))));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QVERIFY(screen.contains(zoom->CapturedRect()));

    // The zoom buttons: "Zoom vergrößern" four times reaches 5 and disables itself.
    auto* zoomIn = window->findChild<QToolButton*>(QStringLiteral("ZoomInButton"));
    auto* zoomOut = window->findChild<QToolButton*>(QStringLiteral("ZoomOutButton"));
    for (int i = 0; i < 5; ++i) zoomIn->click();
    QCOMPARE(zoom->ZoomLevel(), 5);
    QVERIFY(!zoomIn->isEnabled());
    QVERIFY(zoomOut->isEnabled());
    PointTo(image, QPoint(60, 60));
    QTRY_COMPARE(zoom->CapturedRect().size(), QSize(8, 8));
    ScreenShot(window->ZoomPanel(), QStringLiteral("magnifier-level-5"));
    zoomOut->click();
    QCOMPARE(zoom->ZoomLevel(), 15);
    window->close();
    QCOMPARE(trimora::ReadIntSetting("ZoomLevel", 0), 15);
    QCOMPARE(trimora::ReadBoolSetting("ZoomActive", false), true);
  }

  void pausingShrinksThePanelAndTheFolderPanelTakesTheRoomAndGivesItBack() {
    auto window = Start();
    QWidget* dir = window->DirPanel();
    const QRect before = dir->geometry();
    auto* pause = window->findChild<QToolButton*>(QStringLiteral("ZoomPauseButton"));
    auto* label = window->findChild<QLabel*>(QStringLiteral("ZoomLabel"));
    QAction* item = window->findChild<QAction*>(QStringLiteral("Zoomdeaktivieren1"));
    QVERIFY(item);
    QCOMPARE(item->text(), QStringLiteral("Zoom deaktivieren\tStrg+Z"));

    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    QCoreApplication::processEvents();
    QTRY_COMPARE(dir->geometry(), before.adjusted(0, -164, 0, 0));
    QCOMPARE(window->ZoomPanel()->height(), 41);
    QVERIFY(label->isVisible());
    QCOMPARE(label->text(), QStringLiteral("Zoom deaktiviert"));
    QVERIFY(!window->Magnifier()->isVisible());
    QVERIFY(pause->isChecked());
    QCOMPARE(pause->toolTip(), QStringLiteral("Zoom aktivieren"));
    QCOMPARE(item->text(), QStringLiteral("Zoom aktivieren\tStrg+Z"));
    // The label and the buttons fit the small panel.
    QVERIFY(window->ZoomPanel()->rect().contains(label->geometry()));
    QVERIFY(!label->geometry().intersects(
        window->findChild<QWidget*>(QStringLiteral("ZoomButtonPanel"))->geometry()));
    Screenshot(window.get(), QStringLiteral("paused"));

    // Paused, the pointer over the picture changes nothing.
    PointTo(window->ImagePanel(), QPoint(50, 50));
    QTest::qWait(100);
    QVERIFY(!window->Magnifier()->isVisible());

    pause->click();
    QTRY_COMPARE(dir->geometry(), before);
    QVERIFY(!label->isVisible());
    QVERIFY(window->Magnifier()->isVisible());
    QVERIFY(!pause->isChecked());
    QCOMPARE(pause->toolTip(), QStringLiteral("Zoom deaktivieren"));
    item->trigger();
    QTRY_COMPARE(dir->geometry(), before.adjusted(0, -164, 0, 0));
    window->close();
    QCOMPARE(trimora::ReadBoolSetting("ZoomActive", true), false);

    // The next start is paused.
    auto again = Start();
    QTRY_COMPARE(again->ZoomPanel()->height(), 41);
    QVERIFY(again->findChild<QToolButton*>(QStringLiteral("ZoomPauseButton"))->isChecked());
    again->close();
  }

  void theFullScreenPreviewPagesAndShowsTheMarkedPart() {
    auto window = Start();
    QTemporaryDir pictures;
    Open(*window, pictures,
         {QStringLiteral("plain-landscape.jpg"), QStringLiteral("plain-portrait.jpg")});
    trimora::TFullScreenDialog* preview = window->FullScreenDialog();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const trimora::FolderPresenter& folder = window->Presenter().Folder();
    const QSize first(folder.DisplayedPicture().width(), folder.DisplayedPicture().height());
    // The pointer rests over the middle of the picture (of either): the magnifier runs.
    PointTo(window->ImagePanel(), window->ImagePanel()->rect().center());
    QTRY_VERIFY(window->Magnifier()->isVisible());
    bool ran = false;
    QTimer::singleShot(300, [&] {
      ran = true;
      QVERIFY2(!window->Magnifier()->isVisible(), "off while the preview covers the picture");
      InPreview(*window, screen, first);
      // However the checks end, the preview closes.
      if (preview->isVisible()) preview->Button(trimora::FullScreenAction::Close)->click();
    });
    QTest::keyClick(window.get(), Qt::Key_F11);
    QVERIFY(ran);
    QVERIFY(!preview->isVisible());
    QVERIFY2(preview->Shown().isNull(), "the copy is emptied");
    QVERIFY(window->Frame()->Active());
    // Back over the picture without a move of the pointer, the magnifier runs again.
    QTRY_VERIFY(window->Magnifier()->isVisible());
    QTRY_VERIFY(window->Magnifier()->Active());

    // The menu item opens it too; Space, Enter and Esc close it.
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape, Qt::Key_F11}) {
      bool closed = false;
      QTimer::singleShot(200, [&, key] {
        closed = preview->isVisible();
        QTest::keyClick(preview, key);
        if (preview->isVisible()) preview->reject();
      });
      window->findChild<QAction*>(QStringLiteral("Vollbild1"))->trigger();
      QVERIFY(closed);
      QVERIFY(!preview->isVisible());
    }
    window->close();
  }

  void aPictureLargerThanTheScreenIsShownScaledToFitOnBlack() {
    // Two pictures of the same size, larger than the screen, with different content: the second
    // showing reuses the copy's memory and must still show its own picture.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QTemporaryDir pictures;
    for (int i = 0; i < 2; ++i) {
      QImage big(screen.width() * 2 + 37, screen.height() * 2 + 11, QImage::Format_RGB32);
      for (int y = 0; y < big.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(big.scanLine(y));
        for (int x = 0; x < big.width(); ++x)
          line[x] = qRgb((x * 7 + i * 90) & 255, (y * 5) & 255, ((x + y) / 3 + i * 40) & 255);
      }
      QVERIFY(big.save(pictures.filePath(QStringLiteral("big%1.jpg").arg(i)), "JPG", 90));
    }
    auto window = Start();
    Open(*window, pictures, {});
    trimora::TFullScreenDialog* preview = window->FullScreenDialog();
    const trimora::FolderPresenter& folder = window->Presenter().Folder();
    // What the preview must show of the picture on show: ScaleToView at the fitted size, centred
    // on black.
    const auto checkShown = [&] {
      const trimora::Picture& picture = folder.DisplayedPicture();
      const trimora::ScreenRect fit = trimora::FullScreenPlacement(
          picture.width(), picture.height(), screen.width(), screen.height());
      QCOMPARE(preview->Placement(), QRect(fit.left, fit.top, fit.width, fit.height));
      QVERIFY(fit.width < picture.width());
      const trimora::Picture expected = trimora::ScaleToView(picture, fit.width, fit.height);
      const QImage& shown = preview->Shown();
      QCOMPARE(shown.size(), QSize(fit.width, fit.height));
      for (int y = 0; y < fit.height; ++y) {
        QVERIFY2(std::memcmp(shown.constScanLine(y), expected.row(y), expected.stride()) == 0,
                 qPrintable(QStringLiteral("row %1").arg(y)));
      }
      const QImage painted = preview->grab().toImage();
      QCOMPARE(painted.pixel(fit.left + fit.width / 2, fit.top + fit.height / 2) & 0xFFFFFF,
               shown.pixel(fit.width / 2, fit.height / 2) & 0xFFFFFF);
      QCOMPARE(painted.pixel(fit.left + 3, fit.top + 2) & 0xFFFFFF, shown.pixel(3, 2) & 0xFFFFFF);
      if (fit.top > 0) QCOMPARE(painted.pixel(screen.width() / 2, 0) & 0xFFFFFF, 0u);
      if (fit.left > 0) QCOMPARE(painted.pixel(0, screen.height() / 2) & 0xFFFFFF, 0u);
    };
    for (int opening = 0; opening < 2; ++opening) {
      bool ran = false;
      QTimer::singleShot(200, [&] {
        ran = true;
        checkShown();
        // Paging shows the other picture in the same memory.
        QTest::keyClick(preview, opening == 0 ? Qt::Key_PageDown : Qt::Key_PageUp);
        QTRY_COMPARE(folder.CurrentPosition(), opening == 0 ? 1 : 0);
        QTest::qWait(100);
        checkShown();
        if (preview->isVisible()) preview->Button(trimora::FullScreenAction::Close)->click();
      });
      QTest::keyClick(window.get(), Qt::Key_F11);
      QVERIFY(ran);
      QVERIFY(!preview->isVisible());
      QVERIFY(preview->Shown().isNull());
    }
    window->close();
  }

  void theExifWindowShowsTheDataOfTheShownPictureAndComesBackAtItsPlace() {
    const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
    QRect moved;
    {
      auto window = Start();
      trimora::metadata::TEXIFDialog* exif = window->ExifDialog();
      QVERIFY(!exif->isVisible());
      QTemporaryDir pictures;
      Open(*window, pictures,
           {QStringLiteral("canon-ixus.jpg"), QStringLiteral("plain-landscape.jpg")});
      QTest::keyClick(window.get(), Qt::Key_I, Qt::ControlModifier);
      QTRY_VERIFY(exif->isVisible());
      // Shown by a command it comes to the front with the keyboard, and the looks swap.
      QTRY_VERIFY(exif->isActiveWindow());
      QTRY_VERIFY(exif->Frame()->Active() && !window->Frame()->Active());
      QCOMPARE(exif->geometry(),
               QRect((desktop.width() - 445) / 2, (desktop.height() - 325) / 2, 445, 325));
      QCOMPARE(exif->Frame()->TitleCaption(), QStringLiteral("EXIF/IPTC-Informationen"));
      QCOMPARE(exif->Frame()->TitleHeight(), 25);
      QCOMPARE(exif->minimumSize(), QSize(210, 80));
      trimora::ui::TTextMemo* memo = exif->Memo();
      QCOMPARE(memo->font().pixelSize(), 13);
      QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
      QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
      const auto shown = [](const std::string& path) {
        return QString::fromStdString(
                   trimora::metadata::DisplayText(trimora::metadata::BuildInfoText(path)))
            .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
      };
      const std::string first = window->Presenter().Folder().CurrentFile();
      QCOMPARE(memo->Text() + QStringLiteral("\n"), shown(first));
      QCOMPARE(memo->FirstVisibleLine(), 0);
      Screenshot(exif, QStringLiteral("exif"));

      // It follows the pictures; the context menu shows it too.
      QTest::keyClick(window.get(), Qt::Key_PageDown);
      QTRY_COMPARE(memo->Text() + QStringLiteral("\n"),
                   shown(window->Presenter().Folder().CurrentFile()));
      Screenshot(exif, QStringLiteral("exif-no-data"));
      QTest::keyClick(memo, Qt::Key_Escape);
      QTRY_VERIFY(!exif->isVisible());
      // The toolkit settles where the keyboard went with the hidden window (without a window
      // manager it waits a moment for the focus to come back).
      QTest::qWait(800);
      QTest::keyClick(window.get(), Qt::Key_PageUp);
      auto* context = window->findChild<QMenu*>(QStringLiteral("PictureMenu"));
      // A person's pointer moves before the click (the X server takes focus requests stamped
      // with the time of the program's last input).
      PointTo(window->ImagePanel(), window->ImagePanel()->rect().center());
      context->actions().front()->trigger();
      QTRY_VERIFY(exif->isVisible());
      QCOMPARE(memo->Text() + QStringLiteral("\n"), shown(first));

      // Activation swaps the active look between the two windows.
      QTRY_VERIFY(exif->isActiveWindow());
      QTRY_VERIFY(exif->Frame()->Active() && !window->Frame()->Active());
      PointTo(window.get(), QPoint(400, 10));
      window->activateWindow();
      QTRY_VERIFY(window->isActiveWindow());
      QTRY_VERIFY(!exif->Frame()->Active() && window->Frame()->Active());

      // The close button hides it; shown again, moved and closed with the program.
      exif->Frame()->CloseButton()->click();
      QTRY_VERIFY(!exif->isVisible());
      window->findChild<QAction*>(QStringLiteral("EXIFIPTCInformationen1"))->trigger();
      QTRY_VERIFY(exif->isVisible());
      moved = QRect(40, 60, 500, 380);
      exif->setGeometry(moved);
      QCoreApplication::processEvents();
      window->close();
    }
    QCOMPARE(trimora::ReadIntSetting("EXIF\\Left", 0), moved.x());
    QCOMPARE(trimora::ReadIntSetting("EXIF\\Width", 0), moved.width());
    QCOMPARE(trimora::ReadBoolSetting("EXIF\\Visible", false), true);

    auto again = Start();
    trimora::metadata::TEXIFDialog* exif = again->ExifDialog();
    QTRY_VERIFY(exif->isVisible());
    QCOMPARE(exif->geometry(), moved);
    QVERIFY(exif->Memo()->Text().isEmpty());
    // Its look is active only while it is the active window.
    QCOMPARE(exif->Frame()->Active(), exif->isActiveWindow());
    QVERIFY(!Enabled(*again, CommandId::ExifInfo));
    again->close();
    QCOMPARE(trimora::ReadBoolSetting("EXIF\\Visible", false), true);
  }

 private:
  static bool Enabled(TKvMainForm& window, CommandId id) {
    return window.Actions(id).front()->isEnabled();
  }
};

QTEST_MAIN(ViewingWindowsTest)
#include "viewing_windows_test.moc"
