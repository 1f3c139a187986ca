// Truncated and garbled copies of the fixtures: every scan must finish its
// report and return a result.
#include <gtest/gtest.h>

#include <string>

#include "tests/scanner/content/scan_fixture.h"
#include "tests/support/text_samples.h"

namespace {

using namespace content_test;

bool finished(const ScanOutcome& outcome) {
  const std::string end = "</BODY></HTML>\n";
  return (outcome.result == 0 || outcome.result == 1 || outcome.result == 2) && outcome.report.size() >= end.size() &&
         outcome.report.compare(outcome.report.size() - end.size(), end.size(), end) == 0;
}

TEST(ContentRobustness, EveryPrefixOfTheProfileFixture) {
  const std::string text = testing_support::validProfileText();
  const std::string name = testing_support::profileFileName();
  for (size_t length = 0; length < text.size(); ++length) {
    ScanOutcome outcome = scanText(text.substr(0, length), name);
    ASSERT_TRUE(finished(outcome)) << "prefix of " << length << " bytes";
    ASSERT_EQ(outcome.result, 1) << "prefix of " << length << " bytes";
  }
}

TEST(ContentRobustness, EveryLineCutShortInTheSurfaceFixture) {
  const std::string text = testing_support::validSurfaceText();
  const std::string name = testing_support::surfaceFileName();
  std::vector<std::string> lines = testing_support::splitLines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    std::vector<std::string> edited = lines;
    edited[i] = edited[i].substr(0, edited[i].size() / 2);
    ASSERT_TRUE(finished(scanText(testing_support::joinLines(edited), name))) << "line " << i + 1;
  }
}

TEST(ContentRobustness, GarbledLines) {
  const std::string text = testing_support::validProfileText();
  const std::string name = testing_support::profileFileName();
  const std::vector<std::string> lines = testing_support::splitLines(text);
  const std::string garbage[] = {
      std::string("18\0 ; NUMBER OF GENERAL HEADER LINES", 36),
      "\xff\xfe\x80\x81 ; \xe9\xe8 ;;;; ,,,,",
      std::string(1 << 20, 'A'),
      std::string(1 << 20, ','),
      std::string(1 << 20, ';'),
      std::string(1 << 20, ' '),
      "2000000000 ; NUMBER OF HEADER LINES NUMBER OF DATA LINES",
      "-2147483648 ; NUMBER OF DATA LINES",
      "99999999999999999999999 ; NUMBER OF PROFILES FILE NUMBER GENERAL HEADER LINES",
      "1e999, -1e999, 1e999, nan, inf ; LONGITUDE LATITUDE ELEVATION SOURCE LONGITUDE",
      "<script>&amp; ; SITE NAME",
      "#BEGIN PROFILE #BEGIN RECORD",
      std::string("100.0,\0,1,1,1,1,1,1,1,1,1,1,1,1                                  ", 66),
  };
  for (size_t i = 0; i < lines.size(); ++i) {
    for (const std::string& bad : garbage) {
      std::vector<std::string> edited = lines;
      edited[i] = bad;
      ASSERT_TRUE(finished(scanText(testing_support::joinLines(edited), name))) << "line " << i + 1;
    }
  }
}

TEST(ContentRobustness, HugeCountsDoNotAllocateOrHang) {
  std::string text = testing_support::validProfileText();
  // Block count, header-line count and data-line count far beyond the file.
  text = applyEdits(text, {replaceAt(3, "2000000000 ; NUMBER OF PROFILES IN THIS FILE"),
                           replaceAt(28, "2000000000  ; NUMBER OF HEADER LINES IN THIS PROFILE'S HEADER"),
                           replaceAt(29, "2000000000  ; NUMBER OF DATA LINES IN THIS PROFILE")});
  ScanOutcome outcome = scanText(text, testing_support::profileFileName());
  EXPECT_TRUE(finished(outcome));
  EXPECT_EQ(outcome.result, 1);
}

}  // namespace
