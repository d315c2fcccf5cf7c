// The message box TXPMessageBox: a text, one of three button rows and, for notes that can be
// switched off, the check box "Diese <Titel> nicht mehr anzeigen" that writes false under its
// setting when the box closes ticked.
#pragma once

#include <QString>

#include <array>
#include <cstdint>

#include "ui/xp_dialog.h"

class QLabel;
class QPushButton;

namespace trimora::ui {

class TXPCheckBox;

// The skinned message box; created once and reused for every message.
class TXPMessageBox : public TXPDialog {
  Q_OBJECT
 public:
  // The box, owned by `parent` (may be null).
  explicit TXPMessageBox(QWidget* parent);

  // The message text ("\r\n" line breaks allowed).
  void SetText(const QString& text);
  QString Text() const;
  // The button row: 4 OK, 3 Yes/No, 515 Yes / Yes-to-all / No.
  void SetButtons(std::uint16_t buttons) { buttons_ = buttons; }
  std::uint16_t Buttons() const { return buttons_; }
  // The boolean setting that the check box clears, or empty for a box without check box.
  void SetDontShowAgainKey(const QString& key) { dontShowAgainKey_ = key; }
  QString DontShowAgainKey() const { return dontShowAgainKey_; }

  // How far rows and text are moved down while the box shows no check box (0 or 18).
  int Shift() const { return shift_; }
  // Whether the check box is offered in the current showing.
  bool CheckBoxShown() const { return checkShown_; }
  // The parts of the box, for the skins and for tests.
  QLabel* TextLabel() const { return textLabel_; }
  QWidget* RowPanel(int index) const { return rows_[static_cast<std::size_t>(index)]; }
  QWidget* CheckBoxPanel() const { return checkPanel_; }
  TXPCheckBox* CheckBox() const { return checkBox_; }
  QLabel* CheckBoxLabel() const { return checkLabel_; }
  // The button of the shown row that answers `result`, or null.
  QPushButton* ButtonFor(int result) const;

 public slots:
  // Every close, whatever the answer: the ticked check box writes false under its setting and
  // the designed layout comes back.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void LayOut();
  int ShownRow() const;

  QLabel* textLabel_;
  std::array<QWidget*, 3> rows_{};
  QWidget* checkPanel_;
  TXPCheckBox* checkBox_;
  QLabel* checkLabel_;
  std::uint16_t buttons_ = 4;
  QString dontShowAgainKey_;
  int shift_ = 0;
  bool checkShown_ = false;
  bool showing_ = false;
};

}  // namespace trimora::ui
