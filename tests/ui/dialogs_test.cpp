// The message box, input box and folder chooser, shown modally through the dialog kit.
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

#include "kit_test_support.h"
#include "platform/paths.h"
#include "platform/settings.h"
#include "ui/dialog_kit.h"
#include "ui/dialog_rules.h"
#include "ui/folder_tree.h"
#include "ui/input_box.h"
#include "ui/message_box.h"
#include "ui/select_folder_dialog.h"
#include "ui/xp_controls.h"
#include "ui/xp_form.h"

using namespace trimora;
using namespace trimora::ui;
using trimora::testing::WhenShown;

namespace {

QString HomePath(const char* relative) {
  return trimora::testing::Environment()->Home() + QLatin1Char('/') + QLatin1String(relative);
}

QTreeWidgetItem* FindNode(QTreeWidgetItem* item, const QString& nodePath) {
  if (TXPFolderTree::NodePath(item) == nodePath) return item;
  for (int i = 0; i < item->childCount(); ++i) {
    if (QTreeWidgetItem* found = FindNode(item->child(i), nodePath)) return found;
  }
  return nullptr;
}

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<QWidget> main_;
  TtfXPForm* mainFrame_ = nullptr;
  std::unique_ptr<DialogKit> kit_;

  TXPMessageBox* Box() const { return kit_->MessageBox(); }

 private slots:
  void initTestCase() {
    main_ = std::make_unique<QWidget>();
    main_->setGeometry(100, 100, 800, 600);
    mainFrame_ = new TtfXPForm(main_.get());
    mainFrame_->SetTitleCaption(QStringLiteral("Trimora 2"));
    kit_ = std::make_unique<DialogKit>(main_.get(), mainFrame_);
    main_->show();
    QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
  }

  void cleanupTestCase() {
    kit_.reset();
    main_.reset();
  }

  void aBoxWithoutKeyShiftsItsRowsAndRestoresThemAfterClosing() {
    bool checked = false;
    WhenShown(Box(), [&] {
      QVERIFY(!Box()->CheckBoxShown());
      QVERIFY(!Box()->CheckBoxPanel()->isVisible());
      QVERIFY(!Box()->CheckBoxLabel()->isVisible());
      QCOMPARE(Box()->Shift(), 18);
      // 315 x 180 outside: a content panel of 309 x 144, 13 less than designed.
      QCOMPARE(Box()->Content()->size(), QSize(309, 144));
      QWidget* row = Box()->RowPanel(0);
      QVERIFY(row->isVisible());
      QVERIFY(!Box()->RowPanel(1)->isVisible());
      QCOMPARE(row->geometry(), QRect((315 - 73) / 2, 98 - 13 + 18, 73, 27));
      QCOMPARE(Box()->TextLabel()->geometry(), QRect(11, 16, 309 - 23, 144 - 72 + 18 - 16));
      QCOMPARE(Box()->windowTitle(), QStringLiteral("  Fehler"));
      QCOMPARE(Box()->Frame()->TitleCaption(), QStringLiteral("Fehler"));
      QVERIFY(!mainFrame_->Active());
      checked = true;
      QTest::mouseClick(Box()->ButtonFor(kResultOk), Qt::LeftButton);
    });
    const int result = kit_->ShowMessageBox(
        QStringLiteral("Fehler"), QStringLiteral("Die Datei konnte nicht gelesen werden."),
        kButtonsOk, QString(), 315, 180, mainFrame_);
    QVERIFY(checked);
    QCOMPARE(result, 1);
    QVERIFY(mainFrame_->Active());
    QCOMPARE(Box()->Shift(), 0);
    QCOMPARE(Box()->RowPanel(0)->y(), 98 - 13);
    QCOMPARE(Box()->TextLabel()->height(), 144 - 72 - 16);
  }

