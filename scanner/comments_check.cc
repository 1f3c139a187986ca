#include "scanner/comments_check.h"

#include "platform/text.h"
#include "scanner/scan_driver.h"
#include "scanner/scan_messages.h"
#include "scanner/scan_report.h"
#include "scanner/scan_state.h"
#include "scanner/scan_text.h"

using platform::formatText;

namespace {

// The first block's start line must come within this many lines after the
// revision line.
constexpr int kMaxLinesBeforeFirstBlock = 29;

}  // namespace

bool checkRevisionAndComments() {
  std::string upper = toUpperText(readNextLine());
  int revisionLine = LineNumber;
  GeneralComments.commentLines = 0;
  GeneralComments.comments.clear();

  if (upper.find("REVISION") == std::string::npos) {
    reportRed(formatText("<br>Error (Line %d) text is not correct. The text expected: <b>\"R#  ; Data Revision "
                         "Number\"</b> ( where, # >= 0 )  \n",
                         LineNumber));
    recordError(LineNumber, 60);
    return false;
  }
  GeneralComments.commentLines = 1;
  GeneralComments.revisionText = trimBlanks(headerValue(upper));
  GeneralComments.revisionComment = headerComment(upper);
  // A line without ';' or with a blank value holds no revision that can be read.
  if (upper.find(';') == std::string::npos || GeneralComments.revisionText.empty()) {
    recordError(LineNumber, 60);
    return false;
  }
  const std::string& revisionText = GeneralComments.revisionText;
  // Only "R" and one or two digits name a revision; a value that does not begin
  // with 'R' is out of the allowed R0 to R99 as well.
  if (revisionText[0] != 'R' || revisionText.size() > 3) {
    recordError(LineNumber, 59);
    return false;
  }
  GeneralComments.revisionText.erase(0, 1);
  GeneralComments.revision = platform::leadingLong(GeneralComments.revisionText);
  if (GeneralComments.revision != ParsedFileName.revision) {
    recordError(LineNumber, 61);
    return false;
  }

  const char* blockWord = IsSurfaceFile ? "RECORD" : "PROFILE";
  bool startFound = false;
  for (int read = 0; read < kMaxLinesBeforeFirstBlock; ++read) {
    std::string line = readNextLine();
    if (line.find("#BEGIN") != std::string::npos && line.find(blockWord) != std::string::npos) {
      BeginLineText = line;
      if (GeneralComments.revision == 0 && GeneralComments.commentLines != 1) {
        reportRed(formatText(
            "<br>Error (Line %d): Data Revision Read = R0; therefore, there should be no added comments.<br>\n",
            revisionLine + 1));
        ScanFailed = true;
        return false;
      }
      if (GeneralComments.revision > 0 && GeneralComments.commentLines < 2) {
        recordError(LineNumber, 60);
        return false;
      }
      startFound = true;
      break;
    }
    ++GeneralComments.commentLines;
    GeneralComments.comments += line + "<br>";
  }
  if (!startFound) {
    recordError(LineNumber, IsSurfaceFile ? 78 : 62);
    ScanFailed = true;
    return false;
  }
  int expectedCount = IsSurfaceFile ? 17 : 20;
  if (GeneralComments.commentLines + 4 != GeneralHeader.numCommentLines) {
    reportRed(formatText("<br>Error (Line %d): Value on this line is NOT_EQUAL_TO lines read. The number of comments "
                         "lines (N = %d) does NOT match the actual lines in the comments section (Read = %d) .\n",
                         expectedCount, GeneralHeader.numCommentLines, GeneralComments.commentLines + 4));
    ScanFailed = true;
    return false;
  }
  return true;
}
