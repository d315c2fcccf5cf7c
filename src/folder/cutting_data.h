// The cutting-data record: the 16 columns of CuttingDataTable and LoadedCuttingDataTable, one
// record per picture of the open source folder.
#pragma once

#include <vector>

#include "folder/table.h"

namespace trimora {

// The columns X, Y, Width, Height, FormatID, jpegCompressionBlockSize, TempPath, Filename,
// FileType, SaveIt, Deleted, RedEyeCoords, AutoCorrection, PictureWidth, PictureHeight and
// Enlarge, in this order.
std::vector<ColumnDef> CuttingDataColumns();

}  // namespace trimora
