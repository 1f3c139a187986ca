// The median and percentile rule, the altitude bins, the closing row and the row writers.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <vector>

#include "plotgen/cell_text.h"
#include "plotgen/plot_data.h"
#include "platform/decimal_text.h"
#include "platform/text.h"
#include "tests/support/platform_doubles.h"

using namespace plotgen;

namespace {

std::vector<double> sequence(int n) {
  std::vector<double> values;
  for (int i = n; i >= 1; --i) values.push_back(i);  // unsorted on purpose
  return values;
}

TEST(PlotgenMedianTable, OneTwoThreeAndTwentyValues) {
  std::vector<double> one = {7.5};
  EXPECT_EQ(binStatistics(one), (std::array<double, 5>{7.5, 7.5, 7.5, 7.5, 7.5}));
  // Two values a <= b: median (a+b)/2, 25 % a, 75 % (a+b)/2, 5 % a, 95 % (a+b)/2.
  std::vector<double> two = {4, 2};
  EXPECT_EQ(binStatistics(two), (std::array<double, 5>{3, 2, 3, 2, 3}));
  // Three values: indexes 1, 0, 2, 0, 2.
  std::vector<double> three = {30, 10, 20};
  EXPECT_EQ(binStatistics(three), (std::array<double, 5>{20, 10, 30, 10, 30}));
  // Twenty values 1..20: the 95 % index is 18, so the mean of 18 and 19 (indexes 17 and 18).
  std::vector<double> twenty = sequence(20);
  EXPECT_EQ(binStatistics(twenty), (std::array<double, 5>{10.5, 5.5, 15.5, 1.5, 18.5}));
  std::vector<double> forty = sequence(40);
  EXPECT_EQ(binStatistics(forty)[4], 37.5);  // indexes 36 and 37
  std::vector<double> four = sequence(4);
  EXPECT_EQ(binStatistics(four), (std::array<double, 5>{2.5, 1.5, 3.5, 1, 3.5}));
}

TEST(PlotgenMedianTable, BinEdges) {
  // altLowerLimit 100, 120 bins (100 .. 12000).
  EXPECT_EQ(altitudeBin("199", 100, 120), 0);
  EXPECT_EQ(altitudeBin("200", 100, 120), 1);
  EXPECT_EQ(altitudeBin("199.9", 100, 120), 0);
  EXPECT_EQ(altitudeBin("50", 100, 120), 0);  // (50 - 100) / 100 truncates to 0
  EXPECT_EQ(altitudeBin("0", 100, 120), -1);
  EXPECT_EQ(altitudeBin("12099", 100, 120), 119);
  EXPECT_EQ(altitudeBin("12100", 100, 120), -1);
  EXPECT_EQ(altitudeBin("nan", 100, 120), -1);
  EXPECT_EQ(altitudeBin("inf", 100, 120), -1);
  EXPECT_EQ(altitudeBin("1e300", 0, LLONG_MAX), -1);
  EXPECT_EQ(altitudeBin("-1e300", 0, LLONG_MAX), -1);
  EXPECT_EQ(altitudeBin("2147483647", 0, 21474837), 21474836);
}

TEST(PlotgenMedianTable, FileHasOneRowPerFilledBinAndNoHugeAllocation) {
  testing_support::TempDir dir;
  DataFile median;
  ASSERT_TRUE(median.open(dir.file("median_data.dat")));
  AltitudeBinTable bins;
  bins[0] = {1, 2};
  bins[3] = {5};
  bins[21474835] = {0.25};
  // Limits 0 .. 2147483647: the bins exist only where data are.
  writeMedianData(21474837, bins, 0, median);
  median.close();
  EXPECT_EQ(testing_support::readFile(dir.file("median_data.dat")),
            "0\t1.5\t1\t1.5\t1\t1.5\n"
            "300\t5\t5\t5\t5\t5\n"
            "2147483500\t0.25\t0.25\t0.25\t0.25\t0.25\n");
}

TEST(PlotgenClosingRow, RaisesTheSecondsWithoutCarry) {
  EXPECT_EQ(closingStamp("2018-01-05,13:45:59"), "2018-01-05,13:45:60");
  EXPECT_EQ(closingStamp("2018-01-05,13:45:08"), "2018-01-05,13:45:09");
  EXPECT_EQ(closingStamp("2018-01-05,13:45:9"), "2018-01-05,13:45:10");
  // Short or odd stamps: only what is there is read.
  EXPECT_EQ(closingStamp("2018-01-05,13"), "2018-01-05,14");
  EXPECT_EQ(closingStamp("5"), "06");
  EXPECT_EQ(closingStamp(""), "01");
  EXPECT_EQ(closingStamp("x:2147483647"), "x:2147483648");
  // Any value below 10 gets the leading "0", a negative one too.
  EXPECT_EQ(closingStamp("2018-01-05,13:45:-5"), "2018-01-05,13:45:0-4");
}

TEST(PlotgenDataRows, CellsConvertExactlyAsAtofDoes) {
  const std::vector<std::string> cells = {
      "100.0", "48.417", "-3.2", "0.4", "1.2000e+18", "9.0000e+16", "2.0000e+25", "1.0000e+23", "0.1", "-0.5",
      "123456789012345", "1234567890123456", "1e22", "1e23", "1e-22", "1e-23", "5e-324", "1.7976931348623157e308",
      "  42", "+7.5", "-0", ".5", "5.", "1e", "1e+", "1.2.3", "12a", "", "-", "nan", "inf", "0x10", "1,5",
      "0.30000000000000004", "9007199254740993", "3.14159265358979", "2.5e-17", "850.00", "280.00"};
  for (const std::string& cell : cells) {
    double quick = platform::fastLeadingDouble(cell);
    double reference = platform::leadingDouble(cell);
    if (std::isnan(reference)) {
      EXPECT_TRUE(std::isnan(quick)) << cell;
    } else {
      EXPECT_EQ(std::memcmp(&quick, &reference, sizeof quick), 0) << cell << ": " << quick << " vs " << reference;
    }
  }
  // Many numbers in the forms data files use.
  unsigned long long state = 12345;
  int mismatches = 0;
  for (int i = 0; i < 200000; ++i) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    double x = static_cast<double>(state >> 11) / 9007199254740992.0 * 1e6 - 5e5;
    std::string cell = i % 3 == 0   ? platform::formatText("%.*f", i % 7, x)
                       : i % 3 == 1 ? platform::formatText("%.4e", x * 1e12)
                                    : platform::formatText("%.10g", x / 1e3);
    double quick = platform::fastLeadingDouble(cell);
    double reference = platform::leadingDouble(cell);
    if (std::memcmp(&quick, &reference, sizeof quick) != 0 && ++mismatches < 5) ADD_FAILURE() << cell;
  }
  EXPECT_EQ(mismatches, 0);
}

