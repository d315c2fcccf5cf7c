// Draws the Fashion skin's artwork into PNG files: the title and bottom bar pieces, the title
// buttons (each with its "_DIS" twin for the inactive look), the window icon pair and the small
// button pictures of the folder chooser. Run at build time: skin_art <output folder>.
#include <QColor>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QString>

#include <cstdio>
#include <functional>

namespace {

struct Palette {
  // Vertical profile of a bar: colours at the top rim, the highlight, the body and the bottom.
  QColor rim, highlight, bodyTop, bodyBottom, shade, bottom;
  // The frame's edge columns (left edge columns 0, 1, 2; the right edge mirrors 1 and 2).
  QColor edge0, edge1, edge2;
  QColor buttonPanel;
};

const Palette kActive{QColor(61, 140, 255), QColor(94, 165, 255), QColor(6, 97, 248),
                      QColor(0, 89, 242),   QColor(0, 74, 228),   QColor(0, 45, 200),
                      QColor(0, 24, 206),   QColor(0, 48, 222),   QColor(32, 82, 255),
                      QColor(0, 89, 247)};
const Palette kInactive{QColor(186, 200, 238), QColor(204, 216, 246), QColor(138, 163, 224),
                        QColor(120, 150, 214), QColor(112, 140, 204), QColor(100, 124, 190),
                        QColor(150, 157, 212), QColor(150, 165, 217), QColor(150, 167, 217),
                        QColor(118, 157, 217)};

QColor Mix(const QColor& a, const QColor& b, double t) {
  return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                          a.greenF() + (b.greenF() - a.greenF()) * t,
                          a.blueF() + (b.blueF() - a.blueF()) * t);
}

// The colour of row `y` of a 27-row title piece.
QColor TitleRow(const Palette& p, int y) {
  if (y == 0) return p.rim;
  if (y <= 2) return Mix(p.highlight, p.bodyTop, (y - 1) / 2.0);
  if (y <= 21) return Mix(p.bodyTop, p.bodyBottom, (y - 3) / 18.0);
  if (y <= 25) return Mix(p.bodyBottom, p.shade, (y - 22) / 3.0);
  return p.bottom;
}

// The colour of row `y` of a 27-row bottom piece: a calm body that white text reads on.
QColor BottomRow(const Palette& p, int y) {
  if (y == 0) return p.highlight;
  if (y <= 23) return Mix(p.bodyBottom, p.shade, (y - 1) / 22.0);
  return Mix(p.shade, p.edge0, (y - 23) / 3.0);
}

using RowColour = std::function<QColor(const Palette&, int)>;

QImage Piece(const Palette& p, int width, const RowColour& row, int edgeSide) {
  QImage img(width, 27, QImage::Format_RGB32);
  for (int y = 0; y < 27; ++y) {
    const QColor body = row(p, y);
    for (int x = 0; x < width; ++x) {
      QColor c = body;
      // The outer columns continue the side edges into the bars.
      const int fromEdge = edgeSide < 0 ? x : edgeSide > 0 ? width - 1 - x : 99;
      if (fromEdge == 0) c = edgeSide < 0 ? p.edge0 : p.edge1;
      if (fromEdge == 1) c = edgeSide < 0 ? p.edge1 : p.edge2;
      if (fromEdge == 2) c = p.edge2;
      if (fromEdge <= 2 && y <= 2) c = Mix(c, body, 0.6);
      img.setPixelColor(x, y, c);
    }
  }
  return img;
}

void RoundedButtonBase(QPainter& g, const QColor& top, const QColor& bottom, const QColor& border) {
  QLinearGradient grad(0, 0, 14, 21);
  grad.setColorAt(0, top);
  grad.setColorAt(1, bottom);
  g.setPen(QPen(border, 1.2));
  g.setBrush(grad);
  g.drawRoundedRect(QRectF(0.6, 0.6, 19.8, 19.8), 3.5, 3.5);
  // A soft glow along the top left.
  g.setPen(QPen(QColor(255, 255, 255, 70), 1));
  g.drawLine(QPointF(3, 2.2), QPointF(17, 2.2));
}

enum class Glyph { Minimize, Maximize, Restore, Close };

