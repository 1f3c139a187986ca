#include "desktop/core/report_text.h"

namespace {

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The length of the well-formed sequence at `at`, 0 when there is none.
size_t sequenceLength(std::string_view bytes, size_t at) {
  unsigned char lead = static_cast<unsigned char>(bytes[at]);
  if (lead < 0x80) return 1;
  size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // no overlong forms
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (bytes.size() - at < length) return 0;
  unsigned char second = static_cast<unsigned char>(bytes[at + 1]);
  if (second < low || second > high) return 0;
  for (size_t i = 2; i < length; ++i)
    if (!isContinuation(static_cast<unsigned char>(bytes[at + i]))) return 0;
  return length;
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
  for (size_t at = 0; at < bytes.size();) {
    size_t length = sequenceLength(bytes, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

std::string reportTextAsUtf8(std::string_view bytes) {
  if (isValidUtf8(bytes)) return std::string(bytes);
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 8);
  for (char byte : bytes) {
    unsigned char c = static_cast<unsigned char>(byte);
    if (c < 0x80) {
      text += byte;
    } else {
      text += static_cast<char>(0xC0 | (c >> 6));
      text += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return text;
}
