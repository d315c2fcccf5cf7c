// The demo host with the real libOrnamo.so under X: its popups are prepared, measured and
// painted by the library, mnemonic and navigation keys reach it, and the host's switches work.
// Screenshots of every popup go to TRIMORA_SCREENSHOT_DIR when it is set.
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <QtTest>

#include "demo/demo_window.h"
#include "ornacore.h"
#include "qt/images.h"
#include "qt/toolkit.h"
#include "sys/environment.h"
#include "sys/objects.h"

namespace ornamo::demo {

using ornasys::SystemColour;

class DemoTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanupTestCase();
  void cleanup();
  void everyPopupIsMeasuredByTheLibrary();
  void stripPicturesAndTheBoldDefaultEntryArePainted();
  void aCheckedEntryWithoutPictureShowsTheCheckMarkOnAHalftone();
  void sideBandsArePaintedPlainAndStretched();
  void aMagentaKeyedBitmapShowsNoMagenta();
  void aGrayedEntryIsSelectedOnlyByTheKeyboard();
  void mnemonicsChooseTheLibrarysEntries();
  void emptyPopupsAreDisabledWhenTheHostAsks();
  void detachingGivesTheMenusBackToQt();

 private:
  QMenu* Open(const QString& title);
  QImage Shot(QMenu* menu, const QString& name);
  QRect EntryRect(QMenu* menu, Command command) const;
  static QColor Colour(SystemColour which) { return QColor(QRgb(ornasys::GetSystemColour(which))); }

  std::unique_ptr<ornasys::qt::Toolkit> toolkit_;
  std::optional<OrnamoLibrary> library_;
  std::unique_ptr<DemoWindow> window_;
  QString screenshots_;
};

void DemoTest::initTestCase() {
  toolkit_ = std::make_unique<ornasys::qt::Toolkit>();
  std::string error;
  library_ = OrnamoLibrary::Load(std::string(TRIMORA_PROGRAM_DIR) + "/" + OrnamoLibrary::kFileName,
                                 &error);
  QVERIFY2(library_, error.c_str());
  window_ = std::make_unique<DemoWindow>(&*library_);
  window_->move(40, 40);
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  window_->activateWindow();
  screenshots_ = qEnvironmentVariable("TRIMORA_SCREENSHOT_DIR");
  if (!screenshots_.isEmpty()) QDir().mkpath(screenshots_);
}

void DemoTest::cleanupTestCase() {
  window_.reset();
  library_.reset();
  toolkit_.reset();
}

void DemoTest::cleanup() {
  while (QWidget* popup = QApplication::activePopupWidget()) {
    popup->close();
    QApplication::processEvents();
  }
  for (const int key : {ornasys::kKeyDown, ornasys::kKeyUp}) ornasys::SetKeyDown(key, false);
}

QMenu* DemoTest::Open(const QString& title) {
  QMenu* menu = window_->TopMenu(title);
  if (menu == nullptr) return nullptr;
  window_->menuBar()->setActiveAction(menu->menuAction());
  if (!QTest::qWaitFor([menu] { return menu->isVisible(); })) return nullptr;
  if (!QTest::qWaitForWindowExposed(menu)) return nullptr;
  QApplication::processEvents();
  return menu;
}

QImage DemoTest::Shot(QMenu* menu, const QString& name) {
  QApplication::processEvents();
  QImage image = menu->grab().toImage().convertToFormat(QImage::Format_RGB32);
  if (!screenshots_.isEmpty()) {
    image.save(screenshots_ + "/ornamo_" + name + ".png");
    QScreen* screen = QGuiApplication::primaryScreen();
    screen->grabWindow(0).save(screenshots_ + "/ornamo_" + name + "_screen.png");
  }
  return image;
}

QRect DemoTest::EntryRect(QMenu* menu, Command command) const {
  return menu->actionGeometry(window_->Action(command));
}

void DemoTest::everyPopupIsMeasuredByTheLibrary() {
  for (const QString& title :
       {QStringLiteral("&Datei"), QStringLiteral("&Bearbeiten"), QStringLiteral("&Ansicht"),
        QStringLiteral("B&ilder"), QStringLiteral("Biblio&thek"), QStringLiteral("&Hilfe")}) {
    QMenu* menu = Open(title);
    QVERIFY2(menu != nullptr, qPrintable(title));
    Shot(menu, QString(title).remove('&').toLower());
    int widest = 0;
    for (QAction* action : menu->actions()) {
      const auto entry = window_->Host().EntryOf(menu, action);
      QVERIFY2(entry, qPrintable(action->text()));
      QVERIFY2(entry->item.type & ornasys::kItemOwnerDraw, qPrintable(action->text()));
      OrsMeasureItem measure{ORS_ODT_MENU, 0, entry->item.id, 0, 0, entry->item.data};
      ornasys::SendMessage(window_->Host().Window(), ORS_WM_MEASUREITEM, 0,
                           reinterpret_cast<intptr_t>(&measure));
      QCOMPARE(menu->actionGeometry(action).height(), static_cast<int>(measure.itemHeight));
      widest = std::max(widest, static_cast<int>(measure.itemWidth));
    }
    for (QAction* action : menu->actions()) {
      QCOMPARE(menu->actionGeometry(action).width(), widest);
    }
    menu->close();
  }
}

