#include "app/kv_main_form.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <utility>

#include "app/info_dialog.h"
#include "app/main_settings.h"
#include "app/options_dialog.h"
#include "app/tool_icons.h"
#include "formats/format_dialog.h"
#include "frame/full_screen_dialog.h"
#include "frame/image_panel.h"
#include "frame/picture_view.h"
#include "frame/qt_frame_view.h"
#include "frame/rect_box.h"
#include "frame/zoom_view.h"
#include "metadata/exif_dialog.h"
#include "platform/paths.h"
#include "platform/window_placement.h"
#include "ui/band_grip.h"
#include "ui/dialog_kit.h"
#include "ui/flat_menu_style.h"
#include "ui/frame_geometry.h"
#include "ui/kit_style.h"
#include "ui/standard_skin.h"
#include "ui/xp_controls.h"
#include "ui/xp_form.h"

namespace trimora::app {

namespace {

const QColor kEntryColor(0xF3, 0xF6, 0xFD);
const QColor kCurrentEntryColor(0xD5, 0xDE, 0xF8);
// The current strip entry in the Standard skin.
const QColor kPlainCurrentEntryColor(239, 240, 235);

constexpr int kLeftColumnWidth = kZoomPanelSize;

QString Q(const std::string& text) { return QString::fromStdString(text); }

// A text of the command table as the toolkit shows it (line ends without the carriage return).
QString Text(const char* text) {
  return QString::fromUtf8(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QFont ArialFont(int points) {
  QFont font(QStringLiteral("Arial"));
  font.setFamilies(
      {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  font.setPointSize(points);
  return font;
}

QImage ToImage(const Picture& picture) {
  if (picture.empty()) return {};
  return QImage(picture.data(), picture.width(), picture.height(),
                static_cast<qsizetype>(picture.stride()), QImage::Format_RGB32)
      .copy();
}

void SetPanelColor(QWidget* panel, const QColor& color) {
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, color);
  panel->setPalette(palette);
}

void Repolish(QWidget* widget) {
  widget->style()->unpolish(widget);
  widget->style()->polish(widget);
  widget->update();
}

bool IsSizingCursor(Qt::CursorShape shape) {
  return shape == Qt::SizeBDiagCursor || shape == Qt::SizeVerCursor ||
         shape == Qt::SizeFDiagCursor || shape == Qt::SizeHorCursor;
}

ToolIcon IconOf(CommandPicture picture) {
  switch (picture) {
    case CommandPicture::OpenFolder:
      return ToolIcon::OpenFolder;
    case CommandPicture::Save:
      return ToolIcon::Save;
    case CommandPicture::RedEye:
      return ToolIcon::RedEye;
    case CommandPicture::Correct:
      return ToolIcon::Correct;
    case CommandPicture::Enlarge:
      return ToolIcon::Enlarge;
    case CommandPicture::RotateRight:
      return ToolIcon::RotateRight;
    case CommandPicture::RotateLeft:
      return ToolIcon::RotateLeft;
    case CommandPicture::FullScreen:
      return ToolIcon::FullScreen;
    case CommandPicture::Format:
      return ToolIcon::Format;
    case CommandPicture::First:
      return ToolIcon::First;
    case CommandPicture::Previous:
      return ToolIcon::Previous;
    case CommandPicture::Next:
      return ToolIcon::Next;
    case CommandPicture::Last:
      return ToolIcon::Last;
    case CommandPicture::ZoomIn:
      return ToolIcon::ZoomIn;
    case CommandPicture::ZoomOut:
      return ToolIcon::ZoomOut;
    case CommandPicture::ZoomPause:
    case CommandPicture::None:
      break;
  }
  return ToolIcon::ZoomPause;
}

}  // namespace

TKvMainForm::TKvMainForm(QWidget* parent, OutsidePrograms* outside, const std::string& formatFolder)
    : QWidget(parent) {
  setObjectName(QStringLiteral("KvMainForm"));
  entryColor_ = kEntryColor;
  currentEntryColor_ = kCurrentEntryColor;
  setWindowTitle(QStringLiteral("Trimora 2"));

  frame_ = new ui::TtfXPForm(this);
  frame_->setObjectName(QStringLiteral("XPForm"));
  frame_->SetTitleCaption(QStringLiteral("Trimora 2"));
  frame_->SetBottomBarStatusPanels({{"", -1, ui::PanelAlignment::Left},
                                    {"", 150, ui::PanelAlignment::Left},
                                    {"", 230, ui::PanelAlignment::Left},
                                    {"", 145, ui::PanelAlignment::Right}});
  content_ = new ui::TXPGradientPanel(this);
  content_->setObjectName(QStringLiteral("ContentPanel"));
  frame_->SetContentPanel(content_);

  auto* column = new QVBoxLayout(content_);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  coolBar_ = new QWidget(content_);
  coolBar_->setObjectName(QStringLiteral("CoolBar"));
  auto* coolLayout = new QVBoxLayout(coolBar_);
  coolLayout->setContentsMargins(0, 0, 0, 0);
  coolLayout->setSpacing(0);
  column->addWidget(coolBar_);
  BuildMenus();
  // The menus and the controls are painted flat from the start (the Standard skin switches that
  // off).
  menuStyle_ = std::make_unique<ui::TFlatMenuStyle>();
  SetMenuPainting(true);
  ui::SetFlatControlPainting(true);
  BuildToolBars();
  coolLayout->addWidget(menuToolBar_);
  coolLayout->addWidget(bandRow_);

  auto* body = new QHBoxLayout;
  body->setContentsMargins(4, 4, 4, 4);
  body->setSpacing(4);
  column->addLayout(body, 1);
  auto* left = new QVBoxLayout;
  left->setSpacing(4);
  body->addLayout(left);
  BuildLeftColumn();
  left->addWidget(zoomPanel_);
  left->addWidget(dirPanel_, 1);
  BuildPicturePanel();
  body->addWidget(imagePanel_, 1);

  // The plain status bar of the Standard skin; hidden in the Fashion skin.
  statusBar_ = new QWidget(content_);
  statusBar_->setObjectName(QStringLiteral("StatusBar"));
  auto* statusLayout = new QHBoxLayout(statusBar_);
  // A little room below the panels, so that their lower edge stays clear of the window border.
  statusLayout->setContentsMargins(0, 2, 0, 3);
  statusLayout->setSpacing(2);
  constexpr std::array<int, 4> kPlainPanelWidths = {270, 150, 230, 145};
  for (std::size_t i = 0; i < plainStatus_.size(); ++i) {
    auto* panel = new QLabel(statusBar_);
    panel->setObjectName(QStringLiteral("StatusPanel") + QString::number(i));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    // The last panel takes the rest of the bar; the texts of the others are clipped.
    if (i + 1 < plainStatus_.size()) {
      panel->setFixedWidth(kPlainPanelWidths[i]);
    } else {
      panel->setMinimumWidth(kPlainPanelWidths[i]);
      panel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    if (i + 1 == plainStatus_.size())
      panel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    plainStatus_[i] = panel;
    statusLayout->addWidget(panel);
  }
  statusBar_->hide();
  column->addWidget(statusBar_);

  setMinimumSize(kMainMinimumWidth, kMainMinimumHeight);
  resize(800, 600);
  qApp->installEventFilter(this);

  // The presenter runs the set-up and writes the start state into the widgets built above.
  if (outside == nullptr) {
    ownOutside_ = std::make_unique<PlatformPrograms>();
    outside = ownOutside_.get();
  }
  frameWidgets_ = std::make_unique<QtFrameView>(
      imagePanel_, imagePanel_->Image(), imagePanel_->Frame(), imagePanel_->RedEyeFrame(), nullptr);
  // The dialogs, made once and reused: the format definitions, the folder chooser, the
  // message box and the input box, the settings, the about box.
  constexpr int kPictureSize = 28;
  formatDialog_ = new formats::TFormatDialog(
      this, frame_, nullptr,
      {MakeToolIcon(ToolIcon::First, kPictureSize), MakeToolIcon(ToolIcon::Previous, kPictureSize),
       MakeToolIcon(ToolIcon::Next, kPictureSize), MakeToolIcon(ToolIcon::Last, kPictureSize),
       MakeToolIcon(ToolIcon::Append, kPictureSize), MakeToolIcon(ToolIcon::Delete, kPictureSize)});
  dialogs_ = std::make_unique<ui::DialogKit>(this, frame_);
  formatDialog_->SetDialogKit(dialogs_.get());
  optionsDialog_ = new TOptionsDialog(this, frame_, dialogs_.get());
  infoDialog_ = new TInfoDialog(this);
  BuildViewingWindows();
  const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
  presenter_ = std::make_unique<MainPresenter>(
      *this, *frameWidgets_, *outside,
      formatFolder.empty() ? FormatFileFoldersOfThisProgram()
                           : FormatFileFolders{formatFolder, formatFolder},
      WindowRect{desktop.x(), desktop.y(), desktop.width(), desktop.height()}, [this] {
        QMetaObject::invokeMethod(
            this, [this] { presenter_->RunHandOvers(); }, Qt::QueuedConnection);
      });
  presenter_->Folder().SetHighDpi(logicalDpiX() > 96);
  imagePanel_->SetPresenter(&presenter_->Frame());
  std::array<int, 5> barWidths{};
  for (int band = 1; band <= 5; ++band)
    barWidths[static_cast<std::size_t>(band - 1)] = Band(band)->sizeHint().width();
  presenter_->ToolBarsMeasured(barWidths);
  ReportBandBarWidth();
  shortcutPanel_->raise();
}

TKvMainForm::~TKvMainForm() {
  qApp->removeEventFilter(this);
  SetMenuPainting(false);
  ui::SetFlatControlPainting(false);
  presenter_.reset();
}

void TKvMainForm::Register(CommandId id, QAction* action) {
  action->setData(static_cast<int>(id));
  actions_[Index(id)].push_back(action);
  connect(action, &QAction::triggered, this, [this, id] {
    presenter_->Run(id);
    // A check item or toggle button shows the presenter's state, whatever the click did.
    SetCommandChecked(id, presenter_->Checked(id));
  });
}

QAction* TKvMainForm::AddMenuItem(QMenu* menu, const CommandRow& row) {
  QAction* item = menu->addAction(Q(MenuText(row)));
  item->setCheckable(row.kind == CommandKind::Check || row.kind == CommandKind::Radio);
  item->setVisible(row.start != CommandStart::Hidden);
  item->setEnabled(false);
  Register(row.id, item);
  menuItems_[Index(row.id)].push_back(item);
  return item;
}

void TKvMainForm::BuildMenus() {
  menuToolBar_ = new QToolBar(coolBar_);
  menuToolBar_->setObjectName(QStringLiteral("MenuToolBar"));
  menuToolBar_->setFixedHeight(ui::kMenuBandHeight);
  menuToolBar_->setMovable(false);
  menuToolBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (const MenuRow& row : MenuTable()) {
    auto* menu = new QMenu(Text(row.caption), this);
    menu->setObjectName(Text(row.name));
    menus_[row.id] = menu;
    if (row.parent || row.id == MenuId::Picture || row.id == MenuId::FormatChooser) continue;
    auto* button = new QToolButton(menuToolBar_);
    button->setText(Text(row.caption));
    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setObjectName(Text(row.name) + QStringLiteral("Button"));
    button->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0; }"));
    menuToolBar_->addWidget(button);
  }
  auto* skins = new QActionGroup(this);
  for (const MenuEntry& entry : MenuEntries()) {
    QMenu* menu = menus_.at(entry.menu);
    switch (entry.kind) {
      case MenuEntry::Kind::Separator:
        menu->addSeparator();
        break;
      case MenuEntry::Kind::Submenu:
        menu->addMenu(menus_.at(entry.submenu));
        break;
      case MenuEntry::Kind::Command: {
        const CommandRow& row = Row(entry.command);
        QAction* item = AddMenuItem(menu, row);
        if (entry.menu != MenuId::Picture) item->setObjectName(Text(row.name));
        if (row.kind == CommandKind::Radio) skins->addAction(item);
        break;
      }
    }
  }
}

void TKvMainForm::BuildToolBars() {
  bandRow_ = new QWidget(coolBar_);
  bandRow_->setObjectName(QStringLiteral("BandRow"));
  bandRow_->setFixedHeight(ui::kToolBarRowHeight);
  std::map<ToolBarId, QToolBar*> bars;
  for (const ToolBarRow& row : ToolBarTable()) {
    auto* bar = new QToolBar(row.band > 0 ? bandRow_ : static_cast<QWidget*>(this));
    bar->setObjectName(Text(row.name));
    bar->setMovable(false);
    if (row.band > 0) {
      bar->setIconSize(QSize(24, 24));
      bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
      bar->setFixedHeight(ui::kToolBarRowHeight);
      bar->hide();
      bands_[static_cast<std::size_t>(row.band - 1)] = bar;
    } else {
      bar->setIconSize(QSize(16, 16));
    }
    bars[row.id] = bar;
  }
  for (const ToolEntry& entry : ToolEntries()) {
    const CommandRow& row = Row(entry.command);
    QToolBar* bar = bars.at(entry.bar);
    const int size = entry.bar == ToolBarId::Magnifier ? 16 : 24;
    QAction* item =
        bar->addAction(MakeToolIcon(IconOf(row.picture), size), Text(row.buttonCaption));
    item->setToolTip(Text(row.hint));
    item->setCheckable(row.kind == CommandKind::Toggle);
    item->setEnabled(false);
    Register(row.id, item);
    toolItems_[Index(row.id)].push_back(item);
    if (QWidget* button = bar->widgetForAction(item)) button->setObjectName(Text(row.buttonName));
  }
  for (int band = 1; band <= 5; ++band) AddGrip(band);
}

void TKvMainForm::BuildLeftColumn() {
  // The magnifier fills its panel but for 4 pixels; its buttons float over its top right.
  zoomPanel_ = new ui::TXPPanel(content_, Qt::white, true);
  zoomPanel_->setObjectName(QStringLiteral("ZoomPanel"));
  zoomPanel_->setFixedSize(kLeftColumnWidth, kZoomPanelSize);
  zoom_ = new ThlvZoom(zoomPanel_);
  zoom_->setGeometry(4, 4, kMagnifierSize, kMagnifierSize);
  zoom_->hide();
  zoomLabel_ = new QLabel(QStringLiteral("Zoom deaktiviert"), zoomPanel_);
  zoomLabel_->setObjectName(QStringLiteral("ZoomLabel"));
  zoomLabel_->move(12, 14);
  zoomLabel_->adjustSize();
  zoomLabel_->hide();
  auto* buttons = new ui::TXPPanel(zoomPanel_, kEntryColor, true);
  buttons->setObjectName(QStringLiteral("ZoomButtonPanel"));
  buttons->setGeometry(123, 7, kZoomButtonPanelWidth, kZoomButtonPanelHeight);
  auto* zoomBar = findChild<QToolBar*>(QStringLiteral("ZoomToolBar"));
  zoomBar->setParent(buttons);
  zoomBar->layout()->setContentsMargins(0, 0, 0, 0);
  zoomBar->layout()->setSpacing(0);
  zoomBar->setGeometry(2, 2, kZoomButtonPanelWidth - 4, kZoomButtonPanelHeight - 4);
  buttons->raise();

  dirPanel_ = new ui::TXPPanel(content_, kEntryColor, true);
  dirPanel_->setObjectName(QStringLiteral("DirPanel"));
  dirPanel_->setFixedWidth(kLeftColumnWidth);
  auto* layout = new QVBoxLayout(dirPanel_);
  layout->setContentsMargins(1, 4, 1, 1);
  layout->setSpacing(3);
  thumbsCheck_ = new QCheckBox(QStringLiteral("Thumbnails anzeigen"), dirPanel_);
  thumbsCheck_->setObjectName(QStringLiteral("ThumbsCheckBox"));
  thumbsCheck_->setChecked(true);
  connect(thumbsCheck_, &QCheckBox::clicked, this, [this](bool checked) {
    thumbsCheck_->clearFocus();
    setFocus();
    presenter_->ThumbnailsToggled(checked);
  });
  // A right click on the check box opens the format chooser.
  thumbsCheck_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(thumbsCheck_, &QCheckBox::customContextMenuRequested, this,
          [this] { presenter_->ThumbnailsRightClicked(); });
  auto* checkRow = new QHBoxLayout;
  checkRow->setContentsMargins(8, 0, 0, 0);
  checkRow->addWidget(thumbsCheck_);
  layout->addLayout(checkRow);
  scrollBox_ = new QScrollArea(dirPanel_);
  scrollBox_->setObjectName(QStringLiteral("ScrollBox"));
  scrollBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  scrollBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scrollBox_->setFrameShape(QFrame::NoFrame);
  strip_ = new QWidget;
  strip_->setObjectName(QStringLiteral("Strip"));
  strip_->setAutoFillBackground(true);
  SetPanelColor(strip_, kEntryColor);
  // One style sheet for all entries; properties pick the current entry and lossy types.
  strip_->setStyleSheet(QStringLiteral(
      "QToolButton[thumb=\"true\"] { background: white; border: 1px solid #A9B8DC; "
      "border-radius: 3px; padding: 4px 1px 1px 1px; }"
      "QToolButton[thumb=\"true\"]:hover { border-color: #6D8AD4; }"
      "QToolButton[thumb=\"true\"][current=\"true\"] { background: #FFF6C8; "
      "border: 2px solid #E0A030; padding: 3px 0px 0px 0px; }"
      "QToolButton[fileType=\"true\"] { background: #F3F6FD; border: 1px solid #A9B8DC; "
      "padding: 0px; color: black; }"
      "QToolButton[fileType=\"true\"][lossy=\"true\"] { color: red; }"));
  scrollBox_->setWidget(strip_);
  scrollBox_->setWidgetResizable(false);
  layout->addWidget(scrollBox_, 1);
}

void TKvMainForm::BuildPicturePanel() {
  imagePanel_ = new TImagePanel(content_);
  imagePanel_->setContextMenuPolicy(Qt::CustomContextMenu);
  QMenu* context = menus_.at(MenuId::Picture);
  connect(imagePanel_, &QWidget::customContextMenuRequested, this,
          [this, context](const QPoint& at) { context->popup(imagePanel_->mapToGlobal(at)); });
  BuildShortcutPanel();
}

void TKvMainForm::BuildShortcutPanel() {
  shortcutPanel_ = new QFrame(imagePanel_);
  shortcutPanel_->setObjectName(QStringLiteral("ShortcutPanel"));
  shortcutPanel_->setAutoFillBackground(true);
  SetPanelColor(shortcutPanel_, Qt::white);
  static_cast<QFrame*>(shortcutPanel_)->setFrameShape(QFrame::Box);
  auto* grid = new QGridLayout(shortcutPanel_);
  grid->setContentsMargins(16, 12, 16, 12);
  grid->setHorizontalSpacing(24);
  grid->setVerticalSpacing(1);
  auto* heading = new QLabel(Text(kShortcutHeading), shortcutPanel_);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  grid->addWidget(heading, 0, 0, 1, 2);
  grid->setRowMinimumHeight(1, 8);
  int row = 2;
  for (const ShortcutRow& line : ShortcutPanelRows()) {
    if (*line.action == '\0') {
      grid->setRowMinimumHeight(row++, 10);
      continue;
    }
    grid->addWidget(new QLabel(Text(line.action), shortcutPanel_), row, 0);
    grid->addWidget(new QLabel(Text(line.keys), shortcutPanel_), row, 1);
    ++row;
  }
  grid->setRowMinimumHeight(row++, 12);
  auto* email = new QWidget(shortcutPanel_);
  email->setObjectName(QStringLiteral("EmailPanel"));
  auto* emailRow = new QHBoxLayout(email);
  emailRow->setContentsMargins(0, 0, 0, 0);
  emailRow->addWidget(new QLabel(QStringLiteral("Fragen oder Anregungen?"), email));
  auto* link = new QLabel(
      QStringLiteral("<a href=\"mailto:%1\">%1</a>").arg(QString::fromUtf8(kSupportAddress)),
      email);
  link->setObjectName(QStringLiteral("EmailLink"));
  link->setTextFormat(Qt::RichText);
  link->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  connect(link, &QLabel::linkActivated, this, [this] { presenter_->MailSupport(); });
  emailRow->addWidget(link);
  emailRow->addStretch(1);
  grid->addWidget(email, row, 0, 1, 2);
  shortcutPanel_->adjustSize();
}

void TKvMainForm::BuildViewingWindows() {
  fullScreen_ = new TFullScreenDialog(this);
  fullScreen_->SetButtonIcons(MakeToolIcon(ToolIcon::Previous, 16),
                              MakeToolIcon(ToolIcon::Delete, 16), MakeToolIcon(ToolIcon::Next, 16),
                              MakeToolIcon(ToolIcon::Format, 16));
  connect(fullScreen_, &TFullScreenDialog::keyPressed, this,
          [this](int key, Qt::KeyboardModifiers modifiers) {
            presenter_->FullScreenKey(KeyPressOf(key, modifiers));
          });
  connect(fullScreen_, &TFullScreenDialog::buttonClicked, this,
          [this](FullScreenAction action) { presenter_->FullScreenButton(action); });
  connect(fullScreen_, &TFullScreenDialog::refreshPosted, this,
          [this] { presenter_->FullScreenRefreshPosted(); });

  exif_ = new metadata::TEXIFDialog(this);
  connect(exif_, &metadata::TEXIFDialog::closeRequested, this,
          [this] { presenter_->ExifWindowClosed(); });
  connect(exif_, &metadata::TEXIFDialog::activated, this, [this](bool active) {
    if (presenter_) presenter_->ExifWindowActivated(active);
  });
  connect(exif_, &metadata::TEXIFDialog::placed, this, [this](const QRect& normal) {
    if (presenter_)
      presenter_->ExifWindowPlaced({normal.x(), normal.y(), normal.width(), normal.height()});
  });
}

// Band bar.

void TKvMainForm::PlaceBands(const std::vector<ui::BandPlace>& places) {
  // Bands keep their place when it does not change, so that laying them out again repaints
  // nothing that looks the same.
  std::array<bool, 5> placed{};
  for (const ui::BandPlace& place : places) {
    const auto i = static_cast<std::size_t>(place.band - 1);
    placed[i] = true;
    // The grip at the band's left end, the tool bar beside it.
    ui::TBandGrip* grip = grips_[i];
    grip->setGeometry(place.left, 0, grip->width(), ui::kToolBarRowHeight);
    grip->show();
    QToolBar* bar = Band(place.band);
    bar->setGeometry(place.left + grip->width(), 0, std::max(0, place.width - grip->width()),
                     ui::kToolBarRowHeight);
    bar->show();
  }
  for (std::size_t i = 0; i < placed.size(); ++i) {
    if (placed[i]) continue;
    bands_[i]->hide();
    grips_[i]->hide();
  }
}

void TKvMainForm::ShiftBelowBandBar(int pixels) {
  // The panels below follow the band bar's layout: the row coming or going moves them.
  bandRow_->setVisible(pixels > 0);
}

void TKvMainForm::SetWindowMinimumWidth(int width) { setMinimumWidth(width); }

void TKvMainForm::SetWindowWidth(int width, int left) {
  setGeometry(left, geometry().y(), width, geometry().height());
}

QWidget* TKvMainForm::BandGrip(int number) const {
  return grips_[static_cast<std::size_t>(number - 1)];
}

void TKvMainForm::AddGrip(int band) {
  QToolBar* bar = Band(band);
  auto* grip = new ui::TBandGrip(bandRow_);
  grip->setObjectName(QStringLiteral("Grip") + QString::number(band));
  grip->setToolTip(QStringLiteral("Zum Verschieben der Leiste ziehen"));
  grip->hide();
  grips_[static_cast<std::size_t>(band - 1)] = grip;
  grip->SetHandlers(
      [this, bar, grip](QPoint by) {
        // While dragged the band follows the pointer, into a second row as well.
        const QPoint to = grip->pos() + by;
        const int width = grip->width() + bar->width();
        grip->move(std::clamp(to.x(), 0, std::max(0, bandRow_->width() - width)),
                   std::clamp(to.y(), 0, ui::kToolBarRowHeight));
        bar->move(grip->x() + grip->width(), grip->y());
        grip->raise();
        bar->raise();
        bandRow_->setFixedHeight(grip->y() > ui::kToolBarRowHeight / 2 ? 2 * ui::kToolBarRowHeight
                                                                       : ui::kToolBarRowHeight);
      },
      [this, grip, band] {
        // Back on the one row, in the place the band reached.
        bandRow_->setFixedHeight(ui::kToolBarRowHeight);
        presenter_->BandDropped(band, grip->x());
      });
}

void TKvMainForm::ReportBandBarWidth() {
  if (presenter_) presenter_->WindowResized(width(), coolBar_->width());
}

// Events.

bool TKvMainForm::event(QEvent* event) {
  if (event->type() == static_cast<QEvent::Type>(kStartMessage)) {
    // The window finishes painting first.
    QCoreApplication::processEvents();
    // The EXIF/IPTC window that was open when the program closed opens above the window, once
    // that is on the screen (shown before it, a window manager may stack it below).
    if (exifShownWithWindow_) {
      exif_->show();
      exif_->raise();
    }
    ReportBandBarWidth();
    presenter_->FinishStart();
    CentreShortcutPanel();
    return true;
  }
  return QWidget::event(event);
}

void TKvMainForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!startPosted_) {
    startPosted_ = true;
    QCoreApplication::postEvent(this, new QEvent(static_cast<QEvent::Type>(kStartMessage)));
  }
}

void TKvMainForm::closeEvent(QCloseEvent* event) {
  const QRect normal = NormalGeometry(*this);
  presenter_->WindowPlaced({normal.x(), normal.y(), normal.width(), normal.height()},
                           isMaximized());
  presenter_->Close();
  event->accept();
}

void TKvMainForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ReportBandBarWidth();
}

void TKvMainForm::CentreShortcutPanel() {
  if (shortcutPanel_->isVisible()) {
    shortcutPanel_->move((imagePanel_->width() - shortcutPanel_->width()) / 2,
                         (imagePanel_->height() - shortcutPanel_->height()) / 2);
  }
}

PointerTarget TKvMainForm::TargetOf(const QWidget* widget) const {
  if (widget == nullptr) return PointerTarget::Nothing;
  const QWidget* image = imagePanel_->Image();
  if (widget == image || image->isAncestorOf(widget)) return PointerTarget::Picture;
  if (widget == this || widget == content_ || widget == frame_) return PointerTarget::MainWindow;
  const QWidget* parent = widget->parentWidget();
  if (parent != nullptr && (parent == strip_ || parent->parentWidget() == strip_))
    return PointerTarget::StripEntry;
  return PointerTarget::OtherControl;
}

bool TKvMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ToolTip && !hintsShown_) return true;
  // The pointer left the program's windows, or the program is no longer the active one.
  if (presenter_ == nullptr) return QWidget::eventFilter(watched, event);
  if ((watched == this && event->type() == QEvent::Leave) ||
      (event->type() == QEvent::ApplicationStateChange &&
       QGuiApplication::applicationState() != Qt::ApplicationActive)) {
    presenter_->PointerMoved(PointerTarget::Nothing,
                             QGuiApplication::applicationState() == Qt::ApplicationActive);
  }
  if (watched == coolBar_ && event->type() == QEvent::Resize) ReportBandBarWidth();
  if (watched == imagePanel_ && event->type() == QEvent::Resize) {
    CentreShortcutPanel();
    presenter_->PanelResized(imagePanel_->width(), imagePanel_->height());
  }
  if (!watched->isWidgetType()) return QWidget::eventFilter(watched, event);
  if (MenuHelpKey(watched, event)) return true;
  auto* widget = static_cast<QWidget*>(watched);
  const bool mine = widget->window() == this && QApplication::activeModalWidget() == nullptr;
  switch (event->type()) {
    case QEvent::KeyPress: {
      if (!mine) break;
      auto* key = static_cast<QKeyEvent*>(event);
      if (presenter_->KeyPressed(KeyPressOf(key->key(), key->modifiers()))) return true;
      break;
    }
    case QEvent::Wheel:
      // The wheel resizes the selection and never scrolls.
      if (mine && !presenter_->StartingUp()) {
        presenter_->Wheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
        return true;
      }
      break;
    case QEvent::Enter:
      // A window that went away or came up moved what lies under the resting pointer: the
      // innermost widget entered decides, as a pointer move over it would.
      if (widget->childAt(static_cast<QEnterEvent*>(event)->position().toPoint()) == nullptr) {
        presenter_->PointerMoved(TargetOf(widget),
                                 QGuiApplication::applicationState() == Qt::ApplicationActive);
      }
      break;
    case QEvent::MouseMove: {
      auto* move = static_cast<QMouseEvent*>(event);
      presenter_->PointerMoved(TargetOf(widget),
                               QGuiApplication::applicationState() == Qt::ApplicationActive);
      zoom_->PointerMoved();
      const QCursor* cursor = QApplication::overrideCursor();
      if (cursor != nullptr && IsSizingCursor(cursor->shape()) && move->buttons() == Qt::NoButton &&
          (!mine || (widget != this && widget != imagePanel_))) {
        QApplication::restoreOverrideCursor();
      }
      break;
    }
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

bool TKvMainForm::MenuHelpKey(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1) return false;
  auto* menu = qobject_cast<QMenu*>(watched);
  if (menu == nullptr) return false;
  for (const auto& [id, ours] : menus_) {
    if (ours != menu) continue;
    std::optional<CommandId> item;
    if (QAction* active = menu->activeAction(); active != nullptr && active->menu() == nullptr &&
                                                id != MenuId::DefaultFormat &&
                                                id != MenuId::FormatChooser) {
      item = static_cast<CommandId>(active->data().toInt());
    }
    // The help window comes up in front: the open menus close first.
    for (const auto& [unused, open] : menus_) open->hide();
    presenter_->MenuItemHelp(id, item);
    return true;
  }
  return false;
}

