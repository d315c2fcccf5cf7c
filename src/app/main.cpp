// Trimora 2: cutting photographs to print formats.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Trimora 2"));
  window.resize(800, 600);
  window.show();
  return app.exec();
}
