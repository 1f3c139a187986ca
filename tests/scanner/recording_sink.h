// A report sink that keeps what the checks hand it, so that a test of one rule
// compares the rule's events (lines, error-list entries, failing, stopping)
// without a report file.
#pragma once

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "scanner/report_sink.h"

namespace scanner_test {

struct SinkEvent {
  enum class Kind { Text, Coloured, Error, Fail, Abort };
  Kind kind = Kind::Text;
  Ink ink = Ink::Red;  // Coloured only
  std::string text = "";  // Text and Coloured
  int line = 0;        // Error only
  ScanCode code = ScanCode::FilePassed;  // Error only
  bool operator==(const SinkEvent&) const = default;
};
void PrintTo(const SinkEvent& event, std::ostream* out);

// Events as a test expects them.
SinkEvent written(std::string text);
SinkEvent coloured(Ink ink, std::string text);
SinkEvent listed(int line, ScanCode code);
SinkEvent failed();
SinkEvent aborted();

class RecordingSink final : public ReportSink {
 public:
  std::vector<SinkEvent> events;

  void write(std::string_view html) override;
  void writeColoured(Ink ink, std::string_view html) override;
  void error(int line, ScanCode code) override;
  void fail() override;
  void abort() override;

  // The report text of the events, as HtmlReportSink writes it.
  std::string html() const;
  // The error-list entries, as (line, code), in order.
  std::vector<std::pair<int, ScanCode>> errors() const;
};

}  // namespace scanner_test
