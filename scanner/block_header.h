// The check of one PROFILE or RECORD block from its "#BEGIN" line through its
// fixed header lines, comment lines and column-names line; the data lines are
// handed to the data-line checks.
#pragma once

#include <string>

#include "scanner/scan_codes.h"

class LineSource;
class ReportSink;
struct ScanSession;

// Checks block `block` (0 for the first) of the file, reading its lines from
// `lines`; ProfileHeaders[block] receives what was read. True when the fixed
// lines, the column-names line and the data section all passed.
bool scanProfile(ScanSession& scan, LineSource& lines, ReportSink& report, int block);

// Reads the next line and checks it as fixed header line k + 1 of the block.
bool checkProfileHeaderLine(ScanSession& scan, LineSource& lines, ReportSink& report, int block, int k,
                            ScanCode code, const std::string& triple);

// The block header's keyword matcher: all three keywords of the triple must
// occur in the upper-cased line. Stores the line in entry k of the block.
bool matchHeaderKeywords(ScanSession& scan, ReportSink& report, int block, int k, std::string triple,
                         const std::string& line);

// Checks a "YYYY-MM-DD, hh:mm:ss" value of fixed header line k + 1; records the
// line's code when a field is out of range.
bool checkDateTime(ScanSession& scan, ReportSink& report, const std::string& value, int k);

// With `quiet`, probes without a word whether the line is the column-names line;
// otherwise checks it and reports what is wrong.
bool checkColumnNamesLine(ScanSession& scan, ReportSink& report, bool quiet, const std::string& line);