// MainView: the window's own controls.

void TKvMainForm::SetCommandEnabled(CommandId id, bool enabled) {
  for (QAction* action : actions_[Index(id)]) action->setEnabled(enabled);
}

void TKvMainForm::SetCommandChecked(CommandId id, bool checked) {
  for (QAction* action : actions_[Index(id)]) {
    if (action->isCheckable()) action->setChecked(checked);
  }
}

void TKvMainForm::SetCommandCaption(CommandId id, const std::string& caption) {
  const CommandRow& row = Row(id);
  for (QAction* item : menuItems_[Index(id)]) {
    item->setText(row.shortcut ? Q(caption) + QLatin1Char('\t') + Q(KeyText(*row.shortcut))
                               : Q(caption));
  }
  // A tool button takes the caption when it has one, or when its command has no menu item.
  if (*row.buttonCaption != '\0' || *row.caption == '\0') {
    for (QAction* item : toolItems_[Index(id)]) {
      item->setText(Q(caption));
      item->setIconText(Q(caption));  // as it is: blanks widen the format button on purpose
    }
    // The format band follows its tool bar's new width.
    QToolBar* format = Band(4);
    for (QAction* item : toolItems_[Index(id)]) {
      if (presenter_ && format->actions().contains(item))
        presenter_->FormatToolBarResized(format->sizeHint().width());
    }
  }
}

