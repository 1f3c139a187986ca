// The data lines of PROFILE and RECORD blocks, and the lines after the last block.
#pragma once

class ReportSink;
struct ScanSession;

// Checks the data lines of PROFILE block `block` (altitude first, then 13 values).
bool checkProfileData(ScanSession& scan, ReportSink& report, int block);

// Checks the data lines of RECORD block `block` (start, end and mean time first).
bool checkRecordData(ScanSession& scan, ReportSink& report, int block);

// Reads what follows the last block: at most 5 short lines may follow.
void checkTrailingLines(ScanSession& scan, ReportSink& report);
