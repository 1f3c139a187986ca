#include "scanner/error_list.h"

#include "scanner/report_sink.h"
#include "scanner/scan_messages.h"

void ErrorList::recordError(ReportSink& report, int line, ScanCode code) {
  // Past the cap, later errors keep overwriting the slot after the last listed one.
  int slot = ErrorCount < kErrorSlotCount ? ErrorCount : kErrorSlotCount - 1;
  ErrorSlots[slot] = ErrorSlot{line, static_cast<int>(code)};
  report.error(line, code);
  countError(report);
  ScanFailed = true;  // every entry fails the scan; the sink learnt that from the entry
}

void ErrorList::countError(ReportSink& report) {
  if (ErrorCount < kMaxCountedErrors) {
    ++ErrorCount;
    return;
  }
  if (!MaxErrorsNoticeShown) {
    MaxErrorsNoticeShown = true;
    reportRed(report,
              "<br><br>Error: The max number of errors were detected! The entire file was not checked!\n"
              "Beware some errors such as missing lines or misplaced lines can cause errors to cascade.<br>\n");
    abortScan(report);
  }
}

void ErrorList::failScan(ReportSink& report) {
  ScanFailed = true;
  report.fail();
}

void ErrorList::abortScan(ReportSink& report) {
  ScanAborted = true;
  report.abort();
}

void ErrorList::writeVerdict(ReportSink& report) const {
  if (ScanFailed) {
    report.write(
        "<br><b><font size='+2' color='#FF0000'>*** Scanning Failed. See Error Messages. ***</font></b><hr>\n");
  } else if (ErrorCount == 0) {
    report.write("<br><b><font size='+2' color='#0000FF'>ALL DONE. File Successfully Verified!</font></b><hr>\n");
    return;
  }
  report.write("<font color='#FF0000'>");
  for (int i = 0; i < ErrorCount; ++i) {
    const char* text = ScanMessages[ErrorSlots[i].code];
    if (ErrorSlots[i].line >= 1)
      reportPrintf(report, "<br>Error (Line %d): %s<br>\n", ErrorSlots[i].line, text);
    else
      reportPrintf(report, "<br>Error: %s<br>\n", text);
  }
  report.write("</font>");
}
