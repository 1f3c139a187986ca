#include "tests/scanner/recording_sink.h"

namespace scanner_test {

void PrintTo(const SinkEvent& event, std::ostream* out) {
  switch (event.kind) {
    case SinkEvent::Kind::Text: *out << "written(\"" << event.text << "\")"; break;
    case SinkEvent::Kind::Coloured: *out << "coloured(" << inkColour(event.ink) << ", \"" << event.text << "\")"; break;
    case SinkEvent::Kind::Error: *out << "listed(" << event.line << ", " << event.code << ")"; break;
    case SinkEvent::Kind::Fail: *out << "failed()"; break;
    case SinkEvent::Kind::Abort: *out << "aborted()"; break;
  }
}

SinkEvent written(std::string text) { return SinkEvent{SinkEvent::Kind::Text, Ink::Red, std::move(text), 0, 0}; }
SinkEvent coloured(Ink ink, std::string text) { return SinkEvent{SinkEvent::Kind::Coloured, ink, std::move(text), 0, 0}; }
SinkEvent listed(int line, int code) { return SinkEvent{SinkEvent::Kind::Error, Ink::Red, "", line, code}; }
SinkEvent failed() { return SinkEvent{SinkEvent::Kind::Fail, Ink::Red, "", 0, 0}; }
SinkEvent aborted() { return SinkEvent{SinkEvent::Kind::Abort, Ink::Red, "", 0, 0}; }

void RecordingSink::write(std::string_view html) { events.push_back(written(std::string(html))); }
void RecordingSink::writeColoured(Ink ink, std::string_view html) { events.push_back(coloured(ink, std::string(html))); }
void RecordingSink::error(int line, int code) { events.push_back(listed(line, code)); }
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

std::vector<std::pair<int, int>> RecordingSink::errors() const {
  std::vector<std::pair<int, int>> out;
  for (const SinkEvent& event : events)
    if (event.kind == SinkEvent::Kind::Error) out.emplace_back(event.line, event.code);
  return out;
}

}  // namespace scanner_test
