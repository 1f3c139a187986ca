#include "tests/scanner/recording_sink.h"

namespace scanner_test {

void PrintTo(const SinkEvent& event, std::ostream* out) {
  switch (event.kind) {
    case SinkEvent::Kind::Text: *out << "written(\"" << event.text << "\")"; break;
    case SinkEvent::Kind::Coloured: *out << "coloured(" << inkColour(event.ink) << ", \"" << event.text << "\")"; break;
    case SinkEvent::Kind::Error: *out << "listed(" << event.line << ", " << static_cast<int>(event.code) << ")"; break;
    case SinkEvent::Kind::Fail: *out << "failed()"; break;
    case SinkEvent::Kind::Abort: *out << "aborted()"; break;
  }
}

SinkEvent written(std::string text) { return SinkEvent{.kind = SinkEvent::Kind::Text, .text = std::move(text)}; }
SinkEvent coloured(Ink ink, std::string text) { return SinkEvent{.kind = SinkEvent::Kind::Coloured, .ink = ink, .text = std::move(text)}; }
SinkEvent listed(int line, ScanCode code) { return SinkEvent{.kind = SinkEvent::Kind::Error, .line = line, .code = code}; }
SinkEvent failed() { return SinkEvent{.kind = SinkEvent::Kind::Fail}; }
SinkEvent aborted() { return SinkEvent{.kind = SinkEvent::Kind::Abort}; }

void RecordingSink::write(std::string_view html) { events.push_back(written(std::string(html))); }
void RecordingSink::writeColoured(Ink ink, std::string_view html) { events.push_back(coloured(ink, std::string(html))); }
void RecordingSink::error(int line, ScanCode code) { events.push_back(listed(line, code)); }
void RecordingSink::fail() { events.push_back(failed()); }
void RecordingSink::abort() { events.push_back(aborted()); }

std::string RecordingSink::html() const {
  std::string out;
  for (const SinkEvent& event : events) {
    if (event.kind == SinkEvent::Kind::Text) out += event.text;
    if (event.kind == SinkEvent::Kind::Coloured)
      out += std::string("<font color='") + inkColour(event.ink) + "'>" + event.text + "</font>";
  }
  return out;
}

std::vector<std::pair<int, ScanCode>> RecordingSink::errors() const {
  std::vector<std::pair<int, ScanCode>> out;
  for (const SinkEvent& event : events)
    if (event.kind == SinkEvent::Kind::Error) out.emplace_back(event.line, event.code);
  return out;
}

}  // namespace scanner_test
