// Two scan sessions alive at once on two different files: each scan's report
// is exactly what the same scan gives alone, however the two take turns.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "scanner/file_kind.h"
#include "scanner/general_header.h"
#include "scanner/line_source.h"
#include "scanner/missing_values.h"
#include "scanner/scan_driver.h"
#include "scanner/scan_session.h"
#include "tests/scanner/content/scan_fixture.h"
#include "tests/scanner/recording_sink.h"
#include "tests/scanner/session_support.h"
#include "tests/support/platform_doubles.h"
#include "tests/support/text_samples.h"

namespace {

using namespace content_test;
using scanner_test::RecordingSink;
using testing_support::profileFileName;
using testing_support::surfaceFileName;

// A data file of a test: its text, its name, and whether its report shows the
// detail tables.
struct DataFile {
  const char* label;
  std::string text;
  std::string name;
  bool details;
};

std::string profileEndingEarly() {
  std::vector<std::string> lines = testing_support::splitLines(testing_support::validProfileText());
  lines.resize(lines.size() - 4);  // the last data lines are missing
  return testing_support::joinLines(lines);
}

std::string surfaceWithFaults() {
  return applyEdits(testing_support::validSurfaceText(),
                    {replaceAt(34, testing_support::recordDataRow(-60, 30, 15, 40)), replaceAt(36, "1, 2, 3")});
}

std::string thirtyBadLines() {
  std::string text;
  for (int i = 0; i < 30; ++i) text += "x\n";
  return text;
}

std::vector<DataFile> dataFiles() {
  return {
      {"valid PROFILE", testing_support::validProfileText(), profileFileName(), true},
      {"SURFACE with faults", surfaceWithFaults(), surfaceFileName(), false},
      {"PROFILE past the error cap", thirtyBadLines(), profileFileName(), false},
      {"valid SURFACE", testing_support::validSurfaceText(), surfaceFileName(), true},
      {"PROFILE ending early", profileEndingEarly(), profileFileName(), true},
  };
}

// A sink that records what it is handed and, after each event, lets `between`
// run.
class InterruptedSink final : public ReportSink {
 public:
  explicit InterruptedSink(std::function<void()> between) : between_(std::move(between)) {}
  RecordingSink recorded;

  void write(std::string_view html) override {
    recorded.write(html);
    between_();
  }
  void writeColoured(Ink ink, std::string_view html) override {
    recorded.writeColoured(ink, html);
    between_();
  }
  void error(int line, ScanCode code) override {
    recorded.error(line, code);
    between_();
  }
  void fail() override {
    recorded.fail();
    between_();
  }
  void abort() override {
    recorded.abort();
    between_();
  }

 private:
  std::function<void()> between_;
};

// The events of the text scan of `file` (written at `path`) in a fresh session.
std::vector<scanner_test::SinkEvent> scanAlone(const DataFile& file, const std::string& path) {
  ScanSession session = scanner_test::sessionOn(2018, 5, 1);
  session.ReportDetails = file.details;
  RecordingSink sink;
  scanTextFile(session, sink, path, file.name);
  return sink.events;
}

// While one session is in the middle of its scan (its file open, its error
// list, records and line count half filled), another session scans a second
// file again and again, after every event of the first: the second report is
// each time the one the file gives alone, and the first scan's events stay
// those of the first file alone.
TEST(SideBySide, ScansInsideAnotherScanAreEachAsAlone) {
  testing_support::FixedClock clock(2018, 5, 1);
  const std::vector<DataFile> files = dataFiles();
  for (size_t i = 0; i < files.size(); ++i) {
    const DataFile& first = files[i];
    const DataFile& second = files[(i + 1) % files.size()];
    testing_support::TempDir firstDir, secondDir;
    const std::string firstPath = firstDir.file(first.name), secondPath = secondDir.file(second.name);
    ASSERT_TRUE(testing_support::writeFile(firstPath, first.text));
    ASSERT_TRUE(testing_support::writeFile(secondPath, second.text));
    const std::vector<scanner_test::SinkEvent> firstAlone = scanAlone(first, firstPath);

    ScanSession secondSession;
    const int secondResult = scanFile(secondSession, secondPath.c_str(), second.details);
    const std::string secondReport = testing_support::readFile(secondSession.outputs.ReportPath);
    int secondScans = 0;
    InterruptedSink sink([&] {
      ++secondScans;
      ASSERT_EQ(scanFile(secondSession, secondPath.c_str(), second.details), secondResult) << second.label;
      ASSERT_EQ(testing_support::readFile(secondSession.outputs.ReportPath), secondReport)
          << second.label << " inside " << first.label << ", scan " << secondScans;
    });
    ScanSession firstSession = scanner_test::sessionOn(2018, 5, 1);
    firstSession.ReportDetails = first.details;
    scanTextFile(firstSession, sink, firstPath, first.name);
    EXPECT_EQ(sink.recorded.events, firstAlone) << first.label << " beside " << second.label;
    EXPECT_GT(secondScans, 10) << first.label;
  }
}

// Checks general header line k of the session's file by its kind's table.
bool checkHeaderLine(ScanSession& scan, LineSource& lines, ReportSink& report, int k) {
  const FileKind& kind = *scan.content.kind;
  const GenHeaderLineSpec& spec = kind.generalHeader[static_cast<size_t>(k - 1)];
  if (spec.missingValues) return checkMissingValuesLine(scan, lines, report, k, kind.columns, spec.code, spec.triple);
  return checkGenHeaderLine(scan, lines, report, k, spec.expectedNumber, spec.expectedText, spec.mode, spec.code,
                            spec.triple);
}

// One general header checked line by line in a session of its own.
struct HeaderRun {
  ScanSession session = scanner_test::sessionOn(2018, 5, 1);
  RecordingSink sink;
  LineSource lines{session.input, session.errors, sink};
  std::vector<bool> passed;

