// The crop-and-save run writes what the screen promised: a picture filtered, corrected or
// enlarged through the window's commands is written by the decoding road with the same
// corrections, in the order of the save run (red-eye rectangles, stripes, cut, then the
// correction over the cut part). The file is read back by Qt's own PNG and BMP readers and
// compared pixel for pixel with the corrections computed here from their definitions.
#include <gtest/gtest.h>
#include <QImage>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <vector>

#include "imaging/jpeg_codec.h"
#include "main_presenter_fixture.h"
#include "output/crop_and_save.h"
#include "platform/paths.h"
#include "platform/settings.h"

namespace trimora {
namespace {

using C = CommandId;

// Pixels as red, green, blue triples, row by row.
struct Rgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};
struct Image {
  int width = 0, height = 0;
  std::vector<Rgb> px;
  Rgb& at(int x, int y) { return px[static_cast<std::size_t>(y) * width + x]; }
  const Rgb& at(int x, int y) const { return px[static_cast<std::size_t>(y) * width + x]; }
};

Image FromPicture(const Picture& p) {
  Image out{p.width(), p.height(), {}};
  for (int y = 0; y < p.height(); ++y)
    for (int x = 0; x < p.width(); ++x) {
      const std::uint8_t* q = p.row(y) + 4 * x;
      out.px.push_back({q[2], q[1], q[0]});
    }
  return out;
}

Image FromFile(const std::string& path) {
  const QImage read(QString::fromStdString(path));
  if (read.isNull()) return {};
  const QImage image = read.convertToFormat(QImage::Format_RGB32);
  Image out{image.width(), image.height(), {}};
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y);
      out.px.push_back({qRed(c), qGreen(c), qBlue(c)});
    }
  return out;
}

// Rounding to the nearest integer, ties to the even one.
int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

// The red-eye filter of one rectangle: single-precision values, products with a colour byte in
// double precision.
void RedEye(Image& image, int left, int top, int right, int bottom) {
  for (int y = std::max(0, top); y < std::min(bottom, image.height); ++y)
    for (int x = std::max(0, left); x < std::min(right, image.width); ++x) {
      Rgb& p = image.at(x, y);
      float s = static_cast<float>(p.g + p.b);
      if (s < 1) s = 1;
      const float q =
          p.g > 1 ? static_cast<float>(p.b) / static_cast<float>(p.g) : static_cast<float>(p.b);
      float h = std::sqrt(q);
      h = std::min(1.5f, std::max(0.5f, h));
      const float m = static_cast<float>(static_cast<double>(p.r) / s * h);
      if (m <= 0.7) continue;
      float t = static_cast<float>(1.775 - (0.75 * m + 0.25));
      if (t < 0) t = 0;
      const float w = t * t;
      const float fb = static_cast<float>(1 - (1 - static_cast<double>(w)) / 2);
      const float fg = static_cast<float>(1 - (1 - static_cast<double>(w)) / 4);
      p = {RoundEven(p.r * static_cast<double>(w)), RoundEven(p.g * static_cast<double>(fg)),
           RoundEven(p.b * static_cast<double>(fb))};
    }
}

// The side stripes for `ratio`, both sides, white.
Image Enlarged(const Image& image, double ratio) {
  const int W = image.width, H = image.height;
  if (ratio < 1) ratio = 1 / ratio;
  int w = W, h = H;
  if (H <= W) {
    if (ratio >= static_cast<double>(W) / H)
      w = RoundEven(H * ratio);
    else
      h = RoundEven(W / ratio);
  } else {
    if (ratio >= static_cast<double>(H) / W)
      h = RoundEven(W * ratio);
    else
      w = RoundEven(H / ratio);
  }
  Image out{w, h, std::vector<Rgb>(static_cast<std::size_t>(w) * h, Rgb{255, 255, 255})};
  const int ox = (w - W) / 2, oy = (h - H) / 2;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) out.at(ox + x, oy + y) = image.at(x, y);
  return out;
}

Image Cut(const Image& image, int left, int top, int width, int height) {
  Image out{width, height, {}};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) out.px.push_back(image.at(left + x, top + y));
  return out;
}

// The horizontal three-pixel median, then the tonal-value stretch with a clip share of 2%.
void Correct(Image& image) {
  for (int y = 0; y < image.height; ++y) {
    if (image.width < 3) continue;
    std::vector<Rgb> row(image.px.begin() + static_cast<long>(y) * image.width,
                         image.px.begin() + static_cast<long>(y + 1) * image.width);
    for (int x = 1; x + 1 < image.width; ++x) {
      auto median = [](int a, int b, int c) {
        return std::max(std::min(a, b), std::min(std::max(a, b), c));
      };
      image.at(x, y) = {median(row[x - 1].r, row[x].r, row[x + 1].r),
                        median(row[x - 1].g, row[x].g, row[x + 1].g),
                        median(row[x - 1].b, row[x].b, row[x + 1].b)};
    }
  }
  std::array<long long, 256> counts{};
  for (const Rgb& p : image.px) {
    ++counts[p.r];
    ++counts[p.g];
    ++counts[p.b];
  }
  const long long n = 3LL * image.width * image.height;
  const long long c = static_cast<long long>(std::nearbyint(n * 0.02));
  int low = 255, high = 0;
  long long sum = 0;
  for (int i = 0; i < 256; ++i) {
    sum += counts[i];
    if (sum > c) {
      low = i;
      break;
    }
  }
  sum = 0;
  for (int i = 255; i >= 0; --i) {
    sum += counts[i];
    if (sum > c) {
      high = i;
      break;
    }
  }
  const int range = high - low == 0 ? 1 : high - low;
  auto map = [&](int v) { return std::clamp(low + (v - low) * 255 / range, 0, 255); };
  for (Rgb& p : image.px) p = {map(p.r), map(p.g), map(p.b)};
}

