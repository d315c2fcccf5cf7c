#include "tables/table_json.h"

#include <limits>

#include "platform/error.h"
#include "tables/ansi_text.h"
#include "tables/json.h"

namespace trimora {
namespace {

constexpr std::string_view kAnsiEncoding = "windows-1252";
constexpr std::string_view kUtf8Encoding = "utf-8";

using Kind = JsonValue::Kind;

// The place in the JSON table that an error is about.
struct Place {
  ErrorCode code;
  std::vector<std::string> args;
};

// The fault `what` at `where`.
[[noreturn]] void Fail(const Place& where, ErrorCode what, std::vector<std::string> args = {}) {
  throw Error(where.code, where.args, Error(what, std::move(args)));
}

// True when every text value of column `c` is UTF-8 as it stands.
bool ColumnIsUtf8(const Table& table, int c) {
  for (int r = 0; r < table.RecordCount(); ++r) {
    const auto* text = std::get_if<std::string>(&table.At(r, c));
    if (text && !IsValidUtf8(*text)) return false;
  }
  return true;
}

const JsonValue& Member(const JsonValue& object, std::string_view key, Kind kind,
                        const Place& where) {
  const JsonValue* v = object.Find(key);
  if (!v) Fail(where, ErrorCode::kJsonMemberMissing, {std::string(key)});
  if (v->kind != kind) Fail(where, ErrorCode::kJsonMemberWrongType, {std::string(key)});
  return *v;
}

void OnlyKeys(const JsonValue& object, std::initializer_list<std::string_view> keys,
              const Place& where) {
  for (const auto& [name, value] : object.members) {
    bool known = false;
    for (auto k : keys) known = known || k == name;
    if (!known) Fail(where, ErrorCode::kJsonMemberUnknown, {name});
  }
}

}  // namespace

std::string TableToJson(const Table& table) {
  const auto& columns = table.Columns();
  std::vector<bool> ansi(columns.size(), false);
  std::string out = "{\n  \"columns\": [";
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const ColumnDef& def = columns[c];
    out += c == 0 ? "\n" : ",\n";
    out += "    {\"name\": " + JsonQuote(AnsiToUtf8(def.name)) +
           ", \"type\": " + JsonQuote(FieldTypeName(def.type));
    if (def.size != 0) out += ", \"size\": " + std::to_string(def.size);
    if (IsTextType(def.type) && !ColumnIsUtf8(table, static_cast<int>(c))) {
      ansi[c] = true;
      out += ", \"encoding\": " + JsonQuote(kAnsiEncoding);
    }
    out += "}";
  }
  out += columns.empty() ? "],\n" : "\n  ],\n";
  out += "  \"records\": [";
  for (int r = 0; r < table.RecordCount(); ++r) {
    out += r == 0 ? "\n    [" : ",\n    [";
    for (std::size_t c = 0; c < columns.size(); ++c) {
      if (c > 0) out += ", ";
      const FieldValue& v = table.At(r, static_cast<int>(c));
      if (IsNull(v)) {
        out += "null";
      } else if (const auto* n = std::get_if<std::int32_t>(&v)) {
        out += std::to_string(*n);
      } else if (const auto* t = std::get_if<std::string>(&v)) {
        out += JsonQuote(ansi[c] ? AnsiToUtf8(*t) : *t);
      } else {
        out += std::get<bool>(v) ? "true" : "false";
      }
    }
    out += "]";
  }
  out += table.RecordCount() == 0 ? "]\n}\n" : "\n  ]\n}\n";
  return out;
}

