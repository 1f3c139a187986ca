// The scan driver's helpers used by the content checks.
#pragma once

#include <string>

class ReportSink;
struct ScanSession;

// Reads the next line of DataStream (without its line end) and counts it in
// LineNumber; at the end of the file sets AtEndOfFile, ScanAborted and
// ScanFailed and writes the end-of-file notice instead.
std::string readNextLine(ScanSession& scan, ReportSink& report);
// The same, reading into `line` (its storage is reused from line to line).
void readNextLine(ScanSession& scan, ReportSink& report, std::string& line);

// Stores today's local date in TodayYear/Month/Day and FirstProfileYear/Month/Day.
void captureToday(ScanSession& scan);
