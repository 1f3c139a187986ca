// Robustness run of the verifier: damages copies of a valid GEOMS file (bytes
// flipped, runs of bytes overwritten, truncations) and checks each copy as
// Quessel does, counting the copies whose report is finished (ends with one
// marker line) and how their checks ended.
//
// usage: hdfverify_damage_run [copies [seed [time limit in ms]]]
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "file_damage.h"
#include "geoms_fixture.h"
#include "report_checks.h"
#include "hdfverify/verifier_driver.h"
#include "tests/support/platform_doubles.h"

using file_damage::damaged;
using file_damage::kKindCount;
using file_damage::kKinds;
using geoms_fixture::endsWith;
using geoms_fixture::markerLines;
using testing_support::readFile;

int main(int argc, char** argv) {
  int copies = argc > 1 ? std::atoi(argv[1]) : 400;
  unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 1;
  hdfverify::VerifierOptions options;
  options.timeLimitMs = argc > 3 ? std::atoll(argv[3]) : 20000;

  std::string work = (std::filesystem::temp_directory_path() / ("hdfverify-damage-" + std::to_string(getpid()))).string();
  std::filesystem::create_directories(work);
  std::filesystem::copy_file(std::string(PARVIX_SOURCE_DIR) + "/workspace/hdf/" + geoms_fixture::kTemplateName,
                             work + "/" + geoms_fixture::kTemplateName);
  std::string path = geoms_fixture::writeValidSample(work);
  if (path.empty()) {
    std::fprintf(stderr, "could not write the sample file\n");
    return 1;
  }
  const std::string bytes = readFile(path);
  const std::string name = std::filesystem::path(path).filename().string();
  std::filesystem::current_path(work);

  std::mt19937 random(seed);
  int finished = 0, passed = 0, crashed = 0, stopped = 0, endedEarly = 0;
  int finishedOfKind[kKindCount] = {}, ofKind[kKindCount] = {};
  for (int i = 0; i < copies; ++i) {
    int kind = i % kKindCount;
    ++ofKind[kind];
    {
      std::ofstream out(name, std::ios::binary | std::ios::trunc);
      out << damaged(bytes, kind, random);
    }
    std::filesystem::remove(name + "_.err");
    hdfverify::runVerifier({"Quessel", name, geoms_fixture::kTemplateName}, options);
    std::string report = readFile(name + "_.err");
    bool done = markerLines(report) == 1 && (endsWith(report, "\n^End.0\n") || endsWith(report, "\n^End.1\n"));
    if (done) {
      ++finished;
      ++finishedOfKind[kind];
    } else {
      std::printf("copy %d (%s): report not finished\n", i, kKinds[kind]);
    }
    passed += endsWith(report, "\n^End.0\n") ? 1 : 0;
    crashed += report.find("The check of the HDF file was ended by signal") != std::string::npos ? 1 : 0;
    stopped += report.find("The check of the HDF file did not finish within") != std::string::npos ? 1 : 0;
    endedEarly += report.find("The check of the HDF file ended with exit status") != std::string::npos ? 1 : 0;
  }
  std::printf("%d damaged copies (seed %u): %d finished reports", copies, seed, finished);
  for (int k = 0; k < kKindCount; ++k) std::printf(", %s %d/%d", kKinds[k], finishedOfKind[k], ofKind[k]);
  std::printf("\n  passed anyway %d; checks ended by a signal %d, stopped after %lld ms %d, ended early %d\n", passed,
              crashed, options.timeLimitMs, stopped, endedEarly);
  std::filesystem::current_path("/");
  std::filesystem::remove_all(work);
  return finished == copies ? 0 : 1;
}
