#include "formats/format_dialog_presenter.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "tables/ansi_text.h"
#include "ui/dialog_rules.h"

namespace trimora {

namespace {

constexpr GridColumn kScalableColumns[] = {
    {"Formatbezeichnung", kFormatName, 144, CellKind::kText},
    {"opt. Breite", kOptWidth, 81, CellKind::kGreenNumber},
    {"opt. Höhe", kOptHeight, 74, CellKind::kGreenNumber},
    {"min. Breite", kMinWidth, 81, CellKind::kYellowNumber},
    {"min. Höhe", kMinHeight, 74, CellKind::kYellowNumber},
};

constexpr GridColumn kNonScalableColumns[] = {
    {"Formatbezeichnung", kFormatName, 144, CellKind::kText},
    {"Breite", kWidth, 74, CellKind::kGreenNumber},
    {"Höhe", kHeight, 74, CellKind::kGreenNumber},
};

constexpr FormatGrid kGrids[] = {FormatGrid::kScalable, FormatGrid::kNonScalable};

bool Scalable(FormatGrid grid) { return grid == FormatGrid::kScalable; }

// "der skalierbaren Formate", as a note names a table.
std::string TableWords(FormatGrid grid) {
  return Scalable(grid) ? "der skalierbaren Formate" : "der nicht skalierbaren Formate";
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// What a number cell's text is.
struct NumberEntry {
  enum Kind { kEmpty, kValue, kNotANumber, kTooLong, kOutOfRange } kind = kEmpty;
  std::int32_t value = 0;
};

// Up to 11 characters of a decimal integer, an optional sign first, blanks around it ignored;
// blanks alone empty the cell.
NumberEntry ParseNumber(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  if (text.size() > static_cast<std::size_t>(kFormatNumberLength)) return {NumberEntry::kTooLong};
  std::string_view digits = text;
  if (digits.front() == '+' || digits.front() == '-') digits.remove_prefix(1);
  if (digits.empty() ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return {NumberEntry::kNotANumber};
  }
  long long value = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), value);  // 10 digits at most
  if (text.front() == '-') value = -value;
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    return {NumberEntry::kOutOfRange};
  }
  return {NumberEntry::kValue, static_cast<std::int32_t>(value)};
}

bool BlankField(const FieldValue& value) {
  if (IsNull(value)) return true;
  const auto* text = std::get_if<std::string>(&value);
  return text != nullptr && text->empty();
}

}  // namespace

std::span<const GridColumn> GridColumns(FormatGrid grid) {
  if (Scalable(grid)) return kScalableColumns;
  return kNonScalableColumns;
}

FormatDialogPresenter::FormatDialogPresenter(FormatDialogView& view, FormatTables& tables,
                                             FormatFileFolders folders,
                                             std::function<void(int)> showHelp)
    : view_(view), tables_(tables), folders_(std::move(folders)), showHelp_(std::move(showHelp)) {}

void FormatDialogPresenter::Run() { view_.RunModal(*this); }

Table& FormatDialogPresenter::TableOf(FormatGrid grid) {
  return Scalable(grid) ? tables_.scalableFormatTable : tables_.nonScalableFormatTable;
}

std::string FormatDialogPresenter::CellText(FormatGrid grid, int row, int column) {
  const Table& table = TableOf(grid);
  const int c = table.FindColumn(GridColumns(grid)[static_cast<std::size_t>(column)].field);
  if (c < 0) return {};
  const FieldValue& value = table.At(row, c);
  if (const auto* number = std::get_if<std::int32_t>(&value)) return std::to_string(*number);
  if (const auto* text = std::get_if<std::string>(&value)) return AnsiToUtf8(*text);
  return {};
}

std::vector<std::string> FormatDialogPresenter::RowTexts(FormatGrid grid, int row) {
  std::vector<std::string> texts;
  for (std::size_t c = 0; c < GridColumns(grid).size(); ++c) {
    texts.push_back(CellText(grid, row, static_cast<int>(c)));
  }
  return texts;
}

void FormatDialogPresenter::ShowGrid(FormatGrid grid) {
  std::vector<std::vector<std::string>> rows;
  for (int row = 0; row < TableOf(grid).RecordCount(); ++row) rows.push_back(RowTexts(grid, row));
  view_.ShowRows(grid, rows);
}

