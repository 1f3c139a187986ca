// The missing-values line of the general header, and the comma count that the
// block and data-line checks use as well.
#pragma once

#include <string>

#include "scanner/scan_codes.h"

class LineSource;
class ReportSink;
struct ScanSession;

// True when the text holds exactly `expectedCommas` commas. Unless `quiet`, a
// wrong count records WrongItemCount at LineNumber and writes its red line.
bool checkItemCount(ScanSession& scan, ReportSink& report, const std::string& text, int expectedCommas, bool quiet);
// The same for a comma count already taken.
bool checkCommaCount(ScanSession& scan, ReportSink& report, long long commas, int expectedCommas, bool quiet);

// Checks general header line k (the missing-values line), reading it from
// `lines`: `columns` flags
// separated by commas, each -9999, -99999, -999999 or -9999999. Stores them in
// ColumnTable's `missing` fields. Records `code` (or WrongItemCount) when it
// fails.
bool checkMissingValuesLine(ScanSession& scan, LineSource& lines, ReportSink& report, int k, int columns,
                            ScanCode code, const std::string& triple);
