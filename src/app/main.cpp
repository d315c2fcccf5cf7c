// Trimora 2: cutting photographs to print formats.
#include <QApplication>

#include "app/kv_main_form.h"
#include "app/single_instance.h"
#include "platform/class_listener.h"
#include "platform/instance.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  // A second start ends at once, without a window and without a message.
  if (trimora::app::AnotherInstanceRuns(arguments)) return 0;

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Trimora 2"));
  trimora::app::TKvMainForm window;
  trimora::ClassListener listener;
  listener.Listen(trimora::app::kMainWindowClass);
  QObject::connect(&listener, &trimora::ClassListener::MessageReceived, &window,
                   [&window](quint32 number, qint64) {
                     if (number == trimora::kCloseMessage) window.close();
                   });
  window.show();
  return app.exec();
}
