// The folder tree of the folder chooser: the user's desktop on top, under it the documents and
// home folders, the computer node (a virtual node that holds the file system root) and the
// desktop's own folders. Nodes are read when they are first opened.
#pragma once

#include <QString>
#include <QTreeWidget>

namespace trimora::ui {

// A lazily read tree of folders; hidden folders are shown.
class TXPFolderTree : public QTreeWidget {
  Q_OBJECT
 public:
  // The node path of the computer node; as a virtual node it gives an empty path field.
  static const QString& ComputerNodePath();

  // The tree, read from the user's desktop, documents and home folders.
  explicit TXPFolderTree(QWidget* parent);
  // Reads the tree again from its top node; expanded nodes stay expanded, a vanished current
  // folder moves the selection to its parent.
  void Reload();
  // Expands the tree down to `path` and selects it; false (tree unchanged) when it is not there.
  bool SelectFolder(const QString& path);
  // The top node ("Desktop").
  QTreeWidgetItem* TopNode() const { return topLevelItem(0); }
  // The node path of an item: "Desktop", a virtual node path or a folder path.
  static QString NodePath(const QTreeWidgetItem* item);
  // The folder that an item lists (empty for a virtual node).
  static QString FolderOf(const QTreeWidgetItem* item);

 signals:
  // The current node changed to the node with this path.
  void NodeSelected(const QString& nodePath);

 private:
  void Build();
  void Populate(QTreeWidgetItem* item);
  void Sync(QTreeWidgetItem* item);
  void Unpopulate(QTreeWidgetItem* item);
  QTreeWidgetItem* NewFolderItem(const QString& path);
  int FixedChildCount(const QTreeWidgetItem* item) const;
};

}  // namespace trimora::ui