void FormatDialogPresenter::MoveTo(FormatGrid grid, int row, int column) {
  Table& table = TableOf(grid);
  GridState& state = At(grid);
  if (table.IsEmpty()) return;
  row = std::clamp(row, 0, table.RecordCount() - 1);
  column = std::clamp(column, 0, static_cast<int>(GridColumns(grid).size()) - 1);
  if (row != table.CurrentPosition()) {
    // Leaving a row posts it: an appended row is an ordinary row from now on.
    state.insertPending = false;
    table.LocateRecord(row);
  }
  state.column = column;
  view_.SetCurrentCell(grid, row, column);
}

bool FormatDialogPresenter::Refuse(const std::string& note) {
  view_.SetNote(note);
  return false;
}

void FormatDialogPresenter::FormShow() {
  ConformFormatColumns(tables_.scalableFormatTable, true);
  ConformFormatColumns(tables_.nonScalableFormatTable, false);
  view_.SetNote("");
  for (const FormatGrid grid : kGrids) {
    GridState& state = At(grid);
    state.editing = false;
    state.insertPending = false;
    ShowGrid(grid);
    const Table& table = TableOf(grid);
    if (!table.IsEmpty()) MoveTo(grid, std::max(0, table.CurrentPosition()), state.column);
  }
  view_.FocusGrid(FormatGrid::kScalable);
}

void FormatDialogPresenter::CellChosen(FormatGrid grid, int row, int column) {
  MoveTo(grid, row, column);
}

void FormatDialogPresenter::EditingStarted(FormatGrid grid) { At(grid).editing = true; }

void FormatDialogPresenter::EditingEnded(FormatGrid grid) { At(grid).editing = false; }

bool FormatDialogPresenter::CellEdited(FormatGrid grid, int row, int column,
                                       const std::string& text) {
  Table& table = TableOf(grid);
  const std::span<const GridColumn> columns = GridColumns(grid);
  if (row < 0 || row >= table.RecordCount() || column < 0 ||
      column >= static_cast<int>(columns.size())) {
    return false;
  }
  const GridColumn& shown = columns[static_cast<std::size_t>(column)];
  const int c = table.FindColumn(shown.field);
  if (c < 0) return false;
  if (shown.kind == CellKind::kText) {
    if (!FitsAnsi(text)) {
      return Refuse("Die Formatbezeichnung " + Quoted(text) +
                    " enthält Zeichen, die in den Formatdateien nicht gespeichert werden "
                    "können.");
    }
    const std::string ansi = Utf8ToAnsi(text);
    if (ansi.size() > static_cast<std::size_t>(kFormatNameLength)) {
      return Refuse("Eine Formatbezeichnung hat höchstens " + std::to_string(kFormatNameLength) +
                    " Zeichen.");
    }
    table.SetAt(row, c, ansi);
  } else {
    const NumberEntry entry = ParseNumber(text);
    switch (entry.kind) {
      case NumberEntry::kEmpty:
        table.SetAt(row, c, std::monostate{});
        break;
      case NumberEntry::kValue:
        table.SetAt(row, c, entry.value);
        break;
      case NumberEntry::kNotANumber:
        return Refuse(Quoted(text) + " ist keine ganze Zahl. Bitte geben Sie eine Pixelzahl ein.");
      case NumberEntry::kTooLong:
        return Refuse(Quoted(text) + " ist zu lang: eine Zahl hat höchstens " +
                      std::to_string(kFormatNumberLength) + " Zeichen.");
      case NumberEntry::kOutOfRange:
        return Refuse(Quoted(text) +
                      " liegt außerhalb des Zahlenbereichs von -2147483648 bis 2147483647.");
    }
  }
  view_.SetNote("");
  view_.ShowCell(grid, row, column, CellText(grid, row, column));
  return true;
}

void FormatDialogPresenter::EnterPressed(FormatGrid grid) {
  const Table& table = TableOf(grid);
  if (table.IsEmpty()) return;
  int row = std::max(0, table.CurrentPosition());
  int column = At(grid).column + 1;
  if (column >= static_cast<int>(GridColumns(grid).size())) {
    column = 0;
    row = row + 1 < table.RecordCount() ? row + 1 : 0;
  }
  MoveTo(grid, row, column);
}

