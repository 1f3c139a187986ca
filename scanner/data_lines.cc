#include "scanner/data_lines.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "platform/decimal_text.h"
#include "platform/text.h"
#include "scanner/data_tokens.h"
#include "scanner/file_kind.h"
#include "scanner/line_source.h"
#include "scanner/missing_values.h"
#include "scanner/scan_report.h"
#include "scanner/scan_session.h"
#include "scanner/scan_text.h"

using platform::formatText;

namespace {

constexpr int kMinDataLines = 10;
constexpr size_t kMinDataLineLength = 50;
constexpr size_t kMaxDataLineLength = 500;
constexpr int kMaxWarningLines = 47;
constexpr int kMaxTrailingReads = 6;
constexpr size_t kMaxTrailingLength = 10;

// What a column rule tells the line loop.
enum class Next { Token, Line };

// The checks every data line goes through before its values: the next line is
// read into `line` and surveyed; Stop when the block's data section ends here.
enum class LineRead { Ok, Skip, Stop };

LineRead readDataLine(ScanSession& scan, LineSource& lines, ReportSink& report, int block, std::string& line,
                      DataLineSurvey& survey) {
  if (scan.errors.ScanAborted) return LineRead::Stop;
  // A line longer than the reader keeps is judged by its whole length and all
  // its commas, those past the cut too.
  platform::WholeLine whole;
  lines.readNextLine(&line, &whole);
  if (scan.input.AtEndOfFile) {
    reportRed(report, formatText(scan.content.kind->shortDataSection, block + 1,
                                 scan.content.profileHeader(block).dataLines));
    scan.errors.failScan(report);
    return LineRead::Stop;
  }
  surveyDataLine(line, &survey);
  const long long commas = survey.commas + static_cast<long long>(whole.countedPastCut);
  if (!checkCommaCount(scan, report, commas, scan.content.GeneralHeader.numColumns - 1, false))
    return LineRead::Skip;
  if (whole.length < kMinDataLineLength || whole.length > kMaxDataLineLength) {
    scan.errors.recordError(report, scan.input.LineNumber, ScanCode::UnusualLineLength);
    return LineRead::Skip;
  }
  return LineRead::Ok;
}

// Whether a value token is below 0 and something else than its column's
// missing-value flag. Only a token that begins with '-' can read as a negative
// number. Tokens beyond the column table have no flag and are not tested.
inline bool isWrongNegative(ScanSession& scan, size_t column, std::string_view token) {
  if (token.empty() || token[0] != '-') return false;
  if (column >= static_cast<size_t>(scan.content.GeneralHeader.numColumns) || column >= 14) return false;
  double value = platform::fastLeadingDouble(token);
  return value < 0 && !nearlyEqual(value, scan.content.ColumnTable[column].missing);
}

// Runs `rule` on every token of a data line; false when the scan was aborted.
// The first `leading` tokens are those the rule converts whatever their sign.
// A plain line (DataLineSurvey) is not split: its tokens past those are value
// text and not negative, so the rule has nothing to say about them, and only
// whether the scan was aborted before them counts.
template <typename Rule>
bool forEachToken(ScanSession& scan, ReportSink& report, std::string_view line, const DataLineSurvey& survey,
                  size_t leading, DataLineSplitter& splitter, bool& passed, Rule rule) {
  if (survey.plain) {
    const size_t read = std::min(leading, survey.tokens);
    size_t at = 0;
    for (size_t i = 0; i < read; ++i) {
      if (scan.errors.ScanAborted) return false;
      while (isDataSeparator(line[at])) ++at;  // the survey counted this token
      const size_t start = at;
      while (at < line.size() && !isDataSeparator(line[at])) ++at;
      if (rule(i, line.substr(start, at - start)) == Next::Line) return true;
    }
    return !(survey.tokens > read && scan.errors.ScanAborted);
  }
  const std::vector<DataToken>& tokens = splitter.split(line);
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (scan.errors.ScanAborted) return false;
    if (!tokens[i].valueText) {
      scan.errors.recordError(report, scan.input.LineNumber, ScanCode::InvalidCharacter);
      passed = false;
      return true;
    }
    if (rule(i, tokens[i].text) == Next::Line) return true;
  }
  return true;
}

// Reads the data lines of block `block` and hands each one that passed the
// line checks, with its survey, to `checkLine` (false from it: the scan was
// aborted). A
// block announcing fewer than kMinDataLines lines records `tooFewCode` instead.
// False when the data section ended early or the scan was aborted.
template <typename CheckLine>
bool forEachDataLine(ScanSession& scan, LineSource& lines, ReportSink& report, int block, ScanCode tooFewCode,
                     bool& passed, CheckLine checkLine) {
  const int dataLines = scan.content.profileHeader(block).dataLines;
  if (dataLines < kMinDataLines) {
    scan.errors.recordError(report, scan.input.LineNumber, tooFewCode);
    return false;
  }
  std::string line;
  DataLineSurvey survey;
  for (int n = 0; n < dataLines; ++n) {
    LineRead read = readDataLine(scan, lines, report, block, line, survey);
    if (read == LineRead::Stop) return false;
    if (read == LineRead::Skip) {
      passed = false;
      continue;
    }
    if (!checkLine(line, survey)) return false;
  }
  return true;
}

}  // namespace