void DemoTest::stripPicturesAndTheBoldDefaultEntryArePainted() {
  QMenu* menu = Open(QStringLiteral("&Datei"));
  QVERIFY(menu != nullptr);
  const QImage shot = Shot(menu, "datei_bilder");
  CtlBitmapInfo strip{};
  strip.size = sizeof strip;
  QVERIFY(CtlGetBitmap(&strip, 0));
  const ornasys::Picture* pictures = ornasys::GetBitmap(strip.bitmap);
  QVERIFY(pictures != nullptr);
  const QImage strips = ornasys::qt::ImageOf(*pictures);
  const QRgb transparent = strips.pixel(0, 0);
  for (const auto& [command, number] :
       {std::pair{kNew, 1}, std::pair{kOpen, 2}, std::pair{kPrint, 4}, std::pair{kExit, 19}}) {
    const QRect entry = EntryRect(menu, command);
    const QPoint origin(entry.left() + 1, entry.top() + (entry.height() - 15) / 2);
    int compared = 0;
    for (int y = 0; y < 15; ++y) {
      for (int x = 0; x < 16; ++x) {
        const QRgb pixel = strips.pixel(x, (number - 1) * 16 + y);
        if (pixel == transparent) continue;
        QCOMPARE(QColor(shot.pixel(origin + QPoint(x, y))), QColor(pixel));
        ++compared;
      }
    }
    QVERIFY(compared > 20);
  }
  // The default entry's label is bold: wider than the same text drawn normally.
  const QFont font = QApplication::font("QMenu");
  QFont bold = font;
  bold.setBold(true);
  const QRect save = EntryRect(menu, kSave);
  int left = save.right();
  int right = save.left();
  for (int x = save.left() + 20; x < save.left() + save.width() / 2; ++x) {
    for (int y = save.top(); y <= save.bottom(); ++y) {
      if (QColor(shot.pixel(x, y)).lightness() < 100) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
  }
  const int drawn = right - left + 1;
  QVERIFY2(std::abs(drawn - QFontMetrics(bold).horizontalAdvance("Speichern")) <= 2 &&
               drawn > QFontMetrics(font).horizontalAdvance("Speichern"),
           qPrintable(QString::number(drawn)));
}

void DemoTest::aCheckedEntryWithoutPictureShowsTheCheckMarkOnAHalftone() {
  QMenu* menu = Open(QStringLiteral("&Ansicht"));
  QVERIFY(menu != nullptr);
  menu->setActiveAction(window_->Action(kGrid));
  const QImage shot = Shot(menu, "ansicht_markiert");
  const QRect entry = EntryRect(menu, kToolBar);
  // The picture column starts behind the stretched band (18 pixels) and its gap; the picture
  // one pixel further right.
  const QPoint cell(entry.left() + 21, entry.top() + (entry.height() - 15) / 2);
  QCOMPARE(QColor(shot.pixel(cell + QPoint(11, 3))), QColor(Qt::black));
  QCOMPARE(QColor(shot.pixel(cell + QPoint(3, 6))), QColor(Qt::black));
  const QColor halftone{QRgb(CtlTools_rgbBkgnd())};
  int white = 0;
  int shaded = 0;
  for (int x = 1; x < 8; ++x) {
    const QColor pixel(shot.pixel(cell + QPoint(x, 1)));
    white += pixel == QColor(Qt::white) ? 1 : 0;
    shaded += pixel == halftone ? 1 : 0;
  }
  QVERIFY2(white >= 3 && shaded >= 3, qPrintable(QStringLiteral("%1 %2").arg(white).arg(shaded)));
  QCOMPARE(QColor(shot.pixel(cell + QPoint(-1, -1))), Colour(SystemColour::kShadow3D));
  // An unchecked entry without picture has an empty picture column.
  const QRect grid = EntryRect(menu, kGrid);
  QCOMPARE(QColor(shot.pixel(grid.left() + 28, grid.center().y())), Colour(SystemColour::kMenu));
}

void DemoTest::sideBandsArePaintedPlainAndStretched() {
  QMenu* edit = Open(QStringLiteral("&Bearbeiten"));
  QVERIFY(edit != nullptr);
  QImage shot = Shot(edit, "bearbeiten_band");
  const int frame = edit->style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, edit);
  const QRect client = edit->rect().adjusted(frame, frame, -frame, -frame);
  // The plain band (22 × 150, dark blue at its bottom) ends at the popup's bottom.
  const QColor bottom(shot.pixel(client.left() + 1, client.bottom()));
  QVERIFY2(bottom.blue() > 80 && bottom.red() < 40, qPrintable(bottom.name()));
  QCOMPARE(QColor(shot.pixel(client.left() + 22, client.center().y())),
           Colour(SystemColour::kMenu));
  edit->close();

  QMenu* view = Open(QStringLiteral("&Ansicht"));
  QVERIFY(view != nullptr);
  shot = Shot(view, "ansicht_band");
  // The stretched band runs from its light top to its dark bottom over the whole height.
  const QColor top(shot.pixel(client.left() + 8, client.top()));
  const QColor low(shot.pixel(client.left() + 8, view->height() - frame - 1));
  QVERIFY2(top.red() > 200 && top.green() > 150, qPrintable(top.name()));
  QVERIFY2(low.red() < 190 && low.green() < 60, qPrintable(low.name()));
}

