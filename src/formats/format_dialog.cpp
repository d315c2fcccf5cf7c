#include "formats/format_dialog.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QToolButton>

#include "ui/dialog_kit.h"
#include "ui/dialog_rules.h"
#include "ui/kit_style.h"
#include "ui/xp_controls.h"
#include "ui/xp_form.h"

namespace trimora::formats {

namespace {

const QColor kPanelColor(235, 239, 252);
const QColor kActiveCellColor(118, 158, 217);  // colour value 14261622
const QColor kGreenTint(176, 237, 200);
const QColor kGreen(9, 178, 25);
const QColor kYellow(255, 255, 0);
const QColor kGridLines(170, 189, 240);
const QColor kNoteColor(170, 0, 0);

constexpr int kRowHeight = 23;
constexpr int kButtonWidth = 38;
constexpr int kButtonHeight = 37;

const char* const kButtonHints[] = {"Erstes Format",  "Voriges Format",       "Nächstes Format",
                                    "Letztes Format", "Neues Format anfügen", "Format löschen"};

CellKind KindOf(FormatGrid grid, int column) {
  const auto columns = GridColumns(grid);
  if (column < 0 || column >= static_cast<int>(columns.size())) return CellKind::kText;
  return columns[static_cast<std::size_t>(column)].kind;
}

}  // namespace

// The texts the presenter wrote into a grid; edits go to the presenter, never into the model.
class FormatGridModel : public QAbstractTableModel {
 public:
  FormatGridModel(FormatGrid grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {}

  void SetRows(const std::vector<std::vector<std::string>>& rows) {
    beginResetModel();
    rows_.clear();
    for (const auto& row : rows) {
      QStringList texts;
      for (const std::string& text : row) texts << ui::ToQString(text);
      rows_.push_back(texts);
    }
    endResetModel();
  }
  void SetCell(int row, int column, const QString& text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return;
    rows_[static_cast<std::size_t>(row)][column] = text;
    emit dataChanged(index(row, column), index(row, column));
  }

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(GridColumns(grid_).size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    const QStringList& row = rows_[static_cast<std::size_t>(index.row())];
    return index.column() < row.size() ? row[index.column()] : QString();
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    const GridColumn& column = GridColumns(grid_)[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole) return ui::ToQString(column.title);
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
  }
  Qt::ItemFlags flags(const QModelIndex& index) const override {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
  }

 private:
  FormatGrid grid_;
  std::vector<QStringList> rows_;
};

// The cells.

FormatCellDelegate::FormatCellDelegate(FormatGrid grid,
                                       std::function<bool(int, int, const QString&)> commit,
                                       QObject* parent)
    : QStyledItemDelegate(parent),
      grid_(grid),
      commit_(std::move(commit)),
      textCellColor_(kPanelColor) {}

void FormatCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
  const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
  const bool current = view != nullptr && view->currentIndex() == index;
  const CellKind kind = KindOf(grid_, index.column());
  const QRect r = option.rect;
  painter->save();
  QColor ink(0, 0, 0);
  if (current) {
    painter->fillRect(r, kActiveCellColor);
    ink = Qt::white;
  } else if (kind == CellKind::kText) {
    painter->fillRect(r, textCellColor_);
  } else {
    // A light tint at the left edge, the cell colour at the right edge.
    QLinearGradient fill(r.left(), 0, r.right() + 1, 0);
    fill.setColorAt(0, kind == CellKind::kGreenNumber ? kGreenTint : QColor(Qt::white));
    fill.setColorAt(1, kind == CellKind::kGreenNumber ? kGreen : kYellow);
    painter->fillRect(r, fill);
  }
  painter->setPen(ink);
  painter->setFont(option.font);
  const QString text = index.data(Qt::DisplayRole).toString();
  if (kind == CellKind::kText) {
    painter->drawText(r.adjusted(3, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                      option.fontMetrics.elidedText(text, Qt::ElideRight, r.width() - 5));
  } else {
    painter->drawText(r, Qt::AlignCenter, text);
  }
  painter->restore();
}

QWidget* FormatCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex& index) const {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QStringLiteral("CellEditor"));
  edit->setFrame(false);
  edit->setStyleSheet(
      QStringLiteral("QLineEdit { background: white; border: none; padding: 0 2px; }"));
  if (KindOf(grid_, index.column()) == CellKind::kText) {
    edit->setMaxLength(kFormatNameLength);
  } else {
    edit->setMaxLength(kFormatNumberLength);
    edit->setAlignment(Qt::AlignCenter);
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[ ]*[+-]?[0-9]*[ ]*")), edit));
  }
  editing_ = index;
  emit EditingStarted();
  return edit;
}

