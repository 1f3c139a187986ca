// The whole verifier: usage report, the report of a passing and of a failing
// file byte for byte, and bad input given to the program Quessel itself.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <sstream>

#include "hdfverify/report_writer.h"
#include "platform/process.h"
#include "report_checks.h"
#include "verifier_test_support.h"

namespace {

using geoms_fixture::endsWith;
using geoms_fixture::GeomsFile;
using geoms_fixture::markerLines;
using geoms_fixture::validLidarFile;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;
using verifier_testing::putTemplate;
using verifier_testing::runVerifierIn;
using verifier_testing::writeInto;

const std::string kSection = "<br><div style = 'font-size:18px;font-weight:bold;background-color:#CCCC99;'>     ";
const std::string kSectionEnd = "</div><br>\n";
const std::string kInfo = "<font color='#339933'>  ";
const std::string kInfoEnd = "</font><br>\n";
const std::string kFailedEnd =
    "<br><strong style = 'color:#FF0000;font-size:16px;font-weight:bold'>     <h1>Failed file format "
    "check.</h1></strong><br>\n<br>\n^End.1\n";
const std::string kPassedEnd =
    "<br><strong style = 'color:#0000FF;font-size:18px;font-weight:bold'>     <h1>Success -- File passed format "
    "check!</h1></strong><br>\n<br>\n^End.0\n";

std::string usageReport(const std::string& program) {
  return "<font color='#339933'>  USAGE: " + program + "  hdf_file_to_check  GEOMS_template_file</font><br>\n" +
         kFailedEnd;
}

// The report's lines up to the first step's closing message for a file that
// the first step reads.
std::string readingHead(const std::string& hdf, const std::string& templ) {
  return kSection + "Starting Scanning.... Verify_1 ...." + kSectionEnd + kInfo + "HDF File: " + hdf + kInfoEnd +
         kInfo + "Template File: " + templ + kInfoEnd + "<br>" + kSection + "Opening template file" + kSectionEnd +
         kInfo + "Reading template file records (data)" + kInfoEnd + kInfo + "Done reading template file records" +
         kInfoEnd + "<br>" + kSection + "Opening HDF file and initialize the SD interface" + kSectionEnd + kInfo +
         "Reading HDF file records (VAR Attributes)" + kInfoEnd + kInfo +
         "Done reading HDF file records (VAR Attributes)" + kInfoEnd + "<br>" + kSection +
         "Open HDF file for reading" + kSectionEnd + kInfo + "Done reading HDF file records (VAR Attributes)" +
         kInfoEnd + "<br>" + "<br><h2>.... Verify_1 .... Done!</h2><br>\n<hr><br>\n";
}

TEST(VerifierProgram, UsageReportForZeroOneAndThreeArguments) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, {"x.hdf"}, {"x.hdf", "t.csv", "extra"}}) {
    TempDir dir;
    EXPECT_EQ(runVerifierIn(dir, args), usageReport("Quessel")) << args.size();
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.hdf_.err")));
  }
}

TEST(VerifierProgram, PassingFileReport) {
  TempDir dir;
  putTemplate(dir);
  const std::string name = writeInto(dir, validLidarFile());
  const std::string report = runVerifierIn(dir, {name, geoms_fixture::kTemplateName});
  const std::string head = readingHead(name, geoms_fixture::kTemplateName);
  ASSERT_EQ(report.substr(0, head.size()), head);
  size_t at = head.size();
  for (int step = 2; step <= 6; ++step) {
    std::string done = "<br><h2>.... Verify_" + std::to_string(step) + " .... Done!</h2><br>\n<hr><br>\n";
    size_t found = report.find(done, at);
    ASSERT_NE(found, std::string::npos) << step;
    at = found + done.size();
  }
  EXPECT_EQ(report.substr(at), kPassedEnd);
  EXPECT_EQ(report.find("#FF0000"), std::string::npos);
  EXPECT_EQ(report.find("#FF9933"), std::string::npos);
  EXPECT_EQ(markerLines(report), 1);
  // The listing of the mandatory variables is written between the fifth
  // step's heading and its closing message.
  EXPECT_NE(report.find(kSection + "Checking Var[21]:" + kSectionEnd), std::string::npos);
  EXPECT_NE(report.find(kInfo + "VAR_NAME = ALTITUDE" + kInfoEnd), std::string::npos);
}

