#include "metadata/jpeg_metadata.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "metadata/jpeg_markers.h"
#include "metadata/value_format.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace trimora::metadata {
namespace {

constexpr int kMaxSections = 20;

bool HasJpegExtension(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return false;
  std::string ext(name.substr(dot));
  for (char& c : ext) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return ext == ".jpg" || ext == ".jpeg" || ext == ".jpe";
}

std::string ShortDate(std::int64_t seconds) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm local{};
  if (localtime_r(&t, &local) == nullptr) return {};
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", local.tm_mday, local.tm_mon + 1,
                local.tm_year + 1900);
  return text;
}

}  // namespace

namespace {

// An open file as a byte source for the marker walker.
class FileByteSource : public JpegByteSource {
 public:
  explicit FileByteSource(FileReader& file) : file_(file) {}
  int Get() override {
    const int c = file_.Get();
    if (c >= 0) ++at_;
    return c;
  }
  bool Read(std::uint8_t* to, std::size_t n) override {
    if (!file_.Read(to, n)) return false;
    at_ += n;
    return true;
  }
  std::size_t Position() const override { return at_; }

 private:
  FileReader& file_;
  std::size_t at_ = 0;
};

}  // namespace

std::vector<std::uint8_t> SegmentBytes(const Section& section) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(section.bytes.size() + 2);
  bytes.push_back(0xFF);
  bytes.push_back(section.marker);
  bytes.insert(bytes.end(), section.bytes.begin(), section.bytes.end());
  return bytes;
}

JpegMetadata::JpegMetadata() { sections_.reserve(kMaxSections); }

JpegMetadata::~JpegMetadata() = default;

void JpegMetadata::Reset() {
  exifDecoder_.reset();
  iptcDecoder_.reset();
  sections_.clear();
  header_ = exif_ = iptc_ = comment_ = -1;
  fileName_.clear();
  fileSize_ = 0;
  fileTime_ = 0;
  errorText_.clear();
  order_ = ByteOrder::Intel;
}

bool JpegMetadata::ReadMetadata(const std::string& path) {
  Reset();
  // One open gives the file, its size and its date; a file that exists but cannot be opened
  // is an error of the read, not a missing file.
  FileReader file(path);
  if (!file.IsOpen()) {
    if (!PathExists(path) || IsFolder(path)) return false;
    fileName_ = FileNamePart(path);
    fileSize_ = static_cast<std::uint64_t>(std::max<std::int64_t>(0, trimora::FileSize(path)));
    errorText_ = HasJpegExtension(fileName_) ? kIllegalExif : kNotExif;
    return false;
  }
  try {
    fileName_ = FileNamePart(path);
    fileSize_ = file.Size();
    fileTime_ = file.ModifiedTime();
    errorText_ = kNotExif;
    if (!HasJpegExtension(fileName_)) return false;
    FileByteSource source(file);
    if (ScanSections(source)) {
      errorText_ = kNoError;
      return true;
    }
    return false;
  } catch (...) {
    errorText_ = kIllegalExif;
    return false;
  }
}

bool JpegMetadata::ReadMetadataFromBytes(std::span<const std::uint8_t> file,
                                         std::string_view fileName) {
  Reset();
  try {
    fileName_ = fileName;
    fileSize_ = file.size();
    errorText_ = kNotExif;
    if (!HasJpegExtension(fileName_)) return false;
    SpanByteSource source(file);
    if (ScanSections(source)) {
      errorText_ = kNoError;
      return true;
    }
    return false;
  } catch (...) {
    errorText_ = kIllegalExif;
    return false;
  }
}

