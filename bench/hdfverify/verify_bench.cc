// Benchmark of the verifier: writes large valid GEOMS lidar ozone files and
// times Quessel on each against a baseline program that only opens the file
// and reads every dataset whole, in the same run. The runs alternate between
// the baseline and Quessel, each in a process of its own, with the file in the
// page cache; the times shown are the medians. Prints both times, their ratio
// and the peak resident memory of each.
//
// usage: hdfverify_bench [profiles altitudes [runs]]
// Without a shape it measures 3000 x 1000 (about 120 MB) and 5000 x 1000.
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

constexpr double kGoal = 1.3;  // Quessel's time at most this many baselines

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

// Writes the valid sample in a child process and returns its path ("" on
// failure). A spawned program's peak resident size starts from that of the
// program that spawned it, so the benchmark itself stays small.
std::string writeSampleInChild(const std::string& work, int profiles, int altitudes) {
  int fds[2];
  if (pipe(fds) != 0) return std::string();
  pid_t pid = fork();
  if (pid < 0) return std::string();
  if (pid == 0) {
    close(fds[0]);
    const std::string path = geoms_fixture::writeValidSample(work, profiles, altitudes);
    const bool sent = write(fds[1], path.data(), path.size()) == static_cast<ssize_t>(path.size());
    _exit(sent && !path.empty() ? 0 : 1);
  }
  close(fds[1]);
  std::string path;
  char area[4096];
  for (ssize_t got; (got = read(fds[0], area, sizeof area)) > 0;) path.append(area, static_cast<size_t>(got));
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? path : std::string();
}

// The run of median time (the upper one of an even count).
RunResult median(std::vector<RunResult> runs) {
  std::sort(runs.begin(), runs.end(), [](const RunResult& a, const RunResult& b) { return a.seconds < b.seconds; });
  return runs[runs.size() / 2];
}

// Writes the file of one shape, times both programs on it and prints the
// comparison; false when a run failed or the report did not pass the file.
bool measureShape(const std::string& work, int profiles, int altitudes, int runs) {
  const std::string quessel = std::string(PARVIX_BIN_DIR) + "/Quessel";
  const std::string baseline = HDFVERIFY_BASELINE_READER;
  std::printf("== %d profiles x %d altitudes\n", profiles, altitudes);
  std::fflush(stdout);
  std::string path = writeSampleInChild(work, profiles, altitudes);
  if (path.empty()) {
    std::fprintf(stderr, "could not write the benchmark file\n");
    return false;
  }
  std::string name = std::filesystem::path(path).filename().string();
  std::printf("file: %s (%.1f MB)\n", name.c_str(), static_cast<double>(std::filesystem::file_size(path)) / 1e6);

  // One untimed read so that both programs find the file in the page cache.
  runProgram({baseline, path}, work);
  std::vector<RunResult> baselineRuns, quesselRuns;
  for (int i = 0; i < runs; ++i) {
    baselineRuns.push_back(runProgram({baseline, path}, work));
    quesselRuns.push_back(runProgram({quessel, name, geoms_fixture::kTemplateName}, work));
    if (!baselineRuns.back().ok || !quesselRuns.back().ok) {
      std::fprintf(stderr, "a run failed (baseline ok=%d, Quessel ok=%d)\n", baselineRuns.back().ok,
                   quesselRuns.back().ok);
      return false;
    }
  }
  std::ifstream report(path + "_.err");
  std::string text((std::istreambuf_iterator<char>(report)), std::istreambuf_iterator<char>());
  bool passed = text.size() >= 7 && text.compare(text.size() - 7, 7, "^End.0\n") == 0;
  const RunResult b = median(baselineRuns);
  const RunResult q = median(quesselRuns);
  std::printf("baseline (SDreaddata of every dataset): %.3f s, peak RSS %ld KiB\n", b.seconds, b.peakKiB);
  std::printf("Quessel (all six steps):                %.3f s, peak RSS %ld KiB\n", q.seconds, q.peakKiB);
  std::printf("ratio Quessel / baseline: %.2f (goal: at most %.2f), medians of %d alternating runs each\n",
              q.seconds / b.seconds, kGoal, runs);
  std::printf("verdict of the report: %s\n", passed ? "passed (^End.0)" : "NOT passed");
  if (!passed) std::printf("end of the report:\n%s\n", text.substr(text.size() > 2000 ? text.size() - 2000 : 0).c_str());
  std::filesystem::remove(path);
  std::filesystem::remove(path + "_.err");
  return passed;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::pair<int, int>> shapes = {{3000, 1000}, {5000, 1000}};
  if (argc > 2) shapes = {{std::atoi(argv[1]), std::atoi(argv[2])}};
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 7;

  std::string work = (std::filesystem::temp_directory_path() / ("hdfverify-bench-" + std::to_string(getpid()))).string();
  std::filesystem::create_directories(work);
  std::filesystem::copy_file(std::string(PARVIX_SOURCE_DIR) + "/workspace/hdf/" + geoms_fixture::kTemplateName,
                             work + "/" + geoms_fixture::kTemplateName);
  bool passed = true;
  for (const auto& [profiles, altitudes] : shapes) passed = measureShape(work, profiles, altitudes, runs) && passed;
  std::filesystem::remove_all(work);
  return passed ? 0 : 1;
}
