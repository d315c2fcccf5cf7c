// The correction commands, the format chooser, help on menu items and the about box in the
// real main window: keys as a person presses them, the notes and boxes that come up, the
// pressed buttons, the chooser below its button, the check marks of the format menus; help
// reaches an open help window over the real class socket. Screenshots go to
// TRIMORA_SCREENSHOT_DIR when it is set.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <cstring>

#include "app/info_dialog.h"
#include "app/kv_main_form.h"
#include "fake_main_view.h"
#include "frame/display_copy.h"
#include "frame/image_panel.h"
#include "frame/picture_view.h"
#include "frame/rect_box.h"
#include "imaging/correction.h"
#include "main_window_test_support.h"
#include "platform/class_listener.h"
#include "platform/settings.h"
#include "platform/version.h"
#include "ui/xp_form.h"

using trimora::CommandId;
using trimora::app::TKvMainForm;
using trimora::testing::Enabled;

namespace {

const QString kPhotos = QStringLiteral(TRIMORA_TESTDATA_DIR "/photos/");

using trimora::testing::ShotFolder;

void Screenshot(QWidget* widget, const QString& name) {
  trimora::testing::Screenshot(widget, QStringLiteral("corrections"), name);
}

// The screen around `widget`'s window, popups included.
void ScreenShot(QWidget* window, const QString& name) {
  if (ShotFolder().isEmpty()) return;
  QDir().mkpath(ShotFolder());
  QCoreApplication::processEvents();
  const QRect area = window->frameGeometry().adjusted(-20, -20, 260, 260);
  QGuiApplication::primaryScreen()
      ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
      .save(ShotFolder() + QStringLiteral("/corrections-") + name + QStringLiteral(".png"));
}

// Answers the next modal box after it came up: keeps its texts, takes a screenshot, presses
// its default button (or closes it).
class BoxAnswer {
 public:
  explicit BoxAnswer(const QString& shot) {
    QTimer::singleShot(250, [this, shot] {
      QWidget* box = QApplication::activeModalWidget();
      if (box == nullptr) return;
      title = box->windowTitle();
      for (QLabel* label : box->findChildren<QLabel*>()) {
        if (label->isVisible()) texts << label->text();
      }
      Screenshot(box, shot);
      for (QPushButton* button : box->findChildren<QPushButton*>()) {
        if (button->isVisible() && button->isDefault()) {
          button->click();
          return;
        }
      }
      box->close();
    });
  }
  QString title;
  QStringList texts;
};

// The programs beside the main program: present, and the real class sockets of the platform.
class SocketPrograms : public trimora::testing::FakePrograms {
 public:
  bool ClassOpen(const std::string& className) const override { return real_.ClassOpen(className); }
  void Post(const std::string& className, std::uint32_t number, std::int64_t parameter) override {
    real_.Post(className, number, parameter);
  }

 private:
  trimora::PlatformPrograms real_;
};

}  // namespace

class CorrectionsWindowTest : public QObject {
  Q_OBJECT

 private:
  trimora::testing::PrivateHome home_;
  SocketPrograms programs_;

  std::unique_ptr<TKvMainForm> Start() {
    programs_.present = {trimora::kHelpProgram, trimora::kGuideProgram};
    trimora::WriteIntSetting("Height", 600);  // not the first run: no guide viewer
    auto window = std::make_unique<TKvMainForm>(nullptr, &programs_, TRIMORA_PROGRAM_DIR "/");
    window->show();
    window->resize(1100, 800);
    [&] { QTRY_VERIFY(!window->StartingUp()); }();
    return window;
  }
  static void OpenFolder(TKvMainForm& window, const QString& folder) {
    window.Presenter().Folder().OpenFolder(folder.toStdString());
    trimora::testing::WaitForStrip(window);
  }
  static QToolButton* Button(TKvMainForm& window, const char* name) {
    return window.findChild<QToolButton*>(QString::fromUtf8(name));
  }
  static const trimora::CuttingRecord& Record(TKvMainForm& window) {
    return *window.Presenter().Folder().CurrentRecord();
  }

 private slots:
  void initTestCase() { home_.Use(); }
  void init() { home_.ClearSettings(); }

