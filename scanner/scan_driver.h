// The scan driver: one scan in a session of the caller's, and today's date.
#pragma once

#include <string>

class ReportSink;
struct ScanSession;

// Runs one scan of the file at `path` in `scan` (see scanFile in scanner.h).
int scanFile(ScanSession& scan, const char* path, bool showDetails);

// The part of scanFile's scan of a file that is not an HDF file between the
// report's head and its closing lines: checks the name `bareName` and, for a
// verified .dat name, the content of the file at `path`, and writes the
// verdict, all into `report`.
void scanTextFile(ScanSession& scan, ReportSink& report, const std::string& path, const std::string& bareName);

// Stores today's local date in TodayYear/Month/Day and FirstProfileYear/Month/Day.
void captureToday(ScanSession& scan);
