#include "tests/scanner/session_support.h"

#include "scanner/scan_driver.h"
#include "scanner/scan_messages.h"
#include "scanner/scan_session.h"
#include "tests/support/platform_doubles.h"

namespace scanner_test {

ScanSession sessionOn(int year, int month, int day) {
  ScanSession scan;
  testing_support::FixedClock clock(year, month, day);
  captureToday(scan);
  return scan;
}

std::string catalogueText(int code) { return ScanMessages[code]; }

}  // namespace scanner_test