  void theCorrectionCommandsOnThePictureOnScreen() {
    QTemporaryDir pictures;
    for (const char* name : {"a.jpg", "b.jpg"})
      QFile::copy(kPhotos + QStringLiteral("casio-ex-m2.jpg"),
                  pictures.filePath(QString::fromUtf8(name)));
    auto window = Start();
    OpenFolder(*window, pictures.path());
    QToolButton* format = Button(*window, "FormatButton");
    QCOMPARE(format->text(), QStringLiteral("   10 x 15   "));
    QVERIFY(format->isEnabled());
    Screenshot(window.get(), QStringLiteral("shown"));

    // F3: the note, then the marker with its handles instead of the crop frame.
    trimora::ThlvRectBox* marker = window->ImagePanel()->RedEyeFrame();
    trimora::ThlvRectBox* frame = window->ImagePanel()->Frame();
    {
      BoxAnswer note(QStringLiteral("redeye-note"));
      QTest::keyClick(window.get(), Qt::Key_F3);
      QVERIFY2(note.texts.join(QLatin1Char(' ')).contains(QStringLiteral("RETURN")),
               qPrintable(note.texts.join(QLatin1Char('|'))));
      QVERIFY(note.title.contains(QStringLiteral("Information")));
    }
    QVERIFY(marker->isVisible());
    QVERIFY(marker->Focus());
    QVERIFY(!frame->isVisible());
    QCOMPARE(window->StatusPanelText(0), QStringLiteral("RETURN = Filtern, ESC = Abbrechen"));
    QCOMPARE(window->ImagePanel()->Image()->MasterAlpha(), 255);
    // The move keys move the marker.
    const QPoint start = marker->pos();
    for (int i = 0; i < 5; ++i) QTest::keyClick(window.get(), Qt::Key_Right);
    QCOMPARE(marker->pos(), start + QPoint(5, 0));
    Screenshot(window.get(), QStringLiteral("redeye-marker"));
    Screenshot(window->ImagePanel(), QStringLiteral("redeye-marker-panel"));

    // Return: filtered and recorded; the lossless note; the crop frame back.
    {
      BoxAnswer note(QStringLiteral("lossless-note"));
      QTest::keyClick(window.get(), Qt::Key_Return);
      QVERIFY(note.texts.join(QLatin1Char(' ')).contains(QStringLiteral("nicht mehr verlustfrei")));
    }
    QVERIFY(!marker->isVisible());
    QVERIFY(frame->isVisible());
    QVERIFY(!Record(*window).redEyeCoords.value_or("").empty());
    QVERIFY(Enabled(*window, CommandId::RedEyeRemove));
    QCOMPARE(window->StatusPanelText(0), pictures.path());
    QCOMPARE(window->ImagePanel()->Image()->MasterAlpha(), 105);
    auto* type = window->findChild<QToolButton*>(
        QStringLiteral("TypeButton%1").arg(window->Presenter().Folder().CurrentPosition()));
    QVERIFY(type->property("lossy").toBool());
    Screenshot(window.get(), QStringLiteral("redeye-filtered"));

    // F4: the correction; "Korrigieren" stays down while it is applied.
    QToolButton* correct = Button(*window, "CorrectionButton");
    trimora::Picture corrected = window->Presenter().Folder().DisplayedPicture().clone();
    trimora::AutoCorrectPicture(corrected);
    QTest::keyClick(window.get(), Qt::Key_F4);
    QVERIFY(correct->isChecked());
    {
      // The picture on show is the corrected one to the byte; the view's display copy, made in
      // the correction's last pass, and its overlay are those of the corrected picture.
      auto same = [](const trimora::Picture& a, const trimora::Picture& b) {
        return a.width() == b.width() && a.height() == b.height() &&
               std::memcmp(a.data(), b.data(), a.byteCount()) == 0;
      };
      QVERIFY(same(window->Presenter().Folder().DisplayedPicture(), corrected));
      const trimora::TPictureView* image = window->ImagePanel()->Image();
      const trimora::Picture display =
          trimora::ScaleToView(corrected, image->width(), image->height());
      QVERIFY(!display.empty());
      QVERIFY(same(image->DisplayCopy(), display));
      trimora::Picture overlay;
      trimora::CutOverlay(display, image->OverlayRect(), trimora::kPictureBackground, overlay);
      QVERIFY(image->HasOverlay());
      QVERIFY(same(image->Overlay(), overlay));
    }
    QVERIFY(Record(*window).autoCorrection.value_or(false));
    QVERIFY(!Enabled(*window, CommandId::AutoCorrect));
    QVERIFY(Enabled(*window, CommandId::AutoCorrectUndo));

    // F5: the stripes; "Erweitern" down, no crop frame, the status panels.
    QToolButton* enlarge = Button(*window, "EnlargeButton");
    QTest::keyClick(window.get(), Qt::Key_F5);
    QVERIFY(enlarge->isChecked());
    QVERIFY(!frame->isVisible());
    const trimora::Picture& shown = window->Presenter().Folder().DisplayedPicture();
    QVERIFY(shown.width() > 1600 && shown.height() == 1200);  // stripes left and right
    const QString size = QStringLiteral("%1x%2").arg(shown.width()).arg(shown.height());
    QCOMPARE(window->StatusPanelText(1), QStringLiteral("Bild: (") + size + QLatin1Char(')'));
    QCOMPARE(window->StatusPanelText(2),
             QStringLiteral("Auswahl: (1,1) (") + size + QLatin1Char(')'));
    const QSize view = window->ImagePanel()->Image()->size();
    QVERIFY2(std::abs(view.width() * 1200.0 / view.height() - shown.width()) < 4,
             "the view fits the enlarged picture");
    Screenshot(window.get(), QStringLiteral("corrected-enlarged"));
    // A click on the pressed button takes the stripes off, a second puts them on again.
    QTest::mouseClick(enlarge, Qt::LeftButton);
    QVERIFY(!enlarge->isChecked());
    QCOMPARE(window->StatusPanelText(1), QStringLiteral("Bild: (1600x1200)"));
    QTest::mouseClick(enlarge, Qt::LeftButton);
    QVERIFY(enlarge->isChecked());

    // F2: the chooser just below the format button; an entry gives the picture its format and
    // stripes for it.
    QTest::keyClick(window.get(), Qt::Key_F2);
    QMenu* popup = window->Menu(trimora::MenuId::FormatChooser);
    QTRY_VERIFY(popup->isVisible());
    QCOMPARE(popup->pos(), format->mapToGlobal(QPoint(0, format->height() - 1)));
    QAction* checked = nullptr;
    QAction* other = nullptr;
    for (QAction* a : popup->actions()) {
      if (a->isChecked()) checked = a;
      if (!a->isSeparator() && a->data().toInt() > 1 && other == nullptr) other = a;
    }
    QVERIFY(checked && checked->data().toInt() == 1);
    QVERIFY(other);
    ScreenShot(window.get(), QStringLiteral("format-popup"));
    popup->setActiveAction(other);
    QTest::keyClick(popup, Qt::Key_Return);
    QTRY_VERIFY(!popup->isVisible());
    QCOMPARE(Record(*window).formatId, other->data().toInt());
    QVERIFY(other->isChecked());
    QVERIFY(enlarge->isChecked());
    QCOMPARE(format->text().trimmed(), other->text());
    Screenshot(window.get(), QStringLiteral("other-format"));

    // A right click on "Thumbnails anzeigen" opens the chooser at the pointer.
    QCheckBox* thumbs = window->ThumbsCheckBox();
    QTest::mouseMove(thumbs, QPoint(10, 5));
    QMetaObject::invokeMethod(thumbs, "customContextMenuRequested", Q_ARG(QPoint, QPoint(10, 5)));
    QTRY_VERIFY(popup->isVisible());
    popup->close();

    // Taking everything back, from the keys.
    QTest::keyClick(window.get(), Qt::Key_F5, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_F4, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_F3, Qt::ControlModifier);
    QVERIFY(!enlarge->isChecked());
    QVERIFY(!correct->isChecked());
    QVERIFY(!Enabled(*window, CommandId::RedEyeRemove));
    QVERIFY(frame->isVisible());
    QVERIFY(!type->property("lossy").toBool());
    window->close();
  }