// The integer of a cell is the whole-number part of its value, truncated
// toward zero and held within the 32-bit range, in every spelling the
// scanner passes; a cell without an exponent letter reads as atoi reads it.
TEST(PlotgenDataRows, TheIntegerOfACellIsTheWholePartOfItsValue) {
  struct Case {
    const char* cell;
    int32_t integer;
  };
  const Case cases[] = {
      {"40.5", 40},           {"4.05e+01", 40},        {"4.05E1", 40},          {"405e-1", 40},
      {"4.000e+00", 4},       {"+45.9", 45},           {"+4.59e+01", 45},       {"12.7", 12},
      {"0.4", 0},             {"4e-1", 0},             {".5e1", 5},             {".5", 0},
      {"-0.5", 0},            {"-5e-1", 0},            {"-0", 0},               {"-0e0", 0},
      {"-3.2", -3},           {"-3.2e0", -3},          {"-1.5E+00", -1},        {"-9.999e3", -9999},
      {"-.9999E+4", -9999},   {"-99990e-1", -9999},    {"-9999", -9999},        {"2.14748e+09", 2147480000},
      {"1234567890", 1234567890}, {"2147483647", INT32_MAX}, {"2147483648", INT32_MAX}, {"1e10", INT32_MAX},
      {"10000000000.5", INT32_MAX}, {"1e400", INT32_MAX}, {"-2147483648", INT32_MIN}, {"-3e9", INT32_MIN},
      {"-1e400", INT32_MIN},  {"1e", 1},               {"1e+", 1},              {"", 0},
      {"-", 0},               {"+", 0},                {"e5", 0},               {"  42", 42},
  };
  for (const Case& c : cases) EXPECT_EQ(cellInteger(c.cell), c.integer) << c.cell;

  // Plain decimals, signed and not, short and long: as atoi reads them.
  unsigned long long state = 777;
  for (int i = 0; i < 100000; ++i) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    const double x = static_cast<double>(state >> 11) / 9007199254740992.0;
    const char* sign = i % 4 == 0 ? "-" : i % 4 == 1 ? "+" : "";
    const double magnitude = i % 5 == 0 ? x * 1e12 : i % 5 == 1 ? x : x * 1000;
    std::string cell = std::string(sign) + platform::formatText("%.*f", i % 6, magnitude);
    ASSERT_EQ(cellInteger(cell), platform::leadingLong(cell)) << cell;
  }
}

