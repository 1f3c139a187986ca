// Pieces of the PROFILE reader: fill values, delimiter, stamps, data lines, selection.
#include <gtest/gtest.h>

#include <sstream>

#include "plotgen/data_list.h"
#include "plotgen/plot_globals.h"
#include "plotgen/profile_reader.h"

using namespace plotgen;

namespace {

TEST(PlotgenProfileReader, FillValueListForms) {
  using V = std::vector<std::string>;
  EXPECT_EQ(fillValueList("-9999, -9999, -9999  ; MISSING DATA VALUES", 3), (V{"-9999", "-9999", "-9999"}));
  EXPECT_EQ(fillValueList("-9999,-9999,-9999 ; MISSING DATA VALUES", 3), (V{"-9999", "-9999", "-9999"}));
  // One blank before the comment in the first form: the last entry keeps the comment.
  EXPECT_EQ(fillValueList("-9999, -9999, -9999 ; MISSING", 3), (V{"-9999", "-9999", "-9999 ; MISSING"}));
  EXPECT_EQ(fillValueList("-9999, -9999", 3).size(), 2u);  // too short: the caller refuses it
}

TEST(PlotgenProfileReader, DelimiterIsChosenOnTheFirstStartLine) {
  auto delimiterFor = [](const std::string& startLine) {
    std::vector<std::string_view> lines(6, "x");
    lines.push_back(startLine);
    detectDelimiter(0, lines);
    return ColumnDelimiter;
  };
  EXPECT_EQ(delimiterFor("2018-01-05, 09:30:00  ; PROFILE DATE, TIME (UT) START"), "  ");
  EXPECT_EQ(delimiterFor("2018-01-05, 09:30:00   ; PROFILE DATE, TIME (UT) START"), "  ");
  EXPECT_EQ(delimiterFor("2018-01-05, 09:30:00 ; PROFILE DATE, TIME (UT) START"), " ;");
  // Two blanks after the comma are not the gap before the comment.
  EXPECT_EQ(delimiterFor("2018-01-05,  9:30:00 ; PROFILE DATE, TIME (UT) START"), " ;");
  EXPECT_EQ(delimiterFor("2018-01-05,  9:30:00  ; PROFILE DATE, TIME (UT) START"), "  ");
}

TEST(PlotgenProfileReader, StampsAreNormalised) {
  struct Case {
    std::string line;
    std::string delimiter;
    std::string stamp;
  };
  const std::vector<Case> cases = {
      {"2018-01-05, 09:30:00  ; START", "  ", "2018-01-05,09:30:00"},
      {"2018-01-05,  9:30:00 ; START", " ;", "2018-01-05,09:30:00"},
      {"2018-01-05,  9:30:00  ; START", "  ", "2018-01-05,09:30:00"},
      {"2018-01-05,  09:30:00  ; START", "  ", "2018-01-05,09:30:00"},
      {"2018-01-05,09:30:00  ; START", "  ", "2018-01-05,09:30:00"},
      {"2018-01-05,  9:30: 0 ; START", " ;", "2018-01-05,09:30:00"},
      // One blank after the comma belongs to ", ": a one-digit hour stays one digit.
      {"2018-01-05, 9:30:00 ; START", " ;", "2018-01-05,9:30:00"},
  };
  for (const Case& c : cases) {
    std::string stamp;
    ASSERT_TRUE(normaliseStamp(stampText(c.line, c.delimiter), &stamp)) << c.line;
    EXPECT_EQ(stamp, c.stamp) << c.line;
  }
  std::string stamp;
  EXPECT_FALSE(normaliseStamp("2018-01-05 09:30:00", &stamp));
}

TEST(PlotgenProfileReader, DataLinesWithAndWithoutBlanksAfterCommas) {
  using Cells = std::vector<std::string_view>;
  Cells cells;
  ASSERT_TRUE(splitDataLine("100.0, 2.5e+17, 3", 3, 3, cells));
  EXPECT_EQ(cells, (Cells{"100.0", "2.5e+17", "3"}));
  cells.clear();
  ASSERT_TRUE(splitDataLine("100.0,2.5e+17,3,4", 3, 3, cells));
  EXPECT_EQ(cells, (Cells{"100.0", "2.5e+17", "3"}));
  cells.clear();
  ASSERT_TRUE(splitDataLine("100.0,  2.5e+17, 3", 3, 3, cells));
  EXPECT_EQ(cells[1], " 2.5e+17");
  // Only the kept cells are stored, but all m must be there.
  cells.clear();
  ASSERT_TRUE(splitDataLine("1, 2, 3, 4, 5", 5, 2, cells));
  EXPECT_EQ(cells, (Cells{"1", "2"}));
  cells.clear();
  ASSERT_TRUE(splitDataLine("1, 2, 3, 4,", 5, 2, cells));  // an empty last cell counts
  cells.clear();
  EXPECT_FALSE(splitDataLine("1, 2, 3, 4", 5, 2, cells));
  cells.clear();
  EXPECT_FALSE(splitDataLine("100.0, 2.5e+17", 3, 3, cells));
  cells.clear();
  EXPECT_FALSE(splitDataLine("", 2, 2, cells));
  cells.clear();
  ASSERT_TRUE(splitDataLine("", 1, 1, cells));
  EXPECT_EQ(cells, (Cells{""}));
}

TEST(PlotgenProfileReader, LineIntegerIsTheTextBeforeTheFirstBlank) {
  EXPECT_EQ(lineInteger("18 ; NUMBER OF GENERAL HEADER LINES"), 18);
  EXPECT_EQ(lineInteger("14"), 14);
  EXPECT_EQ(lineInteger(" 18 ; x"), 0);
  EXPECT_EQ(lineInteger(""), 0);
}

TEST(PlotgenProfileReader, TimeWindowSelection) {
  initPlotGeneratorGlobals();
  // Window 2018-01-05 12:00:00 to 2018-01-07 12:00:00.
  WindowStartDate = 20180105;
  WindowStartTime = 120000;
  WindowEndDate = 20180107;
  WindowEndTime = 120000;
  struct Case {
    std::string mean;
    bool selected;
  };
  const std::vector<Case> cases = {
      {"2018-01-06,06:00:00", true},  {"2018-01-05,11:00:00", false}, {"2018-01-05,12:00:00", true},
      {"2018-01-07,11:59:59", true},  {"2018-01-07,12:00:00", false}, {"2018-01-04,13:00:00", false},
      {"2018-01-08,01:00:00", false}, {"garbage", false},
  };
  for (const Case& c : cases) {
    ProfileMeanStamps = {c.mean};
    EXPECT_EQ(isProfileInRange(true, false, 0, 0, 0), c.selected) << c.mean;
  }
  // Within one day: start inclusive, end exclusive.
  WindowEndDate = 20180105;
  WindowEndTime = 130000;
  ProfileMeanStamps = {"2018-01-05,12:59:59", "2018-01-05,13:00:00"};
  EXPECT_TRUE(isProfileInRange(true, false, 0, 0, 0));
  EXPECT_FALSE(isProfileInRange(true, false, 1, 0, 0));
  // Both windows: the index window decides once the time test holds.
  EXPECT_FALSE(isProfileInRange(true, true, 0, 3, 5));
  EXPECT_FALSE(isProfileInRange(true, true, 1, 0, 5));
  // Index window alone: 3 and 4 of 3..5.
  EXPECT_FALSE(isProfileInRange(false, true, 2, 3, 5));
  EXPECT_TRUE(isProfileInRange(false, true, 3, 3, 5));
  EXPECT_TRUE(isProfileInRange(false, true, 4, 3, 5));
  EXPECT_FALSE(isProfileInRange(false, true, 5, 3, 5));
  freePlotGeneratorGlobals();
}

}  // namespace

