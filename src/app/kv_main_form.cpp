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
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "app/frame_wiring.h"
#include "app/tool_icons.h"
#include "frame/image_panel.h"
#include "frame/picture_view.h"
#include "output/lossless.h"
#include "platform/instance.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/settings.h"
#include "platform/version.h"
#include "platform/window_placement.h"
#include "tables/ansi_text.h"
#include "ui/dialog_kit.h"
#include "ui/input_box.h"
#include "ui/kit_style.h"
#include "ui/message_box.h"
#include "ui/select_folder_dialog.h"
#include "ui/xp_controls.h"
#include "ui/xp_form.h"

namespace trimora::app {

namespace {

const QColor kEntryColor(0xF3, 0xF6, 0xFD);
const QColor kCurrentEntryColor(0xD5, 0xDE, 0xF8);

// Designed minimum widths of the five tool bars (band numbers 1 to 5).
constexpr std::array<int, 5> kBandMinimum = {144, 210, 228, 70, 284};
constexpr int kToolBarHeight = 54;
constexpr int kMenuBandHeight = 24;
constexpr int kLeftColumnWidth = 205;

QString Q(const std::string& text) { return QString::fromStdString(text); }

QFont ArialFont(int points) {
  QFont font(QStringLiteral("Arial"));
  font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("DejaVu Sans")});
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

}  // namespace

TKvMainForm::TKvMainForm(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("KvMainForm"));
  setWindowTitle(QStringLiteral("Trimora 2"));
  startingUp_ = true;

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

  presenter_ = std::make_unique<FolderPresenter>(*this, formats_, [this] {
    QMetaObject::invokeMethod(this, [this] { presenter_->RunHandOvers(); }, Qt::QueuedConnection);
  });
  presenter_->SetHighDpi(logicalDpiX() > 96);
  dialogs_ = std::make_unique<ui::DialogKit>(this, frame_);

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
  for (std::size_t i = 0; i < plainStatus_.size(); ++i) {
    plainStatus_[i] = new QLabel(statusBar_);
    statusLayout->addWidget(plainStatus_[i], i == 0 ? 1 : 0);
  }
  statusBar_->hide();
  column->addWidget(statusBar_);

  setMinimumSize(800, 600);
  qApp->installEventFilter(this);

  // Set-up: settings, format tables, the default format, the help hook.
  LoadSettings();
  frameWiring_ = std::make_unique<MainFrameWiring>(*this, imagePanel_);
  frameWiring_->ConnectMenuItems();
  formats_.LoadFormatTables(FormatFileFoldersOfThisProgram());
  formats_.LoadDefaultFormat(ReadIntSetting("FormatID", 1));
  presenter_->Frame().ApplyFormat(formats_.DefaultFormat.FormatID, true);
  formatButton_->setText(QStringLiteral(" ") + Q(formats_.DefaultFormat.Name) + QStringLiteral(" "));
  LayoutBands();
  presenter_->UpdateCommandStates(false);
  shortcutPanel_->raise();
}

TKvMainForm::~TKvMainForm() {
  qApp->removeEventFilter(this);
  presenter_->StopThread();
}

QAction* TKvMainForm::AddItem(QMenu* menu, const QString& caption, const QString& shortcut,
                              std::function<void()> action) {
  QAction* item = menu->addAction(shortcut.isEmpty() ? caption : caption + QLatin1Char('\t') + shortcut);
  if (action) connect(item, &QAction::triggered, this, std::move(action));
  return item;
}

void TKvMainForm::Govern(Command command, QAction* action) {
  commandActions_[static_cast<std::size_t>(command)].push_back(action);
}

