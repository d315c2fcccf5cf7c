// Takes the pictures of the quick-start guide from the real main window. Run at build time with
// Qt's offscreen platform: the guide is whole in the program folder after every build, no X
// server is needed, and a widget renders into a picture exactly as it does on screen.
//
//   trimora_guide_pictures OUTPUT_FOLDER
//
// Works in a temporary home of its own (settings, runtime folder, a few photo folders), so it
// never touches the settings or the running programs of the person who builds. The photographs
// are painted here: landscapes of sky, sun, hills and water, saved as JPEG files.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLinearGradient>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "app/kv_main_form.h"
#include "frame/image_panel.h"
#include "ui/dialog_kit.h"

namespace {

struct Scene {
  const char* name;
  QColor skyTop, skyBottom, sun, farHills, nearHills, water;
  double sunX, sunY;
};

// A painted landscape of width x height.
QImage PaintScene(const Scene& s, int width, int height, int seed) {
  QImage image(width, height, QImage::Format_RGB32);
  QPainter g(&image);
  g.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, height * 0.62);
  sky.setColorAt(0, s.skyTop);
  sky.setColorAt(1, s.skyBottom);
  g.fillRect(image.rect(), sky);
  const QPointF sun(width * s.sunX, height * s.sunY);
  QRadialGradient glow(sun, height * 0.22);
  glow.setColorAt(0, s.sun);
  glow.setColorAt(0.25, s.sun);
  glow.setColorAt(1, QColor(s.sun.red(), s.sun.green(), s.sun.blue(), 0));
  g.setPen(Qt::NoPen);
  g.setBrush(glow);
  g.drawEllipse(sun, height * 0.22, height * 0.22);
  auto hills = [&](double base, double amplitude, const QColor& colour, int phase) {
    QPainterPath path(QPointF(0, height));
    for (int x = 0; x <= width; x += width / 60) {
      const double t = static_cast<double>(x) / width * 6.283 * 1.7 + phase;
      const double y =
          height * (base - amplitude * (0.6 * std::sin(t) + 0.4 * std::sin(2.3 * t + seed)));
      path.lineTo(x, y);
    }
    path.lineTo(width, height);
    path.closeSubpath();
    g.setBrush(colour);
    g.drawPath(path);
  };
  hills(0.55, 0.09, s.farHills, seed);
  hills(0.68, 0.06, s.nearHills, seed * 3 + 1);
  QLinearGradient lake(0, height * 0.74, 0, height);
  lake.setColorAt(0, s.water.lighter(125));
  lake.setColorAt(1, s.water.darker(140));
  g.setBrush(lake);
  g.drawRect(QRectF(0, height * 0.76, width, height * 0.24));
  // A few trees at the shore.
  for (int i = 0; i < 9; ++i) {
    const double x = width * (0.08 + 0.1 * i + 0.03 * std::sin(i * 7.0 + seed));
    const double h = height * (0.07 + 0.03 * std::cos(i * 3.0 + seed));
    QPolygonF tree;
    tree << QPointF(x, height * 0.765 - h) << QPointF(x - h * 0.28, height * 0.765)
         << QPointF(x + h * 0.28, height * 0.765);
    g.setBrush(s.nearHills.darker(160));
    g.drawPolygon(tree);
  }
  return image;
}

