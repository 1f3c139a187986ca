// Helpers of the verifier's tests: writing fixture files into a temporary
// folder, running the steps on them and running the whole verifier.
#pragma once

#include <string>
#include <vector>

#include "geoms_fixture.h"
#include "hdfverify/geoms_checker.h"
#include "hdfverify/verifier_driver.h"
#include "tests/support/platform_doubles.h"

namespace verifier_testing {

inline std::string defaultTemplatePath() {
  return std::string(PARVIX_SOURCE_DIR) + "/workspace/hdf/GEOMS-TE-LIDAR-O3-005.csv";
}

// Copies the default template (or the given text) into dir under its name.
inline void putTemplate(const testing_support::TempDir& dir, const std::string& text = "") {
  testing_support::writeFile(dir.file(geoms_fixture::kTemplateName),
                             text.empty() ? testing_support::readFile(defaultTemplatePath()) : text);
}

// Writes the file into dir under its GEOMS name (or the name given); returns the name.
inline std::string writeInto(const testing_support::TempDir& dir, const geoms_fixture::GeomsFile& file,
                             const std::string& name = "") {
  std::string fileName = name.empty() ? geoms_fixture::geomsFileName(file) : name;
  std::string error;
  if (!geoms_fixture::writeGeomsFile(file, dir.file(fileName), &error)) return "write failed: " + error;
  return fileName;
}

// What running the steps in order gave: the first failing step (0 when all
// passed) and the step buffer it left.
struct StepOutcome {
  int failedStep = 0;
  std::string buffer;
};

// Runs Verify_1 to Verify_lastStep in dir (the folder holding both files) and
// closes the file again.
inline StepOutcome runSteps(const testing_support::TempDir& dir, const std::string& hdfName,
                            const std::string& templateName = geoms_fixture::kTemplateName, int lastStep = 6,
                            hdfverify::GeomsChecker* useChecker = nullptr) {
  testing_support::CurrentDirScope here(dir.path());
  hdfverify::GeomsChecker own;
  hdfverify::GeomsChecker& checker = useChecker != nullptr ? *useChecker : own;
  StepOutcome outcome;
  bool passed = checker.Verify_1(hdfName, templateName, &outcome.buffer);
  if (!passed) outcome.failedStep = 1;
  auto runStep = [&](int step) {
    switch (step) {
      case 2: return checker.Verify_2(&outcome.buffer);
      case 3: return checker.Verify_3(&outcome.buffer);
      case 4: return checker.Verify_4(&outcome.buffer);
      case 5: return checker.Verify_5(&outcome.buffer);
      default: return checker.Verify_6(&outcome.buffer);
    }
  };
  for (int step = 2; passed && step <= lastStep; ++step) {
    if (!runStep(step)) {
      outcome.failedStep = step;
      passed = false;
    }
  }
  checker.closeHdfFile();
  return outcome;
}

// Runs the whole verifier in dir with the given arguments after the program
// name; returns the report's text ("" when none was written).
inline std::string runVerifierIn(const testing_support::TempDir& dir, const std::vector<std::string>& arguments) {
  testing_support::CurrentDirScope here(dir.path());
  std::vector<std::string> args = {"Quessel"};
  args.insert(args.end(), arguments.begin(), arguments.end());
  hdfverify::runVerifier(args);
  if (arguments.size() != 2) return testing_support::readFile(hdfverify::kUsageReportName);
  return testing_support::readFile(hdfverify::reportPathFor(arguments[0]));
}

}  // namespace verifier_testing
