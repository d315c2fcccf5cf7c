#include "guide/help/help_window.h"

#include <QGuiApplication>
#include <QScreen>

#include "guide/help/help_topics.h"
#include "guide/html_view.h"

namespace trimora::help {

THelpDialog::THelpDialog(const QString& pageFolder)
    : THtmlWindow(QStringLiteral("HelpDialog")), pageFolder_(pageFolder) {
  connect(Browser(), &QTextBrowser::sourceChanged, this, &THelpDialog::PageChanged);
}

void THelpDialog::Start(bool standardSkin) {
  if (standardSkin) UseStandardSkin();
  PageChanged();
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  setGeometry(screen.x() + (screen.width() - kHelpWidth) / 2,
              screen.y() + (screen.height() - kHelpHeight) / 2, kHelpWidth, kHelpHeight);
  show();
}

void THelpDialog::ShowContext(int context) {
  Browser()->ShowFile(pageFolder_ + QString::fromUtf8(PageForContext(context)));
  if (isVisible()) BringToFront();
}

void THelpDialog::PageChanged() {
  const QString page = Browser()->documentTitle();
  SetTitle(QStringLiteral("Hilfe:  ") + (page.isEmpty() ? QStringLiteral("Trimora 2") : page));
}

}  // namespace trimora::help