QImage Button(Glyph glyph, bool disabled) {
  QImage img(21, 21, QImage::Format_RGB32);
  const Palette& p = disabled ? kInactive : kActive;
  img.fill(p.buttonPanel);
  QPainter g(&img);
  g.setRenderHint(QPainter::Antialiasing);
  const QColor border = disabled ? QColor(214, 224, 246) : QColor(255, 255, 255);
  if (glyph == Glyph::Close) {
    if (disabled)
      RoundedButtonBase(g, QColor(196, 178, 196), QColor(168, 150, 184), border);
    else
      RoundedButtonBase(g, QColor(236, 136, 104), QColor(198, 58, 32), border);
  } else if (disabled) {
    RoundedButtonBase(g, QColor(172, 192, 236), QColor(132, 158, 221), border);
  } else {
    RoundedButtonBase(g, QColor(66, 146, 255), QColor(0, 78, 232), border);
  }
  const QColor ink = disabled ? QColor(226, 232, 248) : QColor(255, 255, 255);
  g.setBrush(Qt::NoBrush);
  switch (glyph) {
    case Glyph::Minimize:
      g.setRenderHint(QPainter::Antialiasing, false);
      g.fillRect(QRect(5, 13, 7, 3), ink);
      break;
    case Glyph::Maximize:
      g.setRenderHint(QPainter::Antialiasing, false);
      g.setPen(QPen(ink, 1));
      g.drawRect(QRect(5, 5, 10, 10));
      g.fillRect(QRect(5, 5, 11, 3), ink);
      break;
    case Glyph::Restore:
      g.setRenderHint(QPainter::Antialiasing, false);
      g.setPen(QPen(ink, 1));
      g.drawRect(QRect(8, 4, 8, 7));
      g.fillRect(QRect(8, 4, 9, 2), ink);
      g.fillRect(QRect(4, 8, 9, 8), disabled ? QColor(150, 172, 228) : QColor(24, 108, 246));
      g.drawRect(QRect(4, 8, 8, 7));
      g.fillRect(QRect(4, 8, 9, 2), ink);
      break;
    case Glyph::Close:
      g.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap));
      g.drawLine(QPointF(6.5, 6.5), QPointF(14.5, 14.5));
      g.drawLine(QPointF(14.5, 6.5), QPointF(6.5, 14.5));
      break;
  }
  return img;
}

