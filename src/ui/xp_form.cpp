#include "ui/xp_form.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

#include <cstdlib>

#include "ui/kit_style.h"
#include "ui/xp_controls.h"

namespace trimora::ui {

Qt::CursorShape CursorShapeFor(ResizeCursor cursor) {
  switch (cursor) {
    case ResizeCursor::Horizontal:
      return Qt::SizeHorCursor;
    case ResizeCursor::Vertical:
      return Qt::SizeVerCursor;
    case ResizeCursor::DiagonalMain:
      return Qt::SizeFDiagCursor;
    case ResizeCursor::DiagonalAnti:
      return Qt::SizeBDiagCursor;
    case ResizeCursor::Default:
      break;
  }
  return Qt::ArrowCursor;
}

namespace {

void ShowEdgeCursor(QWidget* widget, int edgeCode) {
  const Qt::CursorShape shape = CursorShapeFor(CursorForEdgeCode(edgeCode));
  if (shape == Qt::ArrowCursor)
    widget->unsetCursor();
  else
    widget->setCursor(shape);
}

Bounds BoundsOf(const QWidget* window) {
  const QRect g = window->geometry();
  return {g.x(), g.y(), g.width(), g.height()};
}

QString PieceName(const char* stem, bool active) {
  return QString::fromLatin1(stem) + (active ? QStringLiteral("_BMP") : QStringLiteral("_DIS_BMP"));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TXPTitle

TXPTitle::TXPTitle(BarKind kind, TtfXPForm* frame) : QWidget(frame), frame_(frame), kind_(kind) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setObjectName(kind == BarKind::Title ? QStringLiteral("XPTitle")
                                       : QStringLiteral("XPBottomTitle"));
}

void TXPTitle::SetTitleText(const QString& text) {
  text_ = text;
  update();
}

void TXPTitle::SetCaptionX(int x) {
  captionX_ = x;
  update();
}

void TXPTitle::SetCaptionY(int y) {
  captionY_ = y;
  update();
}

void TXPTitle::SetTextFont(const QFont& font) {
  font_ = font;
  update();
}

void TXPTitle::SetTextColor(const QColor& color) {
  textColor_ = color;
  update();
}

void TXPTitle::LoadPieces(const QString& left, const QString& middle, const QString& right) {
  const std::array<QString, 3> names{left, middle, right};
  if (names == pieceNames_ && !background_.isNull()) return;
  pieceNames_ = names;
  for (std::size_t i = 0; i < names.size(); ++i) pieces_[i] = SkinPixmap(names[i]);
  Compose();
  update();
}

void TXPTitle::Compose() {
  if (width() <= 0 || height() <= 0 || pieces_[0].isNull()) {
    background_ = QPixmap();
    return;
  }
  background_ = QPixmap(size());
  background_.fill(Qt::black);
  QPainter g(&background_);
  g.setRenderHint(QPainter::SmoothPixmapTransform, false);
  const BarPieceRects r =
      ComposeBarPieces(width(), height(), pieces_[0].width(), pieces_[2].width());
  auto to = [](const Rect& rect) { return QRect(rect.x, rect.y, rect.width, rect.height); };
  g.drawPixmap(to(r.left), pieces_[0]);
  g.drawPixmap(to(r.right), pieces_[2]);
  g.drawPixmap(to(r.middle), pieces_[1]);
}

void TXPTitle::resizeEvent(QResizeEvent*) { Compose(); }

void TXPTitle::SetStatusPanels(const std::vector<StatusPanel>& panels) {
  panels_ = panels;
  fixedWidthSum_ = FixedPanelWidthSum(panels_);
  update();
}

void TXPTitle::SetPanelText(int index, const QString& text) {
  if (index < 0 || index >= static_cast<int>(panels_.size())) return;
  panels_[static_cast<std::size_t>(index)].text = ToUtf8(text);
  update();
}

std::vector<PanelPlacement> TXPTitle::PanelPlacements() const {
  const QFontMetrics metrics(font_);
  return LayoutStatusPanels(panels_, width(), captionX_, [&metrics](std::string_view text) {
    return metrics.horizontalAdvance(ToQString(text));
  });
}

int TXPTitle::TextTop() const { return BottomTextTop(height(), FontPointSize(font_)); }

void TXPTitle::paintEvent(QPaintEvent*) {
  QPainter g(this);
  if (background_.isNull())
    g.fillRect(rect(), frame_->LookActive() ? colors::ActiveBar() : colors::InactiveBar());
  else
    g.drawPixmap(0, 0, background_);
  g.setFont(font_);
  constexpr int kFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
  if (kind_ == BarKind::Title) {
    g.setPen(Qt::black);
    g.drawText(QRect(captionX_ + 2, captionY_ + 2, width(), height()), kFlags, text_);
    g.setPen(textColor_);
    g.drawText(QRect(captionX_, captionY_, width(), height()), kFlags, text_);
    return;
  }
  g.setPen(textColor_);
  const int top = TextTop();
  if (panels_.empty()) {
    g.drawText(QRect(captionX_, top, width(), height()), kFlags, text_);
    return;
  }
  const int bottom = top + 2 * FontPointSize(font_);
  for (const PanelPlacement& place : PanelPlacements()) {
    const QRect clip(place.x, top, place.width - 1, bottom - top);
    if (clip.width() <= 0) continue;
    g.save();
    g.setClipRect(clip);
    g.drawText(QRect(place.textX, top, width(), bottom - top), kFlags, ToQString(place.text));
    g.restore();
  }
}

int TXPTitle::EdgeCodeAt(const QPoint& pos) const {
  return BarEdgeCode(kind_, pos.x(), pos.y(), width(), height(), sizing_);
}

void TXPTitle::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  drag_ = FrameDrag{};
  drag_.last = event->globalPosition().toPoint();
  drag_.pressed = true;
  QWidget* window = frame_->DecoratedWindow();
  if (window->isMaximized()) return;
  drag_.edgeCode = EdgeCodeAt(event->position().toPoint());
  drag_.moving = drag_.edgeCode == kEdgeNone && kind_ == BarKind::Title;
  ShowEdgeCursor(this, drag_.edgeCode);
}

void TXPTitle::mouseMoveEvent(QMouseEvent* event) {
  QWidget* window = frame_->DecoratedWindow();
  if (window->isMaximized()) {
    unsetCursor();
    return;
  }
  const QPoint now = event->globalPosition().toPoint();
  if (drag_.pressed && (drag_.moving || drag_.edgeCode != kEdgeNone)) {
    const QPoint d = now - drag_.last;
    if (d.isNull()) return;
    const QSize minimum = frame_->MinimumDragSize();
    frame_->ApplyDragBounds(DragBounds(BoundsOf(window), drag_.moving ? kEdgeNone : drag_.edgeCode,
                                       d.x(), d.y(), minimum.width(), minimum.height()));
    drag_.last = now;
    return;
  }
  if (sizing_ && !drag_.pressed) ShowEdgeCursor(this, EdgeCodeAt(event->position().toPoint()));
}

void TXPTitle::mouseReleaseEvent(QMouseEvent*) {
  unsetCursor();
  drag_ = FrameDrag{};
}

void TXPTitle::mouseDoubleClickEvent(QMouseEvent* event) {
  if (kind_ != BarKind::Title || event->button() != Qt::LeftButton || !maximizeEnabled_) return;
  const int message = frame_->DecoratedWindow()->isMaximized() ? TtfXPForm::kRestoreMessage
                                                               : TtfXPForm::kMaximizeMessage;
  QCoreApplication::postEvent(frame_, new QEvent(static_cast<QEvent::Type>(message)));
}

// ---------------------------------------------------------------------------------------------
// TXPSidePanel

TXPSidePanel::TXPSidePanel(int kind, TtfXPForm* frame)
    : QWidget(frame), frame_(frame), kind_(kind) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setObjectName(kind == 0 ? QStringLiteral("XPLeftEdge") : QStringLiteral("XPRightEdge"));
  SetSizing(true);
}