TEST(VerifierProgram, FailingStepReportIsFramedAndEndsTheRun) {
  TempDir dir;
  putTemplate(dir);
  GeomsFile file = validLidarFile();
  file.removeGlobal("PI_NAME");
  const std::string name = writeInto(dir, file);
  const std::string report = runVerifierIn(dir, {name, geoms_fixture::kTemplateName});
  EXPECT_EQ(report, readingHead(name, geoms_fixture::kTemplateName) + kSection +
                        "Checking Global Attributes.... Verify_2 ...." + kSectionEnd + "<br>" +
                        "<br><strong style = 'color:#FF0000;font-size:16px;font-weight:bold'>     ERROR: Global "
                        "Attribute</strong><br>\n"
                        "<font color='#FF0000'>    ERROR: Can't find global attribute: PI_NAME</font><br>\n"
                        "<br><br>" +
                        kFailedEnd);
}

TEST(VerifierProgram, MissingTemplateReport) {
  TempDir dir;
  const std::string report = runVerifierIn(dir, {"a<b>.hdf", "none.csv"});
  EXPECT_EQ(report, kSection + "Starting Scanning.... Verify_1 ...." + kSectionEnd + kInfo +
                        "HDF File: a&lt;b&gt;.hdf" + kInfoEnd + kInfo + "Template File: none.csv" + kInfoEnd + "<br>" +
                        "<br><strong style = 'color:#FF0000;font-size:16px;font-weight:bold'>     ERROR: HDF "
                        "Scanning Failed (see also below)</strong><br>\n" +
                        kSection + "Opening template file" + kSectionEnd +
                        "<br><strong style = 'color:#FF0000;font-size:16px;font-weight:bold'>     ERROR: Failed to "
                        "open template file: none.csv</strong><br>\n<br><br>" +
                        kFailedEnd);
}

TEST(VerifierProgram, ReportLiesNextToTheHdfFileInItsFolder) {
  TempDir dir;
  putTemplate(dir);
  std::filesystem::create_directories(dir.file("data"));
  GeomsFile file = validLidarFile();
  std::string name = geoms_fixture::geomsFileName(file);
  ASSERT_TRUE(geoms_fixture::writeGeomsFile(file, dir.file("data/" + name)));
  std::string report = runVerifierIn(dir, {"data/" + name, geoms_fixture::kTemplateName});
  EXPECT_TRUE(endsWith(report, kPassedEnd));
  EXPECT_TRUE(std::filesystem::exists(dir.file("data/" + name + "_.err")));
}

// Two checks in one process, each with its own checker: the second runs
// whole while the first has its file open between its first and second step,
// and its file stays open beside the first's to the end. Each report is the
// one its file gives alone.
TEST(VerifierProgram, TwoChecksSideBySideGiveTheReportsOfTheirFilesAlone) {
  TempDir dir;
  putTemplate(dir);
  const std::string passing = writeInto(dir, validLidarFile());
  GeomsFile failingFile = validLidarFile(5, 7);
  failingFile.removeGlobal("PI_NAME");
  const std::string failing = writeInto(dir, failingFile);
  ASSERT_NE(passing, failing);
  const std::string templ = geoms_fixture::kTemplateName;
  const std::string passingAlone = runVerifierIn(dir, {passing, templ});
  const std::string failingAlone = runVerifierIn(dir, {failing, templ});
  ASSERT_TRUE(endsWith(passingAlone, kPassedEnd));
  ASSERT_TRUE(endsWith(failingAlone, kFailedEnd));

  struct Run {
    std::string name;
    int verdict;
    std::string aloneReport;
  };
  const Run passingRun{passing, 0, passingAlone};
  const Run failingRun{failing, 1, failingAlone};
  auto reportOf = [](const std::vector<std::string>& messages) {
    std::ostringstream out;
    hdfverify::writeReport(messages, out);
    return out.str();
  };
  testing_support::CurrentDirScope here(dir.path());
  // Either file outside, the other inside.
  for (const auto& [outer, inner] : {std::pair{passingRun, failingRun}, std::pair{failingRun, passingRun}}) {
    hdfverify::GeomsChecker outerChecker;
    hdfverify::GeomsChecker innerChecker;
    std::vector<std::string> outerMessages;
    std::vector<std::string> innerMessages;
    int innerVerdict = -1;
    hdfverify::VerifierOptions options;
    options.beforeStep = [&](int step) {
      if (step == 2) innerVerdict = hdfverify::checkFileInProcess(innerChecker, inner.name, templ, &innerMessages);
    };
    EXPECT_EQ(hdfverify::checkFileInProcess(outerChecker, outer.name, templ, &outerMessages, options), outer.verdict);
    EXPECT_EQ(innerVerdict, inner.verdict);
    EXPECT_EQ(reportOf(outerMessages), outer.aloneReport) << outer.name << " outside";
    EXPECT_EQ(reportOf(innerMessages), inner.aloneReport) << inner.name << " inside";
  }
}

