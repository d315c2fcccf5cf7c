#include <gtest/gtest.h>

#include <sys/stat.h>
#include <cmath>
#include <ctime>

#include "metadata/value_format.h"
#include "test_util.h"

namespace trimora::metadata {
namespace {

const std::string kPhotos = std::string(TRIMORA_TESTDATA_DIR) + "/photos/";

// What exiftool -n reads from the sample files (0 and "" where the file has no such tag).
struct Sample {
  const char* file;
  const char* make;
  const char* model;
  int width, height;  // ExifImageWidth, ExifImageHeight
  const char* dateOriginal;
  double exposureTime, fNumber;
  int iso;
  bool makerHeading;
};

const Sample kSamples[] = {
    {"Canon_40D.jpg", "Canon", "Canon EOS 40D", 100, 68, "2008:05:30 15:56:01", 0.00625, 7.1, 100,
     false},
    {"Fujifilm_FinePix_E500.jpg", "FUJIFILM", "FinePix E500", 59, 100, "2006:08:17 09:24:48",
     0.0125, 2.9, 100, true},
    {"Konica_Minolta_DiMAGE_Z3.jpg", "KONICA MINOLTA", "DiMAGE Z3", 70, 100, "2005:03:10 15:10:48",
     0.025, 2.8, 200, false},
    {"Nikon_D70.jpg", "NIKON CORPORATION", "NIKON D70", 100, 66, "2008:03:15 09:52:01", 0.005, 9,
     200, false},
    {"Olympus_C8080WZ.jpg", "OLYMPUS CORPORATION", "C8080WZ", 100, 72, "2006:10:22 15:44:29",
     0.00625, 2.8, 50, false},
    {"Pentax_K10D.jpg", "PENTAX Corporation", "PENTAX K10D", 100, 72, "2008:05:04 16:47:24",
     0.005555555556, 11, 200, false},
    {"canon-ixus.jpg", "Canon", "Canon DIGITAL IXUS", 640, 480, "2001:06:09 15:17:32",
     0.002857142857, 4, 0, true},
    {"casio-ex-m2.jpg", "CASIO COMPUTER CO.,LTD.", "EX-M2", 1600, 1200, "2002:04:21 00:30:33",
     0.025, 3.2, 0, true},
    {"fujifilm-dx10.jpg", "FUJIFILM", "DX-10", 1024, 768, "2001:04:12 20:33:14", 0, 4.2, 150,
     false},
    {"nikon-e950.jpg", "NIKON", "E950", 1600, 1200, "2001:04:06 11:51:40", 0.01298701299, 5.5, 80,
     true},
    {"nikon-p6000-gps.jpg", "NIKON", "COOLPIX P6000", 640, 480, "2008:10:22 16:28:39",
     0.01333333333, 5.9, 64, true},
    {"sanyo-vpcg250.jpg", "SANYO Electric Co.,Ltd.", "SR6", 640, 480, "1998:01:01 00:00:00",
     0.005847953216, 8, 0, true},
};

double Numeric(const ExifDecoder& exif, std::string_view name) {
  const TagEntry* e = exif.FindValue(name);
  if (e == nullptr) return 0;
  return NumericValue(
      std::span(reinterpret_cast<const std::uint8_t*>(e->Raw.data()), e->Raw.size()), e->TType,
      exif.byteOrder());
}

TEST(SampleFiles, AgreeWithExiftool) {
  for (const Sample& s : kSamples) {
    SCOPED_TRACE(s.file);
    JpegMetadata reader;
    ASSERT_TRUE(reader.ReadMetadata(kPhotos + s.file));
    EXPECT_EQ(reader.ErrorText(), "<none>");
    const ExifDecoder* exif = reader.Exif();
    ASSERT_NE(exif, nullptr);
    // exiftool drops the blanks that pad some of these texts.
    EXPECT_EQ(Trim(exif->Make()), s.make);
    EXPECT_EQ(Trim(exif->Model()), s.model);
    EXPECT_EQ(exif->PictureWidth(), s.width);
    EXPECT_EQ(exif->PictureHeight(), s.height);
    EXPECT_EQ(exif->PhotoDate(), s.dateOriginal);
    EXPECT_NEAR(Numeric(*exif, "ExposureTime"), s.exposureTime, 1e-9);
    EXPECT_NEAR(Numeric(*exif, "FNumber"), s.fNumber, 1e-9);
    EXPECT_EQ(Numeric(*exif, "ISOSpeedRatings"), s.iso);
    const std::string text = BuildInfoText(kPhotos + s.file);
    EXPECT_EQ(text.find("\r\n\r\n -- Maker Specific Data ---- \r\n") != std::string::npos,
              s.makerHeading);
    EXPECT_EQ(text.find("ERROR READING DATA"), std::string::npos);
  }
}

std::string DateOf(const std::string& path) {
  struct stat info {};
  stat(path.c_str(), &info);
  std::tm local{};
  const std::time_t t = info.st_mtime;
  localtime_r(&t, &local);
  char text[48];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", local.tm_mday, local.tm_mon + 1,
                local.tm_year + 1900);
  return text;
}

TEST(SampleFiles, AnXmpSegmentIsTakenForTheExifSectionButDecodesNothing) {
  const std::string path = kPhotos + "xmp-only-2.jpg";
  EXPECT_EQ(BuildInfoText(path),
            " -- EXIF Summary -(short)--- \r\nxmp-only-2.jpg 15k  0w 0h \r\n\r\n"
            " -- EXIF Summary -(long)---- \r\nFile Name: xmp-only-2.jpg\r\nFile Size: 15k\r\n"
            "File Date: " +
                DateOf(path) +
                "\r\nPhoto Date: \r\nMake (Model):  ()\r\n"
                "Dimensions: 0 x 0\r\nFlash: No\r\n\r\n-- All EXIF-Data -------------- \r\n"
                "ErrStr = <none>\r\nIntel Byte Order\r\n\r\nNo Thumbnail\r\n");
}

TEST(SampleFiles, BrokenFilesGiveTheNotExifText) {
  for (const char* name : {"empty.jpg", "not-a-jpeg.jpg"}) {
    EXPECT_EQ(BuildInfoText(kPhotos + name),
              "-- All EXIF-Data -------------- \r\nErrStr = Not an EXIF file\r\n")
        << name;
  }
}

TEST(SampleFiles, ATruncatedFileStillShowsItsMetadata) {
  const std::string text = BuildInfoText(kPhotos + "truncated.jpg");
  EXPECT_EQ(text.rfind(" -- EXIF Summary -(short)--- \r\ntruncated.jpg 58k ", 0), 0u) << text;
  EXPECT_NE(text.find("\r\nErrStr = <none>\r\n"), std::string::npos);
  EXPECT_EQ(text.find("ERROR READING DATA"), std::string::npos);
}

}  // namespace
}  // namespace trimora::metadata
