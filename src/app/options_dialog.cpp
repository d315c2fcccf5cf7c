#include "app/options_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

#include "ui/dialog_kit.h"
#include "ui/dialog_rules.h"
#include "ui/kit_style.h"
#include "ui/xp_controls.h"
#include "ui/xp_form.h"

namespace trimora::app {

namespace {

const QColor kGroupColor(235, 239, 252);
const QColor kHeadingColor(0, 58, 150);

constexpr int kGroupLeft = 8;
constexpr int kGroupWidth = 494;
constexpr int kInnerLeft = 10;
constexpr int kInnerWidth = kGroupWidth - 2 * kInnerLeft;

const char* const kHeadings[] = {"Dateiformate zum Speichern von Bildausschnitten",
                                 "Erweiterung von Bildern durch Seitenstreifen",
                                 "Anzeige von Meldungen/Sicherheitsabfragen",
                                 "Sonstige Einstellungen"};

}  // namespace

TOptionsDialog::TOptionsDialog(QWidget* mainWindow, ui::TtfXPForm* mainFrame,
                               ui::DialogKit* dialogs)
    : ui::TXPDialog(mainWindow), mainFrame_(mainFrame), dialogs_(dialogs) {
  setObjectName(QStringLiteral("TOptionsDialog"));
  SetTitle(QStringLiteral("Einstellungen"));
  // One pixel smaller than the message boxes, so that the longest list entries fit whole.
  setFont(ui::KitPixelFont(12));

  // "Dateiformate zum Speichern von Bildausschnitten"
  QWidget* types = AddGroup(0, 8, 128, QString::fromUtf8(kHeadings[0]));
  auto* standard = new QLabel(QStringLiteral("Standardformat:"), types);
  standard->setGeometry(kInnerLeft, 30, kInnerWidth, 16);
  listLabels_[0] = standard;
  AddList(OptionsList::kFileFormat1, types, QRect(kInnerLeft, 48, kInnerWidth, 24));
  auto* second = new QLabel(
      QStringLiteral("Format für Bereiche, die nicht als verlustfreie JPEGs gespeichert werden "
                     "können:"),
      types);
  second->setObjectName(QStringLiteral("FileFormat2Label"));
  second->setGeometry(kInnerLeft, 78, kInnerWidth, 16);
  listLabels_[1] = second;
  AddList(OptionsList::kFileFormat2, types, QRect(kInnerLeft, 96, kInnerWidth, 24));

  // "Erweiterung von Bildern durch Seitenstreifen"
  QWidget* stripes = AddGroup(1, 144, 112, QString::fromUtf8(kHeadings[1]));
  AddCheck(OptionsCheck::kEnlargeLeft, stripes, 30);
  AddCheck(OptionsCheck::kEnlargeRight, stripes, 52);
  auto* color = new QLabel(QStringLiteral("Farbe des Erweiterungsstreifens:"), stripes);
  color->setGeometry(kInnerLeft, 81, 210, 16);
  listLabels_[2] = color;
  AddList(OptionsList::kEnlargeColor, stripes, QRect(224, 78, 150, 24));

  // "Anzeige von Meldungen/Sicherheitsabfragen"
  QWidget* messages = AddGroup(2, 264, 118, QString::fromUtf8(kHeadings[2]));
  AddCheck(OptionsCheck::kLossySavingInfo, messages, 30);
  AddCheck(OptionsCheck::kLossySavingInfo2, messages, 52);
  AddCheck(OptionsCheck::kAskOnDelete, messages, 74);
  AddCheck(OptionsCheck::kShowQuestionsAgain, messages, 96);

  // "Sonstige Einstellungen"
  QWidget* other = AddGroup(3, 390, 74, QString::fromUtf8(kHeadings[3]));
  AddCheck(OptionsCheck::kMarkPicture, other, 30);
  AddCheck(OptionsCheck::kShowHints, other, 52);

  saveButton_ = new ui::TXPButton(QStringLiteral("&Speichern"), Content());
  saveButton_->setObjectName(QStringLiteral("SpeichernButton"));
  saveButton_->setGeometry(294, 474, 100, 28);
  saveButton_->setDefault(true);
  connect(saveButton_, &QPushButton::clicked, this, [this] {
    if (presenter_) presenter_->SpeichernButtonClick();
  });
  cancelButton_ = new ui::TXPButton(QStringLiteral("&Abbrechen"), Content());
  cancelButton_->setObjectName(QStringLiteral("CancelButton"));
  cancelButton_->setGeometry(402, 474, 100, 28);
  cancelButton_->setAutoDefault(false);
  connect(cancelButton_, &QPushButton::clicked, this, &TOptionsDialog::reject);

  // Tab order as the groups list their controls.
  QWidget* previous = lists_[0];
  auto chain = [&previous](QWidget* next) {
    QWidget::setTabOrder(previous, next);
    previous = next;
  };
  chain(lists_[1]);
  chain(checks_[0]);
  chain(checks_[1]);
  chain(lists_[2]);
  for (std::size_t i = 2; i < kOptionsCheckCount; ++i) chain(checks_[i]);
  chain(saveButton_);
  chain(cancelButton_);

  resize(516, 547);
}

ui::TXPPanel* TOptionsDialog::AddGroup(int index, int top, int height, const QString& heading) {
  auto* group = new ui::TXPPanel(Content(), kGroupColor, true);
  group->setObjectName(QStringLiteral("GroupPanel") + QString::number(index + 1));
  group->setGeometry(kGroupLeft, top, kGroupWidth, height);
  auto* label = new QLabel(heading, group);
  label->setObjectName(QStringLiteral("GroupHeading") + QString::number(index + 1));
  label->setFont(ui::KitPixelFont(13, true));
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, kHeadingColor);
  label->setPalette(palette);
  label->setGeometry(kInnerLeft, 6, kInnerWidth, 18);
  groups_[static_cast<std::size_t>(index)] = group;
  headings_[static_cast<std::size_t>(index)] = label;
  return group;
}

