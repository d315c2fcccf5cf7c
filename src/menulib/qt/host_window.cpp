// Mirroring a Qt host's window and menus, and routing their events into the window procedure.
#include "qt/host_window.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>

#include "qt/menu_style.h"
#include "qt/text_engine.h"
#include "sys/environment.h"
#include "sys/objects.h"

namespace ornasys::qt {
namespace {

constexpr char kCommandProperty[] = "ornamoCommand";
constexpr std::uint32_t kOffState = kItemGrayed | kItemDisabled;

std::vector<HostWindow*>& Hosts() {
  static std::vector<HostWindow*> hosts;
  return hosts;
}

// The virtual key of a navigation key, or 0.
int VirtualKey(int key) {
  switch (key) {
    case Qt::Key_Up:
      return kKeyUp;
    case Qt::Key_Down:
      return kKeyDown;
    case Qt::Key_Left:
      return kKeyLeft;
    case Qt::Key_Right:
      return kKeyRight;
    case Qt::Key_Home:
      return kKeyHome;
    case Qt::Key_End:
      return kKeyEnd;
    case Qt::Key_PageUp:
      return kKeyPageUp;
    case Qt::Key_PageDown:
      return kKeyPageDown;
    default:
      return 0;
  }
}

void ReleaseNavigationKeys() {
  for (const int key :
       {kKeyUp, kKeyDown, kKeyLeft, kKeyRight, kKeyHome, kKeyEnd, kKeyPageUp, kKeyPageDown}) {
    SetKeyDown(key, false);
  }
}

}  // namespace

HostWindow::HostWindow(QWidget* window)
    : QObject(window), widget_(window), style_(std::make_unique<MenuStyle>(this)) {
  window_ = CreateWindow(nullptr, this);
  QMenuBar* bar = nullptr;
  if (auto* main = qobject_cast<QMainWindow*>(window)) {
    bar = main->menuBar();
  } else if (window != nullptr) {
    bar = window->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
  }
  if (bar != nullptr) {
    menuBar_ = Register(bar, false, false);
    SetMenu(window_, menuBar_);
  }
  Hosts().push_back(this);
}

HostWindow::~HostWindow() {
  Hosts().erase(std::remove(Hosts().begin(), Hosts().end(), this), Hosts().end());
  for (auto& [widget, mirror] : mirrors_) {
    if (mirror.widget != nullptr) {
      mirror.widget->removeEventFilter(this);
      if (subclassed_) mirror.widget->setStyle(nullptr);
    }
    DropSurface(mirror);
    DestroyMenu(mirror.handle);
  }
  DestroyWindow(window_);
}

std::uint32_t HostWindow::CommandOf(QAction* action) {
  static std::uint32_t next = 0x40000001;
  const QVariant command = action->property(kCommandProperty);
  if (command.isValid()) return command.toUInt();
  if ((next & 0xFFFF) == 0) ++next;
  const std::uint32_t own = next++;
  action->setProperty(kCommandProperty, own);
  return own;
}

void HostWindow::SetCommand(QAction* action, std::uint32_t command) {
  action->setProperty(kCommandProperty, command);
}

QString HostWindow::ShownText(const QAction* action, bool belowMenuBar) {
  QString text = action->text();
  if (!text.contains('\t') && (belowMenuBar || action->isShortcutVisibleInContextMenu()) &&
      !action->shortcut().isEmpty()) {
    text += '\t' + action->shortcut().toString(QKeySequence::NativeText);
  }
  return text;
}

void HostWindow::BroadcastSettingsChange() {
  for (HostWindow* host : Hosts()) {
    for (auto& [widget, mirror] : host->mirrors_) {
      host->DropSurface(mirror);
      if (qobject_cast<QMenu*>(mirror.widget) != nullptr) {
        QEvent change(QEvent::StyleChange);
        QCoreApplication::sendEvent(mirror.widget, &change);
      }
    }
    SendMessage(host->window_, ORS_WM_SETTINGCHANGE, 0, 0);
  }
}

Handle HostWindow::MenuOf(QMenu* menu) {
  if (menu == nullptr) return 0;
  return Register(menu, true, false);
}

QMenu* HostWindow::MenuFor(Handle menu) const {
  const auto found = byHandle_.find(menu);
  return found != byHandle_.end() ? qobject_cast<QMenu*>(found->second) : nullptr;
}

std::optional<HostWindow::Entry> HostWindow::EntryOf(QMenu* menu, QAction* action) const {
  const auto found = mirrors_.find(menu);
  if (found == mirrors_.end() || action == nullptr) return std::nullopt;
  const auto& actions = found->second.actions;
  const auto at = std::find(actions.begin(), actions.end(), action);
  if (at == actions.end()) return std::nullopt;
  const int position = static_cast<int>(at - actions.begin());
  const auto item = GetMenuItem(found->second.handle, position);
  if (!item) return std::nullopt;
  return Entry{found->second.handle, position, *item};
}

const std::vector<QAction*>* HostWindow::ActionsOf(QMenu* menu) const {
  const auto found = mirrors_.find(menu);
  return found != mirrors_.end() ? &found->second.actions : nullptr;
}

bool HostWindow::IsBelowMenuBar(QMenu* menu) const {
  const auto found = mirrors_.find(menu);
  return found != mirrors_.end() && found->second.belowMenuBar;
}

Handle HostWindow::SurfaceFor(QMenu* menu, int width, int height) {
  const auto found = mirrors_.find(menu);
  if (found == mirrors_.end()) return 0;
  Mirror& mirror = found->second;
  const Surface* surface = GetSurface(mirror.surface);
  if (surface == nullptr || surface->picture.Width() != width ||
      surface->picture.Height() != height) {
    DropSurface(mirror);
    mirror.surface = CreateSurface(width, height, GetSystemColour(SystemColour::kMenu));
  }
  return mirror.surface;
}

Handle HostWindow::Register(QWidget* widget, bool popup, bool belowMenuBar) {
  const auto found = mirrors_.find(widget);
  if (found != mirrors_.end()) return found->second.handle;
  const Handle handle = popup ? CreatePopupMenu(this) : CreateMenuBar(this);
  Mirror& mirror = mirrors_[widget];
  mirror.handle = handle;
  mirror.widget = widget;
  mirror.belowMenuBar = belowMenuBar;
  byHandle_[handle] = widget;
  widget->installEventFilter(this);
  if (auto* menu = qobject_cast<QMenu*>(widget)) {
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { AboutToShow(menu); });
    if (subclassed_) menu->setStyle(style_.get());
  }
  connect(widget, &QObject::destroyed, this, [this, widget] { Forget(widget); });
  Sync(widget);
  return handle;
}

