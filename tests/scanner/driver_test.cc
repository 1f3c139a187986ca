#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "scanner/scan_driver.h"
#include "scanner/scan_messages.h"
#include "scanner/scan_report.h"
#include "scanner/scan_session.h"
#include "scanner/scanner.h"
#include "tests/scanner/report_expectations.h"
#include "tests/scanner/session_support.h"
#include "tests/support/platform_doubles.h"
#include "tests/support/text_samples.h"

using namespace testing_support;
using namespace scan_report_text;

namespace {

struct ScanOutcome {
  int result;
  std::string report;
  ScanOutputs outputs;
};

ScanOutcome scan(const std::string& path, bool details = false, const ScanSettings& settings = ScanSettings{}) {
  ScanOutcome out;
  out.result = scanFile(path.c_str(), details, settings, &out.outputs);
  out.report = readFile(out.outputs.ReportPath);
  return out;
}

const std::string kTxtName = "Parvix-O3Lidar_QOR_20180412_R1.txt";

TEST(ScanDriver, VerifiedTxtNameReportWithoutDetails) {
  FixedClock clock(2018, 4, 12);
  TempDir dir;
  std::string path = dir.file(kTxtName);
  ASSERT_TRUE(writeFile(path, "anything"));
  ScanOutcome out = scan(path);
  EXPECT_EQ(out.result, 0);
  EXPECT_EQ(out.outputs.ReportPath, path + "__ScanMsgs.htm");
  EXPECT_EQ(out.report, kHead + nowScanning(kTxtName) + kFilenameStart + kFilenameVerified + notDatNote(kTxtName) +
                            kAllDone + doneScanning(kTxtName));
  EXPECT_FALSE(out.outputs.IsHdfFile);
}

TEST(ScanDriver, VerifiedTxtNameReportWithDetails) {
  FixedClock clock(2018, 4, 12);
  TempDir dir;
  std::string name = "parvix-o3lidar_zib_20180401_R12_a&b.txt";
  std::string path = dir.file(name);
  ASSERT_TRUE(writeFile(path, ""));
  ScanOutcome out = scan(path, true);
  EXPECT_EQ(out.result, 0);
  std::string table =
      "<table border=\"1\" cellspacing=\"2\" cellpadding=\"2\"><tr><td colspan=\"2\" class=\"styleTH\">Filename Details ... </td></tr>\n"
      "<tr><td class=\"styleTD1\">Data ID   </td><td class=\"styleTD3\"> PARVIX-O3LIDAR  </td></tr>"
      "<tr><td class=\"styleTD1\">Site Name </td><td class=\"styleTD3\"> ZIB  </td></tr>"
      "<tr><td class=\"styleTD1\">Year      </td><td class=\"styleTD3\"> 2018  </td></tr>"
      "<tr><td class=\"styleTD1\">Month     </td><td class=\"styleTD3\"> 04</td></tr>"
      "<tr><td class=\"styleTD1\">Day       </td><td class=\"styleTD3\"> 01</td></tr>"
      "<tr><td class=\"styleTD1\">Revision  </td><td class=\"styleTD3\"> 12  </td></tr>"
      "<tr><td class=\"styleTD1\">Comments  </td><td class=\"styleTD3\"> A&amp;B  </td></tr>"
      "<tr><td class=\"styleTD1\">Extension </td><td class=\"styleTD3\"> TXT  </td></tr>"
      "</table>\n";
  std::string shown = "parvix-o3lidar_zib_20180401_R12_a&amp;b.txt";
  EXPECT_EQ(out.report, kHead + nowScanning(shown) + kFilenameStart + table + kFilenameVerified + notDatNote(shown) +
                            kAllDone + doneScanning(shown));
}

TEST(ScanDriver, FailedNameListsItsErrorsWithoutLines) {
  FixedClock clock(2018, 4, 12);
  TempDir dir;
  std::string path = dir.file("x.dat");
  ASSERT_TRUE(writeFile(path, "not read"));
  ScanOutcome out = scan(path);
  EXPECT_EQ(out.result, 1);
  std::string list = "<font color='#FF0000'>";
  for (int code : {5, 6, 4, 3}) list += "<br>Error: " + scanner_test::catalogueText(code) + "<br>\n";
  list += "</font>";
  // The extension is DAT, so no note; the name is not verified, so nothing is read.
  EXPECT_EQ(out.report, kHead + nowScanning("x.dat") + kFilenameStart + kFailed + list + doneScanning("x.dat"));
}

TEST(ScanDriver, DataFileThatCannotBeOpenedRecordsCodeOne) {
  FixedClock clock(2018, 4, 12);
  TempDir dir;
  // A link to nothing: the report can be created beside it, the data cannot be read.
  std::string path = dir.file(profileFileName());
  ASSERT_EQ(::symlink(dir.file("nowhere.dat").c_str(), path.c_str()), 0);
  ScanOutcome out = scan(path);
  EXPECT_EQ(out.result, 1);
  EXPECT_NE(out.report.find("<br>Error: ** File Failed to Open **<br>\n"), std::string::npos);

  // Only regular files are data files. A folder would open as a stream that
  // holds no lines, a FIFO would block the open until some writer came, and
  // /dev/zero is one endless line: each fails to open at once, with no
  // content section.
  struct Case {
    const char* label;
    std::function<bool(const std::string&)> make;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"folder", [](const std::string& p) { return std::filesystem::create_directory(p); }},
           {"fifo", [](const std::string& p) { return ::mkfifo(p.c_str(), 0600) == 0; }},
           {"link to /dev/zero", [](const std::string& p) { return ::symlink("/dev/zero", p.c_str()) == 0; }},
       }) {
    TempDir other;
    std::string special = other.file(profileFileName());
    ASSERT_TRUE(c.make(special)) << c.label;
    out = scan(special);
    EXPECT_EQ(out.result, 1) << c.label;
    EXPECT_EQ(out.report, kHead + nowScanning(profileFileName()) + kFilenameStart + kFilenameVerified + kFailed +
                              "<font color='#FF0000'><br>Error: ** File Failed to Open **<br>\n</font>" +
                              doneScanning(profileFileName()))
        << c.label;
  }
}

