// Olympus maker notes.
#pragma once

#include "metadata/tag_entry.h"

namespace trimora::metadata {

// The Olympus maker-note table (33 rows).
TagTable OlympusTable();

}  // namespace trimora::metadata