bool FormatCellDelegate::Commit(QWidget* editor) const {
  auto* edit = qobject_cast<QLineEdit*>(editor);
  if (edit == nullptr || !editing_.isValid()) return true;
  if (!commit_(editing_.row(), editing_.column(), edit->text())) {
    edit->selectAll();
    return false;
  }
  return true;
}

void FormatCellDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                      const QModelIndex&) const {
  // The presenter writes the cell back when it takes the text.
  Commit(editor);
}

void FormatCellDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
  editing_ = QPersistentModelIndex();
  QStyledItemDelegate::destroyEditor(editor, index);
  emit EditingEnded();
}

bool FormatCellDelegate::eventFilter(QObject* object, QEvent* event) {
  auto* editor = qobject_cast<QWidget*>(object);
  if (editor != nullptr && event->type() == QEvent::KeyPress) {
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        if (!Commit(editor)) return true;  // refused: the editor stays with the text
        emit closeEditor(editor, NoHint);
        emit EnterPressed();
        return true;
      case Qt::Key_Escape:
        emit closeEditor(editor, RevertModelCache);
        return true;
      default:
        break;
    }
  }
  return QStyledItemDelegate::eventFilter(object, event);
}

// The grids.

TFormatGrid::TFormatGrid(FormatGrid grid, QWidget* parent) : QTableView(parent), grid_(grid) {
  setObjectName(grid == FormatGrid::kScalable ? QStringLiteral("scalableGrid")
                                              : QStringLiteral("nonScalableGrid"));
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(kRowHeight);
  verticalHeader()->setMinimumSectionSize(kRowHeight);
  horizontalHeader()->setFixedHeight(kRowHeight);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionsClickable(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setSelectionMode(QAbstractItemView::NoSelection);
  setTabKeyNavigation(false);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
  setCornerButtonEnabled(false);
  setWordWrap(false);
  setFrameShape(QFrame::Box);
  setLineWidth(1);
  UseColors(false, QColor());
}

void TFormatGrid::UseColors(bool plain, const QColor& face) {
  const QString background = plain ? face.name() : QStringLiteral("rgb(235,239,252)");
  const QString header = plain ? face.name()
                               : QStringLiteral(
                                     "qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 white, "
                                     "stop:1 rgb(214,223,247))");
  setStyleSheet(QStringLiteral("QTableView { background: %1; gridline-color: rgb(170,189,240);"
                               " border: 1px solid rgb(127,157,185); }"
                               "QHeaderView::section { background: %2; color: black; border: none;"
                               " border-right: 1px solid rgb(170,189,240);"
                               " border-bottom: 1px solid rgb(127,157,185); padding-left: 3px; }")
                    .arg(background, header));
  if (auto* cells = qobject_cast<FormatCellDelegate*>(itemDelegate()))
    cells->SetTextCellColor(plain ? QColor(Qt::white) : kPanelColor);
  viewport()->update();
}

QWidget* TFormatGrid::OpenEditor() const {
  if (state() != QAbstractItemView::EditingState) return nullptr;
  return indexWidget(currentIndex());
}

bool TFormatGrid::FinishEditing() {
  QWidget* editor = OpenEditor();
  if (editor == nullptr) return true;
  auto* delegate = static_cast<FormatCellDelegate*>(itemDelegate());
  if (!delegate->Commit(editor)) return false;
  // Taken: close without handing the text over a second time.
  QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
  return true;
}

void TFormatGrid::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      state() != QAbstractItemView::EditingState) {
    emit EnterPressed();
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F1) {
    event->ignore();  // the dialog's keys
    return;
  }
  QTableView::keyPressEvent(event);
}

// The dialog.

