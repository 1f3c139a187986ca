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
#include <sstream>
#include <string>
#include <vector>

#include "geoms_fixture.h"
#include "report_checks.h"
#include "hdfverify/verifier_driver.h"

namespace {

using geoms_fixture::endsWith;
using geoms_fixture::markerLines;

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

const char* const kKinds[] = {"bytes flipped", "run overwritten", "truncated"};

std::string damaged(const std::string& bytes, int kind, std::mt19937& random) {
  std::string copy = bytes;
  auto offset = [&](size_t size) { return std::uniform_int_distribution<size_t>(0, size - 1)(random); };
  if (kind == 0) {
    int flips = std::uniform_int_distribution<int>(1, 16)(random);
    for (int i = 0; i < flips; ++i) copy[offset(copy.size())] ^= static_cast<char>(1 << (random() % 8));
  } else if (kind == 1) {
    size_t at = offset(copy.size());
    size_t length = std::min(copy.size() - at, std::uniform_int_distribution<size_t>(1, 512)(random));
    int fill = static_cast<int>(random() % 3);  // zeros, 0xFF or random bytes
    for (size_t i = 0; i < length; ++i)
      copy[at + i] = static_cast<char>(fill == 0 ? 0 : fill == 1 ? 0xFF : random() % 256);
  } else {
    copy.resize(offset(copy.size()));
  }
  return copy;
}

}  // namespace

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
  const std::string bytes = readAll(path);
  const std::string name = std::filesystem::path(path).filename().string();
  std::filesystem::current_path(work);

  std::mt19937 random(seed);
  int finished = 0, passed = 0, crashed = 0, stopped = 0, endedEarly = 0;
  int finishedOfKind[3] = {0, 0, 0}, ofKind[3] = {0, 0, 0};
  for (int i = 0; i < copies; ++i) {
    int kind = i % 3;
    ++ofKind[kind];
    {
      std::ofstream out(name, std::ios::binary | std::ios::trunc);
      out << damaged(bytes, kind, random);
    }
    std::filesystem::remove(name + "_.err");
    hdfverify::runVerifier({"Quessel", name, geoms_fixture::kTemplateName}, options);
    std::string report = readAll(name + "_.err");
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
  for (int k = 0; k < 3; ++k) std::printf(", %s %d/%d", kKinds[k], finishedOfKind[k], ofKind[k]);
  std::printf("\n  passed anyway %d; checks ended by a signal %d, stopped after %lld ms %d, ended early %d\n", passed,
              crashed, options.timeLimitMs, stopped, endedEarly);
  std::filesystem::current_path("/");
  std::filesystem::remove_all(work);
  return finished == copies ? 0 : 1;
}
