// Help: the help window of Trimora 2, started from the program folder with one decimal help
// context number.
#include <QApplication>

#include "guide/guide_place.h"
#include "guide/help/help_topics.h"
#include "guide/help/help_window.h"
#include "guide/instance_guard.h"
#include "platform/class_listener.h"
#include "platform/instance.h"
#include "platform/paths.h"

int main(int argc, char** argv) {
  using namespace trimora;
  const int context = argc > 1 ? help::ParseHelpContext(argv[1]) : 0;
  // A help window that is open already shows the context instead; this start ends.
  if (FindWindowByClass(guide::kHelpWindowClass)) {
    PostMessageToClass(guide::kHelpWindowClass, kHelpContextMessage, context);
    return 0;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Hilfe"));
  ClassListener listener;
  if (!guide::TakeWindowClass(listener, guide::kHelpWindowClass, kHelpContextMessage, context))
    return 0;

  help::THelpDialog dialog(QString::fromStdString(ProgramFolder()) + QStringLiteral("Hilfe/"));
  QObject::connect(&listener, &ClassListener::MessageReceived, &dialog,
                   [&dialog](quint32 number, qint64 parameter) {
                     if (number == kCloseMessage) dialog.close();
                     if (number == kHelpContextMessage) {
                       const bool inRange = parameter >= INT_MIN && parameter <= INT_MAX;
                       dialog.ShowContext(inRange ? static_cast<int>(parameter) : 0);
                     }
                   });
  dialog.ShowContext(context);
  dialog.Start(guide::StandardSkinChosen());
  return app.exec();
}
