// A folder view that records what the presenter asks of it and answers dialogs from a script,
// and a host that records the command updates.
#pragma once
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "folder/folder_view.h"

namespace trimora::testing {

// `Base` is FolderView, or a view that extends it (the main window's).
template <class Base = FolderView>
class FakeViewOf : public Base {
 public:
  struct Message {
    std::string title, text;
    int buttons = 0;
    std::string key;
    int width = 0, height = 0;
    // What stood behind the box: status panels 1 and 2 and the size of the shown picture.
    std::string status1, status2;
    int shownWidth = 0, shownHeight = 0;
  };

  // Width, height, panel height and button height of a rebuilt thumbnail.
  struct Rebuilt {
    int width = 0, height = 0, panelHeight = 0, buttonHeight = 0;
  };

  void SetStatusPanel(int index, const std::string& text) override {
    status[static_cast<std::size_t>(index)] = text;
    statusTrail.push_back(std::to_string(index) + ":" + text);
  }
  int ShowMessageBox(const std::string& title, const std::string& text, int buttons,
                     const std::string& key, int width, int height) override {
    messages.push_back(
        {title, text, buttons, key, width, height, status[1], status[2], shownWidth, shownHeight});
    if (answers.empty()) return 1;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::string ShowInputBox(const std::string&, const std::string&,
                           const std::string& defaultText) override {
    inputPrompts++;
    if (inputAnswer.empty()) return defaultText;
    const auto first = inputAnswer.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    return inputAnswer.substr(first, inputAnswer.find_last_not_of(' ') - first + 1);
  }
  std::string ChooseFolder(const std::string& title, const std::string& ok, int glyph,
                           const std::string& start) override {
    chooserCalls.push_back(title + "|" + ok + "|" + std::to_string(glyph) + "|" + start);
    return chosenFolder;
  }
  void ShowError(const std::string& text) override { errors.push_back(text); }
  void SetBusy(bool) override {}
  void SetShortcutPanelVisible(bool visible) override { shortcutVisible = visible; }
  void SetStripVisible(bool) override {}
  void ClearStrip() override {
    log.push_back("clear");
    entries.clear();
    checkedEntries.clear();
    checkEnabledEntries.clear();
    fileTypes.clear();
    hidden.clear();
    currentEntry = -1;
  }
  void InsertStripEntry(StripEntry entry) override {
    log.push_back("insert " + std::to_string(entry.position) + " " + entry.caption);
    // Like the window: the entry shows its save box and its type from the start.
    checkedEntries[entry.position] = entry.saveIt;
    fileTypes[entry.position] = entry.fileType + (entry.lossyJpeg ? " red" : "");
    entries.push_back(std::move(entry));
  }
  void SetEntryCurrent(int position, bool current) override {
    if (current)
      currentEntry = position;
    else if (currentEntry == position)
      currentEntry = -1;
  }
  void SetEntryChecked(int position, bool checked) override { checkedEntries[position] = checked; }
  void SetEntryCheckEnabled(int position, bool enabled) override {
    checkEnabledEntries[position] = enabled;
  }
  void SetEntryCaption(int position, const std::string& caption) override {
    entries.at(static_cast<std::size_t>(position)).caption = caption;
  }
  void SetEntryFileType(int position, const std::string& type, bool red) override {
    fileTypes[position] = type + (red ? " red" : "");
  }
  void SetEntryThumbnail(int position, const Picture& thumbnail,
                         const StripEntryGeometry& geometry) override {
    rebuiltThumbnails[position] = {thumbnail.width(), thumbnail.height(), geometry.panelHeight,
                                   geometry.buttonHeight};
  }
  void HideEntry(int position) override { hidden.push_back(position); }
  void ScrollToEntry(int) override {}
  void FinishStrip() override { log.push_back("finish"); }
  void ShowPicture(const Picture& picture) override {
    shownWidth = picture.width();
    shownHeight = picture.height();
    picturesShown++;
  }
  void ShowPictureWithPreview(const Picture& picture, const Picture& preview) override {
    previewWidth = preview.width();
    ShowPicture(picture);
  }
  void RedrawPicturePart(const Picture& picture, const PixelRect& part) override {
    shownWidth = picture.width();
    shownHeight = picture.height();
    partsRedrawn.push_back(part);
  }
  void ClearPicture() override {
    shownWidth = shownHeight = 0;
    cleared++;
  }
  void ShowPanelBackground(bool) override {}
  void PostFullScreenRefresh() override {}

  int Inserted() const {
    int count = 0;
    for (const auto& line : log) count += line.rfind("insert", 0) == 0;
    return count;
  }

  std::string status[4];
  std::vector<std::string> statusTrail;
  std::vector<Message> messages;
  std::deque<int> answers;
  std::string inputAnswer;
  int inputPrompts = 0;
  std::vector<std::string> chooserCalls;
  std::string chosenFolder;
  std::vector<std::string> errors;
  bool shortcutVisible = true;
  std::vector<std::string> log;
  std::vector<StripEntry> entries;
  int currentEntry = -1;
  std::map<int, bool> checkedEntries;
  std::map<int, bool> checkEnabledEntries;
  std::map<int, std::string> fileTypes;
  std::vector<int> hidden;
  std::map<int, Rebuilt> rebuiltThumbnails;
  int shownWidth = 0, shownHeight = 0, picturesShown = 0, cleared = 0, previewWidth = 0;
  std::vector<PixelRect> partsRedrawn;
};

using FakeView = FakeViewOf<>;

// The window around the folder presenter: remembers whether the picture commands are active.
class FakeHost : public FolderHost {
 public:
  void UpdateCommandStates(bool a) override {
    active = a;
    ++updates;
  }
  void UpdateNavigation() override { ++navigationUpdates; }
  bool SavingInProgress() const override { return saving; }

  bool active = false;
  int updates = 0;
  int navigationUpdates = 0;
  bool saving = false;
};

}  // namespace trimora::testing
