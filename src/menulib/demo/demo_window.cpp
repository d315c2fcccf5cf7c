// The demo host's window and menus.
#include "demo/demo_window.h"

#include <QAction>
#include <QLinearGradient>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <cstring>

#include "qt/images.h"
#include "sys/objects.h"

// The resources of a static library are registered by hand.
static void RegisterDemoResources() { Q_INIT_RESOURCE(demo); }

namespace ornamo::demo {
namespace {

// A round green icon with soft edges and a white tick.
QImage IconImage() {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  QRadialGradient gradient(QPointF(6, 5), 9);
  gradient.setColorAt(0, QColor(0x8C, 0xE0, 0x6A));
  gradient.setColorAt(1, QColor(0x1E, 0x7A, 0x1E));
  painter.setBrush(gradient);
  painter.setPen(QPen(QColor(0x14, 0x50, 0x14), 1));
  painter.drawEllipse(QRectF(0.5, 0.5, 15, 15));
  painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPolyline(QPolygonF({QPointF(4.5, 8), QPointF(7, 10.5), QPointF(11.5, 5)}));
  return image;
}

// A sun on magenta, the colour of the top-left pixel that stays transparent.
QImage MagentaImage() {
  QImage image(16, 15, QImage::Format_RGB32);
  image.fill(QColor(255, 0, 255));
  QPainter painter(&image);
  painter.setPen(QColor(0xC0, 0x60, 0x00));
  painter.setBrush(QColor(0xFF, 0xD0, 0x20));
  painter.drawEllipse(QRect(3, 2, 10, 10));
  painter.setPen(QColor(0xE0, 0x80, 0x00));
  for (const auto& [x0, y0, x1, y1] : {std::array{8, 0, 8, 1}, std::array{8, 13, 8, 14},
                                       std::array{0, 7, 1, 7}, std::array{14, 7, 15, 7}}) {
    painter.drawLine(x0, y0, x1, y1);
  }
  return image;
}

// A picture of `width` × `height` running from `top` to `bottom` colour.
QImage Gradient(int width, int height, const QColor& top, const QColor& bottom) {
  QImage image(width, height, QImage::Format_RGB32);
  QPainter painter(&image);
  QLinearGradient gradient(0, 0, 0, height);
  gradient.setColorAt(0, top);
  gradient.setColorAt(1, bottom);
  painter.fillRect(image.rect(), gradient);
  return image;
}

// The band of the "Bearbeiten" popup: a blue gradient with the library's name, bottom to top.
QImage PlainBand() {
  QImage image = Gradient(22, 150, QColor(0x3A, 0x6E, 0xA5), QColor(0x0A, 0x24, 0x6A));
  QPainter painter(&image);
  painter.translate(16, image.height() - 6);
  painter.rotate(-90);
  QFont font = painter.font();
  font.setBold(true);
  font.setPixelSize(13);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(0, 0, QStringLiteral("Ornamo 8.2"));
  return image;
}

// The band of the "Ansicht" popup, stretched over its height: a warm gradient.
QImage StretchedBand() {
  QImage image = Gradient(18, 64, QColor(0xF0, 0xC0, 0x40), QColor(0xA0, 0x20, 0x10));
  QPainter painter(&image);
  painter.fillRect(QRect(0, 0, 2, image.height()), QColor(0x80, 0x10, 0x08));
  return image;
}

// The command's text without mnemonic marks and accelerator.
QString Plain(const QString& text) {
  QString plain = text.section('\t', 0, 0);
  plain.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  plain.remove('&');
  plain.replace(QStringLiteral("\x01"), QStringLiteral("&"));
  return plain;
}

}  // namespace

DemoWindow::DemoWindow(OrnamoLibrary* library, QWidget* parent)
    : QMainWindow(parent), library_(library) {
  RegisterDemoResources();
  setWindowTitle(QStringLiteral("Ornamo-Vorführung"));
  log_ = new QPlainTextEdit(this);
  log_->setReadOnly(true);
  log_->setPlaceholderText(
      QStringLiteral("Die Menüs zeigen, was Ornamo zeichnet: Bilder aus den Bildstreifen, ein "
                     "Symbol, eine Bitmap mit Magenta als durchsichtiger Farbe, ein Bild aus "
                     "den Ressourcen, Seitenbänder, Standard-, markierte und gesperrte "
                     "Einträge. Gewählte Befehle erscheinen hier."));
  setCentralWidget(log_);
  BuildMenus();
  statusBar()->showMessage(library_ != nullptr ? QStringLiteral("Ornamo %1.%2 geladen")
                                                     .arg(library_->GetVersion(1))
                                                     .arg(library_->GetVersion(2))
                                               : QStringLiteral("Ornamo nicht geladen"));
  host_ = std::make_unique<ornasys::qt::HostWindow>(this);

  objects_.push_back(ornasys::qt::CreateIconFromImage(IconImage()));
  objects_.push_back(ornasys::qt::CreateBitmapFromImage(MagentaImage()));
  objects_.push_back(ornasys::qt::CreateBitmapFromImage(PlainBand()));
  objects_.push_back(ornasys::qt::CreateBitmapFromImage(StretchedBand()));
  resources_ = ornasys::qt::RegisterResourceModule(QStringLiteral("OrnamoDemo"),
                                                   QStringLiteral(":/ornamo-demo/bilder"));
  Attach();
  resize(720, 480);
}

DemoWindow::~DemoWindow() {
  Detach();
  host_.reset();
  for (const OrsHandle object : objects_) ornasys::DeleteObject(object);
  ornasys::UnregisterModule(resources_);
}

QMenu* DemoWindow::TopMenu(const QString& title) const {
  for (QAction* action : menuBar()->actions()) {
    if (action->text() == title) return action->menu();
  }
  return nullptr;
}

QAction* DemoWindow::Add(QMenu* menu, Command command, const QString& text, const QString& shortcut,
                         const QKeySequence& keys) {
  QAction* action = menu->addAction(shortcut.isEmpty() ? text : text + '\t' + shortcut);
  action->setShortcut(keys);
  ornasys::qt::HostWindow::SetCommand(action, command);
  connect(action, &QAction::triggered, this, [this, command, text] { Chosen(command, text); });
  actions_[command] = action;
  return action;
}

void DemoWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&Datei"));
  Add(file, kNew, QStringLiteral("&Neu"), QStringLiteral("Strg+N"), QKeySequence::New);
  Add(file, kOpen, QStringLiteral("Ö&ffnen ..."), QStringLiteral("Strg+O"), QKeySequence::Open);
  file->setDefaultAction(
      Add(file, kSave, QStringLiteral("&Speichern"), QStringLiteral("Strg+S"), QKeySequence::Save));
  file->addSeparator();
  Add(file, kPrint, QStringLiteral("&Drucken ..."), QStringLiteral("Strg+P"), QKeySequence::Print);
  file->addSeparator();
  recent_ = file->addMenu(QStringLiteral("&Zuletzt geöffnet"));
  Add(recent_, kRecentFirst, QStringLiteral("&1 Urlaub 2004.jpg"))->setEnabled(false);
  Add(recent_, kRecentSecond, QStringLiteral("&2 Hochzeit.jpg"))->setEnabled(false);
  file->addSeparator();
  Add(file, kExit, QStringLiteral("&Beenden"), QStringLiteral("Alt+F4"));