// Where the images differ first, or "" when they are equal.
std::string FirstDifference(const Image& written, const Image& expected) {
  if (written.width != expected.width || written.height != expected.height) {
    return "size " + std::to_string(written.width) + "x" + std::to_string(written.height) +
           " instead of " + std::to_string(expected.width) + "x" + std::to_string(expected.height);
  }
  for (int y = 0; y < written.height; ++y)
    for (int x = 0; x < written.width; ++x) {
      const Rgb& a = written.at(x, y);
      const Rgb& b = expected.at(x, y);
      if (!(a == b)) {
        return "pixel " + std::to_string(x) + "," + std::to_string(y) + ": " + std::to_string(a.r) +
               " " + std::to_string(a.g) + " " + std::to_string(a.b) + " instead of " +
               std::to_string(b.r) + " " + std::to_string(b.g) + " " + std::to_string(b.b);
      }
    }
  return "";
}

class SavePromiseTest : public testing::MainPresenterFixture {
 protected:
  void SetUp() override {
    MainPresenterFixture::SetUp();
    frame_.panelWidth = 800;  // the 1600 x 1200 picture at half its size
    frame_.panelHeight = 600;
    WriteBoolSetting("ShowRedEyeMessage", false);
  }
};

TEST_F(SavePromiseTest, ThePictureIsWrittenWithTheCorrectionsTheScreenShowed) {
  struct Case {
    const char* what;
    bool redEye, correction, stripes;
    int typeItem;  // of the type menu: 3 "BMP (verlustfrei)", 4 "PNG (verlustfrei)"
    const char* type;
  };
  const Case cases[] = {
      {"red eyes", true, false, false, 4, "PNG"},
      {"correction", false, true, false, 4, "PNG"},
      {"red eyes and correction", true, true, false, 3, "BMP"},
      {"red eyes and stripes", true, false, true, 4, "PNG"},
      {"everything", true, true, true, 4, "PNG"},
      {"stripes and correction", false, true, true, 3, "BMP"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::TempFolder pictures, dest;
    std::filesystem::copy_file(kPhotos + "casio-ex-m2.jpg", pictures / "a.jpg");
    auto p = Start();
    OpenAndWait(*p, pictures.path());
    // A selection off the centre, so that the cut is not the whole picture.
    p->Run(C::Minimise);
    for (int i = 0; i < 20; ++i) p->Run(C::Grow);
    p->Run(C::EdgeRight);
    if (c.redEye) {
      for (const ScreenRect& mark : {ScreenRect{100, 50, 33, 33}, ScreenRect{450, 300, 60, 40}}) {
        p->KeyPressed(K(Key::F3));
        frame_.marker = mark;
        p->KeyPressed(K(Key::Return));
      }
    }
    if (c.correction) p->KeyPressed(K(Key::F4));
    if (c.stripes) p->KeyPressed(K(Key::F5));
    view_.typeAnswers = {c.typeItem};
    p->TypeButtonClicked(0);
    const CuttingRecord record = p->Folder().Records()[0];
    ASSERT_EQ(record.fileType, c.type);
    ASSERT_EQ(record.blockSize, 1);
    ASSERT_TRUE(record.saveIt.value_or(false));
    view_.chosenFolder = dest.path();
    p->Run(C::CropAndSave);
    ASSERT_TRUE(view_.errors.empty()) << view_.errors.front();

    Image expected = FromPicture(DecodeJpegFile(pictures / "a.jpg"));
    if (c.redEye) {
      RedEye(expected, 210, 110, 256, 156);
      RedEye(expected, 910, 610, 1010, 680);
    }
    if (c.stripes) {
      expected = Enlarged(expected, 1.5);
    } else {
      expected = Cut(expected, *record.x, *record.y, *record.width, *record.height);
      ASSERT_LT(expected.width, 1600);
    }
    if (c.correction) Correct(expected);
    const std::string written = OutputName(WithTrailingSeparator(dest.path()), "a.jpg", c.type);
    const Image read = FromFile(written);
    ASSERT_GT(read.width, 0) << "Qt's reader cannot read " << written;
    EXPECT_EQ(FirstDifference(read, expected), "");
  }
}

}  // namespace
}  // namespace trimora
