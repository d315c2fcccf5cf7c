// A settings dialog that keeps what its presenter writes into it, as a person would see it, and
// runs a script of user actions while it is "open".
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/options_presenter.h"

namespace trimora::testing {

class FakeOptionsView : public OptionsView {
 public:
  struct Message {
    std::string title, text;
    int buttons = 0, width = 0, height = 0;
    bool operator==(const Message&) const = default;
  };

  bool RunModal(OptionsPresenter& presenter) override {
    ++showings;
    open = true;
    closedWithOk = false;
    presenter.FormShow();
    if (script) script(presenter);
    open = false;
    return closedWithOk;
  }
  void SetListIndex(OptionsList list, int index) override {
    listIndex[static_cast<std::size_t>(list)] = index;
  }
  void SetListEnabled(OptionsList list, bool enabled) override {
    listEnabled[static_cast<std::size_t>(list)] = enabled;
  }
  void SetChecked(OptionsCheck check, bool value) override {
    checked[static_cast<std::size_t>(check)] = value;
  }
  void SetCheckEnabled(OptionsCheck check, bool enabled) override {
    checkEnabled[static_cast<std::size_t>(check)] = enabled;
  }
  int ShowMessageBox(const std::string& title, const std::string& text, int buttons, int width,
                     int height) override {
    messages.push_back({title, text, buttons, width, height});
    return 1;
  }
  void CloseWithOk() override {
    closedWithOk = true;
    open = false;
  }

  int Index(OptionsList list) const { return listIndex[static_cast<std::size_t>(list)]; }
  bool Enabled(OptionsList list) const { return listEnabled[static_cast<std::size_t>(list)]; }
  bool Checked(OptionsCheck check) const { return checked[static_cast<std::size_t>(check)]; }
  bool CheckEnabled(OptionsCheck check) const {
    return checkEnabled[static_cast<std::size_t>(check)];
  }

  std::function<void(OptionsPresenter&)> script;
  int showings = 0;
  bool open = false;
  bool closedWithOk = false;
  std::array<int, 3> listIndex{-1, -1, -1};
  std::array<bool, 3> listEnabled{true, true, true};
  std::array<bool, kOptionsCheckCount> checked{};
  std::array<bool, kOptionsCheckCount> checkEnabled{true, true, true, true, true, true, true, true};
  std::vector<Message> messages;
};

}  // namespace trimora::testing
