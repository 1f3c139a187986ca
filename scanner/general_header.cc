#include "scanner/general_header.h"

#include "platform/text.h"
#include "scanner/file_kind.h"
#include "scanner/line_source.h"
#include "scanner/scan_report.h"
#include "scanner/scan_session.h"
#include "scanner/scan_text.h"

using platform::formatText;

namespace {


// Fills ColumnTable entry `column` from the column line's trimmed value:
// short name, units and description separated by commas.
bool storeColumn(ScanSession& scan, int column, const std::string& text) {
  _Column& entry = scan.content.ColumnTable[column];
  size_t p1 = text.find(',');
  if (p1 == std::string::npos) {
    entry.shortName = entry.units = entry.description = text;
    return true;
  }
  std::string shortName = trimBlanks(std::string_view(text).substr(0, p1));
  if (shortName.empty()) return false;  // nothing before the first comma
  entry.shortName = shortName;
  size_t p2 = text.find(',', p1 + 1);
  if (p2 == std::string::npos) {
    entry.units = text.substr(p1 + 1);
    entry.description = text;
  } else {
    entry.units = text.substr(p1 + 1, p2 - p1 - 1);
    entry.description = text.substr(p2 + 1);
  }
  return true;
}

}  // namespace

bool matchCommentKeywords(ScanSession& scan, ReportSink& report, int k, std::string triple, const std::string& line) {
  std::string upper = toUpperText(line);
  std::vector<std::string> keywords;
  int problem = splitKeywordTriple(report, std::move(triple), k, keywords);
  if (problem > 0) {
    reportBlue(report, formatText("<br>Line_%d: %s<br>\n", k, platform::htmlEscape(line).c_str()));
    return false;
  }
  size_t required = keywords[2] == "????" ? 2 : 3;
  for (size_t i = 0; i < required; ++i)
    if (upper.find(keywords[i]) == std::string::npos) return false;

  _HeaderLine& entry = scan.content.GeneralHeader.line[k - 1];
  entry.fileLine = scan.input.LineNumber;
  entry.value = headerValue(upper);
  entry.comment = headerComment(upper);
  // After the end of the file LineNumber stops advancing: the line is not line k.
  return entry.fileLine == k;
}

bool checkGenHeaderLine(ScanSession& scan, LineSource& lines, ReportSink& report, int k,
                        std::optional<int> expectedNumber, const std::string& expectedText, int mode, ScanCode code,
                        const std::string& triple) {
  std::string line = lines.readNextLine();
  ErrorList& errors = scan.errors;
  if (!matchCommentKeywords(scan, report, k, triple, line)) {
    errors.recordError(report, k, code);
    return false;
  }
  _GenHeader& header = scan.content.GeneralHeader;
  const std::string& value = header.line[k - 1].value;
  std::optional<int> number;  // none for a text value
  std::string text;
  if (expectedNumber) {
    if (!isIntegerText(value)) {
      errors.recordError(report, k, ScanCode::IntegerExpected);
      return false;
    }
    number = platform::leadingLong(value);
    text = expectedText;
  } else {
    text = trimBlanks(value);
    if (text.empty()) {
      errors.recordError(report, scan.input.LineNumber, ScanCode::InvalidNumbers);
      return false;
    }
  }
  if (mode == 1 && (number != expectedNumber || text != expectedText)) {
    errors.recordError(report, k, code);
    return false;
  }

  // The lines that declare counts are number lines.
  const int count = number.value_or(0);
  if (k == 1) {
    header.headerLines = count;
  } else if (k == 3) {
    header.numBlocks = count;
    if (count < 1) {
      errors.recordError(report, k, code);
      return false;
    }
  } else if (k == 4) {
    header.numColumns = count;
  } else if (k >= 5 && k <= scan.content.kind->lastColumnLine) {
    if (!storeColumn(scan, k - 5, text)) {
      errors.recordError(report, k, ScanCode::InvalidNumbers);
      return false;
    }
  } else if (k == scan.content.kind->commentCountLine) {
    header.numCommentLines = count;
    if (count < 5) {
      errors.recordError(report, k, code);
      return false;
    }
  } else if (k == scan.content.kind->coordinatesLine) {
    if (!checkLonLatAlt(text, header.longitude, header.latitude, header.elevation)) {
      errors.recordError(report, k, ScanCode::InvalidLonLatAlt);
      return false;
    }
  }
  return true;
}