// The exponent letter is found at every place of texts of every length, and
// no other byte is taken for it.
TEST(PlotgenDataRows, ExponentLetterAtEveryPlace) {
  for (size_t size = 0; size <= 40; ++size) {
    std::string text(size, '5');
    EXPECT_FALSE(hasExponentLetter(text)) << size;
    for (size_t at = 0; at < size; ++at) {
      for (char letter : {'e', 'E'}) {
        text[at] = letter;
        EXPECT_TRUE(hasExponentLetter(text)) << size << " " << at;
      }
      text[at] = '5';
    }
  }
  // Bytes next to 'e' and 'E' in the code table, and those with the top bit
  // set, in texts of each way of looking.
  for (const char* around : {"|", "1|", "1|5", "12.5|01", "12.5000|01", "1.25000000000|01"}) {
    for (int byte = 0; byte < 256; ++byte) {
      std::string text = around;
      text[text.find('|')] = static_cast<char>(byte);
      EXPECT_EQ(hasExponentLetter(text), byte == 'e' || byte == 'E') << around << " " << byte;
    }
  }
}

// A double as appendDouble writes it.
std::string formatDouble(double value) {
  std::string out;
  appendDouble(out, value);
  return out;
}

TEST(PlotgenDataRows, DoubleForm) {
  EXPECT_EQ(formatDouble(2.5e17), "2.5e+17");
  EXPECT_EQ(formatDouble(45.678), "45.678");
  EXPECT_EQ(formatDouble(0), "0");
  EXPECT_EQ(formatDouble(999999), "999999");
  EXPECT_EQ(formatDouble(1000000), "1e+06");
  EXPECT_EQ(formatDouble(12), "12");
}

// The flags of nine data columns, each -9999.
FillValues nineFlags() { return fillValues("-9999, -9999, -9999, -9999, -9999, -9999, -9999, -9999, -9999"); }

// A run that writes profile rows and collects bins of 100 m from 100 m up, and
// a table of the nine columns the rows read.
void prepareProfileRows(RunState* run, ProfileTable* table) {
  run->args.isProfilePlot = true;
  run->args.isNumberDensity = false;
  run->collectBins = true;
  run->altLower = 100;
  run->binCount = 10;
  table->columns = 9;
}

// The values of each altitude bin that holds any, by bin index.
using Bins = std::map<int64_t, std::vector<double>>;
Bins binsOf(const AltitudeBinTable& table) {
  Bins bins;
  for (const auto& [index, values] : table.byIndex()) bins[index].assign(values.begin(), values.end());
  return bins;
}

