// Fuji maker notes (always Intel byte order).
#pragma once

#include "metadata/tag_entry.h"

namespace trimora::metadata {

// The Fuji maker-note table (18 rows).
TagTable FujiTable();

}  // namespace trimora::metadata