bool checkProfileData(ScanSession& scan, LineSource& lines, ReportSink& report, int block) {
  ErrorList& errors = scan.errors;
  bool passed = true;
  double previousAltitude = -1;
  double step = -1;
  int warnings = 0;
  DataLineSplitter splitter;
  // Only the altitude is read whatever its sign.
  auto checkLine = [&](std::string_view line, const DataLineSurvey& survey) {
    return forEachToken(scan, report, line, survey, 1, splitter, passed, [&](size_t i, std::string_view token) {
      if (i == 0) {
        double value = platform::fastLeadingDouble(token);
        if (value < 0) {
          errors.recordError(report, scan.input.LineNumber, ScanCode::NegativeAltitude);
          passed = false;
          return Next::Line;
        }
        if (previousAltitude >= 0) {
          double newStep = value - previousAltitude;
          if (step >= 0 && !nearlyEqual(newStep, step)) {
            reportRed(report,
                      formatText("<br>Error (Line %d, Column_1): deltaALT != %.2f\n", scan.input.LineNumber, step));
            errors.recordError(report, scan.input.LineNumber, ScanCode::IrregularAltitudeStep);
            passed = false;
          }
          step = newStep;
        }
        previousAltitude = value;
        return Next::Token;
      }
      if (isWrongNegative(scan, i, token)) {
        ++warnings;
        if (warnings <= kMaxWarningLines)
          reportOrange(report,
                       formatText("<br>Warning (Line %d): Negative number was detected on this line. If this was "
                                  "meant to indicate a missing data value, then it MUST BE EQUAL to the missing data "
                                  "flag (-9's) in the Header.\n",
                                  scan.input.LineNumber));
        else if (warnings == kMaxWarningLines + 1)
          reportOrange(report, "<br><br>Too many warnings ...<br>\n");
      }
      return Next::Token;
    });
  };
  if (!forEachDataLine(scan, lines, report, block, ScanCode::FewProfileDataLines, passed, checkLine)) return false;
  report.write("<br>\n");
  return passed;
}

bool checkRecordData(ScanSession& scan, LineSource& lines, ReportSink& report, int block) {
  static constexpr char kTimeNames[3][10] = {"StartTime", "EndTime", "MeanTime"};
  ErrorList& errors = scan.errors;
  bool passed = true;
  double previous[3] = {-1, -1, -1};
  DataLineSplitter splitter;
  // The three times are read whatever their sign.
  auto checkLine = [&](std::string_view line, const DataLineSurvey& survey) {
    double previousEnd = previous[1];
    return forEachToken(scan, report, line, survey, 3, splitter, passed, [&](size_t i, std::string_view token) {
      if (i >= 3) {
        if (isWrongNegative(scan, i, token)) {
          errors.recordError(report, scan.input.LineNumber, ScanCode::WrongMissingValue);
          passed = false;
          return Next::Line;
        }
        return Next::Token;
      }
      double value = platform::fastLeadingDouble(token);
      if (value < 0) {
        errors.recordError(report, scan.input.LineNumber, ScanCode::NegativeTime);
        passed = false;
        return Next::Line;
      }
      if (previous[i] >= 0 && !(value > previous[i])) {
        reportRed(report,
                  formatText("<br>Error (Line %d, Column%d (%s)): The value on this line (%.2f) should be "
                             "GREATER_THAN the value on the previous line (%.2f)\n",
                             scan.input.LineNumber, static_cast<int>(i) + 1, kTimeNames[i], value, previous[i]));
        errors.recordError(report, scan.input.LineNumber, ScanCode::TimeNotIncreasing);
        passed = false;
      }
      previous[i] = value;
      if (i == 0 && previousEnd > value) {
        reportRed(report, formatText("<br>Error (Line %d) Time Overlap: StartTime (%.2f) on this line must be "
                                     "GREATER_THAN_OR_EQUAL_TO EndTime (%.2f) on the previous line.",
                                     scan.input.LineNumber, value, previousEnd));
        errors.recordError(report, scan.input.LineNumber, ScanCode::TimeOverlap);
        passed = false;
      }
      if (i == 2 && !(previous[0] < previous[2] && previous[2] < previous[1])) {
        reportRed(report,
                  formatText("<br>Error (Line %d) Times columns order: Start=%.2f; End=%.2f; Mean=%.2f might NOT be "
                             "in correct order.",
                             scan.input.LineNumber, previous[0], previous[1], previous[2]));
        errors.recordError(report, scan.input.LineNumber, ScanCode::TimesOutOfOrder);
        passed = false;
      }
      return Next::Token;
    });
  };
  if (!forEachDataLine(scan, lines, report, block, ScanCode::FewRecordDataLines, passed, checkLine)) return false;
  return passed;
}

void checkTrailingLines(ScanSession& scan, LineSource& lines, ReportSink& report) {
  std::string line;
  platform::WholeLine whole;  // the length of a line longer than the reader keeps
  for (int read = 0; read < kMaxTrailingReads; ++read) {
    lines.readUncountedLine(&line, &whole);
    if (whole.length > kMaxTrailingLength) {
      reportRed(report,
                formatText("<br>Error Data Section (Line %d): Finished processing file but the last data line(s) in "
                           "the file seem(s) NOT empty (length = %d).<br>\n",
                           scan.input.LineNumber, static_cast<int>(std::min<size_t>(whole.length, 2147483647))));
      scan.errors.failScan(report);
      return;
    }
    if (scan.input.AtEndOfFile) return;
  }
  reportRed(report, "<br>Error Last Lines: There seem to be many trailing empty lines at the end of file.<br>");
  scan.errors.failScan(report);
}
