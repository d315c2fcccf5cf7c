// The correction commands through the main presenter: red-eye marking and filtering with its
// taking back, the automatic correction and the side stripes, their buttons, menu items and
// keys, the records they write and the lossless decision they tell. Real JPEGs, the real
// folder and frame presenters; what the screen shows is compared with the picture operations
// run on a fresh decoding of the same file.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "imaging/correction.h"
#include "imaging/enlarge.h"
#include "imaging/jpeg_codec.h"
#include "imaging/red_eye.h"
#include "main_presenter_fixture.h"
#include "platform/settings.h"

namespace trimora {
namespace {

using C = CommandId;

bool SamePixels(const Picture& a, const Picture& b) {
  return a.width() == b.width() && a.height() == b.height() &&
         std::equal(a.data(), a.data() + a.byteCount(), b.data());
}

// The colour bytes (blue, green, red) of pixel (x, y).
std::uint32_t Colour(const Picture& p, int x, int y) {
  const std::uint8_t* px = p.row(y) + 4 * x;
  return px[2] << 16 | px[1] << 8 | px[0];
}

class CorrectionCommandsTest : public testing::MainPresenterFixture {
 protected:
  void SetUp() override {
    MainPresenterFixture::SetUp();
    // The view shows a 1600 x 1200 picture at half its size.
    frame_.panelWidth = 800;
    frame_.panelHeight = 600;
  }
  // The folder with `sample` as "a.jpg" (and "b.jpg"), shown.
  std::unique_ptr<MainPresenter> ShowSample(const std::string& sample = "casio-ex-m2.jpg") {
    AddPicture("a.jpg", sample);
    AddPicture("b.jpg", sample);
    auto p = Start();
    OpenAndWait(*p, pictures_.path());
    return p;
  }
  Picture Decoded(const std::string& name = "a.jpg") { return DecodeJpegFile(pictures_ / name); }
  CuttingRecord& Record(MainPresenter& p) { return *p.Folder().CurrentRecord(); }
  const Picture& Shown(MainPresenter& p) { return p.Folder().DisplayedPicture(); }
  std::vector<std::string> Titles() const {
    std::vector<std::string> texts;
    for (const auto& m : view_.messages) texts.push_back(m.text);
    return texts;
  }
};

const char* const kMarkingNote =
    "Markieren Sie den roten Bereich und drücken Sie RETURN, um die roten Farbanteile "
    "herauszufiltern, oder ESC, um den Vorgang abzubrechen.";
const char* const kLossyNote =
    "Nach der Anwendung von Bildkorrekturen/-erweiterungen kann ein Bild nicht mehr verlustfrei "
    "als JPEG gespeichert werden.";

TEST_F(CorrectionCommandsTest, F3ShowsTheMarkerAndReturnFiltersTheRectangleUnderItsHandles) {
  auto p = ShowSample();
  ASSERT_EQ(frame_.viewGeometry.width, 800);
  ASSERT_EQ(p->Frame().grid.BlockSize, 16) << "lossless JPEG before the filter";
  ASSERT_TRUE(frame_.frameVisible);
  const std::string folder = view_.status[0];

  EXPECT_TRUE(p->KeyPressed(K(Key::F3)));
  EXPECT_TRUE(frame_.markerVisible);
  EXPECT_FALSE(frame_.frameVisible);
  EXPECT_EQ(p->Frame().MasterAlpha, 255) << "the whole picture uniform";
  ASSERT_EQ(view_.messages.size(), 1u);
  EXPECT_EQ(view_.messages[0].text, kMarkingNote);
  EXPECT_EQ(view_.messages[0].key, "ShowRedEyeMessage");
  EXPECT_EQ(view_.messages[0].width, 370);
  EXPECT_EQ(view_.status[0], "RETURN = Filtern, ESC = Abbrechen");
  for (C id : {C::ApplyRedEye, C::CancelRedEye, C::StepLeft, C::Shrink, C::Grow})
    EXPECT_TRUE(view_.Enabled(id)) << Row(id).name;
  for (C id : {C::Minimise, C::Maximise, C::TurnSelection})
    EXPECT_FALSE(view_.Enabled(id)) << Row(id).name;

  // The marker 33 x 33 at (100, 50) on a view of half the picture's size.
  frame_.marker = {100, 50, 33, 33};
  EXPECT_TRUE(p->KeyPressed(K(Key::Return)));
  EXPECT_EQ(Record(*p).redEyeCoords, "210,110,256,156|");
  Picture expected = Decoded();
  RedEyeFilter(expected, {210, 110, 256, 156});
  EXPECT_TRUE(SamePixels(Shown(*p), expected));
  ASSERT_FALSE(view_.partsRedrawn.empty());
  EXPECT_EQ(view_.partsRedrawn.back(), (PixelRect{210, 110, 256, 156}));
  EXPECT_FALSE(frame_.markerVisible);
  EXPECT_TRUE(frame_.frameVisible);
  EXPECT_EQ(p->Frame().MasterAlpha, 105) << "the dimming as before";
  EXPECT_EQ(view_.status[0], folder);
  EXPECT_TRUE(view_.Enabled(C::RedEyeRemove));
  EXPECT_FALSE(view_.Enabled(C::ApplyRedEye));
  // The picture left the lossless road: the note, the pixel grid, a red type button.
  EXPECT_EQ(view_.messages.back().text, kLossyNote);
  EXPECT_EQ(p->Frame().grid.BlockSize, 1);
  EXPECT_EQ(Record(*p).blockSize, 1);
  EXPECT_EQ(view_.fileTypes[0], "JPG red");
  // Return outside marking does nothing.
  const std::size_t before = view_.messages.size();
  EXPECT_TRUE(p->KeyPressed(K(Key::Return)));
  EXPECT_EQ(Record(*p).redEyeCoords, "210,110,256,156|");
  EXPECT_EQ(view_.messages.size(), before);
}

TEST_F(CorrectionCommandsTest, CtrlF3TakesTheLastRectangleBackFromTheFile) {
  WriteBoolSetting("ShowRedEyeMessage", false);
  auto p = ShowSample();
  const std::vector<ScreenRect> marks = {{100, 50, 33, 33}, {300, 200, 40, 25}};
  for (const ScreenRect& mark : marks) {
    p->Run(C::RedEyeFilter);
    frame_.marker = mark;
    p->Run(C::ApplyRedEye);
  }
  EXPECT_EQ(Record(*p).redEyeCoords, "210,110,256,156|610,410,670,440|");
  EXPECT_TRUE(view_.messages.size() <= 1u) << "only the lossy note; the marking note is off";

  EXPECT_TRUE(p->KeyPressed(K(Key::F3, true)));
  EXPECT_EQ(Record(*p).redEyeCoords, "210,110,256,156|");
  Picture first = Decoded();
  RedEyeFilter(first, {210, 110, 256, 156});
  EXPECT_TRUE(SamePixels(Shown(*p), first)) << "shown anew with the first rectangle only";
  EXPECT_TRUE(view_.Enabled(C::RedEyeRemove));
  EXPECT_EQ(p->Frame().grid.BlockSize, 1) << "still filtered";

  p->Run(C::RedEyeRemove);
  EXPECT_EQ(Record(*p).redEyeCoords, "");
  EXPECT_TRUE(SamePixels(Shown(*p), Decoded()));
  EXPECT_FALSE(view_.Enabled(C::RedEyeRemove));
  // Back on the lossless road.
  EXPECT_EQ(p->Frame().grid.BlockSize, 16);
  EXPECT_EQ(view_.fileTypes[0], "JPG");
}

TEST_F(CorrectionCommandsTest, EscapeAnotherPictureAndAFormatEndMarkingWithoutAFilter) {
  WriteBoolSetting("ShowRedEyeMessage", false);
  auto p = ShowSample();
  const std::string folder = view_.status[0];
  struct Case {
    const char* what;
    std::function<void()> end;
  };
  const Case cases[] = {
      {"Escape", [&] { EXPECT_TRUE(p->KeyPressed(K(Key::Escape))); }},
      {"another picture", [&] { EXPECT_TRUE(p->KeyPressed(K(Key::PageDown))); }},
      {"a format", [&] { p->FormatChosen(1); }},
  };
  for (const Case& c : cases) {
    p->Folder().ShowPicture(0, false);
    p->Frame().Run(SelectionCommand::HideOutside);
    const int dimming = p->Frame().MasterAlpha;
    p->Run(C::RedEyeFilter);
    ASSERT_TRUE(frame_.markerVisible) << c.what;
    c.end();
    EXPECT_FALSE(p->Corrections().Marking()) << c.what;
    EXPECT_FALSE(frame_.markerVisible) << c.what;
    EXPECT_TRUE(frame_.frameVisible) << c.what;
    EXPECT_EQ(p->Frame().MasterAlpha, dimming) << c.what;
    EXPECT_EQ(view_.status[0], folder) << c.what;
    EXPECT_FALSE(view_.Enabled(C::ApplyRedEye)) << c.what;
    EXPECT_FALSE(p->Folder().Records()[0].redEyeCoords.has_value()) << c.what;
  }
}

TEST_F(CorrectionCommandsTest, EveryCorrectionRefreshesTheMagnifierAfterThePictureChanged) {
  WriteBoolSetting("ShowRedEyeMessage", false);
  auto p = ShowSample();
  // The pointer rests over the picture: only a refresh shows what the command changed.
  p->PointerMoved(PointerTarget::Picture, true);
  ASSERT_TRUE(view_.magnifierShown);
  struct Step {
    const char* what;
    C command;
  };
  const Step steps[] = {{"red-eye marking", C::RedEyeFilter},
                        {"red-eye filter", C::ApplyRedEye},
                        {"red-eye filter taken back", C::RedEyeRemove},
                        {"automatic correction", C::AutoCorrect},
                        {"automatic correction undone", C::AutoCorrectUndo},
                        {"side stripes", C::Enlarge},
                        {"side stripes removed", C::EnlargeRemove}};
  for (const Step& step : steps) {
    frame_.marker = {100, 50, 33, 33};
    const int shown = view_.picturesShown + static_cast<int>(view_.partsRedrawn.size());
    const int refreshes = view_.magnifierRefreshes;
    ASSERT_TRUE(view_.Enabled(step.command)) << step.what;
    p->Run(step.command);
    EXPECT_GT(view_.magnifierRefreshes, refreshes) << step.what;
    EXPECT_FALSE(view_.magnifierStale) << step.what << ": refreshed before the picture changed";
    if (step.command != C::RedEyeFilter) {
      EXPECT_GT(view_.picturesShown + static_cast<int>(view_.partsRedrawn.size()), shown)
          << step.what << " changes the picture on screen";
    }
  }
}

TEST_F(CorrectionCommandsTest, AnEnlargedPictureRefusesTheRedEyeFilter) {
  auto p = ShowSample();
  p->Run(C::EnlargeButton);
  view_.messages.clear();
  p->Run(C::RedEyeFilter);
  ASSERT_EQ(view_.messages.size(), 1u);
  EXPECT_EQ(view_.messages[0].text,
            "Sie müssen den Filter gegen rote Augen anwenden bevor Sie das Bild erweitern.");
  EXPECT_EQ(view_.messages[0].width, 290);
  EXPECT_EQ(view_.messages[0].height, 150);
  EXPECT_FALSE(p->Corrections().Marking());
  EXPECT_FALSE(frame_.markerVisible);
}

TEST_F(CorrectionCommandsTest, ARectangleThatWouldNotFitTheListIsRefusedAndNothingIsCut) {
  WriteBoolSetting("ShowRedEyeMessage", false);
  auto p = ShowSample();
  // 66 entries of 15 characters: 990 characters; the next 16 would pass 1000.
  std::string full;
  for (int i = 0; i < 66; ++i) full += "1000,1000,1004|";
  ASSERT_EQ(full.size(), 990u);
  Record(*p).redEyeCoords = full;
  const Picture before = Shown(*p).clone();
  p->Run(C::RedEyeFilter);
  frame_.marker = {100, 50, 33, 33};
  p->Run(C::ApplyRedEye);
  ASSERT_FALSE(view_.messages.empty());
  EXPECT_EQ(view_.messages.back().text, kRedEyeListFullText);
  EXPECT_EQ(Record(*p).redEyeCoords, full);
  EXPECT_TRUE(SamePixels(Shown(*p), before));
  EXPECT_FALSE(p->Corrections().Marking());
  EXPECT_TRUE(frame_.frameVisible);
}

TEST_F(CorrectionCommandsTest, F4AppliesTheCorrectionAndUndoesItKeepingTheRedEyes) {
  WriteBoolSetting("ShowRedEyeMessage", false);
  auto p = ShowSample();
  p->Run(C::RedEyeFilter);
  frame_.marker = {100, 50, 33, 33};
  p->Run(C::ApplyRedEye);
  Picture filtered = Decoded();
  RedEyeFilter(filtered, {210, 110, 256, 156});
  view_.messages.clear();

  EXPECT_TRUE(p->KeyPressed(K(Key::F4)));
  Picture corrected = filtered.clone();
  AutoCorrectPicture(corrected);
  EXPECT_TRUE(SamePixels(Shown(*p), corrected));
  EXPECT_EQ(Record(*p).autoCorrection, true);
  EXPECT_TRUE(view_.Checked(C::CorrectionButton)) << "pressed while applied";
  EXPECT_TRUE(view_.Enabled(C::AutoCorrectUndo));
  EXPECT_FALSE(view_.Enabled(C::AutoCorrect));
  EXPECT_TRUE(view_.messages.empty()) << "already off the lossless road: no second note";

  // F4 again is the button again: it undoes.
  EXPECT_TRUE(p->KeyPressed(K(Key::F4)));
  EXPECT_EQ(Record(*p).autoCorrection, false);
  EXPECT_TRUE(SamePixels(Shown(*p), filtered)) << "shown anew: the red eyes stay filtered";
  EXPECT_FALSE(view_.Checked(C::CorrectionButton));
  EXPECT_TRUE(view_.Enabled(C::AutoCorrect));
  EXPECT_FALSE(view_.Enabled(C::AutoCorrectUndo));
  EXPECT_EQ(p->Frame().grid.BlockSize, 1) << "the red eyes keep it off the lossless road";
}

TEST_F(CorrectionCommandsTest, TheCorrectionTakesThePictureOffTheLosslessRoadAndItsUndoBack) {
  auto p = ShowSample();
  p->Run(C::AutoCorrect);
  ASSERT_EQ(view_.messages.size(), 1u);
  EXPECT_EQ(view_.messages[0].text, kLossyNote);
  EXPECT_EQ(view_.messages[0].key, "ShowLossySavingInfo2");
  EXPECT_EQ(view_.fileTypes[0], "JPG red");
  const int shown = p->Folder().CurrentPosition();
  p->TypeButtonClicked(shown);  // closed without a choice
  ASSERT_FALSE(view_.typeMenus.empty());
  EXPECT_FALSE(view_.typeMenus.back().items[0].enabled) << "no \"JPG (verlustfrei)\"";
  p->Run(C::AutoCorrectUndo);
  EXPECT_EQ(view_.fileTypes[0], "JPG");
  EXPECT_EQ(Record(*p).blockSize, 16);
  EXPECT_TRUE(SamePixels(Shown(*p), Decoded()));
  p->TypeButtonClicked(shown);
  EXPECT_TRUE(view_.typeMenus.back().items[0].enabled);
}

TEST_F(CorrectionCommandsTest, F5AddsStripesToTheFormatsRatioAndCtrlF5RemovesThem) {
  // 1600 x 1000 from the 1600 x 1200 sample, encoded by the program's own encoder.
  const auto bytes =
      RecodeJpegRect(kPhotos + "casio-ex-m2.jpg", 0, 0, 1600, 1000);
  std::ofstream(pictures_ / "a.jpg", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  auto p = Start();
  OpenAndWait(*p, pictures_.path());
  ASSERT_EQ(Shown(*p).height(), 1000);

  EXPECT_TRUE(p->KeyPressed(K(Key::F5)));
  const Picture& shown = Shown(*p);
  ASSERT_EQ(shown.width(), 1600);
  ASSERT_EQ(shown.height(), 1067) << "1066.67 rounded";
  Picture expected = Decoded();
  EXPECT_EQ(EnlargePicture(expected, StripeColor{}, true, true, 1.5), (StripeOffset{0, 33}));
  EXPECT_TRUE(SamePixels(shown, expected)) << "stripes of 33 and 34 pixels";
  EXPECT_EQ(Colour(shown, 5, 32), 0xFFFFFFu);
  EXPECT_EQ(Colour(shown, 5, 1033), 0xFFFFFFu);
  EXPECT_EQ(view_.status[1], "Bild: (1600x1067)");
  EXPECT_EQ(view_.status[2], "Auswahl: (1,1) (1600x1067)");
  EXPECT_FALSE(frame_.frameVisible);
  EXPECT_EQ(Record(*p).enlarge, true);
  EXPECT_EQ(Record(*p).pictureHeight, 1000) << "the record keeps the picture's own size";
  EXPECT_TRUE(view_.Checked(C::EnlargeButton));
  EXPECT_TRUE(view_.Enabled(C::EnlargeRemove));
  EXPECT_FALSE(view_.Enabled(C::Enlarge));
  for (C id : {C::StepLeft, C::Centre, C::Grow, C::Maximise, C::TurnSelection, C::HideOutside})
    EXPECT_FALSE(view_.Enabled(id)) << Row(id).name << ": no selection while enlarged";
  EXPECT_EQ(frame_.viewGeometry, (ScreenRect{0, 33, 800, 534}))
      << "the view fits the enlarged picture (533.5 rounded to even)";
  EXPECT_EQ(p->Frame().DisplayAlpha(), 255) << "shown whole, not dimmed";
  EXPECT_EQ(view_.fileTypes[0], "JPG red");

  EXPECT_TRUE(p->KeyPressed(K(Key::F5, true)));
  EXPECT_TRUE(SamePixels(Shown(*p), Decoded()));
  EXPECT_EQ(Record(*p).enlarge, false);
  EXPECT_TRUE(frame_.frameVisible);
  EXPECT_FALSE(view_.Checked(C::EnlargeButton));
  EXPECT_EQ(view_.status[1], "Bild: (1600x1000)");
  EXPECT_EQ(p->Frame().DisplayAlpha(), 105);
  EXPECT_EQ(view_.fileTypes[0], "JPG");
}

TEST_F(CorrectionCommandsTest, StripesOnScreenFollowTheProportionsEditedInTheFormatDialog) {
  // 1600 x 1000 with stripes to "10 x 15" (1.5); the dialog makes it 1800 x 1000 (1.8).
  const auto bytes = RecodeJpegRect(kPhotos + "casio-ex-m2.jpg", 0, 0, 1600, 1000);
  std::ofstream(pictures_ / "a.jpg", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  auto p = Start();
  OpenAndWait(*p, pictures_.path());
  p->Run(C::EnlargeButton);
  ASSERT_EQ(Shown(*p).height(), 1067);
  view_.formatDialog.script = [](FormatDialogPresenter& d) {
    EXPECT_TRUE(d.CellEdited(FormatGrid::kScalable, 0, 2, "1000"));
    EXPECT_TRUE(d.CloseRequested());
  };
  p->Run(C::FormatDefinitions);
  Picture expected = Decoded();
  EXPECT_EQ(EnlargePicture(expected, StripeColor{}, true, true, 1.8), (StripeOffset{100, 0}));
  EXPECT_TRUE(SamePixels(Shown(*p), expected)) << "stripes of 100 pixels left and right";
  EXPECT_EQ(Record(*p).enlarge, true);
  EXPECT_TRUE(view_.Checked(C::EnlargeButton));
  EXPECT_FALSE(frame_.frameVisible);
  EXPECT_EQ(view_.status[1], "Bild: (1800x1000)");
}

TEST_F(CorrectionCommandsTest, TheStripesFollowTheSettings) {
  struct Case {
    bool left, right;
    int colour;
    int width;        // of the enlarged 1600 x 1200 picture at ratio 1.5
    int pictureLeft;  // where the picture lies in it
    std::uint32_t stripe;
  };
  const Case cases[] = {
      {true, true, 0, 1800, 100, 0xFFFFFF},
      {true, false, 1, 1800, 200, 0x000000},
      {false, true, 2, 1800, 0, 0x7F7F7F},
      {false, false, 3, 1600, 0, 0},
      {true, true, 9, 1800, 100, 0xFFFFFF},  // an index no dialog writes: white
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.left) + std::to_string(c.right) + std::to_string(c.colour));
    WriteBoolSetting("Enlarge\\Left", c.left);
    WriteBoolSetting("Enlarge\\Right", c.right);
    WriteIntSetting("Enlarge\\Color", c.colour);
    std::filesystem::remove_all(pictures_.path());
    std::filesystem::create_directory(pictures_.path());
    auto p = ShowSample();
    p->Run(C::EnlargeButton);
    const Picture& shown = Shown(*p);
    EXPECT_EQ(shown.width(), c.width);
    EXPECT_EQ(shown.height(), 1200);
    EXPECT_EQ(p->Folder().Corrections().stripeOffset, (StripeOffset{c.pictureLeft, 0}));
    EXPECT_TRUE(p->Folder().Corrections().enlarged) << "counts as enlarged without stripes too";
    EXPECT_FALSE(frame_.frameVisible);
    if (c.width > 1600) {
      EXPECT_EQ(Colour(shown, c.pictureLeft == 0 ? 1799 : 0, 600), c.stripe);
    }
  }
}

TEST_F(CorrectionCommandsTest, ShowingAnEnlargedAndCorrectedPictureAgainGivesWhatTheCommandsShowed) {
  WriteBoolSetting("ShowRedEyeMessage", false);
  auto p = ShowSample();
  p->Run(C::RedEyeFilter);
  frame_.marker = {100, 50, 33, 33};
  p->Run(C::ApplyRedEye);
  p->Run(C::EnlargeButton);
  p->Run(C::CorrectionButton);
  const Picture onScreen = Shown(*p).clone();
  p->Run(C::NextPicture);
  p->Run(C::PreviousPicture);
  EXPECT_TRUE(SamePixels(Shown(*p), onScreen))
      << "the stripes stay out of the correction, as when the picture is shown";
  EXPECT_FALSE(frame_.frameVisible);
  EXPECT_TRUE(view_.Checked(C::EnlargeButton));
  EXPECT_TRUE(view_.Checked(C::CorrectionButton));
  EXPECT_TRUE(view_.Enabled(C::RedEyeRemove));
}

TEST_F(CorrectionCommandsTest, WithAFixedFormatTheStripesAreOff) {
  auto p = ShowSample();
  p->FormatChosen(fixedFormat_);
  EXPECT_FALSE(view_.Enabled(C::EnlargeButton));
  EXPECT_FALSE(view_.Enabled(C::Enlarge));
  p->Run(C::EnlargeButton);
  EXPECT_FALSE(p->Folder().Corrections().enlarged);
}

}  // namespace
}  // namespace trimora
