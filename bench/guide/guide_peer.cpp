// The peer of Brevio's start-up benchmark: a bare Qt program that shows an HTML file in the same
// component at the same size and reports, like Brevio, when the page has been painted.
//
//   guide_peer FILE
#include <QApplication>
#include <QEvent>
#include <QTextBrowser>
#include <QUrl>

#include <cstdio>

namespace {

class PaintWatch : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && !reported_) {
      reported_ = true;
      std::fputs("painted\n", stdout);
      std::fflush(stdout);
    }
    return false;
  }

 private:
  bool reported_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  QApplication app(argc, argv);
  QTextBrowser view;
  view.setFrameShape(QFrame::NoFrame);
  view.setSource(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[1])));
  PaintWatch watch;
  view.viewport()->installEventFilter(&watch);
  view.resize(445, 310);
  view.show();
  return app.exec();
}
