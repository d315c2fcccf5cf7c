// The help window of Trimora 2 (class "THelpDialog"): German help pages in the shared HTML
// window, one page per help context.
#pragma once

#include "guide/html_window.h"

namespace trimora::help {

// The help window's first size.
inline constexpr int kHelpWidth = 560;
inline constexpr int kHelpHeight = 480;

// The help window. Its caption is "Hilfe:  " and the title of the page on show.
class THelpDialog : public guide::THtmlWindow {
  Q_OBJECT
 public:
  // Builds the window over the pages in `pageFolder` (ending with "/"); not shown yet.
  explicit THelpDialog(const QString& pageFolder);

  // Applies the skin, centres the window on the screen and shows it.
  void Start(bool standardSkin);
  // Shows the page of `context` (the contents for an unknown one); an open window comes to
  // the front.
  void ShowContext(int context);

 private:
  void PageChanged();

  QString pageFolder_;
};

}  // namespace trimora::help
