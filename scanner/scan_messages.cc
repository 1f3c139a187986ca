#include "scanner/scan_messages.h"

#include "platform/text.h"
#include "scanner/scan_report.h"
#include "scanner/scan_session.h"

#include "scanner/scan_messages_table.inc"

void initScanMessages(ScanSession& scan) {
  constexpr int count = static_cast<int>(sizeof kScanMessageTexts / sizeof kScanMessageTexts[0]);
  static_assert(count == 99, "the catalogue holds codes 0 to 98");
  for (int code = 0; code < count; ++code) scan.ScanMessages[code] = kScanMessageTexts[code];
}

void recordError(ScanSession& scan, int line, int code) {
  // Past the cap, later errors keep overwriting the slot after the last listed one.
  int slot = scan.ErrorCount < kErrorSlotCount ? scan.ErrorCount : kErrorSlotCount - 1;
  scan.ErrorSlots[slot] = ErrorSlot{line, code};
  countError(scan);
  scan.ScanFailed = true;
}

void countError(ScanSession& scan) {
  if (scan.ErrorCount < kMaxCountedErrors) {
    ++scan.ErrorCount;
    return;
  }
  if (!scan.MaxErrorsNoticeShown) {
    scan.MaxErrorsNoticeShown = true;
    reportRed("<br><br>Error: The max number of errors were detected! The entire file was not checked!\n"
              "Beware some errors such as missing lines or misplaced lines can cause errors to cascade.<br>\n");
    scan.ScanAborted = true;
  }
}

void writeVerdict(const ScanSession& scan) {
  if (scan.ScanFailed) {
    reportWrite("<br><b><font size='+2' color='#FF0000'>*** Scanning Failed. See Error Messages. ***</font></b><hr>\n");
  } else if (scan.ErrorCount == 0) {
    reportWrite("<br><b><font size='+2' color='#0000FF'>ALL DONE. File Successfully Verified!</font></b><hr>\n");
    return;
  }
  reportWrite("<font color='#FF0000'>");
  for (int i = 0; i < scan.ErrorCount; ++i) {
    const std::string& text = scan.ScanMessages.at(scan.ErrorSlots[i].code);
    if (scan.ErrorSlots[i].line >= 1)
      reportPrintf("<br>Error (Line %d): %s<br>\n", scan.ErrorSlots[i].line, text.c_str());
    else
      reportPrintf("<br>Error: %s<br>\n", text.c_str());
  }
  reportWrite("</font>");
}
