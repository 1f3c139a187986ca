// The network file-name rule:
//   DATAID _ SITEID _ YYYYMMDD _ R + one or two digits [ _ comments ] . extension
#pragma once

#include <string>

class ReportSink;
struct ScanSession;

// Parses the bare file name into the session's ParsedFileName, records one of
// BadDataId, BadSiteId, BadDate, BadRevision, BadExtension for each part that is
// wrong, sets IsLidarFile or IsSurfaceFile and IsDatFile. True when the name is
// verified.
bool checkFilename(ScanSession& scan, ReportSink& report, std::string name);

// The extension test; sets IsDatFile when it passes.
bool checkExtension(ScanSession& scan, ReportSink& report, const std::string& ext);

// 1 when the date is valid and not after today; otherwise -1 year after this
// year, -2 month after this month, -3 day after today, 0 month outside 1-12,
// -4 day outside 1-31, -5 day 31 in a 30-day month, -6 bad February day.
int validateDate(const ScanSession& scan, int year, int month, int day);

// 0 when the February day is valid in that year, else -1.
int checkFebruaryDay(int year, int day);
