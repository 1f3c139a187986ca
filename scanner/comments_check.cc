#include "scanner/comments_check.h"

#include "platform/text.h"
#include "scanner/file_kind.h"
#include "scanner/scan_driver.h"
#include "scanner/scan_messages.h"
#include "scanner/scan_report.h"
#include "scanner/scan_session.h"
#include "scanner/scan_text.h"

using platform::formatText;

namespace {

// The first block's start line must come within this many lines after the
// revision line.
constexpr int kMaxLinesBeforeFirstBlock = 29;

}  // namespace

bool checkRevisionAndComments(ScanSession& scan, ReportSink& report) {
  std::string upper = toUpperText(readNextLine(scan, report));
  int revisionLine = scan.LineNumber;
  scan.GeneralComments.commentLines = 0;
  scan.GeneralComments.comments.clear();

  if (upper.find("REVISION") == std::string::npos) {
    reportRed(report, formatText("<br>Error (Line %d) text is not correct. The text expected: <b>\"R#  ; Data Revision "
                                 "Number\"</b> ( where, # >= 0 )  \n",
                                 scan.LineNumber));
    recordError(scan, report, scan.LineNumber, ScanCode::RevisionDetailsMissing);
    return false;
  }
  scan.GeneralComments.commentLines = 1;
  scan.GeneralComments.revisionText = trimBlanks(headerValue(upper));
  scan.GeneralComments.revisionComment = headerComment(upper);
  // A line without ';' or with a blank value holds no revision that can be read.
  if (upper.find(';') == std::string::npos || scan.GeneralComments.revisionText.empty()) {
    recordError(scan, report, scan.LineNumber, ScanCode::RevisionDetailsMissing);
    return false;
  }
  const std::string& revisionText = scan.GeneralComments.revisionText;
  // Only "R" and one or two digits name a revision; a value that does not begin
  // with 'R' is out of the allowed R0 to R99 as well.
  if (revisionText[0] != 'R' || revisionText.size() > 3) {
    recordError(scan, report, scan.LineNumber, ScanCode::RevisionOutOfRange);
    return false;
  }
  scan.GeneralComments.revisionText.erase(0, 1);
  scan.GeneralComments.revision = platform::leadingLong(scan.GeneralComments.revisionText);
  if (scan.GeneralComments.revision != scan.ParsedFileName.revision) {
    recordError(scan, report, scan.LineNumber, ScanCode::RevisionMismatch);
    return false;
  }

  const FileKind& kind = *scan.kind;
  const char* blockWord = kind.blockWord;
  bool startFound = false;
  for (int read = 0; read < kMaxLinesBeforeFirstBlock; ++read) {
    std::string line = readNextLine(scan, report);
    if (line.find("#BEGIN") != std::string::npos && line.find(blockWord) != std::string::npos) {
      scan.BeginLineText = line;
      if (scan.GeneralComments.revision == 0 && scan.GeneralComments.commentLines != 1) {
        reportRed(
            report,
            formatText(
                "<br>Error (Line %d): Data Revision Read = R0; therefore, there should be no added comments.<br>\n",
                revisionLine + 1));
        failScan(scan, report);
        return false;
      }
      if (scan.GeneralComments.revision > 0 && scan.GeneralComments.commentLines < 2) {
        recordError(scan, report, scan.LineNumber, ScanCode::RevisionDetailsMissing);
        return false;
      }
      startFound = true;
      break;
    }
    ++scan.GeneralComments.commentLines;
    scan.GeneralComments.comments += line + "<br>";
  }
  if (!startFound) {
    recordError(scan, report, scan.LineNumber, kind.beginLineCode);
    failScan(scan, report);
    return false;
  }
  if (scan.GeneralComments.commentLines + 4 != scan.GeneralHeader.numCommentLines) {
    reportRed(report,
              formatText("<br>Error (Line %d): Value on this line is NOT_EQUAL_TO lines read. The number of comments "
                         "lines (N = %d) does NOT match the actual lines in the comments section (Read = %d) .\n",
                         kind.commentCountLine, scan.GeneralHeader.numCommentLines, scan.GeneralComments.commentLines + 4));
    failScan(scan, report);
    return false;
  }
  return true;
}
