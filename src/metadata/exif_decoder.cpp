#include "metadata/exif_decoder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "metadata/exif_tables.h"
#include "metadata/makernote.h"
#include "metadata/value_format.h"

namespace trimora::metadata {
namespace {

// Index of TIFF offset 0 in the section's bytes (two length bytes, "Exif", NUL, pad byte).
constexpr std::uint64_t kTiffBase = 8;
// Sub-directories deeper than this are not followed.
constexpr int kMaxDepth = 8;
// At most this many distinct directories are decoded per section.
constexpr std::size_t kMaxDirectories = 256;

constexpr std::uint16_t kImageWidth = 0x0100, kImageLength = 0x0101, kCompression = 0x0103;
constexpr std::uint16_t kMake = 0x010F, kModel = 0x0110, kOrientation = 0x0112;
constexpr std::uint16_t kDateTime = 0x0132, kSubIfds = 0x014A, kExifOffset = 0x8769;
constexpr std::uint16_t kGpsInfo = 0x8825, kExifVersion = 0x9000, kDateTimeOriginal = 0x9003;
constexpr std::uint16_t kFlash = 0x9209, kMakerNote = 0x927C, kUserComment = 0x9286;
constexpr std::uint16_t kExifImageWidth = 0xA002, kExifImageLength = 0xA003;
constexpr std::uint16_t kInteropOffset = 0xA005, kFocalLength35 = 0xA405;

std::string Cut(std::string_view text, std::size_t n) { return std::string(text.substr(0, n)); }

// A numeric value as a whole number, saturated at the ends of the range; NaN gives 0.
std::int64_t WholeValue(double v) {
  if (!(v == v)) return 0;
  if (v >= 9.2e18) return INT64_MAX;
  if (v <= -9.2e18) return INT64_MIN;
  return static_cast<std::int64_t>(v);
}

int StoredWidth(std::uint16_t type) { return type == kShort ? 2 : type == kLong ? 4 : 0; }

}  // namespace

ExifDecoder::ExifDecoder(std::vector<std::uint8_t>& section) : section_(&section) {
  const std::vector<std::uint8_t>& s = section;
  limit_ = static_cast<std::int64_t>(s.size()) + 3;
  if (s.size() < 10 || std::memcmp(s.data() + 2, "Exif\0", 5) != 0) return;
  if (s[8] == 'I' && s[9] == 'I') {
    order_ = ByteOrder::Intel;
  } else if (s[8] == 'M' && s[9] == 'M') {
    order_ = ByteOrder::Motorola;
  } else {
    return;
  }
  decoded_ = true;
  const std::uint32_t first = reader().u32(12);
  DecodeDirectory(first == 0 ? 16 : first + kTiffBase, Kind::Main, 0);
  ComputeFocalLength35();
}

const TagEntry* ExifDecoder::Next(int tid) {
  if (tid == kMakerTid) {
    return makerCursor_ < makerValues_.size() ? &makerValues_[makerCursor_++] : nullptr;
  }
  return exifCursor_ < exifValues_.size() ? &exifValues_[exifCursor_++] : nullptr;
}

const TagEntry* ExifDecoder::NextThumbnail() {
  return thumbCursor_ < thumbValues_.size() ? &thumbValues_[thumbCursor_++] : nullptr;
}

const TagEntry* ExifDecoder::FindValue(std::string_view name) const {
  for (const TagEntry& e : exifValues_) {
    if (EqualNoCase(e.Name, name)) return &e;
  }
  return nullptr;
}

void ExifDecoder::AddMakerValue(TagEntry entry) {
  entry.TID = kMakerTid;
  makerValues_.push_back(std::move(entry));
}

bool ExifDecoder::SpendEntry() {
  if (entryBudget_ == 0) return false;
  --entryBudget_;
  return true;
}

void ExifDecoder::KeepRaw(std::string& to, std::span<const std::uint8_t> raw) {
  std::size_t n = raw.size();
  if (n <= rawBudget_) {
    rawBudget_ -= n;
  } else {
    n = std::min<std::size_t>(n, 64);  // enough for every number shown
  }
  to.assign(reinterpret_cast<const char*>(raw.data()), n);
}

void ExifDecoder::NoteSectionUse(std::uint64_t begin, std::uint64_t end) {
  end = std::min<std::uint64_t>(end, section_->size());
  if (begin < end) usedEnd_ = std::max(usedEnd_, end);
}

void ExifDecoder::ReadThumbnailDirectory() {
  thumbValues_.clear();
  thumbCursor_ = 0;
  // Its size test uses the thumbnail length - 12 as limit.
  const std::int64_t savedLimit = limit_;
  limit_ = 9 + thumbLength_ - 12;
  try {
    DecodeDirectory(static_cast<std::uint64_t>(thumbOffset_) + kTiffBase, Kind::Thumbnail, 0);
  } catch (...) {
    limit_ = savedLimit;
    throw;
  }
  limit_ = savedLimit;
}

void ExifDecoder::DecodeDirectory(std::uint64_t index, Kind kind, int depth) {
  if (depth > kMaxDepth) return;
  if (kind != Kind::Thumbnail) {
    // Directories that point at themselves or at each other are decoded once.
    if (std::find(visited_.begin(), visited_.end(), index) != visited_.end()) return;
    if (visited_.size() >= kMaxDirectories) return;
    visited_.push_back(index);
  }
  const ByteReader r = reader();
  const std::uint64_t n = r.u16(index);
  if (static_cast<std::int64_t>(2 + 12 * n) > limit_) return;
  const std::uint64_t next = index + 2 + 12 * n;
  if (kind == Kind::Main && !thumbRecorded_) {
    thumbOffset_ = r.u32(next);
    thumbLength_ = limit_ - static_cast<std::int64_t>(thumbOffset_);
    thumbPointerIndex_ = next;
    thumbRecorded_ = true;
  }
  if (kind != Kind::Thumbnail) NoteSectionUse(index, next + 4);
  for (std::uint64_t i = 0; i < n && SpendEntry(); ++i) {
    DecodeEntry(r, index + 2 + 12 * i, kind, depth);
  }
}

void ExifDecoder::DecodeEntry(const ByteReader& r, std::uint64_t entry, Kind kind, int depth) {
  const std::uint16_t tag = r.u16(entry);
  const std::uint16_t type = r.u16(entry + 2);
  const std::uint64_t count = r.u32(entry + 4);
  const std::uint64_t size = count * static_cast<std::uint64_t>(BytesPerValue(type));
  if (size == 0) return;
  const std::uint64_t valueIndex = size < 5 ? entry + 8 : r.u32(entry + 8) + kTiffBase;
  const std::span<const std::uint8_t> raw = r.clipped(valueIndex, size);
  if (kind != Kind::Thumbnail && size >= 5) NoteSectionUse(valueIndex, valueIndex + size);

  const TagRow* row =
      kind == Kind::Gps ? FindSortedRow(GpsTagTable(), tag) : FindSortedRow(MainTagTable(), tag);
  if (row == nullptr) row = &UnknownRow();

  TagEntry value;
  value.TID = kExifTid;
  value.TType = type;
  value.Tag = row->tag;
  value.Name = row->name;
  value.Label = LabelOf(*row);
  value.Code = row->code;
  value.FormatS = row->format;
  value.formatter = row->formatter;
  KeepRaw(value.Raw, raw);
  if (type == kAscii) {
    // The text ends at its first NUL (the closing one, or padding after it); a text stored
    // without one keeps every byte.
    value.Data.assign(value.Raw, 0, value.Raw.find('\0'));
  } else if (type == kUndefined) {
    value.Data = Quoted(raw, true);
  } else {
    value.Data = FormatNumbers(raw, type, order_, row->code, row->format);
  }
  if (row->formatter != Formatter::None) {
    try {
      value.Data = FormatExifValue(row->formatter, value.Data);
    } catch (const ParseError&) {
      value.Data = Sanitize(Quoted(raw, false));
    }
  } else {
    value.Data = Sanitize(std::move(value.Data));
  }

  const auto numeric = [&] { return NumericValue(raw, type, order_); };
  const auto whole = [&] { return WholeValue(numeric()); };
  const auto field = [&] {
    const bool fits = r.contains(valueIndex, size) && count == 1;
    return SizeField{valueIndex, fits ? StoredWidth(type) : 0};
  };
  if (kind == Kind::Thumbnail) {
    if (tag == kCompression) thumbCompression_ = whole();
  } else if (kind == Kind::Main) {
    switch (tag) {
      case kImageWidth:
      case kExifImageWidth:
        width_ = whole();
        widthFields_.push_back(field());
        break;
      case kImageLength:
      case kExifImageLength:
        height_ = whole();
        heightFields_.push_back(field());
        break;
      case kOrientation:
        if (orientationFields_.empty()) orientation_ = static_cast<int>(whole());
        orientationFields_.push_back(field());
        break;
      case kMake:
        make_ = Cut(value.Data, 32);
        break;
      case kModel:
        model_ = Cut(value.Data, 40);
        break;
      case kDateTime:
        if (!originalDate_) photoDate_ = Cut(value.Data, 20);
        break;
      case kDateTimeOriginal:
        photoDate_ = Cut(value.Data, 20);
        originalDate_ = true;
        break;
      case kExifVersion:
        exifVersion_ = Cut(value.Raw, 6);
        break;
      case kFlash:
        flash_ = whole();
        break;
      case kSubIfds:
      case kExifOffset:
      case kInteropOffset:
      case kGpsInfo:
        try {
          const std::uint64_t sub = r.u32(valueIndex) + kTiffBase;
          DecodeDirectory(sub, tag == kGpsInfo ? Kind::Gps : Kind::Main, depth + 1);
        } catch (const ParseError&) {
          // A sub-directory that cannot be read keeps the values read so far.
        }
        break;
      case kMakerNote:
        MakerNoteDecoder::DecodeMakerNote(*this, raw, valueIndex);
        break;
      case kUserComment: {
        const std::string_view stored(value.Raw);
        comment_ = Trim(stored.substr(std::min<std::size_t>(8, stored.size())));
        std::string shown = comment_;
        for (char& c : shown) {
          if (static_cast<unsigned char>(c) < 32) c = '.';
        }
        value.Data = std::move(shown);
        break;
      }
    }
  }
  if (row == &UnknownRow()) return;  // unknown tags are never listed
  (kind == Kind::Thumbnail ? thumbValues_ : exifValues_).push_back(std::move(value));
}

void ExifDecoder::ComputeFocalLength35() {
  if (FindValue("FocalLengthin35mmFilm") != nullptr) return;
  const auto numeric = [this](std::string_view name) {
    const TagEntry* e = FindValue(name);
    if (e == nullptr) return 0.0;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(e->Raw.data());
    return NumericValue(std::span(bytes, e->Raw.size()), e->TType, order_);
  };
  double unit = std::nearbyint(numeric("FocalPlaneResolutionUnit"));
  if (unit == 0) unit = std::nearbyint(numeric("ResolutionUnit"));
  const double mmPerUnit = unit == 2 ? 25.4 : unit == 3 ? 10 : 0;
  const double f = numeric("FocalLength");
  if (f == 0 || mmPerUnit == 0) return;
  const double xr = std::nearbyint(numeric("FocalPlaneXResolution"));
  const double yr = std::nearbyint(numeric("FocalPlaneYResolution"));
  const double cw = xr > 0 ? static_cast<double>(width_) * mmPerUnit / xr : 0;
  const double ch = yr > 0 ? static_cast<double>(height_) * mmPerUnit / yr : 0;
  if (!(cw * ch > 0)) return;
  const double equivalent = f * 43.26661531 / std::sqrt(cw * cw + ch * ch);
  const TagRow* row = FindSortedRow(MainTagTable(), kFocalLength35);
  TagEntry value;
  value.TType = kAscii;
  value.Tag = row->tag;
  value.Name = row->name;
  value.Label = LabelOf(*row);
  value.Code = row->code;
  value.FormatS = row->format;
  value.Data = FormatFixed(equivalent, 2, 5);
  exifValues_.push_back(std::move(value));
}

void ExifDecoder::SetPictureSize(std::uint32_t w, std::uint32_t h) {
  if (width_ <= 0 || height_ <= 0 || (width_ == w && height_ == h)) return;
  std::vector<std::uint8_t>& s = *section_;
  for (const SizeField& f : widthFields_) {
    if (f.width == 4 || (f.width == 2 && w <= 0xFFFF)) WriteNumber(s, f.index, f.width, w, order_);
  }
  for (const SizeField& f : heightFields_) {
    if (f.width == 4 || (f.width == 2 && h <= 0xFFFF)) WriteNumber(s, f.index, f.width, h, order_);
  }
  width_ = w;
  height_ = h;
}

void ExifDecoder::SwapPictureSize() {
  if (width_ <= 0 || height_ <= 0 || width_ > 0xFFFFFFFF || height_ > 0xFFFFFFFF) return;
  SetPictureSize(static_cast<std::uint32_t>(height_), static_cast<std::uint32_t>(width_));
}

bool ExifDecoder::ResetOrientation() {
  bool any = false;
  for (const SizeField& f : orientationFields_) {
    if (f.width != 0) {
      WriteNumber(*section_, f.index, f.width, 1, order_);
      any = true;
    }
  }
  return any;
}

void ExifDecoder::RemoveThumbnail() {
  if (!decoded_) throw Error(ErrorCode::kExifUnreadable);
  std::vector<std::uint8_t>& s = *section_;
  if (!thumbRecorded_ || thumbOffset_ == 0) return;
  // Unlink the thumbnail directory, then cut off everything behind the data that the
  // picture's own directories use. When those lie behind the thumbnail, its bytes stay as
  // unreferenced filler: readers see no thumbnail either way.
  WriteNumber(s, thumbPointerIndex_, 4, 0, order_);
  const std::uint64_t thumbIndex = static_cast<std::uint64_t>(thumbOffset_) + kTiffBase;
  const std::uint64_t cut = std::max(usedEnd_, std::min<std::uint64_t>(thumbIndex, s.size()));
  if (cut < s.size()) s.resize(static_cast<std::size_t>(cut));
  WriteNumber(s, 0, 2, static_cast<std::uint32_t>(s.size()), ByteOrder::Motorola);
  thumbOffset_ = 0;
  thumbLength_ = 0;
  thumbValues_.clear();
  thumbCursor_ = 0;
}

}  // namespace trimora::metadata
