// Byte-identity check of Vantor across a change: random runs, each in a fresh
// folder with 1..4 PROFILE files (some damaged), a plot list, a stand-in
// gnuplot that keeps the scripts it is sent and writes small stand-in images,
// and a random argument line. Every
// run's exit status and output files go into one transcript; built from two
// trees, the transcripts of the old and the new Vantor for the same seed must
// be equal byte for byte (compare them with cmp).
//
//   plotgen_identity <vantor binary> <transcript> <runs> <seed>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/text.h"
#include "tests/support/platform_doubles.h"
#include "tests/support/text_samples.h"

namespace {

namespace ts = testing_support;
using platform::formatText;

constexpr long long kRunTimeoutMs = 120000;
constexpr long long kFirstDay = 1514764800;  // 2018-01-01 00:00:00 UTC
constexpr size_t kUsedColumns[] = {0, 1, 2, 6, 7, 8};  // the cells the curtain and the profile plot take
const char* const kBadCells[] = {"-9999", "-9999.0", "", "abc", "1e400", "-3.5", "-12", "-0.0", "-1e18", " -7 "};

// Our own generator: the same seed gives the same runs with any standard library.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t next() {  // splitmix64
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  int below(int n) { return n <= 0 ? 0 : static_cast<int>(next() % static_cast<uint64_t>(n)); }
  int between(int low, int high) { return low + below(high - low + 1); }
  size_t index(size_t n) { return n == 0 ? 0 : static_cast<size_t>(next() % n); }
  bool chance(int percent) { return below(100) < percent; }
  template <class T, size_t N>
  const T& pick(const T (&items)[N]) { return items[index(N)]; }

 private:
  uint64_t state_;
};

// A time (seconds since 1970, UTC) as a block stamp or as a 14-digit argument.
std::string stampAt(long long seconds, bool argumentForm) {
  std::time_t t = static_cast<std::time_t>(seconds);
  std::tm c{};
  gmtime_r(&t, &c);
  return formatText(argumentForm ? "%04d%02d%02d%02d%02d%02d" : "%04d-%02d-%02d, %02d:%02d:%02d", c.tm_year + 1900,
                    c.tm_mon + 1, c.tm_mday, c.tm_hour, c.tm_min, c.tm_sec);
}

// One data row with a cell replaced, or cut short after some cells.
std::string damagedRow(const std::string& row, Random& random) {
  std::vector<std::string> cells;
  size_t at = 0;
  for (size_t comma; (comma = row.find(", ", at)) != std::string::npos; at = comma + 2)
    cells.push_back(row.substr(at, comma - at));
  cells.push_back(row.substr(at));
  if (random.chance(4)) {
    cells.resize(static_cast<size_t>(random.between(1, static_cast<int>(cells.size()) - 1)));
  } else {
    size_t column = random.chance(80) ? random.pick(kUsedColumns) : random.index(14);
    // A row damaged before may already be short.
    cells[std::min(column, cells.size() - 1)] = random.pick(kBadCells);
  }
  std::string out;
  for (size_t i = 0; i < cells.size(); ++i) out += (i ? ", " : "") + cells[i];
  return out;
}

// What one run wrote into its folder: the lines of the plot list and, for
// each, the mean times of its blocks in file order (none for a missing file).
struct RunInput {
  std::vector<std::string> entries;
  std::vector<std::vector<long long>> means;
};

// Writes the PROFILE files of a run into `dir` (damaged on some runs) and names them in `entries`.
RunInput writeProfiles(const std::string& dir, const std::string& entryPrefix, Random& random) {
  RunInput input;
  const int files = random.between(1, 4);
  const bool damaged = random.chance(35);
  long long day = kFirstDay + 86400LL * random.below(300);
  for (int f = 0; f < files; ++f) {
    // Most files start in the day; some late enough to run past midnight.
    long long t = day + (random.chance(20) ? random.between(22 * 60, 23 * 60 + 50) : random.between(0, 12 * 60)) * 60LL;
    const bool shortRows = random.chance(30);
    const int firstAltitude = random.chance(50) ? 100 : random.between(0, 1500);
    const int step = random.chance(50) ? 30 : random.between(1, 150);
    std::vector<ts::ProfileBlock> blocks(static_cast<size_t>(random.between(1, 30)));
    std::vector<long long> means;
    for (ts::ProfileBlock& block : blocks) {
      const long long minutes = random.chance(5) ? 1440 : random.between(5, 90);
      block.start = stampAt(t, false);
      block.end = stampAt(t + minutes * 60 - 1, false);
      block.mean = stampAt(t + minutes * 30, false);
      means.push_back(t + minutes * 30);
      const int rows = random.between(1, 60);
      block.dataRows = shortRows ? ts::profileShortDataRows(rows, firstAltitude, step)
                                 : ts::profileDataRows(rows, firstAltitude + 0.5 * random.below(2), step);
      t += minutes * 60 + 60LL * random.below(30);
    }
    if (blocks.size() > 1 && random.chance(10)) {  // a block out of order
      size_t moved = random.index(blocks.size() - 1);
      std::swap(blocks[moved], blocks.back());
      std::swap(means[moved], means.back());
    }
    const int cellDamages = damaged ? random.between(0, 6) : 0;
    for (int i = 0; i < cellDamages; ++i) {
      std::vector<std::string>& rows = blocks[random.index(blocks.size())].dataRows;
      std::string& row = rows[random.index(rows.size())];
      row = damagedRow(row, random);
    }

    std::string text = ts::profileFileText(blocks);
    if (damaged && random.chance(6)) {  // a deleted line
      std::vector<std::string> lines = ts::splitLines(text);
      lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(random.index(lines.size())));
      text = ts::joinLines(lines);
    }
    if (damaged && random.chance(20)) text = ts::joinLines(ts::splitLines(text), "\r\n");
    std::string name = formatText("%d_", f) + ts::profileFileName(stampAt(day, true).substr(0, 8));
    ts::writeFile(dir + "/" + name, text);
    input.entries.push_back(entryPrefix + name);
    input.means.push_back(std::move(means));
    day += 86400LL * random.below(3);
  }
  if (damaged && random.chance(10)) {  // a listed file that is not there
    const int at = random.below(static_cast<int>(input.entries.size()) + 1);
    input.entries.insert(input.entries.begin() + at, entryPrefix + "missing.dat");
    input.means.insert(input.means.begin() + at, std::vector<long long>());
  }
  return input;
}

