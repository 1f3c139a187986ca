#include "scanner/scan_report.h"

#include <cstdarg>
#include <cstdio>

#include "platform/message_box.h"
#include "platform/text.h"
#include "scanner/scan_session.h"

using platform::htmlEscape;

std::FILE* ReportFile = nullptr;

int filenameStart(const std::string& path) {
  if (path.empty()) return -1;
  size_t last = path.find_last_of("\\/");
  if (last == std::string::npos) return 0;
  if (last + 1 == path.size()) return -1;
  return static_cast<int>(last + 1);
}

bool openScanReport(const std::string& path, std::string& fileName) {
  fileName.clear();
  int start = filenameStart(path);
  if (start < 0) {
    platform::showMessageBox(path, "PathName / Filename Error...");
    return false;
  }
  if (path.size() - static_cast<size_t>(start) >= 128) {
    platform::showMessageBox(path, "Filename is too long -- must be < 128 characters in length.");
    return false;
  }
  fileName = path.substr(static_cast<size_t>(start));
  ReportPath = path + "__ScanMsgs.htm";
  ReportFile = std::fopen(ReportPath.c_str(), "wb");
  if (!ReportFile) {
    platform::showMessageBox(ReportPath, "File Create Error...");
    return false;
  }
  reportWrite("<!DOCTYPE html>\n");
  reportWrite("<HTML><HEAD><style type='text/css'>\n");
  reportWrite(" .styleTH {font-size: 20px; background-color:#CCCC99;}\n");
  reportWrite(" .styleTD1 {color:#3366CC; font-weight: bold; background-color:#E1E1E1}\n");
  reportWrite(" .styleTD3 {font-size: 12px}\n");
  reportWrite(" .styleTD2 {color:#666666; background-color:#FFFFCC}\n </style>\n");
  reportWrite("<TITLE>Parvix File Format Scanning -- ZOMA Qiru</TITLE></HEAD>\n<BODY bgcolor=\"#F1F1F1\">\n");
  reportWrite("<center><H1>Parvix File Format Scanning - Results</H1></center><hr>\n");
  reportBlue("<strong><font size=\"+1\">Please scroll down to the end of this page to view the results.\n");
  reportRed("<br>NOTE: error messages are displayed in RED.</font></strong><hr>\n");
  return true;
}

void reportWrite(std::string_view text) {
  if (ReportFile) std::fwrite(text.data(), 1, text.size(), ReportFile);
}

void reportPrintf(const char* format, ...) {
  if (!ReportFile) return;
  va_list args;
  va_start(args, format);
  std::vfprintf(ReportFile, format, args);
  va_end(args);
}

void reportColoured(const char* colour, std::string_view text) {
  reportPrintf("<font color='%s'>", colour);
  reportWrite(text);
  reportWrite("</font>");
}

