#include "guide/html_view.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>

#include "platform/process.h"

namespace trimora::guide {

THtmlView::THtmlView(QWidget* parent) : QTextBrowser(parent) {
  setObjectName(QStringLiteral("WebBrowser"));
  setFrameShape(QFrame::NoFrame);
  // Links are followed here, so that outside addresses go to the desktop and never into the
  // view.
  setOpenLinks(false);
  setOpenExternalLinks(false);
  connect(this, &QTextBrowser::anchorClicked, this, &THtmlView::FollowLink);
}

void THtmlView::ShowFile(const QString& path) {
  const int hash = path.indexOf(QLatin1Char('#'));
  QUrl url = QUrl::fromLocalFile(hash < 0 ? path : path.left(hash));
  if (hash >= 0) url.setFragment(path.mid(hash + 1));
  setSource(url, QTextDocument::HtmlResource);
}

QString THtmlView::ErrorPage(const QUrl& address) {
  const QString where = address.isLocalFile() ? address.toLocalFile() : address.toString();
  return QStringLiteral(
             "<html><head><meta charset=\"utf-8\"><title>Seite nicht gefunden</title></head>"
             "<body style=\"font-family: sans-serif;\"><h2>Die Seite kann nicht angezeigt "
             "werden</h2><p>Die Datei</p><p><b>%1</b></p><p>wurde nicht gefunden oder kann "
             "nicht gelesen werden.</p></body></html>")
      .arg(where.toHtmlEscaped());
}

QVariant THtmlView::loadResource(int type, const QUrl& name) {
  if (type != QTextDocument::HtmlResource) return QTextBrowser::loadResource(type, name);
  errorPage_ = false;
  if (name.isLocalFile()) {
    QFile file(name.toLocalFile());
    if (QFileInfo(file).isFile() && file.open(QIODevice::ReadOnly)) return file.readAll();
  }
  errorPage_ = true;
  return ErrorPage(name);
}

QMenu* THtmlView::CreateContextMenu(const QPoint& position) {
  auto* menu = new QMenu(this);
  menu->addAction(QStringLiteral("Zurück"), this, &QTextBrowser::backward)
      ->setEnabled(isBackwardAvailable());
  menu->addAction(QStringLiteral("Vorwärts"), this, &QTextBrowser::forward)
      ->setEnabled(isForwardAvailable());
  menu->addSeparator();
  const QUrl link = source().resolved(QUrl(anchorAt(position)));
  menu->addAction(QStringLiteral("Link-Adresse kopieren"), this,
                  [link] {
                    QGuiApplication::clipboard()->setText(link.isLocalFile() ? link.toLocalFile()
                                                                             : link.toString());
                  })
      ->setEnabled(!anchorAt(position).isEmpty());
  menu->addAction(QStringLiteral("Kopieren"), this, &QTextBrowser::copy)
      ->setEnabled(textCursor().hasSelection());
  menu->addAction(QStringLiteral("Alles markieren"), this, &QTextBrowser::selectAll);
  return menu;
}

void THtmlView::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = CreateContextMenu(event->pos());
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

bool THtmlView::viewportEvent(QEvent* event) {
  const bool handled = QTextBrowser::viewportEvent(event);
  if (event->type() == QEvent::Paint && firstPaint_ && !source().isEmpty()) {
    auto hook = std::move(firstPaint_);
    firstPaint_ = nullptr;
    hook();
  }
  return handled;
}

void THtmlView::FollowLink(const QUrl& link) {
  const QUrl target = source().resolved(link);
  const QString scheme = target.scheme();
  if (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
      scheme == QLatin1String("mailto")) {
    OpenAddress(target.toString().toStdString());
    return;
  }
  if (!target.isLocalFile()) return;
  // Other local files than pages (a picture, a document) open in the desktop's program for them.
  const QString suffix = QFileInfo(target.toLocalFile()).suffix().toLower();
  if (suffix != QLatin1String("html") && suffix != QLatin1String("htm")) {
    OpenAddress(target.toLocalFile().toStdString());
    return;
  }
  QUrl withoutAnchor = target;
  withoutAnchor.setFragment(QString());
  QUrl current = source();
  current.setFragment(QString());
  if (withoutAnchor == current && target.hasFragment()) {
    scrollToAnchor(target.fragment());
    return;
  }
  setSource(target, QTextDocument::HtmlResource);
}

}  // namespace trimora::guide
