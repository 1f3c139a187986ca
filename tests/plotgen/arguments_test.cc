// The argument checks, the converters and the splitter.
#include <gtest/gtest.h>

#include <climits>

#include "plotgen/arguments.h"
#include "plotgen/plot_log.h"
#include "tests/plotgen/vantor_harness.h"
#include "tests/support/platform_doubles.h"

using namespace plotgen;
using plotgen_tests::words;

namespace {

// Runs checkArguments with the log open on a temporary file; returns the log.
std::string checkWithLog(const std::vector<std::string>& args, bool* passed) {
  testing_support::TempDir dir;
  PlotLog log;
  int openError = 0;
  EXPECT_TRUE(log.open(dir.file("log.txt"), &openError));
  std::vector<const char*> argv = {"Vantor"};
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  *passed = checkArguments(log, static_cast<int>(argv.size()), argv.data());
  log.close();
  return testing_support::readFile(dir.file("log.txt"));
}

const char kGood[] = "ANY 0 1 true false 0 1000 20000000000000 20200000000000 false 0 300 100 12000 true true false false 0 0";

// The good line with argument `position` (1-based) replaced.
std::vector<std::string> with(int position, const std::string& value) {
  std::vector<std::string> args = words(kGood);
  args[static_cast<size_t>(position - 1)] = value;
  return args;
}

TEST(PlotgenArguments, TheButtonLinePasses) {
  bool passed = false;
  EXPECT_EQ(checkWithLog(words(kGood), &passed), "");
  EXPECT_TRUE(passed);
}

TEST(PlotgenArguments, EveryRefusalWritesItsOneLine) {
  struct Case {
    std::vector<std::string> args;
    std::string log;
  };
  std::vector<std::string> nineteen = words(kGood);
  nineteen.pop_back();
  std::vector<std::string> twentyOne = words(kGood);
  twentyOne.push_back("x");
  std::vector<std::string> bothFalse = with(4, "false");
  std::vector<std::string> ndHalfBad = with(10, "true");
  ndHalfBad[11] = "3.5e+18";
  std::vector<std::string> ndOk = with(10, "true");
  ndOk[11] = "3e+18";
  std::vector<std::string> startEqualsEnd = with(2, "1");
  startEqualsEnd[4] = "TRUE";  // further faults are not reported
  const std::vector<Case> cases = {
      {nineteen, "ERROR: invalid number of arguments: 20\n"},
      {twentyOne, "ERROR: invalid number of arguments: 22\n"},
      {{}, "ERROR: invalid number of arguments: 1\n"},
      {with(1, "C:/data"), "ERROR: invalid string input: C:/data\n"},
      {with(20, "a\\b"), "ERROR: invalid string input: a\\b\n"},
      {with(9, "2020~"), "ERROR: invalid string input: 2020~\n"},
      {with(12, "3$"), "ERROR: invalid string input: 3$\n"},
      {with(1, "YUTN"), "ERROR: invalid location input: YUTN\n"},
      {with(1, "any"), "ERROR: invalid location input: any\n"},
      {startEqualsEnd, "ERROR: startFile: 1 cannot be greater than or equal to endFile: 1\n"},
      {with(2, "5"), "ERROR: startFile: 5 cannot be greater than or equal to endFile: 1\n"},
      {bothFalse, "ERROR: isProfileRange and isTimeRange cannot both be false\n"},
      {with(7, "0"), "ERROR: startProfile: 0 cannot be greater than or equal to endProfile: 0\n"},
      {with(13, "12000"), "ERROR: altLowerLimit: 12000 cannot be greater than or equal to altUpperLimit: 12000\n"},
      {with(4, "TRUE"), "ERROR: isProfileRange and isTimeRange cannot both be false\n"},
      {with(5, "yes"), "ERROR: invalid bool input: yes\n"},
      {with(10, "2"), "ERROR: invalid bool input: 2\n"},
      {with(18, "False"), "ERROR: invalid bool input: False\n"},
      {with(8, "2000000000000"), "ERROR: invalid date input: 2000000000000\n"},
      {with(9, "2020000000000a"), "ERROR: invalid date input: 2020000000000a\n"},
      {with(8, ""), "ERROR: invalid date input: \n"},
      {with(13, "-5"), "ERROR: invalid int input: -5\n"},
      {with(3, "1x"), "ERROR: invalid int input: 1x\n"},
      {with(19, "+1"), "ERROR: invalid int input: +1\n"},
      {with(20, ""), "ERROR: invalid int input: \n"},
      {with(6, ""), "ERROR: invalid int input: \n"},
      {with(11, "1e+2"), "ERROR: invalid int input: 1e+2\n"},
      {with(12, ""), "ERROR: invalid int input: \n"},
      {ndHalfBad, "ERROR: invalid Number Density input: 3.5e+18\n"},
  };
  for (const Case& c : cases) {
    bool passed = true;
    EXPECT_EQ(checkWithLog(c.args, &passed), c.log) << testing::PrintToString(c.args);
    EXPECT_FALSE(passed) << c.log;
  }
  bool passed = false;
  EXPECT_EQ(checkWithLog(ndOk, &passed), "");
  EXPECT_TRUE(passed);
  // A stamp with month 13 and hour 25 is still 14 digits.
  EXPECT_EQ(checkWithLog(with(8, "20181332250000"), &passed), "");
  EXPECT_TRUE(passed);
}

TEST(PlotgenArguments, NumberDensityNumbers) {
  testing_support::TempDir dir;
  PlotLog log;
  int openError = 0;
  ASSERT_TRUE(log.open(dir.file("log.txt"), &openError));
  for (const char* good : {"3e+18", "0", "700", "1e+0"}) EXPECT_TRUE(isValidNumberDensity(log, good)) << good;
  for (const char* bad : {"3.5e+18", "3e18", "3e+18e+2", "e+18", "3e+", "", "3e-18"})
    EXPECT_FALSE(isValidNumberDensity(log, bad)) << bad;
  log.close();
  EXPECT_EQ(testing_support::readFile(dir.file("log.txt")),
            "ERROR: invalid Number Density input: 3.5e+18\n"
            "ERROR: invalid Number Density input: 3e18\n"
            "ERROR: invalid Number Density input: 3e+18e+2\n"
            "ERROR: invalid Number Density input: e+18\n"
            "ERROR: invalid Number Density input: 3e+\n"
            "ERROR: invalid Number Density input: \n"
            "ERROR: invalid Number Density input: 3e-18\n");
}

TEST(PlotgenArguments, ConvertersSaturateLikeA32BitAtoi) {
  EXPECT_EQ(toInt("  42abc"), 42);
  EXPECT_EQ(toInt("-17"), -17);
  EXPECT_EQ(toInt("x"), 0);
  EXPECT_EQ(toInt(""), 0);
  EXPECT_EQ(toInt("99999999999999999999"), INT_MAX);
  EXPECT_EQ(toInt("-99999999999999999999"), INT_MIN);
  EXPECT_TRUE(toBool("true"));
  EXPECT_TRUE(toBool("1"));
  EXPECT_FALSE(toBool("TRUE"));
  EXPECT_FALSE(toBool("0"));
  EXPECT_EQ(intToString(-12), "-12");
}

TEST(PlotgenArguments, SplitKeepsEmptyPieces) {
  EXPECT_EQ(split("a, b, ", ", "), (std::vector<std::string>{"a", "b", ""}));
  EXPECT_EQ(split("abc", ", "), (std::vector<std::string>{"abc"}));
  EXPECT_EQ(split("", ","), (std::vector<std::string>{""}));
  EXPECT_EQ(split(",,", ","), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(split("3e+18", "e+"), (std::vector<std::string>{"3", "18"}));
}

TEST(PlotgenArguments, PlainDecimalDropsLeadingZeros) {
  EXPECT_EQ(plainDecimal("0100"), "100");
  EXPECT_EQ(plainDecimal("000"), "0");
  EXPECT_EQ(plainDecimal("0"), "0");
  EXPECT_EQ(plainDecimal("07e+018"), "7e+18");
  EXPECT_EQ(plainDecimal("7000000000000000000"), "7000000000000000000");
}

}  // namespace
