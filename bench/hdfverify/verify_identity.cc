// Identity check of the verifier's data step: writes GEOMS files of random
// shapes (many datasets of several 256 KiB slabs, many small ones) with random
// changes to values, limits, fill values, axis order and time data, damages
// the bytes of a quarter of them, runs the given Quessel on each in a folder of
// its own and writes one transcript of exit statuses and of every file Quessel
// leaves there. Two builds given the same seed must give identical transcripts
// (compare them with cmp); each run reseeds from seed + run number.
//
// usage: hdfverify_identity <Quessel binary> <transcript> <runs> <seed>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "file_damage.h"
#include "geoms_fixture.h"
#include "tests/support/platform_doubles.h"

extern char** environ;

namespace {

using geoms_fixture::Dataset;

constexpr int kTimeLimitSeconds = 20;  // far beyond any healthy check of these files
constexpr int kSdDataTag = 702;        // HDF4's tag of a dataset's values
const char* const kCounted[] = {"LESS_THAN",  "GREATER_THAN",  "Order incorrect", "only fill value",
                                "same value", "chronological", "Failed Reading",  "does not match first entry"};

std::string number(double x) {
  char area[40];
  std::snprintf(area, sizeof area, "%.9g", x);
  return area;
}

// One run's random changes to the file and the text that describes them.
struct Mutator {
  std::mt19937& random;
  geoms_fixture::GeomsFile& file;
  size_t profiles, levels;
  std::string text;

