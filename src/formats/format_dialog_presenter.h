// The format definitions dialog's behaviour, plain C++: two grids on the two format tables,
// editing their cells in place, the six row buttons of each grid, Enter and the cancel key,
// and closing with both format files written. The dialog (FormatDialogView) is only written to.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/format_tables.h"

namespace trimora {

// The two grids, one per format table.
enum class FormatGrid { kScalable, kNonScalable };

// The six buttons under each grid, in their order (pictures 8 to 13 of the tool bar pictures).
enum class GridButton { kFirst, kPrevious, kNext, kLast, kAppend, kDelete };

// How a grid column shows its cells.
enum class CellKind {
  kText,          // the name, on the panel colour
  kGreenNumber,   // optimal or exact size: a green gradient
  kYellowNumber,  // minimal size: a yellow gradient
};

// One column of a grid: its title (UTF-8), the table column it shows, its width in pixels and
// how its cells look.
struct GridColumn {
  std::string_view title;
  std::string_view field;
  int width = 0;
  CellKind kind = CellKind::kText;
};

// The columns of `grid` in order.
std::span<const GridColumn> GridColumns(FormatGrid grid);

// The help context of the dialog (F1).
inline constexpr int kFormatDialogHelpContext = 12;
// The longest name and the longest number a cell takes, in characters.
inline constexpr int kFormatNameLength = 20;
inline constexpr int kFormatNumberLength = 11;

class FormatDialogPresenter;

// The dialog as its presenter sees it.
class FormatDialogView {
 public:
  virtual ~FormatDialogView() = default;

  // Shows the dialog modally, its events going to `presenter`, until it closes.
  virtual void RunModal(FormatDialogPresenter& presenter) = 0;
  // The rows of `grid`: each row the texts of its cells in column order.
  virtual void ShowRows(FormatGrid grid, const std::vector<std::vector<std::string>>& rows) = 0;
  // The text of one cell.
  virtual void ShowCell(FormatGrid grid, int row, int column, const std::string& text) = 0;
  // Makes a cell of `grid` current and brings it into view.
  virtual void SetCurrentCell(FormatGrid grid, int row, int column) = 0;
  // Opens the cell editor on the current cell of `grid`.
  virtual void StartEditing(FormatGrid grid) = 0;
  // Gives the keyboard focus to `grid`.
  virtual void FocusGrid(FormatGrid grid) = 0;
  // The note line of the dialog (why an entry or the closing was refused); empty: no note.
  virtual void SetNote(const std::string& text) = 0;
  // A message box over the dialog (title, text, button row, outer size); returns the answer.
  virtual int ShowMessageBox(const std::string& title, const std::string& text, int buttons,
                             int width, int height) = 0;
  // Closes the dialog (its closing was already allowed).
  virtual void CloseDialog() = 0;
};

// The presenter of the format definitions dialog. It edits the main window's format tables in
// place: the current row of a grid is the current row of its table.
class FormatDialogPresenter {
 public:
  // A presenter for `view` on `tables`, which were read from `folders` and are written to their
  // user folder; `showHelp` shows a help context.
  FormatDialogPresenter(FormatDialogView& view, FormatTables& tables, FormatFileFolders folders,
                        std::function<void(int)> showHelp);

  // Shows the dialog modally until it closes.
  void Run();

  // Events of the dialog.

  // The dialog is being shown: both grids filled, the scalable grid focused.
  void FormShow();
  // The user made a cell current (mouse, arrow keys).
  void CellChosen(FormatGrid grid, int row, int column);
  // A cell editor opened or closed.
  void EditingStarted(FormatGrid grid);
  void EditingEnded(FormatGrid grid);
  // The user entered `text` (UTF-8) into a cell. True when the cell took it; false when it was
  // refused (the note says why) and the cell keeps its value.
  bool CellEdited(FormatGrid grid, int row, int column, const std::string& text);
  // Enter in `grid` (after its editor, if any, took its text): the next cell becomes current,
  // wrapping from a row's end to the next row and from the last row to the first.
  void EnterPressed(FormatGrid grid);
  // One of the six buttons under `grid`.
  void ButtonClicked(FormatGrid grid, GridButton button);
  // The cancel key: closes the dialog, but only while no edit or insert is in progress; an
  // appended row still blank is taken back instead, one with content is kept.
  void CancelKey();
  // The dialog is to close (its close button, "&Schließen", the system). True when it may:
  // both format files were written (a file that could not be written was reported). False,
  // and nothing written, while a row has no name or a size that is not positive: the note says
  // which, and that cell becomes current.
  bool CloseRequested();
  // F1.
  void HelpKey();

  // State.

  // The column of the current cell of `grid`.
  int CurrentColumn(FormatGrid grid) const { return At(grid).column; }
  // A cell editor of `grid` is open.
  bool Editing(FormatGrid grid) const { return At(grid).editing; }
  // A row appended to `grid` has not been left yet.
  bool InsertPending(FormatGrid grid) const { return At(grid).insertPending; }

 private:
  struct GridState {
    int column = 0;
    bool editing = false;
    bool insertPending = false;
  };

  GridState& At(FormatGrid grid) { return grids_[static_cast<std::size_t>(grid)]; }
  const GridState& At(FormatGrid grid) const { return grids_[static_cast<std::size_t>(grid)]; }
  Table& TableOf(FormatGrid grid);
  std::vector<std::string> RowTexts(FormatGrid grid, int row);
  std::string CellText(FormatGrid grid, int row, int column);
  void ShowGrid(FormatGrid grid);
  void MoveTo(FormatGrid grid, int row, int column);
  bool TakeBackBlankInsert(FormatGrid grid);
  bool Refuse(const std::string& note);

  FormatDialogView& view_;
  FormatTables& tables_;
  FormatFileFolders folders_;
  std::function<void(int)> showHelp_;
  std::array<GridState, 2> grids_{};
};

}  // namespace trimora
