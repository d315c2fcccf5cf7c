#include "metadata/makernote_sanyo.h"

#include <array>

namespace trimora::metadata {
namespace {

constexpr std::array<TagRow, 6> kRows{{
    {0x0200, "Special Mode", "", "", ""},
    {0x0201, "JpegQuality", "", "", ""},
    {0x0202, "Macro", "", "", ""},
    {0x0203, "Skip", "", "", ""},
    {0x0204, "DigiZoom", "", "", ""},
    {0x0F00, "DataDump", "", "", ""},
}};

}  // namespace

TagTable SanyoTable() { return kRows; }

}  // namespace trimora::metadata
