// A recording stand-in for the main window, for the frame presenter's tests.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "folder/cutting_record.h"
#include "formats/format_tables.h"
#include "frame/frame_presenter.h"

namespace trimora::testing {

// One message box call.
struct ShownMessage {
  std::string title;
  std::string text;
  std::string key;
  int width = 0;
  int height = 0;
};

// A type button of the strip.
struct TypeButton {
  std::string caption;
  bool red = false;
};

// Records what the presenter does and answers its questions from plain fields.
class FakeFrameView : public FrameView {
 public:
  ScreenRect frame{0, 0, 320, 227};
  bool frameVisible = true;
  std::uint32_t frameColor = 0;
  int focusToggles = 0;
  bool drawBoxes = true;
  bool markerVisible = false;
  ScreenRect marker{0, 0, 33, 33};
  int markerChanges = 0;
  int panelWidth = 540;
  int panelHeight = 405;
  ScreenRect viewGeometry;
  int redraws = 0;
  int rebuilds = 0;
  bool overlayVisible = false;
  int alphaChanges = 0;
  bool lastAlphaForced = false;
  bool listed = true;
  bool reshowing = false;
  bool fullScreen = false;
  std::map<Correction, bool> corrections;
  std::map<FrameCommand, bool> enabled;
  std::vector<ShownMessage> messages;
  std::map<int, std::string> status;
  int markedFalseDisabled = 0;
  int markBoxEnabled = 0;
  std::vector<int> markedEntries;
  int commandStateUpdates = 0;
  std::string chooserCaption;
  std::vector<TypeButton> typeButtons;
  int endedRedEye = 0;

  ScreenRect FrameRect() const override { return frame; }
  void SetFrameRect(const ScreenRect& r) override { frame = r; }
  bool FrameVisible() const override { return frameVisible; }
  void SetFrameVisible(bool v) override { frameVisible = v; }
  void SetFrameColor(std::uint32_t rgb) override { frameColor = rgb; }
  void SetFrameFocus(bool) override { ++focusToggles; }
  void SetFrameDrawBoxes(bool d) override { drawBoxes = d; }
  bool MarkerVisible() const override { return markerVisible; }
  ScreenRect MarkerRect() const override { return marker; }
  void SetMarkerRect(const ScreenRect& r) override { marker = r; }
  void SetMarkerVisible(bool v) override { markerVisible = v; }
  void MarkerChanged() override { ++markerChanges; }
  void EndRedEyeMarking() override {
    ++endedRedEye;
    markerVisible = false;
  }
  int PanelWidth() const override { return panelWidth; }
  int PanelHeight() const override { return panelHeight; }
  void SetViewGeometry(const ScreenRect& r) override { viewGeometry = r; }
  void SelectionRedraw(const ScreenRect&) override { ++redraws; }
  void RebuildDisplayCopy() override { ++rebuilds; }
  void SetOverlayVisible(bool v) override { overlayVisible = v; }
  void OutsideAlphaChanged(int, bool force) override {
    ++alphaChanges;
    lastAlphaForced = force;
  }
  bool PicturesListed() const override { return listed; }
  bool Reshowing() const override { return reshowing; }
  bool FullScreenVisible() const override { return fullScreen; }
  bool CorrectionApplied(Correction c) const override {
    auto it = corrections.find(c);
    return it != corrections.end() && it->second;
  }
  void SetCommandEnabled(FrameCommand c, bool e) override { enabled[c] = e; }
  int ShowMessageBox(const std::string& title, const std::string& text, int, const std::string& key,
                     int width, int height) override {
    messages.push_back({title, text, key, width, height});
    return 1;
  }
  void SetStatusText(int panel, const std::string& text) override { status[panel] = text; }
  void MarkCurrentForSaving(bool value, bool disable) override {
    if (!value && disable) ++markedFalseDisabled;
  }
  void EnableCurrentMarkBox() override { ++markBoxEnabled; }
  void MarkEntryForSaving(int entry) override { markedEntries.push_back(entry); }
  void UpdateCommandStates(bool) override { ++commandStateUpdates; }
  void SetChooserCaption(const std::string& c) override { chooserCaption = c; }
  int StripEntryCount() const override { return static_cast<int>(typeButtons.size()); }
  void SetTypeButton(int e, const std::string& caption, bool red) override {
    typeButtons[static_cast<std::size_t>(e)] = {caption, red};
  }
};

// Adds a scalable format (name in plain ASCII) and returns its FormatID.
inline std::int32_t AddScalableFormat(FormatTables& t, const std::string& name, int w, int h,
                                      int minW, int minH) {
  Table& s = t.scalableFormatTable;
  s.Append();
  s.WriteText(kFormatName, name);
  s.WriteInteger(kOptWidth, w);
  s.WriteInteger(kOptHeight, h);
  s.WriteInteger(kMinWidth, minW);
  s.WriteInteger(kMinHeight, minH);
  return s.RecordCount();
}

// Adds a non-scalable format and returns its (negative) FormatID.
inline std::int32_t AddFixedFormat(FormatTables& t, const std::string& name, int w, int h) {
  Table& s = t.nonScalableFormatTable;
  s.Append();
  s.WriteText(kFormatName, name);
  s.WriteInteger(kWidth, w);
  s.WriteInteger(kHeight, h);
  return -s.RecordCount();
}

// `count` cutting-data records of w x h pictures, FileType "JPG".
inline std::vector<CuttingRecord> CuttingRecords(int count, int w, int h) {
  std::vector<CuttingRecord> records(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    CuttingRecord& r = records[static_cast<std::size_t>(i)];
    r.filename = "/photos/p" + std::to_string(i) + ".jpg";
    r.fileType = "JPG";
    r.pictureWidth = w;
    r.pictureHeight = h;
  }
  return records;
}

}  // namespace trimora::testing
