// Conversions between UTF-8 (the program's texts) and Windows-1252 (the 8-bit texts of table
// files: column names and format names).
#pragma once

#include <string>
#include <string_view>

namespace trimora {

// Windows-1252 bytes as UTF-8. Every byte has a character: the five bytes that the code page
// leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same
// number, as Windows converts them, so the conversion can be undone exactly.
std::string AnsiToUtf8(std::string_view ansi);

// UTF-8 as Windows-1252 bytes; a character the code page lacks, or a malformed sequence,
// becomes "?".
std::string Utf8ToAnsi(std::string_view utf8);

// True when every character of `utf8` survives Utf8ToAnsi (well-formed and in the code page).
bool FitsAnsi(std::string_view utf8);

// Appends the character `c` to `out` in UTF-8.
void AppendUtf8(std::string& out, char32_t c);

// True when `bytes` is well-formed UTF-8.
bool IsValidUtf8(std::string_view bytes);

}  // namespace trimora
