#include "ui/dialog_rules.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace trimora::ui {
namespace {

TEST(DialogRules, EachButtonValueHasItsRowAndAnswers) {
  const ButtonRow& ok = ButtonRowFor(kButtonsOk);
  EXPECT_EQ(ok.panelName, "OkPanel");
  ASSERT_EQ(ok.buttons.size(), 1u);
  EXPECT_EQ(ok.buttons[0].caption, "&Ok");
  EXPECT_EQ(ok.buttons[0].result, 1);
  EXPECT_EQ(ok.cancelResult, 1);

  const ButtonRow& yesNo = ButtonRowFor(kButtonsYesNo);
  EXPECT_EQ(yesNo.panelName, "YesNoPanel");
  EXPECT_EQ(yesNo.width, 161);
  ASSERT_EQ(yesNo.buttons.size(), 2u);
  EXPECT_EQ(yesNo.buttons[0].caption, "&Ja");
  EXPECT_EQ(yesNo.buttons[0].result, 6);
  EXPECT_EQ(yesNo.buttons[1].caption, "&Nein");
  EXPECT_EQ(yesNo.buttons[1].result, 7);
  EXPECT_EQ(yesNo.buttons[1].x, 88);
  EXPECT_EQ(yesNo.cancelResult, 7);
  EXPECT_EQ(yesNo.defaultResult, 7);

  const ButtonRow& all = ButtonRowFor(515);
  EXPECT_EQ(all.panelName, "YesToAllPanel");
  EXPECT_EQ(all.width, 250);
  ASSERT_EQ(all.buttons.size(), 3u);
  EXPECT_EQ(all.buttons[1].caption, "Ja, &alle");
  EXPECT_EQ(all.buttons[1].result, 10);
  EXPECT_EQ(all.buttons[1].x, 89);
  EXPECT_EQ(all.buttons[2].x, 176);
  EXPECT_EQ(all.cancelResult, 7);

  // Every button lies inside its row, and the buttons do not overlap.
  for (const ButtonRow& row : MessageButtonRows()) {
    int right = 0;
    for (const RowButton& b : row.buttons) {
      EXPECT_GE(b.x, right) << row.panelName;
      right = b.x + b.width;
    }
    EXPECT_LE(right, row.width) << row.panelName;
  }
}

TEST(DialogRules, AnUnknownButtonValueStillGivesAnAnswerableBox) {
  EXPECT_EQ(ButtonRowFor(0).panelName, "OkPanel");
  EXPECT_EQ(ButtonRowFor(0x1234).panelName, "OkPanel");
}

TEST(DialogRules, TheMessageBoxLayoutFollowsItsSizeAndTheShift) {
  const MessageBoxLayout designed = LayoutMessageBox(301, 157, 0);
  EXPECT_EQ(designed.text, (Rect{11, 16, 278, 69}));
  EXPECT_EQ(designed.rowTop, 98);
  EXPECT_EQ(designed.checkTop, 137);
  EXPECT_EQ(designed.labelRight, 295);

  // Rows and check box stay anchored to the bottom when the box is taller.
  const MessageBoxLayout tall = LayoutMessageBox(364, 190, 0);
  EXPECT_EQ(tall.rowTop, 131);
  EXPECT_EQ(tall.checkTop, 170);
  EXPECT_EQ(tall.text.width, 341);

  // Without check box: rows 18 lower, text 18 taller, check box place unchanged.
  const MessageBoxLayout shifted = LayoutMessageBox(301, 157, kNoCheckBoxShift);
  EXPECT_EQ(shifted.rowTop, designed.rowTop + 18);
  EXPECT_EQ(shifted.text.height, designed.text.height + 18);
  EXPECT_EQ(shifted.text.y, designed.text.y);
}

TEST(DialogRules, AShortBoxStillHoldsOneWholeLineOfText) {
  // 315 x 120 without check box: 14 pixels between the text's top and bottom margins.
  const MessageBoxLayout shortBox = LayoutMessageBox(309, 84, kNoCheckBoxShift, 17);
  EXPECT_EQ(shortBox.text, (Rect{11, 14, 286, 17}));
  EXPECT_EQ(shortBox.rowTop, 43);
  // Tall enough already: unchanged.
  EXPECT_EQ(LayoutMessageBox(301, 157, 0, 17).text, LayoutMessageBox(301, 157, 0).text);
  // Never into the rows, never above the panel.
  const MessageBoxLayout tiny = LayoutMessageBox(309, 50, 0, 17);
  EXPECT_GE(tiny.text.y, 0);
  EXPECT_LE(tiny.text.y + tiny.text.height, std::max(tiny.rowTop, tiny.text.y));
}

TEST(DialogRules, RowsAreCentredByTheBoxWidth) {
  EXPECT_EQ(CentredRowLeft(315, 161), 77);
  EXPECT_EQ(CentredRowLeft(315, 250), 32);
  EXPECT_EQ(CentredRowLeft(100, 250), -75);  // truncated toward zero
  EXPECT_EQ(CheckBoxPanelLeft(100), 78);
}

TEST(DialogRules, TheCheckBoxLabelNamesTheTitle) {
  EXPECT_EQ(DontShowAgainLabel("Frage"), "Diese Frage nicht mehr anzeigen");
  EXPECT_EQ(DontShowAgainLabel(TitleFromCaption(WindowCaption("Information"))),
            "Diese Information nicht mehr anzeigen");
  EXPECT_EQ(WindowCaption("Fehler"), "  Fehler");
  EXPECT_EQ(TitleFromCaption(" "), "");
}

TEST(DialogRules, TheInputIsTrimmedOfBlanksAndControlCharacters) {
  EXPECT_EQ(TrimInput("  IMG_0001.jpg \t"), "IMG_0001.jpg");
  EXPECT_EQ(TrimInput("\r\nÜber See\x01"), "Über See");
  EXPECT_EQ(TrimInput("a  b"), "a  b");
  EXPECT_EQ(TrimInput("    "), "");
  EXPECT_EQ(TrimInput(""), "");
}

TEST(DialogRules, ThePathFieldFollowsTheSelectedNode) {
  const std::string desktop = "/home/anna/Schreibtisch";
  EXPECT_EQ(PathFieldText("Desktop", desktop), desktop);
  EXPECT_EQ(PathFieldText("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", desktop), "");
  EXPECT_EQ(PathFieldText("/home/anna/Bilder/", desktop), "/home/anna/Bilder");
  EXPECT_EQ(PathFieldText("/home/anna/Bilder", desktop), "/home/anna/Bilder");
  EXPECT_EQ(PathFieldText("C:\\", desktop), "C:");
  EXPECT_EQ(PathFieldText("D:\\Fotos\\", desktop), "D:\\Fotos");
  // Only one separator goes, and the file system root stays a folder.
  EXPECT_EQ(PathFieldText("/data//", desktop), "/data/");
  EXPECT_EQ(PathFieldText("/", desktop), "/");
  EXPECT_EQ(PathFieldText("Desktop", desktop + "/"), desktop);
  EXPECT_TRUE(IsVirtualNodePath("::{208D2C60-3AEA-1069-A2D7-08002B30309D}"));
  EXPECT_FALSE(IsVirtualNodePath("/::{x}"));
}

class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "trimora-ui-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

TEST(DialogRules, CreatingAFolderTellsAnExistingOneApart) {
  TemporaryFolder temp;
  const std::string folder = temp.path() + "/Neuer Ordner";
  EXPECT_EQ(CreateFolder(folder), CreateFolderResult::Created);
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_EQ(CreateFolder(folder), CreateFolderResult::AlreadyExists);
  std::ofstream(temp.path() + "/datei.txt") << "x";
  EXPECT_EQ(CreateFolder(temp.path() + "/datei.txt"), CreateFolderResult::AlreadyExists);
  EXPECT_EQ(CreateFolder(temp.path() + "/fehlt/tiefer"), CreateFolderResult::Failed);
  EXPECT_EQ(CreateFolder(""), CreateFolderResult::Failed);
  EXPECT_EQ(CreateFolder(temp.path() + "/Übersicht"), CreateFolderResult::Created);
  EXPECT_TRUE(std::filesystem::is_directory(temp.path() + "/Übersicht"));
}

TEST(DialogRules, PathStepsLeadFromAnAnchorDownToAFolder) {
  using Steps = std::vector<std::string>;
  EXPECT_EQ(PathStepsBelow("/home/anna", "/home/anna/Bilder/2024"), (Steps{"Bilder", "2024"}));
  EXPECT_EQ(PathStepsBelow("/home/anna/", "/home/anna"), Steps{});
  EXPECT_EQ(PathStepsBelow("/", "/usr/share"), (Steps{"usr", "share"}));
  EXPECT_EQ(PathStepsBelow("/home/anna", "/home/annabel"), std::nullopt);
  EXPECT_EQ(PathStepsBelow("/home/anna", "/home"), std::nullopt);
  EXPECT_EQ(PathStepsBelow("", "/home"), std::nullopt);
}

}  // namespace
}  // namespace trimora::ui
