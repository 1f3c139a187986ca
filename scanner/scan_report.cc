#include "scanner/scan_report.h"

#include <cstdio>

#include "platform/message_box.h"
#include "platform/text.h"
#include "scanner/file_kind.h"
#include "scanner/scan_session.h"

using platform::htmlEscape;

int filenameStart(const std::string& path) {
  if (path.empty()) return -1;
  size_t last = path.find_last_of("\\/");
  if (last == std::string::npos) return 0;
  if (last + 1 == path.size()) return -1;
  return static_cast<int>(last + 1);
}

bool openScanReport(const std::string& path, HtmlReportSink& report, std::string* fileName,
                    std::string* reportPath) {
  fileName->clear();
  int start = filenameStart(path);
  if (start < 0) {
    platform::showMessageBox(path, "PathName / Filename Error...");
    return false;
  }
  if (path.size() - static_cast<size_t>(start) >= 128) {
    platform::showMessageBox(path, "Filename is too long -- must be < 128 characters in length.");
    return false;
  }
  *fileName = path.substr(static_cast<size_t>(start));
  *reportPath = path + "__ScanMsgs.htm";
  int error = 0;
  if (!report.create(*reportPath, &error)) {
    platform::showMessageBox(*reportPath, "File Create Error...");
    return false;
  }
  report.write("<!DOCTYPE html>\n");
  report.write("<HTML><HEAD><style type='text/css'>\n");
  report.write(" .styleTH {font-size: 20px; background-color:#CCCC99;}\n");
  report.write(" .styleTD1 {color:#3366CC; font-weight: bold; background-color:#E1E1E1}\n");
  report.write(" .styleTD3 {font-size: 12px}\n");
  report.write(" .styleTD2 {color:#666666; background-color:#FFFFCC}\n </style>\n");
  report.write("<TITLE>Parvix File Format Scanning -- ZOMA Qiru</TITLE></HEAD>\n<BODY bgcolor=\"#F1F1F1\">\n");
  report.write("<center><H1>Parvix File Format Scanning - Results</H1></center><hr>\n");
  reportBlue(report, "<strong><font size=\"+1\">Please scroll down to the end of this page to view the results.\n");
  reportRed(report, "<br>NOTE: error messages are displayed in RED.</font></strong><hr>\n");
  return true;
}

bool HtmlReportSink::create(const std::string& path, int* error) { return file_.create(path, error); }

bool HtmlReportSink::finish(int* error) { return file_.finish(error); }

void HtmlReportSink::write(std::string_view html) { file_.write(html); }

void HtmlReportSink::writeColoured(Ink ink, std::string_view html) {
  std::FILE* stream = file_.stream();
  if (!stream) return;
  std::fprintf(stream, "<font color='%s'>", inkColour(ink));
  write(html);
  write("</font>");
}

namespace {

// One row of a header table: label, value and comment cells.
void writeHeaderRow(ReportSink& report, const std::string& label, const std::string& value, const std::string& comment) {
  reportPrintf(report, "<tr><td class=\"styleTD1\">%s</td><td class=\"styleTD3\"> %s </td><td class=\"styleTD2\">%s</td></tr>\n",
               label.c_str(), htmlEscape(value).c_str(), htmlEscape(comment).c_str());
}

// Escapes text made of lines each followed by "<br>", keeping the breaks.
std::string escapeKeepingBreaks(const std::string& text) {
  std::string out;
  size_t at = 0;
  for (;;) {
    size_t end = text.find("<br>", at);
    if (end == std::string::npos) break;
    out += htmlEscape(std::string_view(text).substr(at, end - at));
    out += "<br>";
    at = end + 4;
  }
  out += htmlEscape(std::string_view(text).substr(at));
  return out;
}

void writeGenHeaderRows(const ScanSession& scan, ReportSink& report, int first, int last) {
  for (int i = first; i <= last && i < 24; ++i) {
    if (i < 0) continue;
    const _HeaderLine& entry = scan.content.GeneralHeader.line[i];
    writeHeaderRow(report, platform::formatText("GenHeader_Line%d", entry.fileLine), entry.value, entry.comment);
  }
}

}  // namespace

void writeFilenameTable(const ScanSession& scan, ReportSink& report) {
  if (!scan.ReportDetails) return;
  const _FN& fn = scan.name.ParsedFileName;
  report.write("<table border=\"1\" cellspacing=\"2\" cellpadding=\"2\"><tr><td colspan=\"2\" class=\"styleTH\">Filename Details ... </td></tr>\n");
  reportPrintf(report, "<tr><td class=\"styleTD1\">Data ID   </td><td class=\"styleTD3\"> %s  </td></tr>", htmlEscape(fn.dataID).c_str());
  reportPrintf(report, "<tr><td class=\"styleTD1\">Site Name </td><td class=\"styleTD3\"> %s  </td></tr>", htmlEscape(fn.siteID).c_str());
  reportPrintf(report, "<tr><td class=\"styleTD1\">Year      </td><td class=\"styleTD3\"> %d  </td></tr>", fn.year);
  reportPrintf(report, "<tr><td class=\"styleTD1\">Month     </td><td class=\"styleTD3\"> %02d</td></tr>", fn.month);
  reportPrintf(report, "<tr><td class=\"styleTD1\">Day       </td><td class=\"styleTD3\"> %02d</td></tr>", fn.day);
  reportPrintf(report, "<tr><td class=\"styleTD1\">Revision  </td><td class=\"styleTD3\"> %d  </td></tr>", fn.revision);
  reportPrintf(report, "<tr><td class=\"styleTD1\">Comments  </td><td class=\"styleTD3\"> %s  </td></tr>", htmlEscape(fn.comments).c_str());
  reportPrintf(report, "<tr><td class=\"styleTD1\">Extension </td><td class=\"styleTD3\"> %s  </td></tr>", htmlEscape(fn.extension).c_str());
  report.write("</table>\n");
}

