// Small helpers shared by the metadata tests.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "exif_builder.h"
#include "metadata/info_text.h"
#include "metadata/jpeg_metadata.h"

namespace trimora::metadata::testing {

// A folder of its own under the system's temporary folder, removed at the end.
class TempFolder {
 public:
  TempFolder() {
    path_ = std::filesystem::temp_directory_path() /
            ("trimora-metadata-" + std::to_string(::getpid()) + "-" + std::to_string(counter()++));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  static int& counter() {
    static int n = 0;
    return n;
  }
  std::filesystem::path path_;
};

// The information text of a JPEG file made from the given bytes.
inline std::string TextOf(const std::vector<std::uint8_t>& file,
                          const std::string& name = "t.jpg") {
  TempFolder folder;
  WriteFile(folder.File(name), file);
  return BuildInfoText(folder.File(name));
}

// Reads an Exif section as the single segment of a JPEG file.
inline void ReadSection(JpegMetadata& reader, const std::vector<std::uint8_t>& section) {
  reader.ReadMetadataFromBytes(Jpeg({App1(section)}), "t.jpg");
}

// The Data of the first Exif value with that label, or "<missing>".
inline std::string DataOf(const std::vector<TagEntry>& values, std::string_view label) {
  for (const TagEntry& e : values) {
    if (e.Label == label) return e.Data;
  }
  return "<missing>";
}

}  // namespace trimora::metadata::testing
