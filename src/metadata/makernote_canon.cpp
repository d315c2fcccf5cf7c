#include "metadata/makernote_canon.h"

#include <array>
#include <charconv>

#include "metadata/value_format.h"

namespace trimora::metadata {
namespace {

constexpr std::array<TagRow, 16> kRows{{
    {0x0000, "Skip", "", "", ""},
    {0x0001, "ExposureInfo1", "", "", "", Formatter::CanonCameraSettings},
    {0x0002, "Skip", "", "", ""},
    {0x0003, "Skip", "", "", ""},
    {0x0004, "ExposureInfo2", "", "", "", Formatter::CanonShotInfo},
    {0x0006, "ImageType", "", "", ""},
    {0x0007, "FirmwareVersion", "", "", ""},
    {0x0008, "ImageNumber", "", "", ""},
    {0x0009, "OwnerName", "", "", ""},
    {0x000A, "Skip", "", "", ""},
    {0x000B, "Skip", "", "", ""},
    {0x000C, "CameraSerialNumber", "", "", ""},
    {0x000D, "Skip", "", "", ""},
    {0x000E, "Skip", "", "", ""},
    {0x000F, "CustomFunctions", "", "", "", Formatter::CanonCustomFunctions},
    {0x0010, "Skip", "", "", ""},
}};

// An item made from one field (counted from 1) of a value, shown through its decode list.
struct Item {
  std::string_view name;
  int field;
  std::string_view code;
};

constexpr std::string_view kLowNormalHigh = "65535:Low,0:Normal,1:High";

constexpr Item kCameraSettings[] = {
    {"Macro mode", 2, "1:Macro,2:Normal"},
    {"Self Timer", 2, ""},
    {"Compression Rate", 4, "0:SuperFine,1:Fine,2:Normal,3:Basic,5:SuperFine"},
    {"Flash Mode", 5,
     "0:Not fired,1:Auto,2:On,3:Red-eye,4:Slow sync,5:Auto+red-eye,6:On+red eye,16:External "
     "flash"},
    {"Drive Mode", 6, "0:Single,1:Continuous"},
    {"Focus Mode", 8, "0:One-Shot,1:AI Servo,2:AI Focus,3:MF,4:Single,5:Continuous,6:MF"},
    {"Image Size", 11, "0:Large,1:Medium,2:Small,4:5MPixel,5:2 MPixel,6:1.5 MPixel"},
    {"Easy Shoot", 12,
     "0:Full Auto,1:Manual,2:Landscape,3:Fast Shutter,4:Slow Shutter,5:Night,6:B&W,7:Sepia,8:"
     "Portrait,9:Sports,10:Macro/Close-Up,11:Pan Focus"},
    {"Contrast", 14, kLowNormalHigh},
    {"Saturation", 15, kLowNormalHigh},
    {"Sharpness", 16, kLowNormalHigh},
    {"CCD ISO", 17, "0:Not used,15:auto,16:50,17:100,18:200,19:400"},
    {"Metering Mode", 18, kLowNormalHigh},
    {"AF Point", 20, kLowNormalHigh},
    {"Exposure Mode", 21, kLowNormalHigh},
    {"Long focal", 24, ""},
    {"Short focal", 25, ""},
    {"Focal Units", 26, ""},
    {"Flash Details", 29, ""},
    {"Focus Mode", 33, kLowNormalHigh},
};

constexpr Item kShotInfo[] = {
    {"White balance", 8, "0:Auto,1:Sunny,2:Cloudy,3:Tungsten,4:Flourescent,5:Flash,6:Custom"},
    {"Sequence Number", 9, ""},
    {"OpticalZoom Step", 11, ""},
    {"AF point", 14, ""},
    {"Flash bias", 16,
     "65472:-2 EV,65484:-1.67 EV,65488:-1.50 EV,65492:-1.33 EV,65504:-1 EV,65516:-0.67 "
     "EV,65520:-0.50 EV,65524:-0.33 EV,0:0 EV,12:0.33 EV,16:0.50 EV,20:0.67 EV,32:1 EV,44:1.33 "
     "EV,48:1.50 EV,52:1.67 EV,64:2 EV"},
    {"Distance", 19, ""},
};

// Custom function n (1..15): its name and the texts of its settings.
struct Function {
  std::string_view name;
  std::string_view code;
};

constexpr Function kFunctions[] = {
    {"Noise Reduction", "0: Off,1: On"},
    {"Shutter AE Lock Button", "0:AF/AE lock,1:AE lock/AF,2:AF/AF lock,3:AE+release/AE+AF"},
    {"Mirror Lockup", "0:Disable,1:Enable"},
    {"Exposure Level", "0:1/2 stop,1:1/3 stop"},
    {"AF Assist", "0:On (auto),1:Off"},
    {"AV Shutter Speed", "0:Automatic,1: 1/200 (fixed)"},
    {"AEB Sequence",
     "0:0, -, + / Enabled1: 0, -, + / Disabled,2: -, 0, + / Enabled,3: -, 0, + / Disabled"},
    {"Shutter Sync", "0:1st-curtain sync,1: 2nd-curtain sync"},
    {"Lens AF Button", "0:AF stop,1:Operate AF,2:Lock AE and start timer"},
    {"Fill Flash Reduction", "0:Enable,1:Disable"},
    {"Menu Return", "0:Top,1:Previous (volatile),2:Previous"},
    {"Set Button", "0:Not assigned,1:Change quality,2:Change ISO speed,3:Select parameters"},
    {"Sensor Cleaning", "0:Disable,1:Enable"},
    {"Superimposed Display", "0: On,1: Off"},
    {"Shutter Release w/o CF Card", "0:Enable,1:Disable"},
};

void Add(std::string_view name, std::string_view text, std::vector<TagEntry>& items) {
  if (Trim(text).empty()) return;
  TagEntry item;
  item.TID = kMakerTid;
  item.TType = kAscii;
  item.Name = name;
  item.Label = name;
  item.Data = std::string(text);
  items.push_back(std::move(item));
}

template <std::size_t N>
void FieldItems(const Item (&list)[N], const std::vector<std::string_view>& fields,
                std::vector<TagEntry>& items) {
  for (const Item& item : list) {
    if (item.field > static_cast<int>(fields.size())) continue;
    const std::string_view field = fields[item.field - 1];
    Add(item.name, item.code.empty() ? field : CodeText(item.code, field), items);
  }
}

void CustomFunctions(const std::vector<std::string_view>& fields, std::vector<TagEntry>& items) {
  const std::size_t commas = fields.size() - 1;
  for (std::size_t k = 1; k <= commas; ++k) {
    std::int64_t v = 0;
    const std::string_view field = fields[k - 1];
    const auto result = std::from_chars(field.data(), field.data() + field.size(), v);
    if (result.ec != std::errc() || result.ptr != field.data() + field.size() || field.empty()) {
      continue;
    }
    if (v < 0 || v > 4095) continue;
    const std::int64_t function = v / 256, setting = v % 256;
    if (function < 1 || function > 15) continue;
    const Function& f = kFunctions[function - 1];
    Add(f.name, CodeText(f.code, std::to_string(setting)), items);
  }
}

}  // namespace

TagTable CanonTable() { return kRows; }

void CanonItems(Formatter formatter, std::string_view data, std::vector<TagEntry>& items) {
  const auto fields = SplitFields(data);
  switch (formatter) {
    case Formatter::CanonCameraSettings:
      FieldItems(kCameraSettings, fields, items);
      break;
    case Formatter::CanonShotInfo:
      FieldItems(kShotInfo, fields, items);
      break;
    case Formatter::CanonCustomFunctions:
      CustomFunctions(fields, items);
      break;
    default:
      break;
  }
}

}  // namespace trimora::metadata
