// Whole runs of the plot generator with a stand-in gnuplot: the three data
// files, the log and the two scripts, byte for byte.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "tests/plotgen/vantor_harness.h"
#include "tests/support/platform_doubles.h"
#include "tests/support/text_samples.h"

using namespace plotgen_tests;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

// Two profiles of three data lines: a negative mixing ratio, a missing value.
std::string twoProfileFile() {
  return testing_support::profileFileText({
      block("2018-01-05, 09:30:00", "2018-01-05, 10:29:59", "2018-01-05, 10:00:00",
            {dataLine("100.0", "1.2000e+18", "1.2000e+17", "45.900", "2.500", "850.00"),
             dataLine("150.0", "1.1000e+18", "1.1000e+17", "-3.2", "0.4", "845.00"),
             dataLine("200.0", "-9999", "1.0000e+17", "50.100", "2.500", "840.00")}),
      block("2018-01-05, 10:30:00", "2018-01-05, 11:29:59", "2018-01-05, 11:00:00",
            {dataLine("100.0", "1.3000e+18", "1.3000e+17", "47.500", "3.700", "850.00"),
             dataLine("150.0", "1.0000e+18", "1.0000e+17", "44.000", "2.000", "845.00"),
             dataLine("250.0", "9.0000e+17", "9.0000e+16", "60.250", "2.900", "835.00")}),
  });
}

const char kPalette[] =
    "set palette defined ( 0\"#ff8cff\", 4\"#ff8cff\", 4\"#dd6ff2\", 8\"#dd6ff2\", 8\"#bb52e5\", 12\"#bb52e5\", "
    "12\"#9935d8\", 16\"#9935d8\", 16\"#7718cb\", 20\"#7718cb\", 20\"#0000bb\", 24\"#0000bb\", 24\"#002ccc\", "
    "28\"#002ccc\", 28\"#0058dd\", 32\"#0058dd\", 32\"#0084ee\", 36\"#0084ee\", 36\"#00afff\", 40\"#00afff\", "
    "40\"#00ebff\", 44\"#00ebff\", 44\"#27ffd7\", 48\"#27ffd7\", 48\"#63ff9b\", 52\"#63ff9b\", 52\"#a3ff5b\", "
    "56\"#a3ff5b\", 56\"#d3ff2b\", 60\"#d3ff2b\", 60\"#ffff00\", 64\"#ffff00\", 64\"#ffcf00\", 68\"#ffcf00\", "
    "68\"#ff9f00\", 72\"#ff9f00\", 72\"#ff6f00\", 76\"#ff6f00\", 76\"#ff3f00\", 80\"#ff3f00\", 80\"#ff0000\", "
    "84\"#ff0000\", 84\"#d8000f\", 88\"#d8000f\", 88\"#b2001f\", 92\"#b2001f\", 92\"#8c002f\", 96\"#8c002f\", "
    "96\"#66003f\", 100\"#66003f\", 100 \"#343434\", 125 \"#343434\", 125 \"#606060\", 150 \"#606060\", "
    "150 \"#8c8c8c\", 160 \"#8c8c8c\")\n";

std::string curtainScriptText(const std::string& title, const std::string& gridLines, const std::string& cbLines,
                              const std::string& count, const std::string& yrange, const std::string& xticsFormat,
                              const std::string& xrange) {
  return "reset\n"
         "set output \"curtain_plot.jpg\"\n"
         "set term jpeg enhanced font \"arial, 13\" size 800, 700\n"
         "set title \"" + title + "\" offset 0, 2\n"
         "set border 895 front lt -1 linecolor - 1 linewidth 1.000\n" +
         gridLines +
         "set style line 50 linecolor rgb \"#FFFFFF\" linewidth 0.500 pointtype 5 dashtype solid pointsize default\n" +
         kPalette +
         "set view map\n"
         "set samples 11, 11\n"
         "set isosamples 11, 11\n"
         "set lmargin at screen .09\n"
         "set rmargin at screen .85\n" +
         cbLines +
         "set label 1 \"Num.ProfilesA = " + count + "\" at graph 0.90, 1.15\n"
         "set yrange [" + yrange + "]\n"
         "set ytics offset 1, 0\n"
         "unset surface\n"
         "unset key\n"
         "set ticslevel 0\n"
         "set xlabel \"TIME [UTC]\" offset 0, -1\n"
         "set ylabel \"ALTITUDE [m ASL]\" offset 2, 0 \n"
         "set pm3d implicit at b\n"
         "set pm3d interpolate 2, 1\n"
         "set xdata time\n"
         "set timefmt \"%Y-%m-%d,%H:%M:%S\"\n"
         "set xtics format \"" + xticsFormat + "\"\n"
         "set mxtics 5\n"
         "set mytics 2\n"
         "set xrange [" + xrange + "]\n"
         "splot 'curtain_data.dat' u 1:2:3\n"
         "exit\n"
         "exit\n";
}