TEST(ScanDriver, ReportBoxes) {
  RecordingBoxes boxes;
  TempDir dir;
  std::string longName(128, 'a');
  struct Case {
    std::string path;
    std::string caption;
    std::string boxText;
    std::string reportPath;
  };
  std::vector<Case> cases = {
      {"", "PathName / Filename Error...", "", ""},
      {dir.path() + "/", "PathName / Filename Error...", dir.path() + "/", ""},
      {dir.path() + "\\", "PathName / Filename Error...", dir.path() + "\\", ""},
      {dir.file(longName), "Filename is too long -- must be < 128 characters in length.", dir.file(longName), ""},
      {dir.file("missing/x.dat"), "File Create Error...", dir.file("missing/x.dat") + "__ScanMsgs.htm", ""},
  };
  for (const Case& c : cases) {
    boxes.boxes.clear();
    ScanOutputs outputs;
    EXPECT_EQ(scanFile(c.path.c_str(), false, ScanSettings{}, &outputs), 1) << c.path;
    ASSERT_EQ(boxes.boxes.size(), 1u) << c.path;
    EXPECT_EQ(boxes.boxes[0].caption, c.caption);
    EXPECT_EQ(boxes.boxes[0].text, c.boxText);
    EXPECT_EQ(boxes.boxes[0].icon, platform::BoxIcon::Error);
    EXPECT_EQ(outputs.ReportPath, c.reportPath);
  }
  // 127 characters are accepted.
  boxes.boxes.clear();
  std::string name127 = std::string(123, 'a') + ".txt";
  EXPECT_EQ(scanFile(dir.file(name127).c_str(), false, ScanSettings{}, nullptr), 1);
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_TRUE(std::filesystem::exists(dir.file(name127) + "__ScanMsgs.htm"));
}

