#include "ui/dialog_rules.h"

#include <algorithm>

#include "platform/files.h"

namespace trimora::ui {

const std::vector<ButtonRow>& MessageButtonRows() {
  static const std::vector<ButtonRow> rows = {
      {"OkPanel", 73, {{"&Ok", kResultOk, 0, 73}}, kResultOk, kResultOk},
      {"YesNoPanel",
       161,
       {{"&Ja", kResultYes, 0, 73}, {"&Nein", kResultNo, 88, 73}},
       kResultNo,
       kResultNo},
      {"YesToAllPanel",
       250,
       {{"&Ja", kResultYes, 0, 74},
        {"Ja, &alle", kResultYesToAll, 89, 74},
        {"&Nein", kResultNo, 176, 74}},
       kResultNo,
       kResultNo},
  };
  return rows;
}

const ButtonRow& ButtonRowFor(std::uint16_t buttons) {
  const auto& rows = MessageButtonRows();
  switch (buttons) {
    case kButtonsYesNo:
      return rows[1];
    case kButtonsYesToAllNo:
      return rows[2];
    default:
      return rows[0];
  }
}

MessageBoxLayout LayoutMessageBox(int contentWidth, int contentHeight, int shift, int lineHeight) {
  const int grow = contentHeight - kMessageContentHeight;
  MessageBoxLayout layout;
  layout.text = {11, 16, std::max(0, contentWidth - 12 - 11),
                 std::max(0, contentHeight - 72 + shift - 16)};
  layout.rowTop = 98 + grow + shift;
  layout.checkTop = 137 + grow;
  layout.labelRight = contentWidth - 6;
  const int lack = lineHeight - layout.text.height;
  if (lack > 0) {
    const int top = std::max(0, layout.text.y - (lack + 1) / 2);
    const int bottom = std::max(top, std::min(top + lineHeight, layout.rowTop));
    layout.text.y = top;
    layout.text.height = bottom - top;
  }
  return layout;
}

int CentredRowLeft(int boxWidth, int rowWidth) { return (boxWidth - rowWidth) / 2; }

int CheckBoxPanelLeft(int labelLeft) { return labelLeft - 22; }

std::string DontShowAgainLabel(std::string_view title) {
  return "Diese " + std::string(title) + " nicht mehr anzeigen";
}

std::string WindowCaption(std::string_view title) { return "  " + std::string(title); }

std::string TitleFromCaption(std::string_view caption) {
  return caption.size() > 2 ? std::string(caption.substr(2)) : std::string();
}

std::string TrimInput(std::string_view text) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  const auto first = std::find_if_not(text.begin(), text.end(), blank);
  const auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
  return first < last ? std::string(first, last) : std::string();
}

bool IsVirtualNodePath(std::string_view path) { return path.starts_with("::{"); }

namespace {

bool IsSeparator(char c) {
#ifdef _WIN32
  if (c == '\\') return true;
#endif
  return c == '/';
}

std::string WithoutTrailingSeparator(std::string s) {
  if (s.size() > 1 && (s.back() == '/' || s.back() == '\\')) s.pop_back();
  return s;
}

}  // namespace

std::string PathFieldText(std::string_view nodePath, std::string_view desktopFolder) {
  if (IsVirtualNodePath(nodePath)) return std::string();
  std::string path(nodePath == kDesktopNodePath ? desktopFolder : nodePath);
  return WithoutTrailingSeparator(std::move(path));
}

CreateFolderResult CreateFolder(std::string_view path) {
  switch (trimora::CreateFolder(std::string(path))) {
    case FolderCreation::kCreated:
      return CreateFolderResult::Created;
    case FolderCreation::kAlreadyExists:
      return CreateFolderResult::AlreadyExists;
    case FolderCreation::kFailed:
      break;
  }
  return CreateFolderResult::Failed;
}

std::optional<std::vector<std::string>> PathStepsBelow(std::string_view anchor,
                                                       std::string_view path) {
  const std::string a = WithoutTrailingSeparator(std::string(anchor));
  const std::string p = WithoutTrailingSeparator(std::string(path));
  if (a.empty() || p.size() < a.size() || p.compare(0, a.size(), a) != 0) return std::nullopt;
  const bool anchorIsRoot = a.size() == 1 && IsSeparator(a[0]);
  if (p.size() > a.size() && !anchorIsRoot && !IsSeparator(p[a.size()])) return std::nullopt;
  std::vector<std::string> steps;
  std::string current;
  for (std::size_t i = a.size(); i < p.size(); ++i) {
    if (IsSeparator(p[i])) {
      if (!current.empty()) steps.push_back(std::move(current));
      current.clear();
    } else {
      current += p[i];
    }
  }
  if (!current.empty()) steps.push_back(std::move(current));
  return steps;
}

}  // namespace trimora::ui