const char kCurtainGrid[] =
    "set grid xtics nomxtics ytics nomytics noztics nomztics nox2tics nomx2tics noy2tics nomy2tics nocbtics nomcbtics\n"
    "set cbtics scale 0\n"
    "set grid lc rgb \"#000000\" lw 1 lt 0\n";
const char kMixingRatioBar[] =
    "set cblabel \"[ppbv]\"\n"
    "set cblabel rotate by 0 offset -6, -13.5\n"
    "set cbrange [0: 160]\n"
    "set cbtics (20, 40, 60, 80, 100, 125, 150) offset -1, 0\n";
const char kNumberDensityBar[] =
    "set cblabel \"[molec/m3]\"\n"
    "set cblabel rotate by 0 offset -10, -13.5\n"
    "set cbrange [5e+16: 2e+18]\n"
    "set cbtics (2.95e+17, 5.39e+17, 7.82e+17, 1.025e+18, 1.269e+18, 1.573e+18, 1.878e+18, 2.18e+18) offset -1, 0\n"
    "set cbtics font \",8\"\n";

class PlotgenRun : public testing::Test {
 protected:
  void SetUp() override {
    folder = dir.path();
    installStandInGnuplot(folder);
    gnuplot = realPath(folder) + "/bin/gnuplot";
  }
  std::string file(const std::string& name) const { return readFile(folder + "/" + name); }
  bool exists(const std::string& name) const { return std::filesystem::exists(folder + "/" + name); }

  TempDir dir;
  std::string folder;
  std::string gnuplot;
};

TEST_F(PlotgenRun, PlotButtonRunWritesDataFilesLogAndBothScripts) {
  std::string data = folder + "/site_20180105.dat";
  ASSERT_TRUE(writeFile(data, twoProfileFile()));
  writeList(folder, {data}, "\r\n");

  VantorResult result = runVantorIn(folder, plotButtonArguments());
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.errorOutput, "");

  EXPECT_EQ(file("curtain_data.dat"),
            "2018-01-05,09:30:00\t100.0\t45.900\t\n"
            "2018-01-05,09:30:00\t150.0\t0\t\n"
            "2018-01-05,09:30:00\t200.0\t50.100\t\n"
            "\n"
            "2018-01-05,10:29:59\t100.0\t45.900\t\n"
            "2018-01-05,10:29:59\t150.0\t0\t\n"
            "2018-01-05,10:29:59\t200.0\t50.100\t\n"
            "\n"
            "2018-01-05,10:30:00\t100.0\t47.500\t\n"
            "2018-01-05,10:30:00\t150.0\t44.000\t\n"
            "2018-01-05,10:30:00\t250.0\t60.250\t\n"
            "\n"
            "2018-01-05,11:29:59\t100.0\t47.500\t\n"
            "2018-01-05,11:29:59\t150.0\t44.000\t\n"
            "2018-01-05,11:29:59\t250.0\t60.250\t\n"
            "\n"
            "2018-01-05,11:29:60\t0\t0\n"
            "\n");
  EXPECT_EQ(file("profile_data.dat"),
            "100.0\t850.00\t1.2000e+18\t1.2000e+17\t45\t2\t\n"
            "150.0\t845.00\t1.1000e+18\t1.1000e+17\t0\t0\t\n"
            "100.0\t850.00\t1.3000e+18\t1.3000e+17\t47\t3\t\n"
            "150.0\t845.00\t1.0000e+18\t1.0000e+17\t44\t2\t\n"
            "250.0\t835.00\t9.0000e+17\t9.0000e+16\t60\t2\t\n");
  EXPECT_EQ(file("median_data.dat"),
            "100\t44.95\t22\t46.7\t0\t46.7\n"
            "200\t60.25\t60.25\t60.25\t60.25\t60.25\n");
  EXPECT_EQ(logAfterStart(folder),
            "OK. " + data + "\n"
            "OK. Profile::gnuplotPath " + gnuplot + "\n"
            "OK. Curtain::gnuplotPath " + gnuplot + "\n"
            "OK. Start: 2018-01-05,09:30:00\n"
            "Ok. End:   2018-01-05,11:29:59\n");
  EXPECT_EQ(file("gnuplot_input_1.txt"),
            "reset\n"
            "set output \"profile_plot.jpg\"\n"
            "set term jpeg enhanced font \"arial, 13\" size 400, 700\n"
            "set title \"Num.PROFILES = 2\\n\\n\"\n"
            "unset bars\n"
            "unset key\n"
            "set grid lc rgb \"#000000\" lw 0 lt 0\n"
            "set ylabel \"ALTITUDE [km]\" offset 1, 0\n"
            "set mxtics 10\n"
            "set mytics 5\n"
            "set format y \"%g\"\n"
            "set yrange [0.1: 12]\n"
            "set xlabel \"O3 MIXING RATIO [ppbv]\\n\\n\"\n"
            "set pointsize 2.0\n"
            "\n"
            "plot [0:300][0.1:12] \"profile_data.dat\" using  5:($1/1000):6 w points lt rgb \"#DA251D\", "
            "\"median_data.dat\" using 2:($1/1000) w lines lw 4 lt rgb \"#000000\"\n"
            "set xtics autofreq\n"
            "exit\n");
  EXPECT_EQ(file("gnuplot_input_2.txt"),
            curtainScriptText("05-JAN-2018 at 09:30  to  05-JAN-2018 at 11:29 (UTC)\\n\\nO3 MIXING RATIO", kCurtainGrid,
                              kMixingRatioBar, "2", "100: 12000", "%H:%M",
                              "\"2018-01-05,09:30:00\":\"2018-01-05,11:29:59\""));
  EXPECT_FALSE(exists("gnuplot_input_3.txt"));
}

