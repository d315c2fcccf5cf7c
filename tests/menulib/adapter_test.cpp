// The Qt host adapter with the real libOrnamo.so: Qt's text engine against the built-in one,
// mnemonics, a host changing its actions while attached, context menus, and a window that
// goes before the library lets go of it.
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QtTest>

#include "host/ornamo_library.h"
#include "qt/host_window.h"
#include "qt/images.h"
#include "qt/toolkit.h"
#include "sys/environment.h"
#include "sys/text.h"

namespace ornasys::qt {

class AdapterTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanupTestCase();
  void textEnginesAgree_data();
  void textEnginesAgree();
  void aDoubledAmpersandIsNoMnemonic();
  void actionsChangedWhileAttachedKeepTheirEntries();
  void aContextMenuIsDecoratedOnceRegistered();
  void aWindowThatGoesFirstIsForgotten();
  void theToolkitFollowsThePalette();

 private:
  // A window with one menu "&Test" of the given texts; the actions get identifiers 1, 2, ...
  struct Host {
    std::unique_ptr<QMainWindow> window = std::make_unique<QMainWindow>();
    QMenu* menu = nullptr;
    std::unique_ptr<HostWindow> adapter;
  };
  Host MakeHost(const QStringList& texts);
  bool Open(Host& host);
  bool OwnerDrawn(Host& host, QAction* action) {
    const auto entry = host.adapter->EntryOf(host.menu, action);
    return entry && (entry->item.type & kItemOwnerDraw) != 0;
  }

  std::unique_ptr<Toolkit> toolkit_;
  std::optional<ornamo::OrnamoLibrary> library_;
};

void AdapterTest::initTestCase() {
  toolkit_ = std::make_unique<Toolkit>();
  std::string error;
  library_ = ornamo::OrnamoLibrary::Load(
      std::string(TRIMORA_PROGRAM_DIR) + "/" + ornamo::OrnamoLibrary::kFileName, &error);
  QVERIFY2(library_, error.c_str());
}

void AdapterTest::cleanupTestCase() {
  library_.reset();
  toolkit_.reset();
}

AdapterTest::Host AdapterTest::MakeHost(const QStringList& texts) {
  Host host;
  host.menu = host.window->menuBar()->addMenu(QStringLiteral("&Test"));
  std::uint32_t command = 1;
  for (const QString& text : texts) {
    QAction* action = text.isEmpty() ? host.menu->addSeparator() : host.menu->addAction(text);
    HostWindow::SetCommand(action, command++);
  }
  host.adapter = std::make_unique<HostWindow>(host.window.get());
  host.window->show();
  return host;
}

bool AdapterTest::Open(Host& host) {
  host.window->menuBar()->setActiveAction(host.menu->menuAction());
  return QTest::qWaitFor([&host] { return host.menu->isVisible(); });
}

void AdapterTest::textEnginesAgree_data() {
  QTest::addColumn<bool>("qt");
  QTest::newRow("built-in") << false;
  QTest::newRow("Qt") << true;
}