  HeaderRun(const std::string& path, const FileKind& kind) {
    session.content.kind = &kind;
    EXPECT_TRUE(session.input.DataStream.open(path));
  }
  // Checks the next line; false when the header has no further line.
  bool step() {
    const int k = static_cast<int>(passed.size()) + 1;
    if (k > static_cast<int>(session.content.kind->generalHeader.size())) return false;
    passed.push_back(checkHeaderLine(session, lines, sink, k));
    return true;
  }
};

// Two sessions read their general headers a line at a time by turns, through
// line sources of their own: each sees the events, line numbers, records and
// error list of its own file alone.
TEST(SideBySide, GeneralHeaderChecksTakingTurns) {
  const std::string profile = applyEdits(testing_support::validProfileText(),
                                         {replaceAt(3, "0 ; NUMBER OF PROFILES IN THIS FILE"), deleteAt(9)});
  const std::string surface =
      applyEdits(testing_support::validSurfaceText(),
                 {replaceAt(16, "-9999, -1, -9999, -9999, -9999, -9999, -9999, -9999, -9999, -9999, -9999 ; "
                                "MISSING DATA VALUES")});
  testing_support::TempDir dir;
  const std::string profilePath = dir.file(profileFileName()), surfacePath = dir.file(surfaceFileName());
  ASSERT_TRUE(testing_support::writeFile(profilePath, profile));
  ASSERT_TRUE(testing_support::writeFile(surfacePath, surface));

  HeaderRun profileAlone(profilePath, kProfileKind), surfaceAlone(surfacePath, kSurfaceKind);
  while (profileAlone.step()) {
  }
  while (surfaceAlone.step()) {
  }

  HeaderRun profileTurns(profilePath, kProfileKind), surfaceTurns(surfacePath, kSurfaceKind);
  for (bool more = true; more;) {
    more = profileTurns.step();
    more = surfaceTurns.step() || more;
  }

  for (auto [alone, turns] : {std::pair{&profileAlone, &profileTurns}, std::pair{&surfaceAlone, &surfaceTurns}}) {
    const ScanSession& a = alone->session;
    const ScanSession& b = turns->session;
    EXPECT_EQ(turns->sink.events, alone->sink.events);
    EXPECT_EQ(turns->passed, alone->passed);
    EXPECT_EQ(b.input.LineNumber, a.input.LineNumber);
    EXPECT_EQ(b.errors.ErrorCount, a.errors.ErrorCount);
    for (int i = 0; i < kErrorSlotCount; ++i) {
      EXPECT_EQ(b.errors.ErrorSlots[i].line, a.errors.ErrorSlots[i].line);
      EXPECT_EQ(b.errors.ErrorSlots[i].code, a.errors.ErrorSlots[i].code);
    }
    EXPECT_EQ(b.errors.ScanFailed, a.errors.ScanFailed);
    EXPECT_EQ(b.content.GeneralHeader.numBlocks, a.content.GeneralHeader.numBlocks);
    EXPECT_EQ(b.content.GeneralHeader.numColumns, a.content.GeneralHeader.numColumns);
    for (int i = 0; i < 24; ++i)
      EXPECT_EQ(b.content.GeneralHeader.line[i].value, a.content.GeneralHeader.line[i].value);
    for (int i = 0; i < 14; ++i) {
      EXPECT_EQ(b.content.ColumnTable[i].shortName, a.content.ColumnTable[i].shortName);
      EXPECT_EQ(b.content.ColumnTable[i].missing, a.content.ColumnTable[i].missing);
    }
  }
  // The faults are the files' own: each list holds its own codes.
  EXPECT_EQ(profileTurns.sink.errors().front().second, ScanCode::ProfileGenHeaderLine3);
  EXPECT_EQ(surfaceTurns.sink.errors().front().second, ScanCode::SurfaceGenHeaderLine16);
}

}  // namespace