TEST_F(PlotgenRun, NumberDensityWithGridsOffAndAllLines) {
  std::string data = folder + "/nd.dat";
  ASSERT_TRUE(writeFile(data, twoProfileFile()));
  writeList(folder, {data, data});

  // Leading zeros of the limits are dropped: gnuplot would read them as octal.
  VantorResult result = runVantorIn(
      folder, words("ANY 0 1 true false 0 1000 20000000000000 20200000000000 true 0 07e+18 0100 012000 true true "
                    "true true 1 2"));
  EXPECT_EQ(result.status, 1);
  const std::string curtainStart =
      "2018-01-05,09:30:00\t100.0\t1.2000e+18\t\n"
      "2018-01-05,09:30:00\t150.0\t1.1000e+18\t\n"
      "2018-01-05,09:30:00\t200.0\t0\t\n"
      "\n";
  EXPECT_EQ(file("curtain_data.dat").substr(0, curtainStart.size()), curtainStart);
  // O3ND values go into the bins: bin 0 holds 1.1e18, 1.2e18, 1.3e18, 1e18; the
  // -9999 line is missing and 9e17 lies in bin 1.
  EXPECT_EQ(file("median_data.dat"),
            "100\t1.15e+18\t1.05e+18\t1.25e+18\t1e+18\t1.25e+18\n"
            "200\t9e+17\t9e+17\t9e+17\t9e+17\t9e+17\n");
  EXPECT_EQ(file("gnuplot_input_1.txt"),
            "reset\n"
            "set output \"profile_plot.jpg\"\n"
            "set term jpeg enhanced font \"arial, 13\" size 400, 700\n"
            "set title \"Num.PROFILES = 2\\n\\n\"\n"
            "unset bars\n"
            "unset key\n"
            "set ylabel \"ALTITUDE [km]\" offset 1, 0\n"
            "set mxtics 10\n"
            "set mytics 5\n"
            "set format y \"%g\"\n"
            "set yrange [0.1: 12]\n"
            "set xtics 1e+18, 2e+18, 7e+18\n"
            "set xlabel \"O3 NUMBER DENSITY [molec/m3]\\n\\n\"\n"
            "set pointsize 2.0\n"
            "\n"
            "plot [0:7e+18][0.1:12] \"profile_data.dat\" using 3:($1/1000):4 w points lt rgb \"#DA251D\", "
            "\"median_data.dat\" using 2:($1/1000) w lines lw 4 lt rgb \"#000000\", "
            "\"median_data.dat\" using 3:($1/1000) w lines lw 4 lt rgb \"#505050\", "
            "\"median_data.dat\" using 4:($1/1000) w lines lw 4 lt rgb \"#505050\", "
            "\"median_data.dat\" using 5:($1/1000) w lines lw 4 lt rgb \"#909090\", "
            "\"median_data.dat\" using 6:($1/1000) w lines lw 4 lt rgb \"#909090\"\n"
            "set xtics autofreq\n"
            "exit\n");
  EXPECT_EQ(file("gnuplot_input_2.txt"),
            curtainScriptText("05-JAN-2018 at 09:30  to  05-JAN-2018 at 11:29 (UTC)\\n\\nO3 NUMBER DENSITY", "",
                              kNumberDensityBar, "2", "100: 12000", "%H:%M\\n%b%d",
                              "\"2018-01-05,09:30:00\":\"2018-01-05,11:29:59\""));
}

