// The fake main window of the presenter tests against the real one: the same presenter
// scenario runs once over the fake view and once over the real window, and after every step
// both show the same thing (status panels, the state of every command, the strip entries, the
// band bar, the keyboard-help panel, the format button, both format menus, the crop frame, the
// red-eye marker, the magnifier, the EXIF/IPTC window and the full-screen preview's marked-part
// button).
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
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
#include "frame/full_screen_dialog.h"
#include "frame/image_panel.h"
#include "frame/rect_box.h"
#include "frame/zoom_view.h"
#include "metadata/exif_dialog.h"
#include "platform/settings.h"
#include "ui/text_memo.h"
#include "ui/xp_controls.h"

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
  int zoomPanelHeight = 0;
  bool zoomLabel = false;
  bool magnifierShown = false;
  bool magnifierActive = false;
  int zoomLevel = 0;
  bool exifShown = false;
  std::string exifText;
  bool croppedDown = false;
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
    out << "\nmagnifier panel " << zoomPanelHeight << " label " << zoomLabel << " shown "
        << magnifierShown << " active " << magnifierActive << " level " << zoomLevel
        << "\nexif window " << exifShown << " text " << exifText.size()
        << " bytes: " << exifText.substr(0, 60) << "\nmarked part " << croppedDown;

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
  s.zoomPanelHeight = view.magnifierPanel.panelHeight;
  s.zoomLabel = view.magnifierPanel.labelShown;
  s.magnifierShown = view.magnifierShown;
  s.magnifierActive = view.magnifierActive;
  s.zoomLevel = view.zoomLevel;
  s.exifShown = view.exifVisible;
  // The text field shows the lines; the last line break ends the last line.
  QString text =
      QString::fromStdString(view.exifText).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
  s.exifText = text.toStdString();
  s.croppedDown = view.croppedDown;
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
  s.zoomPanelHeight = window.ZoomPanel()->height();
  s.zoomLabel = !window.findChild<QLabel*>(QStringLiteral("ZoomLabel"))->isHidden();
  s.magnifierShown = !window.Magnifier()->isHidden();
  s.magnifierActive = window.Magnifier()->Active();
  s.zoomLevel = window.Magnifier()->ZoomLevel();
  s.exifShown = !window.ExifDialog()->isHidden();
  s.exifText = window.ExifDialog()->Memo()->Text().toStdString();
  s.croppedDown = window.FullScreenDialog()->Button(FullScreenAction::ToggleCropped)->isChecked();
  return s;
}

// The scenario: open a folder, switch the magnifier on with the pointer, zoom and pause it,
// open the EXIF/IPTC window, page, mark, size and move the frame, dim, choose a type, hide a
// tool bar, page and mark the part in the full-screen preview, delete a picture, show another
// one. `chooseType` answers the type menu with the item it is given; `inFullScreen` has the
// keys it is given pressed while the preview is open; `snap` records what the window shows.
void RunScenario(MainPresenter& p, const std::string& folder,
                 const std::function<void(int)>& chooseType,
                 const std::function<void(const std::vector<Key>&)>& inFullScreen,
                 const std::function<void(const char*)>& snap) {
  snap("start");
  p.Folder().OpenFolder(folder);
  p.Folder().WaitForStrip();
  snap("opened");
  p.PointerMoved(PointerTarget::Picture, true);
  snap("pointer over the picture");
  p.Run(CommandId::ZoomIn);
  p.KeyPressed({Key::Z, true, false});
  snap("zoomed in and paused");
  p.KeyPressed({Key::I, true, false});
  snap("EXIF window");
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
  inFullScreen({Key::PageDown, Key::F, Key::Escape});
  p.Run(CommandId::FullScreen);
  snap("after the full-screen preview");
  p.ExifWindowClosed();
  snap("EXIF window closed");
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
      // The pointer rests away from the windows: only the scenario moves it.
      const QRect screen = QGuiApplication::primaryScreen()->geometry();
      QCursor::setPos(screen.bottomRight());
      QCoreApplication::processEvents();
      auto inFullScreen = [&](const std::vector<Key>& keys) {
        QTimer::singleShot(200, [&, keys] {
          TFullScreenDialog* preview = window.FullScreenDialog();
          for (Key key : keys) {
            const Qt::Key qtKey = key == Key::PageDown ? Qt::Key_PageDown
                                  : key == Key::F      ? Qt::Key_F
                                                       : Qt::Key_Escape;
            QTest::keyClick(preview, qtKey);
            QCoreApplication::processEvents();
          }
          if (preview->isVisible()) preview->reject();
        });
      };
      RunScenario(window.Presenter(), Pictures(folder).toStdString(), chooseType, inFullScreen,
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
      MainPresenter presenter(view, frame, programs, {kFormats, kFormats}, {0, 0, 1600, 1200},
                              nullptr);
      presenter.FinishStart();
      presenter.PanelResized(panelWidth, panelHeight);
      auto inFullScreen = [&](const std::vector<Key>& keys) {
        view.whileFullScreen = [&, keys] {
          for (Key key : keys) {
            if (view.closeAsked) break;
            presenter.FullScreenKey({key, false, false});
            // The messages the preview was posted arrive, as in the real message loop.
            for (; view.postedRefreshes > 0; --view.postedRefreshes)
              presenter.FullScreenRefreshPosted();
          }
        };
      };
      RunScenario(
          presenter, Pictures(folder).toStdString(), [&](int item) { view.typeAnswers = {item}; },
          inFullScreen, [&](const char* step) { fake.emplace_back(step, FromFake(view, frame)); });
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
    auto step = [&](const char* name) -> const Snapshot& {
      for (const auto& [s, shot] : real)
        if (s == name) return shot;
      qFatal("no step %s", name);
    };
    QVERIFY(step("pointer over the picture").magnifierShown);
    QVERIFY(step("zoomed in and paused").zoomLabel);
    QCOMPARE(step("zoomed in and paused").zoomLevel, 40);
    QVERIFY(step("EXIF window").exifShown);
    QVERIFY(!step("EXIF window").exifText.empty());
    QVERIFY(step("after the full-screen preview").croppedDown);
    QVERIFY(!step("EXIF window closed").exifShown);
    QVERIFY(!step("dimmed").enabled.test(Index(CommandId::HideOutside)));
    QVERIFY(step("deleted").entries.at(1).hidden);
    QCOMPARE(step("type of another entry").entries.at(0).type, std::string("JPG"));
    QVERIFY(step("type of another entry").entries.at(0).red);
    const Snapshot& marking = step("marking");
    QVERIFY(marking.markerShown && !marking.frameShown);
    const Snapshot& enlarged = step("enlarged");
    QVERIFY(enlarged.checked.test(Index(CommandId::EnlargeButton)));
    QVERIFY(enlarged.checked.test(Index(CommandId::CorrectionButton)));
    const Snapshot& back = real.back().second;
    QVERIFY(!back.checked.test(Index(CommandId::EnlargeButton)));
  }
};

QTEST_MAIN(MainViewContractTest)
#include "main_view_contract_test.moc"