void TXPSidePanel::SetSizing(bool sizing) {
  sizing_ = sizing;
  if (sizing_)
    setCursor(Qt::SizeHorCursor);
  else
    unsetCursor();
}

void TXPSidePanel::paintEvent(QPaintEvent*) {
  QPainter g(this);
  const bool active = frame_->LookActive();
  g.fillRect(rect(), active ? colors::ActiveBar() : colors::InactiveBar());
  const QColor outerLeft = active ? QColor(0, 24, 206) : QColor(150, 157, 212);
  const QColor middle = active ? QColor(0, 48, 222) : QColor(150, 165, 217);
  const QColor inner = active ? QColor(32, 82, 255) : QColor(150, 167, 217);
  const int h = height();
  if (kind_ == 0) {
    g.fillRect(QRect(0, 0, 1, h), outerLeft);
    g.fillRect(QRect(1, 0, 1, h), middle);
    g.fillRect(QRect(2, 0, width() - 2, h), inner);
  } else {
    g.fillRect(QRect(0, 0, width() - 1, h), inner);
    g.fillRect(QRect(width() - 1, 0, 1, h), middle);
  }
}

void TXPSidePanel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  drag_ = FrameDrag{};
  if (!sizing_ || frame_->DecoratedWindow()->isMaximized()) return;
  drag_.pressed = true;
  drag_.last = event->globalPosition().toPoint();
  drag_.edgeCode = kind_ == 0 ? kEdgeLeft : kEdgeRight;
  setCursor(Qt::SizeHorCursor);
}

