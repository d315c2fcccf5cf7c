// File dates as packed DOS date and time, on real files in a fixed time zone.
#include "platform/file_date.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ctime>

#include "temp_folder.h"

namespace trimora {
namespace {

using testing::TempFolder;
using testing::WriteFile;

std::int32_t Pack(int year, int month, int day, int hour, int minute, int second) {
  const auto date = static_cast<std::uint32_t>(((year - 1980) << 9) | (month << 5) | day);
  const auto time = static_cast<std::uint32_t>((hour << 11) | (minute << 5) | (second / 2));
  return static_cast<std::int32_t>((date << 16) | time);
}

// Sets the file's last-write time to a local time, seconds exact.
void SetLocalTime(const std::string& path, int year, int month, int day, int hour, int minute,
                  int second) {
  tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  const timespec times[2] = {{0, UTIME_OMIT}, {mktime(&local), 123456789}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

time_t ModifiedSeconds(const std::string& path) {
  struct stat info {};
  stat(path.c_str(), &info);
  return info.st_mtim.tv_sec;
}

class FileDateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("TZ");
    if (old != nullptr) oldZone_ = old;
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    file_ = folder_ / "picture.jpg";
    WriteFile(file_, "x");
  }
  void TearDown() override {
    if (oldZone_) {
      setenv("TZ", oldZone_->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

  TempFolder folder_;
  std::string file_;
  std::optional<std::string> oldZone_;
};

TEST_F(FileDateTest, LocalTimesRoundTrip) {
  struct Case {
    int year, month, day, hour, minute, second;
  };
  const Case cases[] = {
      {1980, 1, 1, 0, 0, 0},       // the first DOS date
      {2024, 1, 15, 8, 30, 10},    // winter time
      {2024, 7, 15, 13, 45, 58},   // summer time
      {2024, 2, 29, 23, 59, 58},   // leap day
      {2044, 6, 1, 12, 0, 0},      // the date's top bit is set: a negative packed value
      {2107, 12, 31, 23, 59, 58},  // the last DOS date
  };
  for (const Case& c : cases) {
    const std::int32_t packed = Pack(c.year, c.month, c.day, c.hour, c.minute, c.second);
    SetFileDate(file_, packed);
    EXPECT_EQ(GetFileDate(file_), packed) << c.year << "-" << c.month << "-" << c.day;
  }
}

TEST_F(FileDateTest, ReadingKeepsTwoSecondStepsAndRoundsOddSecondsDown) {
  SetLocalTime(file_, 2024, 7, 15, 13, 45, 31);
  EXPECT_EQ(GetFileDate(file_), Pack(2024, 7, 15, 13, 45, 30));
  SetLocalTime(file_, 2024, 12, 31, 23, 59, 59);
  EXPECT_EQ(GetFileDate(file_), Pack(2024, 12, 31, 23, 59, 58));
}

TEST_F(FileDateTest, ADateIsTakenAsLocalTime) {
  SetFileDate(file_, Pack(2024, 7, 15, 14, 0, 0));  // summer: two hours ahead of UTC
  EXPECT_EQ(ModifiedSeconds(file_), 1721044800);    // 2024-07-15 12:00:00 UTC
  SetFileDate(file_, Pack(2024, 1, 15, 14, 0, 0));  // winter: one hour ahead
  EXPECT_EQ(ModifiedSeconds(file_), 1705323600);    // 2024-01-15 13:00:00 UTC
}

TEST_F(FileDateTest, ZeroAndImpossibleDatesAreIgnored) {
  SetLocalTime(file_, 2020, 5, 5, 5, 5, 5);
  const time_t before = ModifiedSeconds(file_);
  const std::int32_t impossible[] = {
      0,
      Pack(2024, 13, 1, 0, 0, 0),  // month 13
      Pack(2024, 0, 1, 0, 0, 0),   // month 0
      Pack(2024, 2, 30, 0, 0, 0),  // 30 February
      Pack(2024, 4, 0, 0, 0, 0),   // day 0
      Pack(2024, 4, 1, 24, 0, 0),  // hour 24
      Pack(2024, 4, 1, 0, 60, 0),  // minute 60
      Pack(2024, 4, 1, 0, 0, 60),  // seconds field 30
  };
  for (const std::int32_t packed : impossible) {
    SetFileDate(file_, packed);
    EXPECT_EQ(ModifiedSeconds(file_), before) << std::hex << packed;
  }
}

TEST_F(FileDateTest, MissingFilesGiveZeroAndAreLeftAlone) {
  EXPECT_EQ(GetFileDate(folder_ / "missing.jpg"), 0);
  SetFileDate(folder_ / "missing.jpg", Pack(2024, 1, 1, 0, 0, 0));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "missing.jpg"));
}

TEST_F(FileDateTest, TimesBeforeNineteenEightyCannotBePacked) {
  SetLocalTime(file_, 1979, 12, 31, 23, 59, 58);
  EXPECT_EQ(GetFileDate(file_), 0);
}

TEST_F(FileDateTest, AWriteProtectedFileStillGivesItsDate) {
  SetFileDate(file_, Pack(2023, 3, 3, 3, 3, 4));
  chmod(file_.c_str(), 0444);
  EXPECT_EQ(GetFileDate(file_), Pack(2023, 3, 3, 3, 3, 4));
}

}  // namespace
}  // namespace trimora
