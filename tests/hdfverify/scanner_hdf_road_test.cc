// The scanner's HDF road with the real verifier: a generated sample passes,
// a failing mutation fails with the red banner.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>

#include "scanner/scanner.h"
#include "verifier_test_support.h"

namespace {

using testing_support::readFile;
using testing_support::TempDir;

// Puts the folder of the built programs at the front of PATH while it lives.
class ProgramsOnPath {
 public:
  ProgramsOnPath() {
    const char* old = getenv("PATH");
    had_ = old != nullptr;
    if (had_) old_ = old;
    std::string path = std::string(PARVIX_BIN_DIR) + (had_ ? ":" + old_ : std::string());
    setenv("PATH", path.c_str(), 1);
  }
  ~ProgramsOnPath() {
    if (had_) setenv("PATH", old_.c_str(), 1);
    else unsetenv("PATH");
  }

 private:
  bool had_ = false;
  std::string old_;
};

class VerifierScannerRoad : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(start_.file("hdf"));
    testing_support::writeFile(start_.file("hdf/GEOMS-TE-LIDAR-O3-005.csv"),
                               readFile(verifier_testing::defaultTemplatePath()));
    settings_.StartDir = start_.path();
  }
  // Scans the file with the verifier started in the start folder's hdf folder.
  int scan(const std::string& path) { return scanFile(path.c_str(), false, settings_, &outputs_); }

  ScanSettings settings_;
  ScanOutputs outputs_;

  TempDir start_;
  TempDir data_;
  testing_support::CurrentDirScope keepCurrentDir_{std::filesystem::current_path().string()};
  testing_support::RecordingBoxes boxes_;
  ProgramsOnPath path_;
};

TEST_F(VerifierScannerRoad, GeneratedSamplePasses) {
  std::string path = geoms_fixture::writeValidSample(data_.path());
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(scan(path), 0);
  EXPECT_TRUE(outputs_.IsHdfFile);
  EXPECT_TRUE(boxes_.boxes.empty());
  std::string report = readFile(path + "__ScanMsgs.htm");
  EXPECT_NE(report.find("Starting Scanning.... Verify_1 ...."), std::string::npos);
  for (int step = 1; step <= 6; ++step) {
    EXPECT_NE(report.find("<h2>.... Verify_" + std::to_string(step) + " .... Done!</h2>"), std::string::npos) << step;
  }
  EXPECT_NE(report.find("<h1>Success -- File passed format check!</h1>"), std::string::npos);
  EXPECT_EQ(report.find("Scanning Failed"), std::string::npos);
  EXPECT_EQ(report.find("^End"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(path + "_.err"));
}

TEST_F(VerifierScannerRoad, FailingMutationFailsWithTheRedBanner) {
  geoms_fixture::GeomsFile file = geoms_fixture::validLidarFile();
  file.dataset("ALTITUDE")->setText("VAR_UNITS", "km");
  file.dataset("ALTITUDE")->setText("VAR_SI_CONVERSION", "0.0;1.0E3;m");
  std::string path = data_.file(geoms_fixture::geomsFileName(file));
  ASSERT_TRUE(geoms_fixture::writeGeomsFile(file, path));
  EXPECT_EQ(scan(path), 1);
  std::string report = readFile(path + "__ScanMsgs.htm");
  EXPECT_NE(report.find("<div style='background-color:#FFFFCC' align='center'><strong "
                        "style='color:#FF0000;font-size:24px'>*** Scanning Failed. See Error Messages Below "
                        "***</strong></div>\n"),
            std::string::npos);
  EXPECT_NE(report.find("<font color='#FF0000'>    Wrong units</font><br>"), std::string::npos);
  EXPECT_NE(report.find("<h1>Failed file format check.</h1>"), std::string::npos);
  EXPECT_EQ(report.find("^End"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(path + "_.err"));
}

TEST_F(VerifierScannerRoad, FileThatCrashesTheLibraryFailsWithTheReason) {
  geoms_fixture::GeomsFile file = geoms_fixture::validLidarFile();
  geoms_fixture::Dataset extra = *file.dataset("ALTITUDE");
  extra.name = std::string(256, 'N');  // crashes the HDF4 library's SDstart
  file.datasets.push_back(extra);
  std::string path = data_.file(geoms_fixture::geomsFileName(file));
  ASSERT_TRUE(geoms_fixture::writeGeomsFile(file, path));
  EXPECT_EQ(scan(path), 1);
  std::string report = readFile(path + "__ScanMsgs.htm");
  EXPECT_NE(report.find("*** Scanning Failed. See Error Messages Below ***"), std::string::npos);
  EXPECT_NE(report.find("ERROR: The check of the HDF file "), std::string::npos) << report;
  EXPECT_NE(report.find("the file was not checked to its end.</strong><br>"), std::string::npos) << report;
  EXPECT_NE(report.find("<h1>Failed file format check.</h1>"), std::string::npos);
  EXPECT_EQ(report.find("left no verdict"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(path + "_.err"));
}

}  // namespace
