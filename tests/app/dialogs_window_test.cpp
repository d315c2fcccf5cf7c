// The settings dialog and the format definitions dialog on the real main window: opened by their
// keys, looked at (sizes, captions, colours, nothing cut off), driven by real keys and clicks,
// and what they write. Screenshots go to TRIMORA_SCREENSHOT_DIR when it is set.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <filesystem>

#include "../ui/kit_test_support.h"
#include "app/kv_main_form.h"
#include "app/options_dialog.h"
#include "fake_main_view.h"
#include "formats/format_dialog.h"
#include "frame/image_panel.h"
#include "frame/picture_view.h"
#include "frame/rect_box.h"
#include "main_window_test_support.h"
#include "platform/settings.h"
#include "tables/table_file.h"
#include "ui/dialog_kit.h"
#include "ui/dialog_rules.h"
#include "ui/message_box.h"
#include "ui/xp_controls.h"
#include "ui/xp_form.h"

using trimora::FormatGrid;
using trimora::GridButton;
using trimora::OptionsCheck;
using trimora::OptionsList;
using trimora::app::TKvMainForm;
using trimora::app::TOptionsDialog;
using trimora::formats::TFormatDialog;

namespace {

void Screenshot(QWidget* widget, const QString& name) {
  trimora::testing::Screenshot(widget, QStringLiteral("dialogs"), name);
}

// Runs `act` once `dialog` is shown (it is shown modally by the code under test) and active, so
// that keys go where a person's would: to the dialog's focus. `act` must leave the dialog
// closed.
void WhenActive(QWidget* dialog, std::function<void()> act) {
  trimora::testing::WhenShown(dialog, [dialog, act] {
    dialog->activateWindow();
    if (!QTest::qWaitForWindowActive(dialog)) qWarning("the dialog did not become active");
    act();
  });
}

// Answers the next message box over the dialogs with its "&Ok" and keeps its text.
void AnswerMessageBox(TKvMainForm& window, QString* text) {
  trimora::ui::TXPMessageBox* box = window.Dialogs().MessageBox();
  WhenActive(box, [box, text] {
    *text = box->Text();
    Screenshot(box, QStringLiteral("message"));
    box->ButtonFor(trimora::ui::kResultOk)->click();
  });
}

// True when `label` shows its whole text in one line.
bool Whole(const QLabel* label) {
  return label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width();
}

// Types `text` into the current cell of `grid`: the first key opens the editor, which then has
// the focus for the rest.
void TypeInto(trimora::formats::TFormatGrid* grid, const QString& text) {
  QTest::keyClicks(grid, text.left(1));
  if (text.size() > 1 && grid->OpenEditor() != nullptr)
    QTest::keyClicks(grid->OpenEditor(), text.mid(1));
}

// Counts the paints of the widgets it is installed on.
struct PaintCounter : QObject {
  int count = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count;
    return false;
  }
};

}  // namespace

class DialogsWindowTest : public QObject {
  Q_OBJECT

 private:
  trimora::testing::PrivateHome home_;
  QTemporaryDir formats_;
  trimora::testing::FakePrograms programs_;

  std::unique_ptr<TKvMainForm> Start() {
    auto window =
        std::make_unique<TKvMainForm>(nullptr, &programs_, formats_.path().toStdString() + "/");
    window->show();
    [&] { QTRY_VERIFY(!window->StartingUp()); }();
    return window;
  }
  QString FormatFile(bool scalable) const {
    return formats_.filePath(scalable ? QStringLiteral("skalierbare Formate.dat")
                                      : QStringLiteral("nicht skalierbare Formate.dat"));
  }
  static QModelIndex Current(TFormatDialog* dialog, FormatGrid grid) {
    return dialog->Grid(grid)->currentIndex();
  }

 private slots:
  void initTestCase() { home_.Use(); }

