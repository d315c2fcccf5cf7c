// The version record that program files carry: a marker text followed by the four parts of
// the file version, so that another process can read the version from the file alone.
//
// Layout (36 bytes): the 20 bytes "TRIMORA-FILE-VERSION", then major, minor, release and build
// as 16-bit little-endian numbers, then the same four numbers bit-inverted. The inverted copy
// tells a real record from a chance occurrence of the marker.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace trimora {

// Major, minor, release and build.
using VersionParts = std::array<std::uint16_t, 4>;

// Size of an encoded record in bytes.
inline constexpr std::size_t kVersionRecordSize = 36;

// Size of the marker at the start of a record.
inline constexpr std::size_t kVersionMarkerSize = 20;

// The marker "TRIMORA-FILE-VERSION", each byte XOR 0x5A, so that code which looks for records
// does not carry the marker itself.
inline constexpr std::array<unsigned char, kVersionMarkerSize> kHiddenVersionMarker = {
    0x0E, 0x08, 0x13, 0x17, 0x15, 0x08, 0x1B, 0x77, 0x1C, 0x13,
    0x16, 0x1F, 0x77, 0x0C, 0x1F, 0x08, 0x09, 0x13, 0x15, 0x14};

// The record bytes for `parts`.
constexpr std::array<unsigned char, kVersionRecordSize> EncodeVersionRecord(VersionParts parts) {
  std::array<unsigned char, kVersionRecordSize> record{};
  for (std::size_t i = 0; i < kVersionMarkerSize; ++i) {
    record[i] = static_cast<unsigned char>(kHiddenVersionMarker[i] ^ 0x5A);
  }
  for (std::size_t i = 0; i < 4; ++i) {
    const std::uint16_t inverted = static_cast<std::uint16_t>(~parts[i]);
    record[kVersionMarkerSize + 2 * i] = static_cast<unsigned char>(parts[i] & 0xFF);
    record[kVersionMarkerSize + 2 * i + 1] = static_cast<unsigned char>(parts[i] >> 8);
    record[kVersionMarkerSize + 8 + 2 * i] = static_cast<unsigned char>(inverted & 0xFF);
    record[kVersionMarkerSize + 8 + 2 * i + 1] = static_cast<unsigned char>(inverted >> 8);
  }
  return record;
}

// This build's version as four decimal numbers joined by "." ("2.0.5.2"), the numbers of the
// record that the object library trimora_version_record embeds. Defined by that library: only
// programs that link it may call this.
std::string RecordedVersion();

// The first valid record in `bytes`, if there is one.
std::optional<VersionParts> FindVersionRecord(std::span<const unsigned char> bytes);

}  // namespace trimora
