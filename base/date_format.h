// Local date and time, and their formatting with masks such as "%dd%mm%yyyy%hh%ii%ss".
#pragma once

#include <string>

struct DateTime {
  int year;    // 1000 to 9999
  int month;   // 1 to 12
  int day;     // 1 to 31
  int hour;    // 0 to 23
  int minute;  // 0 to 59
  int second;  // 0 to 59
};

DateTime LocalDateTime();  // the computer's clock, to the whole second

// Copies the mask, replacing a percent sign followed by yyyy, yy, mm, dd, hh, ii or ss (any case,
// the longer token first) by that field with leading zeros. A percent sign followed by anything
// else is copied unchanged.
std::string FormatDate(const std::string& mask, const DateTime& date);