  void theDefaultFormatSubmenuCarriesItsCheckMark() {
    auto window = Start();
    QMenu* defaults = window->Menu(trimora::MenuId::DefaultFormat);
    QList<QAction*> formats;
    for (QAction* a : defaults->actions()) {
      if (!a->isSeparator()) formats << a;
    }
    QVERIFY(formats.size() > 2);
    formats.at(2)->trigger();
    QCOMPARE(trimora::ReadIntSetting("FormatID", 0), 0);  // written when the window closes
    int checkedCount = 0;
    for (QAction* a : formats) checkedCount += a->isChecked();
    QCOMPARE(checkedCount, 1);
    QVERIFY(formats.at(2)->isChecked());
    // With no picture listed the chooser follows.
    QCOMPARE(Button(*window, "FormatButton")->text().trimmed(), formats.at(2)->text());
    auto* menu = window->Menu(trimora::MenuId::Formats);
    menu->popup(window->mapToGlobal(QPoint(300, 60)));
    QTest::qWait(150);
    defaults->popup(menu->geometry().topRight() + QPoint(0, 30));
    QTest::qWait(150);
    ScreenShot(window.get(), QStringLiteral("default-formats"));
    defaults->close();
    menu->close();
    window->close();
    QCOMPARE(trimora::ReadIntSetting("FormatID", 0), formats.at(2)->data().toInt());
  }

