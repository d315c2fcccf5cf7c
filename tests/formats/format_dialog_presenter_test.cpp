// The format definitions dialog without a display: the real format tables, real format files in
// a temporary program folder read back by the real `trimora table`; the dialog is a recording
// fake that runs the user's steps.
#include "formats/format_dialog_presenter.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "fake_format_dialog_view.h"
#include "tables/table_file.h"
#include "temp_dir.h"

namespace trimora {
namespace {

using G = FormatGrid;
using B = GridButton;
using testing::FakeFormatDialogView;
using Rows = std::vector<std::vector<std::string>>;

const std::string kNoRowNote =
    " Die Formate werden erst gespeichert, wenn die Zeile ergänzt oder gelöscht ist.";

// "trimora table FILE": what the command-line tool reads from a written file.
std::string DumpTable(const test::TempDir& dir, const std::string& file) {
  const std::string out = dir.File("dump.txt");
  const std::string command =
      std::string("'") + TRIMORA_CLI + "' table '" + file + "' >'" + out + "' 2>&1";
  const int status = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << test::ReadFile(out);
  std::string text = test::ReadFile(out);
  std::filesystem::remove(out);
  return text;
}

class FormatDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Add(G::kScalable, {"9 x 13", 1300, 900, 650, 450});
    Add(G::kScalable, {"10 x 15", 1800, 1200, 900, 600});
    Add(G::kScalable, {"13 x 18", 2100, 1500, 1050, 750});
    Add(G::kNonScalable, {"VGA", 640, 480});
    Add(G::kNonScalable, {"XGA", 1024, 768});
    tables_.scalableFormatTable.First();
    tables_.nonScalableFormatTable.First();
  }

  struct Row {
    std::string name;
    int w, h, minW = 0, minH = 0;
  };
  void Add(G grid, const Row& row) {
    Table& t = grid == G::kScalable ? tables_.scalableFormatTable : tables_.nonScalableFormatTable;
    t.Append();
    t.WriteText(kFormatName, row.name);
    t.WriteInteger(grid == G::kScalable ? kOptWidth : kWidth, row.w);
    t.WriteInteger(grid == G::kScalable ? kOptHeight : kHeight, row.h);
    if (grid == G::kScalable) {
      t.WriteInteger(kMinWidth, row.minW);
      t.WriteInteger(kMinHeight, row.minH);
    }
  }
  std::string Path(bool scalable) const { return FormatFilePath(dir_.File(""), scalable); }
  // Runs the dialog with `steps` as the user's actions.
  void Open(std::function<void(FormatDialogPresenter&)> steps) {
    view_.script = std::move(steps);
    FormatDialogPresenter presenter(view_, tables_, {dir_.File(""), dir_.File("")},
                                    [this](int context) { help_.push_back(context); });
    presenter.Run();
  }

  test::TempDir dir_;
  FormatTables tables_;
  FakeFormatDialogView view_;
  std::vector<int> help_;
};

TEST_F(FormatDialogTest, OpeningShowsBothTablesWithTheScalableGridFocused) {
  tables_.nonScalableFormatTable.LocateRecord(1);
  Open([](FormatDialogPresenter& p) { p.HelpKey(); });
  EXPECT_EQ(view_.Rows(G::kScalable), (Rows{{"9 x 13", "1300", "900", "650", "450"},
                                            {"10 x 15", "1800", "1200", "900", "600"},
                                            {"13 x 18", "2100", "1500", "1050", "750"}}));
  EXPECT_EQ(view_.Rows(G::kNonScalable), (Rows{{"VGA", "640", "480"}, {"XGA", "1024", "768"}}));
  EXPECT_EQ(view_.Current(G::kScalable), (FakeFormatDialogView::Cell{0, 0}));
  EXPECT_EQ(view_.Current(G::kNonScalable), (FakeFormatDialogView::Cell{1, 0}))
      << "the table's current row is the grid's";
  EXPECT_EQ(view_.focused, G::kScalable);
  EXPECT_EQ(help_, std::vector<int>{12});
}

