#include <gtest/gtest.h>

#include "desktop/core/file_names.h"
#include "desktop/core/plot_command.h"
#include "tests/desktop/core/desktop_fixture.h"

namespace {

using Words = std::vector<std::string>;

TEST(DesktopFixedCommandLine, IsTheExactTextAndSplitsIntoTwentyArguments) {
  EXPECT_EQ(fixedPlotCommandLine(false),
            "Vantor.exe ANY 0 1 true false 0 1000  20000000000000 20200000000000 false 0 300 100 12000 true true "
            "false false 0 0");
  Words words = splitCommandLine(fixedPlotCommandLine(false));
  ASSERT_EQ(words.size(), 21u);
  EXPECT_EQ(words, (Words{"Vantor.exe", "ANY", "0", "1", "true", "false", "0", "1000", "20000000000000",
                          "20200000000000", "false", "0", "300", "100", "12000", "true", "true", "false", "false",
                          "0", "0"}));
}

TEST(DesktopFixedCommandLine, NamesOmbrelAfterAnHdfScan) {
  Words words = splitCommandLine(fixedPlotCommandLine(true));
  ASSERT_EQ(words.size(), 21u);
  EXPECT_EQ(words[0], "Ombrel.exe");
  Words vantor = splitCommandLine(fixedPlotCommandLine(false));
  EXPECT_EQ(Words(words.begin() + 1, words.end()), Words(vantor.begin() + 1, vantor.end()));
}

ReplotArguments defaults() {
  ReplotArguments a;
  a.plotFileCount = 1;
  a.startTime = "20180315000000";
  a.endTime = "20180315235959";
  a.xMin = "0";
  a.xMax = "300";
  a.yMin = "0";
  a.yMax = "12000";
  a.exponent = "e+18";
  return a;
}

TEST(DesktopReplotCommandLine, DefaultsGiveTheFullLine) {
  EXPECT_EQ(replotCommandLine(defaults()),
            "Vantor.exe  ANY 0 1 true true 0 10000 20180315000000 20180315235959 false 0 300 100 12000 true true "
            "false false 0 0");
  EXPECT_EQ(splitCommandLine(replotCommandLine(defaults())).size(), 21u);
}

TEST(DesktopReplotCommandLine, NumberDensityAppendsTheExponentToXMax) {
  ReplotArguments a = defaults();
  a.numberDensity = true;
  a.xMax = "3";
  Words words = splitCommandLine(replotCommandLine(a));
  ASSERT_EQ(words.size(), 21u);
  EXPECT_EQ(words[10], "true");
  EXPECT_EQ(words[12], "3e+18");
  a.numberDensity = false;
  EXPECT_EQ(splitCommandLine(replotCommandLine(a))[12], "3");  // exponent only with number density
}

TEST(DesktopReplotCommandLine, ClampsAndConversions) {
  struct Case {
    std::string xMin, xMax, yMin, yMax;
    Words expected;  // arguments 11-14
  };
  const Case cases[] = {
      {"-20", "300", "50", "12000", {"0", "300", "100", "12000"}},
      {"0", "300", "0", "-5", {"0", "300", "100", "-5"}},
      {"12-3", " 250", "150", "9000", {"12", "250", "150", "9000"}},
      {"", "", "", "", {"0", "0", "100", "0"}},
  };
  for (const Case& c : cases) {
    ReplotArguments a = defaults();
    a.xMin = c.xMin;
    a.xMax = c.xMax;
    a.yMin = c.yMin;
    a.yMax = c.yMax;
    Words words = splitCommandLine(replotCommandLine(a));
    ASSERT_EQ(words.size(), 21u);
    EXPECT_EQ(Words(words.begin() + 11, words.begin() + 15), c.expected) << c.xMin << " " << c.yMin;
  }
}

TEST(DesktopReplotCommandLine, SwitchesAndGrids) {
  ReplotArguments a = defaults();
  a.isHdf = true;
  a.plotFileCount = 3;
  a.startProfile = 5;
  a.endProfile = 70;
  a.median = false;
  a.quartiles = true;
  a.percentiles = true;
  a.hideCurtainGrid = true;
  a.hideProfileGrid = true;
  EXPECT_EQ(replotCommandLine(a),
            "Ombrel.exe  ANY 0 3 true true 5 70 20180315000000 20180315235959 false 0 300 100 12000 true false "
            "true true 1 1");
}

class DesktopReplotTimeSpan : public DesktopTest {};

TEST_F(DesktopReplotTimeSpan, AllProfilesWithNetworkNamesSpanTheFilesDays) {
  state.PlotFiles = {"/data/DATAID_SITE_20180315_R0.dat", "/data/DATAID_SITE_20180317_R1_test.dat"};
  state.PlotFileCount = 2;
  computePlotTimeSpan(state);
  ReplotArguments a = defaults();
  a.plotFileCount = state.PlotFileCount;
  a.startTime = state.PlotStartStamp;
  a.endTime = state.PlotEndStamp;
  Words words = splitCommandLine(replotCommandLine(a));
  EXPECT_EQ(Words(words.begin() + 3, words.begin() + 10),
            (Words{"2", "true", "true", "0", "10000", "20180315000000", "20180317235959"}));
}

TEST_F(DesktopReplotTimeSpan, AllProfilesWithGeomsNamesUseTheStartAndStopStamps) {
  state.DataFileIsHdf = true;
  state.PlotFiles = {"/d/groundbased_lidar.o3_inst_one_site_20180315T061500Z_20180315T235900Z_001.hdf",
               "/d/groundbased_lidar.o3_inst_one_site_20180316T010000Z_20180317T020304Z_002.hdf"};
  state.PlotFileCount = 2;
  computePlotTimeSpan(state);
  ReplotArguments a = defaults();
  a.isHdf = true;
  a.startTime = state.PlotStartStamp;
  a.endTime = state.PlotEndStamp;
  Words words = splitCommandLine(replotCommandLine(a));
  EXPECT_EQ(words[0], "Ombrel.exe");
  EXPECT_EQ(words[8], "20180315061500");
  EXPECT_EQ(words[9], "20180317020304");
}

}  // namespace