TEST_F(PlotgenRun, WithoutProfilePlotOnlyTheCurtainIsDrawn) {
  std::string data = folder + "/c.dat";
  ASSERT_TRUE(writeFile(data, twoProfileFile()));
  writeList(folder, {data});
  VantorResult result = runVantorIn(
      folder, words("ANY 0 1 true false 0 1 20000000000000 20200000000000 false 0 300 100 12000 false true false false 0 0"));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(file("profile_data.dat"), "");
  EXPECT_EQ(file("median_data.dat"), "");
  // Only profile 0 is selected; profile 1 stops the run inside the file: no closing row.
  EXPECT_EQ(file("curtain_data.dat"),
            "2018-01-05,09:30:00\t100.0\t45.900\t\n"
            "2018-01-05,09:30:00\t150.0\t0\t\n"
            "2018-01-05,09:30:00\t200.0\t50.100\t\n"
            "\n"
            "2018-01-05,10:29:59\t100.0\t45.900\t\n"
            "2018-01-05,10:29:59\t150.0\t0\t\n"
            "2018-01-05,10:29:59\t200.0\t50.100\t\n"
            "\n");
  EXPECT_EQ(logAfterStart(folder),
            "OK. " + data + "\n"
            "OK. Curtain::gnuplotPath " + gnuplot + "\n"
            "OK. Start: 2018-01-05,09:30:00\n"
            "Ok. End:   2018-01-05,10:29:59\n");
  EXPECT_TRUE(exists("gnuplot_input_1.txt"));
  EXPECT_FALSE(exists("gnuplot_input_2.txt"));
}

// Three profiles a day apart in one file.
std::string threeDayFile() {
  std::vector<std::string> rows = {dataLine("100.0", "1.0e+18", "1.0e+17", "40.0", "2.0", "850.00")};
  return testing_support::profileFileText({
      block("2018-01-05, 10:00:00", "2018-01-05, 11:00:00", "2018-01-05, 10:30:00", rows),
      block("2018-01-06, 10:00:00", "2018-01-06, 11:00:00", "2018-01-06, 10:30:00", rows),
      block("2018-01-07, 10:00:00", "2018-01-07, 11:00:00", "2018-01-07, 10:30:00", rows),
  });
}

TEST_F(PlotgenRun, TimeWindowThatStopsInTheMiddleOfTheFile) {
  std::string data = folder + "/t.dat";
  ASSERT_TRUE(writeFile(data, threeDayFile()));
  writeList(folder, {data});
  VantorResult result = runVantorIn(
      folder, words("ANY 0 1 false true 0 1 20180105000000 20180106120000 false 0 300 0 1000 true false false false 0 0"));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(file("curtain_data.dat"),
            "2018-01-05,10:00:00\t100.0\t40.0\t\n\n"
            "2018-01-05,11:00:00\t100.0\t40.0\t\n\n"
            "2018-01-06,10:00:00\t100.0\t40.0\t\n\n"
            "2018-01-06,11:00:00\t100.0\t40.0\t\n\n");
  EXPECT_EQ(file("median_data.dat"), "");
  EXPECT_EQ(logAfterStart(folder),
            "OK. " + data + "\n"
            "OK. Profile::gnuplotPath " + gnuplot + "\n"
            "OK. Curtain::gnuplotPath " + gnuplot + "\n"
            "OK. Start: 2018-01-05,10:00:00\n"
            "Ok. End:   2018-01-06,11:00:00\n");
  std::string profile = file("gnuplot_input_1.txt");
  EXPECT_NE(profile.find("set title \"Num.PROFILES = 2\\n\\n\"\n"), std::string::npos) << profile;
  EXPECT_NE(profile.find("plot [0:300][0:1] \"profile_data.dat\" using  5:($1/1000):6 w points lt rgb \"#DA251D\"\n"),
            std::string::npos)
      << profile;
}