  edit_ = menuBar()->addMenu(QStringLiteral("&Bearbeiten"));
  Add(edit_, kUndo, QStringLiteral("&Rückgängig"), QStringLiteral("Strg+Z"), QKeySequence::Undo);
  Add(edit_, kRedo, QStringLiteral("&Wiederholen"), QStringLiteral("Strg+Y"), QKeySequence::Redo)
      ->setEnabled(false);
  edit_->addSeparator();
  Add(edit_, kCut, QStringLiteral("&Ausschneiden"), QStringLiteral("Strg+X"), QKeySequence::Cut);
  Add(edit_, kCopy, QStringLiteral("&Kopieren"), QStringLiteral("Strg+C"), QKeySequence::Copy);
  Add(edit_, kPaste, QStringLiteral("&Einfügen"), QStringLiteral("Strg+V"), QKeySequence::Paste);
  Add(edit_, kDelete, QStringLiteral("&Löschen"), QStringLiteral("Entf"))->setEnabled(false);
  edit_->addSeparator();
  Add(edit_, kFind, QStringLiteral("&Suchen ..."), QStringLiteral("Strg+F"), QKeySequence::Find);

  view_ = menuBar()->addMenu(QStringLiteral("&Ansicht"));
  auto* toolBar = addToolBar(QStringLiteral("Werkzeuge"));
  for (const auto& [command, icon] :
       {std::pair{kNew, QStyle::SP_FileIcon}, std::pair{kOpen, QStyle::SP_DialogOpenButton},
        std::pair{kSave, QStyle::SP_DialogSaveButton}}) {
    QAction* tool = toolBar->addAction(style()->standardIcon(icon), Plain(Action(command)->text()));
    connect(tool, &QAction::triggered, Action(command), &QAction::trigger);
  }
  QAction* showToolBar = Add(view_, kToolBar, QStringLiteral("&Werkzeugleiste"));
  showToolBar->setCheckable(true);
  showToolBar->setChecked(true);
  connect(showToolBar, &QAction::toggled, toolBar, &QToolBar::setVisible);
  QAction* showStatus = Add(view_, kStatusBar, QStringLiteral("&Statusleiste"));
  showStatus->setCheckable(true);
  showStatus->setChecked(true);
  connect(showStatus, &QAction::toggled, statusBar(), &QStatusBar::setVisible);
  Add(view_, kGrid, QStringLiteral("&Raster"))->setCheckable(true);
  view_->addSeparator();
  Add(view_, kZoomIn, QStringLiteral("&Größer"), QStringLiteral("Strg++"), QKeySequence::ZoomIn);
  Add(view_, kZoomOut, QStringLiteral("&Kleiner"), QStringLiteral("Strg+-"), QKeySequence::ZoomOut);
  view_->addSeparator();
  turn_ = view_->addMenu(QStringLiteral("&Drehen"));
  Add(turn_, kTurnLeft, QStringLiteral("Nach &links"), QStringLiteral("F6"), Qt::Key_F6);
  Add(turn_, kTurnRight, QStringLiteral("Nach &rechts"), QStringLiteral("F7"), Qt::Key_F7);