void TKvMainForm::BuildMenus() {
  menuToolBar_ = new QToolBar(coolBar_);
  menuToolBar_->setObjectName(QStringLiteral("MenuToolBar"));
  menuToolBar_->setFixedHeight(kMenuBandHeight);
  menuToolBar_->setMovable(false);
  menuToolBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  FolderPresenter& p = *presenter_;
  auto addMenu = [this](const QString& caption, const QString& name) {
    auto* menu = new QMenu(this);
    menu->setObjectName(name);
    auto* button = new QToolButton(menuToolBar_);
    button->setText(caption);
    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setObjectName(name + QStringLiteral("Button"));
    button->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0; }"));
    menuToolBar_->addWidget(button);
    return std::pair{menu, button};
  };

  auto [datei, dateiButton] = addMenu(QStringLiteral("&Datei"), QStringLiteral("Datei1"));
  AddItem(datei, QStringLiteral("&Quellverzeichnis wählen ..."), QStringLiteral("Strg+O"),
          [&p] { p.ChooseSourceFolder(); });
  Govern(Command::CropAndSave, AddItem(datei, QStringLiteral("Zuschneiden und &speichern ..."),
                                       QStringLiteral("Strg+S")));
  QAction* burn = AddItem(datei, QStringLiteral("Zuschneiden und &brennen ..."), QStringLiteral("Strg+B"));
  burn->setVisible(false);
  Govern(Command::CropAndBurn, burn);
  datei->addSeparator();
  Govern(Command::ResetFolder, AddItem(datei, QStringLiteral("Verzeichnis zurücksetzen"),
                                       QStringLiteral("Strg+Entf"), [&p] { p.ResetFolder(); }));
  datei->addSeparator();
  Govern(Command::MarkForSaving, AddItem(datei, QStringLiteral("Bild zum Speichern vormerken"),
                                         QStringLiteral("Einfg"), [&p] { p.MarkForSaving(true, -1, false); }));
  Govern(Command::UnmarkForSaving,
         AddItem(datei, QStringLiteral("Bild nicht zum Speichern vormerken"), QStringLiteral("Entf"),
                 [&p] { p.MarkForSaving(false, -1, false); }));
  datei->addSeparator();
  Govern(Command::RotatePlus90,
         AddItem(datei, QStringLiteral("Original um 90° drehen + speichern"), QStringLiteral("F6")));
  Govern(Command::RotateMinus90,
         AddItem(datei, QStringLiteral("Original um -90° drehen + speichern"), QStringLiteral("F7")));
  datei->addSeparator();
  Govern(Command::FirstPicture, AddItem(datei, QStringLiteral("&Erstes Bild"), QStringLiteral("Strg+Bild auf"),
                                        [&p] { p.FirstPicture(); }));
  Govern(Command::PreviousPicture, AddItem(datei, QStringLiteral("&Voriges Bild"), QStringLiteral("Bild auf"),
                                           [&p] { p.PreviousPicture(); }));
  Govern(Command::NextPicture, AddItem(datei, QStringLiteral("&Nächstes Bild"), QStringLiteral("Bild ab"),
                                       [&p] { p.NextPicture(); }));
  Govern(Command::LastPicture, AddItem(datei, QStringLiteral("&Letztes Bild"), QStringLiteral("Strg+Bild ab"),
                                       [&p] { p.LastPicture(); }));
  datei->addSeparator();
  AddItem(datei, QStringLiteral("Einstellungen ..."), QStringLiteral("Strg+E"));
  datei->addSeparator();
  AddItem(datei, QStringLiteral("&Beenden"), QStringLiteral("Alt+F4"), [this] { close(); });

  auto [ansicht, ansichtButton] = addMenu(QStringLiteral("&Ansicht"), QStringLiteral("Ansicht1"));
  auto* skins = new QActionGroup(this);
  QAction* standard = AddItem(ansicht, QStringLiteral("Standard"), {});
  QAction* fashion = AddItem(ansicht, QStringLiteral("Fashion"), {});
  for (QAction* item : {standard, fashion}) {
    item->setCheckable(true);
    skins->addAction(item);
  }
  fashion->setChecked(true);
  ansicht->addSeparator();
  Govern(Command::ExifInfo, AddItem(ansicht, QStringLiteral("EXIF/IPTC-Informationen"), QStringLiteral("Strg+I")));
  ansicht->addSeparator();
  Govern(Command::OutsideOpacity, AddItem(ansicht, QStringLiteral("Nicht ausgewählten Bereich ausblenden"),
                                          QStringLiteral("Alt+Num /")));
  Govern(Command::OutsideOpacity, AddItem(ansicht, QStringLiteral("Nicht ausgewählten Bereich einblenden"),
                                          QStringLiteral("Alt++")));
  Govern(Command::OutsideOpacity,
         AddItem(ansicht, QStringLiteral("Auswahl freistellen"), QStringLiteral("Strg+Alt+Num /")));
  Govern(Command::OutsideOpacity,
         AddItem(ansicht, QStringLiteral("Gesamtbild einheitlich darstellen"), QStringLiteral("Strg+Alt++")));
  ansicht->addSeparator();
  Govern(Command::FullScreen, AddItem(ansicht, QStringLiteral("Vollbild"), QStringLiteral("F11")));
  zoomItem_ = AddItem(ansicht, QStringLiteral("Zoom deaktivieren"), QStringLiteral("Strg+Z"),
                      [this] { zoomPause_->click(); });
  ansicht->addSeparator();
  QMenu* bars = ansicht->addMenu(QStringLiteral("Schaltflächenleisten"));
  const std::array<const char*, 5> barNames = {"Öffnen/Speichern", "Bildkorrektur", "Drehen",
                                               "Ausgabeformat", "Bildwechsel"};
  for (int i = 0; i < 5; ++i) {
    QAction* item = bars->addAction(QString::fromUtf8(barNames[static_cast<std::size_t>(i)]));
    item->setCheckable(true);
    item->setChecked(i < 4);
    connect(item, &QAction::triggered, this, [this, i] { ToggleToolBar(i + 1); });
    bandItems_[static_cast<std::size_t>(i)] = item;
  }
  // The accelerator of "Ansicht" moves from A to n.
  ansichtButton->setText(QStringLiteral("A&nsicht"));

  auto [move, moveButton] = addMenu(QStringLiteral("Auswahl &bewegen"), QStringLiteral("Auswahlbewegen1"));
  for (auto [caption, key] : {std::pair{"Nach links", "Links"}, {"Nach rechts", "Rechts"},
                              {"Nach oben", "Oben"}, {"Nach unten", "Unten"},
                              {"Nach ganz links", "Strg+Links"}, {"Nach ganz rechts", "Strg+Rechts"},
                              {"Nach ganz oben", "Strg+Oben"}, {"Nach ganz unten", "Strg+Unten"},
                              {"Zentrieren", "Leer"}}) {
    Govern(Command::MoveSelection, AddItem(move, QString::fromUtf8(caption), QString::fromUtf8(key)));
  }

  auto [size, sizeButton] = addMenu(QStringLiteral("Auswahl&größe"), QStringLiteral("Auswahlgre1"));
  Govern(Command::SizeStep, AddItem(size, QStringLiteral("Verkleinern"), QStringLiteral("Num /")));
  Govern(Command::SizeStep, AddItem(size, QStringLiteral("Vergrößern"), QStringLiteral("+")));
  Govern(Command::SizeExtreme, AddItem(size, QStringLiteral("Minimieren"), QStringLiteral("Strg+Num /")));
  Govern(Command::SizeExtreme, AddItem(size, QStringLiteral("Maximieren"), QStringLiteral("Strg++")));
  size->addSeparator();
  Govern(Command::RotateSelection, AddItem(size, QStringLiteral("Um 90° drehen"), QStringLiteral("Strg+D")));

  auto [corr, corrButton] = addMenu(QStringLiteral("Bild&korrekturen"), QStringLiteral("Bildkorrekturen1"));
  Govern(Command::RedEyeFilter, AddItem(corr, QStringLiteral("Rote Augen filtern"), QStringLiteral("F3")));
  Govern(Command::RedEyeRemove, AddItem(corr, QStringLiteral("Rote Augen-Filter entfernen"), QStringLiteral("Strg+F3")));
  corr->addSeparator();
  Govern(Command::AutoCorrect, AddItem(corr, QStringLiteral("Automatische Bildkorrektur"), QStringLiteral("F4")));
  Govern(Command::AutoCorrectUndo, AddItem(corr, QStringLiteral("Automatische Bildkorrektur rückgangig machen"),
                                           QStringLiteral("Strg+F4")));
  corr->addSeparator();
  Govern(Command::Enlarge, AddItem(corr, QStringLiteral("Bild um seitliche Ränder erweitern"), QStringLiteral("F5")));
  Govern(Command::EnlargeRemove, AddItem(corr, QStringLiteral("Erweiterung entfernen"), QStringLiteral("Strg+F5")));

  auto [formats, formatsButton] = addMenu(QStringLiteral("&Formatverwaltung"), QStringLiteral("Formatverwaltung1"));
  AddItem(formats, QStringLiteral("Format&definitionen ..."), QStringLiteral("Strg+F"));
  QMenu* standardFormat = formats->addMenu(QStringLiteral("&Standardausgabeformat"));
  standardFormat->setObjectName(QStringLiteral("Standardausgabeformat1"));
  connect(standardFormat, &QMenu::aboutToShow, this, [this, standardFormat] {
    standardFormat->clear();
    auto* group = new QActionGroup(standardFormat);
    auto addRows = [&](const Table& table, int sign) {
      for (int r = 0; r < table.RecordCount(); ++r) {
        const std::int32_t id = sign * (r + 1);
        const FieldValue& name = table.At(r, table.FindColumn(kFormatName));
        const QString caption = std::holds_alternative<std::string>(name)
                                    ? Q(AnsiToUtf8(std::get<std::string>(name)))
                                    : QString();
        QAction* item = standardFormat->addAction(caption);
        item->setCheckable(true);
        item->setChecked(id == formats_.DefaultFormat.FormatID);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, id] { formats_.LoadDefaultFormat(id); });
      }
    };
    addRows(formats_.scalableFormatTable, 1);
    standardFormat->addSeparator();
    addRows(formats_.nonScalableFormatTable, -1);
  });
  Govern(Command::FormatForCurrent,
         AddItem(formats, QStringLiteral("Ausgabeformat für aktuelles Bild"), QStringLiteral("F2")));

  auto [help, helpButton] = addMenu(QStringLiteral("&Hilfe"), QStringLiteral("Hilfe1"));
  AddItem(help, QStringLiteral("&Inhalt"), QStringLiteral("F1"), [this] { ShowHelpTopic(1, 0); });
  AddItem(help, QStringLiteral("Kurzanleitung"), {}, [this] { StartGuide(); });
  AddItem(help, QStringLiteral("Häufig gestellte Fragen"), {}, [this] { ShowHelpTopic(1, 25); });
  help->addSeparator();
  AddItem(help, QStringLiteral("Homepage"), {}, [] { OpenAddress(kHomePage); });
  AddItem(help, QStringLiteral("Info ..."), {}, [this] { ShowInfo(); });
  (void)dateiButton, (void)moveButton, (void)sizeButton, (void)corrButton, (void)formatsButton,
      (void)helpButton;
}