void TKvMainForm::SetMenuPainting(bool on) {
  if (menuPainting_ == on || !menuStyle_) return;
  menuPainting_ = on;
  for (const auto& [id, menu] : menus_) menuStyle_->Apply(*menu, on);
}

void TKvMainForm::RemoveShortcut(CommandId id) {
  for (QAction* item : menuItems_[Index(id)]) {
    const qsizetype tab = item->text().indexOf(QLatin1Char('\t'));
    if (tab >= 0) item->setText(item->text().left(tab));
  }
}

void TKvMainForm::ApplyStandardSkin() {
  const QRect normal = NormalGeometry(*this);
  const bool maximized = isMaximized();
  const bool shown = isVisible();
  const bool exifShown = exif_->isVisible();
  // Every window with a skinned frame and a content panel.
  for (QWidget* window : QApplication::topLevelWidgets()) {
    auto* frame = window->findChild<ui::TtfXPForm*>(QString(), Qt::FindDirectChildrenOnly);
    auto* content =
        window->findChild<QWidget*>(QStringLiteral("ContentPanel"), Qt::FindDirectChildrenOnly);
    if (frame != nullptr && content != nullptr && !frame->FrameHidden() &&
        (window == this || window->parentWidget() == this)) {
      ui::ConvertToStandardSkin(*frame, *content);
    }
  }
  formatDialog_->UseStandardColors();
  // The EXIF window keeps a sizeable tool window border.
  exif_->setWindowFlag(Qt::Tool, true);
  if (exifShown) exif_->show();
  // No bevels around the picture and the keyboard help.
  static_cast<QFrame*>(shortcutPanel_)->setFrameShape(QFrame::NoFrame);
  ui::SetFlatControlPainting(false);
  if (menuPainting_) {
    SetMenuPainting(false);
    // The window repaints without the styling before it goes on (not while it is being built).
    update();
    if (presenter_) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
  statusBar_->show();
  // The strip in the system's colours; the current entry stands out a little.
  const QColor plain = palette().color(QPalette::Window);
  entryColor_ = palette().color(QPalette::Button);
  currentEntryColor_ = kPlainCurrentEntryColor;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].panel == nullptr) continue;
    const bool current = entries_[i].button->property("current").toBool();
    SetPanelColor(entries_[i].panel, current ? currentEntryColor_ : entryColor_);
  }
  // Picture area, strip and band bar in the window's colour; a white line above the strip.
  for (QWidget* area : {static_cast<QWidget*>(imagePanel_), strip_, coolBar_}) {
    area->setAutoFillBackground(true);
    SetPanelColor(area, plain);
  }
  static_cast<ui::TXPPanel*>(dirPanel_)->SetColor(plain);
  dirPanel_->setStyleSheet(QString());
  scrollBox_->setStyleSheet(
      QStringLiteral("QScrollArea#ScrollBox { border-top: 1px solid white; }"));
  // The window keeps its place, size and state.
  setGeometry(normal);
  if (maximized) {
    showMaximized();
  } else if (shown) {
    show();
  }
}

