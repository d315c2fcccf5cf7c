// Casio maker notes.
#pragma once

#include "metadata/tag_entry.h"

namespace trimora::metadata {

// The Casio maker-note table (26 rows).
TagTable CasioTable();

}  // namespace trimora::metadata
