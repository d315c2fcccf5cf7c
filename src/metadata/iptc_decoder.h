// The IPTC decoder: datasets of an APP13 section as text lines.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trimora::metadata {

// One row of the IPTC table.
struct IptcRow {
  std::uint8_t record = 2;  // IPTC record number (2 or 8)
  std::uint8_t dataset = 0;
  std::string_view name;  // "SKIP" rows give no line
  std::string_view label;
  int size = 0;  // maximum length of the dataset
};

// The IPTC table: 48 datasets of record 2 and one of record 8.
std::span<const IptcRow> IptcTable();

// Decodes the datasets of an IPTC section.
class IptcDecoder {
 public:
  // "label = data" for each dataset of record 2 or 8 in the section's bytes (the two length
  // bytes followed by the payload), in the order of the datasets.
  std::vector<std::string> IptcLines(std::span<const std::uint8_t> section) const;
};

}  // namespace trimora::metadata
