// Epson (Seiko) maker notes.
#pragma once

#include "metadata/tag_entry.h"

namespace trimora::metadata {

// The Epson maker-note table (12 rows).
TagTable EpsonTable();

}  // namespace trimora::metadata
