// Fuzzes the reader of table files (the part of LoadTableFromFile after the file is read).
// A file that loads must write back to bytes that load to the same bytes again, and must
// survive the JSON exchange unchanged.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/error.h"
#include "tables/table_file.h"
#include "tables/table_json.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace trimora;
  Table table;
  try {
    table = ReadTableBytes(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const Error&) {
    return 0;
  }
  const std::string once = WriteTableBytes(table);
  if (WriteTableBytes(ReadTableBytes(once)) != once) std::abort();
  if (WriteTableBytes(TableFromJson(TableToJson(table))) != once) std::abort();
  return 0;
}
