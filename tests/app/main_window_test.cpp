// Scenarios on the real main window: start-up, opening a folder, the strip, navigating,
// deleting, closing; and the single-instance rule of the real program. Screenshots go to
// TRIMORA_SCREENSHOT_DIR when it is set.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include <functional>

#include "app/info_dialog.h"
#include "app/kv_main_form.h"
#include "app/options_dialog.h"
#include "fake_main_view.h"
#include "formats/format_dialog.h"
#include "frame/image_panel.h"
#include "main_window_test_support.h"
#include "metadata/exif_dialog.h"
#include "platform/instance.h"
#include "platform/settings.h"
#include "tables/table_file.h"
#include "ui/dialog_kit.h"
#include "ui/flat_menu_style.h"
#include "ui/message_box.h"
#include "ui/message_codes.h"
#include "ui/select_folder_dialog.h"
#include "ui/xp_controls.h"
#include "ui/xp_form.h"

using trimora::CommandId;
using trimora::app::TKvMainForm;
using trimora::testing::Enabled;
using trimora::testing::WaitForStrip;

namespace {

const QString kPhotos = QStringLiteral(TRIMORA_TESTDATA_DIR "/photos/");

void Screenshot(QWidget* widget, const QString& name) {
  trimora::testing::Screenshot(widget, QStringLiteral("mainwin"), name);
}

void ScreenCapture(QWidget* window, const QString& name) {
  trimora::testing::ScreenCapture(window, QStringLiteral("mainwin"), name);
}

// Captures the modal window that `open` shows, then closes it with the cancel key.
void CaptureModal(const std::function<void()>& open, const QString& name) {
  bool seen = false;
  QTimer::singleShot(300, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    seen = true;
    ScreenCapture(modal, name);
    QTest::keyClick(modal, Qt::Key_Escape);
  });
  open();
  QVERIFY2(seen, qPrintable(name));
}