void TKvMainForm::BuildToolBars() {
  bandRow_ = new QWidget(coolBar_);
  bandRow_->setObjectName(QStringLiteral("BandRow"));
  bandRow_->setFixedHeight(kToolBarHeight);
  const std::array<const char*, 5> names = {"FileToolBar", "CorrectionToolBar", "RotateToolBar",
                                            "FormatToolBar", "NavToolBar"};
  for (std::size_t i = 0; i < names.size(); ++i) {
    auto* bar = new QToolBar(bandRow_);
    bar->setObjectName(QString::fromUtf8(names[i]));
    bar->setMovable(false);
    bar->setIconSize(QSize(24, 24));
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bar->setFixedHeight(kToolBarHeight);
    bands_[i] = bar;
  }
  FolderPresenter& p = *presenter_;
  auto add = [this](QToolBar* bar, ToolIcon icon, const QString& caption, const QString& hint,
                    std::function<void()> action = {}) {
    QAction* item = bar->addAction(MakeToolIcon(icon, 24), caption);
    item->setToolTip(hint);
    if (action) connect(item, &QAction::triggered, this, std::move(action));
    return item;
  };
  add(bands_[0], ToolIcon::OpenFolder, QStringLiteral(" Quellverz. "), QStringLiteral("Quellverzeichnis wählen"),
      [&p] { p.ChooseSourceFolder(); });
  Govern(Command::CropAndSave, add(bands_[0], ToolIcon::Save, QStringLiteral(" Speichern "),
                                   QStringLiteral("Zuschneiden und speichern")));
  Govern(Command::RedEyeFilter, add(bands_[1], ToolIcon::RedEye, QStringLiteral("Rot filtern"),
                                    QStringLiteral("Rote Augen filtern")));
  QAction* correct = add(bands_[1], ToolIcon::Correct, QStringLiteral("Korrigieren"),
                         QStringLiteral("Automatische Bildkorrektur\n(Tonwertkorrektur + Medianfilter)"));
  correct->setCheckable(true);
  Govern(Command::CorrectionButton, correct);
  QAction* enlarge = add(bands_[1], ToolIcon::Enlarge, QStringLiteral("Erweitern"),
                         QStringLiteral("Erweitert das Bild um Seitenränder, um das gewünschte "
                                        "Ausgabeformat zu erzielen"));
  enlarge->setCheckable(true);
  Govern(Command::EnlargeButton, enlarge);
  Govern(Command::RotatePlus90, add(bands_[2], ToolIcon::RotateRight, QStringLiteral("90° drehen"),
                                    QStringLiteral("Original um 90° drehen + speichern")));
  Govern(Command::RotateMinus90, add(bands_[2], ToolIcon::RotateLeft, QStringLiteral("-90° drehen"),
                                     QStringLiteral("Original um -90° drehen + speichern")));
  Govern(Command::FullScreen, add(bands_[2], ToolIcon::FullScreen, QStringLiteral("Vollbild"),
                                  QStringLiteral("Auf Vollbildansicht umschalten")));
  QAction* format = add(bands_[3], ToolIcon::Format, QString(), QStringLiteral("Ausgabeformat wählen"));
  formatButton_ = qobject_cast<QToolButton*>(bands_[3]->widgetForAction(format));
  formatButton_->setObjectName(QStringLiteral("FormatButton"));
  Govern(Command::FormatButton, format);
  Govern(Command::FirstPicture, add(bands_[4], ToolIcon::First, QStringLiteral("Erstes Bild"),
                                    QStringLiteral("Zum ersten Bild springen"), [&p] { p.FirstPicture(); }));
  Govern(Command::PreviousPicture, add(bands_[4], ToolIcon::Previous, QStringLiteral("Zurück"),
                                       QStringLiteral("Zum vorigen Bild springen"), [&p] { p.PreviousPicture(); }));
  Govern(Command::NextPicture, add(bands_[4], ToolIcon::Next, QStringLiteral("Weiter"),
                                   QStringLiteral("Zum nächsten Bild springen"), [&p] { p.NextPicture(); }));
  Govern(Command::LastPicture, add(bands_[4], ToolIcon::Last, QStringLiteral("Letztes Bild"),
                                   QStringLiteral("Zum letzten Bild springen"), [&p] { p.LastPicture(); }));
  bands_[4]->hide();
}