void TXPSidePanel::mouseMoveEvent(QMouseEvent* event) {
  QWidget* window = frame_->DecoratedWindow();
  if (!drag_.pressed || drag_.edgeCode == kEdgeNone || window->isMaximized()) return;
  const QPoint now = event->globalPosition().toPoint();
  const int dx = now.x() - drag_.last.x();
  if (dx == 0) return;
  const QSize minimum = frame_->MinimumDragSize();
  frame_->ApplyDragBounds(
      DragBounds(BoundsOf(window), drag_.edgeCode, dx, 0, minimum.width(), minimum.height()));
  drag_.last = now;
}

void TXPSidePanel::mouseReleaseEvent(QMouseEvent*) { drag_ = FrameDrag{}; }

// ---------------------------------------------------------------------------------------------
// TtfXPForm

TtfXPForm::TtfXPForm(QWidget* window) : QWidget(window), window_(window) {
  setObjectName(QStringLiteral("XPForm"));
  window_->setWindowFlag(Qt::FramelessWindowHint, true);
  setMouseTracking(true);

  // 1. Active, and the icons (set through their setters below).
  active_ = true;
  // 2. The whole client area, in the info-background colour.
  color_ = QApplication::palette().color(QPalette::ToolTipBase);
  // 3. and 4. The bars and the edges.
  title_ = new TXPTitle(BarKind::Title, this);
  title_->SetCaptionX(13);
  title_->SetTextFont(TitlePointFont(10, true));
  bottom_ = new TXPTitle(BarKind::Bottom, this);
  bottom_->SetTextFont(BottomBarPointFont(8, true));
  leftEdge_ = new TXPSidePanel(0, this);
  rightEdge_ = new TXPSidePanel(1, this);
  // 5. The title buttons and the icon panel.
  FindOrCreateControls();
  // 6. All buttons shown and enabled, sizeable.
  visibleButtons_ = kAllBorderButtons;
  SetSizeable(true);
  // 7. Follow the application's activation; every frame of the process does so.
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this] { RefreshLook(); });

  window_->installEventFilter(this);
  setGeometry(window_->rect());
  lower();
  LayOutParts();
  RefreshLook();
  UpdateWindowShape();
}

TtfXPForm::~TtfXPForm() = default;

