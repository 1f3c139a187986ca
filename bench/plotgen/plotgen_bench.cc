// Benchmark of Vantor: 20 PROFILE files of 500 profiles x 500 altitudes, all
// profiles plotted. Times the program with a stand-in gnuplot that reads and
// discards its input against a baseline that only reads the same files line by
// line, then the whole run with the real gnuplot.
//
//   plotgen_bench [work folder]   (default: a new folder under /tmp, removed afterwards)
#include <sys/resource.h>
#include <sys/time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/text.h"
#include "tests/support/platform_doubles.h"
#include "tests/support/text_samples.h"

namespace {

constexpr int kFiles = 20;
constexpr int kProfiles = 500;
constexpr int kAltitudes = 500;

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string stamp(int day, int minutes) {
  return platform::formatText("2018-01-%02d, %02d:%02d:%02d", day, minutes / 60, minutes % 60, 0);
}

// Writes the 20 files and the list; returns the paths.
std::vector<std::string> writeFiles(const std::string& folder) {
  std::vector<std::string> rows = testing_support::profileDataRows(kAltitudes, 100, 30);
  std::vector<std::string> paths;
  std::string list;
  for (int f = 0; f < kFiles; ++f) {
    std::vector<testing_support::ProfileBlock> blocks;
    blocks.reserve(kProfiles);
    for (int p = 0; p < kProfiles; ++p) {
      testing_support::ProfileBlock block;
      block.start = stamp(f + 1, 2 * p);
      block.end = platform::formatText("2018-01-%02d, %02d:%02d:59", f + 1, (2 * p + 1) / 60, (2 * p + 1) % 60);
      block.mean = stamp(f + 1, 2 * p + 1);
      block.dataRows = rows;
      blocks.push_back(std::move(block));
    }
    std::string path = folder + platform::formatText("/Parvix-O3Lidar_QOR_201801%02d_R1.dat", f + 1);
    testing_support::writeFile(path, testing_support::profileFileText(blocks));
    paths.push_back(path);
    list += path + "\n";
  }
  std::filesystem::create_directories(folder + "/Data");
  testing_support::writeFile(folder + "/Data/ANY.txt", list);
  return paths;
}

// The baseline: every file read line by line.
double readBaseline(const std::vector<std::string>& paths, long long* lines, long long* bytes) {
  auto start = std::chrono::steady_clock::now();
  *lines = 0;
  *bytes = 0;
  std::string line;
  for (const std::string& path : paths) {
    std::ifstream in(path, std::ios::binary);
    for (;;) {
      bool ended = platform::readLine(in, &line);
      if (!ended && line.empty()) break;
      ++*lines;
      *bytes += static_cast<long long>(line.size());
      if (!ended) break;
    }
  }
  return secondsSince(start);
}

struct Timing {
  double wall = 0;   // seconds
  double cpu = 0;    // user + system seconds of Vantor and its children
  long faults = 0;   // minor page faults of Vantor and its children
  int status = -1;
};

double childCpuSeconds() {
  struct rusage usage;
  getrusage(RUSAGE_CHILDREN, &usage);
  return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec + usage.ru_stime.tv_usec / 1e6;
}

// Each first touch of a memory page costs a fault, which is dear on some
// virtual machines; the count shows how much memory a run touches.
long childMinorFaults() {
  struct rusage usage;
  getrusage(RUSAGE_CHILDREN, &usage);
  return usage.ru_minflt;
}

// Runs Vantor in the folder (all profiles of all files, every line drawn).
Timing runVantor(const std::string& folder) {
  const std::vector<std::string> args = {"ANY", "0", "20", "true", "false", "0", "1000000", "20000000000000",
                                         "20200000000000", "false", "0", "300", "0", "20000", "true", "true",
                                         "true", "true", "0", "0"};
  for (const char* name : {"curtain_data.dat", "profile_data.dat", "median_data.dat"})
    std::filesystem::remove(folder + "/" + name);
  platform::SystemProcessLauncher launcher;
  platform::ChildProcess child;
  Timing timing;
  int error = 0;
  double cpuBefore = childCpuSeconds();
  long faultsBefore = childMinorFaults();
  auto start = std::chrono::steady_clock::now();
  if (!launcher.start(platform::StartRequest{std::string(PARVIX_BIN_DIR) + "/Vantor", args, folder, false}, &child,
                      &error)) {
    std::fprintf(stderr, "cannot start Vantor (errno %d)\n", error);
    return timing;
  }
  launcher.wait(&child, -1, &timing.status);
  timing.wall = secondsSince(start);
  timing.cpu = childCpuSeconds() - cpuBefore;
  timing.faults = childMinorFaults() - faultsBefore;
  return timing;
}

// The run with the smallest wall time of `count`.
Timing bestOf(int count, const std::string& folder) {
  Timing best;
  for (int i = 0; i < count; ++i) {
    Timing t = runVantor(folder);
    if (i == 0 || t.wall < best.wall) best = t;
  }
  return best;
}

long peakChildRssKb() {
  struct rusage usage;
  getrusage(RUSAGE_CHILDREN, &usage);
  return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder;
  bool removeAfter = false;
  if (argc > 1) {
    folder = argv[1];
    std::filesystem::create_directories(folder);
  } else {
    std::string pattern = (std::filesystem::temp_directory_path() / "plotgen-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) return 1;
    folder = pattern;
    removeAfter = true;
  }

  auto start = std::chrono::steady_clock::now();
  std::vector<std::string> paths = writeFiles(folder);
  std::printf("generated %d files of %d profiles x %d altitudes in %.2f s\n", kFiles, kProfiles, kAltitudes,
              secondsSince(start));

  long long lines = 0, bytes = 0;
  readBaseline(paths, &lines, &bytes);  // warms the page cache
  double baseline = 1e9;
  for (int i = 0; i < 3; ++i) baseline = std::min(baseline, readBaseline(paths, &lines, &bytes));
  std::printf("baseline (read every line, best of 3): %7.3f s  (%lld lines, %.1f MB)\n", baseline, lines, bytes / 1e6);

  std::filesystem::create_directories(folder + "/bin");
  testing_support::writeScript(folder + "/bin/gnuplot", "cat > /dev/null\n");
  Timing standIn = bestOf(3, folder);
  long rssKb = peakChildRssKb();
  std::printf("Vantor, stand-in gnuplot (best of 3):  %7.3f s  (cpu %.3f s, exit status %d)  = %.2f x baseline (goal <= 3)\n",
              standIn.wall, standIn.cpu, standIn.status, standIn.wall / baseline);
  std::printf("peak RSS of Vantor:                    %7.1f MB\n", rssKb / 1024.0);
  std::printf("minor page faults of that run:         %7ld\n", standIn.faults);
  std::printf("data files: curtain %.1f MB, profile %.1f MB, median %.3f MB\n",
              std::filesystem::file_size(folder + "/curtain_data.dat") / 1e6,
              std::filesystem::file_size(folder + "/profile_data.dat") / 1e6,
              std::filesystem::file_size(folder + "/median_data.dat") / 1e6);

  std::filesystem::remove_all(folder + "/bin");
  Timing real = runVantor(folder);
  bool images = std::filesystem::exists(folder + "/profile_plot.jpg") && std::filesystem::exists(folder + "/curtain_plot.jpg");
  std::printf("Vantor, real gnuplot:                  %7.3f s  (cpu %.3f s, exit status %d, images %s)\n", real.wall,
              real.cpu, real.status, images ? "written" : "MISSING");
  std::printf("gnuplot's share of the real run:       %7.1f %%\n",
              real.wall > 0 ? 100.0 * (real.wall - standIn.wall) / real.wall : 0.0);
  std::printf("peak RSS of the largest child:         %7.1f MB (Vantor or gnuplot)\n", peakChildRssKb() / 1024.0);

  if (removeAfter) std::filesystem::remove_all(folder);
  return 0;
}