  size_t below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random); }
  template <typename T>
  T pick(const std::vector<T>& items) { return items[below(items.size())]; }
  void say(const std::string& what) { text += (text.empty() ? "" : "; ") + what; }
  static size_t countOf(const Dataset& d) {
    size_t n = 1;
    for (int32_t size : d.dims) n *= static_cast<size_t>(size);
    return n;
  }
  static double attributeOf(Dataset& d, const char* name) {
    geoms_fixture::Attribute* a = d.attribute(name);
    return a != nullptr && !a->numbers.empty() ? a->numbers[0] : 0.0;
  }
  Dataset& numericDataset() {
    std::vector<Dataset*> numeric;
    for (Dataset& d : file.datasets) {
      if (d.numberType != geoms_fixture::kChar8) numeric.push_back(&d);
    }
    return *pick(numeric);
  }
  // Values at some storage positions replaced, the others as before.
  static void override(Dataset& d, std::map<size_t, double> values) {
    d.value = [base = d.value, values = std::move(values)](size_t i) {
      auto at = values.find(i);
      return at == values.end() ? base(i) : at->second;
    };
  }

  // The first, last or middle value, or several, set to limits, just past
  // them, signed zeros, NaN, infinities, huge values or the fill value.
  void crossRange() {
    Dataset& d = numericDataset();
    const size_t n = countOf(d), where = below(4);
    const double low = attributeOf(d, "VAR_VALID_MIN"), high = attributeOf(d, "VAR_VALID_MAX");
    const std::vector<double> values = {low, high, low - std::max(1e-3, std::fabs(low) * 1e-5),
                                        high + std::max(1e-3, std::fabs(high) * 1e-5), -0.0, 0.0, std::nan(""),
                                        1e30, -1e30, INFINITY, -INFINITY, 1e300, attributeOf(d, "VAR_FILL_VALUE")};
    std::map<size_t, double> changed;
    for (size_t k = where < 3 ? 1 : 2 + below(6); k > 0; --k)
      changed[where == 0 ? 0 : where == 1 ? n - 1 : where == 2 ? n / 2 : below(n)] = pick(values);
    std::string what = "range " + d.name;
    for (const auto& [i, x] : changed) what += " [" + std::to_string(i) + "]=" + number(x);
    override(d, changed);
    say(what);
  }

  // 0 only fill, 1 fill but the last, 2 all one value, 3 VAR_VALID_MIN = VAR_VALID_MAX, 4 another fill value.
  void changeValues(int kind) {
    Dataset& d = numericDataset();
    const size_t n = countOf(d);
    const double fill = attributeOf(d, "VAR_FILL_VALUE"), low = attributeOf(d, "VAR_VALID_MIN");
    const double same = pick(std::vector<double>{d.value(n / 2), low, attributeOf(d, "VAR_VALID_MAX")});
    if (kind == 0) d.value = [fill](size_t) { return fill; };
    if (kind == 1) d.value = [fill, n, base = d.value](size_t i) { return i + 1 == n ? base(i) : fill; };
    if (kind == 2) d.value = [same](size_t) { return same; };
    if (kind == 3 || (kind == 2 && below(2) == 0)) {  // with all values equal: the same-value warning
      d.setNumber("VAR_VALID_MIN", same);
      d.setNumber("VAR_VALID_MAX", same);
    }
    if (kind == 4) {
      const double to = pick(std::vector<double>{d.value(0), d.value(n - 1), 0.0, -1.0, low, std::nan(""), 1e30});
      d.setNumber("VAR_FILL_VALUE", to);
      return say("fill value " + number(to) + " " + d.name);
    }
    const char* const kinds[] = {"only fill ", "fill but the last ", "all the same ", "valid min = max "};
    say(kinds[kind] + (kind >= 2 ? number(same) + " " : "") + d.name);
  }

  // One profile of ALTITUDE or PRESSURE_INDEPENDENT against the axis's
  // direction: 0 one step back, 1 two in a row, 2 at the start, 3 at the end,
  // 4 a flat step, 5 every profile reversed.
  void breakAxisOrder() {
    Dataset* axis = file.dataset(below(2) == 0 ? "ALTITUDE" : "PRESSURE_INDEPENDENT");
    if (axis == nullptr) return say("order: the axis was removed");
    const size_t first = axis->dims.size() == 2 ? below(profiles) * levels : 0, kind = levels < 4 ? 5 : below(6);
    auto base = axis->value;
    auto back = [&](size_t at, double steps) {  // `steps` steps of the level before `at` backwards
      return base(first + at - 1) - steps * (base(first + at) - base(first + at - 1));
    };
    const size_t k = kind == 5 ? 0 : kind == 2 ? 1 + below(2) : kind == 3 ? levels - 2 : 1 + below(levels - 2);
    if (kind == 5) {
      axis->value = [base, n = levels](size_t i) { return base(i - i % n + n - 1 - i % n); };
    } else if (kind == 0 || kind == 4) {
      override(*axis, {{first + k, kind == 0 ? back(k, 1) : base(first + k - 1)}});
    } else {
      override(*axis, {{first + k, back(k, 1)}, {first + k + 1, back(k, 2)}});
    }
    say("order " + axis->name + " kind " + std::to_string(kind) + " at " + std::to_string(first + k));
  }

  // The time data out of order (0 two swapped, 1 one repeated, 2 the last as
  // the first, 3 reversed), or the first start or last stop moved away from
  // DATA_START_DATE / DATA_STOP_DATE (the dates stay those of the valid file).
  void breakTime(bool dates) {
    const bool start = below(2) == 0;
    const std::string name = dates ? (start ? "DATETIME.START" : "DATETIME.STOP")
                                   : pick(std::vector<std::string>{"DATETIME", "DATETIME.START", "DATETIME.STOP"});
    Dataset* d = file.dataset(name);
    if (d == nullptr || (!dates && profiles < 2)) return say("time: " + name + " removed or one profile");
    auto base = d->value;
    if (dates) {
      const double seconds = pick(std::vector<double>{0.4, 0.6, 1.0, -1.0, -0.6, 3600.0, 86400.0});
      const size_t i = start ? 0 : profiles - 1;
      override(*d, {{i, base(i) + seconds / 86400.0}});
      return say("time " + name + "[" + std::to_string(i) + "] moved " + number(seconds) + " s");
    }
    const size_t k = 1 + below(profiles - 1), kind = below(4), n = profiles;
    if (kind == 0) override(*d, {{k - 1, base(k)}, {k, base(k - 1)}});
    if (kind == 1) override(*d, {{k, base(k - 1)}});
    if (kind == 2) override(*d, {{n - 1, base(0)}});
    if (kind == 3) d->value = [base, n](size_t i) { return base(n - 1 - i); };
    say("time " + name + " kind " + std::to_string(kind) + " at " + std::to_string(k));
  }

  // A dataset removed, or written as another of the number types the fixture
  // writes (int32 only where the limits fit), with or without its limits.
  void removeOrRetype() {
    Dataset& d = numericDataset();
    if (below(2) == 0) {
      const std::string name = d.name;  // d goes with the dataset
      say("removed " + name);
      return file.removeDataset(name);
    }
    std::vector<int> types = {geoms_fixture::kFloat32, geoms_fixture::kFloat64};
    if (std::fabs(attributeOf(d, "VAR_VALID_MAX")) <= 2e5 && std::fabs(attributeOf(d, "VAR_VALID_MIN")) <= 2e5)
      types.push_back(geoms_fixture::kInt32);
    types.erase(std::remove(types.begin(), types.end(), d.numberType), types.end());
    d.numberType = pick(types);
    const bool limitsToo = below(2) == 0;
    if (limitsToo) {
      for (const char* name : {"VAR_VALID_MIN", "VAR_VALID_MAX", "VAR_FILL_VALUE"})
        d.attribute(name)->numberType = d.numberType;
    }
    say("type " + std::to_string(d.numberType) + (limitsToo ? " with its limits " : " ") + d.name);
  }

  void apply() {
    // Weights of: range, the five of changeValues, axis order, time order, dates, removed or retyped.
    std::discrete_distribution<int> kinds({6, 2, 2, 2, 2, 2, 5, 3, 3, 1});
    for (size_t changes = below(4); changes > 0; --changes) {
      const int kind = kinds(random);
      if (kind == 0) crossRange();
      else if (kind <= 5) changeValues(kind - 1);
      else if (kind == 6) breakAxisOrder();
      else if (kind <= 8) breakTime(kind == 8);
      else removeOrRetype();
    }
    if (text.empty()) text = "unchanged";
    // An int32 is written as the nearest int32 (NaN as 0): the fixture's casts need values that fit.
    auto clamp = [](double x) { return std::isnan(x) ? 0.0 : std::clamp(x, -2147483648.0, 2147483647.0); };
    for (Dataset& d : file.datasets) {
      for (geoms_fixture::Attribute& a : d.attributes) {
        if (a.numberType == geoms_fixture::kInt32) std::ranges::transform(a.numbers, a.numbers.begin(), clamp);
      }
      if (d.numberType == geoms_fixture::kInt32) d.value = [base = d.value, clamp](size_t i) { return clamp(base(i)); };
    }
  }
};