TFormatDialog::TFormatDialog(QWidget* mainWindow, ui::TtfXPForm* mainFrame, ui::DialogKit* dialogs,
                             const std::array<QIcon, 6>& pictures)
    : ui::TXPDialog(mainWindow), mainFrame_(mainFrame), dialogs_(dialogs) {
  setObjectName(QStringLiteral("TFormatDialog"));
  SetTitle(QStringLiteral("Formatdefinitionen"));
  BuildPanel(FormatGrid::kScalable, QRect(8, 8, 461, 346), QStringLiteral("Skalierbare Formate"),
             159, pictures);
  BuildPanel(FormatGrid::kNonScalable, QRect(480, 8, 299, 346),
             QStringLiteral("Nicht skalierbare Formate"), 60, pictures);

  QWidget* content = Content();
  note_ = new QLabel(content);
  note_->setObjectName(QStringLiteral("NoteLabel"));
  note_->setGeometry(8, 359, 647, 36);
  note_->setWordWrap(true);
  note_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  QPalette palette = note_->palette();
  palette.setColor(QPalette::WindowText, kNoteColor);
  note_->setPalette(palette);

  closeButton_ = new ui::TXPButton(QStringLiteral("&Schließen"), content);
  closeButton_->setObjectName(QStringLiteral("CancelButton"));
  closeButton_->setGeometry(663, 361, 114, 32);
  closeButton_->setAutoDefault(false);
  closeButton_->SetPicture(ui::SkinPixmap(QStringLiteral("GLYPH_OK")));
  connect(closeButton_, &QPushButton::clicked, this, &TFormatDialog::reject);
  resize(791, 437);
}

void TFormatDialog::BuildPanel(FormatGrid grid, const QRect& place, const QString& title,
                               int titleLeft, const std::array<QIcon, 6>& pictures) {
  const bool scalable = grid == FormatGrid::kScalable;
  auto* panel = new ui::TXPPanel(Content(), kPanelColor, true);
  panel->setObjectName(scalable ? QStringLiteral("ScalablePanel")
                                : QStringLiteral("NonScalablePanel"));
  panel->setGeometry(place);
  panels_[Slot(grid)] = panel;

  auto* label = new QLabel(title, panel);
  label->setObjectName(scalable ? QStringLiteral("ScalableLabel")
                                : QStringLiteral("NonScalableLabel"));
  label->setFont(ui::KitPixelFont(13, true));
  label->adjustSize();
  label->move(titleLeft, 8);
  labels_[Slot(grid)] = label;

  auto* view = new TFormatGrid(grid, panel);
  const auto columns = GridColumns(grid);
  int width = 0;
  for (const GridColumn& column : columns) width += column.width;
  // The border lies around the designed cell area of 4, 31 and `width` x 270.
  view->setGeometry(3, 30, width + 2, 272);
  auto* model = new FormatGridModel(grid, view);
  view->setModel(model);
  for (std::size_t c = 0; c < columns.size(); ++c)
    view->setColumnWidth(static_cast<int>(c), columns[c].width);
  auto* delegate = new FormatCellDelegate(
      grid,
      [this, grid](int row, int column, const QString& text) {
        return presenter_ != nullptr && presenter_->CellEdited(grid, row, column, ui::ToUtf8(text));
      },
      view);
  view->setItemDelegate(delegate);
  connect(delegate, &FormatCellDelegate::EditingStarted, this, [this, grid] {
    if (presenter_) presenter_->EditingStarted(grid);
  });
  connect(delegate, &FormatCellDelegate::EditingEnded, this, [this, grid] {
    if (presenter_) presenter_->EditingEnded(grid);
  });
  connect(delegate, &FormatCellDelegate::EnterPressed, this, [this, grid] {
    if (presenter_) presenter_->EnterPressed(grid);
  });
  connect(view, &TFormatGrid::EnterPressed, this, [this, grid] {
    if (presenter_) presenter_->EnterPressed(grid);
  });
  connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this, grid](const QModelIndex& now) {
            if (!placing_ && presenter_ != nullptr && now.isValid())
              presenter_->CellChosen(grid, now.row(), now.column());
          });
  grids_[Slot(grid)] = view;
  models_[Slot(grid)] = model;

  auto* bar = new QWidget(panel);
  bar->setObjectName(scalable ? QStringLiteral("ToolBar1") : QStringLiteral("ToolBar2"));
  bar->setGeometry(4, 304, 6 * kButtonWidth, kButtonHeight);
  for (std::size_t b = 0; b < 6; ++b) {
    auto* button = new QToolButton(bar);
    button->setObjectName(QStringLiteral("SpeedButton") +
                          QString::number(static_cast<int>(b) + (scalable ? 1 : 7)));
    button->setGeometry(static_cast<int>(b) * kButtonWidth, 0, kButtonWidth, kButtonHeight);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(pictures[b]);
    button->setIconSize(QSize(28, 28));
    button->setToolTip(QString::fromUtf8(kButtonHints[b]));
    const auto which = static_cast<GridButton>(b);
    connect(button, &QToolButton::clicked, this, [this, grid, which] {
      if (presenter_ == nullptr || !FinishEditing()) return;
      presenter_->ButtonClicked(grid, which);
    });
    buttons_[Slot(grid)][b] = button;
  }
}

