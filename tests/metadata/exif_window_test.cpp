// The EXIF/IPTC window's behaviour over a recording window: the text it shows (the same as
// `trimora exif` prints, with 8-bit texts of the file read as Windows-1252), opening, following
// the picture on show, hiding, and the swap of the active look.
#include "metadata/exif_window.h"

#include <gtest/gtest.h>

#include "test_util.h"

namespace trimora::metadata {
namespace {

using namespace testing;

const std::string kPhotos = std::string(TRIMORA_TESTDATA_DIR) + "/photos/";

class RecordingWindow : public ExifWindowView {
 public:
  void SetExifText(const std::string& t) override {
    text = t;
    ++texts;
  }
  void SetExifWindowVisible(bool v) override { visible = v; }
  void SetExifWindowLook(bool active) override { lookActive = active; }

  std::string text = "<none yet>";
  int texts = 0;
  bool visible = false;
  bool lookActive = false;
};

TEST(ExifWindowText, IsTheInformationTextOfTheFileWithAndWithoutExifAndOnErrors) {
  TempFolder folder;
  // A first directory beyond the Exif section: the text ends in the three error lines.
  auto tiff = BuildTiff(ByteOrder::Intel, {{{Ascii(0x010F, "X")}}});
  tiff[7] = 0x70;
  WriteFile(folder.File("broken-exif.jpg"), Jpeg({App1(ExifSection(tiff))}));
  struct Case {
    std::string path;
    std::string expectedStart;
    std::string expectedEnd;
  };
  const Case cases[] = {
      {kPhotos + "canon-ixus.jpg", " -- EXIF Summary -(short)--- \r\ncanon-ixus.jpg ", "\r\n"},
      {kPhotos + "not-a-jpeg.jpg",
       "-- All EXIF-Data -------------- \r\nErrStr = Not an EXIF file\r\n", ""},
      {folder.File("missing.jpg"), "-- All EXIF-Data -------------- \r\nErrStr = \r\n", ""},
      {folder.File("broken-exif.jpg"), " -- EXIF Summary -(short)--- \r\n",
       "ErrStr = Illegal Exif construction\r\n !!!!!!!!!!!!!!!!!!!!!!\r\n ! ERROR READING DATA "
       "!\r\n !!!!!!!!!!!!!!!!!!!!!!\r\n"},
  };
  for (const Case& c : cases) {
    RecordingWindow window;
    ExifWindowPresenter p(window);
    p.ShowExifFor(c.path);
    EXPECT_EQ(window.text, BuildInfoText(c.path)) << c.path;
    EXPECT_EQ(window.text.rfind(c.expectedStart, 0), 0u) << window.text;
    ASSERT_GE(window.text.size(), c.expectedEnd.size());
    EXPECT_EQ(window.text.substr(window.text.size() - c.expectedEnd.size()), c.expectedEnd)
        << window.text;
    EXPECT_FALSE(window.visible) << "ShowExifFor does not show the window";
  }
}

TEST(ExifWindowText, ReadsLinesThatAreNotUtf8AsWindows1252) {
  EXPECT_EQ(DisplayText("Make = Canon\r\nÜber\r\n"), "Make = Canon\r\nÜber\r\n");
  EXPECT_EQ(DisplayText("Make = Canon\r\nGr\xFC\xDF"
                        "e \x80\r\nÜber\r\n"),
            "Make = Canon\r\nGrüße €\r\nÜber\r\n");
  EXPECT_EQ(DisplayText("ohne Zeilenende \xE9"), "ohne Zeilenende é");

  // A comment written by an 8-bit picture tool, behind an Exif block.
  TempFolder folder;
  const std::string path = folder.File("comment.jpg");
  WriteFile(path, Jpeg({App1(ExifSection(BuildTiff(ByteOrder::Intel, {{{Ascii(0x010F, "X")}}}))),
                        {0xFE,
                         "Gr\xFC\xDF"
                         "e aus K\xF6ln"}}));
  RecordingWindow window;
  ExifWindowPresenter p(window);
  p.ShowExifFor(path);
  EXPECT_NE(window.text.find(" Comment Segment Available\r\nGrüße aus Köln\r\n"), std::string::npos)
      << window.text;
}

TEST(ExifWindow, OpensWithTheCurrentPictureAndFollowsEveryShownPictureWhileVisible) {
  RecordingWindow window;
  ExifWindowPresenter p(window);
  p.Start(false);
  EXPECT_FALSE(window.visible);
  const std::string a = kPhotos + "canon-ixus.jpg", b = kPhotos + "casio-ex-m2.jpg";

  p.PictureShown(a, false);
  EXPECT_EQ(window.texts, 0) << "a hidden window does not follow";
  p.Open(b);
  EXPECT_TRUE(window.visible);
  EXPECT_EQ(window.text, BuildInfoText(b)) << "the current picture, not an older one";
  p.PictureShown(a, false);
  EXPECT_EQ(window.text, BuildInfoText(a));
  p.PictureShown(b, true);
  EXPECT_EQ(window.text, BuildInfoText(a)) << "showing the same picture again is no new picture";
  p.Hide();
  EXPECT_FALSE(window.visible);
  EXPECT_FALSE(p.Visible());
  p.PictureShown(b, false);
  EXPECT_EQ(window.text, BuildInfoText(a));
}

TEST(ExifWindow, StartsOpenAndEmptyWhenItWasOpenAndSwapsTheActiveLook) {
  RecordingWindow window;
  ExifWindowPresenter p(window);
  p.Start(true);
  EXPECT_TRUE(window.visible);
  EXPECT_TRUE(p.Visible());
  EXPECT_EQ(window.texts, 0) << "empty until a picture is shown";
  p.Activated(true);
  EXPECT_TRUE(window.lookActive);
  p.Activated(false);
  EXPECT_FALSE(window.lookActive);
}

}  // namespace
}  // namespace trimora::metadata
