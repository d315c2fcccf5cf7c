// Tables as JSON, for people who script their photo work with the command-line tool:
//
//   {"columns": [{"name": "X", "type": "ftInteger"},
//                {"name": "Filename", "type": "ftString", "size": 250}, ...],
//    "records": [[null, 3, "/fotos/a.jpg", true, ...], ...]}
//
// A record is an array with one element per column, in column order; null is a null field.
// Column names are Windows-1252 in the table and UTF-8 in JSON. Text values are written as
// they are when all of a column's values are UTF-8 (file paths); otherwise the column carries
// "encoding": "windows-1252" and its values are converted (format names), so that reading the
// JSON back gives the same bytes.
#pragma once

#include <string>
#include <string_view>

#include "tables/table.h"

namespace trimora {

// The JSON text of `table`, ending with a line break.
std::string TableToJson(const Table& table);

// The table described by a JSON text in the shape above, its first record current. Throws
// trimora::Error naming the fault (malformed JSON, unknown type, a value that does not fit its
// column, a text longer than its column).
Table TableFromJson(std::string_view json);

}  // namespace trimora