TEST_F(PlotgenRun, TimeWindowThatSkipsAnEarlierProfile) {
  std::string data = folder + "/t.dat";
  ASSERT_TRUE(writeFile(data, threeDayFile()));
  writeList(folder, {data});
  VantorResult result = runVantorIn(
      folder, words("ANY 0 1 false true 0 1 20180106000000 20180108000000 false 0 300 0 1000 false false false false 0 0"));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(file("curtain_data.dat"),
            "2018-01-06,10:00:00\t100.0\t40.0\t\n\n"
            "2018-01-06,11:00:00\t100.0\t40.0\t\n\n"
            "2018-01-07,10:00:00\t100.0\t40.0\t\n\n"
            "2018-01-07,11:00:00\t100.0\t40.0\t\n\n"
            "2018-01-07,11:00:01\t0\t0\n\n");
  EXPECT_EQ(logAfterStart(folder),
            "OK. " + data + "\n"
            "OK. Curtain::gnuplotPath " + gnuplot + "\n"
            "OK. Start: 2018-01-06,10:00:00\n"
            "Ok. End:   2018-01-07,11:00:00\n");
  std::string curtain = file("gnuplot_input_1.txt");
  EXPECT_NE(curtain.find("set title \"06-JAN-2018 at 10:00  to  07-JAN-2018 at 11:00 (UTC)\\n\\nO3 MIXING RATIO\" "
                         "offset 0, 2\n"),
            std::string::npos)
      << curtain;
}

TEST_F(PlotgenRun, IndexWindowAcrossTwoFilesStopsAndLeavesLaterFilesUnopened) {
  std::string first = folder + "/first.dat";
  std::string second = folder + "/second.dat";
  ASSERT_TRUE(writeFile(first, threeDayFile()));
  ASSERT_TRUE(writeFile(second, threeDayFile()));
  // Profiles 2 (last of the first file) and 3 (first of the second) are selected;
  // profile 4 stops the run, so the missing third file is never opened.
  writeList(folder, {first, second, folder + "/missing.dat"});
  VantorResult result = runVantorIn(
      folder, words("ANY 0 3 true false 2 4 20000000000000 20200000000000 false 0 300 0 1000 false false false false 0 0"));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(file("curtain_data.dat"),
            "2018-01-07,10:00:00\t100.0\t40.0\t\n\n"
            "2018-01-07,11:00:00\t100.0\t40.0\t\n\n"
            "2018-01-07,11:00:01\t0\t0\n\n"
            "2018-01-05,10:00:00\t100.0\t40.0\t\n\n"
            "2018-01-05,11:00:00\t100.0\t40.0\t\n\n");
  EXPECT_EQ(logAfterStart(folder),
            "OK. " + first + "\n"
            "OK. " + second + "\n"
            "OK. Curtain::gnuplotPath " + gnuplot + "\n"
            "OK. Start: 2018-01-07,10:00:00\n"
            "Ok. End:   2018-01-05,11:00:00\n");
  std::string curtain = file("gnuplot_input_1.txt");
  EXPECT_NE(curtain.find("set xtics format \"%H:%M\\n%b%d\"\n"), std::string::npos);
  EXPECT_NE(curtain.find("set label 1 \"Num.ProfilesA = 2\" at graph 0.90, 1.15\n"), std::string::npos);
}

TEST_F(PlotgenRun, RunEndingAtTheLastBlockOfAFileStopsOnTheNextFilesFirstBlock) {
  std::string first = folder + "/first.dat";
  std::string second = folder + "/second.dat";
  ASSERT_TRUE(writeFile(first, threeDayFile()));
  ASSERT_TRUE(writeFile(second, threeDayFile()));
  writeList(folder, {first, second});
  VantorResult result = runVantorIn(
      folder, words("ANY 0 2 true false 1 3 20000000000000 20200000000000 false 0 300 0 1000 false false false false 0 0"));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(file("curtain_data.dat"),
            "2018-01-06,10:00:00\t100.0\t40.0\t\n\n"
            "2018-01-06,11:00:00\t100.0\t40.0\t\n\n"
            "2018-01-07,10:00:00\t100.0\t40.0\t\n\n"
            "2018-01-07,11:00:00\t100.0\t40.0\t\n\n"
            "2018-01-07,11:00:01\t0\t0\n\n");
  EXPECT_EQ(logAfterStart(folder),
            "OK. " + first + "\n"
            "OK. " + second + "\n"
            "OK. Curtain::gnuplotPath " + gnuplot + "\n"
            "OK. Start: 2018-01-06,10:00:00\n"
            "Ok. End:   2018-01-07,11:00:00\n");
}