void TtfXPForm::FindOrCreateControls() {
  auto find = [this](const char* name) {
    return window_->findChild<QWidget*>(QString::fromLatin1(name));
  };
  if (!find("XPFormButtonPanel")) {
    auto* panel = new TXPPanel(window_, colors::ButtonPanelActive(), false);
    panel->setObjectName(QStringLiteral("XPFormButtonPanel"));
    panel->setFocusPolicy(Qt::NoFocus);
    const char* names[] = {"XPFormMinimizeButton", "XPFormMaximizeButton", "XPFormCloseButton"};
    const int xs[] = {kMinimizeButtonX, kMaximizeButtonX, 50};
    for (int i = 0; i < 3; ++i) {
      auto* button = new TXPTitleButton(panel);
      button->setObjectName(QString::fromLatin1(names[i]));
      button->setGeometry(xs[i], 0, kTitleButtonSize, kTitleButtonSize);
    }
  }
  if (!find("XPFormIconPanel")) {
    auto* panel = new TXPPanel(window_, colors::IconPanelActive(), false);
    panel->setObjectName(QStringLiteral("XPFormIconPanel"));
    panel->setGeometry(13, 5, 24, 25);
    panel->hide();
    auto* image = new QLabel(panel);
    image->setObjectName(QStringLiteral("XPFormIconImage"));
    image->setGeometry(0, 0, 24, 25);
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }
  buttonPanel_ = find("XPFormButtonPanel");
  iconPanel_ = find("XPFormIconPanel");
  iconImage_ = window_->findChild<QLabel*>(QStringLiteral("XPFormIconImage"));
  minimizeButton_ = window_->findChild<TXPTitleButton*>(QStringLiteral("XPFormMinimizeButton"));
  maximizeButton_ = window_->findChild<TXPTitleButton*>(QStringLiteral("XPFormMaximizeButton"));
  closeButton_ = window_->findChild<TXPTitleButton*>(QStringLiteral("XPFormCloseButton"));
  if (!buttonPanel_ || !iconPanel_ || !iconImage_ || !minimizeButton_ || !maximizeButton_ ||
      !closeButton_) {
    // A window that brings controls of these names but of the wrong kinds cannot be framed.
    QMessageBox::critical(
        nullptr, QString(),
        QStringLiteral("Initialisierungsfehler\n\nDas Formular muss die folgenden Componenten "
                       "enthalten:\nXPFormIconPanel, XPFormIconImage, XPFormButtonPanel, "
                       "XPFormMinimizeButton, XPFormMaximizeButton und XPFormCloseButton"));
    std::exit(EXIT_FAILURE);
  }
  iconPanel_->stackUnder(this);
  connect(minimizeButton_, &QAbstractButton::clicked, this, &TtfXPForm::MinimizeClick);
  connect(maximizeButton_, &QAbstractButton::clicked, this, &TtfXPForm::MaximizeClick);
  connect(closeButton_, &QAbstractButton::clicked, this, &TtfXPForm::CloseClick);
}

QString TtfXPForm::TitleCaption() const { return title_->TitleText(); }

void TtfXPForm::SetTitleCaption(const QString& caption) {
  title_->SetTitleText(caption);
  // The system caption (task bar, window lists) is two blanks and the frame title.
  window_->setWindowTitle(QStringLiteral("  ") + caption);
}

QFont TtfXPForm::TitleFont() const { return title_->TextFont(); }

void TtfXPForm::SetTitleFont(const QFont& font) { title_->SetTextFont(font); }

void TtfXPForm::SetTitleFontColor(const QColor& color) {
  titleFontColor_ = color;
  RefreshLook();
}

void TtfXPForm::SetTitleHeight(int height) {
  titleHeight_ = height;
  LayOutParts();
  update();
}

int TtfXPForm::TitleXOffset() const { return title_->CaptionX(); }

void TtfXPForm::SetTitleXOffset(int x) { title_->SetCaptionX(x); }

