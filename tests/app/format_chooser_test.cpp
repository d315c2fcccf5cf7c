// The format chooser and the default-format submenu through the main presenter, and help on
// menu items: the menus built from the tables, where the chooser opens, what choosing an entry
// changes (and what not), stripes that follow a new format, and the boxes of a format larger
// than the picture with the new picture behind them.
#include <gtest/gtest.h>

#include <filesystem>

#include "main_presenter_fixture.h"
#include "platform/settings.h"

namespace trimora {
namespace {

using C = CommandId;

class FormatChooserTest : public testing::MainPresenterFixture {
 protected:
  // Three scalable formats (sorted by width: 10 x 15, 20 x 20, 13 x 18) and two fixed ones.
  void AddFormats(FormatTables& tables) override {
    testing::AddScalableFormat(tables, "10 x 15", 1800, 1200, 900, 600);
    testing::AddScalableFormat(tables, "13 x 18", 2100, 1500, 1050, 750);
    testing::AddScalableFormat(tables, "20 x 20", 2000, 2000, 1000, 1000);
    fixedFormat_ = testing::AddFixedFormat(tables, "1024 x 700", 1024, 700);
    testing::AddFixedFormat(tables, "2400 x 1800", 2400, 1800);
  }
  void SetUp() override {
    MainPresenterFixture::SetUp();
    frame_.panelWidth = 800;
    frame_.panelHeight = 600;
  }
  std::vector<std::int32_t> Tags(const std::vector<FormatMenuEntry>& menu) const {
    std::vector<std::int32_t> tags;
    for (const FormatMenuEntry& e : menu) tags.push_back(e.separator ? 0 : e.formatId);
    return tags;
  }
  std::int32_t Checked(const std::vector<FormatMenuEntry>& menu) const {
    std::int32_t checked = 0;
    for (const FormatMenuEntry& e : menu) {
      if (e.checked) {
        EXPECT_EQ(checked, 0) << "one check mark";
        checked = e.formatId;
      }
    }
    return checked;
  }
  const std::string* LargerBox() const {
    for (const auto& m : view_.messages) {
      if (m.text.find("größer als die aktuellen Bildmaße") != std::string::npos) return &m.text;
    }
    return nullptr;
  }
};

TEST_F(FormatChooserTest, BothMenusListTheFormatsOfTheTablesWithTheirTags) {
  auto p = Start();
  const std::vector<std::int32_t> tags = {1, 2, 3, 0, -1, -2};
  EXPECT_EQ(Tags(view_.formatPopup), tags);
  EXPECT_EQ(Tags(view_.defaultFormatMenu), tags);
  std::vector<std::string> captions;
  for (const FormatMenuEntry& e : view_.formatPopup) captions.push_back(e.caption);
  EXPECT_EQ(captions, (std::vector<std::string>{"10 x 15", "20 x 20", "13 x 18", "", "1024 x 700",
                                                "2400 x 1800"}));
  EXPECT_TRUE(view_.formatPopup[3].separator);
  EXPECT_EQ(Checked(view_.formatPopup), 1);
  EXPECT_EQ(Checked(view_.defaultFormatMenu), 1);
  EXPECT_EQ(view_.captions[C::FormatButton], "   10 x 15   ") << "from the start on";
  // After the format definitions changed, the menus are built anew from the tables.
  p->Formats().nonScalableFormatTable.Empty();
  p->BuildFormatMenus();
  EXPECT_EQ(Tags(view_.formatPopup), (std::vector<std::int32_t>{1, 2, 3})) << "no separator";
  EXPECT_EQ(Tags(view_.defaultFormatMenu), (std::vector<std::int32_t>{1, 2, 3}));
}

TEST_F(FormatChooserTest, TheChooserOpensOnlyWhileAPictureIsShown) {
  AddPicture("a.jpg", "casio-ex-m2.jpg");
  auto p = Start();
  auto tryAll = [&] {
    p->KeyPressed(K(Key::F2));
    p->Run(C::FormatButton);
    p->Run(C::FormatForCurrent);
    p->ThumbnailsRightClicked();
  };
  tryAll();
  EXPECT_TRUE(view_.popups.empty()) << "F2 while no picture is shown does nothing";
  OpenAndWait(*p, pictures_.path());
  tryAll();
  using P = FormatPopupPlace;
  EXPECT_EQ(view_.popups, (std::vector<P>{P::BelowFormatButton, P::BelowFormatButton,
                                          P::BelowFormatButton, P::AtPointer}));
}

TEST_F(FormatChooserTest, AChosenFormatGoesToThePictureOnScreenOnly) {
  AddPicture("a.jpg", "casio-ex-m2.jpg");
  AddPicture("b.jpg", "casio-ex-m2.jpg");
  auto p = Start();
  OpenAndWait(*p, pictures_.path());
  p->FormatChosen(3);
  EXPECT_EQ(p->Folder().Records()[0].formatId, 3);
  EXPECT_EQ(p->Formats().CurrentFormat.Name, "13 x 18");
  EXPECT_EQ(view_.captions[C::FormatButton], "   13 x 18   ");
  EXPECT_EQ(Checked(view_.formatPopup), 3);
  EXPECT_EQ(Checked(view_.defaultFormatMenu), 1);
  EXPECT_EQ(p->Formats().DefaultFormat.FormatID, 1);
  EXPECT_FALSE(p->Folder().Records()[1].formatId.has_value()) << "not shown yet";
  p->Run(C::NextPicture);
  EXPECT_EQ(p->Folder().Records()[1].formatId, 1) << "a new picture gets the default";
  EXPECT_EQ(Checked(view_.formatPopup), 1);
  p->Run(C::PreviousPicture);
  EXPECT_EQ(Checked(view_.formatPopup), 3) << "a shown picture keeps its own";
}

TEST_F(FormatChooserTest, ADefaultFormatLeavesThePictureOnScreenAloneAndTypesTheOthers) {
  AddPicture("a.jpg", "casio-ex-m2.jpg");
  AddPicture("b.jpg", "casio-ex-m2.jpg");
  auto p = Start();
  OpenAndWait(*p, pictures_.path());
  const GridState before = p->Frame().grid;
  p->DefaultFormatChosen(2);
  EXPECT_EQ(Checked(view_.defaultFormatMenu), 2);
  EXPECT_EQ(Checked(view_.formatPopup), 1);
  EXPECT_EQ(view_.captions[C::FormatButton], "   10 x 15   ");
  EXPECT_EQ(p->Frame().grid.SelW, before.SelW);
  EXPECT_EQ(p->Frame().grid.SelH, before.SelH);
  // A fixed default off the block grid: pictures not shown yet get the second type pair.
  p->DefaultFormatChosen(fixedFormat_);
  EXPECT_EQ(view_.fileTypes[1], "TIF");
  EXPECT_EQ(view_.fileTypes[0], "JPG") << "the shown picture keeps its type";
  p->DefaultFormatChosen(2);
  EXPECT_EQ(view_.fileTypes[1], "JPG");
  p->Run(C::NextPicture);
  EXPECT_EQ(p->Formats().CurrentFormat.FormatID, 2);
  p->Close();
  EXPECT_EQ(ReadIntSetting("FormatID", 0), 2) << "written when the window closes";
}

TEST_F(FormatChooserTest, WithNoPictureListedTheDefaultFormatAlsoChangesTheChooser) {
  auto p = Start();
  p->DefaultFormatChosen(2);
  EXPECT_EQ(view_.captions[C::FormatButton], "   20 x 20   ");
  EXPECT_EQ(Checked(view_.formatPopup), 2);
  EXPECT_EQ(Checked(view_.defaultFormatMenu), 2);
}

TEST_F(FormatChooserTest, AFormatForAnEnlargedPictureGetsStripesOfItsOwn) {
  AddPicture("a.jpg", "casio-ex-m2.jpg");
  auto p = Start();
  OpenAndWait(*p, pictures_.path());
  p->Run(C::EnlargeButton);
  ASSERT_EQ(p->Folder().DisplayedPicture().width(), 1800);
  struct Case {
    std::int32_t format;
    int width, height;
    bool enlarged;
  };
  for (const Case& c : {Case{3, 1680, 1200, true}, Case{2, 1600, 1600, true},
                        Case{1, 1800, 1200, true}, Case{fixedFormat_, 1600, 1200, false}}) {
    SCOPED_TRACE(c.format);
    p->FormatChosen(c.format);
    const Picture& shown = p->Folder().DisplayedPicture();
    EXPECT_EQ(shown.width(), c.width);
    EXPECT_EQ(shown.height(), c.height);
    EXPECT_EQ(p->Folder().Records()[0].formatId, c.format);
    EXPECT_EQ(p->Folder().Records()[0].enlarge, c.enlarged);
    EXPECT_EQ(frame_.frameVisible, !c.enlarged);
    EXPECT_EQ(view_.status[1],
              "Bild: (" + std::to_string(c.width) + "x" + std::to_string(c.height) + ")");
    EXPECT_EQ(Checked(view_.formatPopup), c.format);
  }
}

TEST_F(FormatChooserTest, BehindTheLargerFormatBoxTheStatusAlreadyShowsTheNewPicture) {
  AddPicture("small.jpg", "canon-ixus.jpg");
  WriteIntSetting("FormatID", fixedFormat_);  // 1024 x 700: larger than 640 x 480
  auto p = Start();
  OpenAndWait(*p, pictures_.path());
  ASSERT_NE(LargerBox(), nullptr);
  const auto& box = view_.messages.back();
  EXPECT_EQ(box.shownWidth, 640) << "the new picture stands behind the box";
  EXPECT_EQ(box.status1, "Bild: (640x480)");
  EXPECT_EQ(box.status2, "");
  EXPECT_FALSE(frame_.frameVisible);
  EXPECT_FALSE(view_.checkedEntries[0]) << "it cannot be marked";

  // Through the chooser: the 2400 x 1800 format on a 1600 x 1200 picture.
  testing::TempFolder large;
  std::filesystem::copy_file(kPhotos + "casio-ex-m2.jpg", large / "large.jpg");
  OpenAndWait(*p, large.path());
  ASSERT_EQ(view_.status[2].rfind("Auswahl: ", 0), 0u);
  view_.messages.clear();
  p->FormatChosen(-2);
  ASSERT_NE(LargerBox(), nullptr);
  EXPECT_EQ(view_.messages.back().status1, "Bild: (1600x1200)");
  EXPECT_EQ(view_.messages.back().status2, "") << "no longer the selection of before";
  EXPECT_EQ(view_.messages.back().shownWidth, 1600);
}

TEST_F(FormatChooserTest, F1OnAHighlightedMenuItemAsksForTheContextOfItsMenu) {
  programs_.present = {kHelpProgram, kGuideProgram};
  WriteIntSetting("Height", 600);  // not the first run
  auto p = Start();
  struct Case {
    MenuId menu;
    std::optional<C> item;
    int context;
  };
  const Case cases[] = {
      {MenuId::File, C::CropAndSave, 40},
      {MenuId::File, C::Quit, 40},
      {MenuId::Move, C::StepLeft, 50},
      {MenuId::Size, C::TurnSelection, 60},
      {MenuId::Formats, C::FormatForCurrent, 70},
      {MenuId::DefaultFormat, std::nullopt, 70},
      {MenuId::FormatChooser, std::nullopt, 70},
      {MenuId::Help, C::About, 80},
      {MenuId::Picture, C::StepLeft, 50},
      {MenuId::View, C::ExifInfo, 0},
      {MenuId::Corrections, C::AutoCorrect, 0},
      {MenuId::ToolBars, C::ToolBarFiles, 0},
  };
  std::vector<std::string> expected;
  for (const Case& c : cases) {
    p->MenuItemHelp(c.menu, c.item);
    expected.push_back("Help " + std::to_string(c.context));
  }
  EXPECT_EQ(programs_.started, expected);
  // A help window that is open gets the context by message 1029.
  programs_.open = {kHelpWindowClass};
  p->MenuItemHelp(MenuId::Size, C::Grow);
  EXPECT_EQ(programs_.posted, std::vector<std::string>{"THelpDialog 1029 60"});
  // Without the help program nothing happens, and nothing is reported.
  programs_.present.clear();
  programs_.open.clear();
  auto without = Start();
  const std::size_t started = programs_.started.size();
  without->MenuItemHelp(MenuId::File, C::CropAndSave);
  EXPECT_TRUE(without->KeyPressed(K(Key::F1)));
  EXPECT_EQ(programs_.started.size(), started);
  EXPECT_TRUE(view_.errors.empty());
  EXPECT_TRUE(view_.messages.empty());
}

}  // namespace
}  // namespace trimora
