// The Gregorian calendar's month lengths, for the checks of dates written in
// data files, templates and the plot choices.
#pragma once

namespace platform {

// Every fourth year, except the full centuries that 400 does not divide.
constexpr bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// The days of a month (1-12) of a year; 0 for any other month number.
constexpr int daysInMonth(int year, int month) {
  constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace platform
