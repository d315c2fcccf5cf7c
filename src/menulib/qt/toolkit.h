// Qt as the toolkit of the window system: colours, check-mark size and fonts of the
// application's menus, Qt's text engine and beep. They follow changes of the application's
// palette and fonts; the windows of Qt hosts then receive the settings-change message.
#pragma once

#include <QObject>

#include "qt/text_engine.h"

namespace ornasys::qt {

// Installs Qt into the window system while it lives; needs a QApplication.
class Toolkit : public QObject {
  Q_OBJECT

 public:
  Toolkit();
  // Puts the window system's defaults back.
  ~Toolkit() override;

  // Reads the colours, metrics and fonts again.
  void Update();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QtTextEngine engine_;
};

}  // namespace ornasys::qt
