// Turns the verifier's collected messages into the report's HTML-flavoured
// text lines, each line framed by the opening and closing texts of its class.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace hdfverify {

enum class LineClass { Section, Failure, Success, Error, Warning, Information, Plain };

// The class of a (trimmed) line by the characters it begins with.
LineClass classifyLine(const std::string& trimmedLine);

// One written line, without its line end ("<br>" for a short line).
std::string formatReportLine(const std::string& line);

// Writes every message in order. Only a line of the last message (the driver's
// final message) that begins "^End." is written as the marker line; any other
// "^End" is written with its '^' escaped so that no reader takes it for a marker.
void writeReport(const std::vector<std::string>& messages, std::ostream& out);

}  // namespace hdfverify
