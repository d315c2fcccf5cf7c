// Windows-1252 characters: upper case, and UTF-16 text converted to the code page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace ornamo {

// The upper-case letter of a Windows-1252 character; other characters stay as they are.
unsigned char AnsiUpper(unsigned char character);

// UTF-16 text up to its NUL, but reading no more than `limit` code units, as Windows-1252;
// characters the code page lacks and unpaired surrogates become "?".
std::string Utf16ToAnsi(const std::uint16_t* text, std::size_t limit);

}  // namespace ornamo