int TtfXPForm::TitleYOffset() const { return title_->CaptionY(); }

void TtfXPForm::SetTitleYOffset(int y) {
  title_->SetCaptionY(y);
  LayOutParts();
}

QString TtfXPForm::BottomTitleCaption() const { return bottom_->TitleText(); }

void TtfXPForm::SetBottomTitleCaption(const QString& caption) { bottom_->SetTitleText(caption); }

QFont TtfXPForm::BottomTitleFont() const { return bottom_->TextFont(); }

void TtfXPForm::SetBottomTitleFont(const QFont& font) { bottom_->SetTextFont(font); }

void TtfXPForm::SetBottomTitleHeight(int height) {
  bottomTitleHeight_ = height;
  LayOutParts();
}

int TtfXPForm::BottomTitleXOffset() const { return bottom_->CaptionX(); }

void TtfXPForm::SetBottomTitleXOffset(int x) { bottom_->SetCaptionX(x); }

void TtfXPForm::SetBottomBarEnabled(bool enabled) {
  bottomBarEnabled_ = enabled;
  LayOutParts();
  UpdateWindowShape();
}

void TtfXPForm::SetColor(const QColor& color) {
  color_ = color;
  update();
}

void TtfXPForm::SetSizeable(bool sizeable) {
  sizeable_ = sizeable;
  title_->SetSizing(sizeable);
  bottom_->SetSizing(sizeable);
  leftEdge_->SetSizing(sizeable);
  rightEdge_->SetSizing(sizeable);
  SetEnabledButtons(sizeable ? enabledButtons_ | bbMaximize : enabledButtons_ & ~bbMaximize);
}

void TtfXPForm::SetVisibleButtons(unsigned buttons) {
  visibleButtons_ = buttons & kAllBorderButtons;
  ApplyVisibleButtons();
}

void TtfXPForm::SetEnabledButtons(unsigned buttons) {
  enabledButtons_ = buttons & kAllBorderButtons;
  minimizeButton_->setEnabled(enabledButtons_ & bbMinimize);
  maximizeButton_->setEnabled(enabledButtons_ & bbMaximize);
  closeButton_->setEnabled(enabledButtons_ & bbClose);
  title_->SetMaximizeEnabled(maximizeButton_->isEnabled());
  RefreshLook();
}

void TtfXPForm::SetEnabledIcon(const QPixmap& icon) {
  enabledIcon_ = icon;
  if (QGuiApplication::applicationState() == Qt::ApplicationActive && active_)
    iconImage_->setPixmap(enabledIcon_);
  if (enabledIcon_.width() <= 0) {
    iconPanel_->hide();
    iconPanel_->stackUnder(this);
  } else {
    iconPanel_->setVisible(!hidden_);
    iconPanel_->raise();
  }
  SetTitleXOffset(CaptionOffsetForIcon(enabledIcon_.width(), TitleXOffset()));
}

void TtfXPForm::SetDisabledIcon(const QPixmap& icon) {
  disabledIcon_ = icon;
  if (!LookActive()) iconImage_->setPixmap(disabledIcon_);
}

void TtfXPForm::SetBottomBarStatusPanels(const std::vector<StatusPanel>& panels) {
  panels_ = panels;
  bottom_->SetStatusPanels(panels_);
}

void TtfXPForm::MarkActive() {
  active_ = true;
  RefreshLook();
}

void TtfXPForm::MarkInactive() {
  active_ = false;
  RefreshLook();
}

void TtfXPForm::SetStatusPanelText(int index, const QString& text) {
  if (index < 0 || index >= static_cast<int>(panels_.size())) return;
  std::string& stored = panels_[static_cast<std::size_t>(index)].text;
  // The same text again paints nothing: an immediate repaint would also paint everything else
  // of the window that waits for its repaint, a second time.
  const std::string utf8 = ToUtf8(text);
  if (stored == utf8 && bottom_->StatusPanels().size() == panels_.size()) return;
  stored = utf8;
  bottom_->SetPanelText(index, text);
  bottom_->repaint();
}

