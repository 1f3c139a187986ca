// The data lines of PROFILE and RECORD blocks, and the lines after the last block.
#pragma once

class LineSource;
class ReportSink;
struct ScanSession;

// The data-line checks read the lines of the data file from `lines`.

// Checks the data lines of PROFILE block `block` (altitude first, then 13 values).
bool checkProfileData(ScanSession& scan, LineSource& lines, ReportSink& report, int block);

// Checks the data lines of RECORD block `block` (start, end and mean time first).
bool checkRecordData(ScanSession& scan, LineSource& lines, ReportSink& report, int block);

// Reads what follows the last block: at most 5 short lines may follow.
void checkTrailingLines(ScanSession& scan, LineSource& lines, ReportSink& report);
