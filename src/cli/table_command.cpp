// trimora table: shows any table file (the cutting data of a folder, the format files) as text
// or JSON, and writes a table file from JSON.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "platform/error.h"
#include "platform/error_text.h"
#include "platform/files.h"
#include "tables/ansi_text.h"
#include "tables/json.h"
#include "tables/table_file.h"
#include "tables/table_json.h"

namespace trimora::cli {
namespace {

constexpr std::string_view kSynopsis = "table [--json] DATEI | --from-json EINGABE.json AUSGABE";

// Characters in a UTF-8 text, for lining up columns.
std::size_t Width(std::string_view utf8) {
  std::size_t n = 0;
  for (char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

std::string Padded(const std::string& utf8, std::size_t width) {
  const std::size_t w = Width(utf8);
  return utf8 + std::string(w < width ? width - w : 0, ' ');
}

// A field for people: null unquoted, texts quoted with escapes (shown as UTF-8 when they are,
// else read as Windows-1252).
std::string Shown(const FieldValue& value) {
  if (IsNull(value)) return "null";
  if (const auto* n = std::get_if<std::int32_t>(&value)) return std::to_string(*n);
  if (const auto* t = std::get_if<std::string>(&value)) {
    return JsonQuote(IsValidUtf8(*t) ? *t : AnsiToUtf8(*t));
  }
  return std::get<bool>(value) ? "true" : "false";
}

std::string TableAsText(const Table& table) {
  const auto& columns = table.Columns();
  std::vector<std::string> names;
  std::size_t width = 0;
  for (const auto& c : columns) {
    names.push_back(AnsiToUtf8(c.name));
    width = std::max(width, Width(names.back()));
  }
  std::string out = "Spalten: " + std::to_string(columns.size()) + "\n";
  for (std::size_t c = 0; c < columns.size(); ++c) {
    out += "  " + Padded(names[c], width) + "  " + std::string(FieldTypeName(columns[c].type));
    if (columns[c].size != 0) out += " (" + std::to_string(columns[c].size) + ")";
    out += "\n";
  }
  out += "Datensätze: " + std::to_string(table.RecordCount()) + "\n";
  for (int r = 0; r < table.RecordCount(); ++r) {
    out += "\nDatensatz " + std::to_string(r + 1) + "\n";
    for (std::size_t c = 0; c < columns.size(); ++c) {
      out += "  " + Padded(names[c], width) + "  " + Shown(table.At(r, static_cast<int>(c))) + "\n";
    }
  }
  return out;
}

constexpr std::string_view kHelp =
    "Zeigt eine Tabellendatei (die Schnittdaten \"CroppingData.kv2\" eines Verzeichnisses oder\n"
    "eine der Formatdateien) mit ihren Spalten und Datensätzen; leere Felder stehen als null.\n"
    "Mit --json wird dieselbe Tabelle als JSON geschrieben, mit --from-json wird aus solchem\n"
    "JSON die Tabellendatei AUSGABE geschrieben (ganz oder gar nicht).\n\n"
    "Rückgabewert: 0 bei Erfolg, 1 bei einem Fehler, 2 bei einem falschen Aufruf.\n";

int Usage() { return UsageError("table"); }

void Print(const std::string& text) {
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
    throw Error(ErrorCode::kOutputCannotWrite);
  }
}

int Run(const std::vector<std::string>& args) {
  try {
    if (args.size() == 1 && !args[0].starts_with("--")) {
      Table table;
      LoadTableFromFile(table, args[0]);
      Print(TableAsText(table));
    } else if (args.size() == 2 && args[0] == "--json") {
      Table table;
      LoadTableFromFile(table, args[1]);
      Print(TableToJson(table));
    } else if (args.size() == 3 && args[0] == "--from-json") {
      const Table table = TableFromJson(ReadWholeFile(args[1]));
      SaveTableToFile(table, args[2]);
    } else {
      return Usage();
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "trimora table: %s\n", ErrorText(e).c_str());
    return kExitFailure;
  }
  return kExitSuccess;
}

const Registration registration({"table", kSynopsis,
                                 "eine Tabellendatei zeigen oder aus JSON schreiben", kHelp, Run});

}  // namespace
}  // namespace trimora::cli
