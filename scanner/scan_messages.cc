#include "scanner/scan_messages.h"

#include "scanner/report_sink.h"
#include "scanner/scan_session.h"

namespace {

consteval bool everyCodeHasText() {
  for (std::string_view text : scan_messages_detail::texts())
    if (text.empty()) return false;
  return true;
}
static_assert(everyCodeHasText(), "the catalogue holds one text per code");

}  // namespace

constexpr ScanMessageCatalogue ScanMessages;

void recordError(ScanSession& scan, ReportSink& report, int line, ScanCode code) {
  // Past the cap, later errors keep overwriting the slot after the last listed one.
  int slot = scan.ErrorCount < kErrorSlotCount ? scan.ErrorCount : kErrorSlotCount - 1;
  scan.ErrorSlots[slot] = ErrorSlot{line, static_cast<int>(code)};
  report.error(line, code);
  countError(scan, report);
  scan.ScanFailed = true;  // every entry fails the scan; the sink learnt it from the entry
}

void failScan(ScanSession& scan, ReportSink& report) {
  scan.ScanFailed = true;
  report.fail();
}

void abortScan(ScanSession& scan, ReportSink& report) {
  scan.ScanAborted = true;
  report.abort();
}

void countError(ScanSession& scan, ReportSink& report) {
  if (scan.ErrorCount < kMaxCountedErrors) {
    ++scan.ErrorCount;
    return;
  }
  if (!scan.MaxErrorsNoticeShown) {
    scan.MaxErrorsNoticeShown = true;
    reportRed(report,
              "<br><br>Error: The max number of errors were detected! The entire file was not checked!\n"
              "Beware some errors such as missing lines or misplaced lines can cause errors to cascade.<br>\n");
    abortScan(scan, report);
  }
}

void writeVerdict(const ScanSession& scan, ReportSink& report) {
  if (scan.ScanFailed) {
    report.write(
        "<br><b><font size='+2' color='#FF0000'>*** Scanning Failed. See Error Messages. ***</font></b><hr>\n");
  } else if (scan.ErrorCount == 0) {
    report.write("<br><b><font size='+2' color='#0000FF'>ALL DONE. File Successfully Verified!</font></b><hr>\n");
    return;
  }
  report.write("<font color='#FF0000'>");
  for (int i = 0; i < scan.ErrorCount; ++i) {
    const char* text = ScanMessages[scan.ErrorSlots[i].code];
    if (scan.ErrorSlots[i].line >= 1)
      reportPrintf(report, "<br>Error (Line %d): %s<br>\n", scan.ErrorSlots[i].line, text);
    else
      reportPrintf(report, "<br>Error: %s<br>\n", text);
  }
  report.write("</font>");
}
