// The message catalogue, the error list with its cap, and the verdict.
#pragma once

#include "scanner/scan_codes.h"

class ReportSink;
struct ScanSession;

// Fills ScanMessages with the 99 catalogue texts (codes 0 to 98).
void initScanMessages(ScanSession& scan);

// Records error `code` (never FilePassed) at data-file line `line` (-1: no line).
void recordError(ScanSession& scan, ReportSink& report, int line, ScanCode code);

// Counts one recorded error; past the cap writes the notice once and sets ScanAborted.
void countError(ScanSession& scan, ReportSink& report);

// Fails the scan (ScanFailed) without an error-list entry.
void failScan(ScanSession& scan, ReportSink& report);
// Stops the scan's reading of the file (ScanAborted).
void abortScan(ScanSession& scan, ReportSink& report);

// Writes the verdict and the list of recorded errors into the report.
void writeVerdict(const ScanSession& scan, ReportSink& report);
