// Minolta maker notes.
#pragma once

#include "metadata/tag_entry.h"

namespace trimora::metadata {

// The Minolta maker-note table (2 rows).
TagTable MinoltaTable();

}  // namespace trimora::metadata