void writeGenHeaderTable(const ScanSession& scan, ReportSink& report) {
  if (!scan.ReportDetails) return;
  int h = scan.content.GeneralHeader.headerLines;
  reportPrintf(report, "<table border=\"1\" cellspacing=\"2\" cellpadding=\"2\"><tr><td align=\"center\" colspan=\"3\" class=\"styleTH\">General Header Details (Lines: %d thru %d)... </td></tr>\n", 1, h + 1);
  writeGenHeaderRows(scan, report, 0, h);
  reportPrintf(report, "<tr><td align=\"center\" colspan=\"3\" class=\"styleTH\">General Comments Details (Lines: %d thru %d)... </td></tr>\n", h + 2, h + 6);
  writeGenHeaderRows(scan, report, h + 1, h + 5);
  report.write("</table><br>\n");
  int s = h + 7;
  int e = h + 6 + scan.content.GeneralComments.commentLines;
  reportPrintf(report, "<table border=\"1\" cellspacing=\"2\" cellpadding=\"2\"><tr><td align=\"center\" colspan=\"3\" class=\"styleTH\">Revision Details (Lines: %d thru %d) ...</td></tr>\n", s, e);
  reportPrintf(report, "<tr><td class=\"styleTD1\">GenHeader_Line%d</td><td class=\"styleTD3\"> R%d </td></tr>\n", s, scan.content.GeneralComments.revision);
  if (s < e)
    reportPrintf(report, "<tr><td class=\"styleTD1\">GenHeader_Line%d thru <br>GenHeader_Line%d </td><td class=\"styleTD3\"> %s </td></tr>\n",
                 s + 1, e, escapeKeepingBreaks(scan.content.GeneralComments.comments).c_str());
  report.write("</table>\n");
}

void writeColumnsTable(const ScanSession& scan, ReportSink& report) {
  if (!scan.ReportDetails) return;
  const char* kind = scan.content.kind->blocksWord;
  int columns = scan.content.kind->columns;
  reportPrintf(report, "<table border=\"1\" cellspacing=\"2\" cellpadding=\"2\"><tr><td align=\"center\" colspan=\"3\" class=\"styleTH\">ALL %s: Data Section Details ( Columns = %d) ... </td></tr>\n", kind, scan.content.GeneralHeader.numColumns);
  report.write("<tr><td class=\"styleTD1\">Column No.</td><td class=\"styleTD1\">ShortName (Units)</td><td class=\"styleTD1\">Missing Value Flag</td></tr>\n");
  for (int i = 0; i < columns; ++i) {
    const _Column& column = scan.content.ColumnTable[i];
    reportPrintf(report, "<tr><td class=\"styleTD3\"> %d </td><td class=\"styleTD3\"> %s (%s) </td><td class=\"styleTD3\"> %.f </td></tr>\n",
                 i + 1, htmlEscape(column.shortName).c_str(), htmlEscape(column.units).c_str(), column.missing);
  }
  report.write("</table><hr>\n");
}

void writeProfileTable(const ScanSession& scan, ReportSink& report, int block) {
  if (!scan.ReportDetails || block < 0 || scan.content.ProfileHeaders.empty()) return;
  const char* kind = scan.content.kind->blockWord;
  int fixed = static_cast<int>(scan.content.kind->blockLines.size());
  const _ProfileHeader& b = scan.content.profileHeader(block);
  reportPrintf(report, "<table border=\"1\" cellspacing=\"2\" cellpadding=\"2\"><tr><td align=\"center\" colspan=\"3\" class=\"styleTH\">%s[%d] Details [Header Lines = %d | Data Lines = %d ] </td></tr>\n",
               kind, block + 1, b.headerLines, b.dataLines);
  reportPrintf(report, "<tr><td class=\"styleTD1\">%s_Begin_Line</td><td class=\"styleTD3\" colspan=\"2\"><span style=\"color:#FF9900\">%s</span></td></tr>",
               kind, htmlEscape(scan.content.BeginLineText).c_str());
  for (int i = 1; i <= fixed; ++i)
    writeHeaderRow(report, platform::formatText("%s[%d]_Header_Line%d", kind, block + 1, i), b.line[i - 1].value, b.line[i - 1].comment);

  // The further header lines, each stored followed by "<br>"; what follows the
  // last "<br>" is not a complete line.
  const std::string& collected = b.line[fixed].comment;
  size_t at = 0;
  int number = fixed + 1;
  for (int pieces = 0; pieces < 100; ++pieces) {
    size_t end = collected.find("<br>", at);
    if (end == std::string::npos) break;
    std::string piece = collected.substr(at, end - at);
    size_t semicolon = piece.find(';');
    std::string value = semicolon == std::string::npos ? piece : piece.substr(0, semicolon);
    std::string comment = semicolon == std::string::npos ? std::string() : piece.substr(semicolon);
    writeHeaderRow(report, platform::formatText("%s[%d]_Header_Line%d", kind, block + 1, number++), value, comment);
    at = end + 4;
  }
  report.write("</table><br>\n");
}
