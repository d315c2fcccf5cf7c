// The geometry of the skinned window frame, free of any toolkit: edge codes of resize drags and
// their cursors, the title-button layout, caption offsets, how a bar is composed from its pieces,
// the bottom bar's status panels with path shortening, and the rounded window outline.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace trimora::ui {

// Bits of an edge code: which window edges a resize drag moves.
enum EdgeCode : int {
  kEdgeNone = 0,
  kEdgeLeft = 1,
  kEdgeTop = 2,
  kEdgeRight = 4,
  kEdgeBottom = 8,
};

// The two bars of a frame: the title bar on top and the bottom bar.
enum class BarKind { Title, Bottom };

// The edge code of a press (or hover) at x, y on a bar of the given size; 0 when sizing is off.
int BarEdgeCode(BarKind kind, int x, int y, int width, int height, bool sizing);

// Pointer shapes of the frame.
enum class ResizeCursor {
  Default,
  Horizontal,    // left or right edge
  Vertical,      // top or bottom edge
  DiagonalMain,  // top-left or bottom-right corner
  DiagonalAnti,  // top-right or bottom-left corner
};

// The pointer shape for an edge code (the default cursor for 0 and for impossible codes).
ResizeCursor CursorForEdgeCode(int edgeCode);

// A window's outer bounds in screen coordinates.
struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Bounds&, const Bounds&) = default;
};

// The bounds after the pointer moved by dx, dy: a move for edge code 0, otherwise the coded
// edges follow the pointer. Width and height never fall below the minimum; an edge that would
// push them below stops there, so a left or top drag does not shift the window instead.
Bounds DragBounds(Bounds start, int edgeCode, int dx, int dy, int minWidth, int minHeight);

// The title buttons as a set of bits (TBorderButtonSet).
enum BorderButton : unsigned {
  bbMinimize = 1,
  bbMaximize = 2,
  bbClose = 4,
};
// All three title buttons.
inline constexpr unsigned kAllBorderButtons = bbMinimize | bbMaximize | bbClose;

// Where the title-button panel and its buttons go.
struct ButtonPanelLayout {
  bool visible = false;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 22;
  bool minimizeShown = false;
  bool maximizeShown = false;
  int closeX = 0;
  friend bool operator==(const ButtonPanelLayout&, const ButtonPanelLayout&) = default;
};

// Size of one title button and the x of the minimise and maximise buttons in the panel.
inline constexpr int kTitleButtonSize = 22;
inline constexpr int kMinimizeButtonX = 0;
inline constexpr int kMaximizeButtonX = 25;

// The top of the button panel for a title bar height: max(2, height - 25).
int ButtonPanelTop(int titleHeight);

// The layout of the visible title buttons on a frame of the given width.
ButtonPanelLayout LayoutTitleButtons(unsigned visibleButtons, bool frameShown, int frameWidth,
                                     int titleHeight);

// The caption x after the window icon changed: an empty icon lowers it to 10, an icon raises it
// to 40; an offset already on the right side of that bound stays.
int CaptionOffsetForIcon(int iconWidth, int titleXOffset);

// A rectangle by its left, top, width and height.
struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// Where the left, middle and right piece are stretched when a bar's background is composed.
struct BarPieceRects {
  Rect left;
  Rect middle;
  Rect right;
};

// The target rectangles of the three pieces on a bar of the given size: the middle piece covers
// the last two columns of the left piece and the right piece is drawn 2 pixels wider.
BarPieceRects ComposeBarPieces(int barWidth, int barHeight, int leftWidth, int rightWidth);

// How a status panel aligns its text.
enum class PanelAlignment { Left, Right, Center };

// One panel of the bottom bar; a width of -1 fills what the fixed panels leave.
struct StatusPanel {
  std::string text;
  int width = 50;
  PanelAlignment alignment = PanelAlignment::Left;
};

// Where one status panel's text is drawn: clipped to x .. x + width - 1.
struct PanelPlacement {
  int x = 0;
  int width = 0;
  int textX = 0;
  std::string text;
};

// Measures the drawn width of a UTF-8 text in pixels.
using TextWidthFunction = std::function<int(std::string_view)>;

// The sum of the widths of all panels whose width is not negative.
int FixedPanelWidthSum(const std::vector<StatusPanel>& panels);

// The width that a filling panel gets on a bar.
int FillingPanelWidth(int barWidth, int captionX, int fixedWidthSum);

// A path that is too wide loses its middle: "..." goes before the last separator and characters
// before it are removed one at a time until the text fits or none are left. Texts without a
// separator ("\" or "/") come back unchanged (they are clipped when drawn).
std::string ShortenPathToFit(const std::string& text, int width, const TextWidthFunction& measure);

// The places of the status panels on a bar of the given width, texts shortened as needed.
std::vector<PanelPlacement> LayoutStatusPanels(const std::vector<StatusPanel>& panels, int barWidth,
                                               int captionX, const TextWidthFunction& measure);

// The top of the bottom bar's text: (height - 2 x font size) div 2 - 1, the size in points.
int BottomTextTop(int barHeight, int fontPointSize);

// The window outline as rectangles that together make the window region: a rounded rectangle
// with 20 x 20 corner ellipses, with square bottom corners when the bottom bar is hidden.
std::vector<Rect> WindowShapeRects(int width, int height, bool roundBottomCorners);

}  // namespace trimora::ui
