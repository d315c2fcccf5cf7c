// The about box TInfoDialog ("Info ..."): the skinned frame with the title "Info über Trimora 2",
// the product name, the line "Build " + the program version and an "&Ok" button. Created once
// with the main window and shown modally for every call.
#pragma once

#include "ui/xp_dialog.h"

class QLabel;
class QPushButton;

namespace trimora::app {

// The about box.
class TInfoDialog : public ui::TXPDialog {
  Q_OBJECT
 public:
  // The box, owned by `parent` (the main window).
  explicit TInfoDialog(QWidget* parent);

  // The build line: "Build " + `version`.
  void SetVersion(const QString& version);

  // The parts, for tests.
  QLabel* ProductLabel() const { return product_; }
  QLabel* BuildLabel() const { return build_; }
  QPushButton* OkButton() const { return ok_; }

 private:
  QLabel* product_;
  QLabel* build_;
  QPushButton* ok_;
};

}  // namespace trimora::app
