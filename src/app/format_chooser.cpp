#include "app/format_chooser.h"

#include "folder/folder_presenter.h"
#include "formats/format_menus.h"
#include "frame/frame_presenter.h"
#include "imaging/correction_presenter.h"

namespace trimora {

FormatChooser::FormatChooser(MainView& view, FormatTables& formats, FolderPresenter& folder,
                             FramePresenter& frame, CorrectionPresenter& corrections)
    : view_(view), formats_(formats), folder_(folder), frame_(frame), corrections_(corrections) {}

void FormatChooser::BuildFormatMenus() {
  view_.SetFormatMenu(FormatMenu::Chooser,
                      BuildFormatMenu(formats_, formats_.CurrentFormat.FormatID));
  view_.SetFormatMenu(FormatMenu::Default,
                      BuildFormatMenu(formats_, formats_.DefaultFormat.FormatID));
}

void FormatChooser::FormatApplied(std::int32_t formatId) {
  view_.CheckFormatMenu(FormatMenu::Chooser, formatId);
}

void FormatChooser::ChooseFormatButtonClick(FormatPopupPlace place) {
  view_.ShowFormatPopup(place);
}

void FormatChooser::FormatPopupItemClick(std::int32_t formatId) {
  ApplyFormatWithStripes(formatId);
}

void FormatChooser::ApplyFormatWithStripes(std::int32_t formatId) {
  const bool enlarged = folder_.Corrections().enlarged;
  if (enlarged) corrections_.RemoveEnlargement();
  frame_.ApplyFormat(formatId, true);
  // The stripes come back for the new format where the format allows them (a scalable one).
  if (enlarged && formats_.CurrentFormat.FormatID >= 0) corrections_.EnlargeButtonClick();
}

void FormatChooser::DefaultFormatItemClick(std::int32_t formatId) {
  formats_.LoadDefaultFormat(formatId);
  view_.CheckFormatMenu(FormatMenu::Default, formats_.DefaultFormat.FormatID);
  frame_.RefreshTypeButtons(false);
  if (folder_.ThumbnailCount() == 0) frame_.ApplyFormat(formats_.DefaultFormat.FormatID, true);
}

}  // namespace trimora
