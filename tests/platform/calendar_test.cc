#include "platform/calendar.h"

#include <gtest/gtest.h>

namespace {

TEST(Calendar, LeapYearsAndMonthLengths) {
  struct Case {
    int year;
    bool leap;
  };
  for (const Case& c : {Case{2024, true}, Case{2023, false}, Case{1900, false}, Case{2000, true}, Case{2100, false},
                        Case{2400, true}, Case{0, true}, Case{4, true}}) {
    EXPECT_EQ(platform::isLeapYear(c.year), c.leap) << c.year;
    EXPECT_EQ(platform::daysInMonth(c.year, 2), c.leap ? 29 : 28) << c.year;
  }
  const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int month = 1; month <= 12; ++month) EXPECT_EQ(platform::daysInMonth(2019, month), days[month - 1]) << month;
  EXPECT_EQ(platform::daysInMonth(2019, 0), 0);
  EXPECT_EQ(platform::daysInMonth(2019, 13), 0);
  EXPECT_EQ(platform::daysInMonth(2019, -1), 0);
}

}  // namespace
