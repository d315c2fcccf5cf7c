// The fake settings and format dialogs of the presenter tests against the real ones: the same
// presenter scenario runs over the fake and over the real dialog, and after every step both show
// the same thing (list entries, enabled lists, ticked boxes, grid texts, current cells, the note,
// the messages, how the dialog closed).
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <sstream>

#include "../formats/fake_format_dialog_view.h"
#include "app/options_dialog.h"
#include "fake_options_view.h"
#include "formats/format_dialog.h"
#include "ui/dialog_kit.h"
#include "ui/dialog_rules.h"
#include "ui/message_box.h"
#include "ui/xp_controls.h"

using namespace trimora;

namespace {

// Answers every message box of `kit` with "&Ok" as soon as it shows, keeping its texts.
class MessageAnswerer {
 public:
  explicit MessageAnswerer(ui::DialogKit& kit) {
    QObject::connect(&timer_, &QTimer::timeout, [this, &kit] {
      ui::TXPMessageBox* box = kit.MessageBox();
      if (!box->isVisible()) return;
      texts.push_back(box->Text().toStdString());
      box->ButtonFor(ui::kResultOk)->click();
    });
    timer_.start(5);
  }
  std::vector<std::string> texts;

 private:
  QTimer timer_;
};

// What a settings dialog shows.
std::string OptionsShot(const std::array<int, 3>& index, const std::array<bool, 3>& enabled,
                        const std::array<bool, kOptionsCheckCount>& checked,
                        const std::array<bool, kOptionsCheckCount>& checkEnabled) {
  std::ostringstream out;
  for (std::size_t i = 0; i < 3; ++i) out << index[i] << (enabled[i] ? "+" : "-") << " ";
  for (std::size_t i = 0; i < kOptionsCheckCount; ++i)
    out << checked[i] << (checkEnabled[i] ? "+" : "-");
  return out.str();
}

std::string OptionsShot(const testing::FakeOptionsView& v) {
  return OptionsShot(v.listIndex, v.listEnabled, v.checked, v.checkEnabled);
}

std::string OptionsShot(app::TOptionsDialog& d) {
  std::array<int, 3> index{};
  std::array<bool, 3> enabled{};
  std::array<bool, kOptionsCheckCount> checked{};
  std::array<bool, kOptionsCheckCount> checkEnabled{};
  for (std::size_t i = 0; i < 3; ++i) {
    const auto list = static_cast<OptionsList>(i);
    index[i] = d.List(list)->currentIndex();
    // A list and its label are enabled together.
    enabled[i] = d.List(list)->isEnabled() && d.ListLabel(list)->isEnabled();
  }
  for (std::size_t i = 0; i < kOptionsCheckCount; ++i) {
    const auto check = static_cast<OptionsCheck>(i);
    checked[i] = d.CheckBox(check)->isChecked();
    // A box and its caption are enabled together.
    checkEnabled[i] = d.CheckBox(check)->isEnabled() && d.CheckLabel(check)->isEnabled();
  }
  return OptionsShot(index, enabled, checked, checkEnabled);
}

// What a format dialog shows.
std::string FormatShot(const std::array<std::vector<std::vector<std::string>>, 2>& rows,
                       const std::array<std::pair<int, int>, 2>& current, const std::string& note,
                       int focused) {
  std::ostringstream out;
  for (std::size_t g = 0; g < 2; ++g) {
    out << "grid " << g << " current " << current[g].first << "," << current[g].second << ":";
    for (const auto& row : rows[g]) {
      out << " [";
      for (const std::string& cell : row) out << cell << "|";
      out << "]";
    }
    out << "\n";
  }
  out << "note " << note << "\nfocus " << focused;
  return out.str();
}

std::string FormatShot(const testing::FakeFormatDialogView& v) {
  std::array<std::pair<int, int>, 2> current;
  for (std::size_t g = 0; g < 2; ++g) current[g] = {v.current[g].row, v.current[g].column};
  return FormatShot(v.rows, current, v.note, static_cast<int>(v.focused));
}

std::string FormatShot(formats::TFormatDialog& d) {
  std::array<std::vector<std::vector<std::string>>, 2> rows;
  std::array<std::pair<int, int>, 2> current;
  int focused = -1;
  for (std::size_t g = 0; g < 2; ++g) {
    auto* grid = d.Grid(static_cast<FormatGrid>(g));
    const QAbstractItemModel* model = grid->model();
    for (int r = 0; r < model->rowCount(); ++r) {
      std::vector<std::string> row;
      for (int c = 0; c < model->columnCount(); ++c)
        row.push_back(model->index(r, c).data().toString().toStdString());
      rows[g].push_back(row);
    }
    current[g] = {grid->currentIndex().row(), grid->currentIndex().column()};
    QWidget* focus = d.focusWidget();
    if (focus != nullptr && (focus == grid || grid->isAncestorOf(focus)))
      focused = static_cast<int>(g);
  }
  return FormatShot(rows, current, d.NoteLabel()->text().toStdString(), focused);
}

FormatTables SampleTables() {
  FormatTables t;
  auto add = [](Table& table, std::initializer_list<FieldValue> values) {
    table.Append();
    int c = 0;
    for (const FieldValue& v : values) table.SetAt(table.CurrentPosition(), c++, v);
  };
  add(t.scalableFormatTable, {std::string("9 x 13"), 1300, 900, 650, 450});
  add(t.scalableFormatTable, {std::string("10 x 15"), 1800, 1200, 900, 600});
  add(t.nonScalableFormatTable, {std::string("VGA"), 640, 480});
  t.scalableFormatTable.First();
  t.nonScalableFormatTable.First();
  return t;
}

}  // namespace

