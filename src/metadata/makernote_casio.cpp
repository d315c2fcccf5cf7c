#include "metadata/makernote_casio.h"

#include <array>

namespace trimora::metadata {
namespace {

constexpr std::array<TagRow, 26> kRows{{
    {0x0001, "RecordingMode", "",
     "1:Single Shutter,2:Panorama,3:Night Scene,4:Portrait,5:Landscape", ""},
    {0x0002, "Quality", "", "1:Economy,2:Normal,3:Fine", ""},
    {0x0003, "FocusingMode", "", "2:Macro,3:Auto Focus,4:Manual Focus,5:Infinity", ""},
    {0x0004, "FlashMode", "", "1:Auto,2:On,3:Off,4:Red Eye Reduction", ""},
    {0x0005, "FlashIntensity", "", "11:Weak,13:Normal,15:Strong", ""},
    {0x0006, "ObjectDistance", "", "", ""},
    {0x0007, "WhiteBalance", "", "1:Auto,2:Tungsten,3:Daylight,4:Fluorescent,5:Shade,129:Manual",
     ""},
    {0x0008, "Skip", "", "", ""},
    {0x0009, "Skip", "", "", ""},
    {0x000A, "DigitalZoom", "", "65536:Off,65537:2X Digital Zoom", ""},
    {0x000B, "Sharpness", "", "0:Normal,1:Soft,2:Hard", ""},
    {0x000C, "Contrast", "", "0:Normal,1:Low,2:High", ""},
    {0x000D, "Saturation", "", "0:Normal,1:Low,2:High", ""},
    {0x000E, "Skip", "", "", ""},
    {0x000F, "Skip", "", "", ""},
    {0x0010, "Skip", "", "", ""},
    {0x0011, "Skip", "", "", ""},
    {0x0012, "Skip", "", "", ""},
    {0x0013, "Skip", "", "", ""},
    {0x0014, "CCDSensitivity", "", "64:Normal,125:+1.0,250:+2.0,244:+3.0,80:Normal,100:High", ""},
    {0x0015, "Skip", "", "", ""},
    {0x0016, "Skip", "", "", ""},
    {0x0017, "Skip", "", "", ""},
    {0x0018, "Skip", "", "", ""},
    {0x0019, "Skip", "", "", ""},
    {0x001A, "Skip", "", "", ""},
}};

}  // namespace

TagTable CasioTable() { return kRows; }

}  // namespace trimora::metadata
