// Last-write times as packed DOS date and time in local time (two-second resolution):
// date in the high 16 bits (year-1980 << 9 | month << 5 | day), time in the low 16 bits
// (hour << 11 | minute << 5 | seconds / 2).
#pragma once

#include <cstdint>
#include <string>

namespace trimora {

// The file's last-write time; 0 when it cannot be read.
std::int32_t GetFileDate(const std::string& path);

// Sets the file's last-write time. A date of 0 is ignored; failures are swallowed.
void SetFileDate(const std::string& path, std::int32_t dosDate);

}  // namespace trimora