bool JpegMetadata::ScanSections(JpegByteSource& source) {
  std::uint8_t start[2];
  if (!source.Read(start, 2) || start[0] != 0xFF || start[1] != 0xD8) return false;
  bool found = false;
  int number = 0;  // sections read so far, failed reads included
  while (number < kMaxSections) {
    ++number;
    if (number == 5 && !found) return false;
    MarkerHeader header;
    const MarkerRead read = NextMarker(source, header);
    if (read == MarkerRead::kStandalone && header.marker == 0xD9) return found;
    if (read != MarkerRead::kSegment) continue;
    const std::uint8_t marker = header.marker;
    Section section;
    section.marker = marker;
    section.length = header.length;
    section.bytes.resize(section.length);
    section.bytes[0] = static_cast<std::uint8_t>(section.length >> 8);
    section.bytes[1] = static_cast<std::uint8_t>(section.length & 0xFF);
    if (!source.Read(section.bytes.data() + 2, section.length - 2u)) continue;
    if (marker == 0xDA) return found;
    if (marker == 0xE1 && (number >= 6 || exif_ >= 0)) {
      --number;  // dropped: its slot is used for the next section
      continue;
    }
    const int index = static_cast<int>(sections_.size());
    sections_.push_back(std::move(section));
    switch (marker) {
      case 0xE0:
        header_ = index;
        break;
      case 0xE1: {
        exif_ = index;
        found = true;
        auto decoder = std::make_unique<ExifDecoder>(sections_[index].bytes);
        order_ = decoder->byteOrder();
        exifDecoder_ = std::move(decoder);
        break;
      }
      case 0xED:
        if (iptc_ < 0) {
          iptc_ = index;
          found = true;
          iptcDecoder_ = std::make_unique<IptcDecoder>();
        }
        break;
      case 0xFE:
        comment_ = index;
        found = true;
        break;
    }
  }
  return found;
}

std::string JpegMetadata::CommentText() const {
  const Section* s = CommentSection();
  if (s == nullptr) return {};
  return std::string(s->bytes.begin() + 2, s->bytes.end());
}

std::vector<std::string> JpegMetadata::IptcLines() const {
  const Section* s = IptcSection();
  if (s == nullptr || !iptcDecoder_) return {};
  return iptcDecoder_->IptcLines(s->bytes);
}

std::string JpegMetadata::LongSummary() const {
  if (ExifSection() == nullptr) return {};
  if (errorText_ != kNoError || !exifDecoder_) {
    return "File Name: " + fileName_ + "\r\nExif Error: " + errorText_;
  }
  const ExifDecoder& d = *exifDecoder_;
  std::string text;
  text += "File Name: " + fileName_;
  text += "\r\nFile Size: " + std::to_string(fileSize_ / 1024) + "k";
  text += "\r\nFile Date: " + ShortDate(fileTime_);
  text += "\r\nPhoto Date: " + d.PhotoDate();
  text += "\r\nMake (Model): " + d.Make() + " (" + d.Model() + ")";
  text += "\r\nDimensions: " + std::to_string(d.PictureWidth()) + " x " +
          std::to_string(d.PictureHeight());
  const auto data = [&d](std::string_view name) -> std::string_view {
    const TagEntry* e = d.FindValue(name);
    return e == nullptr ? std::string_view() : std::string_view(e->Data);
  };
  const auto line = [&text](std::string_view caption, std::string_view value) {
    if (value.empty()) return;
    text += "\r\n";
    text += caption;
    text += value;
  };
  std::string_view exposure = data("ExposureTime");
  if (exposure.empty()) exposure = data("ShutterSpeedValue");
  line("Exposure Time: ", exposure);
  line("Focal Length: ", data("FocalLength"));
  line("Focal Length (35mm): ", data("FocalLengthin35mmFilm"));
  line("FNumber: ", data("FNumber"));
  line("ISO: ", data("ISOSpeedRatings"));
  text += (d.FlashValue() & 1) ? "\r\nFlash: Yes" : "\r\nFlash: No";
  return text;
}

std::string JpegMetadata::ShortSummary() const {
  if (ExifSection() == nullptr) return {};
  if (errorText_ != kNoError || !exifDecoder_) return fileName_ + " Exif Error: " + errorText_;
  const ExifDecoder& d = *exifDecoder_;
  std::string text = fileName_ + " " + std::to_string(fileSize_ / 1024) + "k " +
                     d.PhotoDate().substr(0, 10) + " " + std::to_string(d.PictureWidth()) + "w " +
                     std::to_string(d.PictureHeight()) + "h ";
  if (d.FlashValue() & 1) text += " Flash";
  return text;
}

ExifDecoder& JpegMetadata::DecodedExif() {
  if (!exifDecoder_ || !exifDecoder_->decoded()) {
    throw Error(ErrorCode::kExifMissing);
  }
  return *exifDecoder_;
}

void JpegMetadata::SetPictureSize(std::uint32_t w, std::uint32_t h) {
  if (exifDecoder_) exifDecoder_->SetPictureSize(w, h);
}

void JpegMetadata::RemoveThumbnail() {
  ExifDecoder& d = DecodedExif();
  d.RemoveThumbnail();
  Section& s = sections_[exif_];
  s.length = static_cast<std::uint16_t>(s.bytes.size());
}

}  // namespace trimora::metadata