MenuItem HostWindow::ItemFor(QWidget* widget, QAction* action) {
  MenuItem item;
  if (action->isSeparator()) {
    item.type = kItemSeparator;
    return item;
  }
  const bool belowMenuBar =
      qobject_cast<QMenuBar*>(widget) != nullptr || mirrors_[widget].belowMenuBar;
  if (QMenu* submenu = action->menu()) item.submenu = Register(submenu, true, belowMenuBar);
  // Like a Windows popup entry, an entry that opens a submenu carries the submenu's handle
  // until it is given an identifier of its own.
  item.id = item.submenu != 0 && !action->property(kCommandProperty).isValid() ? item.submenu
                                                                               : CommandOf(action);
  if (!action->isEnabled()) item.state |= kOffState;
  if (action->isChecked()) item.state |= kItemChecked;
  if (auto* menu = qobject_cast<QMenu*>(widget);
      menu != nullptr && menu->defaultAction() == action) {
    item.state |= kItemDefault;
  }
  item.text = ToAnsi(ShownText(action, belowMenuBar));
  return item;
}

void HostWindow::Sync(QWidget* widget) {
  const auto found = mirrors_.find(widget);
  if (found == mirrors_.end()) return;
  Mirror& mirror = found->second;
  std::vector<QAction*> visible;
  for (QAction* action : widget->actions()) {
    if (action->isVisible()) visible.push_back(action);
  }
  syncing_ = true;
  if (visible == mirror.actions) {
    for (std::size_t i = 0; i < visible.size(); ++i) {
      UpdateMenuItem(mirror.handle, static_cast<int>(i), ItemFor(widget, visible[i]));
    }
  } else {
    // Entries of actions that stay keep what the library gave them.
    std::map<QAction*, MenuItem> old;
    for (std::size_t i = 0; i < mirror.actions.size(); ++i) {
      if (auto item = GetMenuItem(mirror.handle, static_cast<int>(i))) {
        old[mirror.actions[i]] = *item;
      }
    }
    while (GetMenuItemCount(mirror.handle) > 0) RemoveMenuItem(mirror.handle, 0);
    for (QAction* action : visible) {
      MenuItem item = ItemFor(widget, action);
      const auto kept = old.find(action);
      if (kept != old.end()) {
        item.data = kept->second.data;
        item.type |= kept->second.type & kItemOwnerDraw;
      }
      InsertMenuItem(mirror.handle, -1, item);
    }
    mirror.actions = std::move(visible);
  }
  syncing_ = false;
}

