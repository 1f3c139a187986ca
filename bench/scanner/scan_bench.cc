// Times scanFile on large valid PROFILE files against reading the same file
// line by line with std::getline, and shows the scan's peak memory for several
// file sizes.
//
//   scanner_bench [folder] [blocks] [lines per block] [runs]
//
// Defaults: the system's temporary folder, 1000 blocks of 1000 data lines, 5
// runs. Two shapes: short tokens as real files have them (about 88 MB, scanned
// with details on) and the project's own rows with longer tokens (about 117 MB,
// details off). The times are medians of runs that alternate between the
// baseline and the scan. The memory comparison also scans files with a tenth
// of the blocks and one with a tenth of the data lines per block. Each
// measurement runs in a child process of its own, so that its time and peak
// resident size are its alone.
#include <sys/resource.h>
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

#include "scanner/scanner.h"
#include "tests/support/text_samples.h"

namespace {

struct Measurement {
  double seconds = 0;
  long peakKilobytes = 0;
  int status = -1;  // what the measured work returned
};

// Runs `work` in a child process; the child reports its time and result through
// a pipe, the parent takes the child's peak resident size from wait4.
template <typename Work>
Measurement inChild(Work work) {
  int fds[2];
  if (pipe(fds) != 0) std::exit(2);
  pid_t pid = fork();
  if (pid < 0) std::exit(2);
  if (pid == 0) {
    close(fds[0]);
    auto start = std::chrono::steady_clock::now();
    int status = work();
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    Measurement m{seconds, 0, status};
    ssize_t written = write(fds[1], &m, sizeof m);
    _exit(written == static_cast<ssize_t>(sizeof m) ? 0 : 3);
  }
  close(fds[1]);
  Measurement m;
  ssize_t got = read(fds[0], &m, sizeof m);
  close(fds[0]);
  int waitStatus = 0;
  struct rusage usage {};
  wait4(pid, &waitStatus, 0, &usage);
  if (got != static_cast<ssize_t>(sizeof m)) m.status = -1;
  m.peakKilobytes = usage.ru_maxrss;
  return m;
}

// The data lines of the two shapes. The project's rows (profileDataRows) hold
// long tokens; the short rows hold the values as real files often write them:
// 14 short numbers, the altitude stepping by 30 m as a valid block requires.
enum class RowShape { Project, Short };

std::vector<std::string> dataRows(RowShape shape, int lines) {
  return shape == RowShape::Project ? testing_support::profileDataRows(lines)
                                    : testing_support::profileShortDataRows(lines);
}

// Writes a valid PROFILE file of `blocks` blocks of `lines` data lines (in a
// child process, so that building the text leaves the parent small).
void writeProfileFile(const std::string& path, int blocks, int lines, RowShape shape) {
  Measurement m = inChild([&] {
    std::vector<testing_support::ProfileBlock> all;
    all.reserve(static_cast<size_t>(blocks));
    const std::vector<std::string> rows = dataRows(shape, lines);
    for (int i = 0; i < blocks; ++i) {
      all.push_back(testing_support::profileBlock("2018-04-12, 01:00:00", "2018-04-12, 01:59:59",
                                                  "2018-04-12, 01:30:00", 0));
      all.back().dataRows = rows;
    }
    std::string text = testing_support::profileFileText(all);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return out ? 0 : 1;
  });
  if (m.status != 0) {
    std::fprintf(stderr, "could not write %s\n", path.c_str());
    std::exit(1);
  }
}

Measurement baseline(const std::string& path) {
  return inChild([&] {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    long long count = 0;
    while (std::getline(in, line)) ++count;
    return count > 0 ? 0 : 1;
  });
}

Measurement scan(const std::string& path, bool showDetails) {
  return inChild([&] { return scanFile(path.c_str(), showDetails, ScanSettings{}, nullptr); });
}

double medianSeconds(std::vector<Measurement> runs) {
  std::sort(runs.begin(), runs.end(), [](const Measurement& a, const Measurement& b) { return a.seconds < b.seconds; });
  return runs[runs.size() / 2].seconds;
}

// The baseline and the scan of one file, `runs` times each, alternating, so
// that a change of the machine's load falls on both alike.
struct Comparison {
  double baselineSeconds = 0;
  double scanSeconds = 0;
  long peakKilobytes = 0;
  int status = 0;
};

Comparison compare(const std::string& path, bool showDetails, int runs) {
  std::vector<Measurement> base, scans;
  for (int i = 0; i < runs; ++i) {
    base.push_back(baseline(path));
    scans.push_back(scan(path, showDetails));
  }
  Comparison c;
  c.baselineSeconds = medianSeconds(base);
  c.scanSeconds = medianSeconds(scans);
  for (const Measurement& m : scans) {
    c.peakKilobytes = std::max(c.peakKilobytes, m.peakKilobytes);
    if (m.status != 0) c.status = m.status;
  }
  return c;
}

double megabytes(const std::string& path) { return static_cast<double>(std::filesystem::file_size(path)) / 1e6; }

void printComparison(const char* title, const std::string& path, const Comparison& c, double goal) {
  const double mb = megabytes(path);
  std::printf("%s, %.1f MB\n", title, mb);
  std::printf("  baseline (std::getline): %.3f s, %.0f MB/s\n", c.baselineSeconds, mb / c.baselineSeconds);
  std::printf("  scanFile:                %.3f s, %.0f MB/s (result %d)\n", c.scanSeconds, mb / c.scanSeconds,
              c.status);
  std::printf("  ratio scan / baseline:   %.2f (goal: at most %.1f)\n", c.scanSeconds / c.baselineSeconds, goal);
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder = argc > 1 ? argv[1] : std::filesystem::temp_directory_path().string();
  int blocks = argc > 2 ? std::max(10, std::atoi(argv[2])) : 1000;
  int lines = argc > 3 ? std::max(10, std::atoi(argv[3])) : 1000;
  int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 5;
  const std::string name = testing_support::profileFileName();
  // The scanner checks the file name too: each file gets a folder of its own.
  const char* const kFolderNames[] = {"large", "small", "short", "dense", "dense-small"};
  std::vector<std::string> paths;
  for (const char* part : kFolderNames) {
    std::string sub = folder + "/parvix-bench-" + part;
    std::filesystem::create_directories(sub);
    paths.push_back(sub + "/" + name);
  }
  const std::string& largePath = paths[0];
  const std::string& smallPath = paths[1];  // a tenth of the blocks
  const std::string& shortPath = paths[2];  // as many blocks, a tenth of the lines
  const std::string& densePath = paths[3];  // short tokens
  const std::string& denseSmallPath = paths[4];

  writeProfileFile(largePath, blocks, lines, RowShape::Project);
  writeProfileFile(smallPath, blocks / 10, lines, RowShape::Project);
  writeProfileFile(shortPath, blocks, std::max(10, lines / 10), RowShape::Project);
  writeProfileFile(densePath, blocks, lines, RowShape::Short);
  writeProfileFile(denseSmallPath, blocks / 10, lines, RowShape::Short);

  std::printf("%d blocks x %d data lines, medians of %d alternating runs\n", blocks, lines, runs);
  Comparison dense = compare(densePath, true, runs);
  printComparison("short tokens (14 short numbers a line), details on", densePath, dense, 2.5);
  Measurement denseSmall = scan(denseSmallPath, true);
  std::printf("  peak RSS of scanFile:    %.1f MB, %.1f MB for the %.1f MB file of a tenth of the blocks\n",
              static_cast<double>(dense.peakKilobytes) / 1024, static_cast<double>(denseSmall.peakKilobytes) / 1024,
              megabytes(denseSmallPath));

  Comparison large = compare(largePath, false, runs);
  printComparison("project rows (long tokens), details off", largePath, large, 3);
  Measurement small = scan(smallPath, false);
  Measurement shortBlocks = scan(shortPath, false);
  std::printf("  peak RSS of scanFile:    %.1f MB, %.1f MB for the %.1f MB file of a tenth of the blocks\n",
              static_cast<double>(large.peakKilobytes) / 1024, static_cast<double>(small.peakKilobytes) / 1024,
              megabytes(smallPath));
  std::printf("                           %.1f MB for the %.1f MB file of %d blocks x %d data lines\n",
              static_cast<double>(shortBlocks.peakKilobytes) / 1024, megabytes(shortPath), blocks,
              std::max(10, lines / 10));

  std::error_code ec;
  for (const std::string& path : paths) {
    std::filesystem::remove(path, ec);
    std::filesystem::remove(path + "__ScanMsgs.htm", ec);
    std::filesystem::remove(std::filesystem::path(path).parent_path(), ec);
  }
  return large.status == 0 && small.status == 0 && shortBlocks.status == 0 && dense.status == 0 &&
                 denseSmall.status == 0
             ? 0
             : 1;
}