TEST(ScanDriver, FilenameStart) {
  struct Case {
    const char* path;
    int start;
  };
  for (const Case& c : std::initializer_list<Case>{{"", -1}, {"x.dat", 0}, {"/a/b.dat", 3}, {"C:\\d\\x.dat", 5},
                                                    {"a/b\\c", 4}, {"a/", -1}, {"a\\", -1}, {"/", -1}}) {
    EXPECT_EQ(filenameStart(c.path), c.start) << c.path;
  }
}

TEST(ScanDriver, ErrorCapListsSixteenAndWritesTheNoticeOnce) {
  TempDir dir;
  std::string bare;
  HtmlReportSink report;
  std::string reportPath;
  ASSERT_TRUE(openScanReport(dir.file("cap.dat"), report, &bare, &reportPath));
  ScanSession session = scanner_test::sessionOn(2018, 4, 12);
  ErrorList& errors = session.errors;
  for (int i = 1; i <= 16; ++i) errors.recordError(report, i, ScanCode::IntegerExpected);
  EXPECT_FALSE(errors.ScanAborted);
  errors.recordError(report, 17, ScanCode::FloatExpected);
  EXPECT_TRUE(errors.ScanAborted);
  errors.recordError(report, 18, ScanCode::InvalidLonLatAlt);
  EXPECT_EQ(errors.ErrorCount, 16);
  EXPECT_EQ(errors.ErrorSlots[16].code, 58);
  errors.writeVerdict(report);
  int error = 0;
  ASSERT_TRUE(report.finish(&error)) << error;
  std::string notice =
      "<font color='#FF0000'><br><br>Error: The max number of errors were detected! The entire file was not checked!\n"
      "Beware some errors such as missing lines or misplaced lines can cause errors to cascade.<br>\n</font>";
  std::string list = "<font color='#FF0000'>";
  for (int i = 1; i <= 16; ++i)
    list += "<br>Error (Line " + std::to_string(i) + "): " + scanner_test::catalogueText(56) + "<br>\n";
  list += "</font>";
  EXPECT_EQ(readFile(reportPath), kHead + notice + kFailed + list);
}

// The catalogue: one text per code from 0 to 98, each looked up by its code.
TEST(ScanMessages, TextsByCode) {
  EXPECT_STREQ(ScanMessages[0], "** File Passed! No Major Errors Found **");
  EXPECT_STREQ(ScanMessages[1], "** File Failed to Open **");
  EXPECT_STREQ(ScanMessages[97],
               "** The number of items found on this line does not match the number of columns in the header. There "
               "should be exactly 14 items **");
  EXPECT_STREQ(ScanMessages[98], "** The date in the filename does not match the first Profile (or Record) date **");
  for (int code = 0; code < kScanCodeCount; ++code) {
    const std::string text = ScanMessages[code];
    EXPECT_TRUE(text.starts_with("** ") && text.ends_with(" **")) << code << ": " << text;
  }
  EXPECT_STREQ(ScanMessages[-1], "");
  EXPECT_STREQ(ScanMessages[kScanCodeCount], "");
}

TEST(ScanDriver, SecondScanStartsClean) {
  FixedClock clock(2018, 4, 12);
  TempDir dir;
  std::string bad = dir.file("_____");
  ASSERT_TRUE(writeFile(bad, ""));
  ScanSession session;
  EXPECT_EQ(scanFile(session, bad.c_str(), false), 1);
  EXPECT_EQ(session.errors.ErrorCount, 5);  // 5, 6, 4, 3 and 2
  session.errors.ScanAborted = session.errors.MaxErrorsNoticeShown = session.input.AtEndOfFile =
      session.name.IsDatFile = true;
  EXPECT_EQ(scanFile(session, dir.file(kTxtName).c_str(), false), 0);
  EXPECT_EQ(session.errors.ErrorCount, 0);
  EXPECT_FALSE(session.errors.ScanAborted || session.errors.MaxErrorsNoticeShown || session.input.AtEndOfFile ||
               session.name.IsDatFile);
}

