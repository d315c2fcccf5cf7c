// The table file format: the cutting-data file of each source folder and the
// two format files are tables written in it.
//
// A file is "TPF0", the class name "TRxMemoryData", the column definitions as a collection,
// the record count and the records as a list of tagged values (little-endian numbers).
#pragma once

#include <string>
#include <string_view>

#include "tables/table.h"

namespace trimora {

// The bytes of a table file holding `table`'s columns and records.
std::string WriteTableBytes(const Table& table);

// The table that the bytes of a table file hold, its first record current. Throws
// trimora::Error for truncated or malformed content, a wrong class name, an unsupported column
// type or a record count that does not match.
Table ReadTableBytes(std::string_view bytes);

// Writes `table` to `path`, creating or replacing the file. The bytes go to a temporary file
// beside it first, which replaces the old file only when it is complete; on failure the old
// file is left as it was and no temporary file stays behind. The current record is unchanged.
// Throws trimora::Error (kFileCannotCreate and the like).
void SaveTableToFile(const Table& table, const std::string& path);

// Discards `table`'s columns and records and replaces them by those in the file at `path`;
// afterwards the first record is current. On failure the table is left without columns and
// records. Throws trimora::Error (kFileCannotOpen, the reader's errors).
void LoadTableFromFile(Table& table, const std::string& path);

}  // namespace trimora
