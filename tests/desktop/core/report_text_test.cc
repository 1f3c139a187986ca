#include <gtest/gtest.h>

#include <string>

#include "desktop/core/report_text.h"

namespace {

TEST(DesktopReportText, TellsWellFormedUtf8) {
  struct Case {
    const char* what;
    std::string bytes;
    bool valid;
  };
  const Case cases[] = {
      {"empty", "", true},
      {"ASCII", "<br>A. PERSON\n", true},
      {"two-byte", "M\xC3\xBCLLER \xC3\xB6", true},
      {"two-, three- and four-byte", "\xC5\x81 \xE2\x82\xAC \xF0\x9F\x98\x80", true},
      {"highest", "\xF4\x8F\xBF\xBF", true},
      {"a Latin-1 byte", "M\xFCLLER", false},
      {"cut sequence at the end", "A\xC3", false},
      {"cut sequence before ASCII", "\xE2\x82" "A", false},
      {"lone continuation", "\x80", false},
      {"overlong two-byte", "\xC0\xAF", false},
      {"overlong three-byte", "\xE0\x80\xAF", false},
      {"overlong four-byte", "\xF0\x8F\xBF\xBF", false},
      {"surrogate", "\xED\xA0\x80", false},
      {"above U+10FFFF", "\xF4\x90\x80\x80", false},
      {"no such lead", "\xF8\x88\x80\x80\x80", false},
  };
  for (const Case& c : cases) EXPECT_EQ(isValidUtf8(c.bytes), c.valid) << c.what;
}

TEST(DesktopReportText, DecodesUtf8AsItIsAndOtherBytesAsLatin1) {
  const std::string utf8 = "<br>A. M\xC3\xBCLLER-\xC5\x81UKASZ; PI\n";
  EXPECT_EQ(reportTextAsUtf8(utf8), utf8);
  // One byte that is not UTF-8 makes the whole report Latin-1.
  EXPECT_EQ(reportTextAsUtf8("A. M\xFCLLER \xC3\xB6"), "A. M\xC3\xBCLLER \xC3\x83\xC2\xB6");
  EXPECT_EQ(reportTextAsUtf8(std::string("\x00\x7F\x80\xFF", 4)), std::string("\x00\x7F\xC2\x80\xC3\xBF", 6));
}

}  // namespace