// The block detail table's "#BEGIN" row of a scan shows the line that scan
// read, or nothing when it read none: never the line of a file scanned before
// it in the same program run, whether each scan has a session of its own (as
// scanFile makes) or one session serves both.
TEST(ScanDriver, BeginLineRowShowsOnlyTheScannedFilesOwnLine) {
  FixedClock clock(2018, 5, 1);
  auto beginRow = [](const std::string& text) {
    return "<tr><td class=\"styleTD1\">PROFILE_Begin_Line</td><td class=\"styleTD3\" colspan=\"2\"><span "
           "style=\"color:#FF9900\">" +
           text + "</span></td></tr>";
  };
  const int kBeginLine = 27;  // of the PROFILE fixture
  const std::string firstBegin = " #BEGIN PROFILE ; the first file's block";
  const std::string firstText = replaceLine(validProfileText(), kBeginLine, firstBegin);
  struct Case {
    const char* label;
    std::string text;
    std::string name;
    std::string shownBegin;  // what the second report's row shows
  };
  const std::string secondBegin = " #BEGIN PROFILE ; the second file's block";
  for (const Case& c : std::initializer_list<Case>{
           {"its own begin line", replaceLine(validProfileText(), kBeginLine, secondBegin), profileFileName(),
            secondBegin},
           // The revision differs from the name's: the comment lines and the
           // "#BEGIN" line are never read as such, but the block is checked
           // and its table written.
           {"no begin line read", validProfileText(), profileFileName("20180412", 2), ""},
       }) {
    for (bool oneSession : {false, true}) {
      TempDir first, second;
      ASSERT_TRUE(writeFile(first.file(profileFileName()), firstText));
      ASSERT_TRUE(writeFile(second.file(c.name), c.text));
      ScanSession session;
      auto scanWithDetails = [&](const std::string& path) {
        if (!oneSession) return scan(path, true);
        int result = scanFile(session, path.c_str(), true);
        return ScanOutcome{result, readFile(session.outputs.ReportPath), session.outputs};
      };
      ScanOutcome a = scanWithDetails(first.file(profileFileName()));
      EXPECT_EQ(a.result, 0) << c.label;
      EXPECT_NE(a.report.find(beginRow(firstBegin)), std::string::npos) << c.label;
      ScanOutcome b = scanWithDetails(second.file(c.name));
      EXPECT_NE(b.report.find(beginRow(c.shownBegin)), std::string::npos) << c.label << " one session " << oneSession;
      EXPECT_EQ(b.report.find("the first file"), std::string::npos) << c.label << " one session " << oneSession;
    }
  }
}

TEST(ScanDriver, CrlfCopyScansLikeTheOriginal) {
  FixedClock clock(2018, 4, 12);
  TempDir lf, crlf;
  std::string text = validProfileText();
  std::string crlfText = joinLines(splitLines(text), "\r\n");
  ASSERT_TRUE(writeFile(lf.file(profileFileName()), text));
  ASSERT_TRUE(writeFile(crlf.file(profileFileName()), crlfText));
  ScanOutcome a = scan(lf.file(profileFileName()), true);
  ScanOutcome b = scan(crlf.file(profileFileName()), true);
  EXPECT_EQ(a.result, 0);
  EXPECT_EQ(a.result, b.result);
  EXPECT_EQ(a.report, b.report);
}

