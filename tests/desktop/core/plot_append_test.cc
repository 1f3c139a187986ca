#include <gtest/gtest.h>

#include <filesystem>

#include "desktop/core/file_names.h"
#include "desktop/core/plot_append.h"
#include "desktop/core/plot_files.h"
#include "platform/support_address.h"
#include "tests/desktop/core/desktop_fixture.h"

using platform::kSupportAddress;

namespace {

using testing_support::readFile;

class DesktopAppend : public DesktopTest {
 protected:
  DesktopAppend() {
    std::filesystem::create_directory(start.file("Data"));
    state.DataFilePath = "/d/DATAID_SITE_20180317_R0.dat";
    state.DataFileName = "DATAID_SITE_20180317_R0.dat";
    writeFirstPlotList(state, state.DataFilePath);
  }
  std::string list() const { return readFile(plotListPath(state.StartDir)); }
};

TEST_F(DesktopAppend, AcceptsTheSameOrALaterDateAndWritesTheListFirst) {
  AppendOutcome outcome = appendPlotFile(state, "/d/DATAID_SITE_20180317_R1.dat");
  EXPECT_TRUE(outcome.appended);
  EXPECT_EQ(outcome.newDateText, "20180317");
  EXPECT_EQ(state.PlotFiles,
            (std::vector<std::string>{"/d/DATAID_SITE_20180317_R0.dat", "/d/DATAID_SITE_20180317_R1.dat"}));
  EXPECT_EQ(state.PlotFileCount, 2);
  EXPECT_EQ(list(), "/d/DATAID_SITE_20180317_R0.dat\n/d/DATAID_SITE_20180317_R1.dat\n");
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(DesktopAppend, RefusesAnEarlierDate) {
  AppendOutcome outcome = appendPlotFile(state, "/d/DATAID_SITE_20180316_R0.dat");
  EXPECT_FALSE(outcome.appended);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text,
            "Could not load this additional file = DATAID_SITE_20180316_R0.dat\n\nThis File's Date (20180316) can NOT "
            "be LESS_THAN previous File's Date (20180317); i.e., the last appended file.");
  EXPECT_EQ(boxes.boxes[0].caption, "Error Adding Data File ...");
  EXPECT_EQ(state.PlotFiles.size(), 1u);  // seeded, nothing added
  EXPECT_EQ(list(), "/d/DATAID_SITE_20180317_R0.dat\n");
}

TEST_F(DesktopAppend, RefusesTheLastFileAgainInAnyCaseButNotAnEarlierOne) {
  EXPECT_FALSE(appendPlotFile(state, "/D/dataid_site_20180317_r0.DAT").appended);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "This file = dataid_site_20180317_r0.DAT\nis already loaded (included).");
  EXPECT_EQ(boxes.boxes[0].caption, "Error Adding Data File ...");

  EXPECT_TRUE(appendPlotFile(state, "/d/DATAID_SITE_20180318_R0.dat").appended);
  boxes.boxes.clear();
  // The first file again is judged by its date against the last one: refused by date.
  EXPECT_FALSE(appendPlotFile(state, "/d/DATAID_SITE_20180317_R0.dat").appended);
  EXPECT_NE(boxes.boxes.at(0).text.find("(20180317)"), std::string::npos);
}

TEST_F(DesktopAppend, AnEarlierEntryMayBeAddedAgain) {
  ASSERT_TRUE(appendPlotFile(state, "/d/DATAID_SITE_20180317_R1.dat").appended);
  EXPECT_TRUE(appendPlotFile(state, "/d/DATAID_SITE_20180317_R0.dat").appended);
  EXPECT_EQ(state.PlotFileCount, 3);
}

TEST_F(DesktopAppend, JudgesAgainstTheLastAppendedFile) {
  ASSERT_TRUE(appendPlotFile(state, "/d/DATAID_SITE_20180320_R0.dat").appended);
  ASSERT_TRUE(appendPlotFile(state, "/d/DATAID_SITE_20180322_R0.dat").appended);
  EXPECT_FALSE(appendPlotFile(state, "/d/DATAID_SITE_20180321_R0.dat").appended);
  EXPECT_NE(boxes.boxes.at(0).text.find("(20180321) can NOT be LESS_THAN previous File's Date (20180322)"),
            std::string::npos);
}

