// The format definitions dialog TFormatDialog: two panels, each with its grid on a format table
// and a bar of six buttons, a note line and "&Schließen". A thin view of FormatDialogPresenter:
// it shows what it is told and hands every event to the presenter.
#pragma once

#include <QIcon>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "formats/format_dialog_presenter.h"
#include "ui/xp_dialog.h"

class QLabel;
class QToolButton;

namespace trimora::ui {
class DialogKit;
class TXPButton;
class TXPPanel;
}  // namespace trimora::ui

namespace trimora::formats {

class FormatGridModel;

// Draws the cells of a format grid and edits them: the number cells with their gradients and
// the current cell plainly in the active cell colour; the editors take at most 20 characters
// of a name or 11 of a number. Enter hands the text to the presenter and keeps the editor open
// when it was refused; the cancel key takes the editor back.
class FormatCellDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  // A delegate for the columns of `grid`; `commit` hands an entered text to the presenter and
  // tells whether the cell took it.
  FormatCellDelegate(FormatGrid grid,
                     std::function<bool(int row, int column, const QString&)> commit,
                     QObject* parent);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;
  void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
  // Hands the open editor's text to the presenter; true when the cell took it.
  bool Commit(QWidget* editor) const;
  // The fill of the name cells (the panel colour; white in the Standard skin).
  void SetTextCellColor(const QColor& color) { textCellColor_ = color; }

 signals:
  // An editor opened or closed.
  void EditingStarted() const;
  void EditingEnded() const;
  // Enter in an editor whose text the cell took.
  void EnterPressed();

 protected:
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  FormatGrid grid_;
  std::function<bool(int, int, const QString&)> commit_;
  mutable QPersistentModelIndex editing_;
  QColor textCellColor_;
};

// A grid of the dialog: rows 23 pixels high, no row indicator, no scroll bars; Enter goes to
// the presenter, typing or F2 starts editing.
class TFormatGrid : public QTableView {
  Q_OBJECT
 public:
  TFormatGrid(FormatGrid grid, QWidget* parent);
  // Hands an open editor's text to the presenter and closes the editor; false (the editor
  // stays) when the cell refused it.
  bool FinishEditing();
  // The open cell editor, or null.
  QWidget* OpenEditor() const;
  FormatGrid Which() const { return grid_; }
  // The colours of the Fashion skin, or the system's colours of the Standard skin (`plain`):
  // the empty area below the rows and the header cells in `face`, the name cells white.
  void UseColors(bool plain, const QColor& face);

 signals:
  // Enter while no editor is open.
  void EnterPressed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  FormatGrid grid_;
};

// The dialog.
class TFormatDialog : public ui::TXPDialog, public FormatDialogView {
  Q_OBJECT
 public:
  // The dialog over `mainWindow`, whose frame `mainFrame` shows inactive while it is open;
  // its messages go through `dialogs`; `pictures` are the six button pictures in button order.
  TFormatDialog(QWidget* mainWindow, ui::TtfXPForm* mainFrame, ui::DialogKit* dialogs,
                const std::array<QIcon, 6>& pictures);

  // The dialogs its messages go through.
  void SetDialogKit(ui::DialogKit* dialogs) { dialogs_ = dialogs; }
  // The Standard skin: panels, button bars, the grids' empty areas and header cells take the
  // button face, the name cells white; kept for every later showing.
  void UseStandardColors();

  // FormatDialogView.
  void RunModal(FormatDialogPresenter& presenter) override;
  void ShowRows(FormatGrid grid, const std::vector<std::vector<std::string>>& rows) override;
  void ShowCell(FormatGrid grid, int row, int column, const std::string& text) override;
  void SetCurrentCell(FormatGrid grid, int row, int column) override;
  void StartEditing(FormatGrid grid) override;
  void FocusGrid(FormatGrid grid) override;
  void SetNote(const std::string& text) override;
  int ShowMessageBox(const std::string& title, const std::string& text, int buttons, int width,
                     int height) override;
  void CloseDialog() override;

  // The parts, for tests and screenshots.
  TFormatGrid* Grid(FormatGrid grid) const { return grids_[Slot(grid)]; }
  QToolButton* Button(FormatGrid grid, GridButton button) const {
    return buttons_[Slot(grid)][static_cast<std::size_t>(button)];
  }
  ui::TXPPanel* Panel(FormatGrid grid) const { return panels_[Slot(grid)]; }
  QLabel* PanelLabel(FormatGrid grid) const { return labels_[Slot(grid)]; }
  QLabel* NoteLabel() const { return note_; }
  ui::TXPButton* CloseButton() const { return closeButton_; }

 public slots:
  // The close button of the frame, "&Schließen" and the system: closes when the presenter lets it.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  static std::size_t Slot(FormatGrid grid) { return static_cast<std::size_t>(grid); }
  void BuildPanel(FormatGrid grid, const QRect& place, const QString& title, int titleLeft,
                  const std::array<QIcon, 6>& pictures);
  bool FinishEditing();

  ui::TtfXPForm* mainFrame_;
  ui::DialogKit* dialogs_;
  FormatDialogPresenter* presenter_ = nullptr;
  std::array<ui::TXPPanel*, 2> panels_{};
  std::array<QLabel*, 2> labels_{};
  std::array<TFormatGrid*, 2> grids_{};
  std::array<FormatGridModel*, 2> models_{};
  std::array<std::array<QToolButton*, 6>, 2> buttons_{};
  QLabel* note_ = nullptr;
  ui::TXPButton* closeButton_ = nullptr;
  bool placing_ = false;  // the presenter sets the current cell: no echo back
};

}  // namespace trimora::formats