uint32_t bigEndian(const std::string& bytes, size_t at, int size) {
  uint32_t x = 0;
  for (int k = 0; k < size; ++k) x = x << 8 | static_cast<unsigned char>(bytes[at + static_cast<size_t>(k)]);
  return x;
}

// Positions of the descriptors of the datasets' values: after the 4-byte magic
// number come blocks of a 2-byte count, the 4-byte offset of the next block
// and descriptors of 12 bytes (tag, reference, offset, length; big-endian).
std::vector<size_t> dataDescriptors(const std::string& bytes) {
  std::vector<size_t> found;
  for (size_t block = 4, blocks = 0; block != 0 && block + 6 <= bytes.size() && blocks < 1000; ++blocks) {
    for (size_t i = 0, at = block + 6; i < bigEndian(bytes, block, 2) && at + 12 <= bytes.size(); ++i, at += 12)
      if (bigEndian(bytes, at, 2) == kSdDataTag) found.push_back(at);
    block = bigEndian(bytes, block + 2, 4);
  }
  return found;
}

// Damages the file as the robustness run does (bytes flipped, a run
// overwritten, the file cut), or moves or shortens one dataset's values so
// that reading them fails part way while the file's description, written after
// the values, stays whole.
std::string damage(const std::string& path, std::mt19937& random) {
  std::string bytes = testing_support::readFile(path);
  auto in = [&](size_t from, size_t to) { return std::uniform_int_distribution<size_t>(from, to)(random); };
  auto put = [&](size_t at, size_t x) {
    for (int k = 3; k >= 0; --k, x >>= 8) bytes[at + static_cast<size_t>(k)] = static_cast<char>(x & 0xFF);
  };
  const std::vector<size_t> data = dataDescriptors(bytes);
  int kind = std::discrete_distribution<int>({1, 1, 1, 2, 1})(random);
  if (kind >= file_damage::kKindCount && data.empty()) kind = 0;
  std::string what;
  if (kind < file_damage::kKindCount) {
    bytes = file_damage::damaged(bytes, kind, random);
    what = std::string(file_damage::kKinds[kind]) + ", " + std::to_string(bytes.size()) + " bytes left";
  } else {
    const size_t descriptor = data[in(0, data.size() - 1)], length = bigEndian(bytes, descriptor + 8, 4);
    const size_t past = in(1, std::max<size_t>(length, 1));
    const bool moved = kind == file_damage::kKindCount;
    if (moved) put(descriptor + 4, bytes.size() + past - length);  // its last `past` bytes beyond the end
    else put(descriptor + 8, length - std::min(past, length));
    what = "values at descriptor " + std::to_string(descriptor) + (moved ? " moved " : " shortened ") +
           std::to_string(past) + " bytes";
  }
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  return what;
}