void TKvMainForm::SetCommandHint(CommandId id, const std::string& hint) {
  for (QAction* item : toolItems_[Index(id)]) item->setToolTip(Q(hint));
}

void TKvMainForm::SetFormatMenu(FormatMenu which, const std::vector<FormatMenuEntry>& entries) {
  QMenu* menu =
      menus_.at(which == FormatMenu::Chooser ? MenuId::FormatChooser : MenuId::DefaultFormat);
  // The painting is switched off and on again so that it takes the new entries as well.
  if (menuPainting_) {
    SetMenuPainting(false);
    SetMenuPainting(true);
  }
  menu->clear();
  auto* group = new QActionGroup(menu);
  group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  for (const FormatMenuEntry& entry : entries) {
    if (entry.separator) {
      menu->addSeparator();
      continue;
    }
    QAction* item = menu->addAction(Q(entry.caption));
    item->setCheckable(true);
    item->setChecked(entry.checked);
    item->setData(entry.formatId);
    group->addAction(item);
    const std::int32_t id = entry.formatId;
    if (which == FormatMenu::Chooser) {
      connect(item, &QAction::triggered, this, [this, id] { presenter_->FormatChosen(id); });
    } else {
      connect(item, &QAction::triggered, this, [this, id] { presenter_->DefaultFormatChosen(id); });
    }
  }
}

