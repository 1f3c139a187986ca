// The scan report as a file: it takes its name only when it is whole. A full
// disk fails the scan with a box, a scan that ends early leaves the name as it
// was, and a link at the name is replaced by the report, never written through.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <stdexcept>

#include "scanner/scanner.h"
#include "tests/support/platform_doubles.h"
#include "tests/support/text_samples.h"

using namespace testing_support;

namespace {

using Names = std::vector<std::string>;

const std::string kReportSuffix = "__ScanMsgs.htm";

// A passed PROFILE file whose report with the detail tables is some 40 KB.
std::string largePassingProfile() {
  std::vector<ProfileBlock> blocks;
  for (int hour = 1; hour <= 12; ++hour) {
    auto stamp = [&](const char* minutesSeconds) {
      return "2018-04-12, " + std::string(hour < 10 ? "0" : "") + std::to_string(hour) + minutesSeconds;
    };
    blocks.push_back(profileBlock(stamp(":00:00"), stamp(":59:59"), stamp(":30:00"), 10));
  }
  return profileFileText(blocks);
}

bool isRegularFile(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// What a scan of the text gives in a folder of its own: the result and the report.
struct CleanScan {
  int result;
  std::string report;
};
CleanScan cleanScan(const std::string& name, const std::string& text, bool details) {
  TempDir dir;
  writeFile(dir.file(name), text);
  CleanScan out;
  out.result = scanFile(dir.file(name).c_str(), details, ScanSettings{}, nullptr);
  out.report = readFile(dir.file(name) + kReportSuffix);
  return out;
}

TEST(ScanReportFile, AFullDiskFailsThePassedScanWithABoxAndLeavesNoCutReport) {
  FixedClock clock(2018, 4, 12);
  const std::string name = profileFileName();
  const std::string text = largePassingProfile();
  const CleanScan clean = cleanScan(name, text, true);
  ASSERT_EQ(clean.result, 0);
  ASSERT_GT(clean.report.size(), 36u * 1024);

  for (bool oldReport : {false, true}) {
    SCOPED_TRACE(oldReport ? "an older report at the name" : "no report at the name");
    SmallDisk disk(128 * 1024);
    if (!disk.mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
    const std::string path = disk.file(name);
    const std::string reportPath = path + kReportSuffix;
    ASSERT_TRUE(writeFile(path, text));
    if (oldReport) {
      ASSERT_TRUE(writeFile(reportPath, "old report"));
    }
    ASSERT_TRUE(disk.fillLeaving(16 * 1024));
    const Names before = folderNames(disk.path());

    RecordingBoxes boxes;
    ScanOutputs outputs;
    outputs.ReportPath = "left from before";
    EXPECT_EQ(scanFile(path.c_str(), true, ScanSettings{}, &outputs), 1);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, reportPath + "\nCould not write the scan report: No space left on device");
    EXPECT_EQ(boxes.boxes[0].caption, "File Write Error...");
    EXPECT_EQ(boxes.boxes[0].icon, platform::BoxIcon::Error);
    // No report of this scan to show.
    EXPECT_EQ(outputs.ReportPath, "");
    // The name holds what it held; no temporary file is left.
    EXPECT_EQ(folderNames(disk.path()), before);
    if (oldReport) {
      EXPECT_EQ(readFile(reportPath), "old report");
    }
    EXPECT_EQ(readFile(path), text);

    // With room again the same scan passes and its report is whole.
    std::filesystem::remove(disk.file(".filler"));
    boxes.boxes.clear();
    EXPECT_EQ(scanFile(path.c_str(), true, ScanSettings{}, &outputs), 0);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(outputs.ReportPath, reportPath);
    EXPECT_EQ(readFile(reportPath), clean.report);
    EXPECT_EQ(folderNames(disk.path()), (Names{name, name + kReportSuffix}));
  }
}

// A report that cannot be created names no report either: an older report
// that stands at the name is not this scan's.
TEST(ScanReportFile, AReportThatCannotBeCreatedNamesNoReport) {
  FixedClock clock(2018, 4, 12);
  // A folder that cannot be written: a read-only file system for root, whom
  // the folder's mode does not stop, a read-only folder for anyone else.
  std::unique_ptr<SmallDisk> disk;
  std::unique_ptr<TempDir> dir;
  std::string folder;
  if (::geteuid() == 0) {
    disk = std::make_unique<SmallDisk>(64 * 1024);
    if (!disk->mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
    folder = disk->path();
  } else {
    dir = std::make_unique<TempDir>();
    folder = dir->path();
  }
  const std::string path = folder + "/" + profileFileName();
  ASSERT_TRUE(writeFile(path, validProfileText()));
  ASSERT_TRUE(writeFile(path + kReportSuffix, "old report"));
  if (disk)
    ASSERT_EQ(::mount("tmpfs", folder.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr), 0);
  else
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
  RecordingBoxes boxes;
  ScanOutputs outputs;
  EXPECT_EQ(scanFile(path.c_str(), false, ScanSettings{}, &outputs), 1);
  if (!disk) ::chmod(folder.c_str(), 0755);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, path + kReportSuffix);
  EXPECT_EQ(boxes.boxes[0].caption, "File Create Error...");
  EXPECT_EQ(outputs.ReportPath, "");
  EXPECT_EQ(readFile(path + kReportSuffix), "old report");
}

// A link at the report's name: to the data file itself, to a file elsewhere,
// to nothing. The report replaces the link; the data file and the link's
// target keep their bytes, and no missing target is created.
TEST(ScanReportFile, ALinkAtTheReportsNameIsReplacedNeverWrittenThrough) {
  FixedClock clock(2018, 4, 12);
  const std::string name = profileFileName();
  const std::string text = validProfileText();
  const CleanScan clean = cleanScan(name, text, false);
  ASSERT_EQ(clean.result, 0);
  struct Case {
    const char* label;
    std::string target;  // relative to the data file's folder, or absolute
  };
  TempDir elsewhere;
  ASSERT_TRUE(writeFile(elsewhere.file("keep.txt"), "keep me"));
  for (const Case& c : {Case{"the data file itself", name}, Case{"a file elsewhere", elsewhere.file("keep.txt")},
                        Case{"a dangling link", elsewhere.file("missing.txt")}}) {
    SCOPED_TRACE(c.label);
    TempDir dir;
    const std::string path = dir.file(name);
    ASSERT_TRUE(writeFile(path, text));
    ASSERT_EQ(::symlink(c.target.c_str(), (path + kReportSuffix).c_str()), 0);
    RecordingBoxes boxes;
    ScanOutputs outputs;
    EXPECT_EQ(scanFile(path.c_str(), false, ScanSettings{}, &outputs), 0);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(outputs.ReportPath, path + kReportSuffix);
    EXPECT_TRUE(isRegularFile(path + kReportSuffix));
    EXPECT_EQ(readFile(path + kReportSuffix), clean.report);
    EXPECT_EQ(readFile(path), text);
    EXPECT_EQ(folderNames(dir.path()), (Names{name, name + kReportSuffix}));
  }
  EXPECT_EQ(readFile(elsewhere.file("keep.txt")), "keep me");
  EXPECT_EQ(folderNames(elsewhere.path()), Names{"keep.txt"});
}

// The HDF road of a verifier that cannot be started shows its box while the
// report is half written: the test's boxes end the scan there.
class EndedScan : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(start_.file("hdf"));
    settings_.StartDir = start_.path();
    const char* path = std::getenv("PATH");
    oldPath_ = path ? path : "";
    setenv("PATH", "/nonexistent", 1);
    ASSERT_TRUE(writeFile(dataPath(), "HDF"));
  }
  void TearDown() override { setenv("PATH", oldPath_.c_str(), 1); }
  std::string dataPath() const { return data_.file("x.hdf"); }
  std::string reportPath() const { return dataPath() + kReportSuffix; }

