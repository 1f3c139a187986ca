// The programs' trims and splits side by side: one row per text, one column
// per function, so each row shows where their rules part (blanks against tabs
// and line ends, empty pieces, separators at the ends).
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "hdfverify/text_utils.h"
#include "platform/text.h"
#include "plotgen/arguments.h"
#include "scanner/scan_text.h"

namespace {

using Pieces = std::vector<std::string>;

struct TrimRow {
  std::string text;
  std::string blanks;          // the scanner's trimBlanks: ' ' only
  std::string blanksAndTabs;   // platform::trimBlanksAndTabs (PROFILE cells): ' ' and '\t'
  std::string withLineEnds;    // the verifier's trimString: ' ', '\t', '\r', '\n'
};

TEST(TrimsSideBySide, EachTakesItsOwnCharactersOffTheEnds) {
  const TrimRow rows[] = {
      {"", "", "", ""},
      {"   ", "", "", ""},
      {"  a b  ", "a b", "a b", "a b"},
      {" x", "x", "x", "x"},
      {"x ", "x", "x", "x"},
      {"\ta\t", "\ta\t", "a", "a"},
      {" \t a \t ", "\t a \t", "a", "a"},
      {"  \t", "\t", "", ""},
      {"a\r\n", "a\r\n", "a\r\n", "a"},
      {" \r\n ", "\r\n", "\r\n", ""},
      {"\n\ta b\t\r", "\n\ta b\t\r", "\n\ta b\t\r", "a b"},
      {" \v a\f ", "\v a\f", "\v a\f", "\v a\f"},  // other bytes up to ' ' stay for all three
  };
  for (const TrimRow& row : rows) {
    SCOPED_TRACE("text \"" + row.text + "\"");
    EXPECT_EQ(trimBlanks(row.text), row.blanks);
    EXPECT_EQ(platform::trimBlanksAndTabs(row.text), row.blanksAndTabs);
    EXPECT_EQ(hdfverify::trimString(row.text), row.withLineEnds);
  }
}

struct SplitRow {
  std::string text;
  Pieces splitString;   // the verifier's: empty pieces kept but an empty last one
  Pieces everyPiece;    // the plot generator's split: every piece, the rest always the last
  Pieces skipping;      // platform::splitSkippingEmpty: no empty piece at all
};

TEST(SplitsSideBySide, EachKeepsItsOwnEmptyPieces) {
  const SplitRow rows[] = {
      {"", {}, {""}, {}},
      {"a", {"a"}, {"a"}, {"a"}},
      {"a,b", {"a", "b"}, {"a", "b"}, {"a", "b"}},
      {"a,,b", {"a", "", "b"}, {"a", "", "b"}, {"a", "b"}},
      {",a", {"", "a"}, {"", "a"}, {"a"}},
      {"a,", {"a"}, {"a", ""}, {"a"}},
      {"a,,", {"a", ""}, {"a", "", ""}, {"a"}},
      {",", {""}, {"", ""}, {}},
      {",,", {"", ""}, {"", "", ""}, {}},
      {" a , b ", {" a ", " b "}, {" a ", " b "}, {" a ", " b "}},  // no split trims
  };
  for (const SplitRow& row : rows) {
    SCOPED_TRACE("text \"" + row.text + "\"");
    EXPECT_EQ(hdfverify::splitString(row.text, ','), row.splitString);
    EXPECT_EQ(plotgen::split(row.text, ","), row.everyPiece);
    std::vector<std::string_view> views = {"left over"};
    platform::splitKeepingEveryPiece(row.text, ",", &views);
    EXPECT_EQ(Pieces(views.begin(), views.end()), row.everyPiece);
    EXPECT_EQ(platform::splitSkippingEmpty(row.text, ","), row.skipping);
  }
}

TEST(SplitsSideBySide, ADelimiterTextAgainstASetOfSeparators) {
  // The plot generator's split cuts at the whole delimiter text; the strtok
  // split at each of its characters.
  EXPECT_EQ(plotgen::split("a, b,c, ", ", "), (Pieces{"a", "b,c", ""}));
  EXPECT_EQ(platform::splitSkippingEmpty("a, b,c, ", ", "), (Pieces{"a", "b", "c"}));
  EXPECT_EQ(plotgen::split("3e+18", "e+"), (Pieces{"3", "18"}));
  EXPECT_EQ(platform::splitSkippingEmpty("3e+18", "e+"), (Pieces{"3", "18"}));
  EXPECT_EQ(plotgen::split("3e++18", "e+"), (Pieces{"3", "+18"}));
  EXPECT_EQ(platform::splitSkippingEmpty("3e++18", "e+"), (Pieces{"3", "18"}));
  // An empty delimiter does not cut; no separator character leaves the text whole.
  EXPECT_EQ(plotgen::split("a,b", ""), (Pieces{"a,b"}));
  EXPECT_EQ(platform::splitSkippingEmpty("a,b", ""), (Pieces{"a,b"}));
}

}  // namespace