// Runs Quessel in folder (its output to files there) in a process group of its
// own, so that a run past the time limit is killed with its checking child.
std::string runQuessel(const std::string& quessel, const std::string& folder, const std::string& name) {
  std::vector<std::string> argv = {quessel, name, geoms_fixture::kTemplateName};
  std::vector<char*> args;
  for (std::string& a : argv) args.push_back(a.data());
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, (folder + "/stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, (folder + "/stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, args[0], &actions, &attributes, args.data(), environ);
  std::filesystem::current_path(previous);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (spawned != 0) return "not started";
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kTimeLimitSeconds);
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(-pid, SIGKILL);
      waitpid(pid, &status, 0);
      return "timeout";
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return WIFSIGNALED(status) ? "signal " + std::to_string(WTERMSIG(status)) : std::to_string(WEXITSTATUS(status));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s <Quessel binary> <transcript> <runs> <seed>\n", argv[0]);
    return 2;
  }
  const std::string quessel = std::filesystem::absolute(argv[1]).string();
  std::ofstream transcript(argv[2], std::ios::binary | std::ios::trunc);
  const int runs = std::atoi(argv[3]);
  const unsigned seed = static_cast<unsigned>(std::strtoul(argv[4], nullptr, 10));
  const std::string templatePath = std::string(PARVIX_SOURCE_DIR) + "/workspace/hdf/" + geoms_fixture::kTemplateName;
  const auto begin = std::chrono::steady_clock::now();
  int passed = 0, stepSix = 0, failedSix = 0, timeouts = 0, damaged = 0, large = 0;
  std::map<std::string, int> counts;
  for (int run = 0; run < runs; ++run) {
    std::mt19937 random(seed + static_cast<unsigned>(run));
    // A third of the shapes of several slabs (more than 65536 values in a
    // dataset of two dimensions), a third small, a third anything.
    auto in = [&](int from, int to) { return std::uniform_int_distribution<int>(from, to)(random); };
    const int shape = in(0, 2);
    const int profiles = shape == 0 ? in(260, 400) : shape == 1 ? in(1, 20) : in(1, 400);
    const int altitudes = shape == 0 ? in(260, 400) : shape == 1 ? in(1, 20) : in(1, 400);
    large += profiles * altitudes > 65536 ? 1 : 0;
    geoms_fixture::GeomsFile file = geoms_fixture::validLidarFile(profiles, altitudes);
    Mutator mutator{random, file, static_cast<size_t>(profiles), static_cast<size_t>(altitudes), ""};
    mutator.apply();

    const std::string folder = (std::filesystem::temp_directory_path() /
                                ("hdfverify-identity-" + std::to_string(getpid()) + "-" + std::to_string(run)))
                                   .string();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(templatePath, folder + "/" + geoms_fixture::kTemplateName);
    const std::string name = geoms_fixture::geomsFileName(file);
    std::string description = std::to_string(profiles) + " x " + std::to_string(altitudes) + ": " + mutator.text;
    std::string error;
    if (!geoms_fixture::writeGeomsFile(file, folder + "/" + name, &error))
      description += " (not written: " + error + ")";
    if (in(0, 3) == 0) {
      description += "; damaged: " + damage(folder + "/" + name, random);
      ++damaged;
    }
    const std::string status = runQuessel(quessel, folder, name);
    timeouts += status == "timeout" ? 1 : 0;

    // Every file but the two written here, the folder's path made "<run>".
    std::string text = "=== run " + std::to_string(run) + "\n" + description + "\nexit: " + status + "\n";
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    for (const std::string& entry : names) {
      if (entry == name || entry == geoms_fixture::kTemplateName) continue;
      std::string bytes = testing_support::readFile(folder + "/" + entry);
      for (size_t at = bytes.find(folder); at != std::string::npos; at = bytes.find(folder, at))
        bytes.replace(at, folder.size(), "<run>");
      text += "--- " + entry + " (" + std::to_string(bytes.size()) + " bytes)\n" + bytes + "\n";
      if (entry != name + "_.err") continue;
      passed += bytes.ends_with("\n^End.0\n") ? 1 : 0;
      stepSix += bytes.find("Verify_6 ....</div>") != std::string::npos ? 1 : 0;
      failedSix += bytes.find("Checking VAR Data Failed") != std::string::npos ? 1 : 0;
      std::istringstream lines(bytes);
      for (std::string line; std::getline(lines, line);)
        for (const char* phrase : kCounted) counts[phrase] += line.find(phrase) != std::string::npos ? 1 : 0;
    }
    transcript << text;
    std::filesystem::remove_all(folder);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  std::printf("%d runs (seed %u) in %.1f s: %d passed (^End.0), %d reached step six, %d failed there; %d damaged, "
              "%d with more than 65536 values in a dataset, %d timeouts\nreport lines:",
              runs, seed, seconds, passed, stepSix, failedSix, damaged, large, timeouts);
  for (const char* phrase : kCounted) std::printf(" \"%s\" %d;", phrase, counts[phrase]);
  std::printf("\n");
  return transcript.good() ? 0 : 1;
}
