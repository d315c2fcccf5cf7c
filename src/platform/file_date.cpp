// Last-write times as packed DOS date and time in local time.
#include "platform/file_date.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>

namespace trimora {

std::int32_t GetFileDate(const std::string& path) {
  // Reading the time needs no write access, so write-protected sources keep their date too.
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return 0;
  const time_t seconds = info.st_mtim.tv_sec;
  tm local{};
  if (localtime_r(&seconds, &local) == nullptr) return 0;
  const int year = local.tm_year + 1900;
  if (year < 1980 || year > 2107) return 0;
  const std::uint32_t date =
      static_cast<std::uint32_t>(((year - 1980) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
  // A leap second (60) is kept within the field's range.
  const int second = local.tm_sec > 59 ? 59 : local.tm_sec;
  const std::uint32_t time =
      static_cast<std::uint32_t>((local.tm_hour << 11) | (local.tm_min << 5) | (second / 2));
  return static_cast<std::int32_t>((date << 16) | time);
}

void SetFileDate(const std::string& path, std::int32_t dosDate) {
  if (dosDate == 0) return;
  const auto packed = static_cast<std::uint32_t>(dosDate);
  tm local{};
  local.tm_year = static_cast<int>((packed >> 25) & 0x7F) + 80;
  local.tm_mon = static_cast<int>((packed >> 21) & 0x0F) - 1;
  local.tm_mday = static_cast<int>((packed >> 16) & 0x1F);
  local.tm_hour = static_cast<int>((packed >> 11) & 0x1F);
  local.tm_min = static_cast<int>((packed >> 5) & 0x3F);
  local.tm_sec = static_cast<int>(packed & 0x1F) * 2;
  local.tm_isdst = -1;
  const tm wanted = local;
  if (local.tm_mon < 0 || local.tm_mon > 11 || local.tm_mday < 1 || local.tm_hour > 23 ||
      local.tm_min > 59 || local.tm_sec > 59) {
    return;
  }
  const time_t seconds = mktime(&local);
  // mktime rolls impossible days over (30 February becomes 2 March); such dates are not applied.
  if (seconds == static_cast<time_t>(-1) || local.tm_mday != wanted.tm_mday ||
      local.tm_mon != wanted.tm_mon) {
    return;
  }
  const timespec times[2] = {{0, UTIME_OMIT}, {seconds, 0}};
  utimensat(AT_FDCWD, path.c_str(), times, 0);
}

}  // namespace trimora