// Writes a table of the nine columns the rows read, each column's flag
// -9999: one curtain block (stamped 2018-01-05,09:30:00) for each curtain
// kind asked for (number density or not), then the profile rows; returns
// both files' bytes and the bins' values.
void writeTableRows(const std::vector<std::string_view>& cells, std::initializer_list<bool> numberDensity,
                    std::string* curtain, std::string* profile, Bins* bins) {
  testing_support::TempDir dir;
  RunState run;
  ASSERT_TRUE(run.curtain.open(dir.file("c.dat")));
  ASSERT_TRUE(run.profile.open(dir.file("p.dat")));
  ProfileTable table;
  prepareProfileRows(&run, &table);
  table.cells = cells;
  CurtainCells curtainCells;
  for (bool kind : numberDensity) {
    judgeCurtainCells(curtainColumnsFor(kind), table, nineFlags().values, &curtainCells);
    writeCurtainBlock("2018-01-05,09:30:00", curtainCells, run.curtain);
  }
  writeProfileDataRows(run, table, nineFlags());
  run.curtain.close();
  run.profile.close();
  *curtain = testing_support::readFile(dir.file("c.dat"));
  *profile = testing_support::readFile(dir.file("p.dat"));
  *bins = binsOf(run.AltitudeBins);
}

// The bins of a row's altitude are worked out again whenever its text differs
// from that of the profile before, and for new altitude limits.
TEST(PlotgenDataRows, BinsFollowEachProfilesAltitudes) {
  testing_support::TempDir dir;
  RunState run;
  ASSERT_TRUE(run.profile.open(dir.file("p.dat")));
  ProfileTable table;
  prepareProfileRows(&run, &table);
  auto profileWith = [&](const char* firstAltitude, const char* secondAltitude) {
    table.cells = {firstAltitude,  "5e17", "1e16", "x", "x", "x", "1", "2", "700",
                   secondAltitude, "5e17", "1e16", "x", "x", "x", "2", "2", "700"};
    writeProfileDataRows(run, table, nineFlags());
  };
  profileWith("150", "250");                  // bins 0 and 1
  profileWith("150", "350");                  // bins 0 and 2
  profileWith("1150.123456789012", "250.0");  // no bin (beyond 10 bins), bin 1
  run.altLower = 200;
  profileWith("150", "250.0");  // bins 0 ((150 - 200) / 100 truncates to 0) and 0
  run.profile.close();
  Bins bins = binsOf(run.AltitudeBins);
  EXPECT_EQ(bins[0], (std::vector<double>{1.0, 1.0, 1.0, 2.0}));
  EXPECT_EQ(bins[1], (std::vector<double>{2.0, 2.0}));
  EXPECT_EQ(bins[2], (std::vector<double>{2.0}));
}

TEST(PlotgenDataRows, NegativeCellsAndMissingValues) {
  std::string curtain, profile;
  Bins bins;
  // ALT, O3ND, O3NDUncert, resol, precision, channel, O3MR, O3MRUncert, Press
  writeTableRows({"150", "-0.5", "-2", "x", "x", "x", "-3.2", "1234567.8", "800",
                  "120", "5e17", "1e16", "x", "x", "x", "-0.5", "0.4",       "-9999",
                  "-40", "5e17", "1e16", "x", "x", "x", "45.9", "2",         "700",
                  "-40", "5e17", "1e16", "x", "x", "x", "-9999", "2",        "700",
                  "210", "5e17", "1e16", "x", "x", "x", "-9999", "2",        "700"},
                 {false}, &curtain, &profile, &bins);
  EXPECT_EQ(curtain,
            "2018-01-05,09:30:00\t150\t0\t\n"
            "2018-01-05,09:30:00\t120\t-0.5\t\n"
            "2018-01-05,09:30:00\t0\t0\t\n"
            "2018-01-05,09:30:00\t0\t0\t\n"
            "2018-01-05,09:30:00\t210\t0\t\n"
            "\n");
  // A negative value keeps its altitude in the curtain; a negative altitude
  // writes 0 for both. The second line holds the Press flag and is left out
  // of the profile rows, the last two the O3MR flag; -40 becomes 0.
  EXPECT_EQ(profile,
            "150\t800\t-0.5\t0\t0\t1.23457e+06\t\n"
            "0\t700\t5e17\t1e16\t45\t2\t\n");
  ASSERT_EQ(bins.size(), 1u);
  EXPECT_EQ(bins[0], (std::vector<double>{0.0}));  // altitude 0 goes into no bin; 150 into bin 0
}

