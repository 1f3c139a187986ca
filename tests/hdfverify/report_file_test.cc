// The verifier's report as a file: it takes its name only when it is whole. A
// full disk leaves no cut report and is said on standard error; a link at the
// report's name is replaced by the report, never written through.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "verifier_test_support.h"

namespace {

using testing_support::folderNames;
using testing_support::readFile;
using testing_support::SmallDisk;
using testing_support::TempDir;
using testing_support::writeFile;
using Names = std::vector<std::string>;

// How a run of the program Quessel ended, and what it wrote to standard error.
struct ProgramRun {
  int exitStatus = -1;  // -1 when it could not be started or did not end
  std::string errorText;
};

// Runs the program Quessel in `folder` with the arguments, its standard error
// going to `errorFile`.
ProgramRun runQuessel(const std::string& folder, const std::vector<std::string>& args, const std::string& errorFile) {
  const std::string program = std::string(PARVIX_BIN_DIR) + "/Quessel";
  std::vector<char*> argv = {const_cast<char*>(program.c_str())};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  ProgramRun run;
  const pid_t pid = ::fork();
  if (pid < 0) return run;
  if (pid == 0) {
    const int fd = ::open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::dup2(fd, 2) < 0 || ::chdir(folder.c_str()) != 0) ::_exit(126);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  int status = 0;
  if (!testing_support::reapWithin(pid, 120000, &status)) return run;
  run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.errorText = readFile(errorFile);
  return run;
}

bool isRegularFile(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

TEST(VerifierReportFile, AFullDiskLeavesNoCutReportAndIsSaidOnStandardError) {
  TempDir other;  // a clean run, and the program's standard error
  verifier_testing::putTemplate(other);
  const std::string templateName = geoms_fixture::kTemplateName;
  const std::string name = verifier_testing::writeInto(other, geoms_fixture::validLidarFile());
  const std::string hdf = readFile(other.file(name));
  // The passing file's report, some 18 KB.
  ASSERT_EQ(runQuessel(other.path(), {name, templateName}, other.file("clean.txt")).exitStatus, 0);
  const std::string report = readFile(other.file(name + "_.err"));
  ASSERT_GT(report.size(), 16u * 1024 + 512);
  ASSERT_TRUE(report.ends_with("^End.0\n"));

  for (bool oldReport : {false, true}) {
    SCOPED_TRACE(oldReport ? "an older report at the name" : "no report at the name");
    SmallDisk disk(128 * 1024);
    if (!disk.mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
    ASSERT_TRUE(writeFile(disk.file(name), hdf));
    ASSERT_TRUE(writeFile(disk.file(templateName), readFile(other.file(templateName))));
    if (oldReport) {
      ASSERT_TRUE(writeFile(disk.file(name + "_.err"), "old report\n^End.0\n"));
    }
    ASSERT_TRUE(disk.fillLeaving(16 * 1024));
    const Names before = folderNames(disk.path());
    const ProgramRun run = runQuessel(disk.path(), {name, templateName}, other.file("stderr.txt"));
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.errorText, "Quessel: could not write the report " + name + "_.err: No space left on device\n");
    // The name holds what it held; no temporary file is left.
    EXPECT_EQ(folderNames(disk.path()), before);
    if (oldReport) {
      EXPECT_EQ(readFile(disk.file(name + "_.err")), "old report\n^End.0\n");
    }
    EXPECT_EQ(readFile(disk.file(name)), hdf);

    // With room again the report is written whole, and nothing is said.
    std::filesystem::remove(disk.file(".filler"));
    const ProgramRun again = runQuessel(disk.path(), {name, templateName}, other.file("stderr.txt"));
    EXPECT_EQ(again.exitStatus, 0);
    EXPECT_EQ(again.errorText, "");
    EXPECT_EQ(readFile(disk.file(name + "_.err")), report);
    EXPECT_EQ(folderNames(disk.path()), (Names{templateName, name, name + "_.err"}));
  }
}

TEST(VerifierReportFile, AReportThatCannotBeCreatedIsSaidOnStandardError) {
  TempDir dir;
  const ProgramRun run = runQuessel(dir.path(), {"missing/x.hdf", "t.csv"}, dir.file("stderr.txt"));
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.errorText, "Quessel: could not write the report missing/x.hdf_.err: No such file or directory\n");
  EXPECT_EQ(folderNames(dir.path()), Names{"stderr.txt"});
}

// A link at the report's name: to the HDF file itself, to a file elsewhere, to
// nothing. The report replaces the link; the HDF file and the link's target
// keep their bytes, and no missing target is created.
TEST(VerifierReportFile, ALinkAtTheReportsNameIsReplacedNeverWrittenThrough) {
  TempDir clean;
  verifier_testing::putTemplate(clean);
  const std::string name = verifier_testing::writeInto(clean, geoms_fixture::validLidarFile());
  const std::string hdf = readFile(clean.file(name));
  const std::string report = verifier_testing::runVerifierIn(clean, {name, geoms_fixture::kTemplateName});
  ASSERT_TRUE(report.ends_with("^End.0\n"));

  TempDir elsewhere;
  ASSERT_TRUE(writeFile(elsewhere.file("keep.txt"), "keep me"));
  struct Case {
    const char* label;
    std::string target;
  };
  for (const Case& c : {Case{"the HDF file itself", name}, Case{"a file elsewhere", elsewhere.file("keep.txt")},
                        Case{"a dangling link", elsewhere.file("missing.txt")}}) {
    SCOPED_TRACE(c.label);
    TempDir dir;
    verifier_testing::putTemplate(dir);
    ASSERT_TRUE(writeFile(dir.file(name), hdf));
    ASSERT_EQ(::symlink(c.target.c_str(), dir.file(name + "_.err").c_str()), 0);
    EXPECT_EQ(verifier_testing::runVerifierIn(dir, {name, geoms_fixture::kTemplateName}), report);
    EXPECT_TRUE(isRegularFile(dir.file(name + "_.err")));
    EXPECT_EQ(readFile(dir.file(name)), hdf);
    EXPECT_EQ(folderNames(dir.path()), (Names{geoms_fixture::kTemplateName, name, name + "_.err"}));
  }
  // The usage report the same.
  {
    TempDir dir;
    ASSERT_EQ(::symlink(elsewhere.file("keep.txt").c_str(), dir.file(hdfverify::kUsageReportName).c_str()), 0);
    const std::string usage = verifier_testing::runVerifierIn(dir, {"only-one"});
    EXPECT_TRUE(usage.ends_with("^End.1\n")) << usage;
    EXPECT_TRUE(isRegularFile(dir.file(hdfverify::kUsageReportName)));
  }
  EXPECT_EQ(readFile(elsewhere.file("keep.txt")), "keep me");
  EXPECT_EQ(folderNames(elsewhere.path()), Names{"keep.txt"});
}

}  // namespace
