// Pieces of the PROFILE reader: data lines and selection.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "plotgen/data_list.h"
#include "plotgen/profile_reader.h"

using namespace plotgen;

namespace {

// cutDataLine's cells appended to a list; false when the line has fewer than m cells.
bool splitDataLine(std::string_view line, size_t m, size_t keep, std::vector<std::string_view>& cells) {
  const size_t before = cells.size();
  cells.resize(before + std::min(keep, m));
  bool complete = false;
  cells.resize(before + cutDataLine(line, m, keep, cells.data() + before, &complete));
  return complete;
}

TEST(PlotgenProfileReader, DataLinesWithAndWithoutBlanksAfterCommas) {
  using Cells = std::vector<std::string_view>;
  Cells cells;
  ASSERT_TRUE(splitDataLine("100.0, 2.5e+17, 3", 3, 3, cells));
  EXPECT_EQ(cells, (Cells{"100.0", "2.5e+17", "3"}));
  cells.clear();
  ASSERT_TRUE(splitDataLine("100.0,2.5e+17,3,4", 3, 3, cells));
  EXPECT_EQ(cells, (Cells{"100.0", "2.5e+17", "3"}));
  // Blanks and tabs around a cell are dropped, as the scanner drops them.
  const std::vector<std::string> padded = {"100.0,  2.5e+17, 3", " 100.0 , 2.5e+17 ,3 ", "100.0,\t2.5e+17\t,\t3",
                                           "\t100.0 ,2.5e+17,  3"};
  for (const std::string& line : padded) {
    cells.clear();
    ASSERT_TRUE(splitDataLine(line, 3, 3, cells)) << line;
    EXPECT_EQ(cells, (Cells{"100.0", "2.5e+17", "3"})) << line;
    std::string_view two[2];
    bool complete = false;
    ASSERT_EQ(cutDataLine(line, 3, 2, two, &complete), 2u);
    EXPECT_TRUE(complete);
    EXPECT_EQ(two[1], "2.5e+17") << line;
  }
  cells.clear();
  ASSERT_TRUE(splitDataLine("1, , 3", 3, 3, cells));
  EXPECT_EQ(cells, (Cells{"1", "", "3"}));
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

// The cells of a line cut at every comma, one by one, each without the blanks
// and tabs at its ends: what cutDataLine stands for.
std::vector<std::string> plainCells(const std::string& line) {
  std::vector<std::string> cells(1);
  for (char c : line) {
    if (c == ',') cells.emplace_back();
    else cells.back() += c;
  }
  for (std::string& cell : cells) {
    const size_t first = cell.find_first_not_of(" \t");
    cell = first == std::string::npos ? "" : cell.substr(first, cell.find_last_not_of(" \t") - first + 1);
  }
  return cells;
}

// Lines of every length around the 16- and 64-byte steps, cells of any width
// with blanks, tabs and other bytes, any m, keep and wanted cells.
TEST(PlotgenProfileReader, DataLinesAgainstThePlainCut) {
  std::mt19937 random(20261210);
  const std::string bytes = "0123456789.e-+ \t,,,,x\r";
  for (int round = 0; round < 40000; ++round) {
    std::string text;
    const size_t length = random() % 4 == 0 ? random() % 20 : random() % 220;
    for (size_t i = 0; i < length; ++i) text += bytes[random() % bytes.size()];
    // The line lies inside a larger buffer, as lines of a file do.
    const std::string buffer = "9, 9\n" + text + "\n9, 9";
    const std::string_view line(buffer.data() + 5, text.size());
    const std::vector<std::string> plain = plainCells(text);
    const size_t m = 1 + random() % 20;
    const size_t keep = 1 + random() % 20;
    const uint32_t wanted = random() % 3 == 0 ? ~0u : static_cast<uint32_t>(random());
    std::vector<std::string_view> cells(keep, std::string_view("untouched"));
    bool complete = false;
    const size_t written = cutDataLine(line, m, keep, cells.data(), &complete, wanted);
    ASSERT_EQ(written, std::min({keep, m, plain.size()})) << text;
    ASSERT_EQ(complete, plain.size() >= m) << text << " m " << m << " keep " << keep;
    for (size_t c = 0; c < written; ++c) {
      const bool isWanted = wanted >> c & 1;
      ASSERT_EQ(cells[c], isWanted ? std::string_view(plain[c]) : std::string_view("untouched"))
          << text << " cell " << c;
    }
  }
}

TEST(PlotgenProfileReader, TimeWindowSelection) {
  RunState run;
  // Window 2018-01-05 12:00:00 to 2018-01-07 12:00:00.
  run.WindowStartDate = 20180105;
  run.WindowStartTime = 120000;
  run.WindowEndDate = 20180107;
  run.WindowEndTime = 120000;
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
    run.ProfileMeanStamps = {c.mean};
    EXPECT_EQ(isProfileInRange(run, true, false, 0, 0, 0), c.selected) << c.mean;
  }
  // Within one day: start inclusive, end exclusive.
  run.WindowEndDate = 20180105;
  run.WindowEndTime = 130000;
  run.ProfileMeanStamps = {"2018-01-05,12:59:59", "2018-01-05,13:00:00"};
  EXPECT_TRUE(isProfileInRange(run, true, false, 0, 0, 0));
  EXPECT_FALSE(isProfileInRange(run, true, false, 1, 0, 0));
  // Both windows: the index window decides once the time test holds.
  EXPECT_FALSE(isProfileInRange(run, true, true, 0, 3, 5));
  EXPECT_FALSE(isProfileInRange(run, true, true, 1, 0, 5));
  // Index window alone: 3 and 4 of 3..5.
  EXPECT_FALSE(isProfileInRange(run, false, true, 2, 3, 5));
  EXPECT_TRUE(isProfileInRange(run, false, true, 3, 3, 5));
  EXPECT_TRUE(isProfileInRange(run, false, true, 4, 3, 5));
  EXPECT_FALSE(isProfileInRange(run, false, true, 5, 3, 5));
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
  RunState run;
  setTimeWindow(run, false, "20150701000000", "20150702235959");
  EXPECT_EQ(run.WindowStartDate, 0);
  EXPECT_EQ(run.WindowEndTime, 0);
  setTimeWindow(run, true, "20150701000000", "20150702235959");
  EXPECT_EQ(run.WindowStartDate, 20150701);
  EXPECT_EQ(run.WindowStartTime, 0);
  EXPECT_EQ(run.WindowEndDate, 20150702);
  EXPECT_EQ(run.WindowEndTime, 235959);
  setTimeWindow(run, true, "20180105093000", "99991332256161");
  EXPECT_EQ(run.WindowStartTime, 93000);
  EXPECT_EQ(run.WindowEndDate, 99991332);
  EXPECT_EQ(run.WindowEndTime, 256161);
}

}  // namespace
