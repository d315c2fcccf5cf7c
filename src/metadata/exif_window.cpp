#include "metadata/exif_window.h"

#include <string_view>

#include "metadata/info_text.h"
#include "tables/ansi_text.h"

namespace trimora::metadata {

std::string DisplayText(std::string infoText) {
  if (IsValidUtf8(infoText)) return infoText;
  std::string shown;
  shown.reserve(infoText.size() + infoText.size() / 8);
  std::string_view rest = infoText;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    const std::string_view line =
        rest.substr(0, end == std::string_view::npos ? rest.size() : end + 1);
    if (IsValidUtf8(line)) {
      shown += line;
    } else {
      shown += AnsiToUtf8(line);
    }
    rest.remove_prefix(line.size());
  }
  return shown;
}

void ExifWindowPresenter::Start(bool visible) { SetVisible(visible); }

void ExifWindowPresenter::ShowExifFor(const std::string& path) {
  view_.SetExifText(DisplayText(BuildInfoText(path)));
}

void ExifWindowPresenter::Open(const std::string& path) {
  ShowExifFor(path);
  SetVisible(true);
}

void ExifWindowPresenter::PictureShown(const std::string& path, bool reshowing) {
  if (visible_ && !reshowing) ShowExifFor(path);
}

void ExifWindowPresenter::Hide() { SetVisible(false); }

void ExifWindowPresenter::Activated(bool active) { view_.SetExifWindowLook(active); }

void ExifWindowPresenter::SetVisible(bool visible) {
  visible_ = visible;
  view_.SetExifWindowVisible(visible);
}

}  // namespace trimora::metadata