  void aBoxWithKeyShowsTheCheckBoxAndTickingWritesFalseEvenWithNein() {
    const QString key = QStringLiteral("ShowLossySavingInfo");
    bool checked = false;
    WhenShown(Box(), [&] {
      QVERIFY(Box()->CheckBoxShown());
      QCOMPARE(Box()->Shift(), 0);
      QVERIFY(Box()->CheckBoxPanel()->isVisible());
      QVERIFY(!Box()->CheckBox()->isChecked());
      QLabel* label = Box()->CheckBoxLabel();
      QCOMPARE(label->text(), QStringLiteral("Diese Frage nicht mehr anzeigen"));
      const int contentWidth = Box()->Content()->width();
      QCOMPARE(label->geometry().right() + 1, contentWidth - 6);
      QCOMPARE(Box()->CheckBoxPanel()->x(), label->x() - 22);
      QCOMPARE(Box()->CheckBoxPanel()->size(), QSize(17, 17));
      // The label's text is whole and the box lies inside the content.
      QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(label->text()));
      QVERIFY(Box()->CheckBoxPanel()->x() >= 0);
      QWidget* row = Box()->RowPanel(1);
      QVERIFY(row->isVisible());
      QCOMPARE(row->y(), 98 + (Box()->Content()->height() - 157));
      QCOMPARE(row->x(), (330 - 161) / 2);
      QVERIFY(row->geometry().bottom() < Box()->CheckBoxPanel()->y());
      checked = true;
      QTest::mouseClick(Box()->CheckBox(), Qt::LeftButton);
      QVERIFY(Box()->CheckBox()->isChecked());
      QTest::mouseClick(Box()->ButtonFor(kResultNo), Qt::LeftButton);
    });
    const int result = kit_->ShowMessageBox(
        QStringLiteral("Frage"),
        QStringLiteral("Das Format kann nicht verlustfrei gespeichert werden.\r\nTrotzdem?"),
        kButtonsYesNo, key, 330, 180, mainFrame_);
    QVERIFY(checked);
    QCOMPARE(result, 7);
    QCOMPARE(ReadIntSetting(key.toStdString(), 99), 0);
    QVERIFY(!ReadBoolSetting(key.toStdString(), true));

