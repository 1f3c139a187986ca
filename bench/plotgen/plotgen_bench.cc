// Benchmark of Vantor: PROFILE files with all their profiles plotted, Vantor
// run with a stand-in gnuplot that reads its input and writes small stand-in
// images at the names it is given. Two shapes:
// 10 files of 500 profiles x 200 altitudes of short numbers as real files
// have them, and 20 files of 500 x 500 of the project's longer rows. Vantor's
// CPU time (user + system) is set against a floor that reads the same files
// line by line with std::getline and writes as many bytes as Vantor's three
// data files hold. CPU time, not wall time: the wall time swings with the
// page cache's writeback of the data files. The runs alternate between the
// floor and Vantor, each in a process of its own, with the files in the page
// cache; the times are medians. Last, one run with the real gnuplot.
//
//   plotgen_bench [work folder [runs]]   (default: a new folder under /tmp, removed afterwards; 5 runs)
#include <sys/resource.h>
#include <sys/time.h>
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

#include "platform/process.h"
#include "platform/text.h"
#include "tests/support/platform_doubles.h"
#include "tests/support/text_samples.h"

namespace {

constexpr double kGoal = 1.5;  // Vantor's CPU time at most this many floors
const char* const kDataFiles[] = {"curtain_data.dat", "profile_data.dat", "median_data.dat"};

struct Shape {
  int files;
  int profiles;
  int altitudes;
  bool shortRows;  // short numbers (profileShortDataRows), else the project's rows (profileDataRows)
};

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string stamp(int day, int minutes) {
  return platform::formatText("2018-01-%02d, %02d:%02d:%02d", day, minutes / 60, minutes % 60, 0);
}

// Writes the files and the list; returns the paths.
std::vector<std::string> writeFiles(const std::string& folder, const Shape& shape) {
  std::vector<std::string> rows = shape.shortRows ? testing_support::profileShortDataRows(shape.altitudes, 100, 30)
                                                  : testing_support::profileDataRows(shape.altitudes, 100, 30);
  std::vector<std::string> paths;
  std::string list;
  for (int f = 0; f < shape.files; ++f) {
    std::vector<testing_support::ProfileBlock> blocks;
    blocks.reserve(static_cast<size_t>(shape.profiles));
    for (int p = 0; p < shape.profiles; ++p) {
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

struct Timing {
  double wall = 0;   // seconds
  double cpu = 0;    // user + system seconds of the process and its children
  long faults = 0;   // minor page faults of the process and its children
  int status = -1;
};

struct rusage childUsage() {
  struct rusage usage {};
  getrusage(RUSAGE_CHILDREN, &usage);
  return usage;
}

double cpuSeconds(const struct rusage& u) {
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Times `run` (which starts and waits for child processes) by the children's
// usage: each first touch of a memory page costs a fault, which is dear on
// some virtual machines; the count shows how much memory a run touches.
template <typename Run>
Timing timeChildren(Run run) {
  const struct rusage before = childUsage();
  auto start = std::chrono::steady_clock::now();
  Timing timing;
  timing.status = run();
  timing.wall = secondsSince(start);
  const struct rusage after = childUsage();
  timing.cpu = cpuSeconds(after) - cpuSeconds(before);
  timing.faults = after.ru_minflt - before.ru_minflt;
  return timing;
}

// The floor, in a child process: every file read line by line, then `bytes`
// bytes written to a file in the folder.
Timing runFloor(const std::vector<std::string>& paths, const std::string& folder, long long bytes) {
  return timeChildren([&] {
    pid_t pid = fork();
    if (pid == 0) {
      long long lines = 0;
      std::string line;
      for (const std::string& path : paths) {
        std::ifstream in(path, std::ios::binary);
        while (std::getline(in, line)) ++lines;
      }
      std::ofstream out(folder + "/floor_output.dat", std::ios::binary | std::ios::trunc);
      const std::string block(1 << 20, 'x');
      for (long long left = bytes; left > 0; left -= static_cast<long long>(block.size()))
        out.write(block.data(), static_cast<std::streamsize>(std::min<long long>(left, block.size())));
      out.close();
      _exit(lines > 0 && out ? 0 : 1);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  });
}

// Runs Vantor in the folder (all profiles of all files, every line drawn).
Timing runVantor(const std::string& folder, int files) {
  const std::vector<std::string> args = {"ANY", "0", std::to_string(files), "true", "false", "0", "1000000",
                                         "20000000000000", "20200000000000", "false", "0", "300", "0", "20000",
                                         "true", "true", "true", "true", "0", "0"};
  for (const char* name : kDataFiles) std::filesystem::remove(folder + "/" + name);
  return timeChildren([&] {
    platform::SystemProcessLauncher launcher;
    platform::ChildProcess child;
    int error = 0;
    if (!launcher.start(platform::StartRequest{std::string(PARVIX_BIN_DIR) + "/Vantor", args, folder, false},
                        &child, &error)) {
      std::fprintf(stderr, "cannot start Vantor (errno %d)\n", error);
      return -1;
    }
    int status = -1;
    launcher.wait(&child, -1, &status);
    return status;
  });
}

Timing medianByCpu(std::vector<Timing> runs) {
  std::sort(runs.begin(), runs.end(), [](const Timing& a, const Timing& b) { return a.cpu < b.cpu; });
  return runs[runs.size() / 2];
}

long long dataBytes(const std::string& folder) {
  long long bytes = 0;
  for (const char* name : kDataFiles) {
    std::error_code error;
    const auto size = std::filesystem::file_size(folder + "/" + name, error);
    if (!error) bytes += static_cast<long long>(size);
  }
  return bytes;
}

long peakChildRssKb() { return childUsage().ru_maxrss; }

// One shape: its files written, Vantor with the stand-in gnuplot against the floor.
// Returns Vantor's median run.
Timing measureShape(const std::string& folder, const Shape& shape, int runs) {
  std::filesystem::create_directories(folder);
  auto start = std::chrono::steady_clock::now();
  std::vector<std::string> paths = writeFiles(folder, shape);
  long long inBytes = 0;
  for (const std::string& path : paths) inBytes += static_cast<long long>(std::filesystem::file_size(path));
  std::printf("== %d files of %d profiles x %d altitudes, %s: %.1f MB in, written in %.2f s\n", shape.files,
              shape.profiles, shape.altitudes, shape.shortRows ? "short numbers" : "project rows",
              static_cast<double>(inBytes) / 1e6, secondsSince(start));
  std::filesystem::create_directories(folder + "/bin");
  testing_support::writeScript(folder + "/bin/gnuplot",
                               "sed -n 's/^set output \"\\(.*\\)\"$/\\1/p' | while IFS= read -r image; do\n"
                               "  printf '\\377\\330\\377\\340stand-in\\377\\331' > \"$image\"\n"
                               "done\n");

  // One untimed run puts the files in the page cache and tells the floor how much to write.
  runVantor(folder, shape.files);
  const long long outBytes = dataBytes(folder);
  std::vector<Timing> floors, vantors;
  for (int i = 0; i < runs; ++i) {
    floors.push_back(runFloor(paths, folder, outBytes));
    vantors.push_back(runVantor(folder, shape.files));
  }
  const Timing floor = medianByCpu(floors);
  const Timing vantor = medianByCpu(vantors);
  std::printf("floor (std::getline, %.1f MB written): cpu %7.3f s, wall %7.3f s\n", static_cast<double>(outBytes) / 1e6,
              floor.cpu, floor.wall);
  std::printf("Vantor, stand-in gnuplot:           cpu %7.3f s, wall %7.3f s, exit status %d, %ld minor faults\n",
              vantor.cpu, vantor.wall, vantor.status, vantor.faults);
  std::printf("ratio Vantor / floor (cpu): %.2f (goal: at most %.2f), medians of %d alternating runs each\n",
              vantor.cpu / floor.cpu, kGoal, runs);
  std::printf("data files: curtain %.1f MB, profile %.1f MB, median %.3f MB\n",
              static_cast<double>(std::filesystem::file_size(folder + "/curtain_data.dat")) / 1e6,
              static_cast<double>(std::filesystem::file_size(folder + "/profile_data.dat")) / 1e6,
              static_cast<double>(std::filesystem::file_size(folder + "/median_data.dat")) / 1e6);
  std::filesystem::remove(folder + "/floor_output.dat");
  return vantor;
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
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

  measureShape(folder + "/narrow", Shape{10, 500, 200, true}, runs);
  std::filesystem::remove_all(folder + "/narrow");
  const std::string wide = folder + "/wide";
  const Timing standIn = measureShape(wide, Shape{20, 500, 500, false}, runs);
  std::printf("peak RSS of Vantor:                 %7.1f MB\n", static_cast<double>(peakChildRssKb()) / 1024.0);

  std::filesystem::remove_all(wide + "/bin");
  const Timing real = runVantor(wide, 20);
  const bool images =
      std::filesystem::exists(wide + "/profile_plot.jpg") && std::filesystem::exists(wide + "/curtain_plot.jpg");
  std::printf("Vantor, real gnuplot:               cpu %7.3f s, wall %7.3f s, exit status %d, images %s\n", real.cpu,
              real.wall, real.status, images ? "written" : "MISSING");
  std::printf("gnuplot's share of the real run:    %7.1f %% of the wall time\n",
              real.wall > 0 ? 100.0 * (real.wall - standIn.wall) / real.wall : 0.0);
  std::printf("peak RSS of the largest child:      %7.1f MB (Vantor or gnuplot)\n",
              static_cast<double>(peakChildRssKb()) / 1024.0);

  if (removeAfter) std::filesystem::remove_all(folder);
  return 0;
}
