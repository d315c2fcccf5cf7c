// The skinned window frame: a bitmap title bar with a shadowed caption and its own title
// buttons, thin coloured side edges, a bitmap bottom bar that can hold status panels, an optional
// window icon, rounded window corners, and moving and resizing through bars and edges. It shows
// an active and an inactive look that follow the application's activation and MarkActive /
// MarkInactive.
#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <array>
#include <vector>

#include "ui/frame_geometry.h"

class QLabel;

namespace trimora::ui {

class TtfXPForm;
class TXPTitleButton;
class TXPPanel;

// The Qt pointer shape of a frame cursor.
Qt::CursorShape CursorShapeFor(ResizeCursor cursor);

// The drag state of a bar or an edge: where the press was, which edges move, or a move.
struct FrameDrag {
  QPoint last;  // pointer position in screen coordinates
  int edgeCode = kEdgeNone;
  bool moving = false;
  bool pressed = false;
};

// A bar of the frame: the title bar on top or the bottom bar.
class TXPTitle : public QWidget {
  Q_OBJECT
 public:
  // A bar of `kind` on `frame`.
  TXPTitle(BarKind kind, TtfXPForm* frame);

  // Which bar this is.
  BarKind Kind() const { return kind_; }
  // The caption of the title bar, or the text of a bottom bar without panels; repaints.
  void SetTitleText(const QString& text);
  // The caption or text.
  QString TitleText() const { return text_; }
  // The caption's place (defaults 8 and 7); repaints.
  void SetCaptionX(int x);
  void SetCaptionY(int y);
  // The caption's place.
  int CaptionX() const { return captionX_; }
  int CaptionY() const { return captionY_; }
  // The font and the colour of the text; repaints.
  void SetTextFont(const QFont& font);
  void SetTextColor(const QColor& color);
  // The font of the text.
  QFont TextFont() const { return font_; }
  // The colour of the text.
  QColor TextColor() const { return textColor_; }

  // Loads the left, middle and right piece by resource name and composes the background.
  void LoadPieces(const QString& left, const QString& middle, const QString& right);
  // The resource names of the pieces last loaded.
  const std::array<QString, 3>& PieceNames() const { return pieceNames_; }
  // The composed background of the bar's size.
  const QPixmap& Background() const { return background_; }

  // Copies the status panels and recomputes the sum of the fixed widths.
  void SetStatusPanels(const std::vector<StatusPanel>& panels);
  // The status panels.
  const std::vector<StatusPanel>& StatusPanels() const { return panels_; }
  // The sum of the widths of the panels whose width is not negative.
  int FixedWidthSum() const { return fixedWidthSum_; }
  // Sets one panel's text (ignored for an index out of range) and repaints.
  void SetPanelText(int index, const QString& text);
  // Where the panels' texts are drawn at the bar's current width.
  std::vector<PanelPlacement> PanelPlacements() const;
  // The top of the bottom bar's text for the current font.
  int TextTop() const;