  TempDir start_;
  TempDir data_;
  ScanSettings settings_;
  std::string oldPath_;
};

// Boxes that end the process at once, as a kill would.
class KillingBoxes : public platform::MessageBoxes {
 public:
  KillingBoxes() { platform::setMessageBoxes(this); }
  ~KillingBoxes() override { platform::setMessageBoxes(nullptr); }
  platform::BoxAnswer show(const std::string&, const std::string&, platform::BoxIcon, platform::BoxButtons) override {
    ::kill(::getpid(), SIGKILL);
    return platform::BoxAnswer::Ok;
  }
};

// Boxes that throw, as a failure under the box would.
class ThrowingBoxes : public platform::MessageBoxes {
 public:
  ThrowingBoxes() { platform::setMessageBoxes(this); }
  ~ThrowingBoxes() override { platform::setMessageBoxes(nullptr); }
  platform::BoxAnswer show(const std::string&, const std::string&, platform::BoxIcon, platform::BoxButtons) override {
    throw std::runtime_error("box failed");
  }
};

TEST_F(EndedScan, AScanKilledMidwayLeavesTheOldReportOrNothingAtTheName) {
  for (bool oldReport : {false, true}) {
    SCOPED_TRACE(oldReport ? "an older report at the name" : "no report at the name");
    std::filesystem::remove(reportPath());
    if (oldReport) {
      ASSERT_TRUE(writeFile(reportPath(), "old report"));
    }
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      KillingBoxes boxes;
      scanFile(dataPath().c_str(), false, settings_, nullptr);
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
    if (oldReport) {
      EXPECT_EQ(readFile(reportPath()), "old report");
    } else {
      EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(reportPath())));
    }
  }
}

TEST_F(EndedScan, AScanEndedByAnExceptionLeavesTheNameAsItWasAndNoTemporaryFile) {
  for (bool oldReport : {false, true}) {
    SCOPED_TRACE(oldReport ? "an older report at the name" : "no report at the name");
    std::filesystem::remove(reportPath());
    if (oldReport) {
      ASSERT_TRUE(writeFile(reportPath(), "old report"));
    }
    const Names before = folderNames(data_.path());
    {
      ThrowingBoxes boxes;
      EXPECT_THROW(scanFile(dataPath().c_str(), false, settings_, nullptr), std::runtime_error);
    }
    EXPECT_EQ(folderNames(data_.path()), before);
    if (oldReport) {
      EXPECT_EQ(readFile(reportPath()), "old report");
    }
  }
}

// The scan that shows the box and goes on finishes its report, and leaves no
// temporary file.
TEST_F(EndedScan, AScanThatGoesOnAfterTheBoxFinishesItsReport) {
  ASSERT_TRUE(writeFile(reportPath(), "old report"));
  RecordingBoxes boxes;
  ScanOutputs outputs;
  EXPECT_EQ(scanFile(dataPath().c_str(), false, settings_, &outputs), 1);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].caption, "Error Running Quessel Function??");
  EXPECT_EQ(outputs.ReportPath, reportPath());
  const std::string report = readFile(reportPath());
  EXPECT_NE(report.find("could not be started"), std::string::npos) << report;
  EXPECT_NE(report.find("</BODY></HTML>\n"), std::string::npos);
  EXPECT_EQ(folderNames(data_.path()), (Names{"x.hdf", "x.hdf" + kReportSuffix}));
}

}  // namespace