// A folder with the painted photographs; the first is a landscape of 2400 x 1600.
void MakePhotos(const QString& folder) {
  const Scene scenes[] = {
      {"Bergsee.jpg",
       {40, 110, 200},
       {170, 210, 240},
       {255, 250, 220},
       {90, 120, 150},
       {60, 120, 70},
       {40, 100, 160},
       0.72,
       0.2},
      {"Abendrot.jpg",
       {60, 40, 110},
       {250, 150, 90},
       {255, 210, 120},
       {120, 70, 90},
       {70, 50, 60},
       {120, 70, 90},
       0.35,
       0.48},
      {"Morgennebel.jpg",
       {150, 170, 190},
       {225, 225, 220},
       {255, 255, 240},
       {160, 170, 175},
       {110, 130, 110},
       {150, 165, 175},
       0.2,
       0.3},
      {"Sommerwiese.jpg",
       {30, 120, 220},
       {150, 200, 245},
       {255, 255, 230},
       {100, 150, 90},
       {90, 160, 60},
       {60, 130, 190},
       0.5,
       0.15},
      {"Winterwald.jpg",
       {120, 150, 190},
       {220, 230, 240},
       {255, 250, 240},
       {200, 205, 215},
       {235, 240, 245},
       {140, 160, 185},
       0.8,
       0.35},
  };
  int seed = 1;
  for (const Scene& scene : scenes) {
    const bool portrait = seed == 3;
    const QImage image = PaintScene(scene, portrait ? 1600 : 2400, portrait ? 2400 : 1600, seed);
    image.save(folder + QLatin1Char('/') + QString::fromLatin1(scene.name), "JPG", 90);
    ++seed;
  }
}

// Runs the event loop until `done` holds (at most `ms` milliseconds).
void WaitFor(const std::function<bool()>& done, int ms = 20000) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < ms)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void Settle() {
  WaitFor([] { return false; }, 150);
}

// The widest picture that the guide window shows at its first size without scrolling sideways.
constexpr int kMaximumWidth = 400;

// Saves `picture`, scaled down to `maxWidth` pixels wide when it is wider.
void Save(const QImage& picture, const QString& file, int maxWidth = kMaximumWidth) {
  QImage out = picture;
  if (out.width() > maxWidth) out = out.scaledToWidth(maxWidth, Qt::SmoothTransformation);
  if (!out.save(file, "PNG")) {
    std::fprintf(stderr, "Das Bild %s konnte nicht geschrieben werden.\n", qPrintable(file));
    std::exit(1);
  }
}

