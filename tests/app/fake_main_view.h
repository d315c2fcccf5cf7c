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
  void SetMagnifierPaused(bool paused) override { magnifierPaused = paused; }
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
  bool magnifierPaused = false;
  WindowRect place;
  bool maximized = false;
  bool hintsShown = true;
  std::vector<TypeMenu> typeMenus;
  std::deque<int> typeAnswers;
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
