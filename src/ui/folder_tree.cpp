#include "ui/folder_tree.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QStyle>

#include <optional>

#include "platform/paths.h"
#include "ui/dialog_rules.h"
#include "ui/kit_style.h"

namespace trimora::ui {

namespace {

constexpr int kPathRole = Qt::UserRole;        // node path
constexpr int kFolderRole = Qt::UserRole + 1;  // folder listed below the node
constexpr int kReadRole = Qt::UserRole + 2;    // children have been read
constexpr int kFixedRole = Qt::UserRole + 3;   // a node of the tree's frame, never re-read

QString Clean(const QString& path) { return QDir::cleanPath(path); }

QStringList SubfolderPaths(const QString& folder) {
  QStringList paths;
  if (folder.isEmpty()) return paths;
  const QDir dir(folder);
  const QFileInfoList entries =
      dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
  for (const QFileInfo& info : entries) paths << Clean(info.absoluteFilePath());
  return paths;
}

}  // namespace

const QString& TXPFolderTree::ComputerNodePath() {
  static const QString path = QStringLiteral("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
  return path;
}

TXPFolderTree::TXPFolderTree(QWidget* parent) : QTreeWidget(parent) {
  setObjectName(QStringLiteral("TreeView"));
  setHeaderHidden(true);
  setRootIsDecorated(false);
  setIndentation(19);
  setFrameShape(QFrame::NoFrame);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QTreeWidget::itemExpanded, this,
          [this](QTreeWidgetItem* item) { Populate(item); });
  connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
    if (current) emit NodeSelected(NodePath(current));
  });
  Build();
}

QString TXPFolderTree::NodePath(const QTreeWidgetItem* item) {
  return item ? item->data(0, kPathRole).toString() : QString();
}

QString TXPFolderTree::FolderOf(const QTreeWidgetItem* item) {
  return item ? item->data(0, kFolderRole).toString() : QString();
}

QTreeWidgetItem* TXPFolderTree::NewFolderItem(const QString& path) {
  auto* item = new QTreeWidgetItem;
  item->setText(0, QFileInfo(path).fileName());
  item->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
  item->setData(0, kPathRole, path);
  item->setData(0, kFolderRole, path);
  item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
  return item;
}

void TXPFolderTree::Build() {
  const QString desktop = Clean(ToQString(DesktopFolder()));
  const QString documents = Clean(ToQString(DocumentsFolder()));
  const QString home = Clean(QDir::homePath());

  auto fixed = [this](const QString& label, const QString& path, const QString& folder,
                      QStyle::StandardPixmap icon) {
    auto* item = new QTreeWidgetItem;
    item->setText(0, label);
    item->setIcon(0, style()->standardIcon(icon));
    item->setData(0, kPathRole, path);
    item->setData(0, kFolderRole, folder);
    item->setData(0, kFixedRole, true);
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
  };
  QTreeWidgetItem* top = fixed(QStringLiteral("Desktop"), ToQString(kDesktopNodePath), desktop,
                               QStyle::SP_DesktopIcon);
  addTopLevelItem(top);
  if (documents != desktop && documents != home && QFileInfo(documents).isDir())
    top->addChild(fixed(QStringLiteral("Dokumente"), documents, documents, QStyle::SP_DirIcon));
  top->addChild(fixed(QStringLiteral("Persönlicher Ordner"), home, home, QStyle::SP_DirHomeIcon));
  QTreeWidgetItem* computer =
      fixed(QStringLiteral("Computer"), ComputerNodePath(), QString(), QStyle::SP_ComputerIcon);
  top->addChild(computer);
  computer->addChild(fixed(QStringLiteral("Dateisystem"), QStringLiteral("/"), QStringLiteral("/"),
                           QStyle::SP_DriveHDIcon));
  computer->setData(0, kReadRole, true);
  Populate(top);
  top->setExpanded(true);
}

int TXPFolderTree::FixedChildCount(const QTreeWidgetItem* item) const {
  int count = 0;
  while (count < item->childCount() && item->child(count)->data(0, kFixedRole).toBool()) ++count;
  return count;
}

