// The tag tables of the Exif decoder: the main Exif/TIFF table and the GPS table.
#pragma once

#include <string_view>

#include "metadata/tag_entry.h"

namespace trimora::metadata {

// The main Exif/TIFF table: 250 tags sorted by number, then the "Unknown" row (tag 0).
TagTable MainTagTable();
// The "Unknown" row of the main table.
const TagRow& UnknownRow();
// The GPS table (31 rows, sorted by number).
TagTable GpsTagTable();

// The display label of a main or GPS row: its own label, or one made from its name once
// per process (a blank before each capital letter that follows a non-capital).
std::string_view LabelOf(const TagRow& row);

// A label made from a tag name: ExposureTime gives "Exposure Time", ISOSpeedRatings gives
// "ISOSpeed Ratings".
std::string LabelFromName(std::string_view name);

}  // namespace trimora::metadata
