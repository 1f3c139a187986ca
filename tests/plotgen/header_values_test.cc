// Header values of a PROFILE file read as the scanner reads them: counts,
// stamps and missing-value flags.
#include <gtest/gtest.h>

#include <cmath>

#include "plotgen/header_values.h"

using namespace plotgen;

namespace {

TEST(PlotgenHeaderValues, LineIntegerIsTheLeadingIntegerOfTheValue) {
  struct Case {
    std::string line;
    int value;
  };
  const std::vector<Case> cases = {
      {"18 ; NUMBER OF GENERAL HEADER LINES", 18},
      {"14", 14},
      {" 24 ; NUMBER OF PROFILES IN THIS FILE", 24},
      {"   18   ; x", 18},
      {"\t18;x", 18},
      {"18;x", 18},
      {"+18 ; x", 18},
      {"18e5 ; x", 18},
      {"-3 ; x", -3},
      {"", 0},
      {"; 18", 0},
      {"x ; 18", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(lineInteger(c.line), c.value) << c.line;
}

TEST(PlotgenHeaderValues, StampsOfEverySpellingTheScannerPasses) {
  struct Case {
    std::string line;
    std::string stamp;
  };
  const std::vector<Case> cases = {
      {"2018-01-05, 09:30:00  ; PROFILE DATE, TIME (UT) START", "2018-01-05,09:30:00"},
      {"2018-01-05, 09:30:00 ; PROFILE DATE, TIME (UT) START", "2018-01-05,09:30:00"},
      {"2018-01-05, 09:30:00   ; PROFILE DATE, TIME (UT) START", "2018-01-05,09:30:00"},
      {"2018-01-05,09:30:00;PROFILE DATE, TIME (UT) START", "2018-01-05,09:30:00"},
      // A blank in the place of the comma: the comment's comma is not the date's.
      {"2018-01-05 09:30:00  ; PROFILE DATE, TIME (UT) START", "2018-01-05,09:30:00"},
      {"2018-01-05  09:30:00 ; PROFILE DATE, TIME (UT) START", "2018-01-05,09:30:00"},
      {"2018-01-05 , 09:30:00 ; START", "2018-01-05,09:30:00"},
      {"  2018-01-05, 09:30:00 ; START", "2018-01-05,09:30:00"},
      {"2018-01-05,  9:30:00 ; START", "2018-01-05,09:30:00"},
      {"2018-01-05, 9:30:00 ; START", "2018-01-05,09:30:00"},
      {"2018-01-05,  9:30: 0 ; START", "2018-01-05,09:30:00"},
      {"2018-1-5, 9:30:0 ; START", "2018-01-05,09:30:00"},
      {"2018-01-05,\t09:30:00\t; START", "2018-01-05,09:30:00"},
      {"2018-01-05, 09:30:00", "2018-01-05,09:30:00"},
      // Pieces after the sixth are not read.
      {"2018-01-05, 09:30:00 UT ; START", "2018-01-05,09:30:00"},
      {"2018-01-05, 09:30:00`touch x` ; START", "2018-01-05,09:30:00"},
      // Out of the scanner's ranges, still six numbers.
      {"2018-13-05, 25:30:00 ; START", "2018-13-05,25:30:00"},
  };
  for (const Case& c : cases) {
    std::string stamp;
    ASSERT_TRUE(readStamp(c.line, &stamp)) << c.line;
    EXPECT_EQ(stamp, c.stamp) << c.line;
  }
  for (const char* line : {"", "no stamp here", "2018-01-05 ; DATE, TIME 09:30:00", "2018-01-05, 09:30"}) {
    std::string stamp = "kept";
    EXPECT_FALSE(readStamp(line, &stamp)) << line;
    EXPECT_EQ(stamp, "kept");
  }
}

TEST(PlotgenHeaderValues, FillValuesAreTheFlagsBeforeTheComment) {
  using V = std::vector<int>;
  EXPECT_EQ(fillValues("-9999, -9999, -9999  ; MISSING DATA VALUES").integers, (V{-9999, -9999, -9999}));
  EXPECT_EQ(fillValues("-9999,-9999,-9999 ; MISSING DATA VALUES").integers, (V{-9999, -9999, -9999}));
  EXPECT_EQ(fillValues("-9999, -9999, -9999 ; MISSING").integers, (V{-9999, -9999, -9999}));
  EXPECT_EQ(fillValues("-9999 ,\t-99999 , -9999.5;MISSING DATA VALUES, ONE PER COLUMN").integers,
            (V{-9999, -99999, -9999}));
  // The flag is the number the scanner reads and truncates.
  EXPECT_EQ(fillValues("-9.999e3, -9999999 ; x").integers, (V{-9999, -9999999}));
  EXPECT_EQ(fillValues("-1e30, 1e30, nan").integers, (V{INT32_MIN, INT32_MAX, 0}));
  EXPECT_EQ(fillValues("-9999, -9999").integers.size(), 2u);  // too short: the caller refuses it
  EXPECT_EQ(fillValues("").integers, (V{0}));
}

// The flags as the scanner compares data values with them: as read, not
// truncated; none for the altitude column and the columns after the 14th.
TEST(PlotgenHeaderValues, FillValuesKeepTheFlagsAsReadForTheScannersTest) {
  std::string line = "-9999";
  for (int i = 1; i < 16; ++i) line += i == 3 ? ", -9.9995e3" : i == 5 ? ",-99999" : ", -9999";
  FillValues fill = fillValues(line + "  ; MISSING DATA VALUES");
  ASSERT_EQ(fill.values.size(), 16u);
  ASSERT_EQ(fill.integers.size(), 16u);
  for (size_t i = 0; i < 16; ++i) {
    if (i == 0 || i >= 14) {
      EXPECT_TRUE(std::isnan(fill.values[i])) << i;
    } else {
      EXPECT_EQ(fill.values[i], i == 3 ? -9999.5 : i == 5 ? -99999 : -9999) << i;
    }
    EXPECT_EQ(fill.integers[i], i == 5 ? -99999 : -9999) << i;
  }
}

}  // namespace
