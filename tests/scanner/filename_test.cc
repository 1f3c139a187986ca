#include <gtest/gtest.h>

#include <vector>

#include "scanner/filename_check.h"
#include "scanner/scan_session.h"
#include "tests/scanner/recording_sink.h"
#include "tests/scanner/session_support.h"

namespace {

struct NameCase {
  std::string name;
  std::vector<int> codes;  // recorded, in order
  bool lidar = false;
  bool surface = false;
  bool dat = false;
};

std::vector<int> recordedCodes(const ScanSession& scan) {
  std::vector<int> codes;
  for (int i = 0; i < scan.errors.ErrorCount; ++i) codes.push_back(scan.errors.ErrorSlots[i].code);
  return codes;
}

// Checks a name on 12 April 2018 in a fresh session.
bool check(ScanSession& scan, const std::string& name) {
  scan = scanner_test::sessionOn(2018, 4, 12);
  scanner_test::RecordingSink report;
  return checkFilename(scan, report, name);
}

TEST(FileName, Cases) {
  const std::vector<NameCase> cases = {
      {"Parvix-O3Lidar_QOR_20180412_R1.dat", {}, true, false, true},
      {"PARVIX-O3SURFACE-X_HALK_20180412_R12_test_run.dat", {}, false, true, true},
      {"parvix-o3surfacex_qiru_20180101_R0.txt", {}, false, true, false},
      {"Parvix-O3Lidar_QOR_20180413_R1.dat", {4}, true, false, true},   // tomorrow
      {"Parvix-O3Lidar_QOR_20180501_R1.dat", {4}, true, false, true},   // next month
      {"Parvix-O3Lidar_QOR_20190101_R1.dat", {4}, true, false, true},   // next year
      {"Parvix-O3Lidar_QOR_20170230_R1.dat", {4}, true, false, true},
      {"Parvix-O3Lidar_QOR_20150229_R1.dat", {4}, true, false, true},   // no leap year
      {"Parvix-O3Lidar_QOR_20171301_R1.dat", {4}, true, false, true},
      {"Parvix-O3Lidar_QOR_20170431_R1.dat", {4}, true, false, true},
      {"Parvix-O3Lidar_QOR_20170100_R1.dat", {4}, true, false, true},   // day 00
      {"Parvix-O3Lidar_QOR_2017011_R1.dat", {4}, true, false, true},    // 7 digits
      {"Parvix-O3Lidar_QOR_20160229_R1.dat", {}, true, false, true},
      {"Parvix-O3Lidar_QOR_20000229_R1.dat", {}, true, false, true},
      {"Parvix-O3Lidar_QOR_20170131_R1.dat", {}, true, false, true},
      {"Parvix-O3Lidar_QOR_20180412_R123.dat", {3}, true, false, true},
      {"Parvix-O3Lidar_QOR_20180412_Rx.dat", {3}, true, false, true},
      {"Parvix-O3Lidar_QOR_20180412_R1", {3, 2}, true, false, false},
      {"Parvix-O3Lidar_QOR_20180412_R1.Dat", {}, true, false, true},
      {"Parvix-O3Lidar_QOR_20180412_R1.tar.gz", {2}, true, false, false},
      {"Parvix-O3Lidar_QOR_20180412_R1.x-y", {2}, true, false, false},
      {"Parvix-O3Lidar_QOR_20180412_R1.xyz", {2}, true, false, false},
      {"Parvix-O3Lidar_QOR_20180412_R1.hdf", {}, true, false, false},
      {"Parvix-O3Lidar_XYZ_20180412_R1.dat", {6}, true, false, true},
      {"Parvix-O3Lida_QOR_20180412_R1.dat", {5}, false, false, true},
      {"x.dat", {5, 6, 4, 3}, false, false, true},
      {"_____", {5, 6, 4, 3, 2}, false, false, false},
  };
  ScanSession scan;
  for (const NameCase& c : cases) {
    bool verified = check(scan, c.name);
    EXPECT_EQ(verified, c.codes.empty()) << c.name;
    EXPECT_EQ(recordedCodes(scan), c.codes) << c.name;
    EXPECT_EQ(scan.name.IsLidarFile, c.lidar) << c.name;
    EXPECT_EQ(scan.name.IsSurfaceFile, c.surface) << c.name;
    EXPECT_EQ(scan.name.IsDatFile, c.dat) << c.name;
    for (int i = 0; i < scan.errors.ErrorCount; ++i) EXPECT_EQ(scan.errors.ErrorSlots[i].line, -1);
  }
}

TEST(FileName, PartsAreStoredUpperCased) {
  ScanSession scan;
  ASSERT_TRUE(check(scan, "PARVIX-O3SURFACE-X_HALK_20180412_R12_test_run.dat"));
  EXPECT_EQ(scan.name.ParsedFileName.dataID, "PARVIX-O3SURFACE-X");
  EXPECT_EQ(scan.name.ParsedFileName.siteID, "HALK");
  EXPECT_EQ(scan.name.ParsedFileName.year, 2018);
  EXPECT_EQ(scan.name.ParsedFileName.month, 4);
  EXPECT_EQ(scan.name.ParsedFileName.day, 12);
  EXPECT_EQ(scan.name.ParsedFileName.revision, 12);
  EXPECT_EQ(scan.name.ParsedFileName.comments, "TEST_RUN");
  EXPECT_EQ(scan.name.ParsedFileName.extension, "DAT");

  ASSERT_TRUE(check(scan, "Parvix-O3Lidar_QOR_20180412_R1.dat"));
  EXPECT_EQ(scan.name.ParsedFileName.comments, "");
  EXPECT_EQ(scan.name.ParsedFileName.revision, 1);

  EXPECT_FALSE(check(scan, "Parvix-O3Lidar_QOR_20180230_Rx.dat"));
  EXPECT_EQ(scan.name.ParsedFileName.year, 0);
  EXPECT_EQ(scan.name.ParsedFileName.month, 0);
  EXPECT_EQ(scan.name.ParsedFileName.day, -1);
  EXPECT_EQ(scan.name.ParsedFileName.revision, -1);
}

TEST(FileName, ValidateDateOrderOfTests) {
  ScanSession scan = scanner_test::sessionOn(2018, 4, 12);
  struct Case {
    int y, m, d, result;
  };
  for (const Case& c : std::initializer_list<Case>{{2019, 13, 40, -1}, {2018, 5, 1, -2}, {2018, 4, 13, -3},
                                                    {2017, 13, 1, 0},  {2017, 0, 1, 0},  {2017, 1, 32, -4},
                                                    {2017, 6, 31, -5}, {2017, 2, 29, -6}, {2016, 2, 29, 1},
                                                    {2018, 4, 12, 1},  {1900, 2, 29, -6}, {2000, 2, 29, 1}}) {
    EXPECT_EQ(validateDate(scan, c.y, c.m, c.d), c.result) << c.y << "-" << c.m << "-" << c.d;
  }
  EXPECT_EQ(checkFebruaryDay(2016, 0), -1);
  EXPECT_EQ(checkFebruaryDay(2100, 29), -1);
}

}  // namespace