void TKvMainForm::BuildLeftColumn() {
  zoomPanel_ = new ui::TXPPanel(content_, Qt::white, true);
  zoomPanel_->setObjectName(QStringLiteral("ZoomPanel"));
  zoomPanel_->setFixedSize(kLeftColumnWidth, kLeftColumnWidth);
  auto* zoom = new QWidget(zoomPanel_);
  zoom->setObjectName(QStringLiteral("Zoom"));
  zoom->setGeometry(1, 1, kLeftColumnWidth - 2, kLeftColumnWidth - 26);
  zoomLabel_ = new QLabel(QStringLiteral("Zoom deaktiviert"), zoomPanel_);
  zoomLabel_->setAlignment(Qt::AlignCenter);
  zoomLabel_->setGeometry(1, 80, kLeftColumnWidth - 2, 20);
  zoomLabel_->hide();
  auto* zoomBar = new QToolBar(zoomPanel_);
  zoomBar->setObjectName(QStringLiteral("ZoomToolBar"));
  zoomBar->setIconSize(QSize(16, 16));
  zoomBar->setGeometry(kLeftColumnWidth - 100, kLeftColumnWidth - 27, 98, 26);
  zoomBar->addAction(MakeToolIcon(ToolIcon::ZoomIn, 16), QString())->setToolTip(QStringLiteral("Zoom vergrößern"));
  zoomBar->addAction(MakeToolIcon(ToolIcon::ZoomOut, 16), QString())->setToolTip(QStringLiteral("Zoom verkleinern"));
  QAction* pause = zoomBar->addAction(MakeToolIcon(ToolIcon::ZoomPause, 16), QString());
  pause->setToolTip(QStringLiteral("Zoom deaktivieren"));
  pause->setCheckable(true);
  zoomPause_ = qobject_cast<QToolButton*>(zoomBar->widgetForAction(pause));
  connect(pause, &QAction::toggled, this, [this](bool paused) {
    zoomLabel_->setVisible(paused);
    zoomItem_->setText(paused ? QStringLiteral("Zoom aktivieren\tStrg+Z")
                              : QStringLiteral("Zoom deaktivieren\tStrg+Z"));
  });

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
  auto* context = new QMenu(this);
  context->setObjectName(QStringLiteral("PictureMenu"));
  Govern(Command::ExifInfo, AddItem(context, QStringLiteral("EXIF/IPTC-Informationen"), QStringLiteral("Strg+I")));
  Govern(Command::OutsideOpacity, AddItem(context, QStringLiteral("Auswahl freistellen"), QStringLiteral("Strg+Alt+Num /")));
  Govern(Command::OutsideOpacity,
         AddItem(context, QStringLiteral("Gesamtbild einheitlich darstellen"), QStringLiteral("Strg+Alt++")));
  context->addSeparator();
  for (auto [caption, key] : {std::pair{"Nach links", "Links"}, {"Nach rechts", "Rechts"},
                              {"Nach oben", "Oben"}, {"Nach unten", "Unten"}, {"Zentrieren", "Leer"}}) {
    Govern(Command::MoveSelection, AddItem(context, QString::fromUtf8(caption), QString::fromUtf8(key)));
  }
  context->addSeparator();
  Govern(Command::SizeStep, AddItem(context, QStringLiteral("Verkleinern"), QStringLiteral("Num /")));
  Govern(Command::SizeStep, AddItem(context, QStringLiteral("Vergrößern"), QStringLiteral("+")));
  Govern(Command::SizeExtreme, AddItem(context, QStringLiteral("Minimieren"), QStringLiteral("Strg+Num /")));
  Govern(Command::SizeExtreme, AddItem(context, QStringLiteral("Maximieren"), QStringLiteral("Strg++")));
  Govern(Command::RotateSelection, AddItem(context, QStringLiteral("Um 90° drehen"), QStringLiteral("Strg+D")));
  connect(imagePanel_, &QWidget::customContextMenuRequested, this,
          [this, context](const QPoint& at) { context->popup(imagePanel_->mapToGlobal(at)); });

  shortcutPanel_ = new QFrame(imagePanel_);
  shortcutPanel_->setObjectName(QStringLiteral("ShortcutPanel"));
  shortcutPanel_->setAutoFillBackground(true);
  SetPanelColor(shortcutPanel_, Qt::white);
  static_cast<QFrame*>(shortcutPanel_)->setFrameShape(QFrame::Box);
  auto* grid = new QGridLayout(shortcutPanel_);
  grid->setContentsMargins(16, 12, 16, 12);
  grid->setHorizontalSpacing(24);
  grid->setVerticalSpacing(1);
  auto* heading = new QLabel(QStringLiteral("Wichtige Tastaturbelegungen:"), shortcutPanel_);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  grid->addWidget(heading, 0, 0, 1, 2);
  grid->setRowMinimumHeight(1, 8);
  const std::vector<std::pair<const char*, const char*>> rows = {
      {"Auswahl nach links verschieben", "Cursor links"},
      {"Auswahl nach rechts verschieben", "Cursor rechts"},
      {"Auswahl nach oben verschieben", "Cursor auf"},
      {"Auswahl nach unten verschieben", "Cursor ab"},
      {"Auswahl ganz nach links verschieben", "Strg + Cursor links"},
      {"Auswahl ganz nach rechts verschieben", "Strg + Cursor rechts"},
      {"Auswahl ganz nach oben verschieben", "Strg + Cursor auf"},
      {"Auswahl ganz nach unten verschieben", "Strg + Cursor ab"},
      {"Auswahl zentrieren", "Leerzeichen"},
      {nullptr, nullptr},
      {"Auswahl vergrößern", "+ oder Q oder Scrollrad ab"},
      {"Auswahl verkleinern", "- oder A oder Scrollrad auf"},
      {"Auswahl maximieren", "Strg + + oder Strg + Q"},
      {"Auswahl minimieren", "Strg + - oder Strg + A"},
      {"Auswahl um 90° drehen", "Strg + D"},
      {nullptr, nullptr},
      {"Voriges Bild", "Bild auf"},
      {"Nächstes Bild", "Bild ab"},
      {"Erstes Bild", "Strg + Bild auf"},
      {"Letztes Bild", "Strg + Bild ab"},
  };
  int row = 2;
  for (auto [left, right] : rows) {
    if (left == nullptr) {
      grid->setRowMinimumHeight(row++, 10);
      continue;
    }
    grid->addWidget(new QLabel(QString::fromUtf8(left), shortcutPanel_), row, 0);
    grid->addWidget(new QLabel(QString::fromUtf8(right), shortcutPanel_), row, 1);
    ++row;
  }
  grid->setRowMinimumHeight(row++, 12);
  auto* email = new QWidget(shortcutPanel_);
  email->setObjectName(QStringLiteral("EmailPanel"));
  auto* emailRow = new QHBoxLayout(email);
  emailRow->setContentsMargins(0, 0, 0, 0);
  emailRow->addWidget(new QLabel(QStringLiteral("Fragen oder Anregungen?"), email));
  auto* link = new QLabel(QStringLiteral("<a href=\"mailto:%1\">%1</a>").arg(QString::fromUtf8(kSupportAddress)), email);
  link->setObjectName(QStringLiteral("EmailLink"));
  link->setTextFormat(Qt::RichText);
  link->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  connect(link, &QLabel::linkActivated, this,
          [](const QString& address) { OpenAddress(address.toStdString()); });
  emailRow->addWidget(link);
  emailRow->addStretch(1);
  grid->addWidget(email, row, 0, 1, 2);
  shortcutPanel_->adjustSize();
}

