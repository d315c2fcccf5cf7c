#include "metadata/exif_edit.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>

#include "../outside_readers.h"
#include "metadata/jpeg_metadata.h"
#include "platform/files.h"
#include "test_util.h"

namespace trimora::metadata {
namespace {

using namespace testing;

const std::string kPhotos = std::string(TRIMORA_TESTDATA_DIR) + "/photos/";

const char* const kCameraFiles[] = {
    "Canon_40D.jpg",  "Fujifilm_FinePix_E500.jpg", "Konica_Minolta_DiMAGE_Z3.jpg",
    "Nikon_D70.jpg",  "Olympus_C8080WZ.jpg",       "Pentax_K10D.jpg",
    "canon-ixus.jpg", "casio-ex-m2.jpg",           "fujifilm-dx10.jpg",
    "nikon-e950.jpg", "nikon-p6000-gps.jpg",       "sanyo-vpcg250.jpg"};

// The command's output; its error output too unless quiet is set.
std::string RunCommand(const std::string& command, bool quiet = false) {
  std::string out;
  if (std::FILE* p = popen((command + (quiet ? " 2>/dev/null" : " 2>&1")).c_str(), "r")) {
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0) out.append(buffer, n);
    pclose(p);
  }
  return out;
}

// The lines of exiftool's validation that speak of warnings or errors.
std::set<std::string> Complaints(const std::string& path) {
  std::set<std::string> lines;
  const std::string out = RunCommand("exiftool -validate -warning -error -a -s -G1 '" + path + "'");
  std::size_t start = 0;
  while (start < out.size()) {
    const std::size_t end = out.find('\n', start);
    const std::string line = out.substr(start, end == std::string::npos ? end : end - start);
    // The thumbnail's own complaints go with it; the file name differs.
    if (line.find("Validate") == std::string::npos && !line.empty() &&
        line.find("Thumbnail") == std::string::npos) {
      lines.insert(line);
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

TEST(ExifEdit, RemovesTheThumbnailAndSetsTheSizeKeepingTheOtherValues) {
  TempFolder folder;
  for (const char* name : kCameraFiles) {
    SCOPED_TRACE(name);
    const std::string copy = folder.File(name);
    std::filesystem::copy_file(kPhotos + name, copy);
    std::filesystem::permissions(copy, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    JpegMetadata before;
    ASSERT_TRUE(before.ReadMetadata(copy));
    ExifEdit edit;
    edit.removeThumbnail = true;
    edit.pictureSize = ExifEdit::Size{32, 24};
    const std::string file = ReadWholeFile(copy);
    const auto edited = EditJpegExif(
        std::span(reinterpret_cast<const std::uint8_t*>(file.data()), file.size()), edit);
    ASSERT_TRUE(edited);
    ReplaceFileContents(
        copy, std::string_view(reinterpret_cast<const char*>(edited->data()), edited->size()));
    JpegMetadata after;
    ASSERT_TRUE(after.ReadMetadata(copy));
    ASSERT_NE(after.Exif(), nullptr);
    EXPECT_FALSE(after.Exif()->HasThumbnail());
    EXPECT_EQ(after.Exif()->ThumbnailOffset(), 0u);
    EXPECT_EQ(after.Exif()->PictureWidth(), 32);
    EXPECT_EQ(after.Exif()->PictureHeight(), 24);
    EXPECT_EQ(after.ExifSection()->length, after.ExifSection()->bytes.size());
    EXPECT_LE(after.ExifSection()->bytes.size(), before.ExifSection()->bytes.size());
    const auto& a = before.Exif()->ExifValues();
    const auto& b = after.Exif()->ExifValues();
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
      if (a[i].Name.find("ImageWidth") != std::string_view::npos ||
          a[i].Name.find("ImageLength") != std::string_view::npos ||
          a[i].Name == "FocalLengthin35mmFilm") {
        continue;
      }
      EXPECT_EQ(a[i].Data, b[i].Data) << a[i].Name;
    }
    EXPECT_EQ(before.Exif()->MakerValues().size(), after.Exif()->MakerValues().size());

    if (test::RequireReader("exiftool")) {
      const std::string width =
          RunCommand("exiftool -n -s3 -ExifImageWidth -ExifImageHeight '" + copy + "'", true);
      EXPECT_EQ(width, "32\n24\n");
      EXPECT_EQ(RunCommand("exiftool -s3 -ThumbnailImage '" + copy + "'", true), "");
      const auto original = Complaints(kPhotos + name);
      for (const std::string& line : Complaints(copy)) {
        EXPECT_TRUE(original.count(line)) << "new complaint: " << line;
      }
    }
    if (test::RequireReader("exiv2")) {
      const std::string out = RunCommand("exiv2 -pa '" + copy + "' > /dev/null");
      EXPECT_EQ(out.find("Error"), std::string::npos) << out;
      EXPECT_EQ(out.find("Warning"), std::string::npos) << out;
    }
  }
}

TEST(ExifEdit, SwapsTheSizeAndResetsTheOrientation) {
  const auto tiff = BuildTiff(
      ByteOrder::Motorola,
      {{{Short(0x0112, {6}), Pointer(0x8769, 1)}}, {{Short(0xA002, {640}), Short(0xA003, {480})}}});
  ExifEdit edit;
  edit.swapPictureSize = true;
  edit.resetOrientation = true;
  const auto edited = EditExifSection(ExifSection(tiff), edit);
  JpegMetadata reader;
  ReadSection(reader, edited);
  EXPECT_EQ(reader.Exif()->PictureWidth(), 480);
  EXPECT_EQ(reader.Exif()->PictureHeight(), 640);
  EXPECT_EQ(DataOf(reader.Exif()->ExifValues(), "Orientation"), "Normal");
}

TEST(ExifEdit, RefusesBlocksWithoutExifData) {
  const std::vector<std::uint8_t> xmp = {0, 12, 'h', 't', 't', 'p', ':', '/', '/', 'n', 's', '.'};
  EXPECT_FALSE(IsExifSection(xmp));
  EXPECT_THROW(EditExifSection(xmp, ExifEdit{}), Error);
  JpegMetadata reader;
  reader.ReadMetadataFromBytes(Jpeg({{0xE1, std::string(xmp.begin() + 2, xmp.end())}}), "t.jpg");
  EXPECT_THROW(reader.RemoveThumbnail(), Error);
  EXPECT_NO_THROW(reader.SetPictureSize(10, 20));  // nothing to set: the writer goes on
  EXPECT_EQ(reader.ExifSection()->bytes, xmp);
}

TEST(ExifEdit, FindsNothingToEditInAFileWithoutExif) {
  const std::string path = kPhotos + "xmp-only-2.jpg";
  const auto bytes = [](const std::string& p) {
    const std::string file = ReadWholeFile(p);
    return std::vector<std::uint8_t>(file.begin(), file.end());
  };
  EXPECT_FALSE(EditJpegExif(bytes(path), ExifEdit{}));
  try {
    EditJpegExif(bytes(kPhotos + "not-a-jpeg.jpg"), ExifEdit{});
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.code(), ErrorCode::kNotJpeg);
  }
}

}  // namespace
}  // namespace trimora::metadata
