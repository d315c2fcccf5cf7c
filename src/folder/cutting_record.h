// The cutting-data record: every per-picture decision of the user, one record per picture of the
// open source folder (record n = strip entry n). Presenters and the crop-and-save run work on
// these typed records; the table form with its 16 columns is made only when the records are
// written to the folder's cutting-data file and read from it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tables/table.h"

namespace trimora {

// The cutting-data file of every source folder.
inline constexpr std::string_view kCuttingDataFile = "CroppingData.kv2";

// One picture's record. Every field may be null (never assigned), as in the file.
struct CuttingRecord {
  std::optional<std::int32_t> x;             // "X": left edge of the selection, in blocks
  std::optional<std::int32_t> y;             // "Y": top edge, in blocks
  std::optional<std::int32_t> width;         // "Width": selection width, in blocks
  std::optional<std::int32_t> height;        // "Height": selection height, in blocks
  std::optional<std::int32_t> formatId;      // "FormatID": null until the picture was shown
  std::optional<std::int32_t> blockSize;     // "jpegCompressionBlockSize": 16 or 1
  std::optional<std::string> tempPath;       // "TempPath": empty text, never read
  std::optional<std::string> filename;       // "Filename": full path of the picture file
  std::optional<std::string> fileType;       // "FileType": "JPG", "TIF", "BMP" or "PNG"
  std::optional<bool> saveIt;                // "SaveIt": marked for saving
  std::optional<bool> deleted;               // "Deleted": the file was deleted meanwhile
  std::optional<std::string> redEyeCoords;   // "RedEyeCoords": red-eye rectangles, "" or null: none
  std::optional<bool> autoCorrection;        // "AutoCorrection": the correction is applied
  std::optional<std::int32_t> pictureWidth;  // "PictureWidth": pixels when last shown
  std::optional<std::int32_t> pictureHeight;  // "PictureHeight": pixels when last shown
  std::optional<bool> enlarge;                // "Enlarge": side stripes are added

  bool operator==(const CuttingRecord&) const = default;

  // SaveIt is true and Deleted is not: the crop-and-save run writes the picture.
  bool Marked() const { return saveIt.value_or(false) && !deleted.value_or(false); }
  // The picture has been shown since its record was made (its selection is stored).
  bool Shown() const { return formatId.has_value(); }
  // After the picture file was turned: forgets what belonged to its old geometry (selection,
  // format, picture size, red-eye rectangles), so that it is shown as for the first time.
  void ForgetGeometry() {
    x = y = width = height = formatId = pictureWidth = pictureHeight = std::nullopt;
    redEyeCoords = std::nullopt;
  }
  // A red-eye filter, the automatic correction or side stripes are applied to the picture.
  bool Corrected() const {
    return !redEyeCoords.value_or("").empty() || autoCorrection.value_or(false) ||
           enlarge.value_or(false);
  }
};

// The columns X, Y, Width, Height, FormatID, jpegCompressionBlockSize, TempPath, Filename,
// FileType, SaveIt, Deleted, RedEyeCoords, AutoCorrection, PictureWidth, PictureHeight and
// Enlarge, in this order, with the types and lengths of the cutting-data file.
std::vector<ColumnDef> CuttingDataColumns();

// The table form of the records, in order, over CuttingDataColumns(); texts longer than their
// column are cut to its length.
Table CuttingTableOf(std::span<const CuttingRecord> records);

// The records of a table in table order. Columns are found by name, so that an older file with
// fewer columns reads too: a missing column, and a field whose value has another type than the
// record's field, give null. The table's current record does not move.
std::vector<CuttingRecord> CuttingRecordsOf(const Table& table);

// Writes the records to a cutting-data file (SaveTableToFile of their table form).
// Throws trimora::Error as SaveTableToFile does.
void SaveCuttingData(std::span<const CuttingRecord> records, const std::string& path);

// Reads the records of a cutting-data file. Throws trimora::Error as LoadTableFromFile does.
std::vector<CuttingRecord> LoadCuttingData(const std::string& path);

}  // namespace trimora
