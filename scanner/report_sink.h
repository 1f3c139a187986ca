// Where a scan's findings go. The checks hand every report line, every error
// they enter in the error list, and each failing or stopping of the scan to a
// ReportSink: HtmlReportSink (scan_report.h) writes the report file, a test's
// sink records the events to compare them.
#pragma once

#include <string_view>

#include "scanner/scan_codes.h"

// The colour of an inline report line.
enum class Ink { Red, Orange, Blue };

// The HTML colour of `ink` ("#FF0000", "#FF9933", "#0000FF").
const char* inkColour(Ink ink);

class ReportSink {
 public:
  virtual ~ReportSink() = default;
  // Report text, written unchanged.
  virtual void write(std::string_view html) = 0;
  // One inline line in a colour: "<font color='colour'>", the text, "</font>".
  virtual void writeColoured(Ink ink, std::string_view html) = 0;
  // An error entered in the error list (the verdict lists it at the end).
  virtual void error(int line, ScanCode code) = 0;
  // The scan fails without an error-list entry of its own.
  virtual void fail() = 0;
  // The scan stops reading the file.
  virtual void abort() = 0;
};

// Writes formatted text; the format is always a literal of the program.
void reportPrintf(ReportSink& report, const char* format, ...) __attribute__((format(printf, 2, 3)));

inline void reportRed(ReportSink& report, std::string_view html) { report.writeColoured(Ink::Red, html); }
inline void reportOrange(ReportSink& report, std::string_view html) { report.writeColoured(Ink::Orange, html); }
inline void reportBlue(ReportSink& report, std::string_view html) { report.writeColoured(Ink::Blue, html); }