TEST_F(DesktopAppend, TextWithoutLeadingDigitsCountsAsDateZero) {
  EXPECT_FALSE(appendPlotFile(state, "/d/noDate.dat").appended);
  EXPECT_NE(boxes.boxes.at(0).text.find("This File's Date (0)"), std::string::npos);
  resetState();
  state.DataFilePath = "/d/other.dat";
  writeFirstPlotList(state, state.DataFilePath);
  boxes.boxes.clear();
  EXPECT_TRUE(appendPlotFile(state, "/d/third.dat").appended);  // 0 is not less than 0
}

TEST_F(DesktopAppend, RefusesAPathWithALineBreak) {
  EXPECT_FALSE(appendPlotFile(state, "/d/DATAID_SITE_20180318_R0.dat\n/etc/passwd").appended);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].caption, "Error Adding Data File ...");
  EXPECT_EQ(list(), "/d/DATAID_SITE_20180317_R0.dat\n");
}

TEST_F(DesktopAppend, UnwritableListLeavesThePlotFilesAlone) {
  computePlotTimeSpan(state);
  std::filesystem::remove_all(start.file("Data"));
  EXPECT_FALSE(appendPlotFile(state, "/d/DATAID_SITE_20180318_R0.dat").appended);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Could not add another data file to the Data Folder = " + start.path() +
                                     "/Data/ \n\nIf this error persists, please report it to " + kSupportAddress +
                                     ". Thank you.");
  EXPECT_EQ(state.PlotFiles.size(), 1u);
  EXPECT_EQ(state.PlotFileCount, 1);
}

TEST_F(DesktopAppend, TheListedFilesNotALaterScanChooseTheDateRule) {
  ASSERT_TRUE(ensureDataFolder(state.StartDir));
  state.PlotFiles = {"/d/DATAID_SITE_20180315_R0.dat"};
  state.PlotFileCount = 1;
  // A GEOMS file passed its scan since: the list still holds network names.
  state.DataFileIsHdf = true;
  state.DataFilePath = "/d/groundbased_lidar.o3_inst_one_site_20180320T061500Z_20180321T071600Z_002.hdf";
  AppendOutcome outcome = appendPlotFile(state, "/d/DATAID_SITE_20180316_R0.dat");
  EXPECT_TRUE(outcome.appended);
  EXPECT_EQ(outcome.newDateText, "20180316");
  EXPECT_FALSE(appendPlotFile(state, "/d/DATAID_SITE_20180314_R0.dat").appended);
  EXPECT_NE(boxes.boxes.at(0).text.find("(20180314) can NOT be LESS_THAN previous File's Date (20180316)"),
            std::string::npos);
}

TEST_F(DesktopAppend, GeomsNamesCompareStartWithTheLastStop) {
  state.DataFileIsHdf = true;
  resetState();
  state.DataFileIsHdf = true;
  state.DataFilePath = "/d/groundbased_lidar.o3_inst_one_site_20180315T061500Z_20180317T071600Z_002.hdf";
  writeFirstPlotList(state, state.DataFilePath);
  EXPECT_FALSE(
      appendPlotFile(state, "/d/groundbased_lidar.o3_inst_one_site_20180316T000000Z_20180318T000000Z_002.hdf").appended);
  EXPECT_NE(boxes.boxes.at(0).text.find("(20180316) can NOT be LESS_THAN previous File's Date (20180317)"),
            std::string::npos);
  AppendOutcome ok =
      appendPlotFile(state, "/d/groundbased_lidar.o3_inst_one_site_20180317T080000Z_20180318T000000Z_002.hdf");
  EXPECT_TRUE(ok.appended);
  EXPECT_EQ(ok.newDateText, "20180317");
}

}  // namespace