TEST_F(PlotgenRun, OtherLocationReadsFilesFromItsFolderWithoutLogLines) {
  std::filesystem::create_directories(folder + "/ZIB");
  ASSERT_TRUE(writeFile(folder + "/ZIB/z.dat", threeDayFile()));
  writeList(folder, {"z.dat"}, "\n", "ZIB");
  VantorResult result = runVantorIn(
      folder, words("ZIB 0 1 true false 0 1 20000000000000 20200000000000 false 0 300 0 1000 false false false false 0 0"));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(logAfterStart(folder),
            "OK. Curtain::gnuplotPath " + gnuplot + "\n"
            "OK. Start: 2018-01-05,10:00:00\n"
            "Ok. End:   2018-01-05,11:00:00\n");
}

TEST_F(PlotgenRun, NoDataInRangeWithAndWithoutTimeWindow) {
  std::string data = folder + "/t.dat";
  ASSERT_TRUE(writeFile(data, threeDayFile()));
  writeList(folder, {data});
  VantorResult result = runVantorIn(
      folder, words("ANY 0 1 false true 0 1 20180105093000 20180105100000 false 0 300 0 1000 true true false false 0 0"));
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(logAfterStart(folder),
            "OK. " + data + "\n"
            "ERROR: NO DATA IN RANGE:  StartDate_Time = 20180105_93000; EndDate_Time = 20180105_100000\n"
            "argv[8], argv[9] >> startTime, endTime = 20180105093000, 20180105100000\n");
  EXPECT_EQ(file("curtain_data.dat"), "");
  EXPECT_FALSE(exists("gnuplot_input_1.txt"));

  result = runVantorIn(
      folder, words("ANY 0 1 true false 5 9 20180105093000 20180105100000 false 0 300 0 1000 true true false false 0 0"));
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(logAfterStart(folder),
            "OK. " + data + "\n"
            "ERROR: NO DATA IN RANGE:  StartDate_Time = 0_0; EndDate_Time = 0_0\n"
            "argv[8], argv[9] >> startTime, endTime = 20180105093000, 20180105100000\n");
}

TEST_F(PlotgenRun, ListedFileThatIsMissingEndsTheRunAfterEarlierProfiles) {
  std::string data = folder + "/t.dat";
  ASSERT_TRUE(writeFile(data, threeDayFile()));
  std::string missing = folder + "/gone.dat";
  writeList(folder, {data, missing});
  VantorResult result = runVantorIn(
      folder, words("ANY 0 2 true false 0 100 20000000000000 20200000000000 false 0 300 0 1000 false false false false 0 0"));
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(logAfterStart(folder), "OK. " + data + "\nOK. " + missing + "\nERROR: failed to open file: " + missing + "\n");
  // The first file's profiles stay written; no gnuplot was started.
  EXPECT_EQ(file("curtain_data.dat").substr(0, 38), "2018-01-05,10:00:00\t100.0\t40.0\t\n\n2018-");
  EXPECT_FALSE(exists("gnuplot_input_1.txt"));
}

TEST_F(PlotgenRun, ListedSpecialFilesFailToOpenWithoutWaiting) {
  // A FIFO would wait for a writer, /dev/zero would never end and a folder is
  // no file: each fails as a missing file does, after the earlier profiles.
  std::string data = folder + "/t.dat";
  ASSERT_TRUE(writeFile(data, threeDayFile()));
  std::string fifo = folder + "/fifo.dat";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string zero = folder + "/zero.dat";
  std::filesystem::create_symlink("/dev/zero", zero);
  std::string subfolder = folder + "/folder.dat";
  std::filesystem::create_directory(subfolder);
  for (const std::string& special : {fifo, zero, subfolder}) {
    writeList(folder, {data, special});
    VantorResult result = runVantorIn(folder, words("ANY 0 2 true false 0 100 20000000000000 20200000000000 false 0 "
                                                    "300 0 1000 false false false false 0 0"));
    EXPECT_EQ(result.status, 0) << special;
    EXPECT_EQ(logAfterStart(folder),
              "OK. " + data + "\nOK. " + special + "\nERROR: failed to open file: " + special + "\n")
        << special;
    EXPECT_EQ(file("curtain_data.dat").substr(0, 38), "2018-01-05,10:00:00\t100.0\t40.0\t\n\n2018-") << special;
    EXPECT_FALSE(exists("gnuplot_input_1.txt")) << special;
  }
}

