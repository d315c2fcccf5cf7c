// TTextMemo: a read-only text field for long texts of many short lines (the EXIF/IPTC window's
// "Memo"). It keeps the lines as they are and draws only those in view, so that a new text is
// in place at once however long it is: no word wrap, a vertical scroll bar, lines longer than
// the field are cut at its right edge. The text can be selected with the pointer (Ctrl+A
// selects all) and copied (Ctrl+C, or "Kopieren" of its context menu).
#pragma once

#include <QAbstractScrollArea>
#include <QStringList>
#include <utility>
#include <vector>

namespace trimora::ui {

// The read-only text field.
class TTextMemo : public QAbstractScrollArea {
  Q_OBJECT
 public:
  // An empty field inside `parent`.
  explicit TTextMemo(QWidget* parent);

  // Replaces the text (lines ending in "\n" or "\r\n"), drops the selection and shows the first
  // line.
  void SetText(const QString& text);
  // The text, its lines joined by "\n".
  QString Text() const;
  // The selected text, lines joined by "\n"; empty without a selection.
  QString SelectedText() const;
  // Selects the whole text.
  void SelectAll();
  // Copies the selected text to the clipboard (nothing without a selection).
  void Copy() const;
  // The index of the first line in view.
  int FirstVisibleLine() const;
  // The height of one line in pixels.
  int LineHeight() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // A place in the text: line and character index.
  struct Place {
    int line = 0;
    int column = 0;
    bool operator==(const Place&) const = default;
    bool operator<(const Place& o) const {
      return line < o.line || (line == o.line && column < o.column);
    }
  };

  Place PlaceAt(const QPoint& point) const;
  void UpdateScrollRange();
  int LineCount() const { return static_cast<int>(lines_.size()); }
  // Line i, without its line break.
  QString Line(int i) const;

  // The text as given and where each line lies in it (start, length): a new text is in place
  // without a string per line.
  QString text_;
  std::vector<std::pair<int, int>> lines_;
  Place anchor_;
  Place cursor_;
};

}  // namespace trimora::ui