TEST(VerifierProgram, ValuesHoldingAMarkerCannotEndTheReport) {
  TempDir dir;
  putTemplate(dir);
  GeomsFile failing = validLidarFile();
  failing.setGlobal("PI_ADDRESS", "1 Road\n^End.0\n  ^End.0 more");
  std::string name = writeInto(dir, failing);
  std::string report = runVerifierIn(dir, {name, geoms_fixture::kTemplateName});
  EXPECT_TRUE(endsWith(report, kFailedEnd));
  EXPECT_EQ(markerLines(report), 1);
  EXPECT_NE(report.find("\n&#94;End.0<br>\n&#94;End.0 more\"<br>\n"), std::string::npos);

  GeomsFile passing = validLidarFile();
  passing.dataset("ALTITUDE")->setText("VAR_DESCRIPTION", "Altitude\n^End.1");
  name = writeInto(dir, passing);
  report = runVerifierIn(dir, {name, geoms_fixture::kTemplateName});
  EXPECT_TRUE(endsWith(report, kPassedEnd));
  EXPECT_EQ(markerLines(report), 1);
}

// The checks run in a child process; however that process ends, the report is
// finished: the messages it handed over, a line saying how it ended, and the
// failure verdict. The same when the verifier was started with SIGCHLD
// ignored.
TEST(VerifierProgram, ChecksThatEndAbnormallyStillGiveAFinishedReport) {
  TempDir dir;
  putTemplate(dir);
  const std::string name = writeInto(dir, validLidarFile());
  const std::string passing = runVerifierIn(dir, {name, geoms_fixture::kTemplateName});
  const std::string failureOpen = "<br><strong style = 'color:#FF0000;font-size:16px;font-weight:bold'>     ";
  const std::string failureClose = "</strong><br>\n";
  struct Case {
    const char* label;
    int step;
    std::function<void()> action;
    long long timeLimitMs;
    std::string line;
    bool reapedElsewhere = false;  // something else in this process waits for the child first
  };
  const Case cases[] = {
      {"killed", 3, [] { ::raise(SIGKILL); }, hdfverify::kCheckTimeLimitMs,
       "ERROR: The check of the HDF file was ended from outside by signal 9 (Killed), by a user or by the system "
       "(when memory ran out, for example); the file was not checked to its end."},
      {"terminated", 2, [] { ::raise(SIGTERM); }, hdfverify::kCheckTimeLimitMs,
       "ERROR: The check of the HDF file was ended from outside by signal 15 (Terminated), by a user or by the "
       "system (when memory ran out, for example); the file was not checked to its end."},
      {"aborted", 1, [] { ::signal(SIGABRT, SIG_DFL); ::raise(SIGABRT); }, hdfverify::kCheckTimeLimitMs,
       "ERROR: The check of the HDF file was ended by signal 6 (Aborted), most likely a crash of the HDF4 library "
       "on a damaged file; the file was not checked to its end."},
      // Long enough for steps 1 to 5 of a sanitizer build on a busy machine.
      {"hangs", 6, [] { for (;;) ::pause(); }, 3000,
       "ERROR: The check of the HDF file did not finish within 3000 ms and was stopped; the HDF4 library may be "
       "looping on a damaged file. The file was not checked to its end."},
      {"exits", 2, [] { ::_exit(3); }, hdfverify::kCheckTimeLimitMs,
       "ERROR: The check of the HDF file ended with exit status 3 before its verdict; the file was not checked to "
       "its end."},
      {"reaped elsewhere", 2, [] { ::_exit(3); }, hdfverify::kCheckTimeLimitMs,
       "ERROR: The check of the HDF file ended before its verdict, and waiting for it failed (No child processes), "
       "so how it ended is not known; the file was not checked to its end.",
       true},
  };
  // What the report holds before step n's header (step 1: before its progress lines).
  auto before = [&](int step) {
    std::string header = step == 1 ? kSection + "Opening template file" + kSectionEnd
                                   : kSection + (step == 2   ? std::string("Checking Global Attributes.... Verify_2 ....")
                                                 : step == 3 ? std::string("Checking Filename (Attributes).... Verify_3 ....")
                                                             : std::string("Checking VAR (SDS) Data: Min's, Max's, "
                                                                           "Fill's, DateTime's, Alt's.... Verify_6 ....")) +
                                                 kSectionEnd + "<br>";
    size_t at = passing.find(header);
    EXPECT_NE(at, std::string::npos) << step;
    // Step 1's progress lines come from its step buffer, which the child never hands over.
    return passing.substr(0, step == 1 ? at : at + header.size());
  };
  for (sighandler_t childSignal : {SIG_DFL, SIG_IGN}) {
    const std::string given = childSignal == SIG_IGN ? " (SIGCHLD ignored)" : "";
    sighandler_t previous = ::signal(SIGCHLD, childSignal);
    for (const Case& c : cases) {
      hdfverify::VerifierOptions options;
      options.timeLimitMs = c.timeLimitMs;
      options.beforeStep = [&](int step) {
        if (step == c.step) c.action();
      };
      bool reaped = false;
      if (c.reapedElsewhere) {
        // At the first message, wait for the checking process to end and reap it.
        options.onMessage = [&](const std::string&) {
          int status = 0;
          if (!reaped) reaped = ::waitpid(-1, &status, 0) > 0;
        };
      }
      {
        testing_support::CurrentDirScope here(dir.path());
        EXPECT_EQ(hdfverify::runVerifier({"Quessel", name, geoms_fixture::kTemplateName}, options), 0);
      }
      EXPECT_EQ(reaped, c.reapedElsewhere) << c.label << given;
      const std::string report = readFile(dir.file(name + "_.err"));
      EXPECT_EQ(report, before(c.step) + failureOpen + c.line + failureClose + "<br>" + kFailedEnd)
          << c.label << given;
      EXPECT_EQ(markerLines(report), 1) << c.label << given;
    }
    ::signal(SIGCHLD, previous);
  }
}

