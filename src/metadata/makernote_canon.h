// Canon maker notes, and the Canon formatters that expand the camera settings (0001), the
// shot info (0004) and the custom functions (000F) into items of their own.
#pragma once

#include <string_view>
#include <vector>

#include "metadata/tag_entry.h"

namespace trimora::metadata {

// The Canon table (16 rows).
TagTable CanonTable();

// Appends the items that a Canon formatter makes from a value's numbers (maker values of
// type ASCII named after the item); items whose text is empty are left out.
void CanonItems(Formatter formatter, std::string_view data, std::vector<TagEntry>& items);

}  // namespace trimora::metadata
