// Trimora 2: cutting photographs to print formats.
#include <QApplication>
#include <cstdio>

#include "app/kv_main_form.h"
#include "app/single_instance.h"
#include "platform/class_listener.h"
#include "platform/instance.h"
#include "platform/painted_mark.h"
#include "platform/version_record.h"

int main(int argc, char** argv) {
  using trimora::app::StartRequest;
  const StartRequest request = trimora::app::ReadCommandLine(
      std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
  switch (request.action) {
    case StartRequest::Action::Help:
      std::fputs(trimora::app::UsageText(), stdout);
      return 0;
    case StartRequest::Action::Version:
      std::printf("Trimora2 %s\n", trimora::RecordedVersion().c_str());
      return 0;
    case StartRequest::Action::Usage:
      std::fprintf(stderr, "trimora2: %s\n\n%s", request.problem.c_str(),
                   trimora::app::UsageText());
      return 2;
    case StartRequest::Action::Start:
      break;
  }
  // A second start ends at once, without a window and without a message; a folder or picture
  // it was given goes to the running instance.
  if (!request.restart && trimora::app::AnotherInstanceRuns()) {
    if (request.path.empty() || trimora::app::HandOverPath(request.path)) return 0;
    std::fprintf(stderr, "trimora2: Das laufende Trimora 2 nimmt \"%s\" nicht an.\n",
                 request.path.c_str());
    return 1;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Trimora 2"));
  trimora::app::TKvMainForm window;
  trimora::ClassListener listener;
  listener.Listen(trimora::app::kMainWindowClass);
  QObject::connect(&listener, &trimora::ClassListener::MessageReceived, &window,
                   [&window](quint32 number, qint64) {
                     if (number == trimora::kCloseMessage) window.close();
                   });
  QObject::connect(
      &listener, &trimora::ClassListener::DataReceived, &window,
      [&window](const QByteArray& path) { window.OpenHandedOverPath(path.toStdString()); });
  if (!request.path.empty()) window.Presenter().OpenPath(request.path);
  trimora::ReportFirstPaint(window);
  window.show();
  return app.exec();
}
