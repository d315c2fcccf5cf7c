#include "app/tool_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace trimora::app {

namespace {

const QColor kInk(38, 64, 139);
const QColor kAccent(214, 126, 22);

void Arrowhead(QPainter& g, QPointF tip, QPointF from, double size) {
  QLineF line(tip, from);
  line.setLength(size);
  QLineF left = line, right = line;
  left.setAngle(line.angle() + 30);
  right.setAngle(line.angle() - 30);
  QPolygonF head{tip, left.p2(), right.p2()};
  g.setBrush(g.pen().color());
  g.drawPolygon(head);
  g.setBrush(Qt::NoBrush);
}

void Triangle(QPainter& g, double x, bool pointsRight) {
  QPolygonF t;
  if (pointsRight)
    t << QPointF(x, 5) << QPointF(x + 9, 12) << QPointF(x, 19);
  else
    t << QPointF(x + 9, 5) << QPointF(x, 12) << QPointF(x + 9, 19);
  g.setBrush(kInk);
  g.drawPolygon(t);
  g.setBrush(Qt::NoBrush);
}

void Magnifier(QPainter& g) {
  g.drawEllipse(QRectF(3, 3, 12, 12));
  QPen thick = g.pen();
  thick.setWidthF(3);
  g.setPen(thick);
  g.drawLine(QPointF(14, 14), QPointF(20, 20));
  thick.setWidthF(1.8);
  g.setPen(thick);
}

// Draws `kind` on a 24 x 24 canvas.
void Draw(QPainter& g, ToolIcon kind) {
  QPen pen(kInk, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  g.setPen(pen);
  switch (kind) {
    case ToolIcon::OpenFolder: {
      g.setBrush(QColor(246, 208, 110));
      g.drawPolygon(QPolygonF{{2, 6}, {9, 6}, {11, 8}, {20, 8}, {20, 19}, {2, 19}});
      g.setBrush(QColor(252, 228, 150));
      g.drawPolygon(QPolygonF{{5, 11}, {22, 11}, {19, 19}, {2, 19}});
      break;
    }
    case ToolIcon::Save: {
      g.setBrush(QColor(120, 150, 220));
      g.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
      g.setBrush(Qt::white);
      g.drawRect(QRectF(7, 3, 10, 6));
      g.setBrush(QColor(230, 235, 250));
      g.drawRect(QRectF(6, 13, 12, 8));
      break;
    }
    case ToolIcon::RedEye: {
      QPainterPath eye;
      eye.moveTo(2, 12);
      eye.quadTo(12, 2, 22, 12);
      eye.quadTo(12, 22, 2, 12);
      g.setBrush(Qt::white);
      g.drawPath(eye);
      g.setBrush(QColor(210, 30, 30));
      g.drawEllipse(QRectF(8, 8, 8, 8));
      g.setBrush(Qt::black);
      g.setPen(Qt::NoPen);
      g.drawEllipse(QRectF(10.5, 10.5, 3, 3));
      break;
    }
    case ToolIcon::Correct: {
      g.drawLine(QPointF(4, 20), QPointF(15, 9));
      g.setPen(QPen(kAccent, 1.8, Qt::SolidLine, Qt::RoundCap));
      for (auto [x, y, dx, dy] : {std::array<double, 4>{18, 6, 0, -3},
                                  {18, 6, 3, 0},
                                  {18, 6, 2, 2},
                                  {18, 6, -2, -2},
                                  {18, 6, 2, -2}}) {
        g.drawLine(QPointF(x, y), QPointF(x + dx, y + dy));
      }
      break;
    }
    case ToolIcon::Enlarge: {
      g.setBrush(QColor(230, 235, 250));
      g.drawRect(QRectF(8, 6, 8, 12));
      g.setBrush(Qt::NoBrush);
      g.drawLine(QPointF(2, 12), QPointF(6, 12));
      g.drawLine(QPointF(18, 12), QPointF(22, 12));
      Arrowhead(g, QPointF(1.5, 12), QPointF(6, 12), 4);
      Arrowhead(g, QPointF(22.5, 12), QPointF(18, 12), 4);
      break;
    }
    case ToolIcon::RotateRight:
    case ToolIcon::RotateLeft: {
      const bool right = kind == ToolIcon::RotateRight;
      QPainterPath arc;
      arc.arcMoveTo(QRectF(4, 4, 16, 16), right ? 180 : 0);
      arc.arcTo(QRectF(4, 4, 16, 16), right ? 180 : 0, right ? -250 : 250);
      g.drawPath(arc);
      const QPointF end = arc.currentPosition();
      Arrowhead(g, end + QPointF(right ? -1 : 1, 3), end + QPointF(right ? -4 : 4, -2), 5);
      break;
    }
    case ToolIcon::FullScreen: {
      g.drawRect(QRectF(3, 5, 18, 14));
      for (auto [x, y, sx, sy] :
           {std::array<double, 4>{6, 8, 1, 1}, {18, 8, -1, 1}, {6, 16, 1, -1}, {18, 16, -1, -1}}) {
        g.drawLine(QPointF(x, y), QPointF(x + 3 * sx, y));
        g.drawLine(QPointF(x, y), QPointF(x, y + 2 * sy));
      }
      break;
    }
    case ToolIcon::Format: {
      g.setBrush(QColor(230, 235, 250));
      g.drawRect(QRectF(2, 5, 20, 14));
      g.setBrush(Qt::NoBrush);
      g.setPen(QPen(kAccent, 1.6, Qt::DashLine));
      g.drawRect(QRectF(6, 7, 12, 10));
      break;
    }
    case ToolIcon::First:
      g.drawLine(QPointF(5, 5), QPointF(5, 19));
      Triangle(g, 8, false);
      Triangle(g, 13, false);
      break;
    case ToolIcon::Previous:
      Triangle(g, 7, false);
      break;
    case ToolIcon::Next:
      Triangle(g, 8, true);
      break;
    case ToolIcon::Last:
      Triangle(g, 3, true);
      Triangle(g, 8, true);
      g.drawLine(QPointF(19, 5), QPointF(19, 19));
      break;
    case ToolIcon::ZoomIn:
    case ToolIcon::ZoomOut:
      Magnifier(g);
      g.drawLine(QPointF(6, 9), QPointF(12, 9));
      if (kind == ToolIcon::ZoomIn) g.drawLine(QPointF(9, 6), QPointF(9, 12));
      break;
    case ToolIcon::ZoomPause:
      g.setBrush(kInk);
      g.drawRect(QRectF(6, 5, 4, 14));
      g.drawRect(QRectF(14, 5, 4, 14));
      break;
    case ToolIcon::Delete:
      g.setPen(QPen(QColor(190, 30, 30), 3, Qt::SolidLine, Qt::RoundCap));
      g.drawLine(QPointF(6, 6), QPointF(18, 18));
      g.drawLine(QPointF(18, 6), QPointF(6, 18));
      break;
    case ToolIcon::Append:
      g.setBrush(QColor(230, 235, 250));
      g.drawRect(QRectF(3, 5, 13, 14));
      g.setBrush(Qt::NoBrush);
      g.setPen(QPen(QColor(30, 150, 40), 3, Qt::SolidLine, Qt::RoundCap));
      g.drawLine(QPointF(17, 9), QPointF(17, 21));
      g.drawLine(QPointF(11, 15), QPointF(23, 15));
      break;
    case ToolIcon::Rename: {
      g.setBrush(QColor(246, 208, 110));
      g.drawPolygon(QPolygonF{{5, 19}, {6, 14}, {16, 4}, {20, 8}, {10, 18}});
      g.drawLine(QPointF(3, 21), QPointF(21, 21));
      break;
    }
  }
}

QPixmap Render(ToolIcon kind, int size, bool disabled) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter g(&pixmap);
  g.setRenderHint(QPainter::Antialiasing);
  g.scale(size / 24.0, size / 24.0);
  if (disabled) g.setOpacity(0.35);
  Draw(g, kind);
  return pixmap;
}

}  // namespace

QIcon MakeToolIcon(ToolIcon kind, int size) {
  QIcon icon;
  icon.addPixmap(Render(kind, size, false), QIcon::Normal);
  icon.addPixmap(Render(kind, size, true), QIcon::Disabled);
  return icon;
}

}  // namespace trimora::app
