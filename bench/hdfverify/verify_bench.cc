// Benchmark of the verifier: writes a large valid GEOMS lidar ozone file and
// times Quessel on it against a baseline program that only reads every
// dataset whole, in the same run. Prints both times, their ratio and the
// peak resident memory of each.
//
// usage: hdfverify_bench [profiles altitudes [repetitions]]
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "geoms_fixture.h"

extern char** environ;

namespace {

struct RunResult {
  bool ok = false;
  double seconds = 0;
  long peakKiB = 0;
};

RunResult runProgram(const std::vector<std::string>& argv, const std::string& workDir) {
  RunResult result;
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  std::string previous = std::filesystem::current_path().string();
  std::filesystem::current_path(workDir);
  auto begin = std::chrono::steady_clock::now();
  pid_t pid = 0;
  int spawned = posix_spawn(&pid, args[0], nullptr, nullptr, args.data(), environ);
  std::filesystem::current_path(previous);
  if (spawned != 0) return result;
  int status = 0;
  struct rusage usage {};
  if (wait4(pid, &status, 0, &usage) != pid) return result;
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  result.peakKiB = usage.ru_maxrss;
  result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  int profiles = argc > 2 ? std::atoi(argv[1]) : 5000;
  int altitudes = argc > 2 ? std::atoi(argv[2]) : 1000;
  int repetitions = argc > 3 ? std::atoi(argv[3]) : 3;
  const std::string binDir = PARVIX_BIN_DIR;
  const std::string quessel = binDir + "/Quessel";
  const std::string baseline = HDFVERIFY_BASELINE_READER;

  std::string work = (std::filesystem::temp_directory_path() / ("hdfverify-bench-" + std::to_string(getpid()))).string();
  std::filesystem::create_directories(work);
  std::filesystem::copy_file(std::string(PARVIX_SOURCE_DIR) + "/workspace/hdf/" + geoms_fixture::kTemplateName,
                             work + "/" + geoms_fixture::kTemplateName);
  std::printf("writing %d profiles x %d altitudes ...\n", profiles, altitudes);
  std::fflush(stdout);
  std::string path = geoms_fixture::writeValidSample(work, profiles, altitudes);
  if (path.empty()) {
    std::fprintf(stderr, "could not write the benchmark file\n");
    return 1;
  }
  std::string name = std::filesystem::path(path).filename().string();
  std::printf("file: %s (%.1f MB)\n", name.c_str(),
              static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0));

  // One untimed read so that both programs find the file in the page cache.
  runProgram({baseline, path}, work);
  RunResult bestBaseline, bestQuessel;
  bestBaseline.seconds = bestQuessel.seconds = 1e30;
  for (int i = 0; i < repetitions; ++i) {
    RunResult b = runProgram({baseline, path}, work);
    RunResult q = runProgram({quessel, name, geoms_fixture::kTemplateName}, work);
    if (!b.ok || !q.ok) {
      std::fprintf(stderr, "a run failed (baseline ok=%d, Quessel ok=%d)\n", b.ok, q.ok);
      return 1;
    }
    if (b.seconds < bestBaseline.seconds) bestBaseline = b;
    if (q.seconds < bestQuessel.seconds) bestQuessel = q;
  }
  std::ifstream report(path + "_.err");
  std::string text((std::istreambuf_iterator<char>(report)), std::istreambuf_iterator<char>());
  bool passed = text.size() >= 7 && text.compare(text.size() - 7, 7, "^End.0\n") == 0;

  std::printf("baseline (SDreaddata of every dataset): %.3f s, peak RSS %ld KiB\n", bestBaseline.seconds,
              bestBaseline.peakKiB);
  std::printf("Quessel (all six steps):                %.3f s, peak RSS %ld KiB\n", bestQuessel.seconds,
              bestQuessel.peakKiB);
  std::printf("ratio Quessel / baseline: %.2f (goal: at most 1.50), best of %d runs each\n",
              bestQuessel.seconds / bestBaseline.seconds, repetitions);
  std::printf("verdict of the report: %s\n", passed ? "passed (^End.0)" : "NOT passed");
  if (!passed) std::printf("end of the report:\n%s\n", text.substr(text.size() > 2000 ? text.size() - 2000 : 0).c_str());
  std::filesystem::remove_all(work);
  return passed ? 0 : 1;
}
