#include "imaging_test_support.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <unistd.h>

namespace trimora::testing {

std::string SamplePhoto(const std::string& name) {
  return std::string(TRIMORA_TESTDATA_DIR) + "/photos/" + name;
}

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() /
          ("trimora-imaging-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::file(const std::string& name) const { return (path_ / name).string(); }

bool RunCommand(const std::string& commandLine) { return std::system(commandLine.c_str()) == 0; }

Picture ReadPpm(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int width = 0, height = 0, maxval = 0;
  in >> magic >> width >> height >> maxval;
  if (!in || magic != "P6" || maxval != 255 || width <= 0 || height <= 0)
    throw std::runtime_error("not a binary PPM: " + path);
  in.get();
  std::vector<char> bytes(static_cast<std::size_t>(width) * height * 3);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!in) throw std::runtime_error("short PPM: " + path);
  Picture picture(width, height);
  std::uint8_t* out = picture.data();
  for (std::size_t i = 0; i < bytes.size(); i += 3, out += 4) {
    out[0] = static_cast<std::uint8_t>(bytes[i + 2]);
    out[1] = static_cast<std::uint8_t>(bytes[i + 1]);
    out[2] = static_cast<std::uint8_t>(bytes[i]);
    out[3] = 0xFF;
  }
  return picture;
}

Picture MakePicture(int width, int height, const std::vector<Rgb>& pixels) {
  if (pixels.size() != static_cast<std::size_t>(width) * height)
    throw std::logic_error("pixel count does not match the size");
  Picture picture(width, height);
  std::uint8_t* out = picture.data();
  for (const Rgb& p : pixels) {
    out[0] = static_cast<std::uint8_t>(p.b);
    out[1] = static_cast<std::uint8_t>(p.g);
    out[2] = static_cast<std::uint8_t>(p.r);
    out[3] = 0xFF;
    out += 4;
  }
  return picture;
}

Picture FilledPicture(int width, int height, Rgb colour) {
  return MakePicture(width, height,
                     std::vector<Rgb>(static_cast<std::size_t>(width) * height, colour));
}

void PaintRect(Picture& picture, int x0, int y0, int x1, int y1, Rgb colour) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      std::uint8_t* p = picture.row(y) + 4 * x;
      p[0] = static_cast<std::uint8_t>(colour.b);
      p[1] = static_cast<std::uint8_t>(colour.g);
      p[2] = static_cast<std::uint8_t>(colour.r);
    }
}

Rgb PixelAt(const Picture& picture, int x, int y) {
  const std::uint8_t* p = picture.row(y) + 4 * x;
  return {p[2], p[1], p[0]};
}

int AlphaAt(const Picture& picture, int x, int y) { return picture.row(y)[4 * x + 3]; }

bool SamePixels(const Picture& a, const Picture& b) {
  return a.width() == b.width() && a.height() == b.height() &&
         std::equal(a.data(), a.data() + a.byteCount(), b.data());
}

}  // namespace trimora::testing