void TFormatDialog::UseStandardColors() {
  const QColor face = palette().color(QPalette::Button);
  for (std::size_t g = 0; g < 2; ++g) {
    panels_[g]->SetColor(face);
    grids_[g]->UseColors(true, face);
  }
}

void TFormatDialog::RunModal(FormatDialogPresenter& presenter) {
  presenter_ = &presenter;
  struct Inactive {
    ui::TtfXPForm* frame;
    explicit Inactive(ui::TtfXPForm* f) : frame(f) {
      if (frame) frame->MarkInactive();
    }
    ~Inactive() {
      if (frame) frame->MarkActive();
    }
  } inactive(mainFrame_);
  CentreOver(parentWidget());
  exec();
  presenter_ = nullptr;
}

void TFormatDialog::showEvent(QShowEvent* event) {
  ui::TXPDialog::showEvent(event);
  if (presenter_) presenter_->FormShow();
}

void TFormatDialog::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() == Qt::NoModifier && event->key() == Qt::Key_Escape) {
    if (presenter_) presenter_->CancelKey();
    return;
  }
  if (event->modifiers() == Qt::NoModifier && event->key() == Qt::Key_F1) {
    if (presenter_) presenter_->HelpKey();
    return;
  }
  ui::TXPDialog::keyPressEvent(event);
}

bool TFormatDialog::FinishEditing() {
  for (TFormatGrid* grid : grids_) {
    if (!grid->FinishEditing()) return false;
  }
  return true;
}

void TFormatDialog::reject() {
  if (presenter_ == nullptr) {
    ui::TXPDialog::reject();
    return;
  }
  if (!FinishEditing() || !presenter_->CloseRequested()) return;
  CloseDialog();
}

void TFormatDialog::CloseDialog() { QDialog::done(ui::kResultCancel); }

void TFormatDialog::ShowRows(FormatGrid grid, const std::vector<std::vector<std::string>>& rows) {
  placing_ = true;
  models_[Slot(grid)]->SetRows(rows);
  placing_ = false;
}

void TFormatDialog::ShowCell(FormatGrid grid, int row, int column, const std::string& text) {
  models_[Slot(grid)]->SetCell(row, column, ui::ToQString(text));
}

void TFormatDialog::SetCurrentCell(FormatGrid grid, int row, int column) {
  TFormatGrid* view = grids_[Slot(grid)];
  const QModelIndex index = models_[Slot(grid)]->index(row, column);
  if (!index.isValid()) return;
  placing_ = true;
  view->setCurrentIndex(index);
  view->scrollTo(index);
  placing_ = false;
  view->viewport()->update();
}

void TFormatDialog::StartEditing(FormatGrid grid) {
  TFormatGrid* view = grids_[Slot(grid)];
  view->edit(view->currentIndex());
}

void TFormatDialog::FocusGrid(FormatGrid grid) { grids_[Slot(grid)]->setFocus(); }

void TFormatDialog::SetNote(const std::string& text) { note_->setText(ui::ToQString(text)); }

int TFormatDialog::ShowMessageBox(const std::string& title, const std::string& text, int buttons,
                                  int width, int height) {
  return dialogs_->ShowMessageBox(ui::ToQString(title), ui::ToQString(text),
                                  static_cast<std::uint16_t>(buttons), QString(), width, height,
                                  Frame());
}

}  // namespace trimora::formats
