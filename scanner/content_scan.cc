#include "scanner/content_scan.h"

#include <string>
#include <vector>

#include "scanner/block_header.h"
#include "scanner/comments_check.h"
#include "scanner/data_lines.h"
#include "scanner/file_kind.h"
#include "scanner/general_header.h"
#include "scanner/missing_values.h"
#include "scanner/scan_report.h"
#include "scanner/scan_session.h"

namespace {

// Once a block's table is written only its line counts are read again (by the
// next block's start check): its texts go, so that memory stays flat however
// long the file.
void releaseBlockTexts(_ProfileHeader& header) {
  for (_HeaderLine& line : header.line) line = _HeaderLine();
}

void scanContent(ScanSession& scan, LineSource& lines, ReportSink& report, const FileKind& kind) {
  FileContent& content = scan.content;
  content.kind = &kind;
  content.GeneralHeader.headerLines = 0;
  report.write("<h2>Now Scanning General Header Section ... </h2>");

  int passed = 0;
  const int headerLineCount = static_cast<int>(kind.generalHeader.size());
  for (int k = 1; k <= headerLineCount; ++k) {
    const GenHeaderLineSpec& spec = kind.generalHeader[k - 1];
    bool ok = spec.missingValues
                  ? checkMissingValuesLine(scan, lines, report, k, kind.columns, spec.code, spec.triple)
                  : checkGenHeaderLine(scan, lines, report, k, spec.expectedNumber, spec.expectedText, spec.mode,
                                       spec.code, spec.triple);
    if (ok) ++passed;
  }
  if (passed < headerLineCount) {
    scan.errors.recordError(report, -1, ScanCode::GenHeaderSection);
    return;
  }

  if (checkRevisionAndComments(scan, lines, report)) {
    writeGenHeaderTable(scan, report);
    report.write("<font size ='+2' color='#339933'>General Header Section Successfully Verified!</font>\n");
  } else if (kind.endsOnCommentFailure) {
    scan.errors.abortScan(report);
    return;
  } else if (scan.errors.ScanAborted) {
    return;
  }
  report.write("<h2>Done Scanning General Header Section.</h2><hr>");
  writeColumnsTable(scan, report);

  // Block records are made as the blocks are met: the announced count comes
  // from the file and may be far beyond what the file holds. Two records take
  // turns: the current block's and the previous one's.
  content.ProfileHeaders.clear();
  const int blocks = content.GeneralHeader.numBlocks;
  for (int i = 0; i < blocks; ++i) {
    if (content.ProfileHeaders.size() < 2)
      content.ProfileHeaders.emplace_back();
    else
      content.profileHeader(i) = _ProfileHeader();
    reportPrintf(report, kind.scanningBanner, i + 1, blocks);
    if (scanProfile(scan, lines, report, i))
      reportPrintf(report, kind.passedBanner, i + 1);
    else
      reportPrintf(report, kind.failedBanner, i + 1);
    writeProfileTable(scan, report, i);
    releaseBlockTexts(content.profileHeader(i));
    reportPrintf(report, "<hr width 95%c>\n", '%');
    if (scan.errors.ScanAborted) break;
  }
  if (!scan.errors.ScanAborted) checkTrailingLines(scan, lines, report);
  std::vector<_ProfileHeader>().swap(content.ProfileHeaders);
}

}  // namespace

void scanProfileFile(ScanSession& scan, LineSource& lines, ReportSink& report) {
  scanContent(scan, lines, report, kProfileKind);
}

void scanSurfaceFile(ScanSession& scan, LineSource& lines, ReportSink& report) {
  scanContent(scan, lines, report, kSurfaceKind);
}
