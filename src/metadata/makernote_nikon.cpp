#include "metadata/makernote_nikon.h"

#include <array>

#include "metadata/byte_reader.h"
#include "metadata/value_format.h"

namespace trimora::metadata {
namespace {

constexpr std::array<TagRow, 11> kType1{{
    {0x0002, "FamilyID", "", "", ""},
    {0x0003, "Quality", "",
     "1:Vga Basic,2:Vga Normal,3:Vga Fine,4:SXGA Basic,5:SXGA Normal,6:SXGA Fine10:2 Mpixel "
     "Basic,11:2 Mpixel Normal,12:2 Mpixel Fine",
     ""},
    {0x0004, "ColorMode", "", "1:Color,2:Monochrome", ""},
    {0x0005, "ImageAdjustment", "", "0:Normal,1:Bright+,2:Bright-,3:Contrast+,4:Contrast-", ""},
    {0x0006, "ISOSpeed", "", "0:ISO80,2:ISO160,4:ISO320,5:ISO100", ""},
    {0x0007, "WhiteBalance", "",
     "0:Auto,1:Preset,2:Daylight,3:Incandescense,4:Fluorescence,5:Cloudy,6:SpeedLight", ""},
    {0x0008, "Focus", "", "", ""},
    {0x0009, "Skip", "", "", ""},
    {0x000A, "DigitalZoom", "", "", ""},
    {0x000B, "Converter", "", "0:Not used,1:Used", ""},
    {0x0F00, "Skip", "", "", ""},
}};

constexpr std::array<TagRow, 28> kType2{{
    {0x0001, "FamilyID", "Family ID", "", ""},
    {0x0002, "ISOSpeed", "ISO Speed", "", ""},
    {0x0003, "ColorMode", "Color Mode", "", ""},
    {0x0004, "Quality", "", "", ""},
    {0x0005, "WhiteBalance", "White Balance", "", ""},
    {0x0006, "ImageSharpening", "Image Sharpening", "", ""},
    {0x0007, "FocusMode", "Focus Mode", "", ""},
    {0x0008, "FlashSetting", "Flash Setting", "", ""},
    {0x0009, "AutoFlashMode", "Auto Flash Mode", "", ""},
    {0x000A, "Skip", "", "", ""},
    {0x000B, "WhiteBiasValue", "White Bias Value", "", ""},
    {0x000F, "DigitalZoom", "Digital Zoom", "", ""},
    {0x0010, "Skip", "", "", ""},
    {0x0011, "Skip", "", "", ""},
    {0x0080, "ImageAdjustment", "Image Adjustment", "", ""},
    {0x0081, "ImageAdjustment", "Image Adjustment", "", ""},
    {0x0082, "Adapter", "", "", ""},
    {0x0084, "LensInformation", "Lens information", "", "", Formatter::NikonLens},
    {0x0085, "ManualFocusDistance", "Manual Focus Distance", "", ""},
    {0x0086, "DigitalZoom", "Digital Zoom", "", ""},
    {0x0088, "FocusArea", "Focus Area", "", ""},
    {0x0089, "Mode", "", "", ""},
    {0x008D, "ColorMode", "Color Mode", "", "", Formatter::NikonColorMode},
    {0x008F, "SceneMode", "Scene Mode", "", ""},
    {0x0092, "HueAdjustment", "Hue Adjustment", "", ""},
    {0x0094, "Saturation", "", "", ""},
    {0x0095, "NoiseReduction", "Noise Reduction", "", ""},
    {0x0F00, "Skip", "", "", ""},
}};

}  // namespace

TagTable NikonType1Table() { return kType1; }

TagTable NikonType2Table() { return kType2; }

std::string NikonFormat(Formatter formatter, std::string_view data) {
  if (formatter == Formatter::NikonColorMode) {
    const std::string_view mode = data.substr(data.empty() ? 0 : 1, 5);
    if (mode == "MODE1") return "Mode1 (sRGB)";
    if (mode == "MODE2") return "Mode 2 (Adobe RGB)";
    if (mode == "MODE3") return "Mode 3 (sRGB): higher saturation";
    return std::string(mode);
  }
  if (formatter == Formatter::NikonLens) {
    const auto fields = SplitFields(data);
    enforce(fields.size() >= 4, "too few lens values");
    double v[4];
    for (int i = 0; i < 4; ++i) v[i] = ParseFraction(fields[i]);
    return FormatFixed(v[0], 1) + "-" + FormatFixed(v[1], 1) + "(mm)  F" + FormatFixed(v[2], 1) +
           "-F" + FormatFixed(v[3], 1);
  }
  return std::string(data);
}

}  // namespace trimora::metadata
