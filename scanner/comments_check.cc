#include "scanner/comments_check.h"

#include "platform/text.h"
#include "scanner/file_kind.h"
#include "scanner/line_source.h"
#include "scanner/scan_report.h"
#include "scanner/scan_session.h"
#include "scanner/scan_text.h"

using platform::formatText;

namespace {

// The first block's start line must come within this many lines after the
// revision line.
constexpr int kMaxLinesBeforeFirstBlock = 29;

}  // namespace

bool checkRevisionAndComments(ScanSession& scan, LineSource& lines, ReportSink& report) {
  ErrorList& errors = scan.errors;
  _GenComments& comments = scan.content.GeneralComments;
  std::string upper = toUpperText(lines.readNextLine());
  int revisionLine = scan.input.LineNumber;
  comments.commentLines = 0;
  comments.comments.clear();

  if (upper.find("REVISION") == std::string::npos) {
    reportRed(report, formatText("<br>Error (Line %d) text is not correct. The text expected: <b>\"R#  ; Data Revision "
                                 "Number\"</b> ( where, # >= 0 )  \n",
                                 scan.input.LineNumber));
    errors.recordError(report, scan.input.LineNumber, ScanCode::RevisionDetailsMissing);
    return false;
  }
  comments.commentLines = 1;
  comments.revisionText = trimBlanks(headerValue(upper));
  comments.revisionComment = headerComment(upper);
  // A line without ';' or with a blank value holds no revision that can be read.
  if (upper.find(';') == std::string::npos || comments.revisionText.empty()) {
    errors.recordError(report, scan.input.LineNumber, ScanCode::RevisionDetailsMissing);
    return false;
  }
  const std::string& revisionText = comments.revisionText;
  // Only "R" and one or two digits name a revision; a value that does not begin
  // with 'R' is out of the allowed R0 to R99 as well.
  if (revisionText[0] != 'R' || revisionText.size() > 3) {
    errors.recordError(report, scan.input.LineNumber, ScanCode::RevisionOutOfRange);
    return false;
  }
  comments.revisionText.erase(0, 1);
  comments.revision = platform::leadingLong(comments.revisionText);
  if (comments.revision != scan.name.ParsedFileName.revision) {
    errors.recordError(report, scan.input.LineNumber, ScanCode::RevisionMismatch);
    return false;
  }

  const FileKind& kind = *scan.content.kind;
  const char* blockWord = kind.blockWord;
  bool startFound = false;
  for (int read = 0; read < kMaxLinesBeforeFirstBlock; ++read) {
    std::string line = lines.readNextLine();
    if (line.find("#BEGIN") != std::string::npos && line.find(blockWord) != std::string::npos) {
      scan.content.BeginLineText = line;
      if (comments.revision == 0 && comments.commentLines != 1) {
        reportRed(
            report,
            formatText(
                "<br>Error (Line %d): Data Revision Read = R0; therefore, there should be no added comments.<br>\n",
                revisionLine + 1));
        errors.failScan(report);
        return false;
      }
      if (comments.revision > 0 && comments.commentLines < 2) {
        errors.recordError(report, scan.input.LineNumber, ScanCode::RevisionDetailsMissing);
        return false;
      }
      startFound = true;
      break;
    }
    ++comments.commentLines;
    comments.comments += line + "<br>";
  }
  if (!startFound) {
    errors.recordError(report, scan.input.LineNumber, kind.beginLineCode);
    errors.failScan(report);
    return false;
  }
  if (comments.commentLines + 4 != scan.content.GeneralHeader.numCommentLines) {
    reportRed(report,
              formatText("<br>Error (Line %d): Value on this line is NOT_EQUAL_TO lines read. The number of comments "
                         "lines (N = %d) does NOT match the actual lines in the comments section (Read = %d) .\n",
                         kind.commentCountLine, scan.content.GeneralHeader.numCommentLines, comments.commentLines + 4));
    errors.failScan(report);
    return false;
  }
  return true;
}