class DialogViewsContractTest : public QObject {
  Q_OBJECT

 private slots:
  void theSettingsDialogShowsWhatTheFakeShows() {
    using Step = std::function<void(OptionsPresenter&)>;
    const std::vector<Step> steps = {
        [](OptionsPresenter&) {},
        [](OptionsPresenter& p) { p.ListChosen(OptionsList::kFileFormat1, 2); },
        [](OptionsPresenter& p) { p.ListChosen(OptionsList::kFileFormat1, 0); },
        [](OptionsPresenter& p) { p.CheckboxKeyUp(OptionsCheck::kEnlargeLeft, kSpaceKeyCode); },
        [](OptionsPresenter& p) { p.CheckClicked(OptionsCheck::kEnlargeRight, false); },
        [](OptionsPresenter& p) { p.SpeichernButtonClick(); },
        [](OptionsPresenter& p) { p.CheckboxKeyUp(OptionsCheck::kShowHints, kReturnKeyCode); },
        [](OptionsPresenter& p) { p.ListChosen(OptionsList::kEnlargeColor, 4); },
        [](OptionsPresenter& p) { p.CheckClicked(OptionsCheck::kShowQuestionsAgain, true); },
        [](OptionsPresenter& p) { p.CheckboxKeyUp(OptionsCheck::kEnlargeRight, kSpaceKeyCode); },
        [](OptionsPresenter& p) { p.SpeichernButtonClick(); },
    };

    testing::FakeOptionsView fake;
    std::vector<std::string> fakeShots;
    fake.script = [&](OptionsPresenter& p) {
      for (const Step& step : steps) {
        if (!fake.open) break;
        step(p);
        fakeShots.push_back(OptionsShot(fake));
      }
    };
    OptionsPresenter onFake(fake, nullptr);
    const bool fakeSaved = onFake.Run(OptionsValues());

    // The same from the same stored values, on the real dialog.
    ui::DialogKit kit(nullptr, nullptr);
    app::TOptionsDialog real(nullptr, nullptr, &kit);
    MessageAnswerer answerer(kit);
    std::vector<std::string> realShots;
    OptionsPresenter onReal(real, nullptr);
    QTimer::singleShot(0, [&] {
      for (const Step& step : steps) {
        if (!real.isVisible()) break;
        step(onReal);
        QCoreApplication::processEvents();
        realShots.push_back(OptionsShot(real));
      }
      if (real.isVisible()) real.reject();
    });
    const bool realSaved = onReal.Run(OptionsValues());

    QCOMPARE(realShots.size(), fakeShots.size());
    for (std::size_t i = 0; i < fakeShots.size(); ++i)
      QCOMPARE(QString::fromStdString(realShots[i]), QString::fromStdString(fakeShots[i]));
    QCOMPARE(realSaved, fakeSaved);
    QVERIFY(realSaved);
    std::vector<std::string> fakeTexts;
    for (const auto& m : fake.messages) fakeTexts.push_back(m.text);
    QCOMPARE(answerer.texts, fakeTexts);
    QCOMPARE(answerer.texts.size(), std::size_t{1});
  }

