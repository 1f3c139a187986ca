#include "plotgen/header_values.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "platform/text.h"
#include "plotgen/arguments.h"
#include "plotgen/cell_text.h"

namespace plotgen {
namespace {

// The columns of the scanner's column table: the data columns of a PROFILE file.
constexpr size_t kScannedColumns = 14;

// Where a date-time value is cut into its six fields.
constexpr std::string_view kStampSeparators = "-,: ;";

// Appends a field of a stamp with at least `width` digits, zeros in front.
void appendField(std::string& out, int32_t value, int width) {
  char digits[16];
  char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  for (long long pad = width - (end - digits); pad > 0; --pad) out += '0';
  out.append(digits, end);
}

}  // namespace

std::string_view headerValue(std::string_view line) { return line.substr(0, line.find(';')); }

int lineInteger(std::string_view line) { return toInt(headerValue(line)); }

bool readStamp(std::string_view line, std::string* stamp) {
  std::string_view value = headerValue(line);
  int32_t fields[6];
  size_t count = 0;
  for (size_t at = 0; count < 6;) {
    size_t start = value.find_first_not_of(kStampSeparators, at);
    if (start == std::string_view::npos) break;
    size_t end = std::min(value.find_first_of(kStampSeparators, start), value.size());
    fields[count++] = platform::leadingLong(value.substr(start, end - start));
    at = end;
  }
  if (count < 6) return false;
  std::string out;
  out.reserve(19);
  static constexpr char kSeparatorAfter[6] = {'-', '-', ',', ':', ':', '\0'};
  for (size_t i = 0; i < 6; ++i) {
    appendField(out, fields[i], i == 0 ? 4 : 2);
    if (kSeparatorAfter[i]) out += kSeparatorAfter[i];
  }
  *stamp = std::move(out);
  return true;
}

FillValues fillValues(std::string_view line) {
  std::string_view value = headerValue(line);
  FillValues fill;
  for (size_t at = 0;;) {
    size_t comma = value.find(',', at);
    std::string_view item = value.substr(at, comma == std::string_view::npos ? std::string_view::npos : comma - at);
    const double flag = platform::leadingDouble(item);
    fill.integers.push_back(wholeNumber(flag));
    const size_t column = fill.values.size();
    fill.values.push_back(column == 0 || column >= kScannedColumns ? std::nan("") : flag);
    if (comma == std::string_view::npos) break;
    at = comma + 1;
  }
  return fill;
}

}  // namespace plotgen