// Settings.

void TKvMainForm::LoadSettings() {
  presenter_->ApplySettings(LoadFolderSettings());
  resize(800, 600);
  setMinimumWidth(std::max(800, minimumWidth()));
  const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
  if (ReadIntSetting("Height", -9999) == -9999) {
    move(desktop.x() + (desktop.width() - 800) / 2, desktop.y() + (desktop.height() - 600) / 2);
    firstRun_ = true;
  } else {
    resize(ReadIntSetting("Width", 800), ReadIntSetting("Height", 600));
    int left = x();
    int top = y();
    if (const int saved = ReadIntSetting("Left", -9999); saved != -9999) left = saved;
    if (const int saved = ReadIntSetting("Top", -9999); saved != -9999) top = saved;
    if (left > 1024 || top > 768) {
      left = 1;
      top = 1;
    }
    move(left, top);
    if (ReadBoolSetting("Maximized", false)) setWindowState(Qt::WindowMaximized);
  }
  zoomLevel_ = ReadIntSetting("ZoomLevel", 50);
  if (!ReadBoolSetting("ZoomActive", true)) {
    zoomPause_->setChecked(false);
    zoomPause_->click();
  }
  masterAlpha_ = ReadIntSetting("MasterAlpha", 105);
  ApplyBandOrder(QString::fromStdString(ReadStringSetting("ToolBar\\Order", "12345")));
  const std::array<const char*, 4> shown = {"ToolBar\\Files", "ToolBar\\TouchUp", "ToolBar\\Rotate",
                                            "ToolBar\\Format"};
  for (int i = 0; i < 4; ++i) {
    if (!ReadBoolSetting(shown[static_cast<std::size_t>(i)], true)) ToggleToolBar(i + 1);
  }
  if (ReadBoolSetting("ToolBar\\Navigation", false)) ToggleToolBar(5);
  LayoutBands();
  thumbsCheck_->setChecked(presenter_->ThumbnailsOn());
  // The EXIF window's place is kept and written back as it was read.
  const int exifWidth = ReadIntSetting("EXIF\\Width", 445);
  const int exifHeight = ReadIntSetting("EXIF\\Height", 325);
  exifPlace_ = {ReadIntSetting("EXIF\\Left", (desktop.width() - exifWidth) / 2),
                ReadIntSetting("EXIF\\Top", (desktop.height() - exifHeight) / 2), exifWidth, exifHeight};
  exifVisible_ = ReadBoolSetting("EXIF\\Visible", false);
}

