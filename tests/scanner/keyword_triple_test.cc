#include <gtest/gtest.h>

#include "scanner/block_header.h"
#include "scanner/general_header.h"
#include "scanner/scan_session.h"
#include "tests/scanner/recording_sink.h"
#include "tests/scanner/session_support.h"

namespace {

// Runs `check` with a recording sink and returns the report text it wrote.
template <typename Check>
std::string reportOf(Check check) {
  scanner_test::RecordingSink sink;
  check(sink);
  return sink.html();
}

std::string red(const std::string& text) { return "<font color='#FF0000'>" + text + "</font>"; }

TEST(KeywordTriple, MalformedTriplesInTheGeneralHeader) {
  struct Case {
    std::string triple;
    std::string messages;
  };
  std::string longTriple = std::string(200, 'A') + "|B|C|";
  for (const Case& c : std::vector<Case>{
           {"", red("<br>Error (Line 3): Comments Text NOT Correct. (10)\n") +
                    red("<br>Error (Line 3): Comments Text NOT Correct. (110)\n") +
                    red("<br>Error (Line 3): Comments Text NOT Correct. (1110)\n")},
           {"ONE|", red("<br>Error (Line 3): Comments Text NOT Correct. (100)\n") +
                        red("<br>Error (Line 3): Comments Text NOT Correct. (1100)\n")},
           {longTriple, red("<br>Error (Line 3) -- Comments Text Too Long.\n") +
                            red("<br>Error (Line 3): Comments Text NOT Correct. (105)\n") +
                            red("<br>Error (Line 3): Comments Text NOT Correct. (1105)\n")},
       }) {
    bool matched = true;
    ScanSession scan = scanner_test::sessionOn(2018, 4, 12);
    std::string written =
        reportOf([&](ReportSink& sink) { matched = matchCommentKeywords(scan, sink, 3, c.triple, "one <two>"); });
    EXPECT_FALSE(matched);
    EXPECT_EQ(written, c.messages + "<font color='#0000FF'><br>Line_3: one &lt;two&gt;<br>\n</font>");
  }
}

TEST(KeywordTriple, MalformedTripleInABlockHeaderStillMatches) {
  ScanSession scan = scanner_test::sessionOn(2018, 4, 12);
  scan.content.ProfileHeaders.assign(1, _ProfileHeader());
  scan.input.LineNumber = 7;
  bool matched = false;
  std::string written =
      reportOf([&](ReportSink& sink) { matched = matchHeaderKeywords(scan, sink, 0, 0, "ONE|", "one ; two"); });
  EXPECT_TRUE(matched);  // the missing keywords match anything
  EXPECT_EQ(written, red("<br>Error (Line 7): Comments Text NOT Correct. (100)\n") +
                         red("<br>Error (Line 7): Comments Text NOT Correct. (1100)\n"));
  EXPECT_EQ(scan.content.ProfileHeaders[0].line[0].value, "ONE ");
  EXPECT_EQ(scan.content.ProfileHeaders[0].line[0].comment, "; TWO");
  EXPECT_EQ(scan.content.ProfileHeaders[0].line[0].fileLine, 7);
}

}  // namespace