  // Whether presses near the edges resize (copy of the frame's `Sizeable`).
  void SetSizing(bool sizing) { sizing_ = sizing; }
  // Whether presses near the edges resize.
  bool Sizing() const { return sizing_; }
  // Whether a double-click maximises or restores (title bar: copy of the maximise button).
  void SetMaximizeEnabled(bool enabled) { maximizeEnabled_ = enabled; }
  // Whether a double-click maximises or restores.
  bool MaximizeEnabled() const { return maximizeEnabled_; }
  // The drag state.
  const FrameDrag& Drag() const { return drag_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void Compose();
  int EdgeCodeAt(const QPoint& pos) const;

  TtfXPForm* frame_;
  BarKind kind_;
  QString text_;
  int captionX_ = 8;
  int captionY_ = 7;
  QFont font_;
  QColor textColor_ = Qt::white;
  std::array<QString, 3> pieceNames_;
  std::array<QPixmap, 3> pieces_;
  QPixmap background_;
  std::vector<StatusPanel> panels_;
  int fixedWidthSum_ = 0;
  bool sizing_ = true;
  bool maximizeEnabled_ = true;
  FrameDrag drag_;
};

// A side edge of the frame: kind 0 is the left edge, 1 the right edge.
class TXPSidePanel : public QWidget {
  Q_OBJECT
 public:
  // The edge of `kind` on `frame`.
  TXPSidePanel(int kind, TtfXPForm* frame);
  // 0 left edge, 1 right edge.
  int Kind() const { return kind_; }
  // Whether dragging the edge resizes the window.
  void SetSizing(bool sizing);
  // Whether dragging the edge resizes the window.
  bool Sizing() const { return sizing_; }
  // The drag state.
  const FrameDrag& Drag() const { return drag_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TtfXPForm* frame_;
  int kind_;
  bool sizing_ = true;
  FrameDrag drag_;
};

// The skinned frame of one borderless top-level window. It fills the window; the window's
// content panel (see SetContentPanel) is kept inside the bars and edges.
class TtfXPForm : public QWidget {
  Q_OBJECT
 public:
  // Window message numbers, posted to the frame as events of these types.
  static constexpr int kMaximizeMessage = 27967;  // hex 6D3F
  static constexpr int kRestoreMessage = 27968;   // hex 6D40

  // Places a frame on `window` (a top-level widget), which loses its system border.
  explicit TtfXPForm(QWidget* window);
  ~TtfXPForm() override;

  // Caption of the title bar; repaints and gives the window the system caption "  " + caption.
  QString TitleCaption() const;
  void SetTitleCaption(const QString& caption);
  // Font of the title bar (default Tahoma 10 points, bold) and its colour in the active look.
  QFont TitleFont() const;
  void SetTitleFont(const QFont& font);
  QColor TitleFontColor() const { return titleFontColor_; }
  void SetTitleFontColor(const QColor& color);
  // Height of the title bar (default 32).
  int TitleHeight() const { return titleHeight_; }
  void SetTitleHeight(int height);
  // The caption's x (default 13) and y (default 7).
  int TitleXOffset() const;
  void SetTitleXOffset(int x);
  int TitleYOffset() const;
  void SetTitleYOffset(int y);
  // Text of the bottom bar when it has no status panels.
  QString BottomTitleCaption() const;
  void SetBottomTitleCaption(const QString& caption);
  // Font of the bottom bar (default MS Sans Serif 8 points, bold, white).
  QFont BottomTitleFont() const;
  void SetBottomTitleFont(const QFont& font);
  // Height of the bottom bar (default 20).
  int BottomTitleHeight() const { return bottomTitleHeight_; }
  void SetBottomTitleHeight(int height);
  // The x of the bottom bar's text and first panel (default 8).
  int BottomTitleXOffset() const;
  void SetBottomTitleXOffset(int x);
  // Whether the bottom bar is shown (default true); changes the window shape.
  bool BottomBarEnabled() const { return bottomBarEnabled_; }
  void SetBottomBarEnabled(bool enabled);
  // Background of the frame panel (the system info-background colour at creation).
  QColor Color() const { return color_; }
  void SetColor(const QColor& color);
  // Whether the edges resize the window (default true); also enables the maximise button.
  bool Sizeable() const { return sizeable_; }
  void SetSizeable(bool sizeable);
  // Which title buttons are shown (a set of BorderButton bits, default all).
  unsigned VisibleButtons() const { return visibleButtons_; }
  void SetVisibleButtons(unsigned buttons);
  // Which title buttons react (default all).
  unsigned EnabledButtons() const { return enabledButtons_; }
  void SetEnabledButtons(unsigned buttons);
  // The window icon of the active look; an icon moves the caption right to make room.
  QPixmap EnabledIcon() const { return enabledIcon_; }
  void SetEnabledIcon(const QPixmap& icon);
  // The window icon of the inactive look.
  QPixmap DisabledIcon() const { return disabledIcon_; }
  void SetDisabledIcon(const QPixmap& icon);
  // The frame's own active flag (true at creation).
  bool Active() const { return active_; }
  // The status panels of the bottom bar.
  std::vector<StatusPanel> BottomBarStatusPanels() const { return panels_; }
  void SetBottomBarStatusPanels(const std::vector<StatusPanel>& panels);

