#include "metadata/exif_edit.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "metadata/byte_reader.h"
#include "metadata/exif_decoder.h"
#include "platform/error.h"

namespace trimora::metadata {
namespace {

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Error("Die Datei \"" + path + "\" kann nicht gelesen werden.");
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
  if (in.bad()) throw Error("Die Datei \"" + path + "\" kann nicht gelesen werden.");
  return bytes;
}

void WriteReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  namespace fs = std::filesystem;
  const fs::path target(path);
  fs::path temp = target;
  temp += ".exif-" + std::to_string(::getpid()) + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::error_code ec;
      fs::remove(temp, ec);
      throw Error("Die Datei \"" + path + "\" kann nicht geschrieben werden.");
    }
  }
  std::error_code ec;
  fs::rename(temp, target, ec);
  if (ec) {
    fs::remove(temp, ec);
    throw Error("Die Datei \"" + path + "\" kann nicht ersetzt werden.");
  }
}

}  // namespace

bool IsExifSection(std::span<const std::uint8_t> section) {
  return section.size() >= 10 && std::memcmp(section.data() + 2, "Exif\0", 5) == 0 &&
         ((section[8] == 'I' && section[9] == 'I') || (section[8] == 'M' && section[9] == 'M'));
}

std::vector<std::uint8_t> EditExifSection(std::span<const std::uint8_t> section,
                                          const ExifEdit& edit) {
  if (!IsExifSection(section)) throw Error("Der Block enthält keine Exif-Daten.");
  std::vector<std::uint8_t> bytes(section.begin(), section.end());
  try {
    ExifDecoder decoder(bytes);
    if (edit.swapPictureSize) decoder.SwapPictureSize();
    if (edit.pictureSize) decoder.SetPictureSize(edit.pictureSize->width, edit.pictureSize->height);
    if (edit.resetOrientation) decoder.ResetOrientation();
    if (edit.removeThumbnail) decoder.RemoveThumbnail();
  } catch (const ParseError&) {
    throw Error("Die Exif-Daten sind fehlerhaft.");
  }
  if (bytes.size() > 0xFFFF) throw Error("Die Exif-Daten sind zu groß.");
  WriteNumber(bytes, 0, 2, static_cast<std::uint32_t>(bytes.size()), ByteOrder::Motorola);
  return bytes;
}

std::optional<std::vector<std::uint8_t>> EditJpegExif(std::span<const std::uint8_t> file,
                                                      const ExifEdit& edit) {
  if (file.size() < 4 || file[0] != 0xFF || file[1] != 0xD8) {
    throw Error("Die Datei ist keine JPEG-Datei.");
  }
  // Walk the segments up to the picture data and find the first Exif segment.
  std::size_t at = 2;
  while (at + 4 <= file.size()) {
    if (file[at] != 0xFF) return std::nullopt;
    const std::uint8_t marker = file[at + 1];
    if (marker == 0xFF) {
      ++at;  // fill byte
      continue;
    }
    if (marker == 0xD9 || marker == 0xDA) return std::nullopt;
    const std::size_t length = static_cast<std::size_t>(file[at + 2] << 8 | file[at + 3]);
    if (length < 2 || length > file.size() - at - 2) return std::nullopt;
    const std::span<const std::uint8_t> section = file.subspan(at + 2, length);
    if (marker == 0xE1 && IsExifSection(section)) {
      const std::vector<std::uint8_t> edited = EditExifSection(section, edit);
      std::vector<std::uint8_t> out;
      out.reserve(file.size());
      out.insert(out.end(), file.begin(), file.begin() + static_cast<std::ptrdiff_t>(at + 2));
      out.insert(out.end(), edited.begin(), edited.end());
      out.insert(out.end(), file.begin() + static_cast<std::ptrdiff_t>(at + 2 + length),
                 file.end());
      return out;
    }
    at += 2 + length;
  }
  return std::nullopt;
}

bool EditJpegFileExif(const std::string& path, const ExifEdit& edit) {
  const std::vector<std::uint8_t> file = ReadWholeFile(path);
  std::optional<std::vector<std::uint8_t>> edited;
  try {
    edited = EditJpegExif(file, edit);
  } catch (const Error& e) {
    throw Error("\"" + path + "\": " + e.what());
  }
  if (!edited) return false;
  WriteReplacing(path, *edited);
  return true;
}

}  // namespace trimora::metadata