void HostWindow::AboutToShow(QMenu* menu) {
  Sync(menu);
  const auto found = mirrors_.find(menu);
  if (found == mirrors_.end()) return;
  int position = 0;
  for (const auto& [widget, mirror] : mirrors_) {
    const auto at = std::find(mirror.actions.begin(), mirror.actions.end(), menu->menuAction());
    if (at != mirror.actions.end()) position = static_cast<int>(at - mirror.actions.begin());
  }
  SendMessage(window_, ORS_WM_INITMENUPOPUP, found->second.handle, position & 0xFFFF);
  if (subclassed_) {
    // The entries may have become owner-drawn or changed their size: Qt measures them again.
    QEvent change(QEvent::StyleChange);
    QCoreApplication::sendEvent(menu, &change);
  }
}

bool HostWindow::MenuKey(QMenu* menu, QEvent* event) {
  auto* key = static_cast<QKeyEvent*>(event);
  if (const int virtualKey = VirtualKey(key->key())) {
    if (!key->isAutoRepeat() || event->type() == QEvent::KeyPress) {
      SetKeyDown(virtualKey, event->type() == QEvent::KeyPress);
    }
    return false;
  }
  if (event->type() != QEvent::KeyPress || !subclassed_) return false;
  if ((key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0) {
    return false;
  }
  const QString text = key->text();
  if (text.size() != 1 || !text[0].isPrint()) return false;
  const std::string ansi = ToAnsi(text);
  if (ansi.size() != 1 || (ansi == "?" && text != "?")) return false;
  const auto found = mirrors_.find(menu);
  if (found == mirrors_.end()) return false;
  const Mirror& mirror = found->second;
  bool decorated = false;
  for (int i = 0; i < GetMenuItemCount(mirror.handle) && !decorated; ++i) {
    decorated = (GetMenuItem(mirror.handle, i)->type & kItemOwnerDraw) != 0;
  }
  if (!decorated) return false;
  const intptr_t answer = SendMessage(
      window_, ORS_WM_MENUCHAR,
      static_cast<unsigned char>(ansi[0]) | std::uint32_t{ORS_MF_POPUP} << 16, mirror.handle);
  const auto position = static_cast<std::size_t>(answer & 0xFFFF);
  if (((answer >> 16) & 0xFFFF) == ORS_MNC_EXECUTE && position < mirror.actions.size()) {
    // Qt executes the entry as if it had been chosen with the keyboard.
    menu->setActiveAction(mirror.actions[position]);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(menu, &enter);
  }
  // Characters that match no entry are swallowed: the entries' texts are the library's.
  return true;
}

bool HostWindow::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || mirrors_.count(widget) == 0) return false;
  switch (event->type()) {
    case QEvent::ActionAdded:
    case QEvent::ActionRemoved:
    case QEvent::ActionChanged:
      if (!syncing_) Sync(widget);
      break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      if (auto* menu = qobject_cast<QMenu*>(widget)) return MenuKey(menu, event);
      break;
    case QEvent::Show:
    case QEvent::Hide:
      DropSurface(mirrors_[widget]);
      if (event->type() == QEvent::Hide) ReleaseNavigationKeys();
      break;
    default:
      break;
  }
  return false;
}

void HostWindow::ProcedureChanged(Handle, bool subclassed) {
  subclassed_ = subclassed;
  for (auto& [widget, mirror] : mirrors_) {
    DropSurface(mirror);
    if (auto* menu = qobject_cast<QMenu*>(mirror.widget)) {
      menu->setStyle(subclassed ? style_.get() : nullptr);
    }
  }
  if (!subclassed) ReleaseNavigationKeys();
}

void HostWindow::StateChanged(Handle menu, int position, std::uint32_t state) {
  if (syncing_) return;
  const auto widget = byHandle_.find(menu);
  if (widget == byHandle_.end()) return;
  const Mirror& mirror = mirrors_[widget->second];
  if (position < 0 || static_cast<std::size_t>(position) >= mirror.actions.size()) return;
  syncing_ = true;
  mirror.actions[static_cast<std::size_t>(position)]->setEnabled((state & kOffState) == 0);
  syncing_ = false;
}

void HostWindow::IdChanged(Handle menu, int position, std::uint32_t id) {
  const auto widget = byHandle_.find(menu);
  if (widget == byHandle_.end()) return;
  const Mirror& mirror = mirrors_[widget->second];
  if (position < 0 || static_cast<std::size_t>(position) >= mirror.actions.size()) return;
  SetCommand(mirror.actions[static_cast<std::size_t>(position)], id);
}

void HostWindow::Forget(QWidget* widget) {
  const auto found = mirrors_.find(widget);
  if (found == mirrors_.end()) return;
  DropSurface(found->second);
  byHandle_.erase(found->second.handle);
  DestroyMenu(found->second.handle);
  mirrors_.erase(found);
}

void HostWindow::DropSurface(Mirror& mirror) {
  DeleteObject(mirror.surface);
  mirror.surface = 0;
}

}  // namespace ornasys::qt