// Opens a folder chooser through the kit and saves it once it is shown, then closes it.
void SaveChooser(trimora::app::TKvMainForm& window, const QString& title, const QString& ok,
                 int glyph, const QString& start, const QString& file) {
  QTimer::singleShot(400, [&window, file] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr) dialog = window.Dialogs().FolderDialog();
    Save(dialog->grab().toImage(), file);
    dialog->close();
  });
  window.Dialogs().ChooseFolder(title, ok, glyph, start, window.Frame());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Aufruf: trimora_guide_pictures ZIELVERZEICHNIS\n");
    return 2;
  }
  const QString output = QString::fromLocal8Bit(argv[1]);
  // The folder names show in the pictures (the chooser's path field, the status bar).
  QTemporaryDir temporary(QDir::tempPath() + QStringLiteral("/Fotos-XXXXXX"));
  if (!temporary.isValid() || !QDir().mkpath(output)) {
    std::fprintf(stderr, "Die Verzeichnisse für die Bilder der Kurzanleitung fehlen.\n");
    return 1;
  }
  // A home of its own: settings, runtime folder and the folders the chooser shows.
  const QString home = temporary.filePath(QStringLiteral("home"));
  const QString photos = home + QStringLiteral("/Bilder/Urlaub 2024");
  for (const QString& folder :
       {photos, home + QStringLiteral("/Bilder/Familie"), home + QStringLiteral("/Dokumente"),
        home + QStringLiteral("/Schreibtisch"), temporary.filePath(QStringLiteral("config")),
        temporary.filePath(QStringLiteral("data")),
        temporary.filePath(QStringLiteral("runtime"))}) {
    QDir().mkpath(folder);
  }
  QFile::setPermissions(temporary.filePath(QStringLiteral("runtime")),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  QFile dirs(temporary.filePath(QStringLiteral("config/user-dirs.dirs")));
  if (dirs.open(QIODevice::WriteOnly))
    dirs.write(
        "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n"
        "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
  dirs.close();
  qputenv("HOME", home.toLocal8Bit());
  qputenv("XDG_CONFIG_HOME", temporary.filePath(QStringLiteral("config")).toLocal8Bit());
  qputenv("XDG_DATA_HOME", temporary.filePath(QStringLiteral("data")).toLocal8Bit());
  qputenv("XDG_RUNTIME_DIR", temporary.filePath(QStringLiteral("runtime")).toLocal8Bit());
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

  // The offscreen platform tells of every mask and grab it cannot make; none matters here.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support"))) return;
    if (type != QtDebugMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
  });
  QApplication app(argc, argv);
  MakePhotos(photos);
  const QString out = output + QLatin1Char('/');

  // The pictures show the main window alone: it starts no guide viewer and no help program.
  class NoPrograms : public trimora::OutsidePrograms {
   public:
    bool Present(const std::string&) const override { return false; }
    void Start(const std::string&, const std::vector<std::string>&) override {}
    void OpenAddress(const std::string&) override {}
    bool ClassOpen(const std::string&) const override { return false; }
    void Post(const std::string&, std::uint32_t, std::int64_t) override {}
  } noPrograms;
  trimora::app::TKvMainForm window(nullptr, &noPrograms);
  window.resize(800, 600);
  window.show();
  WaitFor([&] { return !window.StartingUp(); });
  Settle();
  Save(window.grab().toImage(), out + QStringLiteral("start.png"));

  SaveChooser(window, QStringLiteral("Quellverzeichnis auswählen"), QStringLiteral("&Öffnen"), 0,
              photos, out + QStringLiteral("verzeichnis.png"));

  trimora::FolderPresenter& folder = window.Presenter().Folder();
  folder.OpenFolder(photos.toStdString());
  WaitFor([&] { return folder.StripComplete() && !folder.ThreadRunning(); });
  Settle();
  // A frame in the middle of the first picture, smaller than the picture but still large enough
  // for the best prints in 10 x 15 (green).
  auto key = [&window](Qt::Key key, Qt::KeyboardModifiers modifiers) {
    window.Presenter().KeyPressed(trimora::KeyPressOf(key, modifiers));
  };
  key(Qt::Key_Q, Qt::ControlModifier);
  for (int step = 0; step < 30; ++step) key(Qt::Key_A, Qt::NoModifier);
  key(Qt::Key_Space, Qt::NoModifier);
  Settle();
  const QImage whole = window.grab().toImage();
  Save(whole, out + QStringLiteral("hauptfenster.png"));
  Save(window.ImagePanel()->grab().toImage(), out + QStringLiteral("rahmen.png"));

  // The first two entries of the strip, as far as the strip shows them.
  QRect entries;
  for (int i = 0; i < 2; ++i) {
    const QWidget* panel =
        window.findChild<QWidget*>(QStringLiteral("ThumbPanel") + QString::number(i));
    if (panel != nullptr) entries |= QRect(panel->mapTo(&window, QPoint(0, 0)), panel->size());
  }
  if (const auto* strip = window.findChild<QWidget*>(QStringLiteral("ScrollBox")))
    entries &= QRect(strip->mapTo(&window, QPoint(0, 0)), strip->size());
  if (entries.isEmpty()) {
    std::fprintf(stderr, "Die Bildleiste ist leer geblieben.\n");
    return 1;
  }
  Save(whole.copy(entries), out + QStringLiteral("bildleiste.png"));

  for (const auto& [menuName, file] :
       {std::pair{"Datei1", "menue-datei.png"},
        std::pair{"Formatverwaltung1", "menue-formatverwaltung.png"},
        std::pair{"Bildkorrekturen1", "menue-bildkorrekturen.png"}}) {
    auto* menu = window.findChild<QMenu*>(QString::fromLatin1(menuName));
    if (menu == nullptr) {
      std::fprintf(stderr, "Das Menü %s fehlt.\n", menuName);
      return 1;
    }
    menu->popup(window.mapToGlobal(QPoint(8, 56)));
    Settle();
    Save(menu->grab().toImage(), out + QString::fromLatin1(file));
    menu->close();
  }

  SaveChooser(window, QStringLiteral("Zielverzeichnis wählen"), QStringLiteral("Speichern"), 2,
              home + QStringLiteral("/Bilder"), out + QStringLiteral("zielverzeichnis.png"));
  window.close();
  return 0;
}
