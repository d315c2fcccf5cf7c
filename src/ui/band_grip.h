// The grip at the left end of a tool bar band: dragging it moves the band.
#pragma once

#include <QPoint>
#include <QWidget>
#include <functional>

namespace trimora::ui {

class TBandGrip : public QWidget {
 public:
  explicit TBandGrip(QWidget* parent);
  // `moved` gets every pointer move while the grip is held (by how much it moved); `released`
  // runs when the mouse button is let go.
  void SetHandlers(std::function<void(QPoint)> moved, std::function<void()> released);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::function<void(QPoint)> moved_;
  std::function<void()> released_;
  QPoint last_;
  bool held_ = false;
};

}  // namespace trimora::ui
