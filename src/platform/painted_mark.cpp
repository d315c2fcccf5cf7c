#include "platform/painted_mark.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace trimora {
namespace {

bool MarkWanted() { return std::getenv("TRIMORA_PAINTED_MARK") != nullptr; }

// Waits for the first paint event of the window or of any widget in it (a window covered by
// opaque children gets none itself); the rest of the window paints in the same pass, so the
// mark goes out when the event loop is next free.
class FirstPaintWatcher : public QObject {
 public:
  explicit FirstPaintWatcher(QWidget& window) : QObject(&window), window_(window) {
    QCoreApplication::instance()->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !reported_ && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == &window_) {
      reported_ = true;
      QCoreApplication::instance()->removeEventFilter(this);
      QTimer::singleShot(0, this, [this] {
        ReportPaintedMark();
        deleteLater();
      });
    }
    return false;
  }

 private:
  QWidget& window_;
  bool reported_ = false;
};

}  // namespace

void ReportPaintedMark() {
  if (!MarkWanted()) return;
  std::fputs("painted\n", stdout);
  std::fflush(stdout);
}

void ReportFirstPaint(QWidget& window) {
  if (MarkWanted()) new FirstPaintWatcher(window);
}

}  // namespace trimora
