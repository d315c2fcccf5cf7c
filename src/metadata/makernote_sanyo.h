// Sanyo maker notes.
#pragma once

#include "metadata/tag_entry.h"

namespace trimora::metadata {

// The Sanyo maker-note table (6 rows).
TagTable SanyoTable();

}  // namespace trimora::metadata
