// Nikon maker notes: the older layout (type 1) and the newer one (type 2), and the Nikon
// lens and colour-mode formatters.
#pragma once

#include <string>
#include <string_view>

#include "metadata/tag_entry.h"

namespace trimora::metadata {

// The Nikon type 1 table (11 rows).
TagTable NikonType1Table();
// The Nikon type 2 table (28 rows).
TagTable NikonType2Table();
// The text of the Nikon lens (0084) or colour-mode (008D) formatter; throws a ParseError
// when the value does not have the expected form.
std::string NikonFormat(Formatter formatter, std::string_view data);

}  // namespace trimora::metadata