// The HDF road, with a stand-in verifier written by the test: it records its
// arguments and working folder, then writes the report the test asks for.
class HdfRoad : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir_.file("start/hdf"));
    std::filesystem::create_directories(dir_.file("bin"));
    settings_.StartDir = dir_.file("start");
    oldPath_ = std::getenv("PATH");
    setenv("PATH", (dir_.file("bin") + ":" + oldPath_).c_str(), 1);
  }
  void TearDown() override {
    setenv("PATH", oldPath_.c_str(), 1);
  }
  // A verifier that writes `report` (nothing when empty) as "<arg1>_.err".
  void stubVerifier(const std::string& report, const std::string& extra = "") {
    ASSERT_TRUE(writeFile(dir_.file("report.txt"), report));
    std::string body = "pwd > '" + dir_.file("cwd.txt") + "'\n" + "for a in \"$@\"; do printf '[%s]' \"$a\"; done > '" +
                       dir_.file("args.txt") + "'\n" + extra;
    if (!report.empty()) body += "cat '" + dir_.file("report.txt") + "' > \"$1_.err\"\n";
    ASSERT_TRUE(writeScript(dir_.file("bin/Quessel"), body));
  }
  std::string dataFile(const std::string& name) {
    std::filesystem::create_directories(dir_.file("data dir"));
    std::string path = dir_.file("data dir/" + name);
    writeFile(path, "HDF");
    return path;
  }
  // Every scan of this road: the verifier runs in settings_.StartDir's hdf folder.
  ScanOutcome scan(const std::string& path) { return ::scan(path, false, settings_); }
  TempDir dir_;
  std::string oldPath_;
  ScanSettings settings_;
};

TEST_F(HdfRoad, PassingReportIsCopiedLineByLine) {
  stubVerifier("<br>Verify_1 .... Done!\n<b>ok</b>\n^End.0\nafter the marker\n");
  std::string path = dataFile("groundbased_lidar.o3_x.hdf");
  std::string before = std::filesystem::current_path().string();
  ScanOutcome out = scan(path);
  EXPECT_EQ(out.result, 0);
  EXPECT_TRUE(out.outputs.IsHdfFile);
  EXPECT_EQ(out.report, kHead + nowScanning("groundbased_lidar.o3_x.hdf") +
                            "<br>Verify_1 .... Done!\n\n<b>ok</b>\n\n" + doneScanning("groundbased_lidar.o3_x.hdf"));
  // One argument for the path with a blank, the template by name, the hdf folder as working folder.
  EXPECT_EQ(readFile(dir_.file("args.txt")), "[" + path + "][GEOMS-TE-LIDAR-O3-005.csv]");
  EXPECT_EQ(readFile(dir_.file("cwd.txt")), dir_.file("start/hdf") + "\n");
  EXPECT_FALSE(std::filesystem::exists(path + "_.err"));
  EXPECT_EQ(std::filesystem::current_path().string(), before);
}

TEST_F(HdfRoad, FailingReportGetsTheBanner) {
  stubVerifier("<br>**Error: x\r\n^End.1\r\n");
  ScanOutcome out = scan(dataFile("a.b.HDF"));
  EXPECT_EQ(out.result, 1);
  EXPECT_EQ(out.report, kHead + nowScanning("a.b.HDF") + kHdfFailedBanner + "<br>**Error: x\n\n" + doneScanning("a.b.HDF"));
}

TEST_F(HdfRoad, ReportsWithoutAVerdictFail) {
  struct Case {
    std::string report;
    std::string copied;
  };
  std::string noMarker =
      "<font color='#FF0000'><br>Error: The HDF verifier (Quessel) left no verdict: its report has no end marker line. "
      "The file was not verified.\n</font>";
  for (const Case& c : std::vector<Case>{{"line 1\nline 2", "line 1\n\nline 2\n"},
                                         {"^End\n^End.\n^Endx1\n", "^End\n\n^End.\n\n^Endx1\n\n"}}) {
    stubVerifier(c.report);
    ScanOutcome out = scan(dataFile("x.hdf"));
    EXPECT_EQ(out.result, 1);
    EXPECT_EQ(out.report, kHead + nowScanning("x.hdf") + kHdfFailedBanner + c.copied + noMarker + doneScanning("x.hdf"));
  }
  // A marker with anything but '0' in sixth place fails.
  stubVerifier("^End.x\n");
  EXPECT_EQ(scan(dataFile("x.hdf")).result, 1);
}

