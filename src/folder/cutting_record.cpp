#include "folder/cutting_record.h"

#include "tables/table_file.h"

namespace trimora {

namespace {

// Visits the record's fields in column order, each with its column's name.
template <typename Record, typename Visit>
void ForEachField(Record& r, Visit&& visit) {
  visit(r.x, "X");
  visit(r.y, "Y");
  visit(r.width, "Width");
  visit(r.height, "Height");
  visit(r.formatId, "FormatID");
  visit(r.blockSize, "jpegCompressionBlockSize");
  visit(r.tempPath, "TempPath");
  visit(r.filename, "Filename");
  visit(r.fileType, "FileType");
  visit(r.saveIt, "SaveIt");
  visit(r.deleted, "Deleted");
  visit(r.redEyeCoords, "RedEyeCoords");
  visit(r.autoCorrection, "AutoCorrection");
  visit(r.pictureWidth, "PictureWidth");
  visit(r.pictureHeight, "PictureHeight");
  visit(r.enlarge, "Enlarge");
}

}  // namespace

std::vector<ColumnDef> CuttingDataColumns() {
  return {
      {"X", FieldType::Integer, 0},
      {"Y", FieldType::Integer, 0},
      {"Width", FieldType::Integer, 0},
      {"Height", FieldType::Integer, 0},
      {"FormatID", FieldType::Integer, 0},
      {"jpegCompressionBlockSize", FieldType::Integer, 0},
      {"TempPath", FieldType::String, 250},
      {"Filename", FieldType::String, 250},
      {"FileType", FieldType::String, 20},
      {"SaveIt", FieldType::Boolean, 0},
      {"Deleted", FieldType::Boolean, 0},
      {"RedEyeCoords", FieldType::String, 1000},
      {"AutoCorrection", FieldType::Boolean, 0},
      {"PictureWidth", FieldType::Integer, 0},
      {"PictureHeight", FieldType::Integer, 0},
      {"Enlarge", FieldType::Boolean, 0},
  };
}

Table CuttingTableOf(std::span<const CuttingRecord> records) {
  Table table(CuttingDataColumns());
  table.Reserve(static_cast<int>(records.size()));
  for (const CuttingRecord& record : records) {
    table.Append();
    const int row = table.RecordCount() - 1;
    int column = 0;
    ForEachField(record, [&](const auto& field, const char*) {
      if (field) table.SetAt(row, column, FieldValue(*field));
      ++column;
    });
  }
  return table;
}

std::vector<CuttingRecord> CuttingRecordsOf(const Table& table) {
  std::vector<int> columns;
  CuttingRecord probe;
  ForEachField(probe, [&](auto&, const char* name) { columns.push_back(table.FindColumn(name)); });
  std::vector<CuttingRecord> records(static_cast<std::size_t>(table.RecordCount()));
  for (int r = 0; r < table.RecordCount(); ++r) {
    std::size_t c = 0;
    ForEachField(records[static_cast<std::size_t>(r)], [&](auto& field, const char*) {
      using Value = typename std::decay_t<decltype(field)>::value_type;
      const int column = columns[c++];
      if (column < 0) return;
      if (const Value* held = std::get_if<Value>(&table.At(r, column))) field = *held;
    });
  }
  return records;
}

void SaveCuttingData(std::span<const CuttingRecord> records, const std::string& path) {
  SaveTableToFile(CuttingTableOf(records), path);
}

std::vector<CuttingRecord> LoadCuttingData(const std::string& path) {
  Table table;
  LoadTableFromFile(table, path);
  return CuttingRecordsOf(table);
}

}  // namespace trimora