void TXPFolderTree::Populate(QTreeWidgetItem* item) {
  if (item->data(0, kReadRole).toBool()) return;
  item->setData(0, kReadRole, true);
  for (const QString& path : SubfolderPaths(FolderOf(item))) item->addChild(NewFolderItem(path));
  if (item->childCount() == 0) item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
}

void TXPFolderTree::Unpopulate(QTreeWidgetItem* item) {
  const int fixedCount = FixedChildCount(item);
  while (item->childCount() > fixedCount) delete item->takeChild(fixedCount);
  if (fixedCount == 0) {
    item->setData(0, kReadRole, false);
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
  }
}

void TXPFolderTree::Sync(QTreeWidgetItem* item) {
  if (!item->data(0, kReadRole).toBool()) return;
  const int fixedCount = FixedChildCount(item);
  const QString folder = FolderOf(item);
  if (!folder.isEmpty()) {
    const QStringList wanted = SubfolderPaths(folder);
    for (int i = 0; i < wanted.size(); ++i) {
      const int at = fixedCount + i;
      if (at < item->childCount() && NodePath(item->child(at)) == wanted[i]) continue;
      QTreeWidgetItem* existing = nullptr;
      for (int j = at + 1; j < item->childCount(); ++j) {
        if (NodePath(item->child(j)) == wanted[i]) {
          existing = item->takeChild(j);
          break;
        }
      }
      item->insertChild(at, existing ? existing : NewFolderItem(wanted[i]));
    }
    while (item->childCount() > fixedCount + wanted.size())
      delete item->takeChild(fixedCount + static_cast<int>(wanted.size()));
    item->setChildIndicatorPolicy(item->childCount() > 0 ? QTreeWidgetItem::ShowIndicator
                                                         : QTreeWidgetItem::DontShowIndicator);
  }
  for (int i = 0; i < item->childCount(); ++i) {
    QTreeWidgetItem* child = item->child(i);
    if (child->isExpanded())
      Sync(child);
    else if (child->data(0, kReadRole).toBool() && !child->data(0, kFixedRole).toBool())
      Unpopulate(child);
  }
}

void TXPFolderTree::Reload() {
  const QString current = NodePath(currentItem());
  blockSignals(true);
  Sync(TopNode());
  blockSignals(false);
  if (!current.isEmpty() && NodePath(currentItem()) != current) {
    if (!SelectFolder(current)) setCurrentItem(TopNode());
  }
}

bool TXPFolderTree::SelectFolder(const QString& path) {
  const QFileInfo info(path);
  if (path.isEmpty() || !info.isDir()) return false;
  const QString target = Clean(info.absoluteFilePath());

  // The anchor that lies nearest above the folder: the desktop, documents, home or the root.
  QTreeWidgetItem* anchor = nullptr;
  std::vector<std::string> steps;
  std::vector<QTreeWidgetItem*> anchors = {TopNode()};
  for (int i = 0; i < TopNode()->childCount(); ++i) {
    QTreeWidgetItem* child = TopNode()->child(i);
    if (!child->data(0, kFixedRole).toBool()) break;
    anchors.push_back(child);
    for (int j = 0; j < child->childCount(); ++j) anchors.push_back(child->child(j));
  }
  for (QTreeWidgetItem* candidate : anchors) {
    const QString folder = FolderOf(candidate);
    if (folder.isEmpty()) continue;
    std::optional<std::vector<std::string>> below = PathStepsBelow(ToUtf8(folder), ToUtf8(target));
    if (below && (!anchor || below->size() < steps.size())) {
      anchor = candidate;
      steps = std::move(*below);
    }
  }
  if (!anchor) return false;

  QTreeWidgetItem* item = anchor;
  for (const std::string& step : steps) {
    Populate(item);
    QTreeWidgetItem* next = nullptr;
    const QString name = ToQString(step);
    for (int i = FixedChildCount(item); i < item->childCount(); ++i) {
      if (QFileInfo(NodePath(item->child(i))).fileName() == name) {
        next = item->child(i);
        break;
      }
    }
    if (!next) return false;
    item = next;
  }
  for (QTreeWidgetItem* up = item->parent(); up; up = up->parent()) up->setExpanded(true);
  setCurrentItem(item);
  scrollToItem(item);
  return true;
}

}  // namespace trimora::ui
