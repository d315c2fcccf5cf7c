// The demo host: a main window whose menus show every kind of entry the menu library paints,
// decorated by libOrnamo.so loaded at run time.
#pragma once

#include <QMainWindow>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "host/ornamo_library.h"
#include "qt/host_window.h"

class QPlainTextEdit;
class QMenu;

namespace ornamo::demo {

// The demo's commands.
enum Command : std::uint32_t {
  kNew = 101,
  kOpen = 102,
  kSave = 103,
  kPrint = 104,
  kExit = 109,
  kRecentFirst = 111,
  kRecentSecond = 112,
  kUndo = 201,
  kRedo = 202,
  kCut = 203,
  kCopy = 204,
  kPaste = 205,
  kDelete = 206,
  kFind = 207,
  kToolBar = 301,
  kStatusBar = 302,
  kGrid = 303,
  kZoomIn = 304,
  kZoomOut = 305,
  kTurnLeft = 311,
  kTurnRight = 312,
  kIcon = 401,
  kMagentaBitmap = 402,
  kResourcePicture = 403,
  kLargePicture = 404,
  kNoPicture = 405,
  kDisabledPicture = 406,
  kDisabledNoPicture = 407,
  kDisabledBitmap = 408,
  kEmptyPopups = 501,
  kAttached = 502,
  kRenameNew = 503,
  kHelp = 601,
  kAbout = 602,
};

// The first identifier given to entries that open submenus.
inline constexpr std::uint32_t kFirstSubmenuId = 900;

class DemoWindow : public QMainWindow {
  Q_OBJECT

 public:
  // The window with its menus; decorated when `library` is given (it must outlive the window).
  explicit DemoWindow(OrnamoLibrary* library, QWidget* parent = nullptr);
  // Detaches the library and frees the pictures handed to it.
  ~DemoWindow() override;

  // The host adapter of this window.
  ornasys::qt::HostWindow& Host() { return *host_; }
  // The action of a command.
  QAction* Action(Command command) const { return actions_.at(command); }
  // The top-level menu with the given title ("&Datei" ...), or null.
  QMenu* TopMenu(const QString& title) const;

 signals:
  // A command was chosen from a menu.
  void CommandChosen(quint32 command);

 private:
  QAction* Add(QMenu* menu, Command command, const QString& text, const QString& shortcut = {},
               const QKeySequence& keys = {});
  void BuildMenus();
  void Attach();
  void Detach();
  void Chosen(Command command, const QString& text);

  OrnamoLibrary* library_;
  std::unique_ptr<ornasys::qt::HostWindow> host_;
  QPlainTextEdit* log_ = nullptr;
  std::map<std::uint32_t, QAction*> actions_;
  QMenu* recent_ = nullptr;
  QMenu* turn_ = nullptr;
  QMenu* edit_ = nullptr;
  QMenu* view_ = nullptr;
  std::vector<OrsHandle> objects_;
  OrsHandle resources_ = 0;
  bool attached_ = false;
  bool renamed_ = false;
};

}  // namespace ornamo::demo
