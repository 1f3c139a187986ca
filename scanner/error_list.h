// The error list of one scan with its cap, whether the scan failed or stopped
// reading the file, and the verdict written from them.
#pragma once

#include "scanner/scan_codes.h"

class ReportSink;

// One recorded error.
struct ErrorSlot {
  int line = -2;
  int code = -1;
};

constexpr int kErrorSlotCount = 32;
constexpr int kMaxCountedErrors = 16;

// A scan's findings that go into the verdict: the recorded errors, their count
// and cap notice, and the failed and stopped state. The operations below are
// what changes it; each also tells the report sink what it did (an entry,
// failing, stopping), so that a sink that records events sees them in order
// with the report's lines. A fresh list is the state of a scan's start.
struct ErrorList {
  ErrorSlot ErrorSlots[kErrorSlotCount];
  int ErrorCount = 0;
  bool MaxErrorsNoticeShown = false;
  bool ScanFailed = false;   // the file did not pass
  bool ScanAborted = false;  // stop reading this file (error cap or end of file)

  // Records error `code` (never FilePassed) at data-file line `line` (-1: no
  // line); fails the scan.
  void recordError(ReportSink& report, int line, ScanCode code);
  // Counts one recorded error; past the cap writes the notice once and stops
  // the scan.
  void countError(ReportSink& report);
  // Fails the scan without an entry of its own.
  void failScan(ReportSink& report);
  // Stops the scan's reading of the file.
  void abortScan(ReportSink& report);

  // Writes the verdict and the listed errors, with their catalogue texts.
  void writeVerdict(ReportSink& report) const;
};
