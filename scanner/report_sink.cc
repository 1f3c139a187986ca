#include "scanner/report_sink.h"

#include <cstdarg>
#include <cstdio>
#include <string>

const char* inkColour(Ink ink) {
  switch (ink) {
    case Ink::Red: return "#FF0000";
    case Ink::Orange: return "#FF9933";
    case Ink::Blue: return "#0000FF";
  }
  return "#FF0000";
}

void reportPrintf(ReportSink& report, const char* format, ...) {
  // Most report lines fit the first buffer; a longer one is formatted again.
  char buffer[1024];
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  int size = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (size < 0) {
    va_end(again);
    return;
  }
  if (static_cast<size_t>(size) < sizeof buffer) {
    va_end(again);
    report.write(std::string_view(buffer, static_cast<size_t>(size)));
    return;
  }
  std::string text(static_cast<size_t>(size) + 1, '\0');
  std::vsnprintf(text.data(), text.size(), format, again);
  va_end(again);
  text.resize(static_cast<size_t>(size));
  report.write(text);
}
