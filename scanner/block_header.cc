#include "scanner/block_header.h"

#include "platform/text.h"
#include "scanner/file_kind.h"
#include "scanner/line_source.h"
#include "scanner/missing_values.h"
#include "scanner/scan_report.h"
#include "scanner/scan_session.h"
#include "scanner/scan_text.h"

using platform::formatText;

namespace {

constexpr size_t kMaxDateTimeLength = 255;


}  // namespace

bool matchHeaderKeywords(ScanSession& scan, ReportSink& report, int block, int k, std::string triple,
                         const std::string& line) {
  std::string upper = toUpperText(line);
  std::vector<std::string> keywords;
  // A malformed triple does not end the match.
  splitKeywordTriple(report, std::move(triple), scan.input.LineNumber, keywords);
  // A missing keyword is empty and matches anything.
  for (size_t i = 0; i < 3 && i < keywords.size(); ++i)
    if (upper.find(keywords[i]) == std::string::npos) return false;

  _HeaderLine& entry = scan.content.profileHeader(block).line[k];
  entry.fileLine = scan.input.LineNumber;
  entry.value = headerValue(upper);
  entry.comment = headerComment(upper);
  return true;
}

bool checkDateTime(ScanSession& scan, ReportSink& report, const std::string& value, int k) {
  ScanCode code = scan.content.kind->blockLines[static_cast<size_t>(k)].code;
  if (value.size() > kMaxDateTimeLength) {
    scan.errors.recordError(report, scan.input.LineNumber, code);
    return false;
  }
  std::vector<std::string> fields = platform::splitSkippingEmpty(value, "-,: ;");
  int number[6];
  for (size_t i = 0; i < 6; ++i) number[i] = i < fields.size() ? platform::leadingLong(fields[i]) : -1;
  const int year = number[0], month = number[1], day = number[2];
  const int hour = number[3], minute = number[4], second = number[5];

  report.write("<font color='#FF0000'>");
  bool wrong = false;
  auto fieldError = [&scan, &report, &wrong](const char* format, int fieldValue) {
    reportPrintf(report, format, scan.input.LineNumber, fieldValue);
    wrong = true;
  };
  if (year < 1980 || year > 2099) fieldError("<br>Error (Line %d): YYYY ( year value = %d ) NOT correct.\n", year);
  if (month < 1 || month > 12) fieldError("<br>Error (Line %d): MM ( month value = %d ) NOT correct.\n", month);
  if (day < 1 || day > 31) fieldError("<br>Error (Line %d): DD ( day value = %d ) NOT correct.\n", day);
  if (hour < 0 || hour > 23) fieldError("<br>Error (Line %d): hh ( hours value = %d ) NOT correct.\n", hour);
  if (minute < 0 || minute > 59) fieldError("<br>Error (Line %d): mn ( minutes value = %d ) NOT correct.\n", minute);
  if (second < 0 || second > 59) fieldError("<br>Error (Line %d): ss ( seconds value = %d ) NOT correct.\n", second);
  report.write("</font>");
  if (wrong) {
    scan.errors.recordError(report, scan.input.LineNumber, code);
    return false;
  }
  ScanDates& dates = scan.dates;
  if (dates.IsFirstProfileStart) {
    dates.FirstProfileYear = year;
    dates.FirstProfileMonth = month;
    dates.FirstProfileDay = day;
  }
  return true;
}

bool checkProfileHeaderLine(ScanSession& scan, LineSource& lines, ReportSink& report, int block, int k,
                            ScanCode code, const std::string& triple) {
  std::string line = lines.readNextLine();
  ErrorList& errors = scan.errors;
  if (!matchHeaderKeywords(scan, report, block, k, triple, line)) {
    errors.recordError(report, scan.input.LineNumber, code);
    return false;
  }
  _ProfileHeader& header = scan.content.profileHeader(block);
  _HeaderLine& entry = header.line[k];
  if (k == 0 || k == 1) {
    if (!isIntegerText(entry.value)) {
      errors.recordError(report, scan.input.LineNumber, ScanCode::IntegerExpected);
      return false;
    }
    (k == 0 ? header.headerLines : header.dataLines) = platform::leadingLong(entry.value);
    return true;
  }
  const FileKind& kind = *scan.content.kind;
  bool keepsUpperCase = k == kind.upperCaseBlockLine;
  if (!keepsUpperCase) {
    entry.value = headerValue(line);
    entry.comment = headerComment(line);
  }
  if (kind.isDateTimeLine(k)) {
    ScanDates& dates = scan.dates;
    dates.IsFirstProfileStart = block == 0 && k == 5;
    bool passed = checkDateTime(scan, report, entry.value, k);
    dates.IsFirstProfileStart = false;
    if (!passed) return false;
    const _FN& fn = scan.name.ParsedFileName;
    if (block == 0 && k == 5 &&
        (fn.year != dates.FirstProfileYear || fn.month != dates.FirstProfileMonth || fn.day != dates.FirstProfileDay))
      errors.recordError(report, scan.input.LineNumber, ScanCode::FileDateMismatch);
  }
  if (k == kind.blockCoordinatesLine &&
      !checkLonLatAlt(entry.value, header.longitude, header.latitude, header.elevation)) {
    errors.recordError(report, scan.input.LineNumber, ScanCode::InvalidLonLatAlt);
    return false;
  }
  return true;
}

