// Whole-file scans of PROFILE and SURFACE fixtures and of variants made from
// them by line edits; every case compares the report's bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text.h"
#include "scanner/scan_session.h"
#include "tests/scanner/content/scan_fixture.h"
#include "tests/support/text_samples.h"

namespace {

using namespace content_test;
using platform::formatText;
using testing_support::profileDataRow;
using testing_support::profileFileName;
using testing_support::surfaceFileName;

// Line numbers of the PROFILE fixture (one block with one comment line).
constexpr int kPRevision = 25, kPComment = 26, kPBegin = 27, kPHeaderLines = 28, kPDataLines = 29;
constexpr int kPStart = 33, kPSourceCoordinates = 38, kPBlockComment = 39, kPNames = 40, kPFirstData = 41;
// Line numbers of the SURFACE fixture (one block without comment lines).
constexpr int kSEnd = 31, kSFirstData = 34;

const std::string kProfileNames =
    "ALT, O3ND, O3NDUncert, O3NDResol, Precision, ChRange, O3MR, O3MRUncert, Press, PressUncert, Temp, TempUncert, "
    "AirND, AirNDUncert";

std::string profileRowAt(int index) { return testing_support::profileDataRows(index + 1)[static_cast<size_t>(index)]; }

// The lines of a PROFILE block that passes, from its banner to its rule.
std::string profileBlockPassed(int number, int of) {
  return scanningBlock(false, number, of) + emptyDateFonts(5) + "<br>\n" + blockPassed(false, number) + kRule;
}
std::string recordBlockPassed(int number, int of) {
  return scanningBlock(true, number, of) + emptyDateFonts(3) + blockPassed(true, number) + kRule;
}
const std::string kGeneralPassed = std::string(kGenStart) + kGenVerified + kGenDone;

std::string trailingNotEmpty(int line, size_t length) {
  return red(formatText("<br>Error Data Section (Line %d): Finished processing file but the last data line(s) in "
                        "the file seem(s) NOT empty (length = %d).<br>\n",
                        line, static_cast<int>(length)));
}

std::string failedEmptyList() { return failedList({}); }

// A data line of 14 items of the given length (padded with blanks).
std::string paddedRow(size_t length) {
  std::string row = "100.0,1,1,1,1,1,1,1,1,1,1,1,1,1";
  row.resize(length, ' ');
  return row;
}

struct ContentCase {
  const char* label;
  bool surface;
  std::vector<LineEdit> edits;
  int result;
  std::string content;
  std::string fileName = "";  // default: the fixture's name
  std::string text = "";      // default: the fixture's text
};

void runCases(const std::vector<ContentCase>& cases) {
  for (const ContentCase& c : cases) {
    std::string base = !c.text.empty() ? c.text
                       : c.surface     ? testing_support::validSurfaceText()
                                       : testing_support::validProfileText();
    std::string name = !c.fileName.empty() ? c.fileName : c.surface ? surfaceFileName() : profileFileName();
    ScanOutcome outcome = scanText(applyEdits(base, c.edits), name);
    EXPECT_EQ(outcome.result, c.result) << c.label;
    EXPECT_EQ(contentOf(outcome.report), c.content) << c.label;
  }
}

TEST(ContentScan, ValidProfileFileExactReport) {
  std::string name = profileFileName();
  ScanOutcome outcome = scanText(testing_support::validProfileText(), name);
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(outcome.report, fullReport(name, kGeneralPassed + profileBlockPassed(1, 1) + kAllDone));
}

TEST(ContentScan, ValidSurfaceFileExactReport) {
  std::string name = surfaceFileName();
  ScanOutcome outcome = scanText(testing_support::validSurfaceText(), name);
  EXPECT_EQ(outcome.result, 2);
  EXPECT_EQ(outcome.report, fullReport(name, kGeneralPassed + recordBlockPassed(1, 1) + kAllDone));
}

TEST(ContentScan, CrlfCopyGivesTheSameReport) {
  for (bool surface : {false, true}) {
    std::string text = surface ? testing_support::validSurfaceText() : testing_support::validProfileText();
    std::string name = surface ? surfaceFileName() : profileFileName();
    ScanOutcome lf = scanText(text, name);
    ScanOutcome crlf = scanText(testing_support::joinLines(testing_support::splitLines(text), "\r\n"), name);
    EXPECT_EQ(crlf.result, lf.result);
    EXPECT_EQ(crlf.report, lf.report);
  }
}

TEST(ContentScan, TwoBlockFile) {
  using testing_support::profileBlock;
  std::string text = testing_support::profileFileText(
      {profileBlock("2018-04-12, 01:00:00", "2018-04-12, 01:59:59", "2018-04-12, 01:30:00"),
       profileBlock("2018-04-12, 02:00:00", "2018-04-12, 02:59:59", "2018-04-12, 02:30:00", 12)});
  ScanOutcome outcome = scanText(text, profileFileName());
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(contentOf(outcome.report), kGeneralPassed + profileBlockPassed(1, 2) + profileBlockPassed(2, 2) + kAllDone);
}

TEST(ContentScan, BlocksOfShortNumbersPass) {
  // The lines most files hold: 14 short numbers, read without a split.
  using testing_support::profileBlock;
  std::vector<testing_support::ProfileBlock> blocks = {
      profileBlock("2018-04-12, 01:00:00", "2018-04-12, 01:59:59", "2018-04-12, 01:30:00", 0),
      profileBlock("2018-04-12, 02:00:00", "2018-04-12, 02:59:59", "2018-04-12, 02:30:00", 0)};
  blocks[0].dataRows = testing_support::profileShortDataRows(10);
  blocks[1].dataRows = testing_support::profileShortDataRows(40, 0, 7);
  ScanOutcome outcome = scanText(testing_support::profileFileText(blocks), profileFileName());
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(contentOf(outcome.report), kGeneralPassed + profileBlockPassed(1, 2) + profileBlockPassed(2, 2) + kAllDone);
}

TEST(ContentScan, FileWithoutFinalLineEnd) {
  // The last data line ends the file without a line end: its read meets the
  // end of the file, as a text-mode line reader sees it.
  std::string text = testing_support::validProfileText();
  text.pop_back();
  ScanOutcome outcome = scanText(text, profileFileName());
  EXPECT_EQ(outcome.result, 1);
  EXPECT_EQ(contentOf(outcome.report),
            kGeneralPassed + scanningBlock(false, 1, 1) + emptyDateFonts(5) + kEndOfFile +
                red("<br>Error Profile[1] Data Section: There seem to be less data lines in this profile than "
                    "what's reported in \"Profile's Header 2nd Line = 10\".\n") +
                blockFailed(false, 1) + kRule + failedEmptyList());
}

TEST(ContentScan, GeneralHeaderFaults) {
  const std::string valid = kGeneralPassed + profileBlockPassed(1, 1) + kAllDone;
  const std::string count13 = "-9999, -9999, -9999, -9999, -9999, -9999, -9999, -9999, -9999, -9999, -9999, -9999, "
                              "-9999  ; MISSING DATA VALUES";
  const std::string fifthIsMinusOne = "-9999, -9999, -9999, -9999, -1, -9999, -9999, -9999, -9999, -9999, -9999, "
                                      "-9999, -9999, -9999  ; MISSING DATA VALUES";
  runCases({
      {"line 1 value 17", false, {replaceAt(1, "17 ; NUMBER OF GENERAL HEADER LINES (AFTER THIS LINE)")}, 1,
       kGenStart + failedList({{1, 7}, {-1, 54}})},
      {"line 1 empty value", false, {replaceAt(1, " ; NUMBER OF GENERAL HEADER LINES (AFTER THIS LINE)")}, 1,
       kGenStart + failedList({{1, 7}, {-1, 54}})},
      {"line 1 value abc", false, {replaceAt(1, "abc ; NUMBER OF GENERAL HEADER LINES (AFTER THIS LINE)")}, 1,
       kGenStart + failedList({{1, 56}, {-1, 54}})},
      {"line 1 in lower case", false, {replaceAt(1, "18 ; number of general header lines (after this line)")}, 0,
       valid},
      {"line 1 value +18", false, {replaceAt(1, " +18  ; NUMBER OF GENERAL HEADER LINES (AFTER THIS LINE)")}, 0,
       valid},
      {"line 1 value 18e5", false, {replaceAt(1, "18e5 ; NUMBER OF GENERAL HEADER LINES (AFTER THIS LINE)")}, 0,
       valid},
      {"line 1 without GENERAL HEADER", false, {replaceAt(1, "18 ; NUMBER OF LINES")}, 1,
       kGenStart + failedList({{1, 7}, {-1, 54}})},
      {"version v1.00", false, {replaceAt(2, "v1.00 ; PARVIX STANDARDIZED FORMAT VERSION FOR PROFILE DATA")}, 1,
       kGenStart + failedList({{2, 8}, {-1, 54}})},
      {"version followed by a tab", false,
       {replaceAt(2, "v1.0\t; PARVIX STANDARDIZED FORMAT VERSION FOR PROFILE DATA")}, 1,
       kGenStart + failedList({{2, 8}, {-1, 54}})},
      {"version and line 4 wrong", false,
       {replaceAt(2, "v2.0 ; PARVIX STANDARDIZED FORMAT VERSION FOR PROFILE DATA"),
        replaceAt(4, "13 ; NUMBER OF DATA COLUMNS FOR ALL PROFILES")},
       1, kGenStart + failedList({{2, 8}, {4, 10}, {-1, 54}})},
      {"no blocks", false, {replaceAt(3, "0 ; NUMBER OF PROFILES IN THIS FILE")}, 1,
       kGenStart + failedList({{3, 9}, {-1, 54}})},
      {"missing values: 13 flags", false, {replaceAt(19, count13)}, 1,
       kGenStart +
           red("<br>Error (Line 19): Found more (or less) items on this line. The expected number is exactly 14 "
               "items; see error message(s) below.\n") +
           failedList({{19, 97}, {-1, 54}})},
      {"missing values: -1", false, {replaceAt(19, fifthIsMinusOne)}, 1,
       kGenStart + red("<br>Error (Line 19): item[5] ( -1 ) NOT correct.\n") + failedList({{19, 25}, {-1, 54}})},
      {"missing values: other allowed flags", false,
       {replaceAt(19, "-99999, -999999, -9999999, -9999.5, -9999, -9999, -9999, -9999, -9999, -9999, -9999, -9999, "
                      "-9999, -9999 ; MISSING DATA VALUES")},
       0, valid},
      {"missing values: huge flag", false,
       {replaceAt(19, "-1e300, -9999, -9999, -9999, -9999, -9999, -9999, -9999, -9999, -9999, -9999, -9999, -9999, "
                      "-9999 ; MISSING DATA VALUES")},
       1,
       kGenStart + red(formatText("<br>Error (Line 19): item[1] ( %.0f ) NOT correct.\n", -1e300)) +
           failedList({{19, 25}, {-1, 54}})},
      {"comment count 4", false, {replaceAt(20, "4  ; NUMBER OF GENERAL COMMENTS LINES (AFTER THIS LINE)")}, 1,
       kGenStart + failedList({{20, 26}, {-1, 54}})},
      {"blank site name", false, {replaceAt(23, "   ; SITE NAME")}, 1, kGenStart + failedList({{23, 55}, {-1, 54}})},
      {"site line without ';'", false, {replaceAt(23, "Test Station SITE NAME")}, 0, valid},
      {"latitude 95", false,
       {replaceAt(24, "-76.3, 95, 10  ; LONGITUDE, LATITUDE, ELEVATION (separated by commas)")}, 1,
       kGenStart + failedList({{24, 58}, {-1, 54}})},
      {"elevation missing", false, {replaceAt(24, "-76.3, 37.1  ; LONGITUDE, LATITUDE, ELEVATION")}, 1,
       kGenStart + failedList({{24, 58}, {-1, 54}})},
      {"coordinates at their bounds", false, {replaceAt(24, "360, -90, -200  ; LONGITUDE, LATITUDE, ELEVATION")}, 0,
       valid},
      {"huge block count", false, {replaceAt(3, "99999999999 ; NUMBER OF PROFILES IN THIS FILE")}, 1,
       kGeneralPassed + profileBlockPassed(1, 2147483647) + scanningBlock(false, 2, 2147483647) + kEndOfFile +
           red("<br>Error (Line 50): This error could be due to the number of \"data lines\" in PROFILE[1] NOT "
               "being EQUAL_TO the number specified in PROFILE's Header (PROFILE[1]_Header_Line2 = 10).\n") +
           blockFailed(false, 2) + kRule + failedList({{50, 62}})},
  });
}

TEST(ContentScan, SurfaceGeneralHeaderFaults) {
  runCases({
      {"line 1 value 18", true, {replaceAt(1, "18 ; NUMBER OF GENERAL HEADER LINES (AFTER THIS LINE)")}, 2,
       kGenStart + failedList({{1, 32}, {-1, 54}})},
      {"no records", true, {replaceAt(3, "-2 ; NUMBER OF RECORDS IN THIS FILE")}, 2,
       kGenStart + failedList({{3, 34}, {-1, 54}})},
      {"temperature column without its blank", true, {replaceAt(12, "Temp, K, Surface Temperature; Column 8")}, 2,
       kGenStart + failedList({{12, 43}, {-1, 54}})},
  });
}

TEST(ContentScan, RevisionAndCommentRules) {
  using testing_support::profileBlock;
  const std::vector<testing_support::ProfileBlock> blocks = {
      profileBlock("2018-04-12, 01:00:00", "2018-04-12, 01:59:59", "2018-04-12, 01:30:00")};
  std::vector<std::string> comments28(28, "a comment line");
  runCases({
      {"R0 with a comment", false, {}, 1,
       kGenStart +
           red("<br>Error (Line 26): Data Revision Read = R0; therefore, there should be no added comments.<br>\n") +
           kGenDone + profileBlockPassed(1, 1) + failedEmptyList(),
       profileFileName("20180412", 0), testing_support::profileFileText(blocks, 0, {"R0 note"})},
      {"R0 without comments", false, {}, 0, kGeneralPassed + profileBlockPassed(1, 1) + kAllDone,
       profileFileName("20180412", 0), testing_support::profileFileText(blocks, 0, {})},
      {"R1 without comments", false, {}, 1, std::string(kGenStart) + kGenDone + profileBlockPassed(1, 1) + failedList({{26, 60}}),
       "", testing_support::profileFileText(blocks, 1, {})},
      {"28 comment lines", false, {}, 0, kGeneralPassed + profileBlockPassed(1, 1) + kAllDone, "",
       testing_support::profileFileText(blocks, 1, comments28)},
      {"revision line in lower case", false, {replaceAt(kPRevision, "r1 ; data revision number")}, 0,
       kGeneralPassed + profileBlockPassed(1, 1) + kAllDone},
      {"comment count 7 for one comment line", false,
       {replaceAt(20, "7  ; NUMBER OF GENERAL COMMENTS LINES (AFTER THIS LINE)")}, 1,
       kGenStart +
           red("<br>Error (Line 20): Value on this line is NOT_EQUAL_TO lines read. The number of comments lines "
               "(N = 7) does NOT match the actual lines in the comments section (Read = 6) .\n") +
           kGenDone + profileBlockPassed(1, 1) + failedEmptyList()},
      {"revision line without REVISION", true, {replaceAt(22, "R1 ; DATA NUMBER")}, 2,
       kGenStart +
           red("<br>Error (Line 22) text is not correct. The text expected: <b>\"R#  ; Data Revision Number\"</b> "
               "( where, # >= 0 )  \n") +
           failedList({{22, 60}})},
      {"revision line without ';'", true, {replaceAt(22, "R1 DATA REVISION NUMBER")}, 2,
       kGenStart + failedList({{22, 60}})},
      {"blank revision value", true, {replaceAt(22, "   ; DATA REVISION NUMBER")}, 2,
       kGenStart + failedList({{22, 60}})},
      {"revision R100", true, {replaceAt(22, "R100 ; DATA REVISION NUMBER")}, 2, kGenStart + failedList({{22, 59}})},
      {"revision without R", true, {replaceAt(22, "11 ; DATA REVISION NUMBER")}, 2, kGenStart + failedList({{22, 59}})},
      {"surface R1 without comments", true, {deleteAt(23), replaceAt(17, "5  ; NUMBER OF GENERAL COMMENTS LINES")}, 2,
       kGenStart + failedList({{23, 60}})},
      {"surface block start in lower case", true, {replaceAt(24, " #begin record ;------")}, 2,
       kGenStart + [] {
         std::string eof;
         for (int i = 0; i < 8; ++i) eof += kEndOfFile;
         return eof;
       }() + failedList({{43, 78}})},
  });
}

TEST(ContentScan, RevisionDifferingFromTheFileName) {
  // The comment lines are not read: the block check starts right after the
  // revision line and meets the comment line and the "#BEGIN" line.
  ScanOutcome outcome = scanText(testing_support::validProfileText(), profileFileName("20180412", 2));
  EXPECT_EQ(outcome.result, 1);
  EXPECT_EQ(contentOf(outcome.report),
            std::string(kGenStart) + kGenDone + scanningBlock(false, 1, 1) +
                red("<br>Error (Line 38): Found more (or less) items on this line. The expected number is exactly 14 "
                    "items; see error message(s) below.\n") +
                blockFailed(false, 1) + kRule + trailingNotEmpty(38, 26) +
                failedList({{25, 61}, {26, 63}, {26, 74}, {27, 64}, {28, 65}, {29, 66}, {30, 67}, {31, 68},
                            {32, 69}, {33, 70}, {34, 71}, {35, 72}, {36, 73}, {38, 97}}));
}

TEST(ContentScan, BlockHeaderFaults) {
  const std::string firstRow = profileRowAt(0);
  const std::string nameOnlyDate = "2018-04-13, 01:00:00  ; PROFILE DATE, TIME (UT) START";
  runCases({
      {"11 header lines, no comment line", false,
       {deleteAt(kPBlockComment),
        replaceAt(kPHeaderLines, "11  ; NUMBER OF HEADER LINES IN THIS PROFILE'S HEADER (AFTER THIS LINE)")},
       1, kGeneralPassed + profileBlockPassed(1, 1) + failedList({{kPHeaderLines, 74}})},
      {"12 header lines, no comment line", false, {deleteAt(kPBlockComment)}, 1,
       kGeneralPassed + scanningBlock(false, 1, 1) + emptyDateFonts(5) + "<br>\n" + blockFailed(false, 1) + kRule +
           failedList({{kPHeaderLines, 63}})},
      {"13 header lines, two comment lines", false,
       {insertAt(kPNames, "Second comment; with a semicolon"),
        replaceAt(kPHeaderLines, "13  ; NUMBER OF HEADER LINES IN THIS PROFILE'S HEADER (AFTER THIS LINE)")},
       0, kGeneralPassed + profileBlockPassed(1, 1) + kAllDone},
      {"column names in lower case", false, {replaceAt(kPNames, platform::toLowerAscii(kProfileNames))}, 0,
       kGeneralPassed + profileBlockPassed(1, 1) + kAllDone},
      {"column name misspelt", false,
       {replaceAt(kPNames, "ALT, O3NX, O3NDUncert, O3NDResol, Precision, ChRange, O3MR, O3MRUncert, Press, "
                           "PressUncert, Temp, TempUncert, AirND, AirNDUncert")},
       1,
       kGeneralPassed + scanningBlock(false, 1, 1) + emptyDateFonts(5) +
           red("<br>Error (Line 40): Header's Column[2] \"short name [O3ND]\" does not match \"short name [O3NX]\" "
               "on this line.\n") +
           "<br>\n" + blockFailed(false, 1) + kRule + failedEmptyList()},
      {"column name empty", false,
       {replaceAt(kPNames, "ALT, , O3NDUncert, O3NDResol, Precision, ChRange, O3MR, O3MRUncert, Press, "
                           "PressUncert, Temp, TempUncert, AirND, AirNDUncert")},
       1,
       kGeneralPassed + scanningBlock(false, 1, 1) + emptyDateFonts(5) +
           red("<br>Error (Line 40): Header's Column[2] \"short name [O3ND]\" does not match \"short name []\" "
               "on this line.\n") +
           "<br>\n" + blockFailed(false, 1) + kRule + failedEmptyList()},
      {"9 data lines", false, {replaceAt(kPDataLines, "9  ; NUMBER OF DATA LINES IN THIS PROFILE")}, 1,
       kGeneralPassed + scanningBlock(false, 1, 1) + emptyDateFonts(5) + blockFailed(false, 1) + kRule +
           trailingNotEmpty(kPNames, firstRow.size()) + failedList({{kPNames, 75}})},
      {"start date out of range", false,
       {replaceAt(kPStart, "2015-13-01, 25:00:00  ; PROFILE DATE, TIME (UT) START")}, 1,
       kGeneralPassed + scanningBlock(false, 1, 1) + emptyDateFonts(1) +
           red("<br>Error (Line 33): MM ( month value = 13 ) NOT correct.\n"
               "<br>Error (Line 33): hh ( hours value = 25 ) NOT correct.\n") +
           emptyDateFonts(3) + blockFailed(false, 1) + kRule + trailingNotEmpty(kPNames, firstRow.size()) +
           failedList({{kPStart, 68}})},
      {"start date without time", false, {replaceAt(kPStart, "1979-02-31  ; PROFILE DATE, TIME (UT) START")}, 1,
       kGeneralPassed + scanningBlock(false, 1, 1) + emptyDateFonts(1) +
           red("<br>Error (Line 33): YYYY ( year value = 1979 ) NOT correct.\n"
               "<br>Error (Line 33): hh ( hours value = -1 ) NOT correct.\n"
               "<br>Error (Line 33): mn ( minutes value = -1 ) NOT correct.\n"
               "<br>Error (Line 33): ss ( seconds value = -1 ) NOT correct.\n") +
           emptyDateFonts(3) + blockFailed(false, 1) + kRule + trailingNotEmpty(kPNames, firstRow.size()) +
           failedList({{kPStart, 68}})},
      {"processing date 2015-02-31", false, {replaceAt(30, "2015-02-31, 10:00:00  ; DATA PROCESSING DATE, TIME")}, 0,
       kGeneralPassed + profileBlockPassed(1, 1) + kAllDone},
      {"start date differs from the file name", false, {replaceAt(kPStart, nameOnlyDate)}, 1,
       kGeneralPassed + profileBlockPassed(1, 1) + failedList({{kPStart, 98}})},
      {"source latitude 95", false,
       {replaceAt(kPSourceCoordinates, "-76.3, 95, 10  ; SOURCE LONGITUDE, LATITUDE, ELEVATION")}, 1,
       kGeneralPassed + scanningBlock(false, 1, 1) + emptyDateFonts(5) + blockFailed(false, 1) + kRule +
           trailingNotEmpty(kPNames, firstRow.size()) + failedList({{kPSourceCoordinates, 58}})},
      {"header line count not a number", false,
       {replaceAt(kPHeaderLines, "twelve ; NUMBER OF HEADER LINES IN THIS PROFILE'S HEADER")}, 1,
       kGeneralPassed + scanningBlock(false, 1, 1) + emptyDateFonts(5) + blockFailed(false, 1) + kRule +
           trailingNotEmpty(kPNames, firstRow.size()) + failedList({{kPHeaderLines, 56}, {kPHeaderLines, 74}})},
      {"fixed line without ';'", false, {replaceAt(31, "v2.1 DATA PROCESSING VERSION")}, 0,
       kGeneralPassed + profileBlockPassed(1, 1) + kAllDone},
      {"record end hour 24", true, {replaceAt(kSEnd, "2018-04-12, 24:00:00  ; RECORD DATE, TIME (UT) END")}, 2,
       kGeneralPassed + scanningBlock(true, 1, 1) + emptyDateFonts(2) +
           red("<br>Error (Line 31): hh ( hours value = 24 ) NOT correct.\n") + blockFailed(true, 1) + kRule +
           trailingNotEmpty(33, testing_support::recordDataRows(1)[0].size()) + failedList({{kSEnd, 85}})},
      {"record with 9 header lines and a comment", true,
       {insertAt(33, "a record comment"),
        replaceAt(25, "9  ; NUMBER OF HEADER LINES IN THIS RECORD'S HEADER (AFTER THIS LINE)")},
       2, kGeneralPassed + recordBlockPassed(1, 1) + kAllDone},
      {"record with 9 header lines and no comment", true,
       {replaceAt(25, "9  ; NUMBER OF HEADER LINES IN THIS RECORD'S HEADER (AFTER THIS LINE)")}, 2,
       kGeneralPassed + scanningBlock(true, 1, 1) + emptyDateFonts(3) + blockFailed(true, 1) + kRule +
           failedList({{25, 79}})},
  });
}

TEST(ContentScan, SecondBlockStartInLowerCase) {
  using testing_support::profileBlock;
  std::string text = testing_support::profileFileText(
      {profileBlock("2018-04-12, 01:00:00", "2018-04-12, 01:59:59", "2018-04-12, 01:30:00"),
       profileBlock("2018-04-12, 02:00:00", "2018-04-12, 02:59:59", "2018-04-12, 02:30:00")});
  text = applyEdits(text, {replaceAt(51, " #begin profile ;-----")});
  ScanOutcome outcome = scanText(text, profileFileName());
  EXPECT_EQ(outcome.result, 1);
  EXPECT_EQ(contentOf(outcome.report),
            kGeneralPassed + profileBlockPassed(1, 2) + scanningBlock(false, 2, 2) +
                red("<br>Error (Line 51): This error could be due to the number of \"data lines\" in PROFILE[1] NOT "
                    "being EQUAL_TO the number specified in PROFILE's Header (PROFILE[1]_Header_Line2 = 10).\n") +
                blockFailed(false, 2) + kRule + failedList({{51, 62}}));
}

TEST(ContentScan, SecondRecordStartWrong) {
  testing_support::RecordBlock block;
  block.dataRows = testing_support::recordDataRows(10);
  testing_support::RecordBlock later = block;
  later.dataRows = testing_support::recordDataRows(10, 3600);
  std::string text = applyEdits(testing_support::surfaceFileText({block, later}), {replaceAt(44, "RECORD BEGINS")});
  ScanOutcome outcome = scanText(text, surfaceFileName());
  EXPECT_EQ(outcome.result, 2);
  EXPECT_EQ(contentOf(outcome.report),
            kGeneralPassed + recordBlockPassed(1, 2) + scanningBlock(true, 2, 2) +
                red("<br>Error (Line 44): This error could be due to the number of \"data lines\" in RECORD[1] NOT "
                    "being EQUAL_TO the number specified in RECORD's Header (RECORD[1]_Header_Line2 = 10).\n") +
                blockFailed(true, 2) + kRule + failedList({{44, 78}}));
}

TEST(ContentScan, FileEndingInsideTheSecondOfThreeBlocks) {
  using testing_support::profileBlock;
  std::string text = testing_support::profileFileText(
      {profileBlock("2018-04-12, 01:00:00", "2018-04-12, 01:59:59", "2018-04-12, 01:30:00"),
       profileBlock("2018-04-12, 02:00:00", "2018-04-12, 02:59:59", "2018-04-12, 02:30:00")});
  std::vector<std::string> lines = testing_support::splitLines(text);
  lines.resize(69);  // block 2 keeps 5 of its 10 data lines
  text = applyEdits(testing_support::joinLines(lines), {replaceAt(3, "3 ; NUMBER OF PROFILES IN THIS FILE")});
  ScanOutcome outcome = scanText(text, profileFileName());
  EXPECT_EQ(outcome.result, 1);
  EXPECT_EQ(contentOf(outcome.report),
            kGeneralPassed + profileBlockPassed(1, 3) + scanningBlock(false, 2, 3) + emptyDateFonts(5) + kEndOfFile +
                red("<br>Error Profile[2] Data Section: There seem to be less data lines in this profile than "
                    "what's reported in \"Profile's Header 2nd Line = 10\".\n") +
                blockFailed(false, 2) + kRule + failedEmptyList());
}

TEST(ContentScan, SurfaceCommentCountFaultEndsTheScan) {
  ScanOutcome outcome = scanText(
      applyEdits(testing_support::validSurfaceText(), {replaceAt(17, "8  ; NUMBER OF GENERAL COMMENTS LINES")}),
      surfaceFileName());
  EXPECT_EQ(outcome.result, 2);
  EXPECT_EQ(contentOf(outcome.report),
            kGenStart +
                red("<br>Error (Line 17): Value on this line is NOT_EQUAL_TO lines read. The number of comments "
                    "lines (N = 8) does NOT match the actual lines in the comments section (Read = 6) .\n") +
                failedEmptyList());
}

TEST(ContentScan, DataLineFaults) {
  std::vector<LineEdit> altitudeSteps;
  for (int i = 3; i < 10; ++i) altitudeSteps.push_back(replaceAt(kPFirstData + i, profileDataRow(110 + 30 * i, 1e18, 40)));
  const std::string failedBlock = scanningBlock(false, 1, 1) + emptyDateFonts(5);
  const std::string warning =
      "<br>Warning (Line 41): Negative number was detected on this line. If this was meant to indicate a missing "
      "data value, then it MUST BE EQUAL to the missing data flag (-9's) in the Header.\n";
  runCases({
      {"length 49", false, {replaceAt(kPFirstData, paddedRow(49))}, 1,
       kGeneralPassed + failedBlock + "<br>\n" + blockFailed(false, 1) + kRule + failedList({{kPFirstData, 96}})},
      {"length 50", false, {replaceAt(kPFirstData, paddedRow(50))}, 0,
       kGeneralPassed + profileBlockPassed(1, 1) + kAllDone},
      {"length 500", false, {replaceAt(kPFirstData, paddedRow(500))}, 0,
       kGeneralPassed + profileBlockPassed(1, 1) + kAllDone},
      {"length 501", false, {replaceAt(kPFirstData, paddedRow(501))}, 1,
       kGeneralPassed + failedBlock + "<br>\n" + blockFailed(false, 1) + kRule + failedList({{kPFirstData, 96}})},
      {"13 items", false, {replaceAt(kPFirstData, "100.0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1                      ")},
       1,
       kGeneralPassed + failedBlock +
           red("<br>Error (Line 41): Found more (or less) items on this line. The expected number is exactly 14 "
               "items; see error message(s) below.\n") +
           "<br>\n" + blockFailed(false, 1) + kRule + failedList({{kPFirstData, 97}})},
      {"irregular ALT step", false, altitudeSteps, 1,
       kGeneralPassed + failedBlock + red("<br>Error (Line 44, Column_1): deltaALT != 30.00\n") +
           red("<br>Error (Line 45, Column_1): deltaALT != 40.00\n") + "<br>\n" + blockFailed(false, 1) + kRule +
           failedList({{44, 77}, {45, 77}})},
      {"negative ALT", false, {replaceAt(kPFirstData, profileDataRow(-100, 1e18, 40))}, 1,
       kGeneralPassed + failedBlock + "<br>\n" + blockFailed(false, 1) + kRule + failedList({{kPFirstData, 76}})},
      {"value 12a", false,
       {replaceAt(kPFirstData, "100.0, 12a, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1                       ")}, 1,
       kGeneralPassed + failedBlock + "<br>\n" + blockFailed(false, 1) + kRule + failedList({{kPFirstData, 94}})},
      {"value 1.2.3", false,
       {replaceAt(kPFirstData, "100.0, 1.2.3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1                     ")}, 0,
       kGeneralPassed + profileBlockPassed(1, 1) + kAllDone},
      {"negative value", false,
       {replaceAt(kPFirstData, "100.0, 1, 1, 1, -5, 1, 1, 1, 1, 1, 1, 1, 1, 1                        ")}, 0,
       kGeneralPassed + failedBlock + orange(warning) + "<br>\n" + blockPassed(false, 1) + kRule + kAllDone},
      {"missing-value flags", false,
       {replaceAt(kPFirstData, "100.0, -9999, -9999.0000001, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, -9999     ")}, 0,
       kGeneralPassed + profileBlockPassed(1, 1) + kAllDone},
      {"more values than columns", false,
       {replaceAt(kPFirstData, "100.0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1 -5 -7 -9                ")}, 0,
       kGeneralPassed + profileBlockPassed(1, 1) + kAllDone},
  });
}

// A line longer than the line reader keeps (platform::kMaxLineLength) is
// judged as a whole: its length and all its commas, also those past the cut.
TEST(ContentScan, LinesBeyondTheReadersBoundAreJudgedWhole) {
  const size_t longLength = platform::kMaxLineLength + 17;
  // 13 commas before the cut, one more in the last bytes: the whole line holds
  // `commas` + 1 commas, the cut one only `commas`.
  auto longRow = [&](int commas) {
    std::string row = "100.0";
    for (int i = 0; i < commas; ++i) row += ",1";
    row.resize(longLength - 2, ' ');
    return row + ",1";
  };
  const std::string failedBlock = scanningBlock(false, 1, 1) + emptyDateFonts(5);
  const std::string text = testing_support::validProfileText();
  const std::string passed = kGeneralPassed + profileBlockPassed(1, 1);
  runCases({
      {"14 items, the last past the cut", false, {replaceAt(kPFirstData, longRow(12))}, 1,
       kGeneralPassed + failedBlock + "<br>\n" + blockFailed(false, 1) + kRule + failedList({{kPFirstData, 96}})},
      {"15 items, the last past the cut", false, {replaceAt(kPFirstData, longRow(13))}, 1,
       kGeneralPassed + failedBlock +
           red("<br>Error (Line 41): Found more (or less) items on this line. The expected number is exactly 14 "
               "items; see error message(s) below.\n") +
           "<br>\n" + blockFailed(false, 1) + kRule + failedList({{kPFirstData, 97}})},
      {"a long trailing line", false, {}, 1, passed + trailingNotEmpty(50, longLength) + failedEmptyList(), "",
       text + std::string(longLength, 'x') + "\n"},
      {"a long trailing line ending in CR LF", false, {}, 1,
       passed + trailingNotEmpty(50, longLength) + failedEmptyList(), "", text + std::string(longLength, 'x') + "\r\n"},
  });
}

TEST(ContentScan, TooManyWarnings) {
  std::vector<LineEdit> edits;
  for (int i = 0; i < 10; ++i)
    edits.push_back(replaceAt(kPFirstData + i, formatText("%.1f, -1, -2, -3, -4, -5, -6, 2.5, 850, 1, 280, 0.5, 2e25, "
                                                          "1e23",
                                                          100.0 + 30 * i)));
  std::string warnings;
  int count = 0;
  for (int i = 0; i < 10; ++i) {
    for (int j = 0; j < 6; ++j) {
      ++count;
      if (count <= 47)
        warnings += orange(formatText(
            "<br>Warning (Line %d): Negative number was detected on this line. If this was meant to indicate a "
            "missing data value, then it MUST BE EQUAL to the missing data flag (-9's) in the Header.\n",
            kPFirstData + i));
      else if (count == 48)
        warnings += orange("<br><br>Too many warnings ...<br>\n");
    }
  }
  ScanOutcome outcome = scanText(applyEdits(testing_support::validProfileText(), edits), profileFileName());
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(contentOf(outcome.report), kGeneralPassed + scanningBlock(false, 1, 1) + emptyDateFonts(5) + warnings +
                                           "<br>\n" + blockPassed(false, 1) + kRule + kAllDone);
}

TEST(ContentScan, SurfaceTimeRules) {
  using testing_support::recordDataRow;
  const std::string failedBlock = scanningBlock(true, 1, 1) + emptyDateFonts(3);
  runCases({
      {"mean outside start and end", true, {replaceAt(kSFirstData, recordDataRow(0, 30, 60, 35))}, 2,
       kGeneralPassed + failedBlock +
           red("<br>Error (Line 34) Times columns order: Start=0.00; End=30.00; Mean=60.00 might NOT be in correct "
               "order.") +
           blockFailed(true, 1) + kRule + failedList({{34, 91}})},
      {"start before the previous end", true, {replaceAt(kSFirstData + 1, recordDataRow(50, 110, 80, 35))}, 2,
       kGeneralPassed + failedBlock +
           red("<br>Error (Line 35) Time Overlap: StartTime (50.00) on this line must be GREATER_THAN_OR_EQUAL_TO "
               "EndTime (60.00) on the previous line.") +
           blockFailed(true, 1) + kRule + failedList({{35, 92}})},
      {"start not increasing", true, {replaceAt(kSFirstData + 1, recordDataRow(0, 120, 90, 35))}, 2,
       kGeneralPassed + failedBlock +
           red("<br>Error (Line 35, Column1 (StartTime)): The value on this line (0.00) should be GREATER_THAN the "
               "value on the previous line (0.00)\n") +
           red("<br>Error (Line 35) Time Overlap: StartTime (0.00) on this line must be GREATER_THAN_OR_EQUAL_TO "
               "EndTime (60.00) on the previous line.") +
           blockFailed(true, 1) + kRule + failedList({{35, 90}, {35, 92}})},
      {"negative time", true, {replaceAt(kSFirstData, recordDataRow(-1, 60, 30, 35))}, 2,
       kGeneralPassed + failedBlock + blockFailed(true, 1) + kRule + failedList({{34, 89}})},
      {"negative value not the flag", true,
       {replaceAt(kSFirstData, "0.0, 60.0, 30.0, -35.00, 1.50, 2.00, 1013.20, 288.10, 55.00, 3.20, 180.00")}, 2,
       kGeneralPassed + failedBlock + blockFailed(true, 1) + kRule + failedList({{34, 93}})},
      {"missing-value flag", true,
       {replaceAt(kSFirstData, "0.0, 60.0, 30.0, -9999, 1.50, 2.00, 1013.20, 288.10, 55.00, 3.20, -9999")}, 2,
       kGeneralPassed + recordBlockPassed(1, 1) + kAllDone},
      {"9 data lines", true, {replaceAt(26, "9  ; NUMBER OF DATA LINES IN THIS RECORD")}, 2,
       kGeneralPassed + failedBlock + blockFailed(true, 1) + kRule +
           trailingNotEmpty(33, testing_support::recordDataRows(1)[0].size()) + failedList({{33, 88}})},
  });
}

TEST(ContentScan, TrailingLines) {
  std::string text = testing_support::validProfileText();
  const std::string passed = kGeneralPassed + profileBlockPassed(1, 1);
  std::string beginLine =
      " #BEGIN PROFILE ;---------------------------------------------------------------------------------------";
  runCases({
      {"five empty lines", false, {}, 0, passed + kAllDone, "", text + "\n\n\n\n\n"},
      {"five short lines", false, {}, 0, passed + kAllDone, "", text + "   \n\n0123456789\n\n  \n"},
      {"six empty lines", false, {}, 1,
       passed + red("<br>Error Last Lines: There seem to be many trailing empty lines at the end of file.<br>") +
           failedEmptyList(),
       "", text + "\n\n\n\n\n\n"},
      {"a long line after empty ones", false, {}, 1, passed + trailingNotEmpty(50, 11) + failedEmptyList(), "",
       text + "\n\n01234567890\n"},
      {"one block more than announced", false, {}, 1, passed + trailingNotEmpty(50, beginLine.size()) + failedEmptyList(),
       "", text + beginLine + "\n"},
  });
}

TEST(ContentScan, ThirtyLinesOfXStopAtTheErrorCap) {
  std::string text;
  for (int i = 0; i < 30; ++i) text += "x\n";
  std::vector<std::pair<int, int>> listed;
  for (int line = 1; line <= 16; ++line) listed.emplace_back(line, line + 6);
  ScanOutcome outcome = scanText(text, profileFileName());
  EXPECT_EQ(outcome.result, 1);
  EXPECT_EQ(contentOf(outcome.report),
            kGenStart +
                red("<br><br>Error: The max number of errors were detected! The entire file was not checked!\n"
                    "Beware some errors such as missing lines or misplaced lines can cause errors to cascade.<br>\n") +
                failedList(listed));
}

TEST(ContentScan, SecondScanStartsClean) {
  std::string text;
  for (int i = 0; i < 30; ++i) text += "x\n";
  ScanSession session;
  scanText(session, text, profileFileName());
  ScanOutcome outcome = scanText(session, testing_support::validProfileText(), profileFileName());
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(contentOf(outcome.report), kGeneralPassed + profileBlockPassed(1, 1) + kAllDone);
}

TEST(ContentScan, BeginLineIsKeptWhenTheR0RuleFails) {
  using testing_support::profileBlock;
  std::string text = testing_support::profileFileText(
      {profileBlock("2018-04-12, 01:00:00", "2018-04-12, 01:59:59", "2018-04-12, 01:30:00")}, 0, {"R0 note"});
  ScanSession session;
  session.content.BeginLineText = "left from an earlier scan";
  ScanOutcome outcome = scanText(session, text, profileFileName("20180412", 0), true);
  EXPECT_EQ(outcome.result, 1);
  EXPECT_NE(outcome.report.find("<tr><td class=\"styleTD1\">PROFILE_Begin_Line</td><td class=\"styleTD3\" "
                                "colspan=\"2\"><span style=\"color:#FF9900\"> #BEGIN PROFILE ;---"),
            std::string::npos);
}

TEST(ContentScan, DetailTablesShowWhatWasRead) {
  std::string text = applyEdits(testing_support::validProfileText(),
                                {insertAt(kPNames, "Second comment; with a semicolon"),
                                 replaceAt(kPHeaderLines, "13  ; NUMBER OF HEADER LINES IN THIS PROFILE'S HEADER")});
  ScanSession session;
  ScanOutcome outcome = scanText(session, text, profileFileName(), true);
  EXPECT_EQ(outcome.result, 0);
  const char* const rows[] = {
      "<tr><td class=\"styleTD1\">GenHeader_Line5</td><td class=\"styleTD3\"> ALT, M, ALTITUDE ABOVE SEA LEVEL "
      "(CENTER OF SAMPLING BIN)  </td><td class=\"styleTD2\">; COLUMN 1</td></tr>\n",
      "<tr><td class=\"styleTD1\">GenHeader_Line25</td><td class=\"styleTD3\"> R1 </td></tr>\n",
      "<tr><td class=\"styleTD1\">GenHeader_Line26 thru <br>GenHeader_Line26 </td><td class=\"styleTD3\"> R1: first "
      "release<br> </td></tr>\n",
      "<tr><td class=\"styleTD3\"> 1 </td><td class=\"styleTD3\"> ALT ( M) </td><td class=\"styleTD3\"> -9999 "
      "</td></tr>\n",
      "PROFILE[1] Details [Header Lines = 13 | Data Lines = 10 ] </td></tr>\n",
      "<span style=\"color:#FF9900\"> #BEGIN PROFILE "
      ";---------------------------------------------------------------------------------------</span>",
      "<tr><td class=\"styleTD1\">PROFILE[1]_Header_Line4</td><td class=\"styleTD3\"> v2.1  </td><td "
      "class=\"styleTD2\">; DATA PROCESSING VERSION</td></tr>\n",
      "<tr><td class=\"styleTD1\">PROFILE[1]_Header_Line11</td><td class=\"styleTD3\"> -76.3, 37.1, 10   </td><td "
      "class=\"styleTD2\">; SOURCE LONGITUDE, LATITUDE, ELEVATION (SEPARATED BY COMMAS) (DEG. EAST, DEG. NORTH, "
      "M)</td></tr>\n",
      "<tr><td class=\"styleTD1\">PROFILE[1]_Header_Line12</td><td class=\"styleTD3\"> Block comment: nominal run "
      "</td><td class=\"styleTD2\"></td></tr>\n",
      "<tr><td class=\"styleTD1\">PROFILE[1]_Header_Line13</td><td class=\"styleTD3\"> Second comment </td><td "
      "class=\"styleTD2\">; with a semicolon</td></tr>\n",
  };
  for (const char* row : rows) EXPECT_NE(outcome.report.find(row), std::string::npos) << row;
  EXPECT_EQ(session.content.ColumnTable[0].units, " M");
  EXPECT_EQ(session.content.ColumnTable[0].description, " ALTITUDE ABOVE SEA LEVEL (CENTER OF SAMPLING BIN)");
  EXPECT_DOUBLE_EQ(session.content.GeneralHeader.longitude, -76.3);
  EXPECT_DOUBLE_EQ(session.content.GeneralHeader.latitude, 37.1);
  EXPECT_EQ(session.content.GeneralComments.commentLines, 2);
  EXPECT_TRUE(session.content.ProfileHeaders.empty());  // released at the end of the scan
}

}  // namespace