  QMenu* pictures = menuBar()->addMenu(QStringLiteral("B&ilder"));
  Add(pictures, kIcon, QStringLiteral("&Symbol mit Alphakanal"));
  Add(pictures, kMagentaBitmap, QStringLiteral("&Bitmap mit Magenta als Hintergrund"));
  Add(pictures, kResourcePicture, QStringLiteral("Bild aus den &Ressourcen"));
  Add(pictures, kLargePicture, QStringLiteral("&Großes Bild aus dem Streifen"));
  Add(pictures, kNoPicture, QStringLiteral("&Ohne Bild"));
  pictures->addSeparator();
  Add(pictures, kDisabledPicture, QStringLiteral("Gesperrt mit Bild"))->setEnabled(false);
  Add(pictures, kDisabledBitmap, QStringLiteral("Gesperrt mit Bitmap"))->setEnabled(false);
  Add(pictures, kDisabledNoPicture, QStringLiteral("Gesperrt ohne Bild"))->setEnabled(false);

  QMenu* library = menuBar()->addMenu(QStringLiteral("Biblio&thek"));
  QAction* empty = Add(library, kEmptyPopups, QStringLiteral("&Leere Untermenüs sperren"));
  empty->setCheckable(true);
  QAction* attached = Add(library, kAttached, QStringLiteral("Bibliothek &angehängt"));
  attached->setCheckable(true);
  attached->setChecked(library_ != nullptr);
  attached->setEnabled(library_ != nullptr);
  empty->setEnabled(library_ != nullptr);
  Add(library, kRenameNew, QStringLiteral("&Text von „Neu“ ändern"))
      ->setEnabled(library_ != nullptr);

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Hilfe"));
  Add(help, kHelp, QStringLiteral("&Hilfe"), QStringLiteral("F1"), QKeySequence::HelpContents);
  Add(help, kAbout, QStringLiteral("&Info über Ornamo ..."));
}