// A bool argument in either of its spellings.
const char* boolWord(bool value, Random& random) {
  if (value) return random.chance(80) ? "true" : "1";
  return random.chance(80) ? "false" : "0";
}

// A number argument, now and then with leading zeros.
std::string number(long long value, Random& random) { return (random.chance(10) ? "00" : "") + std::to_string(value); }

// The 20 arguments of a run, random within their meaning; now and then one is invalid.
std::vector<std::string> randomArguments(const std::string& location, const RunInput& input, Random& random) {
  const int files = static_cast<int>(input.entries.size());
  std::vector<std::string> a(20);
  a[0] = location;
  int startFile = random.below(files);
  int endFile = random.between(startFile + 1, files);
  if (random.chance(4)) endFile = files + 1;
  // The profile numbers and the time window are mostly chosen among the profiles of the files read.
  std::vector<long long> means;
  for (int f = startFile; f < std::min(endFile, files); ++f)
    means.insert(means.end(), input.means[static_cast<size_t>(f)].begin(), input.means[static_cast<size_t>(f)].end());
  if (means.empty()) means.push_back(kFirstDay);
  const int profiles = static_cast<int>(means.size());
  a[1] = number(startFile, random);
  a[2] = number(endFile, random);
  int mode = random.below(100);  // profile range, time range or both
  a[3] = boolWord(mode < 45 || mode >= 75, random);
  a[4] = boolWord(mode >= 45, random);
  int startProfile = random.chance(30) ? 0 : random.below(profiles);
  int endProfile = random.chance(30) ? 1000000 : random.between(startProfile + 1, profiles + 3);
  a[5] = number(startProfile, random);
  a[6] = number(endProfile, random);
  if (random.chance(20)) {
    a[7] = "20000000000000";
    a[8] = "20200000000000";
  } else {
    long long first = means[random.index(means.size())];
    long long last = means[random.index(means.size())];
    if (first > last) std::swap(first, last);
    a[7] = stampAt(first - random.below(7200), true);
    a[8] = stampAt(last + random.below(7200), true);
  }
  const bool numberDensity = random.chance(50);
  a[9] = boolWord(numberDensity, random);
  if (numberDensity) {
    a[10] = random.chance(70) ? "0" : "1e+17";
    a[11] = random.chance(50) ? "5e+18" : (random.chance(50) ? "03e+018" : "2000000000000000000");
  } else {
    a[10] = number(random.chance(70) ? 0 : random.between(1, 30), random);
    a[11] = number(random.chance(50) ? 300 : random.between(31, 500), random);
  }
  int altLower = random.chance(40) ? 0 : random.between(0, 1500);
  int altUpper = random.chance(40) ? 20000 : altLower + random.between(100, 3000);
  a[12] = number(altLower, random);
  a[13] = number(altUpper, random);
  a[14] = boolWord(random.chance(75), random);
  a[15] = boolWord(random.chance(60), random);
  a[16] = boolWord(random.chance(40), random);
  a[17] = boolWord(random.chance(40), random);
  a[18] = random.chance(50) ? "0" : "1";
  a[19] = random.chance(50) ? "0" : "1";
  if (random.chance(8)) {  // one invalid argument
    struct Invalid {
      size_t index;
      const char* text;
    };
    const Invalid kInvalid[] = {{1, "startFile"}, {4, "maybe"}, {7, "2018"}, {8, "2018010100000a"}, {10, "3.5e+18"},
                                {12, "-5"},       {13, "0"},    {15, "TRUE"}, {18, "x"},          {0, "Qiru"},
                                {0, "any"},       {11, "3$"}};
    const Invalid& bad = random.pick(kInvalid);
    a[bad.index] = bad.text;
  }
  if (random.chance(1)) a.pop_back();
  return a;
}