  void f1OnAHighlightedMenuItemReachesTheOpenHelpWindow() {
    trimora::ClassListener help;
    QVERIFY(help.Listen(trimora::kHelpWindowClass));
    QList<QPair<quint32, qint64>> received;
    connect(&help, &trimora::ClassListener::MessageReceived,
            [&](quint32 number, qint64 parameter) { received << qMakePair(number, parameter); });
    auto window = Start();
    struct Case {
      trimora::MenuId menu;
      qint64 context;
    };
    for (const Case& c : {Case{trimora::MenuId::File, 40}, Case{trimora::MenuId::Size, 60},
                          Case{trimora::MenuId::Help, 80}}) {
      received.clear();
      QMenu* menu = window->Menu(c.menu);
      menu->popup(window->mapToGlobal(QPoint(20, 60)));
      QTRY_VERIFY(menu->isVisible());
      menu->setActiveAction(menu->actions().first());
      QTest::keyClick(menu, Qt::Key_F1);
      QTRY_COMPARE(received.size(), 1);
      QCOMPARE(received.first().first, quint32{1029});
      QCOMPARE(received.first().second, c.context);
      QVERIFY(!menu->isVisible());
    }
    // F1 alone: the contents.
    received.clear();
    QTest::keyClick(window.get(), Qt::Key_F1);
    QTRY_COMPARE(received.size(), 1);
    QCOMPARE(received.first().second, qint64{0});
    window->close();
  }

  void theAboutBoxIsSkinnedModalAndWhole() {
    auto window = Start();
    bool inactiveWhileOpen = false;
    QString title;
    QStringList texts;
    bool whole = true;
    QTimer::singleShot(300, [&] {
      auto* box = qobject_cast<trimora::app::TInfoDialog*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      inactiveWhileOpen = !window->Frame()->Active();
      title = box->Frame()->TitleCaption();
      for (QLabel* label : {box->ProductLabel(), box->BuildLabel()}) {
        texts << label->text();
        whole = whole && label->width() >= label->sizeHint().width() &&
                label->height() >= label->sizeHint().height();
      }
      QPushButton* ok = box->OkButton();
      texts << ok->text();
      whole = whole && ok->width() >= ok->fontMetrics().horizontalAdvance(QStringLiteral("Ok")) &&
              box->rect().contains(ok->geometry());
      Screenshot(box, QStringLiteral("about"));
      ScreenShot(window.get(), QStringLiteral("about-over-window"));
      QTest::mouseClick(ok, Qt::LeftButton);
    });
    window->Presenter().Run(CommandId::About);
    QVERIFY(inactiveWhileOpen);
    QVERIFY(window->Frame()->Active());
    QCOMPARE(title, QStringLiteral("Info über Trimora 2"));
    QCOMPARE(texts, (QStringList{QStringLiteral("Trimora 2"),
                                 QStringLiteral("Build ") +
                                     QString::fromStdString(trimora::ProgramVersion()),
                                 QStringLiteral("&Ok")}));
    QVERIFY(whole);
    window->close();
  }
};

QTEST_MAIN(CorrectionsWindowTest)
#include "corrections_window_test.moc"
