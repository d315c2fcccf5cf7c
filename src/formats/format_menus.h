// The two format menus built from the format tables: the chooser `FormatPopup` (the format of
// the picture on screen) and the submenu "&Standardausgabeformat" (the default format). Both
// list the same formats: the scalable ones with their FormatID 1, 2, ..., then, when there are
// any, a separator and the non-scalable ones with -1, -2, .... Plain C++.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "formats/format_tables.h"

namespace trimora {

// One entry of a format menu: a radio-style format entry or a separator.
struct FormatMenuEntry {
  std::string caption;        // "Formatbezeichnung" (UTF-8)
  std::int32_t formatId = 0;  // the entry's tag
  bool checked = false;       // carries the check mark
  bool separator = false;
  bool operator==(const FormatMenuEntry&) const = default;
};

// The two format menus.
enum class FormatMenu : std::uint8_t {
  Chooser,  // `FormatPopup`, checked at the format of the picture on screen
  Default,  // "&Standardausgabeformat", checked at the default format
};

// The entries of a format menu, the entry tagged `checkedId` carrying the check mark. The
// tables' current rows are not moved.
std::vector<FormatMenuEntry> BuildFormatMenu(const FormatTables& tables, std::int32_t checkedId);

}  // namespace trimora