TEST_F(FormatDialogTest, CellsTakeIntegersOfTheFullRangeAndRefuseEverythingElseWithANote) {
  struct Case {
    std::string text;
    bool taken;
    std::string shown;  // the cell afterwards
    std::string note;
  };
  const Case cases[] = {
      {"1800", true, "1800", ""},
      {" +0012 ", true, "12", ""},
      {"-5", true, "-5", ""},
      {"2147483647", true, "2147483647", ""},
      {"-2147483648", true, "-2147483648", ""},
      {"", true, "", ""},
      {"   ", true, "", ""},
      {"2147483648", false, "1300",
       "\"2147483648\" liegt außerhalb des Zahlenbereichs von -2147483648 bis 2147483647."},
      {"99999999999", false, "1300",
       "\"99999999999\" liegt außerhalb des Zahlenbereichs von -2147483648 bis 2147483647."},
      {"-00000000001", false, "1300",
       "\"-00000000001\" ist zu lang: eine Zahl hat höchstens 11 Zeichen."},
      {"12a", false, "1300", "\"12a\" ist keine ganze Zahl. Bitte geben Sie eine Pixelzahl ein."},
      {"-", false, "1300", "\"-\" ist keine ganze Zahl. Bitte geben Sie eine Pixelzahl ein."},
      {"1 2", false, "1300", "\"1 2\" ist keine ganze Zahl. Bitte geben Sie eine Pixelzahl ein."},
  };
  for (const Case& c : cases) {
    tables_ = FormatTables();
    SetUp();
    view_ = FakeFormatDialogView();
    bool taken = !c.taken;
    Open([&](FormatDialogPresenter& p) { taken = p.CellEdited(G::kScalable, 0, 1, c.text); });
    EXPECT_EQ(taken, c.taken) << c.text;
    EXPECT_EQ(view_.Rows(G::kScalable)[0][1], c.shown) << c.text;
    EXPECT_EQ(view_.note, c.note) << c.text;
    const FieldValue stored = tables_.scalableFormatTable.At(0, 1);
    EXPECT_EQ(IsNull(stored) ? "" : std::to_string(std::get<std::int32_t>(stored)), c.shown)
        << c.text;
  }
}

TEST_F(FormatDialogTest, NamesTakeTwentyCharactersThatTheFormatFilesCanHold) {
  struct Case {
    std::string text;
    bool taken;
    std::string shown;
    std::string note;
  };
  const Case cases[] = {
      {"13 x 18 matt", true, "13 x 18 matt", ""},
      {"Größe 20 × 30 €", true, "Größe 20 × 30 €", ""},
      {"ABCDEFGHIJKLMNOPQRST", true, "ABCDEFGHIJKLMNOPQRST", ""},
      {"", true, "", ""},
      {"ABCDEFGHIJKLMNOPQRSTU", false, "VGA", "Eine Formatbezeichnung hat höchstens 20 Zeichen."},
      {"Quadrat → 1:1", false, "VGA",
       "Die Formatbezeichnung \"Quadrat → 1:1\" enthält Zeichen, die in den Formatdateien nicht "
       "gespeichert werden können."},
  };
  for (const Case& c : cases) {
    tables_ = FormatTables();
    SetUp();
    bool taken = !c.taken;
    Open([&](FormatDialogPresenter& p) { taken = p.CellEdited(G::kNonScalable, 0, 0, c.text); });
    EXPECT_EQ(taken, c.taken) << c.text;
    EXPECT_EQ(view_.Rows(G::kNonScalable)[0][0], c.shown) << c.text;
    EXPECT_EQ(view_.note, c.note) << c.text;
  }
  // The table holds the Windows-1252 bytes of a taken name.
  tables_ = FormatTables();
  SetUp();
  Open([](FormatDialogPresenter& p) { p.CellEdited(G::kNonScalable, 1, 0, "Größe €"); });
  EXPECT_EQ(std::get<std::string>(tables_.nonScalableFormatTable.At(1, 0)),
            "Gr\xF6\xDF"
            "e \x80");
}

