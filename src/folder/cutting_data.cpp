#include "folder/cutting_data.h"

namespace trimora {

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

}  // namespace trimora