TEST_F(PlotgenRun, EndFileBeyondTheListAndEmptyList) {
  std::string data = folder + "/t.dat";
  ASSERT_TRUE(writeFile(data, threeDayFile()));
  writeList(folder, {data});
  VantorResult result = runVantorIn(
      folder, words("ANY 0 2 true false 0 100 20000000000000 20200000000000 false 0 300 0 1000 false false false false 0 0"));
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(logAfterStart(folder), "ERROR: endFile: 2 cannot be greater than 1 for location: ANY\n");

  writeList(folder, {});
  result = runVantorIn(
      folder, words("ANY 0 1 true false 0 100 20000000000000 20200000000000 false 0 300 0 1000 false false false false 0 0"));
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(logAfterStart(folder), "ERROR: endFile: 1 cannot be greater than 0 for location: ANY\n");
  EXPECT_FALSE(exists("curtain_data.dat"));
}

TEST_F(PlotgenRun, ListFileErrorsAndRefusedLocations) {
  struct Case {
    std::string location;
    std::string log;
  };
  const std::vector<Case> cases = {
      {"ANY", "ERROR: failed to open file: Data/ANY.txt \n"},
      {"HALK", "ERROR: failed to open file: Data/HALK.txt \n"},
      {"ZIB", "ERROR: failed to open file: Data/ZIB.txt \n"},
      {"XOV", "ERROR: failed to open file: Data/XOV.txt \n"},
      {"Qiru", "ERROR: Qiru not yet implemented, invalid location\n"},
      {"YUNT", "ERROR: YUNT not yet implemented, invalid location\n"},
  };
  for (const Case& c : cases) {
    VantorResult result = runVantorIn(folder, words(c.location + " 0 1 true false 0 100 20000000000000 20200000000000 "
                                                                 "false 0 300 0 1000 false false false false 0 0"));
    EXPECT_EQ(result.status, 0) << c.location;
    EXPECT_EQ(logAfterStart(folder), c.log) << c.location;
  }
  // A folder in the place of the list file cannot be opened as one.
  std::filesystem::create_directories(folder + "/Data/ANY.txt");
  VantorResult result = runVantorIn(folder, words("ANY 0 1 true false 0 100 20000000000000 20200000000000 "
                                                  "false 0 300 0 1000 false false false false 0 0"));
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(logAfterStart(folder), "ERROR: failed to open file: Data/ANY.txt \n");
}

TEST_F(PlotgenRun, DataFilesThatCannotBeWritten) {
  std::string data = folder + "/t.dat";
  ASSERT_TRUE(writeFile(data, threeDayFile()));
  writeList(folder, {data});
  const std::string args =
      "ANY 0 1 true false 0 100 20000000000000 20200000000000 false 0 300 0 1000 true true false false 0 0";
  // A folder in the place of a data file cannot be opened for writing.
  std::filesystem::create_directory(folder + "/profile_data.dat");
  VantorResult result = runVantorIn(folder, words(args));
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(logAfterStart(folder), "ERROR: failed to open file: profile_data.dat \n");

  for (const char* name : {"curtain_data.dat", "median_data.dat"}) {
    std::filesystem::remove(folder + "/" + name);
    std::filesystem::create_directory(folder + "/" + name);
  }
  result = runVantorIn(folder, words(args));
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(logAfterStart(folder),
            "ERROR: failed to open file: curtain_data.dat \n"
            "ERROR: failed to open file: profile_data.dat \n"
            "ERROR failed to open file: median_data.dat \n");
  EXPECT_FALSE(exists("gnuplot_input_1.txt"));
}

