// The two format tables, the FormatID that names a row of them, and the format records that
// the rest of the program reads.
//
// FormatID >= 1 is row FormatID (1-based) of the scalable table, FormatID <= -1 row -FormatID
// of the non-scalable table. It is a position, valid only for the current order and contents.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tables/table.h"

namespace trimora {

// File names of the two format files (in the program folder, and in the user's copy folder).
inline constexpr std::string_view kScalableFormatsFile = "skalierbare Formate.dat";
inline constexpr std::string_view kNonScalableFormatsFile = "nicht skalierbare Formate.dat";

// Column names as they stand in the tables (Windows-1252 bytes: "opt. Höhe", "Höhe").
inline constexpr std::string_view kFormatName = "Formatbezeichnung";
inline constexpr std::string_view kOptWidth = "opt. Breite";
inline constexpr std::string_view kOptHeight = "opt. H\xF6he";
inline constexpr std::string_view kMinWidth = "min. Breite";
inline constexpr std::string_view kMinHeight = "min. H\xF6he";
inline constexpr std::string_view kWidth = "Breite";
inline constexpr std::string_view kHeight = "H\xF6he";

// Where the two format files are read from and written to, each folder ending with a separator.
struct FormatFileFolders {
  // The program folder, with the files as they were installed or built.
  std::string program;
  // The user's copies: read instead of the program folder's files when they exist, and the
  // folder that saving writes to. The program folder itself when the program runs from a
  // build folder (see UserCopyFolder).
  std::string user;
};

// The folders of the running program: ProgramFolder() and UserCopyFolder().
FormatFileFolders FormatFileFoldersOfThisProgram();

// Columns of the scalable table: name (20 characters), optimal and minimal width and height.
std::vector<ColumnDef> ScalableFormatColumns();

// Columns of the non-scalable table: name (20 characters), exact width and height.
std::vector<ColumnDef> NonScalableFormatColumns();

// The full path of a format file: `programFolder` (ending with a separator) and its name.
std::string FormatFilePath(const std::string& programFolder, bool scalable);

// Gives `table` the columns of its kind (scalable or not) when one of them is missing or has
// another type (a format file from elsewhere): the table is rebuilt with those columns, the
// fields of the same name and kind copied over, the current row kept. A table that has them
// all is left as it is.
void ConformFormatColumns(Table& table, bool scalable);

// Why a format row may not be written.
enum class FormatFault {
  kNoName,           // the name is empty or blanks only
  kSizeNotPositive,  // a size is missing, zero or negative
};

// A row that may not be written: its position (0-based), the column at fault, and why.
struct FormatRowFault {
  int row = 0;
  int column = 0;
  FormatFault fault = FormatFault::kNoName;
  bool operator==(const FormatRowFault&) const = default;
};

// The first row of `table` (of the scalable kind when `scalable`) whose name is empty or one
// of whose sizes is missing, zero or negative, and the first such field of it; nothing when
// every row is sound. Columns the table lacks are not checked.
std::optional<FormatRowFault> FindFormatFault(const Table& table, bool scalable);

// The values of one format copied out of the tables. `Name` is UTF-8 (converted from the
// table's Windows-1252 bytes), ready to be shown.
struct FormatRecord {
  std::int32_t FormatID = 0;
  std::string Name;
  std::int32_t PixelWidth = 0;   // "opt. Breite" or "Breite"
  std::int32_t PixelHeight = 0;  // "opt. Höhe" or "Höhe"
  std::int32_t MinWidth = 0;     // "min. Breite"; set only from scalable formats
  std::int32_t MinHeight = 0;    // "min. Höhe"; set only from scalable formats

  // The longer pixel side divided by the shorter one (>= 1); 1 when a side is not positive.
  long double Ratio() const;

  bool operator==(const FormatRecord&) const = default;
};

// The scalable and the non-scalable format table with the default and the current format;
// the main window owns one for its lifetime.
class FormatTables {
 public:
  // Both tables with their columns and no rows; both records zero.
  FormatTables();

  // One row per scalable format.
  Table scalableFormatTable;

  // One row per non-scalable format.
  Table nonScalableFormatTable;

  // The format a picture gets when it is shown for the first time ("Standardausgabeformat").
  FormatRecord DefaultFormat;

  // The format of the picture being shown.
  FormatRecord CurrentFormat;

  // Loads both format files: each from the user's copy in `folders.user` when that file
  // exists and can be read, else from `folders.program`. A file that is missing or unreadable
  // in both places is not reported and leaves its table as it was. Then sorts the scalable
  // table by "opt. Breite" and the non-scalable one by "Breite" (rows of equal width keep
  // their file order) and makes each first row current.
  void LoadFormatTables(const FormatFileFolders& folders);

  // Writes both tables, in their current row order, to their files in `folders.user`,
  // creating that folder when it is missing; the files in `folders.program` are never written
  // (unless both folders are the same). Each file is written on its own, the scalable one
  // first: one that cannot be written does not keep the other from being written. Returns the
  // full paths of the files that could not be written (empty when both were); such a file
  // keeps its old content.
  [[nodiscard]] std::vector<std::string> SaveFormatTables(const FormatFileFolders& folders) const;

  // The row that `formatId` names, copied into `record` (FormatID, Name, pixel sizes, and for
  // a scalable format the minimal sizes; for a non-scalable one the minimal sizes keep their
  // values). A FormatID beyond the end of its table names the last row, 0 the first
  // non-scalable row; null fields read as 0 and empty text. Returns false, leaving `record`
  // as it was, when the table has no rows. The tables' current rows do not change.
  bool LookupFormat(std::int32_t formatId, FormatRecord& record) const;

  // Sets DefaultFormat.FormatID to `formatId` and copies the named row into DefaultFormat.
  // When the table has no rows, the name becomes empty and the pixel sizes 0.
  void LoadDefaultFormat(std::int32_t formatId);

  // max(W, H) / min(W, H) of the named format (optimal size for scalable formats), >= 1.
  // Throws trimora::Error when the format is not defined or one of its sides is not positive.
  long double FormatRatio(std::int32_t formatId) const;
};

}  // namespace trimora