void TKvMainForm::CheckFormatMenu(FormatMenu which, std::int32_t formatId) {
  QMenu* menu =
      menus_.at(which == FormatMenu::Chooser ? MenuId::FormatChooser : MenuId::DefaultFormat);
  for (QAction* item : menu->actions()) {
    if (item->isCheckable()) item->setChecked(item->data().toInt() == formatId);
  }
}

void TKvMainForm::ShowFormatPopup(FormatPopupPlace place) {
  QMenu* popup = menus_.at(MenuId::FormatChooser);
  QPoint at = QCursor::pos();
  if (place == FormatPopupPlace::BelowFormatButton) {
    const std::vector<QAction*>& items = toolItems_[Index(CommandId::FormatButton)];
    QWidget* button = items.empty() ? nullptr : Band(4)->widgetForAction(items.front());
    // Just below the button's lower left corner; the window's corner when the band is hidden.
    at = button != nullptr && button->isVisible()
             ? button->mapToGlobal(QPoint(0, button->height() - 1))
             : mapToGlobal(QPoint(0, 0));
  }
  popup->popup(at);
}

void TKvMainForm::SetFrameActive(bool active) {
  if (active) {
    frame_->MarkActive();
  } else {
    frame_->MarkInactive();
  }
}

// MainView: the magnifier.