// The class of a window without its namespaces ("TFormatDialog").
QString ClassName(const QWidget* window) {
  return QString::fromLatin1(window->metaObject()->className()).section(QStringLiteral("::"), -1);
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  trimora::testing::PrivateHome home_;
  trimora::testing::FakePrograms programs_;

  int GuideStarts() const {
    return static_cast<int>(
        std::count(programs_.started.begin(), programs_.started.end(), trimora::kGuideProgram));
  }
  std::unique_ptr<TKvMainForm> Start() {
    programs_.present = {trimora::kHelpProgram, trimora::kGuideProgram};
    auto window = std::make_unique<TKvMainForm>(nullptr, &programs_, TRIMORA_PROGRAM_DIR "/");
    window->show();
    [&] { QTRY_VERIFY(!window->StartingUp()); }();
    return window;
  }
  QString MakeFolder(QTemporaryDir& dir, const QStringList& names) {
    for (const QString& name : names) {
      const QString sample = name.startsWith(QLatin1Char('P'))
                                 ? QStringLiteral("plain-portrait.jpg")
                                 : QStringLiteral("plain-landscape.jpg");
      QFile::copy(kPhotos + sample, dir.filePath(name));
    }
    return dir.path();
  }
 private slots:
  void initTestCase() { home_.Use(); }
  void init() { home_.ClearSettings(); }

  void firstStartIsCentredWithTheKeyboardHelpAndStartsTheGuideOnce() {
    programs_.started.clear();
    auto window = Start();
    QCOMPARE(window->size(), QSize(800, 600));
    QCOMPARE(window->minimumSize(), QSize(800, 600));
    const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(window->pos(), QPoint(desktop.x() + (desktop.width() - 800) / 2,
                                   desktop.y() + (desktop.height() - 600) / 2));
    QCOMPARE(GuideStarts(), 1);
    QCOMPARE(window->Frame()->TitleCaption(), QStringLiteral("Trimora 2"));
    QVERIFY(window->ShortcutPanel()->isVisible());
    auto* link = window->findChild<QLabel*>(QStringLiteral("EmailLink"));
    QVERIFY(link && link->text().contains(QStringLiteral("support@trimora.de")));
    // Before a folder is opened the picture commands are off.
    for (CommandId c : {CommandId::CropAndSave, CommandId::ResetFolder, CommandId::MarkForSaving,
                        CommandId::NextPicture, CommandId::StepLeft, CommandId::ExifInfo}) {
      QVERIFY2(!Enabled(*window, c), qPrintable(QString::number(static_cast<int>(c))));
    }
    QVERIFY(window->Band(1)->isVisible());
    QVERIFY(!window->Band(5)->isVisible());
    auto* ansicht = window->findChild<QToolButton*>(QStringLiteral("Ansicht1Button"));
    QCOMPARE(ansicht->text(), QStringLiteral("A&nsicht"));
    Screenshot(window.get(), QStringLiteral("start"));
    window->close();

    // The second start: no guide, the saved place.
    programs_.started.clear();
    auto again = Start();
    QCOMPARE(GuideStarts(), 0);
    QCOMPARE(trimora::ReadIntSetting("Width", 0), 800);
    again->close();
  }

  void laterStartsUseTheSavedPlaceWithinTheOldScreenLimits() {
    trimora::WriteIntSetting("Height", 640);
    trimora::WriteIntSetting("Width", 900);
    trimora::WriteIntSetting("Left", 1500);
    trimora::WriteIntSetting("Top", 40);
    trimora::WriteStringSetting("ToolBar\\Order", "31245");
    trimora::WriteBoolSetting("ToolBar\\Navigation", true);
    auto window = Start();
    // Five tool bars need more than 900 pixels: the window grows to their width and is
    // centred across the screen.
    QVERIFY(window->minimumWidth() > 900);
    QCOMPARE(window->size(), QSize(window->minimumWidth(), 640));
    const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(window->pos(), QPoint(desktop.x() + (desktop.width() - window->width()) / 2, 1));
    QCOMPARE(window->Presenter().Settings().bandOrder, (trimora::ui::BandOrder{3, 1, 2, 4, 5}));
    QVERIFY(window->Band(5)->isVisible());
    QVERIFY(window->Band(3)->x() < window->Band(1)->x());
    window->close();
    QCOMPARE(QString::fromStdString(trimora::ReadStringSetting("ToolBar\\Order", "")),
             QStringLiteral("31245"));
    QCOMPARE(trimora::ReadBoolSetting("ToolBar\\Navigation", false), true);
    QCOMPARE(trimora::ReadIntSetting("ZoomLevel", 0), 50);
    QCOMPARE(trimora::ReadIntSetting("MasterAlpha", 0), 105);
  }

  void openingAFolderFillsTheStripAndShowsTheFirstPicture() {
    QTemporaryDir pictures;
    MakeFolder(pictures, {QStringLiteral("a.jpg"), QStringLiteral("B.JPG"),
                          QStringLiteral("Portrait.jpg"), QStringLiteral("c.jpeg")});
    QFile::copy(kPhotos + QStringLiteral("not-a-jpeg.jpg"),
                pictures.filePath(QStringLiteral("broken.jpg")));
    trimora::WriteBoolSetting("ToolBar\\Navigation", true);
    auto window = Start();
    window->resize(1000, 700);
    window->Presenter().Folder().OpenFolder(pictures.path().toStdString());
    WaitForStrip(*window);
    QCOMPARE(window->Presenter().Folder().ThumbnailCount(), 3);
    QCOMPARE(window->StatusPanelText(0), pictures.path());
    QCOMPARE(window->StatusPanelText(1),
             window->Presenter().Folder().DisplayedPicture().width() == 600
                 ? QStringLiteral("Bild: (600x450)")
                 : QStringLiteral("Bild: (450x600)"));
    QCOMPARE(window->StatusPanelText(3), QStringLiteral("3 Bilder im Verz."));
    QVERIFY(!window->ShortcutPanel()->isVisible());
    auto* button = window->findChild<QToolButton*>(QStringLiteral("ThumbButton0"));
    QVERIFY(button);
    QCOMPARE(button->text().toStdString(), window->Presenter().Folder().EntryCaption(0));
    QVERIFY(window->findChild<QWidget*>(QStringLiteral("ThumbPanel2")));
    auto* check = window->findChild<QCheckBox*>(QStringLiteral("ThumbCheckBox0"));
    QVERIFY(check->isChecked());
    QVERIFY(Enabled(*window, CommandId::CropAndSave));
    QVERIFY(Enabled(*window, CommandId::NextPicture));
    QVERIFY(!Enabled(*window, CommandId::PreviousPicture));
    Screenshot(window.get(), QStringLiteral("folder"));
    for (const char* name : {"Datei1", "Ansicht1", "Bildkorrekturen1"}) {
      auto* menu = window->findChild<QMenu*>(QString::fromUtf8(name));
      QVERIFY(menu);
      menu->popup(window->mapToGlobal(QPoint(10, 60)));
      QTest::qWait(200);
      Screenshot(menu, QStringLiteral("menu-") + QString::fromUtf8(name));
      menu->close();
    }

    // Keys: PgDn, Ctrl+PgDn, PgUp; Del unmarks.
    QTest::keyClick(window.get(), Qt::Key_PageDown);
    QCOMPARE(window->Presenter().Folder().CurrentPosition(), 1);
    QTest::keyClick(window.get(), Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(window->Presenter().Folder().CurrentPosition(), 2);
    QTest::keyClick(window.get(), Qt::Key_Delete);
    QVERIFY(!window->findChild<QCheckBox*>(QStringLiteral("ThumbCheckBox2"))->isChecked());
    QTest::keyClick(window.get(), Qt::Key_PageUp);
    QCOMPARE(window->Presenter().Folder().CurrentPosition(), 1);
    // A click on an entry shows its picture.
    QTest::mouseClick(window->findChild<QToolButton*>(QStringLiteral("ThumbButton2")),
                      Qt::LeftButton);
    QCOMPARE(window->Presenter().Folder().CurrentPosition(), 2);
    Screenshot(window.get(), QStringLiteral("navigated"));

    // The delete question, answered by closing the box: nothing is deleted.
    QTimer::singleShot(300, [] {
      QWidget* box = QApplication::activeModalWidget();
      if (box == nullptr) return;
      Screenshot(box, QStringLiteral("delete-question"));
      box->close();
    });
    window->Presenter().Folder().DeleteSourcePicture(2);
    QCOMPARE(window->Presenter().Folder().ThumbnailCount(), 3);
    QVERIFY(QFile::exists(
        pictures.filePath(QString::fromStdString(window->Presenter().Folder().EntryCaption(2)))));

    // Thumbnails off: the folder reopens with plain entries.
    window->findChild<QCheckBox*>(QStringLiteral("ThumbsCheckBox"))->click();
    WaitForStrip(*window);
    QCOMPARE(window->findChild<QWidget*>(QStringLiteral("ThumbPanel0"))->height(), 64);
    Screenshot(window.get(), QStringLiteral("no-thumbnails"));
    window->close();
    QVERIFY(QFile::exists(pictures.filePath(QStringLiteral("CroppingData.kv2"))));
    QCOMPARE(trimora::ReadStringSetting("SourceDir", ""), pictures.path().toStdString() + "/");
    QCOMPARE(trimora::ReadBoolSetting("Thumbs", true), false);
  }

  // Answers the next message box: collects its texts, saves a screenshot, ticks its
  // "nicht mehr anzeigen" box when asked to, and presses the button with that result.
  static void AnswerNextBox(QString* texts, const QString& shot, bool dontShowAgain, int result) {
    QTimer::singleShot(300, [=] {
      QWidget* box = QApplication::activeModalWidget();
      if (box == nullptr) return;
      for (QLabel* label : box->findChildren<QLabel*>()) *texts += label->text() + QLatin1Char('|');
      Screenshot(box, shot);
      if (dontShowAgain) box->findChild<QAbstractButton*>(QStringLiteral("CheckBox"))->click();
      for (QAbstractButton* button : box->findChildren<QAbstractButton*>()) {
        if (button->isVisible() && button->property("result").toInt() == result) {
          button->click();
          return;
        }
      }
      box->close();
    });
  }

  void picturesTheCameraTurnedAreOfferedUprightAndAnOffGridTurnAsksFirst() {
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("exiftool")).isEmpty(),
             "The outside program exiftool is missing; scripts/setup installs it.");
    QTemporaryDir pictures;
    const QString path = pictures.filePath(QStringLiteral("turned.jpg"));
    QFile::copy(kPhotos + QStringLiteral("plain-landscape.jpg"), path);
    QCOMPARE(QProcess::execute(QStringLiteral("exiftool"),
                               {QStringLiteral("-q"), QStringLiteral("-overwrite_original"),
                                QStringLiteral("-n"), QStringLiteral("-Orientation=6"), path}),
             0);
    auto window = Start();
    window->resize(1000, 700);
    QString texts;
    AnswerNextBox(&texts, QStringLiteral("upright-question"), true, 6);
    window->Presenter().Folder().OpenFolder(pictures.path().toStdString());
    WaitForStrip(*window);
    QVERIFY2(texts.contains(QStringLiteral("1 Bild ist laut Kamera gedreht. Jetzt aufrichten?")),
             qPrintable(texts));
    QVERIFY2(texts.contains(QStringLiteral("Diese Frage nicht mehr anzeigen")), qPrintable(texts));
    QCOMPARE(window->StatusPanelText(1), QStringLiteral("Bild: (450x600)"));
    QCOMPARE(trimora::ReadBoolSetting("AskToTurnUpright", true), false);
    Screenshot(window.get(), QStringLiteral("upright"));

    // 450 is off the 8-pixel grid of this picture: F7 asks before encoding it anew; "&Nein"
    // leaves the file as it is.
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    texts.clear();
    AnswerNextBox(&texts, QStringLiteral("recode-question"), false, 7);
    QTest::keyClick(window.get(), Qt::Key_F7);
    QVERIFY2(texts.contains(QStringLiteral("nicht verlustfrei drehen")), qPrintable(texts));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
    file.close();
    // "&Ja" turns it.
    AnswerNextBox(&texts, QStringLiteral("recode-question-yes"), false, 6);
    QTest::keyClick(window.get(), Qt::Key_F7);
    QCOMPARE(window->StatusPanelText(1), QStringLiteral("Bild: (600x450)"));
    window->close();
  }

  void aRenameToAnotherFolderIsRefused() {
    QTemporaryDir pictures;
    MakeFolder(pictures, {QStringLiteral("a.jpg")});
    auto window = Start();
    window->Presenter().Folder().OpenFolder(pictures.path().toStdString());
    WaitForStrip(*window);
    QString messageText;
    QTimer::singleShot(300, [&] {
      QWidget* box = QApplication::activeModalWidget();
      if (box == nullptr) return;
      auto* edit = box->findChild<QLineEdit*>();
      if (edit != nullptr) {
        edit->setText(QStringLiteral("../a.jpg"));
        Screenshot(box, QStringLiteral("rename"));
        QTest::keyClick(edit, Qt::Key_Return);
      }
      QTimer::singleShot(300, [&] {
        QWidget* message = QApplication::activeModalWidget();
        if (message == nullptr) return;
        for (QLabel* label : message->findChildren<QLabel*>()) messageText += label->text();
        Screenshot(message, QStringLiteral("rename-refused"));
        message->close();
      });
    });
    window->Presenter().Folder().RenameSourcePicture(0);
    QVERIFY2(messageText.contains(QStringLiteral("Die Datei konnte nicht umbenannt werden.")),
             qPrintable(messageText));
    QVERIFY(QFile::exists(pictures.filePath(QStringLiteral("a.jpg"))));
    window->close();
  }

  void menusToolBarsAndTheContextMenuAreMadeFromTheCommandTable() {
    using namespace trimora;
    auto window = Start();
    auto text = [](const char* utf8) {
      return QString::fromUtf8(utf8).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    };
    for (const MenuRow& menuRow : MenuTable()) {
      // Filled with the formats.
      if (menuRow.id == MenuId::DefaultFormat || menuRow.id == MenuId::FormatChooser) continue;
      auto* menu = window->findChild<QMenu*>(text(menuRow.name));
      QVERIFY2(menu, menuRow.name);
      QStringList shown, designed;
      for (QAction* a : menu->actions()) {
        if (a->isSeparator())
          shown << QStringLiteral("-");
        else if (a->menu())
          shown << QStringLiteral("> ") + a->text();
        else
          shown << a->text() + QStringLiteral(" #") + a->data().toString();
      }
      for (const MenuEntry& e : MenuEntries()) {
        if (e.menu != menuRow.id) continue;
        if (e.kind == MenuEntry::Kind::Separator) {
          designed << QStringLiteral("-");
        } else if (e.kind == MenuEntry::Kind::Submenu) {
          for (const MenuRow& sub : MenuTable())
            if (sub.id == e.submenu) designed << QStringLiteral("> ") + text(sub.caption);
        } else {
          designed << QString::fromStdString(MenuText(Row(e.command))) + QStringLiteral(" #") +
                          QString::number(static_cast<int>(e.command));
        }
      }
      QCOMPARE(shown, designed);
    }
    for (const ToolBarRow& bar : ToolBarTable()) {
      auto* toolBar = window->findChild<QToolBar*>(text(bar.name));
      QVERIFY2(toolBar, bar.name);
      QStringList shown, designed;
      for (QAction* a : toolBar->actions()) {
        shown << a->toolTip() + QStringLiteral(" #") + a->data().toString() + QStringLiteral(" ") +
                     toolBar->widgetForAction(a)->objectName();
      }
      for (const ToolEntry& e : ToolEntries()) {
        if (e.bar != bar.id) continue;
        const CommandRow& row = Row(e.command);
        designed << text(row.hint) + QStringLiteral(" #") +
                        QString::number(static_cast<int>(e.command)) + QStringLiteral(" ") +
                        text(row.buttonName);
      }
      QCOMPARE(shown, designed);
    }
    // Every control of a command carries its id; the skins are radio items, Fashion checked.
    for (std::size_t i = 0; i < kCommandCount; ++i) {
      for (QAction* a : window->Actions(static_cast<CommandId>(i)))
        QCOMPARE(a->data().toInt(), static_cast<int>(i));
    }
    QVERIFY(window->Actions(CommandId::FashionSkin).front()->isChecked());
    QVERIFY(!window->Actions(CommandId::StandardSkin).front()->isChecked());
    QVERIFY(!window->Actions(CommandId::CropAndBurn).front()->isVisible());
    auto* format = window->findChild<QToolButton*>(QStringLiteral("FormatButton"));
    QCOMPARE(format->text(), QStringLiteral("   10 x 15   "));
    QVERIFY(!format->isEnabled());
    QVERIFY(window->findChild<QMenu*>(QStringLiteral("Standardausgabeformat1"))->actions().size() >
            2);

    // The menus as a person sees them, with a picture on screen.
    QTemporaryDir pictures;
    MakeFolder(pictures, {QStringLiteral("a.jpg"), QStringLiteral("b.jpg")});
    window->resize(1000, 700);
    window->Presenter().Folder().OpenFolder(pictures.path().toStdString());
    WaitForStrip(*window);
    for (const MenuRow& menuRow : MenuTable()) {
      auto* menu = window->findChild<QMenu*>(text(menuRow.name));
      menu->popup(window->mapToGlobal(QPoint(10, 60)));
      QTest::qWait(150);
      Screenshot(menu, QStringLiteral("menu-") + text(menuRow.name));
      menu->close();
    }
    // Keys of the numeric keypad reach the map: "/" shrinks the selection by one step.
    const int width = window->Presenter().Frame().grid.SelW;
    QTest::keyClick(window.get(), Qt::Key_Slash, Qt::KeypadModifier);
    QCOMPARE(window->Presenter().Frame().grid.SelW, width - 1);
    QTest::keyClick(window.get(), Qt::Key_Plus, Qt::KeypadModifier);
    QCOMPARE(window->Presenter().Frame().grid.SelW, width);
    window->close();
  }

  void theToolBarRowMovesThePicturePanelAndBandsAreDraggedByTheirGrips() {
    auto window = Start();
    auto trigger = [&](CommandId id) { window->Actions(id).front()->trigger(); };
    QWidget* picture = window->ImagePanel();
    const int top = picture->mapTo(window.get(), QPoint(0, 0)).y();
    const int height = picture->height();
    for (CommandId id : {CommandId::ToolBarFiles, CommandId::ToolBarTouchUp,
                         CommandId::ToolBarRotate, CommandId::ToolBarFormat}) {
      trigger(id);
    }
    QTRY_COMPARE(picture->mapTo(window.get(), QPoint(0, 0)).y(), top - 54);
    QCOMPARE(picture->height(), height + 54);
    Screenshot(window.get(), QStringLiteral("no-tool-bars"));
    trigger(CommandId::ToolBarRotate);
    QTRY_COMPARE(picture->mapTo(window.get(), QPoint(0, 0)).y(), top);
    trigger(CommandId::ToolBarFiles);
    QTest::qWait(50);
    QCOMPARE(picture->mapTo(window.get(), QPoint(0, 0)).y(), top);
    QVERIFY(window->Actions(CommandId::ToolBarRotate).front()->isChecked());
    QVERIFY(!window->Actions(CommandId::ToolBarFormat).front()->isChecked());

    // The files band is dragged by its grip below the row and to the right of the rotate band:
    // released, it stands right of it on the one row.
    QToolBar* rotate = window->Band(3);
    QWidget* grip = window->BandGrip(1);
    QWidget* rotateGrip = window->BandGrip(3);
    QCOMPARE(grip->x(), 0);
    QVERIFY(grip->isVisible());
    const QPoint from = grip->rect().center();
    QTest::mousePress(grip, Qt::LeftButton, {}, from);
    const QPoint globalFrom = grip->mapToGlobal(from);
    const QPoint by(rotateGrip->x() + (rotate->x() + rotate->width() - rotateGrip->x()) / 2 + 20,
                    60);
    const QPoint to = from + by;
    for (int step = 1; step <= 4; ++step) {
      QMouseEvent move(QEvent::MouseMove, from, globalFrom + by * step / 4, Qt::NoButton,
                       Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(grip, &move);
    }
    QVERIFY(grip->y() > 0);
    QCOMPARE(window->Band(1)->y(), grip->y());
    Screenshot(window.get(), QStringLiteral("band-dragged"));
    QTest::mouseRelease(grip, Qt::LeftButton, {}, to);
    QCOMPARE(grip->y(), 0);
    QCOMPARE(window->Band(1)->y(), 0);
    QCOMPARE(rotate->y(), 0);
    QCOMPARE(rotateGrip->x(), 0);
    QCOMPARE(grip->x(), rotate->x() + rotate->width());
    QTRY_COMPARE(picture->mapTo(window.get(), QPoint(0, 0)).y(), top);
    window->close();
    QCOMPARE(QString::fromStdString(trimora::ReadStringSetting("ToolBar\\Order", "")),
             QStringLiteral("32145"));
  }

  void theStandardSkinConvertsEveryWindowAndFashionAnsweredNoKeepsIt() {
    auto window = Start();
    QVERIFY(window->MenuPainting());
    QVERIFY(window->Menu(trimora::MenuId::View)->style() != QApplication::style());
    // The controls are painted flat as well: a combo box of the settings dialog sits in a thin
    // border on white.
    QVERIFY(trimora::ui::FlatControlPainting());
    auto* combo =
        window->OptionsDialogWindow()->findChild<QComboBox*>(QStringLiteral("EnlargeComboBox"));
    QVERIFY(combo);
    const auto flatBorder = [combo] {
      const QImage shot = combo->grab().toImage();
      const QColor border = shot.pixelColor(shot.width() / 3, 0);
      const QColor inside = shot.pixelColor(3, shot.height() / 2);
      return border.rgb() == combo->palette().color(QPalette::Button).darker(135).rgb() &&
             inside.rgb() == combo->palette().color(QPalette::Base).rgb();
    };
    QVERIFY(flatBorder());
    const QRect place = window->geometry();
    std::vector<QWidget*> dialogs = {
        window->FormatDialogWindow(),   window->OptionsDialogWindow(),
        window->InfoDialog(),           window->ExifDialog(),
        window->Dialogs().MessageBox(), window->Dialogs().FolderDialog()};
    QTemporaryDir pictures;
    window->Presenter().Folder().OpenFolder(
        MakeFolder(pictures, {QStringLiteral("L1.jpg"), QStringLiteral("P2.jpg")}).toStdString());
    WaitForStrip(*window);
    // Every window in the Fashion skin first.
    const auto captureAll = [&](const QString& skin) {
      ScreenCapture(window.get(), skin);
      for (QWidget* dialog : dialogs) {
        if (dialog == window->FormatDialogWindow() || dialog == window->OptionsDialogWindow() ||
            dialog == window->Dialogs().MessageBox() || dialog == window->InfoDialog() ||
            dialog == window->Dialogs().FolderDialog())
          continue;
        dialog->show();
        ScreenCapture(dialog, skin + QStringLiteral("-") + ClassName(dialog));
        dialog->hide();
      }
      // The two dialogs of the main window as their commands fill them.
      CaptureModal([&] { window->Presenter().Run(CommandId::Settings); },
                   skin + QStringLiteral("-TOptionsDialog"));
      CaptureModal([&] { window->Presenter().Run(CommandId::FormatDefinitions); },
                   skin + QStringLiteral("-TFormatDialog"));
      CaptureModal([&] { window->Presenter().Run(CommandId::About); },
                   skin + QStringLiteral("-TInfoDialog"));
      CaptureModal(
          [&] {
            window->ShowMessageBox("Frage",
                                   "Soll das Original \"L1.jpg\" wirklich gelöscht werden?",
                                   trimora::ui::kButtonsYesNo, "AskOnDelete", 330, 160);
          },
          skin + QStringLiteral("-TXPMessageBox"));
      CaptureModal(
          [&] {
            window->ChooseFolder("Zielverzeichnis wählen", "&Ok", 0, pictures.path().toStdString());
          },
          skin + QStringLiteral("-TXPSelectFolderDialog"));
      CaptureModal(
          [&] { window->ShowInputBox("Originalbild umbenennen", "Neuer Dateiname", "L1.jpg"); },
          skin + QStringLiteral("-TXPInputBox"));
      CaptureModal([&] { window->Presenter().Run(CommandId::FullScreen); },
                   skin + QStringLiteral("-TFullScreenDialog"));
    };
    captureAll(QStringLiteral("fashion"));
    auto* standard = window->Actions(CommandId::StandardSkin).front();
    QVERIFY(standard->isEnabled());
    standard->trigger();
    QVERIFY(trimora::ReadBoolSetting("StandardSkin", false));
    QVERIFY(standard->isChecked());
    QVERIFY(!window->Actions(CommandId::FashionSkin).front()->isChecked());
    QVERIFY(window->Frame()->FrameHidden());
    QVERIFY(!(window->windowFlags() & Qt::FramelessWindowHint));
    QCOMPARE(window->windowTitle(), QStringLiteral("  Trimora 2"));
    QTRY_VERIFY(window->isVisible());
    QCOMPARE(window->geometry().size(), place.size());
    QVERIFY(!window->MenuPainting());
    QCOMPARE(window->Menu(trimora::MenuId::View)->style(), QApplication::style());
    QVERIFY(!trimora::ui::FlatControlPainting());
    QVERIFY(!flatBorder());
    // The format dialog takes the system's colours: panels and the grids' empty areas in the
    // button face.
    auto* formats = window->FormatDialogWindow();
    const QColor face = formats->palette().color(QPalette::Button);
    for (auto grid : {trimora::FormatGrid::kScalable, trimora::FormatGrid::kNonScalable}) {
      QCOMPARE(formats->Panel(grid)->Color(), face);
      auto* view = formats->Grid(grid);
      const QImage cells = view->viewport()->grab().toImage();
      QCOMPARE(cells.pixelColor(cells.width() / 2, cells.height() - 3).rgb(), face.rgb());
    }
    // The plain status bar with its four panels shows what the frame's bottom bar held.
    auto* bar = window->findChild<QWidget*>(QStringLiteral("StatusBar"));
    QVERIFY(bar->isVisible());
    const std::array<int, 3> widths = {270, 150, 230};
    for (int i = 0; i < 4; ++i) {
      auto* panel = bar->findChild<QLabel*>(QStringLiteral("StatusPanel") + QString::number(i));
      QVERIFY(panel && panel->isVisible());
      if (i < 3) QCOMPARE(panel->width(), widths[static_cast<std::size_t>(i)]);
      QVERIFY(panel->text().contains(window->StatusPanelText(i).trimmed()));
    }
    // A long path is shortened in the middle.
    window->SetStatusPanel(0, "/home/anna/Bilder/Urlaub 2026/Norwegen/Lofoten/Tag 3/Abend");
    auto* first = bar->findChild<QLabel*>(QStringLiteral("StatusPanel0"));
    QVERIFY(first->text().contains(QStringLiteral(".../Abend")));
    QVERIFY(first->fontMetrics().horizontalAdvance(first->text()) <= first->contentsRect().width());
    // "Verkleinern" shows no shortcut key any more.
    for (QAction* item : window->Actions(CommandId::Shrink)) {
      if (!item->text().isEmpty()) QVERIFY(!item->text().contains(QLatin1Char('\t')));
    }
    for (QWidget* dialog : dialogs) {
      auto* frame =
          dialog->findChild<trimora::ui::TtfXPForm*>(QString(), Qt::FindDirectChildrenOnly);
      QVERIFY2(frame && frame->FrameHidden(), dialog->metaObject()->className());
      QVERIFY(!(dialog->windowFlags() & Qt::FramelessWindowHint));
    }
    QVERIFY(window->ExifDialog()->windowFlags().testFlag(Qt::Tool));
    captureAll(QStringLiteral("standard"));

    // "Fashion", answered with the plain "&Nein" of the converted message box.
    QString question;
    QTimer::singleShot(300, this, [&] {
      QWidget* box = QApplication::activeModalWidget();
      if (box == nullptr) return;
      Screenshot(box, QStringLiteral("standard-question"));
      question = box->windowTitle();
      for (QPushButton* button : box->findChildren<QPushButton*>()) {
        if (button->isVisible() && button->text() == QStringLiteral("&Nein") &&
            button->objectName().startsWith(QStringLiteral("Bit"))) {
          button->click();
          return;
        }
      }
    });
    window->Actions(CommandId::FashionSkin).front()->trigger();
    QCOMPARE(question, QStringLiteral("  Frage"));
    QVERIFY(standard->isChecked());
    QVERIFY(!window->Actions(CommandId::FashionSkin).front()->isChecked());
    QVERIFY(!window->Presenter().FashionSkinActive());
    QVERIFY(programs_.started.empty() || programs_.started.back() != "Trimora2 -restart");
    window->close();
    QVERIFY(trimora::ReadBoolSetting("StandardSkin", false));

    // The next start is in the Standard skin at once.
    auto again = Start();
    QVERIFY(again->Frame()->FrameHidden());
    QVERIFY(again->Actions(CommandId::StandardSkin).front()->isChecked());
    QVERIFY(!again->MenuPainting());
    again->close();
  }

  void fashionAnsweredYesStartsTheRealProgramAgainInTheFashionSkin() {
    trimora::WriteBoolSetting("StandardSkin", true);
    // The program started again is the real one from the program folder.
    struct RealRestart : trimora::testing::FakePrograms {
      QProcess process;
      void Start(const std::string& program, const std::vector<std::string>& arguments) override {
        trimora::testing::FakePrograms::Start(program, arguments);
        if (program != trimora::kMainProgram) return;
        QStringList list;
        for (const std::string& a : arguments) list << QString::fromStdString(a);
        process.start(QStringLiteral(TRIMORA_PROGRAM_DIR "/Trimora2"), list);
      }
    } programs;
    programs.present = {trimora::kMainProgram};
    auto window = std::make_unique<TKvMainForm>(nullptr, &programs, TRIMORA_PROGRAM_DIR "/");
    window->show();
    QTRY_VERIFY(!window->StartingUp());
    QVERIFY(window->Frame()->FrameHidden());
    QTimer::singleShot(300, this, [&] {
      QWidget* box = QApplication::activeModalWidget();
      if (box == nullptr) return;
      for (QPushButton* button : box->findChildren<QPushButton*>()) {
        if (button->isVisible() && button->text() == QStringLiteral("&Ja")) {
          button->click();
          return;
        }
      }
    });
    window->Actions(CommandId::FashionSkin).front()->trigger();
    QCOMPARE(programs.started, (std::vector<std::string>{"Trimora2 -restart"}));
    QTRY_VERIFY(!window->isVisible());
    QVERIFY(!trimora::ReadBoolSetting("StandardSkin", true));
    // The program comes up again beside this one, which is no longer shown.
    QVERIFY(programs.process.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(trimora::FindWindowByClass("TKvMainForm"), 15000);
    QCOMPARE(programs.process.state(), QProcess::Running);
    QVERIFY(trimora::PostMessageToClass("TKvMainForm", trimora::kCloseMessage, 0));
    QVERIFY(programs.process.waitForFinished(15000));
    QCOMPARE(programs.process.exitCode(), 0);
    // It ran in the Fashion skin and kept it when it closed.
    QVERIFY(!trimora::ReadBoolSetting("StandardSkin", true));
  }

  void altF4ClosesTheWindowAlsoWithoutAWindowManager() {
    auto window = Start();
    window->resize(900, 640);
    QTest::keyClick(window.get(), Qt::Key_F4, Qt::AltModifier);
    QTRY_VERIFY(!window->isVisible());
    QCOMPARE(trimora::ReadIntSetting("Width", 0), 900);  // closing ran and wrote the settings
  }

  void aSecondStartEndsAtOnceUnlessItIsARestart() {
    const QString program = QStringLiteral(TRIMORA_PROGRAM_DIR "/Trimora2");
    QProcess first;
    first.start(program, {});
    QVERIFY(first.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(trimora::FindWindowByClass("TKvMainForm"), 15000);

    QProcess second;
    second.start(program, {});
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(first.state(), QProcess::Running);

    QProcess restarted;
    restarted.start(program, {QStringLiteral("-restart")});
    QVERIFY(restarted.waitForStarted());
    QVERIFY(!restarted.waitForFinished(2000));
    restarted.terminate();
    restarted.waitForFinished(5000);

    // A close request closes the first instance the ordinary way.
    QVERIFY(trimora::PostMessageToClass("TKvMainForm", trimora::kCloseMessage, 0));
    QVERIFY(first.waitForFinished(15000));
    QCOMPARE(first.exitCode(), 0);
    QVERIFY(!trimora::FindWindowByClass("TKvMainForm"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
