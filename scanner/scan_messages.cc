#include "scanner/scan_messages.h"

#include "platform/text.h"
#include "scanner/scan_report.h"
#include "scanner/scan_state.h"

#include "scanner/scan_messages_table.inc"

void initScanMessages() {
  constexpr int count = static_cast<int>(sizeof kScanMessageTexts / sizeof kScanMessageTexts[0]);
  static_assert(count == 99, "the catalogue holds codes 0 to 98");
  for (int code = 0; code < count; ++code) ScanMessages[code] = kScanMessageTexts[code];
}

void recordError(int line, int code) {
  // Past the cap, later errors keep overwriting the slot after the last listed one.
  int slot = ErrorCount < kErrorSlotCount ? ErrorCount : kErrorSlotCount - 1;
  ErrorSlots[slot] = ErrorSlot{line, code};
  countError();
  ScanFailed = true;
}

void countError() {
  if (ErrorCount < kMaxCountedErrors) {
    ++ErrorCount;
    return;
  }
  if (!MaxErrorsNoticeShown) {
    MaxErrorsNoticeShown = true;
    reportRed("<br><br>Error: The max number of errors were detected! The entire file was not checked!\n"
              "Beware some errors such as missing lines or misplaced lines can cause errors to cascade.<br>\n");
    ScanAborted = true;
  }
}

void writeVerdict() {
  if (ScanFailed) {
    reportWrite("<br><b><font size='+2' color='#FF0000'>*** Scanning Failed. See Error Messages. ***</font></b><hr>\n");
  } else if (ErrorCount == 0) {
    reportWrite("<br><b><font size='+2' color='#0000FF'>ALL DONE. File Successfully Verified!</font></b><hr>\n");
    return;
  }
  reportWrite("<font color='#FF0000'>");
  for (int i = 0; i < ErrorCount; ++i) {
    const std::string& text = ScanMessages[ErrorSlots[i].code];
    if (ErrorSlots[i].line >= 1)
      reportPrintf("<br>Error (Line %d): %s<br>\n", ErrorSlots[i].line, text.c_str());
    else
      reportPrintf("<br>Error: %s<br>\n", text.c_str());
  }
  reportWrite("</font>");
}