void TKvMainForm::SetMagnifierActive(bool active) { zoom_->SetActive(active); }

void TKvMainForm::SetMagnifierShown(bool shown) { zoom_->setVisible(shown); }

void TKvMainForm::SetMagnifierZoomLevel(int level) { zoom_->SetZoomLevel(level); }

void TKvMainForm::RefreshMagnifier() { zoom_->RefreshZoom(); }

void TKvMainForm::LayOutMagnifierPanel(const MagnifierPanel& panel) {
  zoomPanel_->setFixedHeight(panel.panelHeight);
  zoom_->resize(kMagnifierSize, panel.magnifierHeight);
  zoomLabel_->setVisible(panel.labelShown);
}

// MainView: the full-screen preview.

void TKvMainForm::ShowFullScreenContent(FullScreenContent content) {
  const Picture* picture = content == FullScreenContent::MarkedPart
                               ? &imagePanel_->Image()->Overlay()
                               : frameWidgets_->ShownPicture();
  if (picture == nullptr) {
    fullScreen_->Clear();
  } else {
    fullScreen_->ShowPicture(*picture);
  }
}

void TKvMainForm::SetShowCroppedButton(bool down, const std::string& hint) {
  fullScreen_->SetCroppedButton(down, Q(hint));
}

void TKvMainForm::RunFullScreen() {
  // The preview covers the window: it is painted once, after the preview closed, in the look
  // it has then, not under the preview.
  setUpdatesEnabled(false);
  fullScreen_->Run();
  setUpdatesEnabled(true);
}

void TKvMainForm::CloseFullScreen() { fullScreen_->accept(); }

void TKvMainForm::ClearFullScreen() { fullScreen_->Clear(); }

void TKvMainForm::PostFullScreenRefresh() { fullScreen_->PostRefresh(); }

// MainView: the EXIF/IPTC window.

void TKvMainForm::PlaceExifWindow(const WindowRect& rect) {
  exif_->setGeometry(rect.left, rect.top, rect.width, rect.height);
}

void TKvMainForm::SetExifText(const std::string& text) { exif_->SetText(Q(text)); }

void TKvMainForm::SetExifWindowVisible(bool visible) {
  if (!startPosted_) {
    exifShownWithWindow_ = visible;
    return;
  }
  exifShownWithWindow_ = false;
  exif_->setVisible(visible);
  if (visible) {
    // Shown by a command, the window comes to the front with the keyboard, as a new window does.
    exif_->raise();
    exif_->activateWindow();
  }
}

void TKvMainForm::SetExifWindowLook(bool exifActive) {
  exif_->SetLookActive(exifActive);
  SetFrameActive(!exifActive);
}

void TKvMainForm::PlaceWindow(const WindowRect& rect, bool maximized) {
  resize(rect.width, rect.height);
  move(rect.left, rect.top);
  if (maximized) setWindowState(Qt::WindowMaximized);
}

int TKvMainForm::ShowTypeMenu(int position, const std::vector<TypeMenuItem>& items) {
  if (position < 0 || position >= static_cast<int>(entries_.size())) return -1;
  QToolButton* type = entries_[static_cast<std::size_t>(position)].type;
  QMenu menu(this);
  for (std::size_t i = 0; i < items.size(); ++i) {
    QAction* item = menu.addAction(Q(items[i].caption));
    item->setData(static_cast<int>(i));
    item->setEnabled(items[i].enabled);
  }
  QAction* chosen = menu.exec(type->mapToGlobal(QPoint(0, type->height())));
  return chosen != nullptr ? chosen->data().toInt() : -1;
}