void FormatDialogPresenter::ButtonClicked(FormatGrid grid, GridButton button) {
  Table& table = TableOf(grid);
  GridState& state = At(grid);
  const int last = table.RecordCount() - 1;
  const int row = table.CurrentPosition();
  view_.SetNote("");
  switch (button) {
    case GridButton::kFirst:
      MoveTo(grid, 0, state.column);
      break;
    case GridButton::kPrevious:
      MoveTo(grid, row - 1, state.column);
      break;
    case GridButton::kNext:
      MoveTo(grid, row + 1, state.column);
      break;
    case GridButton::kLast:
      MoveTo(grid, last, state.column);
      break;
    case GridButton::kAppend:
      table.Append();
      ShowGrid(grid);
      state.insertPending = true;
      state.column = 0;
      view_.SetCurrentCell(grid, table.CurrentPosition(), 0);
      view_.FocusGrid(grid);
      view_.StartEditing(grid);
      return;
    case GridButton::kDelete:
      // The last row of a table stays: deleting it is refused without a word.
      if (table.RecordCount() > 1) {
        table.Delete();
        state.insertPending = false;
        ShowGrid(grid);
        view_.SetCurrentCell(grid, table.CurrentPosition(), state.column);
      }
      break;
  }
  view_.FocusGrid(grid);
}

bool FormatDialogPresenter::TakeBackBlankInsert(FormatGrid grid) {
  Table& table = TableOf(grid);
  At(grid).insertPending = false;
  const int row = table.CurrentPosition();
  if (row < 0) return false;
  for (std::size_t c = 0; c < table.Columns().size(); ++c) {
    if (!BlankField(table.At(row, static_cast<int>(c)))) return false;
  }
  table.Delete();
  ShowGrid(grid);
  if (!table.IsEmpty()) view_.SetCurrentCell(grid, table.CurrentPosition(), At(grid).column);
  return true;
}

void FormatDialogPresenter::CancelKey() {
  for (const FormatGrid grid : kGrids) {
    if (Editing(grid)) return;
  }
  for (const FormatGrid grid : kGrids) {
    if (InsertPending(grid)) {
      TakeBackBlankInsert(grid);
      return;
    }
  }
  if (CloseRequested()) view_.CloseDialog();
}

bool FormatDialogPresenter::CloseRequested() {
  for (const FormatGrid grid : kGrids) {
    if (Editing(grid)) return false;
  }
  for (const FormatGrid grid : kGrids) {
    const Table& table = TableOf(grid);
    const std::optional<FormatRowFault> fault = FindFormatFault(table, Scalable(grid));
    if (!fault) continue;
    const std::string field = table.Columns()[static_cast<std::size_t>(fault->column)].name;
    int column = 0;
    const std::span<const GridColumn> columns = GridColumns(grid);
    for (std::size_t c = 0; c < columns.size(); ++c) {
      if (columns[c].field == field) column = static_cast<int>(c);
    }
    const std::string where = "Zeile " + std::to_string(fault->row + 1) + " " + TableWords(grid);
    const std::string shownName = AnsiToUtf8(field);
    std::string note;
    if (fault->fault == FormatFault::kNoName) {
      note = where + " hat keine Formatbezeichnung.";
    } else if (IsNull(table.At(fault->row, fault->column))) {
      note = "In " + where + " fehlt der Wert " + Quoted(shownName) + ".";
    } else {
      note = "In " + where + " ist " + Quoted(shownName) + " nicht größer als 0.";
    }
    note += " Die Formate werden erst gespeichert, wenn die Zeile ergänzt oder gelöscht ist.";
    MoveTo(grid, fault->row, column);
    view_.FocusGrid(grid);
    return Refuse(note);
  }
  for (const FormatGrid grid : kGrids) At(grid).insertPending = false;
  view_.SetNote("");
  for (const std::string& path : tables_.SaveFormatTables(folders_)) {
    view_.ShowMessageBox("Fehler", "Der Zugriff auf die Datei \"" + path + "\" wurde verweigert.",
                         ui::kButtonsOk, 315, 160);
  }
  return true;
}

void FormatDialogPresenter::HelpKey() {
  if (showHelp_) showHelp_(kFormatDialogHelpContext);
}

}  // namespace trimora
