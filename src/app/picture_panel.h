// The picture panel `imagePanel`: shows the displayed picture fitted into the panel, or the
// panel's background alone.
#pragma once
#include <QImage>
#include <QWidget>

#include "imaging/picture.h"

namespace trimora::app {

// The panel that shows the picture `image`.
class PicturePanel : public QWidget {
  Q_OBJECT
 public:
  // An empty panel inside `parent`.
  explicit PicturePanel(QWidget* parent);
  // Shows `picture` (the panel refers to its pixels until the next call or Clear).
  void SetPicture(const Picture& picture);
  // The same, fitted into the panel from `preview`, a reduced copy of it.
  void SetPicture(const Picture& picture, const Picture& preview);
  // Shows nothing.
  void Clear();
  // Shows the background instead of the picture, or the picture again.
  void SetBackgroundOnly(bool background);
  // Whether a picture is shown.
  bool HasPicture() const { return !source_.isNull() && !backgroundOnly_; }
  // The picture as drawn (fitted into the panel).
  const QImage& DisplayCopy() const { return display_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Rebuild();

  QImage source_;
  QImage display_;
  bool backgroundOnly_ = false;
};

// `source` scaled to fit into `box` keeping its side ratio, smooth; large reductions go through
// a fast step first.
QImage FitImage(const QImage& source, const QSize& box);

}  // namespace trimora::app
