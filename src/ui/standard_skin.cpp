#include "ui/standard_skin.h"

#include <QCheckBox>
#include <QEvent>
#include <QLayout>
#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <vector>

#include "ui/xp_controls.h"
#include "ui/xp_form.h"

namespace trimora::ui {

namespace {

const char* const kTwinProperty = "trimoraPlainTwin";
// Set on a twin that took its skinned control's place in a layout: the layout places it.
const char* const kLaidOutProperty = "trimoraLaidOutTwin";

// A skinned control that a layout places hands its place in that layout to its twin, since a
// hidden control takes no room there and the layout would move the others into its place.
void TakeLayoutPlace(QWidget& skinned, QWidget& twin) {
  QWidget* parent = skinned.parentWidget();
  if (parent == nullptr || parent->layout() == nullptr) return;
  twin.setMinimumSize(skinned.minimumSize());
  twin.setMaximumSize(skinned.maximumSize());
  twin.setSizePolicy(skinned.sizePolicy());
  QLayoutItem* old = parent->layout()->replaceWidget(&skinned, &twin);
  if (old == nullptr) return;
  delete old;
  twin.setProperty(kLaidOutProperty, true);
}

// Keeps a plain twin in step with its hidden skinned control.
class TwinFollower : public QObject {
 public:
  TwinFollower(QAbstractButton* skinned, QAbstractButton* twin)
      : QObject(skinned), skinned_(skinned), twin_(twin) {
    skinned->installEventFilter(this);
    connect(skinned, &QAbstractButton::toggled, twin, [twin = twin_](bool checked) {
      if (twin) twin->setChecked(checked);
    });
  }

  bool eventFilter(QObject*, QEvent* event) override {
    if (!twin_) return false;
    switch (event->type()) {
      case QEvent::EnabledChange:
        twin_->setEnabled(skinned_->isEnabled());
        break;
      case QEvent::ToolTipChange:
        twin_->setToolTip(skinned_->toolTip());
        break;
      case QEvent::ShowToParent:
        // The window's code showed the skinned control: its twin stands in for it.
        twin_->show();
        skinned_->hide();
        break;
      default:
        break;
    }
    return false;
  }

  void PlaceTwin() {
    if (twin_->property(kLaidOutProperty).toBool()) return;
    const bool check = qobject_cast<QCheckBox*>(twin_.data()) != nullptr;
    twin_->setGeometry(skinned_->geometry().translated(0, check ? -1 : 0));
  }

 private:
  QAbstractButton* skinned_;
  QPointer<QAbstractButton> twin_;
};

void CopyCommon(QAbstractButton& from, QAbstractButton& to) {
  to.setText(from.text());
  to.setEnabled(from.isEnabled());
  to.setToolTip(from.toolTip());
  to.setFocusPolicy(from.focusPolicy());
  to.setCheckable(from.isCheckable());
  to.setChecked(from.isChecked());
}

void MakeTwin(QAbstractButton& skinned, QAbstractButton* twin) {
  CopyCommon(skinned, *twin);
  const bool shown = skinned.isVisibleTo(skinned.parentWidget());
  // The twin takes the skinned control's place in the tab order.
  QWidget::setTabOrder(&skinned, twin);
  skinned.setProperty(kTwinProperty, QVariant::fromValue<QObject*>(twin));
  auto* follower = new TwinFollower(&skinned, twin);
  TakeLayoutPlace(skinned, *twin);
  follower->PlaceTwin();
  // A click on the twin is a click on the skinned control: its handlers run and its state
  // changes, which the twin then shows.
  QObject::connect(twin, &QAbstractButton::clicked, &skinned, [&skinned, twin] {
    if (skinned.isCheckable()) {
      // The twin has toggled itself already; the skinned control toggles back in step.
      twin->setChecked(!twin->isChecked());
    }
    skinned.click();
  });
  skinned.hide();
  twin->setVisible(shown);
}

}  // namespace

QAbstractButton* PlainTwin(const QAbstractButton& skinned) {
  return qobject_cast<QAbstractButton*>(skinned.property(kTwinProperty).value<QObject*>());
}

void CopyToPlainTwin(QAbstractButton& skinned) {
  QAbstractButton* twin = PlainTwin(skinned);
  if (twin == nullptr) return;
  CopyCommon(skinned, *twin);
  if (auto* picture = qobject_cast<TXPButton*>(&skinned)) {
    twin->setIcon(picture->Picture().isNull() ? QIcon() : QIcon(picture->Picture()));
  }
  const bool check = qobject_cast<QCheckBox*>(twin) != nullptr;
  if (!twin->property(kLaidOutProperty).toBool())
    twin->setGeometry(skinned.geometry().translated(0, check ? -1 : 0));
  if (skinned.isVisibleTo(skinned.parentWidget())) {
    twin->show();
    skinned.hide();
  }
}

void ConvertToStandardSkin(TtfXPForm& frame, QWidget& contentPanel) {
  QWidget* window = frame.DecoratedWindow();
  const QRect place = window->geometry();
  const bool shown = window->isVisible();
  // The components as they are now: controls made below are not visited.
  const QList<QObject*> components = window->findChildren<QObject*>();
  frame.HideFrame();
  // Changing the window flags makes a new native window, which may move it.
  window->setWindowFlag(Qt::FramelessWindowHint, false);
  window->setGeometry(place);
  contentPanel.setGeometry(window->rect());
  // The content follows the window's size from now on, as the frame did before.
  struct Follower : QObject {
    QWidget* content;
    Follower(QWidget* window, QWidget* panel) : QObject(window), content(panel) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
      if (event->type() == QEvent::Resize)
        content->setGeometry(static_cast<QWidget*>(watched)->rect());
      return false;
    }
  };
  window->installEventFilter(new Follower(window, &contentPanel));
  const QColor plain = window->palette().color(QPalette::Window);
  for (QObject* component : components) {
    if (component->objectName().left(6).compare(QStringLiteral("XPFORM"), Qt::CaseInsensitive) == 0)
      continue;
    // Only this window's own controls: windows made as its children convert on their own.
    auto* widget = qobject_cast<QWidget*>(component);
    if (widget == nullptr || widget->window() != window) continue;
    if (auto* button = qobject_cast<QAbstractButton*>(widget); button && PlainTwin(*button))
      continue;
    if (auto* panel = qobject_cast<TXPGradientPanel*>(component)) {
      panel->SetGradientEnabled(false, plain);
      panel->SetLoweredBevel(true);
    } else if (auto* check = qobject_cast<TXPCheckBox*>(component)) {
      auto* twin = new QCheckBox(check->parentWidget());
      twin->setObjectName(check->objectName().isEmpty()
                              ? QString()
                              : QStringLiteral("Plain") + check->objectName());
      MakeTwin(*check, twin);
    } else if (auto* button = qobject_cast<TXPButton*>(component)) {
      auto* twin = new QPushButton(button->parentWidget());
      twin->setObjectName(QStringLiteral("Bit") + button->objectName());
      twin->setDefault(button->isDefault());
      twin->setAutoDefault(button->autoDefault());
      if (!button->Picture().isNull()) {
        twin->setIcon(QIcon(button->Picture()));
        twin->setIconSize(button->Picture().size());
      }
      MakeTwin(*button, twin);
    }
  }
  if (auto* content = qobject_cast<TXPGradientPanel*>(&contentPanel))
    content->SetLoweredBevel(false);
  if (shown) window->show();
}

}  // namespace trimora::ui
