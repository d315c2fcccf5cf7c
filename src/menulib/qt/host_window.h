// The Qt host adapter: a host's top-level QWidget and its QMenus as a window and menus of the
// window system.
//
// The menus are mirrored entry by entry (command identifier, separator, submenu, enabled,
// checked, default entry, text with the shortcut behind a tab) and kept current from Qt's
// action events; changes the library makes (disabling a popup, new identifiers) are shown
// on the actions. While a library has subclassed the window, the adapter routes the menus'
// events into the window's procedure: a popup about to show sends the popup message, its
// owner-drawn entries are measured and painted through the message procedure by a proxy style
// (painted onto a surface that keeps the popup's pixels, then shown), mnemonic keys send the
// menu-character message and navigation keys are reported as held down.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "sys/handles.h"
#include "sys/menus.h"
#include "sys/windows.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace ornasys::qt {

class MenuStyle;

class HostWindow : public QObject, private WindowObserver, private MenuObserver {
  Q_OBJECT

 public:
  // Registers `window` (its menu bar too, when it is a QMainWindow) with the window system.
  explicit HostWindow(QWidget* window);
  // Destroys the window system's window and menus; a library still attached is expected to
  // have detached before.
  ~HostWindow() override;

  // The window's handle.
  Handle Window() const { return window_; }
  // The menu bar's handle, or 0.
  Handle MenuBar() const { return menuBar_; }
  // The handle of `menu`, registering it (with its submenus) when it is not yet known, e.g.
  // for a context menu.
  Handle MenuOf(QMenu* menu);
  // The menu of a handle, or null.
  QMenu* MenuFor(Handle menu) const;
  // True while a library has subclassed the window.
  bool IsSubclassed() const { return subclassed_; }

  // The command identifier of an action: the one set with SetCommand, else one of the adapter's
  // own (from 0x40000001 on, never with a zero low word), given the first time it is asked for.
  static std::uint32_t CommandOf(QAction* action);
  // Sets an action's command identifier.
  static void SetCommand(QAction* action, std::uint32_t command);

  // Sends the settings-change message to every host window.
  static void BroadcastSettingsChange();

  // The text of an action as its menu shows it: the action's text and, unless it has a tab
  // already, a tab and its shortcut where Qt shows shortcuts (always below a menu bar, in
  // other menus as the action asks).
  static QString ShownText(const QAction* action, bool belowMenuBar);

  // The style's questions about an entry of a mirrored menu.
  struct Entry {
    Handle menu = 0;
    int position = -1;
    MenuItem item;
  };
  // The mirrored entry of `action` in `menu`; nothing when it is not mirrored.
  std::optional<Entry> EntryOf(QMenu* menu, QAction* action) const;
  // The actions of `menu` in the order of its mirrored entries.
  const std::vector<QAction*>* ActionsOf(QMenu* menu) const;
  // True when `menu` hangs below the menu bar (shortcuts are then always shown).
  bool IsBelowMenuBar(QMenu* menu) const;
  // The surface that holds the pixels of `menu`'s client area of `width` × `height`; made anew
  // when the popup shows again or changes its size.
  Handle SurfaceFor(QMenu* menu, int width, int height);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Mirror {
    Handle handle = 0;
    QPointer<QWidget> widget;  // the QMenu or QMenuBar
    std::vector<QAction*> actions;
    Handle surface = 0;
    bool belowMenuBar = false;
  };

  void ProcedureChanged(Handle window, bool subclassed) override;
  void StateChanged(Handle menu, int position, std::uint32_t state) override;
  void IdChanged(Handle menu, int position, std::uint32_t id) override;

  Handle Register(QWidget* widget, bool popup, bool belowMenuBar);
  void Sync(QWidget* widget);
  MenuItem ItemFor(QWidget* widget, QAction* action);
  void AboutToShow(QMenu* menu);
  bool MenuKey(QMenu* menu, QEvent* event);
  void Forget(QWidget* widget);
  void DropSurface(Mirror& mirror);

  QPointer<QWidget> widget_;
  Handle window_ = 0;
  Handle menuBar_ = 0;
  bool subclassed_ = false;
  bool syncing_ = false;
  std::unique_ptr<MenuStyle> style_;
  std::map<QWidget*, Mirror> mirrors_;
  std::map<Handle, QWidget*> byHandle_;
};

}  // namespace ornasys::qt