namespace {

TEST(PlotgenListFile, EntriesAndLineEnds) {
  using plotgen::readAllLines;
  using V = std::vector<std::string>;
  auto entries = [](const std::string& text) {
    std::istringstream in(text);
    return readAllLines(in);
  };
  EXPECT_EQ(entries("C:\\data\\a.dat\r\n"), (V{"C:\\data\\a.dat"}));
  EXPECT_EQ(entries("a\n\nb\n"), (V{"a", "", "b"}));
  EXPECT_EQ(entries("a\r\nb"), (V{"a", "b"}));
  EXPECT_EQ(entries("a\r\nb\r"), (V{"a", "b"}));
  EXPECT_EQ(entries(""), (V{}));
  EXPECT_EQ(entries("\n"), (V{""}));
}

TEST(PlotgenListFile, TimeWindowNumbers) {
  using namespace plotgen;
  initPlotGeneratorGlobals();
  setTimeWindow(false, "20150701000000", "20150702235959");
  EXPECT_EQ(WindowStartDate, 0);
  EXPECT_EQ(WindowEndTime, 0);
  setTimeWindow(true, "20150701000000", "20150702235959");
  EXPECT_EQ(WindowStartDate, 20150701);
  EXPECT_EQ(WindowStartTime, 0);
  EXPECT_EQ(WindowEndDate, 20150702);
  EXPECT_EQ(WindowEndTime, 235959);
  setTimeWindow(true, "20180105093000", "99991332256161");
  EXPECT_EQ(WindowStartTime, 93000);
  EXPECT_EQ(WindowEndDate, 99991332);
  EXPECT_EQ(WindowEndTime, 256161);
  freePlotGeneratorGlobals();
}

}  // namespace