OptionsView& TKvMainForm::OptionsDialog() { return *optionsDialog_; }

FormatDialogView& TKvMainForm::FormatDialog() { return *formatDialog_; }

void TKvMainForm::ShowAboutBox(const std::string& version) {
  frame_->MarkInactive();
  infoDialog_->SetVersion(Q(version));
  infoDialog_->CentreOver(this);
  infoDialog_->exec();
  frame_->MarkActive();
  QCoreApplication::processEvents();
}

void TKvMainForm::RepaintPending() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TKvMainForm::CloseWindow() { close(); }

// MainView: status, dialogs.

QString TKvMainForm::StatusPanelText(int index) const {
  const auto panels = frame_->BottomBarStatusPanels();
  if (index < 0 || index >= static_cast<int>(panels.size())) return {};
  return Q(panels[static_cast<std::size_t>(index)].text);
}

void TKvMainForm::SetStatusPanel(int index, const std::string& text) {
  frame_->SetStatusPanelText(index, Q(text));
  if (index >= 0 && index < 4) {
    QLabel* panel = plainStatus_[static_cast<std::size_t>(index)];
    QString plain = Q(text);
    if (index == 0) {
      // A long path loses its middle, as in the frame's bottom bar.
      const QFontMetrics metrics = panel->fontMetrics();
      plain = QStringLiteral("  ") +
              Q(ui::ShortenPathToFit(text, panel->width() - 2 * panel->frameWidth() - 12,
                                     [&metrics](std::string_view piece) {
                                       return metrics.horizontalAdvance(QString::fromUtf8(
                                           piece.data(), static_cast<qsizetype>(piece.size())));
                                     }));
    }
    if (index == 3) plain += QStringLiteral("     ");
    panel->setText(plain);
  }
}

int TKvMainForm::ShowMessageBox(const std::string& title, const std::string& text, int buttons,
                                const std::string& dontShowAgainKey, int width, int height) {
  const int answer =
      dialogs_->ShowMessageBox(Q(title), Q(text), static_cast<std::uint16_t>(buttons),
                               Q(dontShowAgainKey), width, height, frame_);
  // The box has gone from over the window: the magnifier shows what lies there now.
  if (presenter_) presenter_->RefreshZoom();
  return answer;
}

std::string TKvMainForm::ShowInputBox(const std::string& title, const std::string& prompt,
                                      const std::string& defaultText) {
  const std::string result =
      dialogs_->ShowInputBox(Q(title), Q(prompt), Q(defaultText), frame_).toStdString();
  repaint();
  if (presenter_) presenter_->RefreshZoom();
  return result;
}

std::string TKvMainForm::ChooseFolder(const std::string& title, const std::string& okCaption,
                                      int glyphIndex, const std::string& startFolder) {
  return dialogs_->ChooseFolder(Q(title), Q(okCaption), glyphIndex, Q(startFolder), frame_)
      .toStdString();
}

void TKvMainForm::ShowError(const std::string& text) {
  QMessageBox::critical(this, QStringLiteral("Trimora 2"), Q(text));
}

void TKvMainForm::OpenHandedOverPath(const std::string& path) {
  const bool waiting = !handedOver_.empty();
  handedOver_ = path;
  // Taken from the event loop, never from inside the caller.
  if (!waiting) QTimer::singleShot(0, this, &TKvMainForm::TakeHandedOverPath);
}

void TKvMainForm::TakeHandedOverPath() {
  // Opening a folder under an open dialog or menu, or in the middle of a task that lets events
  // through, would pull the ground from under it: the path waits.
  if (QApplication::activeModalWidget() != nullptr ||
      QApplication::activePopupWidget() != nullptr || busy_ > 0) {
    QTimer::singleShot(200, this, &TKvMainForm::TakeHandedOverPath);
    return;
  }
  const std::string path = std::exchange(handedOver_, {});
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
  presenter_->OpenPath(path);
}

