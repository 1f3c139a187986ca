// Single rules run against a recording sink: what each hands the report (its
// lines, error-list entries, failing and stopping), in order, without a file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scanner/block_header.h"
#include "scanner/file_kind.h"
#include "scanner/line_source.h"
#include "scanner/missing_values.h"
#include "scanner/scan_session.h"
#include "tests/scanner/recording_sink.h"
#include "tests/scanner/session_support.h"

namespace {

using namespace scanner_test;
using Events = std::vector<SinkEvent>;

TEST(RuleEvents, ErrorCapListsSixteenThenWritesTheNoticeAndStops) {
  ScanSession scan = sessionOn(2018, 4, 12);
  RecordingSink sink;
  for (int line = 1; line <= 17; ++line) scan.errors.recordError(sink, line, ScanCode::IntegerExpected);
  scan.errors.recordError(sink, 18, ScanCode::FloatExpected);

  Events expected;
  for (int line = 1; line <= 17; ++line) expected.push_back(listed(line, ScanCode::IntegerExpected));
  expected.push_back(coloured(Ink::Red,
                              "<br><br>Error: The max number of errors were detected! The entire file was not checked!\n"
                              "Beware some errors such as missing lines or misplaced lines can cause errors to "
                              "cascade.<br>\n"));
  expected.push_back(aborted());
  expected.push_back(listed(18, ScanCode::FloatExpected));  // after the cap: entered, not listed, no second notice
  EXPECT_EQ(sink.events, expected);
  EXPECT_EQ(scan.errors.ErrorCount, 16);
  EXPECT_TRUE(scan.errors.ScanFailed && scan.errors.ScanAborted && scan.errors.MaxErrorsNoticeShown);
}

TEST(RuleEvents, ItemCountReportsUnlessQuiet) {
  struct Case {
    long long commas;
    int expectedCommas;
    bool quiet;
    Events events;
  };
  const std::string wrongCount =
      "<br>Error (Line 7): Found more (or less) items on this line. The expected number is exactly 14 items; see "
      "error message(s) below.\n";
  for (const Case& c : std::vector<Case>{
           {13, 13, false, {}},
           {12, 13, true, {}},
           {12, 13, false, {listed(7, ScanCode::WrongItemCount), coloured(Ink::Red, wrongCount)}},
       }) {
    ScanSession scan = sessionOn(2018, 4, 12);
    scan.input.LineNumber = 7;
    RecordingSink sink;
    EXPECT_EQ(checkCommaCount(scan, sink, c.commas, c.expectedCommas, c.quiet), c.commas == c.expectedCommas);
    EXPECT_EQ(sink.events, c.events) << c.commas << (c.quiet ? " quiet" : "");
  }
}

TEST(RuleEvents, ColumnNameMismatchFailsTheScanWithoutAnEntry) {
  ScanSession scan = sessionOn(2018, 4, 12);
  scan.content.kind = &kSurfaceKind;
  scan.input.LineNumber = 40;
  scan.content.GeneralHeader.numColumns = 2;
  scan.content.ColumnTable[0].shortName = "STARTTIME";
  scan.content.ColumnTable[1].shortName = "ENDTIME";

  RecordingSink probe;
  EXPECT_FALSE(checkColumnNamesLine(scan, probe, true, "StartTime, MeanTime"));
  EXPECT_TRUE(probe.events.empty());
  EXPECT_FALSE(scan.errors.ScanFailed);

  RecordingSink sink;
  EXPECT_FALSE(checkColumnNamesLine(scan, sink, false, "StartTime, Mean<Time>"));
  EXPECT_EQ(sink.events,
            (Events{coloured(Ink::Red,
                             "<br>Error (Line 40): Header's Column[2] \"short name [ENDTIME]\" does not match "
                             "\"short name [MEAN&lt;TIME&gt;]\" on this line.\n"),
                    failed()}));
  EXPECT_TRUE(scan.errors.ScanFailed);
  EXPECT_EQ(scan.errors.ErrorCount, 0);

  RecordingSink passing;
  EXPECT_TRUE(checkColumnNamesLine(scan, passing, false, "starttime, endtime ; names"));
  EXPECT_TRUE(passing.events.empty());
}

TEST(RuleEvents, DateTimeFieldsOutOfRangeTakeTheLinesCode) {
  ScanSession scan = sessionOn(2018, 4, 12);
  scan.content.kind = &kProfileKind;
  scan.input.LineNumber = 33;
  RecordingSink sink;
  EXPECT_FALSE(checkDateTime(scan, sink, "2018-13-01, 24:00:00", 5));
  EXPECT_EQ(sink.events, (Events{written("<font color='#FF0000'>"),
                                 written("<br>Error (Line 33): MM ( month value = 13 ) NOT correct.\n"),
                                 written("<br>Error (Line 33): hh ( hours value = 24 ) NOT correct.\n"),
                                 written("</font>"), listed(33, ScanCode::ProfileHeaderLine6)}));

  // The same line of a RECORD block has its own code.
  scan.content.kind = &kSurfaceKind;
  RecordingSink record;
  EXPECT_FALSE(checkDateTime(scan, record, "1979-01-01, 00:00:00", 5));
  EXPECT_EQ(record.errors(), (std::vector<std::pair<int, ScanCode>>{{33, ScanCode::RecordHeaderLine6}}));
}

TEST(RuleEvents, ReadingPastTheEndFailsAndStops) {
  ScanSession scan = sessionOn(2018, 4, 12);
  RecordingSink sink;
  LineSource lines(scan.input, scan.errors, sink);
  std::string line = "kept";
  lines.readNextLine(&line);  // DataStream is not open: nothing to read
  EXPECT_EQ(sink.events, (Events{failed(), aborted(),
                                 coloured(Ink::Red, "<br>Error End-of-File: EOF reached during processing. File "
                                                    "processing stopped prematurely.\n")}));
  EXPECT_TRUE(scan.input.AtEndOfFile);
  EXPECT_EQ(scan.input.LineNumber, 0);
}

}  // namespace
