// The built program against what may stand at the names of its outputs: a link
// is replaced by a plain file of Vantor's own, never followed; a FIFO is never
// opened or waited on. And a gnuplot does not outlive a Vantor that is killed.
// Vantor runs as a child with a time-out, so that a run that blocks fails the
// test instead of hanging the suite.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/process.h"
#include "tests/plotgen/vantor_harness.h"
#include "tests/support/platform_doubles.h"
#include "tests/support/text_samples.h"

using namespace plotgen_tests;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

constexpr long long kRunTimeoutMs = 20000;

// Runs the program to its end, at most kRunTimeoutMs; the exit status, or -1
// when it had to be stopped.
int runProgram(const std::string& folder, const std::vector<std::string>& args, std::string* errorOutput) {
  return runVantorProgram(folder, args, kRunTimeoutMs, errorOutput);
}

std::string sampleFile() { return hourlyProfileFile(2, 10); }

bool isRegularFile(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

using testing_support::processGone;

// Polls for a condition, at most about 10 seconds.
bool within10s(const std::function<bool()>& condition) { return testing_support::within(10000, condition); }

enum class Squatter { LinkToAFile, DanglingLink, Fifo };

TEST(PlotgenOutputNames, LinksAndFifosAtEveryOutputNameAreReplacedNeverFollowed) {
  const char* const names[] = {"_CErr_.txt",       "curtain_data.dat", "profile_data.dat",
                               "median_data.dat",  "curtain_plot.jpg", "profile_plot.jpg"};
  for (const char* name : names) {
    for (Squatter squatter : {Squatter::LinkToAFile, Squatter::DanglingLink, Squatter::Fifo}) {
      SCOPED_TRACE(std::string(name) + " " + std::to_string(static_cast<int>(squatter)));
      TempDir dir, elsewhere;
      const std::string folder = dir.path();
      installStandInGnuplot(folder);
      std::string data = folder + "/data.dat";
      ASSERT_TRUE(writeFile(data, sampleFile()));
      writeList(folder, {data});
      ASSERT_TRUE(writeFile(elsewhere.file("target"), "keep me"));
      const std::string at = folder + "/" + name;
      switch (squatter) {
        case Squatter::LinkToAFile:
          ASSERT_EQ(::symlink(elsewhere.file("target").c_str(), at.c_str()), 0);
          break;
        case Squatter::DanglingLink:
          ASSERT_EQ(::symlink(elsewhere.file("missing").c_str(), at.c_str()), 0);
          break;
        case Squatter::Fifo:
          ASSERT_EQ(::mkfifo(at.c_str(), 0644), 0);
          break;
      }
      std::string errorOutput;
      EXPECT_EQ(runProgram(folder, plotButtonArguments(), &errorOutput), 1);
      EXPECT_EQ(errorOutput, "");
      // (A log left a FIFO would block this reading.)
      const bool plainLog = isRegularFile(folder + "/_CErr_.txt");
      EXPECT_TRUE(plainLog);
      if (plainLog) {
        EXPECT_EQ(logAfterStart(folder),
                  "OK. " + data + "\n"
                  "OK. Profile::gnuplotPath " + realPath(folder) + "/bin/gnuplot\n"
                  "OK. Curtain::gnuplotPath " + realPath(folder) + "/bin/gnuplot\n"
                  "OK. Start: 2018-04-12,00:00:00\n"
                  "Ok. End:   2018-04-12,01:59:59\n");
      }
      EXPECT_TRUE(isRegularFile(at));
      EXPECT_EQ(readFile(elsewhere.file("target")), "keep me");
      EXPECT_FALSE(std::filesystem::exists(elsewhere.file("missing")));
      // Nothing but the outputs, the inputs and the stand-in's scripts.
      EXPECT_EQ(testing_support::folderNames(folder),
                (std::vector<std::string>{"Data", "_CErr_.txt", "bin", "curtain_data.dat", "curtain_plot.jpg",
                                          "data.dat", "gnuplot_input_1.txt", "gnuplot_input_2.txt", "median_data.dat",
                                          "profile_data.dat", "profile_plot.jpg"}));
    }
  }
}

TEST(PlotgenOutputNames, AGnuplotEndsWithAVantorThatIsKilled) {
  TempDir dir, errors;
  const std::string folder = dir.path();
  std::filesystem::create_directories(folder + "/bin");
  ASSERT_TRUE(testing_support::writeScript(folder + "/bin/gnuplot",
                                           "cat > input.txt; echo $$ > pid.tmp; mv pid.tmp pid.txt; exec sleep 600\n"));
  std::string data = folder + "/data.dat";
  ASSERT_TRUE(writeFile(data, sampleFile()));
  writeList(folder, {data});
  platform::ChildProcess vantor;
  ASSERT_TRUE(startVantorProgram(folder, plotButtonArguments(), errors.file("stderr.txt"), &vantor));
  const bool hanging = within10s([&] { return std::filesystem::exists(folder + "/pid.txt"); });
  const int gnuplot = std::atoi(readFile(folder + "/pid.txt").c_str());
  ::kill(vantor.pid, SIGKILL);
  int status = 0;
  ::waitpid(vantor.pid, &status, 0);
  ASSERT_TRUE(hanging);
  ASSERT_GT(gnuplot, 0);
  EXPECT_TRUE(within10s([&] { return processGone(gnuplot); }));
  if (!processGone(gnuplot)) ::kill(gnuplot, SIGKILL);
}

}  // namespace