TEST_F(PlotgenRun, DataFileThatCannotBeWrittenInFull) {
  testing_support::SmallDisk disk(256 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
  const std::string small = disk.path();
  installStandInGnuplot(small);
  // Profiles enough for a curtain file of about 100 kB, listed from elsewhere.
  std::vector<testing_support::ProfileBlock> blocks;
  for (int i = 0; i < 10; ++i) {
    std::string hour = (i < 10 ? "0" : "") + std::to_string(i);
    blocks.push_back(testing_support::profileBlock("2018-01-05, " + hour + ":00:00", "2018-01-05, " + hour + ":59:59",
                                                   "2018-01-05, " + hour + ":30:00", 200));
  }
  std::string data = folder + "/t.dat";
  ASSERT_TRUE(writeFile(data, testing_support::profileFileText(blocks)));
  writeList(small, {data});
  ASSERT_TRUE(writeFile(small + "/curtain_data.dat", "an earlier curtain"));
  ASSERT_TRUE(disk.fillLeaving(16 * 1024));
  // No profile plot: only the curtain file is large.
  VantorResult result = runVantorIn(
      small, words("ANY 0 1 true false 0 1000 20000000000000 20200000000000 false 0 300 100 12000 false false false "
                   "false 0 0"));
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.errorOutput, "");
  EXPECT_EQ(logAfterStart(small), "OK. " + data + "\nERROR: failed to write file: curtain_data.dat\n");
  // The name keeps what it held; no cut file and no hidden file is left.
  EXPECT_EQ(readFile(small + "/curtain_data.dat"), "an earlier curtain");
  EXPECT_EQ(testing_support::folderNames(small),
            (std::vector<std::string>{".filler", "Data", "_CErr_.txt", "bin", "curtain_data.dat", "median_data.dat",
                                      "profile_data.dat"}));
  EXPECT_FALSE(std::filesystem::exists(small + "/gnuplot_input_1.txt"));
}

TEST_F(PlotgenRun, LogThatCannotBeOpened) {
  std::filesystem::create_directory(folder + "/_CErr_.txt");
  VantorResult result = runVantorIn(folder, plotButtonArguments());
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.errorOutput,
            "Error: Vantor could not open file \"_CErr_.txt\", please report this error to "
            "parvix-support@example.org. Thank you.");
  EXPECT_FALSE(exists("curtain_data.dat"));
  EXPECT_EQ(testing_support::folderNames(folder), (std::vector<std::string>{"_CErr_.txt", "bin"}));
}

TEST_F(PlotgenRun, LogThatCannotBeWritten) {
  testing_support::SmallDisk disk(64 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
  const std::string small = disk.path();
  installStandInGnuplot(small);
  std::string data = folder + "/t.dat";
  ASSERT_TRUE(writeFile(data, threeDayFile()));
  writeList(small, {data});
  ASSERT_TRUE(disk.fillLeaving(0));
  VantorResult result = runVantorIn(small, plotButtonArguments());
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.errorOutput,
            "Error: Vantor could not write file \"_CErr_.txt\" (No space left on device), please report this error "
            "to parvix-support@example.org. Thank you.");
  // No gnuplot was started for a run whose log is lost.
  EXPECT_FALSE(std::filesystem::exists(small + "/gnuplot_input_1.txt"));
  EXPECT_EQ(readFile(small + "/_CErr_.txt"), "");
}

TEST_F(PlotgenRun, GnuplotMissingOrNotExecutableIsNotFound) {
  std::string data = folder + "/t.dat";
  ASSERT_TRUE(writeFile(data, threeDayFile()));
  writeList(folder, {data});
  std::filesystem::permissions(folder + "/bin/gnuplot", std::filesystem::perms::owner_read |
                                                            std::filesystem::perms::owner_write);
  std::string savedPath = getenv("PATH") ? getenv("PATH") : "";
  setenv("PATH", (folder + "/nothing-here").c_str(), 1);
  VantorResult result = runVantorIn(folder, plotButtonArguments());
  setenv("PATH", savedPath.c_str(), 1);
  // The missing gnuplot is logged and ends the run at the profile plot.
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.errorOutput, "Error: Gnuplot not found!");
  EXPECT_EQ(logAfterStart(folder),
            "OK. " + data + "\n"
            "OK. Profile::gnuplotPath gnuplot\n"
            "ERROR: gnuplot not found, image not made: profile_plot.jpg\n");
}

TEST_F(PlotgenRun, GnuplotThatEndsAtOnceCannotStopTheRun) {
  // Writes to its closed pipe fail quietly; the run ends with its log, which
  // says what became of gnuplot.
  std::string data = folder + "/t.dat";
  ASSERT_TRUE(writeFile(data, threeDayFile()));
  writeList(folder, {data});
  ASSERT_TRUE(testing_support::writeScript(folder + "/bin/gnuplot", "exit 3\n"));
  VantorResult result = runVantorIn(folder, plotButtonArguments());
  EXPECT_EQ(result.status, 0);
  std::string log = logAfterStart(folder);
  EXPECT_EQ(log, "OK. " + data + "\nOK. Profile::gnuplotPath " + gnuplot +
                     "\nERROR: gnuplot ended with status 3, image not made: profile_plot.jpg\n");
}

}  // namespace
