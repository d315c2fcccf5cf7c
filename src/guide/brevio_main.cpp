// Brevio: the quick-start guide of Trimora 2 in a window of its own beside the main program.
#include <QApplication>
#include <QScreen>

#include "guide/brevio_dialog.h"
#include "guide/guide_place.h"
#include "guide/html_view.h"
#include "guide/instance_guard.h"
#include "platform/class_listener.h"
#include "platform/instance.h"
#include "platform/painted_mark.h"
#include "platform/paths.h"

int main(int argc, char** argv) {
  using namespace trimora;
  using namespace trimora::guide;
  // The command line is not read. A viewer that runs already comes to the front; this start
  // ends before anything is shown.
  if (FindWindowByClass(kGuideWindowClass)) {
    PostMessageToClass(kGuideWindowClass, kBringToFrontMessage, 0);
    return 0;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kurzanleitung"));
  ClassListener listener;
  if (!TakeWindowClass(listener, kGuideWindowClass, kBringToFrontMessage, 0)) return 0;

  // All paths come from the program's own folder, never from the working folder.
  const QString helpFolder = QString::fromStdString(ProgramFolder()) + QStringLiteral("Hilfe/");
  TBrevioDialog dialog(helpFolder + QStringLiteral("Kurzanleitung.html"));
  // The start-up benchmark waits for the painted guide.
  dialog.Browser()->SetFirstPaintHook(ReportPaintedMark);
  QObject::connect(&listener, &ClassListener::MessageReceived, &dialog,
                   [&dialog](quint32 number, qint64) {
                     if (number == kCloseMessage) dialog.close();
                     if (number == kBringToFrontMessage) dialog.BringToFront();
                   });

  std::vector<WindowPlace> screens;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect g = screen->availableGeometry();
    screens.push_back({g.x(), g.y(), g.width(), g.height()});
  }
  const QSize screen = QGuiApplication::primaryScreen()->size();
  dialog.Start(StandardSkinChosen(),
               KeepOnScreens(ReadGuidePlace(screen.width(), screen.height()), screens));
  return app.exec();
}