TEST_F(HdfRoad, EarlyMarkerEndsTheCopy) {
  stubVerifier("first\n^End.0 early\n^End.1\nlast\n");
  ScanOutcome out = scan(dataFile("hdf"));  // a whole name "hdf" takes this road too
  EXPECT_EQ(out.result, 0);
  EXPECT_EQ(out.report, kHead + nowScanning("hdf") + "first\n\n" + doneScanning("hdf"));
}

TEST_F(HdfRoad, NoReportFails) {
  stubVerifier("");
  std::string path = dataFile("x.Hdf");
  ASSERT_TRUE(writeFile(path + "_.err", "stale\n^End.0\n"));  // left by an earlier run: never read
  ScanOutcome out = scan(path);
  EXPECT_EQ(out.result, 1);
  EXPECT_EQ(out.report, kHead + nowScanning("x.Hdf") + kHdfFailedBanner +
                            "<font color='#FF0000'><br>Error: The HDF verifier (Quessel) left no verdict: its report " +
                            path + "_.err was not written. The file was not verified.\n</font>" + doneScanning("x.Hdf"));
}

TEST_F(HdfRoad, ReportThatIsAFolderIsNoVerdict) {
  // Something that opens but cannot be read (a folder in the report's place,
  // which the verifier cannot replace) must end the reading, not loop on it.
  stubVerifier("");
  std::string path = dataFile("folder.hdf");
  std::filesystem::create_directories(path + "_.err/inside");
  ScanOutcome out = scan(path);
  EXPECT_EQ(out.result, 1);
  EXPECT_EQ(out.report, kHead + nowScanning("folder.hdf") + kHdfFailedBanner +
                            "<font color='#FF0000'><br>Error: The HDF verifier (Quessel) left no verdict: its report "
                            "has no end marker line. The file was not verified.\n</font>" +
                            doneScanning("folder.hdf"));
}

// The box keeps its text; the report says why, naming a missing hdf folder,
// where the verifier runs and finds its template.
TEST_F(HdfRoad, VerifierThatCannotStartFailsWithItsBox) {
  struct Case {
    const char* label;
    std::function<void()> arrange;
    std::string why;
  };
  const Case cases[] = {
      {"not found", [] { setenv("PATH", "/nonexistent", 1); }, ""},
      {"hdf folder missing",
       [&] {
         stubVerifier("^End.0\n");
         std::filesystem::remove_all(dir_.file("start/hdf"));
       },
       "Its working folder " + dir_.file("start/hdf") + ", which holds the GEOMS template, is missing. "},
  };
  for (const Case& c : cases) {
    c.arrange();
    RecordingBoxes boxes;
    ScanOutcome out = scan(dataFile("x.hdf"));
    EXPECT_EQ(out.result, 1) << c.label;
    ASSERT_EQ(boxes.boxes.size(), 1u) << c.label;
    EXPECT_EQ(boxes.boxes[0].text, "CreateProcess Failed (Err = 2)");
    EXPECT_EQ(boxes.boxes[0].caption, "Error Running Quessel Function??");
    EXPECT_EQ(out.report, kHead + nowScanning("x.hdf") + kHdfFailedBanner +
                              "<font color='#FF0000'><br>Error: The HDF verifier (Quessel) could not be started (Err = "
                              "2). " + c.why + "The file was not verified.\n</font>" + doneScanning("x.hdf"))
        << c.label;
    EXPECT_FALSE(std::filesystem::exists(dir_.file("cwd.txt"))) << c.label;
  }
}