void TtfXPForm::HideFrame() {
  hidden_ = true;
  hide();
  buttonPanel_->hide();
  iconPanel_->hide();
  title_->hide();
  bottom_->hide();
  leftEdge_->hide();
  rightEdge_->hide();
  window_->setWindowTitle(QStringLiteral("  ") + TitleCaption());
  UpdateWindowShape();
}

bool TtfXPForm::LookActive() const {
  return active_ && QGuiApplication::applicationState() == Qt::ApplicationActive;
}

void TtfXPForm::SetContentPanel(QWidget* panel) {
  content_ = panel;
  if (content_) {
    content_->raise();
    LayOutParts();
  }
}

QRect TtfXPForm::ClientRect() const {
  const int w = window_->width();
  const int h = window_->height();
  const int bottom = bottomBarEnabled_ ? bottomTitleHeight_ : 0;
  return QRect(3, titleHeight_, qMax(0, w - 6), qMax(0, h - titleHeight_ - bottom));
}

QSize TtfXPForm::MinimumDragSize() const {
  const int bottom = bottomBarEnabled_ ? bottomTitleHeight_ : 0;
  return QSize(qMax(window_->minimumWidth(), 120),
               qMax(window_->minimumHeight(), titleHeight_ + bottom + 10));
}

void TtfXPForm::ApplyDragBounds(const Bounds& bounds) {
  window_->setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
  window_->update();
}

void TtfXPForm::LayOutParts() {
  if (hidden_) return;
  const int w = window_->width();
  const int h = window_->height();
  setGeometry(0, 0, w, h);
  title_->setGeometry(0, 0, w, titleHeight_);
  const bool bottomShown = bottomBarEnabled_;
  bottom_->setVisible(bottomShown);
  const int bottomHeight = bottomShown ? bottomTitleHeight_ : 0;
  if (bottomShown) bottom_->setGeometry(0, h - bottomHeight, w, bottomHeight);
  const int edgeHeight = qMax(0, h - titleHeight_ - bottomHeight);
  leftEdge_->setGeometry(0, titleHeight_, 3, edgeHeight);
  rightEdge_->setGeometry(w - 3, titleHeight_, 3, edgeHeight);
  if (content_) content_->setGeometry(ClientRect());
  ApplyVisibleButtons();
}

void TtfXPForm::ApplyVisibleButtons() {
  const ButtonPanelLayout layout =
      LayoutTitleButtons(visibleButtons_, !hidden_, window_->width(), titleHeight_);
  if (!layout.visible) {
    buttonPanel_->hide();
    return;
  }
  buttonPanel_->setGeometry(layout.left, layout.top, layout.width, layout.height);
  minimizeButton_->setVisible(layout.minimizeShown);
  maximizeButton_->setVisible(layout.maximizeShown);
  closeButton_->move(layout.closeX, 0);
  buttonPanel_->show();
  buttonPanel_->raise();
}

void TtfXPForm::SetButtonPicture(TXPTitleButton* button, const QString& name, bool useDisabled) {
  const QString full = name + (useDisabled ? QStringLiteral("_DIS_BMP") : QStringLiteral("_BMP"));
  if (button->PictureName() != full) button->SetPicture(SkinPixmap(full), full);
}

void TtfXPForm::UpdateMaximizePicture() {
  const bool look = LookActive();
  const QString maximize =
      window_->isMaximized() ? QStringLiteral("RESTORE") : QStringLiteral("MAXIMIZE");
  SetButtonPicture(maximizeButton_, maximize, !look || !maximizeButton_->isEnabled());
}

