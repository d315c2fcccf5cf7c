#include "metadata/jpeg_metadata.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "metadata/value_format.h"

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

// Sequential reading of the file's bytes, from memory or from an open file.
struct JpegMetadata::Source {
  virtual ~Source() = default;
  // The next byte, or -1 at the end.
  virtual int get() = 0;
  // Fills n bytes; false when the data ends before.
  virtual bool read(std::uint8_t* to, std::size_t n) = 0;
};

namespace {

struct MemorySource : JpegMetadata::Source {
  explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes(bytes) {}
  int get() override { return at < bytes.size() ? bytes[at++] : -1; }
  bool read(std::uint8_t* to, std::size_t n) override {
    if (n > bytes.size() - at) {
      at = bytes.size();
      return false;
    }
    std::copy_n(bytes.data() + at, n, to);
    at += n;
    return true;
  }
  std::span<const std::uint8_t> bytes;
  std::size_t at = 0;
};

// Reads an open file descriptor through a buffer of its own, closing it at the end.
struct FileSource : JpegMetadata::Source {
  static constexpr std::size_t kBufferSize = 16384;
  explicit FileSource(int fd) : fd(fd), buffer(new std::uint8_t[kBufferSize]) {}
  ~FileSource() override { ::close(fd); }
  int get() override {
    if (at == filled && !Refill()) return -1;
    return buffer[at++];
  }
  bool read(std::uint8_t* to, std::size_t n) override {
    while (n > 0) {
      if (at == filled) {
        if (n >= kBufferSize) return ReadDirect(to, n);
        if (!Refill()) return false;
      }
      const std::size_t part = std::min(n, filled - at);
      std::memcpy(to, buffer.get() + at, part);
      at += part;
      to += part;
      n -= part;
    }
    return true;
  }
  bool Refill() {
    at = filled = 0;
    const ssize_t got = ReadSome(buffer.get(), kBufferSize);
    if (got <= 0) return false;
    filled = static_cast<std::size_t>(got);
    return true;
  }
  bool ReadDirect(std::uint8_t* to, std::size_t n) {
    while (n > 0) {
      const ssize_t got = ReadSome(to, n);
      if (got <= 0) return false;
      to += got;
      n -= static_cast<std::size_t>(got);
    }
    return true;
  }
  ssize_t ReadSome(std::uint8_t* to, std::size_t n) {
    ssize_t got;
    do {
      got = ::read(fd, to, n);
    } while (got < 0 && errno == EINTR);
    if (got < 0) throw Error("Die Datei kann nicht gelesen werden.");
    return got;
  }
  int fd;
  std::unique_ptr<std::uint8_t[]> buffer;
  std::size_t at = 0, filled = 0;
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
  // One open and one fstat give the file, its size and its date; a file that exists but
  // cannot be opened is an error of the read, not a missing file.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat info {};
  if (fd < 0 ? ::stat(path.c_str(), &info) != 0 : ::fstat(fd, &info) != 0) {
    if (fd >= 0) ::close(fd);
    return false;
  }
  if (S_ISDIR(info.st_mode)) {
    if (fd >= 0) ::close(fd);
    return false;
  }
  try {
    const std::size_t slash = path.find_last_of('/');
    fileName_ = slash == std::string::npos ? path : path.substr(slash + 1);
    fileSize_ = static_cast<std::uint64_t>(info.st_size);
    fileTime_ = static_cast<std::int64_t>(info.st_mtime);
    errorText_ = kNotExif;
    if (!HasJpegExtension(fileName_)) {
      if (fd >= 0) ::close(fd);
      return false;
    }
    if (fd < 0) throw Error("Die Datei kann nicht geöffnet werden.");
    FileSource source(fd);
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
    MemorySource source(file);
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

bool JpegMetadata::ScanSections(Source& source) {
  std::uint8_t start[2];
  if (!source.read(start, 2) || start[0] != 0xFF || start[1] != 0xD8) return false;
  bool found = false;
  int number = 0;  // sections read so far, failed reads included
  while (number < kMaxSections) {
    ++number;
    if (number == 5 && !found) return false;
    int c;
    do {
      c = source.get();
    } while (c == 0xFF);
    if (c < 0) continue;
    const auto marker = static_cast<std::uint8_t>(c);
    if (marker == 0xD9) return found;
    Section section;
    section.marker = marker;
    section.bytes.resize(2);
    if (!source.read(section.bytes.data(), 2)) continue;
    section.length = static_cast<std::uint16_t>(section.bytes[0] << 8 | section.bytes[1]);
    if (section.length < 2) continue;
    section.bytes.resize(section.length);
    if (!source.read(section.bytes.data() + 2, section.length - 2u)) continue;
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
    throw Error("Die Datei enthält keine lesbaren Exif-Daten.");
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
