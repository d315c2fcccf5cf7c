#include "metadata/makernote.h"

#include <algorithm>

#include "metadata/byte_reader.h"
#include "metadata/exif_decoder.h"
#include "metadata/makernote_canon.h"
#include "metadata/makernote_casio.h"
#include "metadata/makernote_epson.h"
#include "metadata/makernote_fuji.h"
#include "metadata/makernote_minolta.h"
#include "metadata/makernote_nikon.h"
#include "metadata/makernote_olympus.h"
#include "metadata/makernote_sanyo.h"
#include "metadata/value_format.h"

namespace trimora::metadata {
namespace {

using C = MakerLayout::Condition;

// The first matching row decides. A value that runs past the end of the note is read from
// the Exif section at (1-based) position offset + sectionFallbackShift.
constexpr MakerLayout kLayouts[] = {
    {"NIKON", C::ExifVersionAbove0210, NikonType2Table, 18, MakerOffsets::FromByte10, false, 0},
    {"NIKON", C::NoteBeginsWithNikon, NikonType1Table, 8, MakerOffsets::Tiff, false, 0},
    {"NIKON", C::Always, NikonType2Table, 0, MakerOffsets::Tiff, false, 0},
    {"OLYMP", C::Always, OlympusTable, 8, MakerOffsets::Tiff, false, 9},
    {"CASIO", C::Always, CasioTable, 0, MakerOffsets::Tiff, false, 0},
    {"FUJIF", C::Always, FujiTable, 12, MakerOffsets::FromByte0, true, 0},
    {"CANON", C::Always, CanonTable, 0, MakerOffsets::Tiff, false, 0},
    {"SEIKO", C::Always, EpsonTable, 8, MakerOffsets::Tiff, false, 0},
    {"SANYO", C::Always, SanyoTable, 8, MakerOffsets::Tiff, false, 0},
    {"MINOL", C::Always, MinoltaTable, 0, MakerOffsets::Tiff, false, 0},
};

std::string UpperPrefix(std::string_view text) {
  std::string prefix(text.substr(0, 5));
  for (char& c : prefix) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return prefix;
}

bool IsSkip(std::string_view name) { return EqualNoCase(name, "skip"); }

// The display text of one maker value.
void AddValue(ExifDecoder& exif, const TagRow& row, std::uint16_t type,
              std::span<const std::uint8_t> raw, ByteOrder order) {
  TagEntry value;
  value.TID = kMakerTid;
  value.TType = type;
  value.Tag = row.tag;
  value.Name = row.name;
  value.Label = row.label.empty() ? row.name : row.label;
  value.Code = row.code;
  value.FormatS = row.format;
  value.formatter = row.formatter;
  exif.KeepRaw(value.Raw, raw);
  if (type == kAscii) {
    value.Data = Quoted(raw, true);
  } else if (type == kUndefined) {
    value.Data = Quoted(raw, false);
  } else {
    value.Data = FormatNumbers(raw, type, order, row.code, row.format);
  }
  switch (row.formatter) {
    case Formatter::None:
      value.Data = Sanitize(std::move(value.Data));
      break;
    case Formatter::CanonCameraSettings:
    case Formatter::CanonShotInfo:
    case Formatter::CanonCustomFunctions: {
      std::vector<TagEntry> items;
      CanonItems(row.formatter, value.Data, items);
      for (TagEntry& item : items) exif.AddMakerValue(std::move(item));
      break;
    }
    default:
      try {
        value.Data = NikonFormat(row.formatter, value.Data);
      } catch (const ParseError&) {
        value.Data = Sanitize(Quoted(raw, false));
      }
  }
  exif.AddMakerValue(std::move(value));
}

void DecodeDirectory(ExifDecoder& exif, const MakerLayout& layout,
                     std::span<const std::uint8_t> note, std::uint64_t noteIndex) {
  const ByteReader section = exif.reader();
  const ByteOrder order = layout.intelAlways ? ByteOrder::Intel : section.order();
  const ByteReader m(note, order);
  const TagTable table = layout.table();
  const std::uint64_t n = m.u16(layout.directoryAt);
  for (std::uint64_t i = 0; i < n && exif.SpendEntry(); ++i) {
    const std::uint64_t entry = layout.directoryAt + 2 + 12 * i;
    const std::uint16_t tag = m.u16(entry);
    const std::uint16_t type = m.u16(entry + 2);
    const std::uint64_t count = m.u32(entry + 4);
    const std::uint64_t size = count * static_cast<std::uint64_t>(BytesPerValue(type));
    if (size == 0) continue;
    std::span<const std::uint8_t> raw;
    if (size < 5) {
      raw = m.bytes(entry + 8, size);
    } else {
      const std::int64_t offset = m.u32(entry + 8);
      std::int64_t at = offset;
      if (layout.offsets == MakerOffsets::Tiff) {
        at = offset + 8 - static_cast<std::int64_t>(noteIndex);
      } else if (layout.offsets == MakerOffsets::FromByte10) {
        at = offset + 10;
      }
      if (at >= 0 && m.contains(static_cast<std::uint64_t>(at), size)) {
        raw = m.bytes(static_cast<std::uint64_t>(at), size);
      } else {
        const std::uint64_t position = std::max<std::uint64_t>(
            static_cast<std::uint64_t>(offset) + layout.sectionFallbackShift, 1);
        raw = section.clipped(position - 1, size);
        exif.NoteSectionUse(position - 1, position - 1 + size);
      }
    }
    const TagRow* row = FindRow(table, tag);
    if (row == nullptr || IsSkip(row->name)) continue;
    AddValue(exif, *row, type, raw, order);
  }
}

}  // namespace

const MakerLayout* MakerNoteDecoder::LayoutFor(std::string_view make, std::string_view exifVersion,
                                               std::span<const std::uint8_t> note) {
  const std::string prefix = UpperPrefix(make);
  for (const MakerLayout& layout : kLayouts) {
    if (prefix != layout.makePrefix) continue;
    switch (layout.condition) {
      case C::Always:
        return &layout;
      case C::ExifVersionAbove0210:
        if (exifVersion > std::string_view("0210")) return &layout;
        break;
      case C::NoteBeginsWithNikon:
        if (note.size() >= 5 && std::equal(note.begin(), note.begin() + 5, "Nikon")) {
          return &layout;
        }
        break;
    }
  }
  return nullptr;
}

bool MakerNoteDecoder::DecodeMakerNote(ExifDecoder& exif, std::span<const std::uint8_t> note,
                                       std::uint64_t noteIndex) {
  const MakerLayout* layout = LayoutFor(exif.Make(), exif.ExifVersion(), note);
  if (layout == nullptr) return false;
  exif.SetMakerFamilyKnown();
  try {
    DecodeDirectory(exif, *layout, note, noteIndex);
  } catch (const ParseError&) {
    // The maker values end where the error occurred.
  }
  return true;
}

}  // namespace trimora::metadata
