// The settings dialog's behaviour, plain C++: filling the dialog from the stored values, the
// second type list following the first, the check boxes' keys and the validation of the stripe
// sides. The dialog (OptionsView) is only written to; the main window writes and applies what
// was saved.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace trimora {

// The settings the dialog edits, as values. A list index outside its list stands for "nothing
// chosen".
struct OptionsValues {
  int fileFormat1 = 0;                      // FileFormat1: the entry of the first type list
  int fileFormat2 = 0;                      // FileFormat2 (the dialog's default is entry 0)
  bool enlargeLeft = true;                  // Enlarge\Left
  bool enlargeRight = true;                 // Enlarge\Right
  int enlargeColor = 0;                     // Enlarge\Color: the colour list's entry
  bool showLossySavingInfo = true;          // ShowLossySavingInfo
  bool showLossySavingInfo2 = true;         // ShowLossySavingInfo2
  bool askOnDelete = true;                  // AskOnDelete
  bool markPictureForSavingOnClick = true;  // MarkPictureForSavingOnClick
  bool showHints = true;                    // ShowHints
  // Read only: "AskToTurnUpright" or "AskBeforeRecodedTurn" was switched off by its question's
  // "nicht mehr anzeigen".
  bool questionsSwitchedOff = false;
  // Both questions are to be asked again (the box "Abgeschaltete Rückfragen wieder anzeigen").
  bool showQuestionsAgain = false;
  bool operator==(const OptionsValues&) const = default;
};

// The three drop-down lists of the dialog.
enum class OptionsList { kFileFormat1, kFileFormat2, kEnlargeColor };

// The check boxes, in tab order.
enum class OptionsCheck {
  kEnlargeLeft,
  kEnlargeRight,
  kLossySavingInfo,
  kLossySavingInfo2,
  kAskOnDelete,
  kShowQuestionsAgain,  // enabled only while a question is switched off
  kMarkPicture,
  kShowHints,
};
inline constexpr std::size_t kOptionsCheckCount = 8;

// The entries of a list, in order (UTF-8).
const std::vector<std::string>& OptionsListEntries(OptionsList list);
// `index` when it names an entry of `list`, else -1 (nothing chosen).
int ChosenEntry(OptionsList list, int index);
// The caption of a check box (UTF-8).
const char* OptionsCheckCaption(OptionsCheck check);

// The help context of the dialog (F1).
inline constexpr int kOptionsHelpContext = 6;
// The key codes that toggle a focused check box when they are released.
inline constexpr int kReturnKeyCode = 13;
inline constexpr int kSpaceKeyCode = 32;

// The text shown when neither stripe side is ticked.
inline constexpr const char* kNoStripeSideText =
    "Unter \"Erweitern von Bildern mit Seitenstreifen\" muss mindestens eine Option markiert "
    "sein.";

class OptionsPresenter;

// The dialog as its presenter sees it.
class OptionsView {
 public:
  virtual ~OptionsView() = default;

  // Shows the dialog modally, its events going to `presenter`; true when it closed with OK.
  virtual bool RunModal(OptionsPresenter& presenter) = 0;
  // The chosen entry of a list (-1: none).
  virtual void SetListIndex(OptionsList list, int index) = 0;
  // Enables a list with its label.
  virtual void SetListEnabled(OptionsList list, bool enabled) = 0;
  // Ticks a check box or clears it.
  virtual void SetChecked(OptionsCheck check, bool checked) = 0;
  // Enables a check box with its caption.
  virtual void SetCheckEnabled(OptionsCheck check, bool enabled) = 0;
  // A message box over the dialog (title, text, button row, outer size); returns the answer.
  virtual int ShowMessageBox(const std::string& title, const std::string& text, int buttons,
                             int width, int height) = 0;
  // Closes the dialog with OK.
  virtual void CloseWithOk() = 0;
};

// The presenter of the settings dialog.
class OptionsPresenter {
 public:
  // A presenter for `view`; `showHelp` shows a help context.
  OptionsPresenter(OptionsView& view, std::function<void(int)> showHelp);

  // Shows the dialog modally, starting from the `stored` values; true when it was saved (the
  // values are then Values()).
  bool Run(const OptionsValues& stored);

  // Events of the dialog.

  // The dialog is being shown: every control from the settings.
  void FormShow();
  // The user chose `index` in a list.
  void ListChosen(OptionsList list, int index);
  // The user ticked or cleared a check box.
  void CheckClicked(OptionsCheck check, bool checked);
  // A key was released on a focused check box: Return and Space toggle it.
  void CheckboxKeyUp(OptionsCheck check, int keyCode);
  // "&Speichern": refused with a message while no stripe side is ticked; else the dialog closes
  // with OK.
  void SpeichernButtonClick();
  // F1.
  void HelpKey();

  // The values the dialog shows (after a save: the values to write).
  const OptionsValues& Values() const { return values_; }

 private:
  void CheckEnabledOfFileFormat2ComboBox();
  bool& Flag(OptionsCheck check);
  bool CheckEnabled(OptionsCheck check) const;

  OptionsView& view_;
  std::function<void(int)> showHelp_;
  OptionsValues stored_;
  OptionsValues values_;
};

}  // namespace trimora