void TKvMainForm::SaveSettings() {
  presenter_->SaveSettings();
  SaveWindowPlacement(*this, "");
  WriteIntSetting("EXIF\\Left", exifPlace_[0]);
  WriteIntSetting("EXIF\\Top", exifPlace_[1]);
  WriteIntSetting("EXIF\\Width", exifPlace_[2]);
  WriteIntSetting("EXIF\\Height", exifPlace_[3]);
  WriteBoolSetting("EXIF\\Visible", exifVisible_);
  WriteBoolSetting("Maximized", isMaximized());
  WriteIntSetting("ZoomLevel", zoomLevel_);
  WriteBoolSetting("ZoomActive", !zoomPause_->isChecked());
  if (frameWiring_) masterAlpha_ = frameWiring_->Presenter().MasterAlpha;
  WriteIntSetting("MasterAlpha", masterAlpha_);
  const std::array<const char*, 5> names = {"ToolBar\\Files", "ToolBar\\TouchUp", "ToolBar\\Rotate",
                                            "ToolBar\\Format", "ToolBar\\Navigation"};
  for (std::size_t i = 0; i < names.size(); ++i) WriteBoolSetting(names[i], bandItems_[i]->isChecked());
  std::string order;
  for (int number : bandOrder_) order += static_cast<char>('0' + number);
  WriteStringSetting("ToolBar\\Order", order);
  WriteBoolSetting("StandardSkin", false);
  WriteBoolSetting("Thumbs", thumbsCheck_->isChecked());
}

// Band bar.

void TKvMainForm::ApplyBandOrder(const QString& order) {
  // Anything but a permutation of the digits 1 to 5 falls back to the designed order.
  std::vector<int> numbers;
  for (QChar c : order) numbers.push_back(c.digitValue());
  std::vector<int> sorted = numbers;
  std::sort(sorted.begin(), sorted.end());
  bandOrder_ = sorted == std::vector<int>{1, 2, 3, 4, 5} ? numbers : std::vector<int>{1, 2, 3, 4, 5};
}

void TKvMainForm::ToggleToolBar(int number) {
  QAction* item = bandItems_[static_cast<std::size_t>(number - 1)];
  if (sender() != item) item->setChecked(!item->isChecked());
  Band(number)->setVisible(item->isChecked());
  LayoutBands();
}

void TKvMainForm::LayoutBands() {
  int sum = 0;
  std::vector<QToolBar*> visible;
  for (int number : bandOrder_) {
    QToolBar* bar = Band(number);
    if (!bandItems_[static_cast<std::size_t>(number - 1)]->isChecked()) continue;
    visible.push_back(bar);
    sum += std::max(kBandMinimum[static_cast<std::size_t>(number - 1)], bar->sizeHint().width()) + 13;
  }
  bandRow_->setVisible(!visible.empty());
  setMinimumWidth(std::max(800, sum + 8));
  int x = 0;
  const int rowWidth = std::max(bandRow_->width(), coolBar_->width());
  for (std::size_t i = 0; i < visible.size(); ++i) {
    QToolBar* bar = visible[i];
    const int number = static_cast<int>(std::find(bands_.begin(), bands_.end(), bar) - bands_.begin()) + 1;
    int width = std::max(kBandMinimum[static_cast<std::size_t>(number - 1)], bar->sizeHint().width()) + 13;
    if (i + 1 == visible.size()) width = std::max(width, rowWidth - x);
    bar->setGeometry(x, 0, width, kToolBarHeight);
    bar->show();
    x += width;
  }
}

// Events.

bool TKvMainForm::event(QEvent* event) {
  if (event->type() == static_cast<QEvent::Type>(kStartMessage)) {
    FinishStart();
    return true;
  }
  return QWidget::event(event);
}

void TKvMainForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (startingUp_ && !startPosted_) {
    startPosted_ = true;
    QCoreApplication::postEvent(this, new QEvent(static_cast<QEvent::Type>(kStartMessage)));
  }
}

void TKvMainForm::FinishStart() {
  QCoreApplication::processEvents();
  LayoutBands();
  startingUp_ = false;
  CentreShortcutPanel();
  if (firstRun_) {
    firstRun_ = false;
    StartGuide();
  }
}

void TKvMainForm::StartGuide() {
  if (guideStarter_) {
    guideStarter_();
    return;
  }
  StartDetached(ProgramBeside("Brevio"), {});
}

void TKvMainForm::ShowHelpTopic(int command, int context) {
  if (command != 1) return;
  if (FindWindowByClass("THelpDialog")) {
    PostMessageToClass("THelpDialog", kHelpContextMessage, context);
    return;
  }
  StartDetached(ProgramBeside("Help"), {std::to_string(context)});
}

void TKvMainForm::ShowInfo() {
  frame_->MarkInactive();
  QDialog box(this);
  box.setObjectName(QStringLiteral("InfoDialog"));
  box.setWindowTitle(QStringLiteral("Info über Trimora 2"));
  auto* layout = new QVBoxLayout(&box);
  auto* name = new QLabel(QStringLiteral("Trimora 2"), &box);
  QFont big = name->font();
  big.setPointSize(big.pointSize() + 6);
  big.setBold(true);
  name->setFont(big);
  layout->addWidget(name, 0, Qt::AlignCenter);
  layout->addWidget(new QLabel(QStringLiteral("Build ") + Q(ProgramVersion()), &box), 0, Qt::AlignCenter);
  auto* ok = new QPushButton(QStringLiteral("&Ok"), &box);
  connect(ok, &QPushButton::clicked, &box, &QDialog::accept);
  layout->addWidget(ok, 0, Qt::AlignCenter);
  box.exec();
  frame_->MarkActive();
  QCoreApplication::processEvents();
}

void TKvMainForm::closeEvent(QCloseEvent* event) {
  if (closing_) {
    event->accept();
    return;
  }
  closing_ = true;
  SetBusy(true);
  for (const char* name : {"THelpDialog", "TBrevioDialog"}) {
    if (FindWindowByClass(name)) PostMessageToClass(name, kCloseMessage, 0);
  }
  SaveSettings();
  frameWiring_->PictureCleared();
  presenter_->Close();
  SetBusy(false);
  event->accept();
}

void TKvMainForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutBands();
}

void TKvMainForm::CentreShortcutPanel() {
  if (shortcutPanel_->isVisible()) {
    shortcutPanel_->move((imagePanel_->width() - shortcutPanel_->width()) / 2,
                         (imagePanel_->height() - shortcutPanel_->height()) / 2);
  }
}

