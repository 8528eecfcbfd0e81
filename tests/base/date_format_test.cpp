// Tests of date masks and the local date and time.
#include "base/date_format.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

constexpr DateTime kSixthOfDecember{2026, 12, 6, 8, 14, 25};

// Days from 1970-01-01 to a civil date (the proleptic Gregorian calendar), by whole-era counting.
std::int64_t DaysFromCivil(int year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const int era = (year >= 0 ? year : year - 399) / 400;
  const int yearOfEra = year - era * 400;
  const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return std::int64_t{era} * 146097 + dayOfEra - 719468;
}

}  // namespace

TEST(DateFormat, ScreenshotMask) {
  EXPECT_EQ(FormatDate("%dd%mm%yyyy%hh%ii%ss", kSixthOfDecember), "06122026081425")
      << "day, month, year, hour, minute, second with leading zeros and no separators";
  EXPECT_EQ(FormatDate("scrnsht_%dd%mm%yyyy%hh%ii%ss.bmp", DateTime{1999, 1, 2, 0, 0, 9}),
            "scrnsht_02011999000009.bmp")
      << "text around the tokens is copied";
}

TEST(DateFormat, TokensIgnoreCaseAndTheLongerComesFirst) {
  EXPECT_EQ(FormatDate("%DD.%Mm.%YYYY %Hh:%iI:%SS", kSixthOfDecember), "06.12.2026 08:14:25")
      << "tokens match in any case";
  EXPECT_EQ(FormatDate("%yy", kSixthOfDecember), "26") << "yy is the last two digits of the year";
  EXPECT_EQ(FormatDate("%yy", DateTime{2005, 1, 1, 0, 0, 0}), "05") << "yy keeps its leading zero";
  EXPECT_EQ(FormatDate("%yyy", kSixthOfDecember), "26y") << "three y: the two-letter token and a y";
  EXPECT_EQ(FormatDate("%yyyyy", kSixthOfDecember), "2026y") << "yyyy is tried before yy";
}

TEST(DateFormat, PercentWithoutATokenIsCopied) {
  EXPECT_EQ(FormatDate("%x", kSixthOfDecember), "%x");
  EXPECT_EQ(FormatDate("%y", kSixthOfDecember), "%y") << "a single y is no token";
  EXPECT_EQ(FormatDate("100%", kSixthOfDecember), "100%") << "a percent sign at the end is copied";
  EXPECT_EQ(FormatDate("%%", kSixthOfDecember), "%%");
  EXPECT_EQ(FormatDate("%%dd", kSixthOfDecember), "%06")
      << "copying goes on with the character after the percent sign, which may start a token";
  EXPECT_EQ(FormatDate("", kSixthOfDecember), "");
}

TEST(DateFormat, LocalDateTimeFollowsTheClockAndTimeZone) {
  const char* saved = getenv("TZ");
  const std::optional<std::string> oldZone = saved ? std::optional<std::string>(saved) : std::nullopt;
  setenv("TZ", "UTC0", 1);
  tzset();
  const time_t before = time(nullptr);
  const DateTime now = LocalDateTime();
  const time_t after = time(nullptr);
  setenv("TZ", "XYZ-3", 1);  // three hours east of UTC
  tzset();
  const DateTime east = LocalDateTime();
  if (oldZone) {
    setenv("TZ", oldZone->c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();

  const std::int64_t seconds =
      DaysFromCivil(now.year, now.month, now.day) * 86400 + now.hour * 3600 + now.minute * 60 + now.second;
  EXPECT_GE(seconds, before) << "the local time in UTC is the clock's time";
  EXPECT_LE(seconds, after) << "the local time in UTC is the clock's time";
  const std::int64_t eastSeconds = DaysFromCivil(east.year, east.month, east.day) * 86400 + east.hour * 3600 +
                                   east.minute * 60 + east.second;
  EXPECT_NEAR(static_cast<double>(eastSeconds - seconds), 3 * 3600, 2) << "the time zone is applied";
}
