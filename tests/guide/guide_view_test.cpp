// The viewer's and the help window's views, in process on the offscreen platform (where
// maximising is dependable): the frame as the viewer wants it, the place saved at every close,
// the cancel key, the Standard skin, the HTML view's links, pictures and error page.
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QtTest>
#include <memory>

#include "guide/brevio_dialog.h"
#include "guide/help/help_topics.h"
#include "guide/help/help_window.h"
#include "guide/html_view.h"
#include "help_page_titles.h"
#include "platform/settings.h"
#include "platform/version.h"
#include "ui/xp_controls.h"
#include "ui/xp_form.h"

using trimora::guide::TBrevioDialog;
using trimora::guide::THtmlView;
using trimora::guide::WindowPlace;

namespace {

const QString kHelpFolder = QStringLiteral(TRIMORA_PROGRAM_DIR "/Hilfe/");
const QString kGuide = kHelpFolder + QStringLiteral("Kurzanleitung.html");

WindowPlace StoredPlace() {
  return {trimora::ReadIntSetting("Help\\Left", -1), trimora::ReadIntSetting("Help\\Top", -1),
          trimora::ReadIntSetting("Help\\Width", -1), trimora::ReadIntSetting("Help\\Height", -1)};
}

// The local files of the pictures of the page the view shows.
QStringList PicturesOf(const THtmlView& view) {
  QStringList files;
  for (QTextBlock block = view.document()->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (format.isImageFormat())
        files << view.source().resolved(QUrl(format.toImageFormat().name())).toLocalFile();
    }
  }
  return files;
}

}  // namespace

class GuideViewTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir config_;

 private slots:
  void initTestCase() {
    trimora::SetSettingsHomeForTesting(config_.path().toStdString());
    trimora::SetMainProgramFileForTesting(TRIMORA_PROGRAM_DIR "/Trimora2");
  }
  void init() {
    QDir(config_.path()).removeRecursively();
    QDir().mkpath(config_.path());
  }

  void theViewerWearsTheSkinnedFrameAsDesigned() {
    TBrevioDialog dialog(kGuide);
    dialog.Start(false, {100, 80, 445, 310});
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("  Kurzanleitung:  Trimora 2"));
    QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(dialog.geometry(), QRect(100, 80, 445, 310));
    QCOMPARE(dialog.minimumSize(), QSize(270, 150));
    trimora::ui::TtfXPForm* frame = dialog.Frame();
    QCOMPARE(frame->objectName(), QStringLiteral("XPForm"));
    QCOMPARE(frame->TitleCaption(), QStringLiteral("Kurzanleitung:  Trimora 2"));
    QCOMPARE(frame->TitleHeight(), 32);
    QCOMPARE(frame->TitleXOffset(), 11);
    QCOMPARE(frame->TitleYOffset(), 7);
    QCOMPARE(frame->TitleFont().pixelSize(), 15);
    QVERIFY(frame->TitleFont().bold());
    QCOMPARE(frame->TitleFontColor(), QColor(Qt::white));
    QCOMPARE(frame->BottomTitleHeight(), 4);
    QCOMPARE(frame->VisibleButtons(), unsigned{trimora::ui::bbClose});
    QVERIFY(frame->Sizeable());
    QVERIFY(frame->CloseButton()->isVisible());
    QVERIFY(!frame->MaximizeButton()->isVisible());
    QCOMPARE(dialog.ContentPanel()->objectName(), QStringLiteral("ContentPanel"));
    QCOMPARE(dialog.ContentPanel()->Color(), QColor(Qt::white));
    QCOMPARE(dialog.ContentPanel()->geometry(), QRect(3, 32, 445 - 6, 310 - 32 - 4));
    QCOMPARE(dialog.Browser()->objectName(), QStringLiteral("WebBrowser"));
    QCOMPARE(dialog.Browser()->geometry(), dialog.ContentPanel()->rect());
    // The content follows the window's size.
    dialog.resize(600, 400);
    QCOMPARE(dialog.ContentPanel()->geometry(), QRect(3, 32, 594, 364));
    QVERIFY(!dialog.Browser()->ShowsErrorPage());
    QCOMPARE(dialog.Browser()->documentTitle(), QStringLiteral("Kurzanleitung"));
  }

  void everyCloseSavesTheNormalPlaceAlsoWhenMaximised() {
    struct Case {
      const char* how;
      bool maximise;
    };
    for (const Case& c :
         {Case{"close button", false}, Case{"cancel key", false}, Case{"maximised", true}}) {
      init();
      TBrevioDialog dialog(kGuide);
      dialog.Start(false, {120, 90, 500, 360});
      QVERIFY(QTest::qWaitForWindowExposed(&dialog));
      if (c.maximise) {
        // A double-click on the title maximises; the frame's own message does the work.
        QTest::mouseDClick(dialog.Frame()->TitleBar(), Qt::LeftButton, {}, QPoint(100, 15));
        QTRY_VERIFY(dialog.isMaximized());
        QTRY_VERIFY(dialog.width() > 500);
        QTest::keyClick(dialog.Browser(), Qt::Key_Escape);
      } else if (QString::fromLatin1(c.how) == QLatin1String("cancel key")) {
        QTest::keyClick(dialog.Browser(), Qt::Key_Escape);
      } else {
        dialog.Frame()->CloseButton()->click();
      }
      QVERIFY2(!dialog.isVisible(), c.how);
      QCOMPARE(StoredPlace(), (WindowPlace{120, 90, 500, 360}));
    }
  }

  void aDoubleClickOnTheTitleMaximisesAndRestores() {
    TBrevioDialog dialog(kGuide);
    dialog.Start(false, {50, 60, 445, 310});
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseDClick(dialog.Frame()->TitleBar(), Qt::LeftButton, {}, QPoint(100, 15));
    QTRY_VERIFY(dialog.isMaximized());
    QTest::mouseDClick(dialog.Frame()->TitleBar(), Qt::LeftButton, {}, QPoint(100, 15));
    QTRY_VERIFY(!dialog.isMaximized());
    QTRY_COMPARE(dialog.geometry(), QRect(50, 60, 445, 310));
  }

  void aMouseMoveWithoutButtonsResetsALeftoverResizeCursor() {
    TBrevioDialog dialog(kGuide);
    dialog.Start(false, {10, 10, 445, 310});
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QWidget* target = dialog.Browser()->viewport();
    auto move = [target](Qt::MouseButtons buttons) {
      QMouseEvent event(QEvent::MouseMove, QPointF(20, 20), target->mapToGlobal(QPointF(20, 20)),
                        Qt::NoButton, buttons, Qt::NoModifier);
      QCoreApplication::sendEvent(target, &event);
    };
    const struct {
      Qt::CursorShape shape;
      Qt::MouseButtons buttons;
      bool reset;
    } cases[] = {
        {Qt::SizeHorCursor, Qt::NoButton, true},       {Qt::SizeVerCursor, Qt::NoButton, true},
        {Qt::SizeFDiagCursor, Qt::MiddleButton, true}, {Qt::SizeBDiagCursor, Qt::LeftButton, false},
        {Qt::SizeHorCursor, Qt::RightButton, false},   {Qt::WaitCursor, Qt::NoButton, false},
    };
    for (const auto& c : cases) {
      QApplication::setOverrideCursor(c.shape);
      move(c.buttons);
      QCOMPARE(QApplication::overrideCursor() == nullptr, c.reset);
      while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
    }
  }

  void theStandardSkinGivesASystemFrameAroundTheWholeContent() {
    TBrevioDialog dialog(kGuide);
    dialog.Start(true, {100, 80, 445, 310});
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Kurzanleitung:  Trimora 2"));
    QVERIFY(!(dialog.windowFlags() & Qt::FramelessWindowHint));
    QVERIFY(dialog.Frame()->FrameHidden());
    QVERIFY(!dialog.Frame()->TitleBar()->isVisible());
    QCOMPARE(dialog.geometry(), QRect(100, 80, 445, 310));
    QCOMPARE(dialog.ContentPanel()->geometry(), dialog.rect());
    dialog.resize(500, 400);
    QCOMPARE(dialog.ContentPanel()->geometry(), QRect(0, 0, 500, 400));
    dialog.close();
    QCOMPARE(StoredPlace(), (WindowPlace{100, 80, 500, 400}));
  }

  void theGuideShowsItsPicturesAndFollowsItsLinks() {
    THtmlView view(nullptr);
    view.resize(600, 400);
    view.ShowFile(kGuide);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QStringList pictures = PicturesOf(view);
    QVERIFY(pictures.size() >= 8);
    for (const QString& file : pictures) QVERIFY2(!QImage(file).isNull(), qPrintable(file));

    // An anchor of the same page scrolls; the page stays.
    QCOMPARE(view.verticalScrollBar()->value(), 0);
    emit view.anchorClicked(QUrl(QStringLiteral("#speichern")));
    QVERIFY(view.verticalScrollBar()->value() > 0);
    QCOMPARE(view.source().toLocalFile(), kGuide);
    // A web address goes to the desktop (here: no program to open it) and never into the view.
    const QByteArray path = qgetenv("PATH");
    QTemporaryDir nothing;
    qputenv("PATH", nothing.path().toUtf8());
    emit view.anchorClicked(QUrl(QStringLiteral("https://www.trimora.de")));
    // So does a local file that is no page.
    emit view.anchorClicked(QUrl(QStringLiteral("Bilder/start.png")));
    qputenv("PATH", path);
    QCOMPARE(view.source().toLocalFile(), kGuide);
    // Another local page is opened in the view, and back again.
    emit view.anchorClicked(QUrl(QStringLiteral("Fragen.html")));
    QCOMPARE(view.source().toLocalFile(), kHelpFolder + QStringLiteral("Fragen.html"));
    QCOMPARE(view.documentTitle(), QStringLiteral("Häufig gestellte Fragen"));
    view.backward();
    QCOMPARE(view.source().toLocalFile(), kGuide);
  }

  void theContextMenuSpeaksGermanAndOffersWhatCanAct() {
    THtmlView view(nullptr);
    view.resize(600, 400);
    view.ShowFile(kHelpFolder + QStringLiteral("Inhalt.html"));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    auto states = [&view](QPoint at) {
      std::unique_ptr<QMenu> menu(view.CreateContextMenu(at));
      QStringList items;
      for (QAction* action : menu->actions()) {
        if (!action->isSeparator())
          items << action->text() + (action->isEnabled() ? QString() : QStringLiteral(" (aus)"));
      }
      return items.join(QStringLiteral(", "));
    };
    QCOMPARE(states(QPoint(300, 390)),
             QStringLiteral("Zurück (aus), Vorwärts (aus), Link-Adresse kopieren (aus), "
                            "Kopieren (aus), Alles markieren"));
    // Over a link, with a selection, after following a link.
    const QRect link = view.cursorRect(view.document()->find(QStringLiteral("Kurzanleitung")));
    view.selectAll();
    QCOMPARE(states(link.center()),
             QStringLiteral("Zurück (aus), Vorwärts (aus), Link-Adresse kopieren, Kopieren, "
                            "Alles markieren"));
    std::unique_ptr<QMenu> menu(view.CreateContextMenu(link.center()));
    menu->actions().at(3)->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(),
             kHelpFolder + QStringLiteral("Kurzanleitung.html"));
    emit view.anchorClicked(QUrl(QStringLiteral("Datei.html")));
    QVERIFY(states(QPoint(300, 390)).startsWith(QStringLiteral("Zurück, Vorwärts (aus)")));
  }

  void aMissingPageShowsTheViewsErrorPage() {
    QTemporaryDir empty;
    const QString missing = empty.filePath(QStringLiteral("Hilfe/Kurzanleitung.html"));
    TBrevioDialog dialog(missing);
    dialog.Start(false, {10, 10, 445, 310});
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(dialog.Browser()->ShowsErrorPage());
    const QString text = dialog.Browser()->toPlainText();
    QVERIFY2(text.contains(QStringLiteral("Die Seite kann nicht angezeigt werden")),
             qPrintable(text));
    QVERIFY(text.contains(missing));
    // A broken link of a page leads to the error page as well, and back to the page.
    dialog.Browser()->ShowFile(kGuide);
    QVERIFY(!dialog.Browser()->ShowsErrorPage());
    emit dialog.Browser()->anchorClicked(QUrl(QStringLiteral("Gibtesnicht.html")));
    QVERIFY(dialog.Browser()->ShowsErrorPage());
    dialog.Browser()->backward();
    QVERIFY(!dialog.Browser()->ShowsErrorPage());
  }

  void theHelpWindowShowsThePageOfEachContext() {
    trimora::help::THelpDialog dialog(kHelpFolder);
    dialog.ShowContext(60);
    dialog.Start(false);
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.size(), QSize(560, 480));
    for (const auto& [context, title] : trimora::testing::HelpPageTitles()) {
      dialog.ShowContext(context);
      QVERIFY(!dialog.Browser()->ShowsErrorPage());
      QCOMPARE(dialog.windowTitle(), QStringLiteral("  Hilfe:  ") + title);
      QCOMPARE(dialog.Frame()->TitleCaption(), QStringLiteral("Hilfe:  ") + title);
    }
    // Following a link changes the caption too.
    emit dialog.Browser()->anchorClicked(QUrl(QStringLiteral("Datei.html")));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("  Hilfe:  Menü Datei"));
    QTest::keyClick(dialog.Browser(), Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
  }
};

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  GuideViewTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "guide_view_test.moc"