// The text with every occurrence of `from` replaced by `to`.
std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
  if (from.empty()) return text;
  for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
    text.replace(at, from.size(), to);
  return text;
}

// Runs the binary in the folder, its standard error kept in vantor_stderr.txt; the exit status, or -1.
int runVantor(const std::string& binary, const std::string& folder, const std::vector<std::string>& args) {
  // The child takes our standard error as it is when it starts.
  int saved = ::dup(2);
  int errorFile = ::open((folder + "/vantor_stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ::dup2(errorFile, 2);
  ::close(errorFile);
  platform::SystemProcessLauncher launcher;
  platform::ChildProcess child;
  int error = 0;
  bool started = launcher.start(platform::StartRequest{binary, args, folder, false}, &child, &error);
  ::dup2(saved, 2);
  ::close(saved);
  if (!started) {
    std::fprintf(stderr, "cannot start %s (errno %d)\n", binary.c_str(), error);
    return -1;
  }
  int status = -1;
  if (launcher.wait(&child, kRunTimeoutMs, &status) == platform::WaitOutcome::TimedOut) {
    launcher.terminate(&child);
    return -2;
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: plotgen_identity <vantor binary> <transcript> <runs> <seed>\n");
    return 2;
  }
  const std::string binary = std::filesystem::absolute(argv[1]).string();
  const int runs = std::atoi(argv[3]);
  Random random(std::strtoull(argv[4], nullptr, 10));
  std::ofstream transcript(argv[2], std::ios::binary | std::ios::trunc);
  if (!transcript) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 2;
  }
  std::map<int, int> statuses;
  int withCurtain = 0, withProfile = 0, withMedian = 0, withScripts = 0;
  auto start = std::chrono::steady_clock::now();
  for (int run = 1; run <= runs; ++run) {
    std::string pattern = (std::filesystem::temp_directory_path() / "plotgen-identity-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) return 1;
    const std::string folder = std::filesystem::canonical(pattern).string();

    // Most runs list files by path (location ANY); some by name under a location folder.
    const bool located = random.chance(5);
    const std::string location = located ? "HALK" : "ANY";
    const std::string dir = folder + (located ? "/HALK" : "/in");
    std::filesystem::create_directories(dir);
    RunInput input = writeProfiles(dir, located ? "" : (random.chance(50) ? folder + "/in/" : "in/"), random);
    std::filesystem::create_directories(folder + "/Data");
    const char* listLineEnd = random.chance(10) ? "\r\n" : "\n";
    ts::writeFile(folder + "/Data/" + location + ".txt", ts::joinLines(input.entries, listLineEnd));
    std::filesystem::create_directories(folder + "/bin");
    // The stand-in keeps the scripts and writes a small whole JPEG-looking
    // file (FF D8 ... FF D9) at each name a "set output" command gives, as
    // gnuplot writes its images.
    ts::writeScript(folder + "/bin/gnuplot",
                    "tee -a gnuplot_input.txt | sed -n 's/^set output \"\\(.*\\)\"$/\\1/p' |\n"
                    "while IFS= read -r image; do printf '\\377\\330\\377\\340stand-in\\377\\331' > \"$image\"; done\n");

    std::vector<std::string> args = randomArguments(location, input, random);
    const int status = runVantor(binary, folder, args);
    ++statuses[status];
    std::string line;
    for (const std::string& arg : args) line += (line.empty() ? "" : " ") + arg;
    transcript << "=== run " << run << "\nargs: " << line << "\nexit status: " << status << "\n";

    // The files the run left at the top of its folder, but not the images.
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
      if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
      std::string ext = std::filesystem::path(name).extension().string();
      if (ext == ".jpg" || ext == ".png") continue;
      std::string bytes = replaceAll(ts::readFile(folder + "/" + name), folder, "<run>");
      // The log's first line holds the time of the run, followed by an empty line.
      if (name == "_CErr_.txt" && bytes.rfind("OK. Starting: ", 0) == 0) {
        size_t cut = bytes.find("\n\n");
        bytes.erase(0, cut == std::string::npos ? bytes.size() : cut + 2);
        bytes.insert(0, "<start line>\n");
      }
      if (!bytes.empty()) {
        withCurtain += name == "curtain_data.dat";
        withProfile += name == "profile_data.dat";
        withMedian += name == "median_data.dat";
        withScripts += name == "gnuplot_input.txt";
      }
      transcript << "--- " << name << " (" << bytes.size() << " bytes)\n" << bytes << "\n";
    }
    std::filesystem::remove_all(folder);
  }
  transcript.close();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%d runs in %.2f s; exit status:", runs, seconds);
  for (auto [status, count] : statuses) std::printf(" %d: %d runs;", status, count);
  std::printf("\nnon-empty: curtain_data.dat %d, profile_data.dat %d, median_data.dat %d, gnuplot_input.txt %d\n",
              withCurtain, withProfile, withMedian, withScripts);
  return transcript ? 0 : 1;
}
