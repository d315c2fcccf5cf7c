// Turning stored values into text: number formatting with decode lists and format patterns,
// numeric values, the Exif and GPS formatters, and the small text helpers they share.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "metadata/byte_reader.h"
#include "metadata/tag_entry.h"

namespace trimora::metadata {

// The text for a value in a decode list: what follows "value:" up to the next comma; empty
// when the value is not in the list.
std::string_view CodeText(std::string_view code, std::string_view value);

// The first values of raw (at most 8) joined by ", ", with the decode list or format pattern
// applied.
std::string FormatNumbers(std::span<const std::uint8_t> raw, unsigned type, ByteOrder order,
                          std::string_view code, std::string_view format);

// The numeric value of a stored value: integers as one number, a fraction divided out, a
// floating-point number as stored; 0 for other types and for anything that cannot be read.
double NumericValue(std::span<const std::uint8_t> raw, unsigned type, ByteOrder order);

// v with the given number of decimals, padded with blanks to at least width characters
// (like printf's "%width.precisionf", but always with a decimal point).
std::string FormatFixed(double v, int precision, int width = 0);

// A pattern with one "%[width][.precision]f" filled with v; other text is kept.
std::string ApplyPattern(std::string_view pattern, double v);

// Every character below 32 becomes "." and the text is cut to 50 characters.
std::string Sanitize(std::string text);

// '"' + the bytes + '"', the bytes taken up to their first NUL when upToNul is set.
std::string Quoted(std::span<const std::uint8_t> raw, bool upToNul);

// The text without blanks and control characters at both ends.
std::string_view Trim(std::string_view text);

// The comma-separated fields of a text, each trimmed.
std::vector<std::string_view> SplitFields(std::string_view text);

// The whole number in a text; throws a ParseError when it is not one.
std::int64_t ParseInteger(std::string_view text);

// A fraction "n/d", optionally preceded by a whole number and a blank; throws a ParseError
// when it cannot be read or the denominator is 0.
double ParseFraction(std::string_view text);

// The display text made by one of the Exif and GPS formatters; throws a ParseError when the
// text does not have the expected form.
std::string FormatExifValue(Formatter formatter, std::string_view data);

// Equal texts without regard to the case of A-Z.
bool EqualNoCase(std::string_view a, std::string_view b);

// Searches a table sorted by tag number; nullptr when the tag is not in it.
const TagRow* FindSortedRow(TagTable table, std::uint16_t tag);

// Searches any table by tag number, first match; nullptr when the tag is not in it.
const TagRow* FindRow(TagTable table, std::uint16_t tag);

}  // namespace trimora::metadata
