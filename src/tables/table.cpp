#include "tables/table.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "platform/error.h"
#include "tables/ansi_text.h"

namespace trimora {
namespace {

struct TypeName {
  FieldType type;
  std::string_view name;
};

constexpr std::array<TypeName, 8> kTypeNames = {{
    {FieldType::String, "ftString"},
    {FieldType::Smallint, "ftSmallint"},
    {FieldType::Integer, "ftInteger"},
    {FieldType::Word, "ftWord"},
    {FieldType::AutoInc, "ftAutoInc"},
    {FieldType::Boolean, "ftBoolean"},
    {FieldType::Memo, "ftMemo"},
    {FieldType::Blob, "ftBlob"},
}};

// A column name as the error texts show it (UTF-8).
std::string Shown(std::string_view columnName) { return AnsiToUtf8(columnName); }

// Orders field values of one column: null first, then by value.
bool Less(const FieldValue& a, const FieldValue& b) {
  if (a.index() != b.index()) return a.index() < b.index();
  return a < b;
}

}  // namespace

bool SameAsciiText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string_view FieldTypeName(FieldType type) {
  for (const auto& t : kTypeNames) {
    if (t.type == type) return t.name;
  }
  return "ftUnknown";
}

std::optional<FieldType> FieldTypeFromName(std::string_view name) {
  for (const auto& t : kTypeNames) {
    if (SameAsciiText(t.name, name)) return t.type;
  }
  return std::nullopt;
}

bool IsIntegerType(FieldType type) {
  return type == FieldType::Smallint || type == FieldType::Integer || type == FieldType::Word ||
         type == FieldType::AutoInc;
}

bool IsTextType(FieldType type) {
  return type == FieldType::String || type == FieldType::Memo || type == FieldType::Blob;
}

Table::Table(std::vector<ColumnDef> columns) : columns_(std::move(columns)) {}

std::vector<std::string> Table::ColumnNames() const {
  std::vector<std::string> names;
  names.reserve(columns_.size());
  for (const auto& c : columns_) names.push_back(c.name);
  return names;
}

int Table::FindColumn(std::string_view name) const {
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    if (columns_[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

void Table::SetColumns(std::vector<ColumnDef> columns) {
  Empty();
  columns_ = std::move(columns);
}

void Table::Append() {
  fields_.resize(fields_.size() + columns_.size());
  current_ = recordCount_++;
  atEnd_ = false;
}

void Table::Reserve(int records) {
  if (records > 0) fields_.reserve(static_cast<std::size_t>(records) * columns_.size());
}

void Table::Delete() {
  if (current_ < 0) return;
  const auto width = static_cast<std::ptrdiff_t>(columns_.size());
  const auto first = fields_.begin() + current_ * width;
  fields_.erase(first, first + width);
  --recordCount_;
  if (current_ >= recordCount_) current_ = recordCount_ - 1;
  atEnd_ = false;
}

void Table::Empty() {
  fields_.clear();
  recordCount_ = 0;
  current_ = -1;
  atEnd_ = false;
}

void Table::LocateRecord(int n) {
  if (n < 0 || n >= recordCount_) {
    throw Error(ErrorCode::kRecordMissing, {std::to_string(n)});
  }
  current_ = n;
  atEnd_ = false;
}

void Table::First() {
  current_ = recordCount_ > 0 ? 0 : -1;
  atEnd_ = recordCount_ == 0;
}

void Table::Next() {
  if (current_ + 1 < recordCount_) {
    ++current_;
  } else {
    atEnd_ = true;
  }
}

int Table::RequireColumn(std::string_view name) const {
  const int column = FindColumn(name);
  if (column < 0) throw Error(ErrorCode::kFieldUnknown, {Shown(name)});
  return column;
}

void Table::RequireCurrent() const {
  if (current_ < 0) throw Error(ErrorCode::kTableWithoutRecord);
}

FieldValue Table::ReadField(std::string_view name) const {
  const int column = RequireColumn(name);
  if (current_ < 0) return {};
  return At(current_, column);
}

template <typename T>
std::optional<T> Table::ReadTyped(std::string_view name, bool (*accepts)(FieldType),
                                  ErrorCode otherKind) const {
  const int column = RequireColumn(name);
  if (!accepts(columns_[column].type)) throw Error(otherKind, {Shown(name)});
  if (current_ < 0 || IsNull(At(current_, column))) return std::nullopt;
  return std::get<T>(At(current_, column));
}

std::optional<std::int32_t> Table::ReadInteger(std::string_view name) const {
  return ReadTyped<std::int32_t>(name, IsIntegerType, ErrorCode::kFieldNotNumber);
}

std::optional<std::string> Table::ReadText(std::string_view name) const {
  return ReadTyped<std::string>(name, IsTextType, ErrorCode::kFieldNotText);
}

std::optional<bool> Table::ReadBoolean(std::string_view name) const {
  return ReadTyped<bool>(
      name, [](FieldType type) { return type == FieldType::Boolean; }, ErrorCode::kFieldNotBoolean);
}

void Table::SetAt(int record, int column, FieldValue value) {
  const ColumnDef& def = columns_[column];
  if (auto* number = std::get_if<std::int32_t>(&value)) {
    if (!IsIntegerType(def.type)) {
      throw Error(ErrorCode::kFieldTakesNoNumber, {Shown(def.name)});
    }
    const bool fits = def.type == FieldType::Smallint ? (*number >= -32768 && *number <= 32767)
                      : def.type == FieldType::Word   ? (*number >= 0 && *number <= 65535)
                                                      : true;
    if (!fits) {
      throw Error(ErrorCode::kFieldValueOutOfRange, {std::to_string(*number), Shown(def.name)});
    }
  } else if (auto* text = std::get_if<std::string>(&value)) {
    if (!IsTextType(def.type)) {
      throw Error(ErrorCode::kFieldTakesNoText, {Shown(def.name)});
    }
    if (def.type == FieldType::String && def.size > 0 &&
        text->size() > static_cast<std::size_t>(def.size)) {
      text->resize(static_cast<std::size_t>(def.size));
    }
  } else if (std::holds_alternative<bool>(value)) {
    if (def.type != FieldType::Boolean) {
      throw Error(ErrorCode::kFieldTakesNoBoolean, {Shown(def.name)});
    }
  }
  Cell(record, column) = std::move(value);
}

void Table::WriteField(std::string_view name, FieldValue value) {
  const int column = RequireColumn(name);
  RequireCurrent();
  SetAt(current_, column, std::move(value));
}

void Table::WriteInteger(std::string_view name, std::int32_t value) { WriteField(name, value); }

void Table::WriteText(std::string_view name, std::string_view value) {
  WriteField(name, std::string(value));
}

void Table::WriteBoolean(std::string_view name, bool value) { WriteField(name, value); }

void Table::WriteNull(std::string_view name) { WriteField(name, std::monostate{}); }

void Table::SortBy(std::string_view name) {
  const int column = RequireColumn(name);
  std::vector<int> order(static_cast<std::size_t>(recordCount_));
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return Less(At(a, column), At(b, column)); });
  std::vector<FieldValue> sorted;
  sorted.reserve(fields_.size());
  for (int r : order) {
    for (std::size_t c = 0; c < columns_.size(); ++c)
      sorted.push_back(std::move(Cell(r, static_cast<int>(c))));
  }
  fields_ = std::move(sorted);
  First();
}

}  // namespace trimora