  void init() {
    home_.ClearSettings();
    trimora::WriteIntSetting("Height", 700);  // not the first run: no guide
    for (bool scalable : {true, false}) {
      QFile::remove(FormatFile(scalable));
      QFile::setPermissions(formats_.path(),
                            QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
      const QString name = QFileInfo(FormatFile(scalable)).fileName();
      QVERIFY(QFile::copy(QStringLiteral(TRIMORA_PROGRAM_DIR "/") + name, FormatFile(scalable)));
      QFile::setPermissions(FormatFile(scalable), QFile::ReadOwner | QFile::WriteOwner);
    }
  }

  void theSettingsDialogShowsItsGroupsWholeInGermanInTabOrder() {
    auto window = Start();
    TOptionsDialog* dialog = window->OptionsDialogWindow();
    QSize size;
    QPoint centreOffset;
    QString title;
    QStringList headings, entries, clipped, tabOrder;
    bool frameInactive = false;
    WhenActive(dialog, [&] {
      size = dialog->size();
      title = dialog->windowTitle();
      frameInactive = !window->Frame()->Active();
      centreOffset = dialog->frameGeometry().center() - window->frameGeometry().center();
      for (int g = 0; g < 4; ++g) {
        headings << dialog->GroupHeading(g)->text();
        if (!Whole(dialog->GroupHeading(g))) clipped << dialog->GroupHeading(g)->text();
        const QRect group = dialog->Group(g)->geometry();
        if (!dialog->Group(g)->parentWidget()->rect().contains(group))
          clipped << QStringLiteral("group %1").arg(g);
      }
      for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (label->isVisible() && !label->text().isEmpty() && !Whole(label))
          clipped << label->text();
      }
      for (OptionsList list :
           {OptionsList::kFileFormat1, OptionsList::kFileFormat2, OptionsList::kEnlargeColor}) {
        QComboBox* box = dialog->List(list);
        for (int i = 0; i < box->count(); ++i) {
          entries << box->itemText(i);
          // The entry, the drop-down arrow and the frame fit into the closed list.
          if (box->fontMetrics().horizontalAdvance(box->itemText(i)) + 28 > box->width())
            clipped << box->itemText(i);
        }
      }
      Screenshot(dialog, QStringLiteral("settings"));
      dialog->List(OptionsList::kFileFormat1)->setFocus();
      for (int i = 0; i < 12; ++i) {
        tabOrder << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      }
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
    QVERIFY(!dialog->isVisible());
    QVERIFY(frameInactive);
    QVERIFY(window->Frame()->Active());
    QCOMPARE(size, QSize(516, 547));
    QCOMPARE(title, QStringLiteral("  Einstellungen"));
    QVERIFY2(centreOffset.manhattanLength() <= 2, qPrintable(QString::number(centreOffset.x())));
    QCOMPARE(headings,
             (QStringList{QStringLiteral("Dateiformate zum Speichern von Bildausschnitten"),
                          QStringLiteral("Erweiterung von Bildern durch Seitenstreifen"),
                          QStringLiteral("Anzeige von Meldungen/Sicherheitsabfragen"),
                          QStringLiteral("Sonstige Einstellungen")}));
    QCOMPARE(entries.size(), 15);
    QCOMPARE(entries[0],
             QStringLiteral(
                 "JPEG (verlustfrei - Auswahlbereich kann nicht pixelgenau positioniert werden)"));
    QCOMPARE(entries[5],
             QStringLiteral(
                 "JPEG (verlustbehaftet - Auswahlbereich kann pixelgenau positioniert werden)"));
    QCOMPARE(entries.mid(9),
             (QStringList{QStringLiteral("weiß"), QStringLiteral("schwarz"), QStringLiteral("grau"),
                          QStringLiteral("rot"), QStringLiteral("grün"), QStringLiteral("blau")}));
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral(" | "))));
    QCOMPARE(tabOrder,
             (QStringList{
                 QStringLiteral("FileFormat1ComboBox"), QStringLiteral("FileFormat2ComboBox"),
                 QStringLiteral("EnlargeLeftCheckBox"), QStringLiteral("EnlargeRightCheckBox"),
                 QStringLiteral("EnlargeComboBox"), QStringLiteral("LossySavingInfoCheckBox"),
                 QStringLiteral("LossySavingInfo2CheckBox"), QStringLiteral("AskOnDeleteCheckBox"),
                 QStringLiteral("MarkPictureCheckBox"), QStringLiteral("ShowHintsCheckBox"),
                 QStringLiteral("SpeichernButton"), QStringLiteral("CancelButton")}));
  }

  void keysToggleTheBoxesWhenReleasedAndTheListsFollowEachOther() {
    auto window = Start();
    TOptionsDialog* dialog = window->OptionsDialogWindow();
    QList<bool> states;
    bool stillOpen = false;
    int second = -1;
    bool secondEnabled = true;
    const QString before = QString::fromStdString(trimora::SettingsFilePath());
    QByteArray stored;
    {
      QFile f(before);
      if (f.open(QIODevice::ReadOnly)) stored = f.readAll();
    }
    WhenActive(dialog, [&] {
      auto* box = dialog->CheckBox(OptionsCheck::kEnlargeLeft);
      box->setFocus();
      QTest::keyPress(box, Qt::Key_Space);
      states << box->isChecked();  // still ticked while the key is down
      QTest::keyRelease(box, Qt::Key_Space);
      states << box->isChecked();
      QTest::keyPress(box, Qt::Key_Return);
      states << box->isChecked();
      QTest::keyRelease(box, Qt::Key_Return);
      states << box->isChecked();
      stillOpen = dialog->isVisible();  // Return on a box does not save
      // TIFF in the first list: the second one follows and goes off.
      QComboBox* first = dialog->List(OptionsList::kFileFormat1);
      first->setFocus();
      QTest::keyClick(first, Qt::Key_Down);
      QTest::keyClick(first, Qt::Key_Down);
      second = dialog->List(OptionsList::kFileFormat2)->currentIndex();
      secondEnabled = dialog->List(OptionsList::kFileFormat2)->isEnabled() ||
                      dialog->ListLabel(OptionsList::kFileFormat2)->isEnabled();
      Screenshot(dialog, QStringLiteral("settings-tiff"));
      QTest::keyClick(dialog, Qt::Key_Escape);
    });
    QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(states, (QList<bool>{true, false, false, true}));
    QVERIFY(stillOpen);
    QCOMPARE(second, 1);
    QVERIFY(!secondEnabled);
    QFile f(before);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), stored);  // Escape wrote nothing
    QCOMPARE(trimora::ReadIntSetting("FileFormat1", -1), -1);
  }

  void withoutAStripeSideSavingShowsTheMessageAndKeepsTheDialogOpen() {
    auto window = Start();
    TOptionsDialog* dialog = window->OptionsDialogWindow();
    QString message;
    bool openAfterMessage = false;
    WhenActive(dialog, [&] {
      dialog->CheckBox(OptionsCheck::kEnlargeLeft)->click();
      QTest::mouseClick(dialog->CheckLabel(OptionsCheck::kEnlargeRight), Qt::LeftButton);
      AnswerMessageBox(*window, &message);
      dialog->SaveButton()->click();
      openAfterMessage = dialog->isVisible();
      dialog->CancelButton()->click();
    });
    window->Presenter().Run(trimora::CommandId::Settings);
    QCOMPARE(message, QStringLiteral("Unter \"Erweitern von Bildern mit Seitenstreifen\" muss "
                                     "mindestens eine Option markiert sein."));
    QVERIFY(openAfterMessage);
    QVERIFY(trimora::ReadBoolSetting("Enlarge\\Left", true));
    QVERIFY(trimora::ReadBoolSetting("Enlarge\\Right", true));

    // Saved with one side: written, and the hints of every window follow.
    WhenActive(dialog, [&] {
      dialog->CheckBox(OptionsCheck::kEnlargeLeft)->click();
      dialog->CheckBox(OptionsCheck::kShowHints)->click();
      dialog->List(OptionsList::kEnlargeColor)->setCurrentIndex(3);
      emit dialog->List(OptionsList::kEnlargeColor)->activated(3);
      QTest::keyClick(dialog->SaveButton(), Qt::Key_Space);
    });
    window->Presenter().Run(trimora::CommandId::Settings);
    QVERIFY(!dialog->isVisible());
    QVERIFY(!trimora::ReadBoolSetting("Enlarge\\Left", true));
    QVERIFY(!trimora::ReadBoolSetting("ShowHints", true));
    QCOMPARE(trimora::ReadIntSetting("Enlarge\\Color", -1), 3);
    QVERIFY(!window->Presenter().Settings().showHints);
  }

  void theFormatDialogShowsBothGridsAsDesigned() {
    auto window = Start();
    TFormatDialog* dialog = window->FormatDialogWindow();
    QSize size;
    QString title;
    QList<int> scalableWidths, fixedWidths;
    QStringList titles, clipped, hints;
    int rowHeight = 0, headerHeight = 0;
    QColor textCell, greenLeft, greenRight, yellowLeft, yellowRight, currentCell, below;
    bool scalableFocused = false;
    WhenActive(dialog, [&] {
      size = dialog->size();
      title = dialog->windowTitle();
      scalableFocused = dialog->Grid(FormatGrid::kScalable)->hasFocus();
      for (FormatGrid which : {FormatGrid::kScalable, FormatGrid::kNonScalable}) {
        auto* grid = dialog->Grid(which);
        for (int c = 0; c < grid->model()->columnCount(); ++c) {
          (which == FormatGrid::kScalable ? scalableWidths : fixedWidths) << grid->columnWidth(c);
          titles << grid->model()->headerData(c, Qt::Horizontal).toString();
          const int needed = grid->fontMetrics().horizontalAdvance(titles.back()) + 6;
          if (needed > grid->columnWidth(c)) clipped << titles.back();
          for (int r = 0; r < grid->model()->rowCount(); ++r) {
            const QString text = grid->model()->index(r, c).data().toString();
            if (grid->fontMetrics().horizontalAdvance(text) + 6 > grid->columnWidth(c))
              clipped << text;
          }
        }
        if (!Whole(dialog->PanelLabel(which))) clipped << dialog->PanelLabel(which)->text();
        for (int b = 0; b < 6; ++b) {
          QToolButton* button = dialog->Button(which, static_cast<GridButton>(b));
          hints << button->toolTip();
          if (button->size() != QSize(38, 37)) clipped << button->objectName();
        }
      }
      auto* grid = dialog->Grid(FormatGrid::kScalable);
      rowHeight = grid->rowHeight(0);
      headerHeight = grid->horizontalHeader()->height();
      QWidget* port = grid->viewport();
      const QRect name = grid->visualRect(grid->model()->index(1, 0));
      const QRect green = grid->visualRect(grid->model()->index(1, 1));
      const QRect yellow = grid->visualRect(grid->model()->index(1, 3));
      const QImage shot = port->grab().toImage();
      textCell = shot.pixelColor(name.center() + QPoint(name.width() / 2 - 3, 0));
      greenLeft = shot.pixelColor(green.left() + 1, green.top() + 3);
      greenRight = shot.pixelColor(green.right() - 1, green.top() + 3);
      yellowLeft = shot.pixelColor(yellow.left() + 1, yellow.top() + 3);
      yellowRight = shot.pixelColor(yellow.right() - 1, yellow.top() + 3);
      const QRect now = grid->visualRect(grid->currentIndex());
      currentCell = shot.pixelColor(now.left() + 2, now.top() + 3);
      below = shot.pixelColor(port->width() / 2, port->height() - 3);
      Screenshot(dialog, QStringLiteral("formats"));
      dialog->CloseButton()->click();
    });
    QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(size, QSize(791, 437));
    QCOMPARE(title, QStringLiteral("  Formatdefinitionen"));
    QVERIFY(scalableFocused);
    QCOMPARE(scalableWidths, (QList<int>{144, 81, 74, 81, 74}));
    QCOMPARE(fixedWidths, (QList<int>{144, 74, 74}));
    QCOMPARE(titles, (QStringList{"Formatbezeichnung", "opt. Breite", "opt. Höhe", "min. Breite",
                                  "min. Höhe", "Formatbezeichnung", "Breite", "Höhe"}));
    QCOMPARE(hints.mid(0, 6),
             (QStringList{"Erstes Format", "Voriges Format", "Nächstes Format", "Letztes Format",
                          "Neues Format anfügen", "Format löschen"}));
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral(" | "))));
    QCOMPARE(rowHeight, 23);
    QCOMPARE(headerHeight, 23);
    QCOMPARE(textCell, QColor(235, 239, 252));
    QVERIFY2(qAbs(greenLeft.red() - 176) <= 6 && qAbs(greenLeft.green() - 237) <= 4,
             qPrintable(greenLeft.name()));
    QVERIFY2(qAbs(greenRight.red() - 9) <= 6 && qAbs(greenRight.green() - 178) <= 4,
             qPrintable(greenRight.name()));
    QVERIFY2(yellowLeft.blue() >= 245 && yellowRight.blue() <= 10 && yellowRight.red() == 255,
             qPrintable(yellowLeft.name() + yellowRight.name()));
    QCOMPARE(currentCell, QColor(118, 158, 217));
    QCOMPARE(below, QColor(235, 239, 252));
  }

  void enterMovesEditsTakeEffectAndEscapeClosesOnlyWithoutAnEdit() {
    auto window = Start();
    TFormatDialog* dialog = window->FormatDialogWindow();
    QList<QPoint> cells;
    bool openAfterEscapeInEdit = false;
    bool editorClosedByEscape = false;
    QString edited, notEdited;
    WhenActive(dialog, [&] {
      auto* grid = dialog->Grid(FormatGrid::kScalable);
      grid->setFocus();
      auto cell = [&] { return QPoint(grid->currentIndex().row(), grid->currentIndex().column()); };
      cells << cell();
      for (int i = 0; i < 5; ++i) {
        QTest::keyClick(grid, Qt::Key_Return);
        cells << cell();
      }
      // Typing starts editing; Enter takes the number and moves on.
      TypeInto(grid, QStringLiteral("2000"));
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
      cells << cell();
      edited = grid->model()->index(1, 0).data().toString();
      // The cancel key during an edit takes the edit back and leaves the dialog open.
      notEdited = grid->model()->index(1, 1).data().toString();
      TypeInto(grid, QStringLiteral("7"));
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
      editorClosedByEscape = grid->OpenEditor() == nullptr;
      openAfterEscapeInEdit = dialog->isVisible();
      QTest::keyClick(grid, Qt::Key_Escape);
    });
    window->Presenter().Run(trimora::CommandId::FormatDefinitions);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(cells, (QList<QPoint>{{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 0}, {1, 1}}));
    QCOMPARE(edited, QStringLiteral("2000"));
    QVERIFY(editorClosedByEscape);
    QVERIFY(openAfterEscapeInEdit);
    trimora::Table written;
    trimora::LoadTableFromFile(written, FormatFile(true).toStdString());
    written.LocateRecord(1);
    QCOMPARE(written.ReadText(trimora::kFormatName).value_or(""), std::string("2000"));
    QCOMPARE(QString::number(written.ReadInteger(trimora::kOptWidth).value_or(0)), notEdited);
  }

  void aWriteProtectedFileIsNamedAndTheOtherIsWritten() {
    auto window = Start();
    TFormatDialog* dialog = window->FormatDialogWindow();
    QFile::setPermissions(FormatFile(false), QFile::ReadOwner | QFile::ReadGroup);
    QFile old(FormatFile(false));
    QVERIFY(old.open(QIODevice::ReadOnly));
    const QByteArray before = old.readAll();
    old.close();
    QString message;
    WhenActive(dialog, [&] {
      auto* grid = dialog->Grid(FormatGrid::kScalable);
      grid->setCurrentIndex(grid->model()->index(0, 0));
      TypeInto(grid, QStringLiteral("Neu"));
      AnswerMessageBox(*window, &message);
      dialog->CloseButton()->click();
    });
    window->Presenter().Run(trimora::CommandId::FormatDefinitions);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(message, QStringLiteral("Der Zugriff auf die Datei \"") + FormatFile(false) +
                          QStringLiteral("\" wurde verweigert."));
    QFile now(FormatFile(false));
    QVERIFY(now.open(QIODevice::ReadOnly));
    QCOMPARE(now.readAll(), before);
    trimora::Table written;
    trimora::LoadTableFromFile(written, FormatFile(true).toStdString());
    QCOMPARE(written.ReadText(trimora::kFormatName).value_or(""), std::string("Neu"));
    QCOMPARE(QString::fromStdString(window->Presenter().Formats().DefaultFormat.Name),
             QStringLiteral("Neu"));
  }

  void anAppendedRowWithoutSizesKeepsTheDialogOpenWithANote() {
    auto window = Start();
    TFormatDialog* dialog = window->FormatDialogWindow();
    QString note;
    bool editing = false;
    bool openAfterClose = false;
    int rows = 0;
    WhenActive(dialog, [&] {
      dialog->Button(FormatGrid::kNonScalable, GridButton::kAppend)->click();
      auto* grid = dialog->Grid(FormatGrid::kNonScalable);
      editing = grid->OpenEditor() != nullptr;
      QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Poster"));
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
      dialog->CloseButton()->click();
      openAfterClose = dialog->isVisible();
      note = dialog->NoteLabel()->text();
      Screenshot(dialog, QStringLiteral("formats-note"));
      dialog->Button(FormatGrid::kNonScalable, GridButton::kDelete)->click();
      rows = grid->model()->rowCount();
      QTest::keyClick(grid, Qt::Key_Escape);
    });
    window->Presenter().Run(trimora::CommandId::FormatDefinitions);
    QVERIFY(editing);
    QVERIFY(openAfterClose);
    QCOMPARE(note, QStringLiteral("In Zeile %1 der nicht skalierbaren Formate fehlt der Wert "
                                  "\"Breite\". Die Formate werden erst gespeichert, wenn die "
                                  "Zeile ergänzt oder gelöscht ist.")
                       .arg(rows + 1));
    QVERIFY(!dialog->isVisible());
  }

  void closingTheFormatDialogPaintsThePictureOnce() {
    auto window = Start();
    QTemporaryDir pictures;
    QVERIFY(QFile::copy(QStringLiteral(TRIMORA_TESTDATA_DIR "/photos/plain-landscape.jpg"),
                        pictures.filePath(QStringLiteral("p0.jpg"))));
    window->resize(1000, 700);
    window->Presenter().Folder().OpenFolder(pictures.path().toStdString());
    trimora::testing::WaitForStrip(*window);
    QWidget* image = window->ImagePanel()->Image();
    QTRY_VERIFY(window->ImagePanel()->Frame()->isVisible());
    QTest::qWait(100);  // the window settles: whatever was pending is painted
    PaintCounter paints;
    image->installEventFilter(&paints);
    TFormatDialog* dialog = window->FormatDialogWindow();
    WhenActive(dialog, [&] {
      paints.count = 0;
      dialog->CloseButton()->click();
    });
    window->Presenter().Run(trimora::CommandId::FormatDefinitions);
    QVERIFY(!dialog->isVisible());
    QTest::qWait(300);  // every paint the closing asked for has happened
    QVERIFY2(paints.count <= 1, qPrintable(QString::number(paints.count)));
    // The counter sees the picture's paints.
    const int closing = paints.count;
    image->update();
    QTRY_VERIFY(paints.count > closing);
  }
};

QTEST_MAIN(DialogsWindowTest)
#include "dialogs_window_test.moc"
