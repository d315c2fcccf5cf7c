// OrnamoDemo: a host that loads libOrnamo.so from its own folder and shows what it paints.
#include <QApplication>
#include <QMessageBox>

#include "demo/demo_window.h"
#include "qt/toolkit.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  application.setApplicationName(QStringLiteral("OrnamoDemo"));
  ornasys::qt::Toolkit toolkit;
  const std::string path = (QCoreApplication::applicationDirPath() + '/').toStdString() +
                           ornamo::OrnamoLibrary::kFileName;
  std::string error;
  std::optional<ornamo::OrnamoLibrary> library = ornamo::OrnamoLibrary::Load(path, &error);
  if (!library) {
    QMessageBox::critical(nullptr, QStringLiteral("Ornamo-Vorführung"),
                          QStringLiteral("Die Bibliothek „%1“ konnte nicht geladen werden:\n%2")
                              .arg(QString::fromStdString(path), QString::fromStdString(error)));
    return 1;
  }
  ornamo::demo::DemoWindow window(&*library);
  window.show();
  return application.exec();
}
