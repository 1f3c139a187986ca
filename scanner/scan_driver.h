// The scan driver's helpers used by the content checks.
#pragma once

#include <string>

#include "platform/text.h"
#include "scanner/scan_session.h"

class ReportSink;

// Sets AtEndOfFile, ScanFailed and ScanAborted and writes the end-of-file notice.
void endOfFileReached(ScanSession& scan, ReportSink& report);

// Reads the next line of DataStream (without its line end) and counts it in
// LineNumber; at the end of the file sets AtEndOfFile, ScanAborted and
// ScanFailed and writes the end-of-file notice instead.
std::string readNextLine(ScanSession& scan, ReportSink& report);
// The same, reading into `*line` (its storage is reused from line to line),
// and with `whole` what the reader tells of the whole line, which may be longer
// than the line kept (platform::kMaxLineLength).
// Inline: the data-line checks read every line of the file through it.
inline void readNextLine(ScanSession& scan, ReportSink& report, std::string* line,
                         platform::WholeLine* whole = nullptr) {
  if (scan.DataStream.readLine(line, platform::kMaxLineLength, whole))
    ++scan.LineNumber;
  else
    endOfFileReached(scan, report);
}

// Stores today's local date in TodayYear/Month/Day and FirstProfileYear/Month/Day.
void captureToday(ScanSession& scan);
