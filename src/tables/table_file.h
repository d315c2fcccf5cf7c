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
// Throws trimora::Error ("Datei %s kann nicht erstellt werden" and the like).
void SaveTableToFile(const Table& table, const std::string& path);

// Discards `table`'s columns and records and replaces them by those in the file at `path`;
// afterwards the first record is current. On failure the table is left without columns and
// records. Throws trimora::Error ("Datei %s kann nicht geöffnet werden", the reader's errors).
void LoadTableFromFile(Table& table, const std::string& path);

// Writes `bytes` to `path` through a temporary file beside it that replaces the old file only
// when complete (keeping the old file's permissions); on failure nothing is left behind and
// the old file is untouched. A write-protected file (no write permission at all) is not
// replaced. Throws trimora::Error.
void ReplaceFileContents(const std::string& path, std::string_view bytes);

// Reads the whole regular file at `path`. Throws trimora::Error
// ("Datei %s kann nicht geöffnet werden").
std::string ReadWholeFile(const std::string& path);

}  // namespace trimora