// Mixing ratios in exponent form are written by the whole-number part of
// their value, and the negative tests of the curtain and the profile rows
// look at that whole number too: -5e-1 is 0 and written as it is, like -0.5.
TEST(PlotgenDataRows, ExponentFormCellsAreTheirWholeNumbers) {
  std::string curtain, profile;
  Bins bins;
  // ALT, O3ND, O3NDUncert, resol, precision, channel, O3MR, O3MRUncert, Press
  writeTableRows({"110",   "5e17",    "1e16",    "x", "x", "x", "4.05e+01",  "4.000e+00", "700",
                  "120",   "5e17",    "1e16",    "x", "x", "x", "+4.59E+1",  "+25e-1",    "+700",
                  "130",   "-2.5e-1", "-5e-1",   "x", "x", "x", "-5e-1",     "-2.5e-1",   "700",
                  "140",   "-2.5e0",  "1e16",    "x", "x", "x", "-1.5e0",    "-3e9",      "700",
                  "150",   "5e17",    "1e16",    "x", "x", "x", "1e10",      "1.5e9",     "700",
                  "-5e-1", "5e17",    "1e16",    "x", "x", "x", "4.2e1",     "1e0",       "700",
                  "-5e0",  "5e17",    "1e16",    "x", "x", "x", "4.3e1",     "1e0",       "700"},
                 {false, true}, &curtain, &profile, &bins);
  EXPECT_EQ(curtain,
            "2018-01-05,09:30:00\t110\t4.05e+01\t\n"
            "2018-01-05,09:30:00\t120\t+4.59E+1\t\n"
            "2018-01-05,09:30:00\t130\t-5e-1\t\n"
            "2018-01-05,09:30:00\t140\t0\t\n"
            "2018-01-05,09:30:00\t150\t1e10\t\n"
            "2018-01-05,09:30:00\t-5e-1\t4.2e1\t\n"
            "2018-01-05,09:30:00\t0\t0\t\n"
            "\n"
            "2018-01-05,09:30:00\t110\t5e17\t\n"
            "2018-01-05,09:30:00\t120\t5e17\t\n"
            "2018-01-05,09:30:00\t130\t-2.5e-1\t\n"
            "2018-01-05,09:30:00\t140\t0\t\n"
            "2018-01-05,09:30:00\t150\t5e17\t\n"
            "2018-01-05,09:30:00\t-5e-1\t5e17\t\n"
            "2018-01-05,09:30:00\t0\t0\t\n"
            "\n");
  EXPECT_EQ(profile,
            "110\t700\t5e17\t1e16\t40\t4\t\n"
            "120\t+700\t5e17\t1e16\t45\t2\t\n"
            "130\t700\t-2.5e-1\t-5e-1\t0\t0\t\n"
            "140\t700\t0\t1e16\t0\t0\t\n"
            "150\t700\t5e17\t1e16\t2.14748e+09\t1.5e+09\t\n"
            "-5e-1\t700\t5e17\t1e16\t42\t1\t\n"
            "0\t700\t5e17\t1e16\t43\t1\t\n");
  // The bins take the values: 40.5 and 45.9 in bin 0, a negative value as 0.
  EXPECT_EQ(bins[0], (std::vector<double>{40.5, 45.9, 0.0, 0.0, 1e10}));
  EXPECT_EQ(bins.size(), 1u);
}