TEST_F(FormatDialogTest, EnterGoesToTheNextCellAndWrapsAtTheRowEnds) {
  std::vector<FakeFormatDialogView::Cell> seen;
  Open([&](FormatDialogPresenter& p) {
    p.CellChosen(G::kScalable, 1, 3);
    for (int i = 0; i < 8; ++i) {
      p.EnterPressed(G::kScalable);
      seen.push_back(view_.Current(G::kScalable));
    }
    p.CellChosen(G::kNonScalable, 1, 2);
    p.EnterPressed(G::kNonScalable);
    seen.push_back(view_.Current(G::kNonScalable));
  });
  EXPECT_EQ(seen, (std::vector<FakeFormatDialogView::Cell>{
                      {1, 4}, {2, 0}, {2, 1}, {2, 2}, {2, 3}, {2, 4}, {0, 0}, {0, 1}, {0, 0}}));
  EXPECT_EQ(tables_.scalableFormatTable.CurrentPosition(), 0);
}

TEST_F(FormatDialogTest, TheRowButtonsMoveAppendAndDeleteAndGiveTheFocusToTheirGrid) {
  struct Step {
    G grid;
    B button;
    FakeFormatDialogView::Cell current;
    int rows;
  };
  const Step steps[] = {
      {G::kNonScalable, B::kLast, {1, 2}, 2},     {G::kNonScalable, B::kFirst, {0, 2}, 2},
      {G::kNonScalable, B::kPrevious, {0, 2}, 2}, {G::kNonScalable, B::kNext, {1, 2}, 2},
      {G::kNonScalable, B::kNext, {1, 2}, 2},     {G::kNonScalable, B::kDelete, {0, 2}, 1},
      {G::kNonScalable, B::kDelete, {0, 2}, 1},  // the last row stays, without a word
      {G::kScalable, B::kNext, {1, 0}, 3},        {G::kScalable, B::kDelete, {1, 0}, 2},
  };
  Open([&](FormatDialogPresenter& p) {
    p.CellChosen(G::kNonScalable, 0, 2);
    for (const Step& s : steps) {
      view_.focused = s.grid == G::kScalable ? G::kNonScalable : G::kScalable;
      p.ButtonClicked(s.grid, s.button);
      EXPECT_EQ(view_.Current(s.grid), s.current) << static_cast<int>(s.button);
      EXPECT_EQ(static_cast<int>(view_.Rows(s.grid).size()), s.rows);
      EXPECT_EQ(view_.focused, s.grid);
    }
  });
  EXPECT_TRUE(view_.messages.empty());
  EXPECT_EQ(view_.note, "");
  EXPECT_EQ(view_.Rows(G::kNonScalable), (Rows{{"VGA", "640", "480"}}));
  EXPECT_EQ(view_.Rows(G::kScalable), (Rows{{"9 x 13", "1300", "900", "650", "450"},
                                            {"13 x 18", "2100", "1500", "1050", "750"}}))
      << "the row after the deleted one takes its place";
}

