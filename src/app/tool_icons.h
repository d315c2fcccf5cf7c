// The pictures of the main window's tool buttons, menu items and strip buttons, drawn with
// QPainter at any size (24 pixels for the tool bars, 16 for menus and the magnifier).
#pragma once
#include <QIcon>

namespace trimora::app {

// What a picture shows.
enum class ToolIcon {
  OpenFolder,
  Save,
  RedEye,
  Correct,
  Enlarge,
  RotateRight,
  RotateLeft,
  FullScreen,
  Format,
  First,
  Previous,
  Next,
  Last,
  ZoomIn,
  ZoomOut,
  ZoomPause,
  Delete,
  Rename,
  Append
};

// The picture `kind` at `size` pixels, with a paler disabled look.
QIcon MakeToolIcon(ToolIcon kind, int size);

}  // namespace trimora::app
