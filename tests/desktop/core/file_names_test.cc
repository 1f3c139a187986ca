#include <gtest/gtest.h>

#include "desktop/core/file_names.h"
#include "tests/desktop/core/desktop_fixture.h"

namespace {

const char kGeomsName[] = "groundbased_lidar.o3_inst_one_site_20180315T061500Z_20180316T071600Z_002.hdf";

TEST(DesktopFileNamePart, TakesTheTextAfterEitherSeparator) {
  EXPECT_EQ(fileNamePart("C:\\data\\a_b.dat"), "a_b.dat");
  EXPECT_EQ(fileNamePart("/home/u/x/a_b.dat"), "a_b.dat");
  EXPECT_EQ(fileNamePart("c:/mixed\\dir/name.dat"), "name.dat");
  EXPECT_EQ(fileNamePart("name.dat"), "name.dat");
  EXPECT_EQ(fileNamePart("dir/"), "");
}

TEST(DesktopClampedPiece, NeverReachesOutsideTheText) {
  EXPECT_EQ(clampedPiece("abcdef", 2, 3), "cde");
  EXPECT_EQ(clampedPiece("abcdef", 4, 10), "ef");
  EXPECT_EQ(clampedPiece("abcdef", 6, 2), "");
  EXPECT_EQ(clampedPiece("abcdef", 100, 2), "");
  EXPECT_EQ(clampedPiece("abcdef", -1, 2), "ab");
  EXPECT_EQ(clampedPiece("abcdef", 1, -3), "");
  EXPECT_EQ(clampedPiece("", 0, 8), "");
}

TEST(DesktopNthUnderscore, RestartsAtTheBeginningAfterAFailedSearch) {
  EXPECT_EQ(nthUnderscore("a_b_c", 1), 1);
  EXPECT_EQ(nthUnderscore("a_b_c", 2), 3);
  EXPECT_EQ(nthUnderscore("a_b_c", 3), -1);
  EXPECT_EQ(nthUnderscore("a_b_c", 4), 1);  // after the failure the search starts again
  EXPECT_EQ(nthUnderscore("abc", 2), -1);
}

TEST(DesktopFileDates, NetworkNames) {
  EXPECT_EQ(networkDateText("DATAID_SITE_20180315_R0.dat"), "20180315");
  EXPECT_EQ(networkDateText("O3_SITE_2018"), "2018");          // short name: what there is
  EXPECT_EQ(networkDateText("ONE_20180315R0.dat"), "ONE_2018");  // fewer than two '_': from the start
  EXPECT_EQ(networkDateText("plain.dat"), "plain.da");
  EXPECT_EQ(networkDateText(""), "");
  EXPECT_EQ(fileStartDateText("DATAID_SITE_20180315_R0.dat", false), "20180315");
  EXPECT_EQ(fileEndDateText("DATAID_SITE_20180315_R0.dat", false), "20180315");
}

TEST(DesktopFileDates, GeomsNamesReadTheStampFields) {
  EXPECT_EQ(geomsStartStamp(kGeomsName), "20180315061500");
  EXPECT_EQ(geomsStopStamp(kGeomsName), "20180316071600");
  EXPECT_EQ(fileStartDateText(kGeomsName, true), "20180315");
  EXPECT_EQ(fileEndDateText(kGeomsName, true), "20180316");
  // A name cut short yields shorter stamps, never an error.
  EXPECT_EQ(geomsStartStamp("groundbased_a_b_c_site_2018031"), "2018031");
  EXPECT_EQ(geomsStopStamp("groundbased_a_b_c_site_20180315T0615"), "groundbaed_a_b");
}

class DesktopTimeSpan : public DesktopTest {};

TEST_F(DesktopTimeSpan, SeedsTheListWithTheScannedFile) {
  state.DataFilePath = "/data/DATAID_SITE_20180315_R0.dat";
  computePlotTimeSpan(state);
  ASSERT_EQ(state.PlotFiles, std::vector<std::string>{"/data/DATAID_SITE_20180315_R0.dat"});
  EXPECT_EQ(state.PlotFileCount, 1);
  EXPECT_EQ(state.PlotStartStamp, "20180315000000");
  EXPECT_EQ(state.PlotEndStamp, "20180315235959");
  computePlotTimeSpan(state);  // seeded once only
  EXPECT_EQ(state.PlotFiles.size(), 1u);
}

TEST_F(DesktopTimeSpan, NetworkNamesFromFirstAndLastFile) {
  state.PlotFiles = {"C:\\d\\DATAID_SITE_20180315_R0.dat", "/d/DATAID_SITE_20180316_R0.dat",
               "/d/DATAID_SITE_20180317_R1_test.dat"};
  state.PlotFileCount = 3;
  computePlotTimeSpan(state);
  EXPECT_EQ(state.PlotStartStamp, "20180315000000");
  EXPECT_EQ(state.PlotEndStamp, "20180317235959");
  state.PlotFileCount = 2;  // entry number PlotFileCount is the last one used
  computePlotTimeSpan(state);
  EXPECT_EQ(state.PlotEndStamp, "20180316235959");
}

TEST_F(DesktopTimeSpan, GeomsNames) {
  state.DataFileIsHdf = true;
  state.DataFilePath = std::string("/d/") + kGeomsName;
  computePlotTimeSpan(state);
  EXPECT_EQ(state.PlotStartStamp, "20180315061500");
  EXPECT_EQ(state.PlotEndStamp, "20180316071600");
}

TEST_F(DesktopTimeSpan, ACountBeyondTheListUsesItsLastEntry) {
  state.PlotFiles = {"/d/DATAID_SITE_20180315_R0.dat", "/d/DATAID_SITE_20180316_R0.dat"};
  state.PlotFileCount = 5;
  computePlotTimeSpan(state);
  EXPECT_EQ(state.PlotEndStamp, "20180316235959");
  state.PlotFiles.clear();
  state.DataFilePath = "/d/DATAID_SITE_20180317_R0.dat";
  computePlotTimeSpan(state);  // an empty list is seeded whatever the count says
  EXPECT_EQ(state.PlotFiles.size(), 1u);
  EXPECT_EQ(state.PlotFileCount, 1);
  EXPECT_EQ(state.PlotStartStamp, "20180317000000");
}

// After a passed scan of a GEOMS file the plot window still shows PROFILE
// files: their names give the stamps.
TEST_F(DesktopTimeSpan, TheListedFilesNotALaterScanChooseTheDateRule) {
  state.DataFileIsHdf = true;
  state.DataFilePath = std::string("/d/") + kGeomsName;
  state.PlotFiles = {"/d/DATAID_SITE_20180315_R0.dat", "/d/DATAID_SITE_20180316_R0.dat"};
  state.PlotFileCount = 2;
  EXPECT_FALSE(plotFilesAreHdf(state));
  computePlotTimeSpan(state);
  EXPECT_EQ(state.PlotStartStamp, "20180315000000");
  EXPECT_EQ(state.PlotEndStamp, "20180316235959");
  // And the other way round.
  state.DataFileIsHdf = false;
  state.DataFilePath = "/d/DATAID_SITE_20180315_R0.dat";
  state.PlotFiles = {std::string("/d/") + kGeomsName};
  state.PlotFileCount = 1;
  EXPECT_TRUE(plotFilesAreHdf(state));
  computePlotTimeSpan(state);
  EXPECT_EQ(state.PlotStartStamp, "20180315061500");
  // The file of the last passed scan is judged by that scan; an empty list by
  // the file it will be seeded with.
  state.PlotFiles = {state.DataFilePath};
  state.DataFileIsHdf = true;
  EXPECT_TRUE(plotFilesAreHdf(state));
  state.PlotFiles.clear();
  EXPECT_TRUE(plotFilesAreHdf(state));
}

TEST_F(DesktopTimeSpan, MalformedNamesGiveShortStamps) {
  state.DataFilePath = "x.dat";
  computePlotTimeSpan(state);
  EXPECT_EQ(state.PlotStartStamp, "x.dat000000");
  EXPECT_EQ(state.PlotEndStamp, "x.dat235959");
  resetState();
  state.DataFileIsHdf = true;
  state.DataFilePath = "";
  computePlotTimeSpan(state);
  EXPECT_EQ(state.PlotStartStamp, "");
  EXPECT_EQ(state.PlotEndStamp, "");
}

}  // namespace
