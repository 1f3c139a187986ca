#include "tests/scanner/session_support.h"

#include "scanner/scan_driver.h"
#include "scanner/scan_messages.h"
#include "tests/support/platform_doubles.h"

namespace scanner_test {

ScanSession sessionOn(int year, int month, int day) {
  ScanSession scan;
  initScanMessages(scan);
  testing_support::FixedClock clock(year, month, day);
  captureToday(scan);
  return scan;
}

std::string catalogueText(int code) {
  ScanSession scan;
  initScanMessages(scan);
  return scan.ScanMessages.at(code);
}

}  // namespace scanner_test
