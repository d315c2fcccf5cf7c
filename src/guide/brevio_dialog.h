// The window of the quick-start guide viewer Brevio: the guide "Hilfe/Kurzanleitung.html" in
// the shared HTML window.
#pragma once

#include "guide/guide_place.h"
#include "guide/html_window.h"

namespace trimora::guide {

// The frame title of the viewer.
inline constexpr const char* kGuideTitle = "Kurzanleitung:  Trimora 2";

// The viewer's window (class "TBrevioDialog"). Every close saves its normal place under
// "Help\".
class TBrevioDialog : public THtmlWindow {
  Q_OBJECT
 public:
  // Builds the window and shows `guideFile` in it; the window is not shown yet (see Start).
  explicit TBrevioDialog(const QString& guideFile);

  // Applies the skin, puts the window at `place` and shows it.
  void Start(bool standardSkin, const WindowPlace& place);

 protected:
  void closeEvent(QCloseEvent* event) override;
};

}  // namespace trimora::guide