void TKvMainForm::SetBusy(bool busy) {
  if (busy) {
    if (busy_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (busy_ > 0 && --busy_ == 0) {
    QApplication::restoreOverrideCursor();
  }
}

void TKvMainForm::SetShortcutPanelVisible(bool visible) {
  shortcutPanel_->setVisible(visible);
  CentreShortcutPanel();
}

// MainView: the strip.

void TKvMainForm::SetStripVisible(bool visible) { scrollBox_->setVisible(visible); }

void TKvMainForm::ClearStrip() {
  for (EntryWidgets& entry : entries_) delete entry.panel;
  entries_.clear();
  stripFinished_ = false;
  strip_->resize(scrollBox_->viewport()->width(), 0);
}

void TKvMainForm::InsertStripEntry(StripEntry entry) {
  const int p = entry.position;
  const StripEntryGeometry& g = entry.geometry;
  const QString number = QString::number(p);
  EntryWidgets widgets;
  widgets.height = g.panelHeight;
  auto* panel = new QWidget(strip_);
  panel->setObjectName(QStringLiteral("ThumbPanel") + number);
  panel->setAutoFillBackground(true);
  SetPanelColor(panel, entryColor_);
  panel->setGeometry(0, entry.top, scrollBox_->viewport()->width(), g.panelHeight);
  widgets.panel = panel;

  auto* button = new QToolButton(panel);
  button->setObjectName(QStringLiteral("ThumbButton") + number);
  button->setFocusPolicy(Qt::NoFocus);
  button->setToolButtonStyle(entry.thumbnail.empty() ? Qt::ToolButtonTextOnly
                                                     : Qt::ToolButtonTextUnderIcon);
  button->setFont(ArialFont(g.fontPoints));
  button->setText(Q(entry.caption));
  button->setGeometry(g.buttonLeft, g.buttonTop, g.buttonWidth, g.buttonHeight);
  if (!entry.thumbnail.empty()) {
    button->setIcon(QIcon(QPixmap::fromImage(ToImage(entry.thumbnail))));
    button->setIconSize(QSize(entry.thumbnail.width(), entry.thumbnail.height()));
  }
  button->setProperty("thumb", true);
  connect(button, &QToolButton::clicked, this, [this, p] { presenter_->EntryClicked(p); });
  widgets.button = button;

  auto* check = new QCheckBox(panel);
  check->setObjectName(QStringLiteral("ThumbCheckBox") + number);
  check->setGeometry(g.checkLeft, g.checkTop, 15, 15);
  check->setToolTip(QStringLiteral("Zum Speichern vormerken"));
  check->setFocusPolicy(Qt::NoFocus);
  check->setChecked(entry.saveIt);
  connect(check, &QCheckBox::clicked, this,
          [this, p](bool checked) { presenter_->EntryCheckClicked(p, checked); });
  widgets.check = check;

  auto small = [&](ToolIcon icon, int top, const QString& name, const QString& hint,
                   std::function<void()> action) {
    auto* b = new QToolButton(panel);
    b->setObjectName(name + number);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setIcon(MakeToolIcon(icon, 14));
    b->setIconSize(QSize(14, 14));
    b->setGeometry(19, top, 18, 19);
    b->setToolTip(hint);
    connect(b, &QToolButton::clicked, this, std::move(action));
  };
  small(ToolIcon::Delete, g.deleteTop, QStringLiteral("DeleteButton"),
        QStringLiteral("Original löschen"), [this, p] { presenter_->DeleteClicked(p); });
  small(ToolIcon::Rename, g.renameTop, QStringLiteral("RenameButton"),
        QStringLiteral("Original umbenennen"), [this, p] { presenter_->RenameClicked(p); });

  auto* type = new QToolButton(panel);
  type->setObjectName(QStringLiteral("TypeButton") + number);
  type->setFocusPolicy(Qt::NoFocus);
  type->setGeometry(g.typeLeft, g.typeTop, 31, 13);
  type->setFont(ArialFont(6));
  type->setToolTip(QStringLiteral("Dateiformat wählen"));
  type->setProperty("fileType", true);
  connect(type, &QToolButton::clicked, this, [this, p] { presenter_->TypeButtonClicked(p); });
  widgets.type = type;

  check->raise();
  panel->show();
  entries_.resize(static_cast<std::size_t>(p) + 1);
  entries_[static_cast<std::size_t>(p)] = widgets;
  SetEntryFileType(p, entry.fileType, entry.lossyJpeg);
  strip_->resize(scrollBox_->viewport()->width(),
                 std::max(strip_->height(), entry.top + g.panelHeight));
}

void TKvMainForm::SetEntryCurrent(int position, bool current) {
  if (position < 0 || position >= static_cast<int>(entries_.size()) ||
      !entries_[static_cast<std::size_t>(position)].panel)
    return;
  EntryWidgets& entry = entries_[static_cast<std::size_t>(position)];
  SetPanelColor(entry.panel, current ? currentEntryColor_ : entryColor_);
  entry.button->setProperty("current", current);
  Repolish(entry.button);
  entry.panel->update();
}

void TKvMainForm::SetEntryChecked(int position, bool checked) {
  if (position >= 0 && position < static_cast<int>(entries_.size()))
    entries_[static_cast<std::size_t>(position)].check->setChecked(checked);
}

void TKvMainForm::SetEntryCheckEnabled(int position, bool enabled) {
  if (position >= 0 && position < static_cast<int>(entries_.size()))
    entries_[static_cast<std::size_t>(position)].check->setEnabled(enabled);
}

void TKvMainForm::SetEntryCaption(int position, const std::string& caption) {
  if (position >= 0 && position < static_cast<int>(entries_.size()))
    entries_[static_cast<std::size_t>(position)].button->setText(Q(caption));
}

void TKvMainForm::SetEntryFileType(int position, const std::string& type, bool red) {
  if (position < 0 || position >= static_cast<int>(entries_.size())) return;
  QToolButton* button = entries_[static_cast<std::size_t>(position)].type;
  button->setText(Q(type) + QStringLiteral(" \u25BE"));
  if (button->property("lossy").toBool() != red || !button->property("lossy").isValid()) {
    button->setProperty("lossy", red);
    Repolish(button);
  }
}

void TKvMainForm::SetEntryThumbnail(int position, const Picture& thumbnail,
                                    const StripEntryGeometry& geometry) {
  if (position < 0 || position >= static_cast<int>(entries_.size())) return;
  EntryWidgets& entry = entries_[static_cast<std::size_t>(position)];
  if (entry.panel == nullptr) return;
  entry.button->setIcon(QIcon(QPixmap::fromImage(ToImage(thumbnail))));
  entry.button->setIconSize(QSize(thumbnail.width(), thumbnail.height()));
  entry.button->setGeometry(geometry.buttonLeft, geometry.buttonTop, geometry.buttonWidth,
                            geometry.buttonHeight);
  entry.height = geometry.panelHeight;
  entry.panel->resize(entry.panel->width(), geometry.panelHeight);
  // The entries below follow the new height, as they stack without gaps.
  StackEntries();
}

void TKvMainForm::HideEntry(int position) {
  if (position < 0 || position >= static_cast<int>(entries_.size())) return;
  entries_[static_cast<std::size_t>(position)].panel->hide();
  // While the strip grows, new entries are placed below the last one; restack afterwards.
  if (stripFinished_) StackEntries();
}

void TKvMainForm::ScrollToEntry(int position) {
  if (position >= 0 && position < static_cast<int>(entries_.size()))
    scrollBox_->ensureWidgetVisible(entries_[static_cast<std::size_t>(position)].panel, 0, 0);
}

void TKvMainForm::StackEntries() {
  int top = 0;
  for (EntryWidgets& entry : entries_) {
    if (entry.panel == nullptr || entry.panel->isHidden()) continue;
    entry.panel->move(0, top);
    top += entry.height;
  }
  strip_->resize(scrollBox_->viewport()->width(), top);
}

void TKvMainForm::FinishStrip() {
  stripFinished_ = true;
  StackEntries();
}

// MainView: the picture.

void TKvMainForm::ShowPicture(const Picture& picture) {
  ShowPictureWithDisplayCopy(picture, Picture());
}

void TKvMainForm::ShowPictureWithDisplayCopy(const Picture& picture, Picture displayCopy) {
  frameWidgets_->SetPicture(&picture);
  TPictureView* image = imagePanel_->Image();
  image->show();
  pictureOnScreen_ = true;
  image->RebuildDisplayCopy(picture, std::move(displayCopy));
  image->repaint();
  if (pictureShown_) pictureShown_();
}

void TKvMainForm::ShowPictureWithPreview(const Picture& picture, const Picture& preview) {
  frameWidgets_->SetPicture(&picture);
  TPictureView* image = imagePanel_->Image();
  image->show();
  pictureOnScreen_ = true;
  // The display copy is made from the preview when it is at least as large as the view.
  if (preview.width() >= image->width() && preview.height() >= image->height()) {
    image->RebuildDisplayCopy(preview);
  } else {
    frameWidgets_->RebuildDisplayCopy();
  }
  image->repaint();
  if (pictureShown_) pictureShown_();
}

void TKvMainForm::RedrawPicturePart(const Picture& picture, const PixelRect& part) {
  TPictureView* image = imagePanel_->Image();
  image->RedrawDisplayPart(picture, part);
  image->repaint();
  if (pictureShown_) pictureShown_();
}

void TKvMainForm::ClearPicture() {
  imagePanel_->Image()->hide();
  imagePanel_->Frame()->hide();
  pictureOnScreen_ = false;
}

void TKvMainForm::ShowPanelBackground(bool show) {
  if (show) {
    imagePanel_->Image()->hide();
  } else if (pictureOnScreen_) {
    imagePanel_->Image()->show();
  }
}

}  // namespace trimora::app