bool TKvMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ToolTip && !hintsShown_) return true;
  if (watched == imagePanel_ && event->type() == QEvent::Resize) {
    CentreShortcutPanel();
    presenter_->SetDisplayHint(imagePanel_->width() - 8, imagePanel_->height() - 8);
  }
  if (startingUp_ || !watched->isWidgetType()) return QWidget::eventFilter(watched, event);
  auto* widget = static_cast<QWidget*>(watched);
  const bool mine = widget->window() == this && QApplication::activeModalWidget() == nullptr;
  switch (event->type()) {
    case QEvent::KeyPress: {
      if (!mine) break;
      auto* key = static_cast<QKeyEvent*>(event);
      if (HandleKey(key->key(), key->modifiers())) return true;
      break;
    }
    case QEvent::Wheel:
      // The wheel resizes the selection (a frame command) and never scrolls.
      if (mine) {
        frameWiring_->Wheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
        return true;
      }
      break;
    case QEvent::MouseMove: {
      auto* move = static_cast<QMouseEvent*>(event);
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

bool TKvMainForm::HandleKey(int key, Qt::KeyboardModifiers modifiers) {
  const bool ctrl = modifiers & Qt::ControlModifier;
  const bool alt = modifiers & Qt::AltModifier;
  FolderPresenter& p = *presenter_;
  if (frameWiring_ && frameWiring_->HandleKey(key, modifiers)) return true;
  const bool sizeKey = key == Qt::Key_A || key == Qt::Key_Q || key == Qt::Key_Plus || key == Qt::Key_Minus;
  if (sizeKey && p.Frame().CurrentFormatId() <= 0 && !p.Frame().RedEyeFrameVisible() && !alt) return true;
  switch (key) {
    case Qt::Key_PageUp:
      ctrl ? p.FirstPicture() : p.PreviousPicture();
      return true;
    case Qt::Key_PageDown:
      ctrl ? p.LastPicture() : p.NextPicture();
      return true;
    case Qt::Key_Insert:
      if (p.CommandEnabled(Command::MarkForSaving)) p.MarkForSaving(true, -1, false);
      return true;
    case Qt::Key_Delete:
      if (ctrl) {
        p.ResetFolder();
      } else if (p.CommandEnabled(Command::UnmarkForSaving)) {
        p.MarkForSaving(false, -1, false);
      }
      return true;
    case Qt::Key_O:
      if (!ctrl) return false;
      p.ChooseSourceFolder();
      return true;
    case Qt::Key_Z:
      if (!ctrl) return false;
      zoomPause_->click();
      return true;
    case Qt::Key_F1:
      ShowHelpTopic(1, 0);
      return true;
    case Qt::Key_F4:
      return !alt;  // Alt+F4 is the window's; F4 belongs to the correction
    case Qt::Key_Space: case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
    case Qt::Key_Return: case Qt::Key_Enter: case Qt::Key_Escape: case Qt::Key_F2: case Qt::Key_F3:
    case Qt::Key_F5: case Qt::Key_F6: case Qt::Key_F7: case Qt::Key_F11:
      return true;  // commands of the frame, corrections and output
    case Qt::Key_A: case Qt::Key_Q: case Qt::Key_Plus: case Qt::Key_Minus:
      return true;
    case Qt::Key_D: case Qt::Key_E: case Qt::Key_F: case Qt::Key_I: case Qt::Key_S:
      return ctrl;
    default:
      return false;
  }
}

// MainView.

QString TKvMainForm::StatusPanelText(int index) const {
  const auto panels = frame_->BottomBarStatusPanels();
  if (index < 0 || index >= static_cast<int>(panels.size())) return {};
  return Q(panels[static_cast<std::size_t>(index)].text);
}

void TKvMainForm::SetStatusPanel(int index, const std::string& text) {
  frame_->SetStatusPanelText(index, Q(text));
  if (index >= 0 && index < 4) {
    QString plain = Q(text);
    if (index == 0) plain = QStringLiteral("  ") + plain;
    if (index == 3) plain += QStringLiteral("     ");
    plainStatus_[static_cast<std::size_t>(index)]->setText(plain);
  }
}

int TKvMainForm::ShowMessageBox(const std::string& title, const std::string& text, int buttons,
                                const std::string& dontShowAgainKey, int width, int height) {
  return dialogs_->ShowMessageBox(Q(title), Q(text), static_cast<std::uint16_t>(buttons),
                                  Q(dontShowAgainKey), width, height, frame_);
}

std::string TKvMainForm::ShowInputBox(const std::string& title, const std::string& prompt,
                                      const std::string& defaultText) {
  const std::string result =
      dialogs_->ShowInputBox(Q(title), Q(prompt), Q(defaultText), frame_).toStdString();
  repaint();
  return result;
}

std::string TKvMainForm::ChooseFolder(const std::string& title, const std::string& okCaption,
                                      int glyphIndex, const std::string& startFolder) {
  return dialogs_->ChooseFolder(Q(title), Q(okCaption), glyphIndex, Q(startFolder), frame_).toStdString();
}

void TKvMainForm::ShowError(const std::string& text) {
  QMessageBox::critical(this, QStringLiteral("Trimora 2"), Q(text));
}

void TKvMainForm::SetBusy(bool busy) {
  if (busy) {
    if (busy_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (busy_ > 0 && --busy_ == 0) {
    QApplication::restoreOverrideCursor();
  }
}

void TKvMainForm::SetShortcutPanelVisible(bool visible) { shortcutPanel_->setVisible(visible); }

void TKvMainForm::SetCommandEnabled(Command command, bool enabled) {
  for (QAction* action : commandActions_[static_cast<std::size_t>(command)]) action->setEnabled(enabled);
}

void TKvMainForm::SetCommandDown(Command command, bool down) {
  for (QAction* action : commandActions_[static_cast<std::size_t>(command)]) {
    if (action->isCheckable()) action->setChecked(down);
  }
}

void TKvMainForm::SetStripVisible(bool visible) { scrollBox_->setVisible(visible); }

void TKvMainForm::ClearStrip() {
  for (EntryWidgets& entry : entries_) delete entry.panel;
  entries_.clear();
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
  SetPanelColor(panel, kEntryColor);
  panel->setGeometry(0, entry.top, scrollBox_->viewport()->width(), g.panelHeight);
  widgets.panel = panel;

  auto* button = new QToolButton(panel);
  button->setObjectName(QStringLiteral("ThumbButton") + number);
  button->setFocusPolicy(Qt::NoFocus);
  button->setToolButtonStyle(entry.thumbnail.empty() ? Qt::ToolButtonTextOnly : Qt::ToolButtonTextUnderIcon);
  button->setFont(ArialFont(g.fontPoints));
  button->setText(Q(entry.caption));
  button->setGeometry(g.buttonLeft, g.buttonTop, g.buttonWidth, g.buttonHeight);
  if (!entry.thumbnail.empty()) {
    button->setIcon(QIcon(QPixmap::fromImage(ToImage(entry.thumbnail))));
    button->setIconSize(QSize(entry.thumbnail.width(), entry.thumbnail.height()));
  }
  button->setProperty("thumb", true);
  connect(button, &QToolButton::clicked, this, [this, p] { presenter_->ShowPicture(p, false); });
  widgets.button = button;

  auto* check = new QCheckBox(panel);
  check->setObjectName(QStringLiteral("ThumbCheckBox") + number);
  check->setGeometry(g.checkLeft, g.checkTop, 15, 15);
  check->setToolTip(QStringLiteral("Zum Speichern vormerken"));
  check->setFocusPolicy(Qt::NoFocus);
  check->setChecked(entry.saveIt);
  connect(check, &QCheckBox::clicked, this, [this, p](bool checked) { presenter_->EntryCheckClicked(p, checked); });
  widgets.check = check;

  auto small = [&](ToolIcon icon, int top, const QString& hint, std::function<void()> action) {
    auto* b = new QToolButton(panel);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setIcon(MakeToolIcon(icon, 14));
    b->setIconSize(QSize(14, 14));
    b->setGeometry(19, top, 18, 19);
    b->setToolTip(hint);
    connect(b, &QToolButton::clicked, this, std::move(action));
  };
  small(ToolIcon::Delete, g.deleteTop, QStringLiteral("Original löschen"),
        [this, p] { presenter_->DeleteSourcePicture(p); });
  small(ToolIcon::Rename, g.renameTop, QStringLiteral("Original umbenennen"),
        [this, p] { presenter_->RenameSourcePicture(p); });

  auto* type = new QToolButton(panel);
  type->setObjectName(QStringLiteral("TypeButton") + number);
  type->setFocusPolicy(Qt::NoFocus);
  type->setGeometry(g.typeLeft, g.typeTop, 31, 13);
  type->setFont(ArialFont(6));
  type->setToolTip(QStringLiteral("Dateiformat wählen"));
  type->setProperty("fileType", true);
  connect(type, &QToolButton::clicked, this, [this, p] { OpenTypeMenu(p); });
  widgets.type = type;

  for (QWidget* w : {static_cast<QWidget*>(check)}) w->raise();
  panel->show();
  entries_.resize(static_cast<std::size_t>(p) + 1);
  entries_[static_cast<std::size_t>(p)] = widgets;
  SetEntryFileType(p, entry.fileType, entry.lossyJpeg);
  strip_->resize(scrollBox_->viewport()->width(), std::max(strip_->height(), entry.top + g.panelHeight));
}

void TKvMainForm::OpenTypeMenu(int position) {
  EntryWidgets& entry = entries_.at(static_cast<std::size_t>(position));
  QMenu menu(this);
  for (int i = 0; i < static_cast<int>(TypeMenu().size()); ++i) {
    const TypeMenuEntry& choice = TypeMenu()[static_cast<std::size_t>(i)];
    QAction* item = menu.addAction(
        QString::fromUtf8(choice.caption.data(), static_cast<qsizetype>(choice.caption.size())));
    item->setObjectName(
        QString::fromUtf8(choice.name.data(), static_cast<qsizetype>(choice.name.size())));
    item->setData(i);
    if (i == 0) item->setEnabled(presenter_->LosslessTypeAllowed(position));
  }
  QAction* chosen = menu.exec(entry.type->mapToGlobal(QPoint(0, entry.type->height())));
  if (chosen != nullptr) presenter_->ChooseFileType(position, chosen->data().toInt());
}

void TKvMainForm::SetEntryCurrent(int position, bool current) {
  if (position < 0 || position >= static_cast<int>(entries_.size()) || !entries_[static_cast<std::size_t>(position)].panel) return;
  EntryWidgets& entry = entries_[static_cast<std::size_t>(position)];
  SetPanelColor(entry.panel, current ? kCurrentEntryColor : kEntryColor);
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
  if (presenter_->StripComplete()) StackEntries();
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

void TKvMainForm::FinishStrip() { StackEntries(); }

void TKvMainForm::ShowPicture(const Picture& picture) {
  shortcutPanel_->hide();
  (void)picture;  // the frame's view shows the folder presenter's displayed picture
  frameWiring_->PictureShown();
  if (pictureShown_) pictureShown_();
}

void TKvMainForm::ShowPictureWithPreview(const Picture& picture, const Picture& preview) {
  shortcutPanel_->hide();
  (void)picture;  // the frame's view shows the folder presenter's displayed picture
  frameWiring_->PictureShown(&preview);
  if (pictureShown_) pictureShown_();
}

void TKvMainForm::ClearPicture() { frameWiring_->PictureCleared(); }

void TKvMainForm::ShowPanelBackground(bool show) {
  if (show) {
    imagePanel_->Image()->hide();
  } else if (presenter_->CurrentPosition() >= 0) {
    imagePanel_->Image()->show();
  }
}

}  // namespace trimora::app
