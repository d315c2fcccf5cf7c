// A format definitions dialog that keeps what its presenter writes into it, as a person would
// see it, and runs a script of user actions while it is "open".
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "formats/format_dialog_presenter.h"

namespace trimora::testing {

class FakeFormatDialogView : public FormatDialogView {
 public:
  struct Message {
    std::string title, text;
    int buttons = 0, width = 0, height = 0;
    bool operator==(const Message&) const = default;
  };
  struct Cell {
    int row = -1, column = -1;
    bool operator==(const Cell&) const = default;
  };

  void RunModal(FormatDialogPresenter& presenter) override {
    ++showings;
    open = true;
    presenter.FormShow();
    if (script) script(presenter);
    open = false;
  }
  void ShowRows(FormatGrid grid, const std::vector<std::vector<std::string>>& shown) override {
    rows[Slot(grid)] = shown;
  }
  void ShowCell(FormatGrid grid, int row, int column, const std::string& text) override {
    auto& cells = rows[Slot(grid)];
    if (row >= 0 && row < static_cast<int>(cells.size()) && column >= 0 &&
        column < static_cast<int>(cells[static_cast<std::size_t>(row)].size())) {
      cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
    }
  }
  void SetCurrentCell(FormatGrid grid, int row, int column) override {
    current[Slot(grid)] = {row, column};
  }
  void StartEditing(FormatGrid grid) override { editorOpenedIn.push_back(grid); }
  void FocusGrid(FormatGrid grid) override { focused = grid; }
  void SetNote(const std::string& text) override { note = text; }
  int ShowMessageBox(const std::string& title, const std::string& text, int buttons, int width,
                     int height) override {
    messages.push_back({title, text, buttons, width, height});
    return 1;
  }
  void CloseDialog() override {
    ++closes;
    open = false;
  }

  static std::size_t Slot(FormatGrid grid) { return static_cast<std::size_t>(grid); }
  const std::vector<std::vector<std::string>>& Rows(FormatGrid grid) const {
    return rows[Slot(grid)];
  }
  Cell Current(FormatGrid grid) const { return current[Slot(grid)]; }

  std::function<void(FormatDialogPresenter&)> script;
  int showings = 0;
  int closes = 0;
  bool open = false;
  std::array<std::vector<std::vector<std::string>>, 2> rows;
  std::array<Cell, 2> current;
  std::vector<FormatGrid> editorOpenedIn;
  FormatGrid focused = FormatGrid::kNonScalable;
  std::string note;
  std::vector<Message> messages;
};

}  // namespace trimora::testing
