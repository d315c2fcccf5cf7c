#include "metadata/makernote_epson.h"

#include <array>

namespace trimora::metadata {
namespace {

constexpr std::array<TagRow, 12> kRows{{
    {0x0200, "Special Mode", "", "", ""},
    {0x0201, "JpegQuality", "", "", ""},
    {0x0202, "Macro", "", "", ""},
    {0x0203, "Skip", "", "", ""},
    {0x0204, "DigiZoom", "", "", ""},
    {0x0209, "CameraID", "", "", ""},
    {0x020A, "Comments", "", "", ""},
    {0x020B, "Width", "", "", ""},
    {0x020C, "Height", "", "", ""},
    {0x020D, "SoftRelease", "", "", ""},
    {0x0300, "??", "", "", ""},
    {0x0F00, "skip", "", "", ""},
}};

}  // namespace

TagTable EpsonTable() { return kRows; }

}  // namespace trimora::metadata
