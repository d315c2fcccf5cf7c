// Reading the window system's values from Qt.
#include "qt/toolkit.h"

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionMenuItem>

#include "qt/host_window.h"
#include "sys/environment.h"

namespace ornasys::qt {
namespace {

Colour ColourOf(const QColor& colour) { return colour.rgb() & 0xFFFFFF; }

// The colour the style gives the background of a popup: a panel painted and looked at.
Colour MenuBackground(const QPalette& palette) {
  QImage image(24, 24, QImage::Format_RGB32);
  image.fill(palette.color(QPalette::Window));
  QPainter painter(&image);
  QStyleOptionMenuItem option;
  option.palette = palette;
  option.rect = image.rect();
  option.state = QStyle::State_None;
  QApplication::style()->drawPrimitive(QStyle::PE_PanelMenu, &option, &painter, nullptr);
  painter.end();
  return image.pixel(12, 12) & 0xFFFFFF;
}

}  // namespace

Toolkit::Toolkit() {
  Update();
  SetTextEngine(&engine_);
  SetBeepHandler([] { QApplication::beep(); });
  qApp->installEventFilter(this);
}

Toolkit::~Toolkit() {
  if (qApp != nullptr) qApp->removeEventFilter(this);
  ResetEnvironment();
}

void Toolkit::Update() {
  const QPalette palette = QApplication::palette("QMenu");
  SetSystemColour(SystemColour::kMenu, MenuBackground(palette));
  SetSystemColour(SystemColour::kMenuText, ColourOf(palette.color(QPalette::Text)));
  SetSystemColour(SystemColour::kHighlightText, ColourOf(palette.color(QPalette::HighlightedText)));
  SetSystemColour(SystemColour::kActiveCaption, ColourOf(palette.color(QPalette::Highlight)));
  SetSystemColour(SystemColour::kShadow3D, ColourOf(palette.color(QPalette::Dark)));
  SetSystemColour(SystemColour::kHighlight3D, ColourOf(palette.color(QPalette::Light)));
  SetSystemColour(SystemColour::kLight3D, ColourOf(palette.color(QPalette::Midlight)));
  const QStyle* style = QApplication::style();
  SetMenuCheckMarkSize({style->pixelMetric(QStyle::PM_IndicatorWidth),
                        style->pixelMetric(QStyle::PM_IndicatorHeight)});
  SetMenuFont(FromQFont(QApplication::font("QMenu")));
  SetDefaultGuiFont(FromQFont(QApplication::font()));
}

bool Toolkit::eventFilter(QObject* watched, QEvent* event) {
  if (watched == qApp && (event->type() == QEvent::ApplicationPaletteChange ||
                          event->type() == QEvent::ApplicationFontChange)) {
    Update();
    HostWindow::BroadcastSettingsChange();
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace ornasys::qt
