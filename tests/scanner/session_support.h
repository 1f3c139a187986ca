// Helpers of the scanner tests: a scan session made the way scanFile starts
// one, for tests that run single checks.
#pragma once

#include <string>

#include "scanner/scan_session.h"

namespace scanner_test {

// A fresh session as a scan starts it: the error list empty, today (and the
// first block's date) the given day.
ScanSession sessionOn(int year, int month, int day);

// The catalogue text of error `code`.
std::string catalogueText(int code);

}  // namespace scanner_test