// A cell that the scanner takes for its column's flag (a number below 0
// within 1e-6 of it) is missing in every copied column, and written as 0 in
// the curtain; a cell whose integer equals the flag's stays missing; the
// altitude is never compared with a flag.
TEST(PlotgenDataRows, CellsEqualToTheFlagAsNumbersAreMissing) {
  std::string curtain, profile;
  Bins bins;
  // ALT, O3ND, O3NDUncert, resol, precision, channel, O3MR, O3MRUncert, Press
  writeTableRows({"110", "5e17",      "1e16",        "x", "x", "x", "-0.9999e4",     "2",        "700",
                  "120", "-9.999e3",  "1e16",        "x", "x", "x", "41",            "2",        "700",
                  "130", "5e17",      "-9.9990E+03", "x", "x", "x", "42",            "2",        "700",
                  "140", "5e17",      "1e16",        "x", "x", "x", "43",            "-.9999e4", "700",
                  "150", "5e17",      "1e16",        "x", "x", "x", "44",            "2",        "-99990e-1",
                  "160", "5e17",      "1e16",        "x", "x", "x", "-9998.9999995", "2",        "700",
                  "170", "5e17",      "1e16",        "x", "x", "x", "-9999.5",       "2",        "700",
                  "180", "5e17",      "1e16",        "x", "x", "x", "-9998.5",       "2",        "700",
                  "190", "-0.5",      "-9.99e3",     "x", "x", "x", "-9.999e2",      "2",        "700",
                  "-9.999e3", "5e17", "1e16",        "x", "x", "x", "45",            "2",        "700",
                  "-9998.9999995", "5e17", "1e16",   "x", "x", "x", "46",            "2",        "700"},
                 {false, true}, &curtain, &profile, &bins);
  EXPECT_EQ(curtain,
            "2018-01-05,09:30:00\t110\t0\t\n"
            "2018-01-05,09:30:00\t120\t41\t\n"
            "2018-01-05,09:30:00\t130\t42\t\n"
            "2018-01-05,09:30:00\t140\t43\t\n"
            "2018-01-05,09:30:00\t150\t44\t\n"
            "2018-01-05,09:30:00\t160\t0\t\n"
            "2018-01-05,09:30:00\t170\t0\t\n"
            "2018-01-05,09:30:00\t180\t0\t\n"
            "2018-01-05,09:30:00\t190\t0\t\n"
            "2018-01-05,09:30:00\t0\t0\t\n"
            "2018-01-05,09:30:00\t0\t0\t\n"
            "\n"
            "2018-01-05,09:30:00\t110\t5e17\t\n"
            "2018-01-05,09:30:00\t120\t0\t\n"
            "2018-01-05,09:30:00\t130\t5e17\t\n"
            "2018-01-05,09:30:00\t140\t5e17\t\n"
            "2018-01-05,09:30:00\t150\t5e17\t\n"
            "2018-01-05,09:30:00\t160\t5e17\t\n"
            "2018-01-05,09:30:00\t170\t5e17\t\n"
            "2018-01-05,09:30:00\t180\t5e17\t\n"
            "2018-01-05,09:30:00\t190\t-0.5\t\n"
            "2018-01-05,09:30:00\t0\t0\t\n"
            "2018-01-05,09:30:00\t0\t0\t\n"
            "\n");
  // Left out: 110 to 170 (the first six by the scanner's test, 170 by the
  // integer of its cell). -9998.5, -9.99e3 and -9.999e2 are no flags. The
  // altitude -9.999e3 is left out by its integer, -9999, that of the flag;
  // the altitude -9998.9999995 is no flag to the scanner's test, only negative.
  EXPECT_EQ(profile,
            "180\t700\t5e17\t1e16\t0\t2\t\n"
            "190\t700\t-0.5\t0\t0\t2\t\n"
            "0\t700\t5e17\t1e16\t46\t2\t\n");
  EXPECT_EQ(bins[0], (std::vector<double>{0.0, 0.0}));
}

}  // namespace