  void theFormatDialogShowsWhatTheFakeShows() {
    QTemporaryDir folder;
    using G = FormatGrid;
    using B = GridButton;
    using Step = std::function<void(FormatDialogPresenter&)>;
    const std::vector<Step> steps = {
        [](FormatDialogPresenter&) {},
        [](FormatDialogPresenter& p) { p.EnterPressed(G::kScalable); },
        [](FormatDialogPresenter& p) { p.CellChosen(G::kScalable, 1, 4); },
        [](FormatDialogPresenter& p) { p.EnterPressed(G::kScalable); },
        [](FormatDialogPresenter& p) { p.CellEdited(G::kScalable, 0, 2, " +0950"); },
        [](FormatDialogPresenter& p) { p.CellEdited(G::kScalable, 0, 1, "12x"); },
        [](FormatDialogPresenter& p) { p.ButtonClicked(G::kNonScalable, B::kAppend); },
        [](FormatDialogPresenter& p) { p.CellEdited(G::kNonScalable, 1, 0, "Größe"); },
        [](FormatDialogPresenter& p) { p.ButtonClicked(G::kScalable, B::kLast); },
        [](FormatDialogPresenter& p) { p.CancelKey(); },  // the row has content: kept
        [](FormatDialogPresenter& p) { p.CancelKey(); },  // refused: no sizes
        [](FormatDialogPresenter& p) { p.ButtonClicked(G::kNonScalable, B::kDelete); },
        [](FormatDialogPresenter& p) { p.ButtonClicked(G::kNonScalable, B::kDelete); },
        [](FormatDialogPresenter& p) { p.ButtonClicked(G::kScalable, B::kPrevious); },
        [](FormatDialogPresenter& p) { p.CancelKey(); },
    };
    const std::string programFolder = folder.path().toStdString() + "/";

    FormatTables fakeTables = SampleTables();
    testing::FakeFormatDialogView fake;
    std::vector<std::string> fakeShots;
    fake.script = [&](FormatDialogPresenter& p) {
      for (const Step& step : steps) {
        if (!fake.open) break;
        step(p);
        fakeShots.push_back(FormatShot(fake));
      }
    };
    FormatDialogPresenter onFake(fake, fakeTables, {programFolder, programFolder}, nullptr);
    onFake.Run();

    FormatTables realTables = SampleTables();
    ui::DialogKit kit(nullptr, nullptr);
    formats::TFormatDialog real(nullptr, nullptr, &kit, {});
    MessageAnswerer answerer(kit);
    std::vector<std::string> realShots;
    FormatDialogPresenter onReal(real, realTables, {programFolder, programFolder}, nullptr);
    bool closedByPresenter = false;
    QTimer::singleShot(0, [&] {
      real.activateWindow();
      for (const Step& step : steps) {
        if (!real.isVisible()) break;
        step(onReal);
        QCoreApplication::processEvents();
        realShots.push_back(FormatShot(real));
        // An editor the step opened (appending) is left with the cancel key before the next
        // step, which the fake has no editor for.
        for (G grid : {G::kScalable, G::kNonScalable}) {
          if (QWidget* editor = real.Grid(grid)->OpenEditor())
            QTest::keyClick(editor, Qt::Key_Escape);
        }
      }
      closedByPresenter = !real.isVisible();
      if (real.isVisible()) real.CloseDialog();
    });
    onReal.Run();

    QCOMPARE(realShots.size(), fakeShots.size());
    for (std::size_t i = 0; i < fakeShots.size(); ++i)
      QCOMPARE(QString::fromStdString(realShots[i]), QString::fromStdString(fakeShots[i]));
    QVERIFY(closedByPresenter);
    QCOMPARE(fake.closes, 1);
    QVERIFY(answerer.texts.empty());
    QCOMPARE(realTables.nonScalableFormatTable.RecordCount(), 1);
  }
};

QTEST_MAIN(DialogViewsContractTest)
#include "dialog_views_contract_test.moc"