bool checkColumnNamesLine(ScanSession& scan, ReportSink& report, bool quiet, const std::string& line) {
  std::string names = headerValue(toUpperText(line));
  int columns = scan.content.GeneralHeader.numColumns;
  if (!checkItemCount(scan, report, names, columns - 1, quiet)) return false;
  size_t at = 0;
  for (int i = 0; i < columns && i < 14; ++i) {
    size_t comma = names.find(',', at);
    size_t end = comma == std::string::npos ? names.size() : comma;
    std::string found = trimBlanks(std::string_view(names).substr(at, end - at));
    at = end + 1;
    const std::string& expected = scan.content.ColumnTable[i].shortName;
    if (found == expected) continue;
    if (!quiet) {
      reportRed(
          report,
          formatText(
              "<br>Error (Line %d): Header's Column[%d] \"short name [%s]\" does not match \"short name [%s]\" on this "
              "line.\n",
              scan.input.LineNumber, i + 1, platform::htmlEscape(expected).c_str(),
              platform::htmlEscape(found).c_str()));
      // A block whose data columns cannot be named fails the file, not only
      // its own banner.
      scan.errors.failScan(report);
    }
    return false;
  }
  return true;
}

bool scanProfile(ScanSession& scan, LineSource& lines, ReportSink& report, int block) {
  FileContent& content = scan.content;
  ErrorList& errors = scan.errors;
  _ProfileHeader& header = content.profileHeader(block);
  header.headerLines = 0;
  header.dataLines = 0;
  const FileKind& kind = *content.kind;
  const char* word = kind.blockWord;

  if (block >= 1) {
    std::string& begin = content.BeginLineText;
    begin = lines.readNextLine();
    if (begin.find("#BEGIN") == std::string::npos || begin.find(word) == std::string::npos) {
      errors.recordError(report, scan.input.LineNumber, kind.beginLineCode);
      errors.abortScan(report);
      reportRed(report,
                formatText("<br>Error (Line %d): This error could be due to the number of \"data lines\" in %s[%d] "
                           "NOT being EQUAL_TO the number specified in %s's Header (%s[%d]_Header_Line2 = %d).\n",
                           scan.input.LineNumber, word, block, word, word, block,
                           content.profileHeader(block - 1).dataLines));
      return false;
    }
  }

  const std::span<const BlockLineSpec> fixedLines = kind.blockLines;
  const int fixed = static_cast<int>(fixedLines.size());
  int passed = 0;
  for (int k = 0; k < fixed; ++k) {
    const BlockLineSpec& spec = fixedLines[static_cast<size_t>(k)];
    if (checkProfileHeaderLine(scan, lines, report, block, k, spec.code, spec.triple)) ++passed;
    if (k == 0 && header.headerLines < kind.minimumBlockHeaderLines)
      errors.recordError(report, scan.input.LineNumber, kind.tooFewBlockHeaderLinesCode);
  }

  // Comment lines up to the column-names line.
  _HeaderLine& collected = header.line[fixed];
  collected.comment.clear();
  std::string line = lines.readNextLine();
  bool namesPassed;
  bool countTooLarge = false;
  if (checkColumnNamesLine(scan, report, true, line)) {
    namesPassed = true;
    // No comment lines, but a count that promises some: other readers of the
    // file rely on that count, so the block fails at its header line 1.
    if (header.headerLines > fixed) {
      errors.recordError(report, header.line[0].fileLine, fixedLines[0].code);
      countTooLarge = true;
    }
  } else {
    collected.comment = line + "<br>";
    long long further = static_cast<long long>(header.headerLines) - fixed - 1;
    for (long long i = 0; i < further && !scan.input.AtEndOfFile; ++i)
      collected.comment += lines.readNextLine() + "<br>";
    namesPassed = checkColumnNamesLine(scan, report, false, lines.readNextLine());
  }

  if (passed < fixed) return false;
  bool dataPassed = kind.checkData(scan, lines, report, block);
  return namesPassed && dataPassed && !countTooLarge;
}