QComboBox* TOptionsDialog::AddList(OptionsList list, QWidget* group, const QRect& place) {
  static const char* const kNames[] = {"FileFormat1ComboBox", "FileFormat2ComboBox",
                                       "EnlargeComboBox"};
  auto* box = new QComboBox(group);
  box->setObjectName(QString::fromLatin1(kNames[static_cast<int>(list)]));
  box->setGeometry(place);
  for (const std::string& entry : OptionsListEntries(list)) box->addItem(ui::ToQString(entry));
  box->setMaxVisibleItems(10);
  connect(box, &QComboBox::activated, this, [this, list](int index) {
    if (presenter_) presenter_->ListChosen(list, index);
  });
  lists_[static_cast<std::size_t>(list)] = box;
  return box;
}

void TOptionsDialog::AddCheck(OptionsCheck check, QWidget* group, int top) {
  static const char* const kNames[] = {"EnlargeLeftCheckBox",     "EnlargeRightCheckBox",
                                       "LossySavingInfoCheckBox", "LossySavingInfo2CheckBox",
                                       "AskOnDeleteCheckBox",     "ShowQuestionsAgainCheckBox",
                                       "MarkPictureCheckBox",     "ShowHintsCheckBox"};
  const auto i = static_cast<std::size_t>(check);
  auto* box = new ui::TXPCheckBox(group);
  box->setObjectName(QString::fromLatin1(kNames[i]));
  box->setGeometry(kInnerLeft, top, 17, 17);
  box->installEventFilter(this);
  connect(box, &QCheckBox::clicked, this, [this, check](bool checked) {
    if (presenter_) presenter_->CheckClicked(check, checked);
  });
  auto* label = new QLabel(QString::fromUtf8(OptionsCheckCaption(check)), group);
  label->setObjectName(QString::fromLatin1(kNames[i]) + QStringLiteral("Label"));
  label->setGeometry(kInnerLeft + 23, top, kInnerWidth - 23, 17);
  // A click on the caption is a click on its box, as with any labelled check box.
  label->installEventFilter(this);
  checks_[i] = box;
  checkLabels_[i] = label;
}

bool TOptionsDialog::eventFilter(QObject* watched, QEvent* event) {
  for (std::size_t i = 0; i < kOptionsCheckCount; ++i) {
    if (watched == checkLabels_[i] && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      checks_[i]->setFocus(Qt::MouseFocusReason);
      checks_[i]->click();
      return true;
    }
    if (watched != checks_[i]) continue;
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) continue;
    auto* key = static_cast<QKeyEvent*>(event);
    int code = 0;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) code = kReturnKeyCode;
    if (key->key() == Qt::Key_Space) code = kSpaceKeyCode;
    if (code == 0) return false;
    // The box changes when the key comes up, once, and the key goes nowhere else.
    if (event->type() == QEvent::KeyRelease && !key->isAutoRepeat() && presenter_ != nullptr)
      presenter_->CheckboxKeyUp(static_cast<OptionsCheck>(i), code);
    return true;
  }
  return ui::TXPDialog::eventFilter(watched, event);
}

bool TOptionsDialog::RunModal(OptionsPresenter& presenter) {
  presenter_ = &presenter;
  if (mainFrame_) mainFrame_->MarkInactive();
  CentreOver(parentWidget());
  const int result = exec();
  if (mainFrame_) mainFrame_->MarkActive();
  presenter_ = nullptr;
  return result == ui::kResultOk;
}

void TOptionsDialog::showEvent(QShowEvent* event) {
  ui::TXPDialog::showEvent(event);
  if (presenter_) presenter_->FormShow();
  lists_[0]->setFocus(Qt::TabFocusReason);
}

void TOptionsDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
    if (presenter_) presenter_->HelpKey();
    return;
  }
  ui::TXPDialog::keyPressEvent(event);
}

void TOptionsDialog::SetListIndex(OptionsList list, int index) {
  lists_[static_cast<std::size_t>(list)]->setCurrentIndex(index);
}

void TOptionsDialog::SetListEnabled(OptionsList list, bool enabled) {
  lists_[static_cast<std::size_t>(list)]->setEnabled(enabled);
  listLabels_[static_cast<std::size_t>(list)]->setEnabled(enabled);
}

void TOptionsDialog::SetChecked(OptionsCheck check, bool checked) {
  checks_[static_cast<std::size_t>(check)]->setChecked(checked);
}

void TOptionsDialog::SetCheckEnabled(OptionsCheck check, bool enabled) {
  checks_[static_cast<std::size_t>(check)]->setEnabled(enabled);
  checkLabels_[static_cast<std::size_t>(check)]->setEnabled(enabled);
}

int TOptionsDialog::ShowMessageBox(const std::string& title, const std::string& text, int buttons,
                                   int width, int height) {
  return dialogs_->ShowMessageBox(ui::ToQString(title), ui::ToQString(text),
                                  static_cast<std::uint16_t>(buttons), QString(), width, height,
                                  Frame());
}

void TOptionsDialog::CloseWithOk() { done(ui::kResultOk); }

}  // namespace trimora::app
