// The EXIF/IPTC information window TEXIFDialog as plain C++: the text it shows for a picture
// file (the same as `trimora exif` prints), whether it is open, following the picture on show,
// and the swap of the active look between it and the main window. The window itself
// (ExifWindowView) is only written to.
#pragma once

#include <string>

namespace trimora::metadata {

// The window's frame title.
inline constexpr const char* kExifWindowTitle = "EXIF/IPTC-Informationen";

// The information text as the window shows it: lines that are not UTF-8 (texts a camera or a
// picture tool stored in an 8-bit code page) are read as Windows-1252.
std::string DisplayText(std::string infoText);

// The window as its presenter sees it.
class ExifWindowView {
 public:
  virtual ~ExifWindowView() = default;
  // Replaces the text (UTF-8, lines ending in "\r\n") and scrolls to its first line.
  virtual void SetExifText(const std::string& text) = 0;
  // Shows or hides the window.
  virtual void SetExifWindowVisible(bool visible) = 0;
  // The window's frame active and the main window's inactive, or the reverse.
  virtual void SetExifWindowLook(bool exifActive) = 0;
};

// The window's behaviour.
class ExifWindowPresenter {
 public:
  explicit ExifWindowPresenter(ExifWindowView& view) : view_(view) {}

  // At start: shown (empty) when it was open when the program last closed.
  void Start(bool visible);
  // ShowExifFor: rebuilds the text for the file at `path`; does not show the window.
  void ShowExifFor(const std::string& path);
  // The command "EXIF/IPTC-Informationen": the text of `path`, then the window is shown.
  void Open(const std::string& path);
  // The main window shows the picture at `path`; `reshowing` while a command shows the same
  // picture again from its file. The open window follows.
  void PictureShown(const std::string& path, bool reshowing);
  // The cancel key or the close button: the window is hidden.
  void Hide();
  // The window became the active window, or lost that.
  void Activated(bool active);

  // True while the window is shown.
  bool Visible() const { return visible_; }

 private:
  void SetVisible(bool visible);

  ExifWindowView& view_;
  bool visible_ = false;
};

}  // namespace trimora::metadata
