// Rows of the built-in tag tables and the decoded values made from them.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace trimora::metadata {

// A special formatter that turns a value's plain text into its display text.
enum class Formatter : std::uint8_t {
  None,
  ComponentLetters,      // Exif 9101
  ShutterSpeed,          // Exif 9201
  Flash,                 // Exif 9209
  Comment,               // Exif 9286
  Text16,                // Exif 9C9B..9C9F
  GpsAngle,              // GPS 0002, 0004, 0014, 0016
  GpsTime,               // GPS 0007
  CanonCameraSettings,   // Canon 0001
  CanonShotInfo,         // Canon 0004
  CanonCustomFunctions,  // Canon 000F
  NikonLens,             // Nikon 0084
  NikonColorMode,        // Nikon 008D
};

// One row of a static tag table: what the program knows about a tag.
struct TagRow {
  std::uint16_t tag = 0;    // tag number; 0 marks the "Unknown" row of the main table
  std::string_view name;    // used for look-ups by name
  std::string_view label;   // display name; empty in the main and GPS tables: made from name
  std::string_view code;    // decode list "value:text,value:text", or empty
  std::string_view format;  // format pattern ("%5.2f", "%s sec"), or empty
  Formatter formatter = Formatter::None;
};

// A table of rows, searched by tag number.
using TagTable = std::span<const TagRow>;

// Value list of an entry: 0 for Exif and GPS values, 1 for maker-note values.
enum : int { kExifTid = 0, kMakerTid = 1 };

// One decoded value: its table row's texts plus the value's display text and stored bytes.
struct TagEntry {
  int TID = kExifTid;        // kExifTid or kMakerTid
  std::uint16_t TType = 0;   // TIFF format type of the value (1..12)
  std::uint16_t ICode = 0;   // IPTC record number (2 or 8); 0 elsewhere
  std::uint16_t Tag = 0;     // tag number (IPTC: dataset number)
  std::string_view Name;     // static text of the row
  std::string_view Label;    // static text of the row (display name)
  std::string_view Code;     // the row's decode list
  std::string_view FormatS;  // the row's format pattern
  std::string Data;          // display text of the value
  std::string Raw;           // the value's bytes as stored
  int Size = 0;              // IPTC: maximum length of the dataset
  Formatter formatter = Formatter::None;
};

// Bytes per value of the TIFF format types 1..12; 0 for type 0 and types above 12.
constexpr int BytesPerValue(unsigned type) {
  constexpr int kSizes[13] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
  return type <= 12 ? kSizes[type] : 0;
}

// TIFF format types by name.
enum : std::uint16_t {
  kByte = 1,
  kAscii = 2,
  kShort = 3,
  kLong = 4,
  kRational = 5,
  kSByte = 6,
  kUndefined = 7,
  kSShort = 8,
  kSLong = 9,
  kSRational = 10,
  kFloat = 11,
  kDouble = 12
};

}  // namespace trimora::metadata
