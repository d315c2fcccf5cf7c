#include "formats/format_menus.h"

namespace trimora {

std::vector<FormatMenuEntry> BuildFormatMenu(const FormatTables& tables, std::int32_t checkedId) {
  std::vector<FormatMenuEntry> entries;
  auto add = [&](const Table& table, int sign) {
    for (int row = 1; row <= table.RecordCount(); ++row) {
      const std::int32_t id = sign * row;
      FormatRecord format;
      if (!tables.LookupFormat(id, format)) continue;
      entries.push_back({format.Name, id, id == checkedId, false});
    }
  };
  add(tables.scalableFormatTable, 1);
  if (tables.nonScalableFormatTable.RecordCount() > 0) {
    entries.push_back({"", 0, false, true});
    add(tables.nonScalableFormatTable, -1);
  }
  return entries;
}

}  // namespace trimora
