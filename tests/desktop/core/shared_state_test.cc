// Two shared-state records in one process, each with its own start folder: the
// plot flow of one changes nothing of the other.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "desktop/core/file_names.h"
#include "desktop/core/first_plot.h"
#include "desktop/core/plot_append.h"
#include "desktop/core/plot_files.h"
#include "desktop/core/shared_state.h"
#include "tests/desktop/core/desktop_fixture.h"
#include "tests/desktop/core/jpeg_writer.h"

namespace {

using testing_support::readFile;
using testing_support::writeFile;

// Every member of a record, one line each.
std::string describe(const SharedState& s) {
  std::string all = "StartDir=" + s.StartDir + "\nReportPath=" + s.ReportPath +
                    "\nIsHdfFile=" + std::to_string(s.IsHdfFile) + "\nDataFilePath=" + s.DataFilePath +
                    "\nDataFileName=" + s.DataFileName + "\nDataFileIsHdf=" + std::to_string(s.DataFileIsHdf) +
                    "\nPlottedFile=" + s.PlottedFile + "\nPlotsReady=" + std::to_string(s.PlotsReady) + "\nPlotFiles=";
  for (const std::string& file : s.PlotFiles) all += "<" + file + ">";
  return all + "\nPlotFileCount=" + std::to_string(s.PlotFileCount) + "\nPlotStartStamp=" + s.PlotStartStamp +
         "\nPlotEndStamp=" + s.PlotEndStamp + "\nPlotTimeoutMs=" + std::to_string(s.PlotTimeoutMs) + "\n";
}

TEST(DesktopSharedState, StartsEmptyWithTheTwentyHourWait) {
  SharedState fresh;
  EXPECT_EQ(describe(fresh),
            "StartDir=\nReportPath=\nIsHdfFile=0\nDataFilePath=\nDataFileName=\nDataFileIsHdf=0\nPlottedFile=\n"
            "PlotsReady=0\n"
            "PlotFiles=\nPlotFileCount=0\nPlotStartStamp=\nPlotEndStamp=\nPlotTimeoutMs=72000000\n");
}

TEST(DesktopSharedState, TwoRecordsSideBySideKeepTheirOwnPlots) {
  testing_support::RecordingBoxes boxes;
  FakeLauncher launcher;
  testing_support::TempDir firstFolder, secondFolder;
  // The runs change the current folder: back to the first folder after the test.
  testing_support::CurrentDirScope back(firstFolder.path());
  SharedState first, second;
  first.StartDir = firstFolder.path();
  second.StartDir = secondFolder.path();
  second.PlotTimeoutMs = 5000;
  // The stand-in plot program logs and draws in the folder it was started in,
  // a curtain of the folder's own colour.
  std::map<std::string, std::string> curtainDrawn;
  launcher.childRun = [&] {
    const std::string& dir = launcher.started.back().workDir;
    unsigned char shade = dir == firstFolder.path() ? 10 : 200;
    writeFile(startDirFile(dir, kPlotLogName), "OK. Starting: \n");
    ASSERT_TRUE(writeSolidJpeg(startDirFile(dir, kCurtainImageName), 80, 70, shade, 20, 30));
    ASSERT_TRUE(writeSolidJpeg(startDirFile(dir, kProfileImageName), 40, 70, shade, 30, 20));
    curtainDrawn[dir] = readFile(startDirFile(dir, kCurtainImageName));
  };
  const std::string firstFile = "/d/DATAID_SITE_20180315_R0.dat";
  const std::string appended = "/d/DATAID_SITE_20180316_R0.dat";
  const std::string secondFile = "/e/DATAID_OTHER_20190601_R0.dat";
  first.DataFilePath = firstFile;
  second.DataFilePath = secondFile;

  // The first record plots, appends and takes its time window.
  std::string secondBefore = describe(second);
  ASSERT_TRUE(runFirstPlot(first, firstFile, false, nullptr, nullptr));
  first.PlotsReady = true;  // as the plot window sets it once it shows the images
  EXPECT_EQ(launcher.lastTimeoutMs, 72000000);
  ASSERT_TRUE(appendPlotFile(first, appended).appended);
  computePlotTimeSpan(first);
  EXPECT_EQ(first.PlotFiles, (std::vector<std::string>{firstFile, appended}));
  EXPECT_EQ(first.PlotFileCount, 2);
  EXPECT_EQ(first.PlotStartStamp, "20180315000000");
  EXPECT_EQ(first.PlotEndStamp, "20180316235959");
  EXPECT_EQ(describe(second), secondBefore);
  EXPECT_FALSE(std::filesystem::exists(secondFolder.file("Data")));
  EXPECT_FALSE(std::filesystem::exists(secondFolder.file(kCurtainImageName)));

  // The second plots in its own folder, with its own wait.
  std::string firstBefore = describe(first);
  ASSERT_TRUE(runFirstPlot(second, secondFile, false, nullptr, nullptr));
  EXPECT_EQ(launcher.lastTimeoutMs, 5000);
  computePlotTimeSpan(second);
  EXPECT_EQ(second.PlotFiles, std::vector<std::string>{secondFile});
  EXPECT_EQ(second.PlotStartStamp, "20190601000000");
  EXPECT_EQ(second.PlotEndStamp, "20190601235959");
  EXPECT_FALSE(second.PlotsReady);
  EXPECT_EQ(describe(first), firstBefore);

  ASSERT_EQ(launcher.started.size(), 2u);
  EXPECT_EQ(launcher.started[0].workDir, firstFolder.path());
  EXPECT_EQ(launcher.started[1].workDir, secondFolder.path());
  EXPECT_EQ(readFile(plotListPath(first.StartDir)), firstFile + "\n" + appended + "\n");
  EXPECT_EQ(readFile(plotListPath(second.StartDir)), secondFile + "\n");
  EXPECT_NE(curtainDrawn[firstFolder.path()], curtainDrawn[secondFolder.path()]);
  EXPECT_EQ(readFile(firstFolder.file(kCurtainImageName)), curtainDrawn[firstFolder.path()]);
  EXPECT_EQ(readFile(secondFolder.file(kCurtainImageName)), curtainDrawn[secondFolder.path()]);
  EXPECT_TRUE(boxes.boxes.empty());
}

}  // namespace
