// A gnuplot that fails in any way: its exit and its image are checked after it
// ends, one ERROR line says what happened and for which image, and the run
// ends with status 0 without any image at that name.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "plotgen/gnuplot_pipe.h"
#include "tests/plotgen/vantor_harness.h"
#include "tests/support/platform_doubles.h"
#include "tests/support/text_samples.h"

using namespace plotgen_tests;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;
using testing_support::writeScript;

namespace {

// The plot button's line without the profile plot: only the curtain plot.
std::vector<std::string> curtainOnlyArguments() {
  return words("ANY 0 1 true false 0 1000 20000000000000 20200000000000 false 0 300 100 12000 false false false false 0 0");
}

std::string oneProfileFile() {
  return testing_support::profileFileText({block("2018-01-05, 10:00:00", "2018-01-05, 11:00:00", "2018-01-05, 10:30:00",
                                                 {dataLine("100.0", "1.0e+18", "1.0e+17", "40.0", "2.0", "850.00")})});
}

class GnuplotFailure : public testing::Test {
 protected:
  void SetUp() override {
    folder = dir.path();
    std::filesystem::create_directories(folder + "/bin");
    gnuplot = realPath(folder) + "/bin/gnuplot";
    data = folder + "/t.dat";
    ASSERT_TRUE(writeFile(data, oneProfileFile()));
    writeList(folder, {data});
  }
  bool exists(const std::string& name) const {
    struct stat st;
    return ::lstat((folder + "/" + name).c_str(), &st) == 0;
  }

  TempDir dir;
  std::string folder;
  std::string gnuplot;
  std::string data;
};

struct FailureCase {
  const char* script;  // the stand-in gnuplot's body, after it has read its input
  const char* error;   // the ERROR line without its image name
};

const FailureCase kFailures[] = {
    {"exit 3", "ERROR: gnuplot ended with status 3, image not made: "},
    {"write_images input.txt; exit 3", "ERROR: gnuplot ended with status 3, image not made: "},
    {"kill -SEGV $$", "ERROR: gnuplot ended by signal 11 (SIGSEGV), image not made: "},
    {"write_images input.txt; kill -KILL $$", "ERROR: gnuplot ended by signal 9 (SIGKILL), image not made: "},
    {"exit 0", "ERROR: gnuplot image was not written: "},
    {": > \"$IMAGE\"", "ERROR: gnuplot image is empty: "},
    {"printf '\\377\\330\\377\\340 cut by a full disk' > \"$IMAGE\"", "ERROR: gnuplot image is cut short: "},
    {"printf 'GIF89a\\377\\331' > \"$IMAGE\"", "ERROR: gnuplot image is cut short: "},
    {"printf '\\377\\331' > \"$IMAGE\"", "ERROR: gnuplot image is cut short: "},
    {"mkfifo \"$IMAGE\"", "ERROR: gnuplot image is not a plain file: "},
    {"mkdir \"$IMAGE\"", "ERROR: gnuplot image is not a plain file: "},
};

// A stand-in gnuplot that keeps its input as input.txt, then runs the body
// with IMAGE set to the image its input names.
std::string failingGnuplot(const char* body) {
  return std::string(kWriteImagesFunction) +
         "cat > input.txt\n"
         "IMAGE=$(sed -n 's/^set output \"\\(.*\\)\"$/\\1/p' input.txt)\n" +
         body + "\n";
}

TEST_F(GnuplotFailure, TheCurtainPlotsGnuplotFailingEndsTheRunWithOneErrorLine) {
  for (const FailureCase& c : kFailures) {
    SCOPED_TRACE(c.script);
    ASSERT_TRUE(writeScript(folder + "/bin/gnuplot", failingGnuplot(c.script)));
    // An image of an earlier run is not left to pass for this run's.
    ASSERT_TRUE(writeFile(folder + "/curtain_plot.jpg", "\xFF\xD8 an earlier image \xFF\xD9"));
    VantorResult result = runVantorIn(folder, curtainOnlyArguments());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.errorOutput, "");
    EXPECT_EQ(logAfterStart(folder), "OK. " + data + "\n" +
                                         "OK. Curtain::gnuplotPath " + gnuplot + "\n" + c.error +
                                         "curtain_plot.jpg\n");
    EXPECT_NE(readFile(folder + "/input.txt").find("set output \"curtain_plot.jpg\"\n"), std::string::npos);
    std::filesystem::remove(folder + "/curtain_plot.jpg");  // a folder that gnuplot made stays
    EXPECT_FALSE(exists("curtain_plot.jpg"));
  }
}

