// Times scanFile on a large valid PROFILE file against reading the same file
// line by line, and shows the scan's peak memory for two file sizes.
//
//   scanner_bench [folder] [blocks] [lines per block]
//
// Defaults: the system's temporary folder, 1000 blocks of 1000 data lines
// (about 117 MB); the memory comparison also scans a file with a tenth of the
// blocks and one with a tenth of the data lines per block. Each measurement runs in a child process of its own, so that its
// time and peak resident size are its alone.
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

// Writes a valid PROFILE file of `blocks` blocks of `lines` data lines (in a
// child process, so that building the text leaves the parent small).
void writeProfileFile(const std::string& path, int blocks, int lines) {
  Measurement m = inChild([&] {
    std::vector<testing_support::ProfileBlock> all;
    all.reserve(static_cast<size_t>(blocks));
    for (int i = 0; i < blocks; ++i)
      all.push_back(testing_support::profileBlock("2018-04-12, 01:00:00", "2018-04-12, 01:59:59",
                                                  "2018-04-12, 01:30:00", lines));
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

Measurement scan(const std::string& path) {
  return inChild([&] { return scanFile(path.c_str(), false); });
}

template <typename Run>
Measurement best(int runs, Run run) {
  Measurement bestRun = run();
  for (int i = 1; i < runs; ++i) {
    Measurement m = run();
    if (m.seconds < bestRun.seconds) bestRun = m;
  }
  return bestRun;
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder = argc > 1 ? argv[1] : std::filesystem::temp_directory_path().string();
  int blocks = argc > 2 ? std::max(10, std::atoi(argv[2])) : 1000;
  int lines = argc > 3 ? std::max(10, std::atoi(argv[3])) : 1000;
  const std::string name = testing_support::profileFileName();
  // The scanner checks the file name too: the two files get folders of their own.
  const std::string largeFolder = folder + "/parvix-bench-large";
  const std::string smallFolder = folder + "/parvix-bench-small";
  std::filesystem::create_directories(largeFolder);
  std::filesystem::create_directories(smallFolder);
  const std::string shortFolder = folder + "/parvix-bench-short";
  std::filesystem::create_directories(shortFolder);
  const std::string largePath = largeFolder + "/" + name;
  const std::string smallPath = smallFolder + "/" + name;
  const std::string shortPath = shortFolder + "/" + name;  // as many blocks, a tenth of the lines

  writeProfileFile(largePath, blocks, lines);
  writeProfileFile(smallPath, blocks / 10, lines);
  writeProfileFile(shortPath, blocks, std::max(10, lines / 10));
  double largeMb = static_cast<double>(std::filesystem::file_size(largePath)) / 1e6;
  double smallMb = static_cast<double>(std::filesystem::file_size(smallPath)) / 1e6;
  double shortMb = static_cast<double>(std::filesystem::file_size(shortPath)) / 1e6;

  Measurement base = best(3, [&] { return baseline(largePath); });
  Measurement large = best(3, [&] { return scan(largePath); });
  Measurement small = scan(smallPath);
  Measurement shortBlocks = scan(shortPath);

  std::printf("file: %d blocks x %d data lines, %.1f MB\n", blocks, lines, largeMb);
  std::printf("baseline (std::getline): %.3f s, %.0f MB/s\n", base.seconds, largeMb / base.seconds);
  std::printf("scanFile:                %.3f s, %.0f MB/s (result %d)\n", large.seconds, largeMb / large.seconds,
              large.status);
  std::printf("ratio scan / baseline:   %.2f (goal: at most 3)\n", large.seconds / base.seconds);
  std::printf("peak RSS of scanFile:    %.1f MB for the %.1f MB file, %.1f MB for the %.1f MB file\n",
              static_cast<double>(large.peakKilobytes) / 1024, largeMb,
              static_cast<double>(small.peakKilobytes) / 1024, smallMb);
  std::printf("                         %.1f MB for the %.1f MB file of %d blocks x %d data lines\n",
              static_cast<double>(shortBlocks.peakKilobytes) / 1024, shortMb, blocks, std::max(10, lines / 10));

  std::error_code ec;
  for (const std::string& path : {largePath, smallPath, shortPath}) {
    std::filesystem::remove(path, ec);
    std::filesystem::remove(path + "__ScanMsgs.htm", ec);
  }
  std::filesystem::remove(largeFolder, ec);
  std::filesystem::remove(smallFolder, ec);
  std::filesystem::remove(shortFolder, ec);
  return large.status == 0 && small.status == 0 && shortBlocks.status == 0 ? 0 : 1;
}
