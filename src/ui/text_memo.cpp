#include "ui/text_memo.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace trimora::ui {

namespace {

// The text's distance from the field's left and top edge.
constexpr int kLeft = 2;
constexpr int kTop = 1;

}  // namespace

TTextMemo::TTextMemo(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setBackgroundRole(QPalette::Base);
  verticalScrollBar()->setSingleStep(1);
}

void TTextMemo::SetText(const QString& text) {
  text_ = text;
  lines_.clear();
  const int size = static_cast<int>(text_.size());
  int start = 0;
  while (start <= size) {
    int end = static_cast<int>(text_.indexOf(QLatin1Char('\n'), start));
    if (end < 0) end = size;
    const int length = end - start - (end > start && text_[end - 1] == QLatin1Char('\r') ? 1 : 0);
    lines_.emplace_back(start, length);
    start = end + 1;
  }
  // A closing line break ends the last line; it starts no line of its own.
  if (lines_.size() > 1 && lines_.back().second == 0) lines_.pop_back();
  anchor_ = cursor_ = Place();
  UpdateScrollRange();
  verticalScrollBar()->setValue(0);
  viewport()->update();
}

QString TTextMemo::Line(int i) const {
  const auto [start, length] = lines_[static_cast<std::size_t>(i)];
  return text_.mid(start, length);
}

QString TTextMemo::Text() const {
  QString joined;
  joined.reserve(text_.size());
  for (int i = 0; i < LineCount(); ++i) {
    if (i > 0) joined += QLatin1Char('\n');
    const auto [start, length] = lines_[static_cast<std::size_t>(i)];
    joined += QStringView(text_).mid(start, length);
  }
  return joined;
}

int TTextMemo::LineHeight() const { return std::max(1, fontMetrics().lineSpacing()); }

int TTextMemo::FirstVisibleLine() const { return verticalScrollBar()->value(); }

void TTextMemo::UpdateScrollRange() {
  const int visible = std::max(1, (viewport()->height() - kTop) / LineHeight());
  QScrollBar* bar = verticalScrollBar();
  bar->setPageStep(visible);
  bar->setRange(0, std::max(0, LineCount() - visible));
}

QString TTextMemo::SelectedText() const {
  const Place from = std::min(anchor_, cursor_), to = std::max(anchor_, cursor_);
  if (from == to || lines_.empty()) return {};
  QStringList parts;
  for (int i = from.line; i <= to.line && i < LineCount(); ++i) {
    const QString line = Line(i);
    const int a = i == from.line ? from.column : 0;
    const int b = i == to.line ? to.column : static_cast<int>(line.size());
    parts << line.mid(a, b - a);
  }
  return parts.join(QLatin1Char('\n'));
}

void TTextMemo::SelectAll() {
  if (lines_.empty()) return;
  anchor_ = Place();
  cursor_ = {LineCount() - 1, lines_.back().second};
  viewport()->update();
}

void TTextMemo::Copy() const {
  const QString selected = SelectedText();
  if (!selected.isEmpty()) QApplication::clipboard()->setText(selected);
}

TTextMemo::Place TTextMemo::PlaceAt(const QPoint& point) const {
  if (lines_.empty()) return {};
  const int line =
      std::clamp(FirstVisibleLine() + (point.y() - kTop) / LineHeight(), 0, LineCount() - 1);
  const QString text = Line(line);
  const QFontMetrics metrics = fontMetrics();
  const int x = point.x() - kLeft;
  // The character boundary nearest to x.
  int low = 0, high = static_cast<int>(text.size());
  while (low < high) {
    const int middle = (low + high + 1) / 2;
    if (metrics.horizontalAdvance(text, middle) <= x) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  if (low < text.size()) {
    const int left = metrics.horizontalAdvance(text, low);
    const int right = metrics.horizontalAdvance(text, low + 1);
    if (x - left > right - x) ++low;
  }
  return {line, low};
}

void TTextMemo::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  const QPalette& colors = palette();
  painter.fillRect(viewport()->rect(), colors.color(QPalette::Base));
  const QFontMetrics metrics = fontMetrics();
  const int height = LineHeight();
  const Place from = std::min(anchor_, cursor_), to = std::max(anchor_, cursor_);
  const bool selection = !(from == to);
  const int first = FirstVisibleLine();
  const int last = std::min(LineCount() - 1, first + viewport()->height() / height + 1);
  for (int i = first; i <= last; ++i) {
    const QString line = Line(i);
    const int top = kTop + (i - first) * height;
    const int baseline = top + metrics.ascent();
    if (!selection || i < from.line || i > to.line) {
      painter.setPen(colors.color(QPalette::Text));
      painter.drawText(kLeft, baseline, line);
      continue;
    }
    // The line in three parts: before, inside and after the selection.
    const int a = i == from.line ? from.column : 0;
    const int b = i == to.line ? to.column : static_cast<int>(line.size());
    const int xa = kLeft + metrics.horizontalAdvance(line, a);
    const int xb = kLeft + metrics.horizontalAdvance(line, b);
    // A selected line break shows as a little more highlight after the line.
    const int extra = i < to.line ? metrics.averageCharWidth() / 2 : 0;
    painter.fillRect(QRect(xa, top, xb - xa + extra, height), colors.color(QPalette::Highlight));
    painter.setPen(colors.color(QPalette::Text));
    painter.drawText(kLeft, baseline, line.left(a));
    painter.drawText(xb, baseline, line.mid(b));
    painter.setPen(colors.color(QPalette::HighlightedText));
    painter.drawText(xa, baseline, line.mid(a, b - a));
  }
}

void TTextMemo::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollRange();
}

void TTextMemo::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) UpdateScrollRange();
}

void TTextMemo::keyPressEvent(QKeyEvent* event) {
  QScrollBar* bar = verticalScrollBar();
  if (event->matches(QKeySequence::Copy)) {
    Copy();
  } else if (event->matches(QKeySequence::SelectAll)) {
    SelectAll();
  } else if (event->key() == Qt::Key_Home) {
    bar->setValue(bar->minimum());
  } else if (event->key() == Qt::Key_End) {
    bar->setValue(bar->maximum());
  } else {
    QAbstractScrollArea::keyPressEvent(event);
  }
}

void TTextMemo::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
  const Place place = PlaceAt(event->position().toPoint());
  cursor_ = place;
  if (!(event->modifiers() & Qt::ShiftModifier)) anchor_ = place;
  viewport()->update();
}

void TTextMemo::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  const QPoint at = event->position().toPoint();
  // Dragging beyond the top or bottom edge scrolls on.
  QScrollBar* bar = verticalScrollBar();
  if (at.y() < 0) bar->setValue(bar->value() - 1);
  if (at.y() > viewport()->height()) bar->setValue(bar->value() + 1);
  cursor_ = PlaceAt(at);
  viewport()->update();
}

void TTextMemo::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  QAction* copy = menu.addAction(QStringLiteral("&Kopieren\tStrg+C"), this, &TTextMemo::Copy);
  copy->setEnabled(!SelectedText().isEmpty());
  menu.addSeparator();
  menu.addAction(QStringLiteral("Alles &markieren\tStrg+A"), this, &TTextMemo::SelectAll);
  menu.exec(event->globalPos());
}

}  // namespace trimora::ui