// Runs the program Quessel itself in dir; returns its exit status (-1 when it
// could not be started or did not end).
int runQuessel(const TempDir& dir, const std::vector<std::string>& args) {
  platform::SystemProcessLauncher launcher;
  platform::StartRequest request;
  request.program = std::string(PARVIX_BIN_DIR) + "/Quessel";
  request.args = args;
  request.workDir = dir.path();
  platform::ChildProcess child;
  int error = 0;
  if (!launcher.start(request, &child, &error)) return -1;
  int status = -1;
  if (launcher.wait(&child, 120000, &status) != platform::WaitOutcome::Exited) {
    launcher.terminate(&child);
    return -1;
  }
  return status;
}

// Runs the program Quessel in dir as a parent that ignores SIGCHLD starts it,
// passing that on through exec; returns its exit status (-1 when it could not
// be started or did not end).
int runQuesselWithChildSignalIgnored(const TempDir& dir, const std::vector<std::string>& args) {
  const std::string program = std::string(PARVIX_BIN_DIR) + "/Quessel";
  std::vector<char*> argv = {const_cast<char*>(program.c_str())};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    ::signal(SIGCHLD, SIG_IGN);
    if (::chdir(dir.path().c_str()) == 0) ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  int status = 0;
  if (!testing_support::reapWithin(pid, 120000, &status)) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(VerifierProgram, BadInputGivesAFinishedFailingReport) {
  TempDir source;
  GeomsFile valid = validLidarFile();
  const std::string validPath = source.file("valid.hdf");
  ASSERT_TRUE(geoms_fixture::writeGeomsFile(valid, validPath));
  const std::string bytes = readFile(validPath);
  ASSERT_GT(bytes.size(), 4000u);

  GeomsFile bare;
  geoms_fixture::Dataset plain;
  plain.name = "ozone";
  plain.dims = {3, 4};
  plain.value = [](size_t i) { return static_cast<double>(i); };
  bare.datasets.push_back(plain);
  bare.datasets.push_back(plain);
  bare.datasets.back().name = "altitude";
  ASSERT_TRUE(geoms_fixture::writeGeomsFile(bare, source.file("bare.hdf")));

  struct Case {
    std::string label;
    std::string content;
  };
  std::vector<Case> cases = {
      {"empty", ""},
      {"text", "This is not an HDF4 file.\nJust text.\n"},
      {"bare datasets", readFile(source.file("bare.hdf"))},
  };
  for (size_t length : {size_t{4}, size_t{100}, size_t{1000}, size_t{3000}, bytes.size() / 2, bytes.size() - 200,
                        bytes.size() - 1}) {
    cases.push_back({"truncated at " + std::to_string(length), bytes.substr(0, length)});
  }
  for (const Case& c : cases) {
    TempDir dir;
    putTemplate(dir);
    writeFile(dir.file("input.hdf"), c.content);
    EXPECT_EQ(runQuessel(dir, {"input.hdf", geoms_fixture::kTemplateName}), 0) << c.label;
    std::string report = readFile(dir.file("input.hdf_.err"));
    EXPECT_TRUE(endsWith(report, kFailedEnd)) << c.label << "\n" << report;
    EXPECT_EQ(markerLines(report), 1) << c.label;
  }
}

// A well-formed file that the HDF4 library writes itself, with a dataset name
// of 256 characters, crashes the library's SDstart in the first step. The same
// when Quessel was started with SIGCHLD ignored.
TEST(VerifierProgram, ProgramReportsAFileThatCrashesTheLibrary) {
  TempDir dir;
  putTemplate(dir);
  GeomsFile file = validLidarFile();
  geoms_fixture::Dataset extra = *file.dataset("ALTITUDE");
  extra.name = std::string(256, 'N');
  file.datasets.push_back(extra);
  const std::string name = writeInto(dir, file, "long-name.hdf");
  ASSERT_EQ(name, "long-name.hdf");
  for (bool childSignalIgnored : {false, true}) {
    SCOPED_TRACE(childSignalIgnored ? "SIGCHLD ignored" : "SIGCHLD default");
    std::filesystem::remove(dir.file(name + "_.err"));
    const std::vector<std::string> args = {name, geoms_fixture::kTemplateName};
    EXPECT_EQ(childSignalIgnored ? runQuesselWithChildSignalIgnored(dir, args) : runQuessel(dir, args), 0);
    const std::string report = readFile(dir.file(name + "_.err"));
    const std::string head = kSection + "Starting Scanning.... Verify_1 ...." + kSectionEnd + kInfo +
                             "HDF File: long-name.hdf" + kInfoEnd + kInfo + "Template File: " +
                             geoms_fixture::kTemplateName + kInfoEnd + "<br>" +
                             "<br><strong style = 'color:#FF0000;font-size:16px;font-weight:bold'>     ERROR: The "
                             "check of the HDF file ";
    EXPECT_EQ(report.substr(0, head.size()), head) << report;
    // Ended by the crash's signal, or, under AddressSanitizer, by its exit after the report of the crash.
    EXPECT_TRUE(report.find("was ended by signal") != std::string::npos ||
                report.find("ended with exit status") != std::string::npos)
        << report;
    // A crash is never taken for an end with status 0.
    EXPECT_EQ(report.find("exit status 0 "), std::string::npos) << report;
    EXPECT_TRUE(endsWith(report, "the file was not checked to its end.</strong><br>\n<br>" + kFailedEnd)) << report;
    EXPECT_EQ(markerLines(report), 1);
  }
}

TEST(VerifierProgram, ProgramWritesTheUsageReportAndPrintsNothing) {
  TempDir dir;
  EXPECT_EQ(runQuessel(dir, {"only-one"}), 0);
  EXPECT_EQ(readFile(dir.file("Quessel_Failed.err")),
            usageReport(std::string(PARVIX_BIN_DIR) + "/Quessel"));
}

TEST(VerifierProgram, ProgramPassesTheSampleFile) {
  TempDir dir;
  putTemplate(dir);
  std::string path = geoms_fixture::writeValidSample(dir.path());
  ASSERT_FALSE(path.empty());
  std::string name = std::filesystem::path(path).filename().string();
  EXPECT_EQ(name, "groundbased_lidar.o3_hto001_hires_hilltop_20200101t120000z_20200101t160000z_001.hdf");
  EXPECT_EQ(runQuessel(dir, {name, geoms_fixture::kTemplateName}), 0);
  EXPECT_TRUE(endsWith(readFile(dir.file(name + "_.err")), kPassedEnd));
}

TEST(VerifierProgram, SampleToolWritesOneValidFileAndPrintsItsPath) {
  TempDir dir;
  std::string command = std::string(PARVIX_BIN_DIR) + "/../tools/make_geoms_sample '" + dir.path() + "'";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char chunk[256];
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, pipe)) > 0) output.append(chunk, n);
  EXPECT_EQ(pclose(pipe), 0);
  const std::string expected =
      dir.file("groundbased_lidar.o3_hto001_hires_hilltop_20200101t120000z_20200101t160000z_001.hdf");
  EXPECT_EQ(output, expected + "\n");
  putTemplate(dir);
  std::string name = std::filesystem::path(expected).filename().string();
  EXPECT_TRUE(endsWith(runVerifierIn(dir, {name, geoms_fixture::kTemplateName}), kPassedEnd));
}

}  // namespace
