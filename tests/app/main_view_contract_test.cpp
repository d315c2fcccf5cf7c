// The fake main window of the presenter tests against the real one: the same presenter
// scenario runs once over the fake view and once over the real window, and after every step
// both show the same thing (status panels, the state of every command, the strip entries, the
// band bar, the keyboard-help panel, the format button, both format menus, the crop frame and
// the red-eye marker).
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <iostream>
#include <sstream>

#include "../frame/fake_frame_view.h"
#include "app/kv_main_form.h"
#include "fake_main_view.h"
#include "frame/image_panel.h"
#include "frame/rect_box.h"
#include "platform/settings.h"

using namespace trimora;
using trimora::app::TKvMainForm;

namespace {

const QString kPhotos = QStringLiteral(TRIMORA_TESTDATA_DIR "/photos/");
// The program folder with the format files.
const std::string kFormats = TRIMORA_PROGRAM_DIR "/";

// One strip entry as a person sees it.
struct EntryShot {
  std::string caption;
  bool checked = false;
  bool checkEnabled = true;
  std::string type;
  bool red = false;
  bool current = false;
  bool hidden = false;
  bool operator==(const EntryShot&) const = default;
};

// What the window shows after a step.
struct Snapshot {
  std::array<std::string, 4> status;
  CommandSet enabled;
  CommandSet checked;
  std::string formatButton;
  std::vector<EntryShot> entries;
  bool shortcutPanel = false;
  std::array<bool, 5> bands{};
  std::vector<FormatMenuEntry> formatPopup;
  std::vector<FormatMenuEntry> defaultFormats;
  bool frameShown = false;
  bool markerShown = false;
  bool operator==(const Snapshot&) const = default;

