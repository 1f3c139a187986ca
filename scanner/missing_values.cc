#include "scanner/missing_values.h"

#include <cmath>
#include <string_view>

#include "platform/decimal_text.h"
#include "platform/support_address.h"
#include "platform/text.h"
#include "scanner/general_header.h"
#include "scanner/line_source.h"
#include "scanner/scan_report.h"
#include "scanner/scan_session.h"

using platform::formatText;

namespace {

using platform::kSupportAddress;

// The allowed missing-value flags.
const double kAllowedFlags[] = {-9999, -99999, -999999, -9999999};

bool isAllowedFlag(double flag) {
  // Truncating in double arithmetic keeps huge, infinite and NaN flags defined:
  // they simply match none of the allowed values.
  double whole = std::trunc(flag);
  for (double allowed : kAllowedFlags)
    if (whole == allowed) return true;
  return false;
}

}  // namespace

bool checkItemCount(ScanSession& scan, ReportSink& report, const std::string& text, int expectedCommas, bool quiet) {
  return checkCommaCount(scan, report, platform::countCommas(text), expectedCommas, quiet);
}

bool checkCommaCount(ScanSession& scan, ReportSink& report, long long commas, int expectedCommas, bool quiet) {
  if (commas == expectedCommas) return true;
  if (!quiet) {
    const int lineNumber = scan.input.LineNumber;
    scan.errors.recordError(report, lineNumber, ScanCode::WrongItemCount);
    if (expectedCommas > 0)
      reportRed(report,
                formatText("<br>Error (Line %d): Found more (or less) items on this line. The expected number is "
                           "exactly %d items; see error message(s) below.\n",
                           lineNumber, expectedCommas + 1));
    else
      reportRed(report,
                formatText("<br>Major Error (Line %d): Can't read items on this line (n=%d). Please report this "
                           "error to %s. Thank you.\n",
                           lineNumber, expectedCommas + 1, kSupportAddress));
  }
  return false;
}

bool checkMissingValuesLine(ScanSession& scan, LineSource& lines, ReportSink& report, int k, int columns,
                            ScanCode code, const std::string& triple) {
  std::string line = lines.readNextLine();
  if (!matchCommentKeywords(scan, report, k, triple, line)) {
    scan.errors.recordError(report, k, code);
    return false;
  }
  // The column count of the file's kind: the general header's own count may
  // not come from this file when its line failed.
  const std::string& value = scan.content.GeneralHeader.line[k - 1].value;
  _Column* const columnTable = scan.content.ColumnTable;
  if (!checkItemCount(scan, report, value, columns - 1, false)) return false;

  size_t at = 0;
  for (int i = 0; i < columns; ++i) {
    size_t comma = value.find(',', at);
    size_t end = comma == std::string::npos ? value.size() : comma;
    columnTable[i].missing = platform::leadingDouble(std::string_view(value).substr(at, end - at));
    at = end + 1;
  }
  for (int i = 0; i < columns; ++i) {
    if (isAllowedFlag(columnTable[i].missing)) continue;
    scan.errors.recordError(report, k, code);
    reportRed(report, formatText("<br>Error (Line %d): item[%d] ( %.0f ) NOT correct.\n", scan.input.LineNumber,
                                 i + 1, columnTable[i].missing));
    return false;
  }
  return true;
}
