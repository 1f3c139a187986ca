#include "tests/scanner/content/scan_fixture.h"

#include "platform/text.h"
#include "scanner/scan_driver.h"
#include "scanner/scanner.h"
#include "tests/scanner/report_expectations.h"
#include "tests/scanner/session_support.h"
#include "tests/support/text_samples.h"

namespace content_test {

LineEdit replaceAt(int line, std::string text) { return {LineEdit::Replace, line, std::move(text)}; }
LineEdit insertAt(int line, std::string text) { return {LineEdit::Insert, line, std::move(text)}; }
LineEdit deleteAt(int line) { return {LineEdit::Delete, line, ""}; }

std::string applyEdits(const std::string& text, const std::vector<LineEdit>& edits) {
  std::vector<std::string> lines = testing_support::splitLines(text);
  for (const LineEdit& edit : edits) {
    size_t at = static_cast<size_t>(edit.line - 1);
    switch (edit.kind) {
      case LineEdit::Replace: lines.at(at) = edit.text; break;
      case LineEdit::Insert: lines.insert(lines.begin() + static_cast<long>(at), edit.text); break;
      case LineEdit::Delete: lines.erase(lines.begin() + static_cast<long>(at)); break;
    }
  }
  return testing_support::joinLines(lines);
}

ScanOutcome scanText(const std::string& text, const std::string& fileName, bool details) {
  ScanSession session;
  return scanText(session, text, fileName, details);
}

ScanOutcome scanText(ScanSession& session, const std::string& text, const std::string& fileName, bool details) {
  testing_support::FixedClock clock(2018, 5, 1);
  testing_support::TempDir dir;
  std::string path = dir.file(fileName);
  testing_support::writeFile(path, text);
  ScanOutcome outcome;
  outcome.result = scanFile(session, path.c_str(), details);
  outcome.report = testing_support::readFile(session.outputs.ReportPath);
  return outcome;
}

std::string contentOf(const std::string& report) {
  const std::string start = "<h2>Done Scanning Filename.</h2><hr>";
  const std::string end = "<br><strong style=\"color:#666666;";
  size_t from = report.find(start);
  size_t to = report.rfind(end);
  if (from == std::string::npos || to == std::string::npos || to < from) return "(no content section)";
  from += start.size();
  return report.substr(from, to - from);
}

std::string red(const std::string& text) { return "<font color='#FF0000'>" + text + "</font>"; }
std::string orange(const std::string& text) { return "<font color='#FF9933'>" + text + "</font>"; }

const char kGenStart[] = "<h2>Now Scanning General Header Section ... </h2>";
const char kGenVerified[] = "<font size ='+2' color='#339933'>General Header Section Successfully Verified!</font>\n";
const char kGenDone[] = "<h2>Done Scanning General Header Section.</h2><hr>";
const char kRule[] = "<hr width 95%>\n";
const char kAllDone[] = "<br><b><font size='+2' color='#0000FF'>ALL DONE. File Successfully Verified!</font></b><hr>\n";
const char kEndOfFile[] =
    "<font color='#FF0000'><br>Error End-of-File: EOF reached during processing. File processing stopped "
    "prematurely.\n</font>";

std::string emptyDateFonts(int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += red("");
  return out;
}

std::string scanningBlock(bool surface, int number, int of) {
  return platform::formatText("<h2>Now Scanning %s %d of %d ...</h2>\n", surface ? "Record" : "Profile", number, of);
}

std::string blockPassed(bool surface, int number) {
  return platform::formatText(
      "<font size ='+2' color='#339933'>%s[%d] Header and Data Sections Successfully Verified!</font>\n",
      surface ? "Record" : "Profile", number);
}

std::string blockFailed(bool surface, int number) {
  return platform::formatText(
      "<br><font size ='+2' color='#FF0000'>Error(s) Found: %s[%d] Did NOT Pass - see error message(s) below.</font>\n",
      surface ? "Record" : "Profile", number);
}

std::string failedList(const std::vector<std::pair<int, int>>& errors) {
  std::string out = scan_report_text::kFailed + "<font color='#FF0000'>";
  for (const auto& [line, code] : errors) {
    if (line >= 1)
      out += platform::formatText("<br>Error (Line %d): %s<br>\n", line, scanner_test::catalogueText(code).c_str());
    else
      out += platform::formatText("<br>Error: %s<br>\n", scanner_test::catalogueText(code).c_str());
  }
  return out + "</font>";
}

std::string fullReport(const std::string& fileName, const std::string& content) {
  using namespace scan_report_text;
  return kHead + nowScanning(fileName) + kFilenameStart + kFilenameVerified + content + doneScanning(fileName);
}

}  // namespace content_test
