// The format menus of the main window and what their entries do: the chooser `FormatPopup`
// gives the picture on screen another format, the submenu "&Standardausgabeformat" sets the
// default format of pictures shown for the first time. Plain C++ over the main window's view.
#pragma once

#include <cstdint>

#include "app/main_view.h"

namespace trimora {

class CorrectionPresenter;
class FolderPresenter;
class FormatTables;
class FramePresenter;

// The format chooser part of the main presenter.
class FormatChooser {
 public:
  FormatChooser(MainView& view, FormatTables& formats, FolderPresenter& folder,
                FramePresenter& frame, CorrectionPresenter& corrections);

  // Both menus anew from the format tables, checked at the current and the default format
  // (at start and after the format definitions changed).
  void BuildFormatMenus();
  // A format was applied: the chooser's check mark follows.
  void FormatApplied(std::int32_t formatId);
  // Opens the chooser below the format button or at the pointer (the caller checks that the
  // format button is enabled).
  void ChooseFormatButtonClick(FormatPopupPlace place);
  // An entry of the chooser: the picture on screen gets that format (ApplyFormatWithStripes).
  void FormatPopupItemClick(std::int32_t formatId);
  // ApplyFormat(formatId, true) on the picture on screen; side stripes on it are taken off
  // first and added again for the format now applied, so that they fit its proportions.
  void ApplyFormatWithStripes(std::int32_t formatId);
  // An entry of "&Standardausgabeformat": the new default format, the submenu's check mark,
  // the type buttons of pictures not shown yet; with no picture listed also the chooser.
  void DefaultFormatItemClick(std::int32_t formatId);

 private:
  MainView& view_;
  FormatTables& formats_;
  FolderPresenter& folder_;
  FramePresenter& frame_;
  CorrectionPresenter& corrections_;
};

}  // namespace trimora
