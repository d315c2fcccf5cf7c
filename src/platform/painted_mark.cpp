#include "platform/painted_mark.h"

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace trimora {
namespace {

bool MarkWanted() { return std::getenv("TRIMORA_PAINTED_MARK") != nullptr; }

// Waits for the window's first paint event; the children paint in the same pass, so the mark
// goes out when the event loop is next free.
class FirstPaintWatcher : public QObject {
 public:
  explicit FirstPaintWatcher(QWidget& window) : QObject(&window) {
    window.installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      QTimer::singleShot(0, this, [this] {
        ReportPaintedMark();
        deleteLater();
      });
    }
    return false;
  }
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
