// A main window that records what its presenter writes into it and answers dialogs and menus
// from a script, like the real window does for a person.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "../folder_presenter/fake_view.h"
#include "../formats/fake_format_dialog_view.h"
#include "fake_options_view.h"
#include "app/main_view.h"
#include "app/outside_programs.h"

namespace trimora::testing {

class FakeMainView : public FakeViewOf<MainView> {
 public:
  void SetCommandEnabled(CommandId id, bool enabled) override { enabled_[Index(id)] = enabled; }
  void SetCommandChecked(CommandId id, bool checked) override { checked_[Index(id)] = checked; }
  void SetCommandCaption(CommandId id, const std::string& caption) override {
    captions[id] = caption;
  }
  void SetCommandHint(CommandId id, const std::string& hint) override { hints[id] = hint; }
  void ShowBands(const ui::BandOrder& order, const std::array<bool, 5>& visible) override {
    bandOrder = order;
    bandsVisible = visible;
  }
  void SetFormatMenu(FormatMenu menu, const std::vector<FormatMenuEntry>& entries) override {
    (menu == FormatMenu::Chooser ? formatPopup : defaultFormatMenu) = entries;
  }
  void CheckFormatMenu(FormatMenu menu, std::int32_t formatId) override {
    for (FormatMenuEntry& entry : menu == FormatMenu::Chooser ? formatPopup : defaultFormatMenu) {
      entry.checked = !entry.separator && entry.formatId == formatId;
    }
  }
  void ShowFormatPopup(FormatPopupPlace place) override { popups.push_back(place); }
  void SetFrameActive(bool active) override { frameActive = active; }
  void PlaceExifWindow(const WindowRect& rect) override { exifPlace = rect; }

  // The magnifier.
  void SetMagnifierActive(bool active) override { magnifierActive = active; }
  void SetMagnifierShown(bool shown) override { magnifierShown = shown; }
  void SetMagnifierZoomLevel(int level) override { zoomLevel = level; }
  void RefreshMagnifier() override {
    ++magnifierRefreshes;
    magnifierStale = false;
  }
  // The picture drawn anew: the magnifier shows old screen content until it is refreshed.
  void ShowPicture(const Picture& picture) override {
    FakeViewOf<MainView>::ShowPicture(picture);
    magnifierStale = true;
  }
  void RedrawPicturePart(const Picture& picture, const PixelRect& part) override {
    FakeViewOf<MainView>::RedrawPicturePart(picture, part);
    magnifierStale = true;
  }
  void LayOutMagnifierPanel(const MagnifierPanel& panel) override { magnifierPanel = panel; }

  // The full-screen preview: RunFullScreen runs `whileFullScreen` as the modal loop would run
  // what the person does; messages posted meanwhile wait in `postedRefreshes` until the test
  // delivers them, as the real loop does.
  void ShowFullScreenContent(FullScreenContent content) override {
    fullScreenShows.push_back(content);
  }
  void SetShowCroppedButton(bool down, const std::string& hint) override {
    croppedDown = down;
    croppedHint = hint;
  }
  void RunFullScreen() override {
    ++fullScreenRuns;
    fullScreenShown = true;
    frameActiveWhileOpen = frameActive;
    closeAsked = false;
    if (whileFullScreen) whileFullScreen();
    fullScreenShown = false;
  }
  void CloseFullScreen() override { closeAsked = true; }
  void ClearFullScreen() override { ++fullScreenClears; }
  void PostFullScreenRefresh() override { ++postedRefreshes; }

  // The EXIF/IPTC window.
  void SetExifText(const std::string& text) override {
    exifText = text;
    ++exifTexts;
  }
  void SetExifWindowVisible(bool visible) override { exifVisible = visible; }
  void SetExifWindowLook(bool exifActive) override {
    exifLookActive = exifActive;
    frameActive = !exifActive;
  }
  void PlaceWindow(const WindowRect& rect, bool maximized) override {
    place = rect;
    this->maximized = maximized;
  }
  void SetHintsShown(bool shown) override { hintsShown = shown; }
  int ShowTypeMenu(int position, const std::vector<TypeMenuItem>& items) override {
    typeMenus.push_back({position, items});
    if (typeAnswers.empty()) return -1;
    const int answer = typeAnswers.front();
    typeAnswers.pop_front();
    return answer;
  }
  OptionsView& OptionsDialog() override { return optionsDialog; }
  FormatDialogView& FormatDialog() override { return formatDialog; }
  void ShowAboutBox(const std::string& version) override { aboutBoxes.push_back(version); }
  void RepaintPending() override {
    ++repaints;
    if (onRepaint) onRepaint();
  }
  void CloseWindow() override { ++closeRequests; }

  bool Enabled(CommandId id) const { return enabled_[Index(id)]; }
  bool Checked(CommandId id) const { return checked_[Index(id)]; }
  const CommandSet& EnabledSet() const { return enabled_; }
  const CommandSet& CheckedSet() const { return checked_; }

  struct TypeMenu {
    int position = 0;
    std::vector<TypeMenuItem> items;
  };

  std::map<CommandId, std::string> captions;
  std::map<CommandId, std::string> hints;
  ui::BandOrder bandOrder{};
  std::array<bool, 5> bandsVisible{};
  std::vector<FormatMenuEntry> defaultFormatMenu;
  std::vector<FormatMenuEntry> formatPopup;
  std::vector<FormatPopupPlace> popups;
  bool frameActive = true;
  WindowRect exifPlace;
  bool magnifierActive = false;
  bool magnifierShown = false;
  int zoomLevel = 0;
  int magnifierRefreshes = 0;
  bool magnifierStale = false;
  MagnifierPanel magnifierPanel;
  std::vector<FullScreenContent> fullScreenShows;
  bool croppedDown = false;
  std::string croppedHint = kShowCroppedHint;
  int fullScreenRuns = 0;
  bool fullScreenShown = false;
  bool frameActiveWhileOpen = true;
  bool closeAsked = false;
  std::function<void()> whileFullScreen;
  int fullScreenClears = 0;
  int postedRefreshes = 0;
  std::string exifText;
  int exifTexts = 0;
  bool exifVisible = false;
  bool exifLookActive = false;
  WindowRect place;
  bool maximized = false;
  bool hintsShown = true;
  std::vector<TypeMenu> typeMenus;
  std::deque<int> typeAnswers;
  FakeOptionsView optionsDialog;
  FakeFormatDialogView formatDialog;
  std::vector<std::string> aboutBoxes;
  int repaints = 0;
  std::function<void()> onRepaint;
  int closeRequests = 0;

 private:
  CommandSet enabled_;
  CommandSet checked_;
};

// The programs beside the main program, as present or missing as a test wants; what the
// presenter starts, opens and posts is recorded.
class FakePrograms : public OutsidePrograms {
 public:
  bool Present(const std::string& program) const override { return present.count(program) > 0; }
  void Start(const std::string& program, const std::vector<std::string>& arguments) override {
    if (!Present(program)) return;  // a missing program starts nothing, silently
    std::string line = program;
    for (const std::string& a : arguments) line += " " + a;
    started.push_back(line);
  }
  void OpenAddress(const std::string& address) override { opened.push_back(address); }
  bool ClassOpen(const std::string& className) const override { return open.count(className) > 0; }
  void Post(const std::string& className, std::uint32_t number, std::int64_t parameter) override {
    posted.push_back(className + " " + std::to_string(number) + " " + std::to_string(parameter));
  }

  std::set<std::string> present;
  std::set<std::string> open;
  std::vector<std::string> started;
  std::vector<std::string> opened;
  std::vector<std::string> posted;
};

}  // namespace trimora::testing
