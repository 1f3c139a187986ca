#include <gtest/gtest.h>

#include "desktop/core/plot_log.h"
#include "tests/desktop/core/desktop_fixture.h"

namespace {

using testing_support::TempDir;
using testing_support::writeFile;

PlotLogReading readText(const std::string& text) {
  TempDir dir;
  writeFile(dir.file("_CErr_.txt"), text);
  return readPlotLog(dir.file("_CErr_.txt"));
}

TEST(DesktopPlotLog, OkLinesPassAndTheClosingLineIsSkipped) {
  PlotLogReading r = readText("OK. Starting: Vantor\nOK. Reading list\n\nOk. End:   \n");
  EXPECT_TRUE(r.opened);
  EXPECT_EQ(r.message, "Plotting...\n");
  EXPECT_FALSE(r.sawError);
  EXPECT_EQ(judgePlotLog(r), PlotLogVerdict::Passed);
}

TEST(DesktopPlotLog, ErrorLinesAfterTheLastOkLineAreGathered) {
  PlotLogReading r = readText("ERROR: early\nOK. Starting: \nERROR: invalid int input: -5\n");
  EXPECT_EQ(r.message, "Plotting...\nERROR: invalid int input: -5\n");
  EXPECT_TRUE(r.sawError);
  EXPECT_EQ(judgePlotLog(r), PlotLogVerdict::ErrorsLogged);
}

TEST(DesktopPlotLog, CrLfLinesAndALastLineWithoutEnd) {
  PlotLogReading r = readText("OK. a\r\nERROR: one\r\nERROR: two");
  EXPECT_EQ(r.message, "Plotting...\nERROR: one\nERROR: two");
}

TEST(DesktopPlotLog, TooLittleTextCountsAsALaunchFailure) {
  PlotLogReading r = readText("ERROR\n");
  EXPECT_EQ(r.message, "ERROR\n");
  EXPECT_EQ(judgePlotLog(r), PlotLogVerdict::LaunchFailed);
  EXPECT_EQ(judgePlotLog(readText("")), PlotLogVerdict::LaunchFailed);
  EXPECT_EQ(judgePlotLog(readText("nothing useful\nOk. End:\n")), PlotLogVerdict::LaunchFailed);
  EXPECT_EQ(judgePlotLog(readText("ok lower case\n")), PlotLogVerdict::LaunchFailed);
}

TEST(DesktopPlotLog, ErrorWithoutOkStillCounts) {
  PlotLogReading r = readText("ERROR: failed to open file: Data/ANY.txt \n");
  EXPECT_EQ(r.message, "ERROR: failed to open file: Data/ANY.txt \n");
  EXPECT_EQ(judgePlotLog(r), PlotLogVerdict::ErrorsLogged);
}

TEST(DesktopPlotLog, LongLinesAreReadWhole) {
  std::string longError = "ERROR: " + std::string(293, 'x');
  std::string longOther = "note " + std::string(250, 'y') + "OK";  // no piece of it begins with OK
  PlotLogReading r = readText("OK. go\n" + longError + "\n" + longOther + "\n");
  EXPECT_EQ(r.message, "Plotting...\n" + longError + "\n");
  EXPECT_EQ(longError.size(), 300u);
}

TEST(DesktopPlotLog, MissingLogIsNotOpened) {
  TempDir dir;
  PlotLogReading r = readPlotLog(dir.file("_CErr_.txt"));
  EXPECT_FALSE(r.opened);
  EXPECT_EQ(judgePlotLog(r), PlotLogVerdict::LaunchFailed);
}

}  // namespace
