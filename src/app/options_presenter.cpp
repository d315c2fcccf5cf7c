#include "app/options_presenter.h"

#include "imaging/enlarge.h"
#include "ui/dialog_rules.h"

namespace trimora {

namespace {

constexpr const char* kLossless =
    "(verlustfrei - Auswahlbereich kann pixelgenau positioniert werden)";
constexpr const char* kLossy =
    "(verlustbehaftet - Auswahlbereich kann pixelgenau positioniert werden)";

std::vector<std::string> FirstList() {
  return {"JPEG (verlustfrei - Auswahlbereich kann nicht pixelgenau positioniert werden)",
          std::string("JPEG ") + kLossy, std::string("TIFF ") + kLossless,
          std::string("BMP ") + kLossless, std::string("PNG ") + kLossless};
}

std::vector<std::string> SecondList() {
  return {std::string("JPEG ") + kLossy, std::string("TIFF ") + kLossless,
          std::string("BMP ") + kLossless, std::string("PNG ") + kLossless};
}

std::vector<std::string> ColorList() {
  std::vector<std::string> names;
  for (int i = 0; i < kStripeColorCount; ++i) names.emplace_back(StripeColorName(i));
  return names;
}

}  // namespace

int ChosenEntry(OptionsList list, int index) {
  return index >= 0 && index < static_cast<int>(OptionsListEntries(list).size()) ? index : -1;
}

const std::vector<std::string>& OptionsListEntries(OptionsList list) {
  static const std::vector<std::string> kFirst = FirstList();
  static const std::vector<std::string> kSecond = SecondList();
  static const std::vector<std::string> kColors = ColorList();
  switch (list) {
    case OptionsList::kFileFormat1:
      return kFirst;
    case OptionsList::kFileFormat2:
      return kSecond;
    case OptionsList::kEnlargeColor:
      break;
  }
  return kColors;
}

const char* OptionsCheckCaption(OptionsCheck check) {
  switch (check) {
    case OptionsCheck::kEnlargeLeft:
      return "Beim Erweitern links bzw. oben einen Erweiterungsstreifen hinzufügen";
    case OptionsCheck::kEnlargeRight:
      return "Beim Erweitern rechts bzw. unten einen Erweiterungsstreifen hinzufügen";
    case OptionsCheck::kLossySavingInfo:
      return "Meldung: Verlustfreies Speichern als JPEG nach Formatwechsel nicht möglich!";
    case OptionsCheck::kLossySavingInfo2:
      return "Meldung: Verlustfreies Speichern als JPEG nach Bildkorrektur nicht möglich!";
    case OptionsCheck::kAskOnDelete:
      return "Frage: Originale wirklich löschen?";
    case OptionsCheck::kShowQuestionsAgain:
      return "Abgeschaltete Rückfragen wieder anzeigen";
    case OptionsCheck::kMarkPicture:
      return "Bilder beim Anzeigen automatisch zum Speichern vormerken";
    case OptionsCheck::kShowHints:
      break;
  }
  return "Hinweistexte anzeigen";
}

OptionsPresenter::OptionsPresenter(OptionsView& view, std::function<void(int)> showHelp)
    : view_(view), showHelp_(std::move(showHelp)) {}

bool OptionsPresenter::Run(const OptionsValues& stored) {
  stored_ = stored;
  values_ = stored;
  return view_.RunModal(*this);
}

bool& OptionsPresenter::Flag(OptionsCheck check) {
  switch (check) {
    case OptionsCheck::kEnlargeLeft:
      return values_.enlargeLeft;
    case OptionsCheck::kEnlargeRight:
      return values_.enlargeRight;
    case OptionsCheck::kLossySavingInfo:
      return values_.showLossySavingInfo;
    case OptionsCheck::kLossySavingInfo2:
      return values_.showLossySavingInfo2;
    case OptionsCheck::kAskOnDelete:
      return values_.askOnDelete;
    case OptionsCheck::kShowQuestionsAgain:
      return values_.showQuestionsAgain;
    case OptionsCheck::kMarkPicture:
      return values_.markPictureForSavingOnClick;
    case OptionsCheck::kShowHints:
      break;
  }
  return values_.showHints;
}

void OptionsPresenter::FormShow() {
  values_ = stored_;
  values_.fileFormat1 = ChosenEntry(OptionsList::kFileFormat1, values_.fileFormat1);
  values_.fileFormat2 = ChosenEntry(OptionsList::kFileFormat2, values_.fileFormat2);
  values_.enlargeColor = ChosenEntry(OptionsList::kEnlargeColor, values_.enlargeColor);
  // Switching the questions on again is offered only while one of them is off.
  values_.showQuestionsAgain = false;
  view_.SetListIndex(OptionsList::kFileFormat1, values_.fileFormat1);
  view_.SetListIndex(OptionsList::kFileFormat2, values_.fileFormat2);
  CheckEnabledOfFileFormat2ComboBox();
  for (std::size_t i = 0; i < kOptionsCheckCount; ++i) {
    const auto check = static_cast<OptionsCheck>(i);
    view_.SetChecked(check, Flag(check));
  }
  view_.SetCheckEnabled(OptionsCheck::kShowQuestionsAgain, values_.questionsSwitchedOff);
  view_.SetListIndex(OptionsList::kEnlargeColor, values_.enlargeColor);
}

bool OptionsPresenter::CheckEnabled(OptionsCheck check) const {
  return check != OptionsCheck::kShowQuestionsAgain || values_.questionsSwitchedOff;
}

void OptionsPresenter::CheckEnabledOfFileFormat2ComboBox() {
  view_.SetListEnabled(OptionsList::kFileFormat2, values_.fileFormat1 == 0);
  // Every other preferred type is also the fallback: the same type one entry higher up.
  if (values_.fileFormat1 >= 1) {
    values_.fileFormat2 = values_.fileFormat1 - 1;
    view_.SetListIndex(OptionsList::kFileFormat2, values_.fileFormat2);
  }
}

void OptionsPresenter::ListChosen(OptionsList list, int index) {
  index = ChosenEntry(list, index);
  switch (list) {
    case OptionsList::kFileFormat1:
      values_.fileFormat1 = index;
      break;
    case OptionsList::kFileFormat2:
      values_.fileFormat2 = index;
      return;
    case OptionsList::kEnlargeColor:
      values_.enlargeColor = index;
      break;
  }
  CheckEnabledOfFileFormat2ComboBox();
}

void OptionsPresenter::CheckClicked(OptionsCheck check, bool checked) {
  if (!CheckEnabled(check)) return;
  Flag(check) = checked;
}

void OptionsPresenter::CheckboxKeyUp(OptionsCheck check, int keyCode) {
  if (keyCode != kReturnKeyCode && keyCode != kSpaceKeyCode) return;
  if (!CheckEnabled(check)) return;
  bool& flag = Flag(check);
  flag = !flag;
  view_.SetChecked(check, flag);
}

void OptionsPresenter::SpeichernButtonClick() {
  if (!values_.enlargeLeft && !values_.enlargeRight) {
    view_.ShowMessageBox("Fehler", kNoStripeSideText, ui::kButtonsOk, 330, 160);
    return;
  }
  view_.CloseWithOk();
}

void OptionsPresenter::HelpKey() {
  if (showHelp_) showHelp_(kOptionsHelpContext);
}

}  // namespace trimora