// What the library relies on, checked on both engines alike.
void AdapterTest::textEnginesAgree() {
  QFETCH(bool, qt);
  BlockTextEngine block;
  QtTextEngine qtEngine;
  TextEngine& engine = qt ? static_cast<TextEngine&>(qtEngine) : block;
  const Font font = qt ? FromQFont(QApplication::font("QMenu")) : Font{"Test", 10, 400, false};

  // Ampersands: "&&" is one ampersand, "&y" an underlined y that takes no extra room.
  QCOMPARE(engine.Measure(font, "&&x &y", 0).width,
           engine.Measure(font, "&x y", kTextNoPrefix).width);
  QCOMPARE(engine.Measure(font, "", 0).width, 0);
  QVERIFY(engine.Measure(font, "", 0).height > 0);
  QCOMPARE(engine.Measure(font, "Neu", 0).height, engine.Measure(font, "", 0).height);
  QVERIFY(engine.Measure(font, "Neuer", 0).width > engine.Measure(font, "Neu", 0).width);
  Font bold = font;
  bold.weight = 700;
  QVERIFY(engine.Measure(bold, "Speichern", 0).width >= engine.Measure(font, "Speichern", 0).width);

  const Colour red = Rgb(200, 0, 0);
  const auto draw = [&](std::string_view text, unsigned flags) {
    Picture picture(120, 30, Rgb(255, 255, 255));
    engine.Draw(picture, {10, 4, 100, 26}, font, text, red, flags);
    return picture;
  };
  const auto columns = [](const Picture& picture) {
    int left = picture.Width();
    int right = -1;
    int exact = 0;
    int touched = 0;
    for (int y = 0; y < picture.Height(); ++y) {
      for (int x = 0; x < picture.Width(); ++x) {
        if (picture.At(x, y) == Rgb(255, 255, 255)) continue;
        left = std::min(left, x);
        right = std::max(right, x);
        ++touched;
        // Fully covered pixels have the text colour; smoothed edges mix it with white.
        const Colour colour = picture.At(x, y);
        exact += RedOf(colour) >= 200 && GreenOf(colour) < 80 && GreenOf(colour) == BlueOf(colour)
                     ? 1
                     : 0;
      }
    }
    return std::tuple{left, right, exact, touched};
  };
  const auto [left, right, exact, touched] = columns(draw("Neu", kTextLeft));
  QVERIFY2(left >= 10 && left <= 13, qPrintable(QString::number(left)));
  QVERIFY(right < 100);
  QVERIFY2(exact > 5, "the text colour is used");
  const auto [rightLeft, rightRight, rightExact, rightTouched] = columns(draw("Neu", kTextRight));
  QVERIFY2(rightRight >= 96 && rightRight < 100, qPrintable(QString::number(rightRight)));
  QVERIFY(std::abs(rightTouched - touched) <= touched / 10);  // the same text, moved
  QVERIFY(std::get<3>(columns(draw("&Neu", kTextLeft))) > touched);
  const auto [longLeft, longRight, longExact, longTouched] =
      columns(draw(std::string(80, 'W'), kTextLeft));
  QVERIFY(longLeft >= 10 && longRight < 100);
}

void AdapterTest::aDoubledAmpersandIsNoMnemonic() {
  Host host = MakeHost({QStringLiteral("&&x &y"), QStringLiteral("&x")});
  QSignalSpy first(host.menu->actions().at(0), &QAction::triggered);
  QSignalSpy second(host.menu->actions().at(1), &QAction::triggered);
  library_->AttachMenu(host.adapter->Window());
  for (const char key : {'x', 'Y'}) {
    QVERIFY(Open(host));
    QVERIFY(OwnerDrawn(host, host.menu->actions().at(0)));
    QTest::keyClick(host.menu, key);
    QTRY_VERIFY(!host.menu->isVisible());
  }
  QCOMPARE(second.count(), 1);
  QCOMPARE(first.count(), 1);
  library_->DetachMenu(host.adapter->Window());
}

void AdapterTest::actionsChangedWhileAttachedKeepTheirEntries() {
  Host host = MakeHost(
      {QStringLiteral("&Eins"), QStringLiteral("&Zwei"), QString(), QStringLiteral("&Drei\tF3")});
  library_->AttachMenu(host.adapter->Window());
  QVERIFY(Open(host));
  QList<QAction*> actions = host.menu->actions();
  const auto dataOf = [&](QAction* action) {
    return host.adapter->EntryOf(host.menu, action)->item.data;
  };
  const uintptr_t two = dataOf(actions[1]);
  QVERIFY(two != 0);
  host.menu->close();

  // A new action and a hidden one: the others keep what the library gave them.
  auto* fresh = new QAction(QStringLiteral("&Neu"), host.menu);
  HostWindow::SetCommand(fresh, 9);
  host.menu->insertAction(actions[1], fresh);
  actions[0]->setVisible(false);
  QCOMPARE(dataOf(actions[1]), two);
  QVERIFY(!OwnerDrawn(host, fresh));
  QVERIFY(!host.adapter->EntryOf(host.menu, actions[0]));

  // A new text makes the entry plain until the popup opens again, then it shows the new text.
  actions[1]->setText(QStringLiteral("&Zweiter Text"));
  QVERIFY(!OwnerDrawn(host, actions[1]));
  QVERIFY(Open(host));
  QVERIFY(OwnerDrawn(host, fresh));
  QVERIFY(OwnerDrawn(host, actions[1]));
  OrmMenuItem item{};
  item.size = ORM_ITEM_SIZE;
  QVERIFY(library_->GetMenuItem(host.adapter->Window(), 2, &item));
  QCOMPARE(QString::fromLatin1(item.text), QStringLiteral("&Zweiter Text"));
  // A disabled action is shown disabled and answers no key.
  actions[3]->setEnabled(false);
  QVERIFY(host.adapter->EntryOf(host.menu, actions[3])->item.state & kItemGrayed);
  QTest::keyClick(host.menu, 'd');
  QVERIFY(host.menu->isVisible());
  host.menu->close();
  library_->DetachMenu(host.adapter->Window());
}

