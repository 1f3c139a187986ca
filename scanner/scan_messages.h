// The message catalogue: the text of every error code, constant data of the
// program, looked up when the verdict lists the recorded errors.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "scanner/scan_codes.h"

namespace scan_messages_detail {

// The texts in code order.
consteval std::array<std::string_view, kScanCodeCount> texts() {
  return {
#include "scanner/scan_messages_table.inc"
  };
}

// The catalogue's bytes: every text followed by a NUL.
consteval size_t byteCount() {
  size_t bytes = 0;
  for (std::string_view text : texts()) bytes += text.size() + 1;
  return bytes;
}

}  // namespace scan_messages_detail

// The catalogue as one block of text with the start of each code's text, built
// when the program is compiled: it holds no addresses, so it lies in the
// program's read-only data as it is.
class ScanMessageCatalogue {
 public:
  consteval ScanMessageCatalogue() {
    size_t at = 0;
    int code = 0;
    for (std::string_view text : scan_messages_detail::texts()) {
      starts_[code++] = static_cast<uint16_t>(at);
      for (char c : text) bytes_[at++] = c;
      bytes_[at++] = '\0';
    }
  }

  // The NUL-terminated text of `code` (0 to 98); "" for any other number.
  constexpr const char* operator[](int code) const {
    return code >= 0 && code < kScanCodeCount ? bytes_ + starts_[code] : "";
  }

 private:
  static_assert(scan_messages_detail::byteCount() <= UINT16_MAX, "the starts fit 16 bits");
  char bytes_[scan_messages_detail::byteCount()] = {};
  uint16_t starts_[kScanCodeCount] = {};
};

// The message catalogue: codes 0 to 98.
extern const ScanMessageCatalogue ScanMessages;
