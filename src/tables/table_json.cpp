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

[[noreturn]] void Fail(const std::string& message) { throw Error(message); }

// True when every text value of column `c` is UTF-8 as it stands.
bool ColumnIsUtf8(const Table& table, int c) {
  for (int r = 0; r < table.RecordCount(); ++r) {
    const auto* text = std::get_if<std::string>(&table.At(r, c));
    if (text && !IsValidUtf8(*text)) return false;
  }
  return true;
}

const JsonValue& Member(const JsonValue& object, std::string_view key, Kind kind,
                        const std::string& where) {
  const JsonValue* v = object.Find(key);
  if (!v) Fail(where + ": \"" + std::string(key) + "\" fehlt.");
  if (v->kind != kind) Fail(where + ": \"" + std::string(key) + "\" hat den falschen Typ.");
  return *v;
}

void OnlyKeys(const JsonValue& object, std::initializer_list<std::string_view> keys,
              const std::string& where) {
  for (const auto& [name, value] : object.members) {
    bool known = false;
    for (auto k : keys) known = known || k == name;
    if (!known) Fail(where + ": unbekannter Eintrag \"" + name + "\".");
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
  if (root.kind != Kind::Object) Fail("Die JSON-Tabelle muss ein Objekt sein.");
  OnlyKeys(root, {"columns", "records"}, "Tabelle");
  const JsonValue& columnList = Member(root, "columns", Kind::Array, "Tabelle");
  const JsonValue& recordList = Member(root, "records", Kind::Array, "Tabelle");

  std::vector<ColumnDef> columns;
  std::vector<bool> ansi;
  for (std::size_t c = 0; c < columnList.items.size(); ++c) {
    const std::string where = "Spalte " + std::to_string(c + 1);
    const JsonValue& item = columnList.items[c];
    if (item.kind != Kind::Object) Fail(where + ": ein Objekt erwartet.");
    OnlyKeys(item, {"name", "type", "size", "encoding"}, where);
    const std::string& name = Member(item, "name", Kind::String, where).text;
    if (!FitsAnsi(name)) {
      Fail(where + ": der Name \"" + name + "\" lässt sich nicht in Windows-1252 schreiben.");
    }
    const std::string& typeName = Member(item, "type", Kind::String, where).text;
    const auto type = FieldTypeFromName(typeName);
    if (!type) Fail(where + ": unbekannter Typ \"" + typeName + "\".");
    std::int32_t size = 0;
    if (item.Find("size")) {
      const auto n = Member(item, "size", Kind::Number, where).Integer();
      if (!n || *n < 0 || *n > std::numeric_limits<std::int32_t>::max()) {
        Fail(where + ": \"size\" muss eine ganze Zahl ab 0 sein.");
      }
      size = static_cast<std::int32_t>(*n);
    }
    bool isAnsi = false;
    if (item.Find("encoding")) {
      const std::string& encoding = Member(item, "encoding", Kind::String, where).text;
      if (encoding != kAnsiEncoding && encoding != kUtf8Encoding) {
        Fail(where + ": unbekannte Kodierung \"" + encoding + "\".");
      }
      isAnsi = encoding == kAnsiEncoding;
    }
    columns.push_back({Utf8ToAnsi(name), *type, size});
    ansi.push_back(isAnsi);
  }

  Table table(std::move(columns));
  const auto& defs = table.Columns();
  for (std::size_t r = 0; r < recordList.items.size(); ++r) {
    const JsonValue& record = recordList.items[r];
    const std::string where = "Datensatz " + std::to_string(r + 1);
    if (record.kind != Kind::Array) Fail(where + ": ein Feld-Array erwartet.");
    if (record.items.size() != defs.size()) {
      Fail(where + ": " + std::to_string(record.items.size()) + " Werte statt " +
           std::to_string(defs.size()) + ".");
    }
    table.Append();
    for (std::size_t c = 0; c < defs.size(); ++c) {
      const JsonValue& v = record.items[c];
      const ColumnDef& def = defs[c];
      const std::string field = where + ", Spalte \"" + AnsiToUtf8(def.name) + "\"";
      if (v.kind == Kind::Null) continue;
      FieldValue value;
      if (IsIntegerType(def.type)) {
        const auto n = v.Integer();
        if (!n || *n < std::numeric_limits<std::int32_t>::min() ||
            *n > std::numeric_limits<std::int32_t>::max()) {
          Fail(field + ": eine ganze Zahl (32 Bit) erwartet.");
        }
        value = static_cast<std::int32_t>(*n);
      } else if (IsTextType(def.type)) {
        if (v.kind != Kind::String) Fail(field + ": ein Text erwartet.");
        if (ansi[c] && !FitsAnsi(v.text)) {
          Fail(field + ": der Text lässt sich nicht in Windows-1252 schreiben.");
        }
        std::string bytes = ansi[c] ? Utf8ToAnsi(v.text) : v.text;
        if (def.type == FieldType::String && def.size > 0 &&
            bytes.size() > static_cast<std::size_t>(def.size)) {
          Fail(field + ": der Text ist länger als " + std::to_string(def.size) + " Zeichen.");
        }
        value = std::move(bytes);
      } else {
        if (v.kind != Kind::Boolean) Fail(field + ": true oder false erwartet.");
        value = v.boolean;
      }
      try {
        table.SetAt(table.RecordCount() - 1, static_cast<int>(c), std::move(value));
      } catch (const Error& e) {
        Fail(field + ": " + e.what());
      }
    }
  }
  table.First();
  return table;
}

}  // namespace trimora
