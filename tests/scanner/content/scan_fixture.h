// Helpers of the content-scan tests: scanning a text written to a temporary
// file, editing fixture lines, and the report pieces the scanner writes.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "scanner/scan_session.h"
#include "tests/support/platform_doubles.h"

namespace content_test {

// One line edit of a fixture: replace, insert before, or delete 1-based line `line`.
struct LineEdit {
  enum Kind { Replace, Insert, Delete };
  Kind kind;
  int line;
  std::string text;
};
LineEdit replaceAt(int line, std::string text);
LineEdit insertAt(int line, std::string text);
LineEdit deleteAt(int line);

// The fixture text with the edits applied in order (each on the text as left by
// the edit before it).
std::string applyEdits(const std::string& text, const std::vector<LineEdit>& edits);

struct ScanOutcome {
  int result = -1;
  std::string report;
};

// Writes `text` as `fileName` into a fresh folder and scans it on 1 May 2018.
ScanOutcome scanText(const std::string& text, const std::string& fileName, bool details = false);
// The same in the given session, which keeps what the scan read.
ScanOutcome scanText(ScanSession& session, const std::string& text, const std::string& fileName, bool details = false);

// The part of a report after the file-name section, up to the closing line: the
// content scan's lines, the verdict and the error list.
std::string contentOf(const std::string& report);

// Report pieces.
std::string red(const std::string& text);
std::string orange(const std::string& text);
extern const char kGenStart[];
extern const char kGenVerified[];
extern const char kGenDone[];
extern const char kRule[];
extern const char kAllDone[];
extern const char kEndOfFile[];
std::string emptyDateFonts(int count);
std::string scanningBlock(bool surface, int number, int of);
std::string blockPassed(bool surface, int number);
std::string blockFailed(bool surface, int number);
// The failed verdict and the error list of the (line, code) pairs.
std::string failedList(const std::vector<std::pair<int, int>>& errors);
// The whole report of a verified file name and the given content.
std::string fullReport(const std::string& fileName, const std::string& content);

}  // namespace content_test
