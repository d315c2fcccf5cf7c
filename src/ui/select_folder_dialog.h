// The folder chooser TXPSelectFolderDialog: a folder tree, the path field that follows it (and
// that the user may type into), a new-folder button and the confirm and cancel buttons.
#pragma once

#include <QString>

#include <functional>

#include "ui/xp_dialog.h"

class QLineEdit;

namespace trimora::ui {

class TXPButton;
class TXPFolderTree;
class TXPPanel;

// The skinned folder chooser; created once and reused. Client size 359 x 426.
class TXPSelectFolderDialog : public TXPDialog {
  Q_OBJECT
 public:
  // Shows "Das angegebene Verzeichnis existiert bereits." over the chooser.
  using FolderExistsHandler = std::function<void()>;

  // The chooser, owned by `parent` (may be null).
  explicit TXPSelectFolderDialog(QWidget* parent);

  // The start folder on entry and the chosen folder on exit.
  void SetSelectedFolder(const QString& folder) { selectedFolder_ = folder; }
  QString SelectedFolder() const { return selectedFolder_; }
  // The caption of the confirm button and its picture (0 "&Öffnen", 1 "&Ok", 2 "Speichern").
  void SetOkCaption(const QString& caption);
  void SetGlyphIndex(int index);
  // Who shows the message for a new folder that already exists.
  void SetFolderExistsHandler(FolderExistsHandler handler) { folderExists_ = std::move(handler); }

  // The parts of the chooser.
  TXPFolderTree* TreeView() const { return tree_; }
  QLineEdit* Edit() const { return edit_; }
  TXPButton* NewFolderButton() const { return newFolderButton_; }
  TXPButton* OkButton() const { return okButton_; }
  TXPButton* CancelButton() const { return cancelButton_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void TreeViewChange(const QString& nodePath);
  void OkButtonClick();
  void NewFolderButtonClick();

  QString selectedFolder_;
  TXPPanel* treePanel_;
  TXPFolderTree* tree_;
  QWidget* divider_;
  QLineEdit* edit_;
  TXPButton* newFolderButton_;
  TXPButton* okButton_;
  TXPButton* cancelButton_;
  FolderExistsHandler folderExists_;
};

}  // namespace trimora::ui
