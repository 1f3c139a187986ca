#include "scanner/content_scan.h"

#include <string>
#include <vector>

#include "scanner/block_header.h"
#include "scanner/comments_check.h"
#include "scanner/data_lines.h"
#include "scanner/general_header.h"
#include "scanner/missing_values.h"
#include "scanner/scan_messages.h"
#include "scanner/scan_report.h"
#include "scanner/scan_session.h"

namespace {

// One general header line: how checkGenHeaderLine is called for it. A line with
// `missingValues` set is the missing-values line instead.
struct GenHeaderLineSpec {
  int expectedNumber;
  const char* expectedText;
  int mode;
  int code;
  const char* triple;
  bool missingValues = false;
};

const GenHeaderLineSpec kProfileHeader[24] = {
    {18, "", 1, 7, "NUMBER|GENERAL HEADER|LINES|"},
    {kTextValue, "V1.0", 1, 8, "PARVIX|FORMAT VERSION|PROFILE DATA|"},
    {0, "", 0, 9, "NUMBER|PROFILES|FILE|"},
    {14, "", 1, 10, "NUMBER|DATA COLUMNS|ALL PROFILES|"},
    {kTextValue, "ALT, m, Altitude Above sea level (center of sampling bin)", 2, 11,
     "ALT, M,|ALTITUDE ABOVE SEA LEVEL|COLUMN 1|"},
    {kTextValue, "O3ND, molec.m-3, Ozone Number Density (measured)", 2, 12,
     "O3ND, MOLEC.M-3,|OZONE NUMBER DENSITY|COLUMN 2|"},
    {kTextValue, "O3NDUncert, molec.m-3, Ozone Number Density Combined Standard Uncertainty", 2, 13,
     "O3NDUNCERT, MOLEC.M-3,|OZONE NUMBER DENSITY COMBINED STANDARD UNCERTAINTY|COLUMN 3|"},
    {kTextValue, "O3NDResol, m, Ozone Number Density Standardized Vertical Resolution", 2, 14,
     "O3NDRESOL, M,|OZONE NUMBER DENSITY STANDARDIZED VERTICAL RESOLUTION|COLUMN 4|"},
    {kTextValue, "Precision, %, Measurement Precision", 2, 15, "PRECISION, %,|MEASUREMENT PRECISION|COLUMN 5|"},
    {kTextValue, "ChRange, #, Channel Range (1.0 to N.0, nearest-field to farthest-field)", 2, 16,
     "CHRANGE, #,|CHANNEL RANGE|COLUMN 6|"},
    {kTextValue, "O3MR, ppbv, Ozone Mixing Ratio (derived)", 2, 17, "O3MR, PPBV,|OZONE MIXING RATIO|COLUMN 7|"},
    {kTextValue, "O3MRUncert, ppbv, Ozone Mixing Ratio Combined Standard Uncertainty", 2, 18,
     "O3MRUNCERT, PPBV,|OZONE MIXING RATIO COMBINED STANDARD UNCERTAINTY|COLUMN 8|"},
    {kTextValue, "Press, hPa, Air Pressure used to derive Ozone Mixing Ratio", 2, 19,
     "PRESS, HPA,|AIR PRESSURE USED TO DERIVE OZONE MIXING RATIO|COLUMN 9|"},
    {kTextValue, "PressUncert, hPa, Air Pressure Standard Uncertainty", 2, 20,
     "PRESSUNCERT, HPA,|AIR PRESSURE STANDARD UNCERTAINTY|COLUMN 10|"},
    {kTextValue, "Temp, K, Air Temperature used to derive Ozone Mixing Ratio", 2, 21,
     "TEMP, K,|AIR TEMPERATURE USED TO DERIVE OZONE MIXING RATIO|COLUMN 11|"},
    {kTextValue, "TempUncert, K, Air Temperature Ratio Standard Uncertainty", 2, 22,
     "TEMPUNCERT, K,|AIR TEMPERATURE RATIO STANDARD UNCERTAINTY|COLUMN 12|"},
    {kTextValue, "AirND, molec.m-3, Air Number Density used to derive Ozone Mixing Ratio", 2, 23,
     "AIRND, MOLEC.M-3,|AIR NUMBER DENSITY USED TO DERIVE OZONE MIXING RATIO|COLUMN 13|"},
    {kTextValue, "AirNDUncert, molec.m-3, Air Number Density Standard Uncertainty", 2, 24,
     "AIRNDUNCERT, MOLEC.M-3,|AIR NUMBER DENSITY STANDARD UNCERTAINTY|COLUMN 14|"},
    {0, "", 0, 25, "MISSING|DATA|VALUES|", true},
    {0, "", 0, 26, "NUMBER|GENERAL|COMMENTS LINES|"},
    {kTextValue, "USER TEXT", 2, 27, "INSTRUMENT|NAME|????|"},
    {kTextValue, "USER TEXT", 2, 28, "PI|CONTACT|INFO|"},
    {kTextValue, "USER TEXT", 2, 29, "SITE|NAME|????|"},
    {kTextValue, "USER TEXT", 2, 30, "LONGITUDE|LATITUDE|ELEVATION|"},
};

const GenHeaderLineSpec kSurfaceHeader[21] = {
    {15, "", 1, 32, "NUMBER|GENERAL HEADER|LINES|"},
    {kTextValue, "V1.0", 1, 33, "PARVIX|FORMAT VERSION|SURFACE DATA|"},
    {0, "", 0, 34, "NUMBER|RECORDS|FILE|"},
    {11, "", 1, 35, "NUMBER|DATA COLUMNS|FOR ALL|"},
    {kTextValue, "StartTime, s, Time at start of measurement, elapsed since 00:00:00 UT same day", 2, 36,
     "STARTTIME, S,|TIME AT START OF MEASUREMENT|COLUMN 1|"},
    {kTextValue, "EndTime, s, Time at end of measurement, elapsed since 00:00:00 UT same day", 2, 37,
     "ENDTIME, S,|TIME AT END OF MEASUREMENT|COLUMN 2|"},
    {kTextValue, "MeanTime, s, Weighted average time of measurement, elapsed since 00:00:00 UT same day", 2, 38,
     "MEANTIME,|S, WEIGHTED AVERAGE TIME OF MEASUREMENT|COLUMN 3|"},
    {kTextValue, "O3MR, ppbv, Surface Ozone mixing ratio (measured)", 2, 39,
     "O3MR, PPBV,|SURFACE OZONE MIXING RATIO|COLUMN 4|"},
    {kTextValue, "O3MRUncert, ppbv, Surface Ozone mixing ratio uncertainty", 2, 40,
     "O3MRUNCERT, PPBV,|SURFACE OZONE MIXING RATIO UNCERTAINTY|COLUMN 5|"},
    {kTextValue, "Precision, %, Measurement Precision", 2, 41, "PRECISION, %,|MEASUREMENT PRECISION|COLUMN 6|"},
    {kTextValue, "Press, hPa, Surface Pressure", 2, 42, "PRESS, HPA,|SURFACE PRESSURE|COLUMN 7|"},
    {kTextValue, "Temp, K, Surface Temperature", 2, 43, "TEMP, K,|SURFACE TEMPERATURE |COLUMN 8|"},
    {kTextValue, "RH, %RH, Surface Relative Humidity with respect to water", 2, 44,
     "RH, %RH,|SURFACE RELATIVE HUMIDITY|COLUMN 9|"},
    {kTextValue, "WndSpd, m/s, Surface Wind Speed", 2, 45, "WNDSPD, M/S,|SURFACE WIND SPEED|COLUMN 10|"},
    {kTextValue, "WndDir, deg, Surface Wind Direction, clockwise degrees from north", 2, 46,
     "WNDDIR, DEG,|SURFACE WIND DIRECTION|COLUMN 11|"},
    {0, "", 0, 47, "MISSING|DATA|VALUES|", true},
    {0, "", 0, 48, "NUMBER|GENERAL|COMMENTS LINES|"},
    {kTextValue, "USER TEXT", 2, 49, "INSTRUMENT|NAME|????|"},
    {kTextValue, "USER TEXT", 2, 50, "PI|CONTACT|INFO|"},
    {kTextValue, "USER TEXT", 2, 51, "SITE|NAME|????|"},
    {kTextValue, "USER TEXT", 2, 52, "LONGITUDE|LATITUDE|ELEVATION|"},
};

// What distinguishes the two file kinds' scans.
struct FileKind {
  const GenHeaderLineSpec* header;
  int headerLineCount;
  int columns;
  const char* scanningBanner;
  const char* passedBanner;
  const char* failedBanner;
  bool endsOnCommentFailure;
};

const FileKind kProfileKind = {
    kProfileHeader,
    24,
    14,
    "<h2>Now Scanning Profile %d of %d ...</h2>\n",
    "<font size ='+2' color='#339933'>Profile[%d] Header and Data Sections Successfully Verified!</font>\n",
    "<br><font size ='+2' color='#FF0000'>Error(s) Found: Profile[%d] Did NOT Pass - see error message(s) "
    "below.</font>\n",
    false,
};

const FileKind kSurfaceKind = {
    kSurfaceHeader,
    21,
    11,
    "<h2>Now Scanning Record %d of %d ...</h2>\n",
    "<font size ='+2' color='#339933'>Record[%d] Header and Data Sections Successfully Verified!</font>\n",
    "<br><font size ='+2' color='#FF0000'>Error(s) Found: Record[%d] Did NOT Pass - see error message(s) "
    "below.</font>\n",
    true,
};

// Once a block's table is written only its line counts are read again (by the
// next block's start check): its texts go, so that memory stays flat however
// long the file.
void releaseBlockTexts(_ProfileHeader& header) {
  for (_HeaderLine& line : header.line) line = _HeaderLine();
}

void scanContent(ScanSession& scan, ReportSink& report, const FileKind& kind) {
  scan.GeneralHeader.headerLines = 0;
  report.write("<h2>Now Scanning General Header Section ... </h2>");

  int passed = 0;
  for (int k = 1; k <= kind.headerLineCount; ++k) {
    const GenHeaderLineSpec& spec = kind.header[k - 1];
    bool ok = spec.missingValues ? checkMissingValuesLine(scan, report, k, kind.columns, spec.code, spec.triple)
                                 : checkGenHeaderLine(scan, report, k, spec.expectedNumber, spec.expectedText,
                                                      spec.mode, spec.code, spec.triple);
    if (ok) ++passed;
  }
  if (passed < kind.headerLineCount) {
    recordError(scan, report, -1, 54);
    return;
  }

  if (checkRevisionAndComments(scan, report)) {
    writeGenHeaderTable(scan, report);
    report.write("<font size ='+2' color='#339933'>General Header Section Successfully Verified!</font>\n");
  } else if (kind.endsOnCommentFailure) {
    abortScan(scan, report);
    return;
  } else if (scan.ScanAborted) {
    return;
  }
  report.write("<h2>Done Scanning General Header Section.</h2><hr>");
  writeColumnsTable(scan, report);

  // Block records are made as the blocks are met: the announced count comes
  // from the file and may be far beyond what the file holds. Two records take
  // turns: the current block's and the previous one's.
  scan.ProfileHeaders.clear();
  const int blocks = scan.GeneralHeader.numBlocks;
  for (int i = 0; i < blocks; ++i) {
    if (scan.ProfileHeaders.size() < 2)
      scan.ProfileHeaders.emplace_back();
    else
      scan.profileHeader(i) = _ProfileHeader();
    reportPrintf(report, kind.scanningBanner, i + 1, blocks);
    if (scanProfile(scan, report, i))
      reportPrintf(report, kind.passedBanner, i + 1);
    else
      reportPrintf(report, kind.failedBanner, i + 1);
    writeProfileTable(scan, report, i);
    releaseBlockTexts(scan.profileHeader(i));
    reportPrintf(report, "<hr width 95%c>\n", '%');
    if (scan.ScanAborted) break;
  }
  if (!scan.ScanAborted) checkTrailingLines(scan, report);
  std::vector<_ProfileHeader>().swap(scan.ProfileHeaders);
}

}  // namespace

void scanProfileFile(ScanSession& scan, ReportSink& report) { scanContent(scan, report, kProfileKind); }

void scanSurfaceFile(ScanSession& scan, ReportSink& report) { scanContent(scan, report, kSurfaceKind); }
