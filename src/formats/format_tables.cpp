#include "formats/format_tables.h"

#include <algorithm>
#include <cstdlib>
#include <span>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "tables/ansi_text.h"
#include "tables/table_file.h"

namespace trimora {
namespace {

std::int32_t IntegerAt(const Table& table, int row, std::string_view column) {
  const int c = table.FindColumn(column);
  if (c < 0) return 0;
  const auto* v = std::get_if<std::int32_t>(&table.At(row, c));
  return v ? *v : 0;
}

std::string TextAt(const Table& table, int row, std::string_view column) {
  const int c = table.FindColumn(column);
  if (c < 0) return {};
  const auto* v = std::get_if<std::string>(&table.At(row, c));
  return v ? AnsiToUtf8(*v) : std::string();
}

// Loads the format file `name` into `table`: the user's copy when it can be read, else the
// program folder's file; when neither can be read the table stays as it was.
void LoadQuietly(Table& table, const FormatFileFolders& folders, std::string_view name) {
  std::vector<std::string> candidates;
  if (folders.user != folders.program) candidates.push_back(folders.user + std::string(name));
  candidates.push_back(folders.program + std::string(name));
  for (const std::string& path : candidates) {
    Table loaded;
    try {
      LoadTableFromFile(loaded, path);
    } catch (const Error&) {
      continue;
    }
    table = std::move(loaded);
    return;
  }
}

void SortQuietly(Table& table, std::string_view column) {
  if (table.FindColumn(column) >= 0) {
    table.SortBy(column);
  } else {
    table.First();
  }
}

}  // namespace

std::vector<ColumnDef> ScalableFormatColumns() {
  return {{std::string(kFormatName), FieldType::String, 20},
          {std::string(kOptWidth), FieldType::Integer, 0},
          {std::string(kOptHeight), FieldType::Integer, 0},
          {std::string(kMinWidth), FieldType::Integer, 0},
          {std::string(kMinHeight), FieldType::Integer, 0}};
}

std::vector<ColumnDef> NonScalableFormatColumns() {
  return {{std::string(kFormatName), FieldType::String, 20},
          {std::string(kWidth), FieldType::Integer, 0},
          {std::string(kHeight), FieldType::Integer, 0}};
}

std::string FormatFilePath(const std::string& programFolder, bool scalable) {
  return programFolder + std::string(scalable ? kScalableFormatsFile : kNonScalableFormatsFile);
}

void ConformFormatColumns(Table& table, bool scalable) {
  std::vector<ColumnDef> wanted = scalable ? ScalableFormatColumns() : NonScalableFormatColumns();
  const bool whole = std::all_of(wanted.begin(), wanted.end(), [&](const ColumnDef& column) {
    const int c = table.FindColumn(column.name);
    return c >= 0 && table.Columns()[static_cast<std::size_t>(c)].type == column.type;
  });
  if (whole) return;
  Table conformed(std::move(wanted));
  for (int row = 0; row < table.RecordCount(); ++row) {
    conformed.Append();
    for (std::size_t c = 0; c < conformed.Columns().size(); ++c) {
      const ColumnDef& column = conformed.Columns()[c];
      const int from = table.FindColumn(column.name);
      if (from < 0 || table.Columns()[static_cast<std::size_t>(from)].type != column.type) continue;
      conformed.SetAt(row, static_cast<int>(c), table.At(row, from));
    }
  }
  if (table.CurrentPosition() >= 0) conformed.LocateRecord(table.CurrentPosition());
  table = std::move(conformed);
}

std::optional<FormatRowFault> FindFormatFault(const Table& table, bool scalable) {
  static constexpr std::string_view kScalableSizes[] = {kOptWidth, kOptHeight, kMinWidth,
                                                        kMinHeight};
  static constexpr std::string_view kFixedSizes[] = {kWidth, kHeight};
  const std::span<const std::string_view> sizes =
      scalable ? std::span<const std::string_view>(kScalableSizes)
               : std::span<const std::string_view>(kFixedSizes);
  const int name = table.FindColumn(kFormatName);
  for (int row = 0; row < table.RecordCount(); ++row) {
    if (name >= 0) {
      const auto* text = std::get_if<std::string>(&table.At(row, name));
      if (text == nullptr || text->find_first_not_of(" \t") == std::string::npos) {
        return FormatRowFault{row, name, FormatFault::kNoName};
      }
    }
    for (const std::string_view size : sizes) {
      const int c = table.FindColumn(size);
      if (c < 0) continue;
      const auto* value = std::get_if<std::int32_t>(&table.At(row, c));
      if (value == nullptr || *value <= 0)
        return FormatRowFault{row, c, FormatFault::kSizeNotPositive};
    }
  }
  return std::nullopt;
}

FormatTables::FormatTables()
    : scalableFormatTable(ScalableFormatColumns()),
      nonScalableFormatTable(NonScalableFormatColumns()) {}

FormatFileFolders FormatFileFoldersOfThisProgram() { return {ProgramFolder(), UserCopyFolder()}; }

void FormatTables::LoadFormatTables(const FormatFileFolders& folders) {
  LoadQuietly(scalableFormatTable, folders, kScalableFormatsFile);
  LoadQuietly(nonScalableFormatTable, folders, kNonScalableFormatsFile);
  SortQuietly(scalableFormatTable, kOptWidth);
  SortQuietly(nonScalableFormatTable, kWidth);
}

std::vector<std::string> FormatTables::SaveFormatTables(const FormatFileFolders& folders) const {
  // A folder that cannot be made shows as files that cannot be written.
  MakeFolders(WithoutTrailingSeparator(folders.user));
  std::vector<std::string> failed;
  const std::pair<const Table*, std::string_view> files[] = {
      {&scalableFormatTable, kScalableFormatsFile},
      {&nonScalableFormatTable, kNonScalableFormatsFile}};
  for (const auto& [table, name] : files) {
    const std::string path = folders.user + std::string(name);
    try {
      SaveTableToFile(*table, path);
    } catch (const Error&) {
      failed.push_back(path);
    }
  }
  return failed;
}

// The lookup reads the row by position and never moves the tables' current rows, so
// "return to the remembered row" holds also when reading fails.
bool FormatTables::LookupFormat(std::int32_t formatId, FormatRecord& record) const {
  const bool scalable = formatId > 0;
  const Table& table = scalable ? scalableFormatTable : nonScalableFormatTable;
  if (table.IsEmpty()) return false;
  const std::int64_t wanted = std::llabs(static_cast<long long>(formatId));
  const int row = static_cast<int>(std::clamp<std::int64_t>(wanted, 1, table.RecordCount())) - 1;
  record.FormatID = formatId;
  record.Name = TextAt(table, row, kFormatName);
  if (scalable) {
    record.PixelWidth = IntegerAt(table, row, kOptWidth);
    record.PixelHeight = IntegerAt(table, row, kOptHeight);
    record.MinWidth = IntegerAt(table, row, kMinWidth);
    record.MinHeight = IntegerAt(table, row, kMinHeight);
  } else {
    record.PixelWidth = IntegerAt(table, row, kWidth);
    record.PixelHeight = IntegerAt(table, row, kHeight);
  }
  return true;
}

void FormatTables::LoadDefaultFormat(std::int32_t formatId) {
  if (!LookupFormat(formatId, DefaultFormat)) {
    DefaultFormat.FormatID = formatId;
    DefaultFormat.Name.clear();
    DefaultFormat.PixelWidth = 0;
    DefaultFormat.PixelHeight = 0;
    if (formatId > 0) DefaultFormat.MinWidth = DefaultFormat.MinHeight = 0;
  }
}

long double FormatRecord::Ratio() const {
  if (PixelWidth <= 0 || PixelHeight <= 0) return 1.0L;
  const long double w = PixelWidth;
  const long double h = PixelHeight;
  return std::max(w, h) / std::min(w, h);
}

long double FormatTables::FormatRatio(std::int32_t formatId) const {
  FormatRecord record;
  if (!LookupFormat(formatId, record) || record.PixelWidth <= 0 || record.PixelHeight <= 0) {
    throw Error(ErrorCode::kFormatUndefined, {std::to_string(formatId)});
  }
  return record.Ratio();
}

}  // namespace trimora