void TtfXPForm::RefreshLook() {
  // 1. The bottom bar's panels follow the frame's collection.
  if (bottom_->StatusPanels().size() != panels_.size()) bottom_->SetStatusPanels(panels_);
  const bool look = LookActive();
  // 3. and 4. Button panel and icon panel.
  buttonPanel_->raise();
  iconPanel_->move(iconPanel_->x(), 5);
  iconPanel_->resize(24, 25);
  if (enabledIcon_.width() > 0) {
    iconPanel_->raise();
    iconPanel_->setVisible(!hidden_);
  }
  // 5. The pieces of the look.
  title_->LoadPieces(PieceName("TOP_LEFT", look), PieceName("TOP_MID", look),
                     PieceName("TOP_RIGHT", look));
  bottom_->LoadPieces(PieceName("BOTTOM_LEFT", look), PieceName("BOTTOM_MID", look),
                      PieceName("BOTTOM_RIGHT", look));
  // 6. The edges.
  leftEdge_->update();
  rightEdge_->update();
  // 7. Colours, button pictures and the icon.
  title_->SetTextColor(look ? titleFontColor_ : colors::InactiveTitleText());
  bottom_->SetTextColor(look ? titleFontColor_ : colors::InactiveTitleText());
  static_cast<TXPPanel*>(buttonPanel_)
      ->SetColor(look ? colors::ButtonPanelActive() : colors::ButtonPanelInactive());
  if (auto* iconPanel = qobject_cast<TXPPanel*>(iconPanel_))
    iconPanel->SetColor(look ? colors::IconPanelActive() : colors::IconPanelInactive());
  SetButtonPicture(minimizeButton_, QStringLiteral("MINIMIZE"),
                   !look || !minimizeButton_->isEnabled());
  SetButtonPicture(closeButton_, QStringLiteral("CLOSE"), !look || !closeButton_->isEnabled());
  UpdateMaximizePicture();
  iconImage_->setPixmap(look ? enabledIcon_ : disabledIcon_);
  // 8. The visible buttons. Bars, edges and panels repaint themselves above; the client area
  // between them keeps its picture.
  ApplyVisibleButtons();
}

void TtfXPForm::UpdateWindowShape() {
  if (hidden_) {
    window_->clearMask();
  } else {
    QRegion region;
    for (const Rect& r : WindowShapeRects(window_->width(), window_->height(), bottomBarEnabled_))
      region += QRect(r.x, r.y, r.width, r.height);
    window_->setMask(region);
  }
  const Qt::WindowStates state =
      window_->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
  if (state != lastState_) {
    lastState_ = state;
    UpdateMaximizePicture();
  }
  ApplyVisibleButtons();
}

bool TtfXPForm::event(QEvent* event) {
  if (event->type() == static_cast<QEvent::Type>(kMaximizeMessage)) {
    window_->showMaximized();
    return true;
  }
  if (event->type() == static_cast<QEvent::Type>(kRestoreMessage)) {
    window_->showNormal();
    return true;
  }
  return QWidget::event(event);
}

bool TtfXPForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == window_) {
    switch (event->type()) {
      case QEvent::Resize:
        LayOutParts();
        UpdateWindowShape();
        break;
      case QEvent::WindowStateChange:
        UpdateWindowShape();
        break;
      case QEvent::Show:
        RefreshLook();
        break;
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TtfXPForm::paintEvent(QPaintEvent*) {
  QPainter g(this);
  g.fillRect(rect(), color_);
}

void TtfXPForm::mouseMoveEvent(QMouseEvent* event) {
  // The frame panel itself never shows a resize cursor.
  if (cursor().shape() != Qt::ArrowCursor) unsetCursor();
  QWidget::mouseMoveEvent(event);
}

void TtfXPForm::MinimizeClick() {
  if (QWidget* focused = window_->focusWidget()) focused->clearFocus();
  // The whole application goes to the task bar: every shown top-level window.
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->isVisible() && top->isWindow()) top->showMinimized();
  }
}

void TtfXPForm::MaximizeClick() {
  if ((window_->windowState() & ~Qt::WindowActive) == Qt::WindowNoState)
    window_->showMaximized();
  else
    window_->showNormal();
}

void TtfXPForm::CloseClick() { window_->close(); }

}  // namespace trimora::ui
