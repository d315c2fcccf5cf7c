// A second program for the class-name socket tests.
//   class_helper post CLASS NUMBER PARAMETER   posts one message; exit code 0 when it went out
//   class_helper listen CLASS                  listens; ends on a close request, with its
//                                              parameter as exit code
#include <QCoreApplication>
#include <cstdlib>
#include <string>

#include "platform/class_listener.h"
#include "platform/instance.h"

int main(int argc, char** argv) {
  if (argc == 5 && std::string(argv[1]) == "post") {
    return trimora::PostMessageToClass(argv[2], static_cast<std::uint32_t>(std::stoul(argv[3])),
                                       std::stoll(argv[4]))
               ? 0
               : 1;
  }
  if (argc == 3 && std::string(argv[1]) == "listen") {
    QCoreApplication app(argc, argv);
    trimora::ClassListener listener;
    if (!listener.Listen(argv[2])) return 100;
    QObject::connect(&listener, &trimora::ClassListener::MessageReceived,
                     [](quint32 number, qint64 parameter) {
                       if (number == trimora::kCloseMessage) {
                         QCoreApplication::exit(static_cast<int>(parameter));
                       }
                     });
    return app.exec();
  }
  return 2;
}
