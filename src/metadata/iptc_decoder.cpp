#include "metadata/iptc_decoder.h"

#include <algorithm>
#include <array>

#include "metadata/byte_reader.h"

namespace trimora::metadata {
namespace {

constexpr std::array<IptcRow, 49> kRows{{
    {2, 0x00, "SKIP", "Record Version", 64},
    {2, 0x03, "ObjectType", "Object Type Ref", 67},
    {2, 0x04, "ObjectAttr", "Object Attribute Ref", 67},
    {2, 0x05, "ObjectName", "Object name", 64},
    {2, 0x07, "EditStatus", "Edit Status", 64},
    {2, 0x08, "EditorialUpdate", "Editorial Update", 2},
    {2, 0x0A, "Urgency", "Urgency", 1},
    {2, 0x0C, "SubRef", "Subject Reference", 236},
    {2, 0x0F, "Category", "Category", 3},
    {2, 0x14, "SuppCategory", "Supplemental category", 32},
    {2, 0x16, "FixtureID", "Fixture ID", 32},
    {2, 0x19, "Keywords", "Keywords", 64},
    {2, 0x1A, "ContentLocCode", "Content Location Code", 3},
    {2, 0x1B, "ContentLocName", "Content Location Name", 64},
    {2, 0x1E, "ReleaseDate", "Release Date", 8},
    {2, 0x23, "ReleaseTime", "Release Time", 11},
    {2, 0x25, "ExpireDate", "Expiration Date", 8},
    {2, 0x26, "ExpireTime", "Expiration Time", 11},
    {2, 0x28, "SpecialInstru", "Special Instructions", 256},
    {2, 0x2A, "ActionAdvised", "Action Advised", 2},
    {2, 0x2D, "RefService", "Reference Service", 10},
    {2, 0x2F, "RefDate", "Reference Date", 8},
    {2, 0x32, "RefNumber", "Reference Number", 8},
    {2, 0x37, "DateCreated", "Date created", 8},
    {2, 0x3C, "TimeCreated", "Time created", 11},
    {2, 0x3E, "DigitizeDate", "Digital Creation Date", 8},
    {2, 0x3F, "DigitizeTime", "Digital Creation Time", 11},
    {2, 0x41, "OriginatingProgram", "Originating Program", 32},
    {2, 0x46, "ProgramVersion", "Program version", 10},
    {2, 0x4B, "ObjectCycle", "Object Cycle", 1},
    {2, 0x50, "ByLine", "ByLine", 32},
    {2, 0x55, "ByLineTitle", "ByLine Title", 32},
    {2, 0x5A, "City", "City", 32},
    {2, 0x5C, "SubLocation", "Sublocation", 32},
    {2, 0x5F, "State", "Province/State", 32},
    {2, 0x64, "LocationCode", "Country/Primary Location Code", 3},
    {2, 0x65, "LocationName", "Country/Primary Location Name", 64},
    {2, 0x67, "TransmissionRef", "Original Transmission Reference", 32},
    {2, 0x69, "ImageHeadline", "Image headline", 256},
    {2, 0x6E, "ImageCredit", "Image credit", 32},
    {2, 0x73, "Source", "Source", 32},
    {2, 0x74, "Copyright", "Copyright Notice", 128},
    {2, 0x76, "Contact", "Contact", 128},
    {2, 0x78, "ImageCaption", "Image caption", 2000},
    {2, 0x7A, "ImageCaptionWriter", "Image caption writer", 32},
    {2, 0x82, "ImageType", "Image type", 2},
    {2, 0x83, "Orientation", "Image Orientation", 1},
    {2, 0x87, "LangID", "Language ID", 3},
    {8, 0x0A, "Subfile", "Subfile", 2},
}};

constexpr std::string_view kPhotoshop = "Photoshop 3.0";

const IptcRow* Find(std::uint8_t record, std::uint8_t dataset) {
  for (const IptcRow& row : kRows) {
    if (row.record == record && row.dataset == dataset) return &row;
  }
  return nullptr;
}

}  // namespace

std::span<const IptcRow> IptcTable() { return kRows; }

std::vector<std::string> IptcDecoder::IptcLines(std::span<const std::uint8_t> section) const {
  std::vector<std::string> lines;
  const ByteReader r(section, ByteOrder::Motorola);
  const std::string_view text(reinterpret_cast<const char*>(section.data()), section.size());
  // 0-based index where the search for the first dataset marker starts.
  const std::size_t found = text.find(kPhotoshop);
  std::size_t p = found == std::string_view::npos ? 12 : found + kPhotoshop.size();
  while (p + 1 < section.size() &&
         !(section[p] == 0x1C && (section[p + 1] == 2 || section[p + 1] == 8))) {
    ++p;
  }
  if (p + 1 >= section.size()) return lines;
  ++p;  // the byte after the marker
  // The dataset header is record, dataset and a 16-bit length; each is followed by one
  // marker byte that is passed over.
  while (p + 3 < section.size()) {
    const std::uint8_t record = r.u8(p);
    const std::uint8_t dataset = r.u8(p + 1);
    const std::uint16_t n = r.u16(p + 2);
    const auto data = r.clipped(p + 4, n);
    p += 4 + static_cast<std::size_t>(n) + 1;
    if (record != 2 && record != 8) continue;
    const IptcRow* row = Find(record, dataset);
    std::string line;
    if (row == nullptr) {
      line = "Custom_" + std::to_string(dataset);
    } else if (row->name == "SKIP") {
      continue;
    } else {
      line = row->label;
    }
    line += " = ";
    line.append(reinterpret_cast<const char*>(data.data()), data.size());
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace trimora::metadata