  // Shows the frame active or inactive (a modal dialog of the window is open).
  void MarkActive();
  void MarkInactive();
  // Sets the text of one status panel and repaints the bottom bar.
  void SetStatusPanelText(int index, const QString& text);
  // Hides the whole frame for the Standard skin: bars, edges, buttons and icon go, the window
  // caption becomes two blanks and the title, and the window loses its rounded shape.
  void HideFrame();
  // True after HideFrame.
  bool FrameHidden() const { return hidden_; }
  // True when the frame shows its active look: the application is active and so is the frame.
  bool LookActive() const;

  // The window's content panel, kept in the area inside bars and edges.
  void SetContentPanel(QWidget* panel);
  QWidget* ContentPanel() const { return content_; }
  // The area inside bars and edges, in window coordinates.
  QRect ClientRect() const;
  // The window the frame decorates.
  QWidget* DecoratedWindow() const { return window_; }

  // The parts of the frame.
  TXPTitle* TitleBar() const { return title_; }
  TXPTitle* BottomBar() const { return bottom_; }
  TXPSidePanel* LeftEdge() const { return leftEdge_; }
  TXPSidePanel* RightEdge() const { return rightEdge_; }
  QWidget* ButtonPanel() const { return buttonPanel_; }
  TXPTitleButton* MinimizeButton() const { return minimizeButton_; }
  TXPTitleButton* MaximizeButton() const { return maximizeButton_; }
  TXPTitleButton* CloseButton() const { return closeButton_; }
  QWidget* IconPanel() const { return iconPanel_; }
  QLabel* IconImage() const { return iconImage_; }

  // The smallest size that dragging an edge leaves the window.
  QSize MinimumDragSize() const;
  // Moves the window to new bounds during a drag and repaints it.
  void ApplyDragBounds(const Bounds& bounds);
  // Refreshes the look after a change of activation or of the enabled buttons.
  void RefreshLook();

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void FindOrCreateControls();
  void LayOutParts();
  void ApplyVisibleButtons();
  void UpdateWindowShape();
  void UpdateMaximizePicture();
  void SetButtonPicture(TXPTitleButton* button, const QString& name, bool useDisabled);
  void MinimizeClick();
  void MaximizeClick();
  void CloseClick();

  QWidget* window_;
  TXPTitle* title_ = nullptr;
  TXPTitle* bottom_ = nullptr;
  TXPSidePanel* leftEdge_ = nullptr;
  TXPSidePanel* rightEdge_ = nullptr;
  QWidget* buttonPanel_ = nullptr;
  TXPTitleButton* minimizeButton_ = nullptr;
  TXPTitleButton* maximizeButton_ = nullptr;
  TXPTitleButton* closeButton_ = nullptr;
  QWidget* iconPanel_ = nullptr;
  QLabel* iconImage_ = nullptr;
  QWidget* content_ = nullptr;

  QColor titleFontColor_ = Qt::white;
  int titleHeight_ = 32;
  int bottomTitleHeight_ = 20;
  bool bottomBarEnabled_ = true;
  QColor color_;
  bool sizeable_ = true;
  unsigned visibleButtons_ = kAllBorderButtons;
  unsigned enabledButtons_ = kAllBorderButtons;
  QPixmap enabledIcon_;
  QPixmap disabledIcon_;
  bool active_ = true;
  bool hidden_ = false;
  std::vector<StatusPanel> panels_;
  Qt::WindowStates lastState_ = Qt::WindowNoState;
};

}  // namespace trimora::ui
