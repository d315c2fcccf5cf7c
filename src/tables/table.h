// In-memory tables: an ordered list of records over a list of column definitions, with a
// current record. They hold the cutting data of a folder and the two format tables.
//
// Texts in tables are 8-bit and kept as raw bytes, exactly as they stand in a table file:
// column names and format names are Windows-1252 (so "opt. Höhe" has the same bytes as on
// Windows), file paths are the platform's own path bytes. Nothing is converted on the way in
// or out; code that shows a name or makes one from UTF-8 converts with the helpers of
// folder/ansi_text.h at that point.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/error.h"

namespace trimora {

// The column types a table can hold. Integers of every width are held as signed 32-bit values;
// memo and blob columns hold bytes without a length limit.
enum class FieldType { String, Smallint, Integer, Word, AutoInc, Boolean, Memo, Blob };

// The type's name in a table file ("ftString", "ftInteger", ...).
std::string_view FieldTypeName(FieldType type);

// True when `a` and `b` are equal but for the case of ASCII letters, as the names of types
// and properties in table files are compared.
bool SameAsciiText(std::string_view a, std::string_view b);

// The type named `name` in a table file (case aside), or nothing when tables cannot hold it.
std::optional<FieldType> FieldTypeFromName(std::string_view name);

// True for the types whose values are integers.
bool IsIntegerType(FieldType type);

// True for the types whose values are texts (string, memo, blob).
bool IsTextType(FieldType type);

// One column: its name (Windows-1252 bytes), type and, for string columns, the maximum
// length in characters (0: no limit).
struct ColumnDef {
  std::string name;
  FieldType type = FieldType::Integer;
  std::int32_t size = 0;

  bool operator==(const ColumnDef&) const = default;
};

// A field's content: null (std::monostate, never assigned), an integer, a text (raw bytes)
// or a boolean. Which of the last three a field holds is fixed by its column's type.
using FieldValue = std::variant<std::monostate, std::int32_t, std::string, bool>;

// True when the field is null.
inline bool IsNull(const FieldValue& value) {
  return std::holds_alternative<std::monostate>(value);
}

// A table of records. Field access by name always refers to the current record. Changes are
// committed at once; there is no edit mode.
class Table {
 public:
  // A table without columns and records.
  Table() = default;

  // A table with these columns and no records.
  explicit Table(std::vector<ColumnDef> columns);

  // The column definitions in order.
  const std::vector<ColumnDef>& Columns() const { return columns_; }

  // The column names in order (used to copy a record field by field by name).
  std::vector<std::string> ColumnNames() const;

  // The position of the first column called `name`, or -1.
  int FindColumn(std::string_view name) const;

  // Replaces the columns; removes all records.
  void SetColumns(std::vector<ColumnDef> columns);

  // Number of records.
  int RecordCount() const { return recordCount_; }

  // True when the table holds no records.
  bool IsEmpty() const { return recordCount_ == 0; }

  // Adds a record with all fields null at the end and makes it the current record.
  void Append();

  // Makes room for `records` records in all, so that appending up to there allocates nothing.
  void Reserve(int records);

  // Removes the current record; the record after it becomes current, or the one before it when
  // it was the last (none when the table is now empty). Nothing happens in an empty table.
  void Delete();

  // Removes all records, keeps the columns.
  void Empty();

  // 0-based index of the current record; -1 when the table is empty.
  int CurrentPosition() const { return current_; }

  // Makes record n (0-based) the current record; nothing happens if it already is.
  // Throws trimora::Error when there is no record n.
  void LocateRecord(int n);

  // Makes the first record current (end test true at once when the table is empty).
  void First();

  // Moves to the following record; past the last one the end test becomes true and the last
  // record stays current.
  void Next();

  // True when a walk with First/Next has passed the last record, or the table is empty.
  bool End() const { return atEnd_ || recordCount_ == 0; }

  // The named field of the current record; null when the table is empty.
  // Throws trimora::Error for an unknown column name.
  FieldValue ReadField(std::string_view name) const;

  // The named field read as an integer, a text or a boolean; nothing when it is null.
  // Throws trimora::Error when the column has another type.
  std::optional<std::int32_t> ReadInteger(std::string_view name) const;
  std::optional<std::string> ReadText(std::string_view name) const;
  std::optional<bool> ReadBoolean(std::string_view name) const;

  // Assigns the named field of the current record. A text longer than a string column's length
  // is cut to that length; an empty text gives an empty, non-null field. Throws trimora::Error
  // for an unknown column, a value of another type, an integer outside a 16-bit column's range
  // or when there is no current record.
  void WriteField(std::string_view name, FieldValue value);
  void WriteInteger(std::string_view name, std::int32_t value);
  void WriteText(std::string_view name, std::string_view value);
  void WriteBoolean(std::string_view name, bool value);
  void WriteNull(std::string_view name);

  // Field `column` of record `record`, without moving the current record (no range check
  // beyond the debug assertions of std::vector).
  const FieldValue& At(int record, int column) const {
    return fields_[static_cast<std::size_t>(record) * columns_.size() +
                   static_cast<std::size_t>(column)];
  }

  // Assigns field `column` of record `record` under the rules of WriteField.
  void SetAt(int record, int column, FieldValue value);

  // Sorts the records ascending by the named column (null first, then by value; records with
  // equal values keep their order) and makes the first record current.
  void SortBy(std::string_view name);

 private:
  int RequireColumn(std::string_view name) const;
  template <typename T>
  std::optional<T> ReadTyped(std::string_view name, bool (*accepts)(FieldType),
                             ErrorCode otherKind) const;
  void RequireCurrent() const;
  FieldValue& Cell(int record, int column) {
    return fields_[static_cast<std::size_t>(record) * columns_.size() +
                   static_cast<std::size_t>(column)];
  }

  std::vector<ColumnDef> columns_;
  std::vector<FieldValue> fields_;  // record-major: record r, column c at r * columns + c
  int recordCount_ = 0;
  int current_ = -1;
  bool atEnd_ = false;
};

}  // namespace trimora