TEST_F(GnuplotFailure, TheProfilePlotsGnuplotFailingEndsTheRunBeforeTheCurtainPlot) {
  for (const FailureCase& c : kFailures) {
    SCOPED_TRACE(c.script);
    ASSERT_TRUE(writeScript(folder + "/bin/gnuplot", "[ -e input.txt ] && exit 99\n" + failingGnuplot(c.script)));
    std::filesystem::remove(folder + "/input.txt");
    ASSERT_TRUE(writeFile(folder + "/profile_plot.jpg", "\xFF\xD8 an earlier image \xFF\xD9"));
    ASSERT_TRUE(writeFile(folder + "/curtain_plot.jpg", "\xFF\xD8 an earlier image \xFF\xD9"));
    VantorResult result = runVantorIn(folder, plotButtonArguments());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(logAfterStart(folder), "OK. " + data + "\n" +
                                         "OK. Profile::gnuplotPath " + gnuplot + "\n" + c.error +
                                         "profile_plot.jpg\n");
    std::filesystem::remove(folder + "/profile_plot.jpg");
    EXPECT_FALSE(exists("profile_plot.jpg"));
    // No curtain plot was started: the earlier curtain image is as it was.
    EXPECT_EQ(readFile(folder + "/curtain_plot.jpg"), "\xFF\xD8 an earlier image \xFF\xD9");
  }
}

TEST_F(GnuplotFailure, AWholeImageAndStatusZeroPass) {
  ASSERT_TRUE(writeScript(folder + "/bin/gnuplot", failingGnuplot("write_images input.txt")));
  VantorResult result = runVantorIn(folder, curtainOnlyArguments());
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(logAfterStart(folder), "OK. " + data + "\n" +
                                       "OK. Curtain::gnuplotPath " + gnuplot + "\n"
                                       "OK. Start: 2018-01-05,10:00:00\n"
                                       "Ok. End:   2018-01-05,11:00:00\n");
  EXPECT_EQ(readFile(folder + "/curtain_plot.jpg"), "\xFF\xD8\xFF\xE0stand-in\xFF\xD9");
}

TEST_F(GnuplotFailure, AGnuplotThatCannotBeStartedIsLogged) {
  // An executable file that is no program.
  ASSERT_TRUE(writeFile(folder + "/bin/gnuplot", "not a program\n"));
  ASSERT_EQ(::chmod((folder + "/bin/gnuplot").c_str(), 0755), 0);
  VantorResult result = runVantorIn(folder, curtainOnlyArguments());
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.errorOutput, "Error: Gnuplot not found!");
  EXPECT_EQ(logAfterStart(folder), "OK. " + data + "\n" +
                                       "OK. Curtain::gnuplotPath " + gnuplot + "\n" +
                                       "ERROR: gnuplot could not be started (Exec format error), image not made: "
                                       "curtain_plot.jpg\n");
}

TEST_F(GnuplotFailure, AGnuplotThatNeverEndsIsStoppedAfterTheTimeLimit) {
  // One that reads its script and hangs, and one that never reads at all.
  for (const char* hang : {"cat > input.txt; echo $$ > pid.txt; exec sleep 600", "echo $$ > pid.txt; exec sleep 600"}) {
    SCOPED_TRACE(hang);
    ASSERT_TRUE(writeScript(folder + "/bin/gnuplot", std::string(hang) + "\n"));
    plotgen::RunState run;
    run.gnuplotTimeLimitMs = 300;
    VantorResult result = runVantorIn(folder, curtainOnlyArguments(), run);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(logAfterStart(folder), "OK. " + data + "\n" +
                                         "OK. Curtain::gnuplotPath " + gnuplot + "\n" +
                                         "ERROR: gnuplot still running 0.3 s after its script was sent, stopped, "
                                         "image not made: curtain_plot.jpg\n");
    const int pid = std::atoi(readFile(folder + "/pid.txt").c_str());
    ASSERT_GT(pid, 0);
    EXPECT_TRUE(testing_support::processGone(pid));
  }
}

TEST(GnuplotImage, AWholeJpegFileHasNoProblem) {
  TempDir dir, elsewhere;
  struct Case {
    const char* name;
    std::string bytes;  // written as a file; "" with a setup below
    const char* problem;
  };
  const Case cases[] = {
      {"whole.jpg", std::string("\xFF\xD8\xFF\xD9", 4), ""},
      {"whole2.jpg", std::string("\xFF\xD8\xFF\xE0 JFIF data \xFF\xD9"), ""},
      {"empty.jpg", "", "is empty"},
      {"short.jpg", std::string("\xFF\xD8\xD9"), "is cut short"},
      {"cut.jpg", std::string("\xFF\xD8\xFF\xE0 JFIF data"), "is cut short"},
      {"other.jpg", std::string("GIF89a\xFF\xD9"), "is cut short"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(writeFile(dir.file(c.name), c.bytes));
    EXPECT_EQ(plotgen::imageProblem(dir.file(c.name)), c.problem) << c.name;
  }
  EXPECT_EQ(plotgen::imageProblem(dir.file("missing.jpg")), "was not written");
  // A link is not followed, even to a whole image; a FIFO is not waited on.
  ASSERT_TRUE(writeFile(elsewhere.file("target.jpg"), std::string("\xFF\xD8\xFF\xD9", 4)));
  ASSERT_EQ(::symlink(elsewhere.file("target.jpg").c_str(), dir.file("link.jpg").c_str()), 0);
  EXPECT_EQ(plotgen::imageProblem(dir.file("link.jpg")), "is not a plain file");
  ASSERT_EQ(::mkfifo(dir.file("fifo.jpg").c_str(), 0644), 0);
  EXPECT_EQ(plotgen::imageProblem(dir.file("fifo.jpg")), "is not a plain file");
}

}  // namespace
