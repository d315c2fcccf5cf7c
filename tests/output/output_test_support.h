// Small helpers of the output tests: temporary folders, whole-file reads, running programs.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../outside_readers.h"

namespace trimora::test {

using Bytes = std::vector<std::uint8_t>;

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "trimora-output-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string Path(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

// Runs a shell command; returns its exit code.
inline int Run(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs a shell command and returns what it printed on standard output.
inline std::string Capture(const std::string& command) {
  std::string out;
  if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
      out.append(buffer.data(), n);
    ::pclose(pipe);
  }
  return out;
}

}  // namespace trimora::test

#include "imaging/picture.h"

namespace trimora::test {

// The sample photograph `name` of the shared test data (read only).
inline std::string SamplePhoto(const std::string& name) {
  return std::string(TRIMORA_TESTDATA_DIR) + "/photos/" + name;
}

// Copies a sample photograph into `folder` under `as` and returns the copy's path.
inline std::string CopySample(const TempFolder& folder, const std::string& name,
                              const std::string& as) {
  const std::string to = folder.Path(as);
  std::filesystem::copy_file(SamplePhoto(name), to,
                             std::filesystem::copy_options::overwrite_existing);
  std::filesystem::permissions(
      to, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  return to;
}

// A picture with smooth gradients and a little texture, so that JPEG coding has real work.
inline Picture TestPattern(int width, int height) {
  Picture p(width, height);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* px = p.row(y);
    for (int x = 0; x < width; ++x, px += 4) {
      px[0] = static_cast<std::uint8_t>((x * 255) / std::max(1, width - 1));
      px[1] = static_cast<std::uint8_t>((y * 255) / std::max(1, height - 1));
      px[2] = static_cast<std::uint8_t>(((x / 7) ^ (y / 5)) * 37);
      px[3] = 0xFF;
    }
  }
  return p;
}

// Writes a picture as binary PPM.
inline void WritePpm(const std::string& path, const Picture& p) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << p.width() << " " << p.height() << "\n255\n";
  for (int y = 0; y < p.height(); ++y) {
    const std::uint8_t* px = p.row(y);
    for (int x = 0; x < p.width(); ++x, px += 4) {
      const char rgb[3] = {static_cast<char>(px[2]), static_cast<char>(px[1]),
                           static_cast<char>(px[0])};
      out.write(rgb, 3);
    }
  }
}

// Makes a JPEG file of the test pattern with cjpeg ("-sample" factors such as "2x2" or "4x1").
inline std::string MakeJpeg(const TempFolder& folder, const std::string& name, int width,
                            int height, const std::string& sample = "2x2") {
  const std::string ppm = folder.Path(name + ".ppm");
  WritePpm(ppm, TestPattern(width, height));
  const std::string path = folder.Path(name);
  Run("cjpeg -quality 90 -sample " + sample + " -outfile '" + path + "' '" + ppm + "'");
  std::filesystem::remove(ppm);
  return path;
}

// Decodes a JPEG file with djpeg into RGB bytes (the PPM's pixel part).
inline Bytes DjpegPixels(const std::string& path) {
  const std::string out = Capture("djpeg -pnm '" + path + "' 2>/dev/null");
  // "P6\n<w> <h>\n255\n": skip three lines.
  std::size_t at = 0;
  for (int line = 0; line < 3 && at != std::string::npos; ++line) at = out.find('\n', at) + 1;
  return at == 0 || at > out.size()
             ? Bytes()
             : Bytes(out.begin() + static_cast<std::ptrdiff_t>(at), out.end());
}

}  // namespace trimora::test