TEST_F(HdfRoad, VerifierChecksTheFileTheSystemOpensThroughALinkedFolder) {
  // link -> real/sub, so link/.. is real: link/../x.hdf is real/x.hdf, not the
  // x.hdf that a textual normalisation would make of it.
  std::filesystem::create_directories(dir_.file("real/sub"));
  ASSERT_EQ(::symlink(dir_.file("real/sub").c_str(), dir_.file("link").c_str()), 0);
  ASSERT_TRUE(writeFile(dir_.file("real/x.hdf"), "BAD"));
  ASSERT_TRUE(writeFile(dir_.file("x.hdf"), "GOOD"));
  stubVerifier("",
               "if grep -q BAD \"$1\"; then printf '<b>bad</b>\\n^End.1\\n' > \"$1_.err\"; "
               "else printf '<b>good</b>\\n^End.0\\n' > \"$1_.err\"; fi\n");
  const std::string badInReal = kHead + nowScanning("x.hdf") + kHdfFailedBanner + "<b>bad</b>\n\n" + doneScanning("x.hdf");
  const std::string good = kHead + nowScanning("x.hdf") + "<b>good</b>\n\n" + doneScanning("x.hdf");

  ScanOutcome out = scan(dir_.file("link/../x.hdf"));
  EXPECT_EQ(out.result, 1);
  EXPECT_EQ(out.report, badInReal);
  EXPECT_EQ(readFile(dir_.file("real/x.hdf__ScanMsgs.htm")), badInReal);
  EXPECT_EQ(readFile(dir_.file("args.txt")), "[" + dir_.file("link/../x.hdf") + "][GEOMS-TE-LIDAR-O3-005.csv]");

  out = scan(dir_.file("x.hdf"));
  EXPECT_EQ(out.result, 0);
  EXPECT_EQ(out.report, good);

  // A relative path through the link, from a current folder inside it.
  {
    CurrentDirScope inLink(dir_.file("link"));
    out = scan("../x.hdf");
  }
  EXPECT_EQ(out.result, 1);
  EXPECT_EQ(readFile(dir_.file("real/x.hdf__ScanMsgs.htm")), badInReal);
  for (const char* left : {"real/x.hdf_.err", "x.hdf_.err"}) EXPECT_FALSE(std::filesystem::exists(dir_.file(left)));
}

TEST_F(HdfRoad, VerifierIsFoundInTheStartFoldersHdfFolder) {
  // Not on PATH: only in StartDir/hdf, where the verifier is started.
  stubVerifier("<b>ok</b>\n^End.0\n");
  std::filesystem::rename(dir_.file("bin/Quessel"), dir_.file("start/hdf/Quessel"));
  setenv("PATH", oldPath_.c_str(), 1);
  RecordingBoxes boxes;
  ScanOutcome out = scan(dataFile("x.hdf"));
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(out.result, 0);
  EXPECT_EQ(out.report, kHead + nowScanning("x.hdf") + "<b>ok</b>\n\n" + doneScanning("x.hdf"));
  EXPECT_EQ(readFile(dir_.file("cwd.txt")), dir_.file("start/hdf") + "\n");
}

TEST_F(HdfRoad, VerifierThatRunsTooLongIsStopped) {
  stubVerifier("^End.0\n", "exec sleep 30\n");
  settings_.VerifierTimeoutMs = 200;
  auto started = std::chrono::steady_clock::now();
  ScanOutcome out = scan(dataFile("x.hdf"));
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
  EXPECT_EQ(out.result, 1);
  EXPECT_EQ(out.report, kHead + nowScanning("x.hdf") + kHdfFailedBanner +
                            "<font color='#FF0000'><br>Error: The HDF verifier (Quessel) did not finish within 200 ms "
                            "and was stopped. The file was not verified.\n</font>" +
                            doneScanning("x.hdf"));
}

}  // namespace
