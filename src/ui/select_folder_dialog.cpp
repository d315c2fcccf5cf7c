#include "ui/select_folder_dialog.h"

#include <QApplication>
#include <QLineEdit>

#include "platform/paths.h"
#include "ui/dialog_rules.h"
#include "ui/folder_tree.h"
#include "ui/kit_style.h"
#include "ui/standard_skin.h"
#include "ui/xp_controls.h"

namespace trimora::ui {

namespace {

const char* const kGlyphNames[] = {"GLYPH_OPEN", "GLYPH_OK", "GLYPH_SAVE"};

}  // namespace

TXPSelectFolderDialog::TXPSelectFolderDialog(QWidget* parent) : TXPDialog(parent) {
  setObjectName(QStringLiteral("TXPSelectFolderDialog"));
  QWidget* content = Content();
  treePanel_ = new TXPPanel(content, Qt::white, true);
  treePanel_->setObjectName(QStringLiteral("TreeViewPanel"));
  treePanel_->setGeometry(8, 8, 337, 335);
  tree_ = new TXPFolderTree(treePanel_);
  tree_->setGeometry(7, 7, 323, 291);
  divider_ = new TXPPanel(treePanel_, QColor(170, 189, 240), false);
  divider_->setObjectName(QStringLiteral("DividerPanel"));
  divider_->setGeometry(7, 301, 323, 3);
  edit_ = new QLineEdit(treePanel_);
  edit_->setObjectName(QStringLiteral("Edit"));
  edit_->setFrame(false);
  edit_->setGeometry(7, 308, 300, 17);
  edit_->setStyleSheet(
      QStringLiteral("QLineEdit { background: white; border: none; padding: 0; }"));
  newFolderButton_ = new TXPButton(QString(), treePanel_);
  newFolderButton_->setObjectName(QStringLiteral("NewFolderButton"));
  newFolderButton_->setGeometry(311, 307, 17, 19);
  newFolderButton_->setToolTip(QStringLiteral("Unterverzeichnis anlegen"));
  newFolderButton_->setAutoDefault(false);
  newFolderButton_->SetPicture(SkinPixmap(QStringLiteral("GLYPH_NEW_FOLDER")));

  okButton_ = new TXPButton(QStringLiteral("&Ok"), content);
  okButton_->setObjectName(QStringLiteral("OkButton"));
  okButton_->setGeometry(124, 353, 107, 28);
  okButton_->setDefault(true);
  cancelButton_ = new TXPButton(QStringLiteral("&Abbrechen"), content);
  cancelButton_->setObjectName(QStringLiteral("CancelButton"));
  cancelButton_->setGeometry(239, 353, 105, 28);
  cancelButton_->SetPicture(SkinPixmap(QStringLiteral("GLYPH_CANCEL")));
  SetGlyphIndex(1);

  connect(tree_, &TXPFolderTree::NodeSelected, this, &TXPSelectFolderDialog::TreeViewChange);
  connect(okButton_, &QPushButton::clicked, this, &TXPSelectFolderDialog::OkButtonClick);
  connect(cancelButton_, &QPushButton::clicked, this, [this] { done(kResultCancel); });
  connect(newFolderButton_, &QPushButton::clicked, this,
          &TXPSelectFolderDialog::NewFolderButtonClick);
  resize(359, 426);
}

void TXPSelectFolderDialog::SetOkCaption(const QString& caption) { okButton_->setText(caption); }

void TXPSelectFolderDialog::SetGlyphIndex(int index) {
  if (index < 0 || index > 2) {
    okButton_->SetPicture(QPixmap());
    return;
  }
  okButton_->SetPicture(SkinPixmap(QString::fromLatin1(kGlyphNames[index])));
}

void TXPSelectFolderDialog::showEvent(QShowEvent* event) {
  // In the Standard skin the plain twins show the caption and picture of this call.
  for (TXPButton* button : {okButton_, cancelButton_, newFolderButton_}) CopyToPlainTwin(*button);
  TXPDialog::showEvent(event);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  tree_->Reload();
  // A start folder that is not there leaves the tree as it is, without a message.
  if (!selectedFolder_.isEmpty()) tree_->SelectFolder(selectedFolder_);
  edit_->setText(selectedFolder_);
  QApplication::restoreOverrideCursor();
  edit_->setFocus();
}

void TXPSelectFolderDialog::TreeViewChange(const QString& nodePath) {
  edit_->setText(ToQString(PathFieldText(ToUtf8(nodePath), DesktopFolder())));
}

void TXPSelectFolderDialog::OkButtonClick() {
  selectedFolder_ = edit_->text();
  done(kResultOk);
}

void TXPSelectFolderDialog::NewFolderButtonClick() {
  const CreateFolderResult result = CreateFolder(ToUtf8(edit_->text()));
  tree_->Reload();
  // Other failures are ignored without a message; the chooser stays open either way.
  if (result == CreateFolderResult::AlreadyExists && folderExists_) folderExists_();
}

}  // namespace trimora::ui