void DemoWindow::Attach() {
  if (library_ == nullptr || attached_) return;
  const OrsHandle window = host_->Window();
  library_->AttachMenu(window);
  attached_ = true;
  const std::pair<Command, std::uint32_t> strip[] = {
      {kNew, 1},      {kOpen, 2},         {kSave, 3},          {kPrint, 4},
      {kExit, 19},    {kRecentFirst, 18}, {kRecentSecond, 18}, {kUndo, 9},
      {kRedo, 10},    {kCut, 6},          {kCopy, 7},          {kPaste, 8},
      {kDelete, 11},  {kFind, 5},         {kStatusBar, 18},    {kZoomIn, 14},
      {kZoomOut, 15}, {kTurnLeft, 16},    {kTurnRight, 17},    {kDisabledPicture, 3},
      {kHelp, 13},    {kAbout, 20}};
  for (const auto& [command, picture] : strip) library_->AddMenuItemCtl(window, command, picture);

  const auto add = [&](Command command, auto fill) {
    OrmMenuItem item{};
    item.size = ORM_ITEM_SIZE;
    item.command = command;
    fill(item);
    library_->AddMenuItem(window, &item);
  };
  add(kIcon, [&](OrmMenuItem& item) { item.icon = objects_[0]; });
  add(kMagentaBitmap, [&](OrmMenuItem& item) { item.bitmap = objects_[1]; });
  add(kDisabledBitmap, [&](OrmMenuItem& item) { item.bitmap = objects_[1]; });
  add(kResourcePicture, [&](OrmMenuItem& item) { item.resourceModule = resources_; });
  add(kLargePicture, [&](OrmMenuItem& item) {
    item.sharedPicture = 18;
    item.pictureHeight = 30;
  });

  // Entries that open submenus get identifiers of their own, so that they can have pictures.
  library_->ForceUniqueIDs(host_->MenuBar(), kFirstSubmenuId);
  library_->AddMenuItemCtl(window, ornasys::qt::HostWindow::CommandOf(recent_->menuAction()), 2);
  library_->AddMenuItemCtl(window, ornasys::qt::HostWindow::CommandOf(turn_->menuAction()), 17);

  library_->AddMenuGraphics(host_->MenuOf(edit_), objects_[2], 0);
  library_->AddMenuGraphics(host_->MenuOf(view_), objects_[3], 1);
}

void DemoWindow::Detach() {
  if (library_ == nullptr || !attached_) return;
  library_->ReleaseMenuGraphics(host_->MenuOf(edit_));
  library_->ReleaseMenuGraphics(host_->MenuOf(view_));
  library_->DetachMenu(host_->Window());
  attached_ = false;
}

void DemoWindow::Chosen(Command command, const QString& text) {
  log_->appendPlainText(QStringLiteral("„%1“ gewählt").arg(Plain(text)));
  statusBar()->showMessage(QStringLiteral("Befehl %1: %2").arg(command).arg(Plain(text)));
  switch (command) {
    case kExit:
      close();
      break;
    case kZoomIn:
    case kZoomOut: {
      QFont font = log_->font();
      font.setPointSizeF(std::clamp(font.pointSizeF() + (command == kZoomIn ? 1 : -1), 6.0, 40.0));
      log_->setFont(font);
      break;
    }
    case kEmptyPopups:
      if (Action(kEmptyPopups)->isChecked()) {
        library_->DetachMenu(ORM_EMPTY_POPUPS);
      } else {
        library_->AttachMenu(ORM_EMPTY_POPUPS);
        recent_->menuAction()->setEnabled(true);
      }
      break;
    case kAttached:
      if (Action(kAttached)->isChecked()) {
        Attach();
      } else {
        Detach();
      }
      Action(kRenameNew)->setEnabled(attached_);
      Action(kEmptyPopups)->setEnabled(attached_);
      break;
    case kRenameNew: {
      renamed_ = !renamed_;
      const std::u16string text = renamed_ ? u"&Neues Dokument\tStrg+N" : u"&Neu\tStrg+N";
      library_->SetMenuItemTextW(host_->Window(), kNew,
                                 reinterpret_cast<const std::uint16_t*>(text.c_str()));
      break;
    }
    case kAbout:
      QMessageBox::about(this, QStringLiteral("Info über Ornamo"),
                         QStringLiteral("Ornamo %1.%2 zeichnet die Menüs dieses Fensters.")
                             .arg(library_ != nullptr ? library_->GetVersion(1) : 0)
                             .arg(library_ != nullptr ? library_->GetVersion(2) : 0));
      break;
    default:
      break;
  }
  emit CommandChosen(command);
}

}  // namespace ornamo::demo
