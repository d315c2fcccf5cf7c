// The HTML view of the guide viewer and the help window: a light text browser that shows local
// pages with their pictures, follows their links and shows its own error page for a page that
// cannot be read.
#pragma once

#include <QTextBrowser>
#include <QUrl>
#include <functional>

class QMenu;

namespace trimora::guide {

// Shows local HTML pages. Links to other local pages and to anchors are followed inside the
// view; web and mail addresses and other local files are handed to the desktop.
class THtmlView : public QTextBrowser {
  Q_OBJECT
 public:
  // An empty view inside `parent`.
  explicit THtmlView(QWidget* parent);

  // Shows the local file `path` (an anchor may follow after "#"); a file that cannot be read
  // gives the error page.
  void ShowFile(const QString& path);
  // True while the error page stands in for a page that could not be read.
  bool ShowsErrorPage() const { return errorPage_; }
  // Runs `hook` once, when the view has painted a page for the first time.
  void SetFirstPaintHook(std::function<void()> hook) { firstPaint_ = std::move(hook); }

  // The error page for the address `address`.
  static QString ErrorPage(const QUrl& address);

  // The view's context menu for a click at `position` (viewport coordinates), in German:
  // "Zurück", "Vorwärts", "Link-Adresse kopieren", "Kopieren", "Alles markieren", each enabled
  // only where it can act. The caller owns the menu.
  QMenu* CreateContextMenu(const QPoint& position);

 protected:
  QVariant loadResource(int type, const QUrl& name) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  void FollowLink(const QUrl& link);

  bool errorPage_ = false;
  std::function<void()> firstPaint_;
};

}  // namespace trimora::guide