void AdapterTest::aContextMenuIsDecoratedOnceRegistered() {
  Host host = MakeHost({QStringLiteral("&Eins")});
  QMenu context(host.window.get());
  QAction* copy = context.addAction(QStringLiteral("&Kopieren"));
  copy->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
  copy->setShortcutVisibleInContextMenu(false);
  const Handle handle = host.adapter->MenuOf(&context);
  QVERIFY(handle != 0);
  QCOMPARE(host.adapter->MenuOf(&context), handle);
  QCOMPARE(host.adapter->MenuFor(handle), &context);
  QCOMPARE(GetMenuItem(handle, 0)->text, std::string("&Kopieren"));
  library_->AttachMenu(host.adapter->Window());
  context.popup(host.window->mapToGlobal(QPoint(20, 40)));
  QVERIFY(QTest::qWaitForWindowExposed(&context));
  const auto entry = host.adapter->EntryOf(&context, copy);
  QVERIFY(entry && (entry->item.type & kItemOwnerDraw));
  OrsMeasureItem measure{ORS_ODT_MENU, 0, entry->item.id, 0, 0, entry->item.data};
  SendMessage(host.adapter->Window(), ORS_WM_MEASUREITEM, 0, reinterpret_cast<intptr_t>(&measure));
  QCOMPARE(context.actionGeometry(copy).width(), static_cast<int>(measure.itemWidth));
  context.close();
  library_->DetachMenu(host.adapter->Window());
}

void AdapterTest::aWindowThatGoesFirstIsForgotten() {
  Host host = MakeHost({QStringLiteral("&Eins")});
  const Handle window = host.adapter->Window();
  library_->AttachMenu(window);
  QVERIFY(Open(host));
  host.menu->close();
  host.adapter.reset();
  host.window.reset();
  QVERIFY(!IsWindow(window));
  library_->DetachMenu(window);
  library_->DetachMenu(window);
}

intptr_t CountSettingsChanges(Handle, std::uint32_t message, uintptr_t, intptr_t) {
  static int changes = 0;
  if (message == ORS_WM_SETTINGCHANGE) ++changes;
  return changes;
}

void AdapterTest::theToolkitFollowsThePalette() {
  Host host = MakeHost({QStringLiteral("&Eins")});
  SetWindowProcedure(host.adapter->Window(), CountSettingsChanges);
  const intptr_t before = CountSettingsChanges(0, 0, 0, 0);
  const QPalette original = QApplication::palette();
  QPalette palette = original;
  palette.setColor(QPalette::Highlight, QColor(0x12, 0x34, 0x56));
  palette.setColor(QPalette::Text, QColor(0x65, 0x43, 0x21));
  QApplication::setPalette(palette);
  QApplication::processEvents();
  QCOMPARE(GetSystemColour(SystemColour::kActiveCaption), Rgb(0x12, 0x34, 0x56));
  QCOMPARE(GetSystemColour(SystemColour::kMenuText), Rgb(0x65, 0x43, 0x21));
  QVERIFY(CountSettingsChanges(0, 0, 0, 0) > before);
  QApplication::setPalette(original);
  QApplication::processEvents();
  QVERIFY(GetSystemColour(SystemColour::kActiveCaption) != Rgb(0x12, 0x34, 0x56));
}

}  // namespace ornasys::qt

QTEST_MAIN(ornasys::qt::AdapterTest)
#include "adapter_test.moc"