void DemoTest::aMagentaKeyedBitmapShowsNoMagenta() {
  QMenu* menu = Open(QStringLiteral("B&ilder"));
  QVERIFY(menu != nullptr);
  for (const Command command : {kMagentaBitmap, kIcon, kDisabledBitmap}) {
    menu->setActiveAction(window_->Action(command));
    const QImage shot = Shot(menu, QStringLiteral("bilder_%1").arg(command));
    for (int y = 0; y < shot.height(); ++y) {
      for (int x = 0; x < shot.width(); ++x) {
        QVERIFY2(QColor(shot.pixel(x, y)) != QColor(255, 0, 255),
                 qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
      }
    }
    const QRect entry = EntryRect(menu, kMagentaBitmap);
    QCOMPARE(QColor(shot.pixel(entry.left() + 1 + 8, entry.top() + (entry.height() - 15) / 2 + 7)),
             QColor(0xFF, 0xD0, 0x20));
  }
}

void DemoTest::aGrayedEntryIsSelectedOnlyByTheKeyboard() {
  QMenu* menu = Open(QStringLiteral("&Bearbeiten"));
  QVERIFY(menu != nullptr);
  const QRect redo = EntryRect(menu, kRedo);
  const QPoint background(redo.right() - 3, redo.top() + 2);

  // Reached with the Down key, held while the entry is painted.
  menu->setActiveAction(window_->Action(kUndo));
  QTest::keyPress(menu, Qt::Key_Down);
  QCOMPARE(menu->activeAction(), window_->Action(kRedo));
  QImage shot = Shot(menu, "bearbeiten_taste");
  QCOMPARE(QColor(shot.pixel(background)), Colour(SystemColour::kActiveCaption));
  QTest::keyRelease(menu, Qt::Key_Down);
  shot = Shot(menu, "bearbeiten_taste_los");
  QCOMPARE(QColor(shot.pixel(background)), Colour(SystemColour::kMenu));

  // Under the mouse.
  QTest::mouseMove(menu, EntryRect(menu, kDelete).center());
  QTRY_COMPARE(menu->activeAction(), window_->Action(kDelete));
  const QRect remove = EntryRect(menu, kDelete);
  shot = Shot(menu, "bearbeiten_maus");
  QCOMPARE(QColor(shot.pixel(remove.right() - 3, remove.top() + 2)), Colour(SystemColour::kMenu));
  QTest::mouseMove(menu, EntryRect(menu, kCopy).center());
  QTRY_COMPARE(menu->activeAction(), window_->Action(kCopy));
  const QRect copy = EntryRect(menu, kCopy);
  shot = Shot(menu, "bearbeiten_maus_aktiv");
  QCOMPARE(QColor(shot.pixel(copy.right() - 3, copy.top() + 2)),
           Colour(SystemColour::kActiveCaption));
}

void DemoTest::mnemonicsChooseTheLibrarysEntries() {
  QSignalSpy chosen(window_.get(), &DemoWindow::CommandChosen);
  struct Case {
    QString menu;
    QString keys;
    quint32 command;  // 0: nothing chosen, the popup stays open
  };
  const Case cases[] = {{"&Datei", "f", kOpen},
                        {"&Datei", "N", kNew},
                        {"&Bearbeiten", "k", kCopy},
                        {"&Bearbeiten", "w", 0},
                        {"&Bearbeiten", "q", 0},
                        {"&Ansicht", "dr", kTurnRight},
                        {"B&ilder", "r", kResourcePicture}};
  for (const Case& c : cases) {
    chosen.clear();
    QMenu* menu = Open(c.menu);
    QVERIFY(menu != nullptr);
    for (const QChar key : c.keys) {
      QWidget* popup = QApplication::activePopupWidget();
      QVERIFY(popup != nullptr);
      QTest::keyClick(popup, key.toLatin1());
      QApplication::processEvents();
    }
    if (c.command == 0) {
      QCOMPARE(chosen.count(), 0);
      QVERIFY(menu->isVisible());
    } else {
      QTRY_COMPARE(chosen.count(), 1);
      QCOMPARE(chosen.at(0).at(0).toUInt(), c.command);
      QTRY_VERIFY(!menu->isVisible());
    }
    cleanup();
  }

  // A text the host changes through the library keeps its mnemonic.
  window_->Action(kRenameNew)->trigger();
  QMenu* menu = Open("&Datei");
  QVERIFY(menu != nullptr);
  Shot(menu, "datei_umbenannt");
  OrmMenuItem item{};
  item.size = ORM_ITEM_SIZE;
  QVERIFY(library_->GetMenuItem(window_->Host().Window(), kNew, &item));
  QCOMPARE(QString::fromLatin1(item.text), QStringLiteral("&Neues Dokument\tStrg+N"));
  chosen.clear();
  QTest::keyClick(menu, 'n');
  QTRY_COMPARE(chosen.count(), 1);
  QCOMPARE(chosen.at(0).at(0).toUInt(), quint32{kNew});
  window_->Action(kRenameNew)->trigger();
}

void DemoTest::emptyPopupsAreDisabledWhenTheHostAsks() {
  QAction* recent = window_->TopMenu("&Datei")->actions().at(6);
  QCOMPARE(recent->text(), QStringLiteral("&Zuletzt geöffnet"));
  QMenu* menu = Open("&Datei");
  QVERIFY(recent->isEnabled());
  menu->close();

  window_->Action(kEmptyPopups)->trigger();
  menu = Open("&Datei");
  QVERIFY(!recent->isEnabled());
  const auto entry = window_->Host().EntryOf(menu, recent);
  QVERIFY(entry && (entry->item.state & ornasys::kItemGrayed));
  const QImage shot = Shot(menu, "datei_gesperrt");
  const QRect place = menu->actionGeometry(recent);
  int light = 0;
  for (int x = place.left(); x < place.left() + 18; ++x) {
    for (int y = place.top(); y <= place.bottom(); ++y) {
      const QColor pixel(shot.pixel(x, y));
      QVERIFY2(pixel == Colour(SystemColour::kMenu) || pixel == Colour(SystemColour::kShadow3D) ||
                   pixel == Colour(SystemColour::kHighlight3D),
               qPrintable(pixel.name()));
      light += pixel == Colour(SystemColour::kShadow3D) ? 1 : 0;
    }
  }
  QVERIFY(light > 10);
  menu->close();

  window_->Action(kEmptyPopups)->trigger();
  QVERIFY(recent->isEnabled());
}

void DemoTest::detachingGivesTheMenusBackToQt() {
  QAction* attached = window_->Action(kAttached);
  attached->trigger();
  QVERIFY(!window_->Host().IsSubclassed());
  QMenu* menu = Open("&Bearbeiten");
  QVERIFY(menu != nullptr);
  for (QAction* action : menu->actions()) {
    const auto entry = window_->Host().EntryOf(menu, action);
    QVERIFY(entry && !(entry->item.type & ornasys::kItemOwnerDraw));
  }
  const QImage plain = Shot(menu, "bearbeiten_ohne_bibliothek");
  const QColor left(plain.pixel(3, menu->height() - 4));
  QVERIFY2(!(left.blue() > 80 && left.red() < 40), qPrintable(left.name()));
  menu->close();

  attached->trigger();
  QVERIFY(window_->Host().IsSubclassed());
  menu = Open("&Bearbeiten");
  QVERIFY(menu != nullptr);
  QVERIFY(window_->Host().EntryOf(menu, window_->Action(kCut))->item.type &
          ornasys::kItemOwnerDraw);
}

}  // namespace ornamo::demo

QTEST_MAIN(ornamo::demo::DemoTest)
#include "demo_test.moc"
