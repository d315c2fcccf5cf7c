#include "metadata/makernote_minolta.h"

#include <array>

namespace trimora::metadata {
namespace {

constexpr std::array<TagRow, 2> kRows{{
    {0x0000, "ModelID", "", "", ""},
    {0x0E00, "PIMdata", "", "", ""},
}};

}  // namespace

TagTable MinoltaTable() { return kRows; }

}  // namespace trimora::metadata