  std::string Describe() const {
    std::ostringstream out;
    for (const std::string& s : status) out << "[" << s << "]";
    out << "\nenabled " << enabled.to_string() << "\nchecked " << checked.to_string()
        << "\nformat [" << formatButton << "] help panel " << shortcutPanel << " bands ";
    for (bool b : bands) out << b;
    out << " frame " << frameShown << " marker " << markerShown << "\nformats";
    for (const auto* menu : {&formatPopup, &defaultFormats}) {
      out << " |";
      for (const FormatMenuEntry& e : *menu)
        out << " " << (e.separator ? "-" : e.caption + "#" + std::to_string(e.formatId))
            << (e.checked ? "*" : "");
    }
    for (const EntryShot& e : entries) {
      out << "\n  " << e.caption << " checked " << e.checked << " box " << e.checkEnabled << " "
          << e.type << (e.red ? " red" : "") << (e.current ? " current" : "")
          << (e.hidden ? " hidden" : "");
    }
    return out.str();
  }
};

Snapshot FromFake(testing::FakeMainView& view, const testing::FakeFrameView& frame) {
  Snapshot s;
  s.formatPopup = view.formatPopup;
  s.defaultFormats = view.defaultFormatMenu;
  s.frameShown = frame.frameVisible;
  s.markerShown = frame.markerVisible;
  for (std::size_t i = 0; i < 4; ++i) s.status[i] = view.status[i];
  s.enabled = view.EnabledSet();
  s.checked = view.CheckedSet();
  // Commands of keys alone have no control to look at in the window.
  for (const CommandRow& row : CommandTable()) {
    if (*row.caption == '\0' && *row.buttonName == '\0') {
      s.enabled.reset(Index(row.id));
      s.checked.reset(Index(row.id));
    }
  }
  s.formatButton = view.captions[CommandId::FormatButton];
  for (const StripEntry& entry : view.entries) {
    const int p = entry.position;
    EntryShot shot;
    shot.caption = entry.caption;
    shot.checked = view.checkedEntries[p];
    const auto box = view.checkEnabledEntries.find(p);
    shot.checkEnabled = box == view.checkEnabledEntries.end() || box->second;
    std::string type = view.fileTypes[p];
    shot.red = type.size() > 4 && type.substr(type.size() - 4) == " red";
    shot.type = shot.red ? type.substr(0, type.size() - 4) : type;
    shot.current = view.currentEntry == p;
    shot.hidden = std::find(view.hidden.begin(), view.hidden.end(), p) != view.hidden.end();
    s.entries.push_back(shot);
  }
  s.shortcutPanel = view.shortcutVisible;
  s.bands = view.bandsVisible;
  return s;
}

std::vector<FormatMenuEntry> FormatEntries(QMenu* menu) {
  std::vector<FormatMenuEntry> entries;
  for (QAction* a : menu->actions()) {
    if (a->isSeparator()) {
      entries.push_back({"", 0, false, true});
    } else {
      entries.push_back({a->text().toStdString(), a->data().toInt(), a->isChecked(), false});
    }
  }
  return entries;
}

Snapshot FromWindow(TKvMainForm& window) {
  Snapshot s;
  s.formatPopup = FormatEntries(window.Menu(MenuId::FormatChooser));
  s.defaultFormats = FormatEntries(window.Menu(MenuId::DefaultFormat));
  s.frameShown = !window.ImagePanel()->Frame()->isHidden();
  s.markerShown = !window.ImagePanel()->RedEyeFrame()->isHidden();
  for (int i = 0; i < 4; ++i)
    s.status[static_cast<std::size_t>(i)] = window.StatusPanelText(i).toStdString();
  for (std::size_t i = 0; i < kCommandCount; ++i) {
    const std::vector<QAction*>& actions = window.Actions(static_cast<CommandId>(i));
    if (actions.empty()) continue;
    s.enabled.set(i, actions.front()->isEnabled());
    for (QAction* action : actions) {
      if (action->isCheckable()) s.checked.set(i, action->isChecked());
    }
  }
  auto* format = window.findChild<QToolButton*>(QStringLiteral("FormatButton"));
  s.formatButton = format->text().toStdString();
  for (int p = 0;; ++p) {
    const QString n = QString::number(p);
    auto* panel = window.findChild<QWidget*>(QStringLiteral("ThumbPanel") + n);
    if (panel == nullptr) break;
    EntryShot shot;
    auto* button = panel->findChild<QToolButton*>(QStringLiteral("ThumbButton") + n);
    auto* check = panel->findChild<QCheckBox*>(QStringLiteral("ThumbCheckBox") + n);
    auto* type = panel->findChild<QToolButton*>(QStringLiteral("TypeButton") + n);
    shot.caption = button->text().toStdString();
    shot.checked = check->isChecked();
    shot.checkEnabled = check->isEnabled();
    QString typeText = type->text();
    typeText.chop(2);  // " ▾"
    shot.type = typeText.toStdString();
    shot.red = type->property("lossy").toBool();
    shot.current = button->property("current").toBool();
    shot.hidden = panel->isHidden();
    s.entries.push_back(shot);
  }
  s.shortcutPanel = !window.ShortcutPanel()->isHidden();
  for (int band = 1; band <= 5; ++band) {
    s.bands[static_cast<std::size_t>(band - 1)] = !window.Band(band)->isHidden();
  }
  return s;
}

// The scenario: open a folder, page, mark, size and move the frame, dim, choose a type, hide a
// tool bar, delete a picture, show another one. `chooseType` answers the type menu with the
// item it is given; `snap` records what the window shows.
void RunScenario(MainPresenter& p, const std::string& folder,
                 const std::function<void(int)>& chooseType,
                 const std::function<void(const char*)>& snap) {
  snap("start");
  p.Folder().OpenFolder(folder);
  p.Folder().WaitForStrip();
  snap("opened");
  p.KeyPressed({Key::PageDown, false, false});
  snap("PgDn");
  p.KeyPressed({Key::PageDown, true, false});
  snap("Ctrl+PgDn");
  p.KeyPressed({Key::Delete, false, false});
  snap("Del");
  p.Run(CommandId::Minimise);
  p.KeyPressed({Key::Right, false, false});
  p.KeyPressed({Key::Q, false, false});
  snap("frame keys");
  for (int i = 0; i < 7; ++i) p.KeyPressed({Key::A, false, true});
  snap("dimmed");
  chooseType(1);
  p.TypeButtonClicked(0);
  snap("type of another entry");
  chooseType(2);
  p.TypeButtonClicked(p.Folder().CurrentPosition());
  snap("type of the shown entry");
  p.Run(CommandId::ToolBarRotate);
  snap("rotate bar hidden");
  p.DeleteClicked(1);
  snap("deleted");
  p.EntryClicked(0);
  snap("first shown");
  p.KeyPressed({Key::F3, false, false});
  snap("marking");
  p.KeyPressed({Key::Return, false, false});
  snap("red eyes filtered");
  p.KeyPressed({Key::F4, false, false});
  snap("corrected");
  p.KeyPressed({Key::F5, false, false});
  snap("enlarged");
  p.FormatChosen(2);
  snap("another format, enlarged");
  p.DefaultFormatChosen(3);
  snap("another default format");
  p.KeyPressed({Key::F5, true, false});
  p.KeyPressed({Key::F4, true, false});
  p.KeyPressed({Key::F3, true, false});
  snap("taken back");
  p.KeyPressed({Key::Delete, true, false});
  p.Folder().WaitForStrip();
  snap("reset");
}

}  // namespace

class MainViewContractTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir config_;
  QTemporaryDir runtime_;

  // The pictures of the scenario, afresh (the scenario deletes one and resets the folder).
  QString Pictures(QTemporaryDir& dir) {
    QDir(dir.path()).removeRecursively();
    QDir().mkpath(dir.path());
    const QStringList samples = {
        QStringLiteral("plain-landscape.jpg"), QStringLiteral("plain-portrait.jpg"),
        QStringLiteral("casio-ex-m2.jpg"), QStringLiteral("plain-landscape.jpg")};
    for (int i = 0; i < samples.size(); ++i) {
      QFile::copy(kPhotos + samples[i], dir.filePath(QStringLiteral("p%1.jpg").arg(i)));
    }
    return dir.path();
  }
  void FreshSettings() {
    QDir(config_.path()).removeRecursively();
    QDir().mkpath(config_.path());
    WriteBoolSetting("AskOnDelete", false);
    WriteIntSetting("Height", 600);  // not the first run: no guide viewer
    WriteBoolSetting("ShowRedEyeMessage", false);
    WriteBoolSetting("ShowLossySavingInfo2", false);
  }

 private slots:
  void initTestCase() {
    qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
    qputenv("XDG_RUNTIME_DIR", runtime_.path().toUtf8());
  }

  void theFakeWindowShowsWhatTheRealWindowShows() {
    testing::FakePrograms programs;

    // The real window first: its picture panel's size is the fake panel's.
    FreshSettings();
    QTemporaryDir folder;
    std::vector<std::pair<std::string, Snapshot>> real;
    int panelWidth = 0, panelHeight = 0;
    {
      TKvMainForm window(nullptr, &programs, kFormats);
      window.show();
      QTRY_VERIFY(!window.StartingUp());
      panelWidth = window.ImagePanel()->width();
      panelHeight = window.ImagePanel()->height();
      int typeItem = -1;
      auto chooseType = [&](int item) {
        typeItem = item;
        QTimer::singleShot(100, [&] {
          auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
          if (menu == nullptr) return;
          menu->setActiveAction(menu->actions().at(typeItem));
          QTest::keyClick(menu, Qt::Key_Return);
        });
      };
      RunScenario(window.Presenter(), Pictures(folder).toStdString(), chooseType,
                  [&](const char* step) {
                    QCoreApplication::processEvents();
                    real.emplace_back(step, FromWindow(window));
                  });
      QCOMPARE(window.ImagePanel()->width(), panelWidth);
      window.close();
    }

    // The same over the fake window.
    FreshSettings();
    testing::FakeMainView view;
    testing::FakeFrameView frame;
    frame.frameVisible = false;
    frame.panelWidth = panelWidth;
    frame.panelHeight = panelHeight;
    std::vector<std::pair<std::string, Snapshot>> fake;
    {
      MainPresenter presenter(view, frame, programs, kFormats, {0, 0, 1600, 1200}, nullptr);
      presenter.FinishStart();
      presenter.PanelResized(panelWidth, panelHeight);
      RunScenario(
          presenter, Pictures(folder).toStdString(), [&](int item) { view.typeAnswers = {item}; },
          [&](const char* step) { fake.emplace_back(step, FromFake(view, frame)); });
    }

    QCOMPARE(fake.size(), real.size());
    for (std::size_t i = 0; i < real.size(); ++i) {
      // Test messages are cut short: the whole picture goes to the error output.
      if (!(fake[i].second == real[i].second)) {
        std::cerr << "after " << real[i].first << "\nreal: " << real[i].second.Describe()
                  << "\nfake: " << fake[i].second.Describe() << "\n";
      }
      QVERIFY2(fake[i].second == real[i].second, real[i].first.c_str());
    }
    // The scenario reached what it meant to.
    const Snapshot& dimmed = real[6].second;
    QVERIFY(!dimmed.enabled.test(Index(CommandId::HideOutside)));
    const Snapshot& deleted = real[10].second;
    QVERIFY(deleted.entries.at(1).hidden);
    QCOMPARE(real[7].second.entries.at(0).type, std::string("JPG"));
    QVERIFY(real[7].second.entries.at(0).red);
    const Snapshot& marking = real[12].second;
    QVERIFY(marking.markerShown && !marking.frameShown);
    const Snapshot& enlarged = real[15].second;
    QVERIFY(enlarged.checked.test(Index(CommandId::EnlargeButton)));
    QVERIFY(enlarged.checked.test(Index(CommandId::CorrectionButton)));
    const Snapshot& back = real.back().second;
    QVERIFY(!back.checked.test(Index(CommandId::EnlargeButton)));
  }
};

QTEST_MAIN(MainViewContractTest)
#include "main_view_contract_test.moc"