namespace {

// One row of a header table: label, value and comment cells.
void writeHeaderRow(const std::string& label, const std::string& value, const std::string& comment) {
  reportPrintf("<tr><td class=\"styleTD1\">%s</td><td class=\"styleTD3\"> %s </td><td class=\"styleTD2\">%s</td></tr>\n",
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

void writeGenHeaderRows(const ScanSession& scan, int first, int last) {
  for (int i = first; i <= last && i < 24; ++i) {
    if (i < 0) continue;
    const _HeaderLine& entry = scan.GeneralHeader.line[i];
    writeHeaderRow(platform::formatText("GenHeader_Line%d", entry.fileLine), entry.value, entry.comment);
  }
}

}  // namespace

void writeFilenameTable(const ScanSession& scan) {
  if (!scan.ReportDetails) return;
  const _FN& fn = scan.ParsedFileName;
  reportWrite("<table border=\"1\" cellspacing=\"2\" cellpadding=\"2\"><tr><td colspan=\"2\" class=\"styleTH\">Filename Details ... </td></tr>\n");
  reportPrintf("<tr><td class=\"styleTD1\">Data ID   </td><td class=\"styleTD3\"> %s  </td></tr>", htmlEscape(fn.dataID).c_str());
  reportPrintf("<tr><td class=\"styleTD1\">Site Name </td><td class=\"styleTD3\"> %s  </td></tr>", htmlEscape(fn.siteID).c_str());
  reportPrintf("<tr><td class=\"styleTD1\">Year      </td><td class=\"styleTD3\"> %d  </td></tr>", fn.year);
  reportPrintf("<tr><td class=\"styleTD1\">Month     </td><td class=\"styleTD3\"> %02d</td></tr>", fn.month);
  reportPrintf("<tr><td class=\"styleTD1\">Day       </td><td class=\"styleTD3\"> %02d</td></tr>", fn.day);
  reportPrintf("<tr><td class=\"styleTD1\">Revision  </td><td class=\"styleTD3\"> %d  </td></tr>", fn.revision);
  reportPrintf("<tr><td class=\"styleTD1\">Comments  </td><td class=\"styleTD3\"> %s  </td></tr>", htmlEscape(fn.comments).c_str());
  reportPrintf("<tr><td class=\"styleTD1\">Extension </td><td class=\"styleTD3\"> %s  </td></tr>", htmlEscape(fn.extension).c_str());
  reportWrite("</table>\n");
}

void writeGenHeaderTable(const ScanSession& scan) {
  if (!scan.ReportDetails) return;
  int h = scan.GeneralHeader.headerLines;
  reportPrintf("<table border=\"1\" cellspacing=\"2\" cellpadding=\"2\"><tr><td align=\"center\" colspan=\"3\" class=\"styleTH\">General Header Details (Lines: %d thru %d)... </td></tr>\n", 1, h + 1);
  writeGenHeaderRows(scan, 0, h);
  reportPrintf("<tr><td align=\"center\" colspan=\"3\" class=\"styleTH\">General Comments Details (Lines: %d thru %d)... </td></tr>\n", h + 2, h + 6);
  writeGenHeaderRows(scan, h + 1, h + 5);
  reportWrite("</table><br>\n");
  int s = h + 7;
  int e = h + 6 + scan.GeneralComments.commentLines;
  reportPrintf("<table border=\"1\" cellspacing=\"2\" cellpadding=\"2\"><tr><td align=\"center\" colspan=\"3\" class=\"styleTH\">Revision Details (Lines: %d thru %d) ...</td></tr>\n", s, e);
  reportPrintf("<tr><td class=\"styleTD1\">GenHeader_Line%d</td><td class=\"styleTD3\"> R%d </td></tr>\n", s, scan.GeneralComments.revision);
  if (s < e)
    reportPrintf("<tr><td class=\"styleTD1\">GenHeader_Line%d thru <br>GenHeader_Line%d </td><td class=\"styleTD3\"> %s </td></tr>\n",
                 s + 1, e, escapeKeepingBreaks(scan.GeneralComments.comments).c_str());
  reportWrite("</table>\n");
}

void writeColumnsTable(const ScanSession& scan) {
  if (!scan.ReportDetails) return;
  const char* kind = scan.IsSurfaceFile ? "RECORDS" : "PROFILES";
  int columns = scan.IsSurfaceFile ? 11 : 14;
  reportPrintf("<table border=\"1\" cellspacing=\"2\" cellpadding=\"2\"><tr><td align=\"center\" colspan=\"3\" class=\"styleTH\">ALL %s: Data Section Details ( Columns = %d) ... </td></tr>\n", kind, scan.GeneralHeader.numColumns);
  reportWrite("<tr><td class=\"styleTD1\">Column No.</td><td class=\"styleTD1\">ShortName (Units)</td><td class=\"styleTD1\">Missing Value Flag</td></tr>\n");
  for (int i = 0; i < columns; ++i) {
    const _Column& column = scan.ColumnTable[i];
    reportPrintf("<tr><td class=\"styleTD3\"> %d </td><td class=\"styleTD3\"> %s (%s) </td><td class=\"styleTD3\"> %.f </td></tr>\n",
                 i + 1, htmlEscape(column.shortName).c_str(), htmlEscape(column.units).c_str(), column.missing);
  }
  reportWrite("</table><hr>\n");
}

void writeProfileTable(ScanSession& scan, int block) {
  if (!scan.ReportDetails || block < 0 || scan.ProfileHeaders.empty()) return;
  const char* kind = scan.IsSurfaceFile ? "RECORD" : "PROFILE";
  int fixed = scan.IsSurfaceFile ? 8 : 11;
  const _ProfileHeader& b = scan.profileHeader(block);
  reportPrintf("<table border=\"1\" cellspacing=\"2\" cellpadding=\"2\"><tr><td align=\"center\" colspan=\"3\" class=\"styleTH\">%s[%d] Details [Header Lines = %d | Data Lines = %d ] </td></tr>\n",
               kind, block + 1, b.headerLines, b.dataLines);
  reportPrintf("<tr><td class=\"styleTD1\">%s_Begin_Line</td><td class=\"styleTD3\" colspan=\"2\"><span style=\"color:#FF9900\">%s</span></td></tr>",
               kind, htmlEscape(scan.BeginLineText).c_str());
  for (int i = 1; i <= fixed; ++i)
    writeHeaderRow(platform::formatText("%s[%d]_Header_Line%d", kind, block + 1, i), b.line[i - 1].value, b.line[i - 1].comment);

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
    writeHeaderRow(platform::formatText("%s[%d]_Header_Line%d", kind, block + 1, number++), value, comment);
    at = end + 4;
  }
  reportWrite("</table><br>\n");
}
