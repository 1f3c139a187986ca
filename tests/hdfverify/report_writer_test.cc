// The report writer: line classes, short lines, the marker line.
#include <gtest/gtest.h>

#include <sstream>

#include "hdfverify/report_writer.h"

namespace hdfverify {
namespace {

std::string written(const std::vector<std::string>& messages) {
  std::ostringstream out;
  writeReport(messages, out);
  return out.str();
}

TEST(VerifierReportLine, EveryClassWithItsFrame) {
  struct Case {
    const char* line;
    const char* expected;
  } cases[] = {
      {"### Section", "<br><div style = 'font-size:18px;font-weight:bold;background-color:#CCCC99;'>     Section</div><br>"},
      {"*** Failure", "<br><strong style = 'color:#FF0000;font-size:16px;font-weight:bold'>     Failure</strong><br>"},
      {"@@@ Success", "<br><strong style = 'color:#0000FF;font-size:18px;font-weight:bold'>     Success</strong><br>"},
      {"** Error", "<font color='#FF0000'>    Error</font><br>"},
      {"## Warning", "<font color='#FF9933'>   Warning</font><br>"},
      {"# Info", "<font color='#339933'>  Info</font><br>"},
      {"plain text", "plain text<br>"},
      {"##x", "<font color='#FF9933'>  x</font><br>"},
      {"@@x", "@@x<br>"},
      {"  #  ", "<font color='#339933'> </font><br>"},
      {"  ab", "ab<br>"},
      {"ab", "<br>"},
      {"", "<br>"},
      {" \t\r ", "<br>"},
  };
  for (const Case& c : cases) EXPECT_EQ(formatReportLine(c.line), c.expected) << '"' << c.line << '"';
}

TEST(VerifierReportLine, ClassesByPrefix) {
  EXPECT_EQ(classifyLine("###"), LineClass::Section);
  EXPECT_EQ(classifyLine("****"), LineClass::Failure);
  EXPECT_EQ(classifyLine("@@@@"), LineClass::Success);
  EXPECT_EQ(classifyLine("**x"), LineClass::Error);
  EXPECT_EQ(classifyLine("##"), LineClass::Warning);
  EXPECT_EQ(classifyLine("#"), LineClass::Information);
  EXPECT_EQ(classifyLine("x#"), LineClass::Plain);
  EXPECT_EQ(classifyLine(""), LineClass::Plain);
}

TEST(VerifierWriteReport, ClosingMessageAndFinalMarker) {
  EXPECT_EQ(written({"\n<h2>.... Verify_1 .... Done!</h2>\n<hr>", "*** <h1>Failed file format check.</h1>\n\n^End.1"}),
            "<br><h2>.... Verify_1 .... Done!</h2><br>\n<hr><br>\n"
            "<br><strong style = 'color:#FF0000;font-size:16px;font-weight:bold'>     <h1>Failed file format "
            "check.</h1></strong><br>\n<br>\n^End.1\n");
}

TEST(VerifierWriteReport, EmptyMessageWritesNothingAndOneLineEndWritesABreak) {
  EXPECT_EQ(written({"", "\n", "@@@ ok\n\n^End.0"}),
            "<br><br><strong style = 'color:#0000FF;font-size:18px;font-weight:bold'>     ok</strong><br>\n<br>\n"
            "^End.0\n");
}

TEST(VerifierWriteReport, OnlyTheFinalMessageCarriesAMarker) {
  std::string report = written({"** value\n^End.0\nafter", " ^End.1", "text ^End.0 inside", "@@@ ok\n\n^End.0"});
  EXPECT_EQ(report,
            "<font color='#FF0000'>    value</font><br>\n"
            "&#94;End.0<br>\n"
            "after<br>\n"
            "&#94;End.1<br>\n"
            "text &#94;End.0 inside<br>\n"
            "<br><strong style = 'color:#0000FF;font-size:18px;font-weight:bold'>     ok</strong><br>\n<br>\n^End.0\n");
  // Exactly one line of the report begins with "^End", and it is the last.
  std::istringstream lines(report);
  std::string line;
  int markers = 0;
  while (std::getline(lines, line)) markers += line.rfind("^End", 0) == 0 ? 1 : 0;
  EXPECT_EQ(markers, 1);
}

}  // namespace
}  // namespace hdfverify
