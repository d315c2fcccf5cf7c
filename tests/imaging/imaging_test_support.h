// Helpers for the picture tests: sample paths, a temporary folder, running djpeg and reading
// its PPM output, and building small pictures pixel by pixel.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "imaging/picture.h"

namespace trimora::testing {

// The path of a sample photograph.
std::string SamplePhoto(const std::string& name);

// A fresh folder under the system's temporary folder, removed with the object.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  // The path of `name` inside the folder.
  std::string file(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

// Runs a shell command line; true when it exited with 0.
bool RunCommand(const std::string& commandLine);

// Reads a binary PPM (P6, maxval 255) into a picture (fourth byte FF); throws on anything else.
Picture ReadPpm(const std::string& path);

// One pixel in the order people write it.
struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};

// A picture of `width` x `height` whose pixels are `pixels` row by row (alpha FF).
Picture MakePicture(int width, int height, const std::vector<Rgb>& pixels);

// A picture filled with one colour.
Picture FilledPicture(int width, int height, Rgb colour);

// Paints columns x0 to x1 - 1 of rows y0 to y1 - 1 in one colour.
void PaintRect(Picture& picture, int x0, int y0, int x1, int y1, Rgb colour);

// The colour of pixel (x, y).
Rgb PixelAt(const Picture& picture, int x, int y);

// The alpha byte of pixel (x, y).
int AlphaAt(const Picture& picture, int x, int y);

// Both pictures have the same size and bytes.
bool SamePixels(const Picture& a, const Picture& b);

}  // namespace trimora::testing