TEST_F(FormatDialogTest, AppendingStartsEditingAnEmptyLastRowThatTheCancelKeyTakesBack) {
  Open([&](FormatDialogPresenter& p) {
    p.ButtonClicked(G::kNonScalable, B::kAppend);
    EXPECT_EQ(view_.Rows(G::kNonScalable).back(), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(view_.Current(G::kNonScalable), (FakeFormatDialogView::Cell{2, 0}));
    EXPECT_EQ(view_.editorOpenedIn, std::vector<G>{G::kNonScalable});
    EXPECT_TRUE(p.InsertPending(G::kNonScalable));
    p.CancelKey();  // the blank row goes, the dialog stays
    EXPECT_TRUE(view_.open);
    EXPECT_EQ(view_.Rows(G::kNonScalable).size(), 2u);
    EXPECT_EQ(view_.Current(G::kNonScalable), (FakeFormatDialogView::Cell{1, 0}));
    p.CancelKey();
  });
  EXPECT_EQ(view_.closes, 1);
  EXPECT_EQ(tables_.nonScalableFormatTable.RecordCount(), 2);
}

TEST_F(FormatDialogTest, TheCancelKeyDoesNotCloseWhileACellIsEdited) {
  Open([&](FormatDialogPresenter& p) {
    p.EditingStarted(G::kScalable);
    p.CancelKey();
    EXPECT_EQ(view_.closes, 0);
    EXPECT_FALSE(p.CloseRequested());
    p.EditingEnded(G::kScalable);
    p.CancelKey();
  });
  EXPECT_EQ(view_.closes, 1);
  EXPECT_TRUE(std::filesystem::exists(Path(true)));
}

TEST_F(FormatDialogTest, ClosingWritesBothTablesInTheirRowOrderWithTheEditedRows) {
  Open([&](FormatDialogPresenter& p) {
    p.ButtonClicked(G::kNonScalable, B::kAppend);
    EXPECT_TRUE(p.CellEdited(G::kNonScalable, 2, 0, "Poster Ä"));
    EXPECT_TRUE(p.CellEdited(G::kNonScalable, 2, 1, "320"));
    EXPECT_TRUE(p.CellEdited(G::kNonScalable, 2, 2, "+200"));
    EXPECT_TRUE(p.CellEdited(G::kScalable, 1, 0, "10 x 15 matt"));
    EXPECT_TRUE(p.CloseRequested());
  });
  EXPECT_TRUE(view_.messages.empty());
  EXPECT_EQ(DumpTable(dir_, Path(false)),
            "Spalten: 3\n"
            "  Formatbezeichnung  ftString (20)\n"
            "  Breite             ftInteger\n"
            "  Höhe               ftInteger\n"
            "Datensätze: 3\n"
            "\nDatensatz 1\n  Formatbezeichnung  \"VGA\"\n  Breite             640\n"
            "  Höhe               480\n"
            "\nDatensatz 2\n  Formatbezeichnung  \"XGA\"\n  Breite             1024\n"
            "  Höhe               768\n"
            "\nDatensatz 3\n  Formatbezeichnung  \"Poster Ä\"\n  Breite             320\n"
            "  Höhe               200\n")
      << "the appended row stays last: nothing is sorted";
  const std::string scalable = DumpTable(dir_, Path(true));
  EXPECT_NE(scalable.find("Datensätze: 3\n"), std::string::npos) << scalable;
  const auto first = scalable.find("\"9 x 13\"");
  const auto second = scalable.find("\"10 x 15 matt\"");
  const auto third = scalable.find("\"13 x 18\"");
  EXPECT_TRUE(first < second && second < third) << scalable;
}

TEST_F(FormatDialogTest, ARowWithoutNameOrWithoutPositiveSizesIsRefusedAndNothingWritten) {
  struct Case {
    G grid;
    int row, column;
    std::string text;
    std::string note;
  };
  const Case cases[] = {
      {G::kScalable, 1, 0, "  ",
       "Zeile 2 der skalierbaren Formate hat keine Formatbezeichnung." + kNoRowNote},
      {G::kScalable, 2, 4, "0",
       "In Zeile 3 der skalierbaren Formate ist \"min. Höhe\" nicht größer als 0." + kNoRowNote},
      {G::kNonScalable, 0, 1, "-640",
       "In Zeile 1 der nicht skalierbaren Formate ist \"Breite\" nicht größer als 0." + kNoRowNote},
      {G::kNonScalable, 1, 2, "",
       "In Zeile 2 der nicht skalierbaren Formate fehlt der Wert \"Höhe\"." + kNoRowNote},
  };
  for (const Case& c : cases) {
    tables_ = FormatTables();
    SetUp();
    view_ = FakeFormatDialogView();
    test::WriteFile(Path(true), "old scalable");
    test::WriteFile(Path(false), "old fixed");
    Open([&](FormatDialogPresenter& p) {
      p.CellEdited(c.grid, c.row, c.column, c.text);
      p.CellChosen(G::kScalable, 0, 0);
      p.CellChosen(G::kNonScalable, 0, 0);
      p.CancelKey();
      EXPECT_EQ(view_.closes, 0) << c.note;
      EXPECT_EQ(view_.note, c.note);
      EXPECT_EQ(view_.Current(c.grid), (FakeFormatDialogView::Cell{c.row, c.column}))
          << "the cell at fault is current";
      EXPECT_EQ(view_.focused, c.grid);
      EXPECT_EQ(test::ReadFile(Path(true)), "old scalable");
      EXPECT_EQ(test::ReadFile(Path(false)), "old fixed");
      // Deleting the row mends the tables; then the dialog closes and writes them.
      p.ButtonClicked(c.grid, B::kDelete);
      EXPECT_TRUE(p.CloseRequested());
    });
    EXPECT_EQ(view_.note, "");
    Table written;
    LoadTableFromFile(written, Path(c.grid == G::kScalable));
    EXPECT_EQ(written.RecordCount(), c.grid == G::kScalable ? 2 : 1) << c.note;
  }
}

TEST_F(FormatDialogTest, AFileThatCannotBeWrittenIsNamedWithItsPathAndTheOtherIsStillWritten) {
  std::filesystem::create_directory(Path(false));  // in the way of the non-scalable file
  Open([&](FormatDialogPresenter& p) {
    p.CellEdited(G::kScalable, 0, 0, "9 x 13 neu");
    EXPECT_TRUE(p.CloseRequested()) << "the dialog closes; the tables keep the edits";
  });
  ASSERT_EQ(view_.messages.size(), 1u);
  EXPECT_EQ(view_.messages[0],
            (FakeFormatDialogView::Message{
                "Fehler", "Der Zugriff auf die Datei \"" + Path(false) + "\" wurde verweigert.", 4,
                315, 160}));
  EXPECT_NE(DumpTable(dir_, Path(true)).find("\"9 x 13 neu\""), std::string::npos);
  EXPECT_EQ(std::get<std::string>(tables_.scalableFormatTable.At(0, 0)), "9 x 13 neu");
}

TEST_F(FormatDialogTest, ATableFromAFileWithoutSomeColumnsGetsThemAndCanBeMended) {
  Table odd({{std::string(kFormatName), FieldType::String, 30},
             {std::string(kOptWidth), FieldType::Integer, 0},
             {std::string(kOptHeight), FieldType::String, 10}});
  odd.Append();
  odd.WriteText(kFormatName, "alt");
  odd.WriteInteger(kOptWidth, 1500);
  odd.WriteText(kOptHeight, "1000");
  tables_.scalableFormatTable = odd;
  Open([&](FormatDialogPresenter& p) {
    EXPECT_EQ(view_.Rows(G::kScalable), (Rows{{"alt", "1500", "", "", ""}}));
    EXPECT_FALSE(p.CloseRequested());
    for (int column = 2; column <= 4; ++column)
      EXPECT_TRUE(p.CellEdited(G::kScalable, 0, column, "500"));
    EXPECT_TRUE(p.CloseRequested());
  });
  Table written;
  LoadTableFromFile(written, Path(true));
  EXPECT_EQ(written.Columns(), ScalableFormatColumns());
  EXPECT_EQ(written.ReadInteger(kOptHeight), 500);
}

}  // namespace
}  // namespace trimora
