// Shows every window of the kit and saves what the screen shows into the folder named by
// TRIMORA_SCREENSHOT_DIR (nothing is saved when it is not set), for people to look at.
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QtTest>

#include <memory>

#include "kit_test_support.h"
#include "ui/dialog_kit.h"
#include "ui/dialog_rules.h"
#include "ui/input_box.h"
#include "ui/kit_style.h"
#include "ui/message_box.h"
#include "ui/select_folder_dialog.h"
#include "ui/xp_controls.h"
#include "ui/xp_form.h"

using namespace trimora::ui;
using trimora::testing::WhenShown;

class ScreenshotsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<QWidget> main_;
  TtfXPForm* frame_ = nullptr;
  std::unique_ptr<DialogKit> kit_;

  // Saves the screen area of the main window (and what lies over it) as `name`.png.
  void Shoot(const QString& name, QWidget* over = nullptr) {
    QTest::qWait(150);
    QRect area = main_->frameGeometry();
    if (over) area = area.united(over->frameGeometry());
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(
        0, area.x() - 10, area.y() - 10, area.width() + 20, area.height() + 20);
    QVERIFY(!shot.isNull());
    const QByteArray folder = qgetenv("TRIMORA_SCREENSHOT_DIR");
    if (folder.isEmpty()) return;
    QDir().mkpath(QString::fromLocal8Bit(folder));
    QVERIFY(shot.save(QString::fromLocal8Bit(folder) + QLatin1Char('/') + name +
                      QStringLiteral(".png")));
  }

 private slots:
  void initTestCase() {
    main_ = std::make_unique<QWidget>();
    main_->setGeometry(200, 120, 800, 600);
    frame_ = new TtfXPForm(main_.get());
    frame_->SetTitleCaption(QStringLiteral("Trimora 2 - Fotos zuschneiden"));
    frame_->SetTitleXOffset(43);
    frame_->SetColor(colors::MainWindowFrame());
    frame_->SetEnabledIcon(SkinPixmap(QStringLiteral("ICON_BMP")));
    frame_->SetDisabledIcon(SkinPixmap(QStringLiteral("ICON_DIS_BMP")));
    frame_->SetBottomBarStatusPanels({{"", -1, PanelAlignment::Left},
                                      {"", 150, PanelAlignment::Left},
                                      {"", 230, PanelAlignment::Left},
                                      {"", 145, PanelAlignment::Right}});
    frame_->SetStatusPanelText(
        0, QStringLiteral("/home/anna/Bilder/Urlaub in Norwegen 2024/Lofoten und "
                          "Vesterålen/Tag 3 - Reine/IMG_0042.JPG"));
    frame_->SetStatusPanelText(1, QStringLiteral("Bild 42 von 118"));
    frame_->SetStatusPanelText(2, QStringLiteral("Auswahl: 3008 x 2000 (verlustfrei)"));
    frame_->SetStatusPanelText(3, QStringLiteral("Format 10 x 15"));
    auto* content = new TXPGradientPanel(main_.get());
    content->setObjectName(QStringLiteral("ContentPanel"));
    frame_->SetContentPanel(content);
    auto* hint = new QLabel(QStringLiteral("Öffnen Sie mit „Quellverzeichnis wählen“ einen "
                                           "Ordner mit Fotos."),
                            content);
    hint->setFont(KitPixelFont(13));
    hint->move(40, 40);
    kit_ = std::make_unique<DialogKit>(main_.get(), frame_);
    main_->show();
    main_->activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    if (!QTest::qWaitForWindowActive(main_.get()))
      qWarning("the main window did not become active");
  }

  void cleanupTestCase() {
    kit_.reset();
    main_.reset();
  }

  void theMainWindowInBothLooks() {
    frame_->MarkActive();
    Shoot(QStringLiteral("01_main_window_active"));
    frame_->MarkInactive();
    Shoot(QStringLiteral("02_main_window_inactive"));
    frame_->MarkActive();
  }

  void theMessageBoxes_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QSize>("size");
    QTest::newRow("information") << QStringLiteral("03_message_information")
                                 << QStringLiteral("Information")
                                 << QStringLiteral(
                                        "Markieren Sie die roten Augen mit einem Rahmen und "
                                        "wählen Sie dann „Rote Augen entfernen“.")
                                 << int(kButtonsOk) << QStringLiteral("ShowRedEyeMessage")
                                 << QSize(370, 180);
    QTest::newRow("error") << QStringLiteral("04_message_error") << QStringLiteral("Fehler")
                           << QStringLiteral("Das angegebene Verzeichnis existiert nicht.")
                           << int(kButtonsOk) << QString() << QSize(315, 120);
    QTest::newRow("question") << QStringLiteral("05_message_question") << QStringLiteral("Frage")
                              << QStringLiteral(
                                     "Soll die Datei „IMG_0042.JPG“ wirklich "
                                     "gelöscht werden?")
                              << int(kButtonsYesNo) << QStringLiteral("AskOnDelete")
                              << QSize(315, 170);
    QTest::newRow("yes to all") << QStringLiteral("06_message_yes_to_all")
                                << QStringLiteral("Frage")
                                << QStringLiteral(
                                       "Die Datei „IMG_0042.JPG“ gibt es im "
                                       "Zielverzeichnis schon.\r\nSoll sie "
                                       "überschrieben werden?")
                                << int(kButtonsYesToAllNo) << QString() << QSize(320, 170);
    QTest::newRow("narrow question")
        << QStringLiteral("07_message_narrow_question") << QStringLiteral("Frage")
        << QStringLiteral("Alle Markierungen aufheben?") << int(kButtonsYesNo)
        << QStringLiteral("ShowLossySavingInfo") << QSize(270, 170);
    QTest::newRow("too small")
        << QStringLiteral("08_message_too_small") << QStringLiteral("Information")
        << QStringLiteral(
               "Diese Bilder sind für das Format 10 x 15 zu klein und wurden "
               "nicht gespeichert:\r\nIMG_0001.jpg\r\nIMG_0002.jpg")
        << int(kButtonsOk) << QString() << QSize(360, 150 + 16 * 2);
  }
  void theMessageBoxes() {
    QFETCH(QString, name);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(int, buttons);
    QFETCH(QString, key);
    QFETCH(QSize, size);
    TXPMessageBox* box = kit_->MessageBox();
    WhenShown(box, [&] {
      Shoot(name, box);
      QTest::keyClick(box, Qt::Key_Escape);
    });
    kit_->ShowMessageBox(title, text, static_cast<std::uint16_t>(buttons), key, size.width(),
                         size.height(), frame_);
  }

  void theInputBox() {
    TXPInputBox* box = kit_->InputBox();
    WhenShown(box, [&] {
      Shoot(QStringLiteral("08_input_box"), box);
      QTest::keyClick(box, Qt::Key_Escape);
    });
    kit_->ShowInputBox(QStringLiteral("Datei umbenennen"),
                       QStringLiteral("Neuer Name für „IMG_0042.JPG“:"),
                       QStringLiteral("IMG_0042.JPG"), frame_);
  }

  void theFolderChooserAndItsMessage() {
    TXPSelectFolderDialog* chooser = kit_->FolderDialog();
    const QString start = trimora::testing::Environment()->Home() + QStringLiteral("/Bilder/2024");
    WhenShown(chooser, [&] {
      Shoot(QStringLiteral("09_folder_chooser"), chooser);
      WhenShown(kit_->MessageBox(), [&] {
        Shoot(QStringLiteral("10_folder_exists"), kit_->MessageBox());
        QTest::keyClick(kit_->MessageBox(), Qt::Key_Escape);
      });
      QTest::mouseClick(chooser->NewFolderButton(), Qt::LeftButton);
      QTest::mouseClick(chooser->CancelButton(), Qt::LeftButton);
    });
    kit_->ChooseFolder(QStringLiteral("Quellverzeichnis wählen"), QStringLiteral("&Öffnen"), 0,
                       start, frame_);
  }
};

TRIMORA_KIT_TEST_MAIN(ScreenshotsTest)
#include "screenshots_test.moc"