Table TableFromJson(std::string_view json) {
  const JsonValue root = ParseJson(json);
  if (root.kind != Kind::Object) throw Error(ErrorCode::kJsonTableNotObject);
  const Place table{ErrorCode::kJsonInTable, {}};
  OnlyKeys(root, {"columns", "records"}, table);
  const JsonValue& columnList = Member(root, "columns", Kind::Array, table);
  const JsonValue& recordList = Member(root, "records", Kind::Array, table);

  std::vector<ColumnDef> columns;
  std::vector<bool> ansi;
  for (std::size_t c = 0; c < columnList.items.size(); ++c) {
    const Place where{ErrorCode::kJsonInColumn, {std::to_string(c + 1)}};
    const JsonValue& item = columnList.items[c];
    if (item.kind != Kind::Object) Fail(where, ErrorCode::kJsonObjectExpected);
    OnlyKeys(item, {"name", "type", "size", "encoding"}, where);
    const std::string& name = Member(item, "name", Kind::String, where).text;
    if (!FitsAnsi(name)) Fail(where, ErrorCode::kJsonNameNotAnsi, {name});
    const std::string& typeName = Member(item, "type", Kind::String, where).text;
    const auto type = FieldTypeFromName(typeName);
    if (!type) Fail(where, ErrorCode::kJsonTypeUnknown, {typeName});
    std::int32_t size = 0;
    if (item.Find("size")) {
      const auto n = Member(item, "size", Kind::Number, where).Integer();
      if (!n || *n < 0 || *n > std::numeric_limits<std::int32_t>::max()) {
        Fail(where, ErrorCode::kJsonSizeInvalid);
      }
      size = static_cast<std::int32_t>(*n);
    }
    bool isAnsi = false;
    if (item.Find("encoding")) {
      const std::string& encoding = Member(item, "encoding", Kind::String, where).text;
      if (encoding != kAnsiEncoding && encoding != kUtf8Encoding) {
        Fail(where, ErrorCode::kJsonEncodingUnknown, {encoding});
      }
      isAnsi = encoding == kAnsiEncoding;
    }
    columns.push_back({Utf8ToAnsi(name), *type, size});
    ansi.push_back(isAnsi);
  }

  Table result(std::move(columns));
  const auto& defs = result.Columns();
  for (std::size_t r = 0; r < recordList.items.size(); ++r) {
    const JsonValue& record = recordList.items[r];
    const Place where{ErrorCode::kJsonInRecord, {std::to_string(r + 1)}};
    if (record.kind != Kind::Array) Fail(where, ErrorCode::kJsonFieldListExpected);
    if (record.items.size() != defs.size()) {
      Fail(where, ErrorCode::kJsonValueCount,
           {std::to_string(record.items.size()), std::to_string(defs.size())});
    }
    result.Append();
    for (std::size_t c = 0; c < defs.size(); ++c) {
      const JsonValue& v = record.items[c];
      const ColumnDef& def = defs[c];
      const Place field{ErrorCode::kJsonInField, {std::to_string(r + 1), AnsiToUtf8(def.name)}};
      if (v.kind == Kind::Null) continue;
      FieldValue value;
      if (IsIntegerType(def.type)) {
        const auto n = v.Integer();
        if (!n || *n < std::numeric_limits<std::int32_t>::min() ||
            *n > std::numeric_limits<std::int32_t>::max()) {
          Fail(field, ErrorCode::kJsonIntegerExpected);
        }
        value = static_cast<std::int32_t>(*n);
      } else if (IsTextType(def.type)) {
        if (v.kind != Kind::String) Fail(field, ErrorCode::kJsonTextExpected);
        if (ansi[c] && !FitsAnsi(v.text)) Fail(field, ErrorCode::kJsonTextNotAnsi);
        std::string bytes = ansi[c] ? Utf8ToAnsi(v.text) : v.text;
        if (def.type == FieldType::String && def.size > 0 &&
            bytes.size() > static_cast<std::size_t>(def.size)) {
          Fail(field, ErrorCode::kJsonTextTooLong, {std::to_string(def.size)});
        }
        value = std::move(bytes);
      } else {
        if (v.kind != Kind::Boolean) Fail(field, ErrorCode::kJsonBooleanExpected);
        value = v.boolean;
      }
      try {
        result.SetAt(result.RecordCount() - 1, static_cast<int>(c), std::move(value));
      } catch (const Error& e) {
        throw Error(field.code, field.args, e);
      }
    }
  }
  result.First();
  return result;
}

}  // namespace trimora
