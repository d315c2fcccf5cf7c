#include "photo_jpeg.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

namespace trimora::bench {

void MakePhotoLikeJpeg(const std::string& jpegPath, int width, int height, unsigned seed) {
  const std::string ppm = jpegPath + ".ppm";
  {
    std::ofstream out(ppm, std::ios::binary);
    out << "P6\n" << width << " " << height << "\n255\n";
    std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
    std::mt19937 random(seed);
    auto clamp = [](int v) { return static_cast<unsigned char>(v < 0 ? 0 : v > 255 ? 255 : v); };
    const int shift = static_cast<int>(seed % 8) * 29;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const int noise = static_cast<int>(random() % 17) - 8;
        const int wave = ((x / 40 + y / 30) % 7) * 9;
        const std::size_t i = static_cast<std::size_t>(x) * 3;
        row[i] = clamp((x * 200 / width + wave + shift) % 256 + noise);
        row[i + 1] = clamp(y * 180 / height + 40 + noise);
        row[i + 2] = clamp(((x * x + y * y) >> 14) % 160 + 50 - wave + noise);
      }
      out.write(reinterpret_cast<const char*>(row.data()),
                static_cast<std::streamsize>(row.size()));
    }
  }
  const std::string command = "cjpeg -quality 90 -outfile '" + jpegPath + "' '" + ppm + "'";
  const int status = std::system(command.c_str());
  std::filesystem::remove(ppm);
  if (status != 0) {
    std::fprintf(stderr, "cjpeg failed for %s\n", jpegPath.c_str());
    std::exit(1);
  }
}

}  // namespace trimora::bench