// The window icon: a photograph with a crop frame over it.
QImage WindowIcon(bool disabled) {
  QImage img(24, 25, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter g(&img);
  g.setRenderHint(QPainter::Antialiasing);
  auto tone = [disabled](QColor c) {
    if (!disabled) return c;
    const int grey = qGray(c.rgb());
    return Mix(QColor(grey, grey, grey), QColor(150, 165, 217), 0.45);
  };
  const QRectF photo(2.5, 4.5, 19, 15);
  g.setPen(QPen(tone(QColor(255, 255, 255)), 1.4));
  QLinearGradient sky(0, 4, 0, 20);
  sky.setColorAt(0, tone(QColor(120, 190, 255)));
  sky.setColorAt(1, tone(QColor(214, 238, 255)));
  g.setBrush(sky);
  g.drawRect(photo);
  g.setPen(Qt::NoPen);
  g.setBrush(tone(QColor(255, 214, 64)));
  g.drawEllipse(QPointF(16.5, 8.5), 2.2, 2.2);
  QPainterPath hills;
  hills.moveTo(3.2, 19);
  hills.cubicTo(7, 11, 10, 12, 13, 16);
  hills.cubicTo(15, 13, 18, 13, 21.3, 17);
  hills.lineTo(21.3, 19);
  hills.closeSubpath();
  g.setBrush(tone(QColor(60, 170, 70)));
  g.drawPath(hills);
  g.setPen(QPen(tone(QColor(255, 140, 0)), 1.6, Qt::SolidLine, Qt::SquareCap));
  const double l = 6.5, t = 1.5, r = 23, b = 23.2;
  g.drawLine(QPointF(l, t + 4), QPointF(l, t));
  g.drawLine(QPointF(l, t), QPointF(l + 4, t));
  g.drawLine(QPointF(r - 4, b), QPointF(r, b));
  g.drawLine(QPointF(r, b), QPointF(r, b - 4));
  g.drawLine(QPointF(1, 10), QPointF(1, 20));
  return img;
}

QImage SmallPicture(const std::function<void(QPainter&)>& draw) {
  QImage img(16, 16, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter g(&img);
  g.setRenderHint(QPainter::Antialiasing);
  draw(g);
  return img;
}

void Folder(QPainter& g, bool open) {
  g.setPen(QPen(QColor(176, 122, 16), 1));
  g.setBrush(QColor(250, 206, 92));
  QPainterPath back;
  back.moveTo(1.5, 3.5);
  back.lineTo(6, 3.5);
  back.lineTo(7.5, 5);
  back.lineTo(13.5, 5);
  back.lineTo(13.5, 13.5);
  back.lineTo(1.5, 13.5);
  back.closeSubpath();
  g.drawPath(back);
  QLinearGradient front(0, 6, 0, 14);
  front.setColorAt(0, QColor(255, 234, 150));
  front.setColorAt(1, QColor(246, 190, 60));
  g.setBrush(front);
  QPolygonF lid;
  if (open)
    lid << QPointF(3.5, 7.5) << QPointF(15.5, 7.5) << QPointF(13.5, 13.5) << QPointF(1.5, 13.5);
  else
    lid << QPointF(1.5, 7) << QPointF(13.5, 7) << QPointF(13.5, 13.5) << QPointF(1.5, 13.5);
  g.drawPolygon(lid);
}

bool Save(const QImage& img, const QString& folder, const QString& name) {
  const QString path = folder + QStringLiteral("/") + name + QStringLiteral(".png");
  if (img.save(path, "PNG")) return true;
  std::fprintf(stderr, "skin_art: cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: skin_art <output folder>\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  if (!QDir().mkpath(out)) {
    std::fprintf(stderr, "skin_art: cannot create %s\n", argv[1]);
    return 1;
  }
  bool ok = true;
  for (const bool dis : {false, true}) {
    const Palette& p = dis ? kInactive : kActive;
    const QString tail = dis ? QStringLiteral("_DIS_BMP") : QStringLiteral("_BMP");
    ok &= Save(Piece(p, 5, TitleRow, -1), out, QStringLiteral("TOP_LEFT") + tail);
    ok &= Save(Piece(p, 52, TitleRow, 0), out, QStringLiteral("TOP_MID") + tail);
    ok &= Save(Piece(p, 5, TitleRow, 1), out, QStringLiteral("TOP_RIGHT") + tail);
    ok &= Save(Piece(p, 5, BottomRow, -1), out, QStringLiteral("BOTTOM_LEFT") + tail);
    ok &= Save(Piece(p, 52, BottomRow, 0), out, QStringLiteral("BOTTOM_MID") + tail);
    ok &= Save(Piece(p, 5, BottomRow, 1), out, QStringLiteral("BOTTOM_RIGHT") + tail);
    ok &= Save(Button(Glyph::Minimize, dis), out, QStringLiteral("MINIMIZE") + tail);
    ok &= Save(Button(Glyph::Maximize, dis), out, QStringLiteral("MAXIMIZE") + tail);
    ok &= Save(Button(Glyph::Restore, dis), out, QStringLiteral("RESTORE") + tail);
    ok &= Save(Button(Glyph::Close, dis), out, QStringLiteral("CLOSE") + tail);
    ok &= Save(WindowIcon(dis), out,
               dis ? QStringLiteral("ICON_DIS_BMP") : QStringLiteral("ICON_BMP"));
  }
  ok &= Save(SmallPicture([](QPainter& g) { Folder(g, true); }), out, QStringLiteral("GLYPH_OPEN"));
  ok &= Save(SmallPicture([](QPainter& g) {
               g.setPen(QPen(QColor(30, 150, 50), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
               g.drawPolyline(QPolygonF() << QPointF(3, 8.5) << QPointF(6.5, 12) << QPointF(13, 4));
             }),
             out, QStringLiteral("GLYPH_OK"));
  ok &= Save(SmallPicture([](QPainter& g) {
               g.setPen(QPen(QColor(24, 60, 150), 1));
               g.setBrush(QColor(60, 110, 210));
               g.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
               g.setBrush(QColor(250, 250, 250));
               g.drawRect(QRectF(4.5, 1.5, 7, 5));
               g.setBrush(QColor(200, 210, 230));
               g.drawRect(QRectF(3.5, 9.5, 9, 5));
             }),
             out, QStringLiteral("GLYPH_SAVE"));
  ok &= Save(SmallPicture([](QPainter& g) {
               g.setPen(QPen(QColor(206, 40, 30), 2.6, Qt::SolidLine, Qt::RoundCap));
               g.drawLine(QPointF(4, 4), QPointF(12, 12));
               g.drawLine(QPointF(12, 4), QPointF(4, 12));
             }),
             out, QStringLiteral("GLYPH_CANCEL"));
  ok &= Save(SmallPicture([](QPainter& g) {
               Folder(g, false);
               g.setPen(QPen(QColor(20, 140, 40), 2.2, Qt::SolidLine, Qt::RoundCap));
               g.drawLine(QPointF(12, 1.5), QPointF(12, 7.5));
               g.drawLine(QPointF(9, 4.5), QPointF(15, 4.5));
             }),
             out, QStringLiteral("GLYPH_NEW_FOLDER"));
  return ok ? 0 : 1;
}
