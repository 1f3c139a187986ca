// Two runs of the plot generator in one process, each with a state of its
// own: neither sees the other's list, window, stamps, bins or log, whether
// they run one after the other or one runs whole while the other is half way.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/process.h"
#include "tests/plotgen/vantor_harness.h"
#include "tests/support/platform_doubles.h"
#include "tests/support/text_samples.h"

using namespace plotgen_tests;
using plotgen::RunState;
using testing_support::TempDir;

namespace {

// What a run left at the top of its folder, by file name: the log without
// its start line, the data files and the scripts gnuplot was sent, with the
// folder's path written as <run>.
using RunOutput = std::map<std::string, std::string>;

std::string withoutFolder(std::string text, const std::string& folder) {
  const std::string path = realPath(folder);
  for (size_t at = 0; (at = text.find(path, at)) != std::string::npos;) text.replace(at, path.size(), "<run>");
  return text;
}

RunOutput outputOf(const std::string& folder) {
  RunOutput output;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    const std::string name = entry.path().filename().string();
    output[name] = withoutFolder(name == "_CErr_.txt" ? logAfterStart(folder) : testing_support::readFile(entry.path()),
                                 folder);
  }
  return output;
}

// The inputs of one run: its PROFILE files under in/, their list and its arguments.
struct RunInput {
  std::map<std::string, std::string> files;  // name under in/ -> text
  std::vector<std::string> args;
};

// A day's profiles with their data lines.
std::string dayFile(const std::string& day, int profiles, int rows, double firstAltitude, double step) {
  std::vector<testing_support::ProfileBlock> blocks;
  for (int i = 0; i < profiles; ++i) {
    const std::string hour = "0" + std::to_string(i + 1);
    blocks.push_back(testing_support::profileBlock(day + ", " + hour + ":00:00", day + ", " + hour + ":59:59",
                                                   day + ", " + hour + ":30:00", 0));
    blocks.back().dataRows = testing_support::profileDataRows(rows, firstAltitude + 10 * i, step);
  }
  return testing_support::profileFileText(blocks);
}

// Run A: the plot button's line over one file of two profiles, mixing ratio
// with the median line, both grids drawn.
RunInput runA() {
  return {{{"a.dat", dayFile("2018-01-05", 2, 8, 100, 30)}}, plotButtonArguments()};
}

// Run B: two files of three profiles each, a time window across both days,
// number density with the quartile and percentile lines, no grids.
RunInput runB() {
  return {{{"b1.dat", dayFile("2018-03-01", 3, 12, 150, 200)}, {"b2.dat", dayFile("2018-03-02", 3, 5, 400, 250)}},
          words("ANY 0 2 false true 0 1 20180301013000 20180302020000 true 0 5e+18 0 3000 true false true true 1 1")};
}

// A fresh folder with the run's inputs and the stand-in gnuplot.
void prepare(const std::string& folder, const RunInput& input) {
  installStandInGnuplot(folder);
  std::filesystem::create_directories(folder + "/in");
  std::vector<std::string> entries;
  for (const auto& [name, text] : input.files) {
    ASSERT_TRUE(testing_support::writeFile(folder + "/in/" + name, text));
    entries.push_back("in/" + name);
  }
  writeList(folder, entries);
}

// The output of the run alone: in a folder of its own with a state of its own.
RunOutput aloneOutput(const RunInput& input) {
  TempDir dir;
  prepare(dir.path(), input);
  RunState run;
  EXPECT_EQ(runPlotGeneratorIn(dir.path(), input.args, run), 1);
  return outputOf(dir.path());
}

// The alone outputs are whole runs with all three data files and both scripts.
void expectWholeRun(const RunOutput& output) {
  for (const char* name :
       {"curtain_data.dat", "profile_data.dat", "median_data.dat", "gnuplot_input_1.txt", "gnuplot_input_2.txt"}) {
    ASSERT_TRUE(output.count(name)) << name;
    EXPECT_NE(output.at(name), "") << name;
  }
  EXPECT_NE(output.at("_CErr_.txt").find("\nOk. End:   "), std::string::npos);
}

// A launcher that, when the first program of a run is started, first runs
// `inside`, then starts the program as the system does. Installs itself.
class RunFirstLauncher : public platform::ProcessLauncher {
 public:
  explicit RunFirstLauncher(std::function<void()> inside) : inside_(std::move(inside)) {
    platform::setProcessLauncher(this);
  }
  ~RunFirstLauncher() override { platform::setProcessLauncher(nullptr); }
  bool start(const platform::StartRequest& request, platform::ChildProcess* child, int* error) override {
    if (inside_) std::exchange(inside_, nullptr)();
    return system_.start(request, child, error);
  }
  platform::WaitOutcome wait(platform::ChildProcess* child, long long timeoutMs, int* exitStatus) override {
    return system_.wait(child, timeoutMs, exitStatus);
  }
  void terminate(platform::ChildProcess* child) override { system_.terminate(child); }

 private:
  std::function<void()> inside_;
  platform::SystemProcessLauncher system_;
};

TEST(PlotgenTwoRuns, OneAfterTheOtherEachWritesWhatItWritesAlone) {
  const RunOutput aloneA = aloneOutput(runA());
  const RunOutput aloneB = aloneOutput(runB());
  expectWholeRun(aloneA);
  expectWholeRun(aloneB);

  TempDir folderA, folderB;
  prepare(folderA.path(), runA());
  prepare(folderB.path(), runB());
  RunState stateA, stateB;
  EXPECT_EQ(runPlotGeneratorIn(folderB.path(), runB().args, stateB), 1);
  EXPECT_EQ(runPlotGeneratorIn(folderA.path(), runA().args, stateA), 1);
  EXPECT_EQ(outputOf(folderA.path()), aloneA);
  EXPECT_EQ(outputOf(folderB.path()), aloneB);
  // Each state holds its own run's list and profiles only.
  EXPECT_EQ(stateA.DataFileList, (std::vector<std::string>{"in/a.dat"}));
  EXPECT_EQ(stateB.DataFileList, (std::vector<std::string>{"in/b1.dat", "in/b2.dat"}));
  EXPECT_EQ(stateA.ProfileMeanStamps.size(), 2u);
  EXPECT_EQ(stateB.ProfileMeanStamps.size(), 5u);  // the fifth profile ends the window
  EXPECT_EQ(stateA.WindowStartDate, 0);
  EXPECT_EQ(stateB.WindowStartDate, 20180301);
}

// Run A runs whole when run B starts its first gnuplot: B has read its files,
// written its data files and holds its log, stamps and bins; it then goes on
// with its plots.
TEST(PlotgenTwoRuns, ARunWholeInsideAnotherEachWritesWhatItWritesAlone) {
  const RunOutput aloneA = aloneOutput(runA());
  const RunOutput aloneB = aloneOutput(runB());

  TempDir folderA, folderB;
  prepare(folderA.path(), runA());
  prepare(folderB.path(), runB());
  RunState stateA, stateB;
  int statusA = -1;
  {
    RunFirstLauncher launcher([&] { statusA = runPlotGeneratorIn(folderA.path(), runA().args, stateA); });
    EXPECT_EQ(runPlotGeneratorIn(folderB.path(), runB().args, stateB), 1);
  }
  EXPECT_EQ(statusA, 1);
  EXPECT_EQ(outputOf(folderA.path()), aloneA);
  EXPECT_EQ(outputOf(folderB.path()), aloneB);
}

}  // namespace
