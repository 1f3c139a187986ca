#include "hdfverify/report_writer.h"

#include <array>

#include "hdfverify/text_utils.h"

namespace hdfverify {
namespace {

struct LineStyle {
  LineClass lineClass;
  const char* prefix;
  size_t blanked;
  const char* opening;
  const char* closing;
};

// Tested in this order; the first prefix that the trimmed line begins with wins.
const std::array<LineStyle, 7> kLineStyles = {{
    {LineClass::Section, "###", 3, "<br><div style = 'font-size:18px;font-weight:bold;background-color:#CCCC99;'> ",
     "</div><br>"},
    {LineClass::Failure, "***", 3, "<br><strong style = 'color:#FF0000;font-size:16px;font-weight:bold'> ",
     "</strong><br>"},
    {LineClass::Success, "@@@", 3, "<br><strong style = 'color:#0000FF;font-size:18px;font-weight:bold'> ",
     "</strong><br>"},
    {LineClass::Error, "**", 2, "<font color='#FF0000'> ", "</font><br>"},
    {LineClass::Warning, "##", 2, "<font color='#FF9933'>", "</font><br>"},
    {LineClass::Information, "#", 1, "<font color='#339933'>", "</font><br>"},
    {LineClass::Plain, "", 0, "", "<br>"},
}};

const LineStyle& styleOf(const std::string& trimmed) {
  for (const LineStyle& style : kLineStyles) {
    if (trimmed.rfind(style.prefix, 0) == 0) return style;
  }
  return kLineStyles.back();
}

// "^End" anywhere in a finding's line becomes "&#94;End": the page shows the
// same text, and no line (nor a piece of a long line) can start with "^End".
std::string neutralizeMarkers(const std::string& line) {
  std::string out;
  size_t from = 0;
  for (;;) {
    size_t at = line.find("^End", from);
    if (at == std::string::npos) {
      out.append(line, from, std::string::npos);
      return out;
    }
    out.append(line, from, at - from);
    out += "&#94;";
    from = at + 1;
  }
}

}  // namespace

LineClass classifyLine(const std::string& trimmedLine) { return styleOf(trimmedLine).lineClass; }

std::string formatReportLine(const std::string& line) {
  if (line.size() < 3) return "<br>";
  std::string trimmed = trimString(line);
  const LineStyle& style = styleOf(trimmed);
  for (size_t i = 0; i < style.blanked; ++i) trimmed[i] = ' ';
  return std::string(style.opening) + neutralizeMarkers(trimmed) + style.closing;
}

void writeReport(const std::vector<std::string>& messages, std::ostream& out) {
  for (size_t m = 0; m < messages.size(); ++m) {
    const bool finalMessage = m + 1 == messages.size();
    for (const std::string& line : splitString(messages[m], '\n')) {
      if (finalMessage && line.rfind("^End.", 0) == 0) {
        out << '\n' << line << '\n';
        break;
      }
      out << formatReportLine(line);
      if (line.size() >= 3) out << '\n';
    }
  }
}

}  // namespace hdfverify