    // With the setting already false the box still shows, but without check box.
    WhenShown(Box(), [&] {
      QVERIFY(!Box()->CheckBoxShown());
      QCOMPARE(Box()->Shift(), 18);
      QTest::mouseClick(Box()->ButtonFor(kResultYes), Qt::LeftButton);
    });
    QCOMPARE(kit_->ShowMessageBox(QStringLiteral("Frage"), QStringLiteral("Noch einmal?"),
                                  kButtonsYesNo, key, 330, 180, mainFrame_),
             6);
  }

  void anUntickedCheckBoxChangesNothing() {
    const QString key = QStringLiteral("AskOnDelete");
    WhenShown(Box(), [&] {
      QVERIFY(Box()->CheckBoxShown());
      QTest::mouseClick(Box()->ButtonFor(kResultYesToAll), Qt::LeftButton);
    });
    QCOMPARE(kit_->ShowMessageBox(QStringLiteral("Frage"), QStringLiteral("Löschen?"),
                                  kButtonsYesToAllNo, key, 315, 170, mainFrame_),
             10);
    QCOMPARE(ReadIntSetting(key.toStdString(), 99), 99);
  }

  void theCheckBoxStartsClearedAndEnterOrSpaceToggleIt() {
    const QString key = QStringLiteral("ShowRedEyeMessage");
    WhenShown(Box(), [&] {
      QVERIFY(!Box()->CheckBox()->isChecked());
      Box()->CheckBox()->setFocus();
      QTest::keyClick(Box()->CheckBox(), Qt::Key_Space);
      QVERIFY(Box()->CheckBox()->isChecked());
      QTest::keyClick(Box()->CheckBox(), Qt::Key_Return);
      QVERIFY(!Box()->CheckBox()->isChecked());
      QTest::keyClick(Box()->CheckBox(), Qt::Key_Return);
      QVERIFY(Box()->CheckBox()->isChecked());
      QVERIFY(Box()->isVisible());
      QTest::mouseClick(Box()->CheckBoxLabel(), Qt::LeftButton);
      QVERIFY(!Box()->CheckBox()->isChecked());
      QTest::mouseClick(Box()->CheckBox(), Qt::LeftButton);
      QVERIFY(Box()->CheckBox()->isChecked());
      QTest::mouseClick(Box()->ButtonFor(kResultOk), Qt::LeftButton);
    });
    kit_->ShowMessageBox(QStringLiteral("Information"), QStringLiteral("Rote Augen markieren."),
                         kButtonsOk, key, 315, 160, mainFrame_);
    QVERIFY(!ReadBoolSetting(key.toStdString(), true));
  }

  void theCloseButtonAnswersTwo() {
    WhenShown(Box(), [&] { QTest::mouseClick(Box()->Frame()->CloseButton(), Qt::LeftButton); });
    QCOMPARE(kit_->ShowMessageBox(QStringLiteral("Frage"), QStringLiteral("Weiter?"), kButtonsYesNo,
                                  QString(), 315, 120, mainFrame_),
             2);
    // The dialogs carry only the close button, at the right edge.
    QVERIFY(!Box()->Frame()->MinimizeButton()->isVisibleTo(Box()));
    QCOMPARE(Box()->Frame()->ButtonPanel()->x(), 315 - 34);
  }

  void theCancelKeyAnswersPerRow_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("answer");
    QTest::newRow("OK row") << int(kButtonsOk) << 1;
    QTest::newRow("Yes/No row") << int(kButtonsYesNo) << 7;
    QTest::newRow("three buttons") << int(kButtonsYesToAllNo) << 7;
  }
  void theCancelKeyAnswersPerRow() {
    QFETCH(int, buttons);
    QFETCH(int, answer);
    WhenShown(Box(), [&] { QTest::keyClick(Box(), Qt::Key_Escape); });
    QCOMPARE(
        kit_->ShowMessageBox(QStringLiteral("Frage"), QStringLiteral("Weiter?"),
                             static_cast<std::uint16_t>(buttons), QString(), 315, 120, mainFrame_),
        answer);
  }

  void enterAnswersWithTheDefaultButton() {
    WhenShown(Box(), [&] { QTest::keyClick(Box(), Qt::Key_Return); });
    QCOMPARE(kit_->ShowMessageBox(QStringLiteral("Frage"), QStringLiteral("Löschen?"),
                                  kButtonsYesNo, QString(), 315, 120, mainFrame_),
             7);
  }

  void theInputBoxReturnsTheDefaultTextUnlessConfirmed() {
    TXPInputBox* box = kit_->InputBox();
    WhenShown(box, [&] {
      QVERIFY(!mainFrame_->Active());
      QCOMPARE(box->size(), QSize(307, 175));
      QCOMPARE(box->Edit()->text(), QStringLiteral("IMG_0001.jpg"));
      QCOMPARE(box->Edit()->selectedText(), QStringLiteral("IMG_0001.jpg"));
      QTest::keyClicks(box->Edit(), QStringLiteral("Neuer Name.jpg"));
      QTest::mouseClick(box->CancelButton(), Qt::LeftButton);
    });
    QCOMPARE(kit_->ShowInputBox(QStringLiteral("Umbenennen"), QStringLiteral("Neuer Dateiname:"),
                                QStringLiteral("IMG_0001.jpg"), mainFrame_),
             QStringLiteral("IMG_0001.jpg"));
    QVERIFY(mainFrame_->Active());

    WhenShown(box, [&] {
      box->Edit()->setText(QStringLiteral("  Strand.jpg \t"));
      QTest::mouseClick(box->OkButton(), Qt::LeftButton);
    });
    QCOMPARE(kit_->ShowInputBox(QStringLiteral("Umbenennen"), QStringLiteral("Neuer Dateiname:"),
                                QStringLiteral("IMG_0001.jpg"), mainFrame_),
             QStringLiteral("Strand.jpg"));

    WhenShown(box, [&] {
      box->Edit()->setText(QStringLiteral("    "));
      QTest::keyClick(box->Edit(), Qt::Key_Return);
    });
    QCOMPARE(kit_->ShowInputBox(QStringLiteral("Umbenennen"), QStringLiteral("Neuer Dateiname:"),
                                QStringLiteral("IMG_0001.jpg"), mainFrame_),
             QString());

    for (const bool escape : {true, false}) {
      WhenShown(box, [&] {
        box->Edit()->setText(QStringLiteral("anders"));
        if (escape)
          QTest::keyClick(box->Edit(), Qt::Key_Escape);
        else
          QTest::mouseClick(box->Frame()->CloseButton(), Qt::LeftButton);
      });
      QCOMPARE(kit_->ShowInputBox(QStringLiteral("Umbenennen"), QStringLiteral("Name:"),
                                  QStringLiteral(" alt "), mainFrame_),
               QStringLiteral(" alt "));
    }
  }

  void theChooserOpensAtTheStartFolderAndReturnsThePathField() {
    TXPSelectFolderDialog* chooser = kit_->FolderDialog();
    const QString start = HomePath("Bilder/2024");
    WhenShown(chooser, [&] {
      QVERIFY(!mainFrame_->Active());
      QCOMPARE(chooser->size(), QSize(359, 426));
      QCOMPARE(TXPFolderTree::NodePath(chooser->TreeView()->currentItem()), start);
      QCOMPARE(chooser->Edit()->text(), start);
      QCOMPARE(chooser->OkButton()->text(), QStringLiteral("&Öffnen"));
      QVERIFY(!chooser->OkButton()->Picture().isNull());
      QCOMPARE(chooser->NewFolderButton()->toolTip(), QStringLiteral("Unterverzeichnis anlegen"));
      QTest::mouseClick(chooser->OkButton(), Qt::LeftButton);
    });
    QCOMPARE(kit_->ChooseFolder(QStringLiteral("Quellverzeichnis wählen"),
                                QStringLiteral("&Öffnen"), 0, start, mainFrame_),
             start);
    QVERIFY(mainFrame_->Active());

    // A typed path comes back unchanged; cancelling gives the empty text.
    WhenShown(chooser, [&] {
      chooser->Edit()->setText(QStringLiteral("/gibt/es/nicht/"));
      QTest::mouseClick(chooser->OkButton(), Qt::LeftButton);
    });
    QCOMPARE(kit_->ChooseFolder(QStringLiteral("Zielverzeichnis"), QStringLiteral("&Ok"), 1,
                                QString(), mainFrame_),
             QStringLiteral("/gibt/es/nicht/"));
    WhenShown(chooser, [&] { QTest::mouseClick(chooser->CancelButton(), Qt::LeftButton); });
    QCOMPARE(kit_->ChooseFolder(QStringLiteral("Zielverzeichnis"), QStringLiteral("Speichern"), 2,
                                start, mainFrame_),
             QString());
    // A start folder that is not there leaves the tree alone.
    WhenShown(chooser, [&] {
      QCOMPARE(chooser->Edit()->text(), QStringLiteral("/gibt/es/nicht"));
      QTest::keyClick(chooser, Qt::Key_Escape);
    });
    QCOMPARE(kit_->ChooseFolder(QStringLiteral("Zielverzeichnis"), QStringLiteral("&Ok"), 1,
                                QStringLiteral("/gibt/es/nicht"), mainFrame_),
             QString());
  }

  void thePathFieldFollowsTheTree() {
    TXPSelectFolderDialog* chooser = kit_->FolderDialog();
    QString desktopField, computerField, homeField, rootField, folderField, confirmed;
    WhenShown(chooser, [&] {
      TXPFolderTree* tree = chooser->TreeView();
      tree->setCurrentItem(FindNode(tree->TopNode(), TXPFolderTree::ComputerNodePath()));
      computerField = chooser->Edit()->text();
      tree->setCurrentItem(tree->TopNode());
      desktopField = chooser->Edit()->text();
      QTreeWidgetItem* computer = FindNode(tree->TopNode(), TXPFolderTree::ComputerNodePath());
      tree->setCurrentItem(computer->child(0));
      rootField = chooser->Edit()->text();
      tree->setCurrentItem(FindNode(tree->TopNode(), QDir::cleanPath(QDir::homePath())));
      homeField = chooser->Edit()->text();
      QVERIFY(tree->SelectFolder(HomePath("Desktop/Projekte")));
      folderField = chooser->Edit()->text();
      tree->setCurrentItem(computer);
      QTest::mouseClick(chooser->OkButton(), Qt::LeftButton);
    });
    confirmed = kit_->ChooseFolder(QStringLiteral("Ordner"), QStringLiteral("&Ok"), 1,
                                   HomePath("Dokumente"), mainFrame_);
    QCOMPARE(computerField, QString());
    QCOMPARE(desktopField, QString::fromStdString(DesktopFolder()));
    QCOMPARE(desktopField, HomePath("Desktop"));
    QCOMPARE(rootField, QStringLiteral("/"));
    QCOMPARE(homeField, trimora::testing::Environment()->Home());
    QCOMPARE(folderField, HomePath("Desktop/Projekte"));
    QCOMPARE(confirmed, QString());  // the computer node: callers treat it as cancel
  }

  void theNewFolderButtonCreatesAFolderOrSaysItExists() {
    TXPSelectFolderDialog* chooser = kit_->FolderDialog();
    const QString fresh = HomePath("Bilder/Neu");
    QString message;
    bool stayedOpen = false;
    bool freshInTree = false;
    WhenShown(chooser, [&] {
      chooser->Edit()->setText(fresh);
      QTest::mouseClick(chooser->NewFolderButton(), Qt::LeftButton);
      freshInTree = chooser->TreeView()->SelectFolder(fresh);
      chooser->Edit()->setText(HomePath("Bilder/2024"));
      WhenShown(Box(), [&] {
        message = Box()->Text();
        QCOMPARE(Box()->windowTitle(), QStringLiteral("  Fehler"));
        QVERIFY(!chooser->Frame()->Active());
        QTest::mouseClick(Box()->ButtonFor(kResultOk), Qt::LeftButton);
      });
      QTest::mouseClick(chooser->NewFolderButton(), Qt::LeftButton);
      stayedOpen = chooser->isVisible() && chooser->Frame()->Active();
      QTest::mouseClick(chooser->CancelButton(), Qt::LeftButton);
    });
    kit_->ChooseFolder(QStringLiteral("Zielverzeichnis"), QStringLiteral("&Ok"), 1,
                       HomePath("Bilder"), mainFrame_);
    QVERIFY(QFileInfo(fresh).isDir());
    QVERIFY(freshInTree);
    QCOMPARE(message, QStringLiteral("Das angegebene Verzeichnis existiert bereits."));
    QVERIFY(stayedOpen);
  }

  void theMainWindowMayGoBeforeTheKit() {
    auto window = std::make_unique<QWidget>();
    auto* frame = new TtfXPForm(window.get());
    auto kit = std::make_unique<DialogKit>(window.get(), frame);
    QPointer<TXPMessageBox> box = kit->MessageBox();
    window.reset();
    QVERIFY(box.isNull());
    kit.reset();
  }

  void theDialogsAreCreatedOnceAndReused() {
    TXPMessageBox* box = Box();
    WhenShown(box, [&] { QTest::keyClick(box, Qt::Key_Escape); });
    kit_->ShowMessageBox(QStringLiteral("Information"), QStringLiteral("x"), kButtonsOk, QString(),
                         290, 150, nullptr);
    QCOMPARE(Box(), box);
    QCOMPARE(box->size(), QSize(290, 150));
    QCOMPARE(box->objectName(), QStringLiteral("TXPMessageBox"));
    QCOMPARE(box->Frame()->objectName(), QStringLiteral("XPForm"));
    QCOMPARE(box->Content()->objectName(), QStringLiteral("ContentPanel"));
    QCOMPARE(box->Content()->geometry(), QRect(3, 32, 284, 114));
  }
};

TRIMORA_KIT_TEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
