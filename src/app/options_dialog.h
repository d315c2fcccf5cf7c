// The settings dialog TOptionsDialog: four groups on coloured panels (the output types, the side
// stripes, the messages, the rest) and "&Speichern" / "&Abbrechen". A thin view of
// OptionsPresenter: it shows what it is told and hands every event to the presenter.
#pragma once

#include <array>

#include "app/options_presenter.h"
#include "ui/xp_dialog.h"

class QComboBox;
class QLabel;

namespace trimora::ui {
class DialogKit;
class TXPButton;
class TXPCheckBox;
class TXPPanel;
}  // namespace trimora::ui

namespace trimora::app {

// The dialog.
class TOptionsDialog : public ui::TXPDialog, public OptionsView {
  Q_OBJECT
 public:
  // The dialog over `mainWindow`, whose frame `mainFrame` shows inactive while it is open; its
  // messages go through `dialogs`.
  TOptionsDialog(QWidget* mainWindow, ui::TtfXPForm* mainFrame, ui::DialogKit* dialogs);

  // OptionsView.
  bool RunModal(OptionsPresenter& presenter) override;
  void SetListIndex(OptionsList list, int index) override;
  void SetListEnabled(OptionsList list, bool enabled) override;
  void SetChecked(OptionsCheck check, bool checked) override;
  void SetCheckEnabled(OptionsCheck check, bool enabled) override;
  int ShowMessageBox(const std::string& title, const std::string& text, int buttons, int width,
                     int height) override;
  void CloseWithOk() override;

  // The parts, for tests and screenshots.
  QComboBox* List(OptionsList list) const { return lists_[static_cast<std::size_t>(list)]; }
  QLabel* ListLabel(OptionsList list) const { return listLabels_[static_cast<std::size_t>(list)]; }
  ui::TXPCheckBox* CheckBox(OptionsCheck check) const {
    return checks_[static_cast<std::size_t>(check)];
  }
  QLabel* CheckLabel(OptionsCheck check) const {
    return checkLabels_[static_cast<std::size_t>(check)];
  }
  ui::TXPPanel* Group(int index) const { return groups_[static_cast<std::size_t>(index)]; }
  QLabel* GroupHeading(int index) const { return headings_[static_cast<std::size_t>(index)]; }
  ui::TXPButton* SaveButton() const { return saveButton_; }
  ui::TXPButton* CancelButton() const { return cancelButton_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ui::TXPPanel* AddGroup(int index, int top, int height, const QString& heading);
  QComboBox* AddList(OptionsList list, QWidget* group, const QRect& place);
  void AddCheck(OptionsCheck check, QWidget* group, int top);

  ui::TtfXPForm* mainFrame_;
  ui::DialogKit* dialogs_;
  OptionsPresenter* presenter_ = nullptr;
  std::array<ui::TXPPanel*, 4> groups_{};
  std::array<QLabel*, 4> headings_{};
  std::array<QComboBox*, 3> lists_{};
  std::array<QLabel*, 3> listLabels_{};
  std::array<ui::TXPCheckBox*, kOptionsCheckCount> checks_{};
  std::array<QLabel*, kOptionsCheckCount> checkLabels_{};
  ui::TXPButton* saveButton_ = nullptr;
  ui::TXPButton* cancelButton_ = nullptr;
};

}  // namespace trimora::app
