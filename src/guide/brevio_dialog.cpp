#include "guide/brevio_dialog.h"

#include <QCloseEvent>

#include "guide/html_view.h"
#include "platform/window_placement.h"

namespace trimora::guide {

TBrevioDialog::TBrevioDialog(const QString& guideFile)
    : THtmlWindow(QStringLiteral("BrevioDialog")) {
  SetTitle(QString::fromUtf8(kGuideTitle));
  Browser()->ShowFile(guideFile);
}

void TBrevioDialog::Start(bool standardSkin, const WindowPlace& place) {
  if (standardSkin) UseStandardSkin();
  setGeometry(place.left, place.top, place.width, place.height);
  show();
}

void TBrevioDialog::closeEvent(QCloseEvent* event) {
  SaveWindowPlacement(*this, setting::kHelpWindowPlace);
  event->accept();
}

}  // namespace trimora::guide
